// The floating preview frame at 1024 x 768 with a 300 x 200 picture and
// 128 x 32 button images (32 x 32 frames): the order of its codes, the drag,
// the size buttons, and the clamp that uses the frame size of before.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/preview_frame.h"
#include "ST/button.h"
#include "tests/support/dialog_env.h"

namespace {

using GAME::FLUING_FRAME;

class PreviewFrameTest : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    Image(&chX1, "x1.bmp", 128, 32);
    Image(&chX2, "x2.bmp", 128, 32);
    Image(&chX3, "x3.bmp", 128, 32);
    Image(&chX, "x.bmp", 128, 32);
    ASSERT_EQ(game().GetScreenWidth(), 1024);
    frame = std::make_unique<FLUING_FRAME>(&game(), 300, 200);
    frame->SetPos(50, 50);
    frame->SetSize(2);
  }
  void TearDown() override {
    frame.reset();
    DialogEnv::TearDown();
  }
  // One frame with the mouse at (x, y); `left`/`right`: 1 press, -1
  // release, 0 unchanged.
  int Frame(int x, int y, int left = 0, int right = 0) {
    Mouse(x, y, left);
    if (right == 1) input().EventMouseRkm(true);
    if (right == -1) input().EventMouseRkm(false);
    const int r = frame->Update(0, 0.0f);
    EndFrame();
    return r;
  }

  std::unique_ptr<FLUING_FRAME> frame;
};

TEST_F(PreviewFrameTest, SizeTwoIsSixTenthsOfThePictureWithButtonsAlongTheTopEdge) {
  EXPECT_FLOAT_EQ(frame->Factor(), 0.6f);
  EXPECT_EQ(frame->FrameSize().x, 180);
  EXPECT_EQ(frame->FrameSize().y, 120);
  EXPECT_FLOAT_EQ(frame->scale.x, 1.0f);
  struct Place {
    int button;
    float x, y;
  };
  // X1 at (x + 128/8, y + 32/2), each next a frame (128/4) further; the close
  // button on the top-right corner.
  for (const Place& p : {Place{1, 66, 66}, Place{2, 98, 66}, Place{3, 130, 66}, Place{0, 230, 50}}) {
    EXPECT_FLOAT_EQ(frame->Button(p.button)->position.x, p.x) << p.button;
    EXPECT_FLOAT_EQ(frame->Button(p.button)->position.y, p.y) << p.button;
  }
}

TEST_F(PreviewFrameTest, SetSizeDisablesOnlyItsOwnButton) {
  struct Case {
    int n;
    bool active1, active2, active3;
    int w, h;
  };
  for (const Case& c : {Case{1, false, true, true, 90, 60}, Case{2, true, false, true, 180, 120},
                        Case{3, true, true, false, 270, 180}, Case{0, true, true, true, 0, 0}}) {
    frame->SetSize(c.n);
    EXPECT_EQ(frame->Button(1)->active, c.active1) << c.n;
    EXPECT_EQ(frame->Button(2)->active, c.active2) << c.n;
    EXPECT_EQ(frame->Button(3)->active, c.active3) << c.n;
    EXPECT_TRUE(frame->Button(0)->active);
    EXPECT_EQ(frame->FrameSize().x, c.w) << c.n;
    EXPECT_EQ(frame->FrameSize().y, c.h) << c.n;
  }
}

TEST_F(PreviewFrameTest, APressInsideStartsADragThatLastsWhileHeld) {
  EXPECT_EQ(Frame(600, 600), FLUING_FRAME::kOutside);
  EXPECT_EQ(Frame(150, 120), FLUING_FRAME::kOver) << "inside, nothing pressed";
  EXPECT_EQ(Frame(150, 120, 1), FLUING_FRAME::kDrag);
  EXPECT_TRUE(frame->Dragging());
  EXPECT_EQ(Frame(160, 125), FLUING_FRAME::kDrag) << "held";
  EXPECT_EQ(Frame(160, 125, -1), FLUING_FRAME::kOver) << "released: the drag stops";
  EXPECT_FALSE(frame->Dragging());
  EXPECT_EQ(Frame(160, 125), FLUING_FRAME::kOver);
  // The right button drags too; leaving the frame ends it.
  EXPECT_EQ(Frame(150, 120, 0, 1), FLUING_FRAME::kDrag);
  EXPECT_EQ(Frame(150, 120), FLUING_FRAME::kDrag);
  EXPECT_EQ(Frame(600, 600), FLUING_FRAME::kOutside);
  EXPECT_FALSE(frame->Dragging());
  EXPECT_EQ(Frame(150, 120), FLUING_FRAME::kOver) << "held, but the drag ended outside";
  Frame(150, 120, 0, -1);
}

