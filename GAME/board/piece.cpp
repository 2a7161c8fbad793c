#include "GAME/board/piece.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ST/draw_types.h"
#include "ST/random.h"
#include "ST/renderer.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace GAME {

namespace {

constexpr float kQuarterTurn = 1.5708f;
constexpr float kInitQuarterTurn = 1.570796325f;
constexpr float kTurnDone = 1.570796f;
constexpr float kTurnSpeed = 9.0f;    // quarter turns per second
constexpr float kShadowSpeed = 2.0f;  // full lifts per second

int Trunc(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return 2147483647;
  if (v <= -2147483648.0f) return -2147483647 - 1;
  return int(v);
}

void TurnOutline(ZOV::JINCUTVECTOR* head, float c, float s) {
  if (!head) return;
  for (ZOV::JINCUTVECTOR* p = head->next; p; p = p->next) {
    const float x = p->x, y = p->y;
    p->x = x * c - y * s;
    p->y = y * c + x * s;
  }
}

// One exact quarter turn clockwise on screen: (x, y) -> (-y, x).
void QuarterTurnOutline(ZOV::JINCUTVECTOR* head) {
  if (!head) return;
  for (ZOV::JINCUTVECTOR* p = head->next; p; p = p->next) {
    const float x = p->x;
    p->x = -p->y;
    p->y = x;
  }
}

}  // namespace

PUZZLE_PIECES::~PUZZLE_PIECES() {
  delete sprite;
  delete outline;
}

void PUZZLE_PIECES::InitPiece(PIECE_OPT opt, ZOV::ST_RANDOM& rng) {
  delete sprite;
  sprite = nullptr;
  if (opt.texture != 0) {
    sprite = new JSPRITE(opt.texture);
    // The quad takes the size of this texture, whatever texture the
    // renderer touched last.
    const JST::iPOINT sz = sprite->gfx ? sprite->gfx->GetTextureWH(opt.texture) : JST::iPOINT(0, 0);
    if (sz.x > 0 && sz.y > 0) {
      sprite->imageSize = sz;
      sprite->texSize = sz;
      sprite->SetSizePix(sz.x, sz.y);
      // The texel the cut put the cell centre on (the middle one, or the
      // one after the middle for an even size), so a piece drawn at its
      // home place lies exactly on its part of the picture and on its
      // outline.
      sprite->SetHotSpot(sz.x - sz.x / 2, sz.y - sz.y / 2);
    }
    // The whole texture, texel for texel: a piece image is transparent all
    // round, so nothing bleeds in from the opposite edge, and neighbours
    // drawn at their home places meet exactly.
    sprite->SetTexelCoord(0.0f, 0.0f, 1.0f, 1.0f);
  }
  pos = JST::fPOINT(float(opt.start.x), float(opt.start.y));

  destination = opt.scatter;
  const float k = rng.GetRandomF(0.5f, 0.8f, 0);
  velocity = JST::iPOINT(Trunc((float(destination.x) - pos.x) * k), Trunc((float(destination.y) - pos.y) * k));

  row = opt.cell.y;
  column = opt.cell.x;
  cellW = opt.cellSize.x;
  cellH = opt.cellSize.y;
  edge = opt.edge;
  shadowLevel = 0.0f;
  group = 0;
  turnProgress = 0.0f;
  hint = false;
  alpha = 1.0f;
  shadowDir = kShadowStill;
  selected = false;
  highlight = false;
  locked = false;
  inPocket = 0;
  pivot = JST::fPOINT(0.0f, 0.0f);

  rotation = opt.rotation;
  angle = float(rotation) * kInitQuarterTurn;
  TurnOutline(outline, std::cos(angle), std::sin(angle));
}

void PUZZLE_PIECES::SetPoints(ZOV::JINCUTVECTOR* o) {
  if (o == outline) return;
  delete outline;
  outline = o;
}

void PUZZLE_PIECES::Glide(float& p, int dest, int& v, float dt) {
  if (std::abs(int64_t(dest) - Trunc(p)) < kGlideStop) {
    v = 0;
    return;
  }
  const float before = float(dest) - p;
  p += float(v) * dt;
  const float after = float(dest) - p;
  if ((before > 0.0f && after < 0.0f) || (before < 0.0f && after > 0.0f)) {
    p = float(dest);
    v = 0;
  }
}

void PUZZLE_PIECES::Update(bool fading, float dt) {
  if (shadowDir == kShadowRising) {
    shadowLevel += kShadowSpeed * dt;
    if (shadowLevel > 1.0f) {
      shadowLevel = 1.0f;
      shadowDir = kShadowStill;
    }
  } else if (shadowDir == kShadowFalling) {
    shadowLevel -= kShadowSpeed * dt;
    if (shadowLevel < 0.0f) {
      shadowLevel = 0.0f;
      shadowDir = kShadowStill;
    }
  }
  if (turnProgress > 0.0f) {
    turnProgress += kTurnSpeed * dt;
    Rotation();
  }
  if (!edge && group == 0) alpha += fading ? -dt : dt;
  if (alpha < 0.0f) alpha = 0.0f;
  if (alpha > 1.0f) alpha = 1.0f;
  Glide(pos.x, destination.x, velocity.x, dt);
  Glide(pos.y, destination.y, velocity.y, dt);
}

