// The scene manager on the recording backend, built by the real loader from
// the built packs and driven through the window procedure: the first frame,
// the layout, the modal priority and each window's codes, one input acting
// once, and the ways into and out of a puzzle with what they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/slider.h"
#include "tests/support/draw_record.h"
#include "tests/support/puzzle_env.h"
#include "tests/support/text_record.h"

namespace scenetest {
namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Puzzle = GAME::PUZZLE;

constexpr int kEnter = 13, kEscape = 27;

class SceneManager : public PuzzleEnv {};

// ---- the first frame and the layout

TEST_F(SceneManager, FirstFrameAppliesThePreferencesAndClosesThePlaceholder) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  EXPECT_EQ(scene->settingsWindow, nullptr);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->category, 1);
  EXPECT_EQ(scene->screenRes, ZOV::JENUM::SCREEN_1024X768);
  EXPECT_EQ(scene->dataDir, "DATA/puzzles/low/");
  ASSERT_EQ(scene->groups.size(), 1u);
  EXPECT_EQ(GAME::PUZZLE_PACK_COUNT, 1);
  EXPECT_FALSE(scene->hasSaves);
  EXPECT_FALSE(scene->book->SavesShown());
  EXPECT_FALSE(scene->buttonScores->active) << "no progress file yet";
  EXPECT_TRUE(scene->buttonCut->active);
}

struct LayoutCase {
  int code, w, h;
};

class SceneLayout : public PuzzleEnv, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(SceneLayout, MenuButtonsStandInOneRowWithoutOverlapAndCornersInTheCorners) {
  const LayoutCase c = GetParam();
  Load();
  scene->profile->GetSettings()->screen = c.code;
  scene->SetPrefences();
  ASSERT_EQ(scene->screenWidth, c.w);
  ASSERT_EQ(scene->screenHeight, c.h);
  const BUTTONACT* row[] = {scene->buttonTrophies, scene->buttonLeaders, scene->buttonScores, scene->buttonPlay,
                            scene->buttonCut,      scene->buttonOptions, scene->buttonExit};
  EXPECT_EQ(int(scene->buttonPlay->position.x), c.w / 2);
  const int frame = ZOV::FrameWidth(*scene->buttonPlay);
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(row[i]->position.y, scene->buttonPlay->position.y) << i;
    EXPECT_GT(row[i]->position.y, c.h - 100) << "on the bottom panel";
    EXPECT_GE(row[i]->position.x - frame / 2, 0) << i;
    EXPECT_LE(row[i]->position.x + frame / 2, c.w) << i;
    if (i > 0) {
      EXPECT_GE(row[i]->position.x - row[i - 1]->position.x, frame) << "buttons " << i - 1 << " and " << i;
    }
  }
  EXPECT_EQ(scene->menuLeftCorner->position.x, 0);
  EXPECT_EQ(scene->menuLeftCorner->position.y, c.h);
  EXPECT_EQ(scene->menuRightCorner->position.x, c.w);
  EXPECT_EQ(scene->menuRightCorner->position.y, c.h);
  EXPECT_EQ(scene->upperPanel->position.x, c.w / 2);
  EXPECT_EQ(scene->menuBackground->position.x, c.w / 2);
  EXPECT_EQ(scene->menuBackground->position.y, c.h / 2);
  EXPECT_EQ(scene->book->X1(), int(BOOKOPTSIZEULX * float(c.w)));
  EXPECT_EQ(scene->category, 1) << "a preferences pass shows the first chapter";
}

INSTANTIATE_TEST_SUITE_P(Sizes, SceneLayout,
                         ::testing::Values(LayoutCase{ZOV::JENUM::SCREEN_1024X768, 1024, 768},
                                           LayoutCase{ZOV::JENUM::SCREEN_1920X1080, 1920, 1080}),
                         [](const auto& info) { return std::to_string(info.param.w) + "x" + std::to_string(info.param.h); });

// ---- the modal priority: the first open window in this order takes the
// frame, and nothing below it answers Enter.

struct PriorityCase {
  const char* name;
  JST::ST* Puzzle::*slot;
};

class ScenePriority : public PuzzleEnv, public ::testing::WithParamInterface<PriorityCase> {};

