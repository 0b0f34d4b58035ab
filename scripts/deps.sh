#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# skipping those already present. Run as root (or through sudo).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  # Qt Charts; its CMake package finds its OpenGL dependency only through libqt6opengl6-dev.
  qt6-charts-dev libqt6opengl6-dev
  zlib1g-dev
  libgtest-dev libgmock-dev
  xvfb xauth imagemagick
  fonts-dejavu-core fonts-liberation fonts-wqy-microhei
  desktop-file-utils appstream dpkg-dev lintian xdotool
  python3 chromium
  clang libclang-rt-14-dev mawk time
)
[ "$#" -gt 0 ] && packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
