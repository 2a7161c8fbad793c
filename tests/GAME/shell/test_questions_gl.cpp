// The save and quit questions and the help window on real OpenGL (needs an
// X display; Mesa's software renderer is enough) at 1024 x 768, with the
// built interface images, fonts and default texts: the questions dim what
// lies behind them and the help window does not; every text stays inside
// its window. With JIGSAW_WINDOW_SHOT set to a path stem, the frames are
// also saved as <stem>_quit.png, <stem>_save.png, <stem>_help0.png,
// <stem>_help1.png and <stem>_help2.png for a person to look at.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/shared_assets.h"
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
constexpr uint32_t kBehind = 0xFF3070C0u;  // what the game shows behind the window

class QuestionsGl : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY")) return;
    gfx::SetBackendForTests(gfx::Backend::GL);
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready = game->app.Window().Create("question test", kW, kH, &NoProc) && game->gfx.Init(game->app.Window()) == 0;
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
    game->timer.SetDelta(1.0f);

    const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
    ASSERT_TRUE(std::filesystem::exists(data + "gui")) << "build the game data first";
    guiPack = data + "gui";
    fontsPack = data + "fonts";
    ZOV::ifile.ZipSetCurrentPack(fontsPack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    bigFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/Font_big.fnt").c_str(), 0);
    comixFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/PuzzleComix.fnt").c_str(), 0);
    bigFont->spacing = FONT_SPACE_BIG;
    comixFont->spacing = FONT_SPACE_SMALL;
    bigFont->SetColor(C_FONT_MAIN_COLOR);
    comixFont->SetColor(C_FONT_MAIN_COLOR);
    // The windows are made from the interface pack, as the scene manager
    // selects it around their constructors.
    ZOV::ifile.ZipSetCurrentPack(guiPack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_GUI);
    // The dim layer: the default texture tinted translucent black, the
    // size of the screen.
    dim = std::make_unique<JSPRITE>("no such image", 0);
    dim->SetHotSpot(0, 0);
    dim->SetSizePix(kW, kH);
    dim->SetColor(int(0x99000000u));
    kit = GAME::WindowKit{game, bigFont.get(), comixFont.get(), nullptr, dim.get()};
  }
  void TearDown() override {
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
  }
  plat::Image Frame(JSPRITE& window) {
    ZOV::JINGFX* r = ZOV::GetGame()->GetGfx();
    r->SetClearColor(kBehind);
    EXPECT_EQ(r->BeginFrame(), 0);
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    window.Render(0);
    EXPECT_EQ(r->EndPostFrame(), 0);
    plat::Image img;
    EXPECT_TRUE(gfx::ReadPixels(0, img));
    return img;
  }
  static uint32_t At(const plat::Image& img, int x, int y) { return img.argb[size_t(y) * size_t(img.w) + size_t(x)]; }
  static int Blue(uint32_t p) { return int(p & 0xFF); }
  void Shot(const plat::Image& img, const char* suffix) {
    const char* stem = std::getenv("JIGSAW_WINDOW_SHOT");
    if (stem == nullptr) return;
    std::vector<uint32_t> px(img.argb.begin(), img.argb.end());
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(px.data(), img.w, img.h, 32, img.w * 4, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(IMG_SavePNG(s, (std::string(stem) + suffix + ".png").c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
  }
  // The right edge of a text drawn from x, each line measured.
  static int RightEdge(ZOV::JFONT& f, int x, const char* text) {
    int widest = 0;
    std::string line;
    for (const char* c = text;; ++c) {
      if (*c == '\n' || *c == '\0') {
        widest = std::max(widest, f.GetStringLenght(line.c_str()));
        line.clear();
        if (*c == '\0') break;
      } else {
        line += *c;
      }
    }
    return x + widest;
  }
  // The bottom edge of a text drawn vertically centred on y.
  static int BottomEdge(ZOV::JFONT& f, int y, const char* text) {
    return y - f.lineHeight / 2 + f.GetStringHeight(text);
  }

  static inline bool ready = false;
  std::string guiPack, fontsPack;
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
    const uint32_t corner = At(img, 5, 5);
    EXPECT_LT(Blue(corner), Blue(kBehind) - 40) << std::hex << corner;
    EXPECT_GT(Blue(corner), 10) << std::hex << corner;
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
