#include "ST/textbox.h"

#include <pugixml.hpp>

#include <cstring>
#include <string>

#include "ST/caret.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/sprite.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace {

bool IsControlChar(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

JTEXTBOX::RefusalRule gRefused = &IsControlChar;

}  // namespace

void JTEXTBOX::SetRefusalRule(RefusalRule rule) { gRefused = rule ? rule : &IsControlChar; }

JTEXTBOX::JTEXTBOX(const char* image, ZOV::JFONT* f) : font(f) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  input = game->GetInput();
  x = float(game->middle.x);
  y = float(game->middle.y);
  width = 200.0f;
  height = 50.0f;
  maxChars = 15;
  margin = 20;
  cell = font ? int(font->GetSize() * float(font->lineHeight)) : 0;
  focused = true;
  // Without a usable font there are no cells to measure by: the initial
  // capacity and height stand.
  if (cell > 0) {
    maxChars = CapacityFor(int(width));
    height = float(cell) * 1.7f;
  }
  background = new JSPRITE(image, 0);
  background->SetHotSpot(0, 0);
  background->SetPos(int(x), int(y));
  background->SetSizePix(int(width), int(height));
}

JTEXTBOX::~JTEXTBOX() { delete background; }

int JTEXTBOX::CapacityFor(int w) const {
  if (cell <= 0) return maxChars;
  const int n = int(float(w) / float(cell) - 1.0f);
  return n > 0 ? n : 0;
}

bool JTEXTBOX::Accepts(wchar_t c) {
  const auto code = static_cast<unsigned long>(c);
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  return !gRefused(char32_t(code));
}

std::wstring JTEXTBOX::Usable(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s)
    if (Accepts(c)) out.push_back(c);
  return out;
}

int JTEXTBOX::SetPos(float px, float py) {
  x = px;
  y = py;
  background->SetPos(int(x), int(y));
  return 0;
}

int JTEXTBOX::SetWidth(int w) {
  width = float(w);
  background->SetSizePix(w, int(height));
  maxChars = CapacityFor(w);
  return 0;
}

int JTEXTBOX::SetHeigth(int h) {
  height = float(h);
  background->SetSizePix(int(width), h);
  return 0;
}

int JTEXTBOX::AddElement(const std::wstring& s, int pos) {
  if (Length() >= maxChars) return 1;
  const std::wstring usable = Usable(s);
  if (usable.empty()) return 1;
  if (pos < 0) pos = 0;
  if (pos > Length()) pos = Length();
  text.insert(size_t(pos), 1, usable[0]);
  return 0;
}

int JTEXTBOX::AddElementBack(const std::wstring& s) {
  if (Length() >= maxChars) return 1;
  const std::wstring usable = Usable(s);
  if (usable.empty()) return 1;
  text.append(usable, 0, size_t(maxChars - Length()));
  return 0;
}

int JTEXTBOX::DelElement(bool back) {
  if (caret.position > Length()) caret.position = Length();
  if (back) {
    if (caret.position <= 0) return 1;
    text.erase(size_t(caret.position - 1), 1);
    --caret.position;
    return 0;
  }
  if (caret.position >= Length()) return 1;
  text.erase(size_t(caret.position), 1);
  return 0;
}

int JTEXTBOX::DelAllElement() {
  caret.position = 0;
  text.clear();
  return 0;
}

void JTEXTBOX::TrimEndSpaces(std::wstring& s) {
  while (!s.empty() && s.back() == L' ') s.pop_back();
}

char* JTEXTBOX::GetString() {
  TrimEndSpaces(text);
  if (caret.position > Length()) caret.position = Length();
  if (text.empty()) return nullptr;
  const std::string utf8 = pugi::as_utf8(text);
  char* out = new char[utf8.size() + 1];
  std::memcpy(out, utf8.c_str(), utf8.size() + 1);
  return out;
}

void JTEXTBOX::PlaceCaretByMouse() {
  const int fx = int(x), fy = int(y), fw = int(width), fh = int(height);
  if (!input->IsMouseInFrame(fx, fy, fw, fh)) {
    focused = false;
    return;
  }
  focused = true;
  caret.position = ZOV::CaretPositionAtMouse(*input, x, y, fw, fh, margin, cell, Length(), caret.position);
}

int JTEXTBOX::Update(int, float) {
  caret.visible = ZOV::AdvanceCaretBlink(caret.blink, ZOV::GetGame()->GetDt());
  if (!input) return 0;
  if (input->Lkm() != 0) PlaceCaretByMouse();
  if (!focused) return 0;

  if (caret.position > Length()) caret.position = Length();
  if (input->Key(plat::VK_RIGHT) == 1 && caret.position < Length()) ++caret.position;
  if (input->Key(plat::VK_LEFT) == 1 && caret.position > 0) --caret.position;

  if (input->Key(plat::VK_BACK) == 1) {
    DelElement(true);
    lastTyped.clear();
    return 2;
  }
  if (input->Key(plat::VK_DELETE) == 1) {
    DelElement(false);
    lastTyped.clear();
    return 3;
  }
  if (!input->Event()) return 0;

  if (Length() >= maxChars) return 1;
  const wchar_t* typed = input->TypedText();
  lastTyped.assign(typed, wcsnlen(typed, ZOV::ST_INPUT::kTypedCapacity));
  if (Usable(lastTyped).empty()) return 1;
  plat::PrintLine("maxEl= " + std::to_string(maxChars));
  if (caret.position == Length())
    AddElementBack(lastTyped);
  else
    AddElement(lastTyped, caret.position);
  ++caret.position;
  if (caret.position > Length()) caret.position = Length();
  return 1;
}

int JTEXTBOX::Render(int) {
  background->Render(0);
  if (!font) return 0;
  const int top = int(y + (height - float(cell)) / 2.0f);
  for (int i = 0; i < Length(); ++i) font->RenderLetter(int(text[size_t(i)]), int(x + float(margin + cell * i)), top);
  if (focused && caret.visible) font->Rende(int(x + float(cell * caret.position + margin)), top, L"|");
  return 0;
}
