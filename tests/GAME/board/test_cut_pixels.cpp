// The pixel side of the cut on small buffers with exact pixels: the bevel
// and its band widths, cut-line texels joining the piece, bands clipped to
// the buffer, the alpha ramp, the neighbour helpers, the preview rim, and
// conservation: every picture pixel off the cut lines lands in exactly one
// piece, at the right place, with its own colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <queue>
#include <set>
#include <utility>
#include <vector>

#include "GAME/board/cut_geometry.h"
#include "GAME/board/cut_pixels.h"

namespace {

using JST::iPOINT;

struct Buf {
  Buf(int w_, int h_, uint32_t fill = 0) : w(w_), h(h_), px(size_t(w_) * size_t(h_), fill) {}
  uint32_t& at(int x, int y) { return px[size_t(y) * size_t(w) + size_t(x)]; }
  iPOINT size() const { return iPOINT(w, h); }
  void Fill(int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) at(x, y) = c;
  }
  int w, h;
  std::vector<uint32_t> px;
};

int Blue(uint32_t p) { return int(p & 0xFF); }
int AlphaOf(uint32_t p) { return int(p >> 24); }

constexpr uint32_t kGrey = 0xFF646464u;  // 100, 100, 100

TEST(CutBevel, LightTopLeftDarkBottomRight) {
  Buf b(40, 40);
  b.Fill(10, 10, 21, 21, kGrey);
  GAME::DrawBeauty(b.px.data(), b.size());
  struct Px {
    int x, y, value;
  };
  for (const Px& p : {Px{15, 10, 120}, Px{15, 11, 118}, Px{15, 21, 81}, Px{15, 20, 82}, Px{10, 15, 120},
                      Px{21, 15, 81}, Px{10, 10, 140}, Px{21, 21, 62}, Px{11, 21, 99}, Px{15, 15, 100}}) {
    EXPECT_EQ(Blue(b.at(p.x, p.y)), p.value) << p.x << "," << p.y;
    EXPECT_EQ(AlphaOf(b.at(p.x, p.y)), 255) << p.x << "," << p.y;
  }
  EXPECT_EQ(b.at(9, 15), 0u) << "outside stays empty";
  EXPECT_EQ(b.at(22, 15), 0u);
}

TEST(CutBevel, BandWidthFollowsTheImageWidth) {
  struct Row {
    int w;
    std::vector<int> light, dark;  // nearest the edge first
  };
  const Row rows[] = {
      {40, {20, 18}, {-19, -18}},
      {120, {12, 10}, {-11, -10}},
      {170, {18, 15, 12}, {-16, -14, -12}},
      {260, {30, 25, 20, 15, 10}, {-26, -22, -18, -14, -10}},
      {400, {30, 25, 20, 15, 10}, {-26, -22, -18, -14, -10}},
  };
  for (const Row& r : rows) {
    Buf b(r.w, 40);
    b.Fill(10, 10, r.w - 11, 29, kGrey);
    GAME::DrawBeauty(b.px.data(), b.size());
    // Column 15 is beyond every horizontal band: only the vertical scan.
    for (size_t i = 0; i < r.light.size(); ++i)
      EXPECT_EQ(Blue(b.at(15, 10 + int(i))), 100 + r.light[i]) << "w " << r.w << " light " << i;
    for (size_t i = 0; i < r.dark.size(); ++i)
      EXPECT_EQ(Blue(b.at(15, 29 - int(i))), 100 + r.dark[i]) << "w " << r.w << " dark " << i;
    EXPECT_EQ(Blue(b.at(15, 10 + int(r.light.size()))), 100) << "w " << r.w << ": the band ends";
  }
}

TEST(CutBevel, CutLineTexelsJoinThePiece) {
  Buf b(40, 40);
  b.Fill(10, 10, 21, 21, kGrey);
  for (int x = 10; x <= 21; ++x) b.at(x, 9) = 0x00646464u;  // a cut line along the top: colour, alpha 0
  b.at(30, 39) = 0x00646464u;  // one in the last row, which only the rows scan
  b.at(5, 5) = 0x00000000u;    // black with alpha 0 is outside
  GAME::DrawBeauty(b.px.data(), b.size());
  EXPECT_EQ(AlphaOf(b.at(15, 9)), 255);
  EXPECT_EQ(Blue(b.at(15, 9)), 120) << "shaded as the piece's first texel";
  EXPECT_EQ(Blue(b.at(15, 10)), 118);
  EXPECT_EQ(AlphaOf(b.at(30, 39)), 254);
  EXPECT_EQ(b.at(5, 5), 0u);
}

