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
run=(ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)")
# The SDL backend's tests drive a real X server with real keys and clicks: without a display of
# our own, the suite runs on a virtual one.
if [[ -z "${DISPLAY:-}" ]] && command -v xvfb-run >/dev/null 2>&1; then
    run=(xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}")
fi
"${run[@]}"
