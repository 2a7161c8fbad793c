// The gallery page of the game's first chapter and the saved-games panel on
// real OpenGL at 1024 x 768 (needs an X display; Mesa's software renderer is
// enough), with the built packs, catalogue and fonts: every thumbnail of the
// page is drawn on its white plate, and the information boxes and the page
// counter are drawn. With JIGSAW_BOOK_SHOT set to a path stem the frames are
// also saved as <stem>_gallery.bmp and <stem>_saves.bmp for a person to
// look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/catalogue.h"
#include "GAME/shell/frame.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/save_panel.h"
#include "GAME/ui/shared_assets.h"
#include "tests/support/gl_scene_env.h"
#include "tests/support/test_env.h"

namespace {

constexpr uint32_t kPaper = 0xFFE8DCC0u;  // stands in for the book's pages

class BookPagesGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("book pages test"); }
  void SetUpScene() override {
    game->random.Seed(7.0f);
    docs = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);

    ASSERT_TRUE(DataBuilt("pzls.xml"));
    C_NAME_PACK_MENU = Pack("menu");
    C_NAME_PACK_IMAGE_PREV = Pack("pre");
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    comix = comixFont.get();
    Select(C_NAME_PACK_MENU, C_PAS_MENY);
    shadow = std::make_unique<JSPRITE>(chQShadow, 0);
    white = std::make_unique<JSPRITE>(chWhitePlain, 0);
    rotYes = std::make_unique<JSPRITE>(chROT_YES, 0);
    rotNo = std::make_unique<JSPRITE>(chROT_NO, 0);
    NoPack();
    infoBack = std::make_unique<JSPRITE>("no such image", 0);  // the 8 x 8 white default
    infoBack->SetColor(int(0x88000000u));
    shadowSplain = shadow.get();
    whiteSplain = white.get();
    sprRotPzl = rotYes.get();
    sprNotRotPzl = rotNo.get();
    sprInfoBack = infoBack.get();
  }
  void TearDown() override {
    for (auto* c : chapters) delete c;
    comix = nullptr;
    shadowSplain = whiteSplain = sprRotPzl = sprNotRotPzl = sprInfoBack = nullptr;
    GlScene::TearDown();
  }
  template <class F>
  static plat::Image Frame(F draw) {
    return FrameWith(draw, kPaper);
  }
  // How many pixels of the box differ from the paper.
  static int Inked(const plat::Image& img, int x0, int y0, int x1, int y1) {
    return Unlike(img, kPaper, x0, y0, x1, y1);
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_BOOK_SHOT", img, std::string(suffix) + ".bmp");
  }

  std::string docs;
  std::unique_ptr<ZOV::JFONT> comixFont;
  std::unique_ptr<JSPRITE> shadow, white, rotYes, rotNo, infoBack;
  std::vector<FRAME_CHOISE_GROUP*> chapters;
};

TEST_F(BookPagesGl, TheFirstChapterFillsItsPage) {
  ASSERT_GT(GAME::ReadCatalogue((std::string(JIGSAW_GAME_DIR) + "/pzls.xml").c_str(), &chapters), 0);
  FRAME_CHOISE_GROUP* g = chapters[0];
  ASSERT_GT(g->frames.size(), 8u) << "the first chapter has a second page";
  g->SetPos(kW / 2, kH / 2);
  ASSERT_GT(g->frames[0]->GetMyTexWidth(1), 8) << "the thumbnail came from the preview pack";
  const plat::Image img = Frame([&] { g->Render(); });
  ASSERT_EQ(img.w, kW);
  Shot(img, "_gallery");
  for (int i = 0; i < 8; ++i) {
    const FRAME* f = g->frames[size_t(i)];
    const int x = int(f->position.x), y = int(f->position.y);
    EXPECT_GT(Inked(img, x - 30, y - 20, x + 30, y + 20), 2000) << "thumbnail " << i;
  }
  EXPECT_GT(Inked(img, g->counter.x, g->counter.y, g->counter.x + 40, g->counter.y + 24), 20) << "the counter";
  EXPECT_GT(Inked(img, int(g->next->position.x) - 20, int(g->next->position.y) - 20, int(g->next->position.x) + 20,
                  int(g->next->position.y) + 20),
            400)
      << "the next-page button";
}

TEST_F(BookPagesGl, TheSavesPanelShowsCompletion) {
  const std::string folder = docs + "/Co/Game/Player/";
  const char* thumbs[] = {"p1_02.png", "p2_01.png", "p3_02.png"};
  for (int i = 0; i < 3; ++i)
    testenv::WriteFile(folder + std::to_string(i + 1) + ".pzl", std::string("<Save ImgAdr=\"a.jpg\" ImgSmAdr=\"") +
                                                                    thumbs[i] + "\" Min=\"" + std::to_string(4 + i) +
                                                                    "\" regCg=\"" + std::to_string(7 * i) + "\" rt=\"" +
                                                                    (i % 2 ? "true" : "false") + "\"/>");
  PUZZLE_SAVEPANEL panel;
  std::string dir = folder;
  ASSERT_EQ(panel.Fill(dir.data()), 3);
  panel.SetPos(kW, kH);
  const plat::Image img = Frame([&] { panel.Render(); });
  Shot(img, "_saves");
  for (const FRAME* f : panel.frames) {
    const int x = int(f->position.x), top = int(f->position.y) - f->DrawnH() / 2;
    EXPECT_GT(Inked(img, x + 10, top, x + 60, top + 20), 50) << f->savePath << ": its percent box";
  }
}

}  // namespace
