// The file service's plain files, raw records, folders and log, on
// temporary folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "ST/file.h"
#include "platform/sys.h"
#include "tests/support/as_user.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using ZOV::ifile;
using ZOV::JINVECPTR;

namespace {

// The list FindDir returns, head first, as (index, name) pairs; frees it.
std::vector<std::pair<int, std::string>> Take(JINVECPTR<char*>* head) {
  std::vector<std::pair<int, std::string>> out;
  for (auto* n = head; n; n = n->next) out.emplace_back(n->index, n->value);
  ZOV::FreeNameList(head);
  return out;
}

using Pairs = std::vector<std::pair<int, std::string>>;

TEST(PlainFiles, CreateReadDelete) {
  const std::string d = testenv::FreshDir("plain");
  const std::string missing = d + "/missing", abc = d + "/abc";
  testenv::WriteFile(abc, "abc");

  EXPECT_EQ(ifile.CreateNewEmptyFile(missing.c_str()), 1);
  EXPECT_FALSE(fs::exists(missing)) << "a missing file is not created";
  EXPECT_TRUE(ifile.CheckFileExist(abc.c_str()));
  EXPECT_TRUE(ifile.CheckFileExist(d.c_str())) << "a folder exists too";
  EXPECT_FALSE(ifile.CheckFileExist(missing.c_str()));

  char* text = ifile.FileRead(abc.c_str());
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "abc");
  delete[] text;

  text = ifile.FileRead(missing.c_str());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text[0], '\0');
  delete[] text;
  EXPECT_TRUE(fs::exists(missing)) << "reading creates a missing file";
  EXPECT_EQ(fs::file_size(missing), 0u);

  EXPECT_EQ(ifile.CreateNewEmptyFile(abc.c_str()), 0);
  EXPECT_EQ(fs::file_size(abc), 0u);

  EXPECT_EQ(ifile.FileDel(abc.c_str()), 0);
  EXPECT_FALSE(fs::exists(abc));
  EXPECT_EQ(ifile.FileDel(abc.c_str()), 1);
  EXPECT_EQ(ifile.FileDel(d.c_str()), 1) << "a folder is not a file: deletion fails";
  EXPECT_TRUE(fs::exists(d));
}

// As an ordinary user: permissions do not stop root.
TEST(PlainFiles, ReadOnlyFileCanBeRead) {
  const std::string d = testenv::FreshDir("ro");
  testenv::WriteFile(d + "/ro.txt", "kept");
  chmod((d + "/ro.txt").c_str(), 0444);
  EXPECT_EQ(testenv::RunAsOrdinaryUser(d,
                                       [] {
                                         char* text = ifile.FileRead("ro.txt");
                                         return text != nullptr && std::strcmp(text, "kept") == 0 ? 0 : 1;
                                       }),
            0);
}

TEST(PlainFiles, PrependAndAppendLines) {
  struct Case {
    const char* label;
    const char* old;  // nullptr: no file
    bool first;
    const char* expect;
  };
  const Case cases[] = {
      {"prepend to A", "A", true, "B\nA"},
      {"prepend to empty", "", true, "B"},
      {"prepend to missing", nullptr, true, "B"},
      {"append to A", "A", false, "A\nB"},
      {"append to empty", "", false, "B"},
      {"append to missing", nullptr, false, "B"},
  };
  const std::string d = testenv::FreshDir("lines");
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string f = d + "/f" + std::to_string(n++);
    if (c.old) testenv::WriteFile(f, c.old);
    const int r = c.first ? ifile.WriteInFileFirst(f.c_str(), "B") : ifile.WriteInFileBack(f.c_str(), "B");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(testenv::ReadFile(f), c.expect);
  }
  // Only the file ends up in the folder: no temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), n);
  EXPECT_EQ(ifile.WriteInFileFirst((d + "/no/such/file").c_str(), "B"), 1);
  EXPECT_EQ(ifile.WriteInFileBack((d + "/no/such/file").c_str(), "B"), 1);
}

