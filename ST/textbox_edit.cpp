#include "ST/textbox_edit.h"

#include "ST/caret.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/sprite.h"

namespace {

constexpr int kVkBackspace = 8;
constexpr int kVkLeft = 37;
constexpr int kVkRight = 39;
constexpr int kVkDelete = 46;

}  // namespace

void JEDITTEXT::INSERTION::Render(int px, int py) {
  if (font && visible) font->Rende(px, py, "|");
}

JEDITTEXT::JEDITTEXT(const char* image, ZOV::JFONT* f) : font(f) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  input = game->GetInput();
  x = float(game->middle.x);
  y = float(game->middle.y);
  cell = font ? int(font->GetSize() * float(font->lineHeight)) : 0;
  if (cell > 0) {
    const int n = int(width / float(cell) - 1.0f);
    maxChars = n > 9 ? 10 : (n > 0 ? n : 0);
    height = float(cell) * 1.7f;
  }
  caret.font = font;
  background = new JSPRITE(image, 0);
  background->SetHotSpot(0, 0);
  background->SetPos(int(x), int(y));
  background->SetSizePix(int(width), int(height));
}

JEDITTEXT::~JEDITTEXT() {
  DelAllElement();
  delete background;
}

bool JEDITTEXT::Accepts(unsigned char c) { return c >= 0x20 && c != 0x7F && c != '.' && c != '%' && c != '\''; }

int JEDITTEXT::SetPos(float px, float py) {
  x = px;
  y = py;
  background->SetPos(int(x), int(y));
  return 0;
}

int JEDITTEXT::SetWidth(int w) {
  width = float(w);
  background->SetSizePix(w, int(height));
  return 0;
}

int JEDITTEXT::SetHeigth(int h) {
  height = float(h);
  background->SetSizePix(int(width), h);
  return 0;
}

int JEDITTEXT::AddElement(char c, int pos) {
  if (count >= maxChars) return 1;
  if (pos < 0) pos = 0;
  if (pos > count) pos = count;
  chars.insert(chars.begin() + pos, new ELEMENT(font, c));
  count = int(chars.size());
  return 0;
}

int JEDITTEXT::DelElement(bool back) {
  if (caret.position > count) caret.position = count;
  int at = caret.position;
  if (back) {
    if (at <= 0) return 1;
    --at;
    --caret.position;
  } else if (at >= count) {
    return 1;
  }
  delete chars[size_t(at)];
  chars.erase(chars.begin() + at);
  count = int(chars.size());
  return 0;
}

int JEDITTEXT::DelAllElement() {
  for (ELEMENT* e : chars) delete e;
  chars.clear();
  count = 0;
  caret.position = 0;
  return 0;
}

const char* JEDITTEXT::GetString() {
  built.clear();
  for (const ELEMENT* e : chars) built += e->text;
  return built.c_str();
}

void JEDITTEXT::PlaceCaretByMouse() {
  const int fx = int(x), fy = int(y), fw = int(width), fh = int(height);
  if (!input->IsMouseInFrame(fx, fy, fw, fh)) {
    focused = false;
    return;
  }
  focused = true;
  if (!TallEnough()) return;
  caret.position = ZOV::CaretPositionAtMouse(*input, x, y, fw, fh, margin, cell, count, caret.position);
}

int JEDITTEXT::Update(int, float) {
  caret.visible = ZOV::AdvanceCaretBlink(caret.blink, ZOV::GetGame()->GetDt());
  if (!input) return 0;
  if (input->Lkm() != 0) PlaceCaretByMouse();
  if (!focused) return 0;
  if (caret.position > count) caret.position = count;
  if (TallEnough()) {
    if (input->Key(kVkRight) == 1 && caret.position < count) ++caret.position;
    if (input->Key(kVkLeft) == 1 && caret.position > 0) --caret.position;
  }
  if (input->Key(kVkBackspace) == 1) {
    DelElement(true);
    return 2;
  }
  if (input->Key(kVkDelete) == 1) {
    DelElement(false);
    return 3;
  }
  if (!input->Event()) return 0;
  if (count >= maxChars) return 0;
  const unsigned char c = input->GetLastChar();
  if (!Accepts(c)) return 1;
  if (TallEnough()) {
    AddElement(char(c), caret.position);
    ++caret.position;
  }
  return 1;
}

int JEDITTEXT::Render(int) {
  background->Render(0);
  if (!font) return 0;
  const int top = int(y + (height - float(cell)) / 2.0f);
  for (int i = 0; i < count; ++i)
    font->RenderLetter(static_cast<unsigned char>(chars[size_t(i)]->text[0]), int(x + float(margin + cell * i)), top);
  if (focused) caret.Render(int(x + float(cell * caret.position + margin)), top);
  return 0;
}
