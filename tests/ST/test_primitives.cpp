// The renderer's drawing calls on the recording backend: where placed quads
// and triangles land, the unplaced variants' depth, points, lines and boxes,
// the blend modes' states and what they leave alone, particle batches, and
// the float colour.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ST/renderer.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

constexpr float kPi = 3.141592654f;

class Primitives : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    r = std::make_unique<ZOV::JINGFX>();
    win.SetBackBufferSize(640, 480);
    ASSERT_EQ(r->Init(win), 0);
    ASSERT_EQ(r->BeginFrame(), 0);
    gfx::ClearRecorded();
  }
  void TearDown() override {
    r.reset();
    gfx::SetBackendForTests(gfx::Backend::GL);
  }
  static ZOV::ZOV4 Quad(float w, float h) {
    ZOV::ZOV4 q;
    q.v[0] = {0, 0, 0, 0};
    q.v[1] = {0, h, 0, 1};
    q.v[2] = {w, h, 1, 1};
    q.v[3] = {w, 0, 1, 0};
    q.texture = 0;
    return q;
  }
  std::vector<gfx::Record> Draws() const {
    std::vector<gfx::Record> out;
    for (const gfx::Record& rec : gfx::Recorded())
      if (rec.kind == gfx::Record::Draw) out.push_back(rec);
    return out;
  }
  plat::Window win;
  std::unique_ptr<ZOV::JINGFX> r;
};

struct Corners {
  const char* what;
  float x, y, sx, sy, angle;
  int hx, hy;
  float want[4][2];  // top-left, bottom-left, bottom-right, top-right
};

TEST_F(Primitives, PlacedQuadCorners) {
  const Corners cases[] = {
      {"plain", 10, 20, 1, 1, 0, 0, 0, {{10, 20}, {10, 36}, {42, 36}, {42, 20}}},
      {"quarter turn clockwise", 10, 20, 1, 1, kPi / 2, 0, 0, {{10, 20}, {-6, 20}, {-6, 52}, {10, 52}}},
      {"sy 0 takes sx", 10, 20, 2, 0, 0, 0, 0, {{10, 20}, {10, 52}, {74, 52}, {74, 20}}},
      {"hot spot on the position", 100, 100, 1, 1, 0, 16, 8, {{84, 92}, {84, 108}, {116, 108}, {116, 92}}},
      {"scaled about the hot spot", 100, 100, 2, 3, 0, 16, 8, {{68, 76}, {68, 124}, {132, 124}, {132, 76}}},
      {"half turn about the hot spot", 100, 100, 1, 1, kPi, 16, 8, {{116, 108}, {116, 92}, {84, 92}, {84, 108}}},
  };
  for (const Corners& c : cases) {
    SCOPED_TRACE(c.what);
    gfx::ClearRecorded();
    ZOV::ZOV4 q = Quad(32, 16);
    q.color = 0x80FF0000u;
    r->RenderZOV4(&q, c.x, c.y, c.sx, c.sy, c.angle, c.hx, c.hy);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    ASSERT_EQ(draws[0].vertices.size(), 4u);
    EXPECT_EQ(draws[0].indices, (std::vector<uint16_t>{0, 2, 1, 0, 3, 2}));
    for (int i = 0; i < 4; ++i) {
      const gfx::Vertex& v = draws[0].vertices[size_t(i)];
      EXPECT_NEAR(v.x, c.want[i][0], 1e-4) << i;
      EXPECT_NEAR(v.y, c.want[i][1], 1e-4) << i;
      EXPECT_EQ(v.u, q.v[i].u);
      EXPECT_EQ(v.v, q.v[i].v);
      EXPECT_EQ(v.argb, 0x80FF0000u);
      EXPECT_FLOAT_EQ(v.z, 0.5f);
    }
  }
}

