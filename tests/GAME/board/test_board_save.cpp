// The saved game: the "*.pzl" text (attribute order, the fixed password
// text, rounding of the distortion), the file numbering and the full
// folder, when a board writes nothing, a failed or interrupted write, the
// exact round trip of a board in play, the frame-complete resume, the
// hostile files (each refused and kept, or mended), the pack password on
// resume, and PlacementPuzzle's z-order.
//
// The boards run on the recording graphics backend, 1024 x 768; the picture
// is 300 x 300, so Min 3 cuts 3 x 3 cells of 100 x 100.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/board_save.h"
#include "GAME/board/resolution_message.h"
#include "GAME/board/score.h"
#include "ST/button.h"
#include "GAME/config/globals.h"
#include "GAME/shell/shared_assets.h"
#include "ST/file.h"
#include "ST/sprite.h"
#include "tests/ST/test_dialog_env.h"
#include "tests/support/as_user.h"

namespace fs = std::filesystem;
using Board = GAME::PUZZLE_PIECES_SYSTEM;
using GAME::SAVED_GAME;
using GAME::SaveRead;

namespace {

constexpr int kW = 1024, kH = 768;

class SaveTest : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = nullptr;
    Image(&chFrontColor, "front.bmp", 64, 32);
    Image(&chUP_SCORE_PANEL, "panel.bmp", 300, 60);
    Image(&chBONUS, "bonus.bmp", 40, 40);
    Image(&chPARTIC_SNOW_CURSOR, "snow.bmp", 16, 16);
    Image(&chPARTIC_ICE_PIECE, "ice.bmp", 12, 12);
    drawtest::WriteImage("pic.bmp", 300, 300, 0xFF336699u);
    eBack1 = eBack2 = eToolOn = eToolOff = nullptr;
    ASSERT_EQ(game().GetScreenWidth(), kW);
    ASSERT_EQ(game().GetScreenHeight(), kH);
    game().middle = JST::iPOINT(kW / 2, kH / 2);
    C_MAX_SAVES = 150;
    dir_ = testenv::FreshDir("saves") + "/";
  }
  void TearDown() override {
    ZOV::iFile::SetWriteFaultHookForTests(nullptr);
    boards_.clear();
    DialogEnv::TearDown();
  }

  Board& Make() {
    boards_.push_back(std::make_unique<Board>(&game()));
    return *boards_.back();
  }
  // A board in play: the picture cut min x min, every piece at rest on a
  // row of 110-pixel steps.
  Board& Playing(int min = 3, bool rotation = true) {
    Board& b = Make();
    b.Init("pic.bmp", min, 0, nullptr, rotation, 0.0f, 0);
    b.SetSmImg("pic_small.bmp");
    b.state = Board::kStateCutPending;
    EXPECT_EQ(b.Update(0, 0.0f), 0);
    EXPECT_EQ(b.state, Board::kStatePlay);
    for (size_t i = 0; i < b.gridOrder.size(); ++i) b.gridOrder[i]->SetPos(150 + 110 * int(i % 8), 200 + 110 * int(i / 8));
    return b;
  }
  // Groups given by grid index, counters as a game with those joins has
  // them.
  static void Group(Board& b, std::initializer_list<int> pieces, int id) {
    for (int k : pieces) b.gridOrder[size_t(k)]->group = id;
  }
  std::string Path(int n) const { return dir_ + std::to_string(n) + ".pzl"; }

  std::string dir_;
  std::vector<std::unique_ptr<Board>> boards_;
};

