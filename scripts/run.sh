#!/usr/bin/env bash
# Builds the command-line tool and runs it; without arguments it describes the camera type.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh >&2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build/release --target uber-camera >&2
exec build/release/Source/Common/Tools/uber-camera/uber-camera "$@"
