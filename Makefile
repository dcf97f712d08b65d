# The two set-up commands: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

.PHONY: deps configure build run test bench sanitize fuzz clean install package

deps:
	bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); fi

build: configure
	bash scripts/fetch-sr24.sh $(BUILD)
	cmake --build $(BUILD)

run: build
	cd $(BUILD)/Platewise && ./platewise

test: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 600

# Installs into $(PREFIX) (and under $(DESTDIR) when set): bin/platewise and its share/ files.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in $(BUILD), installable with `apt install ./<file>.deb`.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	bash scripts/bench.sh $(BUILD)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, in its own folder.
sanitize: deps
	bash scripts/fetch-sr24.sh $(BUILD)
	bash scripts/sanitize.sh build-asan $(BUILD)/sr24/usda_sr24

fuzz: deps
	bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)/CMakeFiles $(BUILD)/build.ninja
