#!/usr/bin/env bash
# Checks the built executable's structure: a 64-bit console program that imports
# its seven platform functions from the right system DLLs and nothing from the
# toolchain, with exactly the committed manifest embedded.
# Usage: executable_structure_test.sh OBJDUMP WRESTOOL EXECUTABLE MANIFEST
set -euo pipefail
objdump=$1 wrestool=$2 executable=$3 manifest=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$("$objdump" -p "$executable")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not an x86-64 PE image"
grep -qP '^Magic\s+020b\s+\(PE32\+\)' <<<"$headers" || fail "not PE32+"
grep -qP '^Subsystem\s+00000003\s+\(Windows CUI\)' <<<"$headers" || fail "not the console subsystem"

# One "dll function" line per import, the DLL name in lower case.
imports=$(awk '
  /^\tDLL Name: / { dll = tolower($3); next }
  /^$/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, $NF }' <<<"$headers")

for expected in "user32.dll GetDpiForWindow" "uxtheme.dll OpenThemeDataForDpi" "uxtheme.dll GetThemeBitmap" \
  "uxtheme.dll CloseThemeData" "gdi32.dll GetObjectW" "gdi32.dll GetBitmapBits" "gdi32.dll SetBitmapBits"; do
  grep -qxF "$expected" <<<"$imports" || fail "no import of ${expected#* } from ${expected%% *}"
done
# Only Windows system DLLs: the C and C++ runtimes are linked in statically.
while read -r dll; do
  case "$dll" in
    kernel32.dll | msvcrt.dll | user32.dll | gdi32.dll | uxtheme.dll) ;;
    *) fail "imports from a DLL that is not a Windows system DLL: $dll" ;;
  esac
done < <(cut -d' ' -f1 <<<"$imports" | sort -u)

resources=$("$wrestool" --list "$executable")
[ "$resources" = "--type=24 --name=1 --language=1033 [offset=$(sed -n 's/.*offset=\([^ ]*\).*/\1/p' <<<"$resources") size=$(wc -c <"$manifest")]" ] ||
  fail "resources are not exactly the manifest (type 24, id 1, language 1033): $resources"
"$wrestool" --extract --raw --type=24 --name=1 --language=1033 "$executable" | cmp -s - "$manifest" ||
  fail "embedded manifest differs from $manifest"

[ "$failures" -eq 0 ] || exit 1
echo "executable structure as expected"
