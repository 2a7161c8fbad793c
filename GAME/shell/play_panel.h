// PLAY_PANEL: the tool bar at the foot of the screen while a puzzle is
// played. Its sprite is the panel's background; eight tool buttons sit on
// the line through its centre and behave like a dock: the button nearest the
// mouse grows and rises, and its neighbours step aside. Update reports the
// tool clicked as a code; the scene manager acts on it and shows the state
// of the toggle tools with PushButton and DropButton. The board releases the
// border tool through GAME::OffButtonRenderBorder.
//
// Main thread only. The scene manager owns the panel (created at each start
// of play, never while the menu shows); the panel owns its buttons and
// borrows the hint font and the game's input state.
//
// Layout, with (x, y) the panel position (the scene manager places it at
// (W / 2, trunc(0.97 H))): every button's centre is on y, its x is
// trunc(x + offset), from left to right
//   fly -340, frame -255, magnifier -170, border -85, help 0, sort +85,
//   settings +212.5, exit +306
// so at 1024 x 768 the panel is at (512, 744) and the buttons at x 172, 257,
// 342, 427, 512, 597, 724, 818. A button whose centre is d image heights from
// the mouse, d < 0.7, is drawn at scale 1.4 - d, trunc((0.7 - d) * 45) pixels
// higher, and pushes each neighbour it has trunc((0.7 - d) * 20) pixels away
// (see kTools in play_panel.cpp); every other button is at scale 0.7. The
// positions are rebuilt from the base every frame, the scales persist.
//
// The panel image comes from the pack the caller selected; the buttons from
// the level pack (C_NAME_PACK_LEVEL). The pack selection is cleared after.
#pragma once

#include <array>
#include <memory>

#include "ST/sprite.h"

class BUTTONACT;

namespace ZOV {
class ST_INPUT;
class JFONT;
}  // namespace ZOV

class PLAY_PANEL : public JSPRITE {
 public:
  // Results of Update(): the tool clicked, or what else happened.
  static constexpr int kNothing = 0;    // also every frame while inactive
  static constexpr int kFrame = 1;      // the faded picture under the pieces
  static constexpr int kExit = 2;       // the door, or Escape: leave the puzzle
  static constexpr int kBorder = 3;     // edges only
  static constexpr int kHelp = 4;       // a hint
  static constexpr int kFly = 5;        // the small floating preview
  static constexpr int kSort = 6;       // sort the pieces
  static constexpr int kMagnifier = 7;  // the magnifier
  static constexpr int kSettings = 8;   // the in-game options
  static constexpr int kHeld = -3;      // the left button is held on a released tool: keep it from the board

  // The panel sprite from `image` (the caller selected its pack; the
  // scene manager passes chGAME_PLAY_PANEL with the level pack selected),
  // its top 5 % left out. `hintFont` (borrowed) draws the buttons' hints.
  PLAY_PANEL(const char* image, ZOV::JFONT* hintFont);
  ~PLAY_PANEL() override;
  PLAY_PANEL(const PLAY_PANEL&) = delete;
  PLAY_PANEL& operator=(const PLAY_PANEL&) = delete;

  // Once a frame; the arguments are not used. Inactive: kNothing at once,
  // the buttons left as they are. Escape gives kExit before any button is
  // looked at. Then the buttons are magnified and updated in the order
  // settings, magnifier, sort, fly, help, border, exit, frame: the first
  // that reports a click gives its code (the border tool shows itself
  // released first), the first pressed in its normal look gives kHeld.
  int Update(int, float) override;
  // The panel, then the buttons with anisotropic filtering; returns 1.
  int Render(int) override;
  // The buttons' hints (each shows only while the mouse rests on the
  // button in its normal look); returns 1.
  int PostRender();
  // Every tool forgets its hover (a window over the panel took the mouse).
  void ForgetHover();

  // Moves the panel to (x, y) and its buttons to their base places; the
  // scales are kept.
  void SetPos(int x, int y);
  // Puts every button back at its base place.
  void Repos();
  // Shows the tool of code kFrame to kMagnifier pushed (its fourth frame);
  // other codes change nothing.
  void PushButton(int code);
  // Shows the tool of code kFrame to kMagnifier released; other codes change
  // nothing.
  void DropButton(int code);
  // Releases all eight tools.
  void DropButtons();
  // The scene manager deactivates the panel when the puzzle is solved and
  // activates it for a replay. While inactive it is still drawn, frozen.
  void Activate() { active_ = true; }
  void Deactivate() { active_ = false; }
  bool IsActive() const { return active_; }

  // The button of tool code kFrame to kSettings (where a player clicks it),
  // null for any other code.
  const BUTTONACT* Button(int code) const;

 private:
  BUTTONACT* Tool(int code) const;

  // Indexed by tool code (index 0 unused).
  std::array<std::unique_ptr<BUTTONACT>, 9> buttons_;
  ZOV::ST_INPUT* input_ = nullptr;
  bool active_ = true;
};
