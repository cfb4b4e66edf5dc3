# Two commands for a newcomer:
#   make run    builds vesk and runs an example program, printing its exit status
#   make test   builds everything and runs every test
# SANITIZE=1 builds into build-asan with AddressSanitizer and UBSan; WERROR=1 adds -Werror.

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
EXAMPLE ?= examples/factorial.vk

.PHONY: all configure test run bench clean

all: configure
	cmake --build $(BUILD) -j $(JOBS)

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: all
	@./$(BUILD)/vesk $(EXAMPLE); echo "exit status: $$?"

bench: all
	bash bench/run_all.sh $(BUILD)

clean:
	rm -rf build build-asan
