# Tintara: the two commands a user needs are `make run` and `make test`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD ?= build
FUZZ_SECONDS ?= 60
SAMPLE ?= resources/samples/chelsea.png
# Tests that scan through SANE's virtual backend.
SCANNING_TESTS := Sane|Scan|Acquisition|Twain

# A compiler cache, where the machine has one, makes rebuilds of unchanged files free.
CCACHE := $(shell command -v ccache 2>/dev/null)
CMAKE_CONFIGURE = cmake -S . -G Ninja -Wno-dev \
  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: deps configure build test test-asan bench quality fuzz run clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@$(CMAKE_CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	@$(CMAKE_CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTINTARA_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS) -E '$(SCANNING_TESTS)'
	@# The virtual scanner backend loses buffers of its own, and what it keeps in
	@# its statics looks lost once the scanner library unloads it: the tests that
	@# scan run without the leak check.
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS) -R '$(SCANNING_TESTS)'

bench: deps
	@$(CMAKE_CONFIGURE) -B build-bench -DCMAKE_BUILD_TYPE=Release -DTINTARA_BENCH=ON \
	  -DTINTARA_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS)
	bash scripts/run-benchmarks.sh build-bench

# How closely the patterns of the sample photos and of real photos look like the photos.
quality: deps
	@$(CMAKE_CONFIGURE) -B build-bench -DCMAKE_BUILD_TYPE=Release -DTINTARA_BENCH=ON \
	  -DTINTARA_TESTS=OFF >/dev/null
	cmake --build build-bench -j $(JOBS) --target quality_report
	build-bench/bin/quality_report resources/samples/{astronaut.png,chelsea.png,coffee.png,rocket.jpg} \
	  $$(bash scripts/quality-photos.sh build-bench/quality-photos)

fuzz: deps
	@CC=clang CXX=clang++ $(CMAKE_CONFIGURE) -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTINTARA_FUZZ=ON -DTINTARA_TESTS=OFF >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	bash scripts/run-fuzzers.sh build-fuzz $(FUZZ_SECONDS)

# With a display: the program on the sample photo. Without one: the
# command-line tool makes the project, pattern and key from the sample photo.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  $(BUILD)/bin/tintara $(SAMPLE); \
	else \
	  mkdir -p out && \
	  $(BUILD)/bin/tintara-cli create $(SAMPLE) -o out/sample.mop \
	    --pattern-png out/sample-pattern.png --key-pdf out/sample-key.pdf \
	    --pdf out/sample-pattern.pdf && \
	  echo "No display: wrote out/sample.mop, out/sample-pattern.png, out/sample-key.pdf, out/sample-pattern.pdf"; \
	fi

clean:
	rm -rf build build-asan build-bench build-fuzz out
