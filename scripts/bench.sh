#!/usr/bin/env bash
# Builds the benchmarks with optimisation into a folder of their own and runs
# them; each figure is printed as a ratio against its baseline.
#   scripts/bench.sh [--build DIR] [tarvo_bench arguments...]
# Arguments are handed to tarvo_bench, e.g. "fill" or "--reps 9 storeSet".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
if [ "${1:-}" = "--build" ]; then
    build="$2"
    shift 2
fi

"$root/scripts/setup.sh"

jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tarvo_bench --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
exec "$build/bench/tarvo_bench" "$@"
