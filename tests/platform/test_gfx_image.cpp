// The picture decoder: PNG and JPEG pictures decode to their pixels and
// report their sizes from the header; every other format, damaged headers
// and pictures past the side limit are refused before anything is decoded,
// each with its line; BMP is written for screenshots and never read.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx_image.h"
#include "tests/support/bmp_read.h"
#include "tests/support/test_env.h"

namespace {

// A w x h ARGB surface: alpha from x, red from y, green and blue fixed.
SDL_Surface* Gradient(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] =
          uint32_t(x * 6 & 0xFF) << 24 | uint32_t(y * 12 & 0xFF) << 16 | 0x8040u;
  return s;
}

// A picture of w x h written by the image library as PNG or JPEG, as bytes.
std::string Written(bool png, int w, int h) {
  const std::string path = testenv::FreshDir("written") + (png ? "/p.png" : "/p.jpg");
  SDL_Surface* s = Gradient(w, h);
  if (!s) return {};
  const int rc = png ? IMG_SavePNG(s, path.c_str()) : IMG_SaveJPG(s, path.c_str(), 90);
  SDL_FreeSurface(s);
  return rc == 0 ? testenv::ReadFile(path) : std::string();
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += char(b);
  return s;
}

std::string Be32(uint32_t v) { return Bytes({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)}); }
std::string Le32(uint32_t v) { return Bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)}); }

const std::string kPngSignature = Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});

// A PNG signature and an IHDR chunk of w x h, 8-bit RGBA, with no body.
std::string PngHeader(uint32_t w, uint32_t h) {
  return kPngSignature + Be32(13) + "IHDR" + Be32(w) + Be32(h) + Bytes({8, 6, 0, 0, 0}) + Be32(0);
}

// A JPEG start, an APP0 segment, and a baseline frame header of w x h.
std::string JpegHeader(int w, int h) {
  return Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xC0, 0, 11, 8, h >> 8, h & 0xFF, w >> 8, w & 0xFF, 1,
                1, 0x11, 0});
}

// Decodes from memory and, written to a file, from the file; both must give
// the same result and print the same. Returns what one decode printed.
std::string DecodeBoth(const std::string& bytes, bool* ok, plat::Image* img) {
  ::testing::internal::CaptureStdout();
  *ok = plat::DecodeMemory(bytes.data(), bytes.size(), *img);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  // The file is named as a PNG: the name plays no part.
  const std::string path = testenv::FreshDir("decode") + "/picture.png";
  testenv::WriteFile(path, bytes);
  plat::Image fromFile;
  ::testing::internal::CaptureStdout();
  const bool fileOk = plat::DecodeFile(path, fromFile);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), printed) << "the file prints what the bytes print";
  EXPECT_EQ(fileOk, *ok);
  EXPECT_EQ(fromFile.argb, img->argb);
  return printed;
}

// Reads the size from the header alone, from memory and from a file; both
// must agree and print nothing.
bool InfoBoth(const std::string& bytes, int* w, int* h) {
  ::testing::internal::CaptureStdout();
  const bool ok = plat::ImageInfoMemory(bytes.data(), bytes.size(), w, h);
  const std::string path = testenv::FreshDir("info") + "/picture.jpg";
  testenv::WriteFile(path, bytes);
  int fw = -1, fh = -1;
  const bool fileOk = plat::ImageInfoFile(path, &fw, &fh);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "a size query prints nothing";
  EXPECT_EQ(fileOk, ok);
  if (ok && fileOk) {
    EXPECT_EQ(fw, *w);
    EXPECT_EQ(fh, *h);
  }
  return ok;
}

