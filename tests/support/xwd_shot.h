// Frames of a window on an X server, for tests that play the real program:
// `xwd -id <window> -silent` dumps the window in X's XWD format, read here
// into ARGB pixels (TrueColor, 24 or 32 bits a pixel, either byte order),
// and saved as PNG through SDL_image for a person to look at.
//
// An XWD file opens with 25 big-endian 32-bit header fields (the first is
// the header's size, window name included), then `ncolors` 12-byte colour
// entries, then the rows, `bytes_per_line` each.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gfx_image.h"

namespace xwdshot {

// Decodes an XWD dump; false (and `out` empty) for anything it does not
// understand.
inline bool Decode(const std::string& bytes, plat::Image& out) {
  out = plat::Image{};
  if (bytes.size() < 100) return false;
  auto field = [&](int i) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + i * 4;
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
  };
  const uint32_t headerSize = field(0), format = field(2), width = field(4), height = field(5);
  const uint32_t byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12);
  const uint32_t masks[3] = {field(14), field(15), field(16)};
  const uint32_t ncolors = field(19);
  // ZPixmap only; sizes a test screen can have.
  if (format != 2 || width == 0 || height == 0 || width > 8192 || height > 8192) return false;
  if (bitsPerPixel != 32 && bitsPerPixel != 24) return false;
  const size_t bpp = bitsPerPixel / 8;
  const size_t start = size_t(headerSize) + size_t(ncolors) * 12;
  if (bytesPerLine < width * bpp || start + size_t(bytesPerLine) * height > bytes.size()) return false;
  auto shiftOf = [](uint32_t mask) {
    int s = 0;
    while (mask && !(mask & 1u)) {
      mask >>= 1;
      ++s;
    }
    return s;
  };
  out.w = int(width);
  out.h = int(height);
  out.argb.resize(size_t(width) * height);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data()) + start;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const unsigned char* p = data + size_t(y) * bytesPerLine + size_t(x) * bpp;
      uint32_t v = 0;
      for (size_t k = 0; k < bpp; ++k)
        v |= uint32_t(p[k]) << (byteOrder == 0 ? 8 * k : 8 * (bpp - 1 - k));
      uint32_t argb = 0xFF000000u;
      for (int c = 0; c < 3; ++c) argb |= ((v & masks[c]) >> shiftOf(masks[c]) & 0xFFu) << (16 - 8 * c);
      out.argb[size_t(y) * width + x] = argb;
    }
  return true;
}

// The window `window` (an X window id, as xdotool prints it) on `display`.
inline bool Capture(const std::string& display, const std::string& window, plat::Image& out) {
  std::string bytes;
  const std::string cmd = "DISPLAY=" + display + " xwd -id " + window + " -silent 2>/dev/null";
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[65536];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) bytes.append(buf, n);
    pclose(p);
  }
  return Decode(bytes, out);
}

inline bool SavePng(const plat::Image& img, const std::string& path) {
  if (img.w <= 0 || img.h <= 0) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(img.argb.data()), img.w, img.h, 32,
                                                      img.w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// How many distinct colours the frame holds, counting up to `enough`: a
// blank or uniform frame has one or two.
inline int Colours(const plat::Image& img, int enough = 64) {
  std::vector<uint32_t> seen;
  for (size_t i = 0; i < img.argb.size() && int(seen.size()) < enough; i += 7) {
    bool known = false;
    for (uint32_t c : seen) known = known || c == img.argb[i];
    if (!known) seen.push_back(img.argb[i]);
  }
  return int(seen.size());
}

}  // namespace xwdshot
