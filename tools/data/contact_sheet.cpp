#include "tools/data/contact_sheet.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tools/data/canvas.h"

namespace gendata {

bool WriteContactSheet(const MemSink& files, const std::string& path, const std::string& only) {
  struct Item {
    std::string label;
    cairo_surface_t* s;
    double scale;
    int w, h;
  };
  std::vector<Item> items;
  for (const auto& [key, bytes] : files.Files()) {
    const std::string& folder = key.first;
    const std::string& name = key.second;
    if (!only.empty() && folder != only) continue;
    if (only.empty() && folder == "low") continue;  // full pictures: their thumbnails stand for them
    cairo_surface_t* s = nullptr;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) s = DecodePng(bytes);
    else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0) s = DecodeJpeg(bytes);
    if (!s) continue;
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(s);
      continue;
    }
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    double scale = std::min(1.0, 400.0 / w);
    scale = std::min(scale, 300.0 / h);
    items.push_back({folder + "/" + name, s, scale, static_cast<int>(w * scale), static_cast<int>(h * scale)});
  }
  const int sheetW = 2000, pad = 10, labelH = 14;
  // shelf packing, row by row
  int x = pad, y = pad, rowH = 0;
  std::vector<std::pair<int, int>> pos;
  for (const Item& it : items) {
    int cw = std::max(it.w, 110);
    if (x + cw + pad > sheetW) {
      x = pad;
      y += rowH + labelH + pad;
      rowH = 0;
    }
    pos.push_back({x, y});
    x += cw + pad;
    rowH = std::max(rowH, it.h);
  }
  int sheetH = y + rowH + labelH + pad;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetW, sheetH);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
  cairo_paint(cr);
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& it = items[i];
    int px = pos[i].first, py = pos[i].second;
    for (int cy = 0; cy < it.h; cy += 8)
      for (int cx = 0; cx < it.w; cx += 8) {
        bool dark = ((cx / 8) + (cy / 8)) % 2;
        cairo_rectangle(cr, px + cx, py + cy, std::min(8, it.w - cx), std::min(8, it.h - cy));
        cairo_set_source_rgb(cr, dark ? 0.55 : 0.75, dark ? 0.55 : 0.75, dark ? 0.6 : 0.8);
        cairo_fill(cr);
      }
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_scale(cr, it.scale, it.scale);
    cairo_set_source_surface(cr, it.s, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_select_font_face(cr, "sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 10);
    cairo_move_to(cr, px, py + it.h + 11);
    cairo_show_text(cr, it.label.c_str());
    cairo_surface_destroy(it.s);
  }
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  std::printf("contact sheet: %zu images, %dx%d, %s\n", items.size(), sheetW, sheetH, ok ? path.c_str() : "not written");
  return ok;
}

}  // namespace gendata
