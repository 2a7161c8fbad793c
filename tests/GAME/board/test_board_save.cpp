// The saved game as written: the "*.pzl" text (attribute order, the fixed
// password text, rounding of the distortion), the file numbering and the
// full folder, when a board writes nothing, a failed, refused or
// interrupted write, and a save killed at random moments.
#include "tests/support/save_env.h"

using namespace savetest;

namespace {

// ---- the file's text

TEST_F(SaveTest, TheRootAndPieceAttributesAreWrittenInTheirOrderWithTheFixedPasswordText) {
  Board& b = RoundTripBoard(*this, Playing(3, false));
  b.ImgPkAdr = "some_pack";
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  const std::string text = testenv::ReadFile(Path(1));
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>\n<Save ", 0), 0u) << text.substr(0, 80);
  EXPECT_NE(text.find("\n\t<Piece "), std::string::npos) << "one tab a level";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(text.c_str()));
  const pugi::xml_node root = doc.document_element();
  std::vector<std::string> names;
  for (const pugi::xml_attribute a : root.attributes()) names.push_back(a.name());
  const std::vector<std::string> expected = {
      "ImgAdr", "ImgSmAdr", "ImgPkAdr", "ImgPss", "Min",    "distort", "typeborder",  "fly",
      "frame",  "regT",     "regTa",    "regH",   "regCg",  "regSc",   "regPf",       "regBr",
      "regF",   "rt",       "regGVN",   "regGVN2", "regFastGlue", "regFinishP", "regRes", "cstr"};
  EXPECT_EQ(names, expected);
  EXPECT_STREQ(root.attribute("ImgPss").value(), "7315");
  EXPECT_STREQ(root.attribute("ImgPkAdr").value(), "some_pack");
  EXPECT_STREQ(root.attribute("ImgAdr").value(), "pic.bmp");
  EXPECT_STREQ(root.attribute("ImgSmAdr").value(), "pic_small.bmp");
  EXPECT_STREQ(root.attribute("regRes").value(), "786432");
  EXPECT_STREQ(root.attribute("rt").value(), "true");
  EXPECT_STREQ(root.attribute("regT").value(), "1.5");
  int pieces = 0;
  for (const pugi::xml_node n : root.children()) {
    EXPECT_STREQ(n.name(), "Piece");
    std::vector<std::string> attrs;
    for (const pugi::xml_attribute a : n.attributes()) attrs.push_back(a.name());
    EXPECT_EQ(attrs, (std::vector<std::string>{"posx", "posy", "trt", "nstr", "BK"}));
    ++pieces;
  }
  EXPECT_EQ(pieces, 9);
  // Grid order: the third element is piece 2, turned once.
  const pugi::xml_node third = root.child("Piece").next_sibling().next_sibling();
  EXPECT_STREQ(third.attribute("trt").value(), "1");
  EXPECT_STREQ(third.attribute("posx").value(), "611.12347412109375");
}

TEST_F(SaveTest, TheDistortionIsWrittenAsTheNearestWholePercent) {
  struct Case {
    float distortion;
    const char* written;
  };
  // Truncation would write 28 and 56 for the first two.
  for (const Case& c : {Case{0.29f, "29"}, Case{0.57f, "57"}, Case{0.5f, "50"}, Case{1.0f, "100"}, Case{0.0f, "0"}}) {
    Board& b = Playing();
    b.distortion = c.distortion;
    b.regCg = 1;
    b.regF = 8;
    b.savePath = Path(1);
    ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(Path(1).c_str()));
    EXPECT_STREQ(doc.child("Save").attribute("distort").value(), c.written) << c.distortion;
  }
}

// ---- where a save goes, and when nothing is written

