# The two commands of the README, and a few more for developers.
#   make run     build the game in Release and start it with the bundled card sets
#   make test    build everything in Debug and run every test
.PHONY: run test package bench fuzz asan format deps clean
JOBS ?= $(shell nproc)

run:
	scripts/deps.sh build
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	build/release/bin/velmo

test:
	scripts/deps.sh test
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

# The Debian package of a Release build: build/release/velmo_<version>_<arch>.deb
package:
	scripts/deps.sh package
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack -G DEB

bench:
	scripts/deps.sh bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	bench/run.sh build/bench

asan:
	scripts/deps.sh test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	scripts/deps.sh build
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
