// The shared assets: fonts, sprites, the cursor and the 27 sounds that the
// loader thread (GAME/shell/loader.h) creates once and that live until the
// process ends (nothing deletes them), the scene manager `puzzle`, and the
// board's three particle emitters.
//
// Every one is null until the loader has made it. The main thread reads them
// only after the loader has cleared the game object's loading counter (an
// atomic store that publishes all of them); engine widgets drawn before then
// (the name dialog, the player list in tests) must draw or play nothing for
// a null one. A sound that failed to load stays null for good: every
// ZOV::Sound* helper accepts a null sound.
#pragma once

class JSPRITE;
class JMOUSEB;
class PARTIC_CIRCLE;

namespace ZOV {
class JFONT;
class ST_A;
class PARTIC;
}  // namespace ZOV

namespace GAME {
class SCENE;
class LOADING_SCREEN_BASE;
}  // namespace GAME

// ---- fonts
extern ZOV::JFONT* loadingFont;  // the loading screen's percentage, white
extern ZOV::JFONT* comix;        // the common interface font (prompts, labels)
extern ZOV::JFONT* big;          // the large font (headers, the player list)
extern ZOV::JFONT* expenseFont;  // score figures, white

// ---- the loading screen, from the loader's step 3 to the end of loading
extern GAME::LOADING_SCREEN_BASE* loading;

// ---- sprites
extern JSPRITE* shadowSplain;      // shadow behind the chosen thumbnail and the pocket
extern JSPRITE* whiteSplain;       // white plate drawn as a border, scaled 1.1
extern JSPRITE* sprRotPzl;         // rotation-on icon
extern JSPRITE* sprNotRotPzl;      // rotation-off icon
extern JSPRITE* sprInfoBack;       // 8x8 plate behind a thumbnail's information box
extern JSPRITE* blackTranslucent;  // 1x1 dim layer stretched behind modal windows
extern JMOUSEB* Mouse;             // the cursor, hot spot top-left

// ---- sounds, in the order the loader makes them
extern ZOV::ST_A* eBack1;  // music of the menus: repeats, started silent
extern ZOV::ST_A* eButtonDisabled;
extern ZOV::ST_A* eButtonOver;
extern ZOV::ST_A* eButtonPlay;
extern ZOV::ST_A* eButton;  // the button click
extern ZOV::ST_A* eClosePocket;
extern ZOV::ST_A* eElArrive;
extern ZOV::ST_A* eConHi;
extern ZOV::ST_A* eConMi;
extern ZOV::ST_A* eConLo;
extern ZOV::ST_A* eElPickUp;
extern ZOV::ST_A* eElPut;
extern ZOV::ST_A* eElRotation;
extern ZOV::ST_A* eElRotationWrong;
extern ZOV::ST_A* eBack2;  // music of play: repeats, silent, not started
extern ZOV::ST_A* eGroupsArrive;
extern ZOV::ST_A* eGuiClick;
extern ZOV::ST_A* eLevelWin;
extern ZOV::ST_A* ePuzzleOver;
extern ZOV::ST_A* ePuzzleSelection;  // multistream
extern ZOV::ST_A* eToolHint;
extern ZOV::ST_A* eToolSort;
extern ZOV::ST_A* eUsePocket;
extern ZOV::ST_A* eWindowClose;
extern ZOV::ST_A* eWindowOpen;
extern ZOV::ST_A* eToolOn;
extern ZOV::ST_A* eToolOff;

// ---- the scene manager: null until the loader has built it
extern GAME::SCENE* puzzle;

// ---- the board's particle emitters: the board creates them when a puzzle
// starts and deletes them with it; null while no board exists
extern PARTIC_CIRCLE* partHelp;
extern PARTIC_CIRCLE* partGlue;
extern ZOV::PARTIC* ePartBullet;
