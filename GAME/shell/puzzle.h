// GAME::PUZZLE: the scene manager, the one object that runs the game once
// loading has ended. It owns the main menu (the book with its gallery pages
// and the saved-games panel, the seven menu buttons, the player header),
// the set-up strip over its preview board, the board in play with its play
// panel, and every modal window; it is the only place where windows are
// opened, dispatched and closed.
//
// The loader thread builds the one instance under the lock (the maker
// MakePuzzle, registered with GAME::SetLoaderParts) and publishes it as the
// global `puzzle`; from then on everything runs on the main thread: Update
// once a frame (the update hook), Render in the main pass and PostRender in
// the overlay pass. The game never deletes it; tests do.
//
// States (`state`): kMenu 0, kSetup 1 (the strip over the preview board),
// kPlay 6. Every other value counts as the menu. A board exists exactly in
// kSetup and kPlay.
//
// Frame dispatch (puzzle_update.cpp), each step either ends the frame or
// goes on:
//   1 Ctrl+Q: GoodCloseGame (the frame goes on);
//   2 a left press bursts `blow`; with the magnifier on it only switches the
//     magnifier off (end); 3 a right press likewise (end);
//   4 `snow` follows the mouse;
//   5 the settings window (PUZZLE_FAKE on frame 1: applies the preferences
//     and lays everything out) (end);
//   6 the player dialog: busy ends the frame, a new player reloads;
//   7 the help window once shown (end);
//   8 the quit question;
//   9 leader board, else score board, else trophy window (end);
//  10 play: save question, else in-game options, else play panel and board;
//  11 set-up: the strip;
//  12 the menu: one input acts once (the frame ends after the first action
//     that changes the state, opens a window or ends the game).
// The result codes each source's answers lead to are in puzzle_update.cpp.
//
// Files: puzzle.cpp (construction, slots, volumes), puzzle_update.cpp (the
// frame's dispatch and result codes), puzzle_render.cpp (the two passes),
// puzzle_flow.cpp (starting, replaying and leaving a puzzle),
// puzzle_layout.cpp (layout, preferences, window openers, saves and
// catalogue).
//
// Decisions where a plain reading would lose or break something:
//  - StartNow hands the board the picture's pieces along its shorter side
//    (FRAME::min); a chapter or saves list with nothing selected starts
//    nothing; a save that does not resume leaves the menu as it was.
//  - The set-up strip is closed on OK and on Cancel; the help window is
//    closed on every way out of a puzzle, and a new one replaces an open one.
//  - Ctrl+Q and closing the window save a puzzle in play that has a join
//    and is not finished (SaveBeforeClose), never the set-up preview or a
//    won puzzle.
//  - The save question's "yes" stays in play, with a message, when the save
//    could not be written.
//  - A replay selects the pictures' pack around the board's Init and
//    releases every tool of the play panel.
//
//  - The preferences pass stores the record except while the resolution
//    window's confirmation holds a mode not kept yet, and never on the
//    settings window's -15 (a mode applied or reverted).
//  - A second click on the options tool while the in-game options are open
//    acts as their Cancel: the record re-applied, the board's colour
//    restored.
//  - A finished board is appended to the progress file once; the scores
//    button then turns on.
//
// Window slots are JST::ST pointers (the settings slot also holds the
// placeholder); the dispatch reads the preview values of the settings and
// in-game options through their getters.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "GAME/shell/scene.h"
#include "ST/sprite.h"

class BUTTONACT;
class FAQ_SCREEN;
class FRAME;
class FRAME_CHOISE_GROUP;
class JBUTTON;
class PUZZLE_IMG_HCANGE_SCREEN;
class PUZZLE_QUIT_QUEST;
class PUZZLE_SAVE_QUEST;
class PUZZLE_SAVEPANEL;

namespace ZOV {
class PARTIC;
class ST_GAME;
class ST_INPUT;
}  // namespace ZOV

