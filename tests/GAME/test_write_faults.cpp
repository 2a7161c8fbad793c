// Every file the game writes, under faults: the writer killed at random
// moments (each file left behind is the old one or the new one, whole, and
// the next write clears what the killed writer left), and writes the
// system refuses (a file-size limit, a read-only folder) reported as
// failures while every earlier file stays whole and the game goes on.
//
// The writers are the game's own: the player record ("set.bin", through
// WriteRecordFile), the last player ("LC.pzl", through PROFILE::ChoosePlayer,
// which also reads or writes the chosen player's record), the video
// configuration ("game.xml", through ST_GAME::CreateConfig), the three
// default configuration files and the progress file ("Progress.xml").
// Saved games have their own kill test in tests/GAME/board/test_board_save.cpp.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/player_record.h"
#include "GAME/config/profile.h"
#include "GAME/shell/progress_file.h"
#include "ST/file.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "platform/sys.h"
#include "tests/support/as_user.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using GAME::PROFILE;
using GAME::PUZZLE_PLAYER_PROFILE;

namespace {

const std::string kPlayers[] = {"Anna", "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA", "Bob"};

bool IsXml(const std::string& bytes) {
  pugi::xml_document doc;
  return doc.load_buffer(bytes.data(), bytes.size()).status == pugi::status_ok && doc.first_child();
}

bool IsRecord(const std::string& path) {
  return GAME::ReadRecordFile(path, nullptr) == GAME::RecordRead::kLoaded;
}

// A record that differs by variant.
PUZZLE_PLAYER_PROFILE Record(int v) {
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(v % 2 ? 2073600 : 786432, v % 3 == 0);
  r.Color = v % 5;
  return r;
}

// Names left in `dir` that are temporary files of the atomic replace.
std::vector<std::string> Temporaries(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.path().filename().string().find(".~") != std::string::npos) names.push_back(e.path().filename());
  return names;
}

// Names in `dir` that a damaged file set aside would have.
std::vector<std::string> SetAside(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(dir, ec))
    if (e.path().filename().string().find(".bad") != std::string::npos) names.push_back(e.path());
  return names;
}

// The child's log lines would only fill the test's output.
void Quiet() {
  const int devnull = open("/dev/null", O_WRONLY);
  if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
}

// Starts `write(i)` for i = 0, 1, ... in a child process and kills it with
// SIGKILL: after none, one or two of its writes have finished (the child
// reports each one), then after a further random delay of at most `maxUs`.
// Counting from the child's own reports keeps the kills spread before,
// during and after whole writes however slow the machine or the child's
// first writes are.
void KillWriterAfterRandomDelay(const std::function<void(int)>& write, std::mt19937& rng, int maxUs) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Quiet();
    ::close(ready[0]);
    if (::write(ready[1], "r", 1) != 1) _exit(1);
    for (int i = 0;; ++i) {
      write(i);
      if (::write(ready[1], "w", 1) != 1) _exit(1);
    }
  }
  ::close(ready[1]);
  const int finished = std::uniform_int_distribution<int>(0, 2)(rng);
  int got = 0;
  char byte = 0;
  for (int i = 0; i <= finished; ++i) got += read(ready[0], &byte, 1) == 1 ? 1 : 0;
  usleep(useconds_t(std::uniform_int_distribution<int>(0, maxUs)(rng)));
  kill(child, SIGKILL);
  ::close(ready[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(got, finished + 1);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

class WriteFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    GAME::ApplyConfigDefaults();
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    docs_ = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs_.c_str(), 1);
    plat::SetDisplayForTests({1920, 1080}, {{1024, 768, 60}, {1920, 1080, 60}});
    game_ = std::make_unique<ZOV::ST_GAME>();
    game_->companyName = "Co";
    game_->productName = "Game";
    game_->resX = 1024;
    game_->resY = 768;
    game_->screenRes = 1024 * 768;
    game_->fullScreen = false;
    conf_ = testenv::FreshDir("conf");
    old_cwd_ = fs::current_path();
    fs::current_path(conf_);
  }
  void TearDown() override {
    fs::current_path(old_cwd_);
    profile_.reset();
    game_.reset();
    plat::gfx::DestroyDevice();
    plat::ClearDisplayForTests();
  }
  std::string Root() const { return docs_ + "/Co/Game/"; }
  // The profile keeper with every player of kPlayers holding a record.
  PROFILE& Players() {
    profile_ = std::make_unique<PROFILE>(nullptr, game_.get());
    for (int i = 0; i < 3; ++i) {
      fs::create_directories(Root() + kPlayers[i]);
      EXPECT_TRUE(GAME::WriteRecordFile(Root() + kPlayers[i] + "/set.bin", Record(i)));
    }
    return *profile_;
  }

  std::string docs_, conf_;
  fs::path old_cwd_;
  std::unique_ptr<ZOV::ST_GAME> game_;
  std::unique_ptr<PROFILE> profile_;
};

