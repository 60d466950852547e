#!/bin/sh
# Builds every preset and runs every test: the portable core's unit tests natively
# and under ASan/UBSan, the fuzz targets briefly, the Wine tests (Xvfb, private
# prefix), and a build of the 32-bit Windows target. Installs what it needs.
# Prints one summary line "N passed, N failed"; exits non-zero on any failure.
#   ./test.sh              everything
#   TOVA_PRESETS="native" ./test.sh    only some presets
set -u
top=$(cd "$(dirname "$0")" && pwd)
cd "$top"
./scripts/deps.sh || { echo "0 passed, 1 failed (setting up packages)"; exit 1; }

presets="${TOVA_PRESETS:-native native-asan fuzz win64 win32}"
werror=OFF
[ -n "${CI:-}" ] && werror=ON
jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
log_dir="$top/build/logs"
mkdir -p "$log_dir"

for p in $presets; do
    echo "=== $p: configure and build"
    if ! cmake --preset "$p" -DTOVA_WERROR=$werror >"$log_dir/$p-configure.log" 2>&1; then
        cat "$log_dir/$p-configure.log"
        echo "=== $p: configure FAILED"
        failed=$((failed + 1))
        continue
    fi
    if ! cmake --build --preset "$p" >"$log_dir/$p-build.log" 2>&1; then
        grep -E 'error|Error|FAILED' "$log_dir/$p-build.log" | head -40
        echo "=== $p: build FAILED (log: build/logs/$p-build.log)"
        failed=$((failed + 1))
        continue
    fi
    grep -E 'warning:' "$log_dir/$p-build.log" | sort -u | head -20
    if [ "$p" = win32 ]; then
        echo "=== $p: built (this machine cannot run 32-bit code)"
        passed=$((passed + 1))
        continue
    fi
    echo "=== $p: test"
    par=$jobs
    [ "$p" = win64 ] && par=1
    ctest --preset "$p" -j "$par" >"$log_dir/$p-test.log" 2>&1
    sed -n '/tests passed/,$p' "$log_dir/$p-test.log"
    grep -E '\*\*\*Failed|\*\*\*Timeout|\*\*\*Exception|Not Run' "$log_dir/$p-test.log" | head -40
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log_dir/$p-test.log" | tail -n 1)
    bad=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log_dir/$p-test.log" | tail -n 1)
    if [ -z "$total" ] && grep -q 'No tests were found' "$log_dir/$p-test.log"; then
        continue
    fi
    if [ -z "$total" ]; then
        tail -20 "$log_dir/$p-test.log"
        failed=$((failed + 1))
        continue
    fi
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
