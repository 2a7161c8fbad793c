// The program's entry and the callbacks it registers with the game object:
// the loader thread's body, the update, render and post-render callbacks,
// the focus-lost and focus-regained callbacks, and the device-reset hook.
#pragma once

#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"

// The game object, its renderer and its input state, set first by WinMain.
extern ZOV::ST_GAME* Game;
extern ZOV::JINGFX* zov;
extern ZOV::ST_INPUT* INPUTNAME;

// Runs the game from start-up to the end of the main loop: 0 after a normal
// run, -1 when the installation or the screen cannot run the game.
int WinMain();

void Initgoizflhgz(void*);
int Updatenjlkxfdg();
void Renderjbxoig();
void PostRndr();
void KillFocus();
void FocusG();
