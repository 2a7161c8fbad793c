// The loading screen on the recording backend at 1024 x 768, with a fake
// clock: which phase shows what for two, one and no logos, clicks taking
// 2 s off, the progress and the title line where they belong, and the pack
// selection it leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "GAME/shell/loading_screen.h"
#include "ST/sprite.h"
#include "platform/sys.h"
#include "tests/support/dialog_env.h"

namespace {

uint32_t gNow = 0;
uint32_t FakeClock() { return gNow; }

class LoadingScreen : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    plat::SetTimeSourceForTests(&FakeClock);
    gNow = 100000;
    // Images from the current folder: no pack for the loading or menu art.
    C_NAME_PACK_LOADING = nullptr;
    C_NAME_PACK_MENU = nullptr;
    C_COLOR_SPLASH = 0xFF102030ul;
    Image(&chLOADBACK, "loadwin.png", 600, 400);
    Image(&chMAIN_MENU_LENOLIUM, "floor.png", 64, 64);
    gEdition.splash1.clear();
    gEdition.splash2.clear();
    std::remove("logo1.png");
    std::remove("logo2.png");
    dialogtest::WriteFont("loading_test.fnt", L"%");
    font = std::make_unique<ZOV::JFONT>("loading_test.fnt", 0);
    font->spacing = 5;
    chTEXT_COPYRIGHT2 = nullptr;
  }
  void TearDown() override {
    chTEXT_COPYRIGHT2 = nullptr;
    gEdition.splash1.clear();
    gEdition.splash2.clear();
    plat::SetTimeSourceForTests(nullptr);
    DialogEnv::TearDown();
  }

  std::unique_ptr<GAME::LOADING_SCREEN> Make() { return std::make_unique<GAME::LOADING_SCREEN>(game(), font.get()); }

  // One loading frame `ms` after the last: Update, then the drawing.
  void Frame(GAME::LOADING_SCREEN& s, uint32_t ms) {
    gNow += ms;
    s.Update(0, 0.0f);
    plat::gfx::ClearRecorded();
    EXPECT_EQ(s.Render(0), 1);
  }

  // What the last frame drew, by part: "plane+logo1", "plane+logo2",
  // "progress" (floor and background), or "?" for anything else.
  std::string Shown(const GAME::LOADING_SCREEN& s) const {
    auto drawn = [](const JSPRITE* p) { return p && !drawtest::QuadsOf(p->GetTexture()).empty(); };
    const bool plane = drawn(&s.Plane()), first = drawn(s.FirstLogo()), second = drawn(s.SecondLogo());
    const bool floor = drawn(&s.Floor()), back = drawn(&s.Background());
    if (plane && first && !second && !floor) return "plane+logo1";
    if (plane && second && !first && !floor) return "plane+logo2";
    if (floor && back && !plane && !first && !second) return "progress";
    return "?";
  }

  std::unique_ptr<ZOV::JFONT> font;
};

TEST_F(LoadingScreen, LogosShowTwoSecondsEach) {
  struct Row {
    const char* what;
    bool logo1, logo2;
    float countdown;  // when made
    // what shows 0.5 s, 1.9 s, 2.1 s, 3.9 s and 4.1 s after construction
    const char* shown[5];
  };
  const Row rows[] = {
      {"both logos", true, true, 4.0f, {"plane+logo1", "plane+logo1", "plane+logo2", "plane+logo2", "progress"}},
      {"only the first", true, false, 2.0f, {"plane+logo1", "plane+logo1", "progress", "progress", "progress"}},
      {"only the second", false, true, 2.0f, {"plane+logo2", "plane+logo2", "progress", "progress", "progress"}},
      {"none", false, false, 0.0f, {"progress", "progress", "progress", "progress", "progress"}},
  };
  const uint32_t steps[5] = {500, 1400, 200, 1800, 200};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    std::remove("logo1.png");
    std::remove("logo2.png");
    if (r.logo1) drawtest::WriteImage("logo1.png", 300, 200, 0xFFFF0000u);
    if (r.logo2) drawtest::WriteImage("logo2.png", 200, 100, 0xFF00FF00u);
    auto s = Make();
    EXPECT_FLOAT_EQ(s->countdown, r.countdown);
    EXPECT_EQ(s->FirstLogo() != nullptr, r.logo1);
    EXPECT_EQ(s->SecondLogo() != nullptr, r.logo2);
    for (int i = 0; i < 5; ++i) {
      Frame(*s, steps[i]);
      EXPECT_EQ(Shown(*s), r.shown[i]) << "frame " << i;
    }
  }
}

