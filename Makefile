# Short names for the usual commands; everything goes through the CMake presets.
.PHONY: all deps build run demo test test-zsnes test-asan bench fuzz clean

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

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

clean:
	rm -rf build build-asan build-fuzz
