// The pixel tools on small buffers with exact expected pixels: lines and
// their short end, curves, the jigsaw edge, shading, the flood-fill cut, the
// outline tests, and the texture forms over the renderer's CPU textures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "platform/gfx.h"

namespace {

using JST::iPOINT;
using Px = std::pair<int, int>;

struct Buf {
  Buf(int w_, int h_, uint32_t fill = 0) : w(w_), h(h_), px(size_t(w_) * size_t(h_), fill) {}
  uint32_t& at(int x, int y) { return px[size_t(y) * size_t(w) + size_t(x)]; }
  iPOINT size() const { return iPOINT(w, h); }
  std::set<Px> Painted(uint32_t colour) const {
    std::set<Px> s;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (px[size_t(y) * size_t(w) + size_t(x)] == colour) s.insert({x, y});
    return s;
  }
  int w, h;
  std::vector<uint32_t> px;
};

constexpr uint32_t kInk = 0xFFABCDEFu;

TEST(PixelLines, EndOnePixelShortAndClip) {
  struct Row {
    int x0, y0, x1, y1;
    std::set<Px> expected;
  };
  const std::vector<Row> rows = {
      {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
      {0, 0, 0, 0, {{0, 0}}},
      {3, 0, 0, 0, {{3, 0}, {2, 0}, {1, 0}}},
      {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {0, 0, 1, 3, {{0, 0}, {0, 1}, {0, 2}}},
      {-2, 1, 2, 1, {{0, 1}, {1, 1}}},    // x -2 and -1 fall outside
      {5, 7, 12, 7, {{5, 7}, {6, 7}, {7, 7}}},  // runs off the right edge
  };
  for (const Row& r : rows) {
    Buf b(8, 8);
    GAMETOOLS::DrawLineInTex(r.x0, r.y0, r.x1, r.y1, b.size(), b.px.data(), kInk);
    EXPECT_EQ(b.Painted(kInk), r.expected) << r.x0 << "," << r.y0 << " - " << r.x1 << "," << r.y1;
    EXPECT_EQ(b.Painted(kInk).size() + b.Painted(0).size(), 64u) << "nothing else is written";
  }
}

TEST(PixelLines, ALineFarOutsideWritesNothing) {
  // Guard words around the buffer catch any write past its ends.
  std::vector<uint32_t> mem(4 * 4 + 8, 0x5A5A5A5Au);
  uint32_t* buf = mem.data() + 4;
  for (int i = 0; i < 16; ++i) buf[i] = 0;
  GAMETOOLS::DrawLineInTex(-10, -3, 20, -1, iPOINT(4, 4), buf, kInk);
  GAMETOOLS::DrawLineInTex(-5, 5, 9, 4, iPOINT(4, 4), buf, kInk);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(mem[size_t(i)], 0x5A5A5A5Au);
  for (int i = 20; i < 24; ++i) EXPECT_EQ(mem[size_t(i)], 0x5A5A5A5Au);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(buf[i], 0u);
}

TEST(PixelCurves, BezierPoints) {
  struct Row {
    iPOINT got, expected;
  };
  const iPOINT o(0, 0), a(10, 0), c(10, 10);
  const std::vector<Row> rows = {
      {GAMETOOLS::Bezier3(o, a, c, 0.5), {7, 2}},
      {GAMETOOLS::Bezier3ex(o, a, c, 0.0), {5, 0}},
      {GAMETOOLS::Bezier3ex(o, a, c, 1.0), {10, 5}},
      {GAMETOOLS::Bezier3ex(o, a, c, 0.5), {8, 1}},
      {GAMETOOLS::Bezier3ex(iPOINT(-3, 0), o, iPOINT(3, 0), 0.0), {-1, 0}},
      {GAMETOOLS::Bezier4(o, iPOINT(0, 10), c, a, 0.5), {5, 7}},
      // Midpoints of coordinates at the int limits do not overflow.
      {GAMETOOLS::Bezier3ex(iPOINT(INT_MAX, INT_MIN), iPOINT(INT_MAX, INT_MIN), iPOINT(INT_MAX, INT_MIN), 0.5),
       {INT_MAX, INT_MIN}},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].got.x, rows[i].expected.x) << "row " << i;
    EXPECT_EQ(rows[i].got.y, rows[i].expected.y) << "row " << i;
  }
}

TEST(PixelCurves, DrawnCurveIsAClosedChain) {
  // A straight "curve" along row 0 (where the weights' rounding cannot move
  // a coordinate): the chain of 100 lines covers every pixel from the start
  // to one short of the end.
  Buf b(16, 4);
  GAMETOOLS::DrawBezier3(iPOINT(0, 0), iPOINT(5, 0), iPOINT(10, 0), b.size(), b.px.data(), kInk);
  std::set<Px> row;
  for (int x = 0; x < 10; ++x) row.insert({x, 0});
  EXPECT_EQ(b.Painted(kInk), row);
}

TEST(PixelCurves, JigsawEdgeLeavesZeroPixelsAlone) {
  // A flat edge along row 0: every ear on the line, so the middle samples
  // fall on row 0 between the ear midpoints.
  Buf b(64, 4, 0x00FFFFFFu);
  iPOINT ears[7];
  for (int k = 0; k < 7; ++k) ears[k] = iPOINT(8 + 6 * k, 0);
  b.at(30, 0) = 0;  // under the middle part
  GAMETOOLS::DrawBezier7(iPOINT(2, 0), iPOINT(60, 0), ears, b.size(), b.px.data(), kInk, 1);
  EXPECT_EQ(b.at(30, 0), 0u) << "a zero pixel is not painted";
  EXPECT_EQ(b.at(29, 0), kInk);
  EXPECT_EQ(b.at(31, 0), kInk);
  for (int x = 2; x < 60; ++x) {
    if (x != 30) {
      EXPECT_EQ(b.at(x, 0), kInk) << x;
    }
  }
  EXPECT_EQ(b.Painted(kInk).size(), 57u) << "only the edge's own row, ending one short of b";
}

TEST(PixelCurves, JigsawEdgeAtTheIntLimitsWritesNothing) {
  std::vector<uint32_t> buf(64, 0xFF000000u);
  const iPOINT far(INT_MAX, INT_MAX);
  const iPOINT ears[7] = {far, far, far, far, far, far, far};
  GAMETOOLS::DrawBezier7(far, far, ears, iPOINT(8, 8), buf.data(), 0xFFFFFFFFu, 1);
  for (uint32_t p : buf) EXPECT_EQ(p, 0xFF000000u);
}

TEST(PixelCurves, JigsawEdgeWithTabStaysInsideAndDensityZeroEnds) {
  Buf b(40, 40, 0x00FFFFFFu);
  const iPOINT ears[7] = {{10, 20}, {14, 20}, {12, 10}, {20, 4}, {28, 10}, {26, 20}, {30, 20}};
  GAMETOOLS::DrawBezier7(iPOINT(-5, 20), iPOINT(45, 20), ears, b.size(), b.px.data(), kInk, 0);
  const std::set<Px> painted = b.Painted(kInk);
  EXPECT_GT(painted.size(), 40u);
  EXPECT_TRUE(painted.count({20, 5})) << "the tab's top is drawn";
  EXPECT_TRUE(painted.count({0, 20}) && painted.count({39, 20})) << "ends clipped at the edges";
}

TEST(PixelCurves, ALongJigsawEdgeIsClosed) {
  // A 4,000-pixel edge with a tab a quarter of its length deep, drawn at the
  // coarsest density of the cut: a 4-connected fill from the left of the
  // line must not reach its right side anywhere between its ends.
  const int w = 1500, h = 4200, lineX = 1200, top = 100, len = 4000;
  Buf b(w, h, 0xFFFFFFFFu);
  const int tmpl[7][2] = {{25, -3}, {48, 0}, {35, 16}, {50, 25}, {65, 16}, {52, 0}, {75, -3}};
  iPOINT ears[7];
  for (int k = 0; k < 7; ++k) ears[k] = iPOINT(lineX - tmpl[k][1] * len / 100, top + tmpl[k][0] * len / 100);
  for (int density : {3, 15}) {
    std::fill(b.px.begin(), b.px.end(), 0xFFFFFFFFu);
    GAMETOOLS::DrawBezier7(iPOINT(lineX, top), iPOINT(lineX, top + len), ears, b.size(), b.px.data(), 0u + 1u,
                           density);
    std::vector<char> seen(b.px.size(), 0);
    std::vector<Px> todo{{5, h / 2}};
    seen[size_t(h / 2) * size_t(w) + 5] = 1;
    bool leaked = false;
    while (!todo.empty() && !leaked) {
      const Px p = todo.back();
      todo.pop_back();
      for (const Px& d : {Px{1, 0}, Px{-1, 0}, Px{0, 1}, Px{0, -1}}) {
        const int x = p.first + d.first, y = p.second + d.second;
        if (x < 0 || x >= w || y <= top + 1 || y >= top + len - 1) continue;
        const size_t i = size_t(y) * size_t(w) + size_t(x);
        if (seen[i] || b.px[i] == 1u) continue;
        seen[i] = 1;
        if (x > lineX + 200) leaked = true;
        todo.push_back({x, y});
      }
    }
    EXPECT_FALSE(leaked) << "density " << density;
  }
}

TEST(PixelShading, DeltaForm) {
  struct Row {
    uint32_t before;
    int delta;
    uint32_t after;
  };
  for (const Row r : {Row{0xFF0064FAu, 20, 0xFF1478FFu}, Row{0xFF14640Au, -20, 0xFF005000u},
                      Row{0x00102030u, 20, 0x00102030u}, Row{0x80102030u, 0, 0x80102030u},
                      Row{0x80FFFFFFu, 300, 0x80FFFFFFu}, Row{0x01000000u, -300, 0x01000000u},
                      Row{0xFF0064FAu, INT_MAX, 0xFFFFFFFFu}, Row{0xFF0064FAu, INT_MIN, 0xFF000000u}}) {
    Buf b(2, 2);
    b.at(1, 1) = r.before;
    GAMETOOLS::DrawPointInTex(1, 1, b.px.data(), b.size(), r.delta);
    EXPECT_EQ(b.at(1, 1), r.after) << std::hex << r.before << " " << std::dec << r.delta;
  }
}

TEST(PixelShading, DistanceFormSetsOnlyAlphaAndClampsD) {
  struct Row {
    double d;
    uint32_t alpha;
  };
  for (const Row r : {Row{0.0, 255}, Row{0.75, 180}, Row{1.0, 147}, Row{1.5, 0}, Row{3.0, 0}, Row{-1.0, 255}}) {
    Buf b(1, 1, 0x11223344u);
    GAMETOOLS::DrawPointInTex(0, 0, b.px.data(), b.size(), 0xFFFFFFFFu, r.d);
    EXPECT_EQ(b.at(0, 0), r.alpha << 24 | 0x223344u) << r.d;
  }
}

TEST(PixelShading, PointsOutsideTheBufferAreSkipped) {
  std::vector<uint32_t> mem(3 * 3 + 6, 0xFF808080u);
  uint32_t* buf = mem.data() + 3;
  const iPOINT size(3, 3);
  for (const Px& p : {Px{-1, 0}, Px{3, 0}, Px{0, -1}, Px{0, 3}, Px{-1, -1}}) {
    GAMETOOLS::DrawPointInTex(p.first, p.second, buf, size, 50);
    GAMETOOLS::DrawPointInTex(p.first, p.second, buf, size, 0u, 1.0);
  }
  // The brushes and the Wu line near the corner mirror points to negative
  // coordinates.
  GAMETOOLS::DrawCircle(0, 0, 5, buf, size, 0);
  GAMETOOLS::DrawKub(0, 0, 5, buf, size, 0);
  GAMETOOLS::DrawLineInTexWu(-4, -3, 7, 5, size, buf, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(mem[size_t(i)], 0xFF808080u);
  for (int i = 12; i < 15; ++i) EXPECT_EQ(mem[size_t(i)], 0xFF808080u);
}

TEST(PixelShading, WuLineWritesItsWeightsAsDistances) {
  // A horizontal line on row 1: the ends carry half weight, the inside full
  // weight on row 1 and none on row 2; each weight w becomes the alpha of
  // the distance form, 255 * sqrt(1 - 2w/3).
  Buf b(6, 3, 0xFF112233u);
  GAMETOOLS::DrawLineInTexWu(0, 1, 4, 1, b.size(), b.px.data(), 0);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, 0), 0xFF112233u) << x;
  EXPECT_EQ(b.at(0, 1) >> 24, 208u);
  EXPECT_EQ(b.at(4, 1) >> 24, 208u);
  for (int x = 1; x < 4; ++x) {
    EXPECT_EQ(b.at(x, 1), 0x93112233u) << x;
    EXPECT_EQ(b.at(x, 2), 0xFF112233u) << x;
  }
  EXPECT_EQ(b.at(5, 1), 0xFF112233u);
}

