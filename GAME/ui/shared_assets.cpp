#include "GAME/ui/shared_assets.h"

ZOV::JFONT* loadingFont = nullptr;
ZOV::JFONT* comix = nullptr;
ZOV::JFONT* big = nullptr;
ZOV::JFONT* expenseFont = nullptr;

GAME::LOADING_SCREEN_BASE* loading = nullptr;

JSPRITE* shadowSplain = nullptr;
JSPRITE* whiteSplain = nullptr;
JSPRITE* sprRotPzl = nullptr;
JSPRITE* sprNotRotPzl = nullptr;
JSPRITE* sprInfoBack = nullptr;
JSPRITE* blackTranslucent = nullptr;
JMOUSEB* Mouse = nullptr;

ZOV::ST_A* eBack1 = nullptr;
ZOV::ST_A* eButtonDisabled = nullptr;
ZOV::ST_A* eButtonOver = nullptr;
ZOV::ST_A* eButtonPlay = nullptr;
ZOV::ST_A* eButton = nullptr;
ZOV::ST_A* eClosePocket = nullptr;
ZOV::ST_A* eElArrive = nullptr;
ZOV::ST_A* eConHi = nullptr;
ZOV::ST_A* eConMi = nullptr;
ZOV::ST_A* eConLo = nullptr;
ZOV::ST_A* eElPickUp = nullptr;
ZOV::ST_A* eElPut = nullptr;
ZOV::ST_A* eElRotation = nullptr;
ZOV::ST_A* eElRotationWrong = nullptr;
ZOV::ST_A* eBack2 = nullptr;
ZOV::ST_A* eGroupsArrive = nullptr;
ZOV::ST_A* eGuiClick = nullptr;
ZOV::ST_A* eLevelWin = nullptr;
ZOV::ST_A* ePuzzleOver = nullptr;
ZOV::ST_A* ePuzzleSelection = nullptr;
ZOV::ST_A* eToolHint = nullptr;
ZOV::ST_A* eToolSort = nullptr;
ZOV::ST_A* eUsePocket = nullptr;
ZOV::ST_A* eWindowClose = nullptr;
ZOV::ST_A* eWindowOpen = nullptr;
ZOV::ST_A* eToolOn = nullptr;
ZOV::ST_A* eToolOff = nullptr;

GAME::SCENE* puzzle = nullptr;

PARTIC_CIRCLE* partHelp = nullptr;
PARTIC_CIRCLE* partGlue = nullptr;
ZOV::PARTIC* ePartBullet = nullptr;
