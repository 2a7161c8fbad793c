// Checks on texts that come from strings.xml before the game uses them: a
// text that is handed to printf must ask for exactly the arguments its users
// pass, and the default player name must be usable as a folder name.
#pragma once

#include <string>
#include <string_view>

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

}  // namespace GAME::cfg
