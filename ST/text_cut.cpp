#include "ST/text_cut.h"

namespace ZOV {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte length of the character a lead byte begins; 0 for a byte that
// begins no multi-byte character.
std::size_t SequenceLength(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if ((u & 0xE0) == 0xC0) return 2;
  if ((u & 0xF0) == 0xE0) return 3;
  if ((u & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  // The byte at the cut begins the part left out. When it continues a
  // character, find that character's first byte (at most three back) and
  // leave the character out whole.
  std::size_t n = maxBytes;
  std::size_t back = 0;
  while (back < 3 && n > 0 && IsContinuation(text[n])) --n, ++back;
  if (back == 0) return maxBytes;
  if (SequenceLength(text[n]) > back) return n;
  // Stray continuation bytes: the text is not UTF-8 here, so no character
  // can be split; cut where asked.
  return maxBytes;
}

std::string LogQuote(std::string_view text, std::size_t maxBytes) {
  const std::size_t n = Utf8CutLength(text, maxBytes);
  std::string out(text.substr(0, n));
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = '?';
  }
  if (n < text.size()) out += "...";
  return out;
}

std::string LogQuote(const char* text, std::size_t maxBytes) {
  return text ? LogQuote(std::string_view(text), maxBytes) : std::string();
}

bool IsSafeFolderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

std::string FolderNameFrom(std::string_view text, std::string_view fallback) {
  if (!IsSafeFolderName(text)) return std::string(fallback);
  const std::string_view name = text.substr(0, Utf8CutLength(text, kMaxFolderNameBytes));
  return std::string(IsSafeFolderName(name) ? name : fallback);
}

}  // namespace ZOV
