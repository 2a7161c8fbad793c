// The renderer's views: logical-screen pixels (x right, y down, origin at the
// top-left) turned into world, view and projection transforms, the layers'
// depths, and the letterbox that fits the logical screen into the back buffer.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ST/renderer.h"

namespace ZOV {

namespace gfx = plat::gfx;

namespace {
constexpr float kPi = 3.141592654f;
}

void JINGFX::ApplyWorld() { gfx::SetTransform(gfx::Xf::World, world); }

void JINGFX::SetDefaultView() {
  // Pixel y downward becomes world y upward: x kept, y and z negated.
  world = plat::RotationYawPitchRoll(kPi, 0.0f, kPi);
  // The camera sees exactly (W + 1) × (H + 1) units at depth 0.
  const float w1 = float(BackW()) + 1.0f, h1 = float(BackH()) + 1.0f;
  const float d = (h1 / 2.0f) / std::tan(kPi / 8.0f);
  eye = {w1 / 2.0f, -h1 / 2.0f, -d};
  at = {w1 / 2.0f, -h1 / 2.0f, 0.0f};
  up = {0.0f, 1.0f, 0.0f};
  view = plat::LookAtLH(eye, at, up);
  projection = plat::PerspectiveFovLH(kPi / 4.0f, w1 / h1, 0.1f, 2.0f * d);
  gfx::SetTransform(gfx::Xf::World, world);
  gfx::SetTransform(gfx::Xf::View, view);
  gfx::SetTransform(gfx::Xf::Projection, projection);
}

void JINGFX::Set2DView() {
  const float w = float(BackW()), h = float(BackH());
  projection = plat::Multiply(plat::Multiply(plat::Scaling(1.0f, -1.0f, 1.0f), plat::Translation(-0.5f, h + 0.5f, 0.0f)),
                              plat::OrthoOffCenterLH(0.0f, w, 0.0f, h, 0.0f, 10.0f));
  world = plat::Identity();
  view = plat::Identity();
  gfx::SetTransform(gfx::Xf::World, world);
  gfx::SetTransform(gfx::Xf::View, view);
  gfx::SetTransform(gfx::Xf::Projection, projection);
}

// The world operations below are given in pixels, y downward; the default
// world has already turned y upward, hence the sign changes.
void JINGFX::SetWorldRotation(float angle, float cx, float cy, bool keep) {
  if (!keep) SetDefaultView();
  // A positive angle turns clockwise on the screen, which is clockwise in
  // y-up world space too, i.e. a negative turn about z.
  const plat::Mat4 r = plat::Multiply(plat::Multiply(plat::Translation(-cx, cy, 0.0f), plat::RotationZ(-angle)),
                                      plat::Translation(cx, -cy, 0.0f));
  world = plat::Multiply(world, r);
  ApplyWorld();
}

void JINGFX::SetWorldScale(float sx, float sy, bool keep) {
  if (!keep) SetDefaultView();
  world = plat::Multiply(world, plat::Scaling(sx, sy, 1.0f));
  ApplyWorld();
}

void JINGFX::SetWorldPosition(float x, float y, float z) {
  world = plat::Multiply(world, plat::Translation(x, -y, -z));
  ApplyWorld();
}

float JINGFX::ConvertLayer(int layer) { return float(std::clamp(layer, 0, 100)) / 100.0f; }

unsigned long JINGFX::FlToDw(float f) {
  uint32_t bits = 0;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

void JINGFX::SetAdaptScreen(int w, int h) {
  if (w <= 0 || h <= 0) return;  // no logical screen to fit
  logicalW = w;
  logicalH = h;
  const int bw = BackW(), bh = BackH();
  float sx = float(bw - w) / float(w) + 1.0f;
  float sy = float(bh - h) / float(h) + 1.0f;
  if (!(sx == 1.0f && sy == 1.0f)) {
    if (sx <= sy) sy = sx;
    else sx = sy;
  }
  adaptScaleX = sx;
  adaptScaleY = sy;
  scaledW = int(std::nearbyint(sx * float(w)));  // halves to even
  scaledH = int(std::nearbyint(sy * float(h)));
  adaptOffsetX = (bw - scaledW) >> 1;
  adaptOffsetY = (bh - scaledH) >> 1;
  SetDefaultView();
  if (sx != 1.0f) SetWorldScale(sx, sx, true);
  if (adaptOffsetX != 0 || adaptOffsetY != 0) SetWorldPosition(float(adaptOffsetX), float(adaptOffsetY), 0.0f);
}

JST::fPOINT JINGFX::ScreenTexel(float x, float y) const {
  const float w1 = float(BackW()) + 1.0f, h1 = float(BackH()) + 1.0f;
  return JST::fPOINT((float(adaptOffsetX) + x * adaptScaleX) / w1, (float(adaptOffsetY) + y * adaptScaleY) / h1);
}

}  // namespace ZOV
