// Reading back the BMP files the game writes (screenshots), which its own
// picture decoder refuses: through SDL's BMP reader, into ARGB pixels.
#pragma once

#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/gfx_image.h"

namespace bmptest {

inline bool ReadBmp(const std::string& path, plat::Image& out) {
  out = plat::Image{};
  SDL_Surface* s = SDL_LoadBMP(path.c_str());
  if (!s) return false;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!c) return false;
  out.w = c->w;
  out.h = c->h;
  out.argb.resize(size_t(c->w) * size_t(c->h));
  for (int y = 0; y < c->h; ++y)
    std::memcpy(&out.argb[size_t(y) * size_t(c->w)], static_cast<const uint8_t*>(c->pixels) + size_t(y) * size_t(c->pitch),
                size_t(c->w) * 4);
  SDL_FreeSurface(c);
  return true;
}

}  // namespace bmptest
