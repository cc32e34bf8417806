#!/bin/sh
# Builds the fuzz targets with clang and runs each in turn.
#
#   fuzz/run-all.sh [SECONDS] [TARGET ...]
#
# Each target runs for SECONDS seconds (default 120), or, with RUNS=N in the environment,
# for N executions; JOBS=N limits the build's parallel jobs. TARGET names (deck_file,
# render_jpeg, ...) limit the run to those targets. A finding does not stop the run: its
# reproducer is saved under fuzz/findings/ (as NAME-crash-..., NAME-timeout-...,
# NAME-oom-...), the next target runs, and every finding is listed at the end; the status
# is 1 when there was any.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
[ $# -gt 0 ] && shift
findings="$top/fuzz/findings"
mkdir -p "$findings"

all=$(cd "$top/fuzz" && cat ./*.cmake | sed -n 's/^add_fuzz_target(\([a-z_0-9]*\).*/\1/p')
names=${*:-$all}

cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DZANDOR_FUZZ=ON -DZANDOR_TESTS=OFF \
    -DZANDOR_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null || exit 2
ninja -C "$top/build-fuzz" ${JOBS:+-j "$JOBS"} $(for n in $names; do echo "fuzz_$n"; done) || exit 2

report=$(mktemp)
for name in $names; do
    target="$top/build-fuzz/bin/fuzz_$name"
    work="$top/fuzz/corpus-work/$name"
    mkdir -p "$work"
    if [ -n "${RUNS:-}" ]; then
        limit="-runs=$RUNS"
        echo "== $name for $RUNS executions"
    else
        limit="-max_total_time=$seconds"
        echo "== $name for ${seconds}s"
    fi
    log="$work.log"
    QT_QPA_PLATFORM=offscreen "$target" $limit -print_final_stats=1 -timeout=25 \
        -rss_limit_mb=2048 -artifact_prefix="$findings/$name-" "$work" \
        "$top/fuzz/corpus/$name" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    tail -n 3 "$log"
    if [ "$status" -ne 0 ]; then
        for file in "$findings/$name"-*; do
            [ -e "$file" ] && echo "$name: $file (status $status)" >>"$report"
        done
        grep -q "^$name:" "$report" || echo "$name: status $status, see $log" >>"$report"
    fi
    echo "$name: ${runs:-?} executions, status $status"
done

if [ -s "$report" ]; then
    echo
    echo "Findings:"
    sort -u "$report"
    rm -f "$report"
    exit 1
fi
rm -f "$report"
echo
echo "No findings."
