// The nine-patch panel on the recording backend: where each tile lands and
// how large it is for equal and unequal tiles, the minimum size, growing
// from the top-left corner, the drawing order with a tile switched off, and
// edges that repeat their image instead of stretching it.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/tile_map_9.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace {

using GAME::JTILE_MAP_9;

constexpr std::array<int, 9> kCodes = {11, 12, 13, 21, 22, 23, 31, 32, 33};

struct TileAt {
  int code;
  float x, y;  // centre
  float w, h;  // drawn size
};

class TileMap9 : public dialogtest::DialogEnv {
 protected:
  // A panel of tiles w[i] x h[i] in row order, written as images.
  std::unique_ptr<JTILE_MAP_9> Panel(const std::array<std::array<int, 2>, 9>& sizes) {
    std::array<std::string, 9> names;
    for (size_t i = 0; i < 9; ++i) {
      names[i] = "tile" + std::to_string(kCodes[i]) + "_" + std::to_string(sizes[i][0]) + "x" +
                 std::to_string(sizes[i][1]) + ".png";
      dialogtest::WriteImage(names[i], sizes[i][0], sizes[i][1]);
    }
    return std::make_unique<JTILE_MAP_9>(names[0].c_str(), names[1].c_str(), names[2].c_str(), names[3].c_str(),
                                         names[4].c_str(), names[5].c_str(), names[6].c_str(), names[7].c_str(),
                                         names[8].c_str());
  }
  std::unique_ptr<JTILE_MAP_9> Square(int side) {
    std::array<std::array<int, 2>, 9> s;
    s.fill({side, side});
    return Panel(s);
  }
  static float W(const JSPRITE* s) { return s->quad.v[3].x - s->quad.v[0].x; }
  static float H(const JSPRITE* s) { return s->quad.v[1].y - s->quad.v[0].y; }

  static void ExpectTiles(const JTILE_MAP_9& p, const std::vector<TileAt>& want) {
    for (const TileAt& t : want) {
      const JSPRITE* s = p.Tile(t.code);
      ASSERT_NE(s, nullptr) << t.code;
      EXPECT_EQ(s->position.x, t.x) << "tile " << t.code;
      EXPECT_EQ(s->position.y, t.y) << "tile " << t.code;
      EXPECT_EQ(W(s), t.w) << "tile " << t.code;
      EXPECT_EQ(H(s), t.h) << "tile " << t.code;
      EXPECT_EQ(s->hotSpot.x, int(t.w / 2)) << "tile " << t.code;
      EXPECT_EQ(s->hotSpot.y, int(t.h / 2)) << "tile " << t.code;
    }
  }
  // The outer box from tile 11's top-left to tile 33's bottom-right.
  static std::array<float, 4> Outer(const JTILE_MAP_9& p) {
    const JSPRITE *tl = p.Tile(11), *br = p.Tile(33);
    return {tl->position.x - W(tl) / 2, tl->position.y - H(tl) / 2, br->position.x + W(br) / 2,
            br->position.y + H(br) / 2};
  }
  // Every neighbouring pair of tiles meets edge to edge.
  static void ExpectSeamless(const JTILE_MAP_9& p) {
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 2; ++c) {
        const JSPRITE *a = p.Tile(r * 10 + c), *b = p.Tile(r * 10 + c + 1);
        EXPECT_EQ(a->position.x + W(a) / 2, b->position.x - W(b) / 2) << r * 10 + c;
      }
    for (int r = 1; r <= 2; ++r)
      for (int c = 1; c <= 3; ++c) {
        const JSPRITE *a = p.Tile(r * 10 + c), *b = p.Tile(r * 10 + 10 + c);
        EXPECT_EQ(a->position.y + H(a) / 2, b->position.y - H(b) / 2) << r * 10 + c;
      }
  }
};

TEST_F(TileMap9, EqualTilesSurroundTheCentreAndTheBoxIsCentredOnThePosition) {
  auto p = Square(32);
  p->SetSizePix(100, 80);
  p->SetPos(200, 150);
  ExpectTiles(*p, {{11, 166, 126, 32, 32},
                   {12, 200, 126, 36, 32},
                   {13, 234, 126, 32, 32},
                   {21, 166, 150, 32, 16},
                   {22, 200, 150, 36, 16},
                   {23, 234, 150, 32, 16},
                   {31, 166, 174, 32, 32},
                   {32, 200, 174, 36, 32},
                   {33, 234, 174, 32, 32}});
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{150, 110, 250, 190}));
  EXPECT_EQ(p->position.x, 200);
  EXPECT_EQ(p->position.y, 150);
  ExpectSeamless(*p);
}

TEST_F(TileMap9, UnequalCornersAreShiftedSoThatTheOuterBoxIsCentred) {
  auto p = Panel({{{40, 40}, {32, 40}, {20, 40}, {40, 32}, {32, 32}, {20, 32}, {40, 20}, {32, 20}, {20, 20}}});
  p->SetSizePix(120, 100);
  ExpectTiles(*p, {{11, -40, -30, 40, 40},
                   {12, 10, -30, 60, 40},
                   {13, 50, -30, 20, 40},
                   {21, -40, 10, 40, 40},
                   {22, 10, 10, 60, 40},
                   {23, 50, 10, 20, 40},
                   {31, -40, 40, 40, 20},
                   {32, 10, 40, 60, 20},
                   {33, 50, 40, 20, 20}});
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{-60, -50, 60, 50}));
  ExpectSeamless(*p);
}

