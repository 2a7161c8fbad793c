// Packs written by the pack writer at test time, read back through the
// engine's file service: lookups, passwords, damaged and truncated packs,
// entries that declare more than they hold or more than the size cap, and
// entries of a compression method libzip cannot decode.
#include <gtest/gtest.h>

#include <zip.h>

#include <cstdint>
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

uint32_t Le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(s[at + size_t(i)]);
  return v;
}

void PutLe(std::string& s, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + size_t(i)] = char(v >> (8 * i) & 0xFF);
}

// Where entry `index`'s local header and central record start in the zip
// bytes, found through the end record (the packs carry no comment).
struct Headers {
  size_t local = 0, central = 0;
};
bool FindHeaders(const std::string& zip, int index, Headers* out) {
  if (zip.size() < 22 || zip.compare(zip.size() - 22, 4, "PK\x05\x06", 4) != 0) return false;
  size_t at = Le(zip, zip.size() - 22 + 16, 4);
  for (int i = 0;; ++i) {
    if (at + 46 > zip.size() || zip.compare(at, 4, "PK\x01\x02", 4) != 0) return false;
    if (i == index) {
      out->central = at;
      out->local = Le(zip, at + 42, 4);
      return out->local + 30 <= zip.size() && zip.compare(out->local, 4, "PK\x03\x04", 4) == 0;
    }
    at += 46 + Le(zip, at + 28, 2) + Le(zip, at + 30, 2) + Le(zip, at + 32, 2);
  }
}

// Sets a field of entry `index` in both its local header and its central
// record (offsets within each), as a damaged or hand-made pack would have.
::testing::AssertionResult PatchEntry(std::string& zip, int index, size_t localAt, size_t centralAt, uint32_t v,
                                      int bytes) {
  Headers h;
  if (!FindHeaders(zip, index, &h)) return ::testing::AssertionFailure() << "no entry " << index;
  PutLe(zip, h.local + localAt, v, bytes);
  PutLe(zip, h.central + centralAt, v, bytes);
  return ::testing::AssertionSuccess();
}
constexpr size_t kLocalFlags = 6, kCentralFlags = 8;
constexpr size_t kLocalMethod = 8, kCentralMethod = 10;
constexpr size_t kLocalSize = 22, kCentralSize = 24;  // uncompressed size

// Whether libzip's one-byte check of an entry's encryption header lets
// `password` open it. A wrong password passes that check once in 256
// tries; the read then fails on the decrypted garbage instead.
bool PassesTheCheck(zip_t* za, int index, const std::string& password) {
  zip_file_t* zf = zip_fopen_index_encrypted(za, zip_uint64_t(index), 0, password.c_str());
  if (zf) zip_fclose(zf);
  return zf != nullptr;
}
bool PassesTheCheck(const std::string& pack, int index, const std::string& password) {
  int err = 0;
  zip_t* za = zip_open(pack.c_str(), ZIP_RDONLY, &err);
  if (!za) return false;
  const bool passes = PassesTheCheck(za, index, password);
  zip_discard(za);
  return passes;
}

