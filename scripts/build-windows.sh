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
here=$(cd "$(dirname "$0")/.." && pwd)
shared=${KIVO_WINDOWS_SHARED:-$here/../shared/windows}
out=$here/build-windows
deps=$out/deps

bash "$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 qt6-base-dev-tools \
  cmake ninja-build zip xvfb

mkdir -p "$deps"
for archive in qt6-mingw-6.4.2 libarchive-3.6.2-mingw; do
  folder=${archive%-6.4.2}
  [[ -d "$deps/$folder" ]] || tar -C "$deps" -xf "$shared/$archive.tar.xz"
done
qt=$deps/qt6-mingw
libarchive=$deps/libarchive-3.6.2-mingw

cmake -S "$here" -B "$out/cross" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$shared/mingw-w64.toolchain.cmake" -DKIVO_WIN_QT="$qt" \
  -DCMAKE_PREFIX_PATH="$qt;$libarchive" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DLibArchive_INCLUDE_DIR="$libarchive/include" -DLibArchive_LIBRARY="$libarchive/lib/libarchive.dll.a" \
  -DKIVO_BUILD_TESTS="${KIVO_WINDOWS_TESTS:-OFF}" -DKIVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$out/cross" --target kivo kivo-tool

version=$(sed -n 's/^project(KIVO VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
name=kivo-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/platforms" "$stage/styles"
cp "$out/cross/kivo.exe" "$out/cross/tools/kivo-tool.exe" "$stage/"
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
