// The help window: where its parts stand at 1024 x 768 in each mode, the
// three hidden seconds of the mouse help (and the pocket help shown at
// once), closing by OK or Enter with the click sound even while hidden,
// Escape never closing it, keys counting only in the frame they went down,
// and what it draws in which order (no dim layer).
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/faq_screen.h"
#include "tests/support/modal_window_env.h"

namespace {

using windowtest::Point;

class FaqScreen : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    chTEXT_FAQ_HEADER = header;
    chTEXT_FAQ_MOUSE = mouse;
    chTEXT_FAQ_MOUSE_ROTATION = rotation;
    chTEXT_FAQ_POCKET = pocket;
    game().timer.SetDelta(0.5f);
  }
  void TearDown() override {
    chTEXT_FAQ_HEADER = chTEXT_FAQ_MOUSE = chTEXT_FAQ_MOUSE_ROTATION = chTEXT_FAQ_POCKET = nullptr;
    ModalWindowEnv::TearDown();
  }
  int Frame(FAQ_SCREEN& f) {
    const int r = f.Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // Whether Render drew anything.
  bool Drawn(FAQ_SCREEN& f) {
    plat::gfx::ClearRecorded();
    EXPECT_EQ(f.Render(0), 0);
    return !drawtest::DrawnQuads().empty();
  }
  // The top-left corners of the first glyph of each text the font drew,
  // given the texts' lengths in drawing order.
  std::vector<Point> TextStarts(const ZOV::JFONT& font, const std::vector<size_t>& lengths) {
    const auto quads = drawtest::QuadsOf(font.page->GetTexture());
    std::vector<Point> out;
    size_t at = 0;
    for (size_t n : lengths) {
      if (at >= quads.size()) break;
      out.push_back({int(quads[at].x0), int(quads[at].y0)});
      at += n;
    }
    EXPECT_EQ(at, quads.size()) << "glyphs drawn";
    return out;
  }

  char header[8] = "Help";      // 60 pixels long
  char mouse[8] = "Drag";       // 4 letters
  char rotation[8] = "Turn";    // 4 letters
  char pocket[8] = "Pocket";    // 6 letters
};

