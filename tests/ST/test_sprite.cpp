// The sprite on the recording backend: defaults after a load and around a
// texture, where it draws with position, scale, angle and hot spot, the
// hot-spot anchors, resizing, tiling and edge pull-in, texture ownership,
// and the placeholder sprite.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ST/game.h"
#include "ST/sprite.h"
#include "tests/support/texture_support.h"
#include "tests/support/test_env.h"

namespace gfx = plat::gfx;

namespace {

constexpr float kPi = 3.141592654f;

class Sprite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    ZOV::ST_GAME* game = ZOV::GetGame();
    game->app.Window().SetBackBufferSize(640, 480);
    ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
  }
  void SetUp() override {
    r = ZOV::GetGame()->GetGfx();
    dir = testenv::FreshDir("sprite");
    if (r->framePhase == 0) {
      ASSERT_EQ(r->BeginFrame(), 0);
    }
    gfx::ClearRecorded();
  }
  void TearDown() override {
    if (r->framePhase == 1) {
      r->EndFrame();
      r->BeginPostFrame();
      r->EndPostFrame();
    }
  }
  std::string Png(const std::string& name, int w, int h) {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(textest::WritePng(path, w, h, textest::Pattern(w, h)));
    return path;
  }
  // The corners of the one quad drawn since the last clear.
  std::vector<gfx::Vertex> Drawn() {
    std::vector<gfx::Vertex> out;
    for (const gfx::Record& rec : gfx::Recorded())
      if (rec.kind == gfx::Record::Draw) out = rec.vertices;
    gfx::ClearRecorded();
    return out;
  }
  static void ExpectQuad(const JSPRITE& s, float w, float h, float u, float v) {
    const float want[4][4] = {{0, 0, 0, 0}, {0, h, 0, v}, {w, h, u, v}, {w, 0, u, 0}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(s.quad.v[i].x, want[i][0]) << i;
      EXPECT_FLOAT_EQ(s.quad.v[i].y, want[i][1]) << i;
      EXPECT_FLOAT_EQ(s.quad.v[i].u, want[i][2]) << i;
      EXPECT_FLOAT_EQ(s.quad.v[i].v, want[i][3]) << i;
    }
  }
  ZOV::JINGFX* r = nullptr;
  std::string dir;
};

TEST_F(Sprite, FromAFileWithItsDefaults) {
  JSPRITE s(Png("pic.png", 100, 60).c_str(), 0);
  EXPECT_NE(s.GetTexture(), r->defaultTexture);
  ExpectQuad(s, 100, 60, 1, 1);
  EXPECT_EQ(s.hotSpot.x, 50);
  EXPECT_EQ(s.hotSpot.y, 30);
  EXPECT_EQ(s.quad.layer, 50);
  EXPECT_EQ(s.quad.blend, 1);
  EXPECT_EQ(s.GetColor(), 0xFFFFFFFFu);
  EXPECT_EQ(s.position.x, 0.0f);
  EXPECT_EQ(s.position.y, 0.0f);
  EXPECT_EQ(s.angle, 0.0f);
  EXPECT_EQ(s.scale.x, 1.0f);
  EXPECT_EQ(s.scale.y, 1.0f);
  EXPECT_EQ(s.GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE), 100);
  EXPECT_EQ(s.GetMyTexHeight(ZOV::JENUM::TEX_SIZE), 60);
}