TEST_F(Primitives, LayersBecomeDepthsAndTheUnplacedVariantsNegateThem) {
  struct Case {
    int layer;
    float placed;
  } cases[] = {{50, 0.5f}, {150, 1.0f}, {-5, 0.0f}, {0, 0.0f}, {100, 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    gfx::ClearRecorded();
    ZOV::ZOV4 q = Quad(8, 8);
    q.layer = c.layer;
    r->RenderZOV4(&q, 0, 0, 1, 1, 0, 0, 0);
    r->RenderZOV4(&q);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    for (const gfx::Vertex& v : draws[0].vertices) EXPECT_FLOAT_EQ(v.z, c.placed);
    for (const gfx::Vertex& v : draws[1].vertices) EXPECT_FLOAT_EQ(v.z, -c.placed);
  }
}

TEST_F(Primitives, UnplacedQuadDrawsItsVerticesAsTheyStand) {
  ZOV::ZOV4 q;
  q.v[0] = {5, 6, 0.1f, 0.2f};
  q.v[1] = {7, 60, 0.3f, 0.4f};
  q.v[2] = {70, 61, 0.5f, 0.6f};
  q.v[3] = {71, 8, 0.7f, 0.8f};
  q.color = 0x11223344u;
  q.texture = r->defaultTexture;
  r->RenderZOV4(&q);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  ASSERT_EQ(draws[0].vertices.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const gfx::Vertex& v = draws[0].vertices[size_t(i)];
    EXPECT_EQ(v.x, q.v[i].x);
    EXPECT_EQ(v.y, q.v[i].y);
    EXPECT_EQ(v.u, q.v[i].u);
    EXPECT_EQ(v.v, q.v[i].v);
    EXPECT_EQ(v.argb, 0x11223344u);
  }
  EXPECT_EQ(draws[0].state.texture, gfx::Tex(r->defaultTexture));
}

TEST_F(Primitives, TrianglesArePlacedLikeQuadsAndDrawOneTriangle) {
  ZOV::ZOV3 t;
  t.v[0] = {0, 0, 0, 0};
  t.v[1] = {0, 16, 0, 1};
  t.v[2] = {32, 16, 1, 1};
  t.layer = 20;
  t.color = 0xFF00FF00u;
  r->RenderZOV3(&t, 10, 20, 1, 1, kPi / 2, 0, 0);
  r->RenderZOV3(&t);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  // top-left, bottom-right, bottom-left
  EXPECT_EQ(draws[0].indices, (std::vector<uint16_t>{0, 2, 1}));
  const float want[3][2] = {{10, 20}, {-6, 20}, {-6, 52}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(draws[0].vertices[size_t(i)].x, want[i][0], 1e-4) << i;
    EXPECT_NEAR(draws[0].vertices[size_t(i)].y, want[i][1], 1e-4) << i;
    EXPECT_FLOAT_EQ(draws[0].vertices[size_t(i)].z, 0.2f);
    EXPECT_EQ(draws[1].vertices[size_t(i)].x, t.v[i].x);
    EXPECT_FLOAT_EQ(draws[1].vertices[size_t(i)].z, -0.2f);
  }
}

TEST_F(Primitives, PointIsAnAlphaBlendedUntexturedSquare) {
  r->SetBlendMode(2);
  r->RenderPoint(3, 4, 0xFFFF0000u, 5);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const float want[4][2] = {{3, 4}, {3, 9}, {8, 9}, {8, 4}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(draws[0].vertices[size_t(i)].x, want[i][0]);
    EXPECT_EQ(draws[0].vertices[size_t(i)].y, want[i][1]);
    EXPECT_EQ(draws[0].vertices[size_t(i)].z, 1.0f);
    EXPECT_EQ(draws[0].vertices[size_t(i)].argb, 0xFFFF0000u);
  }
  EXPECT_EQ(draws[0].state.texture, 0u);
  EXPECT_EQ(r->GetBlendMode(), 1);
  EXPECT_EQ(draws[0].state.dst, gfx::Blend::InvSrcAlpha);
}

TEST_F(Primitives, LineAndBoxUseTheCurrentBlendMode) {
  r->SetBlendMode(2);
  r->RenderLine(1, 2, 30, 40, 0xFF0000FFu);
  r->RenderBox(10, 20, 50, 60, 0xFFFFFFFFu, 0x80000000u);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 6u) << "one line, then the fill and four sides";
  EXPECT_EQ(draws[0].prim, gfx::Prim::Lines);
  ASSERT_EQ(draws[0].vertices.size(), 2u);
  EXPECT_EQ(draws[0].vertices[0].x, 1);
  EXPECT_EQ(draws[0].vertices[1].y, 40);
  EXPECT_EQ(draws[0].vertices[1].argb, 0xFF0000FFu);
  EXPECT_EQ(draws[1].prim, gfx::Prim::Triangles);
  const float fill[4][2] = {{10, 20}, {10, 60}, {50, 60}, {50, 20}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(draws[1].vertices[size_t(i)].x, fill[i][0]);
    EXPECT_EQ(draws[1].vertices[size_t(i)].y, fill[i][1]);
    EXPECT_EQ(draws[1].vertices[size_t(i)].argb, 0x80000000u);
  }
  const float sides[4][4] = {{10, 20, 10, 60}, {10, 20, 50, 20}, {10, 60, 50, 60}, {50, 60, 50, 20}};
  for (int i = 0; i < 4; ++i) {
    const gfx::Record& d = draws[size_t(i) + 2];
    ASSERT_EQ(d.prim, gfx::Prim::Lines);
    EXPECT_EQ(d.vertices[0].x, sides[i][0]) << i;
    EXPECT_EQ(d.vertices[0].y, sides[i][1]) << i;
    EXPECT_EQ(d.vertices[1].x, sides[i][2]) << i;
    EXPECT_EQ(d.vertices[1].y, sides[i][3]) << i;
    EXPECT_EQ(d.vertices[0].argb, 0xFFFFFFFFu);
  }
  for (const gfx::Record& d : draws) {
    EXPECT_EQ(d.state.dst, gfx::Blend::One) << "additive stays";
    EXPECT_EQ(d.state.texture, 0u);
  }
}

