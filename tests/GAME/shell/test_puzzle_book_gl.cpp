// The book on real OpenGL (needs an X display; Mesa's software renderer is
// enough) with the built book and menu art and the interface font: the
// pages cover the book box and nothing outside it, the tabs stand left of
// the pages with their captions, and the saves tab shows only when asked.
// With JIGSAW_BOOK_SHOT set to a path stem, the frames are also saved as
// <stem>_2.png (two chapters, the first current, saves tab shown) and
// <stem>_9.png (nine chapters, one with a long caption, the saves tab
// current) for a person to look at.
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
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/shared_assets.h"
#include "GAME/shell/tile_map_9.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sprite.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/window.h"
#include "tests/support/test_env.h"

namespace gfx = plat::gfx;

namespace {

long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

constexpr int kW = 1024, kH = 768;
constexpr uint32_t kBehind = 0xFF3070C0u;  // the menu's background stand-in

class PuzzleBookGl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY")) return;
    gfx::SetBackendForTests(gfx::Backend::GL);
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready = game->app.Window().Create("book test", kW, kH, &NoProc) && game->gfx.Init(game->app.Window()) == 0;
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

    const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
    ASSERT_TRUE(std::filesystem::exists(data + "book")) << "build the game data first";
    bookPack = data + "book";
    menuPack = data + "menu";
    fontsPack = data + "fonts";
    C_NAME_PACK_BOOK = bookPack.data();
    C_NAME_PACK_MENU = menuPack.data();
    ZOV::ifile.ZipSetCurrentPack(fontsPack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    font = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/PuzzleComix.fnt").c_str(), 0);
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
    font->spacing = FONT_SPACE_SMALL;
    font->SetColor(C_FONT_MAIN_COLOR);
  }
  void TearDown() override { book.reset(); }

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
    ZOV::JINGFX* r = ZOV::GetGame()->GetGfx();
    r->SetClearColor(kBehind);
    EXPECT_EQ(r->BeginFrame(), 0);
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    book->Render();
    book->RenderActiveButtons();
    EXPECT_EQ(r->EndPostFrame(), 0);
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  }
  static uint32_t At(const plat::Image& img, int x, int y) { return img.argb[size_t(y) * size_t(img.w) + size_t(x)]; }
  static void Shot(const plat::Image& img, const char* suffix) {
    const char* stem = std::getenv("JIGSAW_BOOK_SHOT");
    if (!stem) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(img.argb.data()), img.w, img.h, 32,
                                                        img.w * 4, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(IMG_SavePNG(s, (std::string(stem) + suffix + ".png").c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
  }
  // How many of the pixels of the box, every other one, differ between the
  // two frames.
  static int Changed(const plat::Image& a, const plat::Image& b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y += 2)
      for (int x = x0; x < x1; x += 2) n += At(a, x, y) != At(b, x, y) ? 1 : 0;
    return n;
  }

  static inline bool ready = false;
  std::string bookPack, menuPack, fontsPack;
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
  EXPECT_GT(Changed(hidden, img, tabX - 60, sy - 24, tabX + 60, sy + 24), 300);
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
