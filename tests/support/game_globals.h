// The game's globals on an engine that a test or benchmark made itself: the
// default configuration applied and the engine globals (Game, zov,
// INPUTNAME) pointed at the game object, as the program entry sets them
// before anything of the game runs. Free of GoogleTest, for the benchmarks
// too.
#pragma once

#include "GAME/config/config.h"
#include "GAME/ui/engine_globals.h"
#include "ST/game.h"

namespace testenv {

inline void UseGameObject(ZOV::ST_GAME* game) {
  GAME::ApplyConfigDefaults();
  Game = game;
  zov = game->GetGfx();
  INPUTNAME = game->GetInput();
}

}  // namespace testenv
