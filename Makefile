# The user commands. Each first installs whatever Debian package is missing,
# then builds: the host tool vornimg natively, everything else for 32-bit
# Windows, into build/bin/.
BUILD   := build
WIN     := $(BUILD)/win
HOST    := $(BUILD)/host
JOBS    ?= 2

# make fuzz: each target until FUZZ_RUNS inputs ran or FUZZ_SECONDS passed.
FUZZ_SECONDS ?= 600
FUZZ_RUNS ?= 1000000

.PHONY: all deps configure build test demo bench sdk clean native native-test native-check fuzz fuzz-build

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
	@JOBS=$(JOBS) scripts/native.sh check

# The platform-independent code with the sanitizers, its unit tests and its
# fuzz targets: for 32-bit x86 (-m32) where this machine runs 32-bit programs,
# else for the host's architecture (scripts/native.sh says where).
native: deps
	@JOBS=$(JOBS) scripts/native.sh build

native-test: deps
	@JOBS=$(JOBS) scripts/native.sh test

native-check: deps
	@JOBS=$(JOBS) scripts/native.sh check

fuzz-build: deps
	@JOBS=$(JOBS) scripts/native.sh fuzz-build

# Each target after its seed corpus; FUZZ_TARGETS="a b" for some of them.
fuzz: deps
	@JOBS=$(JOBS) scripts/native.sh fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS) $(FUZZ_TARGETS)

# The demo needs only the runtime, vornpack and its own image.
demo: configure
	@cmake --build $(WIN) -j $(JOBS) --target runtime vornpack demo_image
	@scripts/test-env.sh $(WIN)/demo/run_demo.sh

bench: build
	@scripts/test-env.sh bench/run_benchmarks.sh $(BUILD)/bin

# Regenerates sdk/vorn.h and sdk/vorn.symbols from the runtime's registrations
# (needs only the generator, so that programs written against a stale header
# do not stop it). A file is rewritten only when its text changed, so that
# what depends on it is not rebuilt for nothing.
sdk: configure
	@cmake --build $(WIN) -j $(JOBS) --target vornsdk
	@scripts/winerun $(BUILD)/bin/vornsdk.exe | tr -d '\r' > $(BUILD)/vorn.h.new
	@scripts/winerun $(BUILD)/bin/vornsdk.exe --symbols | tr -d '\r' > $(BUILD)/vorn.symbols.new
	@for f in vorn.h vorn.symbols; do \
	    cmp -s $(BUILD)/$$f.new sdk/$$f || cp $(BUILD)/$$f.new sdk/$$f; rm -f $(BUILD)/$$f.new; done

clean:
	rm -rf $(BUILD)
