// The buffer forms of the pixel tools: curves, lines, shading brushes, the
// flood-fill cut and the outline tests. The texture forms are in
// pixel_tools_texture.cpp.
#include "ST/pixel_tools.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace ZOV {

JINCUTVECTOR::~JINCUTVECTOR() { Clear(); }

void JINCUTVECTOR::Clear() {
  // Iterative, so a long outline cannot exhaust the stack.
  JINCUTVECTOR* p = next;
  next = nullptr;
  while (p) {
    JINCUTVECTOR* n = p->next;
    p->next = nullptr;
    delete p;
    p = n;
  }
}

}  // namespace ZOV

namespace GAMETOOLS {

namespace {

inline bool Inside(int x, int y, JST::iPOINT size) { return x >= 0 && y >= 0 && x < size.x && y < size.y; }

inline void Plot(int x, int y, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  if (Inside(x, y, size)) buf[size_t(y) * size_t(size.x) + size_t(x)] = colour;
}

inline int Sign(int64_t v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

inline int Trunc(double v) { return static_cast<int>(v); }

// An outline coordinate truncated toward zero, kept to the int range (and
// NaN to 0) so a damaged outline cannot make the conversion undefined.
inline int64_t OutlineCoord(float v) {
  if (!(v == v)) return 0;
  if (v > 2147483647.0f) return 2147483647;
  if (v < -2147483648.0f) return -2147483648LL;
  return int64_t(v);
}

template <class Curve>
void DrawCurve(Curve curve, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  // The step is accumulated, so the last point is computed just past t = 1.
  JST::iPOINT prev = curve(0.0);
  double t = 0.0;
  while (t <= 1.0) {
    t += 0.01;
    const JST::iPOINT cur = curve(t);
    DrawLineInTex(prev.x, prev.y, cur.x, cur.y, size, buf, colour);
    prev = cur;
  }
}

// The integer midpoint (a + b) / 2, rounded toward zero, without
// overflowing for coordinates near the int limits.
inline int Half(int a, int b) { return int((int64_t(a) + b) / 2); }
inline JST::iPOINT Mid(JST::iPOINT a, JST::iPOINT b) { return JST::iPOINT(Half(a.x, b.x), Half(a.y, b.y)); }

// Paints a pixel inside the buffer that is not 0.
inline void PaintNonZero(int x, int y, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  if (!Inside(x, y, size)) return;
  uint32_t& px = buf[size_t(y) * size_t(size.x) + size_t(x)];
  if (px != 0) px = colour;
}

// An 8-connected line from p to q, both ends included, painting only
// pixels that are not 0. Lines wholly beyond one side of the buffer draw
// nothing.
inline void LineNonZero(JST::iPOINT p, JST::iPOINT q, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  if ((p.x < 0 && q.x < 0) || (p.y < 0 && q.y < 0) || (p.x >= size.x && q.x >= size.x) ||
      (p.y >= size.y && q.y >= size.y))
    return;
  const int64_t dx = int64_t(q.x) - p.x, dy = int64_t(q.y) - p.y;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t n = adx > ady ? adx : ady;
  if (n == 0) {
    PaintNonZero(p.x, p.y, size, buf, colour);
    return;
  }
  // Rounded interpolation along the major axis: every step moves one pixel
  // on it and at most one on the other.
  for (int64_t i = 0; i <= n; ++i) {
    const int64_t x = p.x + (dx * i + (dx >= 0 ? n / 2 : -(n / 2))) / n;
    const int64_t y = p.y + (dy * i + (dy >= 0 ? n / 2 : -(n / 2))) / n;
    if (x < 0 || y < 0 || x >= size.x || y >= size.y) continue;
    PaintNonZero(int(x), int(y), size, buf, colour);
  }
}

inline uint8_t Shade(uint32_t channel, int delta) {
  // Any delta beyond ±255 saturates a byte anyway; cut it first so the sum
  // cannot overflow.
  if (delta > 255) delta = 255;
  if (delta < -255) delta = -255;
  const int v = int(channel) + delta;
  return uint8_t(v > 255 ? 255 : (v < 0 ? 0 : v));
}

}  // namespace

JST::iPOINT Bezier3(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, double t) {
  const double u = 1.0 - t;
  const double a = u * u, b = 2.0 * t * u, c = t * t;
  return JST::iPOINT(Trunc(a * p0.x + b * p1.x + c * p2.x), Trunc(a * p0.y + b * p1.y + c * p2.y));
}

JST::iPOINT Bezier3ex(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, double t) {
  return Bezier3(Mid(p0, p1), p1, Mid(p1, p2), t);
}

JST::iPOINT Bezier4(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT p3, double t) {
  const double u = 1.0 - t;
  const double a = u * u * u, b = 3.0 * t * u * u, c = 3.0 * t * t * u, d = t * t * t;
  return JST::iPOINT(Trunc(a * p0.x + b * p1.x + c * p2.x + d * p3.x),
                     Trunc(a * p0.y + b * p1.y + c * p2.y + d * p3.y));
}

void DrawLineInTex(int x0, int y0, int x1, int y1, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  if (!buf || size.x <= 0 || size.y <= 0) return;
  // Both ends beyond the same edge: no pixel of the line can be inside.
  if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= size.x && x1 >= size.x) || (y0 >= size.y && y1 >= size.y))
    return;
  const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t n = adx > ady ? adx : ady;
  const int sx = Sign(dx), sy = Sign(dy);
  int x = x0, y = y0;
  int64_t ex = 0, ey = 0;
  Plot(x, y, size, buf, colour);
  for (int64_t i = 0; i < n; ++i) {
    ex += adx;
    ey += ady;
    if (ex > n) {
      ex -= n;
      x += sx;
    }
    if (ey > n) {
      ey -= n;
      y += sy;
    }
    Plot(x, y, size, buf, colour);
  }
}