// The 3 x 3 board of the round trip: pieces 0, 1 in group 1 and 4, 5 in
// group 3 (cstr 3), pieces 2 and 7 turned, piece 6 in the pocket, positions
// that are not whole numbers, and counters that agree with those groups.
Board& RoundTripBoard(SaveTest& t, Board& b) {
  (void)t;
  const float xs[9] = {200.25f, 300.25f, 611.123456f, 100.0f, 455.5f, 555.5f, 80.75f, 700.0f, 333.333333f};
  const float ys[9] = {200.5f, 200.5f, 150.0f, 640.0f, 388.875f, 388.875f, 90.125f, 500.0f, 600.0f};
  for (int k = 0; k < 9; ++k) {
    b.gridOrder[size_t(k)]->pos = JST::fPOINT(xs[k], ys[k]);
    b.gridOrder[size_t(k)]->destination = JST::iPOINT(int(xs[k]), int(ys[k]));
  }
  b.gridOrder[0]->group = b.gridOrder[1]->group = 1;
  b.gridOrder[4]->group = b.gridOrder[5]->group = 3;
  b.cstr = 3;
  // Cut without turns; two pieces turned, outline with them.
  for (int k : {2, 7}) {
    GAME::PUZZLE_PIECES* p = b.gridOrder[size_t(k)];
    p->rotation = k == 2 ? 1 : 3;
    p->RotationPoint();
    p->angle = float(p->rotation) * 1.570796325f;
  }
  b.rotation = true;
  b.gridOrder[6]->inPocket = 1;
  b.regT = 1.5f;
  b.regTa = 42.25f;
  b.regH = 2;
  b.regCg = 2;
  b.regSc = 57;
  b.regPf = 4;
  b.regBr = 7;
  b.regF = 7;
  b.regGVN = true;
  b.regGVN2 = false;
  b.regFastGlue = 1;
  b.regFinishP = 0;
  b.Min = 3;
  b.distortion = 0.0f;
  return b;
}

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

// ---- resuming

TEST_F(SaveTest, ARoundTripRestoresPositionsTurnsGroupsPocketAndCounters) {
  Board& a = RoundTripBoard(*this, Playing(3, false));
  ASSERT_EQ(a.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.state, Board::kStatePlay);
  EXPECT_EQ(b.savePath, Path(1));
  ASSERT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(b.cols, 3);
  EXPECT_EQ(b.rows, 3);
  EXPECT_TRUE(b.rotation);
  const int rotations[9] = {0, 0, 1, 0, 0, 0, 0, 3, 0};
  const int groups[9] = {1, 1, 0, 0, 3, 3, 0, 0, 0};
  for (int k = 0; k < 9; ++k) {
    const GAME::PUZZLE_PIECES* p = a.gridOrder[size_t(k)];
    const GAME::PUZZLE_PIECES* q = b.gridOrder[size_t(k)];
    EXPECT_EQ(q->pos.x, p->pos.x) << k;  // exactly, through the text form
    EXPECT_EQ(q->pos.y, p->pos.y) << k;
    EXPECT_EQ(q->destination.x, int(p->pos.x)) << k;
    EXPECT_EQ(q->destination.y, int(p->pos.y)) << k;
    EXPECT_EQ(q->rotation, rotations[k]) << k;
    EXPECT_FLOAT_EQ(q->angle, float(rotations[k]) * 1.570796325f) << k;
    EXPECT_EQ(q->group, groups[k]) << k;
    EXPECT_EQ(q->inPocket, k == 6 ? 1 : 0) << k;
    EXPECT_EQ(q->row, k / 3);
    EXPECT_EQ(q->column, k % 3);
    // The outline is turned with the piece: point for point as the saved
    // board's.
    ASSERT_NE(q->outline, nullptr);
    const ZOV::JINCUTVECTOR* u = p->outline->next;
    const ZOV::JINCUTVECTOR* v = q->outline->next;
    for (; u && v; u = u->next, v = v->next) {
      EXPECT_NEAR(v->x, u->x, 1e-3) << k;
      EXPECT_NEAR(v->y, u->y, 1e-3) << k;
    }
    EXPECT_EQ(u == nullptr, v == nullptr);
  }
  EXPECT_EQ(b.regT, 1.5f);
  EXPECT_EQ(b.regTa, 42.25f);
  EXPECT_EQ(b.regH, 2);
  EXPECT_EQ(b.regCg, 2);
  EXPECT_EQ(b.regSc, 57);
  EXPECT_EQ(b.regPf, 4);
  EXPECT_EQ(b.regBr, 7);
  EXPECT_EQ(b.regF, 7);
  EXPECT_TRUE(b.regGVN);
  EXPECT_FALSE(b.regGVN2);
  EXPECT_EQ(b.regFastGlue, 1);
  EXPECT_EQ(b.regFinishP, 0);
  EXPECT_EQ(b.cstr, 3);  // the next join gives id 4
  EXPECT_EQ(b.regRes, 786432);
  EXPECT_EQ(b.frameLight, Board::kIndexIdle);
  EXPECT_EQ(b.resolutionMessage, nullptr) << "same screen size";
  ASSERT_NE(b.score, nullptr);
  EXPECT_EQ(b.score->Target(), 57);
  // Loose pieces on top, then each group together, shadows shrinking.
  std::vector<int> order;
  for (const GAME::PUZZLE_PIECES* p : b.zOrder) order.push_back(p->group);
  ASSERT_EQ(order.size(), 9u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(order[size_t(i)], 0) << i;
  EXPECT_EQ(order[5], order[6]);
  EXPECT_EQ(order[7], order[8]);
  EXPECT_NE(order[5], order[7]);
  for (const GAME::PUZZLE_PIECES* p : b.zOrder)
    EXPECT_EQ(p->shadowDir, p->group ? GAME::PUZZLE_PIECES::kShadowFalling : GAME::PUZZLE_PIECES::kShadowStill);

  // Saved again unchanged, the file is the same text.
  const std::string first = testenv::ReadFile(Path(1));
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_EQ(testenv::ReadFile(Path(1)), first);

  // The next join gives the next id: loose piece 3 dropped left of piece 4
  // (group 3) makes group 4 of the three.
  GAME::PUZZLE_PIECES* left = b.gridOrder[3];
  left->SetPos(int(b.gridOrder[4]->pos.x) - 100, int(b.gridOrder[4]->pos.y));
  ASSERT_TRUE(b.Banzai(b.ZOf(left)));
  EXPECT_EQ(b.cstr, 4);
  for (int k : {3, 4, 5}) EXPECT_EQ(b.gridOrder[size_t(k)]->group, 4) << k;
  EXPECT_EQ(b.gridOrder[0]->group, 1);
  EXPECT_EQ(b.regCg, 3);
  EXPECT_EQ(b.regF, 6);
}

TEST_F(SaveTest, AFrameCompleteSaveResumesWithTheFrameAtTheBottomAndItsLightDone) {
  Board& a = Playing();
  Group(a, {0, 1, 2, 3, 5, 6, 7, 8}, 1);
  a.cstr = 1;
  a.regCg = 7;
  a.regF = 2;
  a.regBr = 1;
  a.regFinishP = 8;
  a.frameLight = Board::kIndexDone;
  ASSERT_EQ(a.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.frameLight, Board::kIndexDone);
  EXPECT_EQ(b.regBr, 1);
  EXPECT_EQ(b.regF, 2);
  EXPECT_EQ(b.regFinishP, 8);
  ASSERT_EQ(b.zOrder.size(), 9u);
  EXPECT_EQ(b.zOrder.front(), b.gridOrder[4]) << "the loose centre on top";
  for (size_t i = 1; i < 9; ++i) EXPECT_EQ(b.zOrder[i]->group, 1) << i;
}

// A valid save of the 3 x 3 board with `root` attributes replaced and
// `pieces` as its elements (empty: nine, pieces 0 and 1 in group 1).
// `n` bytes of a fixed random sequence.
std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string out(n, '\0');
  for (char& c : out) c = char(rng() & 0xFF);
  return out;
}

