#!/usr/bin/env bash
# Builds everything and runs the whole test suite: an optimised build with
# warnings as errors, a fuzz run of the camera's stream reader, then the suite
# again under ASan + UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUBERCAM_WERROR=ON
cmake --build build/release
ctest --test-dir build/release --output-on-failure

# The stream reader under libFuzzer: replay the corpus, then fuzz for a while.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DUBERCAM_BUILD_FUZZ=ON -DUBERCAM_BUILD_TESTS=OFF -DUBERCAM_BUILD_BENCH=OFF -DUBERCAM_WERROR=ON
cmake --build build/fuzz --target StreamFuzz
fuzz_work=$(mktemp -d)
trap 'rm -rf "$fuzz_work"' EXIT
build/fuzz/Fuzz/StreamFuzz -runs=0 Fuzz/corpus/stream
build/fuzz/Fuzz/StreamFuzz -max_total_time="${UBERCAM_FUZZ_SECONDS:-60}" "$fuzz_work" Fuzz/corpus/stream

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DUBERCAM_WERROR=ON \
    -DUBERCAM_SANITIZE=ON -DUBERCAM_BUILD_BENCH=OFF
cmake --build build/sanitize
ctest --test-dir build/sanitize --output-on-failure
