// The book on real OpenGL (needs an X display; Mesa's software renderer is
// enough) with the built book and menu art and the interface font: the
// pages cover the book box and nothing outside it, the tabs stand left of
// the pages with their captions, and the saves tab shows only when asked.
// With JIGSAW_BOOK_SHOT set to a path stem, the frames are also saved as
// <stem>_2.png (two chapters, the first current, saves tab shown) and
// <stem>_9.png (nine chapters, one with a long caption, the saves tab
// current) for a person to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GAME/shell/puzzle_book.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/tile_map_9.h"
#include "ST/button.h"
#include "tests/support/gl_scene_env.h"

namespace {

// kBehind stands for the menu's background.
class PuzzleBookGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("book test"); }
  void SetUpScene() override {
    ASSERT_TRUE(DataBuilt("DATA/book"));
    C_NAME_PACK_BOOK = Pack("book");
    C_NAME_PACK_MENU = Pack("menu");
    font = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    font->SetColor(C_FONT_MAIN_COLOR);
  }
  void TearDown() override {
    book.reset();
    GlScene::TearDown();
  }

  GAME::PUZZLE_BOOK& Make(int chapters) {
    GAME::PUZZLE_BOOK::Setup s;
    s.chapters = chapters;
    s.width = kW;
    s.height = kH;
    s.font = font.get();
    book = std::make_unique<GAME::PUZZLE_BOOK>(s);
    return *book;
  }
  plat::Image Frame() {
    return FrameWith([&] {
      book->Render();
      book->RenderActiveButtons();
    });
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_BOOK_SHOT", img, std::string(suffix) + ".png");
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<GAME::PUZZLE_BOOK> book;
};

TEST_F(PuzzleBookGl, ThePagesFillTheBookBoxAndTheTabsStandAtItsLeftEdge) {
  GAME::PUZZLE_BOOK& b = Make(2);
  ASSERT_GT(b.LeftPage()->Tile(22)->GetTexture(), 0u);
  b.DropButton(1);
  const plat::Image hidden = Frame();
  ASSERT_EQ(hidden.w, kW);
  b.Saves(true);
  const plat::Image img = Frame();
  Shot(img, "_2");
  // Outside the book box the background shows; inside it, the pages.
  for (auto [x, y] : {std::pair{20, 384}, {1000, 384}, {512, 60}, {512, 720}})
    EXPECT_EQ(At(img, x, y), kBehind) << x << "," << y;
  for (auto [x, y] : {std::pair{318, 384}, {705, 384}, {512, 384}, {300, 130}, {900, 640}})
    EXPECT_NE(At(img, x, y), kBehind) << x << "," << y;
  // The tab column: drawn left of the page edge, where only the background
  // is otherwise.
  const int tabX = int(b.Tabs()[0]->position.x);
  EXPECT_NE(At(img, tabX - 40, int(b.Tabs()[0]->position.y)), kBehind);
  EXPECT_NE(At(img, tabX - 40, int(b.Tabs()[1]->position.y)), kBehind);
  // The saves tab only when shown.
  const int sy = int(b.SavesTab()->position.y);
  EXPECT_EQ(At(hidden, tabX - 40, sy), kBehind);
  EXPECT_GT(Changed(hidden, img, tabX - 60, sy - 24, tabX + 60, sy + 24, 2), 300);
}

TEST_F(PuzzleBookGl, NineChaptersAndTheCurrentSavesTab) {
  // Captions for the chapters past the default five, one of them long.
  chCATEGORIES_NAMES.resize(5);
  chCATEGORIES_NAMES.push_back("\xD0\x9F\xD0\xB5\xD0\xB9\xD0\xB7\xD0\xB0\xD0\xB6\xD0\xB8 \xD0\xB8 "
                               "\xD0\xBF\xD1\x80\xD0\xB8\xD1\x80\xD0\xBE\xD0\xB4\xD0\xB0");  // "Пейзажи и природа"
  chCATEGORIES_NAMES.push_back("7");
  GAME::PUZZLE_BOOK& b = Make(9);
  b.Saves(true);
  b.DropButton(GAME::PUZZLE_BOOK::kSavesTab);
  const plat::Image img = Frame();
  Shot(img, "_9");
  // The last chapter tab ends where the saves tab begins; the saves tab,
  // drawn last, is whole: it differs from the frame without it over all of
  // its height.
  const int lastBottom = int(b.Tabs()[8]->position.y) + 24, savesTop = int(b.SavesTab()->position.y) - 24;
  EXPECT_LE(lastBottom, savesTop);
  b.Saves(false);
  const plat::Image without = Frame();
  const int x = int(b.SavesTab()->position.x) - 70;
  EXPECT_NE(At(img, x, savesTop + 2), At(without, x, savesTop + 2));
  EXPECT_EQ(At(without, x, savesTop + 2), kBehind);
}

}  // namespace
