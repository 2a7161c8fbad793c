// The edition record over "editions.xml": with no "DATA/editions" pack in
// the working folder, LoadEdition() reads the file from the current folder,
// which holds the input.
#include <string>

#include "GAME/config/edition.h"
#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  GAME::ApplyConfigDefaults();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput("editions.xml", data, size);
  LoadEdition();
  // Every name read is a whole string.
  size_t n = gEdition.url_file.size() + gEdition.exe_file.size() + gEdition.splash1.size() + gEdition.splash2.size();
  return n == size_t(-1) ? 1 : 0;
}
