#!/usr/bin/env bash
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZR_SANITIZE=ON -DZR_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
# Mesa and fontconfig keep caches for the life of the process; they are not ours to free.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure
