# Set-up and everyday commands. Every target installs what it needs first.
BUILD_DIR      ?= build
SANITIZE_DIR   ?= build-sanitize
TSAN_DIR       ?= build-tsan
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
XVFB           := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: deps configure build run test test-sanitize test-tsan bench clean

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

test: build
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DPLOVARA_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target plovara_tests plovara-cli
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(XVFB) ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target plovara_bench
	$(BUILD_DIR)/bench/plovara_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR)
