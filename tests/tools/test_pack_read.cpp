// Packs written by the pack writer at test time, read back through the
// engine's file service: lookups, passwords, damaged and truncated packs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GAME/config/pack_table.h"
#include "ST/file.h"
#include "tests/support/test_env.h"
#include "tools/pack/pack_writer.h"

namespace fs = std::filesystem;
using packtool::PackEntry;
using ZOV::ifile;

namespace {

const std::string kLongName = std::string(300, 'n') + ".png";
const std::string kText = [] {
  std::string s;
  for (int i = 0; i < 200; ++i) s += "line " + std::to_string(i) + " of the deflated entry\n";
  return s;
}();

// The packs every case reads, made once per test program.
class PackCases : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = testenv::FreshDir("packs");
    const std::vector<PackEntry> main = {
        {"button_ok.png", "hello", false, std::nullopt},
        {"sub/x.txt", kText, true, std::nullopt},
        {kLongName, "long", false, std::nullopt},
        {"plain.txt", "not secret", true, std::string()},
    };
    std::string error;
    ASSERT_TRUE(packtool::WritePack(dir_ + "/p", main, "vexo4", &error)) << error;
    ASSERT_TRUE(packtool::WritePack(dir_ + "/empty", {}, "vexo4", &error)) << error;
    ASSERT_TRUE(packtool::WritePack(dir_ + "/music", {{"button_press.ogg", "RIFF....", false, std::nullopt}},
                                    GAME::kMusicPackPassword, &error))
        << error;
    // Damaged copies: one data byte of the stored entry, one of the deflated
    // entry, the end of the file cut off.
    const std::string bytes = testenv::ReadFile(dir_ + "/p");
    const long long stored = packtool::EntryDataOffset(dir_ + "/p", 0);
    const long long deflated = packtool::EntryDataOffset(dir_ + "/p", 1);
    ASSERT_GT(stored, 0);
    ASSERT_GT(deflated, stored);
    std::string bad = bytes;
    bad[size_t(stored) + 12 + 2] ^= 0x5a;  // after the 12-byte encryption header
    bad[size_t(deflated) + 12 + 20] ^= 0x5a;
    testenv::WriteFile(dir_ + "/corrupt", bad);
    testenv::WriteFile(dir_ + "/truncated", bytes.substr(0, bytes.size() / 2));
    // An entry whose central record declares 512 MiB.
    std::string huge = bytes;
    const size_t central = huge.find(std::string("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    const char size512m[4] = {0, 0, 0, 0x20};
    huge.replace(central + 24, 4, size512m, 4);
    testenv::WriteFile(dir_ + "/huge", huge);
  }

  void TearDown() override {
    ifile.ZipClearData();
    ifile.ZipCloze();
    ifile.ZipSetCurrentPack(nullptr);
    ifile.ZipSetCurrentPass(nullptr);
  }

  static std::string Pack(const char* name) { return dir_ + "/" + name; }
  static std::string dir_;
};
std::string PackCases::dir_;

struct ReadCase {
  const char* label;
  const char* pack;
  std::string entry;
  const char* password;
  int open, find, read;  // expected results; 0 = step not reached
  const char* data;      // expected contents after a successful read
  const char* printed;   // expected on standard output ("" = nothing)
};

TEST_F(PackCases, TableOfLookupsAndReads) {
  const std::vector<ReadCase> cases = {
      {"found, stored, right password", "p", "button_ok.png", "vexo4", 1, 1, 1, "hello", ""},
      {"deflated with path, right password", "p", "sub/x.txt", "vexo4", 1, 1, 1, kText.c_str(), ""},
      {"other letter case is not found", "p", "Button_OK.png", "vexo4", 1, -1, 0, nullptr,
       "Zip not find Button_OK.png\n"},
      {"bare name of an entry in a folder", "p", "x.txt", "vexo4", 1, -1, 0, nullptr, "Zip not find x.txt\n"},
      {"long entry name", "p", kLongName, "vexo4", 1, 1, 1, "long", ""},
      {"missing pack", "nope", "button_ok.png", "vexo4", -1, 0, 0, nullptr, ""},
      {"empty pack", "empty", "button_ok.png", "vexo4", 1, -1, 0, nullptr, ""},
      {"wrong password, stored", "p", "button_ok.png", "vexo5", 1, 1, -1, nullptr, nullptr},
      {"wrong password, deflated", "p", "sub/x.txt", "tunes.wav", 1, 1, -1, nullptr, nullptr},
      {"no password for an encrypted entry", "p", "button_ok.png", nullptr, 1, 1, -1, nullptr, nullptr},
      {"unencrypted entry", "p", "plain.txt", nullptr, 1, 1, 1, "not secret", ""},
      {"corrupt stored entry", "corrupt", "button_ok.png", "vexo4", 1, 1, -1, nullptr, nullptr},
      {"corrupt deflated entry", "corrupt", "sub/x.txt", "vexo4", 1, 1, -1, nullptr, nullptr},
      {"truncated pack", "truncated", "button_ok.png", "vexo4", -1, 0, 0, nullptr, ""},
      {"declared size over the cap", "huge", "button_ok.png", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"music pack, its own password", "music", "button_press.ogg", "tunes.wav", 1, 1, 1, "RIFF....", ""},
      {"music pack, the common password", "music", "button_press.ogg", "vexo4", 1, 1, -1, nullptr, nullptr},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string pack = Pack(c.pack);
    ::testing::internal::CaptureStdout();
    const int open = ifile.ZipOpen(pack.c_str());
    const int find = open == 1 ? ifile.ZipFindFile(c.entry.c_str()) : 0;
    const int read = find == 1 ? ifile.ZipReadFile(c.password) : 0;
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(open, c.open);
    EXPECT_EQ(find, c.find);
    EXPECT_EQ(read, c.read);
    if (c.printed) {
      EXPECT_EQ(printed, c.printed);
    }
    if (read == 1) {
      ASSERT_NE(ifile.read_buffer, nullptr);
      EXPECT_EQ(std::string(ifile.read_buffer, ifile.file_info.uncompressed_size), c.data);
    } else {
      EXPECT_EQ(ifile.read_buffer, nullptr) << "a failed read leaves no buffer";
    }
    ifile.ZipClearData();
    ifile.ZipCloze();
  }
}

TEST_F(PackCases, LongNamesAreKeptTruncatedButComparedWhole) {
  ASSERT_EQ(ifile.ZipOpen(Pack("p").c_str()), 1);
  ASSERT_EQ(ifile.ZipFindFile(kLongName.c_str()), 1);
  EXPECT_EQ(std::string(ifile.EntryName()), kLongName.substr(0, 259));
  // The first 259 characters alone name no entry.
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ifile.ZipFindFile(kLongName.substr(0, 259).c_str()), -1);
  ::testing::internal::GetCapturedStdout();
}