void DrawBezier3(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  DrawCurve([&](double t) { return Bezier3(p0, p1, p2, t); }, size, buf, colour);
}

void DrawBezier3ex(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT size, uint32_t* buf,
                   uint32_t colour) {
  DrawCurve([&](double t) { return Bezier3ex(p0, p1, p2, t); }, size, buf, colour);
}

void DrawBezier7(JST::iPOINT a, JST::iPOINT b, const JST::iPOINT* ears, JST::iPOINT size, uint32_t* buf,
                 uint32_t colour, int density) {
  if (!ears || !buf || size.x <= 0 || size.y <= 0) return;
  if (density < 1) density = 1;  // a step of 0 would never end
  const JST::iPOINT m0 = Mid(a, ears[0]);
  const JST::iPOINT m6 = Mid(ears[6], b);
  const double step = 2.0 * density * 0.001;
  // The middle part: consecutive samples are joined by lines, so the cut
  // line stays closed however long the edge is (on a large picture samples
  // at this step lie several pixels apart, and a flood fill would leak
  // through the gaps). Only pixels that are not 0 are painted.
  for (int k = 0; k <= 4; ++k) {
    JST::iPOINT prev = Bezier3ex(ears[k], ears[k + 1], ears[k + 2], 0.0);
    PaintNonZero(prev.x, prev.y, size, buf, colour);
    for (double t = step; t <= 1.0; t += step) {
      const JST::iPOINT p = Bezier3ex(ears[k], ears[k + 1], ears[k + 2], t);
      if (p.x == prev.x && p.y == prev.y) continue;  // the common case at a fine step
      if (std::abs(int64_t(p.x) - prev.x) <= 1 && std::abs(int64_t(p.y) - prev.y) <= 1)
        PaintNonZero(p.x, p.y, size, buf, colour);  // a neighbour: already joined
      else
        LineNonZero(prev, p, size, buf, colour);
      prev = p;
    }
    // The segment's own end, which the step may fall short of.
    LineNonZero(prev, Bezier3ex(ears[k], ears[k + 1], ears[k + 2], 1.0), size, buf, colour);
  }
  DrawBezier3ex(a, ears[0], ears[1], size, buf, colour);
  DrawBezier3ex(ears[5], ears[6], b, size, buf, colour);
  DrawBezier3(m6, Mid(b, m6), b, size, buf, colour);
  DrawBezier3(a, Mid(a, m0), m0, size, buf, colour);
}

void DrawPointInTex(int x, int y, uint32_t* buf, JST::iPOINT size, int delta) {
  if (!buf || delta == 0 || !Inside(x, y, size)) return;
  uint32_t& p = buf[size_t(y) * size_t(size.x) + size_t(x)];
  if ((p >> 24) == 0) return;
  const uint32_t b = Shade(p & 0xFFu, delta), g = Shade((p >> 8) & 0xFFu, delta), r = Shade((p >> 16) & 0xFFu, delta);
  p = (p & 0xFF000000u) | r << 16 | g << 8 | b;
}

