#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Installs every Debian 12 package that building, testing, benchmarking and fuzzing KIVO needs.
# Safe to run again: apt-get install skips what is already there. Given package names, it installs
# those instead (scripts/build-windows.sh names the cross-building ones).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libarchive-dev
  libgtest-dev libgmock-dev zlib1g-dev
  libbenchmark-dev libgif-dev
  clang libclang-rt-14-dev
  zip unzip
  dosbox
  xvfb xauth x11-apps x11-utils xdotool imagemagick
  fonts-dejavu-core fonts-liberation2
)

(($#)) && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
