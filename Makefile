# Quillmere: `make run` starts the atlas, `make test` runs every test headless.
# Both install what is missing from Debian first.

BUILD     ?= build
SANBUILD  ?= build-san
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
DEB_PKGS  := cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev \
             fonts-liberation2 xvfb xauth
CMAKE_ARGS ?=

.PHONY: all deps configure build run run-el test test-sanitize bench data clean

all: build

deps:
	@missing=""; for p in $(DEB_PKGS); do \
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

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: starting under Xvfb (no window will be visible)."; \
	  xvfb-run -a -s "-screen 0 1920x1080x24" ./$(BUILD)/quillmere; \
	else ./$(BUILD)/quillmere; fi

run-el: build
	./$(BUILD)/quillmere-el

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANBUILD) -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(SANBUILD) -j $(JOBS)
	cd $(SANBUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/quillmere-bench
	./$(BUILD)/bench/quillmere-app-bench

# Rebuilds the stored items from their sources (never part of run or test).
data:
	./data/build.sh

clean:
	rm -rf $(BUILD) $(SANBUILD)