std::string SaveText(const std::vector<std::pair<std::string, std::string>>& root, const std::string& pieces = "") {
  std::vector<std::pair<std::string, std::string>> attrs = {
      {"ImgAdr", "pic.bmp"}, {"ImgSmAdr", ""},   {"ImgPkAdr", ""},   {"ImgPss", "7315"},   {"Min", "3"},
      {"distort", "0"},     {"typeborder", "0"}, {"fly", "false"},  {"frame", "false"},   {"regT", "1.5"},
      {"regTa", "10"},      {"regH", "0"},       {"regCg", "1"},    {"regSc", "13"},      {"regPf", "0"},
      {"regBr", "7"},       {"regF", "8"},       {"rt", "true"},    {"regGVN", "0"},      {"regGVN2", "0"},
      {"regFastGlue", "0"}, {"regFinishP", "0"}, {"regRes", "786432"}, {"cstr", "1"}};
  for (const auto& [k, v] : root)
    for (auto& a : attrs)
      if (a.first == k) a.second = v;
  std::string out = "<?xml version=\"1.0\"?>\n<Save";
  for (const auto& [k, v] : attrs) out += " " + k + "=\"" + v + "\"";
  out += ">\n";
  if (!pieces.empty()) {
    out += pieces;
  } else {
    for (int k = 0; k < 9; ++k)
      out += "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" + std::to_string(200 + 100 * (k / 3)) +
             "\" trt=\"0\" nstr=\"" + (k < 2 ? "1" : "0") + "\" BK=\"0\" />\n";
  }
  return out + "</Save>\n";
}

