# make        builds the native core and both Windows builds (32-bit and 64-bit)
# make test   installs what is missing (Debian, as root), builds, runs every test
# make run    builds and opens the editor under Wine with a demo prefix
# make bench  builds and runs the benchmark (build/bench: bench.md, .csv, .png)
.PHONY: all deps native windows windows32 windows64 test test-native test-windows run bench fuzz clean

JOBS ?= $(shell nproc)

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: windows32 windows64

windows32: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

windows64: deps
	cmake --preset windows64 >/dev/null
	cmake --build --preset windows64 -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# On every build this host can run; the last line says which.
test-windows: windows
	scripts/test-windows.sh

test: test-native test-windows

run: windows
	scripts/run-demo.sh

# The build this host runs; the script says which.
bench: deps
	JOBS=$(JOBS) scripts/bench.sh

fuzz: deps
	scripts/fuzz.sh

clean:
	rm -rf build
