// The picture catalogue "pzls.xml" through GAME::ReadCatalogue, on the
// recording renderer: every chapter it makes (with its pictures and their
// piece counts) is laid out at 1024x768 and deleted again. Thumbnails
// missing from the working folder load as no texture.
#include <vector>

#include "GAME/config/globals.h"
#include "GAME/shell/catalogue.h"
#include "GAME/shell/frame_group.h"
#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  fuzzenv::RecordingEngine();
  C_NAME_PACK_IMAGE_PREV = nullptr;  // thumbnails from the working folder
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput("pzls.xml", data, size);
  std::vector<FRAME_CHOISE_GROUP*> chapters;
  GAME::ReadCatalogue("pzls.xml", &chapters);
  for (FRAME_CHOISE_GROUP* c : chapters) {
    c->SetPos(512, 384);
    c->Reset(1024, 768);
    delete c;
  }
  fuzzenv::DropRecordedDraws();
  return 0;
}
