// The loader thread: builds the shared assets (GAME/ui/shared_assets.h)
// while the main thread draws the loading screen, then hands the program
// over to the update and render hooks.
//
// Initgoizflhgz is registered with the game object (ST_GAME::SetIni) and
// started by ST_GAME::Init on a thread of its own, after Init has set the
// loading counter. In order, it makes: the loading font; the loading screen,
// handed to the engine (progress 5); the menu sprites, the 8x8 texture and
// the cursor (12); then, once the start-up logos have had their time, the 27
// sounds (21 to 93), the three interface fonts, the scene manager (99), a
// pause of 100 ms (100), and at last the dim layer, while it clears the
// loading counter and deletes the loading screen in one locked step.
//
// Locking: every creation that touches the renderer, every progress write,
// each read of the splash countdown and the final hand-over hold `cs`; pack
// selection, the sounds and their settings, filling the 8x8 texture and the
// font, sprite and cursor settings do not. The loader never waits for the
// main thread while it holds `cs`, and makes no window call.
//
// Stopping: a window closed before loading has ended stops the main loop;
// WinMain then calls StopLoader(), which makes the loader leave at its next
// step (a wait for the logos ends at once) and returns when it has left, so
// the process never ends under a running loader.
#pragma once

namespace GAME {
class LOADING_SCREEN_BASE;
class SCENE;
}  // namespace GAME

// The loader thread's body; the argument is not used.
void Initgoizflhgz(void*);

namespace GAME {

// The two objects the loader builds that belong to the shell's screens. A
// null maker builds nothing: no loading screen is drawn (and the wait for the
// logos passes at once), or `puzzle` stays null.
struct LOADER_PARTS {
  LOADING_SCREEN_BASE* (*makeLoadingScreen)() = nullptr;
  SCENE* (*makeScene)() = nullptr;
};

// Sets the makers; main thread, before the loader starts.
void SetLoaderParts(const LOADER_PARTS& parts);

// Main thread, after the main loop: asks a loader that is still at work to
// leave at its next step and waits until it has left. Returns at once when
// no loader was started or it has finished.
void StopLoader();

// Test seam: forgets a finished or stopped loader, so that the next one may
// run in the same process.
void ResetLoaderForTests();

}  // namespace GAME
