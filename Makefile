# The two everyday commands: `make run` and `make test`. `make bench` measures.
.PHONY: deps run test bench release clean

CMAKE_GENERATOR ?= Ninja

deps:
	@scripts/install-deps

build/release/build.ninja: | deps
	cmake -S . -B build/release -G $(CMAKE_GENERATOR) -DCMAKE_BUILD_TYPE=Release

build/test/build.ninja: | deps
	cmake -S . -B build/test -G $(CMAKE_GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DLEXIVO_SANITIZE=ON

release: deps build/release/build.ninja
	cmake --build build/release

run: release
	build/release/lexivo

test: deps build/test/build.ninja
	cmake --build build/test
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

bench: release
	cmake --build build/release --target benchmarks
	@for b in build/release/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf build
