// Buttons, check boxes and sliders of every pack: four-frame strips (4F),
// two-half check boxes (2H) and four-quarter sliders (4Q).
#include <cmath>

#include "tools/data/generator.h"
#include "tools/data/theme.h"

namespace gendata {

namespace {

// A 4F strip of round medallion buttons with one icon.
void MedallionStrip(Sink& sink, const char* folder, const char* name, int frame, const IconFn& ic,
                    FourthFrame fourth, const Rgb& body = pal::kLeather) {
  Image img(frame * 4, frame);
  FourFrames(
      img, frame, frame, [&](cairo_t* cr, int w, int h, bool on) { Medallion(cr, w, h, ic, on, body); }, fourth);
  PutPng(sink, folder, name, img);
}

// A 4F strip of light plaques (labels are drawn on them by the game), with
// an optional icon in the middle.
void PlaqueStrip(Sink& sink, const char* folder, const char* name, int fw, int fh, const IconFn& ic,
                 const Rgb& inkColour, FourthFrame fourth) {
  Image img(fw * 4, fh);
  FourFrames(
      img, fw, fh,
      [&](cairo_t* cr, int w, int h, bool on) {
        Plaque(cr, 2, 1, w - 4, h - 1, pal::kPaperDark, on);
        if (ic) ic(cr, w / 2.0, h / 2.0 - 1, h * 0.78, inkColour);
      },
      fourth);
  PutPng(sink, folder, name, img);
}

IconFn SquaresIcon(int n) {
  return [n](cairo_t* cr, double cx, double cy, double s, const Rgb& ink) { icon::Squares(cr, cx, cy, s, ink, n); };
}

// One check-box square at x: a paper box in a brass rim.
void Box(cairo_t* cr, double x, double q) {
  RoundRect(cr, x + 3, 4, q - 6, q - 6, 5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  RoundRect(cr, x + 2, 2, q - 6, q - 6, 5);
  FillVGradient(cr, 2, q - 4, pal::kBrassLight, pal::kBrassDark);
  cairo_new_path(cr);
  RoundRect(cr, x + 5, 5, q - 12, q - 12, 3);
  FillVGradient(cr, 5, q - 7, Hex(0xE9DCBC), pal::kPaper);
  cairo_new_path(cr);
}

// 2H: the box on the left, the ticked box on the right.
void CheckBox(Sink& sink, const char* name, bool rotateMark) {
  const int q = 32;
  Image img(2 * q, q);
  cairo_t* cr = img.Cr();
  for (int half = 0; half < 2; ++half) {
    double x = half * q;
    Box(cr, x, q);
    double cx = x + q / 2.0 - 1, cy = q / 2.0 - 1;
    if (rotateMark) {
      cairo_save(cr);
      icon::Rotate(cr, cx, cy, q * 0.62, half ? Hex(0x2E4577) : Hex(0xB9A47A));
      cairo_restore(cr);
    }
    if (half == 1) {
      icon::Check(cr, cx + 2, cy + 1, q * 0.95, Hex(0x1E0E06));
      icon::Check(cr, cx + 1, cy, q * 0.95, Hex(0x3C8A2E));
    }
  }
  PutPng(sink, "gui", name, img);
}

// 4Q slider: left cap, track, right cap, knob. The quarters are taller than
// the groove and the knob: the set-up strip stands its two sliders 1.4 image
// heights less 15 pixels apart with a label between them, which needs that
// room.
void Slider(Sink& sink) {
  const int q = 48;
  Image img(4 * q, q);
  cairo_t* cr = img.Cr();
  double gy = q / 2.0 - 5, gh = 10;
  // groove: caps round off the ends, the middle quarter is straight so it tiles
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 3 * q, q);
  cairo_clip(cr);
  auto groove = [&](double x0, double x1, bool roundL, bool roundR) {
    cairo_save(cr);
    cairo_rectangle(cr, x0, 0, x1 - x0, q);
    cairo_clip(cr);
    double l = roundL ? x0 + 6 : x0 - 20, r = roundR ? x1 - 6 : x1 + 20;
    RoundRect(cr, l, gy, r - l, gh, gh / 2);
    FillVGradient(cr, gy, gy + gh, Hex(0x2A160A), pal::kWood);
    cairo_new_path(cr);
    RoundRect(cr, l + 1.5, gy + 2, r - l - 3, gh - 4, gh / 2 - 2);
    FillVGradient(cr, gy + 2, gy + gh - 2, Hex(0x3D2414), Hex(0x6A4427));
    cairo_new_path(cr);
    cairo_rectangle(cr, l, gy + gh - 1, r - l, 1);
    cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
  };
  groove(0, q, true, false);
  groove(q, 2 * q, false, false);
  groove(2 * q, 3 * q, false, true);
  cairo_restore(cr);
  // brass ends on the caps
  for (double ex : {8.0, 3 * q - 8.0}) {
    Circle(cr, ex, q / 2.0, 4);
    cairo_set_source_rgb(cr, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b);
    cairo_fill(cr);
  }
  // knob
  double kx = 3 * q + q / 2.0, ky = q / 2.0, kr = 13;
  Circle(cr, kx + 1, ky + 2, kr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(kx - kr * 0.4, ky - kr * 0.4, 1, kx, ky, kr);
  cairo_pattern_add_color_stop_rgb(g, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
  cairo_pattern_add_color_stop_rgb(g, 0.7, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b);
  cairo_pattern_add_color_stop_rgb(g, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
  Circle(cr, kx, ky, kr);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Circle(cr, kx, ky, kr * 0.45);
  cairo_set_source_rgb(cr, pal::kLeather.r, pal::kLeather.g, pal::kLeather.b);
  cairo_fill(cr);
  PutPng(sink, "gui", "slider_3.png", img);
}

}  // namespace

void MakeMenuButtons(Sink& sink) {
  const int f = 96;
  MedallionStrip(sink, "menu", "settings_button.png", f, icon::Gear, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "compleate_button.png", f, icon::Scroll, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "play_button.png", f, icon::Play, FourthFrame::kGreyed, Hex(0x3F6E34));
  MedallionStrip(sink, "menu", "cut_button.png", f, icon::Scissors, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "exit_button.png", f, icon::Door, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "top_button.png", f, icon::Podium, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "trophy_button.png", f, icon::Cup, FourthFrame::kGreyed);
  // book tabs: the fourth frame marks the current chapter
  PlaqueStrip(sink, "menu", "gallery_button.png", 160, 48, nullptr, pal::kInk, FourthFrame::kOn);
  MedallionStrip(sink, "menu", "button_right.png", 48, icon::ArrowRight, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "button_left.png", 48, icon::ArrowLeft, FourthFrame::kGreyed);
  MedallionStrip(sink, "menu", "button_trash.png", 48, icon::Trash, FourthFrame::kGreyed);
}

void MakeLevelButtons(Sink& sink) {
  const int f = 64;
  // the fourth frame shows the tool switched on
  MedallionStrip(sink, "level", "exit_button.png", f, icon::Door, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_border.png", f, icon::BorderFrame, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_ghost.png", f, icon::Ghost, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_hint.png", f, icon::Bulb, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_image.png", f, icon::Picture, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_sort.png", f, icon::Sort, FourthFrame::kOn);
  MedallionStrip(sink, "level", "button_magnifier.png", f, icon::Magnifier, FourthFrame::kOn);
  MedallionStrip(sink, "level", "settings_button.png", f, icon::Gear, FourthFrame::kOn);
  MedallionStrip(sink, "level", "x1_button.png", 32, SquaresIcon(1), FourthFrame::kOn);
  MedallionStrip(sink, "level", "x2_button.png", 32, SquaresIcon(2), FourthFrame::kOn);
  MedallionStrip(sink, "level", "x3_button.png", 32, SquaresIcon(3), FourthFrame::kOn);
  MedallionStrip(sink, "level", "close_button.png", 32, icon::Cross, FourthFrame::kGreyed, pal::kRed);
}

void MakeGuiWidgets(Sink& sink) {
  PlaqueStrip(sink, "gui", "button_ok.png", 128, 48, icon::Check, Hex(0x3C7A2E), FourthFrame::kGreyed);
  PlaqueStrip(sink, "gui", "button_cancel.png", 128, 48, icon::Cross, Hex(0xA23A28), FourthFrame::kGreyed);
  PlaqueStrip(sink, "gui", "button_flat.png", 160, 48, nullptr, pal::kInk, FourthFrame::kGreyed);
  PlaqueStrip(sink, "gui", "button_replay.png", 128, 48, icon::Rotate, Hex(0x2E4577), FourthFrame::kGreyed);
  MedallionStrip(sink, "gui", "slider_left.png", 32, icon::ArrowLeft, FourthFrame::kGreyed);
  MedallionStrip(sink, "gui", "slider_right.png", 32, icon::ArrowRight, FourthFrame::kGreyed);
  Slider(sink);
  CheckBox(sink, "checkbox_button.png", false);
  CheckBox(sink, "check_rotate.png", true);
}

void MakePocket(Sink& sink) {
  MedallionStrip(sink, "pocket", "button_pocket.png", 64, icon::Pocket, FourthFrame::kOn);
  // Tiles: the pocket is a leather pouch panel on the left of the board.
  // pocket1-1 fills, pocket1-2 is the bottom edge, pocket2-1 the right edge,
  // pocket2-2 the bottom-right corner; edges and fill repeat seamlessly.
  const int t = 64;
  auto leather = [&](Image& img) {
    cairo_t* cr = img.Cr();
    cairo_rectangle(cr, 0, 0, t, t);
    SetRgb(cr, Hex(0x5A2A1E));
    cairo_fill(cr);
    AddGrain(img, 0.10, 6, 77, true);
  };
  auto stitch = [&](cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_save(cr);
    double dash[] = {6, 4};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_source_rgba(cr, 0.95, 0.82, 0.55, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
  };
  // Edges: a brass-trimmed rim 14 px wide at the outer side, then stitching.
  auto rimH = [&](cairo_t* cr) {  // rim along the bottom
    cairo_rectangle(cr, 0, t - 16, t, 16);
    FillVGradient(cr, t - 16, t, Hex(0x3A170F), Hex(0x1E0A05));
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, t - 18, t, 3);
    FillVGradient(cr, t - 18, t - 15, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    stitch(cr, 0, t - 24, t, t - 24);
  };
  auto rimV = [&](cairo_t* cr) {  // rim along the right side
    cairo_rectangle(cr, t - 16, 0, 16, t);
    cairo_pattern_t* p = cairo_pattern_create_linear(t - 16, 0, t, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.23, 0.09, 0.06);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.12, 0.04, 0.02);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, t - 18, 0, 3, t);
    SetRgb(cr, pal::kBrass);
    cairo_fill(cr);
    stitch(cr, t - 24, 0, t - 24, t);
  };
  {
    Image img(t, t);
    leather(img);
    PutPng(sink, "pocket", "pocket1-1.png", img);
  }
  {
    Image img(t, t);
    leather(img);
    rimH(img.Cr());
    PutPng(sink, "pocket", "pocket1-2.png", img);
  }
  {
    Image img(t, t);
    leather(img);
    rimV(img.Cr());
    PutPng(sink, "pocket", "pocket2-1.png", img);
  }
  {
    Image img(t, t);
    leather(img);
    cairo_t* cr = img.Cr();
    // corner: both rims, the outer corner rounded off
    cairo_save(cr);
    rimH(cr);
    rimV(cr);
    cairo_restore(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_move_to(cr, t, t - 14);
    cairo_arc(cr, t - 14, t - 14, 14, 0, M_PI / 2);
    cairo_line_to(cr, t, t);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    Circle(cr, t - 17, t - 17, 4);
    SetRgb(cr, pal::kBrassLight);
    cairo_fill(cr);
    PutPng(sink, "pocket", "pocket2-2.png", img);
  }
}

}  // namespace gendata
