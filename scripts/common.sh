# Shared by the scripts: which Windows build runs under Wine on this machine.
# The product is 32-bit; a machine whose kernel cannot run 32-bit programs
# cannot run 32-bit Wine either, and then runs the same sources built for
# 64-bit Windows under wine64.

# Prints build/win32 or build/win64 and makes sure it is configured and built.
windows_run_build() {
  local jobs
  jobs=$(nproc)
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo build/win32
    return
  fi
  cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
  cmake --build build/win64 -j "$jobs" >&2
  echo build/win64
}
