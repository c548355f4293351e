# Thin wrapper over CMake. `make demo` runs the program on the bundled sample
# data (in a scratch copy); `make test` builds and runs every test.
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
# cmake's own make runs below us: no "Entering directory" lines from it.
MAKEFLAGS += --no-print-directory
TESTING := build/test

.PHONY: all demo test fuzz install package clean

all: $(RELEASE)/setupedit

# The release build needs only cmake, a compiler, pkg-config and terminfo's
# headers; the tests and the fuzzers check for (and install) their own tools.
# Once configured, cmake's build notices changes to CMakeLists.txt itself.
$(RELEASE)/setupedit: FORCE
	@sh tools/ensure-deps.sh build
	@[ -f $(RELEASE)/CMakeCache.txt ] || cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)

demo: $(RELEASE)/setupedit
	@sh examples/demo.sh $(RELEASE)/setupedit $(RELEASE)/make_sample $(LANGUAGE)

test:
	@sh tools/ensure-deps.sh test
	@cmake -S . -B $(TESTING) -DCMAKE_BUILD_TYPE=Debug -DSETUPEDIT_TESTS=ON -DSETUPEDIT_SANITIZE=ON >/dev/null
	@cmake --build $(TESTING) -j $(JOBS)
	@cd $(TESTING) && ctest --output-on-failure

# libFuzzer targets (clang) for the key decoder, the catalogue and the record
# accessors, each for FUZZ_SECONDS (default 20).
fuzz:
	@sh tools/ensure-deps.sh fuzz
	@sh tools/fuzz.sh

# `sudo make install` after a build by its owner installs that build as it
# is: building as root would leave root-owned files in the build folder.
BUILT_BY_OTHER := $(shell [ -d $(RELEASE) ] && [ "$$(id -u)" != "$$(stat -c %u $(RELEASE))" ] && echo yes)

install: $(if $(BUILT_BY_OTHER),,$(RELEASE)/setupedit)
	@[ -f $(RELEASE)/setupedit ] || { echo "$(RELEASE) holds no build: run make first" >&2; exit 1; }
	@cmake --install $(RELEASE) --prefix $(PREFIX)
	@chown --reference=$(RELEASE) $(RELEASE)/install_manifest.txt 2>/dev/null || true

# lintian, where it is installed, checks the package; an error fails the target.
package: $(RELEASE)/setupedit
	@rm -f $(RELEASE)/setupedit_*.deb
	@cd $(RELEASE) && cpack -G DEB
	@if command -v lintian >/dev/null; then \
		lintian --pedantic --fail-on error $(RELEASE)/setupedit_*.deb; \
	fi

clean:
	rm -rf build

FORCE:

# Bytes and times of a walk of common steps (first frame, menu bar, a field's
# keys) in a pseudo-terminal, on the release build.
.PHONY: bench
bench: $(RELEASE)/setupedit
	@python3 tools/bytebench.py --program $(RELEASE)/setupedit --make-sample $(RELEASE)/make_sample --examples examples
