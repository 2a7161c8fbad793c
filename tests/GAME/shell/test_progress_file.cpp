// The progress file: the bytes of a new file, appending in order without
// touching what was there, the lookup, the score board's records, and what
// happens to anything at the path that is not a usable progress file (set
// aside, never lost, never written through). Then the scene manager's
// steps: a finished board recorded once, and the scores button.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "GAME/board/board.h"
#include "GAME/board/reg.h"
#include "GAME/shell/progress_file.h"
#include "ST/button.h"
#include "ST/file.h"
#include "tests/support/dialog_env.h"
#include "tests/support/test_env.h"

namespace {

namespace fs = std::filesystem;
using GAME::PROGRESS_ENTRY;
using GAME::PROGRESS_FILE;

// A player folder below the documents folder, where the game keeps its
// files and follows no link.
std::string PlayerDir() {
  char* docs = ZOV::ifile.GetFolderPath();
  std::string dir = std::string(docs ? docs : ".") + "/VURAVAZ/Jigsaw/Anna/";
  delete[] docs;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

PROGRESS_ENTRY Entry(const std::string& face, int score, int count, bool rotata, float time) {
  return PROGRESS_ENTRY{face, score, count, rotata, double(time)};
}

// The text of the file's time attribute of element `n` (0-based).
double TimeOf(const std::string& text, int n) {
  size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    at = text.find("time=\"", at);
    if (at == std::string::npos) return std::nan("");
    at += 6;
  }
  return std::strtod(text.c_str() + at, nullptr);
}

class ProgressFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = PlayerDir();
    path = dir + "Progress.xml";
  }
  std::string dir, path;
};

TEST_F(ProgressFile, ANewFileHoldsOneElementTabIndentedWithADeclaration) {
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  ASSERT_EQ(file.Path(), path);
  EXPECT_FALSE(file.Exists());
  ASSERT_TRUE(file.Append(Entry("pic1_sm.png", 345, 9, false, 125.9f)));
  EXPECT_TRUE(file.Exists());
  const std::string text = testenv::ReadFile(path);
  const std::string head =
      "<?xml version=\"1.0\"?>\n<root>\n\t<element face=\"pic1_sm.png\" score=\"345\" count=\"9\" rotata=\"false\" "
      "time=\"";
  ASSERT_EQ(text.substr(0, head.size()), head) << text;
  EXPECT_EQ(TimeOf(text, 0), double(125.9f)) << "the board's float, widened";
  const std::string tail = "\" />\n</root>\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

TEST_F(ProgressFile, EachFinishedPuzzleIsAppendedAndNothingBeforeItChanges) {
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  ASSERT_TRUE(file.Append(Entry("a_sm.png", 10, 9, true, 61.5f)));
  const std::string first = testenv::ReadFile(path);
  const std::string firstElement = first.substr(first.find("\t<element"), first.find("/>") + 2 - first.find("\t<element"));
  ASSERT_TRUE(file.Append(Entry("b_sm.png", 20, 16, false, 7.0f)));
  ASSERT_TRUE(file.Append(Entry("a_sm.png", 30, 25, false, 4505.0f)));
  const std::string text = testenv::ReadFile(path);
  EXPECT_EQ(text.find(firstElement), first.find(firstElement)) << "the first element is byte-identical";
  const auto entries = file.Read();
  ASSERT_EQ(entries.size(), 3u) << "the same picture finished again is a new element";
  const struct {
    const char* face;
    int score, count;
    bool rotata;
    double time;
  } want[] = {{"a_sm.png", 10, 9, true, 61.5}, {"b_sm.png", 20, 16, false, 7.0}, {"a_sm.png", 30, 25, false, 4505.0}};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].face, want[i].face);
    EXPECT_EQ(entries[i].score, want[i].score);
    EXPECT_EQ(entries[i].count, want[i].count);
    EXPECT_EQ(entries[i].rotata, want[i].rotata);
    EXPECT_DOUBLE_EQ(entries[i].time, want[i].time);
  }
}

