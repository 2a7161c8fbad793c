// FAQ_SCREEN: the help window that shows a new player the mouse and the
// pocket. The scene manager opens it only while the player's record has its
// show-help flag set: in mode 0 (the mouse, with rotation) or 1 (the mouse,
// without) when a puzzle starts, in mode 2 (the pocket) when the board asks
// for it. The scene manager selects the interface pack (C_NAME_PACK_GUI,
// C_PAS_GUI) around the constructor, polls Update once a frame, deletes the
// window once Update answers kClosed, and lets the board play on beneath
// while `shown` is still false.
//
// Modes 0 and 1 stay hidden for their first 3 seconds (Render draws nothing
// while the timer is at or below 3.0), mode 2 starts with a 5-second head
// start and is shown at once. Update answers kClosed on an OK click or
// Enter, with the click sound, also while the window is hidden; Escape
// never closes it. The texts hold no numbers and are drawn as written. The
// window draws no dim layer.
//
// Layout, with (x, y) the screen centre where the window stands, W x H the
// background (chSTBACK in mode 0, chWINDOWMINI in modes 1 and 2); sprite
// centres, truncated:
//   mode 0   picture 1 chFAQ_MOUSE at (x - W/4, y - H/6),
//            picture 2 chFAQ_MOUSE_2 at (x - W/4, y + H/6)
//   mode 1   picture 1 chFAQ_MOUSE at (x - W/4, y)
//   mode 2   picture 1 chFAQ_POCKET at (x - W/4, y)
//   OK       (x, y + H x BUTTONSOKANDCANCELINDENTY)
//   header   big, centred, chTEXT_FAQ_HEADER at (x, y - 0.4 H) in mode 0,
//            (x, y - 0.25 H) in modes 1 and 2
//   texts    comix, left edge at x - W/8, vertically centred:
//            mode 0 chTEXT_FAQ_MOUSE level with picture 1 and
//            chTEXT_FAQ_MOUSE_ROTATION level with picture 2; mode 1
//            chTEXT_FAQ_MOUSE at y; mode 2 chTEXT_FAQ_POCKET at y - 20
// Both fonts draw in their current colour. Render draws the background,
// picture 1, picture 2, OK, the header and the texts, and returns 0.
#pragma once

#include <memory>

#include "GAME/ui/window_layout.h"
#include "ST/sprite.h"

class JBUTTONMAP4;

class FAQ_SCREEN : public JSPRITE {
 public:
  static constexpr int kMouseWithRotation = 0;
  static constexpr int kMouse = 1;
  static constexpr int kPocket = 2;
  static constexpr int kClosed = 1;
  // Seconds a help window stays hidden; the pocket help starts past it.
  static constexpr float kHiddenFor = 3.0f;
  static constexpr float kPocketHeadStart = 5.0f;

  // A mode other than the three is taken as kMouse.
  explicit FAQ_SCREEN(int mode, const GAME::WindowKit& kit = GAME::WindowKit::Shared());
  ~FAQ_SCREEN() override;
  FAQ_SCREEN(const FAQ_SCREEN&) = delete;
  FAQ_SCREEN& operator=(const FAQ_SCREEN&) = delete;

  // kClosed or 0; the arguments are not used (the frame time comes from the
  // game object).
  int Update(int, float) override;
  int Render(int) override;

  int Mode() const { return mode_; }
  float Timer() const { return timer_; }
  const JSPRITE& Picture1() const { return *picture1_; }
  // Null except in mode 0.
  const JSPRITE* Picture2() const { return picture2_.get(); }
  const JBUTTONMAP4& OkButton() const { return *ok_; }

  // False until the window is first drawn (true from the start in mode 2);
  // the scene manager reads it to decide whether the board still runs.
  bool shown = false;

 private:
  GAME::WindowKit kit_;
  int mode_ = kMouse;
  float timer_ = 0.0f;
  std::unique_ptr<JSPRITE> picture1_;
  std::unique_ptr<JSPRITE> picture2_;
  std::unique_ptr<JBUTTONMAP4> ok_;
};
