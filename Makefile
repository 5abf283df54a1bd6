# Quillmere: `make run` starts the atlas, `make test` runs every test headless.
# Each installs what it is missing from Debian first: the program needs only the
# first list, the tests and the benchmarks add their own.

BUILD     ?= build
SANBUILD  ?= build-san
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX    ?= /usr/local
DEB_PKGS  := cmake g++ make pkg-config qt6-base-dev qt6-l10n-tools libgl-dev fonts-liberation2 xvfb xauth
DEB_TEST  := libgtest-dev libgmock-dev nodejs
DEB_BENCH := libbenchmark-dev
CMAKE_ARGS ?=

# Starts a program, under Xvfb when there is no display.
define start_program
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: starting under Xvfb (no window will be visible)."; \
	  xvfb-run -a -s "-screen 0 1920x1080x24" $(1); \
	else $(1); fi
endef

# Turns a build option on in the build folder's cache when it is off.
define enable_option
	@grep -q '^$(2):BOOL=ON' $(1)/CMakeCache.txt 2>/dev/null || \
	  cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=RelWithDebInfo -D$(2)=ON $(CMAKE_ARGS)
endef

.PHONY: all deps deps-test deps-bench configure build build-program build-test build-bench run run-el test test-sanitize bench \
        install data clean

all: build

deps-test: PKGS_WANTED = $(DEB_PKGS) $(DEB_TEST)
deps-bench: PKGS_WANTED = $(DEB_PKGS) $(DEB_BENCH)
deps: PKGS_WANTED = $(DEB_PKGS)
deps deps-test deps-bench:
	@missing=""; for p in $(PKGS_WANTED); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    export DEBIAN_FRONTEND=noninteractive; \
	    apt-get install -y --no-install-recommends $$missing || \
	      { apt-get update && apt-get install -y --no-install-recommends $$missing; }; \
	  else \
	    echo "Missing Debian packages. Run:"; \
	    echo "  sudo apt-get install -y --no-install-recommends$$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program and its Greek name only, whatever else the build folder holds.
build-program: configure
	cmake --build $(BUILD) -j $(JOBS) --target quillmere

run: build-program
	$(call start_program,$(BUILD)/quillmere)

run-el: build-program
	$(call start_program,$(BUILD)/quillmere-el)

build-test: deps-test $(BUILD)/CMakeCache.txt
	$(call enable_option,$(BUILD),QUILLMERE_TESTS)
	cmake --build $(BUILD) -j $(JOBS)

build-bench: deps-bench $(BUILD)/CMakeCache.txt
	$(call enable_option,$(BUILD),QUILLMERE_BENCH)
	cmake --build $(BUILD) -j $(JOBS)

test: build-test
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Installs both editions, their menu entries, icons and metainfo under PREFIX.
install: build-program
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps-test
	cmake -S . -B $(SANBUILD) -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON -DQUILLMERE_TESTS=ON $(CMAKE_ARGS)
	cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build-bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/quillmere-bench
	./$(BUILD)/bench/quillmere-app-bench

# Rebuilds the stored items from their sources (never part of run or test).
data:
	./data/build.sh

clean:
	rm -rf $(BUILD) $(SANBUILD)
