#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds tarvo with its tests and runs them.
#   scripts/test.sh [--sanitize] [BUILD_DIR]
# --sanitize builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# a folder of its own (build-sanitize by default).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitize=OFF
build=""
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=ON ;;
        -*) echo "unknown option: $arg" >&2; exit 2 ;;
        *) build="$arg" ;;
    esac
done
if [ -z "$build" ]; then
    if [ "$sanitize" = ON ]; then build="$root/build-sanitize"; else build="$root/build"; fi
fi

"$root/scripts/setup.sh"

jobs="$(nproc 2>/dev/null || echo 2)"
type=RelWithDebInfo
[ "$sanitize" = ON ] && type=Debug
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" -DTARVO_WARNINGS_AS_ERRORS=ON -DTARVO_SANITIZE="$sanitize"
cmake --build "$build" --parallel "$jobs"
cd "$build"
export QT_QPA_PLATFORM=offscreen
# The library's shared objects live for the whole process on purpose.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
ctest --output-on-failure --parallel "$jobs"
