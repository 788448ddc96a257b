# Two commands for a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and starts the program
#   make test  installs what is missing, builds, and runs every test
#              (normal build, end-to-end tests under Xvfb, sanitizer build,
#              a short run of the fuzz targets)
# For Windows (not part of make test; the first build of Qt takes long):
#   make windows       cross-builds dist/shiputong-<version>-win64.zip
#   make windows-test  runs that zip under Wine and checks what it delivers

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build build-asan setup setup-run clean windows windows-test

run: setup-run
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target shiputong
	@# Without a display the program itself says so in one line.
	@./$(BUILD)/app/shiputong

test: setup build build-asan
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j 2
	cd $(ASAN_BUILD) && ctest --output-on-failure --timeout 900 -j 2
	bash scripts/fuzz.sh 15

setup:
	bash scripts/setup-debian.sh

setup-run:
	bash scripts/setup-debian.sh --run-only

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSHIPUTONG_SANITIZE=ON -DSHIPUTONG_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

windows:
	JOBS=$(JOBS) bash scripts/build-windows.sh

windows-test: windows
	bash scripts/setup-debian.sh --windows-test
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target e2e_helper
	E2E_HELPER=$(BUILD)/tests/e2e/e2e_helper bash scripts/windows-test.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz build-windows dist
