// Pictures in memory and on disk for the graphics device: decoding the two
// formats the game's pictures come in (PNG and JPEG) into 32-bit ARGB
// pixels, reading a picture's size from its header alone, and saving BMP
// screenshots.
//
// A picture is told by its first bytes, never by its file name, and is
// decoded only by the loader of that format. Its width and height are read
// from the header first (PNG: the IHDR chunk; JPEG: the first frame header,
// found by a bounded walk over the segments before it); a picture wider or
// taller than kMaxImageSide is refused before any pixel is decoded, so a
// damaged or hostile header cannot ask for gigabytes. Before a PNG is
// decoded, its chunks are walked: one that runs past the end of the data,
// or a missing IEND, refuses the picture (the PNG loader would otherwise
// read on past the end, and can loop there). Every other format
// (BMP, GIF, TGA, XCF, ...) is refused unread. Each refusal prints one line
// on standard output saying why; the caller reports which file it was.
//
// Any thread may call these; they share no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// The longest side a picture may have. The game's largest pictures are its
// 1600×900 puzzle pictures; textures are made at the picture's own size.
constexpr int kMaxImageSide = 8192;

// Pixels are 0xAARRGGBB (in memory: blue, green, red, alpha), row by row
// from the top, pitch = w.
struct Image {
  int w = 0, h = 0;
  std::vector<uint32_t> argb;
};

// A picture's size from its header alone, nothing decoded and nothing
// printed. False when it is not a PNG or JPEG picture, when the header is
// damaged or cut short, or when a side is past kMaxImageSide.
bool ImageInfoFile(const std::string& path, int* w, int* h);
bool ImageInfoMemory(const void* data, size_t size, int* w, int* h);

// Decodes a whole PNG or JPEG picture; false (and out emptied) when it
// cannot be read or is refused (see above).
bool DecodeFile(const std::string& path, Image& out);
bool DecodeMemory(const void* data, size_t size, Image& out);

// Writes the image as a 32-bit BMP file, replacing an older one. (BMP is
// written for screenshots only; it is not read back.)
bool SaveBMP(const std::string& path, const Image& img);

}  // namespace plat
