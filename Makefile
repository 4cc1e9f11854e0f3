# The two commands a developer needs: `make run` and `make test`. Both install what is missing,
# build everything into build/ and then start the program or run every test.
BUILD_DIR := build
JOBS      := $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# `make fuzz`: clang's libFuzzer targets in their own build, each run for FUZZ_SECONDS.
FUZZ_DIR     := $(BUILD_DIR)/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench soak fuzz format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: no display (DISPLAY is not set); start it from a desktop session." >&2; exit 1; fi
	cd $(BUILD_DIR)/data && ../kavo-ship

# The soak run (label "soak") takes several minutes; `make soak` runs it on its own.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) -LE soak

# Game logic per frame, start-up time under Xvfb, then the frame cost; the last line printed is
# the game/bare frame cost ratio.
bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	cd $(BUILD_DIR) && ./bench/kavo-logic-bench
	bash bench/startup_time.sh $(BUILD_DIR)/kavo-ship $(BUILD_DIR)/data
	cd $(BUILD_DIR) && ./bench/kavo-bench

soak: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target kavo-soak
	cd $(BUILD_DIR) && ctest --output-on-failure -L soak

# The generated data files are among the seeds, so only the generator is built in the main tree.
fuzz: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target data
	@cmake -S tests/fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzz.sh $(FUZZ_DIR) $(BUILD_DIR)/data $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
