#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Cross-builds KIVO's tests for 64-bit Windows and runs them under Wine through CTest:
#
#   scripts/test-windows.sh [ctest arguments, e.g. -R Short --output-on-failure]
#
# The tests are built in the folder `make windows` builds in (build-windows/cross), with the tests
# on, and CTest runs each program through scripts/wine-run.sh. GoogleTest and giflib (the GIF
# tests compare with it) have no Windows packages in Debian: they are built from Debian's sources
# into build-windows/deps once. Tests of what only POSIX systems have carry the label "posix" (or
# are not built for Windows) and are left out here, and so is the demo's check ("demo"), a CMake
# script that starts the programs itself, without the emulator.
set -euo pipefail
source "$(dirname "$0")/windows-cross.sh"

bash "$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 qt6-base-dev-tools \
  cmake ninja-build googletest dpkg-dev fonts-dejavu-core

toolchain=$shared/mingw-w64.toolchain.cmake

# GoogleTest from the source the googletest package installs.
googletest=$deps/googletest
if [[ ! -f "$googletest/lib/cmake/GTest/GTestConfig.cmake" ]]; then
  cmake -S /usr/src/googletest -B "$deps/googletest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$googletest" >/dev/null
  cmake --build "$deps/googletest-build" >/dev/null
  cmake --install "$deps/googletest-build" >/dev/null
  rm -rf "$deps/googletest-build"
fi

# giflib: the source of the version Debian builds libgif-dev from, fetched by apt from the
# source index of the sources this machine already uses, with the system's own lists and
# configuration left alone.
giflib=$deps/giflib
if [[ ! -f "$giflib/lib/libgif.a" ]]; then
  apt_dir=$deps/apt-source
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  : >"$apt_dir/sources.list"
  if [[ -f /etc/apt/sources.list ]]; then
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources.list"
  fi
  for file in /etc/apt/sources.list.d/*.sources; do
    if grep -q '^URIs:.*debian' "$file"; then
      sed 's/^Types: deb$/Types: deb-src/' "$file" >"$apt_dir/sources.list.d/${file##*/}"
    fi
  done
  apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User=root)
  apt-get "${apt_options[@]}" update -qq
  (cd "$apt_dir" && apt-get "${apt_options[@]}" source -qq libgif-dev >/dev/null)
  source_dir=$(find "$apt_dir" -mindepth 1 -maxdepth 1 -type d -name "giflib-*" | head -1)
  mkdir -p "$giflib/include" "$giflib/lib" "$giflib/obj"
  for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    x86_64-w64-mingw32-gcc-posix -std=gnu99 -O2 -c "$source_dir/$file.c" -o "$giflib/obj/$file.o"
  done
  x86_64-w64-mingw32-ar rcs "$giflib/lib/libgif.a" "$giflib"/obj/*.o
  cp "$source_dir/gif_lib.h" "$giflib/include/"
  cp "$source_dir/COPYING" "$giflib/COPYING"
  rm -rf "$giflib/obj" "$apt_dir"
fi

cmake -S "$here" -B "$cross" "${cross_cmake_args[@]}" -DKIVO_BUILD_TESTS=ON \
  -DGTest_DIR="$googletest/lib/cmake/GTest" -DGIF_INCLUDE_DIR="$giflib/include" -DGIF_LIBRARY="$giflib/lib/libgif.a" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/scripts/wine-run.sh" >/dev/null
cmake --build "$cross"

# Wine's prefix is made (the first time, some seconds) before the tests start two at a time.
"$here/scripts/wine-run.sh" cmd /c exit >/dev/null

# One Wine session for the whole run: a session ends by itself a moment after its last program, and
# a test starting just then found the ending server and failed ("a wine server seems to be running,
# but I cannot connect to it"). Ended, and waited for, when the tests are done.
wineserver() { WINEPREFIX=${KIVO_WINEPREFIX:-$out/wine} /usr/lib/wine/wineserver "$@"; }
wineserver -w  # the session that made the prefix, ended first: a running server is not made persistent
wineserver -p
status=0
ctest --test-dir "$cross" --output-on-failure -j 2 --timeout 600 -LE 'posix|demo' "$@" || status=$?
wineserver -k || true
wineserver -w
exit "$status"