TEST_F(LoadingScreen, TheEditionNamesItsOwnLogos) {
  drawtest::WriteImage("logo1.png", 300, 200);
  drawtest::WriteImage("logo2.png", 300, 200);
  drawtest::WriteImage("intro_a.png", 120, 80);
  gEdition.splash1 = "intro_a.png";
  gEdition.splash2 = "intro_missing.png";
  auto s = Make();
  // The named second logo is missing: only the first counts, and the
  // default names are not used in its place.
  EXPECT_FLOAT_EQ(s->countdown, 2.0f);
  ASSERT_NE(s->FirstLogo(), nullptr);
  EXPECT_EQ(s->SecondLogo(), nullptr);
  EXPECT_EQ(s->FirstLogo()->GetMyTexWidth(1), 120);
}

TEST_F(LoadingScreen, LogosAndThePlaneCoverTheScreenCentre) {
  drawtest::WriteImage("logo1.png", 300, 200);
  drawtest::WriteImage("logo2.png", 200, 100);
  auto s = Make();
  Frame(*s, 10);
  const auto plane = drawtest::QuadsOf(s->Plane().GetTexture());
  ASSERT_EQ(plane.size(), 1u);
  EXPECT_EQ(plane[0].color, 0xFFFFFFFFu) << "the colour is in the texture, the quad is opaque white";
  EXPECT_FLOAT_EQ(plane[0].x0, 0.0f);
  EXPECT_FLOAT_EQ(plane[0].y0, 0.0f);
  EXPECT_FLOAT_EQ(plane[0].x1, 1024.0f);
  EXPECT_FLOAT_EQ(plane[0].y1, 768.0f);
  const auto logo = drawtest::QuadsOf(s->FirstLogo()->GetTexture());
  ASSERT_EQ(logo.size(), 1u);
  EXPECT_FLOAT_EQ(logo[0].x0, 362.0f);
  EXPECT_FLOAT_EQ(logo[0].y0, 284.0f);
  EXPECT_FLOAT_EQ(logo[0].x1, 662.0f);
  EXPECT_FLOAT_EQ(logo[0].y1, 484.0f);
  // The plane's one pixel holds the configured splash colour.
  ZOV::JINGFX& gfx = *game().GetGfx();
  const uint32_t* pixel = gfx.TextureLock(s->Plane().GetTexture());
  ASSERT_NE(pixel, nullptr);
  EXPECT_EQ(*pixel, 0xFF102030u);
  gfx.TextureUnlock(s->Plane().GetTexture());
}

