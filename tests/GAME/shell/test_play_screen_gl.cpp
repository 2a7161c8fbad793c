// The set-up strip and the play panel on real OpenGL at 1024 x 768 (needs an
// X display; Mesa's software renderer is enough), with the built interface
// art and fonts: the strip covers the foot of the screen with its controls
// and texts, and the play panel's tools sit on their shelf with a hint above
// the one the mouse rests on. With JIGSAW_PLAY_SCREEN_SHOT set to a path
// stem, the frames are also saved as <stem>_strip.png and <stem>_panel.png
// for a person to look at.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/setup_strip.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "ST/renderer.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

constexpr int kW = 1024, kH = 768;
constexpr uint32_t kBehind = 0xFF3070C0u;  // what lies behind: the preview or the board

class PlayScreenGl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY")) return;
    gfx::SetBackendForTests(gfx::Backend::GL);
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready = game->app.Window().Create("play screen test", kW, kH, &NoProc) && game->gfx.Init(game->app.Window()) == 0;
    if (ready) {
      game->gfx.ChangeVideoMode(kW, kH, false);
      game->gfx.SetAdaptScreen(kW, kH);
    }
  }
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(ready);
    GAME::ApplyConfigDefaults();
    ZOV::ST_GAME* game = ZOV::GetGame();
    Game = game;
    zov = game->GetGfx();
    INPUTNAME = game->GetInput();
    game->middle = JST::iPOINT(kW / 2, kH / 2);
    game->timer.SetDelta(0.016f);

    const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
    ASSERT_TRUE(std::filesystem::exists(data + "gui")) << "build the game data first";
    guiPack = data + "gui";
    levelPack = data + "level";
    fontsPack = data + "fonts";
    C_NAME_PACK_GUI = guiPack.data();
    C_NAME_PACK_LEVEL = levelPack.data();
    ZOV::ifile.ZipSetCurrentPack(fontsPack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    comixFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/PuzzleComix.fnt").c_str(), 0);
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
    comixFont->spacing = FONT_SPACE_SMALL;
    comixFont->SetColor(C_FONT_MAIN_COLOR);
  }
  void TearDown() override {
    strip.reset();
    panel.reset();
  }
  template <class Draw>
  plat::Image Frame(Draw draw) {
    ZOV::JINGFX* r = ZOV::GetGame()->GetGfx();
    r->SetClearColor(kBehind);
    EXPECT_EQ(r->BeginFrame(), 0);
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    draw();
    EXPECT_EQ(r->EndPostFrame(), 0);
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  }
  static uint32_t At(const plat::Image& img, int x, int y) { return img.argb[size_t(y) * size_t(img.w) + size_t(x)]; }
  // How many sampled pixels of the box differ from what lies behind.
  static int Covered(const plat::Image& img, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y += 2)
      for (int x = x0; x < x1; x += 2) n += At(img, x, y) != kBehind ? 1 : 0;
    return n;
  }
  static void Shot(plat::Image img, const char* suffix) {
    const char* stem = std::getenv("JIGSAW_PLAY_SCREEN_SHOT");
    if (!stem) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(img.argb.data(), img.w, img.h, 32, img.w * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(IMG_SavePNG(s, (std::string(stem) + suffix + ".png").c_str()), 0);
    SDL_FreeSurface(s);
  }
  void MouseFrame(int x, int y) {
    ZOV::ST_INPUT* in = ZOV::GetGame()->GetInput();
    in->EventMouseMove(x, y);
    panel->Update(0, 0.0f);
    in->Update(0);
  }

  static inline bool ready = false;
  std::string guiPack, levelPack, fontsPack;
  std::unique_ptr<ZOV::JFONT> comixFont;
  std::unique_ptr<PUZZLE_IMG_HCANGE_SCREEN> strip;
  std::unique_ptr<PLAY_PANEL> panel;
};

