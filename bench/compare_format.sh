#!/bin/bash
# Paragraph formatting of a generated corpus through the editor's view beside
# GNU fmt -w 72 on the same bytes in the C locale (fmt knows nothing of Japanese
# line breaking, but sets the scale). Rounds are interleaved; the table shows
# the minimum and the median. tova's time is the command alone (the file is
# loaded before it); fmt's is its whole run, reading included.
#   bench/compare_format.sh [ROUNDS [MEGABYTES]]     (5 rounds of a 10 MB corpus)
set -euo pipefail
rounds="${1:-5}"
mb="${2:-10}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --preset native >/dev/null
cmake --build --preset native --target make_corpus tova_format >/dev/null
bin=build/native
data=build/bench-data/format-$mb
mkdir -p "$data"
[ -f "$data/corpus.sjis" ] || "$bin/bench/make_corpus" "$data" "$mb" >/dev/null
in="$data/corpus.sjis"
results="$data/results.txt"
: >"$results"
now() { date +%s%N; }
for ((r = 1; r <= rounds; r++)); do
    line=$("$bin/bench/tova_format" "$in")
    echo "$line" | grep -q "undo_restores yes" || { echo "undo did not restore the text: $line" >&2; exit 1; }
    echo "tova $(echo "$line" | awk '{ print $2 }')" >>"$results"
    echo "again $(echo "$line" | awk '{ print $4 }')" >>"$results"
    t0=$(now)
    LC_ALL=C fmt -w 72 "$in" >/dev/null
    t1=$(now)
    echo "fmt $(((t1 - t0) / 1000))" >>"$results"
done
stats() {
    awk -v t="$1" '$1 == t { print $2 }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print v[1], m }'
}
read -r tmin tmed <<<"$(stats tova)"
read -r amin amed <<<"$(stats again)"
read -r fmin fmed <<<"$(stats fmt)"
echo
echo "Corpus: $(stat -c %s "$in") bytes of generated text, all lines marked; $rounds interleaved rounds; min / median."
echo
echo "| ID_FORMAT_PARAGRAPH (72 columns) | the same again, memory warm | fmt -w 72 (C locale) | tova / fmt | again / fmt |"
echo "| --- | --- | --- | --- | --- |"
printf '| %d / %d ms | %d / %d ms | %d / %d ms | %sx | %sx |\n' $((tmin / 1000)) $((tmed / 1000)) $((amin / 1000)) \
    $((amed / 1000)) $((fmin / 1000)) $((fmed / 1000)) \
    "$(awk -v a="$tmin" -v b="$fmin" 'BEGIN { printf "%.2f", a / b }')" \
    "$(awk -v a="$amin" -v b="$fmin" 'BEGIN { printf "%.2f", a / b }')"
echo "The one undo record restored the text exactly in every round."