std::string Pieces(int count, const std::string& first = "") {
  std::string out;
  for (int k = 0; k < count; ++k)
    out += k == 0 && !first.empty() ? first + "\n"
                                    : "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" +
                                          std::to_string(200 + 100 * (k / 3)) + "\" trt=\"0\" nstr=\"" + (k < 2 ? "1" : "0") +
                                          "\" BK=\"0\" />\n";
  return out;
}

TEST_F(SaveTest, TheTestFileOfTheseTestsIsItselfAValidSave) {
  testenv::WriteFile(Path(1), SaveText({}));
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.gridOrder[1]->pos.x, 300.0f);
  EXPECT_EQ(b.gridOrder[8]->pos.y, 400.0f);
}

TEST_F(SaveTest, AFileThatCannotBeResumedIsRefusedAndKept) {
  struct Case {
    const char* what;
    std::string text;  // "" = see `make`
    int expected;
  };
  const Case cases[] = {
      {"not XML", "this is not a save <", Board::kLoadUnreadable},
      {"empty", "", Board::kLoadUnreadable},
      {"another document", "<?xml version=\"1.0\"?>\n<Player name=\"x\" Min=\"3\"/>\n", Board::kLoadNotASave},
      {"Min 0", SaveText({{"Min", "0"}}), Board::kLoadBadOptions},
      {"Min 1", SaveText({{"Min", "1"}}), Board::kLoadBadOptions},
      {"Min 1000", SaveText({{"Min", "1000"}}), Board::kLoadBadOptions},
      {"Min missing", SaveText({{"Min", ""}}), Board::kLoadBadOptions},
      {"distort -5", SaveText({{"distort", "-5"}}), Board::kLoadBadOptions},
      {"distort 500", SaveText({{"distort", "500"}}), Board::kLoadBadOptions},
      {"no picture", SaveText({{"ImgAdr", "nothing_here.bmp"}}), Board::kLoadNoPicture},
      {"picture in a missing pack", SaveText({{"ImgPkAdr", "no_pack"}}), Board::kLoadNoPicture},
      {"cut short", SaveText({}).substr(0, 150), Board::kLoadUnreadable},
      {"random bytes", RandomBytes(4096, 11), Board::kLoadUnreadable},
      {"random bytes after the root's start", "<?xml version=\"1.0\"?>\n<Save Min=\"3\"" + RandomBytes(4096, 12),
       Board::kLoadUnreadable},
  };
  for (const Case& c : cases) {
    testenv::WriteFile(Path(1), c.text);
    Board& b = Make();
    testing::internal::CaptureStdout();
    EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), c.expected) << c.what;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("save refused"), std::string::npos) << c.what;
    EXPECT_NE(b.state, Board::kStatePlay) << c.what;
    EXPECT_EQ(b.savePath, "") << c.what;
    EXPECT_EQ(testenv::ReadFile(Path(1)), c.text) << c.what << ": kept as it was";
    EXPECT_EQ(b.Update(0, 0.016f), Board::kResultNothing);
    b.Render(0);
  }
}

// A save far larger than any board: many more pieces than the picture has
// cells. Only the board's own pieces are taken; the file is kept as it was.
TEST_F(SaveTest, ASaveWithFarMorePiecesThanTheBoardTakesOnlyItsOwn) {
  std::string pieces;
  for (int k = 0; k < 200000; ++k)
    pieces += "\t<Piece posx=\"" + std::to_string(100 + k % 700) + "\" posy=\"300\" trt=\"0\" nstr=\"0\" BK=\"0\" />\n";
  const std::string text = SaveText({}, pieces);
  ASSERT_GT(text.size(), size_t(10) << 20);
  testenv::WriteFile(Path(1), text);
  Board& b = Make();
  testing::internal::CaptureStdout();
  const int r = b.LoadPuzzleState(Path(1).data(), nullptr, 0);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(r, Board::kLoadOk);
  EXPECT_NE(log.find("save holds 200000 pieces for 9"), std::string::npos) << log.substr(0, 2000);
  EXPECT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(testenv::ReadFile(Path(1)), text);
}

