# The two commands: `make run` and `make test`. Each installs what is missing,
# configures and builds the release preset (in build/), then runs.
.PHONY: run test build deps configure clean

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

test: build
	ctest --preset release

clean:
	rm -rf $(BUILD_DIR)
