# The two commands of the README, and a few more for developers.
#   make run     build the game in Release and start it with the bundled card sets
#   make test    build everything in Debug and run every test
#   make asan    the tests again under the sanitizers; make fuzz-run fuzzes the reader
#   make package build the Debian package in build/release/
.PHONY: run test package bench fuzz fuzz-run asan format deps clean
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

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

# The whole suite under AddressSanitizer, LeakSanitizer and UBSan; it replays the fuzz corpus too.
asan:
	scripts/deps.sh sanitize
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz:
	scripts/deps.sh sanitize
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target FuzzLoadCardSet FuzzInspectCardSet

# Fuzzes the game's reader, then velmo-cardset's inspector, for FUZZ_SECONDS each
# (make fuzz-run FUZZ_SECONDS=1800).
fuzz-run: fuzz
	fuzz/run.sh build/fuzz FuzzLoadCardSet $(FUZZ_SECONDS)
	fuzz/run.sh build/fuzz FuzzInspectCardSet $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
