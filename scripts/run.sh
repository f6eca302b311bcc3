#!/usr/bin/env bash
# Builds a release build and starts the program in ./run on a ready data.mdb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh $(cat scripts/packages.txt)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTOLVI_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target tolvi tolvi-newdb
mkdir -p run
[ -f run/data.mdb ] || ./build-release/tools/tolvi-newdb run/data.mdb
cd run
# Qt WebEngine needs its sandbox off when run as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec ../build-release/tolvi
