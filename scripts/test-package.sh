#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Installs KIVO's package as a user would, on this machine (as root), and starts the installed KIVO
# as an ordinary user with a home of its own: kivo.ini and the cache must land under that home, not
# beside /usr/bin/kivo, and kivo-tool must work from /usr/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$(ls build-package/kivo_*.deb | head -n 1)"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
dpkg -s kivo | grep -E '^(Version|Depends):'

user=nobody
home="$(mktemp -d)"
chown "$user" "$home"
trap 'rm -rf "$home"' EXIT
as_user() { runuser -u "$user" -- env HOME="$home" XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen "$@"; }

# The window, started and left to come up, makes its folders under that home (kivo.ini itself is
# written once the user changes a setting).
as_user timeout 8 /usr/bin/kivo >/dev/null 2>&1 || true
test -d "$home/.config/kivo" || { echo "test-package: no ~/.config/kivo" >&2; exit 1; }
test -d "$home/.cache/kivo/zipcache" || { echo "test-package: no ~/.cache/kivo/zipcache" >&2; exit 1; }
test ! -e /usr/bin/kivo.ini || { echo "test-package: kivo.ini beside /usr/bin/kivo" >&2; exit 1; }

# kivo-tool from /usr/bin, on a ROM image made here: a 1-Mbit image with a valid LoROM header.
rom="$home/TEST.SMC"
python3 - "$rom" <<'PY'
import sys
image = bytearray(131072)
at = 0x7FC0
image[at:at + 21] = b"KIVO PACKAGE TEST    "
image[at + 21] = 0x20
image[at + 23] = 0x07
image[at + 28:at + 32] = b"\xff\xff\x00\x00"
s = sum(image) & 0xFFFF
image[at + 28:at + 30] = (s ^ 0xFFFF).to_bytes(2, "little")
image[at + 30:at + 32] = s.to_bytes(2, "little")
open(sys.argv[1], "wb").write(image)
PY
chown "$user" "$rom"
as_user /usr/bin/kivo-tool info "$rom" | grep -q 'Title: KIVO PACKAGE TEST'
as_user /usr/bin/kivo-tool verify "$rom"
# The settings both read are the ones under that home: the ZSNES folder set there is the one the
# command line names.
as_user sh -c 'mkdir "$HOME/emu" && printf "MZ" > "$HOME/emu/ZSNES.EXE" &&
  printf "[General]\nZSNESPath=%s/emu\n" "$HOME" > "$HOME/.config/kivo/kivo.ini"'
as_user /usr/bin/kivo-tool cmdline "$rom" | grep -qxF "working folder: $home/emu"
test ! -e /usr/bin/kivo.ini || { echo "test-package: kivo.ini beside /usr/bin/kivo" >&2; exit 1; }
echo "test-package: installed KIVO keeps its files in $home/.config/kivo and $home/.cache/kivo"
