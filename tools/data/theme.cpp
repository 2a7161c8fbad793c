#include "tools/data/theme.h"

#include <algorithm>
#include <cmath>

namespace gendata {

void FourFrames(Image& img, int fw, int fh, const FaceFn& face, FourthFrame fourth) {
  Image off(fw, fh);
  face(off.Cr(), fw, fh, false);
  Image on(fw, fh);
  if (fourth == FourthFrame::kOn) face(on.Cr(), fw, fh, true);
  cairo_t* cr = img.Cr();
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_rectangle(cr, i * fw, 0, fw, fh);
    cairo_clip(cr);
    double dx = i * fw, dy = 0;
    cairo_surface_t* src = off.Surface();
    if (i == 2) {
      dx += 1;
      dy += 2;
    }
    if (i == 3 && fourth == FourthFrame::kOn) src = on.Surface();
    cairo_set_source_surface(cr, src, dx, dy);
    cairo_paint(cr);
    if (i == 1 || i == 2) {
      // Lighten or darken only where the face is, keeping its alpha.
      cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
      if (i == 1)
        cairo_set_source_rgba(cr, 1, 0.97, 0.85, 0.22);
      else
        cairo_set_source_rgba(cr, 0.1, 0.05, 0, 0.30);
      cairo_paint(cr);
    }
    cairo_restore(cr);
  }
  if (fourth == FourthFrame::kGreyed) {
    std::uint32_t* px = img.Pixels();
    int stride = img.StrideWords();
    for (int y = 0; y < fh; ++y) {
      for (int x = 3 * fw; x < 4 * fw && x < img.W(); ++x) {
        std::uint32_t p = px[y * stride + x];
        double a = (p >> 24) / 255.0;
        if (a <= 0) continue;
        double r = ((p >> 16) & 255) / 255.0 / a, g = ((p >> 8) & 255) / 255.0 / a, b = (p & 255) / 255.0 / a;
        double l = 0.3 * r + 0.59 * g + 0.11 * b;
        double v = 0.35 + 0.45 * l;
        double na = a * 0.7;
        auto c = [&](double cv) { return static_cast<std::uint32_t>(std::clamp(cv * na, 0.0, 1.0) * 255 + 0.5); };
        px[y * stride + x] = (c(1.0) << 24) | (c(v) << 16) | (c(v) << 8) | c(v * 0.97);
      }
    }
    cairo_surface_mark_dirty(img.Surface());
  }
}

