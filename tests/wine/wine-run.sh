#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs PROGRAM.exe under Wine in the
# build tree's own environment (see wine-env.sh). The kind of Wine follows
# the program: 32-bit programs run under wine, 64-bit ones under wine64.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"
program="$1"
shift
build_dir="${DUNVEX_BUILD_DIR:-$PWD}"
arch=win32
machine=$(od -An -tx1 -j $(( $(od -An -tu4 -j 60 -N 4 "$program") + 4 )) -N 2 "$program" | tr -d ' ')
[ "$machine" = "6486" ] && arch=win64
wine_env_start "$build_dir" "$arch"
exec "$(wine_loader "$arch")" "$program" "$@"
