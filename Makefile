# Moraleaf: `make run` to start the program, `make test` to run every test.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 20
FUZZ_TARGETS := $(basename $(notdir $(wildcard fuzz/fuzz_*.cpp)))
SOAK_EVENTS ?= 10000
SOAK_SEED  ?= 1
JOBS       ?= $(shell nproc)
BENCH_REPETITIONS ?= 5
BENCH_ARGS ?= --benchmark_min_time=0.2
BENCH_RESULTS ?= $(BUILD)/bench-results

.PHONY: deps configure build test test-unit test-sanitize soak run bench fuzz fuzz-build run-fuzzers install package clean
# One target at a time, so that `make test` stops at the first stage that fails.
.NOTPARALLEL:

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Cheapest and likeliest to fail first: the plain suite, then the same suite under the
# sanitizers, then each fuzzer for TEST_FUZZ_SECONDS.
test: test-unit test-sanitize

test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# One clang build with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's
# instrumentation runs the whole suite and the fuzz targets. Tests labelled no-asan run in
# test-unit only; tests/lsan.supp lists leaks of system libraries. -O1 with line tables: the
# build, not the run, is what this stage costs.
$(FUZZ_BUILD)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=None \
	  -DCMAKE_C_FLAGS="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DMORALEAF_FUZZ=ON

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

test-sanitize: fuzz-build
	UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --test-dir $(FUZZ_BUILD) --output-on-failure -j $(JOBS) -LE no-asan
	$(MAKE) --no-print-directory run-fuzzers FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)

# SOAK_EVENTS random events through `moraleaf-kit drive` while the database changes under it.
soak: build
	XDG_CACHE_HOME=$(CURDIR)/$(BUILD)/xdg-cache python3 scripts/soak run --kit $(BUILD)/bin/moraleaf-kit --events $(SOAK_EVENTS) --seed $(SOAK_SEED)

run: build
	@[ -f db1.mdb ] || $(BUILD)/bin/moraleaf-kit db create db1.mdb
	@if [ -x $(BUILD)/bin/moraleaf ]; then $(BUILD)/bin/moraleaf; \
	else echo "make run: db1.mdb is ready; the moraleaf program is not part of this build yet"; fi

# Every bench_* program, each figure the median of BENCH_REPETITIONS runs; the JSON goes to
# $(BUILD)/bench-results and scripts/bench-report turns it into docs/performance.md.
# Quick check of the tooling: make bench BENCH_ARGS=--benchmark_min_time=0.01 BENCH_REPETITIONS=2
bench: build
	@rm -rf $(BENCH_RESULTS) && mkdir -p $(BENCH_RESULTS)
	@failed=; for b in $(BUILD)/bin/bench_*; do \
	  name=$$(basename $$b); echo "== $$name"; \
	  XDG_CACHE_HOME=$(CURDIR)/$(BUILD)/xdg-cache $$b --benchmark_repetitions=$(BENCH_REPETITIONS) --benchmark_display_aggregates_only=true \
	      --benchmark_out=$(BENCH_RESULTS)/$$name.json --benchmark_out_format=json $(BENCH_ARGS) || failed="$$failed $$name"; \
	done; \
	python3 scripts/bench-report $(BENCH_RESULTS) -o docs/performance.md \
	  --note "Run with --benchmark_repetitions=$(BENCH_REPETITIONS) $(BENCH_ARGS)." || exit 1; \
	if [ -n "$$failed" ]; then echo "make bench: failed:$$failed"; exit 1; fi

# Each libFuzzer target runs FUZZ_SECONDS on its committed seed corpus.
fuzz: fuzz-build
	$(MAKE) --no-print-directory run-fuzzers

# The fuzzers', benchmarks' and soak's font answers stay in the build folders, not in the
# user's cache.
run-fuzzers:
	@for name in $(FUZZ_TARGETS); do \
	  mkdir -p fuzz/corpus-work/$$name; \
	  echo "== $$name"; \
	  XDG_CACHE_HOME=$(CURDIR)/$(FUZZ_BUILD)/xdg-cache $(FUZZ_BUILD)/bin/$$name -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 fuzz/corpus-work/$$name fuzz/corpus/$$name || exit 1; \
	done

# Installs under PREFIX (default /usr/local); `make package` makes a .deb for /usr in $(BUILD).
# The prefix is configured, not only given at install time: the desktop entry names the data folder.
PREFIX ?= /usr/local
install: deps $(BUILD)/build.ninja
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD)

package: deps $(BUILD)/build.ninja
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
