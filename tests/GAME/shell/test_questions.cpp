// The save and quit questions: where their parts stand at 1024 x 768 (and
// on another screen and with odd sizes), their answers to the mouse and the
// keys with the click sound, keys counting only in the frame they went
// down, and what they draw in which order.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/questions.h"
#include "GAME/ui/shared_assets.h"
#include "tests/support/modal_window_env.h"

namespace {

using windowtest::Point;

class Questions : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    chTEXT_EXIT_GAME = exitText;
    chTEXT_SAVE_PUZZLE = saveText;
  }
  void TearDown() override {
    chTEXT_EXIT_GAME = chTEXT_SAVE_PUZZLE = nullptr;
    ModalWindowEnv::TearDown();
  }
  int Frame(YES_NO_QUESTION& q) {
    const int r = q.Update(0, 0.0f);
    EndFrame();
    return r;
  }

  char exitText[8] = "Quit";
  char saveText[8] = "Saved";
};

using Make = std::function<std::unique_ptr<YES_NO_QUESTION>(const GAME::WindowKit&)>;

struct Kind {
  const char* name;
  Make make;
  char** logo;   // the configured picture
  size_t letters;  // of the question the fixture configures
};

const Kind kKinds[] = {
    {"quit", [](const GAME::WindowKit& k) { return std::make_unique<PUZZLE_QUIT_QUEST>(k); }, &chEXITQ, 4},
    {"save", [](const GAME::WindowKit& k) { return std::make_unique<PUZZLE_SAVE_QUEST>(k); }, &chSAVELOGO, 5},
};

TEST_F(Questions, StandAroundTheScreenCentre) {
  struct Row {
    const char* what;
    Point middle;
    int windowW, windowH, logoW;
    Point logo, text, ok, cancel;
  };
  // Text: the big font's first glyph, 12 above the centre line (half its
  // line height). OK and Cancel: 60 (half a 120 frame) either side of the
  // centre line, 12 (a quarter of 48) above the window's lower edge.
  const Row rows[] = {
      {"1024 x 768", {512, 384}, 560, 240, 160, {372, 384}, {452, 372}, {452, 492}, {572, 492}},
      {"1920 x 1080", {960, 540}, 560, 240, 160, {820, 540}, {900, 528}, {900, 648}, {1020, 648}},
      {"odd sizes truncate", {512, 384}, 561, 241, 161, {371, 384}, {451, 372}, {452, 492}, {572, 492}},
      // The row follows the window's lower edge, not the configured
      // fraction of its height (0.45 would give 519).
      {"a taller window", {512, 384}, 560, 300, 160, {372, 384}, {452, 372}, {452, 522}, {572, 522}},
  };
  for (const Kind& kind : kKinds) {
    for (const Row& r : rows) {
      SCOPED_TRACE(std::string(kind.name) + ", " + r.what);
      game().middle = JST::iPOINT(r.middle.x, r.middle.y);
      const std::string size = std::to_string(r.windowW) + "x" + std::to_string(r.windowH);
      Image(&chWINDOWMINI, "mini_" + size + ".png", r.windowW, r.windowH);
      Image(kind.logo, "logo_" + std::to_string(r.logoW) + ".png", r.logoW, 160);
      auto q = kind.make(kit);
      plat::gfx::ClearRecorded();
      EXPECT_EQ(q->Render(0), 1);
      EXPECT_EQ(DrawnCentre(*q), r.middle);
      EXPECT_EQ(DrawnCentre(q->Logo()), r.logo);
      EXPECT_EQ(q->TextX(), r.text.x);
      EXPECT_EQ(FirstGlyph(*bigFont), r.text);
      EXPECT_EQ(Glyphs(*bigFont), kind.letters);
      EXPECT_EQ(DrawnCentre(q->OkButton()), r.ok);
      EXPECT_EQ(DrawnCentre(q->CancelButton()), r.cancel);
      const auto ok = drawtest::QuadsOf(q->OkButton().GetTexture());
      ASSERT_EQ(ok.size(), 1u);
      EXPECT_FLOAT_EQ(ok[0].x1 - ok[0].x0, 120.0f) << "one frame of the four";
      EXPECT_EQ(q->Message(0), 1);
    }
  }
}

TEST_F(Questions, AnswerTheMouseAndTheKeysWithTheClick) {
  YES_NO_QUESTION* q = nullptr;
  auto update = [&] { return q->Update(0, 0.0f); };
  struct Row {
    const char* what;
    std::function<int()> act;
    int answer;
    int clicks;
  };
  const Row rows[] = {
      {"OK clicked", [&] { return Click(452, 492, update); }, YES_NO_QUESTION::kYes, 1},
      {"Cancel clicked", [&] { return Click(572, 492, update); }, YES_NO_QUESTION::kNo, 1},
      {"Enter", [&] { return KeyFrame(13, update); }, YES_NO_QUESTION::kYes, 1},
      {"Escape", [&] { return KeyFrame(27, update); }, YES_NO_QUESTION::kNo, 1},
      {"Enter and Escape in one frame",
       [&] {
         KeyDown(27);
         return KeyFrame(13, update);
       },
       YES_NO_QUESTION::kYes, 1},
      {"a click on the logo", [&] { return Click(372, 384, update); }, YES_NO_QUESTION::kNothing, 0},
      {"a click between the buttons' rows and the text", [&] { return Click(512, 440, update); },
       YES_NO_QUESTION::kNothing, 0},
      {"another key", [&] { return KeyFrame(32, update); }, YES_NO_QUESTION::kNothing, 0},
  };
  for (const Kind& kind : kKinds) {
    for (const Row& r : rows) {
      SCOPED_TRACE(std::string(kind.name) + ": " + r.what);
      WithClickSound();
      auto made = kind.make(kit);
      q = made.get();
      EXPECT_EQ(r.act(), r.answer);
      EXPECT_EQ(ClicksPlayed(), r.clicks);
      KeyUp(27);
      EndFrame();
      EndFrame();
    }
  }
}