TEST(RawRecords, RoundTripAndShortFile) {
  const std::string d = testenv::FreshDir("raw");
  const unsigned char record[] = {0x0A, 0x0D, 0x1A, 0x00, 0xFF, 0x0D, 0x0A};
  const std::string f = d + "/set.bin";
  ASSERT_EQ(ifile.SaveData(f.c_str(), record, sizeof record), 0);
  unsigned char back[sizeof record] = {};
  ASSERT_EQ(ifile.LoadData(f.c_str(), back, sizeof back), 0);
  EXPECT_EQ(std::memcmp(back, record, sizeof record), 0);
  EXPECT_EQ(fs::file_size(f), sizeof record);

  const std::string shortf = d + "/short.bin";
  testenv::WriteFile(shortf, "xyz");
  unsigned char buf[8];
  std::memset(buf, 0xEE, sizeof buf);
  EXPECT_EQ(ifile.LoadData(shortf.c_str(), buf, sizeof buf), 0);
  EXPECT_EQ(std::memcmp(buf, "xyz", 3), 0);
  for (int i = 3; i < 8; ++i) EXPECT_EQ(buf[i], 0xEE) << i;

  EXPECT_EQ(ifile.LoadData((d + "/missing").c_str(), buf, sizeof buf), 1);
  EXPECT_EQ(ifile.SaveData((d + "/no/such/file").c_str(), record, sizeof record), 1);
  EXPECT_EQ(ifile.SaveData(f.c_str(), record, -1), 1);
}

