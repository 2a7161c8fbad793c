// The file service's rules for files that are not what they seem: pipes,
// folders and devices where a file is expected, links (never written
// through; below the documents folder never followed at all), and damaged
// files set aside without ever replacing one set aside before.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ST/file.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using ZOV::ifile;
using ReadResult = ZOV::iFile::ReadResult;

namespace {

// Ends the test program instead of letting a blocked open hang it.
class Deadline {
 public:
  explicit Deadline(unsigned seconds) { alarm(seconds); }
  ~Deadline() { alarm(0); }
};

std::string Text(char* owned) {
  if (owned == nullptr) return "<null>";
  std::string s(owned);
  delete[] owned;
  return s;
}

// Points the documents folder somewhere else for one test.
class DocumentsAt {
 public:
  explicit DocumentsAt(const std::string& dir) : old_(std::getenv("XDG_DOCUMENTS_DIR")) {
    setenv("XDG_DOCUMENTS_DIR", dir.c_str(), 1);
  }
  ~DocumentsAt() { setenv("XDG_DOCUMENTS_DIR", old_.c_str(), 1); }

 private:
  std::string old_;
};

TEST(SpecialFiles, AreNeitherReadNorWrittenAndNeverBlock) {
  const Deadline deadline(60);
  const std::string d = testenv::FreshDir("special");
  ASSERT_EQ(mkfifo((d + "/pipe").c_str(), 0666), 0);
  fs::create_directory(d + "/folder");
  testenv::WriteFile(d + "/folder/inside", "x");
  std::vector<std::string> names = {"pipe", "folder", "socket"};
  // Only root may make a device (a copy of /dev/null's).
  if (mknod((d + "/device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) names.push_back("device");
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = d + "/socket";
  ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
  std::strcpy(addr.sun_path, sockPath.c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string path = d + "/" + name;
    std::string out = "old";
    EXPECT_EQ(ifile.ReadRegularFile(path.c_str(), &out), ReadResult::kNotAFile);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Text(ifile.FileRead(path.c_str())), "<null>");
    char buf[4] = {};
    EXPECT_EQ(ifile.LoadData(path.c_str(), buf, sizeof buf), 1);
    EXPECT_EQ(ifile.CreateNewEmptyFile(path.c_str()), 1);
    EXPECT_EQ(ifile.WriteInFileBack(path.c_str(), "line"), 1);
    EXPECT_EQ(ifile.WriteInFileFirst(path.c_str(), "line"), 1);
    EXPECT_EQ(ifile.SaveData(path.c_str(), "new", 3), 1);
  }
  close(sock);
  // Everything is still what it was, and no temporary file stayed behind.
  EXPECT_TRUE(fs::is_fifo(d + "/pipe"));
  EXPECT_EQ(testenv::ReadFile(d + "/folder/inside"), "x");
  if (names.size() == 4) {
    EXPECT_TRUE(fs::is_character_file(d + "/device"));
  }
  EXPECT_TRUE(fs::is_socket(d + "/socket"));
  EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), std::ptrdiff_t(names.size()));
}

TEST(SpecialFiles, ReadResultsOfOrdinaryCases) {
  const std::string d = testenv::FreshDir("results");
  testenv::WriteFile(d + "/file", std::string("a\0b", 3));
  std::string out;
  EXPECT_EQ(ifile.ReadRegularFile((d + "/file").c_str(), &out), ReadResult::kOk);
  EXPECT_EQ(out, std::string("a\0b", 3));
  EXPECT_EQ(ifile.ReadRegularFile((d + "/missing").c_str(), &out), ReadResult::kMissing);
  EXPECT_EQ(ifile.ReadRegularFile((d + "/no/such/file").c_str(), &out), ReadResult::kMissing);
  EXPECT_EQ(ifile.ReadRegularFile((d + "/file/below").c_str(), &out), ReadResult::kNotAFile);
  EXPECT_EQ(ifile.ReadRegularFile("", &out), ReadResult::kMissing);
  EXPECT_EQ(ifile.ReadRegularFile(nullptr, &out), ReadResult::kMissing);
}

// Outside the documents folder a link may be read through (the
// installation may be put together from links), but never written through.
TEST(Links, AreNeverWrittenThrough) {
  const std::string d = testenv::FreshDir("links-out");
  const std::string target = d + "/precious.txt";
  testenv::WriteFile(target, "keep");
  fs::create_symlink(target, d + "/link");
  std::string out;
  EXPECT_EQ(ifile.ReadRegularFile((d + "/link").c_str(), &out), ReadResult::kOk);
  EXPECT_EQ(out, "keep");

  EXPECT_EQ(ifile.WriteInFileBack((d + "/link").c_str(), "x"), 1);
  EXPECT_EQ(ifile.WriteInFileFirst((d + "/link").c_str(), "x"), 1);
  EXPECT_EQ(ifile.CreateNewEmptyFile((d + "/link").c_str()), 1);
  EXPECT_EQ(testenv::ReadFile(target), "keep");

  // A dangling link is not a missing file to create at its target.
  fs::create_symlink(d + "/created-through-link", d + "/dangling");
  EXPECT_EQ(Text(ifile.FileRead((d + "/dangling").c_str())), "<null>");
  EXPECT_EQ(ifile.WriteInFileBack((d + "/dangling").c_str(), "x"), 1);
  EXPECT_FALSE(fs::exists(d + "/created-through-link"));

  // The atomic replace puts a file where the link was.
  ASSERT_EQ(ifile.SaveData((d + "/link").c_str(), "new", 3), 0);
  EXPECT_FALSE(fs::is_symlink(d + "/link"));
  EXPECT_EQ(testenv::ReadFile(d + "/link"), "new");
  EXPECT_EQ(testenv::ReadFile(target), "keep");
}

// Below the documents folder nothing is read or written through a link,
// whether the link is the file or a folder on the way to it.
TEST(Links, BelowTheDocumentsFolderAreNeverFollowed) {
  const std::string base = testenv::FreshDir("links-docs");
  const std::string docs = base + "/docs", outside = base + "/outside";
  testenv::WriteFile(outside + "/game.xml", "precious");
  testenv::WriteFile(outside + "/Anna/set.bin", "record");
  fs::create_directories(docs + "/Co/Real");
  fs::create_directory_symlink(outside, docs + "/Co/Game");
  fs::create_symlink(outside + "/game.xml", docs + "/Co/Real/game.xml");
  // The documents folder itself may be a link, as it often is.
  fs::create_directory_symlink(docs, base + "/docs-link");
  const DocumentsAt at(base + "/docs-link");
  const std::string linkedFolder = base + "/docs-link/Co/Game";
  const std::string real = base + "/docs-link/Co/Real";

  std::string out;
  for (const std::string& path : {linkedFolder + "/game.xml", linkedFolder + "/Anna/set.bin", real + "/game.xml"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ifile.ReadRegularFile(path.c_str(), &out), ReadResult::kNotAFile);
    EXPECT_EQ(Text(ifile.FileRead(path.c_str())), "<null>");
    char buf[8] = {};
    EXPECT_EQ(ifile.LoadData(path.c_str(), buf, sizeof buf), 1);
    EXPECT_EQ(ifile.WriteInFileBack(path.c_str(), "x"), 1);
    EXPECT_EQ(ifile.WriteInFileFirst(path.c_str(), "x"), 1);
    EXPECT_EQ(ifile.CreateNewEmptyFile(path.c_str()), 1);
  }
  for (const std::string& path : {linkedFolder + "/game.xml", linkedFolder + "/Anna/set.bin", linkedFolder + "/new"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ifile.SaveData(path.c_str(), "new", 3), 1);
    EXPECT_EQ(ifile.SetAside(path.c_str()), "");
  }
  EXPECT_EQ(ifile.CreateDir((linkedFolder + "/Bob").c_str()), 2);
  EXPECT_EQ(ifile.FindDir(linkedFolder.c_str(), "*.*", 0), nullptr);
  EXPECT_FALSE(ifile.DirDel((linkedFolder + "/Anna").c_str()));
  EXPECT_EQ(ifile.FileDel((linkedFolder + "/game.xml").c_str()), 1);
  // A link to a folder is no folder of the game.
  for (ZOV::JINVECPTR<char*>* n = ifile.FindDir((base + "/docs-link/Co").c_str(), "*.*", 1); n;) {
    EXPECT_STREQ(n->value, "Real");
    ZOV::JINVECPTR<char*>* next = n->next;
    delete[] n->value;
    delete n;
    n = next;
  }

  EXPECT_EQ(testenv::ReadFile(outside + "/game.xml"), "precious");
  EXPECT_EQ(testenv::ReadFile(outside + "/Anna/set.bin"), "record");
  EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 2) << "nothing new out there";

