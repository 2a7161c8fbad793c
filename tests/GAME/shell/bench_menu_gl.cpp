// One whole menu frame on the OpenGL device (needs an X display; measured
// with Mesa's software renderer) at 1024 x 768, as the game draws its menus:
// nothing in the main pass, the book page with its tabs and buttons in the
// overlay pass, the present onto the window, then glFinish. The argument
// says whether render-target clears are kept pending (1, as the game runs:
// the screen texture is neither filled nor copied under the overlay) or
// made at once with the copy drawn (0, as before), so both are measured in
// the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/puzzle_book.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "platform/window.h"
#include "tests/support/game_globals.h"
#include "tests/support/gl_window.h"

namespace {

constexpr int kW = 1024, kH = 768;

std::string gBook, gMenu, gFonts;
std::unique_ptr<ZOV::JFONT> gFont;

// The GL engine on a 1024 x 768 window with the built book, menu and font
// packs named; an error text, or "".
std::string Engine(ZOV::ST_GAME* game) {
  if (game->gfx.deviceReady) return "";
  if (!gltest::HaveDisplay()) return "no display";
  const std::string data = std::string(JIGSAW_GAME_DIR) + "/DATA/";
  if (!std::filesystem::exists(data + "book")) return "build the game data first";
  if (!gltest::OpenGlWindow(game->app.Window(), "bench", kW, kH) || game->gfx.Init(game->app.Window()) != 0)
    return "no GL renderer";
  game->gfx.ChangeVideoMode(kW, kH, false);
  game->gfx.SetAdaptScreen(kW, kH);
  testenv::UseGameObject(game);
  game->middle = JST::iPOINT(kW / 2, kH / 2);
  gBook = data + "book";
  gMenu = data + "menu";
  gFonts = data + "fonts";
  C_NAME_PACK_BOOK = gBook.data();
  C_NAME_PACK_MENU = gMenu.data();
  ZOV::ifile.ZipSetCurrentPack(gFonts.data());
  ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
  gFont = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/PuzzleComix.fnt").c_str(), 0);
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  ZOV::ifile.ZipSetCurrentPass(nullptr);
  gFont->spacing = FONT_SPACE_SMALL;
  gFont->SetColor(C_FONT_MAIN_COLOR);
  return "";
}

void BM_GlMenuFrame(benchmark::State& state) {
  ZOV::ST_GAME* game = ZOV::GetGame();
  const std::string error = Engine(game);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  plat::gfx::SetPendingClearsForTests(state.range(0) != 0);
  GAME::PUZZLE_BOOK::Setup s;
  s.chapters = 3;
  s.width = kW;
  s.height = kH;
  s.font = gFont.get();
  GAME::PUZZLE_BOOK book(s);
  ZOV::JINGFX* r = game->GetGfx();
  r->SetClearColor(0xFF000000u);  // the game's
  auto frame = [&] {
    r->BeginFrame();
    r->EndFrame();
    r->BeginPostFrame();
    book.Render();
    book.RenderActiveButtons();
    r->EndPostFrame();
    plat::gfx::Finish();
  };
  for (int i = 0; i < 3; ++i) frame();  // the first frames upload every texture
  for (auto _ : state) frame();
  plat::gfx::SetPendingClearsForTests(true);
  const char* threads = std::getenv("LP_NUM_THREADS");
  state.SetLabel(std::string("LP_NUM_THREADS=") + (threads ? threads : "default"));
}
BENCHMARK(BM_GlMenuFrame)->ArgName("pending")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
