// Screenshots of a window of an X server for tests that look at the real
// program: `xwd -id <window> -silent` writes the window as an X window dump
// (XWD, version 7), which is read here and saved as a PNG with SDL_image.
//
// Only the dumps a TrueColor or DirectColor screen gives are read: the
// ZPixmap format with 24 or 32 bits a pixel, the colour of each pixel taken
// through the header's red, green and blue masks. Anything else, or a
// file cut short, gives no picture (false), never a wrong one.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/test_env.h"

namespace xwdpng {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // width x height x 3, rows top to bottom
};

namespace detail {

inline uint32_t Be32(const std::string& d, size_t at) {
  return uint32_t(uint8_t(d[at])) << 24 | uint32_t(uint8_t(d[at + 1])) << 16 | uint32_t(uint8_t(d[at + 2])) << 8 |
         uint32_t(uint8_t(d[at + 3]));
}

// The mask's value scaled to 0..255.
inline uint8_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1u)) ++shift;
  const uint32_t max = mask >> shift;
  return uint8_t(((pixel & mask) >> shift) * 255u / max);
}

}  // namespace detail

// Decodes an XWD file's bytes; false when they are not a dump read here.
inline bool DecodeXwd(const std::string& d, Picture* out) {
  constexpr size_t kHeaderWords = 25;
  if (d.size() < kHeaderWords * 4) return false;
  const auto word = [&](int i) { return detail::Be32(d, size_t(i) * 4); };
  const uint32_t headerSize = word(0), version = word(1), format = word(2);
  const uint32_t width = word(4), height = word(5), byteOrder = word(7);
  const uint32_t bitsPerPixel = word(11), bytesPerLine = word(12);
  const uint32_t redMask = word(14), greenMask = word(15), blueMask = word(16), colours = word(19);
  constexpr uint32_t kZPixmap = 2;
  if (version != 7 || format != kZPixmap || (bitsPerPixel != 24 && bitsPerPixel != 32)) return false;
  if (width == 0 || height == 0 || width > 16384 || height > 16384) return false;
  if (bytesPerLine < width * (bitsPerPixel / 8) || colours > 65536) return false;
  const size_t pixels = size_t(headerSize) + size_t(colours) * 12;
  if (headerSize < kHeaderWords * 4 || d.size() < pixels + size_t(bytesPerLine) * height) return false;
  out->width = int(width);
  out->height = int(height);
  out->rgb.assign(size_t(width) * height * 3, 0);
  const size_t bytes = bitsPerPixel / 8;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = pixels + size_t(y) * bytesPerLine + x * bytes;
      uint32_t p = 0;
      for (size_t b = 0; b < bytes; ++b) {
        const uint32_t v = uint8_t(d[at + b]);
        // Byte order 0: least significant byte first.
        p |= byteOrder == 0 ? v << (8 * b) : v << (8 * (bytes - 1 - b));
      }
      uint8_t* o = &out->rgb[(size_t(y) * width + x) * 3];
      o[0] = detail::Channel(p, redMask);
      o[1] = detail::Channel(p, greenMask);
      o[2] = detail::Channel(p, blueMask);
    }
  }
  return true;
}

inline bool SavePng(const Picture& p, const std::string& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, p.width, p.height, 24, SDL_PIXELFORMAT_RGB24);
  if (!s) return false;
  for (int y = 0; y < p.height; ++y)
    SDL_memcpy(static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch, &p.rgb[size_t(y) * p.width * 3],
               size_t(p.width) * 3);
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// Dumps X window `window` of `display` with xwd ("root": the whole screen,
// as the player sees it) and saves it as `pngPath`; the picture, empty when
// it could not be taken.
inline Picture ShootWindow(const std::string& display, const std::string& window, const std::string& pngPath) {
  Picture p;
  const std::string xwd = pngPath + ".xwd";
  const std::string which = window == "root" ? std::string("-root") : "-id " + window;
  const std::string cmd = "DISPLAY=" + display + " xwd " + which + " -silent -out '" + xwd + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return p;
  if (!DecodeXwd(testenv::ReadFile(xwd), &p)) p = Picture();
  std::remove(xwd.c_str());
  if (p.width > 0 && !SavePng(p, pngPath)) p = Picture();
  return p;
}

}  // namespace xwdpng
