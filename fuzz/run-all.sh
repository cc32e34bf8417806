#!/bin/sh
# Builds every fuzz target with clang and runs each for SECONDS seconds (default 120).
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DZANDOR_FUZZ=ON -DZANDOR_TESTS=OFF \
    -DZANDOR_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
ninja -C "$top/build-fuzz" $(cd "$top/fuzz" && ls *.cmake | xargs cat | sed -n 's/add_fuzz_target(\([a-z_]*\).*/fuzz_\1/p')
for target in "$top"/build-fuzz/bin/fuzz_*; do
    name=$(basename "$target" | sed 's/^fuzz_//')
    work="$top/fuzz/corpus-work/$name"
    mkdir -p "$work"
    echo "== $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$top/fuzz/corpus/$name"
done
