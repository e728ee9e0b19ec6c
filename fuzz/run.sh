#!/usr/bin/env bash
# Builds and runs the package reader fuzzer: fuzz/run.sh [SECONDS] (default 60).
# Works in build/fuzz only; the checked-in seeds are copied, never written.
# Exits non-zero when the fuzzer reports a crash, leak, timeout or OOM.
set -euo pipefail

duration="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"
corpus="$build/corpus/package_reader"
artifacts="$build/artifacts/package_reader/"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DDUNVEX_FUZZ=ON -DDUNVEX_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target package_reader_fuzzer -j1

mkdir -p "$corpus" "$artifacts"
cp -n "$root/fuzz/corpus/package_reader/"* "$corpus/"
rm -f "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*

status=0
"$build/fuzz/package_reader_fuzzer" "$corpus" \
  -max_total_time="$duration" -max_len=65536 -rss_limit_mb=2048 -timeout=30 \
  -dict="$root/fuzz/package_reader.dict" -artifact_prefix="$artifacts" \
  -print_final_stats=1 || status=$?

if [ "$status" -ne 0 ] || compgen -G "$artifacts*-*" >/dev/null; then
  echo "run.sh: the fuzzer found a fault (exit $status); inputs in $artifacts" >&2
  ls -l "$artifacts" >&2
  exit 1
fi
echo "run.sh: no crash in ${duration}s"
