#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs them longer
# than the test command does, keeping what each finds:
#   scripts/fuzz.sh [seconds per target] [target name pattern]
# (default 300 seconds, every target). Each target's corpus grows in
# build-fuzz/fuzz-corpus/<target>/, starting from its seeds; a crash, leak
# or timeout is written as build-fuzz/fuzz-corpus/<target>-crash-* (and so
# on) and makes the script fail. Several targets run at once, one per
# processor core.
source "$(dirname "$0")/common.sh"
seconds="${1:-300}"
pattern="${2:-.}"
dir="$ROOT/build-fuzz"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$dir" -G Ninja -DJIGSAW_FUZZ=ON -DJIGSAW_TESTS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target fuzz_all
export SDL_AUDIODRIVER=dummy
mapfile -t lines < <(cd "$dir" && ctest -N -L fuzz -V | tr -d '\"' | sed -n 's/^[0-9]*: Test command: .*-DFUZZER=\([^ ]*\) -DSEEDS=\([^ ]*\) .*/\1 \2/p')
status=0
pids=()
for line in "${lines[@]}"; do
  read -r fuzzer seeds <<<"$line"
  name=$(basename "$fuzzer")
  [[ "$name" =~ $pattern ]] || continue
  corpus="$dir/fuzz-corpus/$name"
  mkdir -p "$corpus"
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  while (( $(jobs -rp | wc -l) >= $(nproc) )); do wait -n || status=1; done
  ( "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$corpus-" "$corpus" >"$corpus.log" 2>&1
    rc=$?
    echo "$name: $(grep -o 'number_of_executed_units: [0-9]*' "$corpus.log" | tail -1) (exit $rc)"
    exit $rc ) &
done
while (( $(jobs -rp | wc -l) > 0 )); do wait -n || status=1; done
exit $status