TEST_F(SaveTest, AFinishedPuzzleIsNeverResumedWhateverItsCountersSay) {
  std::string all;
  for (int k = 0; k < 9; ++k)
    all += "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" + std::to_string(200 + 100 * (k / 3)) +
           "\" trt=\"0\" nstr=\"4\" BK=\"0\" />\n";
  const std::string text = SaveText({{"regF", "5"}, {"regBr", "6"}, {"cstr", "4"}}, all);
  testenv::WriteFile(Path(1), text);
  Board& b = Make();
  EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadFinished);
  EXPECT_NE(b.state, Board::kStatePlay);
  EXPECT_EQ(b.savePath, "");
  EXPECT_EQ(testenv::ReadFile(Path(1)), text);
}

TEST_F(SaveTest, NothingButARegularFileIsRead) {
  Board& missing = Make();
  EXPECT_EQ(missing.LoadPuzzleState(Path(7).data(), nullptr, 0), Board::kLoadUnreadable);
  fs::create_directory(Path(1));
  EXPECT_EQ(Make().LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadUnreadable);
  ASSERT_EQ(mkfifo(Path(2).c_str(), 0600), 0);
  EXPECT_EQ(Make().LoadPuzzleState(Path(2).data(), nullptr, 0), Board::kLoadUnreadable) << "never waits on a pipe";
  // Below the documents folder, where player folders live, a link is not
  // followed.
  const std::string player = plat::DocumentsDir() + "/VURAVAZ/Jigsaw/someone/";
  fs::create_directories(player);
  testenv::WriteFile(dir_ + "real.pzl", SaveText({}));
  fs::remove(player + "1.pzl");
  fs::create_symlink(dir_ + "real.pzl", player + "1.pzl");
  std::string linked = player + "1.pzl";
  EXPECT_EQ(Make().LoadPuzzleState(linked.data(), nullptr, 0), Board::kLoadUnreadable);
  EXPECT_TRUE(fs::is_symlink(linked));
}

