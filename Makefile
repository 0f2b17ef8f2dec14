# SPDX-License-Identifier: GPL-3.0-or-later
# Quick start: `make run` opens the window, `make test` runs the tests. Both install the
# Debian packages the project needs, configure and build first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench fuzz package install clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	./scripts/run-app $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS) --timeout 600

bench: build
	cmake --build $(BUILD_DIR) --target bench

# Each fuzz target for FUZZ_SECONDS under libFuzzer, in FUZZ_DIR; needs clang.
fuzz:
	./scripts/fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
