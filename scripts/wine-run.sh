#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Runs a program of the Windows build under Wine, as a Windows user would start it from the folder
# the caller is in: CTest's emulator for the cross-built tests (scripts/test-windows.sh), usable by
# hand as well:
#
#   scripts/wine-run.sh build-windows/cross/tests/kivo_unit_rom.exe --gtest_filter='*Report*'
#
# Wine runs quietly in a prefix of the build's own, build-windows/wine, which the first run makes:
# - the C++ runtime, zlib and libarchive go into its system folder, where every program finds them,
#   also one a test starts with a PATH of its own (Qt's DLLs stay where they are, since Qt finds its
#   plugins beside itself: programs started from here find them through PATH);
# - Wine hands no QT_* variable of Linux's environment to Windows programs, so the two that the
#   window tests need are the user's environment in the prefix's registry: Qt Test's report goes to
#   the standard error (without a console it would go to the debugger's log), and the offscreen
#   platform draws with the DejaVu fonts.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps=$here/build-windows/deps
export WINEPREFIX=${KIVO_WINEPREFIX:-$here/build-windows/wine}
export WINEDEBUG=${KIVO_WINEDEBUG:--all}
# Wine's own helpers that would wait for a click, or ask to download something, stay off.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
wine=/usr/lib/wine/wine64

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")

if [[ ! -f "$WINEPREFIX/.kivo-ready" ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9  # two tests starting at once make it once
  if [[ ! -f "$WINEPREFIX/.kivo-ready" ]]; then
    "$wine" wineboot --init >/dev/null 2>&1
    for value in "QT_FORCE_STDERR_LOGGING=1" "QT_QPA_FONTDIR=$(windows_path /usr/share/fonts/truetype/dejavu)"; do
      "$wine" reg add 'HKCU\Environment' /v "${value%%=*}" /d "${value#*=}" /f >/dev/null 2>&1
    done
    cp "$runtime"/{libstdc++-6,libgcc_s_seh-1}.dll /usr/x86_64-w64-mingw32/lib/{libwinpthread-1,zlib1}.dll \
      "$deps/libarchive-3.6.2-mingw/bin/libarchive.dll" "$WINEPREFIX/drive_c/windows/system32/"
    touch "$WINEPREFIX/.kivo-ready"
  fi
  exec 9>&-
fi

export WINEPATH=$(windows_path "$deps/qt6-mingw/bin")

# The program's output goes through files rather than straight to the caller: a program that is the
# first of Wine's session to want a desktop or a service starts it, and those stay until the session
# ends with the program's standard output and error open, so a caller reading them to their end
# (CTest) would wait for the session rather than the program.
output=$(mktemp) errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
"$wine" "$@" >"$output" 2>"$errors" &
program=$!
trap 'kill "$program" 2>/dev/null' TERM INT  # CTest's time-out ends the program, not only this script
status=0
wait "$program" || status=$?
if ((status > 128)) && kill -0 "$program" 2>/dev/null; then wait "$program" || status=$?; fi
cat "$output"
cat "$errors" >&2
exit "$status"
