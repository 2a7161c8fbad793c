// Small images: the cursor, the rotation icons, the change-player icon, the
// board's particle and bonus images, and the loading screen.
#include <cmath>

#include "tools/data/generator.h"
#include "tools/data/theme.h"

namespace gendata {

namespace {

void Star(cairo_t* cr, double cx, double cy, double r1, double r2, int points) {
  cairo_new_path(cr);
  for (int k = 0; k < points * 2; ++k) {
    double a = -M_PI / 2 + k * M_PI / points, r = k % 2 ? r2 : r1;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

void Cursor(Sink& sink) {
  // hot spot at the top-left pixel: the arrow's tip
  Image img(32, 32);
  cairo_t* cr = img.Cr();
  auto arrow = [&](double dx, double dy) {
    cairo_new_path(cr);
    cairo_move_to(cr, 1 + dx, 1 + dy);
    cairo_line_to(cr, 1 + dx, 24 + dy);
    cairo_line_to(cr, 7 + dx, 19 + dy);
    cairo_line_to(cr, 11 + dx, 28 + dy);
    cairo_line_to(cr, 15 + dx, 26 + dy);
    cairo_line_to(cr, 11 + dx, 18 + dy);
    cairo_line_to(cr, 18 + dx, 17 + dy);
    cairo_close_path(cr);
  };
  arrow(1.5, 1.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  arrow(0, 0);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 16, 26);
  cairo_pattern_add_color_stop_rgb(g, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
  cairo_pattern_add_color_stop_rgb(g, 1, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetRgb(cr, Hex(0x2A1608));
  cairo_stroke(cr);
  PutPng(sink, "menu", "Cursor.png", img);
}

void RotationIcons(Sink& sink) {
  for (int yes = 0; yes < 2; ++yes) {
    Image img(32, 32);
    cairo_t* cr = img.Cr();
    Circle(cr, 16, 16, 14.5);
    SetRgb(cr, yes ? Hex(0x3F6E34) : Hex(0x6A6258));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetRgb(cr, pal::kBrassLight);
    cairo_stroke(cr);
    icon::Rotate(cr, 16, 16, 24, pal::kCream);
    if (!yes) {
      cairo_set_line_width(cr, 3);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_move_to(cr, 7, 7);
      cairo_line_to(cr, 25, 25);
      SetRgb(cr, Hex(0xD04030));
      cairo_stroke(cr);
    }
    PutPng(sink, "menu", yes ? "complit_rotation.png" : "complit_no_rotation.png", img);
  }
}

void ChangePlayer(Sink& sink) {
  Image img(64, 64);
  cairo_t* cr = img.Cr();
  Medallion(cr, 64, 64, nullptr, false);
  icon::Person(cr, 26, 34, 34, pal::kCream);
  icon::Person(cr, 40, 30, 30, Scale(pal::kCream, 0.8));
  cairo_set_line_width(cr, 2.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetRgb(cr, pal::kBrassLight);
  cairo_arc(cr, 32, 32, 20, -2.6, -1.9);
  cairo_stroke(cr);
  PutPng(sink, "menu", "change_player.png", img);
}

void Effects(Sink& sink) {
  {
    Image img(64, 64);
    cairo_t* cr = img.Cr();
    Circle(cr, 33, 34, 28);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(24, 22, 2, 32, 32, 30);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.95, 0.7);
    cairo_pattern_add_color_stop_rgb(g, 0.6, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b);
    cairo_pattern_add_color_stop_rgb(g, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
    Circle(cr, 32, 32, 28);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    Star(cr, 32, 33, 18, 8, 5);
    SetRgb(cr, Hex(0xFFF6D0));
    cairo_fill(cr);
    PutPng(sink, "effects", "bonus.png", img);
  }
  {
    // a soft white dot, drawn additive and tinted by the game
    Image img(32, 32);
    cairo_t* cr = img.Cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, 15);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 1, 1, 0.7);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    PutPng(sink, "effects", "1trackbar_but.png", img);
  }
  {
    // an ice crystal for the hint particles
    Image img(32, 32);
    cairo_t* cr = img.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
      double a = i * M_PI / 3;
      cairo_move_to(cr, 16 - 13 * std::cos(a), 16 - 13 * std::sin(a));
      cairo_line_to(cr, 16 + 13 * std::cos(a), 16 + 13 * std::sin(a));
    }
    cairo_set_line_width(cr, 4);
    cairo_set_source_rgba(cr, 0.6, 0.85, 1, 0.45);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_set_source_rgba(cr, 0.92, 0.98, 1, 1);
    cairo_stroke(cr);
    Circle(cr, 16, 16, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_fill(cr);
    PutPng(sink, "effects", "ice_piece.png", img);
  }
  {
    Image img(32, 32);
    cairo_t* cr = img.Cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, 15);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.95, 0.7, 0.8);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.8, 0.3, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    Star(cr, 16, 16.5, 14, 5, 5);
    SetRgb(cr, Hex(0xFFF4C0));
    cairo_fill(cr);
    PutPng(sink, "effects", "cursor_stars1.png", img);
  }
}

void Loading(Sink& sink) {
  // a leather book cover with a puzzle emblem; the progress is written in
  // the paper label low in the middle
  Image img(512, 384);
  cairo_t* cr = img.Cr();
  RoundRect(cr, 10, 12, 496, 368, 22);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  RoundRect(cr, 4, 4, 496, 368, 22);
  cairo_pattern_t* g = cairo_pattern_create_radial(200, 120, 20, 252, 190, 340);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.62, 0.26, 0.18);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.24, 0.08, 0.05);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  AddGrain(img, 0.08, 3, 1101, false);
  cairo_save(cr);
  double dash[] = {8, 5};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_line_width(cr, 2);
  RoundRect(cr, 20, 20, 464, 336, 14);
  cairo_set_source_rgba(cr, 0.95, 0.8, 0.5, 0.7);
  cairo_stroke(cr);
  cairo_restore(cr);
  // four interlocking pieces in brass, blue, green and cream
  const Rgb cols[] = {pal::kBrass, Hex(0x4F86B8), Hex(0x6E9E4A), pal::kCream};
  for (int i = 0; i < 4; ++i) {
    double x = 186 + (i % 2) * 66, y = 60 + (i / 2) * 66;
    cairo_save(cr);
    cairo_translate(cr, x + 40, y + 40);
    cairo_rotate(cr, (i % 2 ? 1 : -1) * 0.05);
    PiecePath(cr, -44, -44, 94);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    PiecePath(cr, -46, -46, 94);
    SetRgb(cr, cols[i]);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Scale(cols[i], 0.55));
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  // the label under the emblem: "%i%%" is drawn at (cx - 10, cy + 130)
  // in the white loading font, so the slot is dark
  RoundRect(cr, 176, 292, 160, 46, 10);
  FillVGradient(cr, 292, 338, pal::kBrassLight, pal::kBrassDark);
  cairo_new_path(cr);
  RoundRect(cr, 180, 296, 152, 38, 8);
  FillVGradient(cr, 296, 334, pal::kLeatherDark, Hex(0x2A0E08));
  cairo_new_path(cr);
  PutPng(sink, "loading", "loadwin.png", img);

  Image spin(64, 64);
  icon::Gear(spin.Cr(), 32, 32, 60, pal::kBrass);
  PutPng(sink, "loading", "Loading.png", spin);
}

}  // namespace

void MakeSmallArt(Sink& sink) {
  Cursor(sink);
  RotationIcons(sink);
  ChangePlayer(sink);
  Effects(sink);
  Loading(sink);
}

}  // namespace gendata
