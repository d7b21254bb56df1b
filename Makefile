# Two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 90
MUTATE_BUILD ?= build-mutate
JOBS       ?= $(shell nproc)
PREFIX     ?= $(HOME)/.local

.PHONY: run test deps configure build asan fuzz mutate bench install package clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The core's tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELK_SANITIZE=ON -DZELK_BUILD_APP=OFF -DZELK_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# Only the program and the sample logs beside it: the tests and tools wait
# for `make test` or `make build`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target zelkscope copy-logs
	cd $(BUILD) && ./zelkscope

test: build asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS seconds, built with clang, libFuzzer,
# ASan and UBSan in $(FUZZ_BUILD). Fails on any crash, sanitizer report, leak
# or timeout, and says where the input is and how to replay it.
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZELK_FUZZ=ON -DZELK_BUILD_APP=OFF -DZELK_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target zelk-fuzz-log zelk-fuzz-script
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Seeded single faults in the program's code under src/, each built and put
# through the normal suite in a copy of the tree in $(MUTATE_BUILD), spread
# over the folders by size; a table says how many each folder's tests caught.
# MUTANTS=N mutants (16), MUTATE_SEED=S picks them, MUTATE_ONLY=src/app keeps
# to one folder, MUTATE_LIST=1 only lists them.
mutate: deps
	@bash scripts/install-deps.sh mutate
	python3 scripts/mutate.py $(MUTATE_BUILD)

# Every benchmark, 15 times each in a shuffled order, so that a figure and its
# reference meet the same conditions; the medians, each beside its reference
# from the same run, go to docs/performance.md.
bench: build
	@bash scripts/install-deps.sh bench
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS) --target zelk-bench
	$(BUILD)/bench/zelk-bench --benchmark_repetitions=15 --benchmark_report_aggregates_only=true \
	  --benchmark_enable_random_interleaving=true --benchmark_min_time=0.2 \
	  --report=docs/performance.md

# ZelkScope as a desktop program: the program and its sample logs in
# $(PREFIX)/lib/zelkscope, the command in $(PREFIX)/bin, the menu entry and
# the icon in $(PREFIX)/share. By default for you alone, in ~/.local.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, left in $(BUILD) as zelkscope_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(MUTATE_BUILD)