// ---- writers killed at random moments

// One file and its writer: `write(v)` writes variant v of the file with the
// game's own code; `whole(path)` asks the game's reader whether the file is
// usable; `records` are player records the writer reads or writes besides,
// which must stay whole too.
struct KilledWriter {
  std::string file;
  std::string path;
  int variants;
  std::function<void(int)> write;
  std::function<bool(const std::string&)> whole;
  std::vector<std::string> records;
};

struct KillCounts {
  int kills = 0;
  int found = 0;     // rounds that left the file in place
  int replaced = 0;  // rounds whose writer put a new file in place
  int damaged = 0;   // files that were neither an old nor a new one, whole
};

// Kills a child writing `w` in a loop `rounds` times, after a random delay
// each time, and checks what is left.
void KillRounds(const KilledWriter& w, int rounds, std::mt19937& rng, KillCounts* counts) {
  // The files each variant makes, written by the writer itself.
  std::set<std::string> made;
  const auto start = std::chrono::steady_clock::now();
  for (int v = 0; v < w.variants; ++v) {
    w.write(v);
    made.insert(testenv::ReadFile(w.path));
  }
  // The further delay spans about one write as this machine takes them.
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  const int maxUs = std::max(1000, int(took.count() / w.variants));
  ASSERT_EQ(made.size(), size_t(w.variants)) << w.file;
  const std::string dir = fs::path(w.path).parent_path();
  for (int round = 0; round < rounds; ++round) {
    // Every fourth round starts without the file, so that a first write
    // is cut too.
    if (round % 4 == 0) {
      fs::remove(w.path);
    } else if (!fs::exists(w.path)) {
      w.write(round % w.variants);
    }
    std::error_code ec;
    const bool existed = fs::exists(fs::symlink_status(w.path, ec));
    const std::string old = existed ? testenv::ReadFile(w.path) : std::string();
    KillWriterAfterRandomDelay([&](int i) { w.write((round + i) % w.variants); }, rng, maxUs);
    if (::testing::Test::HasFatalFailure()) return;
    ++counts->kills;
    if (fs::exists(fs::symlink_status(w.path, ec))) {
      ++counts->found;
      const std::string bytes = testenv::ReadFile(w.path);
      const bool ok = made.count(bytes) == 1 && w.whole(w.path);
      if (bytes != old) ++counts->replaced;
      if (!ok) ++counts->damaged;
      EXPECT_TRUE(ok) << w.file << ", round " << round << ": " << bytes.size() << " bytes";
    } else {
      EXPECT_FALSE(existed) << w.file << " vanished in round " << round;
    }
    for (const std::string& other : w.records) {
      const bool ok = IsRecord(other);
      if (!ok) ++counts->damaged;
      EXPECT_TRUE(ok) << other << ", round " << round;
    }
  }
  // Nothing damaged was ever set aside, and the next write clears every
  // temporary file the killed writers left.
  EXPECT_EQ(SetAside(dir), std::vector<std::string>{}) << w.file;
  w.write(0);
  EXPECT_EQ(Temporaries(dir), std::vector<std::string>{}) << w.file;
  EXPECT_TRUE(made.count(testenv::ReadFile(w.path)) == 1 && w.whole(w.path)) << w.file;
}

