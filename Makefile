# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# The two commands: `make run` and `make test`. Each installs what is missing,
# configures and builds the release preset (in build/), then runs.
.PHONY: run test bench package release reproducible screenshot build deps configure clean windows windows-test windows-bench web web-serve web-test fresh-check

BUILD_DIR := build
# The release's date from the changelog, the time of every packed file; the same
# sources then build the same bytes.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell bash scripts/release-epoch.sh)
ifeq ($(SOURCE_DATE_EPOCH),)
$(error no release date in packaging/changelog.in)
endif
endif
export SOURCE_DATE_EPOCH

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: CMakeLists.txt CMakePresets.json | deps
	cmake --preset release

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build --preset release

# Without a display the simulator says so and stops; a picture of its start-up
# window is made instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    $(BUILD_DIR)/bin/spektrion; \
	    $(BUILD_DIR)/bin/spektrion-snapshot -o $(BUILD_DIR)/spektrion.png 2>/dev/null && \
	    echo "The start-up window is pictured in $(BUILD_DIR)/spektrion.png instead."; \
	    exit 1; \
	fi
	@$(BUILD_DIR)/bin/spektrion

# Every test in the release build, then the model, display and widget tests again
# under the address and undefined-behaviour sanitizers.
test: build
	ctest --preset release
	@test -f $(BUILD_DIR)/asan/build.ninja || cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# The two commands above on a Debian 12 that has never seen the project: a minimal
# root made by debootstrap, the committed tree cloned into it, then `make test` and
# `make run` there (as root; see the README).
fresh-check:
	@bash scripts/install-deps.sh fresh
	bash scripts/fresh-check.sh

# Speed and memory figures: a table on stdout, the same figures in build/bench/results.json.
bench: build
	@mkdir -p $(BUILD_DIR)/bench
	$(BUILD_DIR)/bin/spektrion_bench --benchmark_out=$(BUILD_DIR)/bench/gbench.json \
	    --benchmark_out_format=json
	$(BUILD_DIR)/bin/startup_bench --program $(BUILD_DIR)/bin/spektrion \
	    --baseline $(BUILD_DIR)/bin/baseline_window --quiz $(BUILD_DIR)/bin/spektrion-quiz \
	    --field $(BUILD_DIR)/bin/spektrion-field \
	    --gbench $(BUILD_DIR)/bench/gbench.json --out $(BUILD_DIR)/bench/results.json --runs 21 --clicks 1000
	@echo "The same on a display scaled by 2, the chart drawn at that resolution:"
	QT_SCALE_FACTOR=2 $(BUILD_DIR)/bin/spektrion_bench --benchmark_filter='click/.*/paint' \
	    --benchmark_out=$(BUILD_DIR)/bench/gbench-ratio2.json --benchmark_out_format=json
	$(BUILD_DIR)/bin/startup_bench --scale 2 --program $(BUILD_DIR)/bin/spektrion \
	    --baseline $(BUILD_DIR)/bin/baseline_window --gbench $(BUILD_DIR)/bench/gbench-ratio2.json \
	    --out $(BUILD_DIR)/bench/results-ratio2.json --runs 21 --clicks 1000
	@echo "The 54-state worksheet to a PDF (budget 1 s):"
	@bash -c 'time $(BUILD_DIR)/bin/spektrion-worksheet --count 54 -o $(BUILD_DIR)/bench/worksheet.pdf'

# The Debian package, build/spektrion_<version>_amd64.deb; its modes are the same
# under any umask.
package: build
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB

# Every download in build/release, with SHA256SUMS beside them.
release: package windows web
	@rm -rf $(BUILD_DIR)/release
	@mkdir -p $(BUILD_DIR)/release
	@v=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(BUILD_DIR)/CMakeCache.txt) && \
	    cp $(BUILD_DIR)/spektrion_$${v}_amd64.deb $(BUILD_DIR)/windows/spektrion-$$v-win64.zip \
	    $(BUILD_DIR)/windows/spektrion-$$v-win64.msi $(BUILD_DIR)/spektrion-web-$$v.zip $(BUILD_DIR)/release/
	cd $(BUILD_DIR)/release && sha256sum $$(ls | LC_ALL=C sort) > SHA256SUMS
	@cat $(BUILD_DIR)/release/SHA256SUMS

