#!/usr/bin/env bash
# Configures and builds into a build folder: build.sh [BUILD_DIR] [extra cmake arguments...]
# JOBS=n limits the parallel compile jobs (default: every core); TARGETS="a b" builds only those.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}; shift || true
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
# A configured folder given no new settings is left to the build, which configures again itself
# when a CMakeLists.txt changed.
if [[ $# -gt 0 || ! -f "$dir/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
targets=()
[[ -n "${TARGETS:-}" ]] && targets=(--target ${TARGETS})
cmake --build "$dir" -j "$jobs" "${targets[@]}"
