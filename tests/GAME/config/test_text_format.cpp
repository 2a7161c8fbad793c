// The printf check of configured texts, the folder-name check, and the
// built-in texts themselves (their own formats, and the fonts' characters).
#include <gtest/gtest.h>

#include <string>

#include "GAME/config/config_tables.h"
#include "GAME/config/text_format.h"

namespace {

using GAME::cfg::FormatArguments;
using GAME::cfg::IsSafeFolderName;

struct FormatCase {
  const char* format;
  bool valid;
  const char* arguments;
};

TEST(FormatArguments, ListsWhatPrintfWouldConsume) {
  const FormatCase cases[] = {
      {"", true, ""},
      {"plain text", true, ""},
      {"100%%", true, ""},
      {"%i", true, "i"},
      {"%d %u %x %X %o %c", true, "iiiiii"},
      {"%s", true, "s"},
      {"%-5s|%+3d|% i|%#x", true, "siii"},
      {"%0*i:%0*i", true, "iiii"},
      {"%.*s", true, "is"},
      {"%*.*i", true, "iii"},
      {"%5.2i", true, "i"},
      {"\nСобрано:\t%i%%", true, "i"},
      {"%n", false, ""},
      {"%li", false, ""},
      {"%hhd", false, ""},
      {"%zu", false, ""},
      {"%f", false, ""},
      {"%p", false, ""},
      {"%1$s", false, ""},
      {"%", false, ""},
      {"50% скидка", false, ""},
      {"%1000i", false, ""},
      {"%.1000i", false, ""},
  };
  for (const FormatCase& c : cases) {
    std::string found;
    EXPECT_EQ(FormatArguments(c.format, &found), c.valid) << c.format;
    if (c.valid) {
      EXPECT_EQ(found, c.arguments) << c.format;
    }
  }
}

enum class Level { kNone, kFirst, kSecond };

// Configured texts formatted with the arguments a window passes: printf
// sees a text only when it asks for exactly those arguments; any other text
// comes back as it is written.
TEST(FormatText, FormatsOnlyATextThatAsksForItsArguments) {
  const char* missing = nullptr;
  char name[20] = "Вера";
  struct Case {
    std::string got;
    const char* want;
  } cases[] = {
      {GAME::cfg::FormatText("Очки: %i", 42), "Очки: 42"},
      {GAME::cfg::FormatText("Время:\t\t%0*i:%0*i", 2, 5, 2, 7), "Время:\t\t05:07"},
      {GAME::cfg::FormatText("Собрано: %i%%", 100), "Собрано: 100%"},
      {GAME::cfg::FormatText("100%%"), "100%"},
      {GAME::cfg::FormatText("Добро пожаловать, %s !", "Анна"), "Добро пожаловать, Анна !"},
      {GAME::cfg::FormatText("%s!", std::string("Ann")), "Ann!"},
      {GAME::cfg::FormatText("[%s]", name), "[Вера]"},
      {GAME::cfg::FormatText("[%s]", missing), "[]"},
      {GAME::cfg::FormatText("%c%c", 'o', 'k'), "ok"},
      {GAME::cfg::FormatText("%i %i %u", true, Level::kSecond, 7u), "1 2 7"},
      // Mismatches: shown as written, never formatted.
      {GAME::cfg::FormatText("Очки: %s", 42), "Очки: %s"},
      {GAME::cfg::FormatText("%s", 42), "%s"},
      {GAME::cfg::FormatText("%i %i", 1), "%i %i"},
      {GAME::cfg::FormatText("%i", 1, 2), "%i"},
      {GAME::cfg::FormatText("%i"), "%i"},
      {GAME::cfg::FormatText("%n", 1), "%n"},
      {GAME::cfg::FormatText("%99999i", 1), "%99999i"},
      {GAME::cfg::FormatText("50% скидка"), "50% скидка"},
      {GAME::cfg::FormatText(nullptr, 5), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
  const std::string longText(3000, 'x');
  EXPECT_EQ(GAME::cfg::FormatText("%s.", longText).size(), 3001u) << "nothing is cut";
}

TEST(FolderName, RefusesWhatCannotNameOneFolder) {
  for (const char* good : {"Игрок", "Player 1", "a.b", "...x"}) EXPECT_TRUE(IsSafeFolderName(good)) << good;
  for (const char* bad : {"", ".", "..", "a/b", "/", "a\\b", "a\tb", "a\nb", "\x7f"})
    EXPECT_FALSE(IsSafeFolderName(bad)) << bad;
}

// Decodes one UTF-8 character at `i`; -1 when the bytes are not UTF-8.
long NextCodePoint(const std::string& s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return s[i++];
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || i + extra >= s.size()) return -1;
  long cp = c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const unsigned char d = static_cast<unsigned char>(s[i + k]);
    if ((d & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (d & 0x3F);
  }
  i += extra + 1;
  return cp;
}

// The characters the bitmap fonts are baked with, plus tab and line feed.
bool InFontSet(long cp) {
  if (cp == '\t' || cp == '\n') return true;
  if (cp >= 32 && cp <= 126) return true;
  if (cp >= 0x0410 && cp <= 0x044F) return true;  // А-я
  for (long extra : {0x0401L, 0x0451L, 0x00ABL, 0x00BBL, 0x2014L, 0x2026L, 0x2116L})  // Ё ё « » — … №
    if (cp == extra) return true;
  return false;
}

TEST(BuiltInTexts, UseOnlyTheFontsCharacters) {
  for (const auto& entry : GAME::cfg::StringsTable()) {
    if (entry.value == nullptr) continue;
    const std::string text = entry.value;
    for (std::size_t i = 0; i < text.size();) {
      const long cp = NextCodePoint(text, i);
      ASSERT_TRUE(cp >= 0 && InFontSet(cp)) << entry.key << " at byte " << i << ": U+" << std::hex << cp;
    }
  }
}

TEST(BuiltInTexts, PassTheirOwnChecks) {
  int read = 0;
  for (const auto& entry : GAME::cfg::StringsTable()) {
    if (entry.global != nullptr && entry.written) ++read;
    if (entry.value == nullptr) continue;
    switch (entry.check) {
      case GAME::cfg::TextCheck::kFormat:
        EXPECT_TRUE(GAME::cfg::FormatMatches(entry.value, entry.args)) << entry.key;
        break;
      case GAME::cfg::TextCheck::kFolderName:
        EXPECT_TRUE(IsSafeFolderName(entry.value)) << entry.key;
        break;
      case GAME::cfg::TextCheck::kPlain:
        break;
    }
  }
  EXPECT_EQ(read, 91);
  for (const char* caption : GAME::cfg::DefaultCategoryNames()) EXPECT_TRUE(GAME::cfg::FormatMatches(caption, ""));
}

}  // namespace
