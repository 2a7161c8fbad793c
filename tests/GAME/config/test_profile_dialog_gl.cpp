// The first start on real OpenGL (needs an X display; Mesa's software
// renderer is enough): the player-selection window opens over the game's
// window with the built interface images and fonts, dimming what lies
// behind it, and the name dialog opens over it; more players than the list
// shows bring up its scroll bar. With JIGSAW_DIALOG_SHOT set to a path stem,
// the frames are also saved as <stem>.bmp, <stem>_name.bmp and
// <stem>_many.bmp for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/config/profile_manager.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/shared_assets.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/listbox.h"
#include "ST/sprite.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/window.h"
#include "tests/support/test_env.h"

namespace gfx = plat::gfx;

namespace {

long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

constexpr int kW = 1024, kH = 768;
constexpr uint32_t kBehind = 0xFF3070C0u;  // what the game shows behind the window

class ProfileDialogGl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY")) return;
    gfx::SetBackendForTests(gfx::Backend::GL);
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready = game->app.Window().Create("player dialog test", kW, kH, &NoProc) && game->gfx.Init(game->app.Window()) == 0;
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
    game->resX = kW;
    game->resY = kH;
    game->desktop = JST::iPOINT(1920, 1080);
    game->companyName = "Co";
    game->productName = "Game";
    setenv("XDG_DOCUMENTS_DIR", testenv::FreshDir("docs").c_str(), 1);

    const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
    ASSERT_TRUE(std::filesystem::exists(data + "gui")) << "build the game data first";
    guiPack = data + "gui";
    fontsPack = data + "fonts";
    C_NAME_PACK_GUI = guiPack.data();
    ZOV::ifile.ZipSetCurrentPack(fontsPack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    bigFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/Font_big.fnt").c_str(), 0);
    comixFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/PuzzleComix.fnt").c_str(), 0);
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
    bigFont->spacing = FONT_SPACE_BIG;
    comixFont->spacing = FONT_SPACE_SMALL;
    big = bigFont.get();
    comix = comixFont.get();
    // The dim layer: the default texture tinted translucent black, the
    // size of the screen.
    dim = std::make_unique<JSPRITE>("no such image", 0);
    dim->SetHotSpot(0, 0);
    dim->SetSizePix(kW, kH);
    dim->SetColor(int(0x99000000u));
    blackTranslucent = dim.get();
  }
  void TearDown() override {
    profile.reset();
    big = comix = nullptr;
    blackTranslucent = nullptr;
  }
  plat::Image Frame() {
    ZOV::JINGFX* r = ZOV::GetGame()->GetGfx();
    r->SetClearColor(kBehind);
    EXPECT_EQ(r->BeginFrame(), 0);
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    profile->Render();
    EXPECT_EQ(r->EndPostFrame(), 0);
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  }
  static uint32_t At(const plat::Image& img, int x, int y) { return img.argb[size_t(y) * size_t(img.w) + size_t(x)]; }
  static int Blue(uint32_t p) { return int(p & 0xFF); }
  void Shot(const plat::Image& img, const char* suffix) {
    if (const char* stem = std::getenv("JIGSAW_DIALOG_SHOT")) plat::SaveBMP(std::string(stem) + suffix + ".bmp", img);
  }

  static inline bool ready = false;
  std::string guiPack, fontsPack;
  std::unique_ptr<ZOV::JFONT> bigFont, comixFont;
  std::unique_ptr<JSPRITE> dim;
  std::unique_ptr<GAME::PROFILE> profile;
};

TEST_F(ProfileDialogGl, TheFirstStartShowsThePlayerWindowOverTheGame) {
  profile = std::make_unique<GAME::PROFILE>(big, ZOV::GetGame());
  ASSERT_TRUE(profile->IsDialogOpen());
  GAME::PAZZLE_PROFILE_MANAGER* m = profile->Dialog();
  const int wW = m->window->GetMyTexWidth(1), wH = m->window->GetMyTexHeight(1);
  ASSERT_GT(wW, 300) << "the window image came from the interface pack";
  ASSERT_LT(wW, kW);
  ASSERT_LT(wH, kH);

  const plat::Image img = Frame();
  ASSERT_EQ(img.w, kW);
  Shot(img, "");
  // Outside the window the game is dimmed, not hidden.
  const uint32_t corner = At(img, 5, 5);
  EXPECT_LT(Blue(corner), Blue(kBehind) - 40) << std::hex << corner;
  EXPECT_GT(Blue(corner), 10) << std::hex << corner;
  // The window covers its middle with its own picture.
  int differ = 0;
  for (int y = kH / 2 - wH / 4; y < kH / 2 + wH / 4; y += 4)
    for (int x = kW / 2 - wW / 4; x < kW / 2 + wW / 4; x += 4) differ += At(img, x, y) != corner ? 1 : 0;
  EXPECT_GT(differ, 100);

  // Add opens the name dialog over it.
  ZOV::ST_INPUT* in = ZOV::GetGame()->GetInput();
  const int ax = int(m->add->position.x), ay = int(m->add->position.y);
  in->EventMouseMove(ax, ay);
  in->EventMouseLkm(true);
  EXPECT_EQ(profile->Update(), GAME::PROFILE::kDialogOpen);
  in->Update(0);
  in->EventMouseLkm(false);
  EXPECT_EQ(profile->Update(), GAME::PROFILE::kDialogOpen);
  in->Update(0);
  in->Update(0);
  ASSERT_TRUE(m->NameDialogShown());
  const plat::Image named = Frame();
  Shot(named, "_name");
  int changed = 0;
  for (int y = 0; y < kH; y += 4)
    for (int x = 0; x < kW; x += 4) changed += At(named, x, y) != At(img, x, y) ? 1 : 0;
  EXPECT_GT(changed, 500) << "the name dialog is drawn on top";
}

TEST_F(ProfileDialogGl, MorePlayersThanFitBringUpTheScrollBar) {
  profile = std::make_unique<GAME::PROFILE>(big, ZOV::GetGame());
  GAME::PAZZLE_PROFILE_MANAGER* m = profile->Dialog();
  const plat::Image few = Frame();
  for (const char* name : {"Anna", "Bob", "Cleo", "Dan", "Eva", "Fil", "Gus", "Hana", "Ivo", "Jan", "Kim", "Lev",
                           "Mia", "Ned"})
    m->AddName(name);
  EXPECT_EQ(profile->Update(), GAME::PROFILE::kDialogOpen);
  ASSERT_LT(m->list->visibleRows, m->list->RowCount());
  const plat::Image many = Frame();
  Shot(many, "_many");
  // The bar stands right of the list.
  const int left = int(m->list->position.x + m->list->scale.x);
  const int top = int(m->list->position.y), bottom = int(m->list->position.y + m->list->scale.y);
  int changed = 0;
  for (int y = top; y < bottom; y += 2)
    for (int x = left; x < left + 40; ++x) changed += At(many, x, y) != At(few, x, y) ? 1 : 0;
  EXPECT_GT(changed, 200);
}

}  // namespace
