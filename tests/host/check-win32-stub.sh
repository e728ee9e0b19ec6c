#!/usr/bin/env bash
# Checks the 32-bit DunvexStub.exe from the host: a 32-bit GUI program with its
# PE header at 256 and the package end bytes free, from which the builder
# makes a sound setup file.  usage: check-win32-stub.sh STUB DUNVEX_PACK WORK_DIR
set -euo pipefail
stub="$1" pack="$2" work="$3"
fail() { echo "FAIL: $*"; exit 1; }

file "$stub" | grep -q "PE32 executable (GUI) Intel 80386" || fail "not a 32-bit GUI program: $(file "$stub")"
[ "$(od -An -tu4 -j 60 -N 4 "$stub" | tr -d ' ')" = 256 ] || fail "PE header not at offset 256"
[ "$(od -An -tx1 -j 248 -N 8 "$stub" | tr -d ' ')" = 0000000000000000 ] || fail "bytes 248..255 are not free"
[ "$(od -An -c -j 256 -N 2 "$stub" | tr -d ' ')" = PE ] || fail "no PE signature at 256"

# Every imported library must be one the system loader takes from the system
# folder (known DLLs, or common controls through the manifest); any other
# name would be searched for beside the setup file first.
allowed="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll"
for dll in $(i686-w64-mingw32-objdump -p "$stub" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z'); do
  case " $allowed " in *" $dll "*) ;; *) fail "imports $dll, which is not a protected system library" ;; esac
done

rm -rf "$work" && mkdir -p "$work/files"
head -c 70000 /dev/urandom >"$work/files/Engine.exe"
echo hello >"$work/files/readme.txt"
printf '[package]\nflags = ShowBusyBar\n[agent]\nProductToken = t\n[language English]\ns0 = Test\n' >"$work/project.dvxproj"
"$pack" build "$work/project.dvxproj" --stub "$stub" --files "$work/files" --output "$work/setup.exe" >/dev/null
"$pack" info "$work/setup.exe" >"$work/info.txt" || { cat "$work/info.txt"; fail "the setup file is not sound"; }
grep -q "stub image: yes" "$work/info.txt" || fail "the setup file is no stub image"
echo "32-bit stub: $(stat -c %s "$stub") bytes (stripped)"
echo "1 passed, 0 failed"