TEST_F(ProgressFile, AnEmptyOrMissingNameMeansProgressXml) {
  for (const char* name : {"", static_cast<const char*>(nullptr)}) {
    const PROGRESS_FILE file(dir.c_str(), name);
    EXPECT_EQ(file.Path(), path);
  }
  const PROGRESS_FILE own(dir.c_str(), "scores.xml");
  EXPECT_EQ(own.Path(), dir + "scores.xml");
}

// What stands at the path before the first finished puzzle of a run.
struct Hostile {
  const char* what;
  std::function<void(const std::string& path)> make;
  // Checks what was set aside, now at `kept`.
  std::function<void(const std::string& kept)> check;
  bool regular = true;  // counts as present for the scores button
};

const std::string kOtherRoot = "<?xml version=\"1.0\"?>\n<scores>\n\t<element face=\"x.png\" score=\"1\" /></scores>\n";

std::vector<Hostile> HostileCases(const std::string& outside) {
  auto sameText = [](std::string want) {
    return [want](const std::string& kept) {
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kept)));
      EXPECT_EQ(testenv::ReadFile(kept), want);
    };
  };
  return {
      {"an empty file", [](const std::string& p) { testenv::WriteFile(p, ""); }, sameText("")},
      {"not XML", [](const std::string& p) { testenv::WriteFile(p, "score=12\x01\xff<<"); }, sameText("score=12\x01\xff<<")},
      {"another root", [](const std::string& p) { testenv::WriteFile(p, kOtherRoot); }, sameText(kOtherRoot)},
      {"a huge file",
       [](const std::string& p) {
         testenv::WriteFile(p, "<root>");
         fs::resize_file(p, (std::uintmax_t(1) << 24) + 1);  // sparse: no disk is used
       },
       [](const std::string& kept) { EXPECT_EQ(fs::file_size(kept), (std::uintmax_t(1) << 24) + 1); }},
      {"a folder",
       [](const std::string& p) {
         fs::create_directory(p);
         testenv::WriteFile(p + "/inside.txt", "kept");
       },
       [](const std::string& kept) {
         EXPECT_TRUE(fs::is_directory(fs::symlink_status(kept)));
         EXPECT_EQ(testenv::ReadFile(kept + "/inside.txt"), "kept");
       },
       false},
      {"a link to a progress file elsewhere",
       [outside](const std::string& p) {
         testenv::WriteFile(outside, "<?xml version=\"1.0\"?>\n<root />\n");
         fs::create_symlink(outside, p);
       },
       [outside](const std::string& kept) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(kept)));
         EXPECT_EQ(testenv::ReadFile(outside), "<?xml version=\"1.0\"?>\n<root />\n") << "never written through";
       },
       false},
  };
}

TEST_F(ProgressFile, WhatIsNoProgressFileIsSetAsideAndANewFileStarted) {
  const std::string outside = fs::absolute("elsewhere.xml").string();
  for (const Hostile& h : HostileCases(outside)) {
    SCOPED_TRACE(h.what);
    fs::remove_all(dir);
    fs::create_directories(dir);
    h.make(path);
    const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
    // Reading finds nothing and changes nothing.
    EXPECT_TRUE(file.Read().empty());
    EXPECT_EQ(file.Exists(), h.regular);
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".bad")));
    ASSERT_TRUE(file.Append(Entry("new_sm.png", 5, 4, false, 3.0f)));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    const auto entries = file.Read();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].face, "new_sm.png");
    h.check(path + ".bad");
  }
}

TEST_F(ProgressFile, ASecondDamagedFileDoesNotReplaceTheFirstSetAside) {
  testenv::WriteFile(path + ".bad", "first damaged");
  testenv::WriteFile(path, "second damaged");
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  ASSERT_TRUE(file.Append(Entry("x_sm.png", 1, 4, false, 1.0f)));
  EXPECT_EQ(testenv::ReadFile(path + ".bad"), "first damaged");
  EXPECT_EQ(testenv::ReadFile(path + ".bad.1"), "second damaged");
}