TEST_F(WriteFaults, EveryFileWrittenWhileItsWriterIsKilledIsTheOldOrTheNewOneWhole) {
  PROFILE& profile = Players();
  const auto xmlFile = [](const std::string& p) { return IsXml(testenv::ReadFile(p)); };
  const std::vector<KilledWriter> writers = {
      {"set.bin", Root() + kPlayers[0] + "/set.bin", 6,
       [&](int v) { GAME::WriteRecordFile(Root() + kPlayers[0] + "/set.bin", Record(v)); }, IsRecord, {}},
      {"LC.pzl", Root() + "LC.pzl", 3, [&](int v) { profile.ChoosePlayer(kPlayers[v].c_str()); },
       [&](const std::string& p) {
         // "LC.pzl" holds a name only; the records it loads are checked too.
         const std::string name = testenv::ReadFile(p);
         return name.size() < 20 && IsRecord(Root() + name + "/set.bin");
       },
       {Root() + kPlayers[0] + "/set.bin", Root() + kPlayers[1] + "/set.bin", Root() + kPlayers[2] + "/set.bin"}},
      {"game.xml", Root() + "game.xml", 4,
       [&](int v) {
         const int w[] = {1024, 1920, 1440, 1280};
         const int h[] = {768, 1080, 900, 1024};
         game_->CreateConfig(w[v], h[v], v % 2 == 1, false);
       },
       xmlFile, {}},
      // The default files are the same each time: the old one is the new one.
      {"resource.xml", conf_ + "/resource.xml", 1, [](int) { ::SaveDefaultResource(); }, xmlFile, {}},
      {"config.xml", conf_ + "/config.xml", 1, [](int) { ::SaveDefaultConfig(); }, xmlFile, {}},
      {"strings.xml", conf_ + "/strings.xml", 1, [](int) { ::SaveDefaultStrings(); }, xmlFile, {}},
  };
  std::mt19937 rng(20261210);
  KillCounts counts;
  for (const KilledWriter& w : writers) {
    KillRounds(w, 150, rng, &counts);
    ASSERT_FALSE(HasFatalFailure()) << w.file;
  }
  EXPECT_EQ(counts.damaged, 0);
  // The kills fell before, during and after complete writes.
  EXPECT_GT(counts.found, counts.kills / 2);
  EXPECT_GT(counts.replaced, counts.kills / 30);
  EXPECT_LT(counts.replaced, counts.found);
  RecordProperty("kills", counts.kills);
  RecordProperty("damaged", counts.damaged);
  RecordProperty("replaced", counts.replaced);
}

// The progress file grows by one element per finished puzzle: a kill
// leaves the elements of the start and then those appended, in order, each
// whole, and never a file set aside as damaged.
TEST_F(WriteFaults, AProgressFileWhoseWriterIsKilledKeepsEveryResultRecordedBefore) {
  const std::string dir = testenv::FreshDir("player") + "/";
  const GAME::PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  const auto entry = [](int score) {
    GAME::PROGRESS_ENTRY e;
    e.face = "pic" + std::to_string(score % 7) + "_sm.png";
    e.score = score;
    e.count = 9 + score % 400;
    e.rotata = score % 2 == 1;
    e.time = 12.5 + score;
    return e;
  };
  // The further delay spans about one append as this machine takes them.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(file.Append(entry(2000 + i)));
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  const int maxUs = std::max(1000, int(took.count() / 3));
  std::mt19937 rng(7);
  int kills = 0, damaged = 0, appended = 0;
  for (int round = 0; round < 150; ++round) {
    fs::remove(file.Path());
    // Three results earned before.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(file.Append(entry(1000 + i)));
    KillWriterAfterRandomDelay([&](int i) { file.Append(entry(i)); }, rng, maxUs);
    ASSERT_FALSE(HasFatalFailure());
    ++kills;
    const std::string bytes = testenv::ReadFile(file.Path());
    const std::vector<GAME::PROGRESS_ENTRY> got = file.Read();
    bool ok = IsXml(bytes) && got.size() >= 3;
    for (size_t k = 0; ok && k < got.size(); ++k) {
      const GAME::PROGRESS_ENTRY want = entry(k < 3 ? 1000 + int(k) : int(k) - 3);
      ok = got[k].face == want.face && got[k].score == want.score && got[k].count == want.count &&
           got[k].rotata == want.rotata && got[k].time == want.time;
    }
    if (!ok) ++damaged;
    EXPECT_TRUE(ok) << "round " << round << ": " << got.size() << " elements";
    appended += int(got.size()) - 3;
    EXPECT_EQ(SetAside(dir), std::vector<std::string>{}) << "round " << round;
  }
  EXPECT_EQ(damaged, 0);
  EXPECT_GT(appended, 0);
  ASSERT_TRUE(file.Append(entry(0)));
  EXPECT_EQ(Temporaries(dir), std::vector<std::string>{});
  RecordProperty("kills", kills);
}

// ---- writes the system refuses

// Every writer once, each against a file that already holds something.
// Returns a bit per writer that claimed success.
int WriteEverything(PROFILE& profile, ZOV::ST_GAME& game, const std::string& root) {
  int claimed = 0;
  if (GAME::WriteRecordFile(root + kPlayers[0] + "/set.bin", Record(5))) claimed |= 1;
  if (profile.SaveSettings()) claimed |= 2;
  if (::SaveDefaultResource()) claimed |= 4;
  if (::SaveDefaultConfig()) claimed |= 8;
  if (::SaveDefaultStrings()) claimed |= 16;
  const GAME::PROGRESS_FILE progress((root + kPlayers[0] + "/").c_str(), "Progress.xml");
  GAME::PROGRESS_ENTRY e;
  e.face = "new_sm.png";
  if (progress.Append(e)) claimed |= 32;
  game.CreateConfig(1920, 1080, true, false);
  // A name longer than the size limit, whose record already exists.
  profile.ChoosePlayer(kPlayers[1].c_str());
  return claimed;
}

