// The renderer's textures on the recording backend: pictures loaded from
// disk with their sizes and pixels, the colour-keyed load, failures with
// their lines and the last texture size, textures created and locked,
// handles refused once freed, the screenshot, and a second thread loading
// and locking textures while the main thread draws.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ST/game.h"
#include "ST/renderer.h"
#include "platform/gfx_image.h"
#include "platform/window.h"
#include "tests/support/texture_support.h"
#include "tests/support/bmp_read.h"
#include "tests/support/test_env.h"

namespace gfx = plat::gfx;

namespace {

std::vector<std::string> gBoxes;
int RecordBox(const char* text, const char* caption) {
  gBoxes.push_back(std::string(caption) + ": " + text);
  return 0;
}

std::vector<uint32_t> Pixels(unsigned long tex) {
  plat::Image img;
  EXPECT_TRUE(gfx::ReadPixels(gfx::Tex(tex), img));
  return img.argb;
}

class Textures : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    dir = testenv::FreshDir("textures");
    r = std::make_unique<ZOV::JINGFX>();
    win.SetBackBufferSize(320, 240);
  }
  void TearDown() override {
    r.reset();
    plat::SetMessageBoxHook(nullptr);
    gfx::SetBackendForTests(gfx::Backend::GL);
  }
  void Start() { ASSERT_EQ(r->Init(win), 0); }
  std::string Png(const std::string& name, int w, int h, const std::vector<uint32_t>& px) {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(textest::WritePng(path, w, h, px));
    return path;
  }
  std::string dir;
  plat::Window win;
  std::unique_ptr<ZOV::JINGFX> r;
};

TEST_F(Textures, AFileLoadsAtItsOwnSizeWithItsPixels) {
  Start();
  const auto px = textest::Pattern(100, 60);
  const unsigned long tex = r->TextureLoad(Png("pic.png", 100, 60, px).c_str());
  ASSERT_NE(tex, 0u);
  EXPECT_NE(tex, r->defaultTexture);
  EXPECT_EQ(r->lastTexture, tex);
  EXPECT_EQ(r->lastTextureSize.x, 100);
  EXPECT_EQ(r->lastTextureSize.y, 60);
  EXPECT_EQ(r->GetTextureW(tex), 100) << "no padding to a power of two";
  EXPECT_EQ(Pixels(tex), px);
}

TEST_F(Textures, AMissingFileGivesTheDefaultAndKeepsTheLastSize) {
  Start();
  r->TextureLoad(Png("pic.png", 100, 60, textest::Pattern(100, 60)).c_str());
  testing::internal::CaptureStdout();
  const unsigned long tex = r->TextureLoad("missing.png");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n\nTextue not load missing.png\n");
  EXPECT_EQ(tex, r->defaultTexture);
  EXPECT_EQ(r->lastTextureSize.x, 100);
  EXPECT_EQ(r->lastTextureSize.y, 60);
}

// Files the picture decoder refuses (not PNG or JPEG, or too large) fail
// like a missing file, after the decoder's own line saying why; both
// loaders give the default texture and keep the last size.
TEST_F(Textures, RefusedPicturesFailLikeAMissingFile) {
  Start();
  struct Case {
    const char* label;
    std::string file;
    const char* why;
  };
  const std::string junk = dir + "/junk.png";
  testenv::WriteFile(junk, "not a picture at all");
  const std::string bmp = dir + "/picture.bmp";
  plat::Image one;
  one.w = one.h = 1;
  one.argb = {0xFF102030u};
  ASSERT_TRUE(plat::SaveBMP(bmp, one));
  const Case cases[] = {
      {"text", junk, "Picture refused: not a PNG or JPEG picture"},
      {"a whole BMP", bmp, "Picture refused: not a PNG or JPEG picture"},
      {"a PNG one pixel too wide", Png("wide.png", 8193, 1, std::vector<uint32_t>(8193, 0xFF00FF00u)),
       "Picture refused: PNG of 8193x1 is larger than 8192 pixels a side"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    r->TextureCreate(3, 5);
    testing::internal::CaptureStdout();
    EXPECT_EQ(r->TextureLoad(c.file.c_str()), r->defaultTexture);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(c.why) + "\n\n\nTextue not load " + c.file + "\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(r->TextureLoadJA(c.file.c_str()), r->defaultTexture);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(c.why) + "\nTextue not load " + c.file + "\n");
    EXPECT_EQ(r->lastTextureSize.x, 3);
    EXPECT_EQ(r->lastTextureSize.y, 5);
  }
}

TEST_F(Textures, AHugeFailedNameIsQuotedShortly) {
  Start();
  // 300 bytes of "é" (two bytes each) after one "x": the 200-byte quote
  // ends before the hundredth "é", not inside it.
  std::string name = "x";
  for (int i = 0; i < 150; ++i) name += "é";
  std::string quoted = "x";
  for (int i = 0; i < 99; ++i) quoted += "é";
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->TextureLoad(name.c_str()), r->defaultTexture);
  EXPECT_EQ(r->TextureLoadJA((name + name).c_str()), r->defaultTexture);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\n\nTextue not load " + quoted + "...\nTextue not load " + quoted + "...\n");
}

