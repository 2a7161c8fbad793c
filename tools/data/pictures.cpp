// Procedural painters for the puzzle pictures.  Every painter lays down a
// scene with detail at every scale (noise-driven terrain, waves, windows,
// petals, tiles, fractal bands) and a final fine texture, so that no part of
// a picture is flat and no two parts look alike.
#include "tools/data/pictures.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "tools/data/theme.h"

namespace gendata {

namespace {

class Pixels {
 public:
  explicit Pixels(Image& img) : img_(img), p_(img.Pixels()), stride_(img.StrideWords()) {}
  ~Pixels() { cairo_surface_mark_dirty(img_.Surface()); }
  void Set(int x, int y, const Rgb& c) {
    auto ch = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
    p_[y * stride_ + x] = 0xFF000000u | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
  }
  Rgb Get(int x, int y) const {
    std::uint32_t v = p_[y * stride_ + x];
    return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
  }

 private:
  Image& img_;
  std::uint32_t* p_;
  int stride_;
};

Rgb Add(const Rgb& a, const Rgb& b, double k) { return {a.r + b.r * k, a.g + b.g * k, a.b + b.b * k}; }

// Canvas texture over the whole picture: brush-sized brightness strokes,
// a fine grain and a slow colour drift.  It gives every piece of the
// picture detail of its own, even in a clear sky or a calm sea.
void Texture(Image& img, std::uint32_t seed, double amount) {
  Pixels px(img);
  int w = img.W(), h = img.H();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // keep off full white and black, where the texture would be clipped
      Rgb c = px.Get(x, y);
      c = {0.03 + 0.92 * c.r, 0.03 + 0.92 * c.g, 0.03 + 0.92 * c.b};
      double brush = Fbm(x / 26.0 + 0.35 * Noise(y / 9.0, x / 60.0, seed + 3), y / 20.0, 4, seed) - 0.5;
      double grain = Fbm(x / 4.0, y / 4.0, 2, seed + 5) - 0.5;
      double delta = (brush * 1.3 + grain * 0.4) * amount;
      double d1 = (Fbm(x / 120.0, y / 120.0, 3, seed + 7) - 0.5) * amount;
      double d2 = (Fbm(x / 110.0, y / 110.0, 3, seed + 9) - 0.5) * amount;
      // dark areas get the texture as light, bright ones as shade
      double lum = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
      double add = 0.3 + 0.6 * (1 - lum);
      auto ch = [&](double v, double drift) { return v * (1 + delta + drift) + (delta + drift) * add; };
      px.Set(x, y, {ch(c.r, d1), ch(c.g, 0), ch(c.b, d2)});
    }
}

struct SkyPalette {
  Rgb top, horizon, sun, cloud;
  double sunX, sunY, sunR;
  bool stars;
};

Rgb SkyAt(const SkyPalette& s, double x, double y, int w, double horizon, std::uint32_t seed) {
  double t = std::clamp(y / horizon, 0.0, 1.0);
  Rgb c = Mix(s.top, s.horizon, std::pow(t, 1.4));
  double dx = (x - s.sunX * w) / w, dy = (y - s.sunY * horizon) / w;
  double d = std::sqrt(dx * dx + dy * dy);
  c = Add(c, s.sun, 0.5 * std::exp(-d * 9));
  if (d < s.sunR) c = Mix(c, s.sun, 0.9);
  double cl = Fbm(x / 260.0, y / 70.0, 6, seed);
  double cover = std::clamp((cl - 0.4) * 2.6, 0.0, 1.0);
  c = Mix(c, Mix(s.cloud, Scale(s.cloud, 0.75), Fbm(x / 40.0, y / 25.0, 3, seed + 3)), cover * 0.8);
  if (s.stars) {
    // a milky band of faint light and many stars of different brightness
    double band = std::exp(-std::pow((y - horizon * 0.35 - (x - w * 0.5) * 0.25) / (horizon * 0.25), 2));
    c = Add(c, {0.55, 0.6, 0.8}, 0.22 * band * Fbm(x / 45.0, y / 45.0, 5, seed + 12));
    double n = Noise(x * 0.7, y * 0.7, seed + 11);
    if (n > 0.955) c = Add(c, {1, 1, 0.95}, (n - 0.955) * 22 * (1 - cover));
  }
  return c;
}

void Mountains(Image& img, int variant) {
  struct Scene {
    SkyPalette sky;
    Rgb farRidge, nearRidge, ground;
    bool lake, snow, aurora;
  };
  const Scene scenes[] = {
      {{Hex(0x3B5B9A), Hex(0xF6B27A), Hex(0xFFE6A0), Hex(0xF3C9C0), 0.7, 0.8, 0.03, false}, Hex(0x8B7FA8), Hex(0x2F4A3A), Hex(0x4F7A35), false, true, false},
      {{Hex(0x3F86D0), Hex(0xBFDDF2), Hex(0xFFFBE8), Hex(0xFFFFFF), 0.25, 0.3, 0.025, false}, Hex(0x8AA4C4), Hex(0x355E2E), Hex(0x5E9A3A), true, true, false},
      {{Hex(0x2A1E4E), Hex(0xE8743A), Hex(0xFFC060), Hex(0xC8708A), 0.5, 0.95, 0.04, false}, Hex(0x8A4E6A), Hex(0x2A1A28), Hex(0x6A4A2A), false, false, false},
      {{Hex(0x050A1E), Hex(0x14305A), Hex(0xE8F0FF), Hex(0x303A5A), 0.8, 0.25, 0.018, true}, Hex(0x34466E), Hex(0x0E1628), Hex(0x1A2A30), true, true, true},
      {{Hex(0x5A8CC8), Hex(0xF0E0C0), Hex(0xFFF0C0), Hex(0xFFF4EA), 0.35, 0.5, 0.03, false}, Hex(0xB08A6A), Hex(0x7A3A14), Hex(0xC07A28), true, false, false},
      {{Hex(0x4A78C0), Hex(0xF6D8A0), Hex(0xFFF4D0), Hex(0xFFFFFF), 0.6, 0.4, 0.03, false}, Hex(0xD8A868), Hex(0xB06A30), Hex(0xE0B070), false, false, false},
      {{Hex(0x6C8CB8), Hex(0xDCE6F0), Hex(0xFFFFFF), Hex(0xF4F8FF), 0.4, 0.35, 0.02, false}, Hex(0xA8B8D0), Hex(0x4A5A78), Hex(0xE8F0F8), true, true, false},
      {{Hex(0x3A7AC8), Hex(0xCFE8F0), Hex(0xFFFCE0), Hex(0xFFFFFF), 0.8, 0.2, 0.03, false}, Hex(0x6A9A8A), Hex(0x2E6A28), Hex(0x58A838), false, false, false},
      {{Hex(0x4A3A7A), Hex(0xF0A8B0), Hex(0xFFE0D0), Hex(0xF8D0E0), 0.3, 0.85, 0.035, false}, Hex(0x8A70A8), Hex(0x4A3A6A), Hex(0x8A68B8), false, false, false},
  };
  const Scene& s = scenes[variant % 9];
  const bool flowers = variant % 9 == 0 || variant % 9 == 1 || variant % 9 == 7 || variant % 9 == 8;  // meadows
  const std::uint32_t seed = 1000 + variant * 37;
  int w = img.W(), h = img.H();
  double horizon = h * 0.62;
  double lakeY = s.lake ? h * 0.74 : h * 2;
  const int layers = 5;
  std::vector<double> tops(static_cast<size_t>(w) * layers);
  for (int k = 0; k < layers; ++k)
    for (int x = 0; x < w; ++x) {
      double n = Fbm(x / (420.0 - k * 60) + k * 13.7, k * 3.1, 6, seed + k);
      double ridge = 1 - std::fabs(2 * n - 1);
      double base = h * (0.30 + 0.09 * k) + (s.lake && k == layers - 1 ? h * 0.06 : 0);
      tops[k * w + x] = base + h * 0.18 * (1 - ridge) - h * 0.05 * k * Fbm(x / 90.0, k, 3, seed + 50 + k);
    }
  Pixels px(img);
  int yEnd = std::min(h, static_cast<int>(lakeY));
  for (int y = 0; y < yEnd; ++y)
    for (int x = 0; x < w; ++x) {
      int layer = -1;
      for (int k = layers - 1; k >= 0; --k)
        if (y >= tops[k * w + x]) {
          layer = k;
          break;
        }
      Rgb c;
      if (layer < 0) {
        c = SkyAt(s.sky, x, y, w, horizon, seed + 99);
        if (s.aurora) {
          double band = std::sin(x / 130.0 + 3 * Fbm(x / 300.0, 0, 3, seed + 5)) * h * 0.06 + h * 0.22;
          double a = std::exp(-std::pow((y - band) / (h * 0.07), 2)) * Fbm(x / 25.0, y / 160.0, 3, seed + 6);
          c = Add(c, {0.2, 1.0, 0.55}, a * 0.9);
        }
      } else {
        double t = static_cast<double>(layer) / (layers - 1);
        Rgb base = Mix(s.farRidge, s.nearRidge, t);
        double depth = (y - tops[layer * w + x]) / h;
        double rock = Fbm(x / (30.0 + 20 * (1 - t)), y / 24.0, 5, seed + 200 + layer);
        c = Scale(base, 0.75 + 0.5 * rock - depth * 0.6 * t);
        if (s.snow && layer < 2) {
          // snow on the upper slopes, thinning out downhill
          double cover = std::clamp(1.0 - depth / (0.02 + 0.06 * rock), 0.0, 1.0);
          c = Mix(c, Hex(0xF4F8FF), 0.8 * cover);
        }
        if (layer == layers - 1) {
          // the foreground: grass with flowers
          double g = Fbm(x / 12.0, y / 6.0, 4, seed + 300);
          c = Scale(s.ground, 0.7 + 0.6 * g);
          double f = Noise(x / 3.0, y / 3.0, seed + 301);
          if (flowers && f > 0.93) c = Mix(c, (static_cast<int>(x / 7 + y / 5) % 3 == 0) ? Hex(0xF0E040) : Hex(0xE85A70), 0.8);
        }
        // haze towards the horizon
        c = Mix(c, s.sky.horizon, (1 - t) * 0.35);
      }
      px.Set(x, y, c);
    }
  // the lake mirrors what stands above it, broken by ripples
  for (int y = yEnd; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double ripple = std::sin(y * 0.9 + 4 * Fbm(x / 40.0, y / 6.0, 3, seed + 400)) * 4;
      int sx = std::clamp(static_cast<int>(x + ripple), 0, w - 1);
      int sy = std::clamp(static_cast<int>(2 * lakeY - y - 1), 0, yEnd - 1);
      Rgb c = px.Get(sx, sy);
      double depth = (y - lakeY) / (h - lakeY);
      c = Mix(Scale(c, 0.8), Hex(0x1A3A5A), 0.25 + 0.3 * depth);
      c = Scale(c, 0.9 + 0.2 * Fbm(x / 8.0, y / 2.0, 2, seed + 401));
      px.Set(x, y, c);
    }
}

void Sea(Image& img, int variant) {
  const SkyPalette skies[] = {
      {Hex(0x2A2A6A), Hex(0xFF9A50), Hex(0xFFD870), Hex(0xE88A7A), 0.5, 0.85, 0.05, false},
      {Hex(0x3A8AD8), Hex(0xCDEBF8), Hex(0xFFFFF0), Hex(0xFFFFFF), 0.75, 0.25, 0.03, false},
      {Hex(0x060C24), Hex(0x1E3A64), Hex(0xF0F4FF), Hex(0x3A4668), 0.2, 0.3, 0.02, true},
      {Hex(0x2E3440), Hex(0x8A949E), Hex(0xD0D4D8), Hex(0x5A626C), 0.6, 0.4, 0.0, false},
  };
  const Rgb waters[] = {Hex(0x3A3A7A), Hex(0x1E7AB0), Hex(0x0E2240), Hex(0x34505A)};
  int v = variant % 4;
  const SkyPalette& sky = skies[v];
  const std::uint32_t seed = 2000 + variant * 41;
  int w = img.W(), h = img.H();
  double horizon = h * (v == 1 ? 0.45 : 0.55);
  Pixels px(img);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgb c;
      if (y < horizon) {
        c = SkyAt(sky, x, y, w, horizon, seed);
        if (v == 3) c = Mix(c, Scale(sky.cloud, 0.6), std::clamp((Fbm(x / 180.0, y / 60.0, 6, seed + 1) - 0.35) * 2, 0.0, 1.0));
      } else {
        double d = (y - horizon) / (h - horizon);
        double wave = Fbm(x / (60.0 + 200 * (1 - d)) , y / (4.0 + 30 * d), 5, seed + 2);
        c = Scale(Mix(waters[v], Scale(waters[v], 0.55), d), 0.7 + 0.6 * wave);
        // the sun's path on the water
        double sx = sky.sunX * w;
        double glitter = std::exp(-std::pow((x - sx) / (w * (0.03 + 0.12 * d)), 2)) * std::pow(wave, 3) * 2;
        c = Add(c, sky.sun, glitter * (v == 3 ? 0.2 : 0.8));
        if (v == 3 && wave > 0.72) c = Mix(c, Hex(0xE8F0F0), (wave - 0.72) * 3);  // white caps
        if (v == 1) {
          // a sandy beach with a line of foam
          double shore = h * 0.78 + h * 0.05 * std::sin(x / 160.0) + h * 0.03 * Fbm(x / 50.0, 0, 4, seed + 3);
          if (y > shore) {
            double sand = Fbm(x / 6.0, y / 6.0, 4, seed + 4);
            c = Scale(Hex(0xE8C890), 0.8 + 0.35 * sand);
            if (y < shore + 10 + 8 * Fbm(x / 20.0, y, 2, seed + 5)) c = Mix(c, Hex(0xFFFFFF), 0.7);
          }
        }
      }
      px.Set(x, y, c);
    }
  cairo_t* cr = img.Cr();
  if (v == 2) {
    // a lighthouse on a rock with its beam
    double bx = w * 0.72, by = horizon + h * 0.08;
    cairo_move_to(cr, bx - w * 0.14, h * 0.74);
    cairo_curve_to(cr, bx - w * 0.1, by - 10, bx + w * 0.08, by - 14, bx + w * 0.16, h * 0.74);
    cairo_close_path(cr);
    SetRgb(cr, Hex(0x141820));
    cairo_fill(cr);
    cairo_move_to(cr, bx - 24, by);
    cairo_line_to(cr, bx - 14, by - h * 0.42);
    cairo_line_to(cr, bx + 14, by - h * 0.42);
    cairo_line_to(cr, bx + 24, by);
    cairo_close_path(cr);
    SetRgb(cr, Hex(0xE8E0D0));
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
      double yy = by - h * (0.06 + 0.1 * i);
      cairo_rectangle(cr, bx - 22, yy - 14, 44, 16);
      SetRgb(cr, Hex(0xB03028));
      cairo_fill(cr);
    }
    cairo_move_to(cr, bx, by - h * 0.46);
    cairo_line_to(cr, 0, by - h * 0.62);
    cairo_line_to(cr, 0, by - h * 0.40);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.22);
    cairo_fill(cr);
    Circle(cr, bx, by - h * 0.46, 14);
    SetRgb(cr, Hex(0xFFF4B0));
    cairo_fill(cr);
  }
  if (v == 0 || v == 3) {
    // sailing boats
    Rng rng(seed + 6);
    int boats = v == 0 ? 3 : 2;
    for (int i = 0; i < boats; ++i) {
      double bx = rng.Range(0.1, 0.9) * w, by = horizon + rng.Range(0.05, 0.3) * (h - horizon), s = 20 + (by - horizon) * 0.25;
      cairo_move_to(cr, bx - s, by);
      cairo_line_to(cr, bx + s, by);
      cairo_line_to(cr, bx + s * 0.7, by + s * 0.3);
      cairo_line_to(cr, bx - s * 0.7, by + s * 0.3);
      cairo_close_path(cr);
      SetRgb(cr, Hex(0x2A1A10));
      cairo_fill(cr);
      cairo_move_to(cr, bx, by - 2);
      cairo_line_to(cr, bx, by - s * 2);
      cairo_line_to(cr, bx + s * 0.9, by - 4);
      cairo_close_path(cr);
      SetRgb(cr, v == 0 ? Hex(0xF8E0C0) : Hex(0xD0D4D8));
      cairo_fill(cr);
    }
  }
}

