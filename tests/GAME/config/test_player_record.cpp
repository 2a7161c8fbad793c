// The player settings record: its exact 76 bytes, the value of every field
// at its offset, round trips through "set.bin", files of the wrong size, and
// hostile values made safe.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "GAME/config/player_name.h"
#include "GAME/config/player_record.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using GAME::PUZZLE_PLAYER_PROFILE;
using GAME::RecordRead;

namespace {

std::string Hex(const PUZZLE_PLAYER_PROFILE::Bytes& b) {
  std::string s;
  char cell[4];
  for (uint8_t v : b) {
    std::snprintf(cell, sizeof cell, "%02X ", v);
    s += cell;
  }
  return s;
}

PUZZLE_PLAYER_PROFILE::Bytes BytesOf(std::initializer_list<std::pair<int, std::vector<uint8_t>>> parts) {
  PUZZLE_PLAYER_PROFILE::Bytes b{};
  for (const auto& [off, bytes] : parts)
    for (size_t i = 0; i < bytes.size(); ++i) b[off + i] = bytes[i];
  return b;
}

}  // namespace

TEST(PlayerRecord, NewRecordIsAllZero) {
  EXPECT_EQ(Hex(PUZZLE_PLAYER_PROFILE().Encode()), Hex(PUZZLE_PLAYER_PROFILE::Bytes{}));
}

TEST(PlayerRecord, DefaultRecordBytes) {
  // Windowed 1024x768 on a larger desktop.
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(786432, false);
  const auto expected = BytesOf({{0, {0x00, 0x00, 0x0C, 0x00, 0x00}},
                                 {8, {0xFF, 0xFF, 0xFF, 0xFF}},
                                 {20, {0x9A, 0x99, 0x99, 0x3E, 0x9A, 0x99, 0x99, 0x3E}},
                                 {48, {0x01, 0x01}}});
  EXPECT_EQ(Hex(r.Encode()), Hex(expected));
  // The desktop size, full screen: the first start with the default game.xml.
  PUZZLE_PLAYER_PROFILE d;
  d.SetDefaults(0, true);
  EXPECT_EQ(Hex(d.Encode()).substr(0, 15), "00 00 00 00 01 ");
}

TEST(PlayerRecord, EveryFieldAtItsOffset) {
  PUZZLE_PLAYER_PROFILE r;
  r.screen = 0x01020304;
  r.Full = true;
  r.FastCollector = true;
  r.Color = static_cast<int32_t>(0xFF2E4577u);
  const uint8_t levels[7] = {5, 3, 4, 2, 1, 6, 1};
  std::memcpy(r.trofei, levels, 7);
  r.MusicVolum = 1.0f;  // 00 00 80 3F
  r.Sound = 0.5f;       // 00 00 00 3F
  std::memcpy(r.Name, "Anna", 4);
  r.Cursor = true;
  r.Help = false;
  r.PlayTime = 3600;    // 10 0E
  r.Puzzles = 7;
  r.Score = 1000;       // E8 03
  r.Pieces = 0x00ABCDEF;
  r.Fifth = -2;         // FE FF FF FF
  r.Reserved = 9;
  const auto expected = BytesOf({{0, {0x04, 0x03, 0x02, 0x01}},
                                 {4, {0x01, 0x01}},
                                 {8, {0x77, 0x45, 0x2E, 0xFF}},
                                 {12, {5, 3, 4, 2, 1, 6, 1}},
                                 {20, {0x00, 0x00, 0x80, 0x3F}},
                                 {24, {0x00, 0x00, 0x00, 0x3F}},
                                 {28, {'A', 'n', 'n', 'a'}},
                                 {48, {0x01, 0x00}},
                                 {52, {0x10, 0x0E, 0x00, 0x00}},
                                 {56, {0x07, 0x00, 0x00, 0x00}},
                                 {60, {0xE8, 0x03, 0x00, 0x00}},
                                 {64, {0xEF, 0xCD, 0xAB, 0x00}},
                                 {68, {0xFE, 0xFF, 0xFF, 0xFF}},
                                 {72, {0x09}}});
  EXPECT_EQ(Hex(r.Encode()), Hex(expected));
  std::string repaired = "x";
  EXPECT_EQ(PUZZLE_PLAYER_PROFILE::Decode(expected, &repaired), r);
  EXPECT_EQ(repaired, "");
}

