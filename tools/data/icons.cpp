// The button icons: simple bold shapes in one ink colour, drawn centred in a
// square of side s so that they read at 32 to 96 pixels.
#include <cmath>

#include "tools/data/theme.h"

namespace gendata::icon {

namespace {
void Ink(cairo_t* cr, const Rgb& c, double a = 1.0) { SetRgb(cr, c, a); }
void Line(cairo_t* cr, double w) {
  cairo_set_line_width(cr, w);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}
}  // namespace

void Door(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  double w = s * 0.5, h = s * 0.78, x = cx - w / 2, y = cy - h / 2;
  Line(cr, s * 0.07);
  Ink(cr, ink);
  cairo_rectangle(cr, x, y, w, h);
  cairo_stroke(cr);
  // the door leaf swung open, with a knob
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + w * 0.72, y + h * 0.1);
  cairo_line_to(cr, x + w * 0.72, y + h * 1.0);
  cairo_line_to(cr, x, y + h);
  cairo_close_path(cr);
  cairo_fill(cr);
  Circle(cr, x + w * 0.55, y + h * 0.55, s * 0.045);
  Ink(cr, Hex(0x2A160A));
  cairo_fill(cr);
  // arrow leaving
  Ink(cr, ink);
  Line(cr, s * 0.07);
  cairo_move_to(cr, cx + s * 0.12, cy);
  cairo_line_to(cr, cx + s * 0.45, cy);
  cairo_stroke(cr);
  cairo_move_to(cr, cx + s * 0.34, cy - s * 0.1);
  cairo_line_to(cr, cx + s * 0.46, cy);
  cairo_line_to(cr, cx + s * 0.34, cy + s * 0.1);
  cairo_stroke(cr);
}

void BorderFrame(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // a square ring of edge pieces with an empty middle
  double a = s * 0.72, x = cx - a / 2, y = cy - a / 2, t = a / 4;
  Ink(cr, ink);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      if (i > 0 && i < 3 && j > 0 && j < 3) continue;
      RoundRect(cr, x + i * t + 1, y + j * t + 1, t - 2, t - 2, t * 0.2);
      cairo_fill(cr);
    }
}

void Ghost(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // the picture laid faintly under the pieces: a pale landscape card with a
  // solid piece lying on it
  double w = s * 0.78, h = s * 0.6, x = cx - w / 2 - s * 0.06, y = cy - h / 2 - s * 0.08;
  cairo_save(cr);
  Ink(cr, ink, 0.35);
  RoundRect(cr, x, y, w, h, s * 0.05);
  cairo_fill(cr);
  Ink(cr, ink, 0.55);
  cairo_move_to(cr, x + w * 0.05, y + h * 0.92);
  cairo_line_to(cr, x + w * 0.36, y + h * 0.42);
  cairo_line_to(cr, x + w * 0.58, y + h * 0.72);
  cairo_line_to(cr, x + w * 0.74, y + h * 0.5);
  cairo_line_to(cr, x + w * 0.95, y + h * 0.92);
  cairo_close_path(cr);
  cairo_fill(cr);
  double dash[] = {s * 0.06, s * 0.05};
  cairo_set_dash(cr, dash, 2, 0);
  Line(cr, s * 0.045);
  Ink(cr, ink, 0.8);
  RoundRect(cr, x, y, w, h, s * 0.05);
  cairo_stroke(cr);
  cairo_restore(cr);
  Ink(cr, ink);
  PiecePath(cr, cx + s * 0.02, cy + s * 0.0, s * 0.46);
  cairo_fill(cr);
}

void Bulb(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  double r = s * 0.24;
  Circle(cr, cx, cy - s * 0.08, r);
  cairo_fill(cr);
  cairo_move_to(cr, cx - r * 0.7, cy + s * 0.05);
  cairo_line_to(cr, cx + r * 0.7, cy + s * 0.05);
  cairo_line_to(cr, cx + r * 0.45, cy + s * 0.22);
  cairo_line_to(cr, cx - r * 0.45, cy + s * 0.22);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - r * 0.45, cy + s * 0.25, r * 0.9, s * 0.05);
  cairo_rectangle(cr, cx - r * 0.35, cy + s * 0.32, r * 0.7, s * 0.05);
  cairo_fill(cr);
  // rays
  Line(cr, s * 0.05);
  for (int i = -2; i <= 2; ++i) {
    double a = -M_PI / 2 + i * 0.55;
    cairo_move_to(cr, cx + std::cos(a) * s * 0.33, cy - s * 0.08 + std::sin(a) * s * 0.33);
    cairo_line_to(cr, cx + std::cos(a) * s * 0.44, cy - s * 0.08 + std::sin(a) * s * 0.44);
  }
  cairo_stroke(cr);
  // highlight
  Circle(cr, cx - r * 0.35, cy - s * 0.08 - r * 0.35, r * 0.22);
  Ink(cr, Hex(0xFFFFFF), 0.7);
  cairo_fill(cr);
}

