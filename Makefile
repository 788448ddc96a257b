# Two commands for a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and starts the program
#   make test  installs what is missing, builds, and runs every test
#              (normal build, end-to-end tests under Xvfb, the Debian
#              package, sanitizer build, a short run of the fuzz targets)
# and one for a Debian package:
#   make package  installs what is missing, builds in Release and writes
#                 dist/shiputong_<version>_<arch>.deb; to publish it, add
#                 SHIPUTONG_MAINTAINER='Name <address>' SHIPUTONG_HOMEPAGE=<url>
# For Windows (not part of make test; the first build of Qt takes long):
#   make windows       cross-builds dist/shiputong-<version>-win64.zip
#   make windows-test  runs that zip under Wine and checks what it delivers

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
PACKAGE_BUILD ?= build-package
DIST ?= dist
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The package's maintainer and homepage go to CMake on every run; one left
# unset is cleared from the cache, so the default applies again instead of
# a value from an earlier run.
package_metadata = $(foreach name,SHIPUTONG_MAINTAINER SHIPUTONG_HOMEPAGE,\
    $(if $($(name)),-D$(name)='$(subst ','\'',$($(name)))',-U$(name)))

.PHONY: run test build build-asan package setup setup-run setup-package clean windows windows-test

run: setup-run
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target shiputong
	@# Without a display the program itself says so in one line.
	@./$(BUILD)/app/shiputong

test: setup build build-asan
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j 2
	cd $(ASAN_BUILD) && ctest --output-on-failure --timeout 900 -j 2
	bash scripts/fuzz.sh 15

# Only the program goes into the package, so neither tests nor benchmarks
# are built; dist/ holds exactly the one new package. The compiler and
# linker get Debian's hardening flags, as a Debian build would give them.
package: setup-package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DSHIPUTONG_BUILD_TESTS=OFF -DSHIPUTONG_BUILD_BENCH=OFF $(package_metadata) \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	rm -f $(PACKAGE_BUILD)/shiputong_*.deb
	cd $(PACKAGE_BUILD) && cpack -G DEB
	mkdir -p $(DIST)
	rm -f $(DIST)/shiputong_*.deb
	cp $(PACKAGE_BUILD)/shiputong_*.deb $(DIST)/
	@ls -l $(DIST)/shiputong_*.deb

setup:
	bash scripts/setup-debian.sh

setup-run:
	bash scripts/setup-debian.sh --run-only

setup-package:
	bash scripts/setup-debian.sh --package

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD) $(DIST) build-fuzz build-windows
