// Mock screens for reviewing the art together: the main menu (floor, open
// book made of its nine-patch tiles, tabs, thumbnails, panels and buttons)
// and the board (tinted background, play panel, open pocket, a window),
// laid out roughly as the game places them on a 1024×768 screen.  A review
// aid only, written beside the contact sheet.
#pragma once
#include <string>

#include "tools/data/sink.h"

namespace gendata {

bool WriteMockScreens(const MemSink& files, const std::string& path);

}  // namespace gendata