TEST_F(Questions, KeysCountOnlyInTheFrameTheyWentDown) {
  // Escape opened the question in the menu's frame and is still held.
  KeyDown(27);
  EndFrame();
  PUZZLE_QUIT_QUEST q(kit);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  KeyUp(27);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  // Enter held over several frames answers once, in its first frame.
  KeyDown(13);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kYes);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  EXPECT_EQ(Frame(q), YES_NO_QUESTION::kNothing);
  KeyUp(13);
  EndFrame();
}

TEST_F(Questions, DrawTheDimLayerFirstAndTheButtonsLast) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    auto q = kind.make(kit);
    plat::gfx::ClearRecorded();
    q->Render(0);
    const std::map<unsigned long, std::string> names = {
        {dim->GetTexture(), "dim"},          {q->GetTexture(), "window"},
        {q->Logo().GetTexture(), "logo"},    {bigFont->page->GetTexture(), "text"},
        {q->OkButton().GetTexture(), "ok"},  {q->CancelButton().GetTexture(), "cancel"},
        {comixFont->page->GetTexture(), "comix"}};
    EXPECT_EQ(DrawOrder(names), (std::vector<std::string>{"dim", "window", "logo", "text", "ok", "cancel"}));
  }
}

TEST_F(Questions, ShowTheirOwnPictureAndQuestion) {
  Image(&chSAVELOGO, "save_logo100.png", 100, 160);
  PUZZLE_QUIT_QUEST quit(kit);
  PUZZLE_SAVE_QUEST save(kit);
  EXPECT_EQ(quit.Logo().GetMyTexWidth(1), 160);
  EXPECT_EQ(save.Logo().GetMyTexWidth(1), 100);
  // Each its own question ("Quit", "Saved"), read when drawn.
  auto letters = [&](YES_NO_QUESTION& q) {
    plat::gfx::ClearRecorded();
    q.Render(0);
    return Glyphs(*bigFont);
  };
  EXPECT_EQ(letters(quit), 4u);
  EXPECT_EQ(letters(save), 5u);
  chTEXT_SAVE_PUZZLE = exitText;
  EXPECT_EQ(letters(save), 4u);
}

TEST_F(Questions, DrawTheQuestionAsWritten) {
  // A '%' in the configured question is a letter, not a printf conversion.
  char text[] = "ab%%%s";
  chTEXT_EXIT_GAME = text;
  PUZZLE_QUIT_QUEST q(kit);
  plat::gfx::ClearRecorded();
  q.Render(0);
  EXPECT_EQ(Glyphs(*bigFont), 6u);
}

TEST_F(Questions, TheDefaultConstructorUsesTheSharedAssets) {
  big = bigFont.get();
  comix = comixFont.get();
  blackTranslucent = dim.get();
  PUZZLE_QUIT_QUEST q;
  plat::gfx::ClearRecorded();
  q.Render(0);
  EXPECT_EQ(drawtest::QuadsOf(dim->GetTexture()).size(), 1u);
  EXPECT_EQ(Glyphs(*bigFont), 4u);
  EXPECT_EQ(DrawnCentre(q.OkButton()), (Point{452, 492}));

  // Without fonts or dim layer (not loaded) the window still draws itself.
  big = comix = nullptr;
  blackTranslucent = nullptr;
  chTEXT_EXIT_GAME = nullptr;
  PUZZLE_QUIT_QUEST bare;
  plat::gfx::ClearRecorded();
  EXPECT_EQ(bare.Render(0), 1);
  EXPECT_EQ(DrawnCentre(bare), (Point{512, 384}));
  EXPECT_EQ(drawtest::QuadsOf(dim->GetTexture()).size(), 0u);
}

TEST_F(Questions, ResetFollowsANewScreenCentre) {
  PUZZLE_SAVE_QUEST q(kit);
  game().middle = JST::iPOINT(960, 540);
  q.Reset();
  plat::gfx::ClearRecorded();
  q.Render(0);
  EXPECT_EQ(DrawnCentre(q), (Point{960, 540}));
  EXPECT_EQ(DrawnCentre(q.Logo()), (Point{820, 540}));
  EXPECT_EQ(DrawnCentre(q.OkButton()), (Point{900, 648}));
  EXPECT_EQ(DrawnCentre(q.CancelButton()), (Point{1020, 648}));
}

}  // namespace
