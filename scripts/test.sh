#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: an optimised build
# with warnings as errors, then an ASan + UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUBERCAM_WERROR=ON
cmake --build build/release
ctest --test-dir build/release --output-on-failure

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DUBERCAM_WERROR=ON \
    -DUBERCAM_SANITIZE=ON -DUBERCAM_BUILD_BENCH=OFF
cmake --build build/sanitize
ctest --test-dir build/sanitize --output-on-failure
