# Moraleaf: `make run` to start the program, `make test` to run every test.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
BENCH_REPETITIONS ?= 5
BENCH_ARGS ?= --benchmark_min_time=0.2
BENCH_RESULTS ?= $(BUILD)/bench-results

.PHONY: deps configure build test run bench fuzz clean

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

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
	  $$b --benchmark_repetitions=$(BENCH_REPETITIONS) --benchmark_display_aggregates_only=true \
	      --benchmark_out=$(BENCH_RESULTS)/$$name.json --benchmark_out_format=json $(BENCH_ARGS) || failed="$$failed $$name"; \
	done; \
	python3 scripts/bench-report $(BENCH_RESULTS) -o docs/performance.md \
	  --note "Run with --benchmark_repetitions=$(BENCH_REPETITIONS) $(BENCH_ARGS)." || exit 1; \
	if [ -n "$$failed" ]; then echo "make bench: failed:$$failed"; exit 1; fi

# libFuzzer targets need clang; each runs FUZZ_SECONDS on its committed seed corpus.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORALEAF_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/bin/fuzz_*; do \
	  name=$$(basename $$f); mkdir -p fuzz/corpus-work/$$name; \
	  echo "== $$name"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 fuzz/corpus-work/$$name fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