void DrawPointInTex(int x, int y, uint32_t* buf, JST::iPOINT size, uint32_t, double d) {
  if (!buf || !Inside(x, y, size)) return;
  if (!(d >= 0.0)) d = 0.0;  // also catches NaN
  if (d > 1.5) d = 1.5;
  double k = 1.0 - 2.0 * d / 3.0;
  if (k < 0.0) k = 0.0;
  const uint32_t alpha = uint32_t(255.0 * std::sqrt(k));
  uint32_t& p = buf[size_t(y) * size_t(size.x) + size_t(x)];
  p = (p & 0x00FFFFFFu) | (alpha > 255u ? 255u : alpha) << 24;
}

void DrawCircle(int cx, int cy, int r, uint32_t* buf, JST::iPOINT size, int type) {
  if (type < 0 || type > 4 || r <= 0) return;
  const int kmax = Trunc(r / 1.414213562373);
  // Midpoint walk of the octant from (0, r): j is the other coordinate.
  int j = r, dec = 1 - r;
  for (int k = 1, i = 0; k <= kmax; ++k, ++i) {
    if (dec < 0) {
      dec += 2 * k + 1;
    } else {
      --j;
      dec += 2 * (k - j) + 1;
    }
    auto P = [&](int x, int y, int delta) { DrawPointInTex(x, y, buf, size, delta); };
    switch (type) {
      case 0:  // the upper four lighter, the lower four darker
        P(cx + k, cy - j, 10 - i);
        P(cx - k, cy - j, 10 - i);
        P(cx + j, cy - k, 10 - i);
        P(cx - j, cy - k, 10 - i);
        P(cx + k, cy + j, -10 - i);
        P(cx - k, cy + j, -10 - i);
        P(cx + j, cy + k, -10 - i);
        P(cx - j, cy + k, -10 - i);
        break;
      case 1:  // right half lighter
        P(cx + j, cy + k, 15);
        P(cx + j, cy - k, 15);
        P(cx + k, cy + j, 10);
        P(cx + k, cy - j, 10);
        break;
      case 2:  // upper half darker
        P(cx + k, cy - j, -15);
        P(cx - k, cy - j, -15);
        P(cx + j, cy - k, -10);
        P(cx - j, cy - k, -10);
        break;
      case 3:  // left half darker
        P(cx - j, cy + k, -15);
        P(cx - j, cy - k, -15);
        P(cx - k, cy + j, -10);
        P(cx - k, cy - j, -10);
        break;
      case 4:  // lower half lighter
        P(cx + k, cy + j, 15);
        P(cx - k, cy + j, 15);
        P(cx + j, cy + k, 10);
        P(cx - j, cy + k, 10);
        break;
    }
  }
}

void DrawKub(int cx, int cy, int r, uint32_t* buf, JST::iPOINT size, int type) {
  if (type < 0 || type > 4) return;
  auto P = [&](int x, int y, int delta) { DrawPointInTex(x, y, buf, size, delta); };
  for (int i = 0; i <= r; ++i) {
    switch (type) {
      case 0:
        P(cx - i, cy - i, i - 50);
        P(cx + i, cy - i, i - 50);
        P(cx - i, cy + i, 50 - i);
        P(cx + i, cy + i, 50 - i);
        break;
      case 1:
        P(cx + i, cy, 25);
        P(cx, cy + i, 25);
        P(cx, cy - i, 25);
        P(cx + i, cy + i, 50);
        P(cx + i, cy - i, 50);
        break;
      case 2:
        P(cx + i, cy, -25);
        P(cx - i, cy, -25);
        P(cx, cy - i, -25);
        P(cx + i, cy - i, -50);
        P(cx - i, cy - i, -50);
        break;
      case 3:
        P(cx, cy + i, -25);
        P(cx, cy - i, -25);
        P(cx - i, cy, -25);
        P(cx - i, cy + i, -50);
        P(cx - i, cy - i, -50);
        break;
      case 4:
        P(cx + i, cy, 25);
        P(cx - i, cy, 25);
        P(cx, cy + i, 25);
        P(cx + i, cy + i, 50);
        P(cx - i, cy + i, 50);
        break;
    }
  }
}

