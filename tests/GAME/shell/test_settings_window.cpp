// The settings window: where its parts stand at 1024 x 768 and after a new
// screen size, its codes for each control with the working copies they set,
// the record written only on OK, the sub-windows that take the frame while
// open, keys counting once, the throttled test sound of the sound slider,
// and a window without a record closing at once.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/shell/authors_window.h"
#include "GAME/shell/resolution_window.h"
#include "GAME/shell/settings_window.h"
#include "ST/button.h"
#include "tests/support/options_window_env.h"

namespace {

using GAME::PUZZLE_SETTINGS;
using windowtest::Point;

class SettingsWindow : public windowtest::OptionsWindowEnv {
 protected:
  void SetUp() override {
    OptionsWindowEnv::SetUp();
    chTEXT_SETTINGS_GAME_HEADER = header;
    chTEXT_SETTINGS_MENU_HEADER = header;
    chTEXT_SETTINGS_GAME_MUSIC = music;
    chTEXT_SETTINGS_GAME_SOUND = sound;
    game().desktop = JST::iPOINT(1920, 1080);
  }
  std::unique_ptr<PUZZLE_SETTINGS> Make(GAME::PUZZLE_PLAYER_PROFILE* profile) {
    return std::make_unique<PUZZLE_SETTINGS>("DATA/PP.png", "DATA/Button.png", chPTNS_GM_SLIDER, chPTNS_GM_CHBOX,
                                             "DATA/PP.png", "DATA/PP.png", comixFont.get(), profile, options);
  }
  // A press, answered in its own frame (check boxes act there), then the
  // release.
  int PressAt(PUZZLE_SETTINGS& w, Point p) {
    Mouse(p.x, p.y, 1);
    const int r = Frame(w);
    Mouse(p.x, p.y, -1);
    Frame(w);
    return r;
  }

