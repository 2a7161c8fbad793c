#include "tools/fonts/font_baker.h"

#include <SDL.h>
#include <SDL_image.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fontbake {
namespace {

// One rendered glyph before it is placed on the page.
struct Rendered {
  char32_t code = 0;
  int advance = 0;               // natural advance, whole pixels
  int left = 0, top = 0;         // bitmap offset from the pen and baseline
  int width = 0, rows = 0;       // bitmap size
  std::vector<std::uint8_t> ink; // rows * width coverage values
};

// Owns the FreeType library and face for one bake.
class Face {
 public:
  ~Face() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  bool Open(const std::string& path, int pixel_size, std::string& error) {
    if (FT_Init_FreeType(&lib_) != 0) {
      error = "FreeType did not start";
      return false;
    }
    if (FT_New_Face(lib_, path.c_str(), 0, &face_) != 0) {
      error = "cannot open font face " + path;
      return false;
    }
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixel_size)) != 0) {
      error = "face " + path + " has no size " + std::to_string(pixel_size);
      return false;
    }
    return true;
  }
  bool Render(char32_t code, Rendered& out, std::string& error) {
    if (code == U'\t') {
      // Faces have no tab glyph: a blank as wide as the space.
      if (!Render(U' ', out, error)) return false;
      out.code = code;
      return true;
    }
    FT_UInt index = FT_Get_Char_Index(face_, code);
    if (index == 0) {
      error = "face has no glyph for U+" + Hex(code);
      return false;
    }
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0 ||
        FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_LIGHT) != 0) {
      error = "cannot render U+" + Hex(code);
      return false;
    }
    FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width > 0 && bm.pixel_mode != FT_PIXEL_MODE_GRAY) {
      error = "unexpected bitmap format for U+" + Hex(code);
      return false;
    }
    out.code = code;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bm.width);
    out.rows = static_cast<int>(bm.rows);
    out.ink.assign(static_cast<size_t>(out.width) * out.rows, 0);
    for (int r = 0; r < out.rows; ++r)
      for (int c = 0; c < out.width; ++c)
        out.ink[static_cast<size_t>(r) * out.width + c] = bm.buffer[r * bm.pitch + c];
    if (out.width == 0 || out.rows == 0) out.width = out.rows = 0;
    return true;
  }

 private:
  static std::string Hex(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
    return buf;
  }
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// Box width and ink position of one glyph (see the header for the rule).
struct Box {
  int left = 0;   // box's left edge relative to the natural pen position
  int width = 0;
};

Box FitBox(const Rendered& g, int spacing) {
  const int pad = -spacing;
  if (pad < 0) {
    // A positive spacing already separates the letters: the box is the ink.
    Box box;
    box.left = g.width > 0 ? g.left : 0;
    box.width = std::max(g.width > 0 ? g.width : g.advance + pad, 1);
    return box;
  }
  const int margin_left = pad / 2;
  const int margin_right = pad - margin_left;
  Box box;
  box.left = -margin_left;
  if (g.width > 0) box.left = std::min(box.left, g.left - margin_left);
  // Widening on the left keeps the advance's right end where it was.
  box.width = g.advance + pad + (-margin_left - box.left);
  if (g.width > 0) box.width = std::max(box.width, g.left + g.width + margin_right - box.left);
  box.width = std::max(box.width, 1);
  return box;
}

std::vector<char32_t> SpaceLast(std::vector<char32_t> chars) {
  // The last record of the file is the one whose width the game advances by
  // for characters without a glyph: make that the space.
  auto it = std::find(chars.begin(), chars.end(), U' ');
  if (it != chars.end()) {
    chars.erase(it);
    chars.push_back(U' ');
  }
  return chars;
}

void Escape(std::ostringstream& os, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&': os << "&amp;"; break;
      case '<': os << "&lt;"; break;
      case '>': os << "&gt;"; break;
      case '"': os << "&quot;"; break;
      default: os << c;
    }
  }
}

}  // namespace

