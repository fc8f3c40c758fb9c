# The two commands of the README:
#   make run    installs what is missing, builds, creates a station when there
#               is none, and starts Brivex
#   make test   installs what is missing, builds and runs the whole test suite
# and for developers:
#   make sanitize  builds in $(SANITIZE_BUILD) with AddressSanitizer and
#               UndefinedBehaviorSanitizer and runs the whole test suite there
#               (docs/DEVELOPING.md, "Tests")
BUILD ?= build
SANITIZE_BUILD ?= $(BUILD)-sanitize
JOBS ?= $(shell nproc)
export CCACHE_SLOPPINESS = pch_defines,time_macros,include_file_mtime,include_file_ctime
# Paths inside the tree are hashed relative to it, so every checkout of the
# project (a second clone, a git worktree) reuses the objects of the others.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

.PHONY: all setup build run test sanitize bench clean

all: build

setup:
	@./scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug

build: setup $(BUILD)/build.ninja
	@# A header that came with new sources is only handed to moc when the
	@# autogen steps look again; a stale stamp would leave it out.
	@rm -f $(BUILD)/src/*_autogen/timestamp $(BUILD)/tests/*_autogen/timestamp
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/src/brivex-station init --if-missing
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	    echo "Ekran bulunamadı: Brivex bir masaüstü oturumunda çalışır (ya da QT_QPA_PLATFORM=offscreen ile)."; \
	    exit 1; \
	fi
	$(BUILD)/src/brivex

test: build
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

sanitize: setup
	@# Benchmarks are not built: their figures mean nothing under the sanitizers.
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIVEX_SANITIZE=ON -DBRIVEX_BENCH=OFF
	@rm -f $(SANITIZE_BUILD)/src/*_autogen/timestamp $(SANITIZE_BUILD)/tests/*_autogen/timestamp
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest -j $(JOBS) --output-on-failure

bench: setup
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIVEX_TESTS=OFF
	cmake --build $(BUILD)-release -j $(JOBS)
	@for b in $(BUILD)-release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(BUILD)-release $(SANITIZE_BUILD)
