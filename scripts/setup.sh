#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, when any is missing.
# setup.sh --tests also installs those that only ./test.sh needs.
set -eu

packages=(g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev libjpeg62-turbo-dev
          libvorbis-dev libogg-dev libsdl2-dev libcurl4 xvfb xauth zip unzip python3 pkg-config sox
          libfreetype-dev fonts-dejavu-core xdotool vorbis-tools imagemagick)
# sox and oggenc (vorbis-tools) make the compressed sound fixtures of the sound tests (which skip
# without them); xdotool drives the SDL input tests under a virtual display; ImageMagick reads and
# writes the pictures that the image tests compare with ours.
# clang's libFuzzer runtime is optional; the fuzz targets are built only when it is present.

# Only for ./test.sh: clang builds every target a second time, to find what only it warns about.
test_packages=(clang)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=("${test_packages[@]}")
fi

# One query for all of them: it runs before every start of the game.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p install ok installed" <<<"$installed" || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        SUDO=sudo
    else
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
else
    SUDO=
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
