#!/bin/bash
# Opening the corpus under Wine, from the start of the process to the first
# paint that shows its text: tova beside Wine's own notepad on the same file,
# and tova on the small sample document (what start-up alone costs).
# bench/wine/FirstPaint.cpp starts each program and watches the screen's pixels
# in the window that shows the text (tova's view, notepad's edit control), so
# both are timed the same way, process start and Wine's own start-up included.
# Rounds are interleaved; each cell shows the minimum and the median.
#   bench/first_paint.sh [ROUNDS [MEGABYTES]]     (3 rounds of the 100 MB corpus)
# It runs in a Wine session of its own (build/bench-wine: prefix, Xvfb, server).
set -euo pipefail
rounds="${1:-3}"
mb="${2:-100}"
timeout_s=900
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tova first_paint >/dev/null
source bench/common.sh
ensure_corpus "$mb"
start_bench_wine
trap stop_bench_wine EXIT

corpus=$(winpath "$data/corpus.sjis")
sample=$(winpath samples/sample.txt)
tova=$(winpath build/win64/tova.exe)
first_paint() {
    "${in_wine[@]}" build/win64/bench/wine/first_paint.exe "$@" </dev/null 2>/dev/null | tr -d '\r'
}

declare -a tova_ms notepad_ms sample_ms
for ((r = 1; r <= rounds; r++)); do
    echo "round $r of $rounds" >&2
    tova_ms+=("$(first_paint TovaEditView "$timeout_s" "$tova" "$corpus")")
    notepad_ms+=("$(first_paint Edit "$timeout_s" notepad.exe "$corpus")")
    sample_ms+=("$(first_paint TovaEditView "$timeout_s" "$tova" "$sample")")
    echo "  tova ${tova_ms[-1]} ms, notepad ${notepad_ms[-1]} ms, tova on the sample ${sample_ms[-1]} ms" >&2
done

stats() {  # min / median of the numbers given ("timeout" sorts last)
    printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%s / %s ms", a[1], a[int((NR+1)/2)]}'
}
size=$(stat -c %s "$data/corpus.sjis")
lines=$(wc -l <"$data/corpus.sjis")
echo
echo "Corpus: $size bytes, $lines lines (Shift-JIS, CR LF); $rounds interleaved rounds; min / median."
echo
echo "| program | open to first paint |"
echo "| --- | --- |"
echo "| tova | $(stats "${tova_ms[@]}") |"
echo "| Wine notepad | $(stats "${notepad_ms[@]}") |"
echo "| tova, the sample document ($(stat -c %s samples/sample.txt) bytes) | $(stats "${sample_ms[@]}") |"
