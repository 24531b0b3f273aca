# The two commands of the README: `make run` builds and starts the game,
# `make test` builds everything and runs every test.
PRESET ?= default
BUILD  := build

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	$(BUILD)/game/Gravlin

test: build
	@ctest --preset $(PRESET)

clean:
	rm -rf build build-asan