// A wrong password for entry `index` that passes the check or is stopped by it.
std::string WrongPassword(const std::string& pack, int index, bool passes) {
  int err = 0;
  zip_t* za = zip_open(pack.c_str(), ZIP_RDONLY, &err);
  std::string found;
  for (int i = 0; za && found.empty() && i < 20000; ++i) {
    const std::string candidate = "wrong" + std::to_string(i);
    if (PassesTheCheck(za, index, candidate) == passes) found = candidate;
  }
  if (za) zip_discard(za);
  return found;
}

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
    // The music pack, written until the common password is stopped by the
    // check of its encryption header (so that read fails at the open).
    const std::vector<PackEntry> music = {{"button_press.ogg", "RIFF....", false, std::nullopt}};
    for (int tries = 0; tries < 20; ++tries) {
      ASSERT_TRUE(packtool::WritePack(dir_ + "/music", music, GAME::kMusicPackPassword, &error)) << error;
      if (!PassesTheCheck(dir_ + "/music", 0, "vexo4")) break;
    }
    ASSERT_FALSE(PassesTheCheck(dir_ + "/music", 0, "vexo4"));
    // Wrong passwords of both kinds for the stored and the deflated entry.
    for (int i = 0; i < 2; ++i) {
      stopped_[i] = WrongPassword(dir_ + "/p", i, false);
      passing_[i] = WrongPassword(dir_ + "/p", i, true);
      ASSERT_FALSE(stopped_[i].empty());
      ASSERT_FALSE(passing_[i].empty());
    }
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
    // Entries declaring 100 bytes more than they hold (checksums intact):
    // libzip reads what is there and reports no error.
    std::string shorter = bytes;
    ASSERT_TRUE(PatchEntry(shorter, 0, kLocalSize, kCentralSize, 5 + 100, 4));
    ASSERT_TRUE(PatchEntry(shorter, 1, kLocalSize, kCentralSize, uint32_t(kText.size()) + 100, 4));
    testenv::WriteFile(dir_ + "/short", shorter);
    // Entries of a compression method libzip does not know (0xFFF7): the
    // encrypted deflated one and the unencrypted one; and the stored entry
    // with every flag but the data-descriptor one set, among them strong
    // encryption, whose method libzip does not know either.
    std::string method = bytes;
    ASSERT_TRUE(PatchEntry(method, 1, kLocalMethod, kCentralMethod, 0xFFF7, 2));
    ASSERT_TRUE(PatchEntry(method, 3, kLocalMethod, kCentralMethod, 0xFFF7, 2));
    ASSERT_TRUE(PatchEntry(method, 0, kLocalFlags, kCentralFlags, 0xFFF7, 2));
    testenv::WriteFile(dir_ + "/method", method);
  }

  void TearDown() override {
    ifile.ZipClearData();
    ifile.ZipCloze();
    ifile.ZipSetCurrentPack(nullptr);
    ifile.ZipSetCurrentPass(nullptr);
  }

  static std::string Pack(const char* name) { return dir_ + "/" + name; }
  static std::string dir_;
  static std::string stopped_[2], passing_[2];  // wrong passwords of entries 0 and 1
};
std::string PackCases::dir_;
std::string PackCases::stopped_[2];
std::string PackCases::passing_[2];

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
  // One entry past the size cap, honestly made: without the cap it would be
  // read (256 MiB of zeros deflate to a quarter of a megabyte).
  static_assert(ZOV::iFile::kMaxEntrySize == uint64_t(256) << 20);
  {
    std::vector<PackEntry> big(1);
    big[0].name = "button_ok.png";
    big[0].data.assign(size_t(ZOV::iFile::kMaxEntrySize) + 1, '\0');
    std::string error;
    ASSERT_TRUE(packtool::WritePack(Pack("big"), big, "vexo4", &error)) << error;
  }
  const std::vector<ReadCase> cases = {
      {"found, stored, right password", "p", "button_ok.png", "vexo4", 1, 1, 1, "hello", ""},
      {"deflated with path, right password", "p", "sub/x.txt", "vexo4", 1, 1, 1, kText.c_str(), ""},
      {"other letter case is not found", "p", "Button_OK.png", "vexo4", 1, -1, 0, nullptr,
       "Zip not find Button_OK.png\n"},
      {"bare name of an entry in a folder", "p", "x.txt", "vexo4", 1, -1, 0, nullptr, "Zip not find x.txt\n"},
      {"long entry name", "p", kLongName, "vexo4", 1, 1, 1, "long", ""},
      {"missing pack", "nope", "button_ok.png", "vexo4", -1, 0, 0, nullptr, ""},
      {"empty pack", "empty", "button_ok.png", "vexo4", 1, -1, 0, nullptr, ""},
      // A wrong password is mostly stopped at the open, silently; one that
      // passes the header's check decrypts to garbage that fails the read.
      {"wrong password, stored", "p", "button_ok.png", stopped_[0].c_str(), 1, 1, -1, nullptr, ""},
      {"wrong password, deflated", "p", "sub/x.txt", stopped_[1].c_str(), 1, 1, -1, nullptr, ""},
      {"wrong password past the check, stored", "p", "button_ok.png", passing_[0].c_str(), 1, 1, -1, nullptr,
       "ReadError\n"},
      {"wrong password past the check, deflated", "p", "sub/x.txt", passing_[1].c_str(), 1, 1, -1, nullptr,
       "ReadError\n"},
      {"no password for an encrypted entry", "p", "button_ok.png", nullptr, 1, 1, -1, nullptr, ""},
      {"unencrypted entry", "p", "plain.txt", nullptr, 1, 1, 1, "not secret", ""},
      {"corrupt stored entry", "corrupt", "button_ok.png", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"corrupt deflated entry", "corrupt", "sub/x.txt", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"truncated pack", "truncated", "button_ok.png", "vexo4", -1, 0, 0, nullptr, ""},
      {"stored entry shorter than it declares", "short", "button_ok.png", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"deflated entry shorter than it declares", "short", "sub/x.txt", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"entry over the size cap", "big", "button_ok.png", "vexo4", 1, 1, -1, nullptr, "ReadError\n"},
      {"encrypted entry of an unknown method", "method", "sub/x.txt", "vexo4", 1, 1, -1, nullptr,
       "Zip unknown compression method 65527 sub/x.txt\n"},
      {"unencrypted entry of an unknown method", "method", "plain.txt", nullptr, 1, 1, -1, nullptr,
       "Zip unknown compression method 65527 plain.txt\n"},
      {"entry of an unknown encryption method", "method", "button_ok.png", "vexo4", 1, 1, -1, nullptr,
       "Zip unknown encryption method 65535 button_ok.png\n"},
      {"music pack, its own password", "music", "button_press.ogg", "tunes.wav", 1, 1, 1, "RIFF....", ""},
      {"music pack, the common password", "music", "button_press.ogg", "vexo4", 1, 1, -1, nullptr, ""},
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
    EXPECT_EQ(printed, c.printed);
    if (read == 1) {
      EXPECT_NE(ifile.read_buffer, nullptr);
      if (c.data == nullptr) {
        ADD_FAILURE() << "read " << ifile.file_info.uncompressed_size << " bytes where the read should fail";
      } else if (ifile.read_buffer != nullptr) {
        EXPECT_EQ(std::string(ifile.read_buffer, ifile.file_info.uncompressed_size), c.data);
      }
    } else {
      EXPECT_EQ(ifile.read_buffer, nullptr) << "a failed read leaves no buffer";
    }
    ifile.ZipClearData();
    ifile.ZipCloze();
  }
}

// A lookup that fails leaves no entry in hand: the next read reads nothing,
// not the entry an earlier lookup found.
TEST_F(PackCases, AReadAfterAFailedLookupReadsNothing) {
  ASSERT_EQ(ifile.ZipOpen(Pack("p").c_str()), 1);
  const char* missing[] = {"nope", "Button_OK.png", nullptr};
  for (const char* name : missing) {
    SCOPED_TRACE(name ? name : "(null)");
    ASSERT_EQ(ifile.ZipFindFile("button_ok.png"), 1);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(ifile.ZipFindFile(name), -1);
    const int read = ifile.ZipReadFile("vexo4");
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(read, -1);
    EXPECT_EQ(ifile.read_buffer, nullptr);
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
