#!/usr/bin/env bash
# Builds the demo and opens its window. Arguments go to the demo, e.g.
#   scripts/demo.sh --screenshot out.png    render the window to a PNG and exit
#   scripts/demo.sh --lang de               the library's texts in German
# Without a display only --screenshot works: the script says so and exits 2
# instead of running a window nobody can see.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

screenshot=no
for arg in "$@"; do
    case "$arg" in --screenshot | --screenshot=*) screenshot=yes ;; esac
done
platform="${QT_QPA_PLATFORM:-}"
if [ "$screenshot" = yes ]; then
    # Render without a display.
    export QT_QPA_PLATFORM="${platform:-offscreen}"
elif [ "${platform%%:*}" = offscreen ] || [ "${platform%%:*}" = minimal ] \
    || { [ -z "$platform" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "No display to show the demo window on." >&2
    echo "Render it to a picture instead:  scripts/demo.sh --screenshot demo.png" >&2
    echo "or run the script where DISPLAY (or WAYLAND_DISPLAY) is set." >&2
    exit 2
fi

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" --target tarvo_demo
exec "$build/examples/demo/tarvo_demo" "$@"