  // The link that is the file itself is replaced, its target left alone.
  ASSERT_EQ(ifile.SaveData((real + "/game.xml").c_str(), "new", 3), 0);
  EXPECT_EQ(testenv::ReadFile(real + "/game.xml"), "new");
  EXPECT_EQ(testenv::ReadFile(outside + "/game.xml"), "precious");
  // Real folders under the documents folder work as anywhere else.
  EXPECT_EQ(ifile.CreateDir((real + "/Anna").c_str()), 0);
  ASSERT_EQ(ifile.SaveData((real + "/Anna/set.bin").c_str(), "rec", 3), 0);
  EXPECT_EQ(ifile.ReadRegularFile((real + "/Anna/set.bin").c_str(), &out), ReadResult::kOk);
  EXPECT_EQ(out, "rec");
}

TEST(SetAside, NeverReplacesWhatWasSetAsideBefore) {
  const std::string d = testenv::FreshDir("aside");
  const std::string f = d + "/set.bin";
  testenv::WriteFile(f, "first");
  EXPECT_EQ(ifile.SetAside(f.c_str()), d + "/set.bin.bad");
  testenv::WriteFile(f, "second");
  EXPECT_EQ(ifile.SetAside(f.c_str()), d + "/set.bin.bad.1");
  // Whatever is in the way, a folder included, is passed over.
  fs::create_directory(d + "/set.bin.bad.2");
  testenv::WriteFile(f, "third");
  EXPECT_EQ(ifile.SetAside(f.c_str()), d + "/set.bin.bad.3");
  EXPECT_EQ(testenv::ReadFile(d + "/set.bin.bad"), "first");
  EXPECT_EQ(testenv::ReadFile(d + "/set.bin.bad.1"), "second");
  EXPECT_EQ(testenv::ReadFile(d + "/set.bin.bad.3"), "third");
  EXPECT_TRUE(fs::is_directory(d + "/set.bin.bad.2"));
  EXPECT_FALSE(fs::exists(f));
  EXPECT_EQ(ifile.SetAside(f.c_str()), "") << "nothing to set aside";

  // A folder or a link is moved as it is; a link's target stays put.
  fs::create_directory(f);
  EXPECT_EQ(ifile.SetAside(f.c_str()), d + "/set.bin.bad.4");
  testenv::WriteFile(d + "/target", "t");
  fs::create_symlink(d + "/target", f);
  EXPECT_EQ(ifile.SetAside(f.c_str()), d + "/set.bin.bad.5");
  EXPECT_TRUE(fs::is_symlink(d + "/set.bin.bad.5"));
  EXPECT_EQ(testenv::ReadFile(d + "/target"), "t");
}

