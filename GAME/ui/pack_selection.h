// PackSelection: the one guard for the file service's pack selection. It
// selects one pack (and its password) of ZOV::ifile for the loads made in
// its scope and puts back whatever was selected before when the scope ends,
// so guards nest: a load after an inner guard still reads the outer pack.
// At the top level, where nothing was selected, ending the scope clears the
// selection. The pointers are stored, not copied (ZOV::iFile's rule). Main
// thread, or the loader while it alone loads: the selection is process-wide.
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
