#!/usr/bin/env bash
# Builds the stub, the builder and the example engine, and makes the example
# setup file build/example/ExampleSetup.exe from examples/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
jobs=$(nproc)

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 -j "$jobs" --target DunvexStub ExampleEngine dunvex-pack
cmake -S . -B build/tools -DDUNVEX_TESTS=OFF >/dev/null
cmake --build build/tools -j "$jobs" --target dunvex-pack

out=build/example
rm -rf "$out" && mkdir -p "$out/files"
cp examples/app/* "$out/files/"
cp build/win32/bin/example/Engine.exe "$out/files/"
build/tools/tools/pack/dunvex-pack build examples/example.dvxproj \
  --stub build/win32/bin/DunvexStub.exe --files "$out/files" --output "$out/ExampleSetup.exe"
echo
build/tools/tools/pack/dunvex-pack info "$out/ExampleSetup.exe"
echo
echo "Example setup: $out/ExampleSetup.exe (the builder for Windows: build/win32/tools/pack/dunvex-pack.exe)"
