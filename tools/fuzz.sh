#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for a bounded time, starting from the committed corpus. New inputs go to a
# scratch folder, so the committed corpus only changes by hand.
set -e
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
jobs=$(nproc 2>/dev/null || echo 2)
build=build/fuzz
targets="key_decoder catalogue record dump"
cmake -S . -B $build -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DSETUPEDIT_FUZZ=ON -DSETUPEDIT_WERROR=ON >/dev/null
for t in $targets; do cmake --build $build -j "$jobs" --target fuzz_$t >/dev/null; done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for t in $targets; do
  mkdir -p "$scratch/$t"
  echo "fuzz_$t: ${seconds} s"
  $build/fuzz_$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix="$build/crash-$t-" "$scratch/$t" tests/fuzz/corpus/$t 2>"$scratch/$t.log" || {
    tail -n 40 "$scratch/$t.log" >&2
    exit 1
  }
  grep -E '^Done' "$scratch/$t.log" || true
done