// ---- blend modes

struct BlendRow {
  int mode;
  bool alphaBlend;
  gfx::Blend dst;
  gfx::ColorOp op;
  bool pointSprite;
};

TEST_F(Primitives, EachBlendModeSetsItsRow) {
  const BlendRow rows[] = {
      {0, false, gfx::Blend::InvSrcAlpha, gfx::ColorOp::Modulate, false},
      {1, true, gfx::Blend::InvSrcAlpha, gfx::ColorOp::Modulate, false},
      {2, true, gfx::Blend::One, gfx::ColorOp::Modulate, false},
      {3, true, gfx::Blend::One, gfx::ColorOp::Add, false},
      {4, true, gfx::Blend::InvSrcAlpha, gfx::ColorOp::Modulate, true},  // op left from mode 1
      {5, true, gfx::Blend::One, gfx::ColorOp::Modulate, true},
  };
  for (const BlendRow& row : rows) {
    SCOPED_TRACE(row.mode);
    // Start from a fresh device state, with mode 1 set.
    r.reset();
    r = std::make_unique<ZOV::JINGFX>();
    ASSERT_EQ(r->Init(win), 0);
    ASSERT_EQ(r->SetBlendMode(1), 0);
    EXPECT_EQ(r->SetBlendMode(row.mode), row.mode == 1 ? 1 : 0);
    EXPECT_EQ(r->GetBlendMode(), row.mode);
    const gfx::State& s = gfx::CurrentState();
    EXPECT_EQ(s.alphaBlend, row.alphaBlend);
    EXPECT_EQ(s.src, gfx::Blend::SrcAlpha);
    EXPECT_EQ(s.dst, row.dst);
    EXPECT_EQ(s.colorOp, row.op);
    EXPECT_EQ(s.pointSprite, row.pointSprite);
    if (row.pointSprite) {
      EXPECT_TRUE(s.pointScale);
      EXPECT_EQ(s.pointSizeMin, 0.0f);
      EXPECT_EQ(s.scaleA, 0.0f);
      EXPECT_EQ(s.scaleB, 0.0f);
      EXPECT_EQ(s.scaleC, 1.0f);
    }
  }
}

