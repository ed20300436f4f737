#!/usr/bin/env bash
# Sets up, builds and runs every test, a compiler warning failing the build. Every target is also
# built with clang (into build-clang, not run), which warns about things g++ lets pass.
# ./test.sh --sanitize builds with AddressSanitizer and UBSan instead, without the clang build:
# that one checks the code, which the plain run does, not how it runs.
set -eu
root=$(cd "$(dirname "$0")" && pwd)
bash "$root/scripts/setup.sh" --tests
dir=$root/build
extra=(-DVANTOREL_WERROR=ON)
if [[ "${1:-}" == "--sanitize" ]]; then
    dir=$root/build-asan
    extra+=(-DVANTOREL_SANITIZE=address,undefined -DVANTOREL_BENCH=OFF)
fi
bash "$root/scripts/build.sh" "$dir" "${extra[@]}"
if [[ "${1:-}" != "--sanitize" ]]; then
    CC=clang CXX=clang++ bash "$root/scripts/build.sh" "$root/build-clang" -DVANTOREL_WERROR=ON
fi
cd "$dir"
# The SDL backend's tests drive a real X server with real keys and clicks: without a display of
# our own, the suite runs on a virtual one. It is ended and waited for before this script ends, so
# nothing of the run outlives it (xvfb-run leaves its server to exit on its own). It does not reset
# between tests, when the last client of one leaves as the next connects.
if [[ -z "${DISPLAY:-}" ]] && command -v Xvfb >/dev/null 2>&1; then
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number"' EXIT
    # The server writes its display's number once it takes connections.
    for _ in $(seq 300); do
        [[ -s "$number" ]] || ! kill -0 "$xvfb" 2>/dev/null && break
        sleep 0.1
    done
    [[ -s "$number" ]] && export DISPLAY=:$(head -n 1 "$number")
fi
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
