// Pictures that decorate windows: the settings instruments, the resolution
// monitor, the trophy and leader-board headers, the win-dialog plate, the
// question pictures, the authors' desk, the help pictures and the two
// corner ornaments of the menu.
#include <cmath>

#include "tools/data/generator.h"
#include "tools/data/theme.h"

namespace gendata {

namespace {

void Shade(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgb& a, const Rgb& b) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

// A paper panel in a brass frame with a soft shadow below right: the frame
// at (x, y, w, h) with corner radius r, the paper `inset` pixels inside it
// with corner radius paperR.
void BrassFramedPaper(cairo_t* cr, double x, double y, double w, double h, double r, double inset, double paperR) {
  RoundRect(cr, x + 4, y + 4, w, h, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  RoundRect(cr, x, y, w, h, r);
  Shade(cr, 0, y, 0, y + h, pal::kBrassLight, pal::kBrassDark);
  cairo_fill(cr);
  PaperPanel(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, paperR);
}

void Violin(Sink& sink) {
  Image img(128, 128);
  cairo_t* cr = img.Cr();
  cairo_translate(cr, 64, 64);
  cairo_rotate(cr, -0.5);
  // body: two rounded bouts joined by a waist
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -22);
  cairo_curve_to(cr, 22, -26, 24, -4, 12, 2);
  cairo_curve_to(cr, 30, 8, 30, 44, 0, 44);
  cairo_curve_to(cr, -30, 44, -30, 8, -12, 2);
  cairo_curve_to(cr, -24, -4, -22, -26, 0, -22);
  cairo_close_path(cr);
  Shade(cr, -25, -20, 25, 40, Hex(0xD0782E), Hex(0x7A3310));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetRgb(cr, Hex(0x3A1606));
  cairo_stroke(cr);
  // neck and scroll
  cairo_rectangle(cr, -3.5, -58, 7, 40);
  SetRgb(cr, Hex(0x2A1208));
  cairo_fill(cr);
  Circle(cr, 0, -60, 5);
  cairo_fill(cr);
  // f-holes and bridge
  cairo_set_line_width(cr, 1.8);
  for (int s : {-1, 1}) {
    cairo_move_to(cr, s * 9, 6);
    cairo_curve_to(cr, s * 5, 14, s * 13, 22, s * 9, 30);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, -8, 20, 16, 3);
  SetRgb(cr, Hex(0xE8D2A0));
  cairo_fill(cr);
  // strings
  cairo_set_line_width(cr, 0.7);
  SetRgb(cr, Hex(0xF4E6C0));
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, -2.4 + i * 1.6, -56);
    cairo_line_to(cr, -3 + i * 2, 40);
  }
  cairo_stroke(cr);
  PutPng(sink, "gui", "violin.png", img);
}

void BigGear(Sink& sink) {
  Image img(128, 128);
  cairo_t* cr = img.Cr();
  icon::Gear(cr, 66, 67, 118, Hex(0x3A220E));
  cairo_push_group(cr);
  icon::Gear(cr, 64, 64, 118, pal::kBrass);
  cairo_pattern_t* mask = cairo_pop_group(cr);
  Shade(cr, 10, 10, 118, 118, pal::kBrassLight, pal::kBrassDark);
  cairo_mask(cr, mask);
  cairo_pattern_destroy(mask);
  Circle(cr, 64, 64, 22);
  cairo_set_line_width(cr, 3);
  SetRgb(cr, pal::kBrassDark);
  cairo_stroke(cr);
  PutPng(sink, "gui", "gear.png", img);
}

