# Quick start: `make run` and `make test` on a fresh Debian machine.
# Both install what is missing (as root), configure, build, then run.

PRESET ?= default
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench format clean

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

bench: build
	scripts/bench.sh

format:
	git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-win32