TEST_P(ScenePriority, AnOpenWindowTakesEnterFromEverythingBelowIt) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  int updates = 0, below = 0;
  scene->*(GetParam().slot) = new FakeWindow(0, &updates);
  // The lowest of the stand-in windows sits under every other one.
  if (GetParam().slot != &Puzzle::trophyPanel) scene->trophyPanel = new FakeWindow(0, &below);
  Key(kEnter);
  EXPECT_EQ(updates, 2);
  EXPECT_EQ(below, 0);
  EXPECT_EQ(scene->state, Puzzle::kMenu) << "Enter started nothing";
  EXPECT_EQ(scene->board, nullptr);
  // -1 closes each of these (the settings window's -1 is its Cancel).
  delete (scene->*(GetParam().slot));
  scene->*(GetParam().slot) = new FakeWindow(-1);
  player->Frame();
  EXPECT_EQ(scene->*(GetParam().slot), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Slots, ScenePriority,
                         ::testing::Values(PriorityCase{"Settings", &Puzzle::settingsWindow},
                                           PriorityCase{"LeaderBoard", &Puzzle::leaderBoard},
                                           PriorityCase{"ScoreBoard", &Puzzle::scoreBoard},
                                           PriorityCase{"TrophyWindow", &Puzzle::trophyPanel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneManager, SettingsCodesOtherThanCloseKeepTheWindow) {
  Load();
  for (int code : {0, 3, 5, 6, 7, 8}) {
    scene->settingsWindow = new FakeWindow(code);
    player->Frame();
    EXPECT_NE(scene->settingsWindow, nullptr) << code;
    delete scene->settingsWindow;
    scene->settingsWindow = nullptr;
  }
  scene->settingsWindow = new FakeWindow(1);
  player->Frame();
  EXPECT_EQ(scene->settingsWindow, nullptr);
}

TEST_F(SceneManager, TheQuitQuestionComesBeforeTheBoardsAndItsYesEndsTheGameAlone) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEscape);
  ASSERT_NE(scene->quitQuestion, nullptr);
  int below = 0;
  scene->leaderBoard = new FakeWindow(0, &below);
  ::testing::internal::CaptureStdout();
  player->Post(plat::WM_KEYDOWN, kEnter);
  player->Frame();
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(below, 0) << "the question took the frame";
  EXPECT_EQ(scene->quitQuestion, nullptr);
  EXPECT_EQ(game_->running, 0) << "yes in the menu ends the game";
  EXPECT_EQ(out.find("PUZZLE::StartNow()"), std::string::npos) << "the same Enter starts nothing";
  EXPECT_EQ(scene->board, nullptr);
}

TEST_F(SceneManager, TheQuitQuestionsNoClosesItAndTheMenuGoesOn) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEscape);
  ASSERT_NE(scene->quitQuestion, nullptr);
  Key(kEscape);
  EXPECT_EQ(scene->quitQuestion, nullptr);
  EXPECT_EQ(game_->running, 1);
}

TEST_F(SceneManager, ThePlayerDialogTakesTheFrame) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Click(scene->upperPanel);
  ASSERT_TRUE(scene->profile->IsDialogOpen());
  Key(kEnter);
  EXPECT_EQ(scene->board, nullptr) << "Enter belongs to the dialog";
  EXPECT_EQ(scene->state, Puzzle::kMenu);
}

// ---- one input acts once

TEST_F(SceneManager, ADoubleClickAndEnterInOneFrameStartOnePuzzle) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  const FRAME* first = scene->groups[0]->frames[0];
  player->MoveMouse(int(first->position.x), int(first->position.y));
  player->Frame();
  ::testing::internal::CaptureStdout();
  player->Post(plat::WM_LBUTTONDBLCLK);
  player->Post(plat::WM_KEYDOWN, kEnter);
  player->Frame();
  player->Post(plat::WM_KEYUP, kEnter);
  player->Frame();
  const std::string out = ::testing::internal::GetCapturedStdout();
  size_t n = 0;
  for (size_t at = out.find("PUZZLE::StartNow()"); at != std::string::npos; at = out.find("PUZZLE::StartNow()", at + 1))
    ++n;
  EXPECT_EQ(n, 1u) << out;
  EXPECT_EQ(scene->state, Puzzle::kPlay);
  // Enter comes first in the menu: the selected picture (the second).
  EXPECT_EQ(scene->imagePath, "p1_02.jpg");
}

