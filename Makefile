# The two commands: `make run` plays, `make test` tests.
# Both first install whatever Debian packages are missing.

BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench clean

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	./$(BUILD)/Quibix/quibix

test: build
	cd $(BUILD) && ctest --output-on-failure

bench: configure
	@cmake --build $(BUILD) --target quibix_bench quibix-sim
	./$(BUILD)/bench/quibix_bench
	./bench/sim_bench.sh ./$(BUILD)/quibix-sim

clean:
	rm -rf $(BUILD)
