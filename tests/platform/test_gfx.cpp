// The graphics device without a display: matrices, the texture table
// (including from a second thread) and the recording backend.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <thread>

#include "platform/gfx.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

void ExpectNear(plat::Vec3 a, plat::Vec3 b, float tol = 1e-4f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

TEST(GfxMath, RowVectorConventions) {
  // Scaling then translating: v × S × T.
  const plat::Mat4 m = plat::Multiply(plat::Scaling(2, 3, 4), plat::Translation(10, 20, 30));
  ExpectNear(plat::TransformCoord({1, 1, 1}, m), {12, 23, 34});
  // RotationZ turns +x toward +y.
  ExpectNear(plat::TransformCoord({1, 0, 0}, plat::RotationZ(1.5707963f)), {0, 1, 0});
  // Yaw π and roll π keep x and negate y and z.
  ExpectNear(plat::TransformCoord({1, 2, 3}, plat::RotationYawPitchRoll(3.141592654f, 0, 3.141592654f)), {1, -2, -3});
  // Yaw turns +z toward +x (left-handed, about y).
  ExpectNear(plat::TransformCoord({0, 0, 1}, plat::RotationYawPitchRoll(1.5707963f, 0, 0)), {1, 0, 0});
}

TEST(GfxMath, LookAtAndPerspective) {
  const plat::Mat4 v = plat::LookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
  ExpectNear(plat::TransformCoord({1, 2, 0}, v), {1, 2, 10});
  const plat::Mat4 p = plat::PerspectiveFovLH(3.141592654f / 2, 2.0f, 1.0f, 100.0f);
  // Near plane maps to z 0, far plane to z 1; fov 90° puts y = z at the top edge.
  EXPECT_NEAR(plat::TransformCoord({0, 0, 1}, p).z, 0.0f, 1e-5f);
  EXPECT_NEAR(plat::TransformCoord({0, 0, 100}, p).z, 1.0f, 1e-5f);
  ExpectNear(plat::TransformCoord({10, 5, 5}, p), {1, 1, plat::TransformCoord({0, 0, 5}, p).z});
  const plat::Mat4 o = plat::OrthoOffCenterLH(0, 100, 0, 50, 0, 10);
  ExpectNear(plat::TransformCoord({0, 0, 0}, o), {-1, -1, 0});
  ExpectNear(plat::TransformCoord({100, 50, 10}, o), {1, 1, 1});
}

TEST(GfxTextures, CreateLockUnlockRelease) {
  const gfx::Tex t = gfx::CreateTexture(3, 2);
  ASSERT_NE(t, 0u);
  int w = 0, h = 0;
  EXPECT_TRUE(gfx::TextureSize(t, &w, &h));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  uint32_t* px = gfx::Lock(t);
  ASSERT_NE(px, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(px[i], 0u) << "created zero-filled";
  EXPECT_EQ(gfx::Lock(t), nullptr) << "already locked";
  px[1 * 3 + 2] = 0xFF00FF00u;  // pitch = width
  EXPECT_TRUE(gfx::Unlock(t));
  EXPECT_FALSE(gfx::Unlock(t));
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(t, img));
  EXPECT_EQ(img.argb[5], 0xFF00FF00u);
  EXPECT_TRUE(gfx::Release(t));
  // Stale and unknown handles are refused everywhere.
  EXPECT_FALSE(gfx::Release(t));
  EXPECT_FALSE(gfx::TextureSize(t, &w, &h));
  EXPECT_EQ(gfx::Lock(t), nullptr);
  EXPECT_FALSE(gfx::Unlock(t));
  EXPECT_FALSE(gfx::Release(0));
  EXPECT_FALSE(gfx::Release(0xDEADBEEF));
  // Handles are never reused.
  const gfx::Tex t2 = gfx::CreateTexture(1, 1);
  EXPECT_GT(t2, t);
  gfx::Release(t2);
}

TEST(GfxTextures, BadSizesAndRenderTargets) {
  EXPECT_EQ(gfx::CreateTexture(0, 5), 0u);
  EXPECT_EQ(gfx::CreateTexture(-1, 5), 0u);
  EXPECT_EQ(gfx::CreateTexture(100000, 100000), 0u);
  plat::Image bad;
  bad.w = 4;
  bad.h = 4;
  bad.argb.resize(3);
  EXPECT_EQ(gfx::CreateTextureFromImage(bad), 0u);
  const gfx::Tex rt = gfx::CreateRenderTarget(64, 32);
  ASSERT_NE(rt, 0u);
  EXPECT_TRUE(gfx::IsRenderTarget(rt));
  EXPECT_EQ(gfx::Lock(rt), nullptr) << "render targets are not lockable";
  EXPECT_TRUE(gfx::ResizeRenderTarget(rt, 128, 16));
  int w = 0, h = 0;
  gfx::TextureSize(rt, &w, &h);
  EXPECT_EQ(w, 128);
  EXPECT_EQ(h, 16);
  const gfx::Tex plain = gfx::CreateTexture(2, 2);
  EXPECT_FALSE(gfx::ResizeRenderTarget(plain, 4, 4));
  gfx::Release(plain);
  gfx::Release(rt);
}

TEST(GfxTextures, AnotherThreadCreatesFillsAndFrees) {
  std::atomic<int> made{0};
  std::vector<gfx::Tex> kept(50);
  std::thread loader([&] {
    for (int i = 0; i < 200; ++i) {
      const gfx::Tex t = gfx::CreateTexture(16, 16);
      uint32_t* px = gfx::Lock(t);
      for (int k = 0; k < 256; ++k) px[k] = 0xFF000000u | uint32_t(i);
      gfx::Unlock(t);
      if (i % 4 == 0) kept[size_t(i / 4)] = t;
      else gfx::Release(t);
      ++made;
    }
  });
  // Meanwhile this thread reads sizes and pixels of whatever exists.
  while (made < 200) {
    for (gfx::Tex t = 1; t < 400; ++t) {
      int w = 0, h = 0;
      if (gfx::TextureSize(t, &w, &h)) {
        EXPECT_GT(w, 0);
      }
    }
  }
  loader.join();
  for (size_t i = 0; i < kept.size(); ++i) {
    plat::Image img;
    ASSERT_TRUE(gfx::ReadPixels(kept[i], img));
    EXPECT_EQ(img.argb[255], 0xFF000000u | uint32_t(i * 4));
    EXPECT_TRUE(gfx::Release(kept[i]));
  }
}

class Recording : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    ASSERT_EQ(gfx::CreateDevice(win, 0, 320, 200), 0);
    gfx::ClearRecorded();
  }
  void TearDown() override {
    gfx::DestroyDevice();
    gfx::SetBackendForTests(gfx::Backend::GL);
  }
  plat::Window win;
};

