# Thin wrapper over CMake. `make demo` runs the program on the bundled sample
# data (in a scratch copy); `make test` builds and runs every test.
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
# cmake's own make runs below us: no "Entering directory" lines from it.
MAKEFLAGS += --no-print-directory
TESTING := build/test

.PHONY: all demo test fuzz install package deps clean

all: $(RELEASE)/setupedit

deps:
	@sh tools/ensure-deps.sh

$(RELEASE)/setupedit: deps FORCE
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)

demo: $(RELEASE)/setupedit
	@sh examples/demo.sh $(RELEASE)/setupedit $(RELEASE)/make_sample $(LANGUAGE)

test: deps
	@cmake -S . -B $(TESTING) -DCMAKE_BUILD_TYPE=Debug -DSETUPEDIT_TESTS=ON -DSETUPEDIT_SANITIZE=ON >/dev/null
	@cmake --build $(TESTING) -j $(JOBS)
	@cd $(TESTING) && ctest --output-on-failure

# libFuzzer targets (clang) for the key decoder, the catalogue and the record
# accessors, each for FUZZ_SECONDS (default 20).
fuzz: deps
	@sh tools/fuzz.sh

install: $(RELEASE)/setupedit
	@cmake --install $(RELEASE) --prefix $(PREFIX)

package: $(RELEASE)/setupedit
	@cd $(RELEASE) && cpack -G DEB

clean:
	rm -rf build

FORCE:

# Bytes and times of a walk of common steps (first frame, menu bar, a field's
# keys) in a pseudo-terminal, on the release build.
.PHONY: bench
bench: $(RELEASE)/setupedit
	@python3 tools/bytebench.py --program $(RELEASE)/setupedit --make-sample $(RELEASE)/make_sample --examples examples
