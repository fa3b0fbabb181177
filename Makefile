# Convenience targets around CMake.
#   make test       configure build/, build, run every test
#   make test-asan  the same in build-asan/ with AddressSanitizer and UBSan; any report fails
#   make test-tsan  build-tsan/ with ThreadSanitizer: eight files read from eight threads
#   make demo       build, write and check a gridded time series, describe it with `lrx info`
#   make bench      build and run the benchmarks (lrx beside write(2) and netCDF-C, the Python read
#                   against C, the convert; the micro-benchmarks need Google Benchmark)
#   make test-large write, read back and append to a data file of more than 4 GiB (skipped when
#                   the disk lacks room)
#   make fuzz       build the fuzz targets with clang and libFuzzer and run each for FUZZ_SECONDS
#                   (60 unless given) on its seeds and regression inputs
#   make clean      remove the build folders

BUILD_DIR := build
ASAN_BUILD_DIR := build-asan
TSAN_BUILD_DIR := build-tsan
FUZZ_BUILD_DIR := build-fuzz
FUZZ_TARGETS := record_stream datafile legacy xsec plugin calendar
FUZZ_SECONDS ?= 60
JOBS := -j2
CMAKE ?= cmake
CTEST ?= ctest
DEMO_FILE := $(BUILD_DIR)/demo/harbour.gbx
BENCH_GRID := $(BUILD_DIR)/bench/grid.gbx
PYTHON := /usr/bin/python3

# No allocation of the tests needs 2 GiB: one that asks for more is a count taken from a file
# without checking it against the file, and fails the run.
SANITIZER_ENV := \
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:max_allocation_size_mb=2048 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=report_objects=1

.PHONY: all build build-asan test test-asan test-tsan test-large demo bench fuzz clean

all: build

$(BUILD_DIR)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD_DIR)

$(ASAN_BUILD_DIR)/CMakeCache.txt:
	$(CMAKE) -S . -B $(ASAN_BUILD_DIR) -DLRX_SANITIZE=ON

build: $(BUILD_DIR)/CMakeCache.txt
	$(CMAKE) --build $(BUILD_DIR) $(JOBS)

build-asan: $(ASAN_BUILD_DIR)/CMakeCache.txt
	$(SANITIZER_ENV) $(CMAKE) --build $(ASAN_BUILD_DIR) $(JOBS)

test: build
	$(CTEST) --test-dir $(BUILD_DIR) --output-on-failure $(JOBS)

test-asan: build-asan
	$(SANITIZER_ENV) $(CTEST) --test-dir $(ASAN_BUILD_DIR) --output-on-failure $(JOBS)

$(TSAN_BUILD_DIR)/CMakeCache.txt:
	$(CMAKE) -S . -B $(TSAN_BUILD_DIR) -DLRX_THREAD_SANITIZE=ON

# Only the threaded test is built and run here: the rest of the suite is single-threaded.
test-tsan: $(TSAN_BUILD_DIR)/CMakeCache.txt
	$(CMAKE) --build $(TSAN_BUILD_DIR) $(JOBS) --target lrx_thread_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(CTEST) --test-dir $(TSAN_BUILD_DIR) -L threads --output-on-failure

# The file of more than 4 GiB goes into a folder of its own below the build folder, removed
# however the test ends.
test-large: build
	@dir=$$(mktemp -d $(CURDIR)/$(BUILD_DIR)/large.XXXXXX) && trap 'rm -rf "$$dir"' EXIT INT TERM && \
	    LRX_LARGE_DIR="$$dir" $(BUILD_DIR)/tests/lrx_large_test

demo: build
	@mkdir -p $(dir $(DEMO_FILE))
	$(BUILD_DIR)/examples/grid_timeseries $(DEMO_FILE)
	$(BUILD_DIR)/tools/lrx/lrx info $(DEMO_FILE)

bench: build
	if [ -x $(BUILD_DIR)/bench/record_stream_bench ]; then $(BUILD_DIR)/bench/record_stream_bench; fi
	if [ -x $(BUILD_DIR)/bench/data_file_bench ]; then $(BUILD_DIR)/bench/data_file_bench; fi
	if [ -x $(BUILD_DIR)/bench/xsec_bench ]; then $(BUILD_DIR)/bench/xsec_bench; fi
	$(BUILD_DIR)/bench/compare_formats --rounds 3
	$(BUILD_DIR)/bench/convert_bench
	PYTHONPATH=$(BUILD_DIR)/python $(PYTHON) bench/python_read_bench.py $(BUILD_DIR)/bench/grid_read_bench $(BENCH_GRID)

# Each target starts from its seeds and regression inputs and keeps what it finds in its corpus
# folder of the build; a crash, leak, timeout or running out of memory stops the run with the
# input in $(FUZZ_BUILD_DIR)/artifacts/<target>/.
fuzz:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD_DIR) -DLRX_FUZZ=ON -DLRX_SANITIZE=ON -DLRX_BUILD_TESTS=OFF
	$(CMAKE) --build $(FUZZ_BUILD_DIR) $(JOBS) --target $(FUZZ_TARGETS:%=%_fuzz)
	for target in $(FUZZ_TARGETS); do \
	    corpus=$(FUZZ_BUILD_DIR)/corpus/$$target; artifacts=$(FUZZ_BUILD_DIR)/artifacts/$$target/; \
	    mkdir -p $$corpus $$artifacts; \
	    cp fuzz/seeds/$$target/* $$corpus/ 2>/dev/null; cp fuzz/regressions/$$target/* $$corpus/ 2>/dev/null; \
	    $(FUZZ_BUILD_DIR)/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	        -print_final_stats=1 -artifact_prefix=$$artifacts $$corpus || exit 1; \
	done

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(TSAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
