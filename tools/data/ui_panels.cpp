// Windows, panels, plates and tiles: the book's fifteen nine-patch tiles,
// the floor, the board background, the dialog windows and the panels of the
// menu and the board.
#include <algorithm>
#include <cmath>

#include "tools/data/generator.h"
#include "tools/data/theme.h"

namespace gendata {

namespace {

void SetPixel(std::uint32_t* px, int stride, int x, int y, const Rgb& c, double a) {
  auto ch = [a](double v) { return static_cast<std::uint32_t>(std::clamp(v * a, 0.0, 1.0) * 255 + 0.5); };
  px[y * stride + x] = (ch(1.0) << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

// Paper that repeats every 64 pixels: soft fibres on a cream ground.
Rgb PaperAt(int x, int y) {
  double n = Fbm(x / 8.0, y / 8.0, 3, 501, 8) - 0.5;
  double f = Noise(x / 4.0, y / 4.0, 502, 16) - 0.5;
  return Scale(pal::kPaper, 1.0 + n * 0.06 + f * 0.03);
}

Rgb LeatherAt(int x, int y) {
  double n = Fbm(x / 4.0, y / 4.0, 3, 601, 16) - 0.5;
  return Scale(pal::kLeather, 0.95 + n * 0.35);
}

// One tile of the open book, column c (1..5) and row r (1..3).
void BookTile(Sink& sink, int c, int r) {
  const int cover = 14, stack = 7, spine = 64;
  int tw = (c == 3) ? spine : 64, th = 64;
  Image img(tw, th);
  std::uint32_t* px = img.Pixels();
  int stride = img.StrideWords();
  for (int y = 0; y < th; ++y) {
    for (int x = 0; x < tw; ++x) {
      const int big = 1 << 20;
      int dl = c == 1 ? x : big, dr = c == 5 ? tw - 1 - x : big;
      int dt = r == 1 ? y : big, db = r == 3 ? th - 1 - y : big;
      int d = std::min({dl, dr, dt, db});
      // rounded outer corners of the cover
      bool corner = (c == 1 || c == 5) && (r == 1 || r == 3);
      if (corner) {
        int ex = std::min(dl, dr), ey = std::min(dt, db);
        const int rad = 12;
        if (ex < rad && ey < rad) {
          double dd = std::hypot(rad - ex - 0.5, rad - ey - 0.5);
          if (dd > rad) continue;
          d = std::min(d, static_cast<int>(rad - dd));
        }
      }
      if (d < cover) {
        Rgb col = LeatherAt(x + c * 64, y + r * 64);
        if (d < 2) col = Scale(col, 0.7);
        if (d >= cover - 2) col = Scale(col, 0.6);
        SetPixel(px, stride, x, y, col, 1.0);
      } else if (d < cover + stack) {
        // the edges of the stacked pages
        int k = d - cover;
        Rgb col = (k % 2 == 0) ? Scale(pal::kPaperDark, 0.85) : pal::kPaper;
        SetPixel(px, stride, x, y, col, 1.0);
      } else {
        Rgb col = PaperAt(x, y);
        if (c == 3) {
          double t = (x - spine / 2.0 + 0.5) / (spine / 2.0);
          double shade = std::exp(-t * t * 9) * 0.38 + (1 - std::min(1.0, std::fabs(t))) * 0.05;
          col = Scale(col, 1.0 - shade);
        }
        // a little shadow near the page stack
        if (d < cover + stack + 4) col = Scale(col, 0.94 + 0.015 * (d - cover - stack));
        SetPixel(px, stride, x, y, col, 1.0);
      }
    }
  }
  cairo_surface_mark_dirty(img.Surface());
  // brass corner guards on the four outer corners
  if ((c == 1 || c == 5) && (r == 1 || r == 3)) {
    cairo_t* cr = img.Cr();
    double ox = c == 1 ? 0 : tw, oy = r == 1 ? 0 : th;
    double sx = c == 1 ? 1 : -1, sy = r == 1 ? 1 : -1;
    cairo_move_to(cr, ox + sx * 1, oy + sy * 26);
    cairo_line_to(cr, ox + sx * 1, oy + sy * 12);
    cairo_curve_to(cr, ox + sx * 1, oy + sy * 4, ox + sx * 4, oy + sy * 1, ox + sx * 12, oy + sy * 1);
    cairo_line_to(cr, ox + sx * 26, oy + sy * 1);
    cairo_line_to(cr, ox + sx * 26, oy + sy * 9);
    cairo_line_to(cr, ox + sx * 9, oy + sy * 9);
    cairo_line_to(cr, ox + sx * 9, oy + sy * 26);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(ox, oy, ox + sx * 26, oy + sy * 26);
    cairo_pattern_add_color_stop_rgb(g, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b);
    cairo_pattern_add_color_stop_rgb(g, 1, pal::kBrassDark.r, pal::kBrassDark.g, pal::kBrassDark.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  PutPng(sink, "book", std::to_string(c) + "-" + std::to_string(r) + ".png", img);
}


// The desk under the menu: warm wooden planks that repeat every 256 pixels.
void Floor(Sink& sink) {
  const int n = 256, plank = 64;
  Image img(n, n);
  std::uint32_t* px = img.Pixels();
  int stride = img.StrideWords();
  const double tones[] = {1.0, 0.9, 1.07, 0.94};
  const int joints[] = {40, 170, 100, 220};
  for (int y = 0; y < n; ++y) {
    int p = y / plank, yy = y % plank;
    for (int x = 0; x < n; ++x) {
      double u = x * 8.0 / n, v = y * 64.0 / n;
      double grain = Fbm(u + p * 1.7, v * 0.5 + Fbm(u, v * 0.05, 2, 11, 8) * 3, 4, 12 + p, 8);
      double rings = 0.5 + 0.5 * std::sin((grain * 14.0 + yy * 0.08) * M_PI);
      Rgb col = Mix(Hex(0x8A5A33), Hex(0xB27A47), rings * 0.6 + grain * 0.4);
      col = Scale(col, tones[p]);
      if (yy < 2) col = Scale(col, 0.55);            // gap between planks
      else if (yy < 4) col = Scale(col, 1.12);       // worn plank edge
      int dj = (x - joints[p] + n) % n;
      if (dj < 2) col = Scale(col, 0.6);             // plank end
      SetPixel(px, stride, x, y, col, 1.0);
    }
  }
  cairo_surface_mark_dirty(img.Surface());
  sink.Put("menu", "lenolium.jpg", img.Jpeg(92));
}

// A light tileable paper; the board tints it with the player's colour.
void BoardBackground(Sink& sink) {
  Image img(64, 64);
  std::uint32_t* px = img.Pixels();
  int stride = img.StrideWords();
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      double n = Fbm(x / 8.0, y / 8.0, 3, 701, 8) - 0.5;
      double v = 0.95 + n * 0.06;
      SetPixel(px, stride, x, y, {v, v, v * 0.985}, 1.0);
    }
  cairo_surface_mark_dirty(img.Surface());
  PutPng(sink, "gui", "window_standart_2_2.png", img);
}

// A soft shadow: black whose alpha falls off towards the edges, so that it
// reads when stretched to any size.
void Shadow(Sink& sink) {
  const int n = 64;
  Image img(n, n);
  std::uint32_t* px = img.Pixels();
  int stride = img.StrideWords();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      double ex = std::min(x + 0.5, n - x - 0.5) / 16.0, ey = std::min(y + 0.5, n - y - 0.5) / 16.0;
      double a = std::min(1.0, ex) * std::min(1.0, ey);
      a = a * a * (3 - 2 * a) * 0.55;
      SetPixel(px, stride, x, y, {0, 0, 0}, a);
    }
  cairo_surface_mark_dirty(img.Surface());
  PutPng(sink, "menu", "QSadow.png", img);
}

void WhitePlain(Sink& sink) {
  Image img(64, 64);
  cairo_set_source_rgb(img.Cr(), 1, 1, 1);
  cairo_paint(img.Cr());
  PutPng(sink, "menu", "white_plain.png", img);
}

// A paper plaque in a wooden frame; `hangs` rounds only the lower corners
// (panels that hang from the top of the screen).
void FramedPlaque(Image& img, bool hangs, std::uint32_t seed, double frame) {
  cairo_t* cr = img.Cr();
  double w = img.W(), h = img.H();
  double top = hangs ? -20 : 2;
  RoundRect(cr, 3, top + 3, w - 4, h - top - 4, 14);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  WoodPanel(cr, 1, top, w - 4, h - top - 4, 14, seed);
  RoundRect(cr, 1 + frame, top + frame, w - 4 - 2 * frame, h - top - 4 - 2 * frame, 8);
  cairo_set_source_rgba(cr, 0.15, 0.07, 0.02, 0.85);
  cairo_fill(cr);
  PaperPanel(cr, 2 + frame, top + frame + 1, w - 6 - 2 * frame, h - top - 6 - 2 * frame, 7);
}

void MenuPanels(Sink& sink) {
  {
    Image img(512, 80);
    FramedPlaque(img, true, 801, 10);
    PutPng(sink, "menu", "up_panel.png", img);
  }
  {
    // the shelf under the main-menu buttons
    Image img(1024, 96);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 2, 10, 1020, 100, 18);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    WoodPanel(cr, 0, 6, 1020, 110, 18, 802);
    cairo_rectangle(cr, 14, 10, 992, 4);
    FillVGradient(cr, 10, 14, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    PutPng(sink, "menu", "menu_panel.png", img);
  }
  {
    // Only the left half shows, squeezed to half width along every screen
    // edge: a dark rim that fades into the floor.
    Image img(64, 512);
    cairo_t* cr = img.Cr();
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 32, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.16, 0.08, 0.03, 1.0);
    cairo_pattern_add_color_stop_rgba(g, 0.25, 0.30, 0.17, 0.08, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 0.32, 0.84, 0.65, 0.27, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 0.42, 0.30, 0.17, 0.08, 0.8);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.0, 0.0, 0.0, 0.0);
    cairo_rectangle(cr, 0, 0, 32, 512);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    PutPng(sink, "menu", "Border.png", img);
  }
}

void LevelPanels(Sink& sink) {
  {
    Image img(512, 64);
    FramedPlaque(img, true, 803, 8);
    PutPng(sink, "level", "score_panel.png", img);
  }
  {
    // Drawn centred at 97% of the screen height with its top 5% cut off:
    // only the upper half shows, a shelf the tool buttons sit on.
    Image img(1024, 128);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 60, 10, 904, 140, 26);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_fill(cr);
    WoodPanel(cr, 56, 7, 904, 140, 26, 804);
    cairo_rectangle(cr, 80, 12, 856, 3);
    FillVGradient(cr, 12, 15, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    PutPng(sink, "level", "PlayPanel.png", img);
  }
}

void Windows(Sink& sink) {
  {
    // The small window of the questions, the help and the name dialog: wide
    // enough for a picture in its left quarter and two lines of text beside
    // it; no title band, as the help's header stands where a band's rule
    // would be.
    Image img(560, 240);
    WindowPanel(img, 0, 901);
    PutPng(sink, "gui", "window_mini.png", img);
  }
  {
    Image img(720, 600);
    WindowPanel(img, 62, 902);
    PutPng(sink, "gui", "window_standart.png", img);
  }
}

void ListArt(Sink& sink) {
  {
    // selection stroke of the player list: its height is the row pitch,
    // chosen so that the rows that fit the list (its height / the pitch,
    // after the first row's 40-pixel offset) stay inside its background
    Image img(300, 48);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 2, 6, 296, 36, 12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 6, 0, 42);
    cairo_pattern_add_color_stop_rgba(g, 0, pal::kBrassLight.r, pal::kBrassLight.g, pal::kBrassLight.b, 0.75);
    cairo_pattern_add_color_stop_rgba(g, 1, pal::kBrass.r, pal::kBrass.g, pal::kBrass.b, 0.6);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.5);
    SetRgb(cr, pal::kBrassDark, 0.9);
    cairo_stroke(cr);
    PutPng(sink, "gui", "players_stroke.png", img);
  }
  {
    // list background: ruled note paper
    Image img(256, 256);
    cairo_t* cr = img.Cr();
    cairo_rectangle(cr, 0, 0, 256, 256);
    FillVGradient(cr, 0, 256, pal::kPaper, Hex(0xEEDFBE));
    cairo_new_path(cr);
    for (int y = 20; y < 256; y += 16) {
      cairo_rectangle(cr, 8, y, 240, 1);
      SetRgb(cr, Hex(0x9DB3C9), 0.7);
      cairo_fill(cr);
    }
    cairo_rectangle(cr, 30, 0, 1.5, 256);
    SetRgb(cr, Hex(0xC46A5A), 0.6);
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 1, 254, 254);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, pal::kWood, 0.9);
    cairo_stroke(cr);
    AddGrain(img, 0.03, 6, 903, false);
    sink.Put("gui", "Names_back.jpg", img.Jpeg(92));
  }
  {
    Image img(400, 50);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 1, 1, 398, 48, 10);
    FillVGradient(cr, 1, 49, pal::kBrassDark, pal::kBrassLight);
    cairo_new_path(cr);
    RoundRect(cr, 4, 4, 392, 42, 8);
    FillVGradient(cr, 4, 46, Hex(0xE4D4AE), Hex(0xFFF9EA));
    cairo_new_path(cr);
    RoundRect(cr, 4, 4, 392, 6, 3);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
    cairo_fill(cr);
    PutPng(sink, "gui", "edit_name_box.png", img);
  }
  {
    // The score board's emblem in the window's upper right corner (the
    // board places it 264 px right of its centre, left of its scroll bar):
    // a framed picture with a puzzle piece on a brass medal.
    Image img(100, 100);
    cairo_t* cr = img.Cr();
    Circle(cr, 51, 52, 44);
    SetRgb(cr, Hex(0x3A220E), 0.35);
    cairo_fill(cr);
    Circle(cr, 50, 50, 44);
    FillVGradient(cr, 6, 94, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    Circle(cr, 50, 50, 36);
    FillVGradient(cr, 14, 86, pal::kPaper, pal::kPaperDark);
    cairo_new_path(cr);
    icon::Picture(cr, 50, 50, 46, pal::kWoodDark);
    icon::Piece(cr, 62, 62, 24, pal::kBrassDark);
    PutPng(sink, "gui", "score_fon.png", img);
  }
  {
    Image img(560, 60);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 2, 3, 556, 55, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    RoundRect(cr, 1, 1, 556, 55, 10);
    FillVGradient(cr, 1, 56, pal::kBrassLight, pal::kBrassDark);
    cairo_new_path(cr);
    RoundRect(cr, 4, 4, 550, 49, 8);
    FillVGradient(cr, 4, 53, pal::kPaper, pal::kPaperDark);
    cairo_new_path(cr);
    PutPng(sink, "gui", "liderboard_tablica.png", img);
  }
  {
    // The glow under the rows of places 1 to 3: larger than the row plate
    // (drawn over it at the same centre) by 14 px a side across and 4 px
    // up and down, so a golden rim shows round the plate without reaching
    // the next row, 5 px below.
    Image img(588, 68);
    cairo_t* cr = img.Cr();
    RoundRect(cr, 1, 1, 586, 66, 14);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 588, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.78, 0.25, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 0.85, 0.35, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.78, 0.25, 0.55);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, pal::kBrass, 0.9);
    cairo_stroke(cr);
    PutPng(sink, "gui", "under_table.png", img);
  }
}

}  // namespace

void MakePanels(Sink& sink) {
  for (int c = 1; c <= 5; ++c)
    for (int r = 1; r <= 3; ++r) BookTile(sink, c, r);
  Floor(sink);
  BoardBackground(sink);
  Shadow(sink);
  WhitePlain(sink);
  MenuPanels(sink);
  LevelPanels(sink);
  Windows(sink);
  ListArt(sink);
}

}  // namespace gendata
