#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (every ORV library instrumented) into build-fuzz/
# and runs each target for SECONDS (default 60), starting from its seed corpus
# in fuzz/corpus/<name>/. New inputs go to build-fuzz/fuzz-corpus/<name>/, and
# any crash, leak or hang to build-fuzz/fuzz-findings/<name>/. Exits 1 when a
# target found something.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORV_FUZZ=ON -DORV_BENCH=OFF -DORV_WERROR=OFF > /dev/null
cmake --build build-fuzz --target fuzz_targets

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in fuzz/*_fuzz.cpp; do
    name=$(basename "$src" _fuzz.cpp)
    targets+=("$name")
  done
fi

# Targets that read their input from a file write it to the temporary folder:
# keep that in memory when the machine has a RAM disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for name in "${targets[@]}"; do
  work=build-fuzz/fuzz-corpus/$name
  findings=build-fuzz/fuzz-findings/$name
  mkdir -p "$work" "$findings"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "== $name: ${seconds} s"
  if ! "build-fuzz/bin/${name}_fuzz" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" "${seeds[@]}" \
       > "build-fuzz/fuzz-$name.log" 2>&1; then
    failed+=("$name")
    tail -n 40 "build-fuzz/fuzz-$name.log"
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "build-fuzz/fuzz-$name.log" | tr '\n' ' ' || true
  echo
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (see build-fuzz/fuzz-findings/)"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds} s each without a finding"