TEST_F(Textures, WithoutTheDefaultTextureAFailedLoadAsksAndGivesZero) {
  gBoxes.clear();
  plat::SetMessageBoxHook(&RecordBox);
  EXPECT_EQ(r->TextureLoad("missing.png"), 0u);
  EXPECT_EQ(r->TextureLoadJA("missing.png"), 0u);
  ASSERT_EQ(gBoxes.size(), 2u);
  EXPECT_EQ(gBoxes[0], "errrrrror: defaultTexture not exist!!!");
}

TEST_F(Textures, ColourKeyClearsAlphaNearTheTopLeftPixelOnly) {
  Start();
  // Top-left black: exactly the pixels whose channels are all 9 or less lose
  // their alpha; nothing else changes.
  const std::vector<uint32_t> px = {
      0xFF000000u, 0xFF090909u, 0xFF0A0000u, 0xFF00000Au, 0xFF000A00u, 0xFF050709u,
      0x80010203u, 0xFFFFFFFFu, 0xFF123456u, 0xFF090A09u, 0x00000000u, 0xFF080808u,
  };
  const unsigned long tex = r->TextureLoadJA(Png("key.png", 6, 2, px).c_str());
  ASSERT_NE(tex, r->defaultTexture);
  EXPECT_EQ(r->lastTextureSize.x, 6);
  EXPECT_EQ(r->lastTextureSize.y, 2);
  std::vector<uint32_t> want = px;
  for (uint32_t& p : want) {
    const uint32_t r8 = (p >> 16) & 0xFF, g8 = (p >> 8) & 0xFF, b8 = p & 0xFF;
    if (r8 <= 9 && g8 <= 9 && b8 <= 9) p &= 0x00FFFFFFu;
  }
  EXPECT_EQ(Pixels(tex), want);
  EXPECT_EQ(want[1] >> 24, 0u);
  EXPECT_EQ(want[2] >> 24, 0xFFu);
}

TEST_F(Textures, ColourKeyFromABrightCornerClearsEveryPixel) {
  Start();
  std::vector<uint32_t> px = textest::Pattern(16, 8);
  px[0] = 0xFFFAFAFAu;  // (250, 250, 250): every channel is below 260
  const unsigned long tex = r->TextureLoadJA(Png("bright.png", 16, 8, px).c_str());
  for (uint32_t p : Pixels(tex)) EXPECT_EQ(p >> 24, 0u);
  const auto got = Pixels(tex);
  for (size_t i = 0; i < px.size(); ++i) EXPECT_EQ(got[i] & 0xFFFFFFu, px[i] & 0xFFFFFFu);
}

TEST_F(Textures, ColourKeyedLoadFailuresAndTheTwoArgumentForm) {
  Start();
  r->TextureCreate(3, 5);
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->TextureLoadJA("gone.png"), r->defaultTexture);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Textue not load gone.png\n");
  const std::string real = Png("pic.png", 4, 4, textest::Pattern(4, 4));
  EXPECT_EQ(r->TextureLoadJA(real.c_str(), real.c_str()), r->defaultTexture);
  EXPECT_EQ(r->lastTextureSize.x, 3);
  EXPECT_EQ(r->lastTextureSize.y, 5);
}

TEST_F(Textures, CreatedTexturesAreZeroedLockableAndRecordTheirSize) {
  Start();
  const unsigned long tex = r->TextureCreate(2, 2);
  ASSERT_NE(tex, 0u);
  EXPECT_EQ(r->lastTexture, tex);
  r->TextureLoad("missing.png");
  uint32_t* px = r->TextureLock(tex);
  ASSERT_NE(px, nullptr);
  EXPECT_EQ(r->lastTextureSize.x, 2);
  EXPECT_EQ(r->lastTextureSize.y, 2);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(px[i], 0u);
    px[i] = 0xFF000000u | uint32_t(i);
  }
  EXPECT_EQ(r->TextureLock(tex), nullptr) << "already locked";
  EXPECT_EQ(r->TextureUnlock(tex), 0);
  EXPECT_EQ(r->TextureUnlock(tex), -1) << "not locked any more";
  EXPECT_EQ(Pixels(tex), (std::vector<uint32_t>{0xFF000000u, 0xFF000001u, 0xFF000002u, 0xFF000003u}));
}