TEST(PlayerRecord, FileRoundTripKeepsLineEndBytes) {
  const fs::path dir = testenv::FreshDir("roundtrip");
  for (int score : {10, 26, 0x0A0D1A0A}) {
    PUZZLE_PLAYER_PROFILE r;
    r.SetDefaults(1296000, false);
    r.Score = score;
    r.Pieces = 26;
    const std::string path = (dir / "set.bin").string();
    ASSERT_TRUE(GAME::WriteRecordFile(path, r));
    EXPECT_EQ(fs::file_size(path), 76u);
    PUZZLE_PLAYER_PROFILE back;
    long size = 0;
    ASSERT_EQ(GAME::ReadRecordFile(path, &back, &size), RecordRead::kLoaded);
    EXPECT_EQ(size, 76);
    EXPECT_EQ(back, r) << score;
  }
}

TEST(PlayerRecord, FilesOfAnotherSizeAreDamagedAndLeftAlone) {
  const fs::path dir = testenv::FreshDir("sizes");
  struct Row {
    size_t size;
    RecordRead expected;
  };
  for (const Row& row : {Row{0, RecordRead::kWrongSize}, Row{10, RecordRead::kWrongSize},
                         Row{75, RecordRead::kWrongSize}, Row{77, RecordRead::kWrongSize},
                         Row{100, RecordRead::kWrongSize}, Row{76, RecordRead::kLoaded}}) {
    const fs::path path = dir / "set.bin";
    const std::string bytes(row.size, '\x05');
    testenv::WriteFile(path, bytes);
    PUZZLE_PLAYER_PROFILE out;
    out.Score = 123;
    long size = -1;
    EXPECT_EQ(GAME::ReadRecordFile(path.string(), &out, &size), row.expected) << row.size;
    EXPECT_EQ(size, long(row.size));
    if (row.expected != RecordRead::kLoaded) {
      EXPECT_EQ(out.Score, 123) << "the record is left as it was";
    }
    EXPECT_EQ(testenv::ReadFile(path), bytes) << "reading never changes the file";
  }
  PUZZLE_PLAYER_PROFILE out;
  EXPECT_EQ(GAME::ReadRecordFile((dir / "none.bin").string(), &out), RecordRead::kMissing);
  fs::create_directory(dir / "folder.bin");
  EXPECT_EQ(GAME::ReadRecordFile((dir / "folder.bin").string(), &out), RecordRead::kUnreadable);
}

TEST(PlayerRecord, HostileValuesAreMadeSafe) {
  PUZZLE_PLAYER_PROFILE::Bytes b{};
  const float nan = std::numeric_limits<float>::quiet_NaN();
  uint32_t bits;
  std::memcpy(&bits, &nan, 4);
  for (int i = 0; i < 4; ++i) b[20 + i] = uint8_t(bits >> (8 * i));
  b[24 + 3] = 0xBF;
  b[24 + 2] = 0x80;  // -1.0f
  b[4] = 7;          // bool byte neither 0 nor 1
  b[5] = 0xFF;
  b[48] = 2;
  b[49] = 0;
  const uint8_t levels[7] = {200, 4, 4, 9, 255, 7, 2};
  std::memcpy(&b[12], levels, 7);
  std::memset(&b[28], 'x', 20);  // no terminator in the name field
  std::string repaired;
  const PUZZLE_PLAYER_PROFILE r = PUZZLE_PLAYER_PROFILE::Decode(b, &repaired);
  EXPECT_FLOAT_EQ(r.MusicVolum, 0.3f);
  EXPECT_FLOAT_EQ(r.Sound, 0.3f);
  EXPECT_TRUE(r.Full);
  EXPECT_TRUE(r.FastCollector);
  EXPECT_TRUE(r.Cursor);
  EXPECT_FALSE(r.Help);
  const uint8_t clamped[7] = {5, 3, 4, 4, 4, 6, 1};
  EXPECT_EQ(std::memcmp(r.trofei, clamped, 7), 0);
  EXPECT_EQ(r.NameText(), std::string(20, 'x'));
  EXPECT_NE(repaired.find("MusicVolum"), std::string::npos);
  EXPECT_NE(repaired.find("Sound"), std::string::npos);
  EXPECT_NE(repaired.find("trofei[0]"), std::string::npos);
  EXPECT_NE(repaired.find("trofei[3]"), std::string::npos);
  EXPECT_EQ(repaired.find("trofei[2]"), std::string::npos) << "level 4 of endurance is allowed";
  // Re-encoded, the bools are plain 0/1 bytes.
  EXPECT_EQ(r.Encode()[4], 1);
  EXPECT_EQ(r.Encode()[48], 1);

  for (float v : {std::numeric_limits<float>::infinity(), 1.5f, -0.0001f}) {
    PUZZLE_PLAYER_PROFILE s;
    s.MusicVolum = v;
    s.Sound = 1.0f;
    const PUZZLE_PLAYER_PROFILE back = PUZZLE_PLAYER_PROFILE::Decode(s.Encode());
    EXPECT_FLOAT_EQ(back.MusicVolum, 0.3f) << v;
    EXPECT_FLOAT_EQ(back.Sound, 1.0f);
  }
}

