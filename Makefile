# Two commands for a newcomer:
#   make run    builds vesk (only the interpreter) and runs an example program,
#               printing its exit status
#   make test   builds everything (interpreter, unit tests, benchmarks) and
#               runs every test; it needs GoogleTest
# `make` alone builds build/vesk. `make install PREFIX=DIR` (default
# /usr/local) installs vesk, its man page, guides and editor files; DESTDIR
# is honoured. SANITIZE=1 builds into build-asan with AddressSanitizer and
# UBSan; WERROR=1 adds -Werror.
#   make fuzz FUZZ_SECONDS=N   builds the fuzz targets with clang and runs each for N seconds
#   make bench-engine          builds vesk and times it beside python3 and lua5.4
#   make sweep   calls every built-in with every hostile argument kind

BUILD := build
CMAKE_FLAGS :=
ifeq ($(SANITIZE),1)
  BUILD := build-asan
  CMAKE_FLAGS += -DVESK_SANITIZE=ON
endif
ifeq ($(WERROR),1)
  CMAKE_FLAGS += -DVESK_WERROR=ON
endif
JOBS ?= 2
FUZZ_SECONDS ?= 60
FUZZ_BUILD := build-fuzz
FUZZ_TARGETS := fuzz_whole_path fuzz_parse_print fuzz_arithmetic fuzz_compiled
EXAMPLE ?= examples/factorial.vk
PREFIX ?= /usr/local

# CMake's generated makefiles call make recursively; without this every
# level announces the directory it enters and leaves.
MAKEFLAGS += --no-print-directory

.PHONY: all configure test run bench bench-engine install fuzz sweep clean

all: configure
	cmake --build $(BUILD) -j $(JOBS) --target vesk

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

test: CMAKE_FLAGS += -DVESK_TESTS=ON
test: configure
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: all
	@./$(BUILD)/vesk $(EXAMPLE); echo "exit status: $$?"

bench: configure
	cmake --build $(BUILD) -j $(JOBS)
	bash bench/run_all.sh $(BUILD)

# The engine beside python3 and lua5.4 on every workload, 3 rounds (a few
# minutes): bench/engine_vs_python.py.
bench-engine: all
	/usr/bin/python3 bench/engine_vs_python.py $(BUILD) 3

install: all
	cmake --install $(BUILD) --prefix $(PREFIX)

# The libFuzzer targets of fuzz/ (clang, ASan and UBSan), each run for
# FUZZ_SECONDS seconds: make fuzz FUZZ_SECONDS=N.
fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DVESK_FUZZ=ON > /dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The whole hostile-argument sweep of tests/hostile/sweep.py (make test runs
# a sample of it): every built-in with every hostile argument kind.
sweep: all
	python3 tests/hostile/sweep.py $(BUILD)/vesk --jobs $(JOBS)

clean:
	rm -rf build build-asan build-fuzz
