# The two everyday commands: `make run` and `make test`. `make bench` measures.
.PHONY: deps run test bench release serve clean

CMAKE_GENERATOR ?= Ninja
# Compilations are cached by path relative to the checkout, so several checkouts share them.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

deps:
	@scripts/install-deps

build/release/build.ninja: | deps
	cmake -S . -B build/release -G $(CMAKE_GENERATOR) -DCMAKE_BUILD_TYPE=Release

build/test/build.ninja: | deps
	cmake -S . -B build/test -G $(CMAKE_GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DLEXIVO_SANITIZE=ON

# Only the program: the test suites are built by `make test`.
release: deps build/release/build.ninja
	cmake --build build/release --target lexivo

# Without a desktop (a bare server, CI) the program runs on a virtual display.
run: release
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/release/lexivo; \
	else echo "No display: running Lexivo on a virtual X display (xvfb-run); stop it with Ctrl+C."; \
	xvfb-run -a build/release/lexivo; fi

test: deps build/test/build.ninja
	cmake --build build/test
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

bench: deps build/release/build.ninja
	cmake --build build/release --target benchmarks
	@for b in build/release/bench/*_bench; do echo "== $$b"; \
	$$b --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
	--benchmark_report_aggregates_only=true || exit 1; done

# The project's own web service on localhost:8080, with the starter catalogue and the demo
# account (name and password "demo") in build/serve/lexivo.db, made when missing.
serve: deps build/release/build.ninja
	cmake --build build/release --target lexivo-server
	@test -f build/serve/lexivo.db || server/scripts/make-starter-database build/release/lexivo-server build/serve/lexivo.db
	build/release/lexivo-server serve build/serve/lexivo.db --port 8080 --address 127.0.0.1

clean:
	rm -rf build

# `make fuzz` runs each parser's fuzz target with libFuzzer (clang) for FUZZ_SECONDS seconds;
# `make package` builds the Debian package build/release/lexivo_<version>_<arch>.deb.
.PHONY: fuzz package
FUZZ_SECONDS ?= 60

build/fuzz/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G $(CMAKE_GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLEXIVO_SANITIZE=ON -DLEXIVO_FUZZ=ON -DBUILD_TESTING=OFF

fuzz: deps build/fuzz/build.ninja
	cmake --build build/fuzz --target fuzz_targets
	fuzz/run-fuzz build/fuzz/fuzz $(FUZZ_SECONDS)

package: deps build/release/build.ninja
	cmake --build build/release --target installable
	cd build/release && cpack -G DEB
