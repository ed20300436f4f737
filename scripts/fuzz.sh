#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while: fuzz.sh [SECONDS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir=$root/build-fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DVANTOREL_FUZZ=ON -DVANTOREL_SDL=OFF -DBUILD_TESTING=OFF \
    -DVANTOREL_BENCH=OFF -DVANTOREL_SANITIZE=address,undefined >/dev/null
cmake --build "$dir" -j "$(nproc)"
# Leaks inside system libraries are theirs, not the parsers'.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
for target in "$dir"/fuzz/fuzz_*; do
    [[ -x "$target" && "$target" != *_corpus ]] || continue
    name=$(basename "$target")
    mkdir -p "$dir/corpus/$name"
    "$target" -max_total_time="$seconds" "$dir/corpus/$name" "$root/fuzz/corpus/$name"
done