// PNG and JPEG files as an image library writes them: sizes from their
// headers, PNG alpha kept, JPEG opaque.
TEST(GfxImage, PngAndJpegFiles) {
  const std::string dir = testenv::FreshDir("png");
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 37, 21, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 37; ++x)
      static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] = uint32_t(x * 6) << 24 | uint32_t(y * 12) << 16 | 0x8040u;
  ASSERT_EQ(IMG_SavePNG(s, (dir + "/a.png").c_str()), 0);
  ASSERT_EQ(IMG_SaveJPG(s, (dir + "/a.jpg").c_str(), 90), 0);
  for (const char* name : {"/a.png", "/a.jpg"}) {
    SCOPED_TRACE(name);
    int w = 0, h = 0;
    EXPECT_TRUE(plat::ImageInfoFile(dir + name, &w, &h));
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 21);
    plat::Image img;
    ASSERT_TRUE(plat::DecodeFile(dir + name, img));
    ASSERT_EQ(img.argb.size(), size_t(37 * 21));
    const bool png = std::string(name) == "/a.png";
    for (int y = 0; y < 21; y += 5)
      for (int x = 0; x < 37; x += 6) {
        const uint32_t p = img.argb[size_t(y * 37 + x)];
        if (png) {
          EXPECT_EQ(p, static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x]);
        } else {
          EXPECT_EQ(p >> 24, 0xFFu) << "JPEG has no alpha";
          EXPECT_NEAR(int((p >> 16) & 0xFF), y * 12, 12);
        }
      }
  }
  SDL_FreeSurface(s);
}

TEST(GfxImage, HeaderOnlyInfo) {
  // A PNG signature and IHDR with a body that is not there: the size is read
  // from the header, the decode fails.
  const std::string png = PngHeader(100, 60);
  int w = 0, h = 0;
  EXPECT_TRUE(InfoBoth(png, &w, &h));
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 60);
  plat::Image img;
  EXPECT_FALSE(plat::DecodeMemory(png.data(), png.size(), img));
  EXPECT_TRUE(img.argb.empty());
  // A JPEG with an APP0 segment, then a baseline frame header of 640×480.
  EXPECT_TRUE(InfoBoth(JpegHeader(640, 480), &w, &h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_FALSE(InfoBoth("\x01\x02\x03\x04\x05\x06\x07\x08\x09", &w, &h));
  EXPECT_FALSE(InfoBoth(png.substr(0, 12), &w, &h));  // truncated header
}

// The screenshot format is written, and read back here by SDL's own BMP
// reader; the game's decoder refuses it like any other format.
TEST(GfxImage, BmpIsWrittenButNotDecoded) {
  const std::string dir = testenv::FreshDir("img");
  plat::Image img;
  img.w = 3;
  img.h = 2;
  img.argb = {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF123456u, 0xFFFFFFFFu, 0x7F000000u};
  ASSERT_TRUE(plat::SaveBMP(dir + "/a.bmp", img));
  plat::Image back;
  ASSERT_TRUE(bmptest::ReadBmp(dir + "/a.bmp", back));
  EXPECT_EQ(back.w, 3);
  EXPECT_EQ(back.h, 2);
  EXPECT_EQ(back.argb, img.argb);

  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(plat::DecodeFile(dir + "/a.bmp", back));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Picture refused: not a PNG or JPEG picture\n");
  EXPECT_TRUE(back.argb.empty());
  int w = 0, h = 0;
  EXPECT_FALSE(plat::ImageInfoFile(dir + "/a.bmp", &w, &h));

  // A file that is not there is not a refusal: nothing is printed.
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(plat::DecodeFile(dir + "/missing.png", back));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(plat::ImageInfoFile(dir + "/missing.png", &w, &h));
}

// Formats the image library would read (some at great cost) are refused by
// their first bytes, before any of their loaders runs.
TEST(GfxImage, OtherFormatsAreRefusedUnread) {
  // An XCF header declaring 60000 x 60000 and a cut-off property list: 31
  // bytes that the library's XCF loader would spend seconds and gigabytes on.
  const std::string xcf = std::string("gimp xcf file", 14) + Be32(60000) + Be32(60000) + Be32(0) + Bytes({0, 0, 0, 0, 1});
  // A BMP file header and the start of an info header declaring
  // 16777216 x 33554432 at 32 bits: 37 bytes asking for 2 PiB of pixels.
  const std::string bmp = "BM" + Le32(37) + Le32(0) + Le32(54) + Le32(40) + Le32(16777216) + Le32(33554432) +
                          Bytes({1, 0, 32, 0}) + Le32(0) + Bytes({0, 0, 0});
  // A whole, valid 1 x 1 GIF and a whole, valid BMP.
  const std::string gif = Bytes({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                                 0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B});
  plat::Image one;
  one.w = one.h = 1;
  one.argb = {0xFF102030u};
  const std::string bmpPath = testenv::FreshDir("bmp") + "/one.bmp";
  ASSERT_TRUE(plat::SaveBMP(bmpPath, one));
  const std::string wholeBmp = testenv::ReadFile(bmpPath);

  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"XCF header", xcf},
      {"BMP header", bmp},
      {"valid GIF", gif},
      {"valid BMP", wholeBmp},
      {"text", "not a picture at all"},
      {"the first two bytes of a JPEG", Bytes({0xFF, 0xD8})},
      {"seven bytes of a PNG signature", kPngSignature.substr(0, 7)},
  };
  ASSERT_EQ(xcf.size(), 31u);
  ASSERT_EQ(bmp.size(), 37u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    plat::Image img;
    img.w = 5;
    img.argb = {1, 2, 3};
    bool ok = true;
    EXPECT_EQ(DecodeBoth(c.bytes, &ok, &img), "Picture refused: not a PNG or JPEG picture\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(img.w, 0);
    EXPECT_TRUE(img.argb.empty());
    int w = 0, h = 0;
    EXPECT_FALSE(InfoBoth(c.bytes, &w, &h));
  }
}

