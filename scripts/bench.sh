#!/usr/bin/env bash
# Builds the benchmarks with optimisation into a folder of their own and runs
# them; each figure is printed as a ratio against its baseline, with its
# target and PASS or MISS. Times are CPU time; where valgrind is installed the
# figures with an instruction target are measured once more in instructions
# (callgrind), which do not depend on the load of the machine.
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
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tarvo_bench --parallel "$jobs"

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
bench="$build/bench/tarvo_bench"

echo "CPU time (load average $(cut -d' ' -f1-3 /proc/loadavg) on $jobs cores)"
"$bench" "$@"

echo
if ! command -v valgrind >/dev/null; then
    echo "valgrind is not installed: the instruction figures are skipped"
    exit 0
fi
echo "Instructions (callgrind)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg" \
    "$bench" --instructions "$@" >/dev/null 2>"$out/log" || {
    cat "$out/log" >&2
    exit 1
}
# Every measured span is one dump, labelled "figure<TAB>side<TAB>target";
# spans of the same figure and side add up.
for f in $(cd "$out" && ls cg.* 2>/dev/null | sort -t. -k2 -n); do
    label="$(sed -n 's/^desc: Trigger: Client Request: //p' "$out/$f")"
    total="$(sed -n 's/^totals: //p;s/^summary: //p' "$out/$f" | head -n1)"
    [ -n "$label" ] && printf '%s\t%s\n' "$label" "${total:-0}"
done | awk -F'\t' '
    !($1 in target) { order[n++] = $1; target[$1] = $3 }
    { sum[$1 "\t" $2] += $4 }
    END {
        printf "%-34s %14s %14s %8s %8s  %s\n", "figure", "ours", "baseline", "ratio", "target", "result"
        missed = 0
        for (i = 0; i < n; i++) {
            name = order[i]; o = sum[name "\tours"]; b = sum[name "\tbase"]
            ratio = b > 0 ? o / b : 0
            met = ratio <= target[name]
            if (!met) missed = 1
            printf "%-34s %14d %14d %7.2fx %7.2fx  %s\n", name, o, b, ratio, target[name], met ? "PASS" : "MISS"
        }
        print ""
        print missed ? "some instruction targets missed" : "all instruction targets met"
    }'
