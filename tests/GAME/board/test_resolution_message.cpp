// The resolution message at 1024 x 768 (centre (512, 384)) with a 300 x 200
// window and 400 x 48 buttons (100 x 48 frames): its layout, its answers
// (Cancel tested first, no keys), what it draws, and how the board in play
// serves it: only the message, 0 while it waits, OK plays on, Cancel leaves.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/resolution_message.h"
#include "ST/button.h"
#include "platform/window.h"
#include "tests/support/dialog_env.h"

namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;

class ResolutionMessageTest : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = C_NAME_PACK_POCKET = nullptr;
    Image(&chWINDOWMINI, "message.bmp", 300, 200);
    BUTTONSOKANDCANCELINDENTY = 0.25f;
    message = std::make_unique<PUZZLE_MESSAGE_RESOLUTION>(&game());
  }
  void TearDown() override {
    board.reset();
    message.reset();
    comix = nullptr;
    DialogEnv::TearDown();
  }
  // One frame of the message with the mouse at (x, y).
  int Frame(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = message->Update();
    EndFrame();
    return r;
  }
  // A board in play with the message open; the message is the board's.
  Board& BoardWithMessage() {
    board = std::make_unique<Board>(&game());
    board->state = Board::kStatePlay;
    board->resolutionMessage = message.release();
    return *board;
  }
  int BoardFrame(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = board->Update(0, 0.0f);
    EndFrame();
    return r;
  }

  std::unique_ptr<PUZZLE_MESSAGE_RESOLUTION> message;
  std::unique_ptr<Board> board;
};

TEST_F(ResolutionMessageTest, TheButtonsSitHalfAFrameEitherSideOfTheCentreAQuarterOfTheWindowDown) {
  EXPECT_FLOAT_EQ(message->position.x, 512.0f);
  EXPECT_FLOAT_EQ(message->position.y, 384.0f);
  // 200 x 0.25 = 50 px below the centre.
  EXPECT_FLOAT_EQ(message->OkButton()->position.x, 462.0f);
  EXPECT_FLOAT_EQ(message->OkButton()->position.y, 434.0f);
  EXPECT_FLOAT_EQ(message->CancelButton()->position.x, 562.0f);
  EXPECT_FLOAT_EQ(message->CancelButton()->position.y, 434.0f);
  // Reset follows a new centre.
  game().middle = JST::iPOINT(400, 300);
  message->Reset();
  EXPECT_FLOAT_EQ(message->position.x, 400.0f);
  EXPECT_FLOAT_EQ(message->OkButton()->position.x, 350.0f);
  EXPECT_FLOAT_EQ(message->CancelButton()->position.y, 350.0f);
}

TEST_F(ResolutionMessageTest, OkAnswersOneCancelMinusOneEachWithTheClickSound) {
  ClickSound();
  EXPECT_EQ(Frame(462, 434, 1), PUZZLE_MESSAGE_RESOLUTION::kNothing);
  EXPECT_EQ(ClicksPlayed(), 0);
  EXPECT_EQ(Frame(462, 434, -1), PUZZLE_MESSAGE_RESOLUTION::kOk);
  EXPECT_EQ(ClicksPlayed(), 1);
  EXPECT_EQ(Frame(562, 434, 1), PUZZLE_MESSAGE_RESOLUTION::kNothing);
  EXPECT_EQ(Frame(562, 434, -1), PUZZLE_MESSAGE_RESOLUTION::kCancel);
  EXPECT_EQ(ClicksPlayed(), 2);
}

TEST_F(ResolutionMessageTest, AFrameInWhichBothClickCancels) {
  message->OkButton()->position = message->CancelButton()->position;
  EXPECT_EQ(Frame(562, 434, 1), PUZZLE_MESSAGE_RESOLUTION::kNothing);
  EXPECT_EQ(Frame(562, 434, -1), PUZZLE_MESSAGE_RESOLUTION::kCancel);
}

TEST_F(ResolutionMessageTest, NoKeyClosesIt) {
  for (int vk : {int(plat::VK_RETURN), int(plat::VK_ESCAPE), int(' ')}) {
    KeyDown(vk);
    EXPECT_EQ(message->Update(), PUZZLE_MESSAGE_RESOLUTION::kNothing) << vk;
    EndFrame();
    KeyUp(vk);
    EXPECT_EQ(message->Update(), PUZZLE_MESSAGE_RESOLUTION::kNothing) << vk;
    EndFrame();
  }
}

TEST_F(ResolutionMessageTest, DrawsWindowOkCancelThenTheTextOnTheWindowsCentre) {
  dialogtest::WriteFont("comix.fnt");
  auto font = std::make_unique<ZOV::JFONT>("comix.fnt", 0);
  comix = font.get();
  static char text[] = "ab";
  chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES = text;
  plat::gfx::ClearRecorded();
  message->Render();
  const auto quads = drawtest::DrawnQuads();
  ASSERT_EQ(quads.size(), 5u);
  EXPECT_EQ(quads[0].texture, message->GetTexture());
  EXPECT_EQ(quads[1].texture, message->OkButton()->GetTexture());
  EXPECT_EQ(quads[2].texture, message->CancelButton()->GetTexture());
  EXPECT_EQ(quads[3].texture, font->page->GetTexture());
  // The text where the font puts it centred on (512, 384).
  plat::gfx::ClearRecorded();
  font->alignment = ZOV::JENUM::HOT_CENTER;
  font->Rende(512, 384, "ab");
  const auto centred = drawtest::DrawnQuads();
  ASSERT_EQ(centred.size(), 2u);
  EXPECT_FLOAT_EQ(quads[3].x0, centred[0].x0);
  EXPECT_FLOAT_EQ(quads[3].y0, centred[0].y0);
  EXPECT_FLOAT_EQ(quads[4].x0, centred[1].x0);
  chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES = nullptr;
}

TEST_F(ResolutionMessageTest, TheBoardServesOnlyTheMessageWhileItWaitsAndPlaysOnAfterOk) {
  Board& b = BoardWithMessage();
  game().timer.SetDelta(0.5f);
  EXPECT_EQ(BoardFrame(300, 300), Board::kResultNothing);
  EXPECT_EQ(BoardFrame(462, 434, 1), Board::kResultNothing);
  EXPECT_FLOAT_EQ(b.regTa, 0.0f) << "nothing else of the board ran";
  EXPECT_NE(b.resolutionMessage, nullptr);
  EXPECT_EQ(BoardFrame(462, 434, -1), Board::kResultNothing) << "OK";
  EXPECT_EQ(b.resolutionMessage, nullptr);
  EXPECT_FLOAT_EQ(b.regTa, 0.0f) << "the OK frame ends there";
  BoardFrame(300, 300);
  EXPECT_FLOAT_EQ(b.regTa, 0.5f) << "play goes on the next frame";
}

TEST_F(ResolutionMessageTest, CancelMakesTheBoardLeave) {
  Board& b = BoardWithMessage();
  EXPECT_EQ(BoardFrame(562, 434, 1), Board::kResultNothing);
  EXPECT_EQ(BoardFrame(562, 434, -1), Board::kResultLeave);
  EXPECT_EQ(b.resolutionMessage, nullptr);
}

TEST_F(ResolutionMessageTest, TheBoardDrawsTheMessageLastInItsOverlay) {
  Board& b = BoardWithMessage();
  const unsigned long window = b.resolutionMessage->GetTexture();
  plat::gfx::ClearRecorded();
  b.PostRender();
  const auto quads = drawtest::DrawnQuads();
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[0].texture, window);
}

}  // namespace
