// Pictures for the texture and sprite tests, written at test time: PNG files
// and their bytes from given ARGB pixels.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace textest {

// Writes w x h ARGB pixels (row by row from the top) as a PNG with alpha.
inline bool WritePng(const std::string& path, int w, int h, const std::vector<uint32_t>& argb) {
  std::vector<uint32_t> px = argb;
  SDL_Surface* s =
      SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// A w x h picture of distinct pixels: red = x, green = y, blue = x + y,
// alpha 255.
inline std::vector<uint32_t> Pattern(int w, int h) {
  std::vector<uint32_t> px;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px.push_back(0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | uint32_t((x + y) & 0xFF));
  return px;
}

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of a PNG made from the pixels (through a file at `scratch`).
inline std::string PngBytes(const std::string& scratch, int w, int h, const std::vector<uint32_t>& argb) {
  if (!WritePng(scratch, w, h, argb)) return {};
  return ReadAll(scratch);
}

}  // namespace textest
