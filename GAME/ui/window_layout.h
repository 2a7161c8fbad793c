// What the modal windows of the menus and the play screen share: the engine
// objects they draw, click and sound with (WindowKit), and the placement
// rules of the interface, so every window lays itself out the same way:
//
//  - a window is a sprite centred on the game object's screen centre;
//  - OK and Cancel stand either side of the window's vertical centre line
//    (ST/button_layout.h places them); most windows put their row
//    BUTTONSOKANDCANCELINDENTY x the window's height below the centre;
//  - every float position becomes an int by truncation toward zero.
//
// A key counts only in the frame it went down (ST_INPUT::Key gives 1 there,
// more while it is held). Main thread only; nothing here owns anything.
#pragma once

#include <cstdint>

class JSPRITE;
class JBUTTONMAP4;
class BUTTONACT;

namespace ZOV {
class ST_GAME;
class ST_INPUT;
class JFONT;
class ST_A;
}  // namespace ZOV

namespace GAME {

// The engine objects a window uses, lent for its whole life. Any of them
// may be null: a window then draws or plays nothing with it (a null game is
// taken as the engine's own game object).
// The text on the interface's dark, half-transparent boxes (a trophy's
// hint, a save's completion badge): a light cream that reads on them over
// any plate. The main font colour is a dark blue made for light plates.
constexpr uint32_t kTextOnDarkBox = 0xFFFFF4D6u;

struct WindowKit {
  ZOV::ST_GAME* game = nullptr;  // screen centre, frame time, input
  ZOV::JFONT* big = nullptr;     // headers and questions
  ZOV::JFONT* comix = nullptr;   // the common interface font
  ZOV::ST_A* click = nullptr;    // the button click (eButton)
  JSPRITE* dim = nullptr;        // the dim layer over the screen (blackTranslucent)

  // The shared assets the loader made and the engine's game object.
  static WindowKit Shared();
  // `game`, or the engine's game object when it is null.
  ZOV::ST_GAME& Game() const;
};

// True only in the frame the key went down.
bool KeyWentDown(const ZOV::ST_INPUT& input, int vk);

// The size of the image a sprite was made from (its background's W and H).
int ImageWidth(const JSPRITE& s);
int ImageHeight(const JSPRITE& s);

// Moves the window sprite to the game object's screen centre.
void CentreOnScreen(JSPRITE& window, const ZOV::ST_GAME& game);

// A window opened over a button takes the mouse, and the button is no
// longer updated: it forgets its hover, so that neither its tip nor its
// hover frame stays on under the window, and neither comes back for the
// frame after the window closes (the tip follows the state the previous
// update left). A button not hovered is left as it is.
void ForgetHover(BUTTONACT& button);

// The row of OK and Cancel in most windows: `windowH` x `indent` below the
// window's centre `windowY` (indent: BUTTONSOKANDCANCELINDENTY).
float OkCancelRow(float windowY, float windowH, float indent);

}  // namespace GAME
