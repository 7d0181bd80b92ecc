# The two commands: `make run` plays, `make test` tests.
# Both first install whatever Debian packages are missing.

BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench clean install package package-test
.PHONY: deps configure build run test bench clean fuzz kill-test soak-window lint

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

# Static analysis (clang-tidy and cppcheck over src/ and tools/); clean or it fails.
lint: configure
	./scripts/lint.sh $(BUILD)

# Each benchmark prints its figures and PASS/FAIL against its targets; all
# run, and the target fails if any missed. Start-up, idle CPU and memory run
# in their own Xvfb display.
bench: configure
	@cmake --build $(BUILD) --target quibix quibix_bench quibix-sim quibix_music_bench \
	  quibix_effect_latency quibix_bare_window quibix_map_timer quibix_input_bench
	@status=0; \
	./$(BUILD)/bench/quibix_bench $(BUILD)/bench/long.replay || status=1; \
	./$(BUILD)/bench/quibix_music_bench || status=1; \
	./$(BUILD)/bench/quibix_effect_latency || status=1; \
	./$(BUILD)/bench/quibix_input_bench || status=1; \
	./bench/sim_bench.sh ./$(BUILD)/quibix-sim $(BUILD)/bench/long.replay || status=1; \
	xvfb-run -a -s "-screen 0 1024x768x24" ./bench/startup/run.sh ./$(BUILD)/Quibix/quibix \
	  ./$(BUILD)/bench/quibix_bare_window ./$(BUILD)/bench/quibix_map_timer $(BENCH_OTHER) || status=1; \
	exit $$status

clean:
	rm -rf $(BUILD)

# Installing and packaging. PREFIX and DESTDIR as usual:
#   make install PREFIX=$HOME/.local     make install DESTDIR=/tmp/stage
PREFIX ?= /usr/local

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built from $(BUILD) into $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

# The package checked as a distribution would (slow: lintian).
package-test: package
	./tests/desktop/package_check.sh $(BUILD)
# libFuzzer targets (clang, own build folder), each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz.sh build-fuzz

# The torn-file test with many more kills than `make test` makes.
KILL_ROUNDS ?= 3000
kill-test: build
	cd $(BUILD) && QUIBIX_KILL_ROUNDS=$(KILL_ROUNDS) ./tests/quibix_tests --gtest_filter='TornWrites.*'

# Random play in the real window of the sanitizer build (build-asan) for
# SOAK_MINUTES.
SOAK_MINUTES ?= 30
soak-window: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIBIX_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j2 --target quibix artwork sounds readme
	SDL_AUDIODRIVER=dummy SOAK_SECONDS=$$(($(SOAK_MINUTES) * 60)) \
	  xvfb-run -a -s "-screen 0 1024x768x24" bash tests/soak/soak_window.sh build-asan/Quibix/quibix
