#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test offscreen; then the
# same suite again built with AddressSanitizer and UndefinedBehaviorSanitizer
# (skip that second pass with TOLVI_NO_SANITIZE=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh $(cat scripts/packages.txt) $(cat scripts/test-packages.txt)
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
if [ "${TOLVI_NO_SANITIZE:-0}" != 1 ]; then
  bash scripts/sanitize.sh build-asan
fi
