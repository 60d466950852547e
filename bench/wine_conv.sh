#!/bin/bash
# The Windows build of the converter under Wine beside the native one, on the
# same corpus: what the program users run costs, and how much of it is Wine's.
# Three columns per code, in interleaved rounds (min / median, wall time and
# processor time, since on a shared machine the wall time is mostly waiting):
#   tovaconv            the native converter
#   tovaconv.exe        the Windows build under Wine (process start included)
#   Wine start-up       tovaconv.exe with no arguments: Wine starting the same
#                       program, which only prints its usage
# and a last column, the Windows build with Wine's start-up taken off.
#   bench/wine_conv.sh [ROUNDS [MEGABYTES]]     (5 rounds of the 100 MB corpus)
# It runs in a Wine session of its own (build/bench-wine), as first_paint.sh does.
set -euo pipefail
rounds="${1:-5}"
mb="${2:-100}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target tovaconv make_corpus >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tovaconv >/dev/null
source bench/common.sh
ensure_corpus "$mb"
start_bench_wine
trap stop_bench_wine EXIT

native=build/native/tools/tovaconv/tovaconv
exe=build/win64/tools/tovaconv/tovaconv.exe
out="$data/out"
results="$data/wine-results.txt"
: >"$results"
# run CASE TOOL STATUS COMMAND...: times one run, wall and processor (user +
# system of the process; the wineserver's share is not in it); STATUS is the
# exit status the command must end with.
run() {
    local case="$1" tool="$2" want="$3"
    shift 3
    rm -f "$out"
    local rc=0
    /usr/bin/time -f "%e %U %S" -o "$data/time.txt" "$@" </dev/null >/dev/null 2>&1 || rc=$?
    [ "$rc" = "$want" ] || { echo "$tool ended with $rc on $case" >&2; exit 1; }
    # (time puts a line of its own before the figures when the status is not 0)
    awk -v c="$case" -v t="$tool" 'NF == 3 && $1 ~ /^[0-9.]+$/ { printf "%s %s %d %d\n", c, t, $1 * 1000, ($2 + $3) * 1000 }' \
        "$data/time.txt" >>"$results"
}

touch "$out"
outw=$(winpath "$out")
codes="sjis euc"
for ((r = 1; r <= rounds; r++)); do
    echo "round $r of $rounds" >&2
    run start wine 2 "${in_wine[@]}" "$exe"
    for code in $codes; do
        run "$code" native 0 "$native" -s "$data/corpus.$code" "$out"
        run "$code" exe 0 "${in_wine[@]}" "$exe" -s "$(winpath "$data/corpus.$code")" "$outw"
    done
done
rm -f "$out"

stats() {  # min and median (ms) of one case and tool; COLUMN 3 is wall, 4 processor
    awk -v c="$1" -v t="$2" -v k="$3" '$1 == c && $2 == t { print $k }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print v[1], m }'
}
cell() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%d / %d ms", a, b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / (b > 0 ? b : 1) }'; }
echo
echo "Corpus: ${mb} MB generated text, to Shift-JIS; $rounds interleaved rounds; min / median;"
echo "wall time, then processor time (user + system) of the process alone."
for k in 3 4; do
    [ "$k" = 3 ] && what="wall" || what="processor"
    read -r s_min s_med <<<"$(stats start wine "$k")"
    echo
    echo "| input ($what) | tovaconv (native) | tovaconv.exe under Wine | Wine start-up | exe / native | exe less start-up / native |"
    echo "| --- | --- | --- | --- | --- | --- |"
    for code in $codes; do
        read -r n_min n_med <<<"$(stats "$code" native "$k")"
        read -r e_min e_med <<<"$(stats "$code" exe "$k")"
        echo "| $code | $(cell "$n_min" "$n_med") | $(cell "$e_min" "$e_med") | $(cell "$s_min" "$s_med") |" \
            "$(ratio "$e_min" "$n_min") | $(ratio "$((e_min - s_min))" "$n_min") |"
    done
done
