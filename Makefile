# Developer entry points. `make demo` and `make test` set up everything on a fresh machine.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build demo test sanitize run bench screenshots install clean

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

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer; any finding fails.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTABREL_BUILD_BENCH=OFF \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

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
