// The program's entry and the hooks it registers with the game object.
//
// WinMain, in order: takes the game object, its renderer and its input;
// reads the edition and refuses to start (message "Some files are corrupt.
// The game may not run. Please reinstall the game", exit -1) when its URL
// file or program file is missing and may not be; reads the configuration;
// names the game; registers the six hooks (loader, render, update, focus
// lost, post-render, focus regained), the loader's loading screen
// (GAME/shell/loading_screen.h) and the black clear colour; seeds the
// random generator with the clock; starts the engine. Init's -1 (the
// configured "play.url" is missing) and -2 (the screen is smaller than
// 1024x768) show the configured message and exit -1; otherwise the main loop
// runs, a loader still at work is stopped, and the result is 0.
//
// The hooks run on the main thread (the loader on its own, GAME/shell/
// loader.h) and take no lock. The update, render and post-render hooks run
// only once loading has ended; each is safe while the scene manager `puzzle`
// or the cursor does not exist.
#pragma once

#include "GAME/ui/engine_globals.h"

// The game object, its renderer and its input state (GAME/ui/engine_globals.h)
// are set first by WinMain.

// Runs the game from start-up to the end of the main loop: 0 after a normal
// run, -1 when the installation or the screen cannot run the game.
int WinMain();

// The loader thread's body (GAME/shell/loader.h).
void Initgoizflhgz(void*);
// Update hook: the board's particle emitters that exist, the scene manager,
// then the cursor. Always 0.
int Updatenjlkxfdg();
// Main render pass: the scene manager.
void Renderjbxoig();
// Overlay pass: the scene manager's overlay, then the cursor over everything.
void PostRndr();
// Focus lost and regained: pause and resume the two music tracks
// (GAME/shell/music_focus.h).
void KillFocus();
// The window is closing: the scene manager saves a puzzle in play first.
// While loading has not ended it does nothing (the loader may still be
// making the scene manager; nothing is in play yet).
void CloseWindow();
void FocusG();
// PuzzleReset (the device-reset hook) is declared by the engine in
// ST/game.h: it lays the scene out again for the current screen size.