TEST_F(ProgressFile, ADamagedFileThatCannotBeSetAsideIsNeitherOverwrittenNorLost) {
  testenv::WriteFile(path, "damaged but the player's");
  testenv::WriteFile(path + ".bad", "");
  for (int i = 1; i < ZOV::iFile::kSetAsideNames; ++i) testenv::WriteFile(path + ".bad." + std::to_string(i), "");
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(file.Append(Entry("x_sm.png", 1, 4, false, 1.0f)));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(testenv::ReadFile(path), "damaged but the player's");
  EXPECT_NE(out.find("could not be set aside"), std::string::npos) << out;
}

bool FailHalfway(const char*) { return false; }

TEST_F(ProgressFile, AFailedWriteLeavesTheOldFileWhole) {
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  ASSERT_TRUE(file.Append(Entry("a_sm.png", 10, 9, false, 1.0f)));
  const std::string before = testenv::ReadFile(path);
  ZOV::iFile::SetWriteFaultHookForTests(&FailHalfway);
  testing::internal::CaptureStdout();
  const bool written = file.Append(Entry("b_sm.png", 20, 9, false, 2.0f));
  const std::string out = testing::internal::GetCapturedStdout();
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_FALSE(written);
  EXPECT_EQ(testenv::ReadFile(path), before);
  EXPECT_NE(out.find("could not be written"), std::string::npos) << out;
  for (const auto& e : fs::directory_iterator(dir))
    EXPECT_TRUE(e.path().filename() == "Progress.xml") << "left behind: " << e.path();
}

TEST_F(ProgressFile, TheLookupComparesFacesExactlyUnderTheFirstElement) {
  struct Row {
    const char* what;
    const char* text;  // null: no file
    const char* face;
    int answer;
  };
  const Row rows[] = {
      {"present", "<root><element face=\"a.png\"/><element face=\"b.png\"/></root>", "b.png", 1},
      {"another case", "<root><element face=\"a.png\"/></root>", "A.png", -1},
      {"a prefix", "<root><element face=\"a.png\"/></root>", "a.pn", -1},
      {"the first element under another name", "<scores><element face=\"a.png\"/></scores>", "a.png", 1},
      {"not under the first element", "<root/><other><element face=\"a.png\"/></other>", "a.png", -1},
      {"no face attribute, empty face asked", "<root><element/></root>", "", -1},
      {"no file", nullptr, "a.png", -1},
      {"not XML", "<<<", "a.png", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    fs::remove(path);
    if (r.text) testenv::WriteFile(path, r.text);
    const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
    testing::internal::CaptureStdout();
    EXPECT_EQ(file.IsThisPuzzleWasCollected(r.face), r.answer);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find(std::string(r.face) + " not detected \n") != std::string::npos, r.answer == -1) << out;
  }
}

TEST_F(ProgressFile, ScoreRecordsSplitTheTruncatedTimeIntoMinutesAndSeconds) {
  struct Row {
    double time;
    int minutes, seconds;
  };
  const Row rows[] = {
      {125.9, 2, 5},   {4505.0, 75, 5}, {3725.9, 62, 5}, {59.99, 0, 59}, {0.0, 0, 0},
      {-3.5, 0, 0},    {std::numeric_limits<double>::quiet_NaN(), 0, 0},
      {1e30, INT_MAX / 60, INT_MAX % 60}, {std::numeric_limits<double>::infinity(), 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.time);
    const GAME::REG reg = GAME::ScoreRecord(PROGRESS_ENTRY{"f.png", 77, 36, true, r.time});
    EXPECT_EQ(reg.minutes, r.minutes);
    EXPECT_EQ(reg.seconds, r.seconds);
    EXPECT_EQ(reg.hours, 0) << "hours are never taken from the file";
    EXPECT_EQ(reg.score, 77);
    EXPECT_EQ(reg.pieces, 36);
    EXPECT_EQ(reg.rotation, 0);
  }
}