TEST_F(SaveTest, ANewSaveTakesTheFirstFreeNumberAndAFullFolderRefuses) {
  struct Case {
    std::vector<int> present;
    int maxSaves;
    int expected;  // 0: refused
  };
  const Case cases[] = {
      {{1, 2}, 150, 3},
      {{2}, 150, 1},
      {{}, 150, 1},
      {{1, 2, 3}, 4, 0},  // numbers 1..3 all taken
      {{1, 3}, 4, 2},
  };
  for (const Case& c : cases) {
    dir_ = testenv::FreshDir("numbering") + "/";
    for (int n : c.present) testenv::WriteFile(Path(n), "old " + std::to_string(n));
    C_MAX_SAVES = c.maxSaves;
    Board& b = Playing();
    b.regCg = 1;
    b.regF = 8;
    const int r = b.SavePuzzleState(dir_.c_str(), 0);
    if (c.expected == 0) {
      EXPECT_EQ(r, Board::kSaveFolderFull);
      EXPECT_EQ(b.savePath, "");
    } else {
      EXPECT_EQ(r, Board::kSaveWritten);
      EXPECT_EQ(b.savePath, Path(c.expected));
      SAVED_GAME s;
      EXPECT_EQ(GAME::ReadSavedGame(Path(c.expected).c_str(), &s), SaveRead::kOk);
    }
    for (int n : c.present) EXPECT_EQ(testenv::ReadFile(Path(n)), "old " + std::to_string(n)) << "never overwritten";
  }
}

TEST_F(SaveTest, AFolderPipeOrDanglingLinkTakesItsNumber) {
  fs::create_directory(Path(1));
  ASSERT_EQ(mkfifo(Path(2).c_str(), 0600), 0);
  fs::create_symlink(dir_ + "nowhere", Path(3));
  Board& b = Playing();
  b.regCg = 1;
  b.regF = 8;
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_EQ(b.savePath, Path(4));
  EXPECT_TRUE(fs::is_symlink(Path(3)));
  EXPECT_FALSE(fs::exists(dir_ + "nowhere"));
}