void Piano(Sink& sink) {
  Image img(128, 128);
  cairo_t* cr = img.Cr();
  // a grand piano seen from above: curved case, keyboard at the bottom
  cairo_move_to(cr, 20, 100);
  cairo_line_to(cr, 20, 30);
  cairo_curve_to(cr, 20, 10, 60, 8, 66, 30);
  cairo_curve_to(cr, 72, 50, 108, 52, 108, 76);
  cairo_line_to(cr, 108, 100);
  cairo_close_path(cr);
  Shade(cr, 20, 10, 108, 100, Hex(0x4A2A18), Hex(0x1A0C06));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetRgb(cr, pal::kBrass);
  cairo_stroke(cr);
  // strings inside
  cairo_set_line_width(cr, 0.8);
  SetRgb(cr, pal::kBrassLight, 0.6);
  for (int i = 0; i < 8; ++i) {
    cairo_move_to(cr, 28 + i * 9, 92);
    cairo_line_to(cr, 28 + i * 5, 30 + i * 4);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, 16, 96, 96, 20);
  SetRgb(cr, Hex(0xFFFDF4));
  cairo_fill(cr);
  SetRgb(cr, Hex(0x3A2716));
  cairo_set_line_width(cr, 1);
  for (int i = 0; i <= 12; ++i) {
    cairo_move_to(cr, 16 + i * 8, 96);
    cairo_line_to(cr, 16 + i * 8, 116);
  }
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    if (i % 7 == 2 || i % 7 == 6) continue;
    cairo_rectangle(cr, 21 + i * 8, 96, 5, 12);
  }
  cairo_fill(cr);
  cairo_rectangle(cr, 16, 96, 96, 20);
  cairo_stroke(cr);
  PutPng(sink, "gui", "fortepiano.png", img);
}

void Monitor(Sink& sink) {
  Image img(200, 150);
  cairo_t* cr = img.Cr();
  RoundRect(cr, 20, 10, 160, 104, 8);
  SetRgb(cr, Hex(0x2A1A10));
  cairo_fill(cr);
  RoundRect(cr, 28, 18, 144, 88, 4);
  Shade(cr, 28, 18, 172, 106, Hex(0x7FB2DA), Hex(0x2E5A86));
  cairo_fill(cr);
  // three nested screen sizes
  cairo_set_line_width(cr, 2);
  for (int i = 0; i < 3; ++i) {
    double w = 40 + i * 40, h = 24 + i * 24;
    cairo_rectangle(cr, 100 - w / 2, 62 - h / 2, w, h);
    SetRgb(cr, pal::kCream, 0.5 + 0.2 * i);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, 85, 114);
  cairo_line_to(cr, 115, 114);
  cairo_line_to(cr, 124, 136);
  cairo_line_to(cr, 76, 136);
  cairo_close_path(cr);
  SetRgb(cr, pal::kWood);
  cairo_fill(cr);
  RoundRect(cr, 60, 134, 80, 10, 4);
  SetRgb(cr, pal::kWoodDark);
  cairo_fill(cr);
  PutPng(sink, "gui", "select_fon.png", img);
}

// A five-pointed star of outer radius r1 and inner radius r2 at (x, y).
void Star(cairo_t* cr, double x, double y, double r1, double r2) {
  cairo_new_path(cr);
  for (int k = 0; k < 10; ++k) {
    double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? r2 : r1;
    cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
  }
  cairo_close_path(cr);
}

// A laurel branch from (x0, y) towards (x1, y), leaves in pairs, bending
// slightly upwards at its tip.
void LaurelBranch(cairo_t* cr, double x0, double x1, double y, const Rgb& c) {
  const int n = 6;
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, x0, y);
  cairo_curve_to(cr, (2 * x0 + x1) / 3, y + 3, (x0 + 2 * x1) / 3, y + 2, x1, y - 6);
  SetRgb(cr, Scale(c, 0.7));
  cairo_stroke(cr);
  const double dir = x1 > x0 ? 1 : -1;
  for (int i = 0; i < n; ++i) {
    double t = (i + 0.5) / n, x = x0 + (x1 - x0) * t, yy = y + 2 - 8 * t * t;
    for (int side : {-1, 1}) {
      cairo_save(cr);
      cairo_translate(cr, x, yy);
      cairo_rotate(cr, dir * (side * 0.8) + (dir > 0 ? -0.25 : M_PI + 0.25));
      cairo_translate(cr, 6, 0);
      cairo_scale(cr, 7, 2.8);
      Circle(cr, 0, 0, 1);
      cairo_restore(cr);
      SetRgb(cr, Scale(c, 0.8 + 0.06 * (i % 3)));
      cairo_fill(cr);
    }
  }
}