TEST_F(PackCases, OpeningAnotherPackClosesTheFirst) {
  ASSERT_EQ(ifile.ZipOpen(Pack("p").c_str()), 1);
  ASSERT_EQ(ifile.ZipFindFile("button_ok.png"), 1);
  ASSERT_EQ(ifile.ZipOpen(Pack("music").c_str()), 1);
  // The entry found in the first pack is gone with it.
  EXPECT_EQ(ifile.ZipReadFile("vexo4"), -1);
  EXPECT_EQ(ifile.ZipOpen(Pack("nope").c_str()), -1);
  EXPECT_FALSE(ifile.IsPackOpen());
}

TEST_F(PackCases, JustGetMeFileNeedsASelectionAndClosesThePack) {
  std::string pack = Pack("p");
  char password[] = "vexo4";
  EXPECT_EQ(ifile.ZipJustGetMeFile("button_ok.png"), -1);  // nothing selected
  ifile.ZipSetCurrentPack(pack.data());
  EXPECT_EQ(ifile.ZipJustGetMeFile("button_ok.png"), -1);  // no password
  ifile.ZipSetCurrentPass(password);
  EXPECT_EQ(ifile.ZipJustGetMeFile("button_ok.png"), 1);
  EXPECT_FALSE(ifile.IsPackOpen());
  EXPECT_EQ(ifile.read_buffer, nullptr);

  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ifile.ZipJustGetMeFile("nope"), -1);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "Zip not find nope\n\n\n\nError loading zip file named | " + pack + "| file | nope |\n\n\n\n");
  EXPECT_EQ(printed.find("vexo4"), std::string::npos) << "the password is never printed";
  EXPECT_FALSE(ifile.IsPackOpen());
}

