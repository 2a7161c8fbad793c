// A saved game "*.pzl": ParseSavedGame over the bytes, and for every save it
// accepts, the game's writer and the parser again: what the game writes of a
// save it read must read back as a save with the same pieces.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "GAME/board/board_save.h"
#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GAME::SAVED_GAME game;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (GAME::ParseSavedGame(text, &game) != GAME::SaveRead::kOk) return 0;
  GAME::SAVED_GAME again;
  const GAME::SaveRead r = GAME::ParseSavedGame(GAME::WriteSavedGame(game), &again);
  if (r != GAME::SaveRead::kOk || again.pieces.size() != game.pieces.size() || again.Min != game.Min) {
    std::fprintf(stderr, "a save read back as %s with %zu pieces (was %zu)\n", GAME::SaveReadText(r),
                 again.pieces.size(), game.pieces.size());
    std::abort();
  }
  return 0;
}