void Headers(Sink& sink) {
  {
    // The trophy window's header ornament, centred 25 pixels below its
    // top on the window header's line: two laurel branches either side of
    // the header text (which takes the middle 180 pixels) and a cup under
    // it, hanging below the window's title band.
    Image img(320, 100);
    cairo_t* cr = img.Cr();
    LaurelBranch(cr, 66, 6, 26, Hex(0x6E8A3A));
    LaurelBranch(cr, 254, 314, 26, Hex(0x6E8A3A));
    icon::Cup(cr, 161, 75, 44, Hex(0x3A220E));
    icon::Cup(cr, 160, 74, 44, pal::kBrass);
    PutPng(sink, "gui", "trofi_fon.png", img);
  }
  {
    // The trophy window's corner picture, centred 80 pixels left of the
    // window's centre line and 60 above its lower edge: the magnifier
    // stands in the image's left fifth, so it lies left of the trophy
    // hints (the widest takes about 350 pixels about the centre line) and
    // away from OK; the rest is empty.
    Image img(320, 96);
    cairo_t* cr = img.Cr();
    cairo_set_line_width(cr, 10);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 26, 56);
    cairo_line_to(cr, 10, 80);
    SetRgb(cr, pal::kWoodDark);
    cairo_stroke(cr);
    Circle(cr, 42, 34, 22);
    Shade(cr, 20, 12, 64, 56, Hex(0xDDEEFF), Hex(0x8FB4D8));
    cairo_fill(cr);
    Circle(cr, 42, 34, 22);
    cairo_set_line_width(cr, 6);
    Shade(cr, 20, 12, 64, 56, pal::kBrassLight, pal::kBrassDark);
    cairo_stroke(cr);
    Circle(cr, 34, 26, 6);
    SetRgb(cr, Hex(0xFFFFFF), 0.6);
    cairo_fill(cr);
    PutPng(sink, "gui", "zoom.png", img);
  }
  {
    // The leader board's header picture: the board draws its header 10 px
    // above the picture's middle and 55 px left of it, so the picture is a
    // paper banner for the header with the podium at its right end.
    Image img(520, 84);
    cairo_t* cr = img.Cr();
    BrassFramedPaper(cr, 14, 12, 372, 52, 14, 6, 10);
    icon::Podium(cr, 456, 44, 74, Hex(0x3A220E));
    icon::Podium(cr, 455, 42, 74, pal::kBrass);
    PutPng(sink, "gui", "liderboard_fon.png", img);
  }
  {
    // the player window's header plate: the header line is drawn across
    // its middle, so it is a light paper banner with room for the text
    Image img(360, 64);
    BrassFramedPaper(img.Cr(), 2, 6, 352, 50, 14, 6, 10);
    PutPng(sink, "gui", "players_fon.png", img);
  }
  {
    // The win dialog's plate. The dialog draws over it, from its top
    // centre: the two labels at y 20, 130 pixels left and right of the
    // centre; the piece count (ending 110 left of the centre, the rotation
    // icon after it) and the score at y 85; the time at y 175 and its label
    // at y 230. So: a label strip along the top of each half, a divider
    // between the count and the score, a starred rule above the time.
    Image img(480, 260);
    cairo_t* cr = img.Cr();
    BrassFramedPaper(cr, 4, 2, 468, 252, 18, 8, 12);
    for (double x : {22.0, 252.0}) {
      RoundRect(cr, x, 10, 206, 22, 8);
      SetRgb(cr, pal::kPaperDark, 0.55);
      cairo_fill(cr);
    }
    cairo_rectangle(cr, 239, 40, 2, 74);
    SetRgb(cr, pal::kPaperDark);
    cairo_fill(cr);
    for (int side : {-1, 1}) {
      cairo_rectangle(cr, side < 0 ? 40 : 290, 129, 150, 2);
      SetRgb(cr, pal::kBrassDark, 0.6);
      cairo_fill(cr);
    }
    for (int i = -1; i <= 1; ++i) {
      Star(cr, 240 + i * 30, 130, i == 0 ? 10 : 7, i == 0 ? 4.2 : 3);
      SetRgb(cr, pal::kBrass);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1);
      SetRgb(cr, pal::kBrassDark);
      cairo_stroke(cr);
    }
    PutPng(sink, "gui", "complit_tablica.png", img);
  }
}