// Replacing goes through a new file, but a read-only file stays as it is,
// as it would for a write in place. Permissions do not stop root, so the
// writes run in a child process as an ordinary user.
TEST(RawRecords, ReadOnlyFileIsNotReplaced) {
  const std::string d = testenv::FreshDir("ro-write");
  testenv::WriteFile(d + "/ro.bin", "old");
  chmod((d + "/ro.bin").c_str(), 0444);
  chmod(d.c_str(), 0777);
  EXPECT_EQ(testenv::RunAsOrdinaryUser(d,
                                       [] {
                                         const int saved = ifile.SaveData("ro.bin", "new", 3);
                                         const int first = ifile.WriteInFileFirst("ro.bin", "first");
                                         return saved * 2 + first;
                                       }),
            3);
  EXPECT_EQ(testenv::ReadFile(d + "/ro.bin"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1) << "no temporary file is left";
}

TEST(RawRecords, SavedFileKeepsItsPermissions) {
  const std::string f = testenv::FreshDir("perm") + "/p.bin";
  testenv::WriteFile(f, "old");
  chmod(f.c_str(), 0640);
  ASSERT_EQ(ifile.SaveData(f.c_str(), "new", 3), 0);
  struct stat st;
  ASSERT_EQ(stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A write that fails half-way (disk full, say) leaves the old file whole,
// and one that dies half-way (the process killed) does too.
TEST(AtomicReplace, InterruptedWriteKeepsTheOldContents) {
  const std::string d = testenv::FreshDir("atomic");
  const std::string f = d + "/record.bin";
  const std::string old(1000, 'o');
  const std::string fresh(2000, 'n');
  testenv::WriteFile(f, old);

  ZOV::iFile::SetWriteFaultHookForTests([](const char*) { return false; });
  EXPECT_EQ(ifile.SaveData(f.c_str(), fresh.data(), int(fresh.size())), 1);
  EXPECT_EQ(ifile.WriteInFileFirst(f.c_str(), "first"), 1);
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_EQ(testenv::ReadFile(f), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1) << "the temporary file is removed";

  EXPECT_EXIT(
      {
        ZOV::iFile::SetWriteFaultHookForTests([](const char*) -> bool { _exit(7); });
        ifile.SaveData(f.c_str(), fresh.data(), int(fresh.size()));
      },
      ::testing::ExitedWithCode(7), "");
  EXPECT_EQ(testenv::ReadFile(f), old);

  ASSERT_EQ(ifile.SaveData(f.c_str(), fresh.data(), int(fresh.size())), 0);
  EXPECT_EQ(testenv::ReadFile(f), fresh);
  // The dead writer's temporary file went with the next write.
  EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1)
      << "the killed writer's temporary file is removed";
}

TEST(Folders, CreateDirResults) {
  const std::string d = testenv::FreshDir("mk");
  const std::string sub = d + "/new";
  testenv::WriteFile(d + "/file", "x");
  EXPECT_EQ(ifile.CreateDir(sub.c_str()), 0);
  EXPECT_TRUE(fs::is_directory(sub));
  EXPECT_EQ(ifile.CreateDir(sub.c_str()), 1);
  EXPECT_EQ(ifile.CreateDir((d + "/file").c_str()), 1);
  EXPECT_EQ(ifile.CreateDir((d + "/missing/child").c_str()), 2);
  EXPECT_FALSE(fs::exists(d + "/missing"));
}

TEST(Folders, FindDirModesAndOrder) {
  const std::string d = testenv::FreshDir("find");
  fs::create_directory(d + "/y");
  fs::create_directory(d + "/x");
  testenv::WriteFile(d + "/z", "");
  EXPECT_EQ(Take(ifile.FindDir(d.c_str(), "*.*", 1)), (Pairs{{1, "y"}, {0, "x"}}));
  EXPECT_EQ(Take(ifile.FindDir(d.c_str(), "*.*", 0)), (Pairs{{2, "z"}, {1, "y"}, {0, "x"}}));
  EXPECT_EQ(ifile.FindDir(d.c_str(), "*.*", 2), nullptr);
  // A trailing separator, and Windows separators, name the same folder.
  EXPECT_EQ(Take(ifile.FindDir((d + "/").c_str(), "*.*", 1)).size(), 2u);
  std::string win = d;
  for (char& c : win)
    if (c == '/') c = '\\';
  EXPECT_EQ(Take(ifile.FindDir(win.c_str(), "*.*", 1)).size(), 2u);

  const std::string empty = testenv::FreshDir("find-empty");
  EXPECT_EQ(ifile.FindDir(empty.c_str(), "*.*", 0), nullptr);
  EXPECT_EQ(ifile.FindDir((d + "/missing").c_str(), "*.*", 0), nullptr);
}

TEST(Folders, FindDirMasks) {
  const std::string d = testenv::FreshDir("mask");
  for (const char* name : {"1.pzl", "2.PZL", "a.txt", "b.pzl.bak", "Bob", "alice"}) testenv::WriteFile(d + "/" + name, "");
  struct Case {
    const char* mask;
    Pairs expect;
  };
  const Case cases[] = {
      {"*.pzl", {{1, "2.PZL"}, {0, "1.pzl"}}},
      {"*.*", {{5, "Bob"}, {4, "b.pzl.bak"}, {3, "alice"}, {2, "a.txt"}, {1, "2.PZL"}, {0, "1.pzl"}}},
      {"*", {{5, "Bob"}, {4, "b.pzl.bak"}, {3, "alice"}, {2, "a.txt"}, {1, "2.PZL"}, {0, "1.pzl"}}},
      {"?.txt", {{0, "a.txt"}}},
      {"bob", {{0, "Bob"}}},
      {"*.none", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    EXPECT_EQ(Take(ifile.FindDir(d.c_str(), c.mask, 0)), c.expect);
  }
}

TEST(Folders, DirDelRemovesATreeWithReadOnlyParts) {
  const std::string d = testenv::FreshDir("del");
  const std::string tree = d + "/tree";
  fs::create_directories(tree + "/a/b");
  testenv::WriteFile(tree + "/a/b/ro.txt", "r");
  chmod((tree + "/a/b/ro.txt").c_str(), 0444);
  testenv::WriteFile(tree + "/top.txt", "t");
  chmod((tree + "/a/b").c_str(), 0555);
  EXPECT_TRUE(ifile.DirDel(tree.c_str()));
  EXPECT_FALSE(fs::exists(tree));
  EXPECT_FALSE(ifile.DirDel(tree.c_str()));
  EXPECT_FALSE(ifile.DirDel(nullptr));
  EXPECT_FALSE(ifile.DirDel(""));
  EXPECT_FALSE(ifile.DirDel("/"));
  EXPECT_FALSE(ifile.DirDel("/tmp/../"));
}

TEST(Folders, DirDelNeverFollowsLinksOutOfTheTree) {
  const std::string d = testenv::FreshDir("links");
  const std::string outside = d + "/outside", tree = d + "/tree";
  fs::create_directories(outside + "/deep");
  testenv::WriteFile(outside + "/precious.txt", "keep");
  testenv::WriteFile(outside + "/deep/also.txt", "keep");
  fs::create_directories(tree + "/sub");
  fs::create_directory_symlink(outside, tree + "/sub/to_outside");
  fs::create_symlink(outside + "/precious.txt", tree + "/file_link");

  for (const char* suffix : {"", "/", "//"}) {
    SCOPED_TRACE(suffix);
    EXPECT_FALSE(ifile.DirDel((tree + "/sub/to_outside" + suffix).c_str())) << "a link is not a folder to empty";
    EXPECT_EQ(testenv::ReadFile(outside + "/precious.txt"), "keep");
  }
  EXPECT_TRUE(ifile.DirDel((tree + "/").c_str())) << "a real folder may end in a separator";
  EXPECT_FALSE(fs::exists(tree));
  EXPECT_EQ(testenv::ReadFile(outside + "/precious.txt"), "keep");
  EXPECT_EQ(testenv::ReadFile(outside + "/deep/also.txt"), "keep");
}

TEST(Folders, CurrentFolderAndDocuments) {
  char* first = ifile.GetCurrentDir();
  EXPECT_EQ(first, ifile.GetCurrentDir()) << "the same buffer each time";
  EXPECT_EQ(std::string(first), fs::current_path().string());
  const std::string here = fs::current_path().string();
  const std::string d = testenv::FreshDir("cwd");
  EXPECT_EQ(ifile.SetCurrentDir(d.c_str()), 0);
  EXPECT_EQ(fs::current_path().string(), d);
  EXPECT_EQ(ifile.SetCurrentDir("no/such"), 0);
  EXPECT_EQ(fs::current_path().string(), d);
  EXPECT_EQ(ifile.SetCurrentDir(here.c_str()), 0);

  char* docs = ifile.GetFolderPath();
  ASSERT_NE(docs, nullptr);
  EXPECT_EQ(std::string(docs), plat::DocumentsDir());
  EXPECT_EQ(std::string(docs).rfind(testenv::Root(), 0), 0u) << "tests never see the real home";
  delete[] docs;
}

TEST(LogOff, EveryFormReturnsOneAndWritesNothing) {
  const std::string d = testenv::FreshDir("log");
  const std::string here = fs::current_path().string();
  ASSERT_EQ(ifile.SetCurrentDir(d.c_str()), 0);
  char text[] = "text";
  char other[] = "other";
  EXPECT_EQ(ifile.Log("x", true), 1);
  EXPECT_EQ(ifile.Log(text, false), 1);
  EXPECT_EQ(ifile.Log(5, true), 1);
  EXPECT_EQ(ifile.Log(1.5f, false), 1);
  EXPECT_EQ(ifile.Log(text, other, true), 1);
  EXPECT_EQ(ifile.Log(text, 7, false), 1);
  EXPECT_EQ(ifile.Log(text, 2.5f, true), 1);
  EXPECT_EQ(&(ifile << "x" << text << 3 << 4.0f), &ifile);
  EXPECT_EQ(&(ifile >> text >> 3 >> 4.0f), &ifile);
  EXPECT_TRUE(fs::is_empty(d));
  ASSERT_EQ(ifile.SetCurrentDir(here.c_str()), 0);
}

bool gOpened = false;
std::string gOpenedPath;

TEST(Shell, OpensOnlyPlainFilesOfTheCurrentFolder) {
  const std::string d = testenv::FreshDir("shell");
  const std::string here = fs::current_path().string();
  ASSERT_EQ(ifile.SetCurrentDir(d.c_str()), 0);
  testenv::WriteFile("readme.url", "x");
  testenv::WriteFile("-rf", "x");
  fs::create_directory("folder");
  plat::SetShellOpenHook([](const std::string& path) {
    gOpened = true;
    gOpenedPath = path;
    return true;
  });
  for (const char* bad : {"", "missing.url", "folder", "-rf", "../shell/readme.url", "./readme.url", "a\\b",
                          "https://example.org/"}) {
    SCOPED_TRACE(bad);
    gOpened = false;
    EXPECT_FALSE(ifile.fOpenURL(bad));
    EXPECT_FALSE(gOpened);
  }
  EXPECT_FALSE(ifile.fOpenURL(nullptr));
  EXPECT_TRUE(ifile.fOpenURL("readme.url"));
  EXPECT_EQ(gOpenedPath, "readme.url");
  plat::SetShellOpenHook([](const std::string&) { return true; });
  ASSERT_EQ(ifile.SetCurrentDir(here.c_str()), 0);
}

int gBoxes = 0;
std::string gBoxText, gBoxCaption;

TEST(Shell, MessageGoesThroughThePlatform) {
  plat::SetMessageBoxHook([](const char* text, const char* caption) {
    ++gBoxes;
    gBoxText = text;
    gBoxCaption = caption;
    return 1;
  });
  EXPECT_EQ(ifile.ShowMessage("No pack", "Error"), 1);
  EXPECT_EQ(gBoxes, 1);
  EXPECT_EQ(gBoxText, "No pack");
  EXPECT_EQ(gBoxCaption, "Error");
  plat::SetMessageBoxHook([](const char*, const char*) { return 1; });
}

TEST(NoPack, ZipCallsWithoutAnOpenPackFail) {
  EXPECT_EQ(ifile.ZipOpen("no/such/pack"), -1);
  EXPECT_EQ(ifile.ZipOpen(nullptr), -1);
  EXPECT_EQ(ifile.ZipFindFile("a.png"), -1);
  EXPECT_EQ(ifile.ZipReadFile("vexo4"), -1);
  EXPECT_EQ(ifile.ZipClearData(), 1);
  EXPECT_EQ(ifile.ZipCloze(), 1);
  // A file that is not a zip.
  const std::string f = testenv::FreshDir("notzip") + "/gui";
  testenv::WriteFile(f, "this is not a zip file at all, just some text");
  EXPECT_EQ(ifile.ZipOpen(f.c_str()), -1);
}

}  // namespace
