# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Short names for the usual commands; everything goes through the CMake presets.
.PHONY: all deps build run demo test test-zsnes test-asan bench fuzz package test-package windows test-windows clean

all: build

deps:
	bash scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

# Builds KIVO and starts it from the build folder (kivo.ini and the cache live beside the program).
run: build
	./build/kivo

# Builds KIVO and starts it on a demo library it makes itself in build/demo: invented games,
# screenshots and a stand-in emulator window. Each run writes the demo's files afresh.
demo: build
	./build/tools/demo/kivo-demo-maker build/demo
	./build/demo/kivo

# Builds everything and runs every test: unit, window (headless) and fuzz-corpus replay.
test: build
	ctest --preset default

# Builds the real ZSNES into build/zsnes (scripts/build-zsnes.sh, installing its 32-bit packages)
# and runs the tests that start it through KIVO's launch on a virtual screen.
test-zsnes: build
	bash scripts/build-zsnes.sh
	ctest --preset default -L zsnes

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: build
	./build/bench/kivo_bench

# The Debian package: build-package/kivo_<version>_<arch>.deb, installed with
# sudo apt install ./build-package/kivo_*.deb
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVO_SYSTEM_INSTALL=ON \
		-DKIVO_BUILD_TESTS=OFF -DKIVO_BUILD_BENCH=OFF
	cmake --build build-package
	cd build-package && cpack

# Installs the package as a user would and starts it as one (needs root): scripts/test-package.sh.
test-package: package
	bash scripts/test-package.sh

# Cross-builds kivo.exe and kivo-tool.exe for 64-bit Windows (mingw-w64, with the Qt and libarchive
# builds in ../shared/windows) and packs build-windows/kivo-<version>-windows-x64.zip.
windows:
	bash scripts/build-windows.sh

# Cross-builds the tests for Windows in the same folder and runs them under Wine through CTest
# (scripts/test-windows.sh); the tests of what only POSIX systems have are left out.
test-windows:
	bash scripts/test-windows.sh

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

clean:
	rm -rf build build-asan build-fuzz build-package build-windows