void Questions(Sink& sink) {
  {
    Image img(128, 96);
    cairo_t* cr = img.Cr();
    icon::Door(cr, 65, 50, 88, Hex(0x2A160A));
    icon::Door(cr, 64, 48, 88, pal::kWood);
    PutPng(sink, "gui", "ExitQ.png", img);
  }
  {
    // a closed book with a bookmark: keep the puzzle for later
    Image img(128, 96);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 30, 10, 70, 80, 6);
    Shade(cr, 30, 10, 100, 90, Scale(pal::kLeather, 1.3), pal::kLeatherDark);
    cairo_fill(cr);
    cairo_rectangle(cr, 96, 14, 6, 72);
    SetRgb(cr, pal::kPaper);
    cairo_fill(cr);
    cairo_move_to(cr, 74, 10);
    cairo_line_to(cr, 86, 10);
    cairo_line_to(cr, 86, 44);
    cairo_line_to(cr, 80, 38);
    cairo_line_to(cr, 74, 44);
    cairo_close_path(cr);
    SetRgb(cr, pal::kBrass);
    cairo_fill(cr);
    icon::Piece(cr, 58, 58, 34, pal::kBrassLight);
    PutPng(sink, "gui", "window_save_fon.png", img);
  }
}

void Authors(Sink& sink) {
  Image img(256, 256);
  cairo_t* cr = img.Cr();
  cairo_save(cr);
  cairo_translate(cr, 128, 128);
  cairo_rotate(cr, -0.08);
  RoundRect(cr, -90, -110, 180, 220, 6);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  PaperPanel(cr, -94, -114, 180, 220, 6);
  cairo_set_line_width(cr, 1);
  for (int y = -84; y < 96; y += 18) {
    cairo_move_to(cr, -78, y);
    cairo_line_to(cr, 70, y);
  }
  SetRgb(cr, Hex(0x9DB3C9), 0.7);
  cairo_stroke(cr);
  cairo_restore(cr);
  // ink pot and quill
  RoundRect(cr, 150, 180, 60, 50, 10);
  Shade(cr, 150, 180, 210, 230, Hex(0x2E4577), Hex(0x101C30));
  cairo_fill(cr);
  RoundRect(cr, 164, 170, 32, 14, 4);
  SetRgb(cr, pal::kBrass);
  cairo_fill(cr);
  cairo_move_to(cr, 180, 172);
  cairo_curve_to(cr, 150, 110, 120, 60, 70, 20);
  cairo_curve_to(cr, 120, 40, 160, 90, 184, 170);
  cairo_close_path(cr);
  Shade(cr, 70, 20, 184, 172, Hex(0xFFFFFF), Hex(0xCFC2A8));
  cairo_fill(cr);
  cairo_move_to(cr, 180, 172);
  cairo_curve_to(cr, 150, 110, 120, 60, 70, 20);
  cairo_set_line_width(cr, 1.5);
  SetRgb(cr, Hex(0x6A5A40));
  cairo_stroke(cr);
  PutPng(sink, "gui", "avtor_fon.png", img);
}