void Picture(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  double w = s * 0.82, h = s * 0.64, x = cx - w / 2, y = cy - h / 2;
  Ink(cr, ink);
  Line(cr, s * 0.07);
  RoundRect(cr, x, y, w, h, s * 0.04);
  cairo_stroke(cr);
  cairo_move_to(cr, x + w * 0.08, y + h * 0.86);
  cairo_line_to(cr, x + w * 0.36, y + h * 0.42);
  cairo_line_to(cr, x + w * 0.56, y + h * 0.7);
  cairo_line_to(cr, x + w * 0.72, y + h * 0.52);
  cairo_line_to(cr, x + w * 0.92, y + h * 0.86);
  cairo_close_path(cr);
  cairo_fill(cr);
  Circle(cr, x + w * 0.74, y + h * 0.28, s * 0.07);
  cairo_fill(cr);
}

void Sort(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // scattered pieces on the left, arranged rows on the right, an arrow between
  Ink(cr, ink);
  double t = s * 0.14;
  double sc[][2] = {{-0.38, -0.28}, {-0.22, -0.05}, {-0.4, 0.15}, {-0.2, 0.28}};
  for (auto& p : sc) {
    cairo_save(cr);
    cairo_translate(cr, cx + p[0] * s, cy + p[1] * s);
    cairo_rotate(cr, p[0] * 3 + p[1] * 5);
    cairo_rectangle(cr, -t / 2, -t / 2, t, t);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j) cairo_rectangle(cr, cx + s * 0.12 + i * (t + 2), cy - s * 0.3 + j * (t + 3), t, t);
  cairo_fill(cr);
  Line(cr, s * 0.05);
  cairo_move_to(cr, cx - s * 0.08, cy);
  cairo_line_to(cr, cx + s * 0.06, cy);
  cairo_stroke(cr);
  cairo_move_to(cr, cx + s * 0.01, cy - s * 0.05);
  cairo_line_to(cr, cx + s * 0.07, cy);
  cairo_line_to(cr, cx + s * 0.01, cy + s * 0.05);
  cairo_stroke(cr);
}

