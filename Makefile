# The two commands of the README:
#   make run   installs what is missing, builds, generates the databases and starts Gridora
#   make test  installs what is missing, builds, checks format and lint, and runs every test
#              (plain and sanitized)
#   make package  builds the Debian package build/package/gridora_<version>_<arch>.deb
# The builds are the presets of CMakePresets.json: dev (build/), sanitize (build-asan/) and
# package (the dev tree, packaged).
BUILD      ?= build
ASAN_BUILD ?= build-asan
export QTWEBENGINE_DISABLE_SANDBOX := 1
export QTWEBENGINE_CHROMIUM_FLAGS := --disable-gpu --no-sandbox

.PHONY: deps build run test test-plain test-sanitized lint format-check tidy bench format clean \
	package

deps:
	bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake --preset dev -B $(BUILD)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	./$(BUILD)/bin/Gridora

test: lint test-plain test-sanitized

test-plain: build
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir $(BUILD) --output-on-failure -j2

$(ASAN_BUILD)/build.ninja:
	cmake --preset sanitize -B $(ASAN_BUILD)

test-sanitized: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# Format and lint: every source file formatted as .clang-format has it, and clang-tidy with
# .clang-tidy quiet on the program's sources (scripts/clang-tidy.sh).
lint: format-check tidy

format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

tidy: build
	bash scripts/clang-tidy.sh $(BUILD)

# Only what the package holds is built, then packaged from this build tree.
package: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target package-inputs
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/package

# The view and start-up benchmarks need a display, so every benchmark runs under one.
bench: build
	for b in $(BUILD)/bin/bench_*; do xvfb-run -a -s "-screen 0 1280x1024x24" $$b || exit 1; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
