#!/usr/bin/env bash
# Sets up, builds and runs every test. ./test.sh --sanitize builds with AddressSanitizer and UBSan.
set -eu
root=$(cd "$(dirname "$0")" && pwd)
bash "$root/scripts/setup.sh"
dir=$root/build
extra=()
if [[ "${1:-}" == "--sanitize" ]]; then
    dir=$root/build-asan
    extra=(-DVANTOREL_SANITIZE=address,undefined -DVANTOREL_BENCH=OFF)
fi
bash "$root/scripts/build.sh" "$dir" "${extra[@]}"
cd "$dir"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
