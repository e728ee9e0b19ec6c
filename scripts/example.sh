#!/usr/bin/env bash
# Builds the stub, the builder and the example engine, makes the example
# setup file build/example/ExampleSetup.exe from examples/, and runs it under
# Wine: it shows the progress window (a screenshot is kept), the example
# engine installs the application, and the script prints what was installed
# and the exit code that the setup file handed on.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"
source "$root/scripts/common.sh"
jobs=$(nproc)

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 -j "$jobs" --target DunvexStub ExampleEngine dunvex-pack
cmake -S . -B build/tools -DDUNVEX_TESTS=OFF >/dev/null
cmake --build build/tools -j "$jobs" --target dunvex-pack
pack=build/tools/tools/pack/dunvex-pack

# make_setup BUILD OUTPUT: the example setup from BUILD's stub and engine.
make_setup() {
  local files="$out/files-$(basename "$1")"
  mkdir -p "$files"
  cp examples/app/* "$files/"
  cp "$1/bin/example/Engine.exe" "$files/"
  "$pack" build examples/example.dvxproj --stub "$1/bin/DunvexStub.exe" --files "$files" --output "$2"
}

out=build/example
rm -rf "$out" && mkdir -p "$out"
make_setup build/win32 "$out/ExampleSetup.exe"
echo
"$pack" info "$out/ExampleSetup.exe"
echo
echo "Example setup: $out/ExampleSetup.exe (the builder for Windows: build/win32/tools/pack/dunvex-pack.exe)"

# Run it under Wine. A machine that cannot run 32-bit programs runs the same
# sources built for 64-bit Windows instead.
run_build=$(windows_run_build)
setup="$out/ExampleSetup.exe"
arch=win32
if [ "$run_build" = build/win64 ]; then
  arch=win64
  setup="$out/ExampleSetup64.exe"
  make_setup build/win64 "$setup" >/dev/null
  echo "== this machine cannot run 32-bit programs: running the same setup built for 64-bit Windows"
fi
source tests/wine/wine-env.sh
wine_env_start "$root/build/example-wine" "$arch"
target="$WINEPREFIX/drive_c/Program Files/Dunvex Example"
rm -rf "$target"
# Wine draws the window frame itself (there is no window manager on the display).
"$(wine_loader "$arch")" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$setup")\\X11 Driver" \
  /v Managed /d N /f >/dev/null 2>&1 || true

echo "== running $setup under Wine"
"$(wine_loader "$arch")" "$setup" >"$out/wine.log" 2>&1 &
setup_pid=$!
# The progress window shows while the files are extracted.
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name "Example Application Setup" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q IsViewable && break
  window=""
  sleep 0.1
done
if [ -n "$window" ]; then
  sleep 0.5
  import -window root "$out/screen.png" 2>/dev/null || true
  eval "$(xdotool getwindowgeometry --shell "$window")"
  convert "$out/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage \
    "$out/progress-window.png" 2>/dev/null && echo "progress window: $out/progress-window.png"
fi
set +e
wait "$setup_pid"
code=$?
set -e
echo "setup exit code: $code"
echo "installed into C:\\Program Files\\Dunvex Example ($target):"
ls -l "$target"
echo "-- install.log"
cat "$target/install.log"
wine_env_stop "$root/build/example-wine"
[ "$code" = 0 ]
