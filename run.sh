#!/usr/bin/env bash
# Sets up, builds and runs the game: in a window where there is a display, headless where there is none.
set -eu
root=$(cd "$(dirname "$0")" && pwd)
bash "$root/scripts/setup.sh"
# Only the game and its data (the data set depends on the game, which records its demo clips):
# the tests and tools are ./test.sh's. One target, so that make walks the game's libraries once.
TARGETS=data bash "$root/scripts/build.sh" "$root/build"
cd "$root/build/src"
exec ./vantorel "$@"
