#!/usr/bin/env bash
# Regenerates the package reader's seed corpus with the real builder, so the
# seeds follow the format exactly as dunvex-pack writes it. Fixed dates and
# token seeds keep the output identical from run to run.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz-host"
work="$build/seeds"
out="$root/fuzz/corpus/package_reader"

cmake -S "$root" -B "$build" -DDUNVEX_TESTS=OFF >/dev/null
cmake --build "$build" --target dunvex-pack -j1 >/dev/null
pack="$build/tools/pack/dunvex-pack"

rm -rf "$work"
mkdir -p "$work/files" "$out"

# The smallest image the builder accepts as a stub: MZ at 0, PE at 256.
python3 - "$work/stub.exe" <<'EOF'
import sys
image = bytearray(512)
image[0:2] = b"MZ"
image[256:258] = b"PE"
open(sys.argv[1], "wb").write(image)
EOF

python3 - "$work/files" <<'EOF'
import sys
folder = sys.argv[1]
# Text that compresses, plus a few bytes that do not.
open(folder + "/Engine.exe", "wb").write(b"MZ" + bytes(range(256)) + b"engine " * 40)
open(folder + "/readme.txt", "wb").write(b"Read me.\r\n" * 30)
EOF
touch -d "2020-05-17 12:34:56" "$work/files/Engine.exe" "$work/files/readme.txt"

common_lists='
[agent]
UpdateURL = http://example.test/update/
InfoFileName = C:\App\app.info
AgentExeName = agent.exe
ProductToken = P-1234
HiddenSetup = 0
[language English]
s0 = Welcome <B>setup</B>
BtnText = |&OK|&Cancel|
Charset = 0
FontSize = 9
[language German]
s0 = Willkommen
FontName = Arial
'

project() {  # name, [package] lines, extra sections
  printf '[package]\nfiles = files\n%s\n%s\n' "$2" "$3" >"$work/$1.ini"
}

project stored 'compression = stored
engine_arguments = /S' "$common_lists"
project zlib 'compression = zlib
level = 9
flags = ShowBusyBar, AgentLog' "$common_lists"
project web 'compression = zlib
confirm_download = yes' "$common_lists
[web]
URL = http://example.test/web/
SetupFileName = full.exe
AlwaysDownload = 1
Token = W-42
SetupSize = 1048576"
# Small entries and parts: part 1 ends after its first entry.
project span 'compression = stored
entry_size = 300
part_size = 1400
flags = DiskSpanRelaunch' ""

for name in stored zlib web span; do
  "$pack" build "$work/$name.ini" --stub "$work/stub.exe" --output "$work/$name.exe" --seed 7 >/dev/null
done

rm -f "$out"/*
cp "$work/stored.exe" "$out/stored.bin"
cp "$work/zlib.exe" "$out/zlib.bin"
cp "$work/web.exe" "$out/web.bin"
cp "$work/span.exe" "$out/span_part1.bin"
cp "$work/span.exe.002" "$out/span_part2.bin"
ls -l "$out"
