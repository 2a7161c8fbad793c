#include "platform/gfx_image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace plat {
namespace {

// Pictures larger than this on a side are refused (a damaged header must not
// ask for gigabytes).
constexpr int kMaxSide = 16384;

void InitDecoders() {
  static std::once_flag once;
  std::call_once(once, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
int Be16(const uint8_t* p) { return int(p[0]) << 8 | p[1]; }

// 1: header read, 0: not this format, -1: this format but damaged.
int PngHeader(const uint8_t* p, size_t n, int* w, int* h) {
  static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n < 8 || std::memcmp(p, kSig, 8) != 0) return 0;
  if (n < 24 || std::memcmp(p + 12, "IHDR", 4) != 0) return -1;
  const uint32_t pw = Be32(p + 16), ph = Be32(p + 20);
  if (pw == 0 || ph == 0 || pw > uint32_t(kMaxSide) || ph > uint32_t(kMaxSide)) return -1;
  *w = int(pw);
  *h = int(ph);
  return 1;
}

int JpegHeader(const uint8_t* p, size_t n, int* w, int* h) {
  if (n < 3 || p[0] != 0xFF || p[1] != 0xD8 || p[2] != 0xFF) return 0;
  size_t i = 2;
  while (i + 4 <= n) {
    if (p[i] != 0xFF) return -1;
    const uint8_t marker = p[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      i += 2;
      continue;
    }
    const int len = Be16(p + i + 2);
    if (len < 2) return -1;
    const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      if (i + 9 > n) return -1;
      const int ph = Be16(p + i + 5), pw = Be16(p + i + 7);
      if (pw <= 0 || ph <= 0) return -1;
      *w = pw;
      *h = ph;
      return 1;
    }
    if (marker == 0xD9 || marker == 0xDA) return -1;  // image data before any frame header
    i += 2 + size_t(len);
  }
  return -1;
}

bool FromSurface(SDL_Surface* s, Image& out) {
  out = Image{};
  if (!s) return false;
  SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!conv) return false;
  bool ok = conv->w > 0 && conv->h > 0 && conv->w <= kMaxSide && conv->h <= kMaxSide;
  if (ok) {
    out.w = conv->w;
    out.h = conv->h;
    out.argb.resize(size_t(out.w) * size_t(out.h));
    SDL_LockSurface(conv);
    const auto* src = static_cast<const uint8_t*>(conv->pixels);
    for (int y = 0; y < out.h; ++y)
      std::memcpy(&out.argb[size_t(y) * size_t(out.w)], src + size_t(y) * size_t(conv->pitch), size_t(out.w) * 4);
    SDL_UnlockSurface(conv);
  }
  SDL_FreeSurface(conv);
  if (!ok) out = Image{};
  return ok;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return !f.bad();
}

}  // namespace

bool ImageInfoMemory(const void* data, size_t size, int* w, int* h) {
  if (!data || size == 0 || !w || !h) return false;
  const auto* p = static_cast<const uint8_t*>(data);
  int r = PngHeader(p, size, w, h);
  if (r == 0) r = JpegHeader(p, size, w, h);
  if (r != 0) return r == 1;
  Image img;
  if (!DecodeMemory(data, size, img)) return false;
  *w = img.w;
  *h = img.h;
  return true;
}

bool ImageInfoFile(const std::string& path, int* w, int* h) {
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, bytes)) return false;
  return ImageInfoMemory(bytes.data(), bytes.size(), w, h);
}

bool DecodeMemory(const void* data, size_t size, Image& out) {
  out = Image{};
  if (!data || size == 0 || size > size_t(INT32_MAX)) return false;
  InitDecoders();
  SDL_RWops* rw = SDL_RWFromConstMem(data, int(size));
  if (!rw) return false;
  return FromSurface(IMG_Load_RW(rw, 1), out);
}

bool DecodeFile(const std::string& path, Image& out) {
  out = Image{};
  InitDecoders();
  return FromSurface(IMG_Load(path.c_str()), out);
}

bool SaveBMP(const std::string& path, const Image& img) {
  if (img.w <= 0 || img.h <= 0 || img.argb.size() < size_t(img.w) * size_t(img.h)) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(img.argb.data()), img.w, img.h, 32,
                                                      img.w * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  const bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

}  // namespace plat