TEST_F(Sprite, DrawsAboutItsHotSpot) {
  JSPRITE s(Png("pic.png", 100, 60).c_str(), 0);
  s.position = JST::fPOINT(200, 100);
  s.SetSize(2, 2);
  EXPECT_EQ(s.Render(0), 0);
  auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, 100);
  EXPECT_FLOAT_EQ(v[0].y, 40);
  EXPECT_FLOAT_EQ(v[2].x, 300);
  EXPECT_FLOAT_EQ(v[2].y, 160);
  EXPECT_FLOAT_EQ(v[0].z, 0.5f);
  EXPECT_EQ(v[0].argb, 0xFFFFFFFFu);

  EXPECT_EQ(s.Render(10.0f, 20.0f), 0) << "at a point of its own";
  v = Drawn();
  EXPECT_FLOAT_EQ(v[0].x, 10 - 100);
  EXPECT_FLOAT_EQ(v[0].y, 20 - 60);

  s.SetSize(1, 1);
  s.SetHotSpot(0, 0);
  EXPECT_EQ(s.Render(10.0f, 20.0f, kPi / 2), 1) << "the turned render reports 1";
  v = Drawn();
  EXPECT_NEAR(v[1].x, 10 - 60, 1e-3) << "bottom-left swings to the left";
  EXPECT_NEAR(v[1].y, 20, 1e-3);
  EXPECT_EQ(s.angle, 0.0f) << "the sprite's own angle is untouched";
}

TEST_F(Sprite, DrawnOnceElsewhereWithoutMoving) {
  JSPRITE s(Png("pic.png", 100, 60).c_str(), 0);
  s.SetPos(7, 9);
  s.SetSize(3, 3);
  EXPECT_EQ(s.RenderMe(200, 100, 2, 1, 0, 0, 30), 0);
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, 200);
  EXPECT_FLOAT_EQ(v[0].y, 70);
  EXPECT_FLOAT_EQ(v[2].x, 400);
  EXPECT_FLOAT_EQ(v[2].y, 130);
  EXPECT_EQ(s.position.x, 7.0f) << "position, scale and hot spot stay";
  EXPECT_EQ(s.scale.x, 3.0f);
  EXPECT_EQ(s.hotSpot.x, 50);
}

TEST_F(Sprite, ColourLayerAndBlendReachTheDraw) {
  JSPRITE s(Png("pic.png", 8, 8).c_str(), 0);
  s.SetColor(int(0x80FF0000u));
  EXPECT_EQ(s.GetColor(), 0x80FF0000u) << "no sign extension";
  s.SetColor(-1);
  EXPECT_EQ(s.GetColor(), 0xFFFFFFFFu);
  s.SetColor(0x40102030);
  s.quad.layer = 100;
  s.SetBlendMode(ZOV::JENUM::BLEND_ADD);
  s.Render(0);
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].argb, 0x40102030u);
  EXPECT_FLOAT_EQ(v[3].z, 1.0f);
  EXPECT_EQ(r->GetBlendMode(), 2);
  EXPECT_EQ(gfx::CurrentState().texture, gfx::Tex(s.GetTexture()));
}

TEST_F(Sprite, AroundATextureJustCreated) {
  const unsigned long tex = r->TextureCreate(2, 2);
  JSPRITE s(tex);
  EXPECT_EQ(s.GetTexture(), tex);
  ExpectQuad(s, 2, 2, 0.99f, 0.99f);
  EXPECT_EQ(s.hotSpot.x, 1);
  EXPECT_EQ(s.hotSpot.y, 1);
  EXPECT_EQ(s.GetMyTexWidth(1), 2);
}