TEST_F(SaveTest, DamagedPiecesAndCountersAreMended) {
  struct Case {
    const char* what;
    std::string text;
    void (*check)(const Board&);
  };
  auto piece = [](const char* posx, const char* posy, const char* trt, const char* nstr) {
    return std::string("\t<Piece posx=\"") + posx + "\" posy=\"" + posy + "\" trt=\"" + trt + "\" nstr=\"" + nstr +
           "\" BK=\"0\" />";
  };
  const Case cases[] = {
      {"twelve elements for nine pieces", SaveText({}, Pieces(12)),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder.size(), 9u);
         EXPECT_EQ(b.gridOrder[8]->pos.x, 400.0f);
       }},
      {"five elements for nine pieces", SaveText({}, Pieces(5)),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder[4]->pos.x, 300.0f);
         // The rest stay at rest at their scatter points.
         for (int k = 5; k < 9; ++k) {
           const GAME::PUZZLE_PIECES* p = b.gridOrder[size_t(k)];
           EXPECT_EQ(p->pos.x, float(p->destination.x)) << k;
           EXPECT_EQ(p->pos.y, float(p->destination.y)) << k;
           EXPECT_EQ(p->velocity.x, 0);
           EXPECT_GE(p->pos.x, 50.0f);
           EXPECT_LE(p->pos.x, 974.0f);
         }
       }},
      {"trt 7", SaveText({}, Pieces(9, piece("200", "200", "7", "1"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->rotation, 3); }},
      {"trt -1", SaveText({}, Pieces(9, piece("200", "200", "-1", "1"))),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder[0]->rotation, 3);
         EXPECT_FLOAT_EQ(b.gridOrder[0]->angle, 4.712389f);
       }},
      {"trt 2147483647", SaveText({}, Pieces(9, piece("200", "200", "2147483647", "1"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->rotation, 3); }},
      {"nstr above cstr", SaveText({{"cstr", "1"}}, Pieces(9, piece("200", "200", "0", "9"))),
       [](const Board& b) {
         EXPECT_EQ(b.cstr, 9);
         EXPECT_EQ(b.gridOrder[0]->group, 9);
       }},
      {"negative nstr", SaveText({}, Pieces(9, piece("200", "200", "0", "-4"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->group, 0); }},
      {"posx nan", SaveText({}, Pieces(9, piece("nan", "200", "0", "1"))),
       [](const Board& b) {
         const GAME::PUZZLE_PIECES* p = b.gridOrder[0];
         EXPECT_EQ(p->pos.x, float(p->destination.x));
         EXPECT_EQ(p->pos.y, float(p->destination.y));
         EXPECT_GE(p->pos.x, 50.0f);
         EXPECT_LE(p->pos.x, 974.0f);
       }},
      {"posy inf, posx 1e30", SaveText({}, Pieces(9, piece("1e30", "inf", "0", "1"))),
       [](const Board& b) {
         EXPECT_GE(b.gridOrder[0]->pos.x, 50.0f);
         EXPECT_LE(b.gridOrder[0]->pos.y, 718.0f);
       }},
      {"regT 1e-30", SaveText({{"regT", "1e-30"}}),
       [](const Board& b) {
         EXPECT_GE(b.regT, 0.0);
         EXPECT_LT(b.regT, 1e-20);
       }},
      {"negative and non-finite times, negative counters",
       SaveText({{"regT", "-3"}, {"regTa", "nan"}, {"regSc", "-50"}, {"regH", "-1"}, {"regPf", "-7"}}),
       [](const Board& b) {
         EXPECT_EQ(b.regT, 0.0f);
         EXPECT_EQ(b.regTa, 0.0f);
         EXPECT_EQ(b.regSc, 0);
         EXPECT_EQ(b.regH, 0);
         EXPECT_EQ(b.regPf, 0);
       }},
      {"counters that disagree with the groups",
       SaveText({{"regF", "1"}, {"regBr", "-4"}, {"regCg", "0"}, {"regFinishP", "50"}}),
       [](const Board& b) {
         // Pieces 0 and 1 (both edge) joined: 8 parts, 7 with an edge.
         EXPECT_EQ(b.regF, 8);
         EXPECT_EQ(b.regBr, 7);
         EXPECT_EQ(b.regCg, 1);
         EXPECT_EQ(b.regFinishP, 0);
         EXPECT_EQ(b.frameLight, Board::kIndexIdle);
       }},
  };
  for (const Case& c : cases) {
    testenv::WriteFile(Path(1), c.text);
    Board& b = Make();
    ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk) << c.what;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(b.state, Board::kStatePlay);
    c.check(b);
    EXPECT_EQ(testenv::ReadFile(Path(1)), c.text) << "the file is not rewritten on load";
    for (int i = 0; i < 3; ++i) b.Update(0, 0.016f);
    b.Render(0);
  }
}

TEST_F(SaveTest, AnAlmostZeroJoinTimeFromAFileGivesBoundedPoints) {
  testenv::WriteFile(Path(1), SaveText({{"regT", "1e-30"}, {"regSc", "13"}}));
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  // Piece 2 dropped beside group 1 (pieces 0, 1): 1 + 2 pieces at the
  // largest factor, 200: 3 x 200 + 12. (Piece 5, below it, moved away.)
  b.gridOrder[5]->SetPos(800, 600);
  ASSERT_TRUE(b.Banzai(b.ZOf(b.gridOrder[2])));
  EXPECT_EQ(b.regSc, 13 + 612);
  EXPECT_EQ(b.cstr, 2);
}

TEST_F(SaveTest, AResumeReadsThePictureWithItsOwnPacksPassword) {
  // The pictures' and the level pack's passwords differ here.
  char keepImage[sizeof C_PAS_IMAGE], keepLevel[sizeof C_PAS_LEVEL];
  std::memcpy(keepImage, C_PAS_IMAGE, sizeof keepImage);
  std::memcpy(keepLevel, C_PAS_LEVEL, sizeof keepLevel);
  std::strcpy(C_PAS_IMAGE, "pics1");
  std::strcpy(C_PAS_LEVEL, "levl2");
  static char packName[] = "pictures_pack";
  char* keepSmall = C_NAME_PACK_IMAGE_SMAL;
  C_NAME_PACK_IMAGE_SMAL = packName;
  {
    const std::string bmp = testenv::ReadFile("pic.bmp");
    int error = 0;
    zip_t* za = zip_open(packName, ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr);
    zip_source_t* src = zip_source_buffer(za, bmp.data(), bmp.size(), 0);
    const zip_int64_t i = zip_file_add(za, "in_pack.bmp", src, ZIP_FL_OVERWRITE);
    ASSERT_GE(i, 0);
    ASSERT_EQ(zip_file_set_encryption(za, zip_uint64_t(i), ZIP_EM_TRAD_PKWARE, "pics1"), 0);
    ASSERT_EQ(zip_close(za), 0);
  }
  testenv::WriteFile(Path(1), SaveText({{"ImgAdr", "in_pack.bmp"}, {"ImgPkAdr", "pictures_pack"}}));
  Board& b = Make();
  EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.ImgPkAdr, "pictures_pack");
  EXPECT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr) << "the selection is cleared again";
  C_NAME_PACK_IMAGE_SMAL = keepSmall;
  std::memcpy(C_PAS_IMAGE, keepImage, sizeof keepImage);
  std::memcpy(C_PAS_LEVEL, keepLevel, sizeof keepLevel);
}

