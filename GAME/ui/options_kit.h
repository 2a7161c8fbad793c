// What the settings, resolution, options and authors windows use besides
// the common window kit: the two sounds a settings change plays, and the
// clock that the sound test and the timed confirmation of a new screen size
// run on. The clock is real time, not the game's frame time: the main loop
// pauses while the window is unfocused, and a video-mode switch may take
// the focus away, yet the confirmation must still run out and revert.
//
// Main thread only; nothing here owns anything.
#pragma once

#include <cstdint>

#include "GAME/ui/window_layout.h"

namespace GAME {

struct OptionsKit {
  WindowKit window;
  ZOV::ST_A* testSound = nullptr;  // ePuzzleSelection: the sound volume changed
  ZOV::ST_A* openSound = nullptr;  // eButtonDisabled: a sub-window opens
  uint32_t (*clock)() = nullptr;   // milliseconds, wrapping; null: the system clock

  // The shared assets the loader made, the engine's game object and the
  // system clock.
  static OptionsKit Shared();
  // The clock's reading now.
  uint32_t Now() const;
};

// The sound slider plays its test sound at most once in this many
// milliseconds while it is dragged.
inline constexpr uint32_t kTestSoundGapMs = 100;

// Plays the kit's test sound, unless it played less than kTestSoundGapMs
// ago on the kit's clock.
class TestSoundGate {
 public:
  // True when the sound was played.
  bool Play(const OptionsKit& kit);

 private:
  bool played_ = false;
  uint32_t lastMs_ = 0;
};

}  // namespace GAME