TEST_F(PackCases, LogLinesQuoteAHugeNameShortly) {
  std::string pack = Pack("p");
  char password[] = "vexo4";
  ifile.ZipSetCurrentPack(pack.data());
  ifile.ZipSetCurrentPass(password);
  const std::string huge(1u << 20, 'h');
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ifile.ZipJustGetMeFile(huge.c_str()), -1);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  const std::string quoted = std::string(200, 'h') + "...";
  EXPECT_EQ(printed, "Zip not find " + quoted + "\n\n\n\nError loading zip file named | " + pack + "| file | " +
                         quoted + " |\n\n\n\n");
}

TEST_F(PackCases, ReadEntryInOneStep) {
  std::string data;
  EXPECT_EQ(ifile.ZipReadEntry(Pack("p").c_str(), "sub/x.txt", "vexo4", &data), 1);
  EXPECT_EQ(data, kText);
  EXPECT_FALSE(ifile.IsPackOpen());
  EXPECT_EQ(ifile.read_buffer, nullptr);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ifile.ZipReadEntry(Pack("p").c_str(), "sub/x.txt", "wrong", &data), -1);
  ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(data.empty());
}

TEST(PackWriter, RefusesBadEntryListsAndKeepsTheOldPack) {
  const std::string dir = testenv::FreshDir("writer");
  const std::string pack = dir + "/p";
  std::string error;
  ASSERT_TRUE(packtool::WritePack(pack, {{"a.txt", "A", true, std::nullopt}}, "vexo4", &error)) << error;
  EXPECT_FALSE(packtool::WritePack(pack, {{"a", "1", true, std::nullopt}, {"a", "2", true, std::nullopt}}, "vexo4",
                                   &error));
  EXPECT_NE(error.find("duplicate"), std::string::npos);
  EXPECT_FALSE(packtool::WritePack(pack, {{"", "1", true, std::nullopt}}, "vexo4", &error));
  std::string data;
  EXPECT_EQ(ifile.ZipReadEntry(pack.c_str(), "a.txt", "vexo4", &data), 1);
  EXPECT_EQ(data, "A");
}

TEST(PackWriter, EmptyPackIsTheBareEndRecord) {
  const std::string pack = testenv::FreshDir("empty") + "/e";
  ASSERT_TRUE(packtool::WritePack(pack, {}, "vexo4"));
  EXPECT_EQ(fs::file_size(pack), 22u);
  EXPECT_TRUE(packtool::PackMatches(pack, {}, "vexo4"));
}

TEST(PackWriter, MatchingTellsContentsAndPasswordsApart) {
  const std::string pack = testenv::FreshDir("match") + "/m";
  const std::vector<PackEntry> entries = {{"a.png", "AAAA", false, std::nullopt}, {"b.xml", "<b/>", true, std::nullopt}};
  ASSERT_TRUE(packtool::WritePack(pack, entries, "vexo4"));
  EXPECT_TRUE(packtool::PackMatches(pack, entries, "vexo4"));
  EXPECT_FALSE(packtool::PackMatches(pack, entries, "tunes.wav"));
  std::vector<PackEntry> changed = entries;
  changed[1].data = "<c/>";
  EXPECT_FALSE(packtool::PackMatches(pack, changed, "vexo4"));
  std::vector<PackEntry> reordered = {entries[1], entries[0]};
  EXPECT_FALSE(packtool::PackMatches(pack, reordered, "vexo4"));

  bool written = true;
  ASSERT_TRUE(packtool::UpdatePack(pack, entries, "vexo4", &written));
  EXPECT_FALSE(written) << "an unchanged pack keeps its file";
  ASSERT_TRUE(packtool::UpdatePack(pack, changed, "vexo4", &written));
  EXPECT_TRUE(written);
  EXPECT_TRUE(packtool::PackMatches(pack, changed, "vexo4"));
}

}  // namespace