void DrawLineInTexWu(int x0, int y0, int x1, int y1, JST::iPOINT size, uint32_t* buf, uint32_t colour) {
  if (!buf || size.x <= 0 || size.y <= 0) return;
  const bool steep = std::abs(int64_t(y1) - y0) > std::abs(int64_t(x1) - x0);
  double ax = x0, ay = y0, bx = x1, by = y1;  // major, minor
  if (steep) {
    ax = y0, ay = x0, bx = y1, by = x1;
  }
  if (ax > bx) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  const double dmaj = bx - ax, dmin = by - ay;
  const double gradient = dmaj == 0.0 ? 1.0 : dmin / dmaj;
  auto plot = [&](int major, int minor, double w) {
    if (steep) DrawPointInTex(minor, major, buf, size, colour, w);
    else DrawPointInTex(major, minor, buf, size, colour, w);
  };
  auto frac = [](double v) { return v - std::floor(v); };
  // First end.
  double xend = std::floor(ax + 0.5);
  double yend = ay + gradient * (xend - ax);
  double gap = 1.0 - ((ax + 0.5) - xend);
  const int xs = int(xend);
  plot(xs, int(std::floor(yend)), (1.0 - frac(yend)) * gap);
  plot(xs, int(std::floor(yend)) + 1, frac(yend) * gap);
  double inter = yend + gradient;
  // Last end.
  xend = std::floor(bx + 0.5);
  yend = by + gradient * (xend - bx);
  gap = (bx + 0.5) - xend;
  const int xe = int(xend);
  plot(xe, int(std::floor(yend)), (1.0 - frac(yend)) * gap);
  plot(xe, int(std::floor(yend)) + 1, frac(yend) * gap);
  for (int x = xs + 1; x < xe; ++x) {
    plot(x, int(std::floor(inter)), 1.0 - frac(inter));
    plot(x, int(std::floor(inter)) + 1, frac(inter));
    inter += gradient;
  }
}

