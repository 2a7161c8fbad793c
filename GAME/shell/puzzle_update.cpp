// GAME::PUZZLE: the frame's dispatch (the modal priority) and what each
// source's result codes lead to.
//
//   source              code -> action
//   settings window     7 cursor; 1/-1 SetPrefences + SettingsOff; 5 music
//                       volume; 6 effect volume (each previewed from the
//                       window's getters); -15 SetPrefences without storing
//                       the record and the window laid out again; others
//                       nothing (frame ends)
//   player dialog       -6 busy (frame ends); -5 ReloadSaves + SetPrefences
//   help window         non-zero: help armed on the board, closed (ends);
//                       0 ends the frame only once the window was shown
//   quit question       0 ends; 1 SaveSettings, closed; in play: score 0
//                       leaves, else the save question opens (ends); in the
//                       menu: Off() (ends: one input acts once); -1 closed
//   leader/score board, trophy window: -1 closes it; always ends
//   save question       1 save (when a join was made) and leave; a failed
//                       save keeps the puzzle; -1 leave without saving
//   in-game options     8 board colour; 7 cursor; 1/-1 SetPrefences, colour
//                       from the record, closed; 5/6 volumes (ends); the
//                       options tool clicked again acts as -1
//   play panel          1/3/7 toggles pushed or released; 4 a hint, pushed
//                       while shown; 5 a toggle, and the band ends; 6 sort;
//                       2 quit question; 8 options; -3 only the hint off,
//                       the board waits
//   board               1 panel off; 54 progress file appended once; 2 replay; -8
//                       leave; 1007/1005/1004 release 7/5/4; 126 pocket help
//   set-up strip        -2 re-cut the preview; 1 play; -1 back to the menu
#include <algorithm>

#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/options_window.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/settings_window.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/trophy_window.h"
#include "GAME/ui/window_layout.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/cursor.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/particles.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {

namespace {

// A key is down from the frame it went down (1) while held (more); 0 is up
// and 0xFF released.
bool KeyDown(const ZOV::ST_INPUT& in, int vk) {
  const unsigned char k = in.Key(vk);
  return k != 0 && k != 0xFF;
}

// The cursor option: the system cursor or the game's sprite.
void ApplyCursor(ZOV::ST_GAME& game, bool gameCursor) {
  game.ShowCursor(!gameCursor);
  if (Mouse) Mouse->SetColor(gameCursor ? int(0xFFFFFFFFu) : 0);
}

// Whether the mouse is on the button's frame, the box its own Update tests.
bool OverButton(const ZOV::ST_INPUT& in, const JBUTTONMAP4& b) {
  return in.IsMouseInFrame(int(b.position.x - float(b.frame.x / 2)), int(b.position.y - float(b.frame.y / 2)),
                           b.frame.x, b.frame.y);
}

}  // namespace

int PUZZLE::Update(int, float) {
  UpdateFrame();
  return 0;
}

void PUZZLE::UpdateFrame() {
  ZOV::ST_INPUT& in = *input_;
  // 1. Ctrl+Q ends the game after this frame.
  if (KeyDown(in, kKeyCtrl) && KeyDown(in, kKeyQ)) GoodCloseGame();
  // 2 and 3. A click with the magnifier on only switches it off.
  const bool magnifier = board && board->MagnifierOn();
  if (in.Lkm() == 1) {
    if (blow) blow->ShootAt(30, in.GetMouseX(), in.GetMouseY());
    if (magnifier) {
      board->SetMagnifer();
      if (playPanel) playPanel->DropButton(PLAY_PANEL::kMagnifier);
      return;
    }
  }
  if (in.Rkm() == 1 && magnifier) {
    board->SetMagnifer();
    if (playPanel) playPanel->DropButton(PLAY_PANEL::kMagnifier);
    return;
  }
  // 4. The cursor's emitters.
  if (snow) {
    snow->SetPos(float(in.GetMouseX() + 16), float(in.GetMouseY() + 24));
    snow->Update(0, 0.0f);
  }
  if (blow) blow->Update(0, 0.0f);
  ForgetHoverUnderWindows();
  // 5 to 9: the modal windows in their priority.
  if (settingsWindow) {
    UpdateSettingsWindow();
    return;
  }
  const int p = profile->Update();
  if (p == PROFILE::kDialogOpen) return;
  if (p == PROFILE::kPlayerChanged) {
    ReloadSaves();
    SetPrefences();
  }
  // A help window not shown yet leaves the keys to a question on screen: an
  // invisible window must not take the Enter meant for the question.
  const bool questionShown = quitQuestion || saveQuestion;
  if (faqWindow && (faqWindow->shown || !questionShown) && UpdateHelpWindow()) return;
  if (quitQuestion && UpdateQuitQuestion()) return;
  if (UpdateBoardsAndTrophies()) return;
  // 10 to 12: the state's own input.
  if (state == kPlay && board) {
    UpdatePlay();
  } else if (state == kSetup && setupStrip) {
    UpdateSetup();
  } else {
    UpdateMenu();
  }
}

