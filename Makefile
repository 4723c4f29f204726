# Quillmont: set up a Debian machine, build, run and test.
#   make run          set up, build the program only, start Quillmont.exe under Wine
#   make test         set up, build, run every test
#   make screenshot   set up, build, write a PNG of the main window (docs/main-window.png)
#   make dist         set up, build the release programs, write dist/quillmont-<version>-win32.zip
# BUILD=<dir> keeps a separate build tree; TARGETS picks the builds; TESTS=<regex> some tests.

BUILD ?= build
TARGETS ?= x86_64 i686 native
TESTS ?=
export BUILD TARGETS TESTS

.PHONY: setup build run test screenshot bench fuzz dist clean

setup:
	@bash scripts/setup.sh

build: setup
	@bash scripts/build.sh

run: setup
	@bash scripts/run.sh

test: build
	@bash scripts/test.sh

screenshot: setup
	@bash scripts/screenshot.sh

bench: build
	@bash scripts/bench.sh

fuzz: setup
	@bash scripts/fuzz.sh

dist: setup
	@bash scripts/dist.sh

clean:
	rm -rf $(BUILD)