void Skyline(Image& img, int variant) {
  const SkyPalette skies[] = {
      {Hex(0x040818), Hex(0x1A2A5A), Hex(0xF8F4E0), Hex(0x202848), 0.8, 0.2, 0.025, true},
      {Hex(0x1E1848), Hex(0xF08A50), Hex(0xFFD080), Hex(0xD07A80), 0.3, 0.9, 0.05, false},
      {Hex(0x5A88C0), Hex(0xF8D8C0), Hex(0xFFF0D8), Hex(0xFFF0F0), 0.7, 0.8, 0.04, false},
      {Hex(0x0A1230), Hex(0x4A3A6A), Hex(0xF0E0FF), Hex(0x3A3050), 0.15, 0.3, 0.02, true},
  };
  int v = variant % 4;
  const SkyPalette& sky = skies[v];
  const std::uint32_t seed = 3000 + variant * 43;
  int w = img.W(), h = img.H();
  double ground = h * 0.72;
  {
    Pixels px(img);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px.Set(x, y, SkyAt(sky, x, y, w, ground, seed));
  }
  cairo_t* cr = img.Cr();
  Rng rng(seed + 1);
  bool night = v == 0 || v == 3;
  for (int layer = 0; layer < 3; ++layer) {
    double x = -rng.Range(0, 40);
    Rgb body = Mix(Mix(sky.horizon, sky.top, 0.5), Hex(0x101018), 0.35 + 0.3 * layer);
    while (x < w) {
      double bw = rng.Range(40, 110), bh = rng.Range(0.12, 0.5 - 0.1 * layer) * h;
      double top = ground - bh;
      Rgb c = Scale(body, rng.Range(0.8, 1.2));
      cairo_rectangle(cr, x, top, bw, bh + 1);
      SetRgb(cr, c);
      cairo_fill(cr);
      if (rng.Uniform() < 0.3) {  // a spire or a stepped top
        cairo_rectangle(cr, x + bw * 0.3, top - bh * 0.12, bw * 0.4, bh * 0.12 + 1);
        cairo_fill(cr);
        cairo_move_to(cr, x + bw * 0.5 - 2, top - bh * 0.12);
        cairo_line_to(cr, x + bw * 0.5, top - bh * 0.2);
        cairo_line_to(cr, x + bw * 0.5 + 2, top - bh * 0.12);
        cairo_fill(cr);
      }
      // windows
      double ww = 5 + layer * 1.5, gap = ww + 4;
      for (double wy = top + 8; wy < ground - 8; wy += gap * 1.3)
        for (double wx = x + 6; wx < x + bw - ww - 4; wx += gap) {
          double lit = rng.Uniform();
          if (night ? lit < 0.55 : lit < 0.25) {
            Rgb wc = night ? Mix(Hex(0xFFD870), Hex(0xFFF4C0), rng.Uniform()) : Mix(sky.horizon, Hex(0xFFFFFF), 0.5);
            cairo_rectangle(cr, wx, wy, ww, ww * 1.3);
            SetRgb(cr, wc, night ? 0.95 : 0.6);
            cairo_fill(cr);
          } else {
            cairo_rectangle(cr, wx, wy, ww, ww * 1.3);
            SetRgb(cr, Scale(c, 0.7));
            cairo_fill(cr);
          }
        }
      x += bw + rng.Range(-6, 10);
    }
  }
  // the river in front mirrors the city
  Pixels px(img);
  for (int y = static_cast<int>(ground); y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double ripple = std::sin(y * 0.7 + 5 * Fbm(x / 30.0, y / 4.0, 3, seed + 2)) * 5;
      int sx = std::clamp(static_cast<int>(x + ripple), 0, w - 1);
      int sy = std::clamp(static_cast<int>(2 * ground - y - 1), 0, h - 1);
      Rgb c = px.Get(sx, sy);
      double d = (y - ground) / (h - ground);
      px.Set(x, y, Mix(Scale(c, 0.75), Hex(0x0A1420), 0.2 + 0.4 * d));
    }
}

