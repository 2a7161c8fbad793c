// Redrawing only what changed: draw boxes, draw keys and the tile lists of a
// render target (see gfx_redraw.h).
#include "platform/gfx_redraw.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plat::gfx::detail {
namespace {

// Point sizes are clamped to this by the GL device.
constexpr float kLargestPoint = 64.0f;

struct Clip4 {
  float x, y, w;
};

Clip4 Project(const Mat4& m, const Vertex& v) {
  const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  return {x, y, w};
}

// The transformed vertex on the device's viewport (w + 1 by h + 1 pixels,
// y downward); false behind the eye or not a number.
bool ToPixel(const Mat4& wvp, const Vertex& v, int w, int h, float& px, float& py) {
  const Clip4 c = Project(wvp, v);
  if (!(c.w > 1e-6f) || !std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.w)) return false;
  px = (c.x / c.w + 1.0f) * 0.5f * float(w + 1);
  py = (1.0f - c.y / c.w) * 0.5f * float(h + 1);
  return std::isfinite(px) && std::isfinite(py) && std::fabs(px) < 1e7f && std::fabs(py) < 1e7f;
}

uint64_t Bits(float f) {
  uint32_t u = 0;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

uint64_t HashBytes(uint64_t h, const void* p, size_t n) {
  const auto* b = static_cast<const unsigned char*>(p);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t v = 0;
    std::memcpy(&v, b + i, 8);
    h = HashMix(h, v);
  }
  uint64_t tail = 0;
  std::memcpy(&tail, b + i, n - i);
  return HashMix(h, tail ^ (uint64_t(n) << 56));
}

uint64_t HashMat(uint64_t h, const Mat4& m) { return HashBytes(h, &m.m[0][0], sizeof m.m); }

}  // namespace

uint64_t HashMix(uint64_t h, uint64_t v) {
  v *= 0xff51afd7ed558ccdULL;
  v ^= v >> 33;
  h ^= v;
  h = (h << 27) | (h >> 37);
  return h * 0x9e3779b97f4a7c15ULL + 0x632be59bd9b4e019ULL;
}

