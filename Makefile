# The user commands. Each first installs whatever Debian package is missing,
# then builds: the host tool vornimg natively, everything else for 32-bit
# Windows, into build/bin/.
BUILD   := build
WIN     := $(BUILD)/win
HOST    := $(BUILD)/host-tools
JOBS    ?= 2

NATIVE  := $(BUILD)/native
FUZZ    := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60

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
	@scripts/native-run.sh $(MAKE) --no-print-directory native-check

# The platform-independent code for 32-bit Linux with the sanitizers, and its
# unit tests; the fuzz targets with clang's libFuzzer.
native: deps
	@CXX=g++ CC=gcc cmake -S tests/native -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

native-test: native
	@scripts/native-run.sh ctest --test-dir $(NATIVE) --output-on-failure

# What make test adds after the Windows suite where 32-bit programs run: the
# native unit tests and each fuzz target over its corpus plus a short burst.
native-check: native fuzz-build
	@ctest --test-dir $(NATIVE) --output-on-failure
	@tests/fuzz/run_fuzzers.sh $(FUZZ) 5

fuzz-build: deps
	@CXX=clang++ CC=clang cmake -S tests/native -B $(FUZZ) -G Ninja -DVORN_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

# FUZZ_SECONDS of fuzzing each target, after its seed corpus.
fuzz: fuzz-build
	@scripts/native-run.sh tests/fuzz/run_fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

# The demo needs only the runtime, vornpack and its own image.
demo: configure
	@cmake --build $(WIN) -j $(JOBS) --target runtime vornpack demo_image
	@scripts/test-env.sh $(WIN)/demo/run_demo.sh

bench: build
	@scripts/test-env.sh bench/run_benchmarks.sh $(BUILD)/bin

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
