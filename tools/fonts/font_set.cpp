#include "tools/fonts/font_set.h"

namespace fontbake {

std::vector<char32_t> AsciiCharacters() {
  std::vector<char32_t> out;
  for (char32_t c = 32; c <= 126; ++c) out.push_back(c);
  return out;
}

std::vector<char32_t> TextCharacters() {
  // The tab lays interface texts out; the game looks it up like a letter.
  std::vector<char32_t> out = {U'\t'};
  for (char32_t c : AsciiCharacters()) out.push_back(c);
  out.push_back(0x0401);  // Ё
  for (char32_t c = 0x0410; c <= 0x044F; ++c) out.push_back(c);  // А..я
  out.push_back(0x0451);  // ё
  for (char32_t c : {0x00AB, 0x00BB, 0x2014, 0x2026, 0x2116})  // « » — … №
    out.push_back(c);
  return out;
}

std::vector<char32_t> NumberCharacters() {
  std::vector<char32_t> out = {U' ', U'%', U'+', U'-', U'/'};
  for (char32_t c = U'0'; c <= U'9'; ++c) out.push_back(c);
  out.push_back(U':');
  out.push_back(U'x');
  return out;
}

std::vector<FontSpec> DefaultFonts() {
  // Sizes follow the layouts: `big` is 24 so that the name dialog's 400-pixel
  // text box holds 15 characters; the spacings are the ones the default
  // resource file gives each font (Tahtah keeps its own size / 4).
  return {
      {"Font_big.fnt", "Font_big_0.png", "DejaVuSansCondensed-Bold.ttf",
       "DejaVu Sans Condensed Bold", 24, 20, -8, TextCharacters()},
      {"PuzzleComix.fnt", "PuzzleComix_0.png", "DejaVuSansCondensed-Bold.ttf",
       "DejaVu Sans Condensed Bold", 20, 16, -6, TextCharacters()},
      {"numbers.fnt", "numbers_0.png", "DejaVuSans-Bold.ttf", "DejaVu Sans Bold", 32, 28,
       -8, NumberCharacters()},
      {"Tahtah.fnt", "Tahtah_0.png", "DejaVuSansCondensed.ttf", "DejaVu Sans Condensed", 12, 10, 12 / 4,
       AsciiCharacters()},
  };
}

}  // namespace fontbake
