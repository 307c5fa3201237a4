#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for a bounded time on a copy
# of its seed corpus. Exits non-zero when any harness fails.
#   scripts/fuzz.sh [SECONDS] [BUILD_DIR]
# SECONDS is the time per harness (30 by default); BUILD_DIR defaults to
# build-fuzz. Crash inputs are kept in the build folder, never in the repo.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
build="${2:-$root/build-fuzz}"
case "$seconds" in
    ''|*[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR]" >&2; exit 2 ;;
esac

"$root/scripts/setup.sh" --fuzz

jobs="$(nproc 2>/dev/null || echo 2)"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVO_FUZZ=ON -DTARVO_SANITIZE=ON -DTARVO_BUILD_EXAMPLES=OFF -DTARVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz --parallel "$jobs"

harnesses=(fuzz_int fuzz_real fuzz_regexp fuzz_color fuzz_point fuzz_size fuzz_rect fuzz_range
           fuzz_font fuzz_settings)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

# The library's shared objects live for the whole process on purpose.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
export QT_QPA_PLATFORM=offscreen

failed=0
for name in "${harnesses[@]}"; do
    corpus="$work/$name"
    mkdir -p "$corpus"
    cp "$root/tests/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
    log="$build/$name.log"
    rc=0
    "$build/tests/fuzz/$name" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/$name-" -print_final_stats=1 >"$log" 2>&1 || rc=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    if [ "$rc" -eq 0 ]; then
        echo "$name: ok, ${runs:-0} runs in ${seconds}s"
    else
        failed=1
        reason="$(grep -m 1 -E 'property violated|ERROR: |runtime error' "$log" || true)"
        echo "$name: FAILED (exit $rc) ${reason}; log $log, inputs in $artifacts"
    fi
done
exit "$failed"
