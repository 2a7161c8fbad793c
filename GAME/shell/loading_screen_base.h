// GAME::LOADING_SCREEN_BASE: what the loader thread needs of the screen shown
// while it works. The loading screen derives from it; the engine draws it
// through JST::ST (Update, then Render in the overlay pass) while its loading
// counter is set.
//
// Threads: the loader creates and deletes the screen and writes the progress
// holding `cs`; the main thread updates and draws it holding `cs` and is the
// only one to lower the splash countdown. Every field here is read and
// written under `cs`.
#pragma once

#include "ST/object.h"

namespace GAME {

class LOADING_SCREEN_BASE : public JST::ST {
 public:
  // Destroyed by the loader at the end of loading, through this base.
  ~LOADING_SCREEN_BASE() override = default;

  // The loader's progress in percent: 5, 12, 21, 38, 42, 54, 66, 79, 93, 99,
  // 100 in that order (cs held).
  virtual void SetProgress(int percent) { progress = percent; }
  // Seconds of start-up logos still to show (cs held). The loader loads no
  // sound while this is 0 or above.
  virtual float SplashCountdown() const { return countdown; }

  float countdown = 0.0f;
  int progress = 0;
};

}  // namespace GAME
