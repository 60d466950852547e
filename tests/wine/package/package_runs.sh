#!/bin/sh
# The release zip, as `--target package` makes it, unpacks into a fresh Wine
# prefix and runs from there: its programs import only system DLLs and carry
# no debug information, tovaconv converts, and the editor opens the sample
# and answers a key binding query through the zip's own tovahlpdll.dll.
# Usage: package_runs.sh BUILD_DIR DDEDRIVER_EXE
set -eu
build=$(cd "$1" && pwd)
driver="$2"
here=$(cd "$(dirname "$0")" && pwd)
work="$build/package-test"
fail() { echo "package_runs: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
(cd "$build" && cpack -G ZIP -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
zip=$(ls "$work"/out/tova-*-win64.zip) || fail "no zip"
unzip -q "$zip" -d "$work/unpacked"
dir=$(ls -d "$work"/unpacked/tova-*-win64)
for f in tova.exe tovahlpdll.dll tovaconv.exe sample.txt README-en.txt README-ja.txt; do
    [ -f "$dir/$f" ] || fail "$f missing"
done
system='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|imm32|winmm|msvcrt)\.dll$'
for f in tova.exe tovahlpdll.dll tovaconv.exe; do
    other=$(x86_64-w64-mingw32-objdump -p "$dir/$f" | awk '/DLL Name/ {print tolower($3)}' | grep -Ev "$system" || true)
    [ -z "$other" ] || fail "$f imports $other"
    ! x86_64-w64-mingw32-objdump -h "$dir/$f" | grep -q debug_info || fail "$f has debug information"
done
size=$(stat -c %s "$dir/tova.exe")
[ "$size" -lt 8000000 ] || fail "tova.exe is $size bytes"

# A prefix of its own, made now; the test session's display.
prefix="$work/prefix"
. "$build/wine-session.env"
export DISPLAY
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
trap '/usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true' EXIT
/usr/lib/wine/wine64 wineboot -i </dev/null >"$work/wineboot.log" 2>&1 || true
"$here/../../../scripts/prefix-init.sh" "$prefix"

(cd "$dir" && /usr/lib/wine/wine64 ./tovaconv.exe -e sample.txt sample.euc) </dev/null || fail "tovaconv failed"
[ -s "$dir/sample.euc" ] || fail "tovaconv wrote nothing"
cd "$build"
/usr/lib/wine/wine64 "$driver" package_runs "$dir/tova.exe" </dev/null
