# The two set-up commands: `make demo` and `make test`.
# Each installs what is missing, configures, builds and runs.

JOBS      ?= 2
BUILD     ?= build
ASAN      ?= build-asan
FUZZ      ?= build-fuzz
BENCH     ?= build-bench
FUZZ_SECONDS ?= 10
# make fuzz-long: each target until this many executions or seconds.
FUZZ_LONG_RUNS ?= 10000000
FUZZ_LONG_SECONDS ?= 3600
# make soak: this many monkey scenarios on each device class (at most
# SOAK_SECONDS on each when that is not 0), from seed SOAK_FIRST_SEED.
SOAK_COUNT ?= 1000
SOAK_SECONDS ?= 0
SOAK_FIRST_SEED ?= 1000

.PHONY: demo test deps deps-bench build build-asan fuzz fuzz-long soak bench tour clean

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTOR_SANITIZE=ON -DVANTOR_BUILD_BENCH=OFF

$(FUZZ)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_FUZZ=ON

$(BENCH)/build.ninja:
	cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TESTS=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

demo: build
	./$(BUILD)/apps/vantor-sim/vantor-sim demo

# The README's tour pictures (docs/tour/), remade from the demo.
tour: build
	./scripts/make-tour.sh $(BUILD)

test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz

fuzz: deps
	@if command -v clang++ >/dev/null; then \
	  $(MAKE) --no-print-directory $(FUZZ)/build.ninja && \
	  cmake --build $(FUZZ) -j $(JOBS) && \
	  ./scripts/run-fuzzers.sh $(FUZZ) $(FUZZ_SECONDS); \
	else echo "clang not found: fuzz targets skipped"; fi

fuzz-long: deps
	@command -v clang++ >/dev/null || { echo "clang not found: fuzz targets need it"; exit 1; }
	@$(MAKE) --no-print-directory $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j $(JOBS)
	./scripts/run-fuzzers.sh $(FUZZ) $(FUZZ_LONG_SECONDS) $(FUZZ_LONG_RUNS)

soak: build
	./$(BUILD)/apps/vantor-monkey/vantor-monkey --count $(SOAK_COUNT) --seconds $(SOAK_SECONDS) \
	  --first-seed $(SOAK_FIRST_SEED) --root $(BUILD)/soak-root --out out/soak

deps-bench:
	@./scripts/install-deps.sh bench

bench: deps-bench $(BENCH)/build.ninja
	cmake --build $(BENCH) -j $(JOBS)
	./scripts/run-benchmarks.sh $(BENCH)

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ) $(BENCH)
