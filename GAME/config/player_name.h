// Player names. A player's name is also the name of the player's folder in
// the game folder, so every name that reaches the file system is checked
// here first: names typed by players, read from "LC.pzl", or given by the
// configuration as the default player's name.
#pragma once

#include <string>
#include <string_view>

namespace GAME {

// The longest name kept, in bytes (well under any file system's limit).
constexpr size_t kMaxPlayerNameBytes = 128;

// The built-in name of the default player.
inline constexpr const char kBuiltInPlayerName[] = "Игрок";

// A character a player name may not hold: the punctuation the name entry
// refuses (. % ' * ^ & , = + " | ! @ $ # № < > : ; / ? \ ` ~ [ ] { }), the
// space, and every control character (U+0000-U+001F, U+007F-U+009F).
bool IsRefusedNameChar(char32_t c);

// A usable player name: valid UTF-8, 1 to kMaxPlayerNameBytes bytes, no
// refused character (so never "." or ".." either).
bool IsValidPlayerName(std::string_view name);

// The default player's name: the configured chTEXT_DEFAULT_NAME when it is
// a safe folder name of at most kMaxPlayerNameBytes bytes, else the
// built-in name.
std::string DefaultPlayerName();

// The name as a log line may show it: ZOV::LogQuote (ST/text_cut.h) at 64
// bytes, so control bytes become '?' and a long text is cut at a character
// and marked "...".
std::string PrintableName(std::string_view name);

}  // namespace GAME