  char header[8] = "Game";  // 4 letters: 60 pixels in the test fonts
  char music[8] = "Music";
  char sound[8] = "Sound";
};

TEST_F(SettingsWindow, StandsAroundTheScreenCentre) {
  struct Row {
    const char* what;
    Point middle;
    Point music, sound, cursor, fast, resolution, authors, ok, cancel, gear, piano, violin;
  };
  // W x H 760 x 600: music 0.2 H = 120 above the centre, sound 0.05 H = 30,
  // the flat buttons 0.25 H = 150 below, OK and Cancel 0.45 H = 270; the
  // gear 0.37 H = 222 above, right of the 60-pixel header by 30 + 32 + 40.
  const Row rows[] = {
      {"1024 x 768",
       {512, 384},
       {462, 264},
       {462, 354},
       {462, 430},
       {777, 430},
       {448, 534},
       {576, 534},
       {452, 654},
       {572, 654},
       {614, 162},
       {382, 354},
       {382, 264}},
      {"1920 x 1080",
       {960, 540},
       {910, 420},
       {910, 510},
       {910, 586},
       {1225, 586},
       {896, 690},
       {1024, 690},
       {900, 810},
       {1020, 810},
       {1062, 318},
       {830, 510},
       {830, 420}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    game().middle = JST::iPOINT(r.middle.x, r.middle.y);
    auto w = Make(&record);
    EXPECT_EQ(At(*w), r.middle);
    EXPECT_EQ((Point{int(w->MusicSlider().x), int(w->MusicSlider().y)}), r.music);
    EXPECT_EQ((Point{int(w->SoundSlider().x), int(w->SoundSlider().y)}), r.sound);
    EXPECT_FLOAT_EQ(w->MusicSlider().length, 304.0f) << "W / 2.5";
    EXPECT_EQ(At(w->CursorBox()), r.cursor);
    EXPECT_EQ(At(w->FastBox()), r.fast);
    EXPECT_EQ(At(w->ResolutionButton()), r.resolution);
    EXPECT_EQ(At(w->AuthorsButton()), r.authors);
    EXPECT_EQ(At(w->OkButton()), r.ok);
    EXPECT_EQ(At(w->CancelButton()), r.cancel);
    EXPECT_EQ(At(w->Gear()), r.gear);
    EXPECT_EQ(At(w->Piano()), r.piano);
    EXPECT_EQ(At(w->Violin()), r.violin);
  }
}

TEST_F(SettingsWindow, ARelayoutFollowsANewScreenCentre) {
  auto w = Make(&record);
  game().middle = JST::iPOINT(960, 540);
  EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kNothing) << "no relayout asked";
  EXPECT_EQ(At(w->OkButton()), (Point{452, 654}));
  EXPECT_EQ(w->Update(PUZZLE_SETTINGS::kRelayout, 0.0f), PUZZLE_SETTINGS::kNothing);
  EndFrame();
  EXPECT_EQ(At(*w), (Point{960, 540}));
  EXPECT_EQ(At(w->OkButton()), (Point{900, 810}));
  EXPECT_EQ((Point{int(w->MusicSlider().x), int(w->MusicSlider().y)}), (Point{910, 420}));
}

TEST_F(SettingsWindow, ARelayoutMovesAnOpenResolutionWindowAndItsConfirmation) {
  game().desktop = JST::iPOINT(2560, 1440);
  auto w = Make(&record);
  ClickAt(*w, At(w->ResolutionButton()));
  ASSERT_NE(w->Resolution(), nullptr);
  PressAt(*w, At(w->Resolution()->SizeBox(GAME::PUZZLE_RESOLUTION::k1920x1080)->Box()));
  ASSERT_EQ(KeyFrame(13, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kApplyMode);
  // The scene manager switched the mode and asks for a new layout.
  game().middle = JST::iPOINT(960, 540);
  EXPECT_EQ(w->Update(PUZZLE_SETTINGS::kRelayout, 0.0f), PUZZLE_SETTINGS::kNothing);
  EndFrame();
  EXPECT_EQ(At(*w->Resolution()), (Point{960, 540}));
  EXPECT_EQ(At(w->Resolution()->OkButton()), (Point{900, 810}));
  EXPECT_EQ(At(*w->Resolution()->Confirmation()), (Point{960, 540}));
  EXPECT_EQ(At(w->Resolution()->Confirmation()->OkButton()), (Point{900, 648}));
}

TEST_F(SettingsWindow, DrawsItsCaptionsBesideTheirControls) {
  auto w = Make(&record);
  plat::gfx::ClearRecorded();
  EXPECT_EQ(w->Render(0), 0);
  // The header "Game", centred on (512, 162): 60 wide, 24 high.
  const auto big = drawtest::QuadsOf(bigFont->page->GetTexture());
  ASSERT_EQ(big.size(), 4u);
  EXPECT_EQ((Point{int(big[0].x0), int(big[0].y0)}), (Point{482, 150}));
  // The captions start at x - 0.45 W = 170, centred on their rows 264, 354.
  const auto captions = drawtest::QuadsOf(comixFont->page->GetTexture());
  ASSERT_GE(captions.size(), 10u);
  EXPECT_EQ((Point{int(captions[0].x0), int(captions[0].y0)}), (Point{170, 252}));
  EXPECT_EQ((Point{int(captions[5].x0), int(captions[5].y0)}), (Point{170, 342}));
}

TEST_F(SettingsWindow, TheFastCollectorCaptionEndsLeftOfItsBox) {
  char fast[8] = "Fast";
  chTEXT_SETTINGS_GAME_FAST_COLLECTOR = fast;
  chTEXT_SETTINGS_GAME_MUSIC = chTEXT_SETTINGS_GAME_SOUND = nullptr;
  auto w = Make(&record);
  plat::gfx::ClearRecorded();
  w->Render(0);
  // Right edge at the box's x - 50 = 727, centred on its y - 10 = 420: the
  // comix font.
  const auto glyphs = drawtest::QuadsOf(comixFont->page->GetTexture());
  std::vector<Point> at;
  for (const auto& q : glyphs) at.push_back({int(q.x0), int(q.y0)});
  ASSERT_GE(at.size(), 4u);
  EXPECT_EQ(at[0], (Point{667, 408}));
  EXPECT_EQ(at[3], (Point{712, 408}));
}

TEST_F(SettingsWindow, DrawsTheDimLayerThenThePanel) {
  auto w = Make(&record);
  plat::gfx::ClearRecorded();
  w->Render(0);
  const std::map<unsigned long, std::string> names = {
      {dim->GetTexture(), "dim"},         {w->GetTexture(), "window"},
      {w->Gear().GetTexture(), "gear"},   {w->Violin().GetTexture(), "violin"},
      {w->Piano().GetTexture(), "piano"}, {bigFont->page->GetTexture(), "header"},
      {w->OkButton().GetTexture(), "ok"}, {w->CancelButton().GetTexture(), "cancel"}};
  EXPECT_EQ(DrawOrder(names),
            (std::vector<std::string>{"dim", "window", "gear", "violin", "piano", "header", "ok", "cancel"}));
}

TEST_F(SettingsWindow, SlidersShowTheVolumesAsWholePercents) {
  struct Row {
    float music, sound;
    float musicShown, soundShown;
  };
  // trunc(v x 100) in float: 0.53f x 100 is 52.9999962.
  for (const Row& r : {Row{0.3f, 0.3f, 30, 30}, Row{0.53f, 1.0f, 52, 100}, Row{0.0f, 0.999f, 0, 99}}) {
    record.MusicVolum = r.music;
    record.Sound = r.sound;
    auto w = Make(&record);
    EXPECT_FLOAT_EQ(w->MusicSlider().GetValue(), r.musicShown);
    EXPECT_FLOAT_EQ(w->SoundSlider().GetValue(), r.soundShown);
    EXPECT_FLOAT_EQ(w->GetMusicVolume(), r.music) << "the working copy is the record's until a change";
  }
}

TEST_F(SettingsWindow, EachControlAnswersItsCodeAndOnlyOkWritesTheRecord) {
  WithSounds();
  const GAME::PUZZLE_PLAYER_PROFILE before = record;
  auto w = Make(&record);
  EXPECT_EQ(ClickAt(*w, PlusOf(w->MusicSlider())), PUZZLE_SETTINGS::kMusic);
  EXPECT_EQ(std::bit_cast<uint32_t>(w->GetMusicVolume()), 0x3E9EB852u) << "0.31f";
  EXPECT_EQ(TestSounds(), 0);
  EXPECT_EQ(ClickAt(*w, PlusOf(w->SoundSlider())), PUZZLE_SETTINGS::kSound);
  EXPECT_EQ(std::bit_cast<uint32_t>(w->GetSoundVolume()), 0x3E9EB852u);
  EXPECT_EQ(TestSounds(), 1);
  EXPECT_EQ(PressAt(*w, At(w->CursorBox())), PUZZLE_SETTINGS::kCursor);
  EXPECT_FALSE(w->GetCursorState());
  EXPECT_EQ(PressAt(*w, At(w->FastBox())), PUZZLE_SETTINGS::kFast);
  EXPECT_TRUE(w->GetFastCollector());
  EXPECT_EQ(record, before) << "nothing written before OK";

  EXPECT_EQ(ClickAt(*w, At(w->OkButton())), PUZZLE_SETTINGS::kOk);
  const auto bytes = record.Encode();
  const uint8_t volume[4] = {0x52, 0xB8, 0x9E, 0x3E};
  EXPECT_EQ(std::memcmp(&bytes[20], volume, 4), 0);
  EXPECT_EQ(std::memcmp(&bytes[24], volume, 4), 0);
  EXPECT_EQ(bytes[48], 0) << "cursor";
  EXPECT_EQ(bytes[5], 1) << "fast collector";
  EXPECT_EQ(Clicks(), 0) << "the scene manager plays the click when it closes the window";
}

TEST_F(SettingsWindow, CancelAndEscapeWriteNothing) {
  std::function<int(PUZZLE_SETTINGS&)> ways[] = {
      [&](PUZZLE_SETTINGS& w) { return ClickAt(w, At(w.CancelButton())); },
      [&](PUZZLE_SETTINGS& w) { return KeyFrame(27, [&] { return w.Update(0, 0.0f); }); },
  };
  for (auto& cancel : ways) {
    record.SetDefaults(0, true);
    const GAME::PUZZLE_PLAYER_PROFILE before = record;
    auto w = Make(&record);
    EXPECT_EQ(ClickAt(*w, PlusOf(w->MusicSlider())), PUZZLE_SETTINGS::kMusic);
    EXPECT_EQ(PressAt(*w, At(w->FastBox())), PUZZLE_SETTINGS::kFast);
    EXPECT_EQ(cancel(*w), PUZZLE_SETTINGS::kCancel);
    EXPECT_EQ(record, before);
  }
}

TEST_F(SettingsWindow, EnterAndEscapeHeldCountOnce) {
  for (int vk : {13, 27}) {
    SCOPED_TRACE(vk);
    auto w = Make(&record);
    KeyDown(vk);
    EXPECT_EQ(Frame(*w), vk == 13 ? PUZZLE_SETTINGS::kOk : PUZZLE_SETTINGS::kCancel);
    EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kNothing);
    EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kNothing);
    KeyUp(vk);
    EndFrame();
  }
}