void Flowers(Image& img, int variant) {
  struct Bed {
    Rgb back1, back2;
    Rgb petals[4];
    int petalCount;
  };
  const Bed beds[] = {
      {Hex(0x2E5A1E), Hex(0x8AB84A), {Hex(0xF8D020), Hex(0xF0A010), Hex(0xFFE060), Hex(0xE88A10)}, 16},
      {Hex(0x3A6A2A), Hex(0xA8D878), {Hex(0xE82838), Hex(0xF8F0F0), Hex(0xF880B0), Hex(0xA01858)}, 6},
      {Hex(0x1E3A4A), Hex(0x5A8AA0), {Hex(0x8A50C8), Hex(0xC8A0F0), Hex(0x5A70E0), Hex(0xF0F0FF)}, 8},
      {Hex(0x4A2A1A), Hex(0xC88A5A), {Hex(0xF05028), Hex(0xF8C040), Hex(0xE8E8D0), Hex(0xC02060)}, 12},
  };
  const Bed& bed = beds[variant % 4];
  const std::uint32_t seed = 4000 + variant * 47;
  int w = img.W(), h = img.H();
  {
    Pixels px(img);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        double n = Fbm(x / 150.0, y / 150.0, 5, seed);
        double leaf = Fbm(x / 14.0 + n * 4, y / 40.0, 4, seed + 1);
        px.Set(x, y, Scale(Mix(bed.back1, bed.back2, n), 0.6 + 0.7 * leaf));
      }
  }
  cairo_t* cr = img.Cr();
  Rng rng(seed + 2);
  int count = w * h / 5200;
  for (int i = 0; i < count; ++i) {
    double cx = rng.Range(-20, w + 20), cy = rng.Range(-20, h + 20);
    double r = rng.Range(18, 48) * (0.6 + 0.8 * cy / h);
    Rgb pc = bed.petals[rng.Int(0, 3)];
    pc = Scale(pc, rng.Range(0.8, 1.15));
    int n = bed.petalCount + rng.Int(-1, 2);
    double rot = rng.Range(0, M_PI);
    // leaves
    for (int k = 0; k < 2; ++k) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, rng.Range(0, 2 * M_PI));
      cairo_translate(cr, r * 0.9, 0);
      cairo_scale(cr, r * 0.8, r * 0.28);
      Circle(cr, 0, 0, 1);
      cairo_restore(cr);
      SetRgb(cr, Scale(Hex(0x3A7A2A), rng.Range(0.7, 1.2)));
      cairo_fill(cr);
    }
    for (int k = 0; k < n; ++k) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, rot + k * 2 * M_PI / n);
      cairo_translate(cr, r * 0.55, 0);
      cairo_scale(cr, r * 0.55, r * (n > 10 ? 0.14 : 0.3));
      Circle(cr, 0, 0, 1);
      cairo_restore(cr);
      cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 1.1);
      Rgb in = Scale(pc, 0.7), out = Scale(pc, 1.15);
      cairo_pattern_add_color_stop_rgb(g, 0, in.r, in.g, in.b);
      cairo_pattern_add_color_stop_rgb(g, 1, out.r, out.g, out.b);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      cairo_set_line_width(cr, 0.8);
      SetRgb(cr, Scale(pc, 0.5), 0.5);
      cairo_stroke(cr);
    }
    Circle(cr, cx, cy, r * 0.22);
    SetRgb(cr, variant % 4 == 0 ? Hex(0x4A2A10) : Hex(0xF0C020));
    cairo_fill(cr);
    for (int k = 0; k < 8; ++k) {
      double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, r * 0.18);
      Circle(cr, cx + d * std::cos(a), cy + d * std::sin(a), r * 0.03 + 0.8);
      SetRgb(cr, Hex(0x2A1A08), 0.6);
      cairo_fill(cr);
    }
  }
}

