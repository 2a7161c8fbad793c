#include "platform/gfx_image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstring>
#include <mutex>

#include "platform/sys.h"

namespace plat {
namespace {

// Segments (and fill bytes) walked past in a JPEG before its frame header
// is given up on. Real files carry a handful: JFIF/Exif, colour profile,
// tables, comments.
constexpr int kMaxJpegMarkers = 1024;

enum class Format { kPng, kJpeg };

enum class HeaderRead {
  kOk,
  kNotAPicture,  // neither PNG nor JPEG (or nothing could be read)
  kDamaged,      // PNG or JPEG, but the header is cut short or makes no sense
  kTooLarge,     // a side is past kMaxImageSide
  kCutShort,     // PNG: a chunk runs past the end, or there is no IEND
};

struct Header {
  Format format = Format::kPng;
  long long w = 0, h = 0;
};

void InitDecoders() {
  static std::once_flag once;
  std::call_once(once, [] { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); });
}

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
int Be16(const uint8_t* p) { return int(p[0]) << 8 | p[1]; }

bool ReadExact(SDL_RWops* rw, void* p, size_t n) { return SDL_RWread(rw, p, 1, n) == n; }

// A PNG's size from its IHDR chunk, which must come first; the stream stands
// just past the 8-byte signature.
HeaderRead PngSize(SDL_RWops* rw, Header* hd) {
  uint8_t ihdr[16];  // length, "IHDR", width, height
  if (!ReadExact(rw, ihdr, sizeof ihdr) || Be32(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0)
    return HeaderRead::kDamaged;
  hd->w = Be32(ihdr + 8);
  hd->h = Be32(ihdr + 12);
  return HeaderRead::kOk;
}

// Whether every chunk of a PNG, from the first to IEND, lies wholly inside
// the stream. The PNG loader's reader does not notice the end of its data:
// past it, libpng goes on with the bytes of its last read and can skip the
// same chunk forever, so a cut or damaged file must never reach it.
HeaderRead PngChunksWhole(SDL_RWops* rw) {
  const Sint64 size = SDL_RWsize(rw);
  Sint64 at = 8;  // past the signature
  while (size >= 0 && at + 12 <= size) {
    uint8_t head[8];  // length, type
    if (SDL_RWseek(rw, at, RW_SEEK_SET) != at || !ReadExact(rw, head, sizeof head)) break;
    const uint32_t len = Be32(head);
    if (len > 0x7FFFFFFFu) break;  // the largest length a PNG allows
    const Sint64 end = at + 12 + Sint64(len);
    if (end > size) break;
    if (std::memcmp(head + 4, "IEND", 4) == 0) return HeaderRead::kOk;
    at = end;
  }
  return HeaderRead::kCutShort;
}

// A JPEG's size from its first frame header (SOF0..SOF15 but DHT, JPG and
// DAC), walking the segments before it; the stream stands just past the
// start-of-image marker.
HeaderRead JpegSize(SDL_RWops* rw, Header* hd) {
  uint8_t b[5];
  for (int steps = 0; steps < kMaxJpegMarkers; ++steps) {
    if (!ReadExact(rw, b, 2) || b[0] != 0xFF) return HeaderRead::kDamaged;
    uint8_t marker = b[1];
    while (marker == 0xFF && ++steps < kMaxJpegMarkers) {  // fill bytes
      if (!ReadExact(rw, &marker, 1)) return HeaderRead::kDamaged;
    }
    if (marker == 0xFF) break;
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return HeaderRead::kDamaged;  // image data before any frame header
    if (!ReadExact(rw, b, 2)) return HeaderRead::kDamaged;
    const int len = Be16(b);
    if (len < 2) return HeaderRead::kDamaged;
    const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      if (len < 7 || !ReadExact(rw, b, 5)) return HeaderRead::kDamaged;  // precision, height, width
      hd->h = Be16(b + 1);
      hd->w = Be16(b + 3);
      return HeaderRead::kOk;
    }
    if (SDL_RWseek(rw, len - 2, RW_SEEK_CUR) < 0) return HeaderRead::kDamaged;
  }
  return HeaderRead::kDamaged;
}

// Tells the format by its first bytes and reads the size from the header.
// The stream is read from its start; where it is left is unspecified.
HeaderRead ReadHeader(SDL_RWops* rw, Header* hd) {
  static const uint8_t kPngSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (SDL_RWseek(rw, 0, RW_SEEK_SET) < 0) return HeaderRead::kNotAPicture;
  uint8_t sig[8] = {};
  const size_t got = SDL_RWread(rw, sig, 1, sizeof sig);
  HeaderRead r;
  if (got == sizeof sig && std::memcmp(sig, kPngSig, sizeof sig) == 0) {
    hd->format = Format::kPng;
    r = PngSize(rw, hd);
  } else if (got >= 3 && sig[0] == 0xFF && sig[1] == 0xD8 && sig[2] == 0xFF) {
    hd->format = Format::kJpeg;
    if (SDL_RWseek(rw, 2, RW_SEEK_SET) < 0) return HeaderRead::kDamaged;
    r = JpegSize(rw, hd);
  } else {
    return HeaderRead::kNotAPicture;
  }
  if (r != HeaderRead::kOk) return r;
  if (hd->w <= 0 || hd->h <= 0 || hd->w > INT_MAX || hd->h > INT_MAX) return HeaderRead::kDamaged;
  if (hd->w > kMaxImageSide || hd->h > kMaxImageSide) return HeaderRead::kTooLarge;
  return HeaderRead::kOk;
}

std::string RefusalLine(HeaderRead r, const Header& hd) {
  const char* format = hd.format == Format::kPng ? "PNG" : "JPEG";
  switch (r) {
    case HeaderRead::kNotAPicture:
      return "Picture refused: not a PNG or JPEG picture";
    case HeaderRead::kDamaged:
      return std::string("Picture refused: damaged ") + format + " header";
    case HeaderRead::kCutShort:
      return "Picture refused: PNG cut short or damaged (a chunk runs past the end of the file)";
    case HeaderRead::kTooLarge:
      return std::string("Picture refused: ") + format + " of " + std::to_string(hd.w) + "x" + std::to_string(hd.h) +
             " is larger than " + std::to_string(kMaxImageSide) + " pixels a side";
    case HeaderRead::kOk:
      break;
  }
  return {};
}

// Takes the loader's surface (freeing it) into `out`; the decoded size must
// be the one the header declared.
bool FromSurface(SDL_Surface* s, const Header& hd, Image& out) {
  out = Image{};
  if (!s) return false;
  SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!conv) return false;
  const bool ok = conv->w == hd.w && conv->h == hd.h;
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
  return ok;
}

