// Shared by the data generator's tests: the generated files (made once per
// test program, in memory) and decoding through SDL2_image.
#pragma once
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "tools/data/generator.h"
#include "tools/data/sink.h"

namespace datatest {

// The files of the named families, generated once per test program (each
// test runs in a process of its own, so tests ask only for what they need).
inline const gendata::MemSink& Generated(const std::vector<std::string>& families) {
  static std::map<std::vector<std::string>, std::unique_ptr<gendata::MemSink>> cache;
  auto& slot = cache[families];
  if (!slot) {
    slot = std::make_unique<gendata::MemSink>();
    for (const gendata::Family& f : gendata::Families())
      if (std::find(families.begin(), families.end(), f.name) != families.end()) f.make(*slot);
  }
  return *slot;
}

// Every interface image (all families but pictures, sounds, music, editions).
inline const gendata::MemSink& Art() {
  return Generated({"menu_buttons", "level_buttons", "gui_widgets", "pocket", "panels", "decorations", "small_art",
                    "trophies"});
}

// An image decoded by SDL2_image into RGBA bytes (R, G, B, A in memory).
struct Decoded {
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgba;
  bool ok = false;
  const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

inline Decoded Decode(const gendata::Bytes& bytes) {
  Decoded d;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_Surface* s = IMG_Load_RW(rw, 1);
  if (!s) return d;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(s);
  if (!c) return d;
  d.w = c->w;
  d.h = c->h;
  d.rgba.resize(static_cast<size_t>(d.w) * d.h * 4);
  for (int y = 0; y < d.h; ++y)
    std::memcpy(&d.rgba[static_cast<size_t>(y) * d.w * 4], static_cast<std::uint8_t*>(c->pixels) + y * c->pitch,
                static_cast<size_t>(d.w) * 4);
  SDL_FreeSurface(c);
  d.ok = true;
  return d;
}

}  // namespace datatest
