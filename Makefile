# Quick start: `make run` and `make test` on a fresh Debian machine.
# Both install what is missing (as root), configure, build, then run.

PRESET ?= default
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan test-win32 bench fuzz format clean package

all: build

deps:
	@scripts/deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	scripts/run.sh

test: build
	scripts/test.sh $(PRESET)

# The logic's unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The 32-bit Windows build (mingw-w64) and its tests under Wine. The
# end-to-end tests talk to the native vfdsim, so that is built first.
test-win32:
	@scripts/deps.sh win32
	cmake --preset default
	cmake --build --preset default --target vfdsim -j $(JOBS)
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS)
	scripts/test-win32.sh

# The Debian package, build/vfdkit_<version>_amd64.deb; install it with
# apt-get install ./build/vfdkit_*.deb
package: build
	cd build && cpack -G DEB

bench: build
	scripts/bench.sh

# The font parsers under libFuzzer (clang), each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/deps.sh fuzz
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-win32 build-win64 build-fuzz
