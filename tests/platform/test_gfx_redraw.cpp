// The bookkeeping behind redrawing only what changed, without GL: which
// tiles a list of draws redraws against the list the target holds, how the
// changed tiles become a few rectangles, where a draw can reach, and where a
// change of a copied texture shows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx_redraw.h"

namespace gfx = plat::gfx;
using gfx::detail::PixRect;
using gfx::detail::TileDiff;

namespace {

constexpr int kT = TileDiff::kTile;

struct Draw {
  uint64_t key;
  PixRect box;
};

std::vector<PixRect> Diff(TileDiff& d, const std::vector<Draw>& list, uint32_t clear = 0, uint64_t gen = 1,
                          int w = 10 * kT, int h = 8 * kT) {
  d.Begin(w, h, gen, clear);
  for (const Draw& x : list) d.Add(x.key, x.box);
  return d.Finish();
}

TEST(TileDiff, RedrawsOnlyTheTilesWhoseDrawsChanged) {
  const std::vector<Draw> base = {{1, {0, 0, 10 * kT, 8 * kT}}, {2, {5, 5, 40, 40}}, {3, {200, 100, 260, 150}}};
  struct Case {
    const char* name;
    std::vector<Draw> next;
    uint32_t clear;
    uint64_t gen;
    std::vector<PixRect> expect;
  } cases[] = {
      {"the same list", base, 0, 1, {}},
      {"one draw moved: its old and new tiles", {base[0], base[1], {4, {200, 130, 260, 180}}}, 0, 1,
       {{6 * kT, 3 * kT, 9 * kT, 6 * kT}}},
      {"two draws apart swapped: nothing", {base[0], base[2], base[1]}, 0, 1, {}},
      {"two overlapping draws swapped: where they meet", {base[1], base[0], base[2]}, 0, 1,
       {{0, 0, 2 * kT, 2 * kT}}},
      {"a draw left out", {base[0], base[1]}, 0, 1, {{6 * kT, 3 * kT, 9 * kT, 5 * kT}}},
      {"another clear colour: everything", base, 5, 1, {{0, 0, 10 * kT, 8 * kT}}},
      {"the target made anew: everything", base, 0, 2, {{0, 0, 10 * kT, 8 * kT}}},
  };
  for (const Case& c : cases) {
    TileDiff d;
    EXPECT_EQ(Diff(d, base).size(), 1u) << "nothing known at first: " << c.name;
    EXPECT_EQ(Diff(d, c.next, c.clear, c.gen), c.expect) << c.name;
    EXPECT_TRUE(Diff(d, c.next, c.clear, c.gen).empty()) << "drawn again unchanged: " << c.name;
  }
}

TEST(TileDiff, ForcedDamageAndInvalidationRedraw) {
  TileDiff d;
  const std::vector<Draw> list = {{1, {0, 0, 320, 256}}};
  Diff(d, list);
  d.Begin(320, 256, 1, 0);
  d.Add(1, {0, 0, 320, 256});
  d.Damage({33, 33, 34, 34});
  EXPECT_EQ(d.Finish(), (std::vector<PixRect>{{kT, kT, 2 * kT, 2 * kT}}));
  d.Invalidate();
  EXPECT_EQ(Diff(d, list), (std::vector<PixRect>{{0, 0, 320, 256}}));
}

TEST(TileDiff, ScatteredChangesBecomeTheirUnionAndEdgesClipToTheTarget) {
  TileDiff d;
  std::vector<Draw> list;
  for (int i = 0; i < 9; ++i) list.push_back({uint64_t(i), {i * kT, i % 2 * 4 * kT, i * kT + 2, i % 2 * 4 * kT + 2}});
  Diff(d, list, 0, 1, 300, 250);
  for (Draw& x : list) x.key += 100;
  const std::vector<PixRect> r = Diff(d, list, 0, 1, 300, 250);
  ASSERT_EQ(r.size(), 1u) << "more than a few rectangles are drawn as one";
  EXPECT_EQ(r[0], (PixRect{0, 0, 9 * kT, 5 * kT}));
  EXPECT_EQ(Diff(d, list, 1, 1, 300, 250), (std::vector<PixRect>{{0, 0, 300, 250}})) << "the last tiles clip";
}

TEST(DrawBounds, CoversEveryPixelADrawCanReach) {
  gfx::State s;
  s.projection = plat::OrthoOffCenterLH(0, 101, 81, 0, 0, 1);  // one unit a pixel on 100 x 80
  const gfx::Vertex quad[3] = {{10, 20, 0, 0, 0, 0}, {30.5f, 20, 0, 0, 0, 0}, {10, 41, 0, 0, 0, 0}};
  EXPECT_EQ(gfx::detail::DrawBounds(s, gfx::Prim::Triangles, quad, 3, 100, 80), (PixRect{9, 19, 32, 42}));
  s.pointSize = 9;
  const gfx::Vertex point[1] = {{50, 40, 0, 0, 0, 0}};
  EXPECT_EQ(gfx::detail::DrawBounds(s, gfx::Prim::Points, point, 1, 100, 80), (PixRect{44, 34, 56, 46}));
  s.projection = plat::PerspectiveFovLH(1.0f, 1.0f, 1.0f, 100.0f);
  const gfx::Vertex behind[1] = {{0, 0, -5, 0, 0, 0}};
  EXPECT_EQ(gfx::detail::DrawBounds(s, gfx::Prim::Points, behind, 1, 100, 80), (PixRect{0, 0, 100, 80}));
}

TEST(SampledDamage, ACopiedQuadShowsTheChangedTexelsWhereTheyLand) {
  gfx::State s;
  s.projection = plat::OrthoOffCenterLH(0, 201, 161, 0, 0, 1);
  // The whole texture of 100 x 80 drawn twice as large at (0, 0).
  const gfx::Vertex quad[4] = {
      {0, 0, 0, 0, 0, 0}, {0, 160, 0, 0, 0, 1}, {200, 160, 0, 0, 1, 1}, {200, 0, 0, 0, 1, 0}};
  const PixRect r = gfx::detail::SampledDamage(s, quad, 4, 200, 160, {10, 10, 20, 15}, 100, 80);
  EXPECT_LE(r.x0, 18);
  EXPECT_LE(r.y0, 18);
  EXPECT_GE(r.x1, 42);
  EXPECT_GE(r.y1, 32);
  EXPECT_LT(r.x1 - r.x0, 40);
  // Turned a quarter: the whole quad.
  const gfx::Vertex turned[4] = {
      {0, 0, 0, 0, 0, 1}, {0, 160, 0, 0, 1, 1}, {200, 160, 0, 0, 1, 0}, {200, 0, 0, 0, 0, 0}};
  EXPECT_EQ(gfx::detail::SampledDamage(s, turned, 4, 200, 160, {10, 10, 20, 15}, 100, 80),
            (PixRect{0, 0, 200, 160}));
}

}  // namespace