// A computer mouse at (cx, cy) of height h; `button` 1 = left, 2 = right
// highlighted.
void Mouse(cairo_t* cr, double cx, double cy, double h, int button) {
  double w = h * 0.62;
  RoundRect(cr, cx - w / 2, cy - h / 2, w, h, w * 0.48);
  Shade(cr, cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, Hex(0xF4EEE2), Hex(0xB8AC98));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetRgb(cr, Hex(0x3A2716));
  cairo_stroke(cr);
  double split = cy - h * 0.08;
  cairo_save(cr);
  RoundRect(cr, cx - w / 2, cy - h / 2, w, h, w * 0.48);
  cairo_clip(cr);
  if (button) {
    double x0 = button == 1 ? cx - w / 2 : cx;
    cairo_rectangle(cr, x0, cy - h / 2, w / 2, split - (cy - h / 2));
    SetRgb(cr, Hex(0xE0A030), 0.9);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_move_to(cr, cx - w / 2, split);
  cairo_line_to(cr, cx + w / 2, split);
  cairo_move_to(cr, cx, cy - h / 2);
  cairo_line_to(cr, cx, split);
  cairo_stroke(cr);
}

// The help window's pictures, drawn on a 300 x 200 design and scaled down:
// the window stands each picture a quarter of its width left of its centre
// and starts the text an eighth left of it, so a picture may be at most a
// quarter of the small window (560 wide) across.
constexpr int kHelpW = 136, kHelpH = 91;
constexpr double kHelpScale = kHelpW / 300.0;

void HelpPictures(Sink& sink) {
  auto card = [](Image& img) {
    cairo_t* cr = img.Cr();
    RoundRect(cr, 4, 6, 294, 192, 14);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    RoundRect(cr, 2, 2, 294, 192, 14);
    Shade(cr, 0, 0, 0, 194, pal::kBrassLight, pal::kBrassDark);
    cairo_fill(cr);
    PaperPanel(cr, 7, 7, 284, 182, 10);
  };
  {
    // the pocket: a pouch that takes pieces from the board
    Image img(kHelpW, kHelpH);
    cairo_scale(img.Cr(), kHelpScale, kHelpScale);
    card(img);
    cairo_t* cr = img.Cr();
    icon::Pocket(cr, 90, 104, 130, Scale(pal::kLeather, 1.1));
    const Rgb cols[] = {Hex(0x4F86B8), Hex(0xD9853B), Hex(0x6E9E4A)};
    for (int i = 0; i < 3; ++i) {
      cairo_save(cr);
      cairo_translate(cr, 200 + (i % 2) * 40, 50 + i * 44);
      cairo_rotate(cr, 0.3 * i - 0.3);
      icon::Piece(cr, 0, 0, 40, cols[i]);
      cairo_restore(cr);
    }
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, Hex(0x2E4577));
    cairo_move_to(cr, 190, 100);
    cairo_curve_to(cr, 170, 80, 150, 80, 135, 92);
    cairo_stroke(cr);
    cairo_move_to(cr, 146, 82);
    cairo_line_to(cr, 134, 93);
    cairo_line_to(cr, 149, 98);
    cairo_stroke(cr);
    PutPng(sink, "gui", "windows_FAQ_fon1.png", img);
  }
  for (int which = 2; which <= 3; ++which) {
    // 2: drag with the left button; 3: turn with the right button
    Image img(kHelpW, kHelpH);
    cairo_scale(img.Cr(), kHelpScale, kHelpScale);
    card(img);
    cairo_t* cr = img.Cr();
    Mouse(cr, 80, 104, 120, which == 2 ? 1 : 2);
    cairo_save(cr);
    cairo_translate(cr, 205, 100);
    if (which == 3) cairo_rotate(cr, 0.5);
    icon::Piece(cr, 0, 0, 70, Hex(0x4F86B8));
    cairo_restore(cr);
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, Hex(0x2E4577));
    if (which == 2) {
      cairo_move_to(cr, 140, 150);
      cairo_line_to(cr, 250, 150);
      cairo_stroke(cr);
      cairo_move_to(cr, 238, 140);
      cairo_line_to(cr, 251, 150);
      cairo_line_to(cr, 238, 160);
      cairo_stroke(cr);
    } else {
      cairo_arc(cr, 205, 100, 56, -0.6, 0.9);
      cairo_stroke(cr);
      double ex = 205 + 56 * std::cos(0.9), ey = 100 + 56 * std::sin(0.9);
      cairo_move_to(cr, ex + 12, ey - 6);
      cairo_line_to(cr, ex, ey);
      cairo_line_to(cr, ex - 2, ey - 14);
      cairo_stroke(cr);
    }
    PutPng(sink, "gui", which == 2 ? "windows_FAQ_fon2.png" : "windows_FAQ_fon3.png", img);
  }
  {
    // caption sprite of the set-up strip's rotation box, drawn with its
    // bottom-right corner just above the box: the strip writes the rotation
    // text from its left edge near its top, so the picture is a rule under
    // that text and an arrow curving down from it to the box, nothing else
    const int w = 240, h = 64;
    Image img(w, h);
    cairo_t* cr = img.Cr();
    const Rgb ink = Hex(0x2E4577);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, ink);
    cairo_move_to(cr, 14, 27);
    cairo_line_to(cr, w - 60, 27);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, w - 60, 27);
    cairo_curve_to(cr, w - 30, 27, w - 10, 34, w - 10, h - 6);
    cairo_stroke(cr);
    cairo_move_to(cr, w - 18, h - 14);
    cairo_line_to(cr, w - 10, h - 4);
    cairo_line_to(cr, w - 2, h - 14);
    cairo_stroke(cr);
    Circle(cr, 14, 27, 3);
    cairo_fill(cr);
    PutPng(sink, "gui", "rotation_text.png", img);
  }
}

