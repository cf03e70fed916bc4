#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Builds the real ZSNES emulator (the native Linux build, a 32-bit x86 program) for KIVO's
# real-emulator tests, installing the packages it needs first.
#
#   scripts/build-zsnes.sh [TARBALL]
#
# TARBALL defaults to ../shared/zsnes/zsnes-17c18ff9.tar.xz beside the project. The program lands in
# build/zsnes/zsnes; `make test-zsnes` and the test suite find it there. Run again, it rebuilds only
# when the tarball changed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
default_tarball="$root/../shared/zsnes/zsnes-17c18ff9.tar.xz"
tarball="${1:-$default_tarball}"
out="$root/build/zsnes"

if [[ ! -f "$tarball" ]]; then
  if [[ $# -eq 0 && ! -x "$out/zsnes" ]]; then
    # Without the emulator's source beside the project the real-emulator tests report themselves
    # skipped; a tarball named on the command line must exist.
    echo "build-zsnes: no ZSNES source at $tarball: the real-emulator tests will be SKIPPED" >&2
    exit 0
  fi
  if [[ $# -gt 0 ]]; then
    echo "build-zsnes: no ZSNES source at $tarball" >&2
    exit 1
  fi
  echo "build-zsnes: keeping $out/zsnes (no source at $tarball)"
  exit 0
fi
tarball="$(cd "$(dirname "$tarball")" && pwd)/$(basename "$tarball")"

stamp="$out/.source"
if [[ -x "$out/zsnes" && -f "$stamp" && "$(cat "$stamp")" == "$(sha256sum "$tarball" | cut -d' ' -f1)" ]]; then
  echo "build-zsnes: $out/zsnes is up to date"
  exit 0
fi

# The emulator is 32-bit x86: its libraries come from Debian's i386 architecture.
# Xvfb, xwininfo, ImageMagick's import and xdotool are how its tests see and drive its window.
packages=(nasm gcc-multilib pkg-config python3 xvfb xauth x11-utils imagemagick xdotool
  libsdl2-dev:i386 zlib1g-dev:i386 libpng-dev:i386 libgl-dev:i386)
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tar -xJf "$tarball" -C "$work"
src="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)"

# The Makefile sets PKG_CONFIG_PATH itself, but make does not pass it to $(shell pkg-config ...),
# so without the export no 32-bit SDL is found. The define maps one SDL3 name this snapshot calls
# to its SDL2 name.
export PKG_CONFIG_PATH=/usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig
(cd "$src" && CFLAGS=-DSDL_RumbleJoystick=SDL_JoystickRumble make -j"$(nproc)" >"$work/make.log" 2>&1) || {
  tail -n 40 "$work/make.log" >&2
  echo "build-zsnes: the build failed" >&2
  exit 1
}

mkdir -p "$out"
install -m 755 "$src/zsnes" "$out/zsnes"
sha256sum "$tarball" | cut -d' ' -f1 >"$stamp"
"$out/zsnes" --version | head -n 1 || true
echo "build-zsnes: built $out/zsnes"
