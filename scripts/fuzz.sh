#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz into build-fuzz/ (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS seconds, one after another,
# at the lowest CPU priority. Prints the runs and findings of each target; exits 1
# when any target found something.
#
#   scripts/fuzz.sh [SECONDS] [NAME...]     e.g. scripts/fuzz.sh 600 formula chart_look
#
# SECONDS defaults to 60; NAMEs (fuzz_<NAME>) default to every target built.
# Seed inputs: tests/fuzz/corpus/<NAME>/ (read only). New inputs libFuzzer keeps go
# to build-fuzz/corpus/<NAME>/, findings (crash-*, leak-*, timeout-*, oom-*; slow-unit-* are only noted) to
# build-fuzz/findings/<NAME>/, the full log to build-fuzz/logs/<NAME>.log.
# Replay a finding:  build-fuzz/fuzz/fuzz_<NAME> build-fuzz/findings/<NAME>/crash-...
# Environment: FUZZ_BUILD (build folder), FUZZ_TIMEOUT (seconds one input may take,
# default 30: on a loaded machine a niced run stalls for seconds), FUZZ_RSS_MB
# (memory limit, default 2048), FUZZ_CXX (clang++ to use).
# Run two scripts side by side only after the build is done: both build first.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-build-fuzz}
cxx=${FUZZ_CXX:-$(command -v clang++-14 || command -v clang++ || true)}
[ -n "$cxx" ] || { echo "fuzz.sh: clang++ not found (scripts/setup.sh installs it)" >&2; exit 2; }

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER="$cxx" -DPLOTWISE_FUZZ=ON >/dev/null
fi
nice -n 19 cmake --build "$build" --target fuzz_all -j "$(nproc)"

if [ $# -gt 0 ]; then names=("$@"); else
  names=()
  for exe in "$build"/fuzz/fuzz_*; do [ -x "$exe" ] && names+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen

failed=0
printf '%-28s %12s %8s  %s\n' target runs seconds findings
for name in "${names[@]}"; do
  exe="$build/fuzz/fuzz_$name"
  [ -x "$exe" ] || { echo "fuzz.sh: no target fuzz_$name in $build/fuzz" >&2; failed=1; continue; }
  corpus="$build/corpus/$name" findings="$build/findings/$name" log="$build/logs/$name.log"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  seeds=()
  [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
  dict=()
  [ -f "tests/fuzz/dict/$name.dict" ] && dict=("-dict=tests/fuzz/dict/$name.dict")
  before=$(find "$findings" -type f ! -name "slow-unit-*" | wc -l)
  start=$(date +%s)
  set +e
  nice -n 19 "$exe" "${dict[@]}" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-30}" \
       -rss_limit_mb="${FUZZ_RSS_MB:-2048}" -print_final_stats=1 \
       -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1
  status=$?
  set -e
  took=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  after=$(find "$findings" -type f ! -name "slow-unit-*" | wc -l)
  new=$((after - before))
  if [ "$status" -ne 0 ] || [ "$new" -gt 0 ]; then
    failed=1
    what=$(grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" || echo "exit $status")
    printf '%-28s %12s %8s  %s: %s (see %s)\n' "fuzz_$name" "${runs:-?}" "$took" "$new new" "$what" "$log"
  else
    printf '%-28s %12s %8s  %s\n' "fuzz_$name" "${runs:-?}" "$took" none
  fi
done
exit "$failed"
