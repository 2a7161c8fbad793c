// GAME::PUZZLE: construction, destruction, the volume setters and the small
// operations outside the frame cycle.
#include "GAME/shell/puzzle.h"

#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/menu_actions.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// A menu button with its tip in the common font and the configured colours.
BUTTONACT* MenuButton(char* image, void (*action)(), char* tip) {
  auto* b = new BUTTONACT(image, action);
  b->tipFont = comix;
  b->tipText = tip ? tip : "";
  b->tipTextColor = uint32_t(C_FONT_MAIN_COLOR);
  b->tipBoxColor = uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BACK);
  b->tipBorderColor = uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BORDR);
  b->SetOver(eButtonOver);
  return b;
}

// The blow emitter's particles live this long (its burst preset says 1.8 s):
// a short burst at the click.
constexpr float kBlowLife = 1.0f;

}  // namespace

PUZZLE::PUZZLE(ZOV::ST_GAME* game) : game_(game ? game : ZOV::GetGame()), input_(game_->GetInput()) {
  plat::PrintLine("PUZZLE()");
  profile = new PROFILE(big, game_);
  SetVolume(profile->GetSettings()->Sound);
  SetVolumeMelody(profile->GetSettings()->MusicVolum);
  category = 1;
  hasSaves = false;
  screenWidth = game_->GetScreenWidth();
  screenHeight = game_->GetScreenHeight();
  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    changePlayerIcon = new JSPRITE(chCHANGE_PLAYER, 0);
    upperPanel = new JBUTTON(chMAIN_MENU_UP_PANELKA);
    menuBottomPanel = new JSPRITE(chMAIN_MENU_DWN_PANELKA, 0);
    menuBottomPanel->CompressTexture();
    buttonOptions = MenuButton(chMAIN_MENU_DWN_PANELKA_OPTIONS, nullptr, chTEXT_DWNPANELKA_OPTIONS);
    buttonScores = MenuButton(chMAIN_MENU_DWN_PANELKA_SCORE, nullptr, chTEXT_DWNPANELKA_SCORS);
    buttonPlay = MenuButton(chMAIN_MENU_DWN_PANELKA_PLAY, &StartPuz, chTEXT_DWNPANELKA_PLAY);
    buttonCut = MenuButton(chMAIN_MENU_DWN_PANELKA_CUT, &SetPuzzleOptions, chTEXT_DWNPANELKA_CHANGE);
    buttonExit = MenuButton(chMAIN_MENU_DWN_PANELKA_EXIT, &Quit, chTEXT_DWNPANELKA_EXIT);
    buttonLeaders = MenuButton(chMAIN_MENU_DWN_PANELKA_TOP, nullptr, chTEXT_DWNPANELKA_TOP);
    buttonTrophies = MenuButton(chBUTTONTROP, nullptr, chTEXT_DWNPANELKA_TROFEI);
  }
  LoadFramesList();
  book = new PUZZLE_BOOK();
  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    menuBackground = new JSPRITE(chMAIN_MENU_LENOLIUM, 0);
    menuBackground->SetSizePix(screenWidth, screenHeight);
    menuBackground->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    menuBackground->StreckenTexelz();
    menuBackground->SetPos(screenWidth / 2, screenHeight / 2);
    menuBorder = new JSPRITE(chMAIN_MENU_BORDER, 0);
    menuBorder->SetHotSpot(0, 0);
    menuBorder->SetSize(0.5f, 2.1f);
    menuBorder->SetTexelCoord(0.0f, 0.0f, 0.5f, 1.0f);
  }
  board = nullptr;
  setupStrip = nullptr;
  state = kMenu;
  LoadSaves();
  ActivateButton(1);
  {
    PackSelection effects(C_NAME_PACK_EFFECTS, C_PAS_EFFECTS);
    snow = new ZOV::PARTIC(chPARTIC_SNOW_CURSOR, 0, 40);
    snow->SetType(ZOV::JP_TRAIL);
    blow = new ZOV::PARTIC(chPARTIC_BLOW_CURSOR, 0, 0);
    blow->SetType(ZOV::JP_BURST);
    blow->templ.life = kBlowLife;
  }
  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    menuLeftCorner = new JSPRITE(chMAIN_MENU_LEFT_CORNER, 0);
    menuRightCorner = new JSPRITE(chMAIN_MENU_RIGHT_CORNER, 0);
  }
  dataDir = "DATA/puzzles/";
  screenRes = 480000;
  settingsWindow = new PUZZLE_FAKE;
  snow->Feuer();
  plat::PrintLine("===============Puzzle init ok!===========");
}

PUZZLE::~PUZZLE() {
  delete quitQuestion;
  delete saveQuestion;
  delete faqWindow;
  delete settingsWindow;
  delete optionsWindow;
  delete leaderBoard;
  delete scoreBoard;
  delete trophyPanel;
  delete setupStrip;
  DeleteBoard();
  delete playPanel;
  playPanel = nullptr;
  delete book;
  delete savePanel;
  for (FRAME_CHOISE_GROUP* g : groups) delete g;
  delete snow;
  delete blow;
  for (JSPRITE* s : {menuBottomPanel, menuBackground, menuBorder, changePlayerIcon, menuLeftCorner, menuRightCorner})
    delete s;
  delete upperPanel;
  for (BUTTONACT* b : MenuButtons()) delete b;
  delete profile;
}

void PUZZLE::SetVolume(float v) {
  for (ZOV::ST_A* s : {eButtonDisabled, eButtonOver, eButtonPlay, eButton, eClosePocket, eElArrive, eConHi, eConMi,
                       eConLo, eElPickUp, eElPut, eElRotation, eElRotationWrong, eGroupsArrive, eGuiClick, eLevelWin,
                       ePuzzleOver, ePuzzleSelection, eToolHint, eToolSort, eUsePocket, eWindowClose, eWindowOpen,
                       eToolOn, eToolOff})
    if (s) s->setVolume(v);
}

void PUZZLE::SetVolumeMelody(float v) {
  for (ZOV::ST_A* s : {eBack1, eBack2})
    if (s) s->setVolume(v);
}

void PUZZLE::OnInit() { ZOV::SoundRender(eBack1); }

void PUZZLE::ShowMenu() {
  ZOV::SoundRender(eButton);
  state = kMenu;
}

void PUZZLE::ActivateSaveList(bool on) {
  if (book) book->Saves(on);
}

SCENE* MakePuzzle() { return new PUZZLE(); }

}  // namespace GAME
