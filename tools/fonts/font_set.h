// The game's default bitmap fonts: which face each one is baked from, at what
// size, with which letter spacing the game draws it, and which characters it
// carries.  The font baker and its tests share this table.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fontbake {

// One font to bake.
struct FontSpec {
  std::string descriptor;      // descriptor file name the game opens ("Font_big.fnt")
  std::string page;            // page image name written into the descriptor
  std::string face_file;       // TrueType file name inside the faces folder
  std::string face_name;       // face name written into the descriptor
  int size = 0;                // descriptor size: the line height at scale 1
  int pixel_size = 0;          // FreeType pixel size of the em
  int spacing = 0;             // letter spacing the game draws the font with
  std::vector<char32_t> chars; // code points, in descriptor order
};

// Characters of the two text fonts: the tab (baked as a blank as wide as a
// space, so that drawing and measuring agree on it), printable ASCII, the
// Russian alphabet with Ё/ё, and the typographic marks the default interface
// texts use.
std::vector<char32_t> TextCharacters();
// Characters of the score font: digits, ':', '%', 'x', '/', '+', '-', space.
std::vector<char32_t> NumberCharacters();
// Characters of the board's debug font: printable ASCII.
std::vector<char32_t> AsciiCharacters();

// The four default fonts: "Font_big.fnt" (also the loading font),
// "PuzzleComix.fnt", "numbers.fnt" and "Tahtah.fnt".
std::vector<FontSpec> DefaultFonts();

// Where the DejaVu faces are installed.
inline constexpr const char* kDefaultFacesDir = "/usr/share/fonts/truetype/dejavu";

}  // namespace fontbake
