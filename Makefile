# Two builds: an optimised one for use (build/release, binaries in build/bin)
# and a sanitized one for the tests (build/test).
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
FUZZ_DIR := build/fuzz
TSAN_DIR := build/tsan
# The checking builds keep line tables only: sanitizer reports still name
# file and line, and compiling and linking take about a fifth less time.
CHECK_DEBUG_INFO := -g1
# Every stage compiles through ccache (see CMakeLists.txt); paths below
# the project folder are hashed relative to it, so another checkout or
# worktree of the project reuses what this one compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
TIMED := ./scripts/timed
SOURCES = $(shell git ls-files --cached --others --exclude-standard '*.cpp' '*.hpp' 2>/dev/null || \
	find src tests bench fuzz python -name '*.[ch]pp')

.PHONY: deps build run test format format-check bench fuzz screenshot figures clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMIRVOK_TESTS=OFF > /dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target mirvok mirvok-cli mirvok_python

run: build
	./build/bin/mirvok

# The fuzz targets, built with clang (libFuzzer) as lightly as the checking
# builds (-O1, line tables), and only the libraries they read with; `make
# test` runs each for FUZZ_SECONDS on its corpus.
FUZZ_SECONDS ?= 10
FUZZ_CONFIGURE = CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug \
	-DCMAKE_CXX_FLAGS_DEBUG=$(CHECK_DEBUG_INFO) -DMIRVOK_FUZZ=ON -DMIRVOK_TESTS=OFF \
	-DMIRVOK_UI=OFF -DMIRVOK_PYTHON=OFF -DMIRVOK_WERROR=ON > /dev/null

# Everything CI checks: the format, the sanitized build with every test,
# the fuzz targets run on their corpora, the threaded tests under
# ThreadSanitizer, the optimised command-line tool writing the same result
# files as the test build, and the Python module (optimised: a sanitized one
# does not load into python3).
test: deps format-check
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMIRVOK_TESTS=OFF > /dev/null
	$(TIMED) release-build cmake --build $(RELEASE_DIR) -j $(JOBS) --target mirvok-cli mirvok_python
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DMIRVOK_SANITIZE=ON -DMIRVOK_TESTS=ON \
		-DMIRVOK_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG=$(CHECK_DEBUG_INFO) \
		-DMIRVOK_RELEASE_CLI=$(CURDIR)/build/bin/mirvok-cli \
		-DMIRVOK_RELEASE_PYTHON=$(CURDIR)/build/python > /dev/null
	$(TIMED) test-build cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen $(CURDIR)/$(TIMED) test-run \
		ctest --output-on-failure -j $(JOBS)
	$(FUZZ_CONFIGURE)
	$(TIMED) fuzz-build cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	$(TIMED) fuzz-run ./scripts/run-fuzz $(FUZZ_DIR) fuzz/corpus $(FUZZ_SECONDS) $(JOBS)
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DMIRVOK_TSAN=ON -DMIRVOK_UI=OFF \
		-DMIRVOK_TESTS=ON -DMIRVOK_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG=$(CHECK_DEBUG_INFO) > /dev/null
	$(TIMED) tsan-build cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 $(CURDIR)/$(TIMED) tsan-run \
		ctest --output-on-failure -j $(JOBS)

format: deps
	@clang-format -i $(SOURCES)

format-check: deps
	@clang-format --dry-run --Werror $(SOURCES) && echo "format: every source as .clang-format says"

bench: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMIRVOK_BENCH=ON -DMIRVOK_TESTS=OFF \
		> /dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	@echo "Benchmarks are in $(RELEASE_DIR)/bench/"

fuzz: deps
	$(FUZZ_CONFIGURE)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	@echo "Fuzz targets are in $(FUZZ_DIR)/fuzz/"

# The window after a Count! on a generated train with the default boxes,
# the results window after a 200-run batch, the sweep browser over a small
# sweep the optimised mirvok-cli runs, the results after a Count! at CV
# 0.0001 and the window after a Count! of 10,000,000 spikes, rendered
# offscreen, for the README.
screenshot: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMIRVOK_TESTS=OFF > /dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target mirvok-screenshot mirvok-cli
	mkdir -p docs
	QT_QPA_PLATFORM=offscreen ./build/bin/mirvok-screenshot docs/screenshot.png docs/results.png \
		docs/sweep-browser.png ./build/bin/mirvok-cli docs/local-cvs.png docs/long-run.png

# The README's "From Python" figure: its example run as written, into docs/.
figures: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMIRVOK_TESTS=OFF > /dev/null
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target mirvok_python
	mkdir -p docs
	cd docs && MPLBACKEND=Agg PYTHONPATH=$(CURDIR)/build/python /usr/bin/python3 \
		$(CURDIR)/tests/python/readme_example.py

clean:
	rm -rf build
