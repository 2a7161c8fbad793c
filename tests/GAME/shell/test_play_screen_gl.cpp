// The set-up strip and the play panel on real OpenGL at 1024 x 768 (needs an
// X display; Mesa's software renderer is enough), with the built interface
// art and fonts: the strip covers the foot of the screen with its controls
// and texts, and the play panel's tools sit on their shelf with a hint above
// the one the mouse rests on. With JIGSAW_PLAY_SCREEN_SHOT set to a path
// stem, the frames are also saved as <stem>_strip.png and <stem>_panel.png
// for a person to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GAME/shell/play_panel.h"
#include "GAME/shell/setup_strip.h"
#include "ST/button.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "tests/support/gl_scene_env.h"

namespace {

// kBehind stands for what lies behind: the preview or the board.
class PlayScreenGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("play screen test"); }
  void SetUpScene() override {
    game->timer.SetDelta(0.016f);
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    C_NAME_PACK_GUI = Pack("gui");
    C_NAME_PACK_LEVEL = Pack("level");
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    comixFont->SetColor(C_FONT_MAIN_COLOR);
  }
  void TearDown() override {
    strip.reset();
    panel.reset();
    GlScene::TearDown();
  }
  // How many sampled pixels of the box differ from what lies behind.
  static int Covered(const plat::Image& img, int x0, int y0, int x1, int y1) {
    return Unlike(img, kBehind, x0, y0, x1, y1, 2);
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_PLAY_SCREEN_SHOT", img, std::string(suffix) + ".png");
  }
  void MouseFrame(int x, int y) {
    ZOV::ST_INPUT* in = ZOV::GetGame()->GetInput();
    in->EventMouseMove(x, y);
    panel->Update(0, 0.0f);
    in->Update(0);
  }

  std::unique_ptr<ZOV::JFONT> comixFont;
  std::unique_ptr<PUZZLE_IMG_HCANGE_SCREEN> strip;
  std::unique_ptr<PLAY_PANEL> panel;
};

TEST_F(PlayScreenGl, TheStripCoversTheFootOfTheScreenWithItsControls) {
  strip = std::make_unique<PUZZLE_IMG_HCANGE_SCREEN>(ZOV::GetGame(), comixFont.get(), nullptr);
  ASSERT_GT(strip->GetWidth(), 100) << "the window image came from the interface pack";
  const plat::Image img = FrameWith([&] { strip->Render(35, 108); });
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
  const plat::Image ticked = FrameWith([&] { strip->Render(35, 108); });
  Shot(ticked, "_strip_rotation");
  EXPECT_GT(Changed(ticked, img, 0, top, kW, kH), 50);
}

TEST_F(PlayScreenGl, TheToolsSitOnThePanelWithAHintOverTheOneUnderTheMouse) {
  ZOV::ifile.ZipSetCurrentPack(C_NAME_PACK_LEVEL);
  ZOV::ifile.ZipSetCurrentPass(C_PAS_LEVEL);
  panel = std::make_unique<PLAY_PANEL>(chGAME_PLAY_PANEL, comixFont.get());
  panel->SetPos(kW / 2, int(kH * 0.97));
  MouseFrame(5, 5);
  const plat::Image still = FrameWith([&] { panel->Render(0); });
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
  const plat::Image hint = FrameWith([&] {
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
