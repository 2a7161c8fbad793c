// The board on real OpenGL (needs an X display; Mesa's software renderer is
// enough), with the game's own built packs: one of its pictures in the
// set-up view with the cut lines, then cut 4 x 3 and in play while the
// pieces fly in, at rest, and under the magnifier. With JIGSAW_BOARD_SHOT
// set to a path stem, the frames are also saved as <stem>_setup.png,
// <stem>_flying.png, <stem>_play.png and <stem>_magnifier.png for a person
// to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GAME/board/board.h"
#include "GAME/ui/shared_assets.h"
#include "tests/support/gl_scene_env.h"
#include "tests/support/pixel_check.h"

using Board = GAME::PUZZLE_PIECES_SYSTEM;

namespace {

class BoardGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("board test"); }
  void SetUpScene() override {
    ASSERT_TRUE(DataBuilt("DATA/low"));
    pictures = Pack("low");
    C_NAME_PACK_GUI = Pack("gui");
    C_NAME_PACK_LEVEL = Pack("level");
    C_NAME_PACK_EFFECTS = Pack("effects");
    C_NAME_PACK_POCKET = Pack("pocket");
    Select(Pack("menu"), C_PAS_MENY);
    plate = std::make_unique<JSPRITE>(chWhitePlain, 0);
    NoPack();
    plate->SetSize(1.1f, 1.1f);
    whiteSplain = plate.get();
    game->timer.SetDelta(1.0f / 90.0f);
  }
  void TearDown() override {
    board.reset();
    whiteSplain = nullptr;
    GlScene::TearDown();
  }

  // A frame of the board: main pass, overlay pass, read back.
  plat::Image Frame() {
    return FramePasses(0xFF000000u, [&] { board->Render(0); }, [&] { board->PostRender(); });
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_BOARD_SHOT", img, std::string(suffix) + ".png");
  }
  // The picture's pixel at (x, y).
  pixels::Rgb PicturePixel(int x, int y) {
    JSPRITE* pic = board->Picture();
    const unsigned long tex = pic->GetTexture();
    uint32_t* px = game->gfx.TextureLock(tex);
    EXPECT_NE(px, nullptr);
    if (!px) return {0, 0, 0};
    const uint32_t p = px[size_t(y) * size_t(pic->texSize.x) + size_t(x)];
    game->gfx.TextureUnlock(tex);
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
  }

  char* pictures = nullptr;
  std::unique_ptr<JSPRITE> plate;
  std::unique_ptr<Board> board;
};

TEST_F(BoardGl, ThePictureIsSetUpThenCutAndPlayedWithTheMagnifier) {
  board = std::make_unique<Board>(game);
  Select(pictures, C_PAS_IMAGE);
  board->Init("p1_01.jpg", 3, 0, nullptr, false, 1.0f, 0);
  NoPack();
  EXPECT_EQ(board->ImgPkAdr, std::string(pictures));
  ASSERT_EQ(board->Picture()->imageSize.x, 880);
  ASSERT_EQ(board->Picture()->imageSize.y, 660);

  // The set-up view: the picture at its size (it fits the 692 pixels
  // between the margins), centred, on the white plate, with the cut lines.
  board->DrawGrid(0xFFFFFFFFu, 1, 0);
  EXPECT_EQ(board->cols, 4);
  EXPECT_EQ(board->rows, 3);
  board->state = Board::kStateSetup;
  const plat::Image setup = Frame();
  Shot(setup, "_setup");
  // Left of the picture (which starts at x = 72) lies the plate, 32
  // pixels wide.
  EXPECT_TRUE(pixels::Near(pixels::At(setup, 60, 384), {255, 255, 255}, 20));
  EXPECT_TRUE(pixels::Near(pixels::At(setup, 20, 384), {0, 0, 0}, 2)) << "beyond the plate the screen is clear";

  // Play: the cut, the pieces flying in, then at rest.
  board->state = Board::kStateCutPending;
  EXPECT_EQ(board->Update(0, 0.0f), 0);
  ASSERT_EQ(board->state, Board::kStatePlay);
  ASSERT_EQ(board->zOrder.size(), 12u);
  for (int i = 0; i < 45; ++i) board->Update(0, 0.0f);
  Shot(Frame(), "_flying");
  for (int i = 0; i < 180; ++i) board->Update(0, 0.0f);
  for (const GAME::PUZZLE_PIECES* p : board->zOrder) {
    EXPECT_EQ(p->velocity.x, 0);
    EXPECT_EQ(p->velocity.y, 0);
  }
  const plat::Image play = Frame();
  Shot(play, "_play");
  // The topmost piece shows the picture's pixel of its cell centre at its
  // own centre.
  const GAME::PUZZLE_PIECES* top = board->zOrder.front();
  const int cx = top->column * top->cellW + top->cellW / 2, cy = top->row * top->cellH + top->cellH / 2;
  EXPECT_TRUE(pixels::Near(pixels::At(play, top->GetPosX(), top->GetPosY()), PicturePixel(cx, cy), 3));
  // The upper score panel hangs at the top centre, where the screen beside
  // it is clear; the closed pocket's 64 x 64 corner piece lies at (20, 20),
  // over the play area's corner.
  EXPECT_FALSE(pixels::Near(pixels::At(play, 512, 3), pixels::At(play, 1010, 3), 2));
  EXPECT_TRUE(pixels::Near(pixels::At(play, 1010, 3), {0, 0, 0}, 2));
  EXPECT_FALSE(pixels::Near(pixels::At(play, 60, 60), {0, 0, 0}, 2));

  // The magnifier: the same point under the mouse, enlarged, in its frame.
  game->GetInput()->EventMouseMove(top->GetPosX(), top->GetPosY());
  EXPECT_TRUE(board->SetMagnifer());
  Frame();  // the screen texture now holds the main pass
  const plat::Image mag = Frame();
  Shot(mag, "_magnifier");
  EXPECT_TRUE(pixels::Near(pixels::At(mag, top->GetPosX(), top->GetPosY()),
                           pixels::At(play, top->GetPosX(), top->GetPosY()), 12));
  const GAME::MAGNIFIER_VIEW v =
      GAME::MagnifierView(float(top->GetPosX()), float(top->GetPosY()), kW, kH, game->GetGfx());
  // A one-pixel line on integer coordinates may be rasterised on either
  // side of them.
  auto lineNear = [&](int x, int y, int dx, int dy) {
    for (int k = -1; k <= 1; ++k)
      if (pixels::Near(pixels::At(mag, x + k * dx, y + k * dy), {0x1A, 0x47, 0x80}, 2)) return true;
    return false;
  };
  EXPECT_TRUE(lineNear(v.frameLeft, top->GetPosY(), 1, 0)) << "the frame's left edge";
  EXPECT_TRUE(lineNear(top->GetPosX(), v.frameBottom, 0, 1)) << "the frame's bottom edge";
}

}  // namespace
