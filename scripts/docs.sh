#!/usr/bin/env bash
# Builds the API documentation (HTML) into build-docs/docs/html.
#   scripts/docs.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-docs}"

"$root/scripts/setup.sh"
if ! command -v doxygen >/dev/null 2>&1; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends doxygen
fi

cmake -S "$root" -B "$build" -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_EXAMPLES=OFF -DTARVO_BUILD_BENCH=OFF
cmake --build "$build" --target docs
echo "API documentation: $build/docs/html/index.html"