TEST(SetAside, FailsWhenEveryNameIsTaken) {
  const std::string d = testenv::FreshDir("aside-full");
  const std::string f = d + "/set.bin";
  testenv::WriteFile(f, "damaged");
  testenv::WriteFile(f + ".bad", "kept");
  for (int i = 1; i < ZOV::iFile::kSetAsideNames; ++i) fs::create_directory(f + ".bad." + std::to_string(i));
  EXPECT_EQ(ifile.SetAside(f.c_str()), "");
  EXPECT_EQ(testenv::ReadFile(f), "damaged");
  EXPECT_EQ(testenv::ReadFile(f + ".bad"), "kept");
  fs::remove(f + ".bad.42");
  EXPECT_EQ(ifile.SetAside(f.c_str()), f + ".bad.42");
  EXPECT_EQ(testenv::ReadFile(f + ".bad.42"), "damaged");
}

}  // namespace

namespace {

// A process id that no process has: a child that has ended and been
// waited for.
pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

}  // namespace

// A writer killed half-way leaves its temporary file; the next write of the
// same file removes it, and only it.
TEST(AtomicReplace, TheNextWriteRemovesTheTemporaryFilesOfKilledWriters) {
  const std::string d = testenv::FreshDir("stale");
  const std::string dead = std::to_string(DeadPid());
  const std::string alive = std::to_string(getppid());
  const std::string mine = std::to_string(getpid());
  struct Row {
    std::string name;
    bool removed;
  };
  const std::vector<Row> rows = {
      {"set.bin.~" + dead + ".a1b2c3", true},    // a killed writer's
      {"set.bin.~" + dead + ".zzzzzz", true},
      {"set.bin.~" + alive + ".a1b2c3", false},  // a running writer's
      {"set.bin.~" + mine + ".a1b2c3", false},   // another thread's
      {"set.bin.~" + dead + ".a1b2c", false},    // not a name of ours
      {"set.bin.~" + dead + ".A1B2C3", false},
      {"set.bin.~" + dead + ".a1b2c3x", false},
      {"set.bin.~.a1b2c3", false},
      {"set.bin.backup", false},
      {"set.bin.bad", false},
      {"set.bin.tmp", false},
      {"game.xml.~" + dead + ".a1b2c3", false},  // another file's
      {"xset.bin.~" + dead + ".a1b2c3", false},
  };
  for (const Row& r : rows) testenv::WriteFile(d + "/" + r.name, "left");
  // A folder of that name is never removed.
  fs::create_directory(d + "/set.bin.~" + dead + ".folder");
  fs::create_directory(d + "/set.bin.~" + dead + ".qwerty");
  ASSERT_EQ(ifile.SaveData((d + "/set.bin").c_str(), "new", 3), 0);
  for (const Row& r : rows) EXPECT_EQ(fs::exists(d + "/" + r.name), !r.removed) << r.name;
  EXPECT_TRUE(fs::is_directory(d + "/set.bin.~" + dead + ".qwerty"));
  EXPECT_EQ(testenv::ReadFile(d + "/set.bin"), "new");

  // Names cut for very long file names keep the rule.
  const std::string longName(250, 'n');
  const std::string stale = d + "/" + std::string(200, 'n') + ".~" + dead + ".abcdef";
  testenv::WriteFile(stale, "left");
  ASSERT_EQ(ifile.SaveData((d + "/" + longName).c_str(), "new", 3), 0);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(testenv::ReadFile(d + "/" + longName), "new");
}
