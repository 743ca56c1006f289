#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz) and runs each one for a
# bounded time over its seed corpus in fuzz/corpus/<target>, as many at a
# time as there are processors. Fails when a target finds a crash, a hang or
# a sanitizer report; the input that did it is kept in build-fuzz/crashes/.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# New inputs a run finds go to build-fuzz/corpus/<target>, never into the
# repository's seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(datafile ini testfile programming_replies service_replies yaml_import csv_import)
fi
# Targets whose every input costs more get more time, so that they try at
# least as many inputs as the slowest of the others (fuzz_datafile): ini
# writes its input as two files and parses both for every input.
declare -A weight=([ini]=2)

./scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DRQ381_FUZZ=ON

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/crashes

run_target() {
  local target=$1 budget=$(( seconds * ${weight[$1]:-1} ))
  local work=build-fuzz/corpus/$target
  mkdir -p "$work"
  echo "fuzz_$target: ${budget} s"
  # Leaks are not looked for (detect_leaks=0 above); -detect_leaks=0 also
  # keeps libFuzzer from running again every input that allocates more than
  # it frees (the INI cache grows) just to look for one.
  if ! build-fuzz/bin/fuzz_"$target" -max_total_time="$budget" -timeout=10 -rss_limit_mb=2048 -detect_leaks=0 \
        -artifact_prefix=build-fuzz/crashes/"$target"- -print_final_stats=1 \
        "$work" fuzz/corpus/"$target" >build-fuzz/fuzz_"$target".log 2>&1; then
    tail -n 40 build-fuzz/fuzz_"$target".log
    return 1
  fi
  grep -h '^stat::number_of_executed_units' build-fuzz/fuzz_"$target".log | sed "s/^/fuzz_$target: /"
}

slots=$(nproc)
failed=()
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$slots" ]; do
    wait -n || true
  done
  rm -f build-fuzz/fuzz_"$target".failed
  { run_target "$target" || touch build-fuzz/fuzz_"$target".failed; } &
done
wait
for target in "${targets[@]}"; do
  [ -e build-fuzz/fuzz_"$target".failed ] && failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]} (inputs in build-fuzz/crashes/)" >&2
  exit 1
fi
