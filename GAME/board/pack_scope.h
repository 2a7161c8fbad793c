// PackScope: selects a pack of ZOV::ifile for the loads made in one scope
// and clears the selection (both null) when the scope ends. The board and
// its parts load each of their images this way (main thread only: the
// selection is process-wide).
#pragma once

#include "ST/file.h"

namespace GAME {

class PackScope {
 public:
  PackScope(char* name, char* password) {
    ZOV::ifile.current_pack = name;
    ZOV::ifile.current_pass = password;
  }
  ~PackScope() {
    ZOV::ifile.current_pack = nullptr;
    ZOV::ifile.current_pass = nullptr;
  }
  PackScope(const PackScope&) = delete;
  PackScope& operator=(const PackScope&) = delete;
};

}  // namespace GAME