TEST(PixelShading, SquareBrushSides) {
  Buf b(9, 9, 0xFF808080u);
  GAMETOOLS::DrawKub(4, 4, 2, b.px.data(), b.size(), 1);  // the right side lighter
  EXPECT_EQ(b.at(6, 4), 0xFF999999u);                     // (cx + i, cy) +25
  EXPECT_EQ(b.at(4, 2), 0xFF999999u);                     // (cx, cy - i) +25
  EXPECT_EQ(b.at(6, 6), 0xFFB2B2B2u);                     // (cx + i, cy + i) +50
  EXPECT_EQ(b.at(2, 4), 0xFF808080u) << "the left side untouched";
  EXPECT_EQ(b.at(4, 4), 0xFFFFFFFFu) << "the centre is shaded by all five i = 0 points, clamped";
  Buf c(9, 9, 0xFF808080u);
  GAMETOOLS::DrawKub(4, 4, 2, c.px.data(), c.size(), 7);
  EXPECT_EQ(c.Painted(0xFF808080u).size(), 81u) << "unknown types draw nothing";
}

TEST(PixelShading, CircleBrushHalves) {
  Buf b(21, 21, 0xFF808080u);
  GAMETOOLS::DrawCircle(10, 10, 6, b.px.data(), b.size(), 1);  // right half lighter
  int lighter = 0, others = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      if (b.at(x, y) == 0xFF808080u) continue;
      EXPECT_GT(x, 10) << x << "," << y;
      if ((b.at(x, y) & 0xFF) > 0x80) ++lighter;
      else ++others;
    }
  EXPECT_GT(lighter, 0);
  EXPECT_EQ(others, 0);
}

