// JTEXTBOX: a one-line entry field for wide characters, in which a player
// types a new player's name (the name dialog holds one). It draws a
// background image, the characters in fixed-width cells and a blinking
// caret; the mouse focuses it and places the caret; Left, Right, Backspace
// and Delete edit; typed characters are inserted at the caret.
//
// What a name may hold is decided character by character by the refusal
// rule the game sets once at start (SetRefusalRule): the characters it
// refuses are dropped from whatever a key typed. Surrogates and code points
// past U+10FFFF are always dropped; until a rule is set, so is every control
// character. The field never holds more than its capacity,
// trunc(width / cell - 1) characters.
//
// Geometry: (x, y) is the field's top-left corner; character i is drawn in
// the cell at x + margin + cell x i, whatever its glyph's width, with cell =
// the font's line height at its size. The font is lent.
#pragma once

#include <string>

#include "ST/object.h"

class JSPRITE;

namespace ZOV {
class JFONT;
class ST_INPUT;
}  // namespace ZOV

class JTEXTBOX : public JST::ST {
 public:
  struct INSERT_CURSOR {
    bool visible = true;
    int position = 0;  // characters before the caret
    float blink = 0.0f;
  };

  // `image` is the background, drawn from its top-left corner.
  JTEXTBOX(const char* image, ZOV::JFONT* font);
  ~JTEXTBOX() override;
  JTEXTBOX(const JTEXTBOX&) = delete;
  JTEXTBOX& operator=(const JTEXTBOX&) = delete;

  // 0 nothing, 1 a character event was consumed (inserted or refused),
  // 2 Backspace, 3 Delete.
  int Update(int, float) override;
  // Background, characters and caret; 0.
  int Render(int) override;

  int SetPos(float px, float py);
  // Width, background and capacity.
  int SetWidth(int w);
  int SetHeigth(int h);
  // Inserts the first usable character of `s` before `pos`; 1 when the
  // field is full or `s` holds no usable character, else 0.
  int AddElement(const std::wstring& s, int pos);
  // Appends the usable characters of `s`, as many as still fit; 1 when the
  // field is full or `s` holds no usable character, else 0.
  int AddElementBack(const std::wstring& s);
  // Backspace (back) removes the character before the caret, Delete the one
  // after it; 1 when there is none, else 0.
  int DelElement(bool back);
  int DelAllElement();
  static void TrimEndSpaces(std::wstring& s);
  // The text in UTF-8, in a new char[] the caller delete[]s; null when it
  // is empty (trailing spaces are trimmed from the field first).
  char* GetString();

  // The rule that refuses a character a field may not hold; set once by the
  // game before its first field is made (main thread). Null puts back the
  // default, which refuses the control characters only.
  using RefusalRule = bool (*)(char32_t);
  static void SetRefusalRule(RefusalRule rule);

  // Whether the field keeps `c`.
  static bool Accepts(wchar_t c);
  // `s` without the characters the field does not keep.
  static std::wstring Usable(const std::wstring& s);

  const std::wstring& Text() const { return text; }
  int Length() const { return int(text.size()); }

  float x = 0.0f, y = 0.0f;
  float width = 200.0f;
  float height = 50.0f;
  int maxChars = 15;
  bool focused = true;
  int cell = 0;
  int margin = 20;
  std::wstring lastTyped;
  std::wstring text;
  ZOV::ST_INPUT* input = nullptr;
  JSPRITE* background = nullptr;
  ZOV::JFONT* font = nullptr;
  INSERT_CURSOR caret;

 private:
  void PlaceCaretByMouse();
  int CapacityFor(int w) const;
};
