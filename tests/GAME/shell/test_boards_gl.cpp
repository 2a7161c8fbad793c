// The loading screen, the score board and the leader board on real OpenGL
// (needs an X display; Mesa's software renderer is enough) at 1024 x 768,
// with the built packs, fonts and default texts: the logo on the splash
// colour, the progress inside the loading background, the boards' texts
// inside their window. With JIGSAW_WINDOW_SHOT set to a path stem, the
// frames are also saved as <stem>_logo.png, <stem>_loading.png,
// <stem>_scores.png and <stem>_leaders.png for a person to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/board/reg.h"
#include "GAME/config/text_format.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/loading_screen.h"
#include "GAME/shell/score_board.h"
#include "GAME/ui/shared_assets.h"
#include "tests/support/draw_record.h"
#include "tests/support/gl_scene_env.h"

namespace fs = std::filesystem;

namespace {

class BoardsGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("boards test"); }
  void SetUpScene() override {
    // The built packs and font descriptors, as in the game's own folder.
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    for (const auto& e : fs::directory_iterator(fs::path(JIGSAW_GAME_DIR))) {
      const std::string name = e.path().filename().string();
      if ((name == "DATA" || e.path().extension() == ".fnt") && !fs::exists(name)) fs::create_symlink(e.path(), name);
    }
    Select(C_NAME_PACK_FONTS, C_PAS_FONTS);
    bigFont = std::make_unique<ZOV::JFONT>(chFONT_BIG, 0);
    comixFont = std::make_unique<ZOV::JFONT>(chFONT_COMIX, 0);
    loadFont = std::make_unique<ZOV::JFONT>(chFONT_LOADING, 0);
    NoPack();
    bigFont->spacing = FONT_SPACE_BIG;
    comixFont->spacing = FONT_SPACE_SMALL;
    loadFont->spacing = FONT_SPACE_LOADING;
    bigFont->SetColor(C_FONT_MAIN_COLOR);
    comixFont->SetColor(C_FONT_MAIN_COLOR);
    dim = DimLayer();
    Select(C_NAME_PACK_MENU, C_PAS_MENY);
    white = std::make_unique<JSPRITE>(chWhitePlain, 0);
    NoPack();
    kit = GAME::WindowKit{game, bigFont.get(), comixFont.get(), nullptr, dim.get()};
  }
  static void GuiPack() { Select(C_NAME_PACK_GUI, C_PAS_GUI); }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_WINDOW_SHOT", img, std::string(suffix) + ".png");
  }

  std::unique_ptr<ZOV::JFONT> bigFont, comixFont, loadFont;
  std::unique_ptr<JSPRITE> dim, white;
  GAME::WindowKit kit;
};

TEST_F(BoardsGl, TheLoadingScreenShowsTheLogoThenTheProgress) {
  drawtest::WriteImage("logo1.png", 320, 160, 0xFFE0C040u);
  C_COLOR_SPLASH = 0xFF000000ul;
  char title[] = "(c) Jigsaw team";
  chTEXT_COPYRIGHT2 = title;
  COPYRIGHT_TITLE_POS_Y = -30;
  {
    GAME::LOADING_SCREEN s(*ZOV::GetGame(), loadFont.get());
    ASSERT_EQ(s.CurrentPhase(), GAME::LOADING_SCREEN::Phase::kSecondLogo);
    const plat::Image logo = Frame(s);
    Shot(logo, "_logo");
    EXPECT_EQ(At(logo, 5, 5) & 0xFFFFFFu, 0u) << "the black splash plane";
    EXPECT_EQ(At(logo, kW / 2, kH / 2) & 0xFFFFFFu, 0xE0C040u) << "the logo at the centre";
    s.countdown = -0.1f;
    s.SetProgress(42);
    const plat::Image progress = Frame(s);
    Shot(progress, "_loading");
    EXPECT_NE(At(progress, 5, 5) & 0xFFFFFFu, 0u) << "the floor covers the screen";
    EXPECT_NE(At(progress, 5, 5) & 0xFFFFFFu, kBehind & 0xFFFFFFu);
  }
  chTEXT_COPYRIGHT2 = nullptr;
  std::remove("logo1.png");
}

TEST_F(BoardsGl, TheScoreBoardHoldsItsRows) {
  GuiPack();
  GAME::SCORE_BOARD b(comixFont.get(), kit, white.get());
  NoPack();
  const struct {
    const char* face;
    int score, pieces, h, m, s;
  } rows[] = {{"p1_01.png", 345, 9, 0, 2, 5},
              {"p1_02.png", 1200, 64, 0, 75, 5},
              {"p1_03.png", 88, 16, 1, 2, 5},
              {"p1_04.png", 15, 4, 0, 0, 42}};
  for (const auto& r : rows) {
    auto reg = std::make_unique<GAME::REG>();
    reg->score = r.score;
    reg->pieces = r.pieces;
    reg->hours = r.h;
    reg->minutes = r.m;
    reg->seconds = r.s;
    b.AddScoreItem(std::move(reg), r.face);
  }
  ASSERT_GT(b.GetMyTexWidth(1), 200) << "the window image came from the interface pack";
  const plat::Image img = Frame(b);
  Shot(img, "_scores");
  // Every row's texts end inside the window, less a margin for its frame.
  const int right = kW / 2 + b.GetMyTexWidth(1) / 2 - 20;
  for (const auto& r : rows) {
    const std::string score = GAME::cfg::FormatText(chTEXT_SCORE_BOARD_ITEM_SCORE, r.score);
    EXPECT_LE(kW / 2 + 10 + comixFont->GetStringLenght(score.c_str()), right) << score;
  }
  EXPECT_GE(387 - 70, kW / 2 - b.GetMyTexWidth(1) / 2) << "thumbnails inside the window";
}

TEST_F(BoardsGl, TheLeaderBoardHoldsItsPlayers) {
  GuiPack();
  GAME::LIDER_BOARD b(comixFont.get(), kit);
  NoPack();
  const char* names[] = {"Anna", "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA", "Boris", "Clara", "%s%n", "Dmitri",
                         "Eve"};
  int score = 100;
  for (const char* n : names) b.AddLider({n, score += 137});
  const plat::Image img = Frame(b);
  Shot(img, "_leaders");
  const int left = kW / 2 - b.GetMyTexWidth(1) / 2 + 20, right = kW / 2 + b.GetMyTexWidth(1) / 2 - 20;
  const int px = int(b.RowPlate().position.x);
  EXPECT_GE(px - 260 - 20, left) << "the place column inside the window";
  EXPECT_LE(px + 190 + comixFont->GetStringLenght("9999") / 2, right) << "the score column inside the window";
}

}  // namespace