TEST(CutBevel, BandsStayInsideTheBuffer) {
  // A 260 x 3 image (bands of 5) wholly opaque, inside a larger block of
  // guard words: no band may reach past the image's rows or columns.
  const int w = 260, h = 3, guard = 2000;
  std::vector<uint32_t> mem(size_t(w * h + 2 * guard), 0xDEADBEEFu);
  uint32_t* img = mem.data() + guard;
  for (int i = 0; i < w * h; ++i) img[i] = kGrey;
  GAME::DrawBeauty(img, iPOINT(w, h));
  for (int i = 0; i < guard; ++i) {
    ASSERT_EQ(mem[size_t(i)], 0xDEADBEEFu) << "before, " << i;
    ASSERT_EQ(mem[size_t(guard + w * h + i)], 0xDEADBEEFu) << "after, " << i;
  }
}

TEST(CutSmooth, RampAlongAStairStep) {
  Buf b(4, 2);
  const uint32_t top[4] = {0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u};
  for (int x = 0; x < 4; ++x) b.at(x, 0) = top[x];
  b.at(0, 1) = 0xFF010203u;
  GAME::SmoothAlpha(b.px.data(), b.size());
  EXPECT_EQ(b.at(0, 1), 0xFF010203u);
  EXPECT_EQ(b.at(1, 1), 0xE6405060u) << "two opaque neighbours: 230, colour of the last found (above)";
  EXPECT_EQ(b.at(2, 1), 0xD2708090u) << "next to the 230 texel: 210";
  EXPECT_EQ(b.at(3, 1), 0xBEA0B0C0u) << "next to the 210 texel: 190";
  for (int x = 0; x < 4; ++x) EXPECT_EQ(b.at(x, 0), top[x]);
}

TEST(CutSmooth, NotchesAreFilledAndLoneTexelsLeft) {
  Buf b(5, 5);
  b.Fill(0, 0, 4, 1, 0xFF111111u);
  b.at(0, 2) = 0xFF222222u;
  b.at(2, 2) = 0xFF333333u;
  // (1, 2): opaque left, right and up: filled opaque with the colour found
  // last (up). (3, 3): no opaque neighbour at all: untouched.
  GAME::SmoothAlpha(b.px.data(), b.size());
  EXPECT_EQ(b.at(1, 2), 0xFF111111u);
  EXPECT_EQ(b.at(3, 3), 0u);
  EXPECT_EQ(b.at(4, 4), 0u);
}

TEST(CutNeighbours, CountAndPick) {
  Buf b(3, 3);
  b.at(0, 1) = 0xFF0000AAu;  // left
  b.at(2, 1) = 0x800000BBu;  // right, half transparent
  b.at(1, 0) = 0xFF0000CCu;  // up
  EXPECT_EQ(GAME::GetPowerPixel(b.px.data(), b.size(), 1, 1, 255), 2);
  EXPECT_EQ(GAME::GetPowerPixel(b.px.data(), b.size(), 1, 1, 0x80), 1);
  EXPECT_EQ(GAME::GetPowerPixel(b.px.data(), b.size(), 1, 1, 0), 1) << "only down";
  EXPECT_EQ(GAME::GetAnyPix(b.px.data(), b.size(), 1, 1), 0xFF0000CCu) << "the last opaque one: up";
  b.at(1, 2) = 0xFF0000DDu;
  EXPECT_EQ(GAME::GetAnyPix(b.px.data(), b.size(), 1, 1), 0xFF0000DDu) << "down comes last";
  // A corner has two neighbours inside; y comes before x.
  EXPECT_EQ(GAME::GetPowerPixel(b.px.data(), b.size(), 0, 0, 255), 2);
  EXPECT_EQ(GAME::GetAnyPix(b.px.data(), b.size(), 0, 0), 0xFF0000AAu) << "below comes after right";
  EXPECT_EQ(GAME::GetAnyPix(b.px.data(), b.size(), 0, 2), 0xFF0000CCu) << "(2, 0): only its left is opaque";
  EXPECT_EQ(GAME::GetPowerPixel(b.px.data(), b.size(), 0, 2, 255), 1);
  const Buf empty(3, 3);
  EXPECT_EQ(GAME::GetAnyPix(empty.px.data(), empty.size(), 1, 1), 0u);
}

