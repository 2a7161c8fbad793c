// The in-game options window and its row of colour swatches: where
// everything stands, which swatch starts selected, swatches acting on the
// press of either button while OK and Cancel act on release, the working
// copies previewed through the getters and written to the record only on
// OK, and a window without a record closing at once.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/choice_color.h"
#include "GAME/shell/options_window.h"
#include "ST/button.h"
#include "tests/support/options_window_env.h"

namespace {

using GAME::PUZZLE_OPTIONS_GAME;
using windowtest::Point;

class OptionsWindow : public windowtest::OptionsWindowEnv {
 protected:
  void SetUp() override {
    OptionsWindowEnv::SetUp();
    chTEXT_SETTINGS_GAME_HEADER = header;
    chTEXT_SETTINGS_GAME_BACKGROUND = background;
    chTEXT_SETTINGS_GAME_MUSIC = chTEXT_SETTINGS_GAME_SOUND = chTEXT_SETTINGS_GAME_CURSOR = nullptr;
  }
  std::unique_ptr<PUZZLE_OPTIONS_GAME> Make() { return std::make_unique<PUZZLE_OPTIONS_GAME>(&record, options); }
  // A press of the left (or right) button answered in its own frame, then
  // the release.
  int PressAt(PUZZLE_OPTIONS_GAME& w, Point p, bool right = false) {
    input().EventMouseMove(p.x, p.y);
    right ? input().EventMouseRkm(true) : input().EventMouseLkm(true);
    const int r = Frame(w);
    right ? input().EventMouseRkm(false) : input().EventMouseLkm(false);
    Frame(w);
    EndFrame();
    return r;
  }
  static Point Swatch(const PUZZLE_OPTIONS_GAME& w, int i) { return At(w.ColorRow().Swatch(i)); }

  char header[8] = "Game";
  char background[8] = "Table";
};

TEST_F(OptionsWindow, StandsAroundTheScreenCentre) {
  struct Row {
    const char* what;
    Point middle;
    Point music, sound, cursor, ok, cancel, gear, piano, violin, row;
  };
  // W x H 760 x 600: OK and Cancel straddle the lower edge (300 - 12 below
  // the centre); the gear 20 right of the 60-pixel header and its own half;
  // the colour row 50 left of the centre, 0.2 H = 120 below it.
  const Row rows[] = {
      {"1024 x 768",
       {512, 384},
       {462, 264},
       {462, 354},
       {462, 430},
       {452, 672},
       {572, 672},
       {594, 162},
       {382, 354},
       {382, 264},
       {462, 504}},
      {"1920 x 1080",
       {960, 540},
       {910, 420},
       {910, 510},
       {910, 586},
       {900, 828},
       {1020, 828},
       {1042, 318},
       {830, 510},
       {830, 420},
       {910, 660}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    game().middle = JST::iPOINT(r.middle.x, r.middle.y);
    auto w = Make();
    EXPECT_EQ(At(*w), r.middle);
    EXPECT_EQ((Point{int(w->MusicSlider().x), int(w->MusicSlider().y)}), r.music);
    EXPECT_EQ((Point{int(w->SoundSlider().x), int(w->SoundSlider().y)}), r.sound);
    EXPECT_FLOAT_EQ(w->SoundSlider().length, 304.0f);
    EXPECT_EQ(At(w->CursorBox()), r.cursor);
    EXPECT_EQ(At(w->OkButton()), r.ok);
    EXPECT_EQ(At(w->CancelButton()), r.cancel);
    EXPECT_EQ(At(w->Gear()), r.gear);
    EXPECT_EQ(At(w->Piano()), r.piano);
    EXPECT_EQ(At(w->Violin()), r.violin);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Swatch(*w, i), (Point{r.row.x + 95 * i, r.row.y})) << i;
  }
}

TEST_F(OptionsWindow, TheRecordsColourPicksTheSwatch) {
  struct Row {
    uint32_t color;
    int selected;
  };
  const Row rows[] = {{0xFFFFFFFFu, 3}, {0xFFFFD5D5u, 0}, {0xFF95ABFDu, 2},
                      {0xFFD4FFC3u, 1}, {0x12345678u, 0}, {0x00000000u, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.color);
    record.Color = int(r.color);
    auto w = Make();
    EXPECT_EQ(w->ColorRow().Selected(), r.selected);
    EXPECT_EQ(uint32_t(w->GetColor()), r.color) << "the working colour stays the record's";
  }
  // Two equal configured colours: the first of them.
  C_COLOR_BACKGROUND_2 = C_COLOR_BACKGROUND_1;
  record.Color = C_COLOR_BACKGROUND_1;
  EXPECT_EQ(Make()->ColorRow().Selected(), 1);
}

TEST_F(OptionsWindow, TheSelectedSwatchHasItsShadowAndEachItsColour) {
  auto w = Make();  // a new player: white, the last swatch
  plat::gfx::ClearRecorded();
  EXPECT_EQ(w->Render(0), 0);
  const auto& row = w->ColorRow();
  const auto shadow = drawtest::QuadsOf(row.Shadow().GetTexture());
  ASSERT_EQ(shadow.size(), 1u);
  EXPECT_EQ(DrawnCentre(row.Shadow()), (Point{755, 512}));
  EXPECT_FLOAT_EQ(shadow[0].x1 - shadow[0].x0, 75.0f);
  const auto plates = drawtest::QuadsOf(row.Plate().GetTexture());
  ASSERT_EQ(plates.size(), 4u);
  const uint32_t colours[4] = {0xFFFFD5D5u, 0xFFD4FFC3u, 0xFF95ABFDu, 0xFFFFFFFFu};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(plates[i].color, colours[i]);
    EXPECT_FLOAT_EQ(plates[i].x1 - plates[i].x0, 51.0f);
    EXPECT_FLOAT_EQ(plates[i].y1 - plates[i].y0, 55.0f);
    const auto swatch = drawtest::QuadsOf(row.Swatch(i).GetTexture());
    ASSERT_EQ(swatch.size(), 1u);
    EXPECT_FLOAT_EQ(swatch[0].x1 - swatch[0].x0, 75.0f);
    EXPECT_EQ(int((plates[i].x0 + plates[i].x1) / 2), 462 + 95 * i);
  }
  // Shadow, then the swatch over it, then its plate.
  const std::map<unsigned long, std::string> names = {{row.Shadow().GetTexture(), "shadow"},
                                                      {row.Swatch(3).GetTexture(), "swatch 3"},
                                                      {row.Swatch(2).GetTexture(), "swatch 2"}};
  EXPECT_EQ(DrawOrder(names), (std::vector<std::string>{"swatch 2", "shadow", "swatch 3"}));
}

