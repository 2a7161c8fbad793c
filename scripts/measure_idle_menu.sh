#!/bin/bash
# Measures the processor time the built game takes on its idle menu, each
# way of drawing beside the others in one run, without the test-only state
# dump (which writes a file every frame).
#
#   scripts/measure_idle_menu.sh [build dir] [rounds] [idle seconds] [WxH] -- [mode ...]
#
# A mode is a list of environment settings joined by commas ("-" for none),
# e.g. JIGSAW_FULL_REDRAW=1,JIGSAW_WINDOW_COPY=0. Each round starts
# build/game/jigsaw once per mode, in a fresh game folder linked to the built
# packs, with a private HOME, on a private Xvfb of the given size (default
# 1024x768), with Mesa's software renderer; waits until the game has drawn
# its menu (the loader's log says so, plus 3 s), then reads the process's utime +
# stime from /proc/<pid>/stat over the idle seconds. Printed per run: the
# mode, the cores, the load average.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
ROUNDS="${2:-2}"
IDLE="${3:-10}"
SCREEN="${4:-1024x768}"
shift $(( $# < 4 ? $# : 4 ))
[[ "${1:-}" == "--" ]] && shift
MODES=("$@")
[[ ${#MODES[@]} -gt 0 ]] || MODES=("JIGSAW_FULL_REDRAW=1,JIGSAW_WINDOW_COPY=0" "JIGSAW_WINDOW_COPY=0" "-")
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

exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" -nolisten tcp >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 100); do [[ -s "$WORK/display" ]] && break; sleep 0.05; done
DISPLAY_NUM=":$(head -n1 "$WORK/display")"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

n=0
for round in $(seq "$ROUNDS"); do
  for mode in "${MODES[@]}"; do
    n=$((n + 1))
    dir="$WORK/game$n" home="$WORK/home$n"
    mkdir -p "$dir" "$home/Documents"
    for e in "$GAME"/DATA "$GAME"/*.fnt "$GAME"/pzls.xml; do ln -s "$e" "$dir/"; done
    settings=()
    [[ "$mode" != "-" ]] && IFS=',' read -r -a settings <<<"$mode"
    (cd "$dir" && exec env HOME="$home" XDG_DOCUMENTS_DIR="$home/Documents" XDG_CONFIG_HOME="$home/.config" \
      DISPLAY="$DISPLAY_NUM" SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 JIGSAW_MESSAGE_BOX=stderr \
      "${settings[@]}" "$GAME/jigsaw" >"$dir/stdout.txt" 2>&1) &
    GPID=$!
    # The loader logs "Init Complete" as it hands over to the menu.
    for _ in $(seq 600); do grep -q "Init Complete" "$dir/stdout.txt" 2>/dev/null && break; sleep 0.1; done
    sleep 3
    c0=$(cpu_ticks "$GPID")
    sleep "$IDLE"
    c1=$(cpu_ticks "$GPID")
    cores=$(awk -v d=$((c1 - c0)) -v t="$ticks" -v s="$IDLE" 'BEGIN { printf "%.2f", d / t / s }')
    echo "round $round, ${mode}: idle menu ${cores} cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
    kill "$GPID"
    wait "$GPID" 2>/dev/null || true
    GPID=""
  done
done
