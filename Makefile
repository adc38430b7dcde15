BUILD_DIR ?= build
TSAN_DIR ?= build-tsan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2
PREFIX ?= /usr/local

.PHONY: run test build deps clean tsan fuzz install package

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/quarne

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The programs into PREFIX/bin, their data into PREFIX/share/tarvolin, the desktop entry and icon
# into PREFIX/share.
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package, tarvolin_<version>_<arch>.deb in BUILD_DIR.
package: build
	@./scripts/install-deps.sh package
	@cmake --build $(BUILD_DIR) --target package

# The engine, the parallel search and their tests under ThreadSanitizer, without the window.
tsan: deps
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNE_TSAN=ON -DQUARNE_WINDOW=OFF >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS)
	@cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j $(JOBS)

# The readers of library, entry and game files and of a plan's manifest under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, built with clang; each runs FUZZ_SECONDS seconds on a corpus that
# grows in FUZZ_DIR. A finding is kept there and ends the target with an error.
fuzz:
	@./scripts/install-deps.sh fuzz
	@cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@$(FUZZ_DIR)/fuzz_seeds $(FUZZ_DIR)/corpus
	@for ziel in bibfile entryfile gamefile manifest; do \
	  echo "Fuzzing $$ziel: $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/$${ziel}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/$$ziel- $(FUZZ_DIR)/corpus/$$ziel >$(FUZZ_DIR)/$$ziel.log 2>&1 \
	    || { tail -n 60 $(FUZZ_DIR)/$$ziel.log; exit 1; }; \
	  grep -E '^Done|^stat::(new_units_added|peak_rss_mb)' $(FUZZ_DIR)/$$ziel.log; \
	done

clean:
	rm -rf $(BUILD_DIR) $(TSAN_DIR) $(FUZZ_DIR)
