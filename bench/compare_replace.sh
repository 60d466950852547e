#!/bin/bash
# The view's replace-all beside sed in the C locale, both replacing every 思う
# by 考え in the same 100 MB corpus in the same run; and the view's search next
# for a word on the last line beside the searcher's whole-file rate
# (search_bench's literal case). Times are the best of three; sed's is
# processor time (user and system) of a run writing to /dev/null.
#   bench/compare_replace.sh [MEGABYTES]     (the 100 MB corpus)
set -euo pipefail
mb="${1:-100}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target replace_bench search_bench make_corpus >/dev/null
bin=build/native
source bench/common.sh
ensure_corpus "$mb"
corpus="$data/corpus.sjis"
size=$(awk -v n="$(stat -c %s "$corpus")" 'BEGIN { printf "%.1f", n / 1e6 }')

word=$'\x8e\x76\x82\xa4'
repl=$'\x8d\x6c\x82\xa6'
best=999999
for _ in 1 2 3; do
    cpu=$( { TIMEFORMAT='%3U %3S'; time LC_ALL=C sed "s/$word/$repl/g" "$corpus" >/dev/null; } 2>&1 | awk '{ print ($1 + $2) * 1000 }')
    best=$(awk -v a="$cpu" -v b="$best" 'BEGIN { print (a < b) ? a : b }')
done
sed_lines=$(LC_ALL=C grep -c "$word" "$corpus" || true)

TOVA_CORPUS="$corpus" "$bin/bench/replace_bench" --benchmark_format=json 2>/dev/null >"$data/replace.json"
TOVA_CORPUS="$corpus" "$bin/bench/search_bench" --benchmark_filter='^Search/literal_plain' --benchmark_format=json \
    2>/dev/null >"$data/search.json"
python3 - "$data/replace.json" "$data/search.json" "$best" "$sed_lines" "$size" <<'PY'
import json, sys
replace = json.load(open(sys.argv[1]))["benchmarks"]
search = json.load(open(sys.argv[2]))["benchmarks"]
sed_ms, sed_lines, size = float(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
runs = [b for b in replace if b["run_name"] == "ReplaceAllWord" and b.get("run_type") == "iteration"]
r = min(runs, key=lambda b: b["real_time"])
print(f"corpus {size} MB")
print(f"replace-all 思う -> 考え: tova {r['real_time']:.0f} ms ({int(r['lines'])} lines), "
      f"sed {sed_ms:.0f} ms ({sed_lines} lines), ratio {r['real_time'] / sed_ms:.2f}")
print(f"  undo history after it: {r['undo_bytes'] / 1e6:.2f} MB")
s = [b for b in replace if b["run_name"] == "SearchNextToLastLine" and b.get("run_type") == "iteration"]
rate = max(b["bytes_per_second"] for b in s) / 1e6
whole = max(b["bytes_per_second"] for b in search if b.get("run_type") == "iteration") / 1e6
print(f"search next to the last line: {rate:.1f} MB/s, searcher whole file {whole:.1f} MB/s, ratio {whole / rate:.2f}")
PY
