# make run   installs what is missing, builds, and starts Shelvana in build/
# make test  installs what is missing, builds, and runs every test
# make screenshots  saves a picture of each tab of the main window into docs/
BUILD := build
JOBS  := $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite \
            libsqlite3-dev qt6-qpa-plugins fonts-dejavu-core xdg-utils nodejs \
            xvfb xauth xclip xdotool imagemagick libqt6svg6 \
            python3-pyatspi at-spi2-core dbus \
            libx11-dev

.PHONY: run test build deps bench screenshots clean

run: build
	cd $(BUILD) && ./shelvana

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/*/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; \
	done

screenshots: build
	mkdir -p $(BUILD)/tests/xdg && chmod 700 $(BUILD)/tests/xdg
	XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/tests/xdg xvfb-run -a -s "-screen 0 1024x768x24" \
	  dbus-run-session -- /usr/bin/python3 tests/e2e/screenshots.py $(BUILD) docs

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

clean:
	rm -rf $(BUILD)
