#!/bin/bash
# The Windows build of the converter under Wine beside the native one, on the
# same corpus: what the program users run costs, and how much of it is Wine's.
# Three rows per code, in interleaved rounds (min / median wall time):
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
data=build/bench-data
mkdir -p "$data"
if [ ! -f "$data/corpus-$mb.ready" ]; then
    echo "Generating the ${mb} MB corpus..." >&2
    rm -f "$data"/corpus-*.ready
    build/native/bench/make_corpus "$data" "$mb"
    touch "$data/corpus-$mb.ready"
fi
session=build/bench-wine
mkdir -p "$session"
scripts/wine-session.sh start "$session" >&2
trap 'scripts/wine-session.sh stop "$session"' EXIT

native=build/native/tools/tovaconv/tovaconv
exe=build/win64/tools/tovaconv/tovaconv.exe
out="$data/out"
results="$data/wine-results.txt"
: >"$results"
winpath() { printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"; }
wine() { WINE_SESSION_ENV="$top/$session/wine-session.env" scripts/wine-run.sh "$@"; }
now() { date +%s%N; }
# run CASE TOOL STATUS COMMAND...: times one run; STATUS is the exit status it must end with
run() {
    local case="$1" tool="$2" want="$3"
    shift 3
    rm -f "$out"
    local t0 t1 rc=0
    t0=$(now)
    "$@" </dev/null >/dev/null 2>&1 || rc=$?
    t1=$(now)
    [ "$rc" = "$want" ] || { echo "$tool ended with $rc on $case" >&2; exit 1; }
    echo "$case $tool $(((t1 - t0) / 1000))" >>"$results"
}

touch "$out"
outw=$(winpath "$out")
codes="sjis euc"
for ((r = 1; r <= rounds; r++)); do
    echo "round $r of $rounds" >&2
    run start wine 2 wine "$exe"
    for code in $codes; do
        run "$code" native 0 "$native" -s "$data/corpus.$code" "$out"
        run "$code" exe 0 wine "$exe" -s "$(winpath "$data/corpus.$code")" "$outw"
    done
done
rm -f "$out"

stats() {  # min and median (microseconds) of one case and tool
    awk -v c="$1" -v t="$2" '$1 == c && $2 == t { print $3 }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print v[1], m }'
}
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f / %.0f ms", a / 1000, b / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
read -r s_min s_med <<<"$(stats start wine)"
echo
echo "Corpus: ${mb} MB generated text; $rounds interleaved rounds; min / median wall time; to Shift-JIS."
echo
echo "| input | tovaconv (native) | tovaconv.exe under Wine | Wine start-up | exe / native | exe less start-up / native |"
echo "| --- | --- | --- | --- | --- | --- |"
for code in $codes; do
    read -r n_min n_med <<<"$(stats "$code" native)"
    read -r e_min e_med <<<"$(stats "$code" exe)"
    echo "| $code | $(ms "$n_min" "$n_med") | $(ms "$e_min" "$e_med") | $(ms "$s_min" "$s_med") |" \
        "$(ratio "$e_min" "$n_min") | $(ratio "$((e_min - s_min))" "$n_min") |"
done
