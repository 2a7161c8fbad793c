// The resolution window and its confirmation: the boxes offered for each
// desktop size, where everything stands, the boxes acting as radio buttons
// with the system box locking full screen, the record edited live and
// restored on Cancel, OK comparing values, and the confirmation counting
// down on the clock (not on frame time), keeping the mode on its OK and
// reverting on its Cancel or when the time runs out.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/shell/resolution_window.h"
#include "ST/button.h"
#include "tests/support/options_window_env.h"

namespace {

using GAME::PUZZLE_RESOLUTION;
using windowtest::Point;

class ResolutionWindow : public windowtest::OptionsWindowEnv {
 protected:
  void SetUp() override {
    OptionsWindowEnv::SetUp();
    chTEXT_DIALOG_SELECT_RESOLUTION_SYSTEM = systemText;
    chTEXT_DIALOG_APPLY_RESOLUTION = applyText;
    game().desktop = JST::iPOINT(2560, 1440);
    game().fullScreen = true;
  }
  std::unique_ptr<PUZZLE_RESOLUTION> Make() {
    return std::make_unique<PUZZLE_RESOLUTION>(comixFont.get(), &record, options);
  }
  // A press answered in its own frame (check boxes act there).
  int PressAt(PUZZLE_RESOLUTION& w, const JST::iPOINT& p) {
    Mouse(p.x, p.y, 1);
    const int r = Frame(w);
    Mouse(p.x, p.y, -1);
    Frame(w);
    return r;
  }
  int Press(PUZZLE_RESOLUTION& w, const GAME::CHEBOX_TEXT& box) { return PressAt(w, box.Position()); }
  int Press(PUZZLE_RESOLUTION& w, PUZZLE_RESOLUTION::Size s) {
    EXPECT_NE(w.SizeBox(s), nullptr);
    return w.SizeBox(s) ? Press(w, *w.SizeBox(s)) : -99;
  }
  // A click (press, release) answered in the release frame.
  int ClickAt(PUZZLE_RESOLUTION& w, const JSPRITE& button) {
    return Click(int(button.position.x), int(button.position.y), [&] { return w.Update(0, 0.0f); });
  }
  int Enter(PUZZLE_RESOLUTION& w) {
    return KeyFrame(13, [&] { return w.Update(0, 0.0f); });
  }
  // Which boxes are ticked: 1024, 1440, 1920, system, full ('x' ticked,
  // '.' not, '-' not offered).
  static std::string Ticks(const PUZZLE_RESOLUTION& w) {
    std::string s;
    for (int i = 0; i < PUZZLE_RESOLUTION::kSizes; ++i) {
      const auto* b = w.SizeBox(PUZZLE_RESOLUTION::Size(i));
      s += b == nullptr ? '-' : b->Ticked() ? 'x' : '.';
    }
    s += w.SystemBox().Ticked() ? 'x' : '.';
    s += w.FullScreenBox().Ticked() ? 'x' : '.';
    return s;
  }

  char systemText[12] = "Desktop";
  char applyText[8] = "Keep";
};

TEST_F(ResolutionWindow, OffersOnlySizesSmallerThanTheDesktopBothWays) {
  struct Row {
    int w, h;
    const char* ticks;  // record: the desktop's size, full screen
  };
  const Row rows[] = {
      {1024, 768, "---xx"},  {1280, 1024, ".--xx"}, {1920, 1080, "..-xx"},
      {1920, 1200, "..-xx"}, {2560, 1440, "...xx"}, {1440, 1080, ".--xx"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.w) + "x" + std::to_string(r.h));
    game().desktop = JST::iPOINT(r.w, r.h);
    auto w = Make();
    EXPECT_EQ(Ticks(*w), r.ticks);
    EXPECT_EQ(w->SystemBox().Caption(), "Desktop\n(" + std::to_string(r.w) + "x" + std::to_string(r.h) + ")");
  }
}