// The ring fixture: a 10x10 grey picture, a mask with a ring of transparent
// pixels at x in {2, 7} and y in {2, 7} around the seed (4, 4).
struct Ring {
  Ring() : picture(10, 10, 0xFF808080u), mask(10, 10, 0xFF000000u), piece(10, 10, 0x12345678u) {
    for (int i = 2; i <= 7; ++i) {
      mask.at(2, i) = mask.at(7, i) = 0x00FFFFFFu;
      mask.at(i, 2) = mask.at(i, 7) = 0x00FFFFFFu;
    }
  }
  int Cut(int cx0, int cy0) {
    return GAMETOOLS::CopyPiece(4, 4, picture.px.data(), picture.size(), piece.px.data(), piece.size(),
                                mask.px.data(), mask.size(), iPOINT(10, 10), cx0, cy0);
  }
  Buf picture, mask, piece;
};

TEST(PixelCut, RingFixtureCopiesTheInsideAndTheLineSides) {
  Ring r;
  EXPECT_EQ(r.Cut(5, 5), 16);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool interior = x >= 3 && x <= 6 && y >= 3 && y <= 6;
      const bool side = ((x == 2 || x == 7) && y >= 3 && y <= 6) || ((y == 2 || y == 7) && x >= 3 && x <= 6);
      const uint32_t expected = interior ? 0xFF808080u : (side ? 0x00808080u : 0x12345678u);
      EXPECT_EQ(r.piece.at(x, y), expected) << x << "," << y;
      EXPECT_EQ(r.picture.at(x, y) >> 24, interior ? 0u : 0xFFu) << x << "," << y;
      const bool border = x == 0 || y == 0 || x == 9 || y == 9;
      if (border) {
        EXPECT_EQ(r.mask.at(x, y) >> 24, 0u) << "mask border " << x << "," << y;
      }
    }
  // A second cut finds the interior already taken.
  std::vector<uint32_t> before = r.piece.px;
  EXPECT_EQ(r.Cut(5, 5), 0);
  for (int y = 3; y <= 6; ++y)
    for (int x = 3; x <= 6; ++x) EXPECT_EQ(r.piece.at(x, y), before[size_t(y * 10 + x)]);
}