// Records of random bytes: whatever a damaged or hand-made file holds, the
// record it loads as is one the game itself would write, so loading that
// again repairs nothing and changes nothing.
TEST(PlayerRecord, RandomRecordsLoadAsRecordsTheGameWouldWrite) {
  std::mt19937 rng(76);
  int repairedOnce = 0;
  for (int round = 0; round < 2000; ++round) {
    PUZZLE_PLAYER_PROFILE::Bytes b{};
    for (auto& byte : b) byte = uint8_t(rng() & 0xFF);
    std::string repaired;
    const PUZZLE_PLAYER_PROFILE r = PUZZLE_PLAYER_PROFILE::Decode(b, &repaired);
    repairedOnce += repaired.empty() ? 0 : 1;
    std::string again = "unset";
    const PUZZLE_PLAYER_PROFILE back = PUZZLE_PLAYER_PROFILE::Decode(r.Encode(), &again);
    ASSERT_TRUE(back == r) << "round " << round;
    ASSERT_EQ(again, "") << "round " << round;
    ASSERT_TRUE(r.MusicVolum >= 0.0f && r.MusicVolum <= 1.0f) << "round " << round;
    ASSERT_TRUE(r.Sound >= 0.0f && r.Sound <= 1.0f) << "round " << round;
  }
  EXPECT_GT(repairedOnce, 1900);
}

TEST(PlayerRecord, DebugDump) {
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(786432, false);
  r.trofei[1] = 3;
  testing::internal::CaptureStdout();
  r.Debug();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "screen 786432\nFull? 0\nFastCollector0\nMusicVolum 0.3\nSound 0.3\nCursor 1\nColor -1\n"
            "trofei:\n0\n3\n0\n0\n0\n0\n0\n");
}

TEST(PlayerName, RefusedAndAcceptedNames) {
  for (const char* ok : {"Anna", "Игрок", "Я", "7", "a-b_c(1)", "Zoë", "名前",
                         "\xE0\xA0\x80",       // U+0800, the first three-byte character
                         "\xF0\x9F\x98\x80",   // U+1F600, four bytes
                         "\xF4\x8F\xBF\xBF"})  // U+10FFFF, the last code point
    EXPECT_TRUE(GAME::IsValidPlayerName(ok)) << GAME::PrintableName(ok);
  const std::vector<std::string> refused = {
      "", ".", "..", "../x", "a/b", "a\\b", "A B", "x\ty", "Anna\n", std::string("a\0b", 3), "\x7F",
      "a\xC2\x85" "b",  // U+0085, a C1 control
      "№1", "%s", "a.b", "a:b", "\xFF", "\xC0\xAF",  // malformed and overlong UTF-8
      "\xED\xA0\x80",                                // a surrogate
      "\xD0",                                        // cut in two
      "\xF4\x90\x80\x80", "\xF7\xBF\xBF\xBF",          // past U+10FFFF
      "\xE0\x80\xAF", "\xE0\x9F\xBF",                // overlong three-byte forms of '/' and U+07FF
      "\xF0\x8F\xBF\xBF",                            // an overlong four-byte form
      std::string(GAME::kMaxPlayerNameBytes + 1, 'a')};
  for (const std::string& bad : refused) EXPECT_FALSE(GAME::IsValidPlayerName(bad)) << GAME::PrintableName(bad);
  for (char c : std::string(".%'*^&,=+\"|!@$#<>:;/?\\`~[]{} ")) EXPECT_TRUE(GAME::IsRefusedNameChar(c)) << c;
  EXPECT_TRUE(GAME::IsValidPlayerName(std::string(GAME::kMaxPlayerNameBytes, 'a')));
  EXPECT_EQ(GAME::PrintableName("a\nb"), "a?b");
}