// Tiles of a mosaic: every pixel takes the colour of its nearest seed, with
// grout where two tiles meet.  Variant 1 is a stained-glass window.
void Mosaic(Image& img, int variant) {
  const std::uint32_t seed = 5000 + variant * 53;
  int w = img.W(), h = img.H();
  const int cell = variant == 0 ? 26 : 48;
  int gw = w / cell + 2, gh = h / cell + 2;
  Rng rng(seed);
  std::vector<double> sx(static_cast<size_t>(gw) * gh), sy(sx.size());
  std::vector<Rgb> col(sx.size());
  const Rgb warm[] = {Hex(0xC8502A), Hex(0xE8A030), Hex(0x2A6AA8), Hex(0xF0E0C0), Hex(0x3A8A5A), Hex(0x8A2A5A)};
  for (int j = 0; j < gh; ++j)
    for (int i = 0; i < gw; ++i) {
      size_t k = static_cast<size_t>(j) * gw + i;
      sx[k] = (i - 0.5 + rng.Uniform()) * cell;
      sy[k] = (j - 0.5 + rng.Uniform()) * cell;
      double px = sx[k] / w - 0.5, py = sy[k] / h - 0.5;
      double rr = std::sqrt(px * px * 1.8 + py * py), ang = std::atan2(py, px);
      double motif = variant == 0 ? std::sin(rr * 26 + std::sin(ang * 5) * 2) : std::sin(ang * 3 + rr * 9);
      int pick = static_cast<int>((motif + 1) * 2.99) % 6;
      Rgb c = Mix(warm[pick], warm[(pick + 1 + static_cast<int>(px * 4 + 4)) % 6], 0.25 + 0.2 * py);
      col[k] = Scale(c, rng.Range(0.75, 1.25));
    }
  Pixels out(img);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int ci = x / cell + 1, cj = y / cell + 1;
      double d1 = 1e18, d2 = 1e18;
      size_t best = 0;
      for (int dj = -1; dj <= 1; ++dj)
        for (int di = -1; di <= 1; ++di) {
          int i = ci + di, j = cj + dj;
          if (i < 0 || j < 0 || i >= gw || j >= gh) continue;
          size_t k = static_cast<size_t>(j) * gw + i;
          double d = (x - sx[k]) * (x - sx[k]) + (y - sy[k]) * (y - sy[k]);
          if (d < d1) {
            d2 = d1;
            d1 = d;
            best = k;
          } else if (d < d2) {
            d2 = d;
          }
        }
      double edge = std::sqrt(d2) - std::sqrt(d1);
      Rgb c = col[best];
      double shade = 0.85 + 0.3 * Fbm(x / 9.0, y / 9.0, 3, seed + 1);
      c = Scale(c, shade);
      if (variant == 1) {
        // light shining through: brighter towards the middle of each pane
        c = Scale(c, 0.8 + 0.5 * std::clamp(edge / 20.0, 0.0, 1.0));
        if (edge < 4) c = Hex(0x1A1410);
      } else if (edge < 2.5) {
        c = Mix(Hex(0xD8D0C0), Hex(0x8A8478), Fbm(x / 3.0, y / 3.0, 2, seed + 2));
      }
      out.Set(x, y, c);
    }
}