TEST(CutPreview, RimBesideTheLines) {
  Buf b(5, 5, GAME::kPreviewBackground);
  b.at(2, 2) = 0xFFFFFFFFu;
  b.at(3, 2) = 0xFFFFFFFFu;
  GAME::DrawGrid3px(b.px.data(), b.size(), 0xFFFFFFFFu);
  EXPECT_EQ(b.at(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(b.at(3, 2), 0xFFFFFFFFu);
  for (auto [x, y] : {std::pair{1, 2}, std::pair{4, 2}, std::pair{2, 1}, std::pair{2, 3}, std::pair{3, 1},
                      std::pair{3, 3}})
    EXPECT_EQ(b.at(x, y), GAME::kPreviewRim) << x << "," << y;
  EXPECT_EQ(b.at(1, 1), GAME::kPreviewBackground) << "diagonals stay";
  EXPECT_EQ(b.at(0, 2), GAME::kPreviewBackground);
}

// Cuts a picture of unique colours and checks, right after the flood fill
// (before the bevel), that the pieces share the picture out exactly.
void ExpectConservation(int w, int h, int min, float distortion) {
  const GAME::CUT_LAYOUT L = GAME::LayoutCut(w, h, min, distortion);
  const iPOINT size(w, h);
  std::vector<uint32_t> picture(size_t(w) * size_t(h)), mask(picture.size(), GAME::kMaskOpen);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = 0xFF000000u | uint32_t(i + 1);
  const std::vector<uint32_t> original = picture;
  GAME::DrawCutLines(L, mask.data(), size, GAME::kMaskLine);
  const std::vector<uint32_t> lines = mask;

  const iPOINT box = GAME::PieceBoxSize(L.grid, L.d);
  const iPOINT isz(box.x + 1, box.y + 1);
  const int n = L.grid.cols * L.grid.rows;
  std::vector<std::vector<uint32_t>> images(static_cast<size_t>(n));
  std::vector<int> taken(static_cast<size_t>(n));
  for (int id = 0; id < n; ++id) {
    const int c = id % L.grid.cols, r = id / L.grid.cols;
    taken[size_t(id)] = GAME::CutPieceImage(L.Seed(c, r), picture.data(), mask.data(), size, box,
                                            L.CellCentre(c, r), images[size_t(id)], false);
    ASSERT_GT(taken[size_t(id)], 0) << "piece " << c << "," << r;
  }
  GAME::AdoptPockets(L, picture.data(), mask.data(), size, box, images);

  std::vector<int> owner(picture.size(), -1);
  for (int id = 0; id < n; ++id) {
    const int c = id % L.grid.cols, r = id / L.grid.cols;
    const iPOINT seed = L.Seed(c, r), centre = L.CellCentre(c, r);
    // Piece pixel (X, Y) holds picture pixel (X + cx - size, Y + cy - size).
    const int cx = isz.x / 2 + centre.x, cy = isz.y / 2 + centre.y;
    std::set<std::pair<int, int>> filled;
    for (int y = 0; y < isz.y; ++y)
      for (int x = 0; x < isz.x; ++x) {
        const uint32_t p = images[size_t(id)][size_t(y) * size_t(isz.x) + size_t(x)];
        if (AlphaOf(p) != 255) continue;
        const int px = x + cx - isz.x, py = y + cy - isz.y;
        ASSERT_TRUE(px >= 0 && py >= 0 && px < w && py < h);
        const size_t i = size_t(py) * size_t(w) + size_t(px);
        ASSERT_EQ(p, original[i]) << "piece " << id << " pixel " << px << "," << py;
        ASSERT_EQ(owner[i], -1) << "pixel " << px << "," << py << " in pieces " << owner[i] << " and " << id;
        owner[i] = id;
        filled.insert({px, py});
      }
    ASSERT_GE(int(filled.size()), taken[size_t(id)]);
    // The fill itself is one 4-connected region holding the seed (pockets
    // given afterwards lie beyond a cut line).
    ASSERT_TRUE(filled.count({seed.x, seed.y})) << "piece " << id;
    std::set<std::pair<int, int>> seen{{seed.x, seed.y}};
    std::queue<std::pair<int, int>> q;
    q.push({seed.x, seed.y});
    while (!q.empty()) {
      auto [x, y] = q.front();
      q.pop();
      for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        const std::pair<int, int> nb{x + dx, y + dy};
        if (filled.count(nb) && seen.insert(nb).second) q.push(nb);
      }
    }
    EXPECT_EQ(int(seen.size()), taken[size_t(id)]) << "piece " << id << ": the fill is in one part";
  }
  // Every pixel off the cut lines and the outer frame is in a piece, and
  // the picture's alpha is cleared exactly there.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * size_t(w) + size_t(x);
      const bool frame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      const bool line = AlphaOf(lines[i]) == 0;
      const bool expectTaken = !frame && !line;
      EXPECT_EQ(owner[i] >= 0, expectTaken) << x << "," << y;
      EXPECT_EQ(AlphaOf(picture[i]) == 0, expectTaken) << x << "," << y;
    }
}

TEST(CutConservation, EveryPixelInExactlyOnePiece) {
  ExpectConservation(120, 90, 3, 0.0f);
  ExpectConservation(120, 90, 3, 1.0f);
  ExpectConservation(90, 120, 4, 1.0f);
  ExpectConservation(400, 300, 15, 1.0f);
}

}  // namespace
