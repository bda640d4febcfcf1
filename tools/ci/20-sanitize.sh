#!/usr/bin/env bash
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZR_SANITIZE=ON -DZR_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks are checked where only our code allocates. The GL driver unloads itself at exit
# and leaves its caches behind without a name to suppress them by, so the GL tests run
# with the address checks but without the leak check.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --test-dir build-sanitize --output-on-failure -R unit
# The long golden battle plays in the other builds: here it would only cost minutes.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 ctest --test-dir build-sanitize --output-on-failure -E 'unit|golden_long'