TEST_F(SaveTest, ASaveFromAnotherScreenSizeAsksWhetherToGoOn) {
  struct Case {
    const char* what;
    bool cancel;
    int expected;
  };
  for (const Case& c : {Case{"Cancel leaves", true, Board::kResultLeave}, Case{"OK plays on", false, Board::kResultNothing}}) {
    SCOPED_TRACE(c.what);
    testenv::WriteFile(Path(1), SaveText({{"regRes", "480000"}, {"regTa", "10"}}));
    Board& b = Make();
    ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
    EXPECT_EQ(b.regRes, 480000);
    ASSERT_NE(b.resolutionMessage, nullptr);
    // Nothing is rescaled: the pieces lie where they were saved.
    EXPECT_EQ(b.gridOrder[4]->pos.x, 300.0f);
    // While it is open only the message is served: time stands still.
    EXPECT_EQ(b.Update(0, 0.016f), Board::kResultNothing);
    EXPECT_EQ(b.regTa, 10.0f);
    BUTTONACT* button = c.cancel ? b.resolutionMessage->CancelButton() : b.resolutionMessage->OkButton();
    const int answer = Click(int(button->position.x), int(button->position.y), [&] { return b.Update(0, 0.016f); });
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(b.resolutionMessage, nullptr);
    if (!c.cancel) {
      b.Update(0, 0.016f);
      EXPECT_GT(b.regTa, 10.0f) << "the game goes on";
    }
  }
  // The same size: no message.
  testenv::WriteFile(Path(1), SaveText({{"regRes", "786432"}}));
  Board& same = Make();
  ASSERT_EQ(same.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(same.resolutionMessage, nullptr);
}

// ---- PlacementPuzzle

TEST_F(SaveTest, PlacementPuzzleSendsEachGroupTogetherUnderTheLoosePieces) {
  Board& b = Playing();
  // z-order from the top: groups 2, 0, 1, 0, 2, 1, 0, 0, 0.
  const int groups[9] = {2, 0, 1, 0, 2, 1, 0, 0, 0};
  std::vector<GAME::PUZZLE_PIECES*> before(b.zOrder.begin(), b.zOrder.end());
  for (size_t i = 0; i < 9; ++i) before[i]->group = groups[i];
  b.PlacementPuzzle();
  const std::vector<GAME::PUZZLE_PIECES*> expected = {before[1], before[3], before[6], before[7], before[8],
                                                      before[0], before[4], before[2], before[5]};
  EXPECT_EQ(std::vector<GAME::PUZZLE_PIECES*>(b.zOrder.begin(), b.zOrder.end()), expected);
  for (size_t i = 5; i < 9; ++i) EXPECT_EQ(b.zOrder[i]->shadowDir, GAME::PUZZLE_PIECES::kShadowFalling);
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
  std::mt19937 rng(1234);
  const auto start = std::chrono::steady_clock::now();
  int kills = 0, present = 0;
  for (int round = 0; round < 220; ++round) {
    // Every other round starts without a file, so the first write is cut
    // too.
    if (round % 2 == 0) fs::remove(Path(1));
    b.savePath = Path(1);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The child's log lines would only fill the test's output.
      const int devnull = open("/dev/null", O_WRONLY);
      if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
      for (int i = 0; i < 100000; ++i) {
        b.regSc = i;
        b.SavePuzzleState(dir_.c_str(), 0);
      }
      _exit(0);
    }
    usleep(useconds_t(std::uniform_int_distribution<int>(0, 4000)(rng)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
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
