#!/usr/bin/env bash
# Builds and runs the fuzzers: fuzz/run.sh [SECONDS] [TARGET...]
# (default 60 s each for package_reader and extraction). Works in build/fuzz
# only; the checked-in seeds are copied, never written. Exits non-zero when a
# fuzzer reports a crash, leak, timeout or OOM.
set -euo pipefail

duration="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(package_reader extraction)
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DDUNVEX_FUZZ=ON -DDUNVEX_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
for target in "${targets[@]}"; do
  cmake --build "$build" --target "${target}_fuzzer" -j1
done

failed=0
for target in "${targets[@]}"; do
  # Both targets read package files: they share the seeds.
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  cp -n "$root/fuzz/corpus/package_reader/"* "$corpus/"
  rm -f "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*
  status=0
  "$build/fuzz/${target}_fuzzer" "$corpus" \
    -max_total_time="$duration" -max_len=65536 -rss_limit_mb=2048 -timeout=30 \
    -dict="$root/fuzz/package_reader.dict" -artifact_prefix="$artifacts" \
    -print_final_stats=1 || status=$?
  if [ "$status" -ne 0 ] || compgen -G "$artifacts*-*" >/dev/null; then
    echo "run.sh: the $target fuzzer found a fault (exit $status); inputs in $artifacts" >&2
    ls -l "$artifacts" >&2
    failed=1
  else
    echo "run.sh: $target: no crash in ${duration}s"
  fi
done
exit $failed