TEST_F(SceneManager, ADoubleClickStartsThePictureClicked) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  const FRAME* first = scene->groups[0]->frames[0];
  player->MoveMouse(int(first->position.x), int(first->position.y));
  player->Frame();
  player->Post(plat::WM_LBUTTONDBLCLK);
  player->Frame();
  EXPECT_EQ(scene->state, Puzzle::kPlay);
  EXPECT_EQ(scene->imagePath, "p1_01.jpg");
}

TEST_F(SceneManager, OneClickOnAThumbnailOnlySelectsIt) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  EXPECT_EQ(scene->groups[0]->selected, 1) << "a fresh chapter selects its second picture";
  Click(scene->groups[0]->frames[0]);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->groups[0]->selected, 0);
  Key(kEnter);
  EXPECT_EQ(scene->imagePath, "p1_01.jpg");
}

TEST_F(SceneManager, TheExitButtonAndEscapeInOneFrameAskOnce) {
  Load();
  player->MoveMouse(int(scene->buttonExit->position.x), int(scene->buttonExit->position.y));
  player->Frame();
  player->Post(plat::WM_LBUTTONDOWN);
  player->Frame();
  player->Post(plat::WM_LBUTTONUP);
  player->Post(plat::WM_KEYDOWN, kEscape);
  player->Frame();
  ASSERT_NE(scene->quitQuestion, nullptr);
  const PUZZLE_QUIT_QUEST* asked = scene->quitQuestion;
  player->Post(plat::WM_KEYUP, kEscape);
  player->Frame();
  EXPECT_EQ(scene->quitQuestion, asked) << "still the one question, open";
}

// ---- starting

TEST_F(SceneManager, WithoutACatalogueCutAndEnterStayInTheMenu) {
  Load();
  ASSERT_TRUE(scene->groups.empty());
  Click(scene->buttonCut);
  Key(kEnter);
  Click(scene->buttonPlay);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->board, nullptr);
  EXPECT_EQ(scene->setupStrip, nullptr);
}

TEST_F(SceneManager, AnEmptyChapterStartsNothing) {
  WriteCatalogue({{}, {Picture("01")}});
  Load();
  Click(scene->buttonCut);
  Key(kEnter);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->board, nullptr);
  EXPECT_EQ(scene->setupStrip, nullptr);
}

TEST_F(SceneManager, AOnePictureChapterPlaysItWithItsPiecesAlongTheShorterSide) {
  WriteCatalogue({{Picture("01", 12)}});
  Load();
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kPlay);
  ASSERT_NE(scene->board, nullptr);
  ASSERT_NE(scene->playPanel, nullptr);
  EXPECT_EQ(scene->board->Min, 3) << "12 pieces of a 4:3 picture: 3 along the shorter side";
  ASSERT_TRUE(WaitForPlay());
  EXPECT_EQ(scene->board->cols * scene->board->rows, 12);
  EXPECT_EQ(scene->playPanel->position.x, 512);
  EXPECT_EQ(scene->playPanel->position.y, 734) << "its 64-pixel tools end 2 pixels above the foot";
  EXPECT_EQ(scene->faqWindow, nullptr) << "the help flag is off";
}

// ---- the set-up strip

struct StripCase {
  const char* name;
  int key;
  int state;
  bool board;
};

class SceneStrip : public PuzzleEnv, public ::testing::WithParamInterface<StripCase> {};

TEST_P(SceneStrip, OkAndCancelCloseTheStrip) {
  const StripCase c = GetParam();
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Click(scene->buttonCut);
  ASSERT_EQ(scene->state, Puzzle::kSetup);
  ASSERT_NE(scene->setupStrip, nullptr);
  ASSERT_NE(scene->board, nullptr);
  EXPECT_EQ(scene->board->state, Board::kStateSetup);
  Key(c.key);
  EXPECT_EQ(scene->setupStrip, nullptr);
  EXPECT_EQ(scene->state, c.state);
  EXPECT_EQ(scene->board != nullptr, c.board);
  // A second visit makes a new strip in the empty slot.
  if (c.state == Puzzle::kMenu) {
    Click(scene->buttonCut);
    EXPECT_NE(scene->setupStrip, nullptr);
  }
}