TEST_F(Recording, DrawsOnlyInsideAScene) {
  EXPECT_EQ(gfx::BackBufferSize().x, 320);
  const gfx::Vertex v[4] = {};
  const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
  EXPECT_FALSE(gfx::DrawTriangles(v, 4, idx, 2));
  ASSERT_TRUE(gfx::BeginScene());
  EXPECT_FALSE(gfx::BeginScene()) << "already in a scene";
  EXPECT_TRUE(gfx::DrawTriangles(v, 4, idx, 2));
  const uint16_t wild[3] = {0, 1, 9};
  EXPECT_FALSE(gfx::DrawTriangles(v, 4, wild, 1)) << "index past the vertices";
  EXPECT_TRUE(gfx::EndScene());
  EXPECT_FALSE(gfx::DrawTriangles(v, 4, idx, 2));
  EXPECT_EQ(gfx::RecordedDraws(), 1u);
}

TEST_F(Recording, CountsWhoseTotalsPassTheIntRangeAreRefused) {
  const gfx::Vertex v[4] = {};
  const uint16_t idx[6] = {0, 2, 1, 0, 3, 2};
  ASSERT_TRUE(gfx::BeginScene());
  // Nothing is read: the totals (3 indices a triangle, 2 vertices a line)
  // do not fit in an int.
  EXPECT_FALSE(gfx::DrawTriangles(v, 4, idx, INT_MAX / 3 + 1));
  EXPECT_FALSE(gfx::DrawLines(v, INT_MAX / 2 + 1));
  EXPECT_FALSE(gfx::DrawLines(v, INT_MAX));
  gfx::EndScene();
  EXPECT_EQ(gfx::RecordedDraws(), 0u);
}