TEST_F(OptionsWindow, DrawsTheBackgroundCaptionLevelWithTheSwatches) {
  auto w = Make();
  plat::gfx::ClearRecorded();
  w->Render(0);
  // "Table" at x - 0.45 W = 170, centred on the row's 504.
  const auto glyphs = drawtest::QuadsOf(comixFont->page->GetTexture());
  ASSERT_EQ(glyphs.size(), 5u);
  EXPECT_EQ((Point{int(glyphs[0].x0), int(glyphs[0].y0)}), (Point{170, 492}));
  const auto header = drawtest::QuadsOf(bigFont->page->GetTexture());
  ASSERT_EQ(header.size(), 4u);
  EXPECT_EQ((Point{int(header[0].x0), int(header[0].y0)}), (Point{482, 150}));
}

TEST_F(OptionsWindow, ASwatchActsOnThePressOfEitherButton) {
  auto w = Make();
  EXPECT_EQ(PressAt(*w, Swatch(*w, 2)), PUZZLE_OPTIONS_GAME::kColor);
  EXPECT_EQ(uint32_t(w->GetColor()), 0xFF95ABFDu);
  EXPECT_EQ(w->ColorRow().Selected(), 2);
  EXPECT_EQ(PressAt(*w, Swatch(*w, 2)), PUZZLE_OPTIONS_GAME::kColor) << "again, the same colour";
  EXPECT_EQ(uint32_t(w->GetColor()), 0xFF95ABFDu);
  EXPECT_EQ(PressAt(*w, Swatch(*w, 0), true), PUZZLE_OPTIONS_GAME::kColor) << "the right button";
  EXPECT_EQ(uint32_t(w->GetColor()), 0xFFFFD5D5u);
  // The 75-pixel box runs strictly between 37 left of (above) the centre
  // and 38 right of (below) it.
  const Point s1 = Swatch(*w, 1);
  EXPECT_EQ(PressAt(*w, {s1.x - 37, s1.y}), PUZZLE_OPTIONS_GAME::kNothing);
  EXPECT_EQ(PressAt(*w, {s1.x + 37, s1.y - 36}), PUZZLE_OPTIONS_GAME::kColor);
  EXPECT_EQ(w->ColorRow().Selected(), 1);
  EXPECT_EQ(PressAt(*w, {s1.x + 48, s1.y}), PUZZLE_OPTIONS_GAME::kNothing) << "between two swatches";
  EXPECT_EQ(uint32_t(record.Color), 0xFFFFFFFFu) << "nothing written before OK";

  // OK answers on release, not on the press.
  const Point ok = At(w->OkButton());
  Mouse(ok.x, ok.y, 1);
  EXPECT_EQ(Frame(*w), PUZZLE_OPTIONS_GAME::kNothing);
  Mouse(ok.x, ok.y, -1);
  EXPECT_EQ(Frame(*w), PUZZLE_OPTIONS_GAME::kOk);
  const auto bytes = record.Encode();
  const uint8_t colour[4] = {0xC3, 0xFF, 0xD4, 0xFF};
  EXPECT_EQ(std::memcmp(&bytes[8], colour, 4), 0);
}

