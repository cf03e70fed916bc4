#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Cross-builds KIVO for 64-bit Windows with mingw-w64 and packs what a user unzips:
#
#   scripts/build-windows.sh
#
# Qt and libarchive for Windows come as archives in ../shared/windows/ (Debian has no Windows
# builds of them); they are unpacked into build-windows/deps once. The programs land in
# build-windows/cross, the package in build-windows/kivo-<version>-windows-x64.zip: kivo.exe,
# kivo-tool.exe, every DLL they load, Qt's platforms/ and styles/ plugins, the manual and the
# licence texts.
set -euo pipefail
source "$(dirname "$0")/windows-cross.sh"

bash "$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 qt6-base-dev-tools \
  cmake ninja-build zip xvfb

# The tests are off in a new folder (or as $KIVO_WINDOWS_TESTS says). A folder that
# scripts/test-windows.sh configured keeps them: the programs are the same either way, and are then
# built once for both.
tests=()
if [[ -n "${KIVO_WINDOWS_TESTS:-}" || ! -f "$cross/CMakeCache.txt" ]]; then
  tests=(-DKIVO_BUILD_TESTS="${KIVO_WINDOWS_TESTS:-OFF}")
fi
cmake -S "$here" -B "$cross" "${cross_cmake_args[@]}" "${tests[@]}" >/dev/null
cmake --build "$cross" --target kivo kivo-tool

version=$(sed -n 's/^project(KIVO VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
name=kivo-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/platforms" "$stage/styles"
cp "$cross/kivo.exe" "$cross/tools/kivo-tool.exe" "$stage/"
for dll in Qt6Core Qt6Gui Qt6Widgets; do cp "$qt/bin/$dll.dll" "$stage/"; done
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/"*.dll "$stage/styles/"
cp "$libarchive/bin/libarchive.dll" /usr/x86_64-w64-mingw32/lib/zlib1.dll "$stage/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$stage/"
done
cp "$here/doc/KIVO - Manual.txt" "$stage/"
cp "$here/LICENSE" "$stage/LICENSE.txt"
licences=$stage/licences
mkdir -p "$licences"
cp "$here/packaging/windows/THIRD-PARTY.txt" "$licences/"
cp /usr/share/common-licenses/LGPL-3 "$licences/LGPL-3.txt"
cp /usr/share/common-licenses/GPL-3 "$licences/GPL-3.txt"  # the LGPL builds on it
cp "$libarchive/COPYING" "$licences/libarchive-COPYING.txt"
cp /usr/share/doc/libz-mingw-w64/copyright "$licences/zlib-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$licences/mingw-w64-copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/gcc-copyright.txt"
(cd "$out" && zip -qr "$name.zip" "$name")
echo "build-windows: $out/$name.zip ($(du -h "$out/$name.zip" | cut -f1))"
