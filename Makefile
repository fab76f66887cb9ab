# Thin wrapper over CMake. `make run` builds and starts Kavelta; `make test`
# builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= 2

.PHONY: all build run test install clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/kavelta

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD)

clean:
	rm -rf build build-asan build-fuzz build-windows
