// Drawing surface and helpers shared by every image family of the data
// generator: a cairo ARGB image with PNG and JPEG encoders, colour helpers,
// rounded shapes, a seeded random generator and tileable value noise.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gendata {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to a colour of three 0..1 channels.
Rgb Hex(std::uint32_t rgb);
Rgb Mix(const Rgb& a, const Rgb& b, double t);
Rgb Scale(const Rgb& c, double k);
void SetRgb(cairo_t* cr, const Rgb& c, double alpha = 1.0);

// One image being drawn: an ARGB32 cairo surface and its context.
class Image {
 public:
  Image(int w, int h);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int W() const { return w_; }
  int H() const { return h_; }
  cairo_t* Cr() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }

  // Premultiplied ARGB words, one row every Stride()/4 words.
  std::uint32_t* Pixels();
  int StrideWords();

  Bytes Png();
  // Opaque baseline JPEG (alpha is dropped).
  Bytes Jpeg(int quality);

 private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Circle(cairo_t* cr, double x, double y, double r);
// A vertical linear gradient from top colour to bottom colour over [y0, y1].
cairo_pattern_t* VGradient(double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha = 1.0);
// Fills the current path with a vertical gradient and keeps the path.
void FillVGradient(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha = 1.0);

// Small deterministic generator (xorshift64*), so every run draws the same.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : s_(seed * 2654435761u + 0x9E3779B97F4A7C15ull) { Next(); }
  std::uint64_t Next();
  double Uniform();                       // [0, 1)
  double Range(double a, double b);        // [a, b)
  int Int(int a, int b);                   // a..b inclusive

 private:
  std::uint64_t s_;
};

// Value noise in [0, 1]; `period` > 0 makes it repeat every `period` cells
// along both axes, which keeps tiled textures seamless.
double Noise(double x, double y, std::uint32_t seed, int period = 0);
// Sum of octaves of Noise, normalised to [0, 1].
double Fbm(double x, double y, int octaves, std::uint32_t seed, int period = 0);

// Adds per-pixel brightness grain with a tileable pattern of the given cell size.
void AddGrain(Image& img, double amount, double cell, std::uint32_t seed, bool tile);

// Decoding for the contact sheet and for self checks (PNG through cairo).
cairo_surface_t* DecodePng(const Bytes& png);
cairo_surface_t* DecodeJpeg(const Bytes& jpg);

}  // namespace gendata
