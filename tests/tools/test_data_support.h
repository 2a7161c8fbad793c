// Shared by the data generator's tests: the generated files (made once per
// test program, in memory) and decoding them with the game's own picture
// decoder, so every generated picture is proven readable by the game.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx_image.h"
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

// An image decoded by the game's picture decoder into RGBA bytes (R, G, B,
// A in memory).
struct Decoded {
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgba;
  bool ok = false;
  const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

inline Decoded Decode(const gendata::Bytes& bytes) {
  Decoded d;
  plat::Image img;
  if (!plat::DecodeMemory(bytes.data(), bytes.size(), img)) return d;
  d.w = img.w;
  d.h = img.h;
  d.rgba.resize(img.argb.size() * 4);
  std::uint8_t* out = d.rgba.data();
  for (const std::uint32_t p : img.argb) {
    *out++ = static_cast<std::uint8_t>(p >> 16);
    *out++ = static_cast<std::uint8_t>(p >> 8);
    *out++ = static_cast<std::uint8_t>(p);
    *out++ = static_cast<std::uint8_t>(p >> 24);
  }
  d.ok = true;
  return d;
}

}  // namespace datatest
