# Quick start: `make demo` runs the main job, `make test` runs every test suite.
.PHONY: demo test setup build-native test-native test-win32 test-fuzz fuzz bench clean

JOBS ?= $(shell nproc)

setup:
	@scripts/setup-deps

demo: setup
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target zkw -j $(JOBS)
	@mkdir -p build/demo
	build/release/tools/zkw/zkw sample build/demo/sample.bmp
	build/release/tools/zkw/zkw sample build/demo/sample.dex
	build/release/tools/zkw/zkw info build/demo/sample.dex
	@cmake --build --preset release --target zkw_fonts -j $(JOBS)
	build/release/tools/zkw/zkw font info build/release/fonts/dejavu-sans-32.dfu
	build/release/tools/zkw/zkw font draw build/release/fonts/dejavu-sans-32.dfu "Tiếng Việt có dấu: Ở đây, Ấn tượng" build/demo/font.bmp --outline --shadow

test: setup test-native test-win32 test-fuzz
	@echo "all test suites passed"

build-native:
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

test-native: build-native
	@ctest --preset dev -j $(JOBS)

test-win32:
	@scripts/test-win32

test-fuzz:
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzz-seeds build/fuzz

fuzz:
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzz-seeds build/fuzz --explore $(or $(SECONDS),60)

bench:
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do $$b; done

clean:
	rm -rf build
