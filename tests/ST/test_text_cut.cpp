// Texts cut to fit: the UTF-8 cut, the log quote of a file's text, and the
// folder names made from configured texts.
#include <gtest/gtest.h>

#include <string>

#include "ST/text_cut.h"

namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

struct CutCase {
  const char* name;
  std::string text;
  std::size_t maxBytes;
  std::size_t expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class Utf8Cut : public ::testing::TestWithParam<CutCase> {};

TEST_P(Utf8Cut, NeverEndsInsideACharacter) {
  EXPECT_EQ(ZOV::Utf8CutLength(GetParam().text, GetParam().maxBytes), GetParam().expected);
}

// "Ж" is 2 bytes (D0 96), "€" 3 (E2 82 AC), "😀" 4 (F0 9F 98 80).
INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Cut,
    ::testing::Values(CutCase{"ShortTextWhole", "abc", 5, 3}, CutCase{"ExactFitWhole", "abc", 3, 3},
                      CutCase{"AsciiAtTheLimit", "abcdef", 4, 4},
                      CutCase{"CutBetweenCharacters", "ЖЖЖ", 4, 4},
                      CutCase{"CutInsideTwoBytes", "ЖЖЖ", 3, 2},
                      CutCase{"CutAfterLeadOfThree", "a€b", 2, 1},
                      CutCase{"CutInsideThree", "a€b", 3, 1},
                      CutCase{"CutAfterThree", "a€b", 4, 4},
                      CutCase{"CutInsideFour", "ab😀", 5, 2},
                      CutCase{"CutAfterFour", "ab😀c", 6, 6},
                      CutCase{"FirstCharacterTooLong", "😀", 3, 0},
                      // Not UTF-8: continuation bytes no lead byte begins.
                      CutCase{"StrayContinuationBytes", std::string("a\x80\x80\x80\x80\x80", 6), 3, 3},
                      CutCase{"LeadTooShortForTheRun", std::string("a\xC3\x80\x80\x80", 5), 3, 3},
                      CutCase{"TwoHundredOfThreeHundred", "L" + Repeat("Ж", 149) + "L", 200, 199}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogQuote, ShortTextIsQuotedWhole) {
  EXPECT_EQ(ZOV::LogQuote("left_corner.png"), "left_corner.png");
  EXPECT_EQ(ZOV::LogQuote("Игрок"), "Игрок");
  EXPECT_EQ(ZOV::LogQuote(static_cast<const char*>(nullptr)), "");
}

TEST(LogQuote, ControlBytesCannotBreakTheLine) {
  EXPECT_EQ(ZOV::LogQuote(std::string("a\nb\rc\td\x7F" "e\0f", 11)), "a?b?c?d?e?f");
}

TEST(LogQuote, LongTextIsCutAtACharacterAndMarked) {
  // 1 + 2 × 150 bytes: the 200-byte cut falls inside the hundredth "Ж".
  const std::string text = "x" + Repeat("Ж", 150);
  EXPECT_EQ(ZOV::LogQuote(text), "x" + Repeat("Ж", 99) + "...");
  EXPECT_EQ(ZOV::LogQuote(Repeat("a", 201)), Repeat("a", 200) + "...");
  EXPECT_EQ(ZOV::LogQuote(Repeat("a", 200)), Repeat("a", 200));
  EXPECT_EQ(ZOV::LogQuote("abcdef", 3), "abc...");
}

TEST(LogQuote, AFiftyMegabyteTextStaysShort) {
  const std::string huge(50u << 20, 'Q');
  const std::string quoted = ZOV::LogQuote(huge);
  EXPECT_EQ(quoted, Repeat("Q", 200) + "...");
}

TEST(FolderNames, UnsafeNamesFallBack) {
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "tab\there", "line\n", "del\x7F"}) {
    EXPECT_FALSE(ZOV::IsSafeFolderName(bad)) << bad;
    EXPECT_EQ(ZOV::FolderNameFrom(bad, "VURAVAZ"), "VURAVAZ") << bad;
  }
  for (const char* good : {"Jigsaw", "Мои пазлы", "a.b", "..x"}) {
    EXPECT_TRUE(ZOV::IsSafeFolderName(good)) << good;
    EXPECT_EQ(ZOV::FolderNameFrom(good, "VURAVAZ"), good);
  }
}

TEST(FolderNames, LongNamesAreCutToTwoHundredBytesAtACharacter) {
  EXPECT_EQ(ZOV::FolderNameFrom(Repeat("L", 256), "VURAVAZ"), Repeat("L", 200));
  EXPECT_EQ(ZOV::FolderNameFrom(Repeat("L", 200), "VURAVAZ"), Repeat("L", 200));
  EXPECT_EQ(ZOV::FolderNameFrom("L" + Repeat("Ж", 149) + "L", "Jigsaw"), "L" + Repeat("Ж", 99));
  EXPECT_EQ(ZOV::FolderNameFrom(Repeat("€", 100), "Jigsaw"), Repeat("€", 66));
  // A separator past the cut still makes the configured text unusable.
  EXPECT_EQ(ZOV::FolderNameFrom(Repeat("L", 250) + "/x", "VURAVAZ"), "VURAVAZ");
}

}  // namespace
