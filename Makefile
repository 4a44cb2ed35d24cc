# Commands for people: `make test`, `make demo` and `make dist`. Each installs what is missing first.
BUILD ?= build
JOBS  ?= 2

.PHONY: all deps dist-deps build test dist demo bench clean native-deps native-build native-test fuzz

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The LLVM tools make the host bundle's import library and link its test; with them the build
# makes the bundle and CTest runs its test.
dist-deps:
	@bash scripts/install-dist-deps.sh

test: dist-deps build
	@bash scripts/run-tests.sh $(BUILD)

# The host bundle: one zip, named with the library's version, into out/.
dist: dist-deps build
	@mkdir -p out
	@cp $(BUILD)/dist/archive/XJNTrayNotifications-*.zip out/
	@echo "dist: out/$$(basename $(BUILD)/dist/archive/XJNTrayNotifications-*.zip)"

demo: build
	@bash scripts/run-demo.sh $(BUILD)

bench: build
	@bash scripts/run-bench.sh $(BUILD)

# The logic that needs no window, natively with clang under the sanitizers; not part of `make test`.
NATIVE_BUILD ?= build-native
FUZZ_SECONDS ?= 60

native-deps:
	@bash scripts/install-fuzz-deps.sh

native-build: native-deps
	@cmake -S native -B $(NATIVE_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DXJN_FUZZ=ON >/dev/null
	@cmake --build $(NATIVE_BUILD) -j $(JOBS)

native-test: native-build
	@$(NATIVE_BUILD)/native_tests --gtest_color=no

fuzz: native-build
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/run-fuzz.sh $(NATIVE_BUILD)

clean:
	rm -rf $(BUILD) $(NATIVE_BUILD) out
