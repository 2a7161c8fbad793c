#!/bin/bash
# Measures the built game program as a player starts it: the time from the
# start to the first menu frame, and the processor time the program takes
# over a stretch of the idle menu.
#
#   scripts/measure_startup.sh [build dir] [runs] [idle seconds]
#
# Each run starts build/game/jigsaw in a fresh game folder linked to the
# built packs, with a private HOME, on a private Xvfb of 1024 x 768 (the
# game then opens its 1024 x 768 window), with Mesa's software renderer.
# The first menu frame is the first state dump the scene manager writes
# (JIGSAW_STATE_DUMP: written after every frame of the scene, once loading
# is over). Printed per run: the start-up in milliseconds, then the
# processor use of the idle menu in cores (utime + stime of the process,
# from /proc/<pid>/stat, over the given seconds), then the load average.
# LP_NUM_THREADS is passed through when set.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
RUNS="${2:-5}"
IDLE="${3:-10}"
GAME="$BUILD/game"
[[ -x "$GAME/jigsaw" ]] || { echo "no $GAME/jigsaw: build first" >&2; exit 1; }

WORK="$(mktemp -d)"
XPID=""
GPID=""
cleanup() {
  [[ -n "$GPID" ]] && kill "$GPID" 2>/dev/null || true
  [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A private X server: Xvfb picks a free display and writes its number.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 100); do [[ -s "$WORK/display" ]] && break; sleep 0.05; done
DISPLAY_NUM=":$(head -n1 "$WORK/display")"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now_ms() { date +%s%3N; }

for run in $(seq "$RUNS"); do
  dir="$WORK/game$run" home="$WORK/home$run"
  mkdir -p "$dir" "$home/Documents"
  for e in "$GAME"/DATA "$GAME"/*.fnt "$GAME"/pzls.xml; do ln -s "$e" "$dir/"; done
  dump="$dir/state.txt"
  start=$(now_ms)
  (cd "$dir" && HOME="$home" XDG_DOCUMENTS_DIR="$home/Documents" XDG_CONFIG_HOME="$home/.config" \
    DISPLAY="$DISPLAY_NUM" SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 JIGSAW_MESSAGE_BOX=stderr \
    JIGSAW_STATE_DUMP="$dump" exec "$GAME/jigsaw" >"$dir/stdout.txt" 2>&1) &
  GPID=$!
  for _ in $(seq 6000); do [[ -e "$dump" ]] && break; sleep 0.005; done
  first=$(( $(now_ms) - start ))
  if [[ ! -e "$dump" ]]; then echo "run $run: no menu frame within 30 s" >&2; exit 1; fi
  c0=$(cpu_ticks "$GPID")
  sleep "$IDLE"
  c1=$(cpu_ticks "$GPID")
  cores=$(awk -v d=$((c1 - c0)) -v t="$ticks" -v s="$IDLE" 'BEGIN { printf "%.2f", d / t / s }')
  echo "run $run: first menu frame after ${first} ms; idle menu ${cores} cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
  kill "$GPID"
  wait "$GPID" 2>/dev/null || true
  GPID=""
done
