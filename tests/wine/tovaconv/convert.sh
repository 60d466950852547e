#!/bin/sh
# tovaconv.exe under Wine turns a JIS file into the Shift-JIS that iconv made of
# it, from a file to a file and from standard input to standard output.
# Usage (from the build folder): convert.sh EMULATOR TOVACONV_EXE DATA_DIR
set -eu
emu="$1"
exe="$2"
data="$3"
work=tovaconv-wine
rm -rf "$work"
mkdir -p "$work"
cp "$data/sample.jis" "$data/sample.sjis" "$work/"
"$emu" "$exe" -s "$work/sample.jis" "$work/out.txt" </dev/null
cmp "$work/sample.sjis" "$work/out.txt"
"$emu" "$exe" - - <"$work/sample.jis" >"$work/out-jis.txt"
"$emu" "$exe" -s - - <"$work/out-jis.txt" >"$work/out2.txt"
cmp "$work/sample.sjis" "$work/out2.txt"
# A file that cannot be read fails with a non-zero status.
if "$emu" "$exe" "$work/missing.txt" "$work/never.txt" </dev/null 2>/dev/null; then
    echo "a missing input file was not reported" >&2
    exit 1
fi
[ ! -e "$work/never.txt" ]
echo "tovaconv.exe converted JIS to Shift-JIS byte for byte"
