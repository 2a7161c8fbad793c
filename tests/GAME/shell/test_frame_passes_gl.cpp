// The frame's full-screen passes on real OpenGL (needs an X display; Mesa's
// software renderer is enough) at 1024 x 768 with the built packs: a frame
// drawn with render-target clears kept pending (the screen texture of a main
// pass that draws nothing is neither filled nor copied under the overlay)
// shows exactly the pixels of the same frame drawn with every clear made at
// once and the copy made. Three scenes: a menu page and the loading screen,
// which draw everything in the overlay pass, and the board in play under the
// magnifier, which draws in the main pass and reads the screen texture back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "GAME/board/board.h"
#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/loading_screen.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/ui/shared_assets.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/sys.h"
#include "platform/window.h"
#include "tests/support/gl_scene_env.h"

namespace gfx = plat::gfx;
namespace fs = std::filesystem;

namespace {

uint32_t StillClock() { return 500000; }

constexpr uint32_t kGameClear = 0xFF000000u;  // the colour the game clears with

class FramePassesGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("frame passes test"); }
  void SetUpScene() override {
    game->timer.SetDelta(1.0f / 90.0f);
    plat::SetTimeSourceForTests(&StillClock);
    // The built packs and font descriptors, as in the game's own folder.
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    for (const auto& e : fs::directory_iterator(fs::path(JIGSAW_GAME_DIR))) {
      const std::string name = e.path().filename().string();
      if ((name == "DATA" || e.path().extension() == ".fnt") && !fs::exists(name)) fs::create_symlink(e.path(), name);
    }
    ZOV::ifile.ZipSetCurrentPack(C_NAME_PACK_FONTS);
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    comixFont = std::make_unique<ZOV::JFONT>(chFONT_COMIX, 0);
    loadFont = std::make_unique<ZOV::JFONT>(chFONT_LOADING, 0);
    NoPack();
    comixFont->spacing = FONT_SPACE_SMALL;
    comixFont->SetColor(C_FONT_MAIN_COLOR);
    loadFont->spacing = FONT_SPACE_LOADING;
  }
  void TearDown() override {
    gfx::SetPendingClearsForTests(true);
    plat::SetTimeSourceForTests(nullptr);
    GlScene::TearDown();
  }

  // One whole frame as the game loop draws it, read back from the back
  // buffer that is shown on the window.
  static plat::Image Frame(const std::function<void()>& main, const std::function<void()>& overlay) {
    return FramePasses(
        kGameClear, [&] { if (main) main(); }, [&] { if (overlay) overlay(); });
  }
  // The frame drawn with every clear made at once and the screen texture
  // always copied, then with clears kept pending: the same pixels. Returns
  // whether the second frame left the screen texture holding its clear
  // alone (its fill and its copy left out).
  bool SamePixelsBothWays(const char* scene, const std::function<void()>& main,
                          const std::function<void()>& overlay) {
    gfx::SetPendingClearsForTests(false);
    Frame(main, overlay);  // uploads every texture the scene uses
    const plat::Image direct = Frame(main, overlay);
    gfx::SetPendingClearsForTests(true);
    const plat::Image shortcut = Frame(main, overlay);
    const bool untouched = gfx::OnlyCleared(gfx::Tex(game->GetGfx()->screenTexture), nullptr);
    EXPECT_EQ(direct.w, shortcut.w) << scene;
    EXPECT_EQ(direct.h, shortcut.h) << scene;
    size_t differ = 0, first = 0;
    for (size_t i = 0; i < direct.argb.size() && i < shortcut.argb.size(); ++i)
      if (direct.argb[i] != shortcut.argb[i] && differ++ == 0) first = i;
    EXPECT_EQ(differ, 0u) << scene << ": first at (" << first % kW << ", " << first / kW << ")";
    // Not a blank frame: the scene was drawn.
    size_t drawn = 0;
    for (uint32_t p : direct.argb) drawn += (p & 0xFFFFFFu) != 0;
    EXPECT_GT(drawn, size_t(kW) * kH / 4) << scene;
    return untouched;
  }

  std::unique_ptr<ZOV::JFONT> comixFont, loadFont;
};

TEST_F(FramePassesGl, AMenuPageDrawsTheSamePixelsWithoutTheScreenCopy) {
  GAME::PUZZLE_BOOK::Setup s;
  s.chapters = 3;
  s.width = kW;
  s.height = kH;
  s.font = comixFont.get();
  GAME::PUZZLE_BOOK book(s);
  EXPECT_TRUE(SamePixelsBothWays("menu", nullptr, [&] {
    book.Render();
    book.RenderActiveButtons();
  })) << "a main pass that draws nothing leaves the screen texture alone";
}

TEST_F(FramePassesGl, TheLoadingScreenDrawsTheSamePixelsWithoutTheScreenCopy) {
  GAME::LOADING_SCREEN screen(*game, loadFont.get());
  screen.countdown = -0.1f;
  screen.SetProgress(42);
  EXPECT_TRUE(SamePixelsBothWays("loading", nullptr, [&] { screen.Render(0); }));
}

TEST_F(FramePassesGl, TheBoardUnderTheMagnifierDrawsTheSamePixels) {
  using Board = GAME::PUZZLE_PIECES_SYSTEM;
  auto board = std::make_unique<Board>(game);
  ZOV::ifile.ZipSetCurrentPack(C_NAME_PACK_IMAGE_SMAL);
  ZOV::ifile.ZipSetCurrentPass(C_PAS_IMAGE);
  board->Init("p1_01.jpg", 5, 0, nullptr, true, 1.0f, 0);
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  ZOV::ifile.ZipSetCurrentPass(nullptr);
  board->state = Board::kStateCutPending;
  board->Update(0, 0.0f);
  ASSERT_EQ(board->state, Board::kStatePlay);
  for (int i = 0; i < 240; ++i) board->Update(0, 0.0f);
  const GAME::PUZZLE_PIECES* top = board->zOrder.front();
  game->GetInput()->EventMouseMove(top->GetPosX(), top->GetPosY());
  ASSERT_TRUE(board->SetMagnifer());
  EXPECT_FALSE(SamePixelsBothWays("board", [&] { board->Render(0); }, [&] { board->PostRender(); }))
      << "the board's main pass fills the screen texture";
}

}  // namespace