TEST_F(SettingsWindow, TheResolutionWindowTakesTheFrameAndEscapeClosesOnlyIt) {
  WithSounds();
  auto w = Make(&record);
  EXPECT_EQ(ClickAt(*w, At(w->ResolutionButton())), PUZZLE_SETTINGS::kNothing);
  ASSERT_NE(w->Resolution(), nullptr);
  EXPECT_EQ(OpenSounds(), 1);
  // The panel's own controls do nothing now: the resolution window lies
  // over them (its Cancel at (572, 654) is the settings' Cancel's place).
  EXPECT_EQ(PressAt(*w, At(w->FastBox())), PUZZLE_SETTINGS::kNothing);
  EXPECT_FALSE(w->GetFastCollector());
  // Its own codes pass up: the full-screen box at (262, 474).
  EXPECT_EQ(PressAt(*w, At(w->Resolution()->FullScreenBox().Box())), PUZZLE_SETTINGS::kNothing)
      << "locked while the desktop's size is chosen";
  // Escape closes the resolution window only, and counts once.
  KeyDown(27);
  EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kNothing);
  EXPECT_EQ(w->Resolution(), nullptr);
  EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kNothing);
  KeyUp(27);
  EndFrame();
  // The panel answers again.
  EXPECT_EQ(PressAt(*w, At(w->CursorBox())), PUZZLE_SETTINGS::kCursor);
}

