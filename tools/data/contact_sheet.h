// The contact sheet: one PNG showing every interface image and every
// thumbnail on a checkerboard (so transparency shows), each with its name.
// A review aid only; it is not part of the game's data.
#pragma once
#include <string>

#include "tools/data/sink.h"

namespace gendata {

// `only` limits the sheet to one folder ("" = every folder but low/).
bool WriteContactSheet(const MemSink& files, const std::string& path, const std::string& only = "");

}  // namespace gendata
