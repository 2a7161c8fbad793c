// What the modal windows of the menus and the play screen share: the engine
// objects they draw, click and sound with (WindowKit), and the placement
// rules of the interface, so every window lays itself out the same way:
//
//  - a window is a sprite centred on the game object's screen centre;
//  - button images hold four equal frames side by side (normal, hover,
//    pressed, disabled), so a button's frame width is a quarter of its
//    image width;
//  - OK and Cancel stand either side of the window's vertical centre line,
//    OK on the left, each half its own frame width from the line, their
//    centres on one row; most windows put that row
//    BUTTONSOKANDCANCELINDENTY x the window's height below the centre;
//  - every float position becomes an int by truncation toward zero.
//
// A key counts only in the frame it went down (ST_INPUT::Key gives 1 there,
// more while it is held). Main thread only; nothing here owns anything.
#pragma once

class JSPRITE;
class JBUTTONMAP4;

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

// Virtual key codes the windows answer to.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// True only in the frame the key went down.
bool KeyWentDown(const ZOV::ST_INPUT& input, int vk);

// The size of the image a sprite was made from (its background's W and H).
int ImageWidth(const JSPRITE& s);
int ImageHeight(const JSPRITE& s);
// A four-frame button's frame width: a quarter of its image width.
int FrameWidth(const JBUTTONMAP4& b);

// Moves the window sprite to the game object's screen centre.
void CentreOnScreen(JSPRITE& window, const ZOV::ST_GAME& game);

// The row of OK and Cancel in most windows: `windowH` x `indent` below the
// window's centre `windowY` (indent: BUTTONSOKANDCANCELINDENTY).
float OkCancelRow(float windowY, float windowH, float indent);

// Puts OK left and Cancel right of the centre line `x`, each half its own
// frame width from it, both centred on `rowY`; positions truncated.
void PlaceOkCancel(JBUTTONMAP4& ok, JBUTTONMAP4& cancel, float x, float rowY);

}  // namespace GAME