// The size comes from the texture handed in, not from whatever the renderer
// loaded or locked last (another thread may load between the two).
TEST_F(Sprite, AroundATextureTakesThatTexturesOwnSize) {
  const unsigned long small = r->TextureCreate(6, 4);
  const std::string png = Png("big.png", 50, 30);
  JSPRITE loadedAfter(png.c_str(), 0);  // the last texture size is now 50 x 30
  const unsigned long locked = r->TextureCreate(20, 10);
  ASSERT_NE(r->TextureLock(locked), nullptr);
  r->TextureUnlock(locked);  // ... and after the lock 20 x 10
  struct Case {
    const char* what;
    unsigned long tex;
    int w, h;
  } cases[] = {{"made before the last load", small, 6, 4},
               {"loaded from a file", loadedAfter.GetTexture(), 50, 30},
               {"the screen texture", r->GetScreen(), 640, 480},
               {"an unknown handle", 0xFFFFF0ul, 0, 0},
               {"no texture", 0, 0, 0}};
  for (const Case& c : cases) {
    JSPRITE s(c.tex);
    EXPECT_EQ(s.GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE), c.w) << c.what;
    EXPECT_EQ(s.GetMyTexHeight(ZOV::JENUM::TEX_SIZE), c.h) << c.what;
    EXPECT_EQ(s.hotSpot.x, c.w / 2) << c.what;
    EXPECT_FLOAT_EQ(s.quad.v[2].x, float(c.w)) << c.what;
    EXPECT_FLOAT_EQ(s.quad.v[2].y, float(c.h)) << c.what;
    EXPECT_FLOAT_EQ(s.quad.v[2].u, c.w ? 0.99f : 0.0f) << c.what;
    if (c.tex == loadedAfter.GetTexture() || c.tex == r->GetScreen()) s.SetTexture(0);  // owned elsewhere
  }
  EXPECT_EQ(r->GetTextureW(small), -1) << "the sprite took the small texture over and freed it";
  EXPECT_EQ(r->lastTextureSize.x, 20) << "the last texture size stays for callers reading it after a load";
  r->TextureFree(locked);
}

// The magnifier shows the screen texture without owning it, also when the
// renderer has made its screen texture anew since (a reset whose resize
// failed) and the handle is no longer the current one.
TEST_F(Sprite, TheScreenTextureIsShownNeverFreed) {
  const unsigned long screen = r->GetScreen();
  const std::string png = Png("pic.png", 4, 4);
  const unsigned long stand_in = r->TextureCreate(4, 4);
  for (const bool bySetTexture : {false, true}) {
    auto* s = bySetTexture ? new JSPRITE(png.c_str(), 0) : new JSPRITE(screen);
    unsigned long own = 0;
    if (bySetTexture) {
      own = s->GetTexture();
      s->SetTexture(screen);
    }
    EXPECT_TRUE(s->ShowsScreen()) << bySetTexture;
    r->screenTexture = stand_in;  // the renderer's screen texture is now another one
    delete s;
    r->screenTexture = screen;
    EXPECT_EQ(r->GetTextureW(screen), 640) << "not freed by the sprite, set through "
                                           << (bySetTexture ? "SetTexture" : "the constructor");
    if (own) {
      EXPECT_EQ(r->GetTextureW(own), 4) << "SetTexture freed nothing";
      r->TextureFree(own);
    }
  }
  JSPRITE s(png.c_str(), 0);
  const unsigned long own = s.GetTexture();
  s.SetTexture(screen);
  s.SetTexture(stand_in);
  r->TextureFree(own);
  EXPECT_FALSE(s.ShowsScreen()) << "a texture of its own again";
  s.Release();
  EXPECT_EQ(r->GetTextureW(stand_in), -1) << "owned again, so freed";
}

TEST_F(Sprite, HotSpotAnchors) {
  JSPRITE s(Png("pic.png", 10, 10).c_str(), 0);
  s.SetSizePix(301, 21);
  struct Case {
    int anchor, x, y;
  } cases[] = {{0, 150, 10}, {1, 0, 0},    {2, 301, 0}, {3, 0, 21},  {4, 301, 21},
               {5, 150, 0},  {7, 0, 10},   {8, 301, 10}};
  for (const Case& c : cases) {
    s.SetHotSpot(-7, -7);
    s.CalculateHotSpot(c.anchor);
    EXPECT_EQ(s.hotSpot.x, c.x) << c.anchor;
    EXPECT_EQ(s.hotSpot.y, c.y) << c.anchor;
  }
  for (int keep : {6, 9, -1, 1000}) {
    s.SetHotSpot(-7, 3);
    s.CalculateHotSpot(keep);
    EXPECT_EQ(s.hotSpot.x, -7) << keep;
    EXPECT_EQ(s.hotSpot.y, 3) << keep;
  }
}

