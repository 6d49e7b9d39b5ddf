# Quick start: `make run` and `make test` on a fresh Debian machine.
# Both install what is missing (as root), configure, build, then run.

PRESET ?= default
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan test-win32 test-windows dist-windows bench \
        fuzz format clean package

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
	cmake --preset win32 -DVFD_WINE_TESTS=ON
	cmake --build --preset win32 -j $(JOBS)
	scripts/test-win32.sh

# The Debian package, build/vfdkit_<version>_amd64.deb; install it with
# apt-get install ./build/vfdkit_*.deb
package: build
	cd build && cpack -G DEB

# Both Windows builds: the 32-bit tests where this kernel runs 32-bit
# programs, the 64-bit ones always, the static checks of both (one line
# each at the end; scripts/test-windows.sh).
test-windows:
	@scripts/deps.sh win32 win64
	cmake --preset default
	cmake --build --preset default --target vfdsim -j $(JOBS)
	scripts/test-windows.sh -j $(JOBS)

# dist/vfdkit-<version>-windows-x86.zip and -x64.zip.
dist-windows:
	@scripts/deps.sh win32 win64
	scripts/dist-windows.sh -j $(JOBS)

bench: build
	scripts/bench.sh

# Every parser under libFuzzer (clang; the fuzz preset of fuzz/CMakePresets.json),
# each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/deps.sh fuzz
	cmake -S fuzz --preset fuzz
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-win32 build-win64 build-fuzz dist
