# The two commands: `make run` and `make test`. Each installs what is missing,
# configures and builds the release preset (in build/), then runs.
.PHONY: run test bench build deps configure clean

BUILD_DIR := build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset release

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build --preset release

run: build
	@$(BUILD_DIR)/bin/spektrion

# Every test in the release build, then the model, display and widget tests again
# under the address and undefined-behaviour sanitizers.
test: build
	ctest --preset release
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# Speed and memory figures: a table on stdout, the same figures in build/bench/results.json.
bench: build
	@mkdir -p $(BUILD_DIR)/bench
	$(BUILD_DIR)/bin/spektrion_bench --benchmark_out=$(BUILD_DIR)/bench/gbench.json \
	    --benchmark_out_format=json --benchmark_repetitions=1
	$(BUILD_DIR)/bin/startup_bench --program $(BUILD_DIR)/bin/spektrion \
	    --baseline $(BUILD_DIR)/bin/baseline_window --gbench $(BUILD_DIR)/bench/gbench.json \
	    --out $(BUILD_DIR)/bench/results.json --runs 21 --clicks 1000

clean:
	rm -rf $(BUILD_DIR)