TEST_F(Primitives, TheCurrentModeAgainSetsNothing) {
  EXPECT_EQ(r->SetBlendMode(1), 0);
  gfx::SetColorOp(gfx::ColorOp::Add);  // changed behind the renderer's back
  EXPECT_EQ(r->SetBlendMode(1), 1);
  EXPECT_EQ(gfx::CurrentState().colorOp, gfx::ColorOp::Add) << "the second call set no state";
}

TEST_F(Primitives, AModeOutsideTheTableSetsNothing) {
  r->SetBlendMode(1);
  const gfx::State before = gfx::CurrentState();
  for (int mode : {8, 6, -1, 100}) {
    EXPECT_EQ(r->SetBlendMode(mode), 0) << mode;
    EXPECT_EQ(r->GetBlendMode(), 1);
    EXPECT_TRUE(gfx::CurrentState() == before);
  }
}

TEST_F(Primitives, StatesARowLeavesOutPersist) {
  r->SetBlendMode(3);
  r->SetBlendMode(4);
  EXPECT_EQ(gfx::CurrentState().colorOp, gfx::ColorOp::Add) << "mode 4 keeps the colour operation of mode 3";
  r->SetBlendMode(1);
  EXPECT_TRUE(gfx::CurrentState().pointSprite) << "mode 1 does not switch point sprites off";
  EXPECT_EQ(gfx::CurrentState().colorOp, gfx::ColorOp::Modulate);
}

// ---- particles

struct ParticleList {
  std::vector<ZOV::JPARTIC> nodes;
  ZOV::JINPARTICSYS sys;
  // alive[i] for every particle, linked in order.
  explicit ParticleList(const std::vector<bool>& alive) : nodes(alive.size()) {
    for (size_t i = 0; i < nodes.size(); ++i) {
      nodes[i].alive = alive[i];
      nodes[i].x = float(i);
      nodes[i].y = float(i) * 2;
      nodes[i].z = 0.25f;
      nodes[i].color = 0xFF000000u | uint32_t(i);
      nodes[i].next = i + 1 < nodes.size() ? &nodes[i + 1] : nullptr;
    }
    sys.particles = nodes.empty() ? nullptr : &nodes[0];
    sys.sizeFactor = 0.5f;
    sys.pointScale = 32;
    sys.texture = 0;
    sys.blend = 5;
  }
};

std::vector<size_t> PointBatches(const std::vector<gfx::Record>& draws) {
  std::vector<size_t> out;
  for (const gfx::Record& d : draws) {
    EXPECT_EQ(d.prim, gfx::Prim::Points);
    out.push_back(d.vertices.size());
  }
  return out;
}

TEST_F(Primitives, ParticlesGoOutInBatchesOfFiveHundred) {
  struct Case {
    const char* what;
    std::vector<bool> alive;
    std::vector<size_t> batches;
  };
  std::vector<bool> mixed;
  for (int i = 0; i < 1000; ++i) mixed.push_back(i % 2 == 0);  // exactly 500 live among dead ones
  const Case cases[] = {
      {"1200 live", std::vector<bool>(1200, true), {500, 500, 200}},
      {"500 live among dead", mixed, {500}},
      {"all dead", std::vector<bool>(40, false), {}},
      {"one live", {true}, {1}},
      {"empty list", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gfx::ClearRecorded();
    ParticleList list(c.alive);
    r->RenderJPARTIC(&list.sys);
    EXPECT_EQ(PointBatches(Draws()), c.batches);
  }
}

TEST_F(Primitives, ParticlePointsCarryPositionColourAndSize) {
  ParticleList list({false, true, false, true});
  r->RenderJPARTIC(&list.sys);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  ASSERT_EQ(draws[0].vertices.size(), 2u);
  EXPECT_EQ(draws[0].vertices[0].x, 1.0f);
  EXPECT_EQ(draws[0].vertices[0].y, 2.0f);
  EXPECT_EQ(draws[0].vertices[0].z, 0.25f);
  EXPECT_EQ(draws[0].vertices[0].argb, 0xFF000001u);
  EXPECT_EQ(draws[0].vertices[1].x, 3.0f);
  EXPECT_EQ(draws[0].state.pointSize, 16.0f) << "size factor x point scale";
  EXPECT_TRUE(draws[0].state.pointSprite);
  EXPECT_EQ(r->GetBlendMode(), 5);
}

// A handle wider than the device's 32 bits names no texture: it is not cut
// down to the one its low bits happen to name.
TEST_F(Primitives, HandlesPastThirtyTwoBitsDrawUntextured) {
  const unsigned long wide = (1ul << 32) | r->defaultTexture;
  ZOV::ZOV4 q = Quad(8, 8);
  q.texture = wide;
  ZOV::ZOV3 t;
  t.texture = wide;
  ParticleList list({true});
  list.sys.texture = wide;
  r->RenderZOV4(&q, 0, 0, 1, 1, 0, 0, 0);
  r->RenderZOV4(&q);
  r->RenderZOV3(&t, 0, 0, 1, 1, 0, 0, 0);
  r->RenderZOV3(&t);
  r->RenderJPARTIC(&list.sys);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 5u);
  for (const gfx::Record& d : draws) EXPECT_EQ(d.state.texture, 0u);
}

