#include "tools/data/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace gendata {

Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(const Rgb& c, double k) {
  auto cl = [](double v) { return v < 0 ? 0.0 : (v > 1 ? 1.0 : v); };
  return {cl(c.r * k), cl(c.g * k), cl(c.b * k)};
}

void SetRgb(cairo_t* cr, const Rgb& c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

Image::Image(int w, int h) : w_(w), h_(h) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surface_);
}

Image::~Image() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::uint32_t* Image::Pixels() {
  cairo_surface_flush(surface_);
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

int Image::StrideWords() { return cairo_image_surface_get_stride(surface_) / 4; }

static cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<Bytes*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

Bytes Image::Png() {
  cairo_surface_flush(surface_);
  Bytes out;
  cairo_surface_write_to_png_stream(surface_, AppendBytes, &out);
  return out;
}

Bytes Image::Jpeg(int quality) {
  std::uint32_t* px = Pixels();
  int stride = StrideWords();
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&cinfo, &mem, &memSize);
  cinfo.image_width = static_cast<JDIMENSION>(w_);
  cinfo.image_height = static_cast<JDIMENSION>(h_);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(w_) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint32_t* src = px + static_cast<size_t>(cinfo.next_scanline) * stride;
    for (int x = 0; x < w_; ++x) {
      std::uint32_t p = src[x];
      unsigned a = p >> 24;
      auto un = [a](unsigned c) { return a == 0 ? 0u : (a == 255 ? c : (c * 255 + a / 2) / a); };
      row[x * 3 + 0] = static_cast<unsigned char>(un((p >> 16) & 255));
      row[x * 3 + 1] = static_cast<unsigned char>(un((p >> 8) & 255));
      row[x * 3 + 2] = static_cast<unsigned char>(un(p & 255));
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(mem, mem + memSize);
  jpeg_destroy_compress(&cinfo);
  std::free(mem);
  return out;
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  if (r > w / 2) r = w / 2;
  if (r > h / 2) r = h / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_close_path(cr);
}

cairo_pattern_t* VGradient(double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
  return p;
}

void FillVGradient(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom, double alpha) {
  cairo_pattern_t* p = VGradient(y0, y1, top, bottom, alpha);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

std::uint64_t Rng::Next() {
  s_ ^= s_ >> 12;
  s_ ^= s_ << 25;
  s_ ^= s_ >> 27;
  return s_ * 2685821657736338717ull;
}

double Rng::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
double Rng::Range(double a, double b) { return a + (b - a) * Uniform(); }
int Rng::Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<std::uint64_t>(b - a + 1)); }

static double Lattice(int x, int y, std::uint32_t seed, int period) {
  if (period > 0) {
    x %= period;
    if (x < 0) x += period;
    y %= period;
    if (y < 0) y += period;
  }
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double Noise(double x, double y, std::uint32_t seed, int period) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  double a = Lattice(ix, iy, seed, period), b = Lattice(ix + 1, iy, seed, period);
  double c = Lattice(ix, iy + 1, seed, period), d = Lattice(ix + 1, iy + 1, seed, period);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fbm(double x, double y, int octaves, std::uint32_t seed, int period) {
  double sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + static_cast<std::uint32_t>(i) * 101u, period);
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
    if (period > 0) period *= 2;
  }
  return sum / norm;
}

void AddGrain(Image& img, double amount, double cell, std::uint32_t seed, bool tile) {
  std::uint32_t* px = img.Pixels();
  int stride = img.StrideWords();
  // A tiling grain uses a whole number of noise cells across the image.
  int period = tile ? std::max(1, static_cast<int>(std::lround(img.W() / cell))) : 0;
  double sx = tile ? static_cast<double>(period) / img.W() : 1.0 / cell;
  double sy = tile ? static_cast<double>(period) / img.H() : 1.0 / cell;
  for (int y = 0; y < img.H(); ++y) {
    for (int x = 0; x < img.W(); ++x) {
      std::uint32_t& p = px[y * stride + x];
      unsigned a = p >> 24;
      if (a == 0) continue;
      double n = (Fbm(x * sx, y * sy, 3, seed, period) - 0.5) * 2 * amount;
      auto ch = [&](int shift) {
        double c = ((p >> shift) & 255) + n * a;
        if (c < 0) c = 0;
        if (c > a) c = a;
        return static_cast<std::uint32_t>(c + 0.5) << shift;
      };
      p = (a << 24) | ch(16) | ch(8) | ch(0);
    }
  }
  cairo_surface_mark_dirty(img.Surface());
}

struct PngReader {
  const Bytes* data;
  size_t pos;
};

static cairo_status_t ReadBytes(void* closure, unsigned char* out, unsigned int length) {
  auto* r = static_cast<PngReader*>(closure);
  if (r->pos + length > r->data->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, r->data->data() + r->pos, length);
  r->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* DecodePng(const Bytes& png) {
  PngReader r{&png, 0};
  return cairo_image_surface_create_from_png_stream(ReadBytes, &r);
}

cairo_surface_t* DecodeJpeg(const Bytes& jpg) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpg.data(), static_cast<unsigned long>(jpg.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  auto* base = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW rp = row.data();
    jpeg_read_scanlines(&cinfo, &rp, 1);
    auto* dst = reinterpret_cast<std::uint32_t*>(base + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) dst[x] = 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  cairo_surface_mark_dirty(s);
  return s;
}

}  // namespace gendata