TEST_F(LoadingScreen, EachClickTakesTwoSecondsOff) {
  drawtest::WriteImage("logo1.png", 300, 200);
  drawtest::WriteImage("logo2.png", 200, 100);
  struct Row {
    const char* what;
    int clicks;  // in the first of two half-second slots each
    const char* shownAfter;
    float countdown;
  };
  const Row rows[] = {
      {"no click", 0, "plane+logo1", 3.0f},
      {"one click skips the first logo", 1, "plane+logo2", 1.0f},
      {"two clicks end the logos", 2, "progress", -1.0f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto s = Make();
    for (int slot = 0; slot < 2; ++slot) {
      const bool click = slot < r.clicks;
      if (click) Mouse(512, 384, 1);
      Frame(*s, 250);
      if (click) Mouse(512, 384, -1);
      Frame(*s, 250);
    }
    EXPECT_EQ(Shown(*s), r.shownAfter);
    EXPECT_NEAR(s->countdown, r.countdown, 1e-4);
    EndFrame();
  }
}

TEST_F(LoadingScreen, AButtonHeldDownCountsOnce) {
  drawtest::WriteImage("logo1.png", 300, 200);
  drawtest::WriteImage("logo2.png", 200, 100);
  auto s = Make();
  Mouse(512, 384, 1);
  for (int i = 0; i < 4; ++i) Frame(*s, 100);
  EXPECT_NEAR(s->countdown, 4.0f - 0.4f - 2.0f, 1e-4);
  EXPECT_EQ(Shown(*s), "plane+logo2");
  Mouse(512, 384, -1);
  EndFrame();
}

TEST_F(LoadingScreen, OnceTheLogosAreOverClicksAndInputAreLeftAlone) {
  auto s = Make();
  Frame(*s, 16);
  ASSERT_EQ(Shown(*s), "progress");
  const float before = s->countdown;
  Mouse(512, 384, 1);
  Frame(*s, 16);
  EXPECT_NEAR(s->countdown, before - 0.016f, 1e-4) << "no 2 s off";
  EXPECT_EQ(input().Lkm(), 1) << "the input state was not advanced";
  Mouse(512, 384, -1);
  EndFrame();
}

TEST_F(LoadingScreen, TheProgressIsCentredBelowTheScreenCentre) {
  auto s = Make();
  struct Row {
    int progress;
    size_t glyphs;
    float left, right;  // of the glyphs drawn
  };
  // 10-pixel glyphs 5 apart, measured 15 a letter: "5%" measures 30 and
  // starts 15 left of x 502; "100%" measures 60. Every glyph's box is 20
  // high, its line of 24 centred on y 514.
  const Row rows[] = {{5, 2, 487.0f, 512.0f}, {42, 3, 480.0f, 520.0f}, {100, 4, 472.0f, 527.0f}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.progress);
    s->SetProgress(r.progress);
    Frame(*s, 16);
    const auto glyphs = drawtest::QuadsOf(font->page->GetTexture());
    ASSERT_EQ(glyphs.size(), r.glyphs);
    EXPECT_FLOAT_EQ(glyphs.front().x0, r.left);
    EXPECT_FLOAT_EQ(glyphs.back().x1, r.right);
    EXPECT_FLOAT_EQ(glyphs.front().y0, 502.0f);
    EXPECT_FLOAT_EQ(glyphs.front().y1, 522.0f);
  }
  // The floor covers the screen, repeated rather than stretched; the
  // loading background stands at the screen centre.
  const auto floor = drawtest::QuadsOf(s->Floor().GetTexture());
  ASSERT_EQ(floor.size(), 1u);
  EXPECT_FLOAT_EQ(floor[0].x1 - floor[0].x0, 1024.0f);
  EXPECT_FLOAT_EQ(floor[0].y1 - floor[0].y0, 768.0f);
  EXPECT_FLOAT_EQ(floor[0].u1, 16.0f) << "1024 / 64 repeats";
  const auto back = drawtest::QuadsOf(s->Background().GetTexture());
  ASSERT_EQ(back.size(), 1u);
  EXPECT_FLOAT_EQ(back[0].x0, 212.0f);
  EXPECT_FLOAT_EQ(back[0].y0, 184.0f);
}

TEST_F(LoadingScreen, TheTitleLineIsDrawnAsWrittenWhenConfigured) {
  auto s = Make();
  COPYRIGHT_TITLE_POS_X = 100;
  COPYRIGHT_TITLE_POS_Y = -40;
  s->SetProgress(7);
  Frame(*s, 16);
  EXPECT_EQ(drawtest::QuadsOf(font->page->GetTexture()).size(), 2u) << "no title configured: the progress only";
  char title[] = "ab%s%n";
  chTEXT_COPYRIGHT2 = title;
  Frame(*s, 16);
  const auto glyphs = drawtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(glyphs.size(), 8u) << "\"7%\" and the six letters of the title";
  // "ab%s%n": 6 glyphs, 90 wide, centred on (612, 728).
  EXPECT_FLOAT_EQ(glyphs[2].x0, 567.0f);
  EXPECT_FLOAT_EQ(glyphs[2].y0, 716.0f);
}

TEST_F(LoadingScreen, ItLeavesNoPackSelectedAndWritesItsLines) {
  char pack[] = "no_such_pack";
  C_NAME_PACK_LOADING = pack;
  C_NAME_PACK_MENU = pack;
  testing::internal::CaptureStdout();
  {
    auto s = Make();
    EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
    EXPECT_EQ(ZOV::ifile.current_pass, nullptr);
    // Art missing from the packs: drawn with the default texture, nothing fails.
    Frame(*s, 16);
  }
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("LOADING_SCREEN::LOADING_SCREEN() start\n"), std::string::npos) << out;
  EXPECT_LT(out.find("LOADING_SCREEN::LOADING_SCREEN() start\n"), out.find("\n2\n")) << out;
  EXPECT_NE(out.find("PUZZLE_LOADING DELETE\n"), std::string::npos) << out;
}

}  // namespace
