// The two yes/no questions of leaving a puzzle or the game:
//
//  - PUZZLE_QUIT_QUEST asks whether to leave (the menu's exit button or
//    Escape in the menu, the play panel's exit tool or Escape in play);
//  - PUZZLE_SAVE_QUEST asks whether to save the puzzle being left.
//
// Both are one small modal window built the same way (YES_NO_QUESTION):
// the background chWINDOWMINI, a picture (chEXITQ / chSAVELOGO), the
// question (chTEXT_EXIT_GAME / chTEXT_SAVE_PUZZLE, a text without numbers,
// drawn as written), OK and Cancel. The scene manager selects the interface
// pack (C_NAME_PACK_GUI, C_PAS_GUI) around the constructor, polls Update
// once a frame and deletes the window once it answers.
//
// Update: kYes on an OK click or Enter, kNo on a Cancel click or
// Escape, both with the click sound, else 0. OK is asked first, and Cancel
// is not updated in a frame where OK answered, so Enter and Escape in one
// frame answer kYes. Keys count only in the frame they went down.
//
// Layout, with (x, y) the screen centre where the window stands, W x H the
// background image, fw a button's frame width (a quarter of its image) and
// hb its height; all positions are sprite centres, truncated:
//   logo      (x - W/4, y)                    the centre of the left half
//   question  big, left edge at trunc(logo x + logo image width / 2)
//             (integer halving), vertically centred on y, C_FONT_MAIN_COLOR
//   OK        (x - fw_OK/2,     y + H/2 - hb_OK/4)
//   Cancel    (x + fw_Cancel/2, y + H/2 - hb_Cancel/4)
// so the buttons stand side by side with their inner edges on the centre
// line, straddling the window's lower edge. At 1024 x 768 with a 560 x 240
// window and 128 x 48 frames: OK (448, 492), Cancel (576, 492). (The other
// windows' row, BUTTONSOKANDCANCELINDENTY x H below the centre, is not used
// here: it falls on the same row only for some sizes.)
//
// Render draws, in order: the dim layer, the background, the logo, the
// question, OK, Cancel; it returns 1, as does Message.
#pragma once

#include <memory>

#include "GAME/ui/window_layout.h"
#include "ST/sprite.h"

class JBUTTONMAP4;

class YES_NO_QUESTION : public JSPRITE {
 public:
  static constexpr int kYes = 1;
  static constexpr int kNo = -1;
  static constexpr int kNothing = 0;

  ~YES_NO_QUESTION() override;
  YES_NO_QUESTION(const YES_NO_QUESTION&) = delete;
  YES_NO_QUESTION& operator=(const YES_NO_QUESTION&) = delete;

  // Lays the window out around the current screen centre.
  void Reset();
  // kYes, kNo or kNothing; the arguments are not used.
  int Update(int, float) override;
  int Render(int) override;
  int Message(int) override { return 1; }

  const JSPRITE& Logo() const { return *logo_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  const JBUTTONMAP4& CancelButton() const { return *cancel_; }
  // The left edge of the question text.
  int TextX() const;

 protected:
  // `text` points at the configured question (read when drawn).
  YES_NO_QUESTION(const GAME::WindowKit& kit, const char* background, const char* logo, char* const* text);

 private:
  GAME::WindowKit kit_;
  char* const* text_;
  std::unique_ptr<JSPRITE> logo_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JBUTTONMAP4> cancel_;
};

// Whether to save the puzzle being left.
class PUZZLE_SAVE_QUEST : public YES_NO_QUESTION {
 public:
  explicit PUZZLE_SAVE_QUEST(const GAME::WindowKit& kit = GAME::WindowKit::Shared());
};

// Whether to leave (the game from the menu, the puzzle in play).
class PUZZLE_QUIT_QUEST : public YES_NO_QUESTION {
 public:
  explicit PUZZLE_QUIT_QUEST(const GAME::WindowKit& kit = GAME::WindowKit::Shared());
};
