// The first start on real OpenGL (needs an X display; Mesa's software
// renderer is enough): the player-selection window opens over the game's
// window with the built interface images and fonts, dimming what lies
// behind it, and the name dialog opens over it; more players than the list
// shows bring up its scroll bar. With JIGSAW_DIALOG_SHOT set to a path stem,
// the frames are also saved as <stem>.bmp, <stem>_name.bmp and
// <stem>_many.bmp for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "GAME/config/profile.h"
#include "GAME/config/profile_manager.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/listbox.h"
#include "tests/support/gl_scene_env.h"
#include "tests/support/test_env.h"

namespace {

class ProfileDialogGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("player dialog test"); }
  void SetUpScene() override {
    game->resX = kW;
    game->resY = kH;
    game->desktop = JST::iPOINT(1920, 1080);
    game->companyName = "Co";
    game->productName = "Game";
    setenv("XDG_DOCUMENTS_DIR", testenv::FreshDir("docs").c_str(), 1);

    ASSERT_TRUE(DataBuilt("DATA/gui"));
    C_NAME_PACK_GUI = Pack("gui");
    bigFont = LoadFont("Font_big.fnt", FONT_SPACE_BIG);
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    big = bigFont.get();
    comix = comixFont.get();
    dim = DimLayer();
    blackTranslucent = dim.get();
  }
  void TearDown() override {
    profile.reset();
    big = comix = nullptr;
    blackTranslucent = nullptr;
    GlScene::TearDown();
  }
  plat::Image Frame() {
    return FrameWith([&] { profile->Render(); });
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_DIALOG_SHOT", img, std::string(suffix) + ".bmp");
  }

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
  ExpectDimmed(img);
  // The window covers its middle with its own picture.
  EXPECT_GT(Unlike(img, At(img, 5, 5), kW / 2 - wW / 4, kH / 2 - wH / 4, kW / 2 + wW / 4, kH / 2 + wH / 4, 4), 100);

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
  EXPECT_GT(Changed(named, img, 0, 0, kW, kH, 4), 500) << "the name dialog is drawn on top";
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
