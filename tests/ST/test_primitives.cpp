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
}  // namespace
