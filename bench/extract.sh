#!/usr/bin/env bash
# Extraction benchmark: (a) one 1 GiB highly compressible file, (b) about
# 200 MB of real files from /usr/lib. For each it measures, in the same run on
# the same content: the stub's extraction under Wine, the limit (the same
# zlib inflating the same entries memory to memory under Wine), and unzip on
# a zip of the same files. Prints MB/s, the ratios and the peak working set.
#   bench/extract.sh [MB of real files, default 200]
# BENCH_REUSE=1 keeps the content and setup files of an earlier run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
command -v zip >/dev/null || { echo "bench: zip and unzip are needed (apt-get install zip unzip)"; exit 2; }
source "$root/scripts/common.sh"
source "$root/tests/wine/wine-env.sh"
windows_build=$(windows_run_build)
cmake --build "$windows_build" --target extract_bench inflate_limit write_limit DunvexStub >/dev/null
cmake -S . -B build/tools -DDUNVEX_TESTS=OFF >/dev/null
cmake --build build/tools --target dunvex-pack >/dev/null
pack=build/tools/tools/pack/dunvex-pack
work="$root/build/bench-extract"
[ "${BENCH_REUSE:-0}" = 1 ] && [ -f "$work/mixed/setup.exe" ] || reuse=0
[ "${reuse:-1}" = 1 ] || { rm -rf "$work" && mkdir -p "$work"; }
build_dir="$root/$windows_build"
arch=win32; [ "$windows_build" = build/win64 ] && arch=win64
wine_env_start "$build_dir" "$arch"
wine=$(wine_loader "$arch")
win() { echo "Z:${1//\//\\}"; }

make_case() {  # NAME: files in $work/NAME/files
  printf '[package]\nengine = Engine.exe\n' >"$work/$1/project.dvxproj"
  cp "$build_dir/bin/DunvexStub.exe" "$work/$1/files/Engine.exe"
  "$pack" build "$work/$1/project.dvxproj" --stub "$build_dir/bin/DunvexStub.exe" \
    --files "$work/$1/files" --output "$work/$1/setup.exe" >/dev/null
  (cd "$work/$1/files" && zip -q -r "$work/$1/files.zip" .)
}

if [ "${reuse:-1}" = 0 ]; then
mkdir -p "$work/compressible/files" "$work/mixed/files"
# yes ends on SIGPIPE when head has enough: not a failure here.
(set +o pipefail
 yes "Dunvex benchmark line: the quick brown fox jumps over the lazy dog 0123456789" |
   head -c 1073741824 >"$work/compressible/files/big.dat")
limit=$(( ${1:-200} * 1000000 ))
total=0
while IFS= read -r -d '' f; do
  size=$(stat -c %s "$f")
  name=$(echo "${f#/usr/lib/}" | tr '/' '_')
  cp "$f" "$work/mixed/files/$name" 2>/dev/null || continue
  total=$((total + size))
  [ "$total" -ge "$limit" ] && break
done < <(find /usr/lib -type f -size +4k -print0 2>/dev/null)
make_case compressible
make_case mixed
fi

rate() { sed -n 's/.*: \([0-9.]*\) MB\/s.*/\1/p'; }
for case in compressible mixed; do
  bytes=$(du -sb "$work/$case/files" | cut -f1)
  sync
  stub_out=$("$wine" "$build_dir/bin/bench/extract_bench.exe" "$(win "$work/$case/setup.exe")" "$(win "$work/$case/out")")
  limit_out=$("$wine" "$build_dir/bin/bench/inflate_limit.exe" "$(win "$work/$case/setup.exe")")
  sync
  write_out=$("$wine" "$build_dir/bin/bench/write_limit.exe" "$(win "$work/$case/out")" "$(win "$work/$case/written")")
  start=$(date +%s.%N)
  unzip -q -o "$work/$case/files.zip" -d "$work/$case/unzipped"
  end=$(date +%s.%N)
  unzip_rate=$(echo "$bytes / ($end - $start) / 1000000" | bc -l)
  stub_rate=$(echo "$stub_out" | rate)
  limit_rate=$(echo "$limit_out" | rate)
  write_rate=$(echo "$write_out" | rate)
  # One thread inflates and writes in turn: its best is the two times added.
  serial_rate=$(echo "1 / (1 / $limit_rate + 1 / $write_rate)" | bc -l)
  printf '%s (%d bytes, %s build under Wine)\n' "$case" "$bytes" "$arch"
  printf '  stub extraction : %s\n' "$stub_out"
  printf '  inflate limit   : %s\n' "$limit_out"
  printf '  write floor     : %s\n' "$write_out"
  printf '  inflate + write : %.1f MB/s (the inflate limit and the write floor one after the other)\n' "$serial_rate"
  printf '  unzip           : %.1f MB/s\n' "$unzip_rate"
  printf '  ratios          : stub/limit %.2f, stub/(inflate + write) %.2f, stub/unzip %.2f\n' \
    "$(echo "$stub_rate / $limit_rate" | bc -l)" "$(echo "$stub_rate / $serial_rate" | bc -l)" \
    "$(echo "$stub_rate / $unzip_rate" | bc -l)"
  rm -rf "$work/$case/out" "$work/$case/unzipped" "$work/$case/written"
done
