#!/bin/sh
# Runs every fuzz target for SECONDS each (default 300) with ASan and UBSan.
# New inputs go to a scratch corpus under build/fuzz-corpus; the seed corpora in
# fuzz/corpus are only read. Exits non-zero at the first crash or sanitizer report.
set -eu
seconds="${1:-300}"
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for exe in build/fuzz/fuzz/*_fuzz; do
    [ -x "$exe" ] || continue
    name=$(basename "$exe")
    work="build/fuzz-corpus/$name"
    mkdir -p "$work" "fuzz/corpus/$name"
    echo "== $name for ${seconds}s"
    if ! "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="build/fuzz-corpus/$name-" "$work" "fuzz/corpus/$name"; then
        echo "$name FAILED" >&2
        status=1
    fi
done
exit $status