// The count under the slider is the preview's whole number of pieces: a
// 4:3 picture cut 4 along its shorter side is 4 x 5 = 20 pieces, not 4 x 4.
TEST_F(SceneManager, TheStripsCountIsThePreviewsPiecesOfANonSquarePicture) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  // The strip draws with a font whose drawn text reads back.
  texttest::WriteFont("count.fnt");
  ZOV::JFONT readable("count.fnt", 0);
  struct Restore {
    ZOV::JFONT* font = comix;
    char* text = chTEXT_IMG_CHANGE_SCREEN_COUNT;
    ~Restore() {
      comix = font;
      chTEXT_IMG_CHANGE_SCREEN_COUNT = text;
    }
  } restore;
  comix = &readable;
  char format[] = "c%i";
  chTEXT_IMG_CHANGE_SCREEN_COUNT = format;
  Click(scene->buttonCut);
  ASSERT_NE(scene->setupStrip, nullptr);
  const JBUTTONMAP4* plus = scene->setupStrip->CountSlider()->plus;
  ClickAt(int(plus->position.x), int(plus->position.y));
  player->Frames(2);
  EXPECT_EQ(scene->setupStrip->GetCount(), 4);
  plat::gfx::ClearRecorded();
  player->Frame();
  std::vector<std::string> texts;
  for (const texttest::Drawn& d : texttest::Texts(readable.page->GetTexture())) texts.push_back(d.text);
  EXPECT_NE(scene->board->rows, scene->board->cols);
  EXPECT_EQ(scene->board->rows * scene->board->cols, 20);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "c20"), texts.end()) << ::testing::PrintToString(texts);
  Key(kEscape);
  EXPECT_EQ(scene->setupStrip, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Answers, SceneStrip,
                         ::testing::Values(StripCase{"Ok", kEnter, Puzzle::kPlay, true},
                                           StripCase{"Cancel", kEscape, Puzzle::kMenu, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneManager, CtrlQInSetUpWritesNoSave) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Click(scene->buttonCut);
  ASSERT_EQ(scene->state, Puzzle::kSetup);
  CtrlQ();
  EXPECT_EQ(game_->running, 0);
  EXPECT_TRUE(Saves().empty());
}

// ---- leaving

TEST_F(SceneManager, LeavingWithScoreZeroWritesNothingAndClosesTheHiddenHelp) {
  PreparePlayer(true);
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kPlay);
  ASSERT_NE(scene->faqWindow, nullptr);
  EXPECT_FALSE(scene->faqWindow->shown) << "hidden for its first seconds";
  Key(kEscape);
  ASSERT_NE(scene->quitQuestion, nullptr);
  Key(kEnter);
  EXPECT_EQ(scene->state, Puzzle::kMenu) << "the question shown took the Enter, not the hidden help";
  EXPECT_EQ(scene->board, nullptr);
  EXPECT_EQ(scene->faqWindow, nullptr) << "no hidden help left to eat the next Enter";
  EXPECT_TRUE(Saves().empty());
  Key(kEnter);
  EXPECT_EQ(scene->state, Puzzle::kPlay) << "the next Enter starts a puzzle";
}

// Once the start help has closed, the player's first grab is a grab: the
// piece is picked and dragged, and the pocket's help opens when it is
// dropped.
TEST_F(SceneManager, TheFirstPickAfterTheStartHelpIsMadeAndThePocketHelpFollowsTheDrop) {
  PreparePlayer(true);
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(WaitForRest());
  ASSERT_TRUE(FramesUntil([&] { return scene->faqWindow && scene->faqWindow->shown; }));
  Key(kEnter);
  ASSERT_EQ(scene->faqWindow, nullptr);
  ASSERT_TRUE(scene->board->helpArmed);
  Board& b = *scene->board;
  const GAME::PUZZLE_PIECES* p = b.gridOrder[0];
  int x = 0, y = 0;
  ASSERT_TRUE(player->GrabPoint(b, p, &x, &y));
  const float x0 = p->pos.x;
  player->MoveMouse(x, y);
  player->Frame();
  player->Post(plat::WM_LBUTTONDOWN);
  player->Frame();
  EXPECT_EQ(scene->faqWindow, nullptr) << "the press picks; no help yet";
  for (int s = 1; s <= 6; ++s) {
    player->MoveMouse(x + 10 * s, y);
    player->Frame();
  }
  EXPECT_NEAR(p->pos.x, x0 + 60, 1.0f) << "the piece follows the pointer";
  player->Post(plat::WM_LBUTTONUP);
  player->Frames(3);
  ASSERT_NE(scene->faqWindow, nullptr) << "the pocket's help opens at the drop";
  EXPECT_EQ(scene->faqWindow->Mode(), FAQ_SCREEN::kPocket);
}