bool PUZZLE::WindowOverMenu() const {
  return settingsWindow || leaderBoard || scoreBoard || trophyPanel || quitQuestion;
}

bool PUZZLE::WindowOverPlay() const {
  return settingsWindow || optionsWindow || saveQuestion || quitQuestion || (faqWindow && faqWindow->shown);
}

void PUZZLE::ForgetHoverUnderWindows() {
  if (state == kPlay) {
    if (playPanel && WindowOverPlay()) playPanel->ForgetHover();
    return;
  }
  if (!WindowOverMenu()) return;
  for (BUTTONACT* b : MenuButtons())
    if (b) ForgetHover(*b);
}

bool PUZZLE::UpdateSettingsWindow() {
  const int r = settingsWindow->Update(0, 0.0f);
  // The preview values come from the window's working copies (the record
  // changes only on OK); the placeholder has none and answers only 1.
  const auto* settings = dynamic_cast<const PUZZLE_SETTINGS*>(settingsWindow);
  switch (r) {
    case PUZZLE_SETTINGS::kCursor:
      if (settings) ApplyCursor(*game_, settings->GetCursorState());
      break;
    case PUZZLE_SETTINGS::kOk:
    case PUZZLE_SETTINGS::kCancel:
      SetPrefences();
      SettingsOff();
      break;
    case PUZZLE_SETTINGS::kMusic:
      if (settings) SetVolumeMelody(settings->GetMusicVolume());
      break;
    case PUZZLE_SETTINGS::kSound:
      if (settings) SetVolume(settings->GetSoundVolume());
      break;
    case PUZZLE_SETTINGS::kApplyMode:
      // A mode applied for the confirmation, or reverted: never stored here.
      holdSave_ = true;
      SetPrefences();
      holdSave_ = false;
      if (settingsWindow) settingsWindow->Update(PUZZLE_SETTINGS::kRelayout, 0.0f);
      break;
    default: break;
  }
  return true;
}

bool PUZZLE::UpdateHelpWindow() {
  const int r = faqWindow->Update(0, 0.0f);
  if (r != 0) {
    if (board) board->helpArmed = true;
    CloseHelp();
    return true;
  }
  return faqWindow->shown;
}

bool PUZZLE::UpdateQuitQuestion() {
  const int r = quitQuestion->Update(0, 0.0f);
  if (r == YES_NO_QUESTION::kNothing) return true;
  if (r == YES_NO_QUESTION::kNo) {
    delete quitQuestion;
    quitQuestion = nullptr;
    return true;
  }
  if (r != YES_NO_QUESTION::kYes) return false;
  profile->SaveSettings();
  delete quitQuestion;
  quitQuestion = nullptr;
  if (state == kPlay && board) {
    if (board->regSc == 0) {
      LeavePuzzle("Puzzle quit -1");
    } else {
      PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
      delete saveQuestion;
      saveQuestion = new PUZZLE_SAVE_QUEST();
    }
    return true;
  }
  // In the menu the game ends after this frame, and nothing else answers
  // the same input.
  game_->Off();
  return true;
}

bool PUZZLE::UpdateBoardsAndTrophies() {
  if (leaderBoard) {
    if (leaderBoard->Update(0, 0.0f) == LIDER_BOARD::kClosed) OnOffLiders();
    return true;
  }
  if (scoreBoard) {
    if (scoreBoard->Update(0, 0.0f) == SCORE_BOARD::kClosed) OnOffScores();
    return true;
  }
  if (trophyPanel) {
    if (trophyPanel->Update(0, 0.0f) == ZOV::TROFEI_PANEL::kClosed) OnOffTrofeis();
    return true;
  }
  return false;
}

void PUZZLE::UpdatePlay() {
  if (saveQuestion && UpdateSaveQuestion()) return;
  if (optionsWindow && UpdateOptionsWindow()) return;
  const int b = playPanel ? playPanel->Update(0, 0.0f) : 0;
  if (b == 0) {
    ActOnBoard(board->Update(0, 0.0f));
    return;
  }
  // Any tool ends the hint, and the hint tool no longer shows pushed.
  const bool hinted = board->hintShown;
  board->HelpOff();
  if (hinted && playPanel) playPanel->DropButton(PLAY_PANEL::kHelp);
  ActOnPanel(b);
}

