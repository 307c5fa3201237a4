#!/usr/bin/env bash
# Builds the demo and opens its window. Arguments go to the demo, e.g.
#   scripts/demo.sh --screenshot out.png
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" --target tarvo_demo

for arg in "$@"; do
    if [ "$arg" = "--screenshot" ]; then
        # Render without a display.
        export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
    fi
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found; rendering offscreen." >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec "$build/examples/demo/tarvo_demo" "$@"
