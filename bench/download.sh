#!/usr/bin/env bash
# Download benchmark: a 200 MB file served by a private nginx on 127.0.0.1,
# fetched under Wine in the same run by the stub's download code (without and
# with progress steps) and by a minimal WinINet reader reading the same 8 KB
# chunks into a file. Prints MB/s for each and the ratio stub / reader: for
# the whole call, and for the download request alone as nginx timed it (the
# stub's call also makes its warm-up request first, which Wine's WinINet
# reads to the end when it is closed).
#   bench/download.sh [MB, default 200]
# BENCH_BUILD=DIR uses that Windows build tree instead of the usual one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source "$root/scripts/common.sh"
source "$root/tests/wine/wine-env.sh"
windows_build=${BENCH_BUILD:-}
if [ -z "$windows_build" ]; then
  "$root/scripts/setup.sh"
  windows_build=$(windows_run_build)
fi
cmake --build "$windows_build" --target download_bench download_limit >/dev/null
build_dir=$(cd "$windows_build" && pwd)
arch=win32; case "$build_dir" in *win64*) arch=win64 ;; esac
work="$build_dir/bench-download"
mkdir -p "$work"
"$root/tests/web/nginx-env.sh" start "$work"
trap '"$root/tests/web/nginx-env.sh" stop "$work"' EXIT
size_mb=${1:-200}
head -c $((size_mb * 1000000)) /dev/urandom >"$work/nginx-web/root/bench.bin"
url="http://127.0.0.1:$(cat "$work/nginx-web/main-port")/bench.bin"
wine_env_start "$build_dir" "$arch"
wine=$(wine_loader "$arch")
target="Z:${work//\//\\}\\downloaded.bin"
rate() { sed -n "s/^$1: \([0-9.]*\) MB\/s.*/\1/p"; }
# nginx's time for the last request of a user agent: the transfer alone.
served_rate() {
  grep "\"$1\" [0-9.]*\$" "$work/nginx-web/main-access.log" | tail -1 |
    awk -v bytes=$((size_mb * 1000000)) '{ printf "%.1f", bytes / 1e6 / ($NF > 0 ? $NF : 0.001) }'
}
# The reader first and last: the page cache and the server are warm for both.
"$wine" "$build_dir/bin/bench/download_limit.exe" "$url" "$target" >"$work/limit1.txt"
"$wine" "$build_dir/bin/bench/download_bench.exe" "$url" "$target" plain >"$work/stub.txt"
stub_served=$(served_rate HTTP_Connect_3)
"$wine" "$build_dir/bin/bench/download_bench.exe" "$url" "$target" steps >>"$work/stub.txt"
stepped_served=$(served_rate HTTP_Connect_3)
"$wine" "$build_dir/bin/bench/download_limit.exe" "$url" "$target" >"$work/limit2.txt"
limit_served=$(served_rate download_limit)
limit=$(cat "$work/limit1.txt" "$work/limit2.txt" | rate "minimal WinINet reader" | sort -n | tail -1)
plain=$(rate "stub download" <"$work/stub.txt")
stepped=$(rate "stub download with progress steps" <"$work/stub.txt")
printf '%d MB from nginx on 127.0.0.1, %s build under Wine\n' "$size_mb" "$arch"
printf '  minimal WinINet reader (8 KB reads)   : %s MB/s (best of two; last one as nginx timed it: %s MB/s)\n' "$limit" "$limit_served"
printf '  stub download, no progress            : %s MB/s whole call, %s MB/s the download request alone\n' "$plain" "$stub_served"
printf '  stub download, progress steps         : %s MB/s whole call, %s MB/s the download request alone\n' "$stepped" "$stepped_served"
printf '  ratio stub / reader (request alone)   : %.2f (target >= 0.8)\n' "$(echo "$stub_served / $limit_served" | bc -l)"
printf '  ratio stub / reader (whole call)      : %.2f\n' "$(echo "$plain / $limit" | bc -l)"
printf '  ratio stub with steps / reader        : %.2f\n' "$(echo "$stepped_served / $limit_served" | bc -l)"
rm -f "$work/nginx-web/root/bench.bin"