# The Debian package and the Windows downloads built again from a clone elsewhere:
# the same bytes, or diffoscope's account of the difference.
reproducible: package windows
	bash scripts/reproducible.sh

# The README's pictures: the start-up window, a splitting tree, a worksheet's pages;
# and the Ukrainian guide's, in docs/uk beside it: every window as a student first sees it.
GUIDE := docs/uk
screenshot: build
	$(BUILD_DIR)/bin/spektrion-snapshot -o docs/spektrion.png
	for p in 1.25:125 1.5:150 3:300; do $(BUILD_DIR)/bin/spektrion-snapshot --scale $${p%:*} \
	    -o docs/spektrion-$${p#*:}.png; done
	$(BUILD_DIR)/bin/spektrion-snapshot --tree --sizes 2,3,2 -o docs/tree.png
	$(BUILD_DIR)/bin/spektrion-worksheet --count 4 -o $(BUILD_DIR)/worksheet.pdf
	pdftoppm -r 50 -png -f 1 -l 1 -singlefile $(BUILD_DIR)/worksheet.pdf docs/worksheet-task
	pdftoppm -r 50 -png -f 3 -l 3 -singlefile $(BUILD_DIR)/worksheet.pdf docs/worksheet-answer
	$(BUILD_DIR)/bin/spektrion-snapshot -o $(GUIDE)/simulator.png
	$(BUILD_DIR)/bin/spektrion-snapshot --tree --sizes 2,3,2 -o $(GUIDE)/tree.png
	$(BUILD_DIR)/bin/spektrion-snapshot --field 400 -o $(GUIDE)/field-400.png
	$(BUILD_DIR)/bin/spektrion-snapshot --field 60 -o $(GUIDE)/field-60.png
	bash scripts/window-picture.sh $(BUILD_DIR)/bin/spektrion-quiz $(GUIDE)/quiz.png --seed 2026
	pdftoppm -r 50 -png -f 1 -l 1 -singlefile $(BUILD_DIR)/worksheet.pdf $(GUIDE)/worksheet-task
	pdftoppm -r 50 -png -f 3 -l 3 -singlefile $(BUILD_DIR)/worksheet.pdf $(GUIDE)/worksheet-answer

# The Windows download, build/windows/spektrion-<version>-win64.zip: cross-built with
# MinGW-w64 against a static Qt that is built once per machine and kept in
# ~/.cache/spektrion (about half an hour the first time).
windows: build
	@bash scripts/install-deps.sh windows
	bash scripts/windows.sh

# The Windows programs under Wine on a private X server, against the Linux build.
windows-test: windows
	bash tests/windows/windows_test.sh $(BUILD_DIR)

# Start-up of spektrion.exe under Wine beside the Linux program's.
windows-bench: windows
	bash benchmarks/windows_startup.sh $(BUILD_DIR)

# The browser build: the static site in build/web/ and build/spektrion-web-<version>.zip,
# compiled with Debian's emscripten against a static Qt built once per machine.
web: build
	@bash scripts/install-deps.sh web
	bash scripts/web.sh

# The site on http://127.0.0.1:8000/ for a quick look (Ctrl+C ends it).
web-serve: web
	cd $(BUILD_DIR)/web && python3 -m http.server 8000 --bind 127.0.0.1

# The page in Debian's Chromium and Firefox, driven by puppeteer-core, against the Linux
# pictures; Firefox on a private X server. Its npm modules are installed in the build
# tree, from tests/web's lock file.
web-test: web
	@mkdir -p $(BUILD_DIR)/web-node
	@cp tests/web/package.json tests/web/package-lock.json tests/web/web_test.mjs $(BUILD_DIR)/web-node/
	@test -d $(BUILD_DIR)/web-node/node_modules || npm ci --prefix $(BUILD_DIR)/web-node --no-audit --no-fund
	xvfb-run -a -s '-screen 0 1600x1200x24' node $(BUILD_DIR)/web-node/web_test.mjs $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