void PUZZLE_PIECES::Move(float dx, float dy) {
  pos.x += dx;
  pos.y += dy;
  destination = JST::iPOINT(Trunc(float(destination.x) + dx), Trunc(float(destination.y) + dy));
  pivot.x += dx;
  pivot.y += dy;
  turnStart.x += dx;
  turnStart.y += dy;
}

void PUZZLE_PIECES::ChangeRot(float px, float py) {
  if (locked) return;
  pivot = JST::fPOINT(px, py);
  turnProgress = 0.001f;
  turnStart = pos;
  QuarterTurnOutline(outline);
}

void PUZZLE_PIECES::Rotation() {
  if (!(turnProgress > 0.0f)) return;
  const float a = turnProgress * kQuarterTurn;
  const float px = pivot.x, py = pivot.y, sx = turnStart.x, sy = turnStart.y;
  if (a >= kTurnDone) {
    rotation = (rotation + 1) % 4;
    angle = float(rotation) * kQuarterTurn;
    if (angle >= 6.28319f) angle = 0.0f;
    pos = JST::fPOINT(px - (sy - py), (sx - px) + py);
    turnProgress = 0.0f;
  } else {
    angle = a + float(rotation) * kQuarterTurn;
    const float c = std::cos(a), s = std::sin(a);
    pos = JST::fPOINT((sx - px) * c - (sy - py) * s + px, (sy - py) * c + (sx - px) * s + py);
  }
  destination = JST::iPOINT(Trunc(pos.x), Trunc(pos.y));
}

void PUZZLE_PIECES::RotationPoint() {
  plat::PrintLine("rottata= " + std::to_string(rotation));
  for (int i = 0; i < rotation; ++i) {
    plat::PrintLine("i= " + std::to_string(i));
    QuarterTurnOutline(outline);
  }
}

void PUZZLE_PIECES::SetDestPoint(JST::iPOINT p) {
  destination = p;
  velocity = JST::iPOINT(Trunc(float(p.x) - pos.x), Trunc(float(p.y) - pos.y));
}

void PUZZLE_PIECES::SetPos(int x, int y) {
  pos = JST::fPOINT(float(x), float(y));
  destination = JST::iPOINT(x, y);
  velocity = JST::iPOINT(0, 0);
}

void PUZZLE_PIECES::GetPos(float* x, float* y) const {
  if (x) *x = pos.x;
  if (y) *y = pos.y;
}

bool PUZZLE_PIECES::PieceInFrame(int x1, int y1, int x2, int y2) const {
  if (alpha != 1.0f) return false;
  const float lx = float(x1 < x2 ? x1 : x2), hx = float(x1 < x2 ? x2 : x1);
  const float ly = float(y1 < y2 ? y1 : y2), hy = float(y1 < y2 ? y2 : y1);
  return pos.x >= lx && pos.x <= hx && pos.y >= ly && pos.y <= hy;
}

uint32_t PUZZLE_PIECES::DrawColour() const {
  const float rg = selected ? 0.55f : 1.0f;
  return ZOV::JINCOLORRGBA(rg, rg, 1.0f, alpha).ToARGB();
}

uint32_t PUZZLE_PIECES::ShadowColour() const {
  return ZOV::JINCOLORRGBA(0.0f, 0.0f, 0.0f, (1.0f - shadowLevel) * 0.4f + 0.4f).ToARGB();
}

void PUZZLE_PIECES::DrawAt(float x, float y, uint32_t colour) {
  sprite->position = JST::fPOINT(x, y);
  sprite->angle = angle;
  sprite->SetBlendMode(ZOV::JENUM::BLEND_ALPHA);
  sprite->SetColor(int(colour));
  sprite->Render(0);
}

void PUZZLE_PIECES::Render(uint32_t clockMs) { Draw(pos.x, pos.y, clockMs, true); }

void PUZZLE_PIECES::Render(float x, float y, uint32_t clockMs) { Draw(x, y, clockMs, false); }

void PUZZLE_PIECES::Draw(float x, float y, uint32_t clockMs, bool lockedHasNoGlow) {
  if (!sprite) return;
  DrawAt(x, y, DrawColour());
  if (alpha < 1.0f) return;
  if (hint) RenderHelp(1.0f - std::sin(0.005f * float(clockMs)));
  else if (highlight && !(lockedHasNoGlow && locked)) RenderHelp(0.2f);
}

void PUZZLE_PIECES::RenderHelp(float k) {
  if (!sprite) return;
  sprite->SetBlendMode(ZOV::JENUM::BLEND_ADD_COLOR);
  sprite->SetColor(int(ZOV::JINCOLORRGBA(1.0f, 1.0f, 1.0f, 0.4f * k).ToARGB()));
  sprite->Render(0);
  sprite->SetColor(int(0xFFFFFFFFu));
}

void PUZZLE_PIECES::RenderShadow() { RenderShadow(pos.x, pos.y); }

void PUZZLE_PIECES::RenderShadow(float x, float y) {
  if (!sprite || alpha != 1.0f) return;
  const JST::fPOINT keep = sprite->position;
  const float off = ShadowOffset();
  DrawAt(float(Trunc(x + off)), float(Trunc(y + off)), ShadowColour());
  sprite->SetColor(int(0xFFFFFFFFu));
  sprite->position = keep;
}

}  // namespace GAME
