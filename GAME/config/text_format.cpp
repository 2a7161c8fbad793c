// Parsing of printf conversions for the format check of configured texts,
// and the formatting of configured texts with their arguments.
#include "GAME/config/text_format.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "ST/font.h"
#include "ST/text_cut.h"

namespace GAME::cfg {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a width or precision at `i`: digits (at most three) or '*', which
// takes an int argument.
bool ReadNumber(std::string_view f, std::size_t& i, std::string* arguments) {
  if (i < f.size() && f[i] == '*') {
    arguments->push_back('i');
    ++i;
    return true;
  }
  std::size_t digits = 0;
  while (i < f.size() && IsDigit(f[i])) {
    ++i;
    ++digits;
  }
  return digits <= 3;
}

}  // namespace

bool FormatArguments(std::string_view f, std::string* arguments) {
  arguments->clear();
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%') continue;
    ++i;
    if (i < f.size() && f[i] == '%') continue;
    while (i < f.size() && (f[i] == '-' || f[i] == '+' || f[i] == ' ' || f[i] == '#' || f[i] == '0')) ++i;
    if (!ReadNumber(f, i, arguments)) return false;
    if (i < f.size() && f[i] == '.') {
      ++i;
      if (!ReadNumber(f, i, arguments)) return false;
    }
    if (i >= f.size()) return false;
    switch (f[i]) {
      case 'd': case 'i': case 'u': case 'o': case 'x': case 'X': case 'c':
        arguments->push_back('i');
        break;
      case 's':
        arguments->push_back('s');
        break;
      default:  // %n, length modifiers, '$', floats, pointers, stray bytes
        return false;
    }
  }
  return true;
}

bool FormatMatches(std::string_view format, std::string_view arguments) {
  std::string found;
  return FormatArguments(format, &found) && found == arguments;
}

bool IsSafeFolderName(std::string_view name) { return ZOV::IsSafeFolderName(name); }

namespace detail {

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out;
  if (n > 0) {
    out.resize(size_t(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(size_t(n));
  }
  va_end(again);
  return out;
}

void DrawPlain(ZOV::JFONT* font, int x, int y, const std::string& text) {
  if (font) font->Rende(x, y, text.c_str());
}

}  // namespace detail

}  // namespace GAME::cfg