TEST_F(SceneManager, AHelpRequestReplacesAnOpenHelpWindow) {
  PreparePlayer(true);
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_NE(scene->faqWindow, nullptr);
  scene->OnOffFAQ(2);
  ASSERT_NE(scene->faqWindow, nullptr);
  EXPECT_EQ(scene->faqWindow->Mode(), FAQ_SCREEN::kPocket);
  EXPECT_FALSE(scene->profile->GetSettings()->Help);
  scene->OnOffFAQ(1);
  EXPECT_EQ(scene->faqWindow->Mode(), FAQ_SCREEN::kPocket) << "the help flag is spent";
}

TEST_F(SceneManager, SaveQuestionYesSavesAndTheSavesTabResumesIt) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  Key(kEscape);
  Key(kEnter);
  ASSERT_NE(scene->saveQuestion, nullptr) << "something was joined";
  Key(kEnter);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(Saves().size(), 1u);
  EXPECT_TRUE(scene->hasSaves);
  EXPECT_TRUE(scene->book->SavesShown());
  scene->ActivateButton(GAME::PUZZLE_BOOK::kSavesTab);
  EXPECT_EQ(scene->category, Puzzle::kSavesCategory);
  EXPECT_FALSE(scene->buttonCut->active);
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kPlay);
  EXPECT_EQ(scene->board->state, Board::kStatePlay);
  EXPECT_EQ(scene->board->regCg, 1);
  EXPECT_EQ(scene->faqWindow, nullptr);
}

TEST_F(SceneManager, ASaveGoneFromDiskLeavesTheMenuAsItWas) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  Key(kEscape);
  Key(kEnter);
  Key(kEnter);
  ASSERT_EQ(Saves().size(), 1u);
  fs::remove(playerDir + Saves()[0]);
  scene->ActivateButton(GAME::PUZZLE_BOOK::kSavesTab);
  Key(kEnter);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_EQ(scene->board, nullptr) << "the board of the failed resume is deleted";
}

TEST_F(SceneManager, SaveQuestionYesStaysInPlayWhenTheSaveFails) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  C_MAX_SAVES = 3;
  Load();
  // Every save number taken: the folder is full.
  for (int i = 0; i < 3; ++i) testenv::WriteFile(playerDir + std::to_string(i) + ".pzl", "x");
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  Key(kEscape);
  Key(kEnter);
  ASSERT_NE(scene->saveQuestion, nullptr);
  Key(kEnter);
  EXPECT_EQ(scene->lastSaveResult, Board::kSaveFolderFull);
  EXPECT_EQ(scene->state, Puzzle::kPlay) << "the puzzle is kept";
  ASSERT_NE(scene->board, nullptr);
  EXPECT_EQ(scene->board->regCg, 1);
  EXPECT_EQ(scene->saveQuestion, nullptr);
}

TEST_F(SceneManager, SaveQuestionNoLeavesWithoutSaving) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  Key(kEscape);
  Key(kEnter);
  ASSERT_NE(scene->saveQuestion, nullptr);
  Key(kEscape);
  EXPECT_EQ(scene->state, Puzzle::kMenu);
  EXPECT_TRUE(Saves().empty());
}

