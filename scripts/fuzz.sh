#!/usr/bin/env bash
# Builds every libFuzzer target with clang under ASan/UBSan into build-fuzz/
# and runs each for the given number of seconds (default 10), starting from
# the seed inputs committed in fuzz/seeds/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
cmake -S . -B build-fuzz -G Ninja -DRERUDAD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz --parallel "$(nproc)"
shopt -s nullglob
for target in build-fuzz/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    seeds=fuzz/seeds/${name#fuzz_}
    mkdir -p "$corpus"
    [ -d "$seeds" ] || { echo "fuzz: no seed inputs in $seeds" >&2; exit 1; }
    echo "fuzz: $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "$seeds" 2>"build-fuzz/$name.log" \
        || { tail -n 40 "build-fuzz/$name.log"; exit 1; }
    grep -E 'stat::number_of_executed_units' "build-fuzz/$name.log" || true
done
