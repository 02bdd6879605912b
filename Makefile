# The two commands of the README. Both install what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build package windows deps clean format check-format

run: build
	scripts/run.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# A Debian package and a relocatable .tar.gz, in $(BUILD_DIR).
package: build
	cmake --build $(BUILD_DIR) --target package

# The Windows program, its .zip and its installer, in build-windows/
# (scripts/windows/build.sh; Qt and SQLite are built once into a cache).
windows:
	scripts/windows/build.sh

deps:
	scripts/install-deps.sh

format: deps
	git ls-files '*.cpp' '*.h' ':!third_party' | xargs clang-format -i

check-format: deps
	git ls-files '*.cpp' '*.h' ':!third_party' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD_DIR)
