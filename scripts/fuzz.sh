#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while: fuzz.sh [SECONDS [TARGET...]]
# (all targets when none is named, e.g. fuzz.sh 300 fuzz_glyph_strip fuzz_ogg_wave).
# A target fails the run when it finds a fault, or when libFuzzer gives up its per-input leak
# check (a target whose inputs seem to keep memory hides real leaks).
#
# Inputs that cost too much are faults too: an input that takes longer than TIMEOUT seconds, a
# single allocation above MALLOC_LIMIT_MB, or a process above RSS_LIMIT_MB ends the run with the
# input saved (timeout-*, oom-*, crash-* under build-fuzz/artifacts). The limits leave room for
# the largest inputs the readers accept (a sequence source at its bound takes about 3 s and 200 MB
# here, rebuilt for two displays under the sanitizers) and for AddressSanitizer's own keep of
# freed memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
dir=$root/build-fuzz
timeout=${TIMEOUT:-10}
malloc_limit=${MALLOC_LIMIT_MB:-256}
rss_limit=${RSS_LIMIT_MB:-1024}
targets=("$@")
# Several runs may share the build folder: one builds at a time.
mkdir -p "$dir"
(
    flock 9
    # The code builds without warnings under clang, with these sanitizers too (test.sh checks the
    # plain clang build); should a newer clang warn, the warning shows but does not stop a search.
    CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DVANTOREL_FUZZ=ON -DVANTOREL_SDL=OFF -DBUILD_TESTING=OFF -DVANTOREL_WERROR=OFF \
        -DVANTOREL_BENCH=OFF -DVANTOREL_SANITIZE=address,undefined >/dev/null
    if [[ ${#targets[@]} -gt 0 ]]; then
        cmake --build "$dir" -j "${JOBS:-$(nproc)}" --target "${targets[@]}"
    else
        cmake --build "$dir" -j "${JOBS:-$(nproc)}"
    fi
) 9>"$dir/.build-lock"
# Leaks inside system libraries are theirs, not the parsers'.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
if [[ ${#targets[@]} -eq 0 ]]; then
    for target in "$dir"/fuzz/fuzz_*; do
        [[ -x "$target" && "$target" != *_corpus ]] && targets+=("$(basename "$target")")
    done
fi
mkdir -p "$dir/artifacts"
for name in "${targets[@]}"; do
    target=$dir/fuzz/$name
    mkdir -p "$dir/corpus/$name"
    log=$dir/corpus/$name.log
    "$target" -max_total_time="$seconds" -timeout="$timeout" -malloc_limit_mb="$malloc_limit" \
        -rss_limit_mb="$rss_limit" -detect_leaks=1 -artifact_prefix="$dir/artifacts/$name-" \
        "$dir/corpus/$name" "$root/fuzz/corpus/$name" 2>&1 | tee "$log"
    if grep -q "disabled leak detection" "$log"; then
        echo "$name: libFuzzer turned its leak check off" >&2
        exit 1
    fi
done
