#include "GAME/shell/frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/window_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "platform/sys.h"

namespace {

constexpr int kRandomMinLowest = 3;
constexpr int kRandomMinHighest = 12;
// The widest completion badge's text.
constexpr const char* kWidestPercent = "100 %";

int TextWidth(const char* text) { return comix ? comix->GetStringLenght(text) : 0; }
int TextHeight(const char* text) { return comix ? comix->GetStringHeight(text) : 0; }
std::string Decimal(int v) { return std::to_string(v); }

// Places `s` sized w x h with the hot spot `anchor` at (x, y) and draws it.
void DrawBox(JSPRITE* s, int w, int h, int anchor, int x, int y) {
  if (!s) return;
  s->SetSizePix(w, h);
  s->CalculateHotSpot(anchor);
  s->SetPos(x, y);
  s->Render(0);
}

}  // namespace

// ---- FRAME_INFO

FRAME_INFO::FRAME_INFO(int c, int p, bool r) : percent(p), count(c), rot(r) {
  boxH = TextHeight("9990") + 8;
  boxW = TextWidth("9990") + 25;
  percentW = percent >= 0 ? TextWidth(kWidestPercent) + 10 : 0;
}

void FRAME_INFO::SetPercent(int p) {
  percent = p;
  // Wide enough for the widest percent shown.
  if (percent >= 0) percentW = TextWidth(kWidestPercent) + 10;
}

void FRAME_INFO::Reset() {
  const std::string text = Decimal(count);
  boxH = TextHeight(text.c_str()) + 8;
  boxW = TextWidth(text.c_str()) + 30;
  percentW = percent >= 0 ? TextWidth(kWidestPercent) + 10 : 0;
}

void FRAME_INFO::Render(JBUTTON* b) {
  const FRAME* f = dynamic_cast<const FRAME*>(b);
  const float w = f ? float(f->DrawnW()) : float(b->quad.v[3].x - b->quad.v[0].x);
  const float h = f ? float(f->DrawnH()) : float(b->quad.v[1].y - b->quad.v[0].y);
  const float ax = b->position.x + w / 2.0f + 10.0f;
  const float ay = b->position.y + h / 2.0f + 48.0f;
  const int x = int(ax), y = int(ay);
  DrawBox(sprInfoBack, boxW, boxH, ZOV::JENUM::HOT_BOTTOM_RIGHT, x, y);
  DrawBox(rot ? sprRotPzl : sprNotRotPzl, boxH, boxH, ZOV::JENUM::HOT_BOTTOM_RIGHT, x, y);
  if (comix) {
    // Light on the dark box, the font's main colour put back.
    comix->SetColor(int(GAME::kTextOnDarkBox));
    comix->alignment = ZOV::JENUM::HOT_BOTTOM_RIGHT;
    comix->Render(int(ax - float(boxH) - 5.0f), int(ay - 5.0f), "%i", count);
    comix->SetColor(C_FONT_MAIN_COLOR);
  }
  if (percent < 0) return;
  // The completion badge inside the thumbnail's top right corner, its text
  // light on the dark box.
  const float top = b->position.y - h / 2.0f;
  const int right = int(b->position.x + w / 2.0f - float(kBadgeInset)), badgeTop = int(top + float(kBadgeInset));
  DrawBox(sprInfoBack, percentW, boxH, ZOV::JENUM::HOT_TOP_RIGHT, right, badgeTop);
  if (comix) {
    comix->SetColor(int(GAME::kTextOnDarkBox));
    comix->alignment = ZOV::JENUM::HOT_TOP_RIGHT;
    comix->Render(right - 5, badgeTop + 5, "%i %%", percent);
    comix->SetColor(C_FONT_MAIN_COLOR);
  }
}

// ---- FRAME

FRAME::FRAME(const char* thumbnail, int amount, bool r) : JBUTTON(thumbnail), thumbName(thumbnail ? thumbnail : "") {
  CompressTexture();
  ZOV::ST_RANDOM& random = ZOV::GetGame()->random;
  angle = random.GetRandomF(-C_BOOKMAXFRAMEROTATION, C_BOOKMAXFRAMEROTATION, 0);
  int shown = amount;
  min = amount != 0 ? GetMinFromCount(amount) : 0;
  if (min < 1) {
    if (amount != 0)
      plat::PrintLine("Picture " + thumbName.substr(0, 200) + ": " + std::to_string(amount) +
                      " pieces cannot be cut, a random count is used");
    min = random.GetRandomI(kRandomMinLowest, kRandomMinHighest, 0);
    shown = GetCountFromMin(min);
  }
  rot = r;
  info = std::make_unique<FRAME_INFO>(shown, -1, rot);
}

FRAME::FRAME(const char* thumbnail, bool r, int m) : JBUTTON(thumbnail), thumbName(thumbnail ? thumbnail : "") {
  CompressTexture();
  angle = ZOV::GetGame()->random.GetRandomF(-C_BOOKMAXFRAMEROTATION, C_BOOKMAXFRAMEROTATION, 0);
  min = m;
  rot = r;
  info = std::make_unique<FRAME_INFO>(GetCountFromMin(min), -1, rot);
}

FRAME::~FRAME() = default;

float FRAME::Ratio() const {
  const int w = GetMyTexWidth(1), h = GetMyTexHeight(1);
  const int lo = std::min(w, h), hi = std::max(w, h);
  if (lo <= 0) return 1.0f;
  return float(hi) / float(lo);
}

int FRAME::GetCountFromMin(int m) const {
  const float r = Ratio();
  return int(float(m) * r + 0.5f) * m;
}

int FRAME::GetMinFromCount(int c) const {
  if (c < 0) return 0;
  // In float, as the catalogue's counts were chosen with it: 12 pieces of a
  // 4:3 picture are 3 along the shorter side (double gives 2.9999 -> 2).
  const float r = Ratio();
  const float root = std::sqrt(4.0f * r * float(c));
  const float mf = root / (2.0f * r);
  const int m = int(mf);
  if (m < 1) return 0;
  return std::min(m, c / m);
}

void FRAME::RenderHint(bool) {
  if (info) info->Render(this);
}

int FRAME::DrawnW() const { return int(quad.v[3].x - quad.v[0].x); }
int FRAME::DrawnH() const { return int(quad.v[1].y - quad.v[0].y); }
