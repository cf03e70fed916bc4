#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Builds the real ZSNES emulator (the native Linux build, a 32-bit x86 program) for KIVO's
# real-emulator tests, installing the packages it needs first.
#
#   scripts/build-zsnes.sh [TARBALL]
#
# TARBALL defaults to ../shared/zsnes/zsnes-17c18ff9.tar.xz beside the project. The program lands in
# build/zsnes/i386/zsnes, and build/zsnes/zsnes is how it runs here: a link to it where the system
# runs 32-bit x86 programs, otherwise a wrapper script that runs it through qemu's user mode
# (qemu-i386, installed then), as a user on such a system would start it. `make test-zsnes` and the
# test suite start build/zsnes/zsnes. Run again, it rebuilds only when the tarball changed, and
# chooses the way it runs afresh. KIVO_ZSNES_QEMU=1 makes it the qemu wrapper even where the system
# runs the program itself, to try that way on such a machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
default_tarball="$root/../shared/zsnes/zsnes-17c18ff9.tar.xz"
tarball="${1:-$default_tarball}"
out="$root/build/zsnes"

real="$out/i386/zsnes"

# Leaves $out/zsnes as the way the built program runs on this system, and says which way that is.
choose_how_it_runs() {
  local refused="" why
  if [[ "${KIVO_ZSNES_QEMU:-}" != 1 ]] && refused="$("$real" --version 2>&1 >/dev/null)"; then
    ln -sfn i386/zsnes "$out/zsnes"
    echo "build-zsnes: $out/zsnes runs natively ($("$real" --version 2>/dev/null | head -n 1))"
    return
  fi
  if ! command -v qemu-i386 >/dev/null; then
    install_packages qemu-user
  fi
  if ! qemu-i386 "$real" --version >/dev/null 2>&1; then
    echo "build-zsnes: $real runs neither natively (${refused:-it failed}) nor through qemu-i386" >&2
    exit 1
  fi
  rm -f "$out/zsnes"
  printf '#!/bin/sh\n# Made by scripts/build-zsnes.sh: qemu user mode runs the 32-bit x86 emulator.\nexec qemu-i386 %q "$@"\n' \
    "$real" >"$out/zsnes"
  chmod 755 "$out/zsnes"
  if [[ "${KIVO_ZSNES_QEMU:-}" == 1 ]]; then
    why="asked for by KIVO_ZSNES_QEMU=1"
  else
    why="the system refuses 32-bit programs: ${refused:-exec failed}"
  fi
  echo "build-zsnes: $out/zsnes runs through qemu-i386 ($why)"
}

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

if [[ ! -f "$tarball" ]]; then
  if [[ $# -eq 0 && ! -x "$real" ]]; then
    # Without the emulator's source beside the project the real-emulator tests report themselves
    # skipped; a tarball named on the command line must exist.
    echo "build-zsnes: no ZSNES source at $tarball: the real-emulator tests will be SKIPPED" >&2
    exit 0
  fi
  if [[ $# -gt 0 ]]; then
    echo "build-zsnes: no ZSNES source at $tarball" >&2
    exit 1
  fi
  echo "build-zsnes: keeping $real (no source at $tarball)"
  choose_how_it_runs
  exit 0
fi
tarball="$(cd "$(dirname "$tarball")" && pwd)/$(basename "$tarball")"

# The emulator is 32-bit x86: its libraries come from Debian's i386 architecture, and they are
# needed however it runs. Xvfb, xwininfo, ImageMagick's import and xdotool are how its tests see
# and drive its window.
install_packages nasm gcc-multilib pkg-config python3 xvfb xauth x11-utils imagemagick xdotool \
  libsdl2-dev:i386 zlib1g-dev:i386 libpng-dev:i386 libgl-dev:i386

stamp="$out/.source"
if [[ -x "$real" && -f "$stamp" && "$(cat "$stamp")" == "$(sha256sum "$tarball" | cut -d' ' -f1)" ]]; then
  echo "build-zsnes: $real is up to date"
  choose_how_it_runs
  exit 0
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

mkdir -p "$out/i386"
install -m 755 "$src/zsnes" "$real"
sha256sum "$tarball" | cut -d' ' -f1 >"$stamp"
echo "build-zsnes: built $real"
choose_how_it_runs
