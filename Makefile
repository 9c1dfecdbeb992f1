# make        builds the native core and the Windows program
# make test   installs what is missing (Debian, as root), builds, runs every test
# make run    builds and opens the editor under Wine with a demo prefix
.PHONY: all deps native windows test test-native test-windows run fuzz clean

JOBS ?= $(shell nproc)

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

test-windows: windows
	scripts/wine-session.sh ctest --preset windows

test: test-native test-windows

run: windows
	scripts/run-demo.sh

fuzz: deps
	scripts/fuzz.sh

clean:
	rm -rf build
