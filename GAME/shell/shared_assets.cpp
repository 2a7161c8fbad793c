#include "GAME/shell/shared_assets.h"

ZOV::JFONT* big = nullptr;
ZOV::JFONT* comix = nullptr;
JSPRITE* blackTranslucent = nullptr;
ZOV::ST_A* eButton = nullptr;
