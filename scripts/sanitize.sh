#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it. Usage: scripts/sanitize.sh [build-dir] (default build-asan/).
#
# Leak checking is off: Qt, fontconfig and the GL/offscreen plugins keep
# process-lifetime allocations that LeakSanitizer reports as leaks, which drown
# any real finding. Every other ASan check and every UBSan check stays on, and
# the first UBSan report stops the test that raised it.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-asan}"
jobs="${JOBS:-$(nproc)}"
start=$(date +%s)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DTOLVI_SANITIZE=ON >/dev/null
cmake --build "$dir" -j"$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir "$dir" --output-on-failure -j"$jobs" || status=$?
echo "sanitize.sh: $(($(date +%s) - start)) s"
exit $status
