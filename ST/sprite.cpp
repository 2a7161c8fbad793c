#include "ST/sprite.h"

#include <cmath>

#include "ST/file.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "platform/sys.h"

JSPRITE::JSPRITE(const char* file, int) {
  gfx = ZOV::GetGame()->GetGfx();
  {
    // The load and the reading of the renderer's last texture size form one
    // step: no other texture operation may come between them.
    CsHold lock;
    ZOV::iFile& f = ZOV::ifile;
    quad.texture = f.current_pack ? gfx->TextureLoadZip(f.current_pack, file, f.current_pass) : gfx->TextureLoad(file);
    imageSize = gfx->lastTextureSize;
    texSize = gfx->lastTextureSize;
  }
  Build(float(imageSize.x) / float(texSize.x), float(imageSize.y) / float(texSize.y));
}

JSPRITE::JSPRITE(unsigned long texture) {
  gfx = ZOV::GetGame()->GetGfx();
  quad.texture = texture;
  NoteScreenTexture();
  {
    // The texture's own size: another thread may have loaded something since
    // the caller made this one, so the last texture size is not asked.
    CsHold lock;
    JST::iPOINT size = gfx->GetTextureWH(texture);
    if (size.x <= 0 || size.y <= 0) size = JST::iPOINT(0, 0);  // unknown handle: nothing to show
    imageSize = size;
    texSize = size;
  }
  Build(float(imageSize.x) / float(texSize.x) - 0.01f, float(imageSize.y) / float(texSize.y) - 0.01f);
}

JSPRITE::JSPRITE() {
  plat::PrintLine("FAKE_____FAKE");
  gfx = ZOV::GetGame()->GetGfx();
  quad.texture = 0;
}

JSPRITE::~JSPRITE() { Release(); }

void JSPRITE::Build(float umax, float vmax) {
  const float w = float(imageSize.x), h = float(imageSize.y);
  // A size the renderer could not report (a failed lock gives -1) makes no
  // uv at all rather than NaN.
  if (!std::isfinite(umax)) umax = 0.0f;
  if (!std::isfinite(vmax)) vmax = 0.0f;
  quad.v[0] = {0.0f, 0.0f, 0.0f, 0.0f};
  quad.v[1] = {0.0f, h, 0.0f, vmax};
  quad.v[2] = {w, h, umax, vmax};
  quad.v[3] = {w, 0.0f, umax, 0.0f};
  quad.blend = ZOV::JENUM::BLEND_ALPHA;
  quad.layer = 50;
  quad.color = 0xFFFFFFFFu;
  hotSpot = JST::iPOINT(imageSize.x / 2, imageSize.y / 2);
  position = JST::fPOINT(0.0f, 0.0f);
  angle = 0.0f;
  scale = JST::fPOINT(1.0f, 1.0f);
}

int JSPRITE::Render(int) {
  RenderMe(position.x, position.y, scale.x, scale.y, angle, hotSpot.x, hotSpot.y);
  return 0;
}

int JSPRITE::Render(float x, float y) {
  RenderMe(x, y, scale.x, scale.y, angle, hotSpot.x, hotSpot.y);
  return 0;
}

int JSPRITE::Render(float x, float y, float a) {
  RenderMe(x, y, scale.x, scale.y, a, hotSpot.x, hotSpot.y);
  return 1;
}

int JSPRITE::RenderMe(float x, float y, float sx, float sy, float a, int hx, int hy) {
  if (gfx) gfx->RenderZOV4(&quad, x, y, sx, sy, a, hx, hy);
  return 0;
}

void JSPRITE::SetPos(int x, int y) {
  position.x = float(x);
  position.y = float(y);
}

void JSPRITE::Move(int dx, int dy) {
  position.x += float(dx);
  position.y += float(dy);
}

float JSPRITE::HowFarPsnt(int x, int y) const {
  const float dx = float(x) - position.x, dy = float(y) - position.y;
  const float d = std::sqrt(dx * dx + dy * dy);
  // A sprite without an image height measures in pixels instead of
  // dividing by zero.
  return imageSize.y > 0 ? d / float(imageSize.y) : d;
}

void JSPRITE::SetSizePix(int w, int h) {
  quad.v[3].x = quad.v[0].x + float(w);
  quad.v[2].x = quad.v[0].x + float(w);
  quad.v[1].y = quad.v[0].y + float(h);
  quad.v[2].y = quad.v[0].y + float(h);
}

void JSPRITE::SetTexelCoord(float left, float top, float right, float bottom) {
  quad.v[0].u = left;
  quad.v[1].u = left;
  quad.v[0].v = top;
  quad.v[3].v = top;
  quad.v[2].u = right;
  quad.v[3].u = right;
  quad.v[1].v = bottom;
  quad.v[2].v = bottom;
}

void JSPRITE::CalculateHotSpot(int anchor) {
  const float w = quad.v[3].x - quad.v[0].x, h = quad.v[1].y - quad.v[0].y;
  const int iw = int(w), ih = int(h), hw = int(w / 2.0f), hh = int(h / 2.0f);
  switch (anchor) {
    case ZOV::JENUM::HOT_CENTER: hotSpot = {hw, hh}; break;
    case ZOV::JENUM::HOT_TOP_LEFT: hotSpot = {0, 0}; break;
    case ZOV::JENUM::HOT_TOP_RIGHT: hotSpot = {iw, 0}; break;
    case ZOV::JENUM::HOT_BOTTOM_LEFT: hotSpot = {0, ih}; break;
    case ZOV::JENUM::HOT_BOTTOM_RIGHT: hotSpot = {iw, ih}; break;
    case ZOV::JENUM::HOT_TOP_CENTER: hotSpot = {hw, 0}; break;
    case ZOV::JENUM::HOT_LEFT_CENTER: hotSpot = {0, hh}; break;
    case ZOV::JENUM::HOT_RIGHT_CENTER: hotSpot = {iw, hh}; break;
    default: break;  // 6 and anything else: unchanged
  }
}

void JSPRITE::SetHotSpot(int x, int y) { hotSpot = JST::iPOINT(x, y); }

void JSPRITE::StreckenTexelz() {
  const int w = int(quad.v[3].x - quad.v[0].x), h = int(quad.v[1].y - quad.v[0].y);
  // Repeating relies on the sampler's wrapped addressing. Without an image
  // size there is nothing to repeat.
  if (imageSize.x <= 0 || imageSize.y <= 0) return;
  SetTexelCoord(0.0f, 0.0f, float(w) / float(imageSize.x), float(h) / float(imageSize.y));
}

void JSPRITE::CompressTexture() {
  auto pull = [](float& c) {
    if (c == 0.0f) c = 0.005f;
    else if (c == 1.0f) c = 0.995f;
  };
  for (ZOV::ZOVVERTEX& v : quad.v) {
    pull(v.u);
    pull(v.v);
  }
}

void JSPRITE::NoteScreenTexture() { showsScreen_ = gfx && quad.texture != 0 && quad.texture == gfx->GetScreen(); }

void JSPRITE::SetTexture(unsigned long texture) {
  quad.texture = texture;
  NoteScreenTexture();
}

void JSPRITE::Release() {
  if (quad.texture == 0) return;
  if (gfx && !showsScreen_) gfx->TextureFree(quad.texture);
  quad.texture = 0;
  showsScreen_ = false;
}
