#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh $(cat scripts/packages.txt) $(cat scripts/test-packages.txt)
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