// Decodes the picture in `rw` (closing it) after its header has passed.
bool DecodeStream(SDL_RWops* rw, Image& out) {
  out = Image{};
  if (!rw) return false;
  Header hd;
  HeaderRead r = ReadHeader(rw, &hd);
  if (r == HeaderRead::kOk && hd.format == Format::kPng) r = PngChunksWhole(rw);
  if (r != HeaderRead::kOk) {
    SDL_RWclose(rw);
    PrintLine(RefusalLine(r, hd));
    return false;
  }
  SDL_Surface* s = nullptr;
  if (SDL_RWseek(rw, 0, RW_SEEK_SET) == 0) {
    InitDecoders();
    s = hd.format == Format::kPng ? IMG_LoadPNG_RW(rw) : IMG_LoadJPG_RW(rw);
  }
  SDL_RWclose(rw);
  return FromSurface(s, hd, out);
}

bool InfoStream(SDL_RWops* rw, int* w, int* h) {
  if (!rw) return false;
  Header hd;
  const bool ok = ReadHeader(rw, &hd) == HeaderRead::kOk;
  SDL_RWclose(rw);
  if (ok) {
    *w = int(hd.w);
    *h = int(hd.h);
  }
  return ok;
}

SDL_RWops* MemoryStream(const void* data, size_t size) {
  if (!data || size == 0 || size > size_t(INT_MAX)) return nullptr;
  return SDL_RWFromConstMem(data, int(size));
}

}  // namespace

bool ImageInfoMemory(const void* data, size_t size, int* w, int* h) {
  if (!w || !h) return false;
  return InfoStream(MemoryStream(data, size), w, h);
}

bool ImageInfoFile(const std::string& path, int* w, int* h) {
  if (!w || !h) return false;
  return InfoStream(SDL_RWFromFile(path.c_str(), "rb"), w, h);
}

bool DecodeMemory(const void* data, size_t size, Image& out) { return DecodeStream(MemoryStream(data, size), out); }

bool DecodeFile(const std::string& path, Image& out) {
  return DecodeStream(SDL_RWFromFile(path.c_str(), "rb"), out);
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
