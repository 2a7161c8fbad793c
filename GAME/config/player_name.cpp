#include "GAME/config/player_name.h"

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "ST/text_cut.h"

namespace GAME {
namespace {

// Decodes one UTF-8 character at `i` (advancing it); false for a malformed,
// overlong or surrogate sequence or a code point past U+10FFFF.
bool NextChar(std::string_view s, size_t& i, char32_t& c) {
  const unsigned char b0 = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    c = b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    c = b0 & 0x1F, extra = 1, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    c = b0 & 0x0F, extra = 2, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    c = b0 & 0x07, extra = 3, min = 0x10000;
  } else {
    return false;
  }
  if (extra > 0 && i + extra >= s.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    const unsigned char b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    c = (c << 6) | (b & 0x3F);
  }
  if (extra > 0 && c < min) return false;
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += size_t(extra) + 1;
  return true;
}

}  // namespace

bool IsRefusedNameChar(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  if (c == U'№') return true;
  static constexpr std::u32string_view kRefused = U".%'*^&,=+\"|!@$#<>:;/?\\`~[]{} ";
  return kRefused.find(c) != std::u32string_view::npos;
}

bool IsValidPlayerName(std::string_view name) {
  if (name.empty() || name.size() > kMaxPlayerNameBytes) return false;
  size_t i = 0;
  while (i < name.size()) {
    char32_t c = 0;
    if (!NextChar(name, i, c) || IsRefusedNameChar(c)) return false;
  }
  return true;
}

std::string DefaultPlayerName() {
  if (chTEXT_DEFAULT_NAME != nullptr) {
    const std::string_view name(chTEXT_DEFAULT_NAME);
    if (name.size() <= kMaxPlayerNameBytes && cfg::IsSafeFolderName(name)) return std::string(name);
  }
  return kBuiltInPlayerName;
}

std::string PrintableName(std::string_view name) {
  constexpr size_t kShown = 64;
  return ZOV::LogQuote(name, kShown);
}

}  // namespace GAME
