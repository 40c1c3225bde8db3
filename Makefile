# Two commands for a new user: `make run` and `make test`.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_NOGUI ?= build-nogui
JOBS       ?= $(shell nproc)
CMAKE_OPTS ?=

APP_DIR = $(BUILD)/src/app
CLI     = $(BUILD)/src/cli/marvolingen-cli

.PHONY: deps build run test test-nogui format-check test-asan fuzz bench screenshots package ci clean

deps:
	./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Starts the window program; a demo GroupWise system is created beside it the first time.
run: build
	@if [ ! -d "$(APP_DIR)/GroupWise" ]; then $(CLI) --folder $(APP_DIR) groupwise init --demo; fi
	$(APP_DIR)/marvolingen

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The core, the command-line program and their tests without the window (no Qt Widgets).
test-nogui: deps
	cmake -S . -B $(BUILD_NOGUI) -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVOLINGEN_GUI=OFF
	cmake --build $(BUILD_NOGUI) -j $(JOBS)
	cd $(BUILD_NOGUI) && ctest --output-on-failure -j $(JOBS)

# Every tracked C++ source as the repository's .clang-format has it.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARVOLINGEN_SANITIZE=ON -DMARVOLINGEN_BENCH=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j $(JOBS)

fuzz:
	./scripts/install-deps.sh --fuzz
	./fuzz/run.sh

# Benchmarks are opt-in: this turns them on in the build folder, builds and runs them.
bench: build
	cmake -S . -B $(BUILD) -DMARVOLINGEN_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/bench/bench_daylist
	@if [ -x $(BUILD)/bench/bench_gw_write ]; then $(BUILD)/bench/bench_gw_write; fi
	@if [ -x $(BUILD)/bench/bench_caldav ]; then $(BUILD)/bench/bench_caldav; fi

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tests/gui/marvolingen-screenshots docs/screenshots

# build/marvolingen_<version>_amd64.deb, for `apt install ./build/marvolingen_..._amd64.deb`.
package: build
	cmake --build $(BUILD) --target package

ci: test test-asan fuzz

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_NOGUI) build-fuzz