struct Snapshot {
  std::vector<std::pair<std::string, std::string>> files;
  static Snapshot Of(const std::vector<std::string>& paths) {
    Snapshot s;
    for (const std::string& p : paths) s.files.emplace_back(p, testenv::ReadFile(p));
    return s;
  }
  void ExpectUnchanged(const std::string& why) const {
    for (const auto& [path, bytes] : files) EXPECT_EQ(testenv::ReadFile(path), bytes) << why << ": " << path;
  }
};

TEST_F(WriteFaults, RefusedWritesAreReportedAndLeaveEveryEarlierFileWhole) {
  PROFILE& profile = Players();
  ASSERT_EQ(profile.ChoosePlayer(kPlayers[0].c_str()), 0);
  // Earlier files of every kind, each different from what the writers
  // would write now.
  const GAME::PROGRESS_FILE progress((Root() + kPlayers[0] + "/").c_str(), "Progress.xml");
  GAME::PROGRESS_ENTRY earned;
  earned.face = "earned_sm.png";
  earned.score = 345;
  ASSERT_TRUE(progress.Append(earned));
  game_->CreateConfig(1024, 768, false, false);
  for (const char* name : {"resource.xml", "config.xml", "strings.xml"})
    testenv::WriteFile(conf_ + "/" + name, "<?xml version=\"1.0\"?><old/>");
  const std::vector<std::string> paths = {
      Root() + kPlayers[0] + "/set.bin", Root() + kPlayers[1] + "/set.bin", Root() + kPlayers[0] + "/Progress.xml",
      Root() + "game.xml",               Root() + "LC.pzl",                  conf_ + "/resource.xml",
      conf_ + "/config.xml",             conf_ + "/strings.xml"};
  const Snapshot before = Snapshot::Of(paths);

  struct Row {
    const char* what;
    std::function<int()> run;  // the child's result
  };
  const std::string root = Root();
  const std::string conf = conf_;
  const std::vector<Row> rows = {
      {"file-size limit",
       [&] {
         // Files may not grow past 4 bytes; the signal that would end the
         // program is ignored, so the write itself fails.
         signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{4, 4};
         if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
         const int claimed = WriteEverything(profile, *game_, root);
         // The game goes on: reading still works.
         return claimed != 0 ? 100 + claimed : (IsRecord(root + kPlayers[0] + "/set.bin") ? 0 : 99);
       }},
      {"read-only folders",
       [&] {
         return testenv::RunAsOrdinaryUser(testenv::Root(), [&] {
           if (chdir(conf.c_str()) != 0) return 202;
           for (const std::string& d : {root, root + kPlayers[0], root + kPlayers[1], conf})
             if (chmod(d.c_str(), 0555) != 0) return 201;
           const int claimed = WriteEverything(profile, *game_, root);
           return claimed != 0 ? 100 + claimed : (IsRecord(root + kPlayers[0] + "/set.bin") ? 0 : 99);
         });
       }},
  };
  for (const Row& r : rows) {
    // The log goes through a pipe: the size limit would cut a log file.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(fds[0]);
      dup2(fds[1], STDOUT_FILENO);
      _exit(r.run());
    }
    ::close(fds[1]);
    std::string out;
    char chunk[4096];
    for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;) out.append(chunk, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    for (const std::string& d : {root, root + kPlayers[0], root + kPlayers[1], conf}) chmod(d.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status)) << r.what << ": ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << r.what << " (100 + a bit per writer that claimed success)";
    for (const std::string& line :
         {"Not saved " + root + kPlayers[0] + "/set.bin", "Config not saved: " + root + "game.xml",
          "Last character not saved: " + root + "LC.pzl",
          "Progress file " + root + kPlayers[0] + "/Progress.xml could not be written"})
      EXPECT_NE(out.find(line), std::string::npos) << r.what << ": no line \"" << line << "\" in\n" << out;
    before.ExpectUnchanged(r.what);
    EXPECT_EQ(progress.Read().size(), 1u) << r.what;
    std::vector<std::string> left;
    for (const std::string& d : {root, root + kPlayers[0], root + kPlayers[1], conf})
      for (const std::string& t : Temporaries(d)) left.push_back(d + "/" + t);
    EXPECT_EQ(left, std::vector<std::string>{}) << r.what;
  }
}

}  // namespace
