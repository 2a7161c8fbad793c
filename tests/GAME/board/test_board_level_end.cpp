// The end of a puzzle on the board: a 3 x 3 puzzle put together to the
// last join, the sparkles, the level ending once (54) with the pocket
// snapped shut, the win dialog's record and trophies, the dialog waiting
// (1) until Enter leaves (-8); the trophies switched off; the save of a
// resumed puzzle deleted at the win and nothing deleted for a puzzle never
// saved.
//
// 1024 x 768, centre (512, 384); the 300 x 300 picture cut 3 x 3, so the
// top-left piece's home on the picture is (412, 284).
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "GAME/board/pocket.h"
#include "GAME/board/reg.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "tests/support/board_env.h"
#include "tests/support/test_env.h"

namespace {

namespace fs = std::filesystem;
using boardtest::Board;
using boardtest::Piece;
using Profile = GAME::PUZZLE_PLAYER_PROFILE;

class LevelEnd : public boardtest::BoardEnv {
 protected:
  void SetUp() override {
    BoardEnv::SetUp();
    C_NAME_PACK_TROFEI = nullptr;
    keepEnabled_ = TROFEI_ENABLE;
    TROFEI_ENABLE = true;
    COLLECTOR_1 = 100, COLLECTOR_2 = 300, COLLECTOR_3 = 1000, COLLECTOR_4 = 3000, COLLECTOR_5 = 10000;
    JIGSAW_MASTER_1 = 1000, JIGSAW_MASTER_2 = 10000, JIGSAW_MASTER_3 = 100000;
    ENDURANCE_1 = 50, ENDURANCE_2 = 100, ENDURANCE_3 = 200, ENDURANCE_4 = 300;
    MEDITATION_1 = 600, MEDITATION_2 = 3600, MEDITATION_3 = 36000, MEDITATION_4 = 360000;
    BICH_1 = 1, BICH_2 = 10, BICH_3 = 50, BICH_4 = 100;
    SAGE_1 = 5, SAGE_2 = 10, SAGE_3 = 20, SAGE_4 = 40, SAGE_5 = 80, SAGE_6 = 160;
    player.Pieces = 90;
    player.Score = 950;
    player.PlayTime = 500;
    player.Puzzles = 0;
  }
  void TearDown() override {
    TROFEI_ENABLE = keepEnabled_;
    KeyUp(13);
    input().EventMouseLkm(false);
    EndFrame();
    BoardEnv::TearDown();
  }
  int Frame() {
    const int r = board->Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // Joins the pieces of `order` (grid indices) one by one, each dropped a
  // pixel or two off its place beside grid piece 0, at 1 s since the last
  // join.
  void Join(const std::vector<int>& order) {
    Board& b = *board;
    const JST::fPOINT o = b.gridOrder[0]->pos;
    for (int k : order) {
      const Piece* p = b.gridOrder[size_t(k)];
      Place(p->row, p->column, o.x + 100.0f * float(p->column) + 1.0f, o.y + 100.0f * float(p->row) - 2.0f);
      b.regT = 1.0;
      while (b.Banzai(b.ZOf(p))) {
      }
    }
  }
  // The frame clockwise from the top-left corner, then the centre.
  static std::vector<int> Frame8() { return {1, 2, 5, 8, 7, 6, 3}; }

  Profile player;

 private:
  bool keepEnabled_ = false;
};

TEST_F(LevelEnd, AThreeByThreePuzzleToTheEndOfItsWinDialog) {
  Board& b = Playing();
  RealPlaySounds();
  b.profile = &player;
  game().timer.SetDelta(0.25f);
  Place(0, 0, 412, 284);
  Join(Frame8());
  EXPECT_EQ(b.regBr, 1);
  EXPECT_EQ(b.regF, 2);

  // The pocket opened by its button before the end.
  Mouse(32, 32, 1);
  EXPECT_EQ(Frame(), 0);
  Mouse(32, 32, -1);
  EXPECT_EQ(Frame(), 0);
  Mouse(900, 700);
  for (int f = 0; f < 4; ++f) Frame();
  ASSERT_TRUE(b.pocket->open);
  ASSERT_EQ(b.pocket->Position().x, b.pocket->OpenPosition().x);

  // The last join: 9 points for the finished puzzle, the win sound once,
  // the sparkles start.
  Join({4});
  EXPECT_EQ(b.regF, 1);
  EXPECT_EQ(b.regFinishP, 9);
  EXPECT_EQ(b.regSc, (16 + 18 + 20 + 22 + 24 + 26 + 28) + 30 + 9);
  EXPECT_EQ(Plays(eLevelWin), 1);
  EXPECT_EQ(b.winSparkle, 0);
  // The pocket shuts with the last join: the sparkles run over the whole
  // picture.
  EXPECT_FALSE(b.pocket->open);
  EXPECT_EQ(b.pocket->Position().x, float(PUZZLE_POCKET::kClosedPos));
  EXPECT_EQ(b.pocket->Position().y, float(PUZZLE_POCKET::kClosedPos));
  b.regTa = 3719.15;  // 3725.9 s when the level ends, 27 frames on

  // Twelve sparkles, one every other frame from the third; the 27th frame
  // ends the level; then the dialog waits.
  std::vector<int> got;
  for (int f = 0; f < 30; ++f) got.push_back(Frame());
  std::vector<int> want(26, 1);
  want.push_back(54);
  want.insert(want.end(), {1, 1, 1});
  EXPECT_EQ(got, want);
  EXPECT_EQ(Plays(eLevelWin), 1);
  EXPECT_EQ(b.winSparkle, Board::kIndexDone);

  // The pocket snapped shut at the end, and stays there.
  EXPECT_FALSE(b.pocket->open);
  EXPECT_EQ(b.pocket->Position().x, float(PUZZLE_POCKET::kClosedPos));
  EXPECT_EQ(b.pocket->Position().y, float(PUZZLE_POCKET::kClosedPos));

  // The record of the puzzle.
  ASSERT_NE(b.winDialog, nullptr);
  const GAME::REG& r = b.winDialog->Record();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  EXPECT_EQ(r.year, local.tm_year + 1900);
  EXPECT_EQ(r.month, local.tm_mon + 1);
  EXPECT_EQ(r.day, local.tm_mday);
  EXPECT_EQ(r.hours, 1);
  EXPECT_EQ(r.minutes, 2);
  EXPECT_EQ(r.seconds, 5);
  EXPECT_EQ(r.pieces, 9);
  EXPECT_EQ(r.score, 193);
  EXPECT_EQ(r.speed, 16);
  EXPECT_EQ(r.hints, 0);
  EXPECT_EQ(r.rotation, 0);
  // Collector 99 < 100; jigsaw master 1143; endurance 9 < 50; meditation
  // 4225 s; one puzzle; eight fast joins (each dropped within 2 s of its
  // pick); 9 pieces are no lord's.
  EXPECT_EQ(b.regFastGlue, 8);
  const auto trophies = r.Trophies();
  EXPECT_EQ(std::vector<int>(trophies.begin(), trophies.end()), (std::vector<int>{0, 1, 0, 2, 1, 1, 0}));
  EXPECT_EQ(b.winDialog->Icons().size(), 4u);
  EXPECT_EQ(b.winDialog->MinPrev(), nullptr) << "no small picture is made for it";
  // The player's record.
  EXPECT_EQ(player.Pieces, 99);
  EXPECT_EQ(player.Score, 1143);
  EXPECT_EQ(player.PlayTime, 4225);
  EXPECT_EQ(player.Puzzles, 1);
  EXPECT_EQ(std::vector<int>(player.trofei, player.trofei + 7), (std::vector<int>{0, 1, 0, 2, 1, 1, 0}));

  // Enter leaves.
  KeyDown(13);
  EXPECT_EQ(Frame(), Board::kResultLeave);
}

TEST_F(LevelEnd, WithTrophiesSwitchedOffThePlayersRecordIsLeftAlone) {
  TROFEI_ENABLE = false;
  player.trofei[Profile::COLLECTOR] = 2;
  const Profile before = player;
  Board& b = Playing();
  b.profile = &player;
  b.regF = 1;
  b.regFinishP = 9;
  b.regSc = 5000;
  b.regTa = 125.9 - 0.25;
  game().timer.SetDelta(0.25f);
  b.winSparkle = Board::kIndexDone;
  EXPECT_EQ(Frame(), 54);
  EXPECT_TRUE(player == before) << "counters and levels untouched";
  const GAME::REG& r = b.winDialog->Record();
  const auto trophies = r.Trophies();
  EXPECT_EQ(std::vector<int>(trophies.begin(), trophies.end()), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(b.winDialog->Icons().empty());
  EXPECT_EQ(r.hours, 0);
  EXPECT_EQ(r.minutes, 2);
  EXPECT_EQ(r.seconds, 5);
  EXPECT_EQ(r.score, 5000);
  EXPECT_EQ(Frame(), 1);
}

TEST_F(LevelEnd, TheSaveOfAResumedPuzzleIsDeletedAtTheWin) {
  const std::string dir = testenv::FreshDir("saves") + "/";
  C_MAX_SAVES = 150;
  // A game with one join, saved, then resumed on a new board.
  {
    Board& a = Playing();
    Place(0, 0, 412, 284);
    Join({1});
    ASSERT_EQ(a.SavePuzzleState(dir.c_str(), 0), Board::kSaveWritten);
  }
  const std::string path = dir + "1.pzl";
  ASSERT_TRUE(fs::is_regular_file(path));
  testenv::WriteFile(dir + "2.pzl", "another puzzle");
  board = std::make_unique<Board>(&game());
  Board& b = *board;
  std::string arg = path;
  ASSERT_EQ(b.LoadPuzzleState(arg.data(), nullptr, 0), Board::kLoadOk);
  ASSERT_EQ(b.savePath, path);
  Join({2, 5, 8, 7, 6, 3, 4});
  ASSERT_EQ(b.regF, 1);
  game().timer.SetDelta(0.25f);
  int frames = 0;
  while (Frame() != 54) {
    ASSERT_LT(++frames, 100);
    ASSERT_TRUE(fs::exists(path)) << "kept until the level ends";
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(testenv::ReadFile(dir + "2.pzl"), "another puzzle");
}

TEST_F(LevelEnd, APuzzleNeverSavedDeletesNothing) {
  const std::string dir = testenv::FreshDir("saves") + "/";
  testenv::WriteFile(dir + "1.pzl", "a save");
  testenv::WriteFile("1.pzl", "a save here");
  Board& b = Playing();
  ASSERT_TRUE(b.savePath.empty());
  b.regF = 1;
  b.winSparkle = Board::kIndexDone;
  EXPECT_EQ(Frame(), 54);
  EXPECT_EQ(testenv::ReadFile(dir + "1.pzl"), "a save");
  EXPECT_EQ(testenv::ReadFile("1.pzl"), "a save here");
}

}  // namespace