// At the frame rate of software drawing (13 frames a second, a frame of 80
// ms), a right click with no hold, pressed and released within one frame,
// turns the piece under the pointer, each time.
TEST_F(SceneManager, EveryQuickRightClickTurnsAPieceAtASlowFrameRate) {
  WriteCatalogue({{Picture("01", 12, true)}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(WaitForRest());
  game_->timer.SetDelta(0.08f);
  Board& b = *scene->board;
  ASSERT_TRUE(b.rotation);
  const GAME::PUZZLE_PIECES* p = b.gridOrder[0];
  // Clear of the pocket's corner and the play panel.
  ASSERT_TRUE(player->DragPieceTo(b, p, 512, 330));
  player->Frames(2);
  int turned = 0;
  for (int click = 0; click < 8; ++click) {
    int x = 0, y = 0;
    ASSERT_TRUE(player->GrabPoint(b, p, &x, &y));
    const int before = p->rotation;
    player->RightClick(x, y);
    ASSERT_TRUE(FramesUntil([&] { return p->turnProgress <= 0.0f; }, 60));
    if (p->rotation != before) ++turned;
  }
  EXPECT_EQ(turned, 8);
}

// The tip boxes of `button` among the screen's quads recorded since the
// last ClearRecorded.
int RecordedTipBoxes(const BUTTONACT& button) {
  int n = 0;
  for (const drawtest::Quad& q : drawtest::QuadsOf(0)) n += q.color == button.tipBoxColor ? 1 : 0;
  return n;
}

// A menu button's tip goes with the pointer: once the button's window has
// opened over the menu, its tip is no longer drawn.
TEST_F(SceneManager, AMenuButtonsTipDoesNotStayUnderTheWindowItOpened) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  const BUTTONACT* options = scene->buttonOptions;
  auto tipBoxes = [&] {
    plat::gfx::ClearRecorded();
    player->Frame();
    return RecordedTipBoxes(*options);
  };
  player->MoveMouse(int(options->position.x), int(options->position.y));
  player->Frames(3);
  ASSERT_TRUE(options->tipShown);
  ASSERT_GT(tipBoxes(), 0) << "the tip shows while the pointer rests on the button";
  scene->SetMainOptions();
  ASSERT_NE(scene->settingsWindow, nullptr);
  player->MoveMouse(5, 5);
  EXPECT_EQ(tipBoxes(), 0);
  EXPECT_EQ(tipBoxes(), 0);
  // Nor in the frames that close the window, the pointer elsewhere.
  plat::gfx::ClearRecorded();
  Key(kEscape);
  ASSERT_EQ(scene->settingsWindow, nullptr);
  EXPECT_EQ(RecordedTipBoxes(*options), 0) << "in the frames that closed the window";
  EXPECT_EQ(tipBoxes(), 0);
}

// The same in play: the tip of the panel's tool that opened a window (the
// options, the door's question) is not drawn under that window once the
// pointer has left the tool, nor in the first frame after the window
// closes with the pointer elsewhere.
TEST_F(SceneManager, APanelToolsTipDoesNotStayUnderTheWindowItOpened) {
  struct Case {
    const char* name;
    int tool;
    std::function<void(GAME::PUZZLE&)> open;
    std::function<bool(const GAME::PUZZLE&)> shown;
    int closeKey;
  };
  const Case cases[] = {
      {"options", PLAY_PANEL::kSettings, [](GAME::PUZZLE& s) { s.LevelOptOnOff(); },
       [](const GAME::PUZZLE& s) { return s.optionsWindow != nullptr; }, kEscape},
      {"quit question", PLAY_PANEL::kExit, [](GAME::PUZZLE& s) { s.OnPuzzleExit(); },
       [](const GAME::PUZZLE& s) { return s.quitQuestion != nullptr; }, kEscape},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteCatalogue({{Picture("01"), Picture("02")}});
    Load();
    Key(kEnter);
    ASSERT_TRUE(WaitForPlay());
    const BUTTONACT* tool = scene->playPanel->Button(c.tool);
    ASSERT_NE(tool, nullptr);
    auto tipBoxes = [&] {
      plat::gfx::ClearRecorded();
      player->Frame();
      return RecordedTipBoxes(*tool);
    };
    player->MoveMouse(int(tool->position.x), int(tool->position.y));
    player->Frames(3);
    ASSERT_TRUE(tool->tipShown);
    ASSERT_GT(tipBoxes(), 0) << "the tip shows while the pointer rests on the tool";
    c.open(*scene);
    ASSERT_TRUE(c.shown(*scene));
    player->MoveMouse(scene->screenWidth / 2, scene->screenHeight / 2 + 150);
    EXPECT_EQ(tipBoxes(), 0) << "while the window is open";
    EXPECT_EQ(tipBoxes(), 0) << "while the window is open";
    plat::gfx::ClearRecorded();
    Key(c.closeKey);
    ASSERT_FALSE(c.shown(*scene));
    EXPECT_EQ(RecordedTipBoxes(*tool), 0) << "in the frames that closed the window";
    EXPECT_EQ(tipBoxes(), 0) << "after the window closed";
    Unload();
  }
}

// Every way out of a puzzle forgets the mouse: a button held down across
// the change of screen does not act on the menu.
TEST_F(SceneManager, LeavingAPuzzleDropsTheMouse) {
  enum Path { kQuitNothingJoined, kSaveYes, kSaveNo };
  for (Path path : {kQuitNothingJoined, kSaveYes, kSaveNo}) {
    SCOPED_TRACE(int(path));
    WriteCatalogue({{Picture("01"), Picture("02")}});
    Load();
    Key(kEnter);
    ASSERT_TRUE(WaitForPlay());
    if (path != kQuitNothingJoined) {
      ASSERT_TRUE(JoinFirstTwo());
    }
    Key(kEscape);
    if (path != kQuitNothingJoined) {
      Key(kEnter);
      ASSERT_NE(scene->saveQuestion, nullptr);
    }
    // Held over empty table, away from every button, while the last key
    // is pressed.
    player->MoveMouse(980, 300);
    player->Post(plat::WM_LBUTTONDOWN);
    player->Post(plat::WM_RBUTTONDOWN);
    player->Frames(3);
    ASSERT_GT(game_->input.Lkm(), 1);
    Key(path == kSaveNo ? kEscape : kEnter);
    ASSERT_EQ(scene->state, Puzzle::kMenu);
    EXPECT_EQ(game_->input.Lkm(), 0);
    EXPECT_EQ(game_->input.Rkm(), 0);
    player->Post(plat::WM_LBUTTONUP);
    player->Post(plat::WM_RBUTTONUP);
    player->Frames(2);
    Unload();
  }
}

struct CloseCase {
  const char* name;
  bool ctrlQ;
};

class SceneClose : public PuzzleEnv, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(SceneClose, EndingTheGameInPlaySavesAPuzzleThatResumesExactly) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  std::vector<std::pair<float, float>> where;
  for (const GAME::PUZZLE_PIECES* p : scene->board->gridOrder) where.push_back({p->pos.x, p->pos.y});
  if (GetParam().ctrlQ) {
    CtrlQ();
  } else {
    player->Post(plat::WM_CLOSE);
    player->Frame();
  }
  EXPECT_EQ(game_->running, 0);
  ASSERT_EQ(Saves().size(), 1u);
  // The next run finds the save and resumes it.
  Unload();
  Load();
  ASSERT_TRUE(scene->hasSaves);
  scene->ActivateButton(GAME::PUZZLE_BOOK::kSavesTab);
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kPlay);
  ASSERT_EQ(scene->board->gridOrder.size(), where.size());
  EXPECT_EQ(scene->board->regCg, 1);
  for (size_t i = 0; i < where.size(); ++i) {
    EXPECT_NEAR(scene->board->gridOrder[i]->pos.x, where[i].first, 1.0f) << i;
    EXPECT_NEAR(scene->board->gridOrder[i]->pos.y, where[i].second, 1.0f) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Ways, SceneClose,
                         ::testing::Values(CloseCase{"WindowClosed", false}, CloseCase{"CtrlQ", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneManager, AReplayCutsTheSamePictureFromItsPackWithTheOldOptionsAndEveryToolReleased) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  Board& old = *scene->board;
  old.SetOptions(4, 0.25f, true, 1);
  const std::string pack = old.ImgPkAdr;
  scene->playPanel->PushButton(PLAY_PANEL::kMagnifier);
  scene->playPanel->Deactivate();
  scene->Replay();
  ASSERT_NE(scene->board, nullptr);
  const Board& b = *scene->board;
  EXPECT_EQ(scene->state, Puzzle::kPlay);
  EXPECT_EQ(b.state, Board::kStateSetup);
  EXPECT_EQ(b.Min, 4);
  EXPECT_FLOAT_EQ(b.distortion, 0.25f);
  EXPECT_TRUE(b.rotation);
  EXPECT_EQ(b.typeborder, 1);
  EXPECT_EQ(b.ImgAdr, "p1_02.jpg") << "Enter started the selected (second) picture";
  EXPECT_EQ(b.ImgSmAdr, "p1_02.png");
  EXPECT_EQ(b.ImgPkAdr, pack) << "read from the pictures' pack again";
  EXPECT_GT(b.Picture()->GetMyTexWidth(1), 8) << "the picture, not the 8 x 8 stand-in of a failed load";
  EXPECT_TRUE(scene->playPanel->IsActive());
  EXPECT_TRUE(scene->playPanel->Button(PLAY_PANEL::kMagnifier)->active) << "released";
  ASSERT_TRUE(WaitForPlay());
  EXPECT_EQ(scene->board->cols * scene->board->rows, 20) << "4 along the shorter side of a 4:3 picture";
}

// ---- the play panel's tools reach the board

struct ToolCase {
  const char* name;
  int code;
  bool (*on)(const Board&);  // the tool's effect on the board
  bool pushed;               // the tool's button shows pushed afterwards
};

class SceneTool : public PuzzleEnv, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(SceneTool, ItsClickActsOnTheBoardAndShowsOnItsButton) {
  const ToolCase c = GetParam();
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  WaitForRest();
  ASSERT_FALSE(c.on(*scene->board));
  Click(scene->playPanel->Button(c.code));
  EXPECT_TRUE(c.on(*scene->board));
  EXPECT_EQ(!scene->playPanel->Button(c.code)->active, c.pushed);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, SceneTool,
    ::testing::Values(
        ToolCase{"Hint", PLAY_PANEL::kHelp,
                 [](const Board& b) { return b.hintShown && b.regH == 1 && b.hintFirst.x >= 0 && b.hintSecond.x >= 0; },
                 true},
        ToolCase{"Sort", PLAY_PANEL::kSort,
                 [](const Board& b) {
                   // The top-left corner piece is sent to the play area's
                   // top-left corner, a cell inside it.
                   const GAME::PUZZLE_PIECES* corner = b.gridOrder[0];
                   return b.regGVN2 && corner->destination.x == b.clipTopLeft.x + corner->cellW &&
                          corner->destination.y == b.clipTopLeft.y + corner->cellW;
                 },
                 false},
        ToolCase{"EdgesOnly", PLAY_PANEL::kBorder, [](const Board& b) { return b.edgesOnly; }, true},
        ToolCase{"FadedPicture", PLAY_PANEL::kFrame, [](const Board& b) { return b.showFrame; }, true},
        ToolCase{"PreviewFrame", PLAY_PANEL::kFly, [](const Board& b) { return b.showLitleFrame; }, true},
        ToolCase{"Magnifier", PLAY_PANEL::kMagnifier, [](const Board& b) { return b.MagnifierOn(); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SceneManager, AnotherToolEndsTheHintAndReleasesItsTool) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  WaitForRest();
  Click(scene->playPanel->Button(PLAY_PANEL::kHelp));
  ASSERT_TRUE(scene->board->hintShown);
  ASSERT_FALSE(scene->playPanel->Button(PLAY_PANEL::kHelp)->active) << "pushed while the hint shows";
  Click(scene->playPanel->Button(PLAY_PANEL::kSort));
  EXPECT_FALSE(scene->board->hintShown);
  EXPECT_TRUE(scene->playPanel->Button(PLAY_PANEL::kHelp)->active) << "released with the hint";
}

TEST_F(SceneManager, CtrlQAfterTheLastJoinWritesNoSave) {
  // A small picture from the working folder, so that the whole puzzle fits
  // on the screen.
  C_NAME_PACK_IMAGE_SMAL = nullptr;
  C_NAME_PACK_IMAGE_PREV = nullptr;
  drawtest::WriteImage("small.png", 400, 300, 0xFF3366AAu);
  drawtest::WriteImage("small_thumb.png", 400, 300, 0xFF3366AAu);
  WriteCatalogue({{"<p adrSm=\"small_thumb.png\" amount=\"12\" rot=\"false\" adrFm=\"small.png\"/>"}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  WaitForRest();
  Board& b = *scene->board;
  ASSERT_EQ(b.gridOrder.size(), 12u);
  // The first piece to the upper left, every other one beside it.
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
  ASSERT_LT(b.regF, 2) << "solved";
  player->Frames(5);
  EXPECT_FALSE(scene->Savable());
  CtrlQ();
  EXPECT_EQ(game_->running, 0);
  EXPECT_TRUE(Saves().empty());
}

TEST_F(SceneManager, ClosingTheWindowBeforeAnyJoinWritesNothing) {
  WriteCatalogue({{Picture("01"), Picture("02")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  player->Post(plat::WM_CLOSE);
  player->Frame();
  EXPECT_EQ(game_->running, 0);
  EXPECT_TRUE(Saves().empty());
}

}  // namespace
}  // namespace scenetest
