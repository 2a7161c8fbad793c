// The saves panel's reader (GAME/shell/save_list.h): the input is the one
// saved game "1.pzl" of a player folder, listed with AppendSaves as the
// saves tab lists it; every thumbnail it makes is deleted again.
#include <filesystem>
#include <string>
#include <vector>

#include "GAME/config/globals.h"
#include "GAME/shell/frame.h"
#include "GAME/shell/save_list.h"
#include "tests/fuzz/fuzz_env.h"

namespace {
std::string gFolder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  fuzzenv::RecordingEngine();
  C_NAME_PACK_IMAGE_PREV = nullptr;  // thumbnails from the working folder
  gFolder = testenv::FreshDir("saves") + "/";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput(gFolder + "1.pzl", data, size);
  std::vector<FRAME*> frames;
  GAME::AppendSaves(gFolder.c_str(), &frames);
  for (FRAME* f : frames) delete f;
  fuzzenv::DropRecordedDraws();
  return 0;
}