TEST_F(SettingsWindow, AChangedModePassesUpAndIsPendingUntilKept) {
  game().desktop = JST::iPOINT(1280, 1024);
  auto w = Make(&record);
  ClickAt(*w, At(w->ResolutionButton()));
  ASSERT_NE(w->Resolution(), nullptr);
  const auto* box = w->Resolution()->SizeBox(GAME::PUZZLE_RESOLUTION::k1024x768);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(PressAt(*w, At(box->Box())), PUZZLE_SETTINGS::kNothing);
  EXPECT_FALSE(w->ModePending());
  EXPECT_EQ(KeyFrame(13, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kApplyMode);
  EXPECT_TRUE(w->ModePending()) << "the record holds a mode not kept yet";
  EXPECT_EQ(record.screen, 0xC0000);
  // Keys reach neither window while the confirmation waits.
  EXPECT_EQ(KeyFrame(27, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kNothing);
  const auto& keep = w->Resolution()->Confirmation()->OkButton();
  EXPECT_EQ(ClickAt(*w, At(keep)), PUZZLE_SETTINGS::kNothing);
  EXPECT_EQ(w->Resolution(), nullptr) << "kept: the resolution window closed";
  EXPECT_FALSE(w->ModePending());
  EXPECT_EQ(record.screen, 0xC0000);
}

TEST_F(SettingsWindow, TheAuthorsWindowTakesTheFrameUntilItsOk) {
  WithSounds();
  auto w = Make(&record);
  EXPECT_EQ(ClickAt(*w, At(w->AuthorsButton())), PUZZLE_SETTINGS::kNothing);
  ASSERT_NE(w->Authors(), nullptr);
  EXPECT_EQ(OpenSounds(), 1);
  plat::gfx::ClearRecorded();
  w->Render(0);
  EXPECT_EQ(drawtest::QuadsOf(w->GetTexture()).size(), 0u) << "only the authors window is drawn";
  EXPECT_EQ(drawtest::QuadsOf(w->Authors()->Picture().GetTexture()).size(), 1u);
  EXPECT_EQ(drawtest::QuadsOf(dim->GetTexture()).size(), 1u);
  EXPECT_EQ(KeyFrame(27, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kNothing);
  ASSERT_NE(w->Authors(), nullptr) << "Escape does not close the authors";
  EXPECT_EQ(KeyFrame(13, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kNothing);
  EXPECT_EQ(w->Authors(), nullptr);
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(record.MusicVolum, 0.3f) << "closing the authors writes nothing";
}

TEST_F(SettingsWindow, DraggingTheSoundSliderPlaysTheTestSoundAtMostEvery100Ms) {
  WithSounds();
  auto w = Make(&record);
  const auto& s = w->SoundSlider();
  int x = int(s.knobX), y = int(s.knobY);
  Mouse(x, y, 1);
  int changes = 0;
  // 20 frames of 16 ms, the knob 2 pixels further each frame.
  for (int i = 0; i < 20; ++i) {
    if (w->Update(0, 0.0f) == PUZZLE_SETTINGS::kSound) ++changes;
    EndFrame();
    now += 16;
    x += 2;
    Mouse(x, y);
  }
  Mouse(x, y, -1);
  Frame(*w);
  EXPECT_GE(changes, 19);
  // Played at 0, 112 and 224 ms of the 304.
  EXPECT_EQ(TestSounds(), 3);
  EXPECT_GT(w->GetSoundVolume(), 0.3f);
}

TEST_F(SettingsWindow, WithoutARecordItClosesAtOnce) {
  auto w = Make(nullptr);
  EXPECT_EQ(Frame(*w), PUZZLE_SETTINGS::kCancel);
  EXPECT_EQ(KeyFrame(13, [&] { return w->Update(0, 0.0f); }), PUZZLE_SETTINGS::kCancel);
  plat::gfx::ClearRecorded();
  EXPECT_EQ(w->Render(0), 0);
}

}  // namespace
