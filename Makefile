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

# Installs what the demo needs, builds the library and the demo in the build
# directory of `make build`, renders demo.png and reports each stage's time.
demo:
	@set -e; \
	t0=$$(date +%s%N); scripts/install-deps.sh build demo; \
	t1=$$(date +%s%N); $(CMAKE) -S . -B build $(CONFIG) >/dev/null; \
	$(CMAKE) --build build -j$(JOBS) --target quorvel-demo -- --no-print-directory; \
	t2=$$(date +%s%N); build/examples/demo/quorvel-demo --out demo.png; \
	t3=$$(date +%s%N); \
	ms() { echo $$(( ($$2 - $$1) / 1000000 )); }; \
	echo "make demo:"; \
	echo "  install missing packages  $$(ms $$t0 $$t1) ms"; \
	echo "  configure and build       $$(ms $$t1 $$t2) ms"; \
	echo "  render demo.png           $$(ms $$t2 $$t3) ms"; \
	echo "The picture is $(CURDIR)/demo.png"

bench: build
	@for b in build/benchmarks/quorvel_*_bench; do [ -x "$$b" ] && "$$b"; done

install: build
	$(CMAKE) --install build --prefix $(PREFIX)

docs:
	@scripts/install-deps.sh docs
	@mkdir -p build/docs
	doxygen docs/Doxyfile
	@echo "HTML reference: $(CURDIR)/build/docs/html/index.html"

clean:
	rm -rf build build-asan
