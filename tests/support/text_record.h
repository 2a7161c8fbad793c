// Reading drawn text back from the recording graphics backend: a font
// whose glyphs each sit in a column of their own on the page, so a glyph
// quad's texture coordinate tells its character, and the texts that font
// drew since the last clear, with where each began.
#pragma once

#include <string>
#include <vector>

#include "tests/support/draw_record.h"
#include "tests/support/test_env.h"

namespace texttest {

// The characters the font holds; any other draws nothing.
inline const std::string kGlyphs = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ%";
// Each glyph is 10 x 20 on a 24-pixel line, in a 16-pixel column; the letter
// spacing is the font's own.
constexpr int kPageW = 1024, kColumn = 16, kGlyphW = 10, kGlyphH = 20, kLine = 24;

// Writes the page `name`.png and the descriptor `name`.
inline void WriteFont(const std::string& name) {
  drawtest::WriteImage(name + ".png", kPageW, 32);
  std::string xml = "<?xml version=\"1.0\"?>\n<font>\n<info face=\"t\" size=\"24\"/>\n<common lineHeight=\"24\"/>\n";
  xml += "<pages><page id=\"0\" file=\"" + name + ".png\"/></pages>\n";
  xml += "<chars count=\"" + std::to_string(kGlyphs.size()) + "\">\n";
  for (size_t i = 0; i < kGlyphs.size(); ++i)
    xml += "<char id=\"" + std::to_string(int(kGlyphs[i])) + "\" x=\"" + std::to_string(int(i) * kColumn) +
           "\" y=\"0\" width=\"10\" height=\"20\" xoffset=\"0\" yoffset=\"0\"/>\n";
  xml += "</chars>\n</font>\n";
  testenv::WriteFile(name, xml);
}

// One text drawn: its characters that have glyphs, and the top-left corner
// of its first glyph.
struct Drawn {
  std::string text;
  int x = 0, y = 0;
};

// The texts drawn with the font page `texture` since the last clear, in
// order. A glyph starts a new text when it is not right of the previous one
// on the same row.
inline std::vector<Drawn> Texts(unsigned long texture) {
  std::vector<Drawn> out;
  float lastX = 0, lastY = 0;
  for (const drawtest::Quad& q : drawtest::QuadsOf(texture)) {
    const int column = int(q.u0 * float(kPageW) + 0.5f) / kColumn;
    const char c = column >= 0 && column < int(kGlyphs.size()) ? kGlyphs[size_t(column)] : '?';
    if (out.empty() || q.y0 != lastY || q.x0 <= lastX) out.push_back({"", int(q.x0), int(q.y0)});
    out.back().text += c;
    lastX = q.x0;
    lastY = q.y0;
  }
  return out;
}

}  // namespace texttest