bool PUZZLE::UpdateSaveQuestion() {
  const int r = saveQuestion->Update(0, 0.0f);
  if (r == YES_NO_QUESTION::kNothing) return true;
  if (r == YES_NO_QUESTION::kYes) {
    if (board->regCg != 0) {
      lastSaveResult = board->SavePuzzleState(profile->GetPlayerDir(), screenRes);
      if (lastSaveResult == PUZZLE_PIECES_SYSTEM::kSaveFolderFull ||
          lastSaveResult == PUZZLE_PIECES_SYSTEM::kSaveFailed) {
        // Nothing was written: the puzzle stays in play, and the player is
        // told why.
        plat::PrintLine("Puzzle not saved " + std::to_string(lastSaveResult));
        delete saveQuestion;
        saveQuestion = nullptr;
        ZOV::ifile.ShowMessage(lastSaveResult == PUZZLE_PIECES_SYSTEM::kSaveFolderFull
                                   ? "The puzzle could not be saved: there is no room for another saved game."
                                   : "The puzzle could not be saved.",
                               "Error");
        return true;
      }
    }
    LeavePuzzle("Puzzle quit +1");
    ReloadSaves();
    return true;
  }
  if (r == YES_NO_QUESTION::kNo) {
    profile->SaveSettings();
    LeavePuzzle("Puzzle quit -1");
    return true;
  }
  return false;
}

bool PUZZLE::UpdateOptionsWindow() {
  // The options tool clicked again (pressed and released on it): the
  // window's Cancel. Acting on the release leaves the tool's button as its
  // own click would, so the same click does not open the window again.
  const BUTTONACT* tool = playPanel ? playPanel->Button(PLAY_PANEL::kSettings) : nullptr;
  const bool onTool = tool && OverButton(*input_, *tool);
  if (input_->Lkm() == 1) optionsToolPressed_ = onTool;
  if (input_->Lkm() == -1 && optionsToolPressed_) {
    optionsToolPressed_ = false;
    if (onTool) {
      ZOV::SoundRender(eButton);
      CloseOptions();
      return true;
    }
  }
  const int r = optionsWindow->Update(0, 0.0f);
  const auto* options = dynamic_cast<const PUZZLE_OPTIONS_GAME*>(optionsWindow);
  if (options) {
    if (r == PUZZLE_OPTIONS_GAME::kColor) board->SetColored(ZOV::JENUM::COLORS(options->GetColor()));
    if (r == PUZZLE_OPTIONS_GAME::kCursor) ApplyCursor(*game_, options->GetCursorState());
  }
  if (r == PUZZLE_OPTIONS_GAME::kOk || r == PUZZLE_OPTIONS_GAME::kCancel) {
    CloseOptions();
    return true;
  }
  if (options) {
    if (r == PUZZLE_OPTIONS_GAME::kMusic) SetVolumeMelody(options->GetMusicVolume());
    if (r == PUZZLE_OPTIONS_GAME::kSound) SetVolume(options->GetSoundVolume());
  }
  return true;
}

void PUZZLE::CloseOptions() {
  SetPrefences();
  board->SetColored(ZOV::JENUM::COLORS(profile->GetSettings()->Color));
  if (optionsWindow) LevelOptOnOff();
}

void PUZZLE::ActOnPanel(int code) {
  // A toggle's new state shows as its button pushed or released.
  auto show = [this](int c, bool on) {
    if (on)
      playPanel->PushButton(c);
    else
      playPanel->DropButton(c);
  };
  switch (code) {
    case PLAY_PANEL::kFrame: show(code, board->bShowFrame()); break;
    case PLAY_PANEL::kBorder: show(code, board->SetBorder()); break;
    case PLAY_PANEL::kMagnifier: show(code, board->SetMagnifer()); break;
    case PLAY_PANEL::kHelp: show(code, board->Help()); break;
    case PLAY_PANEL::kFly: {
      const bool on = board->bShowLitleFrame();
      show(code, on);
      if (on) board->bandActive = false;
      break;
    }
    case PLAY_PANEL::kSort: board->Sort(); break;
    case PLAY_PANEL::kExit: OnPuzzleExit(); break;
    case PLAY_PANEL::kSettings: LevelOptOnOff(); break;
    default: break;  // a tool held down: the board waits this frame
  }
}

