# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands a newcomer needs: `make run` and `make test`; CI also
# runs `make check`.
BUILD ?= build
DIR ?= planner
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

.PHONY: all deps build run test check bench screenshots atspi-check deb package-check clean

all: build

deps:
	@scripts/install-deps

# The program and its tests; the developer tools and the benchmarks are
# left out (`make bench` and `make screenshots` build them).
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCORVANE_EXTRAS=OFF >/dev/null
	@cmake --build $(BUILD) --parallel $(JOBS)

# Starts Corvane in DIR, where its task list files live.
run: build
	@mkdir -p "$(DIR)"
	cd "$(DIR)" && "$(abspath $(BUILD))/src/corvane"

# Every test, headless, then what the reliability checks tried and found.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)
	@echo "What the reliability checks tried and found:"
	@sed -n -e 's/^QINFO  : [A-Za-z]*::[A-Za-z]*() /  /p' \
		-e 's/^QINFO  : [A-Za-z]*::[A-Za-z]*(\([^)]*\)) /  \1: /p' $(BUILD)/Testing/Temporary/LastTest.log

# The longer checks, which CI runs after `make test`: the whole suite once
# more under AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-asan), then the loader fuzzer for FUZZ_SECONDS (in build-fuzz).
check: deps
	scripts/run-sanitizers build-asan
	scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

# Builds and runs every benchmark, printing its figures.
bench:
	@scripts/install-deps bench
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCORVANE_EXTRAS=ON >/dev/null
	@cmake --build $(BUILD) --parallel $(JOBS)
	@bench/run.sh $(BUILD)

# The Debian package, $(BUILD)/corvane_VERSION_ARCH.deb, made by CPack from
# the install rules of the Release build that `make build` makes.
deb: build
	@scripts/install-deps package
	@cd $(BUILD) && { cpack -G DEB > cpack.log || { cat cpack.log >&2; exit 1; }; } && \
		sed -n 's/^CPack: - package: //p' cpack.log

# The sources' licences (reuse lint) and the package as a user gets it:
# lintian, then installed on this machine, tried, and removed again, with
# what was tried printed (scripts/package-check). CI runs it after make test.
package-check: deb
	@scripts/package-check $(BUILD)

# Renders every window and dialog with sample data to $(BUILD)/screenshots,
# and copies the main window, the backlog, a sprint and its burndown at 96 dpi into
# docs/screenshots/, which the README shows.
screenshots: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCORVANE_EXTRAS=ON >/dev/null
	@cmake --build $(BUILD) --target screenshots --parallel $(JOBS)
	@scripts/screenshots.sh $(BUILD) $(BUILD)/screenshots
	@mkdir -p docs/screenshots
	@for name in mainwindow pbacklogwindow sprintwindow burndownwindow; do \
		cp $(BUILD)/screenshots/96dpi/$$name.png docs/screenshots/ || exit 1; \
	done

# Reads the windows through AT-SPI, as a screen reader on Linux does, on a
# virtual display with an accessibility bus of its own.
atspi-check: build
	@scripts/install-deps a11y
	@scripts/atspi-check $(BUILD)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