void Medallion(cairo_t* cr, int w, int h, const IconFn& iconFn, bool on, const Rgb& body) {
  double d = std::min(w, h) - 6.0;
  double cx = w / 2.0, cy = h / 2.0 - 1, r = d / 2;
  // soft shadow
  for (int k = 3; k >= 1; --k) {
    Circle(cr, cx + 1, cy + 2.5, r + k * 0.8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
    cairo_fill(cr);
  }
  if (on) {
    Circle(cr, cx, cy, r + 2.5);
    cairo_set_source_rgba(cr, 1, 0.85, 0.4, 0.8);
    cairo_fill(cr);
  }
  // brass rim
  cairo_pattern_t* rim = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
  cairo_pattern_add_color_stop_rgb(rim, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
  cairo_pattern_add_color_stop_rgb(rim, 0.5, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b);
  cairo_pattern_add_color_stop_rgb(rim, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
  // leather body
  double ri = r * 0.86;
  Rgb b = on ? pal::kGreen : body;
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - ri * 0.35, cy - ri * 0.45, ri * 0.1, cx, cy, ri * 1.1);
  Rgb lite = Scale(b, 1.45), dark = Scale(b, 0.6);
  cairo_pattern_add_color_stop_rgb(g, 0, lite.r, lite.g, lite.b);
  cairo_pattern_add_color_stop_rgb(g, 0.6, b.r, b.g, b.b);
  cairo_pattern_add_color_stop_rgb(g, 1, dark.r, dark.g, dark.b);
  Circle(cr, cx, cy, ri);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // stitched ring
  cairo_save(cr);
  double dash[] = {std::max(1.5, r * 0.08), std::max(1.5, r * 0.07)};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_line_width(cr, std::max(0.8, r * 0.035));
  Circle(cr, cx, cy, ri * 0.9);
  cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.45);
  cairo_stroke(cr);
  cairo_restore(cr);
  // icon with a dark emboss under it
  if (iconFn) {
    double s = ri * 1.2;
    iconFn(cr, cx + 0.8, cy + 1.2, s, Hex(0x1E0E06));
    iconFn(cr, cx, cy, s, on ? pal::kBrassLight : pal::kCream);
  }
  // gloss
  cairo_save(cr);
  Circle(cr, cx, cy, ri);
  cairo_clip(cr);
  cairo_pattern_t* gl = cairo_pattern_create_linear(0, cy - ri, 0, cy);
  cairo_pattern_add_color_stop_rgba(gl, 0, 1, 1, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(gl, 1, 1, 1, 1, 0.0);
  cairo_scale(cr, 1, 1);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy - ri * 0.45);
  cairo_scale(cr, ri * 0.8, ri * 0.5);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source(cr, gl);
  cairo_fill(cr);
  cairo_pattern_destroy(gl);
  cairo_restore(cr);
}

void Plaque(cairo_t* cr, double x, double y, double w, double h, const Rgb& body, bool on) {
  double r = std::min(h * 0.35, 14.0);
  RoundRect(cr, x + 1, y + 2.5, w - 1, h - 2.5, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  RoundRect(cr, x, y, w - 1.5, h - 2.5, r);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(rim, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
  cairo_pattern_add_color_stop_rgb(rim, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
  double in = std::max(2.0, h * 0.07);
  RoundRect(cr, x + in, y + in, w - 1.5 - 2 * in, h - 2.5 - 2 * in, r - in * 0.7);
  Rgb b = on ? Scale(body, 1.35) : body;
  FillVGradient(cr, y + in, y + h - in, Scale(b, 1.35), Scale(b, 0.75));
  cairo_new_path(cr);
  // top highlight
  RoundRect(cr, x + in + 2, y + in + 1, w - 1.5 - 2 * in - 4, (h - 2 * in) * 0.42, r * 0.6);
  cairo_set_source_rgba(cr, 1, 1, 1, on ? 0.25 : 0.14);
  cairo_fill(cr);
}

void PiecePath(cairo_t* cr, double x, double y, double s) {
  // The body is the square (x + 0.1s .. x + 0.8s); knobs stick out right and
  // down, a hole bites into the left side.
  double a = x + 0.1 * s, b = y + 0.1 * s, e = 0.7 * s;
  double k = 0.14 * s;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, a, b);
  cairo_line_to(cr, a + e, b);
  cairo_line_to(cr, a + e, b + e * 0.5 - k * 0.8);
  cairo_arc(cr, a + e + k * 0.6, b + e * 0.5, k, -M_PI * 0.75, M_PI * 0.75);
  cairo_line_to(cr, a + e, b + e);
  cairo_line_to(cr, a + e * 0.5 + k * 0.8, b + e);
  cairo_arc(cr, a + e * 0.5, b + e + k * 0.6, k, -M_PI * 0.25, M_PI * 1.25);
  cairo_line_to(cr, a, b + e);
  cairo_line_to(cr, a, b + e * 0.5 + k * 0.8);
  cairo_arc_negative(cr, a + k * 0.6, b + e * 0.5, k, M_PI * 0.75, -M_PI * 0.75);
  cairo_close_path(cr);
}

void WoodPanel(cairo_t* cr, double x, double y, double w, double h, double r, std::uint32_t seed) {
  cairo_save(cr);
  RoundRect(cr, x, y, w, h, r);
  cairo_clip_preserve(cr);
  FillVGradient(cr, y, y + h, pal::kWoodLight, pal::kWood);
  cairo_new_path(cr);
  Rng rng(seed);
  int lines = static_cast<int>(h / 3.5) + 4;
  for (int i = 0; i < lines; ++i) {
    double ly = y + rng.Range(-4, h + 4);
    double amp = rng.Range(0.5, 3.0), ph = rng.Range(0, 6.28), fr = rng.Range(0.01, 0.04);
    cairo_move_to(cr, x, ly);
    for (double t = 0; t <= w; t += 6) cairo_line_to(cr, x + t, ly + amp * std::sin(ph + t * fr));
    cairo_set_line_width(cr, rng.Range(0.6, 2.2));
    bool dark = rng.Uniform() < 0.6;
    if (dark)
      cairo_set_source_rgba(cr, pal::kWoodDark.r, pal::kWoodDark.g, pal::kWoodDark.b, rng.Range(0.15, 0.4));
    else
      cairo_set_source_rgba(cr, 1, 0.85, 0.6, rng.Range(0.08, 0.2));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  RoundRect(cr, x + 1, y + 1, w - 2, h - 2, r);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, pal::kWoodDark.r * 0.6, pal::kWoodDark.g * 0.6, pal::kWoodDark.b * 0.6, 0.9);
  cairo_stroke(cr);
  RoundRect(cr, x + 3, y + 3, w - 6, h - 6, std::max(0.0, r - 2));
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.25);
  cairo_stroke(cr);
}

void PaperPanel(cairo_t* cr, double x, double y, double w, double h, double r) {
  RoundRect(cr, x, y, w, h, r);
  cairo_pattern_t* g = cairo_pattern_create_radial(x + w / 2, y + h / 2, std::min(w, h) * 0.2, x + w / 2, y + h / 2,
                                                   std::max(w, h) * 0.75);
  cairo_pattern_add_color_stop_rgb(g, 0, pal::kPaper.r, pal::kPaper.g, pal::kPaper.b);
  cairo_pattern_add_color_stop_rgb(g, 1, pal::kPaperDark.r, pal::kPaperDark.g, pal::kPaperDark.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void WindowPanel(Image& img, double titleH, std::uint32_t seed) {
  cairo_t* cr = img.Cr();
  double w = img.W(), h = img.H();
  double m = 4, fr = std::max(12.0, std::min(w, h) * 0.035);
  // shadow
  RoundRect(cr, m + 2, m + 4, w - 2 * m - 2, h - 2 * m - 4, 18);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  WoodPanel(cr, m, m, w - 2 * m - 2, h - 2 * m - 4, 16, seed);
  double ix = m + fr, iy = m + fr, iw = w - 2 * m - 2 - 2 * fr, ih = h - 2 * m - 4 - 2 * fr;
  // inner bevel
  RoundRect(cr, ix - 2, iy - 2, iw + 4, ih + 4, 8);
  cairo_set_source_rgba(cr, 0.15, 0.07, 0.02, 0.8);
  cairo_fill(cr);
  PaperPanel(cr, ix, iy, iw, ih, 6);
  if (titleH > 0) {
    // a tan title band (headers are drawn on it in dark ink), brass rule under it
    cairo_save(cr);
    RoundRect(cr, ix, iy, iw, ih, 6);
    cairo_clip(cr);
    cairo_rectangle(cr, ix, iy, iw, titleH);
    FillVGradient(cr, iy, iy + titleH, Scale(pal::kPaperDark, 1.08), Scale(pal::kPaperDark, 0.88));
    cairo_new_path(cr);
    cairo_rectangle(cr, ix, iy + titleH, iw, 3);
    FillVGradient(cr, iy + titleH, iy + titleH + 3, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    cairo_rectangle(cr, ix, iy + titleH + 3, iw, 6);
    FillVGradient(cr, iy + titleH + 3, iy + titleH + 9, Hex(0x000000), pal::kPaper, 0.18);
    cairo_new_path(cr);
    cairo_restore(cr);
  }
  // brass corner studs
  double cs = fr * 0.45;
  double px[] = {m + fr / 2, w - m - 2 - fr / 2};
  double py[] = {m + fr / 2, h - m - 4 - fr / 2};
  for (double sx : px)
    for (double sy : py) {
      cairo_pattern_t* g = cairo_pattern_create_radial(sx - cs * 0.3, sy - cs * 0.3, 0.5, sx, sy, cs);
      cairo_pattern_add_color_stop_rgb(g, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
      cairo_pattern_add_color_stop_rgb(g, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
      Circle(cr, sx, sy, cs);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    }
}

}  // namespace gendata
