# Quick start: `make demo` runs the main job, `make test` runs every test suite.
.PHONY: demo test build-native test-native test-win32 test-fuzz fuzz bench package golden clean

JOBS ?= $(shell nproc)
# Each target installs the package set it needs first (scripts/setup-deps, idempotent).
SETUP = scripts/setup-deps

demo:
	@$(SETUP) native
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target zkw zkw_fonts -j $(JOBS)
	@mkdir -p build/demo
	build/release/tools/zkw/zkw scene build demo/demo.json build/demo/demo.dan
	build/release/tools/zkw/zkw render build/demo/demo.dan --frames 120 --out demo/out \
	  --input demo/input.json --font build/release/fonts/dejavu-sans-bold-24.dfu --sheet 15
	@if [ -z "$${CI:-}" ] && { [ -n "$${DISPLAY:-}" ] || [ -n "$${WAYLAND_DISPLAY:-}" ]; }; then \
	  build/release/tools/zkw/zkw play build/demo/demo.dan \
	    --font build/release/fonts/dejavu-sans-bold-24.dfu; \
	else echo "no display: the frames are in demo/out (contact sheet demo/out/contact.png)"; fi

test: test-native test-win32 test-fuzz
	@echo "all test suites passed"

build-native:
	@$(SETUP) test
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

test-native: build-native
	@ctest --preset dev -j $(JOBS)

test-win32:
	@$(SETUP) win32
	@scripts/test-win32

# Replays the seeds and every input a campaign found (fuzz/regressions/<target>/).
test-fuzz:
	@$(SETUP) test
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@TARGETS="$(TARGETS)" scripts/run-fuzz-seeds build/fuzz

# A campaign: `make fuzz SECONDS=600 TARGETS="bmp_fuzz dex_fuzz"` (all targets by default),
# two targets at a time, corpora kept in build/fuzz/corpus/, findings written to
# fuzz/regressions/<target>/.
fuzz:
	@$(SETUP) test
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@TARGETS="$(TARGETS)" scripts/run-fuzz-seeds build/fuzz --explore $(or $(SECONDS),60)

bench:
	@$(SETUP) bench
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do $$b; done

# The packages hosts download, in build/packages/: ZKWGDI32-<version>-win32.zip (the 32-bit DLL,
# its import libraries, header, fonts, docs, example) and the Debian package of the Linux library
# and tool (CPack, optimised build).
package:
	@$(SETUP) test win32
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cmake --preset mingw >/dev/null
	@cmake --build --preset mingw -j $(JOBS) --target zkwgdi32
	@scripts/make-win32-zip build/mingw build/packages build/release/fonts
	@cpack -G DEB --config build/release/CPackConfig.cmake -B build/packages/deb >/dev/null
	@mv build/packages/deb/*.deb build/packages/ && rm -rf build/packages/deb
	@ls -1 build/packages/*

# Renews the pictures the tests compare with (the equation gallery), after a deliberate change of
# the drawing; the docs show the same picture.
golden:
	@$(SETUP) native
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev --target zkw -j $(JOBS)
	build/dev/tools/zkw/zkw eq gallery tests/data/equation-gallery.png
	cp tests/data/equation-gallery.png docs/equation-gallery.png

clean:
	rm -rf build
