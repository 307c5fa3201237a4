#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds tarvo with its tests and runs them.
#   scripts/test.sh [--sanitize] [--qt6] [BUILD_DIR]
# --sanitize builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# a folder of its own (build-sanitize by default).
# --qt6 builds against Qt 6 instead of Qt 5.15, into build-qt6 by default.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitize=OFF
qt=5
build=""
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=ON ;;
        --qt6) qt=6 ;;
        -*) echo "unknown option: $arg" >&2; exit 2 ;;
        *) build="$arg" ;;
    esac
done
if [ -z "$build" ]; then
    build="$root/build"
    [ "$qt" = 6 ] && build="$build-qt6"
    [ "$sanitize" = ON ] && build="$build-sanitize"
fi

if [ "$qt" = 6 ]; then "$root/scripts/setup.sh" --qt6; else "$root/scripts/setup.sh"; fi

jobs="$(nproc 2>/dev/null || echo 2)"
type=RelWithDebInfo
[ "$sanitize" = ON ] && type=Debug
# The extra builds (sanitizers, Qt 6) check the library and its tests; the
# demo and the benchmarks are built by the plain Qt 5 run.
extras=ON
if [ "$sanitize" = ON ] || [ "$qt" = 6 ]; then extras=OFF; fi
# The Designer plugin is built on both Qt versions, not under the sanitizers.
designer=ON
[ "$sanitize" = ON ] && designer=OFF
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="$type" -DTARVO_WARNINGS_AS_ERRORS=ON -DTARVO_SANITIZE="$sanitize" \
    -DTARVO_QT_MAJOR="$qt" -DTARVO_BUILD_EXAMPLES="$extras" -DTARVO_BUILD_BENCH="$extras" \
    -DTARVO_DESIGNER_PLUGIN="$designer"
cmake --build "$build" --parallel "$jobs"
cd "$build"
export QT_QPA_PLATFORM=offscreen
# The library's shared objects live for the whole process on purpose.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
ctest --output-on-failure --parallel "$jobs"
