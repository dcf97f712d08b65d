# The two set-up commands: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
export CMAKE_FLAGS
PREFIX ?= /usr/local

.PHONY: deps configure build run test bench sanitize fuzz clean install package format check-format

deps:
	bash scripts/install-deps.sh

# Configures once, and again whenever CMAKE_FLAGS differ from those of the last configuration
# (kept in $(BUILD)/cmake-flags.stamp), so `make build CMAKE_FLAGS=-DBUILD_TESTING=OFF` takes effect.
configure: deps
	@if [ ! -f $(BUILD)/build.ninja ] || [ "$$(cat $(BUILD)/cmake-flags.stamp 2>/dev/null)" != "$$CMAKE_FLAGS" ]; then \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) && printf '%s' "$$CMAKE_FLAGS" >$(BUILD)/cmake-flags.stamp; \
	fi

build: configure
	bash scripts/fetch-sr24.sh $(BUILD)
	cmake --build $(BUILD)

run: build
	cd $(BUILD)/Platewise && ./platewise

test: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 600

# Installs into $(PREFIX) (and under $(DESTDIR) when set): bin/platewise, its chart module in
# lib/<multiarch>/platewise and its share/ files.
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

# Formats every C++ source with the project's .clang-format; check-format fails where one differs.
format: deps
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format -i --style=file

check-format: deps
	bash scripts/check-format.sh

fuzz: deps
	bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# Removes what the build made; the program folder's database files (the user's meals and foods)
# are not build outputs and stay.
clean:
	@if [ -f $(BUILD)/build.ninja ]; then cmake --build $(BUILD) --target clean; fi
