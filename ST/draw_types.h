// What the drawing calls of the renderer take: the named blend modes, hot-spot
// anchors and size choices, the textured quad and triangle records that
// sprites hand to the renderer, and the float colour used for fades and
// particles.
//
// Colours that reach the device are packed 32-bit ARGB (uint32_t): alpha in
// bits 24-31, red 16-23, green 8-15, blue 0-7.
#pragma once

#include <cstdint>

namespace ZOV {

namespace JENUM {

// How a drawing is blended over what is already there (see
// JINGFX::SetBlendMode). Functions take these as int, so plain numbers work.
enum BLEND_MODE {
  BLEND_OPAQUE = 0,        // no blending; texture × colour
  BLEND_ALPHA = 1,         // alpha blending (the sprites' default)
  BLEND_ADD = 2,           // additive, texture × colour
  BLEND_ADD_COLOR = 3,     // additive, texture + colour
  BLEND_POINT_ALPHA = 4,   // point sprites on, alpha blending
  BLEND_POINT_ADD = 5,     // point sprites on, additive
  BLEND_NONE = 8,          // the renderer's mode before any was set
};

// Anchors of a sprite's hot spot and of text alignment. 6 has no anchor:
// CalculateHotSpot leaves the hot spot as it is for 6 and unknown values.
enum HOT_SPOT {
  HOT_CENTER = 0,
  HOT_TOP_LEFT = 1,
  HOT_TOP_RIGHT = 2,
  HOT_BOTTOM_LEFT = 3,
  HOT_BOTTOM_RIGHT = 4,
  HOT_TOP_CENTER = 5,
  HOT_KEEP = 6,
  HOT_LEFT_CENTER = 7,
  HOT_RIGHT_CENTER = 8,
};

// A packed ARGB colour held as an int (the board's background colour, the
// player's record). Any value is a colour; these two are named.
enum COLORS : int {
  COLOR_WHITE = -1,         // 0xFFFFFFFF
  COLOR_BLACK = -16777216,  // 0xFF000000
};

// Which size JSPRITE::GetMyTexWidth/Height report.
enum POWER_OF_TWO {
  TEX_SIZE = 0,    // the texture holding the image
  IMAGE_SIZE = 1,  // the image itself
};

}  // namespace JENUM

// One corner of a quad or triangle: position in pixels and texture
// coordinates.
struct ZOVVERTEX {
  float x = 0.0f, y = 0.0f;
  float u = 0.0f, v = 0.0f;
};

// A textured quad: corners top-left, bottom-left, bottom-right, top-right.
// Placed drawing uses only its width (top-right x − top-left x) and height
// (bottom-left y − top-left y).
struct ZOV4 {
  ZOVVERTEX v[4];
  unsigned long texture = 0;  // renderer texture handle, 0 = untextured
  int blend = JENUM::BLEND_ALPHA;
  int layer = 50;                 // 0..100
  uint32_t color = 0xFFFFFFFFu;   // multiplies the texture; alpha = opacity
};

// A textured triangle: corners top-left, bottom-left, bottom-right.
struct ZOV3 {
  ZOVVERTEX v[3];
  unsigned long texture = 0;
  int blend = JENUM::BLEND_ALPHA;
  int layer = 50;
  uint32_t color = 0xFFFFFFFFu;
};

// A colour of four floats, nominally 0..1, converted from and to packed ARGB.
// Sums, differences and scaling are not clamped; the conversion back is.
struct JINCOLORRGBA {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

  JINCOLORRGBA() = default;
  JINCOLORRGBA(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
  JINCOLORRGBA(uint32_t argb) {  // NOLINT: converts like a colour value
    const float k = 1.0f / 255.0f;
    r = float((argb >> 16) & 0xFFu) * k;
    g = float((argb >> 8) & 0xFFu) * k;
    b = float(argb & 0xFFu) * k;
    a = float((argb >> 24) & 0xFFu) * k;
  }

  // Each channel: 1 or more → 255, 0 or less (or NaN) → 0, else value × 255
  // + 0.5 truncated.
  static uint32_t Channel(float v) {
    if (v >= 1.0f) return 255u;
    if (!(v > 0.0f)) return 0u;  // converting NaN would be undefined
    return uint32_t(v * 255.0f + 0.5f);
  }
  uint32_t ToARGB() const { return Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b); }
  operator uint32_t() const { return ToARGB(); }

  JINCOLORRGBA operator+(const JINCOLORRGBA& o) const { return {r + o.r, g + o.g, b + o.b, a + o.a}; }
  JINCOLORRGBA operator-(const JINCOLORRGBA& o) const { return {r - o.r, g - o.g, b - o.b, a - o.a}; }
  JINCOLORRGBA operator*(float f) const { return {r * f, g * f, b * f, a * f}; }

  // True when red, green or blue is above 0; alpha is not looked at.
  bool ThisIsColor() const { return r > 0.0f || g > 0.0f || b > 0.0f; }
};

}  // namespace ZOV
