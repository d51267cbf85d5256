# Entry points for a fresh Debian machine: each target installs the Debian
# packages it needs when they are missing, then configures, builds and runs.
#   make test        build and run the whole test suite
#   make test-asan   the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   make demo        build the demo and render a viewer frame to demo.png
#   make bench       build and run the benchmarks
#   make fuzz        build the fuzz targets with clang and run each for
#                    FUZZ_SECONDS (default 60) from its seed corpus
#   make docs        build the HTML reference (build/docs/html); fails on any
#                    Doxygen warning
#   make install PREFIX=/some/where

JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE   := cmake
CTEST   := ctest --output-on-failure --no-tests=error -j$(JOBS)
CONFIG  := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(notdir $(wildcard fuzz/corpus/*))

.PHONY: all deps build test test-asan fuzz demo bench install docs clean

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

# Inputs libFuzzer finds go to build-fuzz/corpus/<target>; the committed seeds
# in fuzz/corpus/<target> are only read. A failing input is saved in
# build-fuzz/artifacts/ and fails the target. Passive OpenMP waiting keeps the
# conversion's idle workers from spinning against the fuzzer on small machines.
fuzz:
	@scripts/install-deps.sh build fuzz
	CC=clang CXX=clang++ $(CMAKE) -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	$(CMAKE) --build build-fuzz -j$(JOBS)
	@mkdir -p build-fuzz/artifacts
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t && \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp OMP_WAIT_POLICY=passive build-fuzz/quorvel_fuzz_$$t \
	    -max_total_time=$(FUZZ_SECONDS) -timeout=30 -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/artifacts/$$t- build-fuzz/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

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

# The reference, with every Doxygen warning an error. The GL state page is
# collected from the headers first, so that it cannot disagree with them.
docs:
	@scripts/install-deps.sh docs
	@rm -rf build/docs && mkdir -p build/docs
	python3 scripts/gl-state-page.py include/quorvel/*.h > build/docs/gl-state.md
	doxygen docs/Doxyfile
	@echo "HTML reference: $(CURDIR)/build/docs/html/index.html"

clean:
	rm -rf build build-asan build-fuzz