TEST(PixelCut, TheBoxLimitsTheFill) {
  Ring r;
  EXPECT_EQ(r.Cut(0, 5), 8) << "box x < 5: columns 3 and 4 of the four interior rows";
  for (int y = 3; y <= 6; ++y) {
    EXPECT_EQ(r.picture.at(3, y) >> 24, 0u);
    EXPECT_EQ(r.picture.at(4, y) >> 24, 0u);
    EXPECT_EQ(r.picture.at(5, y) >> 24, 0xFFu);
    EXPECT_EQ(r.picture.at(6, y) >> 24, 0xFFu);
    // picture (X, Y) -> piece (X - 5 + 10, Y)
    EXPECT_EQ(r.piece.at(8, y), 0xFF808080u);
    EXPECT_EQ(r.piece.at(9, y), 0xFF808080u);
  }
}

TEST(PixelCut, MismatchedSizesCopyNothing) {
  Ring r;
  const std::vector<uint32_t> pic = r.picture.px, piece = r.piece.px, mask = r.mask.px;
  struct Row {
    iPOINT pictureSize, pieceSize, maskSize, box;
  };
  for (const Row& row : {Row{{10, 10}, {10, 10}, {9, 10}, {10, 10}}, Row{{10, 10}, {10, 10}, {10, 10}, {11, 10}},
                         Row{{10, 10}, {10, 9}, {10, 10}, {10, 10}}, Row{{10, 10}, {10, 10}, {10, 10}, {0, 10}},
                         Row{{0, 10}, {10, 10}, {0, 10}, {10, 10}}}) {
    EXPECT_EQ(GAMETOOLS::CopyPiece(4, 4, r.picture.px.data(), row.pictureSize, r.piece.px.data(), row.pieceSize,
                                   r.mask.px.data(), row.maskSize, row.box, 5, 5),
              -1);
  }
  EXPECT_EQ(r.picture.px, pic);
  EXPECT_EQ(r.piece.px, piece);
  EXPECT_EQ(r.mask.px, mask);
}

