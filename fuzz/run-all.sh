#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
# Usage: fuzz/run-all.sh [seconds-per-target] [build-dir]   (default 60, build-fuzz/)
# Findings land in <build-dir>/findings/<target>/ (crash-*, timeout-*, oom-*);
# the script exits non-zero when any target found something.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seconds="${1:-60}"
dir="${2:-$here/../build-fuzz}"
cmake -S "$here" -B "$dir" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$dir" -j"${JOBS:-$(nproc)}" || exit 1
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in csv xls jetsql pinyin address capitals biff; do
    work="$dir/corpus/$target"
    findings="$dir/findings/$target"
    mkdir -p "$work" "$findings"
    start=$(date +%s)
    # The growing corpus goes to the build dir; the seeds in fuzz/corpus stay as committed.
    "$dir/fuzz_$target" "$work" "$here/corpus/$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$findings/" \
        -print_final_stats=1 >"$dir/fuzz_$target.log" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/fuzz_$target.log" | grep -o '[0-9]*$')
    echo "fuzz_$target: exit $rc, $(($(date +%s) - start)) s, ${runs:-?} runs, findings: $(ls "$findings" | wc -l)"
    [ $rc -eq 0 ] || failed=1
done
exit $failed