TEST_F(Textures, ImpossibleSizesAreRefused) {
  Start();
  r->TextureCreate(7, 9);
  for (auto wh : {std::pair{0, 4}, {4, -1}, {1 << 20, 1}}) {
    EXPECT_EQ(r->TextureCreate(wh.first, wh.second), 0u);
    EXPECT_EQ(r->lastTextureSize.x, 7);
    EXPECT_EQ(r->lastTextureSize.y, 9);
  }
}

TEST_F(Textures, FreedAndUnknownHandlesAreRefused) {
  Start();
  const unsigned long tex = r->TextureCreate(4, 4);
  EXPECT_EQ(r->TextureFree(tex), 0);
  EXPECT_EQ(r->TextureFree(tex), -1) << "no double free";
  for (unsigned long h : {tex, 0ul, 0xABCDEFul, 0x100000000ul | r->defaultTexture}) {
    SCOPED_TRACE(h);
    EXPECT_EQ(r->TextureLock(h), nullptr);
    EXPECT_EQ(r->lastTextureSize.x, -1);
    EXPECT_EQ(r->TextureUnlock(h), -1);
    EXPECT_EQ(r->GetTextureW(h), -1);
  }
  EXPECT_EQ(r->TextureFree(0x100000000ul | r->defaultTexture), -1) << "never cut down to a real handle";
  EXPECT_EQ(r->TextureFree(r->defaultTexture), -1);
  EXPECT_EQ(r->TextureFree(r->GetScreen()), -1);
  EXPECT_EQ(r->GetTextureW(r->defaultTexture), 8);
  EXPECT_EQ(r->TextureLock(r->GetScreen()), nullptr) << "the screen texture is not lockable";
}

TEST_F(Textures, ScreenshotWritesTheBackBufferAsBmp) {
  Start();
  r->SetClearColor(0xFF336699u);
  ASSERT_EQ(r->BeginFrame(), 0);
  ASSERT_EQ(r->EndFrame(), 0);
  ASSERT_EQ(r->BeginPostFrame(), 0);
  ASSERT_EQ(r->EndPostFrame(), 0);
  std::filesystem::remove("screenshot.bmp");
  EXPECT_EQ(r->GetScreenShot(), 0);
  plat::Image img;
  ASSERT_TRUE(bmptest::ReadBmp("screenshot.bmp", img));
  EXPECT_EQ(img.w, 320);
  EXPECT_EQ(img.h, 240);
  EXPECT_EQ(img.argb[0] & 0xFFFFFFu, 0x336699u);
}

// The loader thread's pattern: inside one hold of cs, create a texture,
// read its size, lock, fill and unlock it, and load a file; meanwhile the
// main thread draws frames holding cs, with the textures made so far.
TEST_F(Textures, ALoaderThreadMakesTexturesWhileTheMainThreadDraws) {
  Start();
  const std::string png = Png("pic.png", 24, 12, textest::Pattern(24, 12));
  constexpr int kRounds = 200;
  std::vector<unsigned long> made(kRounds * 2, 0);
  std::atomic<int> published{0};
  std::atomic<bool> sizesOk{true};
  std::thread loader([&] {
    for (int i = 0; i < kRounds; ++i) {
      cs.Enter();
      const int side = 1 + i % 13;
      const unsigned long tex = r->TextureCreate(side, side);
      bool ok = r->lastTextureSize.x == side;
      if (uint32_t* px = r->TextureLock(tex)) {
        ok = ok && r->lastTextureSize.y == side;
        for (int k = 0; k < side * side; ++k) px[k] = 0xFF00FF00u | uint32_t(i);
        r->TextureUnlock(tex);
      } else {
        ok = false;
      }
      const unsigned long pic = r->TextureLoad(png.c_str());
      ok = ok && r->lastTextureSize.x == 24 && r->lastTextureSize.y == 12;
      made[size_t(2 * i)] = tex;
      made[size_t(2 * i + 1)] = pic;
      cs.Leave();
      if (!ok) sizesOk = false;
      published.store(i + 1, std::memory_order_release);
    }
  });
  int frames = 0;
  while (published.load(std::memory_order_acquire) < kRounds || frames < 5) {
    cs.Enter();
    const int n = published.load(std::memory_order_acquire);
    ASSERT_EQ(r->BeginFrame(), 0);
    ZOV::ZOV4 q;
    q.v[1].y = q.v[2].y = 10;
    q.v[2].x = q.v[3].x = 10;
    for (int i = 0; i < n * 2; i += 7) {
      q.texture = made[size_t(i)];
      r->RenderZOV4(&q, float(i), 5, 1, 1, 0.1f, 5, 5);
    }
    r->EndFrame();
    r->BeginPostFrame();
    r->EndPostFrame();
    cs.Leave();
    ++frames;
  }
  loader.join();
  EXPECT_TRUE(sizesOk);
  for (unsigned long tex : made) EXPECT_EQ(r->TextureFree(tex), 0);
}

}  // namespace