TEST(PixelCut, ALargePieceIsCutWhole) {
  // A 200x200 region: its breadth-first rings hold far more than 2000 points.
  const int W = 240, H = 240;
  Buf picture(W, H, 0xFF336699u), mask(W, H, 0xFFFFFFFFu), piece(220, 220, 0);
  for (int i = 19; i <= 220; ++i) {
    mask.at(19, i) = mask.at(220, i) = 0x00FFFFFFu;
    mask.at(i, 19) = mask.at(i, 220) = 0x00FFFFFFu;
  }
  // Box 10 <= X < 230, seed in the middle: cx = 110 + 120 = 230.
  const int taken = GAMETOOLS::CopyPiece(120, 120, picture.px.data(), picture.size(), piece.px.data(),
                                         piece.size(), mask.px.data(), mask.size(), iPOINT(220, 220), 120, 120);
  EXPECT_EQ(taken, 200 * 200);
  EXPECT_EQ(piece.Painted(0xFF336699u).size(), 200u * 200u);
  EXPECT_EQ(piece.at(20 - 10, 20 - 10), 0xFF336699u);
  EXPECT_EQ(piece.at(219 - 10, 219 - 10), 0xFF336699u);
  EXPECT_EQ(piece.at(19 - 10, 100), 0x00336699u) << "the cut line with alpha 0";
}