TEST_F(Sprite, ResizedWithTheTopLeftOnThePosition) {
  JSPRITE s(Png("pic.png", 100, 60).c_str(), 0);
  s.SetSizePix(300, 20);
  EXPECT_EQ(s.hotSpot.x, 50) << "resizing keeps the hot spot";
  EXPECT_FLOAT_EQ(s.quad.v[2].u, 1.0f) << "and the uv";
  s.CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);
  s.SetPos(40, 50);
  s.Move(2, -3);
  s.Render(0);
  const auto v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, 42);
  EXPECT_FLOAT_EQ(v[0].y, 47);
  EXPECT_FLOAT_EQ(v[2].x, 342);
  EXPECT_FLOAT_EQ(v[2].y, 67);
}

TEST_F(Sprite, TexelCoordinatesTilingAndEdgePullIn) {
  JSPRITE s(Png("pic.png", 64, 64).c_str(), 0);
  s.SetSizePix(256, 64);
  s.StreckenTexelz();
  ExpectQuad(s, 256, 64, 4, 1);
  s.SetSizePix(64, 64);
  s.SetTexelCoord(0, 0, 1, 1);
  s.CompressTexture();
  const float pulled[4][2] = {{0.005f, 0.005f}, {0.005f, 0.995f}, {0.995f, 0.995f}, {0.995f, 0.005f}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(s.quad.v[i].u, pulled[i][0]) << i;
    EXPECT_FLOAT_EQ(s.quad.v[i].v, pulled[i][1]) << i;
  }
  s.SetTexelCoord(0.5f, 0, 0.25f, 1);
  s.CompressTexture();
  EXPECT_FLOAT_EQ(s.quad.v[0].u, 0.5f);
  EXPECT_FLOAT_EQ(s.quad.v[1].u, 0.5f);
  EXPECT_FLOAT_EQ(s.quad.v[2].u, 0.25f) << "values off the edges stay";
  EXPECT_FLOAT_EQ(s.quad.v[3].u, 0.25f);
  EXPECT_FLOAT_EQ(s.quad.v[0].v, 0.005f);
  EXPECT_FLOAT_EQ(s.quad.v[2].v, 0.995f);
}

TEST_F(Sprite, DistanceInImageHeights) {
  JSPRITE s(Png("pic.png", 100, 60).c_str(), 0);
  s.SetPos(10, 10);
  EXPECT_FLOAT_EQ(s.HowFarPsnt(40, 50), 50.0f / 60.0f);
  JSPRITE fake;
  fake.SetPos(0, 0);
  EXPECT_TRUE(std::isfinite(fake.HowFarPsnt(3, 4)));
}

TEST_F(Sprite, OwnsItsTextureButNotTheDefault) {
  const std::string png = Png("pic.png", 4, 4);
  auto* s = new JSPRITE(png.c_str(), 0);
  const unsigned long tex = s->GetTexture();
  delete s;
  EXPECT_EQ(r->GetTextureW(tex), -1) << "freed with the sprite";

  testing::internal::CaptureStdout();
  s = new JSPRITE("missing.png", 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n\nTextue not load missing.png\n");
  EXPECT_EQ(s->GetTexture(), r->defaultTexture);
  delete s;
  EXPECT_EQ(r->GetTextureW(r->defaultTexture), 8) << "the default texture stays";

  JSPRITE a(png.c_str(), 0), b(png.c_str(), 0);
  const unsigned long old = a.GetTexture();
  a.SetTexture(b.GetTexture());
  b.SetTexture(old);  // swapped: each still frees exactly one
  EXPECT_EQ(r->GetTextureW(old), 4) << "SetTexture frees nothing";
  a.Release();
  EXPECT_EQ(a.GetTexture(), 0u);
  a.Release();
}

TEST_F(Sprite, ThePlaceholderHasNoTexture) {
  testing::internal::CaptureStdout();
  auto* s = new JSPRITE();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FAKE_____FAKE\n");
  EXPECT_EQ(s->GetTexture(), 0u);
  const size_t live = gfx::LiveTextures();
  delete s;
  EXPECT_EQ(gfx::LiveTextures(), live);
}

}  // namespace
