// APPLY_RESOLUTION: the small window that asks the player to keep a screen
// size just applied. The resolution window (GAME::PUZZLE_RESOLUTION) opens
// it, with the interface pack selected, when OK applies a new size, updates
// it instead of itself and deletes it once it answers.
//
// It counts C_TIME_FOR_RESET_VIDEO_MODE seconds down on the kit's clock
// (real time: the switch to the new mode may take the focus away and pause
// the game's frames, and the old mode must come back all the same).
// Update answers kKeep on an OK click, kRevert on a Cancel click
// or once the time has run out, else 0; it reads no keys.
//
// Layout, with (x, y) the screen centre where the window stands, W x H its
// background chWINDOWMINI, fw a button's frame width and hb its height;
// sprite centres, truncated:
//   question  comix, centred on (x, y), C_FONT_MAIN_COLOR, drawn as written
//   seconds   comix, "%i" of trunc(seconds left + 0.5), centred on x, its
//             top 1.2 line heights below y (clear of the question's line)
//   OK        (x - fw_OK/2,     y + H/2 - hb_OK/4)
//   Cancel    (x + fw_Cancel/2, y + H/2 - hb_Cancel/4)
// Render draws the window, the question, the seconds, OK and Cancel (no dim
// layer: the resolution window lies beneath) and returns 1, as does
// Message.
#pragma once

#include <cstdint>
#include <memory>

#include "GAME/ui/options_kit.h"
#include "ST/sprite.h"

class JBUTTONMAP4;

class APPLY_RESOLUTION : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kKeep = 1;
  static constexpr int kRevert = -15;

  explicit APPLY_RESOLUTION(const GAME::OptionsKit& kit = GAME::OptionsKit::Shared());
  ~APPLY_RESOLUTION() override;
  APPLY_RESOLUTION(const APPLY_RESOLUTION&) = delete;
  APPLY_RESOLUTION& operator=(const APPLY_RESOLUTION&) = delete;

  // Lays the window out around the current screen centre.
  void Reset();
  // kKeep, kRevert or kNothing; the arguments are not used.
  int Update(int, float) override;
  int Render(int) override;
  int Message(int) override { return 1; }

  // The whole seconds shown: trunc(seconds left + 0.5).
  int ShownSeconds() const;
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  const JBUTTONMAP4& CancelButton() const { return *cancel_; }

 private:
  GAME::OptionsKit kit_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
  float total_;
  float secondsLeft_;
  uint32_t start_;
};
