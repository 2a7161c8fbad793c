// JEDITTEXT: the older 8-bit variant of the one-line entry field (see
// JTEXTBOX in ST/textbox.h), one row object per character. Same geometry,
// blink, click placement, keys and results as JTEXTBOX, except:
//  - characters are the input state's last 8-bit character (GetLastChar);
//    only '.', '%', '\'' and control bytes are refused, the space is kept;
//  - capacity is 10 characters, or trunc(width / cell - 1) when that is
//    smaller; typing into a full field answers 0; SetWidth does not change
//    the capacity;
//  - the caret placement, the arrows and insertion act only while the field
//    is at least one cell high;
//  - GetString keeps the string it builds (untrimmed); the next call
//    replaces it.
// The game itself enters names with JTEXTBOX.
#pragma once

#include <string>
#include <vector>

#include "ST/object.h"

class JSPRITE;

namespace ZOV {
class JFONT;
class ST_INPUT;
}  // namespace ZOV

class JEDITTEXT : public JST::ST {
 public:
  // One character.
  struct ELEMENT {
    ELEMENT(ZOV::JFONT* f, char c) : font(f), text(1, c) {}
    ZOV::JFONT* font;
    std::string text;
  };
  // The caret: drawn as "|" in the font.
  struct INSERTION {
    void Render(int x, int y);
    ZOV::JFONT* font = nullptr;
    bool visible = true;
    int position = 0;
    float blink = 0.0f;
  };

  JEDITTEXT(const char* image, ZOV::JFONT* font);
  ~JEDITTEXT() override;
  JEDITTEXT(const JEDITTEXT&) = delete;
  JEDITTEXT& operator=(const JEDITTEXT&) = delete;

  // 0 nothing (or a full field), 1 a character event consumed, 2 Backspace,
  // 3 Delete.
  int Update(int, float) override;
  int Render(int) override;

  int SetPos(float px, float py);
  int SetWidth(int w);
  int SetHeigth(int h);
  // Inserts c before pos; 1 when the field is full, else 0.
  int AddElement(char c, int pos);
  int DelElement(bool back);
  int DelAllElement();
  // The characters as a string kept by the field (valid until the next call
  // or the field's end); "" when empty.
  const char* GetString();

  static bool Accepts(unsigned char c);
  int Length() const { return count; }

  float x = 0.0f, y = 0.0f;
  float width = 200.0f;
  float height = 50.0f;
  int maxChars = 10;
  bool focused = true;
  int cell = 0;
  int margin = 20;
  int count = 0;
  std::vector<ELEMENT*> chars;
  std::string built;
  ZOV::ST_INPUT* input = nullptr;
  JSPRITE* background = nullptr;
  ZOV::JFONT* font = nullptr;
  INSERTION caret;

 private:
  bool TallEnough() const { return height >= float(cell); }
  void PlaceCaretByMouse();
};
