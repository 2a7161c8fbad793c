// The window procedure: feeds mouse and key messages into the game object's
// input state, maps mouse positions from back-buffer pixels into the logical
// screen (undoing the letterbox), turns activation and focus messages into
// pause and resume, and ends the main loop on close.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace ZOV {

class ST_GAME;

long JWndProc(plat::Window* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// The letterbox mapping of one back-buffer coordinate into the logical
// screen, given the bar offset, the scaled size and the logical size.
int LogicalFromClient(int client, int offset, int scaled, int logical);

}  // namespace ZOV
