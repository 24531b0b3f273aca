# The two commands of the README: `make run` builds and starts the game,
# `make test` builds everything and runs every test.
PRESET ?= default
BUILD  := build

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	$(BUILD)/game/Gravlin

# Every test, then the same suites again under AddressSanitizer and
# UndefinedBehaviorSanitizer (the editor is left out of that build).
test: build
	@ctest --preset $(PRESET)
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

# The speed table: drawing against its memory floor, play ticks, and the
# real game under Xvfb (see the README's "Speed").
bench: build
	@bench/run.sh $(BUILD)

clean:
	rm -rf build build-asan
