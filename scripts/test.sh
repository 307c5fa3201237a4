#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds tarvo with its tests and runs them.
#   scripts/test.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"

"$root/scripts/setup.sh"

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_WARNINGS_AS_ERRORS=ON
cmake --build "$build" --parallel "$jobs"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$jobs"
