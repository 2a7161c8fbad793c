// What every fuzz target shares: a private folder tree (HOME, the documents
// folder and the working folder, as the tests have them), the game's
// standard output sent to /dev/null (the readers log a line per refusal,
// which would slow the run to a crawl; set JIGSAW_FUZZ_VERBOSE=1 to keep
// it), the engine on the recording backend for readers that make textures,
// the player keeper over the private documents folder, and writing one
// input as a file for readers that only take a path.
//
// libFuzzer calls LLVMFuzzerTestOneInput on one thread, one input at a time.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/profile.h"
#include "GAME/shell/entry.h"
#include "ST/file.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "platform/sys.h"
#include "tests/support/game_globals.h"
#include "tests/support/test_env.h"

namespace fuzzenv {

// Makes the private folders current and silences standard output.
inline void Isolate() {
  testenv::Isolate();
  const char* verbose = std::getenv("JIGSAW_FUZZ_VERBOSE");
  if (!verbose || std::string(verbose) != "1") {
    if (!std::freopen("/dev/null", "w", stdout)) std::perror("stdout to /dev/null");
  }
}

// The game object with its renderer on the recording backend (no window
// system needed) and one scene left open, so drawing calls are accepted.
// The default settings are applied.
inline ZOV::ST_GAME* RecordingEngine() {
  static ZOV::ST_GAME* game = [] {
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    ZOV::ST_GAME* g = ZOV::GetGame();
    if (g->gfx.Init(g->app.Window()) != 0 || !plat::gfx::BeginScene()) {
      std::fprintf(stderr, "the recording renderer did not start\n");
      std::abort();
    }
    testenv::UseGameObject(g);
    g->middle = JST::iPOINT(512, 384);
    ZOV::ifile.current_pack = nullptr;
    ZOV::ifile.current_pass = nullptr;
    return g;
  }();
  return game;
}

// Writes the input as the whole file at `path`.
inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

// Writes a w x h white PNG picture (for readers that load a picture the
// input names).
inline bool WritePng(const std::string& path, int w, int h) {
  std::vector<uint32_t> px(size_t(w) * size_t(h), 0xFFFFFFFFu);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// The player keeper of the private documents folder, made once. The game
// folder is made first, so the keeper does not take this for the first
// start (which would open the player-selection window).
inline GAME::PROFILE& Players() {
  static GAME::PROFILE* players = [] {
    ZOV::ST_GAME* game = RecordingEngine();
    std::error_code ec;
    std::filesystem::create_directories(game->GetGameProfileDirg(), ec);
    return new GAME::PROFILE(nullptr, game);
  }();
  return *players;
}

// Recorded draws would pile up over millions of inputs.
inline void DropRecordedDraws() { plat::gfx::ClearRecorded(); }

}  // namespace fuzzenv
