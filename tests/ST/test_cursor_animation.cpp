// The cursor sprite's letterbox bars and position on the recording backend,
// and the grid frame animation's frames, texture coordinates and timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ST/animation.h"
#include "ST/cursor.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "tests/support/texture_support.h"

namespace gfx = plat::gfx;

namespace {

struct Rect {
  float x0, y0, x1, y1;
  bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "(" << r.x0 << "," << r.y0 << ")-(" << r.x1 << "," << r.y1 << ")";
}

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    plat::SetDisplayForTests({1920, 1080}, {{1920, 1080, 60}});
    game = ZOV::GetGame();
    if (!game->gfx.deviceReady) {
      ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
    }
    game->timer.SetDelta(0.0f);
  }
  ZOV::ST_GAME* game = nullptr;
};

class Cursor : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    ASSERT_TRUE(textest::WritePng("cursor.png", 32, 32, textest::Pattern(32, 32)));
  }
  // The draws of one cursor Render in the overlay pass of a frame on a back
  // buffer of w x h with a 1024 x 768 logical screen.
  std::vector<gfx::Record> DrawOn(JMOUSEB& m, int w, int h) {
    EXPECT_EQ(game->gfx.ChangeVideoMode(w, h, false), 0);
    game->gfx.SetAdaptScreen(1024, 768);
    EXPECT_EQ(game->gfx.BeginFrame(), 0);
    game->gfx.EndFrame();
    EXPECT_EQ(game->gfx.BeginPostFrame(), 0);
    gfx::ClearRecorded();
    EXPECT_EQ(m.Render(0), 1);
    std::vector<gfx::Record> draws;
    for (const gfx::Record& r : gfx::Recorded())
      if (r.kind == gfx::Record::Draw) draws.push_back(r);
    game->gfx.EndPostFrame();
    return draws;
  }
  static Rect Bounds(const gfx::Record& r) {
    Rect b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const gfx::Vertex& v : r.vertices) {
      b.x0 = std::min(b.x0, v.x);
      b.y0 = std::min(b.y0, v.y);
      b.x1 = std::max(b.x1, v.x);
      b.y1 = std::max(b.y1, v.y);
    }
    return b;
  }
};

TEST_F(Cursor, BarsCoverTheLetterboxAndTheCursorComesLast) {
  struct Row {
    int w, h;
    std::vector<Rect> bars;  // in drawing order: left, right, top, bottom (empty ones skipped)
  };
  const std::vector<Row> rows = {
      {1920, 1080, {{0, 0, 240, 1080}, {1680, 0, 1920, 1080}}},
      {1280, 1024, {{0, 0, 1280, 32}, {0, 992, 1280, 1024}}},
      // scale 800/768: 1067 x 800 at x offset 106; the right bar takes the
      // odd pixel and reaches the edge.
      {1280, 800, {{0, 0, 106, 800}, {1173, 0, 1280, 800}}},
      {1024, 768, {}},
  };
  JMOUSEB m("cursor.png");
  m.CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);
  game->input.EventMouseMove(100, 200);
  m.Update(0, 0.0f);
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.w) + "x" + std::to_string(r.h));
    const std::vector<gfx::Record> draws = DrawOn(m, r.w, r.h);
    ASSERT_EQ(draws.size(), r.bars.size() + 1);
    for (size_t i = 0; i < r.bars.size(); ++i) {
      EXPECT_EQ(Bounds(draws[i]), r.bars[i]) << "bar " << i;
      EXPECT_EQ(draws[i].state.texture, gfx::Tex(m.bar->GetTexture()));
      for (const gfx::Vertex& v : draws[i].vertices) EXPECT_EQ(v.argb, 0xFFFFFFFFu);
      EXPECT_TRUE(draws[i].state.alphaBlend);
    }
    const gfx::Record& cur = draws.back();
    EXPECT_EQ(cur.state.texture, gfx::Tex(m.GetTexture())) << "the cursor is the last draw";
    EXPECT_EQ(Bounds(cur), (Rect{100, 200, 132, 232})) << "in logical pixels";
    if (!r.bars.empty()) {
      EXPECT_FALSE(cur.state.world == draws[0].state.world) << "the adapted view is back for the cursor";
    }
  }
  game->gfx.ChangeVideoMode(1920, 1080, false);
}

TEST_F(Cursor, BarTextureIsOpaqueBlackAndBothTexturesAreFreed) {
  const size_t before = gfx::LiveTextures();
  auto m = std::make_unique<JMOUSEB>("cursor.png");
  EXPECT_EQ(gfx::LiveTextures(), before + 2);
  ASSERT_NE(m->bar, nullptr);
  uint32_t* px = game->gfx.TextureLock(m->bar->GetTexture());
  ASSERT_NE(px, nullptr);
  EXPECT_EQ(game->gfx.lastTextureSize.x, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(px[i], 0xFF000000u);
  game->gfx.TextureUnlock(m->bar->GetTexture());
  EXPECT_EQ(m->bar->hotSpot.x, 1) << "a 2x2 texture sprite";
  m.reset();
  EXPECT_EQ(gfx::LiveTextures(), before);
}

TEST_F(Cursor, UpdateFollowsTheMouse) {
  JMOUSEB m("cursor.png");
  game->input.EventMouseMove(1023, 767);
  EXPECT_EQ(m.Update(0, 0.0f), 0);
  EXPECT_FLOAT_EQ(m.position.x, 1023.0f);
  EXPECT_FLOAT_EQ(m.position.y, 767.0f);
}

class Animation : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    ASSERT_TRUE(textest::WritePng("anim.png", 64, 32, textest::Pattern(64, 32)));
  }
  struct UV {
    float l, t, r, b;
  };
  static UV Uv(const ZOV::JANIMATION& a) {
    return {a.quad.v[0].u, a.quad.v[0].v, a.quad.v[2].u, a.quad.v[2].v};
  }
};

