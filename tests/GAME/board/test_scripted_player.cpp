// A puzzle played on the board alone through the real input path: window
// messages into the engine's window procedure, one step a frame. The player
// first spreads the pieces over free spots around the screen's edges, turns
// each one upright with right clicks, then assembles the puzzle in the
// middle in grid order, each piece dragged beside its placed neighbours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/support/board_env.h"
#include "tests/support/scripted_player.h"

namespace {

using boardtest::Board;
using boardtest::Piece;
using Player = scripted::ScriptedPlayer;

class ScriptedPlayer : public boardtest::BoardEnv {
 protected:
  static constexpr int kN = 3, kCellPx = 60;

  // Free spots off the middle, where the puzzle is put together: four rows
  // of nine, 100 px apart (no two neighbours there are a cell apart).
  static std::vector<JST::iPOINT> Spots() {
    std::vector<JST::iPOINT> out;
    for (int y : {100, 200, 600, 700})
      for (int x = 100; x <= 900; x += 100) out.emplace_back(x, y);
    return out;
  }
  // A spot no other piece's centre lies within 1.5 cells of.
  static bool Free(const Board& b, const Piece* self, JST::iPOINT s) {
    for (const Piece* p : b.zOrder) {
      if (p == self) continue;
      const float dx = p->pos.x - float(s.x), dy = p->pos.y - float(s.y);
      if (std::sqrt(dx * dx + dy * dy) < 1.5f * float(kCellPx)) return false;
    }
    return true;
  }

  // One whole game, the cut drawn from the generator seeded with `seed`.
  void PlayOnce(float seed);
  int turnsPlayed_ = 0;  // quarter turns over all games
};

void ScriptedPlayer::PlayOnce(float seed) {
  game().random.Seed(seed);
  Board& b = Cut(kN, /*rotation=*/true, kCellPx);
  RealPlaySounds();
  Player player(game(), [&b] { return b.Update(0, 0.0f); }, /*movesPerDrag=*/7);

  // Long frames while the pieces land and are sorted out, so the first join
  // comes long after the start (its points are the bare 12).
  game().timer.SetDelta(2.0f);
  player.Frames(3);
  for (const Piece* p : b.zOrder) ASSERT_TRUE(p->velocity.x == 0 && p->velocity.y == 0) << "landed";

  // 1. Every piece to a free spot, topmost first: the topmost piece not yet
  // moved always shows its centre.
  std::vector<const Piece*> moved;
  for (int n = 0; n < kN * kN; ++n) {
    const Piece* p = nullptr;
    for (const Piece* q : b.zOrder)
      if (std::find(moved.begin(), moved.end(), q) == moved.end()) {
        p = q;
        break;
      }
    ASSERT_NE(p, nullptr);
    JST::iPOINT spot(-1, -1);
    for (JST::iPOINT s : Spots())
      if (Free(b, p, s)) {
        spot = s;
        break;
      }
    ASSERT_GE(spot.x, 0) << "a free spot";
    ASSERT_TRUE(player.DragPieceTo(b, p, spot.x, spot.y));
    EXPECT_EQ(b.zOrder.front(), p) << "the dragged piece lies on top";
    EXPECT_EQ(int(std::lround(p->pos.x)), spot.x);
    EXPECT_EQ(int(std::lround(p->pos.y)), spot.y);
    moved.push_back(p);
  }
  EXPECT_EQ(b.regCg, 0) << "nothing joins on the way";
  EXPECT_EQ(Plays(eElPickUp), kN * kN);
  EXPECT_EQ(Plays(eElPut), kN * kN);
  Mix_HaltChannel(-1);

  // 2. Each piece upright, a right click a quarter turn.
  int turns = 0;
  for (const Piece* p : b.gridOrder) turns += (4 - p->rotation) % 4;
  turnsPlayed_ += turns;
  for (const Piece* p : b.gridOrder) ASSERT_TRUE(player.TurnUpright(b, p));
  for (const Piece* p : b.gridOrder) EXPECT_EQ(p->rotation, 0);
  EXPECT_EQ(Plays(eElRotation), turns);
  EXPECT_EQ(Plays(eElRotationWrong), 0);
  Mix_HaltChannel(-1);

  // 3. Assembly in the middle, grid order, at 0.25 s a frame: ten frames a
  // drag, so 2.5 s between joins.
  game().timer.SetDelta(0.25f);
  player.ClearResults();
  const int left = 512 - kCellPx, top = 384 - kCellPx;
  std::vector<int> regF, regSc;
  for (int k = 0; k < kN * kN; ++k) {
    const Piece* p = b.gridOrder[size_t(k)];
    ASSERT_TRUE(player.DragPieceTo(b, p, left + kCellPx * p->column, top + kCellPx * p->row)) << k;
    regF.push_back(b.regF);
    regSc.push_back(b.regSc);
  }
  EXPECT_EQ(regF, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
  // The first join long after the start: 12; then joins of 3 .. 9 pieces at
  // k = 2 / 2.5 = 0.8, truncated; the last adds the 9 pieces.
  EXPECT_EQ(regSc, (std::vector<int>{0, 12, 26, 41, 57, 73, 90, 108, 127 + 9}));
  EXPECT_EQ(b.regCg, 8);
  EXPECT_EQ(b.regPf, 0);
  EXPECT_EQ(b.cstr, 8);
  for (const Piece* p : b.zOrder) EXPECT_EQ(p->group, 8);
  // Each piece exactly beside its neighbours, the whole within a pixel of
  // where the player put it.
  const Piece* anchor = b.gridOrder[0];
  EXPECT_NEAR(anchor->pos.x, float(left), 1.0f);
  EXPECT_NEAR(anchor->pos.y, float(top), 1.0f);
  for (int k = 1; k < kN * kN; ++k) {
    const Piece* p = b.gridOrder[size_t(k)];
    EXPECT_FLOAT_EQ(p->pos.x - anchor->pos.x, float(kCellPx * p->column)) << k;
    EXPECT_FLOAT_EQ(p->pos.y - anchor->pos.y, float(kCellPx * p->row)) << k;
  }
  EXPECT_EQ(Plays(eElPickUp), kN * kN);
  EXPECT_EQ(Plays(eElPut), kN * kN);
  EXPECT_EQ(Plays(eLevelWin), 1);
  EXPECT_EQ(b.winSparkle, 0);
  // A drop that joins releases the hint button (1004); every frame after the
  // last one says solved while the sparkles run.
  EXPECT_EQ(player.Results().back(), Board::kResultHintOff);
  player.Frames(3);
  const std::vector<int> last(player.Results().end() - 3, player.Results().end());
  EXPECT_EQ(last, (std::vector<int>{1, 1, 1}));
  Mix_HaltChannel(-1);
}

TEST_F(ScriptedPlayer, PlaysAThreeByThreePuzzleToTheEndWithMouseAndRightClicks) {
  // Different cuts: other rotations, other landing places.
  for (float seed : {1.0f, 7.0f, 1234.0f, 99991.0f}) {
    SCOPED_TRACE(seed);
    PlayOnce(seed);
  }
  EXPECT_GT(turnsPlayed_, 0) << "the cuts hold turned pieces";
}

}  // namespace