namespace GAME {

class PROFILE;
class PUZZLE_BOOK;
class PUZZLE_PIECES_SYSTEM;

// The settings slot's placeholder after construction: its Update answers 1
// at once, so the first frame applies the player's preferences, lays every
// screen out and closes it, before any input is served. Draws nothing.
class PUZZLE_FAKE : public JSPRITE {
 public:
  int Update(int, float) override { return 1; }
  int Render(int) override { return 1; }
};

class PUZZLE : public SCENE {
 public:
  static constexpr int kMenu = 0;
  static constexpr int kSetup = 1;
  static constexpr int kPlay = 6;
  // The saves tab's category.
  static constexpr int kSavesCategory = 10;
  // Virtual keys.
  static constexpr int kKeyCtrl = 17;
  static constexpr int kKeyQ = 81;

  // On the loader thread, under the lock (steps in puzzle.cpp). `game` null:
  // the engine's game object.
  explicit PUZZLE(ZOV::ST_GAME* game = nullptr);
  // Not part of the game: the tests delete what they build.
  ~PUZZLE() override;
  PUZZLE(const PUZZLE&) = delete;
  PUZZLE& operator=(const PUZZLE&) = delete;

  // The frame's dispatch; always 0.
  int Update(int, float) override;
  // The main pass: in play the background, border, board and play panel.
  int Render(int) override;
  // The overlay pass, by state, then the cursor emitters.
  void PostRender() override;

  // ---- starting, replaying and leaving (puzzle_flow.cpp)
  void StartNow() override;
  void SetPzlOpt() override;
  void InitPlayPanel();
  void OnPuzzleExit() override;
  // Ctrl+Q: saves a savable puzzle (SaveBeforeClose), then ends the game
  // after this frame.
  void GoodCloseGame();
  // The window is closing: a savable puzzle is saved. Nothing else.
  void SaveBeforeClose() override;
  // A puzzle in play that a save may hold: state kPlay, the board in play
  // with a join made, two parts or more left, no win dialog or sparkles.
  bool Savable() const;
  // The board answered 2 (play the same picture again).
  void Replay();

  // ---- layout, preferences and windows (puzzle_layout.cpp)
  void Reset(int screenRes) override;
  void GetDataDirectory();
  void RenderMenuBorder();
  void SetPrefences();
  void SettingsOff();
  void SetMainOptions();
  void LevelOptOnOff();
  void OnOffLiders();
  void OnOffTrofeis();
  void OnOffScores();
  void OnOffFAQ(int mode);
  void LoadSaves();
  void ReloadSaves();
  void LoadFramesList();
  void ActivateButton(int id) override;
  void SetVolume(float v);
  void SetVolumeMelody(float v);
  // The scores button, active only when the player's progress file exists.
  void CheckScoreBoard();
  // Board result 54: the finished board appended to the progress file once,
  // then the play panel off, the record stored and the scores button on.
  void SaveComplitePuzzle();

  // The engine's game object the scene runs on.
  ZOV::ST_GAME* Game() const { return game_; }

  // ---- not part of the frame cycle
  void OnInit();
  void ShowMenu();
  void ActivateSaveList(bool on);
  // A hook for a window kept on top of the scene; the game keeps none, so it
  // does nothing.
  void OnOffTop(void*) {}

  // ---- the scene (read by tests and the scripted player)
  int state = kMenu;
  int screenHeight = 0, screenWidth = 0;
  int category = 1;
  bool hasSaves = false;
  std::vector<FRAME_CHOISE_GROUP*> groups;  // owned
  std::string imagePath;
  std::string dataDir;
  int screenRes = 480000;