TEST_F(SaveTest, ABoardWritesBackToItsOwnSavePath) {
  Board& b = RoundTripBoard(*this, Playing(3, false));
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  b.regSc = 99;
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_FALSE(fs::exists(Path(2)));
  SAVED_GAME s;
  ASSERT_EQ(GAME::ReadSavedGame(Path(1).c_str(), &s), SaveRead::kOk);
  EXPECT_EQ(s.regSc, 99);

  // A resumed board keeps the file it came from.
  testenv::WriteFile(Path(2), "someone else's");
  Board& resumed = Make();
  ASSERT_EQ(resumed.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  resumed.regSc = 120;
  ASSERT_EQ(resumed.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_EQ(resumed.savePath, Path(1));
  ASSERT_EQ(GAME::ReadSavedGame(Path(1).c_str(), &s), SaveRead::kOk);
  EXPECT_EQ(s.regSc, 120);
  EXPECT_EQ(testenv::ReadFile(Path(2)), "someone else's");
  EXPECT_FALSE(fs::exists(Path(3)));
}

TEST_F(SaveTest, OnlyAPuzzleInPlayWithAJoinNotEndingIsWritten) {
  struct Case {
    const char* what;
    void (*set)(Board&);
    int expected;
  };
  const Case cases[] = {
      {"in play, one join", [](Board&) {}, Board::kSaveWritten},
      {"no join yet", [](Board& b) { b.regCg = 0; }, Board::kSaveNothing},
      {"set-up view", [](Board& b) { b.state = Board::kStateSetup; }, Board::kSaveNothing},
      {"one part left", [](Board& b) { b.regF = 1; }, Board::kSaveNothing},
      {"win sparkles running", [](Board& b) { b.winSparkle = 3; }, Board::kSaveNothing},
      {"win sparkles done", [](Board& b) { b.winSparkle = Board::kIndexDone; }, Board::kSaveNothing},
  };
  for (const Case& c : cases) {
    dir_ = testenv::FreshDir("when") + "/";
    Board& b = Playing();
    b.regCg = 1;
    b.regF = 8;
    c.set(b);
    EXPECT_EQ(b.SavePuzzleState(dir_.c_str(), 0), c.expected) << c.what;
    EXPECT_EQ(fs::exists(Path(1)), c.expected == Board::kSaveWritten) << c.what;
  }
  // A board that never left set-up has no pieces to save at all.
  dir_ = testenv::FreshDir("empty") + "/";
  Board& empty = Make();
  empty.regCg = 1;
  EXPECT_EQ(empty.SavePuzzleState(dir_.c_str(), 0), Board::kSaveNothing);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(SaveTest, AFailedWriteIsReportedAndLeavesTheOldFileWhole) {
  Board& b = RoundTripBoard(*this, Playing(3, false));
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  const std::string before = testenv::ReadFile(Path(1));
  b.regSc = 1000;
  ZOV::iFile::SetWriteFaultHookForTests([](const char*) { return false; });
  testing::internal::CaptureStdout();
  EXPECT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveFailed);
  const std::string log = testing::internal::GetCapturedStdout();
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_NE(log.find("save failed"), std::string::npos) << log;
  EXPECT_EQ(testenv::ReadFile(Path(1)), before);
  // Nothing but the save itself is left in the folder.
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.exists() ? 1 : 0;
  EXPECT_EQ(entries, 1);
}

// Writes the system refuses (files may not grow, the folder is read-only)
// and a full folder: each save is reported as failed, in its return value
// and its log line, every earlier save stays as it was, nothing is left
// beside them, and the game goes on (a later save in the same run is
// written once the fault is gone).
TEST_F(SaveTest, SavesTheSystemRefusesAreReportedAndKeepEveryEarlierSave) {
  Board& b = RoundTripBoard(*this, Playing(3, false));
  struct Row {
    const char* what;
    std::function<bool()> fault;    // in the child, before the saves
    std::function<void()> mend;     // in the child, after them
    int result;                     // what each save returns
    const char* line;               // the log line it writes
  };
  const std::string dir = dir_;
  const std::vector<Row> rows = {
      {"file-size limit",
       [] {
         signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{64, RLIM_INFINITY};
         return setrlimit(RLIMIT_FSIZE, &limit) == 0;
       },
       [] {
         const rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
         setrlimit(RLIMIT_FSIZE, &limit);
       },
       Board::kSaveFailed, "save failed"},
      {"read-only folder", [dir] { return chmod(dir.c_str(), 0555) == 0; }, [dir] { chmod(dir.c_str(), 0755); },
       Board::kSaveFailed, "save failed"},
      {"full folder", [] { C_MAX_SAVES = 3; return true; }, [] { C_MAX_SAVES = 150; }, Board::kSaveFolderFull,
       "save folder full"},
  };
  for (const Row& r : rows) {
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove(e.path());
    testenv::WriteFile(Path(1), "earlier save 1");
    testenv::WriteFile(Path(2), "earlier save 2");
    // The log goes through a pipe (the size limit would cut a log file);
    // the few lines fit in its buffer.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const int got = testenv::RunAsOrdinaryUser(dir_, [&] {
      dup2(fds[1], STDOUT_FILENO);
      if (!r.fault()) return 90;
      int wrong = 0;
      b.savePath.clear();  // a new save: the next free number
      if (b.SavePuzzleState(dir.c_str(), 0) != r.result) wrong |= 1;
      if (r.result == Board::kSaveFailed) {
        b.savePath = Path(2);  // the save the board came from
        if (b.SavePuzzleState(dir.c_str(), 0) != r.result) wrong |= 2;
      }
      r.mend();
      b.savePath.clear();
      C_MAX_SAVES = 150;
      if (b.SavePuzzleState(dir.c_str(), 0) != Board::kSaveWritten || b.savePath != Path(3)) wrong |= 4;
      std::fflush(stdout);
      return wrong;
    });
    ::close(fds[1]);
    std::string log;
    char chunk[4096];
    for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;) log.append(chunk, size_t(n));
    ::close(fds[0]);
    chmod(dir_.c_str(), 0755);
    EXPECT_EQ(got, 0) << r.what << " (a bit per save that did not do as expected)";
    EXPECT_NE(log.find(r.line), std::string::npos) << r.what << "\n" << log;
    EXPECT_EQ(testenv::ReadFile(Path(1)), "earlier save 1") << r.what;
    EXPECT_EQ(testenv::ReadFile(Path(2)), "earlier save 2") << r.what;
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"1.pzl", "2.pzl", "3.pzl"})) << r.what;
    SAVED_GAME s;
    EXPECT_EQ(GAME::ReadSavedGame(Path(3).c_str(), &s), SaveRead::kOk) << r.what;
  }
}