// ---- the float colour

TEST(JINCOLORRGBA, FromAndToPackedARGB) {
  const ZOV::JINCOLORRGBA c(0x80FF0000u);
  EXPECT_FLOAT_EQ(c.r, 1.0f);
  EXPECT_FLOAT_EQ(c.g, 0.0f);
  EXPECT_FLOAT_EQ(c.b, 0.0f);
  EXPECT_NEAR(c.a, 0.50196f, 1e-5);
  EXPECT_EQ(uint32_t(ZOV::JINCOLORRGBA(1.2f, 0.5f, -0.1f, 0.25f)), 0x40FF8000u);
  for (uint32_t argb : {0u, 0xFFFFFFFFu, 0x12345678u, 0x80FF00FFu, 0x01010101u})
    EXPECT_EQ(uint32_t(ZOV::JINCOLORRGBA(argb)), argb) << std::hex << argb;
  const ZOV::JINCOLORRGBA zero;
  EXPECT_EQ(zero.r + zero.g + zero.b + zero.a, 0.0f);
}

TEST(JINCOLORRGBA, NotANumberPacksAsZero) {
  // A fade divided by a zero span gives NaN channels; they pack as 0.
  volatile float zero = 0.0f;
  const float nan = zero / zero;
  EXPECT_EQ(uint32_t(ZOV::JINCOLORRGBA(nan, 0.5f, nan, 1.0f)), 0xFF008000u);
  EXPECT_EQ(uint32_t(ZOV::JINCOLORRGBA(1.0f, nan, 1.0f, nan)), 0x00FF00FFu);
}

TEST(JINCOLORRGBA, ArithmeticIsComponentWiseAndUnclamped) {
  const ZOV::JINCOLORRGBA a(0.5f, 0.25f, 1.0f, 1.0f), b(0.75f, 0.5f, 0.5f, 0.5f);
  const ZOV::JINCOLORRGBA sum = a + b, diff = a - b, half = a * 0.5f;
  EXPECT_FLOAT_EQ(sum.r, 1.25f);
  EXPECT_FLOAT_EQ(sum.a, 1.5f);
  EXPECT_FLOAT_EQ(diff.r, -0.25f);
  EXPECT_FLOAT_EQ(diff.b, 0.5f);
  EXPECT_FLOAT_EQ(half.g, 0.125f);
  EXPECT_FLOAT_EQ(half.a, 0.5f) << "alpha scales too";
  EXPECT_EQ(uint32_t(sum), 0xFFFFBFFFu) << "over 1 packs as 255";
}

TEST(JINCOLORRGBA, ThisIsColorIgnoresAlpha) {
  EXPECT_FALSE(ZOV::JINCOLORRGBA(0, 0, 0, 1).ThisIsColor());
  EXPECT_TRUE(ZOV::JINCOLORRGBA(0, 0, 0.01f, 0).ThisIsColor());
  EXPECT_TRUE(ZOV::JINCOLORRGBA(0.2f, 0, 0, 0).ThisIsColor());
  EXPECT_FALSE(ZOV::JINCOLORRGBA(-1, 0, 0, 0).ThisIsColor());
}

}  // namespace