PixRect PixRect::Union(const PixRect& o) const {
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

PixRect PixRect::Clip(int w, int h) const {
  PixRect r{std::max(x0, 0), std::max(y0, 0), std::min(x1, w), std::min(y1, h)};
  if (r.Empty()) return {};
  return r;
}

PixRect DrawBounds(const State& s, Prim prim, const Vertex* v, int nv, int w, int h) {
  const PixRect all{0, 0, w, h};
  if (nv <= 0) return {};
  const Mat4 wvp = Multiply(Multiply(s.world, s.view), s.projection);
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (int i = 0; i < nv; ++i) {
    float px = 0, py = 0;
    if (!ToPixel(wvp, v[i], w, h, px, py)) return all;
    if (i == 0) {
      x0 = x1 = px;
      y0 = y1 = py;
    } else {
      x0 = std::min(x0, px);
      x1 = std::max(x1, px);
      y0 = std::min(y0, py);
      y1 = std::max(y1, py);
    }
  }
  float pad = 1.0f;
  if (prim == Prim::Lines) pad = 2.0f;
  if (prim == Prim::Points) {
    const float size = s.pointScale ? kLargestPoint : std::clamp(std::max(s.pointSize, s.pointSizeMin), 1.0f, kLargestPoint);
    pad = size * 0.5f + 1.0f;
  }
  const PixRect box{int(std::floor(x0 - pad)), int(std::floor(y0 - pad)), int(std::ceil(x1 + pad)),
                    int(std::ceil(y1 + pad))};
  return box.Clip(w, h);
}

uint64_t DrawKey(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni, uint64_t texture) {
  uint64_t h = HashMix(0x51ed27a1u, uint64_t(prim));
  h = HashMat(h, s.world);
  h = HashMat(h, s.view);
  h = HashMat(h, s.projection);
  h = HashMix(h, texture);
  h = HashMix(h, uint64_t(s.alphaBlend) | uint64_t(s.src) << 8 | uint64_t(s.dst) << 16 | uint64_t(s.colorOp) << 24 |
                     uint64_t(s.pointSprite) << 32 | uint64_t(s.pointScale) << 40 | uint64_t(s.mag) << 48 |
                     uint64_t(s.min) << 56);
  h = HashMix(h, Bits(s.pointSize) | Bits(s.pointSizeMin) << 32);
  h = HashMix(h, Bits(s.scaleA) | Bits(s.scaleB) << 32);
  h = HashMix(h, Bits(s.scaleC) | Bits(s.maxAnisotropy) << 32);
  h = HashMix(h, uint64_t(s.multisampleAA));
  h = HashBytes(h, v, size_t(nv) * sizeof(Vertex));
  if (idx && ni > 0) h = HashBytes(h, idx, size_t(ni) * sizeof(uint16_t));
  return h;
}

PixRect SampledDamage(const State& s, const Vertex* v, int nv, int w, int h, const PixRect& texels, int texW,
                      int texH) {
  const PixRect box = DrawBounds(s, Prim::Triangles, v, nv, w, h);
  if (nv != 4 || texW <= 0 || texH <= 0) return box;
  const Mat4 wvp = Multiply(Multiply(s.world, s.view), s.projection);
  float px[4], py[4];
  for (int i = 0; i < 4; ++i)
    if (!ToPixel(wvp, v[i], w, h, px[i], py[i])) return box;
  const float left = *std::min_element(px, px + 4), right = *std::max_element(px, px + 4);
  const float top = *std::min_element(py, py + 4), bottom = *std::max_element(py, py + 4);
  constexpr float eps = 1e-3f;
  if (right - left < 1.0f || bottom - top < 1.0f) return box;
  // Each corner on the quad's box, the u of each side shared by its
  // corners and the v of the top and the bottom likewise.
  float uL = NAN, uR = NAN, vT = NAN, vB = NAN;
  for (int i = 0; i < 4; ++i) {
    const bool l = std::fabs(px[i] - left) < eps, r = std::fabs(px[i] - right) < eps;
    const bool t = std::fabs(py[i] - top) < eps, b = std::fabs(py[i] - bottom) < eps;
    if (l == r || t == b) return box;
    float& u = l ? uL : uR;
    float& vv = t ? vT : vB;
    if (std::isnan(u)) u = v[i].u;
    else if (std::fabs(u - v[i].u) > 1e-6f) return box;
    if (std::isnan(vv)) vv = v[i].v;
    else if (std::fabs(vv - v[i].v) > 1e-6f) return box;
  }
  if (std::isnan(uL) || std::isnan(uR) || std::isnan(vT) || std::isnan(vB)) return box;
  if (std::fabs(uR - uL) < 1e-9f || std::fabs(vB - vT) < 1e-9f) return box;
  // Filtering reads a texel beyond the box each way; the mapped box widens
  // by a pixel more for rounding.
  auto mapX = [&](float tx) { return left + (tx / float(texW) - uL) / (uR - uL) * (right - left); };
  auto mapY = [&](float ty) { return top + (ty / float(texH) - vT) / (vB - vT) * (bottom - top); };
  const float ax = mapX(float(texels.x0 - 1)), bx = mapX(float(texels.x1 + 1));
  const float ay = mapY(float(texels.y0 - 1)), by = mapY(float(texels.y1 + 1));
  const PixRect mapped{int(std::floor(std::min(ax, bx))) - 1, int(std::floor(std::min(ay, by))) - 1,
                       int(std::ceil(std::max(ax, bx))) + 1, int(std::ceil(std::max(ay, by))) + 1};
  const PixRect r{std::max(mapped.x0, box.x0), std::max(mapped.y0, box.y0), std::min(mapped.x1, box.x1),
                  std::min(mapped.y1, box.y1)};
  return r.Empty() ? PixRect{} : r;
}

bool AtOwnSize(const State& s, const Vertex* v, int nv, int texW, int texH, int w, int h) {
  if (nv != 4 || texW <= 0 || texH <= 0) return false;
  const Mat4 wvp = Multiply(Multiply(s.world, s.view), s.projection);
  float px[4], py[4];
  float cw0 = 0;
  for (int i = 0; i < 4; ++i) {
    // The same w at every corner: the mapping is affine across the quad.
    const float cw = Project(wvp, v[i]).w;
    if (i == 0) cw0 = cw;
    else if (std::fabs(cw - cw0) > 1e-6f * std::fabs(cw0)) return false;
    if (!ToPixel(wvp, v[i], w, h, px[i], py[i])) return false;
  }
  // Texel steps t1, t2 from corner 0 to corners 1 and 2, and the pixel
  // steps d1, d2 they make: A × [t1 t2] = [d1 d2].
  const double t1x = (double(v[1].u) - v[0].u) * texW, t1y = (double(v[1].v) - v[0].v) * texH;
  const double t2x = (double(v[2].u) - v[0].u) * texW, t2y = (double(v[2].v) - v[0].v) * texH;
  const double d1x = double(px[1]) - px[0], d1y = double(py[1]) - py[0];
  const double d2x = double(px[2]) - px[0], d2y = double(py[2]) - py[0];
  const double det = t1x * t2y - t2x * t1y;
  if (std::fabs(det) < 1e-6) return false;
  const double a = (d1x * t2y - d2x * t1y) / det, b = (d2x * t1x - d1x * t2x) / det;
  const double c = (d1y * t2y - d2y * t1y) / det, d = (d2y * t1x - d1y * t2x) / det;
  constexpr double eps = 1e-4;
  auto unit = [&](double x) { return std::fabs(std::fabs(x) - 1.0) < eps; };
  auto zero = [&](double x) { return std::fabs(x) < eps; };
  if (!((unit(a) && zero(b) && zero(c) && unit(d)) || (zero(a) && unit(b) && unit(c) && zero(d)))) return false;
  // The fourth corner on the same mapping.
  const double t3x = (double(v[3].u) - v[0].u) * texW, t3y = (double(v[3].v) - v[0].v) * texH;
  return std::fabs(px[0] + a * t3x + b * t3y - px[3]) < 1e-3 && std::fabs(py[0] + c * t3x + d * t3y - py[3]) < 1e-3;
}

void TileDiff::Begin(int w, int h, uint64_t generation, uint32_t argb, int tile) {
  tile_ = std::max(tile, 1);
  w_ = std::max(w, 1);
  h_ = std::max(h, 1);
  generation_ = generation;
  cols_ = (w_ + tile_ - 1) / tile_;
  rows_ = (h_ + tile_ - 1) / tile_;
  const size_t n = size_t(cols_) * size_t(rows_);
  cur_.assign(n, HashMix(0xc1ea7u, argb));
  forced_.assign(n, 0);
}

void TileDiff::Add(uint64_t key, const PixRect& box) {
  const PixRect b = box.Clip(w_, h_);
  if (b.Empty()) return;
  for (int r = b.y0 / tile_; r <= (b.y1 - 1) / tile_; ++r)
    for (int c = b.x0 / tile_; c <= (b.x1 - 1) / tile_; ++c) {
      uint64_t& t = cur_[size_t(r) * size_t(cols_) + size_t(c)];
      t = HashMix(t, key);
    }
}

void TileDiff::Damage(const PixRect& box) {
  const PixRect b = box.Clip(w_, h_);
  if (b.Empty()) return;
  for (int r = b.y0 / tile_; r <= (b.y1 - 1) / tile_; ++r)
    for (int c = b.x0 / tile_; c <= (b.x1 - 1) / tile_; ++c) forced_[size_t(r) * size_t(cols_) + size_t(c)] = 1;
}

std::vector<PixRect> TileDiff::Finish() {
  const bool all = !valid_ || held_w_ != w_ || held_h_ != h_ || heldGeneration_ != generation_ || heldTile_ != tile_;
  std::vector<PixRect> rects;  // in tiles while gathered
  if (all) {
    rects.push_back({0, 0, cols_, rows_});
  } else {
    // Runs of changed tiles along each row; a run exactly below one of the
    // row above extends it.
    std::vector<size_t> open, next;
    for (int r = 0; r < rows_; ++r) {
      next.clear();
      for (int c = 0; c < cols_;) {
        const size_t i = size_t(r) * size_t(cols_) + size_t(c);
        if (cur_[i] == held_[i] && !forced_[i]) {
          ++c;
          continue;
        }
        int e = c;
        while (e < cols_) {
          const size_t j = size_t(r) * size_t(cols_) + size_t(e);
          if (cur_[j] == held_[j] && !forced_[j]) break;
          ++e;
        }
        bool grown = false;
        for (size_t k : open)
          if (rects[k].x0 == c && rects[k].x1 == e) {
            rects[k].y1 = r + 1;
            next.push_back(k);
            grown = true;
            break;
          }
        if (!grown) {
          next.push_back(rects.size());
          rects.push_back({c, r, e, r + 1});
        }
        c = e;
      }
      open.swap(next);
    }
    // Many rectangles, or rectangles filling most of their union, are
    // drawn as that union.
    if (!rects.empty()) {
      PixRect u;
      long area = 0;
      for (const PixRect& t : rects) {
        u = u.Union(t);
        area += long(t.x1 - t.x0) * (t.y1 - t.y0);
      }
      if (rects.size() > size_t(kMaxRects) || area * 4 >= long(u.x1 - u.x0) * (u.y1 - u.y0) * 3) rects = {u};
    }
  }
  for (PixRect& t : rects) t = PixRect{t.x0 * tile_, t.y0 * tile_, t.x1 * tile_, t.y1 * tile_}.Clip(w_, h_);
  held_.swap(cur_);
  held_w_ = w_;
  held_h_ = h_;
  heldGeneration_ = generation_;
  heldTile_ = tile_;
  valid_ = true;
  return rects;
}

}  // namespace plat::gfx::detail