  PUZZLE_PIECES_SYSTEM* board = nullptr;
  JSPRITE* menuBottomPanel = nullptr;
  JSPRITE* menuBackground = nullptr;
  JSPRITE* menuBorder = nullptr;
  JSPRITE* changePlayerIcon = nullptr;
  JSPRITE* menuLeftCorner = nullptr;
  JSPRITE* menuRightCorner = nullptr;
  JBUTTON* upperPanel = nullptr;
  BUTTONACT* buttonOptions = nullptr;
  BUTTONACT* buttonScores = nullptr;
  BUTTONACT* buttonPlay = nullptr;
  BUTTONACT* buttonCut = nullptr;
  BUTTONACT* buttonExit = nullptr;
  BUTTONACT* buttonTrophies = nullptr;
  BUTTONACT* buttonLeaders = nullptr;
  ZOV::PARTIC* snow = nullptr;
  ZOV::PARTIC* blow = nullptr;
  PROFILE* profile = nullptr;
  FAQ_SCREEN* faqWindow = nullptr;
  FRAME_CHOISE_GROUP* currentGroup = nullptr;
  PUZZLE_SAVEPANEL* savePanel = nullptr;
  PUZZLE_IMG_HCANGE_SCREEN* setupStrip = nullptr;
  JST::ST* settingsWindow = nullptr;
  PUZZLE_BOOK* book = nullptr;
  JST::ST* optionsWindow = nullptr;
  JST::ST* leaderBoard = nullptr;
  JST::ST* scoreBoard = nullptr;
  JST::ST* trophyPanel = nullptr;
  PUZZLE_SAVE_QUEST* saveQuestion = nullptr;
  PUZZLE_QUIT_QUEST* quitQuestion = nullptr;

  // The last save attempt's result from the save question (the board's
  // kSave* codes), -1 before any.
  int lastSaveResult = -1;

 private:
  // ---- the frame's steps (puzzle_update.cpp)
  void UpdateFrame();
  bool UpdateSettingsWindow();
  // The settings window holds a screen mode the player has not kept yet.
  bool ModePending() const;
  bool UpdateHelpWindow();
  // The quit question's answer; true ends the frame.
  bool UpdateQuitQuestion();
  bool UpdateBoardsAndTrophies();
  void UpdatePlay();
  bool UpdateSaveQuestion();
  bool UpdateOptionsWindow();
  // The in-game options' OK or Cancel: the record re-applied, the board's
  // colour restored from it, the window closed.
  void CloseOptions();
  void ActOnPanel(int code);
  void ActOnBoard(int code);
  void UpdateSetup();
  void UpdateMenu();
  // A cheap picture of what a menu action can change: the state, the board,
  // every window slot, the player dialog and whether the game still runs.
  std::vector<const void*> MenuSnapshot() const;

  // The menu's seven buttons, in the order they are drawn.
  std::array<BUTTONACT*, 7> MenuButtons() const {
    return {buttonOptions, buttonScores, buttonCut, buttonExit, buttonPlay, buttonTrophies, buttonLeaders};
  }
  // A window lies over the menu's buttons, or over the play panel's tools,
  // and takes the mouse from them.
  bool WindowOverMenu() const;
  bool WindowOverPlay() const;
  // The buttons under such a window forget their hover (ForgetHover).
  void ForgetHoverUnderWindows();

  // ---- drawing (puzzle_render.cpp)
  void RenderMenu();
  void RenderSetup();
  void RenderPlay();

  // ---- leaving (puzzle_flow.cpp)
  // Exit, delete the board, back to the menu; closes the help window and
  // the save question.
  void LeavePuzzle(const char* logLine);
  void DeleteBoard();
  void CloseSetupStrip();
  void CloseHelp();
  // The picture of the current chapter that StartNow or SetPzlOpt would
  // take; null when there is none (no chapter, an empty one).
  FRAME* ChosenPicture();
  bool ResumeSelectedSave();

  ZOV::ST_GAME* game_;
  ZOV::ST_INPUT* input_;
  bool settingsClosedOnce_ = false;
  // Set around a preferences pass that must not store the record.
  bool holdSave_ = false;
  // The options tool was pressed while the in-game options were open.
  bool optionsToolPressed_ = false;
};

// The loader's maker: a new PUZZLE on the engine's game object.
SCENE* MakePuzzle();

}  // namespace GAME
