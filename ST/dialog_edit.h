// ZOV::JDIALOGEDIT: the small modal window in which a player types a new
// player's name: the window image chWINDOWMINI, a header (big) and a prompt
// (comix) in C_FONT_MAIN_COLOR, a text box, and OK and Cancel buttons, with
// Enter and Escape as their keys. The owner shows it while a name is being
// entered and reads the confirmed name with GetName().
//
// The dialog keeps itself centred on the screen: it is centred when made,
// and every Render centres it again for the next frame. The buttons stand
// side by side, meeting at the window's vertical centre line 20 pixels above
// its lower edge; the text box's centre is 50 pixels below the window's.
//
// The font is lent (to the text box); the dialog owns its buttons and box.
#pragma once

#include <string>

#include "ST/sprite.h"

class JBUTTONMAP4;
class JTEXTBOX;

namespace ZOV {

class JFONT;

class JDIALOGEDIT : public JSPRITE {
 public:
  // Results of Update().
  static constexpr int kConfirmed = 1;
  static constexpr int kCancelled = -1;

  // The first two names are unused; `boxImage` is the text box's
  // background.
  JDIALOGEDIT(const char* unused1, const char* unused2, const char* boxImage, JFONT* font);
  ~JDIALOGEDIT() override;

  // kConfirmed when OK or Enter confirmed a name (the box is emptied),
  // kCancelled for Cancel or Escape (the box is emptied) and for OK or Enter
  // with nothing typed, 0 otherwise. Every answer plays the click sound.
  int Update(int, float) override;
  using JSPRITE::Render;
  // Draws the window, texts, buttons and box, then centres the dialog on
  // the screen for the next frame; 0.
  int Render(int) override;
  // Lays the buttons and the box out around the position; 0.
  int Reset();
  // Moves the window to (x, y) and lays the rest out around it; 0.
  int SetPos(int px, int py);

  // The last confirmed name in UTF-8, null before the first.
  const char* GetName() const { return hasName ? name.c_str() : nullptr; }

  JFONT* font = nullptr;
  JFONT* boxFont = nullptr;
  JBUTTONMAP4* ok = nullptr;
  JBUTTONMAP4* cancel = nullptr;
  JTEXTBOX* box = nullptr;
  std::string name;
  bool hasName = false;
};

}  // namespace ZOV
