#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
source "$(dirname "$0")/scripts/common.sh"
install_packages
build_tree "$ROOT/build" -DJIGSAW_TESTS=OFF
GAME_DIR="$ROOT/build/game"
if [[ ! -x "$GAME_DIR/jigsaw" ]]; then
  echo "Built the engine and tools; the game program itself is not part of this build yet."
  exit 0
fi
cd "$GAME_DIR"
exec ./jigsaw "$@"
