# Thin wrapper over CMake. `make run` builds and starts Kavelta; `make test`
# builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= 2

# Everything built carries the time of the last commit rather than the
# clock's, so that the same commit gives the same packages byte for byte;
# outside a git checkout, the time of the last changelog entry.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell git log -1 --format=%ct 2>/dev/null || \
  date -d "$$(sed -n 's/^ -- .*  //p' packaging/debian/changelog)" +%s)
endif
export SOURCE_DATE_EPOCH

.PHONY: all build run test install clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target kavelta
	./$(BUILD)/kavelta

# Without GoogleTest the program still builds; the tests say what brings them.
test: build
	@if [ -f $(BUILD)/notests ]; then cat $(BUILD)/notests >&2; exit 1; fi
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Honours DESTDIR, as make install does.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

clean:
	rm -rf build build-ci build-asan build-fuzz build-windows build-package build-libcxx \
	  build-nogoogletest dist

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
.PHONY: test-sanitize
test-sanitize:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DKAVELTA_SANITIZE=ON $(CMAKE_FLAGS)"

# The program and the whole suite with clang and libc++, the standard library
# of macOS and FreeBSD. GoogleTest is built for it from Debian's sources
# (package googletest): the packaged libraries are built for libstdc++.
.PHONY: test-libcxx
test-libcxx:
	$(MAKE) test BUILD=build-libcxx CMAKE_FLAGS="-DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_CXX_FLAGS=-stdlib=libc++ -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON $(CMAKE_FLAGS)"

# Arbitrary bytes through a whole session, for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DKAVELTA_TESTS=OFF -DKAVELTA_FUZZ=ON -DKAVELTA_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target fuzz_session
	mkdir -p build-fuzz/corpus
	cp fuzz/seeds/* build-fuzz/corpus/
	./build-fuzz/fuzz/fuzz_session -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -dict=fuzz/session.dict \
	  build-fuzz/corpus

# Scripted sessions through the non-interactive mode, against the time cat
# takes to copy the same transcript: calculations per second, the ratio to
# that copy floor for a pipe and a file, and peak memory.
BENCH_CALCULATIONS ?= 100000
.PHONY: bench
bench: build
	./$(BUILD)/bench/kavelta_bench ./$(BUILD)/kavelta $(BENCH_CALCULATIONS)

# The Windows executable, cross-compiled with MinGW-w64, and its transcript
# tests under Wine.
.PHONY: windows test-windows
windows:
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DKAVELTA_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build build-windows -j $(JOBS)

test-windows: windows build
	tests/windows/run-under-wine $(BUILD) build-windows

# dist/: the Debian package (built for /usr by CPack, manual page and
# changelog compressed) and the Windows zip. Each alone: `make deb` needs no
# MinGW, `make zip` no dpkg. Both are the same bytes from the same commit,
# wherever and by whomever they are made.
.PHONY: deb zip package
deb:
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DKAVELTA_TESTS=OFF -DKAVELTA_DEBIAN=ON $(CMAKE_FLAGS)
	cmake --build build-package -j $(JOBS)
	rm -rf build-package/packages dist/*.deb
	# CPack gives the package's members and folders the modes its own files
	# get: the same umask for everyone.
	cd build-package && umask 022 && cpack -B packages
	mkdir -p dist
	cp build-package/packages/*.deb dist/

zip: windows
	packaging/windows/zip build-windows dist

package:
	rm -rf dist
	$(MAKE) deb zip
