// The board with its owned parts at 1024 x 768: what construction and Init
// make, the pocket's answers in the frame, the offset pocketed pieces are
// drawn with, the preview frame's drawing, and the score display in play.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/score.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/sprite.h"
#include "tests/support/board_env.h"

namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using drawtest::DrawnQuads;

class BoardPartsTest : public boardtest::BoardEnv {
 protected:
  void SetUp() override {
    BoardEnv::SetUp();
    PreviewFrameImages();
    drawtest::WriteImage("pic.bmp", 300, 200, 0xFF336699u);
    dialogtest::WriteFont("big.fnt");
    font = std::make_unique<ZOV::JFONT>("big.fnt", 0);
    big = font.get();
    plate = std::make_unique<JSPRITE>("white.bmp", 0);
    whiteSplain = plate.get();
    C_WHITE_SPLAIN_EXTRA = 70;
    ASSERT_EQ(game().GetScreenWidth(), 1024);
  }
  void TearDown() override {
    board.reset();
    whiteSplain = nullptr;
    plate.reset();
    big = nullptr;
    font.reset();
    BoardEnv::TearDown();
  }
  Board& Make() {
    board = std::make_unique<Board>(&game());
    return *board;
  }
  // A board in play on the 300 x 200 picture (cut 3 x 2).
  Board& Playing() {
    Board& b = Make();
    b.Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
    b.state = Board::kStateCutPending;
    b.Update(0, 0.0f);
    EXPECT_EQ(b.state, Board::kStatePlay);
    return b;
  }
  int Frame(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = board->Update(0, 0.0f);
    EndFrame();
    return r;
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<JSPRITE> plate;
};

TEST_F(BoardPartsTest, ConstructionMakesTheScoreAndThePocketInitTheFrame) {
  Board& b = Make();
  ASSERT_NE(b.score, nullptr);
  EXPECT_EQ(b.score->Color(), 0xFFD53E07u);
  EXPECT_FLOAT_EQ(b.score->Size(), 1.0f);
  ASSERT_NE(b.pocket, nullptr);
  EXPECT_FALSE(b.pocket->open);
  EXPECT_EQ(b.previewFrame, nullptr) << "no picture yet";

  b.Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
  ASSERT_NE(b.previewFrame, nullptr);
  EXPECT_EQ(b.previewFrame->PictureSize().x, 300);
  EXPECT_EQ(b.previewFrame->PictureSize().y, 200);
  // It opens clear of the closed pocket: no size button lies under the
  // pocket's corner piece or its shadow.
  const JSPRITE& corner = *b.pocket->Corner();
  const float pocketRight =
      b.pocket->Position().x + (corner.quad.v[3].x - corner.quad.v[0].x) + float(PUZZLE_POCKET::kClosedPos);
  for (int n = 1; n <= 3; ++n) {
    const JBUTTONMAP4& button = *b.previewFrame->Button(n);
    EXPECT_GT(button.position.x - float(button.frame.x / 2), pocketRight) << n;
  }
  const float startX = b.previewFrame->position.x;
  EXPECT_FLOAT_EQ(b.previewFrame->position.y, 50.0f);
  EXPECT_FLOAT_EQ(b.previewFrame->Factor(), 0.6f);
  EXPECT_FALSE(b.previewFrame->Button(2)->active);
  // A second Init makes a new frame (the first is deleted).
  b.previewFrame->SetPos(300, 300);
  b.Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
  EXPECT_FLOAT_EQ(b.previewFrame->position.x, startX);
}

TEST_F(BoardPartsTest, APocketClickEndsTheFrameWithTheHintSelectionAndBandCleared) {
  Board& b = Playing();
  b.hintShown = true;
  b.bandActive = true;
  b.zOrder[0]->selected = true;
  b.zOrder[1]->hint = true;
  EXPECT_EQ(Frame(32, 32, 1), Board::kResultNothing) << "held down";
  EXPECT_FALSE(b.regGVN);
  EXPECT_TRUE(b.bandActive) << "a held button only ends the frame";
  EXPECT_EQ(Frame(32, 32, -1), Board::kResultNothing);
  EXPECT_TRUE(b.pocket->open);
  EXPECT_TRUE(b.regGVN) << "the pocket was used";
  EXPECT_FALSE(b.hintShown);
  EXPECT_FALSE(b.zOrder[1]->hint);
  EXPECT_FALSE(b.zOrder[0]->selected);
  EXPECT_FALSE(b.bandActive);
}

TEST_F(BoardPartsTest, PocketedPiecesAreShiftedByThePanelsOffsetFromItsOpenPlace) {
  Board& b = Playing();
  EXPECT_FLOAT_EQ(b.PocketOffset().x, -554.0f) << "(20, 20) - (574, 420)";
  EXPECT_FLOAT_EQ(b.PocketOffset().y, -400.0f);
  game().timer.SetDelta(0.1f);
  Frame(32, 32, 1);
  Frame(32, 32, -1);
  for (int i = 0; i < 10 && b.pocket->motion != 0; ++i) Frame(900, 700);
  EXPECT_FLOAT_EQ(b.PocketOffset().x, 0.0f);
  EXPECT_FLOAT_EQ(b.PocketOffset().y, 0.0f);
}

TEST_F(BoardPartsTest, ThePreviewShowsThePictureOnItsPlateInTheFrameThenTheButtons) {
  Board& b = Playing();
  b.previewFrame->SetPos(2000, 100);  // kept on screen: x = 1024 - 180
  plat::gfx::ClearRecorded();
  b.RenderLitleFrame();
  EXPECT_TRUE(DrawnQuads().empty()) << "not shown";

  b.showLitleFrame = true;
  b.RenderLitleFrame();
  const auto quads = DrawnQuads();
  ASSERT_EQ(quads.size(), 6u);
  // The plate (300 + 70) x (200 + 70) at 0.6, from 35 x 0.6 up and left.
  EXPECT_EQ(quads[0].texture, plate->GetTexture());
  EXPECT_NEAR(quads[0].x0, 844.0f - 21.0f, 1e-3);
  EXPECT_NEAR(quads[0].y0, 100.0f - 21.0f, 1e-3);
  EXPECT_NEAR(quads[0].x1 - quads[0].x0, 222.0f, 1e-3);
  // The picture fills the frame exactly.
  EXPECT_EQ(quads[1].texture, b.Picture()->GetTexture());
  EXPECT_EQ(quads[1].color, 0xFFFFFFFFu);
  EXPECT_NEAR(quads[1].x0, 844.0f, 1e-3);
  EXPECT_NEAR(quads[1].y0, 100.0f, 1e-3);
  EXPECT_NEAR(quads[1].x1, 1024.0f, 1e-3);
  EXPECT_NEAR(quads[1].y1, 220.0f, 1e-3);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(quads[size_t(2 + i)].texture, b.previewFrame->Button(i < 3 ? i + 1 : 0)->GetTexture()) << i;
}

TEST_F(BoardPartsTest, PlayRollsTheScoreAndDrawsItUnderTheUpperPanel) {
  static char format[] = "%i";
  chTEXT_PUZZLE_SCORE_UP = format;
  Board& b = Playing();
  b.score->SetScore(40);
  game().timer.SetDelta(0.5f);
  Frame(900, 700);
  EXPECT_FLOAT_EQ(b.score->Shown(), 10.0f);
  plat::gfx::ClearRecorded();
  b.Render(0);
  const auto digits = drawtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(digits.size(), 2u) << "\"10\"";
  EXPECT_EQ(digits[0].color, 0xFFD53E07u);
  EXPECT_LT(digits[0].x0, 512.0f);
  EXPECT_GT(digits[1].x1, 512.0f);
  chTEXT_PUZZLE_SCORE_UP = nullptr;
}

}  // namespace