TEST_F(PreviewFrameTest, TheFrameEdgeIsNotInside) {
  // Strictly inside (50, 50)-(230, 170), away from the buttons.
  for (auto [x, y, want] : std::vector<std::tuple<int, int, int>>{
           {50, 120, 0}, {51, 120, -3}, {229, 120, -3}, {230, 120, 0}, {150, 170, 0}, {150, 169, -3}})
    EXPECT_EQ(Frame(x, y), want) << x << "," << y;
}

TEST_F(PreviewFrameTest, TheCloseButtonAnswersBeforeAnyDragTest) {
  // (225, 55) lies inside the frame and on the close button.
  EXPECT_EQ(Frame(225, 55), FLUING_FRAME::kOver) << "hovered";
  EXPECT_EQ(Frame(225, 55, 1), FLUING_FRAME::kOver) << "pressed: no drag starts";
  EXPECT_FALSE(frame->Dragging());
  EXPECT_EQ(Frame(225, 55, -1), FLUING_FRAME::kClose);
  // Over the close button but outside the frame: still the close button.
  EXPECT_EQ(Frame(240, 45), FLUING_FRAME::kOver);
}

TEST_F(PreviewFrameTest, ASizeButtonClickAnswersItsSizeEvenWhileDragging) {
  struct Case {
    int button, x, code;
  };
  for (const Case& c : {Case{1, 66, FLUING_FRAME::kSize1}, Case{2, 98, FLUING_FRAME::kSize2},
                        Case{3, 130, FLUING_FRAME::kSize3}}) {
    // The press on the button is a press inside the frame: a drag starts.
    EXPECT_EQ(Frame(c.x, 66, 1), FLUING_FRAME::kDrag) << c.button;
    ASSERT_TRUE(frame->Dragging());
    EXPECT_EQ(Frame(c.x, 66, -1), c.code) << c.button;
    Frame(600, 600);
  }
}

TEST_F(PreviewFrameTest, KeptOnScreenWithTheFrameSizeOfBefore) {
  frame->SetPos(2000, 50);
  EXPECT_FLOAT_EQ(frame->position.x, 844.0f) << "1024 - 180";
  frame->Move(100, -500);
  EXPECT_FLOAT_EQ(frame->position.x, 844.0f);
  EXPECT_FLOAT_EQ(frame->position.y, 0.0f);
  frame->SetPos(-10, 2000);
  EXPECT_FLOAT_EQ(frame->position.x, 0.0f);
  EXPECT_FLOAT_EQ(frame->position.y, 648.0f) << "768 - 120";
  // Near the right edge, size 3 reaches past it until the next Repos.
  frame->SetPos(844, 100);
  frame->SetSize(3);
  EXPECT_FLOAT_EQ(frame->position.x, 844.0f);
  EXPECT_EQ(frame->FrameSize().x, 270);
  EXPECT_FLOAT_EQ(frame->Button(0)->position.x, 1114.0f);
  frame->Repos();
  EXPECT_FLOAT_EQ(frame->position.x, 754.0f);
  EXPECT_FLOAT_EQ(frame->Button(0)->position.x, 1024.0f);
}

TEST_F(PreviewFrameTest, AFrameLargerThanTheScreenKeepsItsSizeButtonsOnScreen) {
  // A 1200 x 900 picture at 0.9: 1080 x 810 on a 1024 x 768 screen.
  frame = std::make_unique<FLUING_FRAME>(&game(), 1200, 900);
  frame->SetPos(500, 400);
  frame->SetSize(3);
  frame->Repos();
  EXPECT_FLOAT_EQ(frame->position.x, 0.0f);
  EXPECT_FLOAT_EQ(frame->position.y, 0.0f);
  for (int n = 1; n <= 3; ++n) {
    EXPECT_GE(frame->Button(n)->position.x, 0.0f) << n;
    EXPECT_LE(frame->Button(n)->position.x, 1024.0f) << n;
    EXPECT_GE(frame->Button(n)->position.y, 0.0f) << n;
  }
  Frame(int(frame->Button(1)->position.x), int(frame->Button(1)->position.y), 1);
  EXPECT_EQ(Frame(int(frame->Button(1)->position.x), int(frame->Button(1)->position.y), -1), FLUING_FRAME::kSize1);
}

TEST_F(PreviewFrameTest, RendersTheThreeSizeButtonsThenTheCloseButton) {
  plat::gfx::ClearRecorded();
  EXPECT_EQ(frame->Render(0), 1);
  std::vector<uint32_t> got;
  for (const auto& q : drawtest::DrawnQuads()) got.push_back(q.texture);
  const std::vector<uint32_t> want = {uint32_t(frame->Button(1)->GetTexture()),
                                      uint32_t(frame->Button(2)->GetTexture()),
                                      uint32_t(frame->Button(3)->GetTexture()),
                                      uint32_t(frame->Button(0)->GetTexture())};
  EXPECT_EQ(got, want);
}

}  // namespace
