BUILD_DIR ?= build
TSAN_DIR ?= build-tsan
JOBS ?= 2

.PHONY: run test build deps clean tsan

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/quarne

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The engine, the parallel search and their tests under ThreadSanitizer, without the window.
tsan: deps
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNE_TSAN=ON -DQUARNE_WINDOW=OFF >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS)
	@cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(TSAN_DIR)
