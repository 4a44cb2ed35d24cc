# Two commands for people: `make test` and `make demo`. Both install what is missing first.
BUILD ?= build
JOBS  ?= 2

.PHONY: all deps build test demo bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@bash scripts/run-tests.sh $(BUILD)

demo: build
	@bash scripts/run-demo.sh $(BUILD)

bench: build
	@bash scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) out