int CopyPiece(int x, int y, uint32_t* picture, JST::iPOINT pictureSize, uint32_t* piece, JST::iPOINT pieceSize,
              uint32_t* mask, JST::iPOINT maskSize, JST::iPOINT size, int cx0, int cy0) {
  const int w = pictureSize.x, h = pictureSize.y;
  if (!picture || !piece || !mask || w <= 0 || h <= 0 || size.x <= 0 || size.y <= 0) return -1;
  if (maskSize.x != w || maskSize.y != h) return -1;
  if (pieceSize.x < size.x || pieceSize.y < size.y) return -1;

  // The piece box in picture coordinates, clipped to the picture.
  const int64_t cx = int64_t(size.x / 2) + cx0, cy = int64_t(size.y / 2) + cy0;
  const int64_t bx0 = cx - size.x, by0 = cy - size.y;
  const int lox = int(bx0 < 0 ? 0 : bx0), loy = int(by0 < 0 ? 0 : by0);
  const int hix = int(cx > w ? w : cx), hiy = int(cy > h ? h : cy);
  // Picture (X, Y) -> piece (X - bx0, Y - by0).
  const int64_t offX = -bx0, offY = -by0;
  const size_t pitch = size_t(w), piecePitch = size_t(pieceSize.x);

  // The mask's border becomes transparent so the fill never leaves the picture.
  for (int i = 0; i < w; ++i) {
    mask[size_t(i)] &= 0x00FFFFFFu;
    mask[size_t(h - 1) * pitch + size_t(i)] &= 0x00FFFFFFu;
  }
  for (int j = 0; j < h; ++j) {
    mask[size_t(j) * pitch] &= 0x00FFFFFFu;
    mask[size_t(j) * pitch + size_t(w - 1)] &= 0x00FFFFFFu;
  }

  // The pixels taken are the 4-connected free pixels (mask and picture
  // alpha non-zero, inside the box) reachable from the seed's neighbours;
  // the cut-line pixels copied are those next to a taken pixel or to the
  // seed. Neither depends on the order of the visit, so the fill runs span
  // by span along rows, which reads the picture and mask in memory order.
  auto at = [&](int px, int py) { return size_t(py) * pitch + size_t(px); };
  auto pieceAt = [&](int px, int py) {
    return piece + size_t(int64_t(py) + offY) * piecePitch + size_t(int64_t(px) + offX);
  };
  auto free_ = [&](size_t i) { return mask[i] >= 0x01000000u && picture[i] >= 0x01000000u; };
  // A cut line (mask alpha 0) keeps the picture's colour with alpha 0.
  auto line = [&](int px, int py, size_t i) { *pieceAt(px, py) = picture[i] & 0x00FFFFFFu; };

  struct Pt {
    int x, y;
  };
  std::vector<Pt> todo;
  todo.reserve(256);
  int taken = 0;

  // The seed may lie anywhere, even outside the picture: its neighbours
  // (right, left, below, above) get the full test.
  static constexpr int kDx[4] = {1, -1, 0, 0};
  static constexpr int kDy[4] = {0, 0, 1, -1};
  for (int k = 0; k < 4; ++k) {
    const int64_t nx = int64_t(x) + kDx[k], ny = int64_t(y) + kDy[k];
    if (nx < lox || nx >= hix || ny < loy || ny >= hiy) continue;
    const size_t i = at(int(nx), int(ny));
    if (mask[i] < 0x01000000u) line(int(nx), int(ny), i);
    else if (picture[i] >= 0x01000000u) todo.push_back(Pt{int(nx), int(ny)});
  }

  // Taken pixels lie inside the box and off the mask's transparent border,
  // so their neighbours are inside the picture: only the box is tested.
  while (!todo.empty()) {
    const Pt p = todo.back();
    todo.pop_back();
    const size_t row = at(0, p.y);
    if (!free_(row + size_t(p.x))) continue;  // taken meanwhile by another span
    int l = p.x, r = p.x;
    while (l - 1 >= lox && free_(row + size_t(l - 1))) --l;
    while (r + 1 < hix && free_(row + size_t(r + 1))) ++r;
    uint32_t* dst = pieceAt(l, p.y);
    for (int px = l; px <= r; ++px, ++dst) {
      const uint32_t src = picture[row + size_t(px)];
      *dst = src | 0xFF000000u;
      picture[row + size_t(px)] = src & 0x00FFFFFFu;
    }
    taken += r - l + 1;
    if (l - 1 >= lox && mask[row + size_t(l - 1)] < 0x01000000u) line(l - 1, p.y, row + size_t(l - 1));
    if (r + 1 < hix && mask[row + size_t(r + 1)] < 0x01000000u) line(r + 1, p.y, row + size_t(r + 1));
    for (const int ny : {p.y + 1, p.y - 1}) {
      if (ny < loy || ny >= hiy) continue;
      const size_t nrow = at(0, ny);
      bool inRun = false;
      for (int px = l; px <= r; ++px) {
        const size_t i = nrow + size_t(px);
        if (mask[i] < 0x01000000u) {
          line(px, ny, i);
          inRun = false;
        } else if (picture[i] >= 0x01000000u) {
          if (!inRun) todo.push_back(Pt{px, ny});  // one start per run of free pixels
          inRun = true;
        } else {
          inRun = false;
        }
      }
    }
  }
  return taken;
}

void IpointToCutVector(const JST::iPOINT* pts, ZOV::JINCUTVECTOR* head, int n) {
  if (!pts || !head) return;
  for (int i = 0; i < n; ++i)
    head->next = new ZOV::JINCUTVECTOR(i, float(pts[i].x), float(pts[i].y), head->next);
}

int InsideObj(const ZOV::JINCUTVECTOR* head, int ox, int oy, int x, int y) {
  if (!head || !head->next) return 0;
  const ZOV::JINCUTVECTOR* last = head->next;
  while (last->next) last = last->next;
  const int64_t px = int64_t(x) - ox, py = int64_t(y) - oy;
  int inside = 0;
  int64_t xj = OutlineCoord(last->x), yj = OutlineCoord(last->y);
  for (const ZOV::JINCUTVECTOR* n = head->next; n; n = n->next) {
    const int64_t xi = OutlineCoord(n->x), yi = OutlineCoord(n->y);
    if ((yi < py && py <= yj) || (yj < py && py <= yi)) {
      // Both spans reach about 2^32, so their product needs 128 bits.
      const int64_t cross = xi + int64_t(__int128(xj - xi) * (py - yi) / (yj - yi));
      if (cross < px) inside ^= 1;
    }
    xj = xi;
    yj = yi;
  }
  return inside;
}

}  // namespace GAMETOOLS
