# The user commands. Each first installs whatever Debian package is missing,
# then builds: the host tool vornimg natively, everything else for 32-bit
# Windows, into build/bin/.
BUILD   := build
WIN     := $(BUILD)/win
HOST    := $(BUILD)/host-tools
JOBS    ?= 2

# make fuzz: each target until FUZZ_RUNS inputs ran or FUZZ_SECONDS passed.
FUZZ_SECONDS ?= 600
FUZZ_RUNS ?= 1000000

.PHONY: all deps configure build test demo bench sdk install clean native native-test native-check fuzz fuzz-build

all: build

deps:
	@scripts/install-deps.sh

build: configure
	@cmake --build $(WIN) -j $(JOBS)

configure: deps
	@cmake -S tools -B $(HOST) -G Ninja -DCMAKE_BUILD_TYPE=Release \
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

# The Windows benchmarks under Wine, then the native ones (the pixel kernels
# beside SDL2 and pixman).
bench: build
	@scripts/test-env.sh bench/run_benchmarks.sh $(BUILD)/bin
	@JOBS=$(JOBS) scripts/native.sh bench

# Regenerates sdk/vorn.h, sdk/vorn.symbols and docs/commands.md from the
# runtime's registrations, read from its sources by the build host's vornsdk,
# and the descriptions in docs/command_descriptions.txt (so it runs where
# Windows programs cannot, and programs written against a stale header do not
# stop it). A file is rewritten only when its text changed, so that what
# depends on it is not rebuilt for nothing.
SDKGEN := $(BUILD)/bin/vornsdk --sources $(WIN)/core_sources.txt --descriptions docs/command_descriptions.txt
sdk: configure
	@$(SDKGEN) --check
	@$(SDKGEN) > $(BUILD)/vorn.h.new
	@$(SDKGEN) --symbols > $(BUILD)/vorn.symbols.new
	@$(SDKGEN) --reference > $(BUILD)/commands.md.new
	@for f in sdk/vorn.h sdk/vorn.symbols docs/commands.md; do n=$(BUILD)/$$(basename $$f).new; \
	    cmp -s $$n $$f || { cp $$n $$f; echo "rewrote $$f"; }; rm -f $$n; done

# The runtime, its tools and the SDK with its CMake package under PREFIX.
PREFIX ?= /usr/local
install: build
	@scripts/install.sh $(PREFIX) $(BUILD)/bin

clean:
	rm -rf $(BUILD)
