#include "GAME/shell/tile_map_9.h"

#include "ST/draw_types.h"
#include "ST/sprite.h"

namespace GAME {

namespace {

// The slot of a tile code in row order, -1 for anything else.
int Slot(int code) {
  const int row = code / 10, col = code % 10;
  if (code < 11 || row > 3 || col < 1 || col > 3) return -1;
  return (row - 1) * 3 + (col - 1);
}

float W(const JSPRITE& s) { return s.quad.v[3].x - s.quad.v[0].x; }
float H(const JSPRITE& s) { return s.quad.v[1].y - s.quad.v[0].y; }

// The tile gets the size w x h, its hot spot at the centre and its image
// repeated over the size.
void Stretch(JSPRITE& s, int w, int h) {
  s.SetSizePix(w, h);
  s.CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  s.StreckenTexelz();
}

constexpr int kDrawOrder[9] = {31, 32, 33, 11, 12, 13, 21, 22, 23};
constexpr int kCodes[9] = {11, 12, 13, 21, 22, 23, 31, 32, 33};

}  // namespace

JTILE_MAP_9::JTILE_MAP_9(const char* t11, const char* t12, const char* t13, const char* t21, const char* t22,
                         const char* t23, const char* t31, const char* t32, const char* t33) {
  const char* names[9] = {t11, t12, t13, t21, t22, t23, t31, t32, t33};
  for (int i = 0; i < 9; ++i) tiles_[i] = std::make_unique<JSPRITE>(names[i] ? names[i] : "", 0);
}

JTILE_MAP_9::~JTILE_MAP_9() = default;

JSPRITE* JTILE_MAP_9::Tile(int code) const {
  const int slot = Slot(code);
  return slot < 0 ? nullptr : tiles_[slot].get();
}

int JTILE_MAP_9::Render(int) {
  for (int code : kDrawOrder) {
    JSPRITE& t = T(code);
    if (t.GetTexture() != 0) t.Render(0);
  }
  return 0;
}

void JTILE_MAP_9::SetColor(int argb) {
  color_ = argb;
  for (auto& t : tiles_) t->SetColor(argb);
}

void JTILE_MAP_9::DisableSprite(int code) {
  if (JSPRITE* t = Tile(code)) t->Release();
}

void JTILE_MAP_9::SetPos(int x, int y) {
  position = JST::fPOINT(float(x), float(y));
  JSPRITE &c = T(22), &tl = T(11), &tr = T(13), &bl = T(31), &br = T(33);
  c.SetPos(x, y);
  const int a = int(W(c) / 2.0f), b = int(H(c) / 2.0f);
  tl.SetPos(x - int(W(tl) / 2.0f + float(a)), y - int(H(tl) / 2.0f + float(b)));
  T(12).SetPos(x, int(tl.position.y));
  tr.SetPos(x + int(W(tr) / 2.0f + float(a)), int(tl.position.y));
  T(21).SetPos(int(tl.position.x), y);
  T(23).SetPos(int(tr.position.x), y);
  const int f = int(H(bl) / 2.0f + float(b));
  bl.SetPos(int(tl.position.x), y + f);
  T(32).SetPos(x, y + f);
  br.SetPos(int(T(23).position.x), y + f);

  // Centre the outer box on (x, y): corners of different sizes would
  // otherwise leave it off centre.
  const int L = int(tl.position.x - W(tl) / 2.0f), Tp = int(tl.position.y - H(tl) / 2.0f);
  const int R = int(br.position.x + W(br) / 2.0f), B = int(br.position.y + H(br) / 2.0f);
  const int mx = (L + R) / 2, my = (Tp + B) / 2;
  const int dx = int(c.position.x - float(mx)), dy = int(c.position.y - float(my));
  for (auto& t : tiles_) t->Move(dx, dy);
}

void JTILE_MAP_9::Resize(int x1, int y1, int x2, int y2) {
  JSPRITE &c = T(22), &tl = T(11), &tr = T(13), &bl = T(31), &br = T(33);
  br.SetPos(int(float(x2) - W(br) / 2.0f), int(float(y2) - H(br) / 2.0f));
  tr.SetPos(int(br.position.x), int(tl.position.y));
  bl.SetPos(int(tl.position.x), int(br.position.y));

  float iw = float(x2) - W(tr) - (float(x1) + W(tl));
  float ih = float(y2) - H(bl) - (float(y1) + H(tl));
  // A box smaller than its corners leaves the inner tiles empty rather than
  // turned inside out.
  if (iw < 0.0f) iw = 0.0f;
  if (ih < 0.0f) ih = 0.0f;

  Stretch(c, int(iw), int(ih));
  c.position = JST::fPOINT((float(x2) - W(tr) + float(x1) + W(tl)) / 2.0f,
                           (float(y2) - H(bl) + float(y1) + H(tl)) / 2.0f);
  Stretch(T(12), int(iw), int(H(T(12))));
  Stretch(T(32), int(iw), int(H(T(32))));
  Stretch(T(21), int(W(T(21))), int(ih));
  Stretch(T(23), int(W(T(23))), int(ih));
  T(12).SetPos(int(position.x), int(tl.position.y));
  T(21).SetPos(int(tl.position.x), int(position.y));
  T(23).SetPos(int(br.position.x), int(position.y));
  T(32).SetPos(int(position.x), int(bl.position.y));
  for (int code : kCodes)
    if (code != 22) T(code).CompressTexture();
}

void JTILE_MAP_9::SetSizePix(int w, int h) {
  const JSPRITE &tl = T(11), &br = T(33);
  if (W(tl) + W(br) > float(w)) w = int(W(tl) + W(br));
  if (H(tl) + H(br) > float(h)) h = int(H(tl) + H(br));
  const int x1 = int(tl.position.x - W(tl) / 2.0f), y1 = int(tl.position.y - H(tl) / 2.0f);
  Resize(x1, y1, x1 + w, y1 + h);
  SetPos(int(position.x), int(position.y));
}

void JTILE_MAP_9::ResizePix(int dw, int dh) {
  const JSPRITE &tl = T(11), &br = T(33);
  const int x1 = int(tl.position.x - W(tl) / 2.0f), y1 = int(tl.position.y - H(tl) / 2.0f);
  const float r = br.position.x + W(br) / 2.0f, b = br.position.y + H(br) / 2.0f;
  int x2 = int(r + float(dw)), y2 = int(b + float(dh));
  // Never smaller than two opposite corners, as SetSizePix holds it.
  if (float(x2 - x1) < W(tl) + W(br)) x2 = x1 + int(W(tl) + W(br));
  if (float(y2 - y1) < H(tl) + H(br)) y2 = y1 + int(H(tl) + H(br));
  Resize(x1, y1, x2, y2);
  SetPos(int(position.x), int(position.y));
}

}  // namespace GAME
