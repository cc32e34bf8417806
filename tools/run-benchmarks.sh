#!/bin/sh
# run-benchmarks.sh [BUILD]: runs every benchmark program of the build, one after the other.
# Each prints its figures and the ratios to its baselines measured in the same run, and
# fails when a ratio is above its limit. The window benchmarks run offscreen.
set -u
build=${1:-build}
status=0
found=0
for name in bench_card_database bench_deck bench_deck_editor bench_stats bench_render; do
    program="$build/bin/$name"
    [ -x "$program" ] || continue
    found=1
    echo "== $name"
    QT_QPA_PLATFORM=offscreen "$program" || status=1
done
if [ "$found" = 0 ]; then
    echo "run-benchmarks.sh: no benchmark programs in $build/bin (Google Benchmark is needed)" >&2
    exit 1
fi
exit $status