void PUZZLE::ActOnBoard(int code) {
  switch (code) {
    case PUZZLE_PIECES_SYSTEM::kResultSolved:
      if (playPanel) playPanel->Deactivate();
      break;
    case PUZZLE_PIECES_SYSTEM::kResultLevelWon: SaveComplitePuzzle(); break;
    case PUZZLE_PIECES_SYSTEM::kResultWinOk: Replay(); break;
    case PUZZLE_PIECES_SYSTEM::kResultLeave:
      LeavePuzzle(nullptr);
      ReloadSaves();
      CheckScoreBoard();
      break;
    case PUZZLE_PIECES_SYSTEM::kResultMagnifierOff:
      if (playPanel) playPanel->DropButton(PLAY_PANEL::kMagnifier);
      break;
    case PUZZLE_PIECES_SYSTEM::kResultPreviewClosed:
      if (playPanel) playPanel->DropButton(PLAY_PANEL::kFly);
      break;
    case PUZZLE_PIECES_SYSTEM::kResultHintOff:
      if (playPanel) playPanel->DropButton(PLAY_PANEL::kHelp);
      break;
    case PUZZLE_PIECES_SYSTEM::kResultAskHelp: OnOffFAQ(2); break;
    default: break;
  }
}

void PUZZLE::UpdateSetup() {
  const int r = setupStrip->Update();
  if (r == PUZZLE_IMG_HCANGE_SCREEN::kChanged && board) {
    board->SetOptions(setupStrip->GetCount(), float(setupStrip->GetDistort()) / 100.0f, setupStrip->GetRotAccept(),
                      0);
    board->DrawGrid(0xFFFFFFFFul, 1, 0);
  } else if (r == PUZZLE_IMG_HCANGE_SCREEN::kOk) {
    CloseSetupStrip();
    if (!board) {
      state = kMenu;
      return;
    }
    state = kPlay;
    board->state = PUZZLE_PIECES_SYSTEM::kStateCutPending;
    InitPlayPanel();
    OnOffFAQ(1);
  } else if (r == PUZZLE_IMG_HCANGE_SCREEN::kCancel) {
    if (board) board->Exit();
    DeleteBoard();
    CloseSetupStrip();
    state = kMenu;
  }
}

std::vector<const void*> PUZZLE::MenuSnapshot() const {
  return {reinterpret_cast<const void*>(intptr_t(state)),
          board,
          setupStrip,
          settingsWindow,
          optionsWindow,
          leaderBoard,
          scoreBoard,
          trophyPanel,
          saveQuestion,
          quitQuestion,
          faqWindow,
          reinterpret_cast<const void*>(intptr_t(profile->IsDialogOpen())),
          reinterpret_cast<const void*>(intptr_t(game_->running))};
}

void PUZZLE::UpdateMenu() {
  ZOV::ST_INPUT& in = *input_;
  const std::vector<const void*> before = MenuSnapshot();
  // After an action that changed the scene, the rest of the menu does not
  // see the same input.
  auto acted = [&] { return MenuSnapshot() != before; };
  if (upperPanel->Update(0, 0.0f) != 0) {
    ZOV::SoundRender(eButton);
    profile->SaveSettings();
    profile->AddProfile();
    return;
  }
  buttonPlay->Update(0, 0.0f);
  if (acted()) return;
  if (buttonScores->Update(0, 0.0f) == 1 && buttonScores->active) {
    ZOV::SoundRender(eButton);
    OnOffScores();
    if (acted()) return;
  }
  if (buttonCut->active) {
    buttonCut->Update(0, 0.0f);
    if (acted()) return;
  }
  if (buttonLeaders->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(eButton);
    OnOffLiders();
    if (acted()) return;
  }
  if (TROFEI_ENABLE && buttonTrophies->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(eButton);
    OnOffTrofeis();
    if (acted()) return;
  }
  if (buttonOptions->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(eButton);
    SetMainOptions();
    if (acted()) return;
  }
  buttonExit->Update(0, 0.0f);
  if (acted()) return;
  if (KeyWentDown(in, plat::VK_ESCAPE)) {
    OnPuzzleExit();
    if (acted()) return;
  }
  if (KeyWentDown(in, plat::VK_RETURN)) {
    StartNow();
    if (acted()) return;
  }
  // A tab click acts through the tab's action (ActivateButton).
  book->Update();
  if (hasSaves && category == kSavesCategory && savePanel) {
    if (savePanel->Update() == PUZZLE_SAVEPANEL::kEmpty) ReloadSaves();
    return;
  }
  if (!groups.empty() && category >= 1 && category <= int(groups.size())) {
    if (groups[size_t(category - 1)]->Update() == FRAME_CHOISE_GROUP::kStart) StartNow();
  }
}

}  // namespace GAME
