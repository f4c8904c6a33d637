#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite, then once more with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/, and last every fuzz harness for a
# fixed number of inputs on its committed corpus (clang, build-fuzz/, tools/fuzz.sh --kurz).
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh
export QT_QPA_PLATFORM=offscreen
# The compiler cache keys by paths relative to this folder, so that another clone on the same
# machine finds what this one compiled.
export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKIBORU_SANITIZE=ON -DKIBORU_BENCH=OFF
cmake --build build-asan -j"$jobs"

echo "== Tests mit AddressSanitizer/UBSan =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  KIBORU_TEST_KURZ=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Tests =="
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Fuzz-Harnesse (kurz) =="
./tools/fuzz.sh --kurz
