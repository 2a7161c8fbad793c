#!/bin/bash
# Measures from outside how long a drag takes to show in the running game:
# the time from a move of the X pointer (with a piece held) to the changed
# pixels on the screen, read back from the X server. The game is run three
# times on the same private Xvfb: with redrawing only what changed and the
# window copy switched off (JIGSAW_FULL_REDRAW=1 JIGSAW_WINDOW_COPY=0), with
# the window copy alone switched off (JIGSAW_WINDOW_COPY=0), then as it
# ships.
#
#   scripts/measure_drag_latency.sh [build dir] [moves] [plus clicks] [WxH]
#
# Each run starts build/game/jigsaw in a fresh game folder linked to the
# built packs, with a private HOME, with Mesa's software renderer, plays the
# second chapter's first picture cut with 3 + [plus clicks] pieces along its
# short side (default 7: 130 pieces), takes a piece and moves it back and
# forth. Needs xdotool and python3. Prints per run the latency's median,
# smallest and largest, and the load average.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
MOVES="${2:-30}"
PLUS="${3:-7}"
SCREEN="${4:-1024x768}"
GAME="$BUILD/game"
[[ -x "$GAME/jigsaw" ]] || { echo "no $GAME/jigsaw: build first" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "needs xdotool (Debian package xdotool)" >&2; exit 1; }

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

for mode in before nocopy after; do
  dir="$WORK/$mode" home="$WORK/home-$mode"
  mkdir -p "$dir" "$home/Documents"
  for e in "$GAME"/DATA "$GAME"/*.fnt "$GAME"/pzls.xml; do ln -s "$e" "$dir/"; done
  extra=()
  [[ $mode == before ]] && extra=(JIGSAW_FULL_REDRAW=1 JIGSAW_WINDOW_COPY=0)
  [[ $mode == nocopy ]] && extra=(JIGSAW_WINDOW_COPY=0)
  (cd "$dir" && exec env HOME="$home" XDG_DOCUMENTS_DIR="$home/Documents" XDG_CONFIG_HOME="$home/.config" \
    DISPLAY="$DISPLAY_NUM" SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 JIGSAW_MESSAGE_BOX=stderr \
    JIGSAW_STATE_DUMP="$dir/state.txt" "${extra[@]}" "$GAME/jigsaw" >"$dir/stdout.txt" 2>&1) &
  GPID=$!
  result=$(python3 "$ROOT/scripts/measure_drag_latency.py" "$DISPLAY_NUM" "$dir/state.txt" "$GPID" "$MOVES" "$PLUS")
  echo "$mode: $result, load average $(cut -d' ' -f1-3 /proc/loadavg)"
  kill "$GPID" 2>/dev/null || true
  wait "$GPID" 2>/dev/null || true
  GPID=""
done
