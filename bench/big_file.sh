#!/bin/bash
# A big Shift-JIS file through the real editor under Wine (64-bit): open to the
# first paint, Ctrl+End, an edit and Ctrl+S, the editor's memory, and whether
# what it saved is right. bench/wine/BigFileFlow.cpp drives tova.exe and times
# each step from outside; this script makes the file, runs it in a Wine session
# of its own (build/bench-wine) and checks the saved bytes.
#   bench/big_file.sh [MEGABYTES]     (1000: the 100 MB corpus ten times over;
#                                      any multiple of 100)
# The file is made once in build/bench-data (big-MEGABYTES.sjis); the editor
# works on copies of it, which are removed at the end (KEEP=1 keeps them).
# TIMEOUT=SECONDS bounds each step (600).
set -euo pipefail
mb="${1:-1000}"
timeout_s="${TIMEOUT:-600}"  # for each step
if ! [[ "$mb" =~ ^[0-9]+$ ]] || [ "$mb" -lt 100 ] || [ $((mb % 100)) -ne 0 ]; then
    echo "usage: $0 [MEGABYTES]   (a multiple of 100)" >&2
    exit 2
fi
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tova big_file_flow >/dev/null
source bench/common.sh
ensure_corpus 100
if [ "$mb" -eq 100 ]; then
    source_file="$data/corpus.sjis"
else
    source_file="$data/big-$mb.sjis"
    if [ ! -f "$source_file" ]; then
        echo "Making $source_file (the corpus $((mb / 100)) times over)..." >&2
        for ((i = 0; i < mb / 100; i++)); do cat "$data/corpus.sjis"; done >"$source_file.part"
        mv "$source_file.part" "$source_file"
    fi
fi
work="$data/bigflow-$mb.sjis"      # opened, edited and saved over
resave="$data/bigflow-$mb-2.sjis"  # a copy of that save, saved once more
shot="$session/big-file-end"
cleanup() {
    stop_bench_wine
    if [ "${KEEP:-0}" != 1 ]; then rm -f "$work" "$resave"; fi
}
trap cleanup EXIT
cp "$source_file" "$work"
rm -f "$resave" "$shot.bmp" "$shot.png"
start_bench_wine
echo "Running the flow on $(stat -c %s "$work") bytes..." >&2
set +e
"${in_wine[@]}" build/win64/bench/wine/big_file_flow.exe \
    "$(winpath build/win64/tova.exe)" "$(winpath "$work")" "$timeout_s" "$(winpath "$resave")" "$(winpath "$shot.bmp")" \
    </dev/null 2>"$session/big-file-flow.err" | tr -d '\r' | tee "$session/big-file-flow.out" >&2
flow_rc=${PIPESTATUS[0]}
set -e
load=$(cut -d' ' -f1-3 /proc/loadavg)
if [ "$flow_rc" -ne 0 ]; then
    grep -v '^fixme\|^err:\|^warn' "$session/big-file-flow.err" >&2 || true
    echo "The flow failed (exit $flow_rc); load average $load." >&2
    exit 1
fi
if [ -f "$shot.bmp" ] && command -v convert >/dev/null; then
    convert "$shot.bmp" "$shot.png" && rm -f "$shot.bmp"
fi
value() { awk -v k="$1" '$1 == k {print $2}' "$session/big-file-flow.out"; }
secs() { awk -v ms="$(value "$1")" 'BEGIN {printf "%.1f s", ms / 1000}'; }

# What a save writes: every line without its trailing blanks, runs of blanks
# that end at a tab stop as tabs, CR LF after every line, no empty lines at
# the end. Ctrl+End goes to the last line that holds text (the corpus ends with
# an empty line) and End to that line's end, where the "x" went in. So with
# blanks and CRs left out of both, the first save must be the original without
# its empty lines at the end, and "x" and a line feed after it (Shift-JIS
# trail bytes are never a blank, CR or LF, so leaving those out spoils no
# character). The second save, of the first one's bytes, must change nothing.
normal() { LC_ALL=C tr -d ' \t\r'; }
trailing_lfs=$(tail -c 65536 "$source_file" | normal | od -An -v -tx1 | tr -s ' \n' '\n\n' | grep . |
    tac | awk '$1 != "0a" {done = 1} !done {n++} END {print n + 0}')
if cmp -s <(normal <"$work") <({ normal <"$source_file" | head -c -"$trailing_lfs"; printf 'x\n'; }); then
    edit_ok=yes
else
    edit_ok=no
fi
if cmp "$work" "$resave" >&2; then resave_ok=yes; else resave_ok=no; fi

size=$(stat -c %s "$source_file")
lines=$(wc -l <"$source_file")
echo
echo "File: $size bytes, $lines lines (Shift-JIS, CR LF); load average $load."
echo
echo "| step | measured | goal |"
echo "| --- | --- | --- |"
echo "| open, process start to first paint | $(secs open_ms) | 10 s |"
echo "| Ctrl+End, until the view shows the end | $(secs end_ms) | 5 s |"
echo "| Ctrl+S after typing one character, until saved | $(secs save_ms) | 5 s |"
echo "| peak memory (working set) | $(value save_peak_mb) MB, $(value save_peak_ratio)x the file | 1.6x |"
echo "| saved text = the original with the edit (blanks aside) | $edit_ok | yes |"
echo "| second save byte-exact with the first | $resave_ok | yes |"
echo
echo "After the open: working set $(value open_ws_mb) MB (peak $(value open_peak_mb) MB), private $(value open_private_mb) MB;"
echo "after the save: working set $(value save_ws_mb) MB, private $(value save_private_mb) MB (peak $(value save_private_peak_mb) MB)."
echo "The second editor, on the first save: open $(secs resave_open_ms), Ctrl+End $(secs resave_end_ms),"
echo "save $(secs resave_save_ms). Closing: $(secs close_ms), then $(secs resave_close_ms)."
[ -f "$shot.png" ] && echo "The main window after Ctrl+End: $shot.png"
[ "$edit_ok" = yes ] && [ "$resave_ok" = yes ]
