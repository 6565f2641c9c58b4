# The two commands a newcomer needs: `make run` and `make test`.
BUILD     ?= build
ASAN      ?= build-asan
FUZZDIR   ?= build-fuzz
BENCHDIR  ?= build-bench
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
DEMO      := player/resources/demo/demo.mp3

.PHONY: deps build run check test sanitize soak fuzz fuzz-smoke bench install package format clean

PREFIX    ?= /usr/local

# Compiler cache keys relative to the checkout, so a fresh clone in another folder reuses them.
export CCACHE_BASEDIR  ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)

run: build
	$(BUILD)/bin/Lumo $(wildcard $(DEMO))

# Formatting and the include layers, checked before anything is built.
check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	@scripts/check-layers

test: check build
	ctest --test-dir $(BUILD) --output-on-failure

sanitize: deps
	@cmake -S . -B $(ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN)
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(ASAN) --output-on-failure -LE soak

# The player opened 100 times under leak detection (sanitizer build). Not part of CI: it takes
# minutes on a virtual display.
soak: sanitize
	ctest --test-dir $(ASAN) --output-on-failure -L soak

fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZDIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_FUZZ=ON -DLUMO_WERROR=OFF >/dev/null
	@cmake --build $(FUZZDIR) --target $(patsubst fuzz/%.cpp,%,$(wildcard fuzz/fuzz_*.cpp))

# Every fuzz target for FUZZ_SECONDS on a scratch copy of its corpus; fails on a finding.
FUZZ_SECONDS ?= 60
fuzz-smoke: fuzz
	@scripts/fuzz-smoke $(FUZZDIR) $(FUZZ_SECONDS)

bench: deps
	@cmake -S . -B $(BENCHDIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DLUMO_BENCH=ON >/dev/null
	@cmake --build $(BENCHDIR)
	@for b in $(BENCHDIR)/bin/bench_*; do echo "== $$b"; $$b; done

# The Debian package lumo_<version>_amd64.deb in $(BUILD).
package: build
	cmake --build $(BUILD) --target package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZDIR) $(BENCHDIR)