TEST(PixelCut, SeedOnAnEdgeStaysInside) {
  // A seed in the picture's corner with the whole mask opaque: the border
  // zeroing keeps the fill from wrapping or leaving the picture.
  Buf picture(6, 4, 0xFF010203u), mask(6, 4, 0xFFFFFFFFu), piece(6, 4, 0);
  EXPECT_EQ(GAMETOOLS::CopyPiece(0, 0, picture.px.data(), picture.size(), piece.px.data(), piece.size(),
                                 mask.px.data(), mask.size(), iPOINT(6, 4), 3, 2),
            0) << "the seed's neighbours are all on the zeroed border";
  EXPECT_EQ(GAMETOOLS::CopyPiece(2, 2, picture.px.data(), picture.size(), piece.px.data(), piece.size(),
                                 mask.px.data(), mask.size(), iPOINT(6, 4), 3, 2),
            8) << "the 4x2 inside of a 6x4 picture";
}

// The cut as a plain breadth-first fill with two frontiers, neighbours right,
// left, below, above: what the span fill must match pixel for pixel.
int ReferenceCut(int x, int y, Buf& picture, Buf& piece, Buf& mask, iPOINT size, int cx0, int cy0) {
  const int w = picture.w, h = picture.h;
  for (int i = 0; i < w; ++i) {
    mask.at(i, 0) &= 0x00FFFFFFu;
    mask.at(i, h - 1) &= 0x00FFFFFFu;
  }
  for (int j = 0; j < h; ++j) {
    mask.at(0, j) &= 0x00FFFFFFu;
    mask.at(w - 1, j) &= 0x00FFFFFFu;
  }
  const int cx = size.x / 2 + cx0, cy = size.y / 2 + cy0;
  std::vector<Px> cur{{x, y}}, nxt;
  int taken = 0;
  while (!cur.empty()) {
    nxt.clear();
    for (const Px& p : cur) {
      for (const Px& d : {Px{1, 0}, Px{-1, 0}, Px{0, 1}, Px{0, -1}}) {
        const int nx = p.first + d.first, ny = p.second + d.second;
        if (nx < 0 || ny < 0 || nx >= w || ny >= h || nx < cx - size.x || nx >= cx || ny < cy - size.y || ny >= cy)
          continue;
        uint32_t& dst = piece.at(nx - cx + size.x, ny - cy + size.y);
        uint32_t& src = picture.at(nx, ny);
        if ((mask.at(nx, ny) >> 24) == 0) {
          dst = src & 0x00FFFFFFu;
        } else if ((src >> 24) != 0) {
          dst = src | 0xFF000000u;
          src &= 0x00FFFFFFu;
          nxt.push_back({nx, ny});
          ++taken;
        }
      }
    }
    std::swap(cur, nxt);
  }
  return taken;
}

