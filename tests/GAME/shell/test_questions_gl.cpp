// The save and quit questions and the help window on real OpenGL (needs an
// X display; Mesa's software renderer is enough) at 1024 x 768, with the
// built interface images, fonts and default texts: the questions dim what
// lies behind them and the help window does not; every text stays inside
// its window. With JIGSAW_WINDOW_SHOT set to a path stem, the frames are
// also saved as <stem>_quit.png, <stem>_save.png, <stem>_help0.png,
// <stem>_help1.png and <stem>_help2.png for a person to look at.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "GAME/shell/faq_screen.h"
#include "GAME/shell/questions.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "tests/support/gl_scene_env.h"

namespace {

class QuestionsGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("question test"); }
  void SetUpScene() override {
    game->timer.SetDelta(1.0f);
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    bigFont = LoadFont("Font_big.fnt", FONT_SPACE_BIG);
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    bigFont->SetColor(C_FONT_MAIN_COLOR);
    comixFont->SetColor(C_FONT_MAIN_COLOR);
    // The windows are made from the interface pack, as the scene manager
    // selects it around their constructors.
    Select(Pack("gui"), C_PAS_GUI);
    dim = DimLayer();
    kit = GAME::WindowKit{game, bigFont.get(), comixFont.get(), nullptr, dim.get()};
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_WINDOW_SHOT", img, std::string(suffix) + ".png");
  }
  // The right edge of a text drawn from x, each line measured.
  static int RightEdge(ZOV::JFONT& f, int x, const char* text) { return x + Widest(f, text); }
  // The bottom edge of a text drawn vertically centred on y.
  static int BottomEdge(ZOV::JFONT& f, int y, const char* text) {
    return y - f.lineHeight / 2 + f.GetStringHeight(text);
  }

  std::unique_ptr<ZOV::JFONT> bigFont, comixFont;
  std::unique_ptr<JSPRITE> dim;
  GAME::WindowKit kit;
};

TEST_F(QuestionsGl, TheQuestionsDimTheGameAndHoldTheirText) {
  struct Row {
    const char* suffix;
    std::function<std::unique_ptr<YES_NO_QUESTION>()> make;
    const char* text;
  };
  const Row rows[] = {
      {"_quit", [&] { return std::make_unique<PUZZLE_QUIT_QUEST>(kit); }, chTEXT_EXIT_GAME},
      {"_save", [&] { return std::make_unique<PUZZLE_SAVE_QUEST>(kit); }, chTEXT_SAVE_PUZZLE},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.suffix);
    auto q = r.make();
    const int wW = q->GetMyTexWidth(1), wH = q->GetMyTexHeight(1);
    ASSERT_GT(wW, 200) << "the window image came from the interface pack";
    const plat::Image img = Frame(*q);
    ASSERT_EQ(img.w, kW);
    Shot(img, r.suffix);
    ExpectDimmed(img);
    // The question ends inside the window's right edge, less a margin for
    // its frame, and the logo does not run over the window's left edge.
    EXPECT_LE(RightEdge(*bigFont, q->TextX(), r.text), kW / 2 + wW / 2 - 20) << r.text;
    EXPECT_GE(int(q->Logo().position.x) - q->Logo().GetMyTexWidth(1) / 2, kW / 2 - wW / 2);
    EXPECT_LE(BottomEdge(*bigFont, kH / 2, r.text), kH / 2 + wH / 2 - q->OkButton().GetHeight() / 4);
  }
}

TEST_F(QuestionsGl, TheHelpWindowDrawsNoDimLayerAndHoldsItsTexts) {
  struct Row {
    int mode;
    const char* suffix;
  };
  for (const Row& r : {Row{0, "_help0"}, Row{1, "_help1"}, Row{2, "_help2"}}) {
    SCOPED_TRACE(r.suffix);
    FAQ_SCREEN f(r.mode, kit);
    for (int i = 0; i < 4; ++i) f.Update(0, 0.0f);
    const plat::Image img = Frame(f);
    ASSERT_TRUE(f.shown);
    Shot(img, r.suffix);
    EXPECT_EQ(At(img, 5, 5) & 0xFFFFFFu, kBehind & 0xFFFFFFu) << "nothing dims the game";
    const int wW = f.GetMyTexWidth(1), wH = f.GetMyTexHeight(1);
    const int textX = kW / 2 - wW / 8;
    const int right = kW / 2 + wW / 2 - 20;
    if (r.mode == 0) {
      EXPECT_LE(RightEdge(*comixFont, textX, chTEXT_FAQ_MOUSE), right);
      EXPECT_LE(RightEdge(*comixFont, textX, chTEXT_FAQ_MOUSE_ROTATION), right);
    } else {
      EXPECT_LE(RightEdge(*comixFont, textX, r.mode == 1 ? chTEXT_FAQ_MOUSE : chTEXT_FAQ_POCKET), right);
    }
    // Pictures stay inside the window and left of the texts.
    for (const JSPRITE* p : {&f.Picture1(), f.Picture2()}) {
      if (p == nullptr) continue;
      const int pw = p->GetMyTexWidth(1), ph = p->GetMyTexHeight(1);
      EXPECT_GE(int(p->position.x) - pw / 2, kW / 2 - wW / 2);
      EXPECT_LE(int(p->position.x) + pw / 2, textX);
      EXPECT_GE(int(p->position.y) - ph / 2, kH / 2 - wH / 2);
      EXPECT_LE(int(p->position.y) + ph / 2, kH / 2 + wH / 2);
    }
  }
}

}  // namespace
