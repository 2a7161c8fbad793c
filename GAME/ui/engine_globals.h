// The game object, its renderer and its input state, as the program entry
// sets them first (GAME/shell/entry.h) and the windows below the shell read
// them. Each is null until the entry has taken the game object; readers fall
// back on ZOV::GetGame() where they may run before that (tests).
#pragma once

#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"

extern ZOV::ST_GAME* Game;
extern ZOV::JINGFX* zov;
extern ZOV::ST_INPUT* INPUTNAME;
