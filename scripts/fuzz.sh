#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own folder and runs each
# for FUZZ_SECONDS (default 60) at low priority, one after another, on its
# generated seed corpus plus the corpus grown by earlier runs.
# Usage: scripts/fuzz.sh [build-folder] [target-name...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
shift || true
seconds=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/*_fuzz; do targets+=("$(basename "$exe" _fuzz)"); done
fi

status=0
for name in "${targets[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus" "$build/crashes/$name"
  echo "== $name: ${seconds}s"
  if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       nice -n 19 "$build/${name}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -print_final_stats=1 -artifact_prefix="$build/crashes/$name/" \
         "$corpus" "$build/seeds/$name" 2>"$build/$name.log"; then
    status=1
    echo "   FAILED: see $build/$name.log and $build/crashes/$name/"
  fi
  grep -E '^stat::number_of_executed_units|^Done|property broken|ERROR' "$build/$name.log" | sed 's/^/   /' || true
done
exit $status
