# The user commands. Each first installs whatever Debian package is missing,
# then builds: the host tool vornimg natively, everything else for 32-bit
# Windows, into build/bin/.
BUILD   := build
WIN     := $(BUILD)/win
HOST    := $(BUILD)/host
JOBS    ?= 2

.PHONY: all deps configure build test demo bench sdk clean

all: build

deps:
	@scripts/install-deps.sh

build: configure
	@cmake --build $(WIN) -j $(JOBS)

configure: deps
	@cmake -S tools/vornimg -B $(HOST) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=$(CURDIR)/$(BUILD)/bin >/dev/null
	@cmake --build $(HOST) -j $(JOBS)
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release >/dev/null

test: build
	@scripts/test-env.sh ctest --test-dir $(WIN) -j $(JOBS) --output-on-failure

demo: build
	@scripts/test-env.sh $(WIN)/demo/run_demo.sh

bench: build
	@scripts/test-env.sh bench/run_benchmarks.sh $(BUILD)/bin

# Regenerates sdk/vorn.h from the runtime's registrations (needs only the
# generator, so that programs written against a stale header do not stop it).
sdk: configure
	@cmake --build $(WIN) -j $(JOBS) --target vornsdk
	@scripts/winerun $(BUILD)/bin/vornsdk.exe > $(BUILD)/vorn.h.new
	@tr -d '\r' < $(BUILD)/vorn.h.new > sdk/vorn.h && rm $(BUILD)/vorn.h.new

clean:
	rm -rf $(BUILD)