TEST_F(PlayScreenGl, TheStripCoversTheFootOfTheScreenWithItsControls) {
  strip = std::make_unique<PUZZLE_IMG_HCANGE_SCREEN>(ZOV::GetGame(), comixFont.get(), nullptr);
  ASSERT_GT(strip->GetWidth(), 100) << "the window image came from the interface pack";
  const plat::Image img = Frame([&] { strip->Render(35, 108); });
  ASSERT_EQ(img.w, kW);
  Shot(img, "_strip");
  const int top = kH - strip->GetWidth();
  EXPECT_EQ(Covered(img, 0, 0, kW, top - 40), 0) << "nothing above the strip's controls";
  const float sx = strip->Strip()->position.x;
  EXPECT_GT(Covered(img, int(sx) - 200, top + 20, int(sx) + 200, kH - 10), 15000) << "the strip is drawn";
  // OK and Cancel each draw their own plate, apart.
  const auto* ok = strip->OkButton();
  const auto* cancel = strip->CancelButton();
  EXPECT_GT(Covered(img, int(ok->position.x) - 40, int(ok->position.y) - 15, int(ok->position.x) + 40,
                    int(ok->position.y) + 15),
            0);
  EXPECT_NE(At(img, int(ok->position.x), int(ok->position.y)), At(img, int(cancel->position.x), int(cancel->position.y)));

  // Ticking rotation changes the box and the answer in the text.
  ZOV::ST_INPUT* in = ZOV::GetGame()->GetInput();
  const auto* box = strip->RotationBox();
  in->EventMouseMove(int(box->position.x), int(box->position.y));
  in->EventMouseLkm(true);
  EXPECT_EQ(strip->Update(), PUZZLE_IMG_HCANGE_SCREEN::kChanged);
  in->Update(0);
  in->EventMouseLkm(false);
  in->Update(0);
  ASSERT_TRUE(strip->GetRotAccept());
  const plat::Image ticked = Frame([&] { strip->Render(35, 108); });
  Shot(ticked, "_strip_rotation");
  int changed = 0;
  for (int y = top; y < kH; ++y)
    for (int x = 0; x < kW; ++x) changed += At(ticked, x, y) != At(img, x, y) ? 1 : 0;
  EXPECT_GT(changed, 50);
}

TEST_F(PlayScreenGl, TheToolsSitOnThePanelWithAHintOverTheOneUnderTheMouse) {
  ZOV::ifile.ZipSetCurrentPack(C_NAME_PACK_LEVEL);
  ZOV::ifile.ZipSetCurrentPass(C_PAS_LEVEL);
  panel = std::make_unique<PLAY_PANEL>(chGAME_PLAY_PANEL, comixFont.get());
  panel->SetPos(kW / 2, int(kH * 0.97));
  MouseFrame(5, 5);
  const plat::Image still = Frame([&] { panel->Render(0); });
  Shot(still, "_panel");
  EXPECT_GT(Covered(still, 100, 700, 900, kH), 13000) << "the panel and its tools";
  EXPECT_EQ(Covered(still, 0, 0, kW, 600), 0);

  // The mouse rests on the sort tool: it grows and its hint shows above it.
  const BUTTONACT* sort = panel->Button(PLAY_PANEL::kSort);
  const int sx = int(sort->position.x), sy = int(sort->position.y);
  MouseFrame(sx, sy);
  MouseFrame(sx, sy);
  EXPECT_LT(sort->position.y, float(sy - 30)) << "risen";
  ASSERT_TRUE(sort->tipShown);
  const plat::Image hint = Frame([&] {
    panel->Render(0);
    panel->PostRender();
  });
  Shot(hint, "_panel_hint");
  const int hx = int(sort->position.x);
  const int hintTop = int(sort->position.y - sort->scale.y * float(sort->frame.y) / 2.0f) - 30;
  EXPECT_GT(Covered(hint, hx - 30, hintTop, hx + 30, hintTop + 20), 50) << "the hint box above the tool";
  EXPECT_EQ(Covered(still, hx - 30, hintTop, hx + 30, hintTop + 20), 0);
}

}  // namespace
