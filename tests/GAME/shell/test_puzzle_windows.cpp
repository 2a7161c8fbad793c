// The scene manager's windows on the recording backend: each opened from
// its button and closed by its OK and by Enter, the modal order among them,
// the preview codes read from the window rather than the record, the second
// click on the options tool, and a finished board reaching the progress
// file once and the score board.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/shell/choice_color.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/options_window.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/resolution_window.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/settings_window.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/trophy_window.h"
#include "ST/button.h"
#include "ST/cursor.h"
#include "tests/support/draw_record.h"
#include "tests/support/puzzle_env.h"

namespace scenetest {
namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Puzzle = GAME::PUZZLE;

constexpr int kEnter = 13, kEscape = 27;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A progress file with one finished puzzle, so that the scores button is on.
void WriteProgress(const std::string& playerDir) {
  testenv::WriteFile(playerDir + "Progress.xml",
                     "<?xml version=\"1.0\"?>\n<root>\n\t<element face=\"p1_01.png\" score=\"345\" count=\"12\" "
                     "rotata=\"false\" time=\"125.9\" />\n</root>\n");
}

class SceneWindows : public PuzzleEnv {
 protected:
  // The OK button of whichever window stands in the slot.
  static const JBUTTONMAP4* OkOf(JST::ST* w) {
    if (auto* s = dynamic_cast<GAME::PUZZLE_SETTINGS*>(w)) return &s->OkButton();
    if (auto* l = dynamic_cast<GAME::LIDER_BOARD*>(w)) return &l->OkButton();
    if (auto* b = dynamic_cast<GAME::SCORE_BOARD*>(w)) return &b->OkButton();
    if (auto* t = dynamic_cast<ZOV::TROFEI_PANEL*>(w)) return &t->OkButton();
    return nullptr;
  }
};

// ---- each menu opener, closed by its OK and by Enter

struct MenuWindowCase {
  const char* name;
  BUTTONACT* Puzzle::*button;
  JST::ST* Puzzle::*slot;
  bool (*isRightKind)(JST::ST*);
  bool enter;  // closed by Enter, else by a click on its OK
};

template <class W>
bool Is(JST::ST* w) {
  return dynamic_cast<W*>(w) != nullptr;
}

class SceneMenuWindow : public SceneWindows, public ::testing::WithParamInterface<MenuWindowCase> {};

TEST_P(SceneMenuWindow, ItsButtonOpensItAndItsOkOrEnterClosesIt) {
  const MenuWindowCase c = GetParam();
  PreparePlayer(false);
  WriteProgress(playerDir);
  TROFEI_ENABLE = true;
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  ASSERT_TRUE(scene->buttonScores->active) << "the progress file exists";
  Click(scene->*c.button);
  ASSERT_NE(scene->*c.slot, nullptr);
  EXPECT_TRUE(c.isRightKind(scene->*c.slot));
  // Open, it holds the frame: Enter meant for it starts no puzzle.
  if (c.enter) {
    Key(kEnter);
  } else {
    const JBUTTONMAP4* ok = OkOf(scene->*c.slot);
    ASSERT_NE(ok, nullptr);
    Click(ok);
  }
  EXPECT_EQ(scene->*c.slot, nullptr);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->board, nullptr);
  // The slot is free again for a second opening.
  Click(scene->*c.button);
  EXPECT_NE(scene->*c.slot, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SceneMenuWindow,
    ::testing::Values(
        MenuWindowCase{"SettingsOk", &Puzzle::buttonOptions, &Puzzle::settingsWindow, Is<GAME::PUZZLE_SETTINGS>, false},
        MenuWindowCase{"SettingsEnter", &Puzzle::buttonOptions, &Puzzle::settingsWindow, Is<GAME::PUZZLE_SETTINGS>,
                       true},
        MenuWindowCase{"LeadersOk", &Puzzle::buttonLeaders, &Puzzle::leaderBoard, Is<GAME::LIDER_BOARD>, false},
        MenuWindowCase{"LeadersEnter", &Puzzle::buttonLeaders, &Puzzle::leaderBoard, Is<GAME::LIDER_BOARD>, true},
        MenuWindowCase{"ScoresOk", &Puzzle::buttonScores, &Puzzle::scoreBoard, Is<GAME::SCORE_BOARD>, false},
        MenuWindowCase{"ScoresEnter", &Puzzle::buttonScores, &Puzzle::scoreBoard, Is<GAME::SCORE_BOARD>, true},
        MenuWindowCase{"TrophiesOk", &Puzzle::buttonTrophies, &Puzzle::trophyPanel, Is<ZOV::TROFEI_PANEL>, false},
        MenuWindowCase{"TrophiesEnter", &Puzzle::buttonTrophies, &Puzzle::trophyPanel, Is<ZOV::TROFEI_PANEL>, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneWindows, TheLeaderBoardListsThePlayerAndTheScoreBoardTheProgressFile) {
  PreparePlayer(false);
  WriteProgress(playerDir);
  Load();
  scene->OnOffLiders();
  auto* leaders = dynamic_cast<GAME::LIDER_BOARD*>(scene->leaderBoard);
  ASSERT_NE(leaders, nullptr);
  EXPECT_EQ(leaders->Entries().size(), 1u) << "the one player with a record";
  scene->OnOffLiders();
  EXPECT_EQ(scene->leaderBoard, nullptr);
  scene->OnOffScores();
  auto* scores = dynamic_cast<GAME::SCORE_BOARD*>(scene->scoreBoard);
  ASSERT_NE(scores, nullptr);
  ASSERT_EQ(scores->Rows().size(), 1u);
  EXPECT_EQ(scores->Rows()[0]->Record().score, 345);
  EXPECT_EQ(scores->Rows()[0]->Record().pieces, 12);
  EXPECT_EQ(scores->Rows()[0]->Record().minutes, 2);
  EXPECT_EQ(scores->Rows()[0]->Record().seconds, 5);
}

// ---- the modal order: settings, then the player dialog and the help and
// quit windows (test_puzzle.cpp), then leader board, score board, trophies.

TEST_F(SceneWindows, OnlyTheHighestOpenWindowIsServed) {
  Load();
  JST::ST* Puzzle::*const order[] = {&Puzzle::settingsWindow, &Puzzle::leaderBoard, &Puzzle::scoreBoard,
                                     &Puzzle::trophyPanel};
  const int n = int(std::size(order));
  for (int hi = 0; hi < n; ++hi) {
    for (int lo = hi + 1; lo < n; ++lo) {
      int upper = 0, lower = 0;
      scene->*order[hi] = new FakeWindow(0, &upper);
      scene->*order[lo] = new FakeWindow(0, &lower);
      player->Frame();
      EXPECT_EQ(upper, 1) << hi << " over " << lo;
      EXPECT_EQ(lower, 0) << hi << " over " << lo;
      for (int s : {hi, lo}) {
        delete (scene->*order[s]);
        scene->*order[s] = nullptr;
      }
    }
  }
}

// ---- the settings' previews come from the window; Cancel undoes them

struct CursorCase {
  const char* name;
  int key;
  bool kept;
};

class SceneSettingsCursor : public SceneWindows, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(SceneSettingsCursor, TheCursorBoxPreviewsAtOnceAndOnlyOkKeepsIt) {
  const CursorCase c = GetParam();
  PreparePlayer(false);
  Load();
  GAME::PUZZLE_PLAYER_PROFILE* record = scene->profile->GetSettings();
  const bool was = record->Cursor;
  auto shown = [](bool game) { return game ? 0xFFFFFFFFu : 0u; };
  ASSERT_EQ(Mouse->GetColor(), shown(was));
  Click(scene->buttonOptions);
  auto* settings = dynamic_cast<GAME::PUZZLE_SETTINGS*>(scene->settingsWindow);
  ASSERT_NE(settings, nullptr);
  Click(&settings->CursorBox());
  ASSERT_EQ(scene->settingsWindow, settings);
  EXPECT_EQ(settings->GetCursorState(), !was);
  EXPECT_EQ(record->Cursor, was) << "the record waits for OK";
  EXPECT_EQ(Mouse->GetColor(), shown(!was)) << "the cursor shown from the window's copy";
  Key(c.key);
  EXPECT_EQ(scene->settingsWindow, nullptr);
  const bool now = c.kept ? !was : was;
  EXPECT_EQ(record->Cursor, now);
  EXPECT_EQ(Mouse->GetColor(), shown(now));
  // What reached the disk: a new profile reads the stored record.
  GAME::PROFILE reread(nullptr, game_);
  EXPECT_EQ(reread.GetSettings()->Cursor, now);
}

INSTANTIATE_TEST_SUITE_P(Answers, SceneSettingsCursor,
                         ::testing::Values(CursorCase{"Ok", kEnter, true}, CursorCase{"Cancel", kEscape, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneWindows, ANewModeIsNotStoredFromTheSettingsCodeMinus15) {
  PreparePlayer(false);
  Load();
  GAME::PUZZLE_PLAYER_PROFILE* record = scene->profile->GetSettings();
  // A window that has just applied another size and waits for it to be
  // kept: the record holds the size, the disk must not.
  record->screen = ZOV::JENUM::SCREEN_1920X1080;
  scene->settingsWindow = new FakeWindow(-15);
  player->Frame();
  EXPECT_EQ(scene->screenWidth, 1920) << "applied at once";
  {
    GAME::PROFILE reread(nullptr, game_);
    EXPECT_EQ(reread.GetSettings()->screen, ZOV::JENUM::SCREEN_1024X768) << "the stored size unchanged";
  }
  delete scene->settingsWindow;
  scene->settingsWindow = new FakeWindow(1);
  player->Frame();
  GAME::PROFILE reread(nullptr, game_);
  EXPECT_EQ(reread.GetSettings()->screen, ZOV::JENUM::SCREEN_1920X1080) << "kept once the window closes";
}

// The resolution window inside the settings: a full-screen switch applied
// for the confirmation reaches the disk only once the player keeps it.
struct ModeCase {
  const char* name;
  bool keep;
};

class SceneResolution : public SceneWindows, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SceneResolution, AModeWaitingForConfirmationIsNotStored) {
  const ModeCase c = GetParam();
  PreparePlayer(false);
  Load();
  GAME::PUZZLE_PLAYER_PROFILE* record = scene->profile->GetSettings();
  ASSERT_FALSE(record->Full);
  auto stored = [&] { return GAME::PROFILE(nullptr, game_).GetSettings()->Full; };
  Click(scene->buttonOptions);
  auto* settings = dynamic_cast<GAME::PUZZLE_SETTINGS*>(scene->settingsWindow);
  ASSERT_NE(settings, nullptr);
  Click(&settings->ResolutionButton());
  const GAME::PUZZLE_RESOLUTION* resolution = settings->Resolution();
  ASSERT_NE(resolution, nullptr);
  Click(&resolution->FullScreenBox().Box());
  ASSERT_TRUE(record->Full);
  Click(&resolution->OkButton());
  ASSERT_TRUE(resolution->Confirming());
  EXPECT_FALSE(stored()) << "not kept yet";
  player->Frames(3);
  EXPECT_FALSE(stored()) << "not kept yet";
  const APPLY_RESOLUTION* confirm = resolution->Confirmation();
  Click(c.keep ? &confirm->OkButton() : &confirm->CancelButton());
  EXPECT_EQ(record->Full, c.keep);
  EXPECT_FALSE(stored()) << "nothing stored before the settings close";
  // A revert leaves the resolution window open: its Cancel closes it.
  if (settings->Resolution()) Key(kEscape);
  ASSERT_EQ(settings->Resolution(), nullptr);
  Key(kEnter);
  ASSERT_EQ(scene->settingsWindow, nullptr);
  EXPECT_EQ(record->Full, c.keep);
  EXPECT_EQ(stored(), c.keep);
}

INSTANTIATE_TEST_SUITE_P(Answers, SceneResolution,
                         ::testing::Values(ModeCase{"Kept", true}, ModeCase{"Reverted", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the in-game options

class SceneOptions : public SceneWindows {
 protected:
  void Play() {
    PreparePlayer(false);
    WriteCatalogue({{Picture("01"), Picture("02")}});
    Load();
    Key(kEnter);
    ASSERT_TRUE(WaitForPlay());
    record = scene->profile->GetSettings();
    Click(scene->playPanel->Button(PLAY_PANEL::kSettings));
    options = dynamic_cast<GAME::PUZZLE_OPTIONS_GAME*>(scene->optionsWindow);
    ASSERT_NE(options, nullptr);
    // A swatch of another colour than the record's.
    const GAME::CHOICE_COLOR& row = options->ColorRow();
    for (int i = 0; i < GAME::CHOICE_COLOR::kSwatches && options->GetColor() == record->Color; ++i) {
      Click(&row.Swatch(i));
    }
    ASSERT_NE(options->GetColor(), record->Color);
    picked = uint32_t(options->GetColor());
    EXPECT_EQ(scene->board->Background()->GetColor(), picked) << "the board shows the window's colour";
  }
  GAME::PUZZLE_PLAYER_PROFILE* record = nullptr;
  GAME::PUZZLE_OPTIONS_GAME* options = nullptr;
  uint32_t picked = 0;
};

TEST_F(SceneOptions, TheToolClickedAgainCancelsAndRestoresTheBoardColour) {
  Play();
  const int before = record->Color;
  Click(scene->playPanel->Button(PLAY_PANEL::kSettings));
  EXPECT_EQ(scene->optionsWindow, nullptr);
  EXPECT_EQ(record->Color, before);
  EXPECT_EQ(scene->board->Background()->GetColor(), uint32_t(before));
  EXPECT_EQ(scene->state, Puzzle::kPlay);
}

TEST_F(SceneOptions, EnterKeepsThePickedColour) {
  Play();
  Key(kEnter);
  EXPECT_EQ(scene->optionsWindow, nullptr);
  EXPECT_EQ(uint32_t(record->Color), picked);
  EXPECT_EQ(scene->board->Background()->GetColor(), picked);
  GAME::PROFILE reread(nullptr, game_);
  EXPECT_EQ(uint32_t(reread.GetSettings()->Color), picked);
}

// ---- a finished board reaches the progress file once and the score board

TEST_F(SceneWindows, AFinishedBoardIsAppendedOnceAndListedOnTheScoreBoard) {
  PreparePlayer(false);
  C_NAME_PACK_IMAGE_SMAL = nullptr;
  C_NAME_PACK_IMAGE_PREV = nullptr;
  drawtest::WriteImage("small.png", 400, 300, 0xFF3366AAu);
  drawtest::WriteImage("small_thumb.png", 400, 300, 0xFF3366AAu);
  WriteCatalogue({{"<p adrSm=\"small_thumb.png\" amount=\"12\" rot=\"false\" adrFm=\"small.png\"/>"}});
  Load();
  ASSERT_FALSE(scene->buttonScores->active);
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  WaitForRest();
  Board& b = *scene->board;
  ASSERT_EQ(b.gridOrder.size(), 12u);
  const GAME::PUZZLE_PIECES* anchor = b.gridOrder[0];
  ASSERT_TRUE(player->DragPieceTo(b, anchor, 150, 130));
  player->Frames(2);
  for (size_t k = 1; k < b.gridOrder.size(); ++k) {
    const GAME::PUZZLE_PIECES* p = b.gridOrder[k];
    ASSERT_TRUE(player->DragPieceTo(b, p, int(std::lround(anchor->pos.x)) + anchor->cellW * p->column,
                                    int(std::lround(anchor->pos.y)) + anchor->cellH * p->row))
        << k;
    player->Frames(2);
  }
  const std::string path = playerDir + "Progress.xml";
  ASSERT_TRUE(FramesUntil([&] { return fs::exists(path); }, 900)) << "the sparkles end and the board answers 54";
  const int score = b.regSc;
  player->Frames(10);
  // A second report of the same finish appends nothing.
  scene->SaveComplitePuzzle();
  const std::string text = ReadAll(path);
  EXPECT_EQ(Count(text, "<element"), 1u) << text;
  EXPECT_NE(text.find("face=\"small_thumb.png\""), std::string::npos) << text;
  EXPECT_FALSE(scene->playPanel->IsActive());
  EXPECT_TRUE(scene->buttonScores->active);
  // The win dialog's OK: back to the menu, where the score board lists it.
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_TRUE(scene->buttonScores->active);
  Click(scene->buttonScores);
  auto* scores = dynamic_cast<GAME::SCORE_BOARD*>(scene->scoreBoard);
  ASSERT_NE(scores, nullptr);
  ASSERT_EQ(scores->Rows().size(), 1u);
  EXPECT_EQ(scores->Rows()[0]->Record().score, score);
  EXPECT_EQ(scores->Rows()[0]->Record().pieces, 12);
}

}  // namespace
}  // namespace scenetest