TEST_F(OptionsWindow, OkWritesTheWorkingCopiesAndCancelNothing) {
  struct Row {
    const char* what;
    std::function<int(PUZZLE_OPTIONS_GAME&)> close;
    int answer;
  };
  const Row rows[] = {
      {"OK", [&](PUZZLE_OPTIONS_GAME& w) { return ClickAt(w, At(w.OkButton())); }, PUZZLE_OPTIONS_GAME::kOk},
      {"Enter", [&](PUZZLE_OPTIONS_GAME& w) { return KeyFrame(13, [&] { return w.Update(0, 0.0f); }); },
       PUZZLE_OPTIONS_GAME::kOk},
      {"Cancel", [&](PUZZLE_OPTIONS_GAME& w) { return ClickAt(w, At(w.CancelButton())); },
       PUZZLE_OPTIONS_GAME::kCancel},
      {"Escape", [&](PUZZLE_OPTIONS_GAME& w) { return KeyFrame(27, [&] { return w.Update(0, 0.0f); }); },
       PUZZLE_OPTIONS_GAME::kCancel},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    record.SetDefaults(0, true);
    const GAME::PUZZLE_PLAYER_PROFILE before = record;
    auto w = Make();
    EXPECT_EQ(PressAt(*w, Swatch(*w, 2)), PUZZLE_OPTIONS_GAME::kColor);
    EXPECT_EQ(ClickAt(*w, PlusOf(w->MusicSlider())), PUZZLE_OPTIONS_GAME::kMusic);
    EXPECT_FLOAT_EQ(w->GetMusicVolume(), 0.31f);
    EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_OPTIONS_GAME::kSound);
    EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_OPTIONS_GAME::kSound);
    EXPECT_FLOAT_EQ(w->GetSoundVolume(), 0.32f);
    EXPECT_EQ(PressAt(*w, At(w->CursorBox())), PUZZLE_OPTIONS_GAME::kCursor);
    EXPECT_FALSE(w->GetCursorState());
    EXPECT_EQ(record, before);
    EXPECT_EQ(r.close(*w), r.answer);
    if (r.answer == PUZZLE_OPTIONS_GAME::kCancel) {
      EXPECT_EQ(record, before);
      continue;
    }
    GAME::PUZZLE_PLAYER_PROFILE expected = before;
    expected.Color = int(0xFF95ABFDu);
    expected.MusicVolum = 0.31f;
    expected.Sound = 0.32f;
    expected.Cursor = false;
    EXPECT_EQ(record, expected);
    const auto bytes = record.Encode();
    const uint8_t colour[4] = {0xFD, 0xAB, 0x95, 0xFF};
    EXPECT_EQ(std::memcmp(&bytes[8], colour, 4), 0);
  }
}

TEST_F(OptionsWindow, EnterHeldCountsOnce) {
  auto w = Make();
  KeyDown(13);
  EXPECT_EQ(Frame(*w), PUZZLE_OPTIONS_GAME::kOk);
  EXPECT_EQ(Frame(*w), PUZZLE_OPTIONS_GAME::kNothing);
  EXPECT_EQ(Frame(*w), PUZZLE_OPTIONS_GAME::kNothing);
  KeyUp(13);
  EndFrame();
}

TEST_F(OptionsWindow, TheTestSoundPlaysAtMostEvery100Ms) {
  WithSounds();
  auto w = Make();
  EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_OPTIONS_GAME::kSound);
  now += 99;
  EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_OPTIONS_GAME::kSound);
  EXPECT_EQ(TestSounds(), 1);
  now += 1;
  EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_OPTIONS_GAME::kSound);
  EXPECT_EQ(TestSounds(), 2);
  EXPECT_EQ(ClickAt(*w, PlusOf(w->MusicSlider())), PUZZLE_OPTIONS_GAME::kMusic);
  EXPECT_EQ(TestSounds(), 2) << "the music slider plays nothing";
}

TEST_F(OptionsWindow, WithoutARecordItClosesAtOnce) {
  PUZZLE_OPTIONS_GAME w(nullptr, options);
  EXPECT_EQ(Frame(w), PUZZLE_OPTIONS_GAME::kCancel);
  EXPECT_EQ(PressAt(w, Swatch(w, 2)), PUZZLE_OPTIONS_GAME::kCancel);
  EXPECT_EQ(w.Render(0), 0);
}

}  // namespace