TEST_F(Recording, RecordsTargetStateAndVertices) {
  const gfx::Tex rt = gfx::CreateRenderTarget(64, 64);
  const gfx::Tex tex = gfx::CreateTexture(8, 8);
  ASSERT_TRUE(gfx::SetRenderTarget(rt));
  gfx::Clear(0xFF102030u);
  ASSERT_TRUE(gfx::BeginScene());
  gfx::SetTexture(tex);
  gfx::SetAlphaBlend(true);
  gfx::SetBlendFunc(gfx::Blend::SrcAlpha, gfx::Blend::One);
  gfx::SetColorOp(gfx::ColorOp::Add);
  const gfx::Vertex line[2] = {{1, 2, 0, 0xFF00FF00u, 0, 0}, {5, 6, 0, 0xFF00FF00u, 0, 0}};
  gfx::DrawLines(line, 1);
  const gfx::PointVertex pts[3] = {{1, 1, 0, 1}, {2, 2, 0, 2}, {3, 3, 0, 3}};
  gfx::SetPointSprite(true);
  gfx::DrawPoints(pts, 3);
  gfx::EndScene();
  gfx::SetRenderTarget(0);
  gfx::Present();
  const auto& r = gfx::Recorded();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].kind, gfx::Record::Clear);
  EXPECT_EQ(r[0].target, rt);
  EXPECT_EQ(r[0].clearColor, 0xFF102030u);
  EXPECT_EQ(r[1].prim, gfx::Prim::Lines);
  EXPECT_EQ(r[1].target, rt);
  EXPECT_EQ(r[1].state.texture, tex);
  EXPECT_EQ(r[1].state.dst, gfx::Blend::One);
  EXPECT_EQ(r[1].state.colorOp, gfx::ColorOp::Add);
  ASSERT_EQ(r[1].vertices.size(), 2u);
  EXPECT_EQ(r[1].vertices[1].x, 5.0f);
  EXPECT_EQ(r[2].prim, gfx::Prim::Points);
  EXPECT_TRUE(r[2].state.pointSprite);
  EXPECT_EQ(r[2].vertices.size(), 3u);
  EXPECT_EQ(r[2].vertices[2].argb, 3u);
  EXPECT_EQ(r[3].kind, gfx::Record::Present);
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(rt, img));
  EXPECT_EQ(img.w, 64);
  EXPECT_EQ(img.argb[0], 0xFF102030u);
  gfx::Release(rt);
  gfx::Release(tex);
}

TEST_F(Recording, CoopResetAndFailureSeams) {
  EXPECT_EQ(gfx::TestCooperativeLevel(), gfx::Coop::Ok);
  gfx::SimulateCoopForTests(gfx::Coop::Lost);
  EXPECT_FALSE(gfx::BeginScene()) << "a lost device opens no scene";
  gfx::SimulateCoopForTests(gfx::Coop::NotReset);
  EXPECT_EQ(gfx::TestCooperativeLevel(), gfx::Coop::NotReset);
  gfx::FailNextForTests(gfx::FailOp::Reset, 1);
  EXPECT_FALSE(gfx::Reset(640, 480));
  EXPECT_EQ(gfx::BackBufferSize().x, 320) << "a failed reset keeps the size";
  EXPECT_EQ(gfx::TestCooperativeLevel(), gfx::Coop::NotReset);
  EXPECT_TRUE(gfx::Reset(640, 480));
  EXPECT_EQ(gfx::TestCooperativeLevel(), gfx::Coop::Ok);
  EXPECT_EQ(gfx::BackBufferSize().x, 640);
  EXPECT_FALSE(gfx::Reset(0, 480));
  EXPECT_EQ(gfx::TestCooperativeLevel(), gfx::Coop::NotReset) << "a failed reset asks for another";
  EXPECT_TRUE(gfx::Reset(640, 480));
  gfx::FailNextForTests(gfx::FailOp::BeginScene, 1);
  EXPECT_FALSE(gfx::BeginScene());
  EXPECT_TRUE(gfx::BeginScene());
  gfx::EndScene();
}

}  // namespace
