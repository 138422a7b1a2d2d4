#!/usr/bin/env bash
# Builds the command-line tool and runs it with the given arguments in the caller's
# folder; without arguments it renders the sample scene to uber-camera.png there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/deps.sh" >&2
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build "$root/build/release" --target uber-camera >&2
exec "$root/build/release/Source/Common/Tools/uber-camera/uber-camera" "$@"