TEST_F(Animation, ConstructionShowsFrameOneOfTheGrid) {
  ZOV::JANIMATION a("anim.png", 2, 4, 8, 10.0f);
  EXPECT_EQ(a.imageW, 64);
  EXPECT_EQ(a.imageH, 32);
  EXPECT_EQ(a.current, 1);
  EXPECT_TRUE(a.playing);
  EXPECT_FLOAT_EQ(a.quad.v[2].x, 16.0f) << "the quad is one frame";
  EXPECT_FLOAT_EQ(a.quad.v[2].y, 16.0f);
  EXPECT_EQ(a.hotSpot.x, 8);
  EXPECT_EQ(a.hotSpot.y, 8);
  const UV uv = Uv(a);
  EXPECT_FLOAT_EQ(uv.l, 0.0f);
  EXPECT_FLOAT_EQ(uv.t, 0.0f);
  EXPECT_FLOAT_EQ(uv.r, 0.25f);
  EXPECT_FLOAT_EQ(uv.b, 0.5f);
}

TEST_F(Animation, FramesWrapAndMapToTheirCells) {
  ZOV::JANIMATION a("anim.png", 2, 4, 8, 10.0f);
  struct Row {
    int set, current;
    UV uv;
  };
  for (const Row r : {Row{5, 5, {0, 0.5f, 0.25f, 1}}, Row{4, 4, {0.75f, 0, 1, 0.5f}}, Row{10, 2, {0.25f, 0, 0.5f, 0.5f}},
                      Row{8, 8, {0.75f, 0.5f, 1, 1}}, Row{16, 8, {0.75f, 0.5f, 1, 1}}}) {
    a.SetFrame(r.set);
    EXPECT_EQ(a.current, r.current) << r.set;
    const UV uv = Uv(a);
    EXPECT_FLOAT_EQ(uv.l, r.uv.l) << r.set;
    EXPECT_FLOAT_EQ(uv.t, r.uv.t) << r.set;
    EXPECT_FLOAT_EQ(uv.r, r.uv.r) << r.set;
    EXPECT_FLOAT_EQ(uv.b, r.uv.b) << r.set;
  }
  a.SetFrame(3);
  a.acc = 0.7f;
  a.SetFrame(0);
  a.SetFrame(-3);
  EXPECT_EQ(a.current, 3) << "n <= 0 changes nothing";
  EXPECT_FLOAT_EQ(a.acc, 0.7f);
}

TEST_F(Animation, AdvancesWhenTheGatheredTimeExceedsOneFrame) {
  ZOV::JANIMATION a("anim.png", 2, 4, 8, 10.0f);
  game->timer.SetDelta(0.05f);
  std::vector<int> seen;
  for (int i = 0; i < 27; ++i) {
    EXPECT_EQ(a.Update(0, 0.0f), 0);
    seen.push_back(a.current);
  }
  // 0.5, 1.0 (not above 1), 1.5: a step on every third update.
  const std::vector<int> expected = {1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 1, 1, 1, 2};
  EXPECT_EQ(seen, expected);
  a.playing = false;
  for (int i = 0; i < 10; ++i) a.Update(0, 0.0f);
  EXPECT_EQ(a.current, 2);
}

TEST_F(Animation, ZeroCountsAreTakenAsOne) {
  ZOV::JANIMATION a("anim.png", 0, 0, 0, 10.0f);
  EXPECT_EQ(a.rows, 1);
  EXPECT_EQ(a.columns, 1);
  EXPECT_EQ(a.frames, 1);
  a.SetFrame(7);
  EXPECT_EQ(a.current, 1);
  const UV uv = Uv(a);
  EXPECT_FLOAT_EQ(uv.r, 1.0f);
  EXPECT_FLOAT_EQ(uv.b, 1.0f);
  EXPECT_FLOAT_EQ(a.quad.v[2].x, 64.0f);
}

TEST_F(Animation, WideGridsKeepTheirRows) {
  // 2000 one-pixel columns: the row is the exact ceiling of frame / columns.
  ASSERT_TRUE(textest::WritePng("strip.png", 2000, 2, textest::Pattern(2000, 2)));
  ZOV::JANIMATION a("strip.png", 2, 2000, 4000, 1.0f);
  a.SetFrame(1);
  EXPECT_FLOAT_EQ(Uv(a).t, 0.0f);
  a.SetFrame(2001);
  EXPECT_FLOAT_EQ(Uv(a).t, 0.5f);
  EXPECT_FLOAT_EQ(Uv(a).l, 0.0f);
}

}  // namespace
