#!/usr/bin/env bash
# Builds and runs the parser fuzzers (clang's libFuzzer with address and
# undefined-behaviour checks) in a build directory of their own.
#   run_fuzzers.sh build <build-dir> [clang++]
#   run_fuzzers.sh run <build-dir> <model|tga|settings|high_scores|data_files|ghost|options|replay> <seconds> [libFuzzer options...]
#   run_fuzzers.sh all <build-dir> <seconds>      build, then run each in turn
# Each run starts from the seeds in tests/fuzz/corpus/<name> and keeps what it
# finds in <build-dir>/corpus/<name>; a crash leaves its input in
# <build-dir>/findings/<name> and fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
build=$2

build_fuzzers() {
  local cxx=${1:-clang++}
  cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=None >/dev/null
  cmake --build "$build" -j 2
}

run_fuzzer() {
  local name=$1 seconds=$2
  shift 2
  mkdir -p "$build/corpus/$name" "$build/findings/$name"
  # The seeds directory is read only; new inputs go to the first directory.
  "$build/${name}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$name/" "$@" \
    "$build/corpus/$name" "$here/corpus/$name"
}

case $mode in
  build) build_fuzzers "${3:-clang++}" ;;
  run) run_fuzzer "$3" "$4" "${@:5}" ;;
  all)
    build_fuzzers clang++
    for name in model tga settings high_scores data_files ghost options replay; do
      run_fuzzer "$name" "$3"
    done
    ;;
  *) echo "usage: $0 build|run|all <build-dir> ..." >&2; exit 2 ;;
esac