// The side limit is read from the header: a picture one pixel past it is
// refused (its pixels would decode), one at it decodes, and so do the large
// pictures the game's tests use.
TEST(GfxImage, SidesPastTheLimitAreRefusedFromTheHeader) {
  ASSERT_EQ(plat::kMaxImageSide, 8192);
  struct Case {
    const char* label;
    std::string bytes;
    int w, h;
    const char* printed;  // nullptr: decodes
  };
  const Case cases[] = {
      {"PNG at the limit", Written(true, 8192, 1), 8192, 1, nullptr},
      {"JPEG at the limit", Written(false, 1, 8192), 1, 8192, nullptr},
      {"PNG 4000 x 3000", Written(true, 4000, 3000), 4000, 3000, nullptr},
      {"JPEG 4000 x 3000", Written(false, 4000, 3000), 4000, 3000, nullptr},
      {"PNG one past the limit", Written(true, 8193, 1), 8193, 1,
       "Picture refused: PNG of 8193x1 is larger than 8192 pixels a side\n"},
      {"JPEG one past the limit", Written(false, 1, 8193), 1, 8193,
       "Picture refused: JPEG of 1x8193 is larger than 8192 pixels a side\n"},
      {"PNG header of 100000 x 100000", PngHeader(100000, 100000), 0, 0,
       "Picture refused: PNG of 100000x100000 is larger than 8192 pixels a side\n"},
      {"PNG header of 2^31 x 1", PngHeader(0x80000000u, 1), 0, 0, "Picture refused: damaged PNG header\n"},
      {"JPEG header of 65535 x 65535", JpegHeader(65535, 65535), 0, 0,
       "Picture refused: JPEG of 65535x65535 is larger than 8192 pixels a side\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_FALSE(c.bytes.empty());
    plat::Image img;
    bool ok = false;
    const std::string printed = DecodeBoth(c.bytes, &ok, &img);
    int w = 0, h = 0;
    const bool info = InfoBoth(c.bytes, &w, &h);
    if (c.printed) {
      EXPECT_EQ(printed, c.printed);
      EXPECT_FALSE(ok);
      EXPECT_TRUE(img.argb.empty());
      EXPECT_FALSE(info);
      continue;
    }
    EXPECT_EQ(printed, "");
    ASSERT_TRUE(ok);
    EXPECT_EQ(img.w, c.w);
    EXPECT_EQ(img.h, c.h);
    ASSERT_EQ(img.argb.size(), size_t(c.w) * size_t(c.h));
    EXPECT_TRUE(info);
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
    // The last pixel: red from its row (exact in PNG, near in JPEG).
    const uint32_t last = img.argb.back();
    EXPECT_NEAR(int(last >> 16 & 0xFF), (c.h - 1) * 12 & 0xFF, 16);
  }
}

// PNG and JPEG headers that make no sense are refused before decoding, and
// the walk over a JPEG's segments has an end.
TEST(GfxImage, DamagedHeadersAreRefused) {
  const std::string soi = Bytes({0xFF, 0xD8});
  std::string manySegments = soi;
  for (int i = 0; i < 2000; ++i) manySegments += Bytes({0xFF, 0xFE, 0, 2});  // empty comments
  manySegments += JpegHeader(4, 4).substr(2);
  struct Case {
    const char* label;
    std::string bytes;
    const char* printed;
  };
  const Case cases[] = {
      {"PNG whose first chunk is not IHDR", kPngSignature + Be32(13) + "IDAT" + Be32(4) + Be32(4) + Be32(0),
       "Picture refused: damaged PNG header\n"},
      {"PNG of width 0", PngHeader(0, 10), "Picture refused: damaged PNG header\n"},
      {"PNG cut inside IHDR", PngHeader(10, 10).substr(0, 20), "Picture refused: damaged PNG header\n"},
      {"JPEG with image data before a frame header", soi + Bytes({0xFF, 0xDA, 0, 2, 0xFF, 0xD9}),
       "Picture refused: damaged JPEG header\n"},
      {"JPEG frame of height 0", JpegHeader(16, 0), "Picture refused: damaged JPEG header\n"},
      {"JPEG segment length 1", soi + Bytes({0xFF, 0xE0, 0, 1, 0, 0, 0, 0}), "Picture refused: damaged JPEG header\n"},
      {"JPEG segment past the end", soi + Bytes({0xFF, 0xE0, 0x40, 0, 1, 2, 3}), "Picture refused: damaged JPEG header\n"},
      {"JPEG of fill bytes only", soi + std::string(5000, '\xFF'), "Picture refused: damaged JPEG header\n"},
      {"JPEG with 2000 segments before the frame", manySegments, "Picture refused: damaged JPEG header\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    plat::Image img;
    bool ok = true;
    EXPECT_EQ(DecodeBoth(c.bytes, &ok, &img), c.printed);
    EXPECT_FALSE(ok);
    int w = 0, h = 0;
    EXPECT_FALSE(InfoBoth(c.bytes, &w, &h));
  }
  // The same JPEG with fewer segments before its frame is read.
  std::string fewSegments = soi;
  for (int i = 0; i < 20; ++i) fewSegments += Bytes({0xFF, 0xFE, 0, 2});
  fewSegments += JpegHeader(4, 3).substr(2);
  int w = 0, h = 0;
  EXPECT_TRUE(InfoBoth(fewSegments, &w, &h));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 3);
}

// A PNG whose chunks do not all lie inside the data is refused before the
// PNG loader sees it: past the end, that loader goes on with the bytes of
// its last read, and the first case (found by fuzzing) kept it skipping the
// same chunk for good. Its size is still read from the header.
TEST(GfxImage, PngsWhoseChunksRunPastTheEndAreRefused) {
  const std::string whole = Written(true, 24, 16);
  ASSERT_GT(whole.size(), 57u);
  const std::string ihdr = whole.substr(0, 33);  // signature and IHDR chunk
  std::string overstatedIdat = whole;
  ASSERT_EQ(overstatedIdat.substr(37, 4), "IDAT") << "the writer puts IDAT right after IHDR";
  overstatedIdat.replace(33, 4, Be32(0x10000));
  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"a bKGD chunk of 65286 bytes in a file of 306",
       ihdr + Be32(65286) + "bKGD" + std::string(306 - 33 - 8, '\xA7')},
      {"cut before IEND", whole.substr(0, whole.size() - 12)},
      {"cut inside IEND", whole.substr(0, whole.size() - 2)},
      {"IDAT length past the end", overstatedIdat},
      {"a chunk length over 2^31", ihdr + Be32(0x80000000u) + "tEXt" + whole.substr(33)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    plat::Image img;
    bool ok = true;
    EXPECT_EQ(DecodeBoth(c.bytes, &ok, &img),
              "Picture refused: PNG cut short or damaged (a chunk runs past the end of the file)\n");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(img.argb.empty());
    int w = 0, h = 0;
    EXPECT_TRUE(InfoBoth(c.bytes, &w, &h));
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 16);
  }
  // The whole file, and the same with bytes after IEND, are decoded.
  for (const std::string& bytes : {whole, whole + "trailing"}) {
    plat::Image img;
    bool ok = false;
    EXPECT_EQ(DecodeBoth(bytes, &ok, &img), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(img.w, 24);
    EXPECT_EQ(img.h, 16);
  }
}

}  // namespace
