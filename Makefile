# The two commands of the README: `make run` and `make test`; the checks
# for robustness: `make test-asan`, `make test-tsan` and `make fuzz`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build folder of its own. ASAN_GUI=OFF builds and runs only the core tests.
ASAN_BUILD ?= build-asan
ASAN_GUI   ?= ON
# The tests that start threads, under ThreadSanitizer: their names say
# "Thread" (TSAN_TESTS is part of a test name).
TSAN_BUILD ?= build-tsan
TSAN_GUI   ?= ON
TSAN_TESTS ?= Thread
# libFuzzer targets (clang), each run FUZZ_SECONDS on one core; FUZZ_TARGETS
# picks some of them, FUZZ_RUNS ends each after that many inputs if sooner.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
FUZZ_RUNS    ?=

SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tools/sanitizer/lsan.supp:print_suppressions=0

.PHONY: all deps configure build run test test-asan test-tsan bench fuzz clean

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

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_SANITIZE=address,undefined \
	       -DORBELIN_BUILD_GUI=$(ASAN_GUI) $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@$(SANITIZER_ENV) ./tools/sanitizer/run-tests.sh $(ASAN_BUILD) $(JOBS)

test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELIN_SANITIZE=thread \
	       -DORBELIN_BUILD_GUI=$(TSAN_GUI) $(CMAKE_ARGS) >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS)
	@TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ./tools/sanitizer/run-tests.sh $(TSAN_BUILD) $(JOBS) '*$(TSAN_TESTS)*'

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	       -DORBELIN_BUILD_FUZZ=ON -DORBELIN_BUILD_GUI=OFF -DORBELIN_BUILD_TESTS=OFF \
	       -DORBELIN_SANITIZE=address,undefined $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_RUNS=$(FUZZ_RUNS) ./fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_TARGETS)

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