void Magnifier(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Line(cr, s * 0.09);
  double r = s * 0.22, ox = cx - s * 0.08, oy = cy - s * 0.08;
  Circle(cr, ox, oy, r);
  cairo_stroke(cr);
  Circle(cr, ox, oy, r * 0.8);
  Ink(cr, ink, 0.25);
  cairo_fill(cr);
  Ink(cr, ink);
  Line(cr, s * 0.13);
  cairo_move_to(cr, ox + r * 0.8, oy + r * 0.8);
  cairo_line_to(cr, cx + s * 0.36, cy + s * 0.36);
  cairo_stroke(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  int teeth = 8;
  double ro = s * 0.42, ri = s * 0.32;
  cairo_new_path(cr);
  for (int i = 0; i < teeth * 2; ++i) {
    double a0 = i * M_PI / teeth, a1 = (i + 1) * M_PI / teeth;
    double r = (i % 2 == 0) ? ro : ri;
    double inset = (i % 2 == 0) ? 0.18 : 0.0;
    double da = (a1 - a0) * inset;
    cairo_line_to(cr, cx + r * std::cos(a0 + da), cy + r * std::sin(a0 + da));
    cairo_line_to(cr, cx + r * std::cos(a1 - da), cy + r * std::sin(a1 - da));
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, s * 0.13, 2 * M_PI, 0);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Play(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  cairo_move_to(cr, cx - s * 0.22, cy - s * 0.32);
  cairo_line_to(cr, cx + s * 0.34, cy);
  cairo_line_to(cr, cx - s * 0.22, cy + s * 0.32);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, s * 0.08);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

void Scissors(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Line(cr, s * 0.07);
  Circle(cr, cx - s * 0.22, cy + s * 0.22, s * 0.11);
  cairo_stroke(cr);
  Circle(cr, cx + s * 0.22, cy + s * 0.22, s * 0.11);
  cairo_stroke(cr);
  Line(cr, s * 0.08);
  cairo_move_to(cr, cx - s * 0.14, cy + s * 0.13);
  cairo_line_to(cr, cx + s * 0.18, cy - s * 0.38);
  cairo_move_to(cr, cx + s * 0.14, cy + s * 0.13);
  cairo_line_to(cr, cx - s * 0.18, cy - s * 0.38);
  cairo_stroke(cr);
  Circle(cr, cx, cy - s * 0.05, s * 0.035);
  Ink(cr, Hex(0x2A160A));
  cairo_fill(cr);
}

void Podium(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  double b = cy + s * 0.34, w = s * 0.24;
  cairo_rectangle(cr, cx - w / 2, b - s * 0.42, w, s * 0.42);
  cairo_rectangle(cr, cx - w * 1.5 - 1.5, b - s * 0.28, w, s * 0.28);
  cairo_rectangle(cr, cx + w / 2 + 1.5, b - s * 0.18, w, s * 0.18);
  cairo_fill(cr);
  // a star above the first place
  double sx = cx, sy = b - s * 0.56, r1 = s * 0.12, r2 = s * 0.05;
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? r2 : r1;
    cairo_line_to(cr, sx + r * std::cos(a), sy + r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Cup(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  double top = cy - s * 0.34, w = s * 0.44;
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_curve_to(cr, cx + w / 2, top + s * 0.35, cx + w * 0.2, top + s * 0.42, cx + s * 0.05, top + s * 0.46);
  cairo_line_to(cr, cx + s * 0.05, top + s * 0.56);
  cairo_line_to(cr, cx + s * 0.17, top + s * 0.6);
  cairo_line_to(cr, cx + s * 0.17, top + s * 0.68);
  cairo_line_to(cr, cx - s * 0.17, top + s * 0.68);
  cairo_line_to(cr, cx - s * 0.17, top + s * 0.6);
  cairo_line_to(cr, cx - s * 0.05, top + s * 0.56);
  cairo_line_to(cr, cx - s * 0.05, top + s * 0.46);
  cairo_curve_to(cr, cx - w * 0.2, top + s * 0.42, cx - w / 2, top + s * 0.35, cx - w / 2, top);
  cairo_close_path(cr);
  cairo_fill(cr);
  Line(cr, s * 0.06);
  cairo_arc(cr, cx - w / 2, top + s * 0.13, s * 0.1, M_PI / 2, 3 * M_PI / 2);
  cairo_stroke(cr);
  cairo_arc_negative(cr, cx + w / 2, top + s * 0.13, s * 0.1, M_PI / 2, -M_PI / 2);
  cairo_stroke(cr);
}

void Scroll(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // a score sheet: a page with lines and a tick
  double w = s * 0.56, h = s * 0.72, x = cx - w / 2, y = cy - h / 2;
  Ink(cr, ink);
  RoundRect(cr, x, y, w, h, s * 0.05);
  cairo_fill(cr);
  Ink(cr, Hex(0x2A160A), 0.85);
  Line(cr, s * 0.045);
  for (int i = 0; i < 4; ++i) {
    double ly = y + h * (0.22 + i * 0.19);
    cairo_move_to(cr, x + w * 0.4, ly);
    cairo_line_to(cr, x + w * 0.85, ly);
    cairo_move_to(cr, x + w * 0.14, ly);
    cairo_line_to(cr, x + w * 0.24, ly);
  }
  cairo_stroke(cr);
}

void Check(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Line(cr, s * 0.14);
  cairo_move_to(cr, cx - s * 0.3, cy);
  cairo_line_to(cr, cx - s * 0.08, cy + s * 0.24);
  cairo_line_to(cr, cx + s * 0.32, cy - s * 0.26);
  cairo_stroke(cr);
}

void Cross(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Line(cr, s * 0.14);
  cairo_move_to(cr, cx - s * 0.24, cy - s * 0.24);
  cairo_line_to(cr, cx + s * 0.24, cy + s * 0.24);
  cairo_move_to(cr, cx + s * 0.24, cy - s * 0.24);
  cairo_line_to(cr, cx - s * 0.24, cy + s * 0.24);
  cairo_stroke(cr);
}

void ArrowLeft(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  cairo_move_to(cr, cx - s * 0.3, cy);
  cairo_line_to(cr, cx + s * 0.18, cy - s * 0.3);
  cairo_line_to(cr, cx + s * 0.18, cy + s * 0.3);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, s * 0.08);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

void ArrowRight(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  cairo_move_to(cr, cx + s * 0.3, cy);
  cairo_line_to(cr, cx - s * 0.18, cy - s * 0.3);
  cairo_line_to(cr, cx - s * 0.18, cy + s * 0.3);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, s * 0.08);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

void Trash(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  double w = s * 0.44, top = cy - s * 0.2;
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_line_to(cr, cx + w * 0.4, cy + s * 0.36);
  cairo_line_to(cr, cx - w * 0.4, cy + s * 0.36);
  cairo_close_path(cr);
  cairo_fill(cr);
  RoundRect(cr, cx - w * 0.65, top - s * 0.1, w * 1.3, s * 0.07, s * 0.02);
  cairo_fill(cr);
  RoundRect(cr, cx - w * 0.18, top - s * 0.17, w * 0.36, s * 0.08, s * 0.02);
  cairo_fill(cr);
  Ink(cr, Hex(0x2A160A), 0.8);
  Line(cr, s * 0.04);
  for (int i = -1; i <= 1; ++i) {
    cairo_move_to(cr, cx + i * w * 0.25, top + s * 0.08);
    cairo_line_to(cr, cx + i * w * 0.22, cy + s * 0.28);
  }
  cairo_stroke(cr);
}

void Pocket(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  // a pouch with a piece peeking out
  Ink(cr, ink);
  PiecePath(cr, cx - s * 0.2, cy - s * 0.46, s * 0.4);
  cairo_fill(cr);
  Ink(cr, ink);
  cairo_move_to(cr, cx - s * 0.36, cy - s * 0.08);
  cairo_line_to(cr, cx + s * 0.36, cy - s * 0.08);
  cairo_curve_to(cr, cx + s * 0.36, cy + s * 0.3, cx + s * 0.2, cy + s * 0.38, cx, cy + s * 0.38);
  cairo_curve_to(cr, cx - s * 0.2, cy + s * 0.38, cx - s * 0.36, cy + s * 0.3, cx - s * 0.36, cy - s * 0.08);
  cairo_close_path(cr);
  cairo_fill(cr);
  Ink(cr, Hex(0x2A160A), 0.7);
  Line(cr, s * 0.04);
  double dash[] = {s * 0.05, s * 0.04};
  cairo_save(cr);
  cairo_set_dash(cr, dash, 2, 0);
  cairo_move_to(cr, cx - s * 0.3, cy - s * 0.01);
  cairo_line_to(cr, cx + s * 0.3, cy - s * 0.01);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Squares(cairo_t* cr, double cx, double cy, double s, const Rgb& ink, int n) {
  // n = 1, 2, 3: a frame that grows with the preview size
  Ink(cr, ink);
  Line(cr, s * 0.08);
  double a = s * (0.28 + 0.14 * n);
  RoundRect(cr, cx - a / 2, cy - a / 2, a, a, s * 0.05);
  cairo_stroke(cr);
  for (int i = 0; i < n; ++i) {
    Circle(cr, cx - (n - 1) * s * 0.1 + i * s * 0.2, cy, s * 0.06);
    cairo_fill(cr);
  }
}

void Rotate(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Line(cr, s * 0.11);
  double r = s * 0.28;
  cairo_arc(cr, cx, cy, r, -M_PI * 0.1, M_PI * 1.4);
  cairo_stroke(cr);
  double a = -M_PI * 0.1, ex = cx + r * std::cos(a), ey = cy + r * std::sin(a);
  cairo_move_to(cr, ex - s * 0.18, ey - s * 0.02);
  cairo_line_to(cr, ex + s * 0.1, ey - s * 0.06);
  cairo_line_to(cr, ex + s * 0.02, ey + s * 0.2);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Person(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  Circle(cr, cx, cy - s * 0.18, s * 0.15);
  cairo_fill(cr);
  cairo_move_to(cr, cx - s * 0.3, cy + s * 0.36);
  cairo_curve_to(cr, cx - s * 0.3, cy - s * 0.02, cx + s * 0.3, cy - s * 0.02, cx + s * 0.3, cy + s * 0.36);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Piece(cairo_t* cr, double cx, double cy, double s, const Rgb& ink) {
  Ink(cr, ink);
  PiecePath(cr, cx - s * 0.45, cy - s * 0.45, s * 0.9);
  cairo_fill(cr);
}

}  // namespace gendata::icon