TEST_F(SaveTest, ALinkAtTheSavePathIsReplacedNotWrittenThrough) {
  testenv::WriteFile(dir_ + "target.txt", "keep me");
  fs::create_symlink(dir_ + "target.txt", Path(1));
  Board& b = RoundTripBoard(*this, Playing(3, false));
  b.savePath = Path(1);
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_EQ(testenv::ReadFile(dir_ + "target.txt"), "keep me");
  EXPECT_FALSE(fs::is_symlink(Path(1)));
  SAVED_GAME s;
  EXPECT_EQ(GAME::ReadSavedGame(Path(1).c_str(), &s), SaveRead::kOk);
}

// ---- a save killed at random moments

TEST_F(SaveTest, ASaveKilledAtAnyMomentLeavesNoDamagedFile) {
  Board& b = Playing(15);
  const size_t n = b.gridOrder.size();
  ASSERT_GE(n, 200u);
  Group(b, {0, 1}, 1);
  b.cstr = 1;
  b.regCg = 1;
  b.regF = int(n) - 1;
  // The delay after the child's reported saves spans about one save as
  // this machine takes them.
  b.savePath = Path(1);
  const auto once = std::chrono::steady_clock::now();
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  const int saveUs = int(std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - once).count());
  const int window = std::max(1000, saveUs);
  std::mt19937 rng(1234);
  const auto start = std::chrono::steady_clock::now();
  int kills = 0, present = 0;
  for (int round = 0; round < 220; ++round) {
    // Every other round starts without a file, so the first write is cut
    // too.
    if (round % 2 == 0) fs::remove(Path(1));
    b.savePath = Path(1);
    // The child reports when it begins and after each save, so a slow fork
    // (a sanitized process is large) or a slow first save does not eat the
    // delay.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The child's log lines would only fill the test's output.
      const int devnull = open("/dev/null", O_WRONLY);
      if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
      ::close(ready[0]);
      if (::write(ready[1], "r", 1) != 1) _exit(1);
      for (int i = 0; i < 100000; ++i) {
        b.regSc = i;
        b.SavePuzzleState(dir_.c_str(), 0);
        if (::write(ready[1], "w", 1) != 1) _exit(1);
      }
      _exit(0);
    }
    ::close(ready[1]);
    // Killed after none, one or two whole saves (the child reports each),
    // then a random delay of up to about a save more.
    const int finished = std::uniform_int_distribution<int>(0, 2)(rng);
    char byte = 0;
    int reports = 0;
    for (int i = 0; i <= finished; ++i) reports += read(ready[0], &byte, 1) == 1 ? 1 : 0;
    usleep(useconds_t(std::uniform_int_distribution<int>(0, window)(rng)));
    kill(child, SIGKILL);
    ::close(ready[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(reports, finished + 1);
    ++kills;
    if (fs::exists(Path(1))) {
      ++present;
      SAVED_GAME s;
      ASSERT_EQ(GAME::ReadSavedGame(Path(1).c_str(), &s), SaveRead::kOk) << "round " << round;
      ASSERT_EQ(s.pieces.size(), n) << "round " << round;
    }
    // Every "*.pzl" in the folder is whole.
    for (const auto& e : fs::directory_iterator(dir_)) {
      if (e.path().extension() != ".pzl") continue;
      SAVED_GAME s;
      ASSERT_EQ(GAME::ReadSavedGame(e.path().c_str(), &s), SaveRead::kOk) << e.path();
      ASSERT_EQ(s.pieces.size(), n);
    }
  }
  EXPECT_GE(kills, 200);
  EXPECT_GT(present, 0);
  // The last file left loads completely on a board.
  if (fs::exists(Path(1))) {
    Board& r = Make();
    EXPECT_EQ(r.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
    EXPECT_EQ(r.gridOrder.size(), n);
  }
  RecordProperty("seconds", std::to_string(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()));
}

}  // namespace