# Quillora: build, run, test, check, benchmark and fuzz.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-release
FUZZ_BUILD  ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local

SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps build run test check bench fuzz artwork screenshots install e2e demo deb deb-test clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/quillora

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

check: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON \
	  -DQUILLORA_ARTWORK=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j 2

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLORA_BENCH=ON \
	  -DQUILLORA_TESTS=OFF -DQUILLORA_ARTWORK=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD)
	@set -e; found=0; for b in $(BENCH_BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; found=1; QT_QPA_PLATFORM=offscreen "$$b"; done; \
	  [ $$found -eq 1 ] || echo "no benchmarks yet"

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLORA_FUZZ=ON -DQUILLORA_TESTS=OFF -DQUILLORA_ARTWORK=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) --target quillora_fuzzers
	@set -e; found=0; for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; found=1; name=$$(basename $$f); \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus/$$name fuzz/seeds/$${name#fuzz_}; \
	   done; \
	  [ $$found -eq 1 ] || echo "no fuzz targets yet"

# Renders the bitmaps in resources/bitmaps (1x and @2x), the materials and the phone in data/
# and the desktop icons in resources/icons from tools/artwork.
artwork: deps
	cmake -S . -B $(BUILD) -G Ninja -DQUILLORA_ARTWORK=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) --target quillora_artwork
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/artwork/quillora_artwork resources/bitmaps data resources/icons

# Pictures of the program's windows for the manual, rendered off screen into data/manual/;
# PHOTO=<file> is the main picture (with the first materials laid over it). The service's pages
# come from the browser tests, at 360 and 1280 pixels wide.
PHOTO ?= ../shared/testdata/photos96/kodim23.png
SHOTS ?= data/manual
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quillora_screenshots $(SHOTS) $(PHOTO)
	QUILLORA_SHOTS=$(abspath $(SHOTS)) ctest --test-dir $(BUILD) -L browser --output-on-failure

# The program in $(PREFIX)/bin, its data in $(PREFIX)/share/quillora, menu entry, icons and
# AppStream metadata under $(PREFIX)/share.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian packages quillora and quillora-service, built by dpkg-buildpackage from debian/
# into dist/ (the programs only: no tests, benchmarks or artwork), then checked by lintian.
deb: deps
	scripts/build-deb dist
	lintian --fail-on error dist/quillora*.deb

# The packages as a user gets them, in a fresh Debian 12 root: the same build under an older
# version installed first, then the upgrade to dist/, a picture sent from the installed composer
# to the installed service, and the purge; screenshots in e2e/package/.
deb-test: deb
	scripts/build-deb dist/previous $$(dpkg-parsechangelog -S Version)~previous
	tests/package/run dist dist/previous e2e/package

# The installed program under Xvfb, driven with xdotool from first start to a sent picture, at
# 100 % and 200 %, then with the keyboard alone, then under a headless Wayland compositor;
# screenshots of every step in e2e/, e2e/200/, e2e/keys/ and e2e/wayland/.
e2e: build
	tests/e2e/run $(BUILD) e2e
	E2E_SCALE=2 tests/e2e/run $(BUILD) e2e/200
	tests/e2e/keyboard $(BUILD) e2e/keys
	tests/e2e/wayland/run $(BUILD) e2e/wayland

# The composer with the receiving service on 127.0.0.1 and an SMTP sink; prints each mail that
# arrives, until the composer is closed.
demo: build
	scripts/demo $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) dist
