#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with, but only those missing,
# so a second `make` costs nothing. Uses sudo when not root.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsdl2-dev lib3ds-dev
    libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libegl-mesa0
    libfontconfig-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
    googletest libgtest-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick
    xserver-xorg-core xserver-xorg-video-dummy
    clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "error: these packages are missing and this user cannot install them (not root, no sudo):" >&2
    echo "  ${missing[*]}" >&2
    echo "Install them with your package manager, then run make again." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
