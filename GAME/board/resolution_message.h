// PUZZLE_MESSAGE_RESOLUTION: the small modal message that tells the player
// that the saved game being resumed was assembled at another screen size,
// with OK (play on) and Cancel (leave). Loading a saved game creates it in
// the board's message slot (with the GUI pack selected); while it exists the
// board serves only the message, draws it last in its overlay pass, and
// deletes it on the first answer: OK plays on, Cancel makes the board's
// Update return its leave code (-8). Nothing is rescaled either way.
//
// Layout (Reset), with (cx, cy) the screen centre, H the window's image
// height and k = BUTTONSOKANDCANCELINDENTY: the window centred at (cx, cy);
// OK at (cx - Wok / 8, cy + H k), its right edge on the centre line; Cancel
// at (cx + Wcancel / 8, cy + H k), its left edge on it (an eighth of a
// four-frame button image is half a frame). Positions truncate toward zero.
//
// Only the two buttons close it: no key is tested. Cancel is tested first,
// so a frame in which both report a click cancels.
//
// Ownership: the message's own sprite is the window (chWINDOWMINI); it owns
// its two buttons; it borrows the game object, the font `comix` and the
// sound `eButton`. Main thread only.
#pragma once

#include "ST/sprite.h"

class BUTTONACT;

namespace ZOV {
class ST_GAME;
}

class PUZZLE_MESSAGE_RESOLUTION : public JSPRITE {
 public:
  // ---- Update's results
  static constexpr int kNothing = 0;
  static constexpr int kOk = 1;
  static constexpr int kCancel = -1;

  // Builds the window and both buttons from the currently selected pack,
  // then lays them out (Reset).
  explicit PUZZLE_MESSAGE_RESOLUTION(ZOV::ST_GAME* game);
  ~PUZZLE_MESSAGE_RESOLUTION() override;

  // The sprite's own per-frame slots stay reachable beside the message's.
  using JSPRITE::Render;
  using JSPRITE::Update;
  // Lays the message out for the current screen.
  void Reset();
  // kOk, kCancel or kNothing.
  int Update();
  // The window, OK, Cancel, then the text centred on the window.
  void Render();

  BUTTONACT* OkButton() const { return ok_; }
  BUTTONACT* CancelButton() const { return cancel_; }

 private:
  ZOV::ST_GAME* game_ = nullptr;
  BUTTONACT* ok_ = nullptr;      // chBUTTON_OK
  BUTTONACT* cancel_ = nullptr;  // chBUTTON_CANCEL
};
