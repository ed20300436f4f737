#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while: fuzz.sh [SECONDS [TARGET...]]
# (all targets when none is named, e.g. fuzz.sh 300 fuzz_glyph_strip fuzz_ogg_wave).
# A target fails the run when it finds a fault, or when libFuzzer gives up its per-input leak
# check (a target whose inputs seem to keep memory hides real leaks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
dir=$root/build-fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DVANTOREL_FUZZ=ON -DVANTOREL_SDL=OFF -DBUILD_TESTING=OFF \
    -DVANTOREL_BENCH=OFF -DVANTOREL_SANITIZE=address,undefined >/dev/null
targets=("$@")
if [[ ${#targets[@]} -gt 0 ]]; then
    cmake --build "$dir" -j "${JOBS:-$(nproc)}" --target "${targets[@]}"
else
    cmake --build "$dir" -j "${JOBS:-$(nproc)}"
fi
# Leaks inside system libraries are theirs, not the parsers'.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
if [[ ${#targets[@]} -eq 0 ]]; then
    for target in "$dir"/fuzz/fuzz_*; do
        [[ -x "$target" && "$target" != *_corpus ]] && targets+=("$(basename "$target")")
    done
fi
for name in "${targets[@]}"; do
    target=$dir/fuzz/$name
    mkdir -p "$dir/corpus/$name"
    log=$dir/corpus/$name.log
    "$target" -max_total_time="$seconds" -detect_leaks=1 "$dir/corpus/$name" "$root/fuzz/corpus/$name" 2>&1 | tee "$log"
    if grep -q "disabled leak detection" "$log"; then
        echo "$name: libFuzzer turned its leak check off" >&2
        exit 1
    fi
done
