// Pictures in memory and on disk for the graphics device: decoding PNG, JPEG
// and the other formats SDL2_image reads into 32-bit ARGB pixels, reading a
// picture's size from its header alone, and saving BMP screenshots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Pixels are 0xAARRGGBB (in memory: blue, green, red, alpha), row by row
// from the top, pitch = w.
struct Image {
  int w = 0, h = 0;
  std::vector<uint32_t> argb;
};

// A picture's size from its header (PNG and JPEG are read without decoding
// the body; other formats are decoded). False when it is not a picture.
bool ImageInfoFile(const std::string& path, int* w, int* h);
bool ImageInfoMemory(const void* data, size_t size, int* w, int* h);

// Decodes a whole picture; false (and out emptied) when it cannot be read.
bool DecodeFile(const std::string& path, Image& out);
bool DecodeMemory(const void* data, size_t size, Image& out);

// Writes the image as a 32-bit BMP file, replacing an older one.
bool SaveBMP(const std::string& path, const Image& img);

}  // namespace plat