bool BakeFont(const FontSpec& spec, const std::string& faces_dir, BakedFont& out,
              std::string& error) {
  out = BakedFont{};
  out.spec = spec;
  out.spec.chars = SpaceLast(spec.chars);
  if (spec.size <= 0 || spec.pixel_size <= 0) {
    error = spec.descriptor + ": size must be positive";
    return false;
  }
  Face face;
  if (!face.Open(faces_dir + "/" + spec.face_file, spec.pixel_size, error)) return false;

  std::vector<Rendered> rendered(out.spec.chars.size());
  int max_top = 0, max_depth = 0;
  for (size_t i = 0; i < rendered.size(); ++i) {
    if (!face.Render(out.spec.chars[i], rendered[i], error)) {
      error = spec.descriptor + ": " + error;
      return false;
    }
    const Rendered& g = rendered[i];
    if (g.rows > 0) {
      max_top = std::max(max_top, g.top);
      max_depth = std::max(max_depth, g.rows - g.top);
    }
  }
  // Centre the font's full ink height in the line.
  out.base = max_top + (spec.size - (max_top + max_depth)) / 2;

  // Boxes: one clear row above and below the ink.
  std::vector<Box> boxes(rendered.size());
  std::vector<int> heights(rendered.size());
  for (size_t i = 0; i < rendered.size(); ++i) {
    boxes[i] = FitBox(rendered[i], spec.spacing);
    heights[i] = rendered[i].rows + 2;
  }

  // Shelf packing in descriptor order with a one-pixel gutter; the narrowest
  // power-of-two square-or-wider page that holds everything.
  constexpr int kGutter = 1;
  std::vector<int> px(rendered.size()), py(rendered.size());
  int width = 64, height = 0;
  for (;; width *= 2) {
    int x = kGutter, y = kGutter, shelf = 0;
    bool fits = true;
    for (size_t i = 0; i < rendered.size(); ++i) {
      if (boxes[i].width + 2 * kGutter > width) {
        fits = false;
        break;
      }
      if (x + boxes[i].width + kGutter > width) {
        x = kGutter;
        y += shelf + kGutter;
        shelf = 0;
      }
      px[i] = x;
      py[i] = y;
      x += boxes[i].width + kGutter;
      shelf = std::max(shelf, heights[i]);
    }
    const int used = y + shelf + kGutter;
    if (fits && used <= width) {
      height = 1;
      while (height < used) height *= 2;
      break;
    }
    if (width >= 4096) {
      error = spec.descriptor + ": glyphs do not fit a 4096-pixel page";
      return false;
    }
  }
  out.page_width = width;
  out.page_height = height;
  out.alpha.assign(static_cast<size_t>(width) * height, 0);

  for (size_t i = 0; i < rendered.size(); ++i) {
    const Rendered& g = rendered[i];
    const Box& b = boxes[i];
    const int ink_x = px[i] + (g.left - b.left);
    const int ink_y = py[i] + 1;
    for (int r = 0; r < g.rows; ++r)
      for (int c = 0; c < g.width; ++c)
        out.alpha[static_cast<size_t>(ink_y + r) * width + ink_x + c] =
            g.ink[static_cast<size_t>(r) * g.width + c];
    BakedGlyph bg;
    bg.rec.id = static_cast<int>(g.code);
    bg.rec.x = px[i];
    bg.rec.y = py[i];
    bg.rec.width = b.width;
    bg.rec.height = heights[i];
    bg.rec.xoffset = b.left;
    bg.rec.yoffset = g.rows > 0 ? out.base - g.top - 1 : out.base - 1;
    bg.xadvance = b.width + spec.spacing;
    out.glyphs.push_back(bg);
  }
  return true;
}

std::string DescriptorText(const BakedFont& font) {
  std::ostringstream os;
  os << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<font>\n  <info face=\"";
  Escape(os, font.spec.face_name);
  const int pad = std::max(0, -font.spec.spacing);
  os << "\" size=\"" << font.spec.size << "\" bold=\"0\" italic=\"0\" charset=\"\" unicode=\"1\""
     << " stretchH=\"100\" smooth=\"1\" aa=\"1\" padding=\"1," << pad - pad / 2 << ",1," << pad / 2
     << "\" spacing=\"1,1\"/>\n";
  os << "  <common lineHeight=\"" << font.spec.size << "\" base=\"" << font.base
     << "\" scaleW=\"" << font.page_width << "\" scaleH=\"" << font.page_height
     << "\" pages=\"1\" packed=\"0\"/>\n";
  os << "  <pages>\n    <page id=\"0\" file=\"";
  Escape(os, font.spec.page);
  os << "\"/>\n  </pages>\n";
  os << "  <chars count=\"" << font.glyphs.size() << "\">\n";
  for (const BakedGlyph& g : font.glyphs) {
    const GlyphRecord& r = g.rec;
    os << "    <char id=\"" << r.id << "\" x=\"" << r.x << "\" y=\"" << r.y << "\" width=\""
       << r.width << "\" height=\"" << r.height << "\" xoffset=\"" << r.xoffset
       << "\" yoffset=\"" << r.yoffset << "\" xadvance=\"" << g.xadvance
       << "\" page=\"0\" chnl=\"15\"/>\n";
  }
  os << "  </chars>\n</font>\n";
  return os.str();
}

bool WritePage(const BakedFont& font, const std::string& path, std::string& error) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, font.page_width, font.page_height, 32,
                                                        SDL_PIXELFORMAT_RGBA32);
  if (!surface) {
    error = std::string("cannot make the page surface: ") + SDL_GetError();
    return false;
  }
  for (int y = 0; y < font.page_height; ++y) {
    auto* row = static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < font.page_width; ++x) {
      row[x * 4 + 0] = 255;
      row[x * 4 + 1] = 255;
      row[x * 4 + 2] = 255;
      row[x * 4 + 3] = font.alpha[static_cast<size_t>(y) * font.page_width + x];
    }
  }
  const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
  if (!ok) error = "cannot write " + path + ": " + SDL_GetError();
  SDL_FreeSurface(surface);
  return ok;
}

namespace {

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
  f.close();
  if (!f) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool MakeDir(const std::string& dir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot create folder " + dir + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

bool BakeDefaultFonts(const std::string& faces_dir, const std::string& pages_dir,
                      const std::vector<std::string>& descriptor_dirs, std::string& error) {
  if (!MakeDir(pages_dir, error)) return false;
  for (const std::string& d : descriptor_dirs)
    if (!MakeDir(d, error)) return false;
  for (const FontSpec& spec : DefaultFonts()) {
    BakedFont font;
    if (!BakeFont(spec, faces_dir, font, error)) return false;
    if (!WritePage(font, pages_dir + "/" + spec.page, error)) return false;
    const std::string text = DescriptorText(font);
    for (const std::string& d : descriptor_dirs)
      if (!WriteText(d + "/" + spec.descriptor, text, error)) return false;
    std::printf("baked %s: size %d, %zu glyphs, page %s %dx%d\n", spec.descriptor.c_str(),
                spec.size, font.glyphs.size(), spec.page.c_str(), font.page_width,
                font.page_height);
  }
  return true;
}

}  // namespace fontbake