TEST_F(ResolutionWindow, StandsAroundTheScreenCentre) {
  struct Row {
    const char* what;
    Point middle;
    Point full, r1920, r1440, r1024, system, picture, ok, cancel;
  };
  // H 600: OK and Cancel 0.45 H = 270 below the centre, 60 either side.
  const Row rows[] = {
      {"1024 x 768",
       {512, 384},
       {262, 474},
       {612, 264},
       {612, 334},
       {612, 404},
       {612, 474},
       {372, 314},
       {452, 654},
       {572, 654}},
      {"1920 x 1080",
       {960, 540},
       {710, 630},
       {1060, 420},
       {1060, 490},
       {1060, 560},
       {1060, 630},
       {820, 470},
       {900, 810},
       {1020, 810}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    game().middle = JST::iPOINT(r.middle.x, r.middle.y);
    auto w = Make();
    auto at = [](const GAME::CHEBOX_TEXT* b) { return b ? Point{b->Position().x, b->Position().y} : Point{-1, -1}; };
    EXPECT_EQ(At(*w), r.middle);
    EXPECT_EQ(at(&w->FullScreenBox()), r.full);
    EXPECT_EQ(At(w->FullScreenBox().Box()), r.full);
    EXPECT_EQ(at(w->SizeBox(PUZZLE_RESOLUTION::k1920x1080)), r.r1920);
    EXPECT_EQ(at(w->SizeBox(PUZZLE_RESOLUTION::k1440x900)), r.r1440);
    EXPECT_EQ(at(w->SizeBox(PUZZLE_RESOLUTION::k1024x768)), r.r1024);
    EXPECT_EQ(at(&w->SystemBox()), r.system);
    EXPECT_EQ(At(w->Picture()), r.picture);
    EXPECT_EQ(At(w->OkButton()), r.ok);
    EXPECT_EQ(At(w->CancelButton()), r.cancel);
  }
}

TEST_F(ResolutionWindow, DrawsHeaderBoxesAndCaptions) {
  chTEXT_DIALOG_SELECT_RESOLUTION_HEADER = applyText;  // "Keep"
  auto w = Make();
  plat::gfx::ClearRecorded();
  EXPECT_EQ(w->Render(0), 0);
  // The header centred on (512, 154).
  const auto big = drawtest::QuadsOf(bigFont->page->GetTexture());
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ((Point{int(big[0].x0), int(big[0].y0)}), (Point{482, 142}));
  // Box captions: 30 right of the box, vertically centred on it. The first
  // drawn is the 1024x768 box's at (612, 404).
  const auto captions = drawtest::QuadsOf(comixFont->page->GetTexture());
  ASSERT_FALSE(captions.empty());
  EXPECT_EQ((Point{int(captions[0].x0), int(captions[0].y0)}), (Point{642, 392}));
  // A ticked box draws its box and its tick, an unticked one its box.
  EXPECT_EQ(drawtest::QuadsOf(w->SystemBox().Box().GetTexture()).size(), 2u);
  EXPECT_EQ(drawtest::QuadsOf(w->FullScreenBox().Box().GetTexture()).size(), 2u);
  EXPECT_EQ(drawtest::QuadsOf(w->SizeBox(PUZZLE_RESOLUTION::k1024x768)->Box().GetTexture()).size(), 1u);
}

TEST_F(ResolutionWindow, OpensWithTheRecordsBoxesTicked) {
  struct Row {
    int screen;
    bool full, engineFull;
    const char* ticks;
  };
  const Row rows[] = {
      {0xC0000, false, true, "x...."},
      {0x13C680, true, false, ".x..x"},
      {0x1FA400, false, false, "..x.."},
      // The desktop's size shows full screen as the record says.
      {0, false, true, "...x."},
      // An unknown size counts as the desktop's.
      {12345, true, false, "...xx"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.screen);
    record.screen = r.screen;
    record.Full = r.full;
    game().fullScreen = r.engineFull;
    auto w = Make();
    EXPECT_EQ(Ticks(*w), r.ticks);
  }
  // A size this desktop cannot show ticks no size box; full as stored.
  game().desktop = JST::iPOINT(1280, 1024);
  record.screen = 0x1FA400;
  record.Full = true;
  EXPECT_EQ(Ticks(*Make()), ".--.x");
}

TEST_F(ResolutionWindow, ChangeResolutionTicksTheBoxOfACode) {
  auto w = Make();
  struct Row {
    int code;
    bool engineFull;
    const char* ticks;
  };
  // Starting from "...xx"; the full-screen box moves only for the system
  // choice, to the engine's flag.
  const Row rows[] = {{0x13C680, false, ".x..x"}, {0, false, "...x."}, {0xC0000, true, "x...."}, {777, true, "...xx"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    game().fullScreen = r.engineFull;
    w->ChangeResolution(r.code);
    EXPECT_EQ(Ticks(*w), r.ticks);
  }
  w->DeselectAllResolution();
  EXPECT_EQ(Ticks(*w), "....x");
}

TEST_F(ResolutionWindow, SizeBoxesAreRadioButtonsAndTheSystemBoxLocksFullScreen) {
  auto w = Make();  // the desktop's size, full screen
  EXPECT_EQ(Press(*w, w->FullScreenBox()), PUZZLE_RESOLUTION::kNothing) << "locked";
  EXPECT_EQ(Ticks(*w), "...xx");
  EXPECT_TRUE(record.Full);

  EXPECT_EQ(Press(*w, PUZZLE_RESOLUTION::k1024x768), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(Ticks(*w), "x...x") << "full screen stays ticked";
  EXPECT_EQ(record.screen, 0xC0000);
  EXPECT_EQ(Press(*w, PUZZLE_RESOLUTION::k1024x768), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(Ticks(*w), "x...x") << "a click on the ticked box keeps it ticked";
  EXPECT_EQ(Press(*w, PUZZLE_RESOLUTION::k1920x1080), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(Ticks(*w), "..x.x");
  EXPECT_EQ(record.screen, 0x1FA400);

  // Unlocked again: the full-screen box toggles the record's flag.
  EXPECT_EQ(Press(*w, w->FullScreenBox()), PUZZLE_RESOLUTION::kFullScreen);
  EXPECT_EQ(Ticks(*w), "..x..");
  EXPECT_FALSE(record.Full);

  // The system box ticks and locks full screen again.
  EXPECT_EQ(Press(*w, w->SystemBox()), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(Ticks(*w), "...xx");
  EXPECT_EQ(record.screen, 0);
  EXPECT_TRUE(record.Full);
}

TEST_F(ResolutionWindow, OkComparesValuesAndCancelRestoresTheRecord) {
  WithSounds();
  {
    auto w = Make();
    EXPECT_EQ(Enter(*w), PUZZLE_RESOLUTION::kOk) << "nothing changed";
    EXPECT_FALSE(w->Confirming());
    EXPECT_EQ(Clicks(), 1);
  }
  {
    record.screen = 0x13C680;
    record.Full = false;
    auto w = Make();
    EXPECT_EQ(Press(*w, w->FullScreenBox()), PUZZLE_RESOLUTION::kFullScreen);
    EXPECT_EQ(Press(*w, w->FullScreenBox()), PUZZLE_RESOLUTION::kFullScreen);
    EXPECT_EQ(ClickAt(*w, w->OkButton()), PUZZLE_RESOLUTION::kOk) << "toggled twice: no change";
    EXPECT_FALSE(w->Confirming());
  }
  std::function<int(PUZZLE_RESOLUTION&)> cancels[] = {
      [&](PUZZLE_RESOLUTION& w) { return ClickAt(w, w.CancelButton()); },
      [&](PUZZLE_RESOLUTION& w) { return KeyFrame(27, [&] { return w.Update(0, 0.0f); }); },
  };
  for (auto& cancel : cancels) {
    record.screen = 0x13C680;
    record.Full = false;
    auto w = Make();
    Press(*w, PUZZLE_RESOLUTION::k1024x768);
    Press(*w, w->FullScreenBox());
    EXPECT_EQ(record.screen, 0xC0000) << "edited live";
    EXPECT_TRUE(record.Full);
    Mix_HaltChannel(-1);
    EXPECT_EQ(cancel(*w), PUZZLE_RESOLUTION::kCancel);
    EXPECT_EQ(record.screen, 0x13C680);
    EXPECT_FALSE(record.Full);
    EXPECT_EQ(Clicks(), 1);
  }
}

TEST_F(ResolutionWindow, TheConfirmationRevertsWhenTimeRunsOutOnTheClock) {
  auto w = Make();
  EXPECT_EQ(Press(*w, PUZZLE_RESOLUTION::k1024x768), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(Enter(*w), PUZZLE_RESOLUTION::kApplyMode);
  ASSERT_TRUE(w->Confirming());
  EXPECT_EQ(record.screen, 0xC0000) << "the new mode is to be applied";
  EXPECT_EQ(w->Confirmation()->ShownSeconds(), 15);
  // The game's frames may stall (the window lost the focus): the frame time
  // says nothing has passed, the clock goes on.
  game().timer.SetDelta(0.0f);
  now += 600;
  EXPECT_EQ(Frame(*w), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(w->Confirmation()->ShownSeconds(), 14) << "14.4 s left";
  // Enter and Escape do nothing meanwhile.
  EXPECT_EQ(Enter(*w), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(KeyFrame(27, [&] { return w->Update(0, 0.0f); }), PUZZLE_RESOLUTION::kNothing);
  ASSERT_TRUE(w->Confirming());
  now += 14300;
  EXPECT_EQ(Frame(*w), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(w->Confirmation()->ShownSeconds(), 0) << "0.1 s left";
  now += 100;
  EXPECT_EQ(Frame(*w), PUZZLE_RESOLUTION::kApplyMode) << "reverted: the old mode is applied again";
  EXPECT_FALSE(w->Confirming());
  EXPECT_EQ(record.screen, 0);
  EXPECT_TRUE(record.Full);
  EXPECT_EQ(Ticks(*w), "...xx");
  // The window is still open and answers.
  EXPECT_EQ(Enter(*w), PUZZLE_RESOLUTION::kOk);
}

TEST_F(ResolutionWindow, TheConfirmationKeepsOnOkAndRevertsOnCancel) {
  struct Row {
    bool keep;
    int answer;
    int screen;
    bool confirming;
  };
  for (const Row& r :
       {Row{true, PUZZLE_RESOLUTION::kCancel, 0xC0000, false}, Row{false, PUZZLE_RESOLUTION::kApplyMode, 0, false}}) {
    SCOPED_TRACE(r.keep ? "OK" : "Cancel");
    record.SetDefaults(0, true);
    auto w = Make();
    Press(*w, PUZZLE_RESOLUTION::k1024x768);
    ASSERT_EQ(Enter(*w), PUZZLE_RESOLUTION::kApplyMode);
    const APPLY_RESOLUTION* c = w->Confirmation();
    ASSERT_NE(c, nullptr);
    // OK and Cancel straddle the small window's lower edge: 240 high, so
    // 120 - 12 below the centre.
    EXPECT_EQ(At(c->OkButton()), (Point{452, 492}));
    EXPECT_EQ(At(c->CancelButton()), (Point{572, 492}));
    EXPECT_EQ(ClickAt(*w, r.keep ? c->OkButton() : c->CancelButton()), r.answer);
    EXPECT_EQ(w->Confirming(), r.confirming);
    EXPECT_EQ(record.screen, r.screen);
  }
}

TEST_F(ResolutionWindow, TheConfirmationDrawsItsSecondsBelowItsQuestion) {
  auto w = Make();
  Press(*w, PUZZLE_RESOLUTION::k1440x900);
  ASSERT_EQ(Enter(*w), PUZZLE_RESOLUTION::kApplyMode);
  plat::gfx::ClearRecorded();
  w->Render(0);
  const auto& c = *w->Confirmation();
  // Drawn last, over the resolution window dimmed beneath it.
  const auto quads = drawtest::DrawnQuads();
  ASSERT_FALSE(quads.empty());
  EXPECT_EQ(quads.back().texture, c.CancelButton().GetTexture());
  const std::map<unsigned long, std::string> names = {{w->GetTexture(), "resolution"},
                                                      {w->CancelButton().GetTexture(), "its cancel"},
                                                      {dim->GetTexture(), "dim"},
                                                      {c.GetTexture(), "confirmation"}};
  EXPECT_EQ(DrawOrder(names), (std::vector<std::string>{"resolution", "its cancel", "dim", "confirmation"}));
  // "Keep" centred on (512, 384), then "15" centred on x with its top 1.2
  // line heights (28 pixels) below the centre.
  std::vector<drawtest::Quad> glyphs;
  bool confirmation = false;
  for (const auto& q : quads) {
    confirmation = confirmation || q.texture == c.GetTexture();
    if (confirmation && q.texture == comixFont->page->GetTexture()) glyphs.push_back(q);
  }
  ASSERT_EQ(glyphs.size(), 6u);
  EXPECT_EQ((Point{int(glyphs[0].x0), int(glyphs[0].y0)}), (Point{482, 372}));
  EXPECT_EQ((Point{int(glyphs[4].x0), int(glyphs[4].y0)}), (Point{497, 412}));
}

TEST_F(ResolutionWindow, TheClockMayWrapDuringTheCountdown) {
  now = 0xFFFFFFFFu - 1000u;
  auto w = Make();
  Press(*w, PUZZLE_RESOLUTION::k1024x768);
  ASSERT_EQ(Enter(*w), PUZZLE_RESOLUTION::kApplyMode);
  now += 3000;  // wraps
  EXPECT_EQ(Frame(*w), PUZZLE_RESOLUTION::kNothing);
  EXPECT_EQ(w->Confirmation()->ShownSeconds(), 12);
}

TEST_F(ResolutionWindow, WithoutARecordItClosesAtOnce) {
  PUZZLE_RESOLUTION w(comixFont.get(), nullptr, options);
  EXPECT_EQ(Frame(w), PUZZLE_RESOLUTION::kCancel);
  EXPECT_EQ(w.Render(0), 0);
}

}  // namespace
