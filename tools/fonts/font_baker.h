// Bakes a TrueType face into one page image of white, anti-aliased glyphs and
// a bitmap-font descriptor that the game's font loader reads.
//
// The game advances the pen by a glyph box's width plus the letter spacing
// and draws the whole box, so every box is the glyph's natural advance widened
// by the padding the (usually negative) spacing takes back: with spacing -8 a
// box is 8 pixels wider than the advance, half of it on each side.  A glyph
// whose ink reaches past its advance gets a wider box, so that drawn with the
// configured spacing no two neighbouring letters overlap.  A font drawn with
// a positive spacing (the debug font keeps its size / 4) gets boxes that are
// just its ink.  Boxes are tight in
// height (one clear row above and below the ink) and placed on the line by
// their yoffset; the line's baseline is chosen so the font's tallest and
// deepest glyphs sit inside the line height.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/fonts/font_descriptor.h"
#include "tools/fonts/font_set.h"

namespace fontbake {

struct BakedGlyph {
  GlyphRecord rec;   // what the descriptor carries
  int xadvance = 0;  // the pen advance the game gets: width + spacing
};

struct BakedFont {
  FontSpec spec;
  int base = 0;                     // baseline, pixels below the line top
  int page_width = 0, page_height = 0;
  std::vector<std::uint8_t> alpha;  // page_width * page_height coverage values
  std::vector<BakedGlyph> glyphs;   // descriptor order: the space comes last
};

// Renders every character of `spec` from `faces_dir`/`spec.face_file`.
// False with a message when the face cannot be opened or lacks a character.
bool BakeFont(const FontSpec& spec, const std::string& faces_dir, BakedFont& out,
              std::string& error);

// The descriptor's XML text.
std::string DescriptorText(const BakedFont& font);

// Writes the page as an RGBA PNG: white everywhere, the coverage as alpha.
bool WritePage(const BakedFont& font, const std::string& path, std::string& error);

// Bakes every default font: page images into `pages_dir`, descriptors into
// each of `descriptor_dirs` (folders are created).  Prints one line per font.
bool BakeDefaultFonts(const std::string& faces_dir, const std::string& pages_dir,
                      const std::vector<std::string>& descriptor_dirs, std::string& error);

}  // namespace fontbake
