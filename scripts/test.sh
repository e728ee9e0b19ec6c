#!/usr/bin/env bash
# Builds everything and runs every test: the host build of the pure modules
# (address and undefined-behaviour sanitizers), the Windows tests under Wine,
# and a short run of the fuzzers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
jobs=$(nproc)

echo "== Windows build (32-bit, the product)"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 -j "$jobs"

echo "== host build (sanitizers)"
cmake -S . -B build/host -DDUNVEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDUNVEX_WIN32_STUB="$root/build/win32/bin/DunvexStub.exe" >/dev/null
cmake --build build/host -j "$jobs"

source "$root/scripts/common.sh"
windows_build=$(windows_run_build)
[ "$windows_build" = build/win64 ] &&
  echo "== this machine cannot run 32-bit programs: Windows tests run on the 64-bit build under wine64"

status=0
echo "== host tests"
(cd build/host && ctest --output-on-failure -j "$jobs") || status=1
echo "== Windows tests under Wine ($windows_build)"
(cd "$windows_build" && ctest --output-on-failure) || status=1
echo "== fuzzers (short run)"
"$root/fuzz/run.sh" "${DUNVEX_FUZZ_SECONDS:-30}" || status=1
exit $status
