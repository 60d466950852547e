#!/bin/bash
# The editor's search beside GNU grep and the reference regular-expression
# library, on the same generated Shift-JIS corpus in the same run: a literal
# kanji word, a run of katakana, a backtracking pattern and a caseless ASCII
# word, each searched line by line. Prints MB/s, the ratios, and the number of
# matching lines each tool found. Rates are per second of processor time, so
# other work on a shared machine does not skew them.
#   bench/compare_search.sh [MEGABYTES]     (the 100 MB corpus)
# The corpus is the one bench/compare.sh uses, generated into build/bench-data
# on first use.
set -euo pipefail
mb="${1:-100}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target search_bench make_corpus >/dev/null
bin=build/native
source bench/common.sh
ensure_corpus "$mb"
corpus="$data/corpus.sjis"
onig="$bin/bench/onig_search"
cc -O2 -Wall -Wextra -o "$onig" bench/onig_search.c -lonig
size=$(awk -v n="$(stat -c %s "$corpus")" 'BEGIN { printf "%.1f", n / 1e6 }')

# The patterns in Shift-JIS: 思う is 8E 76 82 A4; ァ is 83 40 and ヶ 83 96.
word=$'\x8e\x76\x82\xa4'
kana=$'[\x83\x40-\x83\x96]+'
kana_bytes=$'(\x83[\x40-\x96])+'

# The editor: the best of three repetitions of each case.
tova=$(TOVA_CORPUS="$corpus" "$bin/bench/search_bench" --benchmark_filter="^Search" --benchmark_format=json 2>/dev/null |
    python3 -c '
import json, sys
best = {}
for b in json.load(sys.stdin)["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name = b["run_name"].split("/")[1]
    rate = b["bytes_per_second"] / 1e6
    if rate > best.get(name, (0, 0))[0]:
        best[name] = (rate, int(b["lines"]))
for name, (rate, lines) in best.items():
    print(name, "%.1f" % rate, lines)
')
onig_out=$("$onig" "$corpus" literal - "$word" katakana_run - "$kana" backtracking - 'a.*b' caseless_word i readme)

# grep: processor time (user and system) of the best of three runs, counting
# matching lines.
grep_rate() {
    local best=0 lines=0 out="$data/grep.out"
    for _ in 1 2 3; do
        local cpu rate
        cpu=$( { TIMEFORMAT='%3U %3S'; time LC_ALL=C grep -c "$@" "$corpus" >"$out" || true; } 2>&1 | awk '{ print $1 + $2 }')
        lines=$(cat "$out")
        rate=$(awk -v mb="$size" -v s="$cpu" 'BEGIN { printf "%.1f", (s > 0) ? mb / s : 0 }')
        best=$(awk -v a="$rate" -v b="$best" 'BEGIN { print (a > b) ? a : b }')
    done
    echo "$best $lines"
}
grep_out=$(
    echo "literal $(grep_rate -F -e "$word")"
    echo "katakana_run $(grep_rate -E -e "$kana_bytes")"
    echo "backtracking $(grep_rate -e 'a.*b')"
    echo "caseless_word $(grep_rate -i -F -e readme)"
)

field() { awk -v k="$2" -v f="$3" '$1 == k { print $f }' <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

echo
echo "Search, line by line, in the ${size} MB corpus: MB/s of processor time (best of 3), and the lines with a match."
echo
echo "| case | tova | onig | grep | tova / onig | tova / grep | lines (tova, onig, grep) |"
echo "| --- | --- | --- | --- | --- | --- | --- |"
for c in literal_plain literal_regex katakana_run backtracking caseless_word; do
    ref=$c
    case $c in literal_*) ref=literal ;; esac
    t=$(field "$tova" "$c" 2); tl=$(field "$tova" "$c" 3)
    o=$(field "$onig_out" "$ref" 2); ol=$(field "$onig_out" "$ref" 3)
    g=$(field "$grep_out" "$ref" 2); gl=$(field "$grep_out" "$ref" 3)
    printf '| %s | %s | %s | %s | %sx | %sx | %s, %s, %s |\n' "$c" "$t" "$o" "$g" "$(ratio "$t" "$o")" "$(ratio "$t" "$g")" \
        "$tl" "$ol" "$gl"
done
rm -f "$data/grep.out"
