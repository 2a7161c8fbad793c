#include "tools/data/mock_screens.h"

#include <cstdio>
#include <map>

#include "tools/data/canvas.h"

namespace gendata {

namespace {

class Art {
 public:
  explicit Art(const MemSink& files) : files_(files) {}
  ~Art() {
    for (auto& [k, s] : cache_) cairo_surface_destroy(s);
  }
  cairo_surface_t* Get(const std::string& folder, const std::string& name) {
    auto key = folder + "/" + name;
    auto it = cache_.find(key);
    if (it != cache_.end()) return it->second;
    const Bytes* b = files_.Find(folder, name);
    cairo_surface_t* s = nullptr;
    if (b) s = name.substr(name.size() - 4) == ".jpg" ? DecodeJpeg(*b) : DecodePng(*b);
    if (!s) s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cache_[key] = s;
    return s;
  }

 private:
  const MemSink& files_;
  std::map<std::string, cairo_surface_t*> cache_;
};

int W(cairo_surface_t* s) { return cairo_image_surface_get_width(s); }
int H(cairo_surface_t* s) { return cairo_image_surface_get_height(s); }

// Source rectangle (sx, sy, sw, sh) of the image drawn into (x, y, w, h).
void Blit(cairo_t* cr, cairo_surface_t* s, double sx, double sy, double sw, double sh, double x, double y, double w,
          double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, w / sw, h / sh);
  cairo_set_source_surface(cr, s, -sx, -sy);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Tile(cairo_t* cr, cairo_surface_t* s, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, -x, -y);
  cairo_pattern_set_matrix(p, &m);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

// Frame i of a four-frame strip centred on (cx, cy).
void Frame(cairo_t* cr, cairo_surface_t* s, int i, double cx, double cy) {
  double fw = W(s) / 4.0, fh = H(s);
  Blit(cr, s, i * fw, 0, fw, fh, cx - fw / 2, cy - fh / 2, fw, fh);
}

void Centred(cairo_t* cr, cairo_surface_t* s, double cx, double cy) {
  Blit(cr, s, 0, 0, W(s), H(s), cx - W(s) / 2.0, cy - H(s) / 2.0, W(s), H(s));
}

// A page of the book: a nine-patch of columns c0..c0+2 over the box.
void Page(cairo_t* cr, Art& art, int c0, double x1, double y1, double x2, double y2, bool skipLast) {
  auto t = [&](int c, int r) { return art.Get("book", std::to_string(c0 + c) + "-" + std::to_string(r + 1) + ".png"); };
  double lw = W(t(0, 0)), rw = W(t(2, 0)), th = H(t(0, 0)), bh = H(t(0, 2));
  double xs[] = {x1, x1 + lw, x2 - rw, x2}, ys[] = {y1, y1 + th, y2 - bh, y2};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      if (skipLast && c == 2) continue;
      cairo_surface_t* s = t(c, r);
      if (c == 1 || r == 1)
        Tile(cr, s, xs[c], ys[r], xs[c + 1] - xs[c], ys[r + 1] - ys[r]);
      else
        Blit(cr, s, 0, 0, W(s), H(s), xs[c], ys[r], W(s), H(s));
    }
}

void Menu(cairo_t* cr, Art& art, const MemSink& files) {
  const double w = 1024, h = 768;
  Tile(cr, art.Get("menu", "lenolium.jpg"), 0, 0, w, h);
  cairo_surface_t* lc = art.Get("menu", "left_corner.png");
  Blit(cr, lc, 0, 0, W(lc), H(lc), 0, h - H(lc), W(lc), H(lc));
  cairo_surface_t* border = art.Get("menu", "Border.png");
  Blit(cr, border, 0, 0, W(border) / 2.0, H(border), 0, 0, W(border) / 2.0, h);
  // the book with the default page box (0.1, 0.15)-(0.9, 0.85): two pages
  // overlapping by the spine, which only the right page draws
  double x1 = 102, x2 = 921, y1 = 115, y2 = 652, s = W(art.Get("book", "3-1.png"));
  double pw = w / 2 - x1 + s / 2;
  double lcx = w / 2 - (x2 - x1) / 4 + s / 4, rcx = w / 2 + (x2 - x1) / 4 - s / 4 - 1;
  Page(cr, art, 3, rcx - pw / 2, y1, rcx + pw / 2, y2, false);
  Page(cr, art, 1, lcx - pw / 2, y1, lcx + pw / 2, y2, true);
  cairo_surface_t* tab = art.Get("menu", "gallery_button.png");
  for (int i = 0; i < 6; ++i)
    Frame(cr, tab, i == 1 ? 3 : (i == 2 ? 1 : 0), x1 - W(tab) / 8.0 + 65 + 47, i == 5 ? y2 - 100 : i * 57.6 + y1 + 100);
  // thumbnails of chapter 1 on white plates, two rows of four
  double bx1 = 65 + 102, bx2 = 921 - 65, by1 = 115 + 40, by2 = 652 - 40;
  double cw = (bx2 - bx1) / 4, ch = (by2 - by1) / 2;
  int i = 0;
  for (const auto& [key, bytes] : files.Files()) {
    if (key.first != "pre" || key.second.rfind("p1_", 0) != 0 || i >= 8) continue;
    cairo_surface_t* t = art.Get("pre", key.second);
    double side = cw * 0.6, tw = side, th = side * H(t) / W(t);
    int col = i % 4 + 1;
    double cx = col * cw + bx1 - cw / 2 + (col % 2 ? 0.1 : -0.1) * cw;
    double cy = (i < 4 ? by1 + ch / 2 + 0.1 * ch : by1 + 1.5 * ch - 0.1 * ch) - 20;
    if (i == 1) Blit(cr, art.Get("menu", "QSadow.png"), 0, 0, 64, 64, cx - tw / 2, cy - th / 2, tw + 20, th + 20);
    Blit(cr, art.Get("menu", "white_plain.png"), 0, 0, 64, 64, cx - tw / 2 - 10, cy - th / 2 - 10, tw + 20, th + 20);
    Blit(cr, t, 0, 0, W(t), H(t), cx - tw / 2, cy - th / 2, tw, th);
    cairo_surface_t* rot = art.Get("menu", "complit_rotation.png");
    Blit(cr, rot, 0, 0, 32, 32, cx + tw / 2 - 12, cy + th / 2 - 12, 24, 24);
    ++i;
  }
  Frame(cr, art.Get("menu", "button_left.png"), 3, bx2 * 0.38, by2 * 0.98);
  Frame(cr, art.Get("menu", "button_right.png"), 0, bx2 * 0.78, by2 * 0.98);
  cairo_surface_t* up = art.Get("menu", "up_panel.png");
  Centred(cr, up, w / 2, H(up) / 2.0);
  Centred(cr, art.Get("menu", "change_player.png"), w / 2 + 360, H(up) / 2.0 + 50);
  cairo_surface_t* panel = art.Get("menu", "menu_panel.png");
  Centred(cr, panel, w / 2, h - H(panel) / 2.0);
  const char* buttons[] = {"trophy_button.png", "top_button.png",      "compleate_button.png", "play_button.png",
                           "cut_button.png",    "settings_button.png", "exit_button.png"};
  const double offs[] = {-3.2, -2.2, -1.2, 0, 1.2, 2.2, 3.2};
  double u = 96 * 0.8;
  for (int k = 0; k < 7; ++k) Frame(cr, art.Get("menu", buttons[k]), k == 3 ? 1 : 0, w / 2 + offs[k] * u, h - H(panel) / 2.0);
  Blit(cr, art.Get("menu", "Cursor.png"), 0, 0, 32, 32, 600, 300, 32, 32);
}

void Board(cairo_t* cr, Art& art, const MemSink& files) {
  const double w = 1024, h = 768;
  Tile(cr, art.Get("menu", "lenolium.jpg"), 0, 0, w, h);
  // the board background tinted with a player's colour
  Tile(cr, art.Get("gui", "window_standart_2_2.png"), 30, 70, w - 60, h - 180);
  cairo_rectangle(cr, 30, 70, w - 60, h - 180);
  cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
  cairo_set_source_rgb(cr, 0.75, 0.85, 1.0);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  if (const Bytes* b = files.Find("pre", "p4_02.png")) {
    (void)b;
    cairo_surface_t* t = art.Get("pre", "p4_02.png");
    Blit(cr, t, 0, 0, W(t), H(t), 620, 280, W(t) * 1.5, H(t) * 1.5);
  }
  cairo_surface_t* sp = art.Get("level", "score_panel.png");
  Blit(cr, sp, 0, 0, W(sp), H(sp), w / 2 - W(sp) / 2.0, 0, W(sp), H(sp));
  // the play panel with its top 5% cut off, centred at 97% of the height
  cairo_surface_t* pp = art.Get("level", "PlayPanel.png");
  double py = h * 0.97;
  Blit(cr, pp, 0, H(pp) * 0.05, W(pp), H(pp) * 0.95, w / 2 - W(pp) / 2.0, py - H(pp) / 2.0, W(pp), H(pp));
  const char* tools[] = {"button_image.png", "button_ghost.png", "button_magnifier.png", "button_border.png",
                         "button_hint.png",  "button_sort.png",  "settings_button.png",  "exit_button.png"};
  const double offs[] = {-340, -255, -170, -85, 0, 85, 212.5, 306};
  for (int k = 0; k < 8; ++k) Frame(cr, art.Get("level", tools[k]), k == 3 ? 3 : (k == 4 ? 1 : 0), w / 2 + offs[k], py);
  // the open pocket: fill, bottom edge, right edge and corner
  double ix = 360, iy = 250;
  cairo_surface_t* c = art.Get("pocket", "pocket2-2.png");
  Tile(cr, art.Get("pocket", "pocket1-1.png"), 0, 0, ix, iy);
  Tile(cr, art.Get("pocket", "pocket1-2.png"), 0, iy, ix, H(c));
  Tile(cr, art.Get("pocket", "pocket2-1.png"), ix, 0, W(c), iy);
  Blit(cr, c, 0, 0, W(c), H(c), ix, iy, W(c), H(c));
  Frame(cr, art.Get("pocket", "button_pocket.png"), 3, 32, 32);
  // the preview frame's buttons
  for (int k = 0; k < 4; ++k) {
    const char* n[] = {"x1_button.png", "x2_button.png", "x3_button.png", "close_button.png"};
    Frame(cr, art.Get("level", n[k]), 0, 700 + k * 36, 250);
  }
}

void Window(cairo_t* cr, Art& art) {
  const double w = 1024, h = 768;
  Tile(cr, art.Get("menu", "lenolium.jpg"), 0, 0, w, h);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_set_source_rgba(cr, 0, 0, 0.06, 0.6);
  cairo_fill(cr);
  cairo_surface_t* win = art.Get("gui", "window_standart.png");
  Centred(cr, win, w / 2, h / 2);
  cairo_surface_t* pic = art.Get("gui", "complit_tablica.png");
  Blit(cr, pic, 0, 0, W(pic), H(pic), w / 2 - W(pic) / 2.0, h / 2 - H(win) / 3.0, W(pic), H(pic));
  const char* tro[] = {"trofi_sobiratel3.png", "trofi_master1.png", "trofi_mudrec6.png", "trofi_terpenie2.png",
                       "trofi_povelitel.png"};
  const double tx[] = {95, -95, 285, -285, 0};
  for (int k = 0; k < 5; ++k) Centred(cr, art.Get("trofei", tro[k]), w / 2 + tx[k], h / 2 + (k < 4 ? 105 : 170));
  Frame(cr, art.Get("gui", "button_ok.png"), 1, w / 2, h / 2 + H(win) / 2.0 - 12);
  cairo_surface_t* sl = art.Get("gui", "slider_3.png");
  double q = H(sl), sx = 150, sy = 700;
  Blit(cr, sl, 0, 0, q, q, sx, sy, q, q);
  Blit(cr, sl, q, 0, q, q, sx + q, sy, 200, q);
  Blit(cr, sl, 2 * q, 0, q, q, sx + q + 200, sy, q, q);
  Blit(cr, sl, 3 * q, 0, q, q, sx + 120, sy, q, q);
  cairo_surface_t* cb = art.Get("gui", "checkbox_button.png");
  Blit(cr, cb, 0, 0, q, q, 420, sy, q, q);
  Blit(cr, cb, q, 0, q, q, 460, sy, q, q);
}

}  // namespace

bool WriteMockScreens(const MemSink& files, const std::string& path) {
  Art art(files);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1024, 768 * 3);
  cairo_t* cr = cairo_create(sheet);
  Menu(cr, art, files);
  cairo_translate(cr, 0, 768);
  Board(cr, art, files);
  cairo_translate(cr, 0, 768);
  Window(cr, art);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  std::printf("mock screens: %s\n", ok ? path.c_str() : "not written");
  return ok;
}

}  // namespace gendata
