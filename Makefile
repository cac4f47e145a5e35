# make run      installs what building and running need, builds the program, starts Shelvana in build/
# make test     installs that and what the tests add, builds everything (warnings are errors), runs every test
# make install  builds the program and installs it under PREFIX (default /usr/local); DESTDIR honoured
# make package  builds the program and the Debian package build/shelvana_2.5_<arch>.deb
# make uninstall removes what the last make install put in place
# make screenshots saves a picture of each tab of the main window into docs/, light and dark
BUILD  := build
JOBS   := $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
# What building and running need (make run, make install, make package).
RUN_PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev \
                libsqlite3-dev qt6-qpa-plugins qt6-wayland libqt6svg6 fonts-dejavu-core xdg-utils \
                libx11-dev libquazip1-qt6-dev libpoppler-qt6-dev
# What the tests, benchmarks and screenshots add: a virtual X server and tools to drive it,
# the accessibility bus, a browser and node for the list pages, a Wayland compositor, the
# checkers of the package and its menu files, and a slow FUSE share for bench_share_walk.
TEST_PACKAGES := xvfb xauth xclip xdotool imagemagick chromium nodejs \
                 python3-pyatspi at-spi2-core dbus weston wl-clipboard \
                 desktop-file-utils appstream lintian fuse3 python3-fusepy fd-find

# The build's output goes through a filter, and a failed build must still fail the recipe.
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c

CONFIGURE := cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=NOTICE
# $(call build_briefly,<cmake --build options>): the progress on one line that rewrites itself
# on a terminal (elsewhere a line per tenth of the build); compiler messages and errors pass
# through whole.
build_briefly = @tty=0; [ -t 1 ] && tty=1; \
	cmake --build $(BUILD) -j$(JOBS) $(1) 2>&1 | awk -v tty=$$tty -f tools/brief_build_output.awk

.PHONY: run test build programs configured deps test-deps install uninstall package bench screenshots clean

run: programs
	cd $(BUILD) && ./shelvana

# Only what is installed: the program, its tools, the control library and the shipped files.
programs: configured
	$(call build_briefly,--target shelvana_programs)

test: test-deps
	@grep -qx 'SHELVANA_WARNINGS_AS_ERRORS:BOOL=ON' $(BUILD)/CMakeCache.txt 2>/dev/null || \
	  $(CONFIGURE) -DSHELVANA_WARNINGS_AS_ERRORS=ON
	$(call build_briefly)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

build: configured
	$(call build_briefly)

# Configures once; later builds reconfigure by themselves when a CMakeLists.txt changes.
configured: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || $(CONFIGURE)

# The list of installed files, kept for make uninstall (cmake's own manifest is rewritten by
# every install from this build folder, the tests' included).
INSTALLED := $(BUILD)/installed_files.txt

install: programs
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt > $(INSTALLED)

uninstall:
	@[ -f $(INSTALLED) ] || { echo "Nothing to remove: no make install from $(BUILD)."; exit 1; }
	xargs -r -d '\n' rm -f < $(INSTALLED)
	-for own in /lib/shelvana/ /share/doc/shelvana/; do \
	  grep -m1 "$$own" $(INSTALLED) | xargs -r -d '\n' dirname | xargs -r -d '\n' rmdir; \
	done
	rm $(INSTALLED)

package: programs
	cd $(BUILD) && cpack -G DEB

bench: test-deps build
	@for b in $(BUILD)/bench/*/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; \
	done

screenshots: test-deps build
	mkdir -p $(BUILD)/tests/xdg && chmod 700 $(BUILD)/tests/xdg
	XDG_RUNTIME_DIR=$(CURDIR)/$(BUILD)/tests/xdg xvfb-run -a -s "-screen 0 1024x768x24" \
	  dbus-run-session -- /usr/bin/python3 tests/e2e/screenshots.py $(BUILD) docs

# $(call install_missing,<packages>): one query for all of them; apt-get only when something is
# missing. A configured build is configured again afterwards, so that it finds the new tools.
install_missing = @missing=$$(dpkg-query -W -f='$${db:Status-Abbrev}$${Package}\n' $(1) 2>/dev/null | \
	  sed -n 's/^ii *//p' | sort | comm -13 - <(printf '%s\n' $(1) | sort) | tr '\n' ' '); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing && \
	  { [ ! -f $(BUILD)/CMakeCache.txt ] || $(CONFIGURE); }; \
	fi

deps:
	$(call install_missing,$(RUN_PACKAGES))

test-deps:
	$(call install_missing,$(RUN_PACKAGES) $(TEST_PACKAGES))

clean:
	rm -rf $(BUILD)
