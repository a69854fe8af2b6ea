# make run   builds and starts the application
# make test  builds and runs every test, then again under ASan and UBSan
# make bench builds and runs the benchmarks
# make package builds the Debian package (build/korven_VERSION_ARCH.deb)

BUILD := build
SANITIZE_BUILD := build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench package deps build build-sanitize clean

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

# Every benchmark executable (editing, simulator, window, transfer), through the bench target.
bench: build
	cmake --build $(BUILD) --target bench

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
