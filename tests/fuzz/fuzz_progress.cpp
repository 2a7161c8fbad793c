// A player's progress file "Progress.xml" through GAME::PROGRESS_FILE: the
// score board's read (each entry turned into its score-board record), the
// lookup of a picture, the scores button's presence test, and one finished
// puzzle appended as the game records it (a damaged file is set aside; what
// was set aside is removed again after each input). After the append the
// file must read back with the new entry last.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "GAME/board/reg.h"
#include "GAME/shell/progress_file.h"
#include "tests/fuzz/fuzz_env.h"

namespace {
std::string gFolder;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  gFolder = testenv::FreshDir("player") + "/";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const GAME::PROGRESS_FILE file(gFolder.c_str(), "Progress.xml");
  fuzzenv::WriteInput(file.Path(), data, size);
  long sink = file.Exists() ? 1 : 0;
  for (const GAME::PROGRESS_ENTRY& e : file.Read()) {
    const GAME::REG r = GAME::ScoreRecord(e);
    sink += r.minutes + r.seconds + long(e.face.size());
  }
  sink += file.IsThisPuzzleWasCollected("autumn.png");
  GAME::PROGRESS_ENTRY added;
  added.face = "fuzz.png";
  added.score = 345;
  added.count = 9;
  added.time = 125.9;
  if (file.Append(added)) {
    const auto entries = file.Read();
    if (entries.empty() || entries.back().face != "fuzz.png" || entries.back().score != 345) {
      std::fprintf(stderr, "an appended puzzle did not read back last\n");
      std::abort();
    }
  }
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(gFolder, ec))
    if (e.path().filename().string().rfind("Progress.xml.bad", 0) == 0) std::filesystem::remove_all(e.path(), ec);
  return sink == -12345 ? 1 : 0;
}
