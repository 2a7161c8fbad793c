// What the board benchmarks share: the game object on the recording
// graphics backend with a 1920 x 1080 back buffer and screen centre
// (960, 540), the default configuration with no packs (images come from the
// working folder), a private working folder, and in it "picture.png", a
// 1920 x 1080 picture whose every pixel differs from its neighbours.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "ST/file.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "tests/support/test_env.h"

namespace benchenv {

// Readies the engine once per program; false when it cannot (the benchmark
// then skips with an error).
inline bool BoardEngine(ZOV::ST_GAME* game) {
  if (game->gfx.deviceReady) return true;
  plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
  game->app.Window().SetBackBufferSize(1920, 1080);
  if (game->gfx.Init(game->app.Window()) != 0) return false;
  plat::gfx::BeginScene();
  GAME::ApplyConfigDefaults();
  C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = C_NAME_PACK_POCKET = nullptr;
  ZOV::ifile.current_pack = nullptr;
  ZOV::ifile.current_pass = nullptr;
  game->middle = JST::iPOINT(960, 540);
  testenv::Isolate();
  plat::Image img;
  img.w = 1920;
  img.h = 1080;
  img.argb.resize(size_t(img.w) * size_t(img.h));
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      img.argb[size_t(y) * size_t(img.w) + size_t(x)] = 0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8;
  // PNG: the game decodes only PNG and JPEG pictures.
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(img.argb.data(), img.w, img.h, 32, img.w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  const bool ok = IMG_SavePNG(surface, "picture.png") == 0;
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace benchenv
