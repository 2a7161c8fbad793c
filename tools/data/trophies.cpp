// Trophy images: one medal per level of each of the six graded trophies
// (stem + level + ".png") and the lord's crown.  The metal shows the level:
// bronze, silver, gold, then platinum, ruby and sapphire for the higher ones,
// and small pips under the emblem count it.
#include <cmath>
#include <string>

#include "tools/data/generator.h"
#include "tools/data/theme.h"

namespace gendata {

namespace {

struct Metal {
  Rgb light, mid, dark;
};

Metal LevelMetal(int level) {
  switch (level) {
    case 1: return {Hex(0xF0B98A), Hex(0xB86B34), Hex(0x6A3816)};   // bronze
    case 2: return {Hex(0xFFFFFF), Hex(0xB9C0C8), Hex(0x68707A)};   // silver
    case 3: return {Hex(0xFFF1A8), Hex(0xE0AC2C), Hex(0x8A5E0C)};   // gold
    case 4: return {Hex(0xF4FBFF), Hex(0xA9D4E6), Hex(0x4E7E96)};   // platinum
    case 5: return {Hex(0xFFB0B8), Hex(0xC8283C), Hex(0x6A0C18)};   // ruby
    default: return {Hex(0xB8D8FF), Hex(0x2E62C8), Hex(0x102A66)};  // sapphire
  }
}

using Emblem = void (*)(cairo_t*, double cx, double cy, double s, const Rgb& ink);

void Hourglass(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  SetRgb(cr, ink);
  double w = s * 0.36, h = s * 0.42;
  cairo_rectangle(cr, cx - w / 2 - 2, cy - h - 2, w + 4, 3);
  cairo_rectangle(cr, cx - w / 2 - 2, cy + h - 1, w + 4, 3);
  cairo_fill(cr);
  cairo_move_to(cr, cx - w / 2, cy - h);
  cairo_line_to(cr, cx + w / 2, cy - h);
  cairo_line_to(cr, cx + 1.5, cy);
  cairo_line_to(cr, cx + w / 2, cy + h);
  cairo_line_to(cr, cx - w / 2, cy + h);
  cairo_line_to(cr, cx - 1.5, cy);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - w * 0.3, cy + h);
  cairo_line_to(cr, cx, cy + h * 0.45);
  cairo_line_to(cr, cx + w * 0.3, cy + h);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Lotus(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  SetRgb(cr, ink);
  for (int i = -2; i <= 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy + s * 0.2);
    cairo_rotate(cr, i * 0.45);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -s * 0.14, -s * 0.2, -s * 0.06, -s * 0.38, 0, -s * 0.44);
    cairo_curve_to(cr, s * 0.06, -s * 0.38, s * 0.14, -s * 0.2, 0, 0);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void Shuffle(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // several pictures fanned out: many different puzzles
  for (int i = -1; i <= 1; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx + i * s * 0.12, cy);
    cairo_rotate(cr, i * 0.35);
    cairo_rectangle(cr, -s * 0.2, -s * 0.28, s * 0.4, s * 0.5);
    SetRgb(cr, ink);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void Bolt(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  SetRgb(cr, ink);
  cairo_move_to(cr, cx + s * 0.08, cy - s * 0.42);
  cairo_line_to(cr, cx - s * 0.2, cy + s * 0.05);
  cairo_line_to(cr, cx - s * 0.01, cy + s * 0.05);
  cairo_line_to(cr, cx - s * 0.1, cy + s * 0.42);
  cairo_line_to(cr, cx + s * 0.22, cy - s * 0.08);
  cairo_line_to(cr, cx + s * 0.03, cy - s * 0.08);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void StarEmblem(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  SetRgb(cr, ink);
  cairo_new_path(cr);
  for (int k = 0; k < 10; ++k) {
    double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? s * 0.17 : s * 0.42;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Crown(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  SetRgb(cr, ink);
  double w = s * 0.8, b = cy + s * 0.25, t = cy - s * 0.3;
  cairo_move_to(cr, cx - w / 2, b);
  cairo_line_to(cr, cx - w / 2, t + s * 0.1);
  cairo_line_to(cr, cx - w / 4, cy - s * 0.02);
  cairo_line_to(cr, cx, t);
  cairo_line_to(cr, cx + w / 4, cy - s * 0.02);
  cairo_line_to(cr, cx + w / 2, t + s * 0.1);
  cairo_line_to(cr, cx + w / 2, b);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - w / 2, b + 2, w, s * 0.1);
  cairo_fill(cr);
  for (double dx : {-w / 2, 0.0, w / 2}) {
    Circle(cr, cx + dx, (dx == 0 ? t : t + s * 0.1) - 2, s * 0.05);
    cairo_fill(cr);
  }
}

void Medal(Image& img, int level, int pips, Emblem emblem) {
  cairo_t* cr = img.Cr();
  const double c = 32, r = 29;
  Metal m = LevelMetal(level);
  Circle(cr, c + 1, c + 2, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  // scalloped rim
  cairo_new_path(cr);
  for (int k = 0; k < 48; ++k) {
    double a = k * M_PI / 24, rr = (k % 2) ? r : r - 2;
    cairo_line_to(cr, c + rr * std::cos(a), c + rr * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(c - r, c - r, c + r, c + r);
  cairo_pattern_add_color_stop_rgb(g, 0, m.light.r, m.light.g, m.light.b);
  cairo_pattern_add_color_stop_rgb(g, 0.5, m.mid.r, m.mid.g, m.mid.b);
  cairo_pattern_add_color_stop_rgb(g, 1, m.dark.r, m.dark.g, m.dark.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // inner face
  Circle(cr, c, c, r - 6);
  cairo_pattern_t* f = cairo_pattern_create_radial(c - 8, c - 10, 2, c, c, r);
  cairo_pattern_add_color_stop_rgb(f, 0, m.light.r, m.light.g, m.light.b);
  cairo_pattern_add_color_stop_rgb(f, 1, m.mid.r, m.mid.g, m.mid.b);
  cairo_set_source(cr, f);
  cairo_fill(cr);
  cairo_pattern_destroy(f);
  emblem(cr, c + 0.8, c - 2 + 1, 34, Scale(m.dark, 0.5));
  emblem(cr, c, c - 2, 34, Scale(m.dark, 0.8));
  // pips for the level
  for (int i = 0; i < pips; ++i) {
    double x = c + (i - (pips - 1) / 2.0) * 6;
    Circle(cr, x, c + 18, 2.2);
    SetRgb(cr, Scale(m.dark, 0.6));
    cairo_fill(cr);
  }
}

}  // namespace

void MakeTrophies(Sink& sink) {
  struct Family {
    const char* stem;
    int levels;
    Emblem emblem;
  };
  const Family families[] = {
      {"trofi_sobiratel", 5, icon::Piece},  {"trofi_master", 3, StarEmblem},     {"trofi_terpenie", 4, Hourglass},
      {"trofi_meditaciya", 4, Lotus},       {"trofi_nepostoyanstvo", 4, Shuffle}, {"trofi_mudrec", 6, Bolt},
  };
  for (const Family& fam : families)
    for (int level = 1; level <= fam.levels; ++level) {
      Image img(64, 64);
      Medal(img, level, level, fam.emblem);
      PutPng(sink, "trofei", std::string(fam.stem) + std::to_string(level) + ".png", img);
    }
  Image lord(64, 64);
  Medal(lord, 3, 0, Crown);
  PutPng(sink, "trofei", "trofi_povelitel.png", lord);
}

}  // namespace gendata
