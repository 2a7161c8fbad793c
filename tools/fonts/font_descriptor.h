// Reads a bitmap-font descriptor back the way the game's font loader does:
// the root is the document's first child, the size is on the root's first
// child element, the page image on the first child of "pages", and the glyph
// records are the first child of "chars" followed by its "char" siblings.
// Missing attributes read 0.  Used by the baker's tests and diagnostics.
#pragma once
#include <string>
#include <vector>

namespace fontbake {

struct GlyphRecord {
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  int xoffset = 0, yoffset = 0;
};

struct FontDescriptor {
  int size = 0;
  std::string page;                 // page image file name
  int count = 0;                    // the "count" attribute of "chars"
  std::vector<GlyphRecord> glyphs;  // in file order

  // The record the game draws for `id`: the last one with that id, or null.
  const GlyphRecord* Find(int id) const;
  // The record the game's list starts with (the last in the file), or null:
  // its width is the advance of characters that have no glyph.
  const GlyphRecord* Head() const { return glyphs.empty() ? nullptr : &glyphs.back(); }
};

// Parses `path`; false with a message in `error` when the file cannot be read
// as XML.  A readable file with missing parts gives zeros, as in the game.
bool ReadDescriptor(const std::string& path, FontDescriptor& out, std::string& error);

}  // namespace fontbake
