#!/usr/bin/env bash
# Builds the API documentation (HTML) into build-docs/docs/html; fails when
# a public class or member is not documented.
#   scripts/docs.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-docs}"

"$root/scripts/setup.sh" --docs

cmake -S "$root" -B "$build" -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_EXAMPLES=OFF -DTARVO_BUILD_BENCH=OFF
cmake --build "$build" --target docs
echo "API documentation: $build/docs/html/index.html"
