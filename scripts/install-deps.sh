#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorvane need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev libfreetype-dev
  libxcb1-dev libxcb-shm0-dev libxcb-shape0-dev libxcb-icccm4-dev libxcb-xtest0-dev libxkbcommon-dev
  libxkbcommon-x11-dev libxcb-randr0-dev libxcb-xkb-dev libxcb-dpms0-dev
  libpng-dev nlohmann-json3-dev
  libturbojpeg0-dev libjpeg-dev libgif-dev libasound2-dev
  xvfb x11-apps xauth xclip fonts-dejavu-core fonts-liberation2
  libmagic-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# A fresh machine has empty package lists; fetch them once.
if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -e lock -e partial)" ]; then
  $sudo apt-get update
fi
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
