#!/usr/bin/env bash
# Builds Plotwise and every test with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs the whole test suite there. Any finding stops the test
# that made it (undefined behaviour included), so the run fails on the first one.
#
#   scripts/sanitize.sh [ctest arguments...]     e.g. scripts/sanitize.sh -R sheet_tests
#
# Leaks inside system libraries are suppressed by tests/sanitizers/lsan.supp.
# Environment: SANITIZE_BUILD (build folder, default build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${SANITIZE_BUILD:-build-asan}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOTWISE_SANITIZE=ON >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 1500 -j "$(nproc)" "$@"
