#!/bin/bash
# Times tovaconv side by side with iconv and nkf on the same generated corpus, in
# every direction between Shift-JIS, EUC-JP and JIS, and the editor's load alone
# beside the floor (a plain program that reads the file and makes one heap
# allocation per line). Rounds are interleaved (every tool once per round, in
# turn); each cell shows the minimum and the median over the rounds.
#   bench/compare.sh [ROUNDS [MEGABYTES]]     (5 rounds of the 100 MB corpus)
# The corpus is generated into build/bench-data on first use (never committed).
set -euo pipefail
rounds="${1:-5}"
mb="${2:-100}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target tovaconv make_corpus floor tova_load >/dev/null
bin=build/native
source bench/common.sh
ensure_corpus "$mb"
conv="$bin/tools/tovaconv/tovaconv"
out="$data/out"
results="$data/results.txt"
: >"$results"

declare -A iconvName=([sjis]=SHIFT_JIS [euc]=EUC-JP [jis]=ISO-2022-JP)
declare -A nkfIn=([sjis]=-S [euc]=-E [jis]=-J)
declare -A nkfOut=([sjis]=-s [euc]=-e [jis]=-j)
directions="sjis:euc sjis:jis euc:sjis jis:sjis euc:jis jis:euc"

now() { date +%s%N; }
# run CASE TOOL COMMAND...: times one run (output removed first, outside the timing)
run() {
    local case="$1" tool="$2"
    shift 2
    rm -f "$out"
    local t0 t1
    t0=$(now)
    "$@" >/dev/null 2>&1 || { echo "$tool failed on $case" >&2; exit 1; }
    t1=$(now)
    echo "$case $tool $(((t1 - t0) / 1000))" >>"$results"
}
sh_to() { local o="$1"; shift; "$@" >"$o"; }

for ((r = 1; r <= rounds; r++)); do
    echo "round $r of $rounds" >&2
    for code in sjis euc jis; do
        run "load-$code" floor "$bin/bench/floor" "$data/corpus.$code"
        run "load-$code" tova "$bin/bench/tova_load" "$data/corpus.$code"
    done
    for d in $directions; do
        from=${d%:*}
        to=${d#*:}
        in="$data/corpus.$from"
        run "$d" tovaconv "$conv" "${nkfOut[$to]}" "$in" "$out"
        run "$d" iconv sh_to "$out" iconv -f "${iconvName[$from]}" -t "${iconvName[$to]}" "$in"
        run "$d" nkf sh_to "$out" nkf -m0 "${nkfIn[$from]}" "${nkfOut[$to]}" "$in"
    done
done
rm -f "$out"

# Minimum and median (microseconds) of one case and tool.
stats() {
    awk -v c="$1" -v t="$2" '$1 == c && $2 == t { print $3 }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print v[1], m }'
}
size() { stat -c %s "$data/corpus.$1"; }
mbps() { awk -v b="$1" -v us="$2" 'BEGIN { printf "%.0f", b / us }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
echo "Corpus: ${mb} MB generated text; $rounds interleaved rounds; min / median wall time; MB/s of the input at the minimum."
echo
echo "| direction | tovaconv | iconv | nkf | nkf / tovaconv | iconv / tovaconv |"
echo "| --- | --- | --- | --- | --- | --- |"
for d in $directions; do
    from=${d%:*}
    bytes=$(size "$from")
    read -r tmin tmed <<<"$(stats "$d" tovaconv)"
    read -r imin imed <<<"$(stats "$d" iconv)"
    read -r nmin nmed <<<"$(stats "$d" nkf)"
    printf '| %s -> %s | %d / %d ms (%s MB/s) | %d / %d ms (%s MB/s) | %d / %d ms (%s MB/s) | %sx | %sx |\n' \
        "$from" "${d#*:}" $((tmin / 1000)) $((tmed / 1000)) "$(mbps "$bytes" "$tmin")" \
        $((imin / 1000)) $((imed / 1000)) "$(mbps "$bytes" "$imin")" \
        $((nmin / 1000)) $((nmed / 1000)) "$(mbps "$bytes" "$nmin")" \
        "$(ratio "$nmin" "$tmin")" "$(ratio "$imin" "$tmin")"
done
echo
echo "| load into lines | floor (read + one malloc per line) | tova_load (the editor's load) | tova_load / floor |"
echo "| --- | --- | --- | --- |"
for code in sjis euc jis; do
    bytes=$(size "$code")
    read -r fmin fmed <<<"$(stats "load-$code" floor)"
    read -r lmin lmed <<<"$(stats "load-$code" tova)"
    printf '| %s | %d / %d ms (%s MB/s) | %d / %d ms (%s MB/s) | %sx |\n' "$code" \
        $((fmin / 1000)) $((fmed / 1000)) "$(mbps "$bytes" "$fmin")" \
        $((lmin / 1000)) $((lmed / 1000)) "$(mbps "$bytes" "$lmin")" "$(ratio "$lmin" "$fmin")"
done

# The search engine beside grep and the reference regular-expression library.
bench/compare_search.sh "$mb"
