# The two set-up commands: `make run` starts the program on the bundled sample data,
# `make test` runs the whole test suite. Both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test deps build bench clean install

deps:
	@sh tools/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/zandor-library

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Installs both programs, the help, the fonts, the sample data, a menu entry and an icon
# below PREFIX (for a system-wide PREFIX, run as root).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	sh tools/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