TEST_F(TileMap9, APanelIsNeverSmallerThanTwoOppositeCorners) {
  auto p = Square(32);
  p->SetSizePix(10, 10);
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{-32, -32, 32, 32}));
  EXPECT_EQ(W(p->Tile(22)), 0);
  EXPECT_EQ(H(p->Tile(22)), 0);
  EXPECT_EQ(W(p->Tile(12)), 0);
  EXPECT_EQ(W(p->Tile(32)), 0);
  EXPECT_EQ(H(p->Tile(21)), 0);
  EXPECT_EQ(H(p->Tile(23)), 0);
  ExpectSeamless(*p);
}

TEST_F(TileMap9, ResizePixGrowsFromTheTopLeftThenCentresAgainAndKeepsTheMinimum) {
  auto p = Square(32);
  p->SetSizePix(100, 80);
  p->SetPos(200, 150);
  p->ResizePix(20, 10);
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{140, 105, 260, 195}));
  ExpectSeamless(*p);
  p->ResizePix(-200, -200);
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{168, 118, 232, 182}));
  EXPECT_EQ(W(p->Tile(22)), 0);
  EXPECT_EQ(H(p->Tile(22)), 0);
}

TEST_F(TileMap9, ResizeStretchesOverTheBoxFromTheTopLeftCorner) {
  auto p = Square(32);  // not laid out: every tile at (0, 0), corner 11 from (-16, -16)
  p->Resize(-16, -16, 184, 84);
  // Corner 11 stays; 33 ends on the box's corner; the inner tiles fill 136 x 36.
  EXPECT_EQ(Outer(*p), (std::array<float, 4>{-16, -16, 184, 84}));
  EXPECT_EQ(W(p->Tile(22)), 136);
  EXPECT_EQ(H(p->Tile(22)), 36);
  EXPECT_EQ(p->Tile(22)->position.x, 84);
  EXPECT_EQ(p->Tile(22)->position.y, 34);
}

TEST_F(TileMap9, TilesDrawBottomRowTopRowMiddleRowAndASwitchedOffTileIsSkipped) {
  auto p = Square(32);
  auto whole = Square(32);
  for (auto* q : {p.get(), whole.get()}) {
    q->SetSizePix(100, 80);
    q->SetPos(200, 150);
  }
  std::vector<uint32_t> textures;
  for (int code : {31, 32, 33, 11, 12, 13, 21, 22, 23}) textures.push_back(uint32_t(p->Tile(code)->GetTexture()));

  plat::gfx::ClearRecorded();
  EXPECT_EQ(p->Render(0), 0);
  std::vector<uint32_t> drawn;
  for (const auto& q : dialogtest::DrawnQuads()) drawn.push_back(q.texture);
  EXPECT_EQ(drawn, textures);

  p->DisableSprite(33);
  p->DisableSprite(44);
  p->DisableSprite(0);
  EXPECT_EQ(p->Tile(33)->GetTexture(), 0u);
  p->SetSizePix(100, 80);
  p->SetPos(200, 150);
  for (int code : kCodes) {
    EXPECT_EQ(p->Tile(code)->position.x, whole->Tile(code)->position.x) << code;
    EXPECT_EQ(p->Tile(code)->position.y, whole->Tile(code)->position.y) << code;
    EXPECT_EQ(W(p->Tile(code)), W(whole->Tile(code))) << code;
  }
  plat::gfx::ClearRecorded();
  p->Render(0);
  drawn.clear();
  for (const auto& q : dialogtest::DrawnQuads()) drawn.push_back(q.texture);
  textures.erase(textures.begin() + 2);
  EXPECT_EQ(drawn, textures);
}

TEST_F(TileMap9, EdgesAndCentreRepeatTheirImageInsteadOfStretchingIt) {
  auto p = Square(32);
  p->SetSizePix(164, 96);  // inner 100 x 32
  p->SetPos(300, 200);
  plat::gfx::ClearRecorded();
  p->Render(0);
  const auto top = dialogtest::QuadsOf(p->Tile(12)->GetTexture());
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].x1 - top[0].x0, 100);
  EXPECT_NEAR(top[0].u0, 0.0f, 0.0051f);
  EXPECT_FLOAT_EQ(top[0].u1, 3.125f);
  const auto centre = dialogtest::QuadsOf(p->Tile(22)->GetTexture());
  ASSERT_EQ(centre.size(), 1u);
  EXPECT_FLOAT_EQ(centre[0].u0, 0.0f);
  EXPECT_FLOAT_EQ(centre[0].u1, 3.125f);
  EXPECT_FLOAT_EQ(centre[0].v1, 1.0f);
}

TEST_F(TileMap9, SetColorTintsEveryTile) {
  auto p = Square(32);
  p->SetColor(int(0x80FF0000u));
  EXPECT_EQ(p->GetColor(), int(0x80FF0000u));
  for (int code : kCodes) EXPECT_EQ(p->Tile(code)->GetColor(), 0x80FF0000u) << code;
}

}  // namespace
