// Checks on texts that come from strings.xml before the game uses them: a
// text that is handed to printf must ask for exactly the arguments its users
// pass, and the default player name must be usable as a folder name. And the
// one way a window formats or draws a configured text with its arguments
// (FormatText, RenderText): the text goes to printf only when it asks for
// exactly the arguments given, checked on every call, so a text whose check
// at loading was skipped or that is used with other arguments than its table
// row lists is shown as written instead of being misread by printf.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace ZOV {
class JFONT;
}

namespace GAME::cfg {

// The arguments a printf format consumes, one letter each: 'i' for an int
// (a d/i/u/o/x/X/c conversion, or a '*' width or precision), 's' for a text.
// "%%" consumes nothing. Returns false for anything this game never passes
// or cannot pass safely: %n, length modifiers, positional arguments, floating
// conversions, pointers, a lone '%' at the end, widths or precisions above
// three digits.
bool FormatArguments(std::string_view format, std::string* arguments);

// True when `format` consumes exactly `arguments` (as FormatArguments spells them).
bool FormatMatches(std::string_view format, std::string_view arguments);

// True when `name` can name one folder: not empty, not "." or "..", no '/'
// or '\\', no control character (the engine's rule, ZOV::IsSafeFolderName).
bool IsSafeFolderName(std::string_view name);

namespace detail {

template <class>
inline constexpr bool kNoPrintfArgument = false;

// The letter FormatArguments spells an argument of type T with: 'i' for
// integers no wider than int, bools and enums (all passed as int), 's' for
// texts. Anything else (floats, long integers, pointers) is refused when
// the caller is compiled: no configured text may ask for it.
template <class T>
constexpr char ArgumentLetter() {
  using U = std::remove_cvref_t<T>;
  using D = std::decay_t<U>;
  if constexpr (std::is_same_v<D, const char*> || std::is_same_v<D, char*> || std::is_same_v<U, std::string>) {
    return 's';
  } else if constexpr (std::is_enum_v<U> || (std::is_integral_v<U> && sizeof(U) <= sizeof(int))) {
    return 'i';
  } else {
    static_assert(kNoPrintfArgument<T>, "configured texts take only ints and texts");
    return '?';
  }
}

// The argument as printf receives it: an int, or a text that is never null.
template <class T>
auto Passed(const T& v) {
  if constexpr (ArgumentLetter<T>() == 'i') {
    return static_cast<int>(v);
  } else if constexpr (std::is_same_v<std::remove_cvref_t<T>, std::string>) {
    return v.c_str();
  } else {
    const char* p = v;
    return p ? p : "";
  }
}

// vsnprintf into a string of the whole output.
std::string Printf(const char* format, ...);

// Draws the text unformatted with the font (nothing for a null font).
void DrawPlain(ZOV::JFONT* font, int x, int y, const std::string& text);

}  // namespace detail

// A configured text formatted with the arguments, when it asks for exactly
// them (FormatMatches); otherwise the text as it is written. A null text
// gives "".
template <class... A>
std::string FormatText(const char* text, const A&... args) {
  if (text == nullptr) return {};
  static constexpr char kLetters[] = {detail::ArgumentLetter<A>()..., '\0'};
  if (!FormatMatches(text, std::string_view(kLetters, sizeof...(A)))) return text;
  return detail::Printf(text, detail::Passed(args)...);
}

// Draws FormatText(text, args...) with the font at (x, y), in the font's
// alignment, colour and size, as JFONT::Render would (the alignment is reset
// to top-left afterwards). Nothing is drawn for a null font.
template <class... A>
void RenderText(ZOV::JFONT* font, int x, int y, const char* text, const A&... args) {
  detail::DrawPlain(font, x, y, FormatText(text, args...));
}

}  // namespace GAME::cfg
