# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-asan bench fuzz clean

all: build

deps:
	@./tools/install-deps.sh

$(BUILD)/build.ninja:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null

configure: deps $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./tools/run-desktop.sh $(BUILD) $(ARGS)

test: build
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Benchmarks: a release build in a folder of its own, every benchmark at every
# size, the results in $(BUILD)/bench/results.json (and results.md), a table of
# the figures and of the targets met or missed. BENCH_ARGS passes options to
# the benchmark program, e.g. BENCH_ARGS=--benchmark_filter=Load.
BENCH_BUILD ?= $(BUILD)/bench/release
BENCH_ARGS  ?=

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DORBELIN_BUILD_BENCH=ON \
	       -DORBELIN_BUILD_TESTS=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target orbelin_bench
	@mkdir -p $(BUILD)/bench
	@ORBELIN_BENCH_DIR=$(abspath $(BUILD)/bench) QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bin/orbelin_bench \
	       --benchmark_out=$(BUILD)/bench/results.json --benchmark_out_format=json $(BENCH_ARGS)

clean:
	@rm -rf $(BUILD)