TEST_F(ProgressFile, HandWrittenValuesThatAreNoNumbersReadAsZero) {
  testenv::WriteFile(path,
                     "<root><element face=\"a.png\" score=\"lots\" count=\"\" time=\"125.9\"/>"
                     "<!-- a comment --><element/></root>");
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  const auto entries = file.Read();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].score, 0);
  EXPECT_EQ(entries[0].count, 0);
  EXPECT_DOUBLE_EQ(entries[0].time, 125.9);
  EXPECT_EQ(entries[1].face, "");
}

// ---- the scene manager's steps, with a board and a button

class ProgressSteps : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    dir = PlayerDir();
    path = dir + "Progress.xml";
  }
  std::string dir, path;
};

TEST_F(ProgressSteps, AFinishedBoardIsRecordedOnce) {
  GAME::PUZZLE_PIECES_SYSTEM board(&game());
  board.ImgSmAdr = "pic2_sm.png";
  board.regSc = 345;
  board.cols = 3;
  board.rows = 4;
  board.rotation = true;
  board.regTa = 125.9f;
  const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(GAME::SaveComplitePuzzle(board, file));
  EXPECT_FALSE(GAME::SaveComplitePuzzle(board, file)) << "the board is recorded already";
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(board.completionRecorded);
  const auto entries = file.Read();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].face, "pic2_sm.png");
  EXPECT_EQ(entries[0].score, 345);
  EXPECT_EQ(entries[0].count, 12);
  EXPECT_TRUE(entries[0].rotata);
  EXPECT_DOUBLE_EQ(entries[0].time, double(125.9f));
  EXPECT_EQ(out.find("Saving score..."), out.rfind("Saving score...")) << out;
  EXPECT_EQ(out.find("100%    !!!"), std::string::npos) << "no lookup without a file";

  // A new board of a picture not finished before: the lookup says so.
  GAME::PUZZLE_PIECES_SYSTEM next(&game());
  next.ImgSmAdr = "pic3_sm.png";
  testing::internal::CaptureStdout();
  EXPECT_TRUE(GAME::SaveComplitePuzzle(next, file));
  const std::string out2 = testing::internal::GetCapturedStdout();
  EXPECT_NE(out2.find("pic3_sm.png not detected \n100%    !!!\n"), std::string::npos) << out2;
  EXPECT_EQ(file.Read().size(), 2u);
}

TEST_F(ProgressSteps, TheScoresButtonFollowsTheFilesPresence) {
  struct Row {
    const char* what;
    std::function<void(const std::string&)> make;
    bool active;
  };
  const Row rows[] = {
      {"a progress file", [](const std::string& p) { testenv::WriteFile(p, "<root/>"); }, true},
      {"no file", [](const std::string&) {}, false},
      {"a folder of that name", [](const std::string& p) { fs::create_directory(p); }, false},
      {"a link of that name",
       [](const std::string& p) {
         testenv::WriteFile(p + ".target", "<root/>");
         fs::create_symlink(p + ".target", p);
       },
       false},
  };
  JBUTTONMAP4 button(chBUTTON_OK);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    fs::remove_all(dir);
    fs::create_directories(dir);
    r.make(path);
    const PROGRESS_FILE file(dir.c_str(), "Progress.xml");
    button.Activate(!r.active);
    EXPECT_TRUE(GAME::CheckScoreBoard(button, file));
    EXPECT_EQ(button.active, r.active);
    EXPECT_EQ(button.GetState(), r.active ? JBUTTONMAP4::STATE_NORMAL : JBUTTONMAP4::STATE_DISABLED);
  }
}

}  // namespace
