// The clickable sprites every screen uses, polled once a frame through the
// game's input state (taken from the game object when a button is made):
//
//  - JBUTTON: a sprite that reports presses inside its scaled box
//    (Update: 0 none, 1 left press, 2 right press, 3 double click);
//  - JBUTTONMAP4: the common push button, one image of four equal frames
//    side by side (normal, hover, pressed, disabled). Update returns 1 on the
//    frame the left button is released inside after a press that began
//    inside; leaving the box while held cancels the press. A deactivated
//    button shows the disabled frame but still clicks (owners also use that
//    frame to show a tool that is switched on);
//  - JBUTTONCHK: a check box, one image of two halves (box, tick); Update
//    returns 1 when a left press within half the image height of its centre
//    toggled it;
//  - BUTTONACT: a JBUTTONMAP4 that calls its action(s) on a click, plays a
//    sound when the mouse starts hovering and shows a tooltip. Owners set
//    the tip by writing tipFont and tipText, and call RenderTip after
//    everything else of the frame is drawn.
//
// A button borrows the font and sound it is handed. A button whose image
// fails to load shows the renderer's default texture.
#pragma once

#include <cstdint>
#include <string>

#include "ST/sprite.h"

namespace ZOV {
class ST_INPUT;
class ST_A;
class JFONT;
}  // namespace ZOV

class JBUTTON : public JSPRITE {
 public:
  // Hit box = the image size.
  explicit JBUTTON(const char* file);
  // Around a texture just made (see JSPRITE); hit box = the texture's size.
  explicit JBUTTON(unsigned long texture);

  int Update(int, float) override;
  // Strictly inside the box Update tests: the hit box scaled by the sprite's
  // scale, centred on the position.
  bool IsMouseInButton() const;
  float HowFar(int x, int y) const;
  // HowFar divided by the hit height.
  float HowFarPsnt(int x, int y) const;
  using JSPRITE::SetSize;
  void SetSize(float s) { SetSize(s, s); }
  void Move(float dx, float dy);
  // Hit box and quad become w x h pixels.
  void SetSizePix(int w, int h);

  ZOV::ST_INPUT* input = nullptr;
  int hitW = 0, hitH = 0;
};

class JBUTTONMAP4 : public JSPRITE {
 public:
  enum { STATE_NORMAL = 0, STATE_HOVER = 1, STATE_PRESSED = 2, STATE_DISABLED = 3 };

  explicit JBUTTONMAP4(const char* file);

  int Update(int, float) override;
  // Active shows frame 0, inactive frame 3.
  void Activate(bool on);
  int GetState() const { return state; }
  // Shows the frame of the state field; the argument is not used.
  void SetState(int);
  // The frame's width and the quad's height, in pixels.
  int GetW() const;
  int GetHeight() const;
  // The x scale is kept a quarter of the asked one, so the quad shows one
  // frame at the asked size.
  void SetSize(float sx, float sy) override;
  void SetSize(float s) { SetSize(s, s); }

  JST::iPOINT frame{0, 0};  // one frame's size: image width / 4, image height
  bool active = true;
  bool pressed = false;
  int state = STATE_HOVER;
  ZOV::ST_INPUT* input = nullptr;
};

class JBUTTONCHK : public JSPRITE {
 public:
  explicit JBUTTONCHK(const char* file);

  int Update(int, float) override;
  // The box half when drawBox is set or unchecked, then the tick half over
  // it when checked; returns 0.
  int Render(int) override;
  int GetState() const { return checked; }

  bool initialState = false;
  int checked = 0;
  int radius = 0;  // image height / 2
  ZOV::ST_INPUT* input = nullptr;
  bool drawBox = true;
};

class BUTTONACT : public JBUTTONMAP4 {
 public:
  BUTTONACT(const char* file, void (*action)());
  BUTTONACT(const char* file, void (*action)(void*), void* argument);
  // The action is called with the button itself; `id` tells the buttons
  // that share one action apart.
  BUTTONACT(const char* file, void (*action)(void*), int id);

  // 1 for a click, after the plain action and then the one with argument.
  int Update(int, float) override;
  int Render(int) override;
  // The tooltip box and text above the button, while the tip is shown.
  void RenderTip();
  void SetOver(ZOV::ST_A* sound) { hoverSound = sound; }
  // Plays the hover sound (when set) and notes that it played.
  void Shershe();
  void NoShershe() { hoverPlayed = false; }

  int id = 0;
  ZOV::ST_A* hoverSound = nullptr;
  ZOV::JFONT* tipFont = nullptr;
  bool hoverPlayed = false;
  void (*action)() = nullptr;
  void (*actionArg)(void*) = nullptr;
  void* argument = nullptr;
  float tipTimer = 0.0f;
  std::string tipText;  // UTF-8, drawn plain
  bool tipShown = false;
  uint32_t tipBoxColor = 0x88000000u;
  uint32_t tipBorderColor = 0xFFFFCC00u;
  // Written by owners (the main font colour); the tip text is drawn in the
  // tip font's current colour.
  uint32_t tipTextColor = 0xFF000000u;

 private:
  void ResetTip();
};