TEST(PixelCut, MatchesABreadthFirstFillOnRandomMasks) {
  std::mt19937 rng(20261210);
  long total = 0;
  for (int round = 0; round < 300; ++round) {
    const int w = 8 + int(rng() % 40), h = 8 + int(rng() % 40);
    Buf picture(w, h), mask(w, h);
    const int lineShare = int(rng() % 35), takenShare = int(rng() % 15);
    for (uint32_t& p : picture.px) p = (rng() & 0x00FFFFFFu) | (int(rng() % 100) < takenShare ? 0u : 0xFF000000u);
    for (uint32_t& m : mask.px) m = (rng() & 0x00FFFFFFu) | (int(rng() % 100) < lineShare ? 0u : 0xFF000000u);
    // Boxes from a few pixels to more than the picture, mostly over it;
    // seeds mostly inside, some on the border or outside.
    const iPOINT size(4 + int(rng() % uint32_t(w + 8)), 4 + int(rng() % uint32_t(h + 8)));
    const int cx0 = w / 2 + int(rng() % 11) - 5, cy0 = h / 2 + int(rng() % 11) - 5;
    const int sx = int(rng() % uint32_t(w + 4)) - 2, sy = int(rng() % uint32_t(h + 4)) - 2;
    Buf piece(size.x, size.y);
    for (uint32_t& p : piece.px) p = rng();
    Buf picture2 = picture, mask2 = mask, piece2 = piece;
    const int want = ReferenceCut(sx, sy, picture2, piece2, mask2, size, cx0, cy0);
    const int got = GAMETOOLS::CopyPiece(sx, sy, picture.px.data(), picture.size(), piece.px.data(), piece.size(),
                                         mask.px.data(), mask.size(), size, cx0, cy0);
    ASSERT_EQ(got, want) << "round " << round;
    ASSERT_EQ(picture.px, picture2.px) << "round " << round;
    ASSERT_EQ(piece.px, piece2.px) << "round " << round;
    ASSERT_EQ(mask.px, mask2.px) << "round " << round;
    total += got;
  }
  EXPECT_GT(total, 20000) << "the rounds do cut something";
}

JST::iPOINT Square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TEST(PixelOutline, CutVectorRunsBackwards) {
  ZOV::JINCUTVECTOR head;
  const JST::iPOINT pts[3] = {{1, 2}, {3, 4}, {5, 6}};
  GAMETOOLS::IpointToCutVector(pts, &head, 3);
  const ZOV::JINCUTVECTOR* n = head.next;
  for (int i = 2; i >= 0; --i, n = n->next) {
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->index, i);
    EXPECT_EQ(n->x, float(pts[i].x));
    EXPECT_EQ(n->y, float(pts[i].y));
  }
  EXPECT_EQ(n, nullptr);
}

TEST(PixelOutline, InsideASquare) {
  ZOV::JINCUTVECTOR head;
  GAMETOOLS::IpointToCutVector(Square, &head, 4);
  struct Row {
    int ox, oy, x, y, inside;
  };
  for (const Row r : {Row{0, 0, 5, 5, 1}, Row{0, 0, 15, 5, 0}, Row{0, 0, 5, 0, 0}, Row{0, 0, 5, 10, 1},
                      Row{0, 0, 0, 5, 0}, Row{0, 0, 10, 5, 1}, Row{100, 100, 105, 105, 1}, Row{100, 100, 5, 5, 0},
                      Row{0, 0, -5, 5, 0}})
    EXPECT_EQ(GAMETOOLS::InsideObj(&head, r.ox, r.oy, r.x, r.y), r.inside) << r.x << "," << r.y;
  ZOV::JINCUTVECTOR empty;
  EXPECT_EQ(GAMETOOLS::InsideObj(&empty, 0, 0, 5, 5), 0);
  EXPECT_EQ(GAMETOOLS::InsideObj(nullptr, 0, 0, 5, 5), 0);
}

TEST(PixelOutline, OutlineCoordinatesAreTruncated) {
  ZOV::JINCUTVECTOR head;
  head.next = new ZOV::JINCUTVECTOR(0, -0.9f, 10.9f, nullptr);
  head.next = new ZOV::JINCUTVECTOR(1, 10.9f, 10.9f, head.next);
  head.next = new ZOV::JINCUTVECTOR(2, 10.9f, -0.9f, head.next);
  head.next = new ZOV::JINCUTVECTOR(3, -0.9f, -0.9f, head.next);
  // As the square (0,0)-(10,10): x = 10 is inside, x = 0 outside.
  EXPECT_EQ(GAMETOOLS::InsideObj(&head, 0, 0, 10, 5), 1);
  EXPECT_EQ(GAMETOOLS::InsideObj(&head, 0, 0, 0, 5), 0);
}

