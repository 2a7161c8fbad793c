// JFONT: a bitmap font. One page image holds every glyph; an XML descriptor
// (the AngelCode BMFont XML layout, read from disk by name) says where each
// glyph lies in the page. The font draws printf-formatted or plain text at a
// point, anchored by one of the hot-spot alignments, in its current colour
// and scale, and measures text for layout. Text enters as UTF-8 and is drawn
// as wide characters.
//
// Layout rules the windows are built on:
//  - a glyph's quad is width x height pixels at (pen, line top + yoffset),
//    yoffset unscaled; the pen advances by the glyph's width plus the letter
//    spacing (xadvance, xoffset and kerning are not used);
//  - the line pitch is the line height times the y scale;
//  - the alignment offsets come from the first line and hold for every line;
//    the right-hand alignments use the unscaled first-line width;
//  - a character with no glyph draws nothing; drawing advances the pen by
//    the width of the descriptor's last glyph, measuring counts 0 for it.
//
// A font whose descriptor could not be used (missing file, size 0 or below)
// is still made, but draws nothing and measures 0. Descriptor numbers are
// held to +-32768, and lengths and positions saturate at the ends of the int
// range rather than wrap.
//
// One font is used by one thread at a time: the format buffers, alignment,
// colour and scale are the font's own state and nothing here locks.
#pragma once

#include <cstdint>

class JSPRITE;

namespace ZOV {

class JINGFX;

// One glyph of the page: where it lies (texture coordinates) and its size.
struct JFONT_GLYPH {
  int id = 0;  // character code point
  float u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
  int width = 0;
  int height = 0;
  int xoffset = 0;  // read and kept, not used for layout
  int yoffset = 0;  // added to the line top when drawn
  JFONT_GLYPH* next = nullptr;  // the record read before this one
};

class JFONT {
 public:
  // The formatted draws write at most this many bytes (or wide characters)
  // of text, longer output is cut.
  static constexpr int kTextBuffer = 600;
  static constexpr int kFormatLimit = 596;

  // Reads the descriptor `file` from disk; the page image it names is loaded
  // from the pack selected in ZOV::ifile, else from disk. The int is unused.
  JFONT(const char* file, int unused);
  ~JFONT();
  JFONT(const JFONT&) = delete;
  JFONT& operator=(const JFONT&) = delete;

  // printf-formatted UTF-8 text, cut at 595 bytes (never inside a character).
  // Only formats whose conversions match the arguments belong here: a text
  // from a configuration file goes through the game's checked path
  // (GAME::cfg::RenderText, which formats it only when it asks for exactly
  // the arguments given), or through Rende.
  void Render(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
  // The wide form, cut at 595 characters.
  void Render(int x, int y, const wchar_t* format, ...);
  // Plain text: a '%' is drawn as a letter.
  void Rende(int x, int y, const char* text);
  void Rende(int x, int y, const wchar_t* text);
  // Draws one glyph with its top-left at (x, y + yoffset); returns the pen
  // advance before spacing (see the header comment for missing glyphs).
  int RenderLetter(int code, int x, int y);

  // Width of the first line at scale 1: each character's glyph width plus
  // the letter spacing, the spacing after the last included.
  int GetStringLenght(const char* text);
  int GetStringLenght(const wchar_t* text);
  // Line height x (1 + number of '\n').
  int GetStringHeight(const char* text);
  int GetLetterWidth(int code);

  void SetSize(float s);
  float GetSize() const;
  void SetColor(int argb);
  int GetColor() const;
  void SetDefaultHeight() { lineHeight = defaultSize; }
  // A sheet of every glyph, 21 a row (diagnostics).
  void Test(float x, float y);

  // Whether the descriptor gave a usable font (a size above 0).
  bool Usable() const { return defaultSize > 0; }
  // The record drawn for `code`: the last one in the file with that id.
  const JFONT_GLYPH* FindGlyph(int code) const;

  JINGFX* gfx = nullptr;
  int defaultSize = 0;
  int lineHeight = 0;  // callers may change it; SetDefaultHeight restores it
  int glyphCount = 0;
  int spacing = 5;     // letter spacing; the loader sets the configured one
  JSPRITE* page = nullptr;
  JFONT_GLYPH* glyphs = nullptr;  // head: the last record of the file
  char text[kTextBuffer] = {};
  wchar_t wtext[kTextBuffer] = {};
  // A ZOV::JENUM::HOT_SPOT for the next draw only; 1 (top-left) after every
  // draw.
  int alignment = 1;
};

}  // namespace ZOV
