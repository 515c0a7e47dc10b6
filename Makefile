# Developer entry points. `make demo` and `make test` set up everything on a fresh machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build demo test run bench screenshots install clean

deps:
	@bash scripts/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash scripts/demo.sh $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD)/tabrel

bench: build
	@for b in $(BUILD)/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done

screenshots: build
	@bash scripts/screenshot.sh $(BUILD)

install: build
	@cmake --install $(BUILD)
	@command -v update-mime-database >/dev/null && update-mime-database /usr/local/share/mime || true
	@command -v update-desktop-database >/dev/null && update-desktop-database /usr/local/share/applications || true

clean:
	@rm -rf $(BUILD)
