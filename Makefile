# Set-up and everyday commands. Every target installs what it needs first.
BUILD_DIR      ?= build
SANITIZE_DIR   ?= build-sanitize
TSAN_DIR       ?= build-tsan
FUZZ_DIR       ?= build-fuzz
FUZZ_SECONDS   ?= 600
FUZZ_SMOKE_SECONDS ?= 30
FUZZ_TARGETS   ?=
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
XVFB           := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
# Compiler cache hits do not depend on where the checkout lies.
export CCACHE_BASEDIR   ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true

# The suites whose tests run threads: these are the ones ThreadSanitizer checks.
TSAN_TESTS     ?= MessageEngine*:EngineFixture*:SingleInstance*:CZQVSingleton*:ManagerFixture*:AccessFixture*:SocketFixture*:MessageThreadHandOver*:SampleTransfers*:SampleReceiveTest*:SamplePlayer*:PreviewPlayer*:AudioPlayerManager*:VirtualPlovaraTest*:CompositeSession*:BankTransfers*:EditBankTransfers_*:MultiBankTransfers*:SequenceTransfers*:SessionDialogTest*:FileDialogs*
# Fuzzing wants speed and line numbers in its reports, not full debug data.
FUZZ_CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=Fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
                    -DCMAKE_C_FLAGS_FUZZ="-O1 -gline-tables-only -DNDEBUG" \
                    -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only -DNDEBUG" -DPLOVARA_FUZZ=ON

.PHONY: deps configure build run demo package test test-sanitize test-tsan fuzz-build fuzz fuzz-smoke fuzz-seeds bench soak clean

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the editor; without a screen it runs under a virtual one.
run: build
	@if [ -n "$$DISPLAY" ]; then $(BUILD_DIR)/plovara-editor; \
	else $(XVFB) $(BUILD_DIR)/plovara-editor; fi

# The editor on an emulated Plovara whose memory is kept in the user's
# settings folder ("DemoDevice.plvr_all"); the first start fills its banks
# with sounds, patterns and effects the program makes itself.
demo: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target plovara-editor
	@if [ -n "$$DISPLAY" ]; then $(BUILD_DIR)/plovara-editor --demo; \
	else $(XVFB) $(BUILD_DIR)/plovara-editor --demo; fi

# The Debian package of the editor and the tool, in $(BUILD_DIR).
package: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target plovara-editor plovara-cli
	cd $(BUILD_DIR) && cpack -G DEB

test: build
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DPLOVARA_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target plovara_core_tests plovara_tests plovara-cli
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(XVFB) ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

test-tsan: deps
	cmake -S . -B $(TSAN_DIR) $(CMAKE_FLAGS) -DPLOVARA_TSAN=ON
	cmake --build $(TSAN_DIR) -j $(JOBS) --target plovara_core_tests plovara_tests
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(TSAN_DIR)/tests/plovara_core_tests --gtest_filter='$(TSAN_TESTS)'
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(XVFB) $(TSAN_DIR)/tests/plovara_tests --gtest_filter='$(TSAN_TESTS)'

# The libFuzzer targets of fuzz/, built with clang in a folder of their own.
fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) $(FUZZ_CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target plovara_fuzzers

# Runs every target (or those in FUZZ_TARGETS) for FUZZ_SECONDS seconds;
# findings go to $(FUZZ_DIR)/fuzz-findings.
fuzz: fuzz-build
	fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The short run that CI makes: FUZZ_SMOKE_SECONDS seconds per target.
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS)

# Writes the seed corpora into fuzz/corpus from what the program writes.
fuzz-seeds: fuzz-build
	cmake --build $(FUZZ_DIR) --target plovara_fuzz_seeds
	$(FUZZ_DIR)/fuzz/plovara_fuzz_seeds fuzz/corpus

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target plovara_bench plovara_gui_bench
	$(BUILD_DIR)/bench/plovara_bench
	$(XVFB) $(BUILD_DIR)/bench/plovara_gui_bench

# Backups and restores between two emulated devices with cable pulls, about
# five minutes; not part of CI.
SOAK_ROUNDS ?= 50
soak: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target plovara-cli plovara_soak
	$(BUILD_DIR)/tools/soak/plovara_soak $(BUILD_DIR)/plovara-cli $(BUILD_DIR)/soak $(SOAK_ROUNDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR)
