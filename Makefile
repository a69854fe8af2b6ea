# make run   builds and starts the application
# make test  builds and runs every test, then again under ASan and UBSan, then the tests of
#            the Windows build under Wine (when ../shared/qt6-mingw is there)
# make bench builds and runs the benchmarks
# make package builds the Debian package (build/korven_VERSION_ARCH.deb)
# make windows cross-compiles for Windows x86-64: build-windows/KORVEN (portable folder)
#            and build-windows/korven-VERSION-setup.exe (installer)

BUILD := build
SANITIZE_BUILD := build-sanitize
WINDOWS_BUILD := build-windows
# Qt 6.4.2 for MinGW-w64, prebuilt beside the repository (its README says how).
QT_MINGW ?= ../shared/qt6-mingw
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench package deps build build-sanitize windows windows-test clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKORVEN_SANITIZE=ON -DKORVEN_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

run: build
	$(BUILD)/shell/korven

test: build build-sanitize
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)
	@if [ -d $(QT_MINGW) ]; then \
		$(MAKE) --no-print-directory windows-test; \
	else \
		echo "Część Windows pominięta: nie ma $(QT_MINGW) (Qt 6.4.2 dla MinGW-w64)"; \
	fi

# The Windows programs (MinGW-w64 against Qt for MinGW; moc, rcc and uic from Debian's Qt),
# the portable folder and the NSIS installer.
windows: deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEN_BENCH=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$(abspath $(QT_MINGW))/lib/cmake/Qt6/qt.toolchain.cmake \
		-DQT_HOST_PATH=/usr -DKORVEN_HOST_BUILD=$(abspath $(BUILD))
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && cpack -G NSIS

# The Windows build's tests under Wine; korven-emu and the Wine test tools come from the
# Linux build. A test that fails runs again, up to three times in all: under Wine, Qt's
# Windows serial port now and then crashes in its own notifier or leaves a notice of
# received bytes undelivered (up to one run in five of a test program with device
# exchanges); a fault of ours fails every time.
windows-test: build windows
	$(WINDOWS_BUILD)/wine-run.sh --prepare
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS) --repeat until-pass:3

# Every benchmark executable (editing, simulator, window, transfer), through the bench target.
bench: build
	cmake --build $(BUILD) --target bench

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD)
