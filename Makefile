# Entry points for a fresh Debian machine: each target installs the Debian
# packages it needs when they are missing, then configures, builds and runs.
#   make test        build and run the whole test suite
#   make test-asan   the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   make demo        build the demo and render a viewer frame to demo.png
#   make bench       build and run the benchmarks
#   make install PREFIX=/some/where

JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE   := cmake
CTEST   := ctest --output-on-failure --no-tests=error -j$(JOBS)
CONFIG  := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON

.PHONY: all deps build test test-asan demo bench install docs clean

all: build

deps:
	@scripts/install-deps.sh build demo test

build: deps
	$(CMAKE) -S . -B build $(CONFIG)
	$(CMAKE) --build build -j$(JOBS)

test: build
	cd build && $(CTEST)

test-asan: deps
	$(CMAKE) -S . -B build-asan $(CONFIG) -DQUORVEL_SANITIZE=address,undefined -DQUORVEL_BUILD_BENCHMARKS=OFF
	$(CMAKE) --build build-asan -j$(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(CTEST)

bench: build
	@for b in build/benchmarks/quorvel_*_bench; do [ -x "$$b" ] && "$$b"; done

install: build
	$(CMAKE) --install build --prefix $(PREFIX)

docs:
	@scripts/install-deps.sh docs
	doxygen docs/Doxyfile

clean:
	rm -rf build build-asan