void Corners(Sink& sink) {
  {
    // pencils lying in the bottom-left corner
    Image img(256, 256);
    cairo_t* cr = img.Cr();
    const Rgb cols[] = {Hex(0xC23B2A), Hex(0x2F6FB0), Hex(0x3F8A3A), Hex(0xE0B030)};
    for (int i = 0; i < 4; ++i) {
      cairo_save(cr);
      cairo_translate(cr, 30 + i * 18, 236 - i * 8);
      cairo_rotate(cr, -0.9 + i * 0.12);
      cairo_rectangle(cr, 2, 2, 200, 16);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
      cairo_fill(cr);
      cairo_rectangle(cr, 0, 0, 180, 16);
      Shade(cr, 0, 0, 0, 16, Scale(cols[i], 1.3), Scale(cols[i], 0.7));
      cairo_fill(cr);
      cairo_move_to(cr, 180, 0);
      cairo_line_to(cr, 206, 8);
      cairo_line_to(cr, 180, 16);
      cairo_close_path(cr);
      SetRgb(cr, Hex(0xE8C89A));
      cairo_fill(cr);
      cairo_move_to(cr, 198, 5.5);
      cairo_line_to(cr, 206, 8);
      cairo_line_to(cr, 198, 10.5);
      cairo_close_path(cr);
      SetRgb(cr, Scale(cols[i], 0.6));
      cairo_fill(cr);
      cairo_rectangle(cr, -14, 0, 14, 16);
      SetRgb(cr, Hex(0xB8B8B0));
      cairo_fill(cr);
      cairo_restore(cr);
    }
    PutPng(sink, "menu", "left_corner.png", img);
  }
  {
    // a flash drive in the bottom-right corner
    Image img(256, 256);
    cairo_t* cr = img.Cr();
    cairo_translate(cr, 150, 190);
    cairo_rotate(cr, -0.6);
    RoundRect(cr, -60 + 3, -22 + 4, 110, 44, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    RoundRect(cr, -60, -22, 110, 44, 10);
    Shade(cr, 0, -22, 0, 22, Hex(0x4B4F58), Hex(0x1E2026));
    cairo_fill(cr);
    cairo_rectangle(cr, -92, -14, 34, 28);
    Shade(cr, 0, -14, 0, 14, Hex(0xE8E8EC), Hex(0x9A9AA4));
    cairo_fill(cr);
    cairo_rectangle(cr, -84, -8, 8, 6);
    cairo_rectangle(cr, -72, -8, 8, 6);
    SetRgb(cr, Hex(0x303038));
    cairo_fill(cr);
    Circle(cr, 30, 0, 6);
    SetRgb(cr, Hex(0x60C060));
    cairo_fill(cr);
    PutPng(sink, "menu", "right_corner.png", img);
  }
}

}  // namespace

void MakeDecorations(Sink& sink) {
  Violin(sink);
  BigGear(sink);
  Piano(sink);
  Monitor(sink);
  Headers(sink);
  Questions(sink);
  Authors(sink);
  HelpPictures(sink);
  Corners(sink);
}

}  // namespace gendata
