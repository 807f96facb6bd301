#!/usr/bin/env bash
# Configures and builds everything into build/ with Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR57_WITH_QT=ON -DR57_TESTS=ON -DR57_BENCHMARKS=ON >/dev/null
cmake --build build
