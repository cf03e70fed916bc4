# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# The cross build for 64-bit Windows as scripts/build-windows.sh and scripts/test-windows.sh share
# it (sourced by both, not run): where things go, the Qt and libarchive builds of ../shared/windows
# unpacked into build-windows/deps once, and the CMake arguments of the build folder.
#
# The build folder is build-windows/cross, or $KIVO_WINDOWS_BUILD, so that a second build can run
# beside the usual one without the two reconfiguring each other's folder.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shared=${KIVO_WINDOWS_SHARED:-$here/../shared/windows}
out=$here/build-windows
deps=$out/deps
cross=${KIVO_WINDOWS_BUILD:-$out/cross}
qt=$deps/qt6-mingw
libarchive=$deps/libarchive-3.6.2-mingw

mkdir -p "$deps"
for archive in qt6-mingw-6.4.2 libarchive-3.6.2-mingw; do
  folder=${archive%-6.4.2}
  [[ -d "$deps/$folder" ]] || tar -C "$deps" -xf "$shared/$archive.tar.xz"
done

cross_cmake_args=(
  -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$shared/mingw-w64.toolchain.cmake" -DKIVO_WIN_QT="$qt"
  -DCMAKE_PREFIX_PATH="$qt;$libarchive" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DLibArchive_INCLUDE_DIR="$libarchive/include" -DLibArchive_LIBRARY="$libarchive/lib/libarchive.dll.a"
  -DKIVO_BUILD_BENCH=OFF
)
