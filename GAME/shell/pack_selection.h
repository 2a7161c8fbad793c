// A scope that selects one pack (and its password) in the file service for
// the loads made inside it, and puts back whatever was selected before when
// it ends. The pointers are stored, not copied (ZOV::iFile's rule).
#pragma once

#include "ST/file.h"

namespace GAME {

class PackSelection {
 public:
  PackSelection(char* pack, char* password) : pack_(ZOV::ifile.current_pack), pass_(ZOV::ifile.current_pass) {
    ZOV::ifile.ZipSetCurrentPack(pack);
    ZOV::ifile.ZipSetCurrentPass(password);
  }
  ~PackSelection() {
    ZOV::ifile.ZipSetCurrentPack(pack_);
    ZOV::ifile.ZipSetCurrentPass(pass_);
  }
  PackSelection(const PackSelection&) = delete;
  PackSelection& operator=(const PackSelection&) = delete;

 private:
  char* pack_;
  char* pass_;
};

}  // namespace GAME
