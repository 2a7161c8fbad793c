// A player's files through the player keeper (GAME::PROFILE) in the private
// documents folder, one target per file (JIGSAW_FUZZ_FILE at build time):
//  - "LC.pzl": the input is the last player's name file, read by
//    GetLastCharacter() as at start-up;
//  - "set.bin": the input is the current player's record, loaded by
//    LoadSettings() (a damaged one is set aside and the defaults written;
//    what was set aside is removed again after each input), and decoded
//    directly when it has the record's size: decoding what the game encodes
//    of a decoded record must give the same bytes again.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "GAME/config/player_record.h"
#include "tests/fuzz/fuzz_env.h"

namespace {

void RemoveSetAside(const std::string& folder) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("set.bin.bad", 0) == 0) std::filesystem::remove_all(e.path(), ec);
  }
}

void DecodeTwice(const uint8_t* data, size_t size) {
  using Record = GAME::PUZZLE_PLAYER_PROFILE;
  if (size != Record::kSize) return;
  Record::Bytes bytes;
  std::memcpy(bytes.data(), data, bytes.size());
  const Record::Bytes once = Record::Decode(bytes).Encode();
  if (Record::Decode(once).Encode() != once) {
    std::fprintf(stderr, "a decoded record changed when decoded again\n");
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  fuzzenv::Players();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GAME::PROFILE& players = fuzzenv::Players();
  const std::string file = JIGSAW_FUZZ_FILE;
  if (file == "LC.pzl") {
    std::string root = players.GetGameProfileDir();
    if (root.empty() || root.back() != '/') root += "/";
    fuzzenv::WriteInput(root + "LC.pzl", data, size);
    if (players.GetLastCharacter() == 1) {
      // The name became a path: it must stay inside the game folder.
      const std::string dir = players.GetPlayerDir();
      if (dir.compare(0, root.size(), root) != 0 || dir.find("/../") != std::string::npos) {
        std::fprintf(stderr, "the player folder left the game folder\n");
        std::abort();
      }
    }
    players.PlayerList();
  } else {
    const std::string folder = players.GetPlayerDir();
    fuzzenv::WriteInput(folder + "set.bin", data, size);
    players.LoadSettings();
    RemoveSetAside(folder);
    DecodeTwice(data, size);
  }
  return 0;
}
