// The two music tracks' answer to the window's focus: paused when the window
// loses it, resumed when it comes back.
//
// The loader thread makes and starts the tracks without any lock while the
// main thread may already receive focus events, so until loading has ended
// the focus hooks touch no sound: they only remember whether a pause is
// wanted, and the loader applies a remembered pause when it has handed over.
// One lock of its own orders the two threads; `cs` is never taken here.
#pragma once

namespace GAME {

// Main thread: the focus-lost and focus-regained hooks.
void MusicFocusLost();
void MusicFocusRegained();

// Loader thread, once, after it has cleared the loading counter: from now on
// the hooks act at once; a pause asked for during loading is applied now.
void MusicLoadingEnded();

// Test seam: loading under way again, no pause remembered.
void ResetMusicFocusForTests();

}  // namespace GAME