Rgb Palette(double t, int variant) {
  // cosine palettes
  const double params[][4][3] = {
      {{0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}, {1.0, 1.0, 1.0}, {0.0, 0.10, 0.20}},
      {{0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}, {1.0, 0.7, 0.4}, {0.0, 0.15, 0.20}},
  };
  const auto& p = params[variant % 2];
  auto ch = [&](int i) { return p[0][i] + p[1][i] * std::cos(2 * M_PI * (p[2][i] * t + p[3][i])); };
  return {ch(0), ch(1), ch(2)};
}

void Fractal(Image& img, bool julia, int variant) {
  int w = img.W(), h = img.H();
  // views chosen so that the boundary, full of detail, fills the frame
  double cx = julia ? 0.0 : -0.7435, cy = julia ? 0.0 : 0.1314, span = julia ? 2.6 : 0.012;
  std::complex<double> jc(-0.7269, 0.1889);
  const int maxIter = julia ? 300 : 500;
  Pixels px(img);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double re = cx + (x - w / 2.0) * span / w, im = cy + (y - h / 2.0) * span / w;
      std::complex<double> z = julia ? std::complex<double>(re, im) : 0.0;
      std::complex<double> c = julia ? jc : std::complex<double>(re, im);
      int i = 0;
      double trap = 1e9;
      for (; i < maxIter && std::norm(z) < 256.0; ++i) {
        z = z * z + c;
        trap = std::min(trap, std::fabs(z.real() * z.imag()));
      }
      Rgb col;
      if (i < maxIter) {
        double smooth = i + 1 - std::log2(std::log2(std::norm(z)) / 2);
        col = Palette(smooth * 0.035 + 0.1 * variant, variant);
        col = Scale(col, 0.75 + 0.35 * std::exp(-trap * 4));
      } else {
        // inside: shade by where the orbit ends and by the orbit trap, so
        // that the set is not flat
        double ang = std::atan2(z.imag(), z.real()) / (2 * M_PI) + 0.5;
        col = Scale(Palette(ang * 2 + trap * 3 + 0.5, variant + 1), 0.3 + 0.25 * std::abs(z));
      }
      px.Set(x, y, col);
    }
}

}  // namespace

void Paint(Image& img, const PictureSpec& spec) {
  switch (spec.painter) {
    case Painter::kMountains: Mountains(img, spec.variant); break;
    case Painter::kSea: Sea(img, spec.variant); break;
    case Painter::kSkyline: Skyline(img, spec.variant); break;
    case Painter::kFlowers: Flowers(img, spec.variant); break;
    case Painter::kMosaic: Mosaic(img, spec.variant); break;
    case Painter::kMandelbrot: Fractal(img, false, spec.variant); break;
    case Painter::kJulia: Fractal(img, true, spec.variant); break;
  }
  // Flowers and tiles carry detail of their own and need less texture.
  bool detailed = spec.painter == Painter::kFlowers || spec.painter == Painter::kMosaic;
  Texture(img, 9000 + static_cast<std::uint32_t>(spec.variant) * 7 + static_cast<std::uint32_t>(spec.painter) * 131,
          detailed ? 0.09 : 0.18);
}

}  // namespace gendata