TEST(PixelOutline, OutlinesNearTheIntLimitsAreExact) {
  // The crossing of the long diagonal edge multiplies two spans of about
  // 4e9 each, past the 64-bit range.
  constexpr int L = 2100000000;
  const JST::iPOINT tri[3] = {{-L, -L}, {L, L}, {-L, L}};
  ZOV::JINCUTVECTOR head;
  GAMETOOLS::IpointToCutVector(tri, &head, 3);
  EXPECT_EQ(GAMETOOLS::InsideObj(&head, 0, 0, 0, 2000000000), 1);
  EXPECT_EQ(GAMETOOLS::InsideObj(&head, 0, 0, 2050000000, 2000000000), 0);
  EXPECT_EQ(GAMETOOLS::InsideObj(&head, 0, 0, 1990000000, 2000000000), 1);
}

TEST(PixelOutline, MinMax) {
  EXPECT_EQ(GAMETOOLS::MinInt(-3, 2), -3);
  EXPECT_EQ(GAMETOOLS::MaxInt(-3, 2), 2);
}

class PixelTextures : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    gfx = ZOV::GetGame()->GetGfx();
  }
  uint32_t Pixel(unsigned long tex, int x, int y) {
    uint32_t* p = gfx->TextureLock(tex);
    const int w = gfx->GetTextureW(tex);
    const uint32_t v = p[y * w + x];
    gfx->TextureUnlock(tex);
    return v;
  }
  ZOV::JINGFX* gfx = nullptr;
};

TEST_F(PixelTextures, PillAllFillsEveryPixel) {
  const unsigned long tex = gfx->TextureCreate(3, 2);
  ASSERT_NE(tex, 0ul);
  EXPECT_EQ(GAMETOOLS::PillAll(0xFF112233u, tex), 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(tex, x, y), 0xFF112233u);
  EXPECT_EQ(GAMETOOLS::PillAll(0xFF112233u, 0xFFFFul), -1) << "an unknown texture";
  gfx->TextureFree(tex);
}

TEST_F(PixelTextures, LineUsesTheTexturesOwnWidth) {
  const unsigned long tex = gfx->TextureCreate(5, 3);
  EXPECT_EQ(GAMETOOLS::DrawLineInTexLU(0, 2, 4, 2, tex, kInk), 0);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixel(tex, x, 2), x < 4 ? kInk : 0u) << x;
  gfx->TextureFree(tex);
}

TEST_F(PixelTextures, CopyPieceOverTextures) {
  Ring r;
  const unsigned long pic = gfx->TextureCreate(10, 10), mask = gfx->TextureCreate(10, 10),
                      piece = gfx->TextureCreate(10, 10);
  auto put = [&](unsigned long tex, const Buf& b) {
    uint32_t* p = gfx->TextureLock(tex);
    for (size_t i = 0; i < b.px.size(); ++i) p[i] = b.px[i];
    gfx->TextureUnlock(tex);
  };
  put(pic, r.picture);
  put(mask, r.mask);
  put(piece, r.piece);
  EXPECT_EQ(GAMETOOLS::CopyPiece(4, 4, pic, piece, mask, iPOINT(10, 10), 5, 5), 16);
  EXPECT_EQ(Pixel(piece, 4, 4), 0xFF808080u);
  EXPECT_EQ(Pixel(piece, 2, 4), 0x00808080u);
  EXPECT_EQ(Pixel(piece, 0, 0), 0x12345678u);
  EXPECT_EQ(Pixel(pic, 4, 4) >> 24, 0u);
  // A mask of another size, and the same texture twice: nothing copied.
  const unsigned long small = gfx->TextureCreate(9, 10);
  EXPECT_EQ(GAMETOOLS::CopyPiece(4, 4, pic, piece, small, iPOINT(10, 10), 5, 5), -1);
  EXPECT_EQ(GAMETOOLS::CopyPiece(4, 4, pic, pic, mask, iPOINT(10, 10), 5, 5), -1);
  EXPECT_NE(gfx->TextureLock(pic), nullptr) << "every lock was given back";
  gfx->TextureUnlock(pic);
  for (unsigned long t : {pic, mask, piece, small}) gfx->TextureFree(t);
}

}  // namespace
