#include "GAME/board/trophy_icon.h"

#include <algorithm>
#include <vector>

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"

namespace {

// The text split at its line feeds.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '\n')
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

}  // namespace

TROFEI::TROFEI(const char* image, int placement, ZOV::ST_GAME* game)
    : JSPRITE(image, 0),
      game_(game != nullptr ? game : ZOV::GetGame()),
      image_(image != nullptr ? image : ""),
      box_(kBoxColour),
      border_(kBorderColour),
      text_(kTextColour),
      placement_(placement) {}

TROFEI::~TROFEI() = default;

void TROFEI::Update() {
  timer_ += game_->GetDt();
  if (timer_ >= kFadeSeconds) timer_ = kFadeSeconds;
  if (!hint.empty() && font != nullptr) {
    // The picture's own quad, not scaled, centred on the position.
    const float w = quad.v[3].x - quad.v[0].x, h = quad.v[1].y - quad.v[0].y;
    if (game_->GetInput()->IsMouseInFrame(int(position.x - w / 2.0f), int(position.y - h / 2.0f), int(w), int(h))) {
      hover_ = true;
    } else {
      hover_ = false;
      timer_ = 0.0f;
    }
  }
  const float shown = timer_ / kFadeSeconds;
  box_.a = shown * 0.5f;
  border_.a = shown * 0.5f;
  text_.a = shown;
}

void TROFEI::Render() { JSPRITE::Render(0); }

void TROFEI::RenderHint() {
  if (!hover_ || font == nullptr) return;
  const std::string text = GAME::cfg::FormatText(hint.c_str());
  const std::vector<std::string> lines = Lines(text);
  int len = 0;
  for (const std::string& line : lines) len = std::max(len, font->GetStringLenght(line.c_str()));
  // The font's line pitch: the lines of one text stand this far apart.
  const float sy = font->page != nullptr ? font->page->scale.y : 1.0f;
  const int pitch = int(float(font->lineHeight) * sy);
  // The text block: its lines one pitch apart, inside the box by the
  // padding on every side.
  const int textH = pitch * int(lines.size());
  int textX = 0, top = 0;
  if (placement_ == kHintBelowCentre) {
    textX = game_->middle.x;
    top = game_->middle.y + 180;
  } else {
    const float h = quad.v[1].y - quad.v[0].y;
    const float e = position.y + h * scale.y / 2.0f;
    textX = int(position.x);
    top = int(e - float(font->lineHeight) * 1.2f / 2.0f);
  }
  // rect_ is the box without its 5 extra pixels a side. A line's glyphs
  // end past its measured length by the font's negative letter spacing.
  const int overhang = std::max(0, -font->spacing);
  rect_.left = textX - len / 2 - kHintPadX + 5;
  rect_.right = textX + len / 2 + overhang + kHintPadX - 5;
  rect_.top = top;
  rect_.bottom = top + kHintPadY + textH + kHintPadY;
  if (placement_ != kHintBelowCentre && boundsSet_) {
    // The box spans left - 5 .. right + 5.
    int shift = 0;
    if (rect_.right + 5 > maxX_) shift = maxX_ - (rect_.right + 5);
    if (rect_.left - 5 + shift < minX_) shift = minX_ - (rect_.left - 5);
    rect_.left += shift;
    rect_.right += shift;
    textX += shift;
  }
  // A centred line is drawn from half a line above its y.
  const int textY = top + kHintPadY + int(float(font->lineHeight) * 0.5f * sy);
  game_->GetGfx()->RenderBox(float(rect_.left - 5), float(rect_.top), float(rect_.right + 5), float(rect_.bottom),
                             border_.ToARGB(), box_.ToARGB());
  const int saved = font->GetColor();
  font->SetColor(int(text_.ToARGB()));
  for (size_t i = 0; i < lines.size(); ++i) {
    font->alignment = ZOV::JENUM::HOT_CENTER;
    // Already formatted: drawn as it stands.
    font->Rende(textX, textY + pitch * int(i), lines[i].c_str());
  }
  font->SetColor(saved);
  if (placement_ == kHintBelowCentre) font->SetDefaultHeight();
}
