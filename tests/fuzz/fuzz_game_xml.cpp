// The video configuration "game.xml" through ZOV::ReadGameConfig, the
// reader ST_GAME::LoadGameConfig uses at start-up: a file it accepts gives
// a size above 0 on both sides.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput("game.xml", data, size);
  ZOV::GAME_VIDEO_CONFIG read;
  if (ZOV::ReadGameConfig("game.xml", &read) && (read.resX <= 0 || read.resY <= 0)) {
    std::fprintf(stderr, "an accepted game.xml gave %dx%d\n", read.resX, read.resY);
    std::abort();
  }
  return 0;
}