TEST_F(FaqScreen, StandsAroundTheScreenCentreInEachMode) {
  struct Row {
    int mode;
    const char* what;
    Point window;
    int windowW;
    Point picture1;
    Point picture2;  // {-1, -1}: none
    Point ok;
    Point header;  // the first glyph's top-left: x - 30, y - 12
    std::vector<size_t> textLengths;
    std::vector<Point> texts;  // first glyphs: x - W/8, y - 12
  };
  const Row rows[] = {
      {FAQ_SCREEN::kMouseWithRotation, "mouse with rotation", {512, 384}, 760, {322, 284}, {322, 484}, {512, 654},
       {482, 132}, {4, 4}, {{417, 272}, {417, 472}}},
      {FAQ_SCREEN::kMouse, "mouse", {512, 384}, 560, {372, 384}, {-1, -1}, {512, 492}, {482, 312}, {4},
       {{442, 372}}},
      {FAQ_SCREEN::kPocket, "pocket", {512, 384}, 560, {372, 384}, {-1, -1}, {512, 492}, {482, 312}, {6},
       {{442, 352}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FAQ_SCREEN f(r.mode, kit);
    EXPECT_EQ(f.Mode(), r.mode);
    // Past the hidden seconds.
    for (int i = 0; i < 7; ++i) Frame(f);
    ASSERT_TRUE(Drawn(f));
    EXPECT_EQ(DrawnCentre(f), r.window);
    EXPECT_EQ(f.GetMyTexWidth(1), r.windowW);
    EXPECT_EQ(DrawnCentre(f.Picture1()), r.picture1);
    if (r.picture2.x < 0) {
      EXPECT_EQ(f.Picture2(), nullptr);
    } else {
      ASSERT_NE(f.Picture2(), nullptr);
      EXPECT_EQ(DrawnCentre(*f.Picture2()), r.picture2);
    }
    EXPECT_EQ(DrawnCentre(f.OkButton()), r.ok);
    EXPECT_EQ(FirstGlyph(*bigFont), r.header);
    EXPECT_EQ(Glyphs(*bigFont), 4u);
    EXPECT_EQ(TextStarts(*comixFont, r.textLengths), r.texts);
  }
}

TEST_F(FaqScreen, ShowsItsOwnPictures) {
  Image(&chFAQ_MOUSE, "mouse_a.png", 140, 100);
  Image(&chFAQ_MOUSE_2, "mouse_b.png", 120, 100);
  Image(&chFAQ_POCKET, "pocket_c.png", 100, 100);
  struct Row {
    int mode;
    int picture1W, picture2W;
  };
  for (const Row& r : {Row{0, 140, 120}, Row{1, 140, 0}, Row{2, 100, 0}}) {
    SCOPED_TRACE(r.mode);
    FAQ_SCREEN f(r.mode, kit);
    EXPECT_EQ(f.Picture1().GetMyTexWidth(1), r.picture1W);
    EXPECT_EQ(f.Picture2() ? f.Picture2()->GetMyTexWidth(1) : 0, r.picture2W);
  }
}

TEST_F(FaqScreen, TheMouseHelpStaysHiddenForThreeSeconds) {
  for (int mode : {FAQ_SCREEN::kMouseWithRotation, FAQ_SCREEN::kMouse}) {
    SCOPED_TRACE(mode);
    FAQ_SCREEN f(mode, kit);
    EXPECT_FALSE(f.shown);
    // Six frames of half a second: 3.0 seconds, still hidden.
    for (int i = 1; i <= 6; ++i) {
      EXPECT_EQ(Frame(f), 0);
      EXPECT_FALSE(Drawn(f)) << "after " << 0.5f * float(i) << " s";
      EXPECT_FALSE(f.shown);
    }
    EXPECT_EQ(Frame(f), 0);
    EXPECT_TRUE(Drawn(f)) << "after 3.5 s";
    EXPECT_TRUE(f.shown);
  }
}

TEST_F(FaqScreen, ThePocketHelpShowsAtOnce) {
  FAQ_SCREEN f(FAQ_SCREEN::kPocket, kit);
  EXPECT_TRUE(f.shown);
  EXPECT_FLOAT_EQ(f.Timer(), 5.0f);
  EXPECT_TRUE(Drawn(f)) << "before its first update";
}

TEST_F(FaqScreen, ClosesOnOkOrEnterOnlyWithTheClick) {
  FAQ_SCREEN* f = nullptr;
  auto update = [&] { return f->Update(0, 0.0f); };
  struct Row {
    const char* what;
    int frames;  // half-second frames before
    std::function<int()> act;
    int answer;
    int clicks;
  };
  const Row rows[] = {
      {"Enter at 1 s, unseen", 2, [&] { return KeyFrame(13, update); }, FAQ_SCREEN::kClosed, 1},
      {"OK clicked at 1 s, unseen", 2, [&] { return Click(512, 492, update); }, FAQ_SCREEN::kClosed, 1},
      {"Enter once shown", 8, [&] { return KeyFrame(13, update); }, FAQ_SCREEN::kClosed, 1},
      {"OK clicked once shown", 8, [&] { return Click(512, 492, update); }, FAQ_SCREEN::kClosed, 1},
      {"Escape once shown", 8, [&] { return KeyFrame(27, update); }, 0, 0},
      {"Escape while hidden", 1, [&] { return KeyFrame(27, update); }, 0, 0},
      {"a click on the picture", 8, [&] { return Click(372, 384, update); }, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    WithClickSound();
    FAQ_SCREEN help(FAQ_SCREEN::kMouse, kit);
    f = &help;
    for (int i = 0; i < r.frames; ++i) ASSERT_EQ(Frame(help), 0);
    help.Render(0);
    EXPECT_EQ(r.act(), r.answer);
    EXPECT_EQ(ClicksPlayed(), r.clicks);
  }
}

TEST_F(FaqScreen, KeysCountOnlyInTheFrameTheyWentDown) {
  // Enter started the puzzle in the menu's frame and is still held.
  KeyDown(13);
  EndFrame();
  FAQ_SCREEN f(FAQ_SCREEN::kMouse, kit);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Frame(f), 0);
  KeyUp(13);
  EXPECT_EQ(Frame(f), 0);
  EXPECT_EQ(Frame(f), 0);
  KeyDown(13);
  EXPECT_EQ(Frame(f), FAQ_SCREEN::kClosed);
  KeyUp(13);
  EndFrame();
}

TEST_F(FaqScreen, DrawsNoDimLayer) {
  struct Row {
    int mode;
    std::vector<std::string> order;
  };
  const Row rows[] = {
      {0, {"window", "picture 1", "picture 2", "ok", "header", "texts"}},
      {1, {"window", "picture 1", "ok", "header", "texts"}},
      {2, {"window", "picture 1", "ok", "header", "texts"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.mode);
    FAQ_SCREEN f(r.mode, kit);
    for (int i = 0; i < 7; ++i) Frame(f);
    plat::gfx::ClearRecorded();
    f.Render(0);
    std::map<unsigned long, std::string> names = {{dim->GetTexture(), "dim"},
                                                  {f.GetTexture(), "window"},
                                                  {f.Picture1().GetTexture(), "picture 1"},
                                                  {f.OkButton().GetTexture(), "ok"},
                                                  {bigFont->page->GetTexture(), "header"},
                                                  {comixFont->page->GetTexture(), "texts"}};
    if (f.Picture2()) names[f.Picture2()->GetTexture()] = "picture 2";
    EXPECT_EQ(DrawOrder(names), r.order);
  }
}

TEST_F(FaqScreen, AnUnknownModeShowsTheMouseHelp) {
  for (int mode : {-1, 3, 126}) {
    SCOPED_TRACE(mode);
    FAQ_SCREEN f(mode, kit);
    EXPECT_EQ(f.Mode(), FAQ_SCREEN::kMouse);
    EXPECT_FALSE(f.shown);
    EXPECT_EQ(f.Picture2(), nullptr);
    EXPECT_EQ(f.GetMyTexWidth(1), 560);
  }
}

TEST_F(FaqScreen, TextsAreDrawnAsWrittenAndMissingOnesSkipped) {
  char text[] = "a%%%sb";
  chTEXT_FAQ_MOUSE = text;
  chTEXT_FAQ_HEADER = nullptr;
  FAQ_SCREEN f(FAQ_SCREEN::kMouse, kit);
  for (int i = 0; i < 7; ++i) Frame(f);
  plat::gfx::ClearRecorded();
  f.Render(0);
  EXPECT_EQ(Glyphs(*comixFont), 6u);
  EXPECT_EQ(Glyphs(*bigFont), 0u);

  // Without fonts (not loaded) the window and its pictures are still drawn.
  kit.big = kit.comix = nullptr;
  FAQ_SCREEN bare(FAQ_SCREEN::kPocket, kit);
  plat::gfx::ClearRecorded();
  bare.Render(0);
  EXPECT_EQ(DrawnCentre(bare), (Point{512, 384}));
  EXPECT_EQ(Glyphs(*comixFont), 0u);
}

}  // namespace
