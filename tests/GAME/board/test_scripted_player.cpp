// A puzzle played on the board alone through the real input path: window
// messages into the engine's window procedure, one step a frame. The player
// first tries every tool once (the sort, a hint, edges only, the faded
// picture, the magnifier, the preview frame and the pocket, each switched
// as the play panel switches it, clicks through the input path), then
// spreads the pieces over free spots around the screen's edges, turns each
// one upright with right clicks, assembles the puzzle in the middle in grid
// order, each piece dragged beside its placed neighbours, watches the
// sparkles end the level and reads the win dialog's record and the
// trophies written into the player's record, and leaves with Enter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/reg.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "ST/button.h"
#include "ST/particles.h"
#include "tests/support/board_env.h"
#include "tests/support/scripted_player.h"

namespace {

using boardtest::Board;
using boardtest::Piece;
using Player = scripted::ScriptedPlayer;

class ScriptedPlayer : public boardtest::BoardEnv {
 protected:
  static constexpr int kN = 3, kCellPx = 60;

  void SetUp() override {
    BoardEnv::SetUp();
    PreviewFrameImages();
    C_NAME_PACK_TROFEI = nullptr;
    keepTrophies_ = TROFEI_ENABLE;
    TROFEI_ENABLE = true;
    // Thresholds that a 3 x 3 puzzle crosses: every levelled trophy to 1.
    COLLECTOR_1 = 9, COLLECTOR_2 = 1000, COLLECTOR_3 = 2000, COLLECTOR_4 = 3000, COLLECTOR_5 = 4000;
    JIGSAW_MASTER_1 = 100, JIGSAW_MASTER_2 = 10000, JIGSAW_MASTER_3 = 100000;
    ENDURANCE_1 = 9, ENDURANCE_2 = 100, ENDURANCE_3 = 200, ENDURANCE_4 = 300;
    MEDITATION_1 = 1, MEDITATION_2 = 360000, MEDITATION_3 = 370000, MEDITATION_4 = 380000;
    BICH_1 = 1, BICH_2 = 10, BICH_3 = 50, BICH_4 = 100;
    SAGE_1 = 0, SAGE_2 = 1000, SAGE_3 = 2000, SAGE_4 = 3000, SAGE_5 = 4000, SAGE_6 = 5000;
  }
  void TearDown() override {
    TROFEI_ENABLE = keepTrophies_;
    BoardEnv::TearDown();
  }

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
  // Each tool once, its effect checked, everything off again.
  void UseTools(Board& b, Player& player);
  // The sparkles to the end of the level, the win dialog's record and the
  // player's trophies, Enter.
  void Finish(Board& b, Player& player);
  int turnsPlayed_ = 0;  // quarter turns over all games
  GAME::PUZZLE_PLAYER_PROFILE record_;

 private:
  bool keepTrophies_ = false;
};

void ScriptedPlayer::UseTools(Board& b, Player& player) {
  const int c = kCellPx;
  const int left = 50, top = 50, right = 974, bottom = 718, cx = 512, cy = 384;
  auto within = [](const Piece* p, int x0, int x1, int y0, int y1) {
    return p->pos.x >= float(x0 - Piece::kGlideStop) && p->pos.x <= float(x1 + Piece::kGlideStop) &&
           p->pos.y >= float(y0 - Piece::kGlideStop) && p->pos.y <= float(y1 + Piece::kGlideStop);
  };

  // The sort: nine pieces, q = 3. Grid pieces 1 to the top-left quarter,
  // 3, 4, 5 to the top-right one, 7 to the bottom-left one, the corners to
  // the corners of the play area; one long frame and they are there.
  b.Sort();
  EXPECT_TRUE(b.regGVN2);
  player.Frames(2);
  EXPECT_TRUE(within(b.gridOrder[1], left + c, cx - c, top + c, cy - c));
  for (int k : {3, 4, 5}) EXPECT_TRUE(within(b.gridOrder[size_t(k)], cx + c, right - c, top + c, cy - c)) << k;
  EXPECT_TRUE(within(b.gridOrder[7], left + c, cx - c, cy + c, bottom - c));
  EXPECT_TRUE(within(b.gridOrder[0], left + c, left + c, top + c, top + c));
  EXPECT_TRUE(within(b.gridOrder[2], right - c, right - c, top + c, top + c));
  EXPECT_TRUE(within(b.gridOrder[6], left + c, left + c, bottom - c, bottom - c));
  EXPECT_TRUE(within(b.gridOrder[8], right - c, right - c, bottom - c, bottom - c));

  // A hint: two grid neighbours pulse, the second on top, and particles
  // rise from them.
  ASSERT_TRUE(b.Help());
  EXPECT_EQ(b.regH, 1);
  std::vector<const Piece*> hinted;
  for (const Piece* p : b.gridOrder)
    if (p->hint) hinted.push_back(p);
  ASSERT_EQ(hinted.size(), 2u);
  EXPECT_EQ(std::abs(hinted[0]->row - hinted[1]->row) + std::abs(hinted[0]->column - hinted[1]->column), 1);
  EXPECT_TRUE(b.zOrder[0]->hint);
  EXPECT_TRUE(b.zOrder[1]->hint);
  const int before = partHelp->sys.liveCount;
  player.Frames(2);
  EXPECT_EQ(partHelp->sys.liveCount, before + 4) << "one a frame from each";
  b.HelpOff();

  // Edges only: the loose centre fades out and cannot be taken, the edge
  // pieces stay; switched off it comes back.
  const Piece* centre = b.gridOrder[4];
  ASSERT_TRUE(b.SetBorder());
  player.Frames(1);
  EXPECT_EQ(centre->alpha, 0.0f);
  for (const Piece* p : b.border) EXPECT_EQ(p->alpha, 1.0f);
  const int z = b.WhoIn(int(centre->pos.x), int(centre->pos.y));
  EXPECT_TRUE(z == 0 || b.zOrder[size_t(z - 1)] != centre);
  ASSERT_FALSE(b.SetBorder());
  player.Frames(1);
  EXPECT_EQ(centre->alpha, 1.0f);

  // The faded picture: at full size in the screen centre, faded, drawn
  // under the pieces.
  ASSERT_TRUE(b.bShowFrame());
  EXPECT_FLOAT_EQ(b.Picture()->scale.x, 1.0f);
  EXPECT_FLOAT_EQ(b.Picture()->position.x, float(cx));
  EXPECT_FLOAT_EQ(b.Picture()->position.y, float(cy));
  plat::gfx::ClearRecorded();
  b.Render(0);
  int faded = 0;
  for (const auto& q : drawtest::DrawnQuads())
    if (q.texture == b.Picture()->GetTexture() && q.color == 0xAAFFFFFFu) ++faded;
  EXPECT_EQ(faded, 1);
  ASSERT_FALSE(b.bShowFrame());

  // The magnifier: on from the panel, off with the next left click.
  ASSERT_TRUE(b.SetMagnifer());
  EXPECT_EQ(player.Click(800, 400), Board::kResultMagnifierOff);
  EXPECT_FALSE(b.MagnifierOn());

  // The preview frame: shown, dragged out of the corner, made large with
  // its third size button, closed with its close button.
  ASSERT_TRUE(b.bShowLitleFrame());
  GAME::FLUING_FRAME* frame = b.previewFrame;
  ASSERT_NE(frame, nullptr);
  EXPECT_FLOAT_EQ(frame->Factor(), 0.6f);
  const JST::iPOINT small = frame->FrameSize();
  EXPECT_EQ(small.x, 108);
  const float startX = frame->position.x, startY = frame->position.y;
  const int fx = int(startX) + small.x / 2, fy = int(startY) + small.y / 2;
  player.Drag(fx, fy, fx + 300, fy + 250);
  EXPECT_NEAR(frame->position.x, startX + 300.0f, 1.0f);
  EXPECT_NEAR(frame->position.y, startY + 250.0f, 1.0f);
  // The buttons sit on the frame's top edge; the player clicks the half
  // over the picture.
  const JBUTTONMAP4* three = frame->Button(3);
  player.Click(int(three->position.x), int(three->position.y) + 8);
  EXPECT_FLOAT_EQ(frame->Factor(), 0.9f);
  EXPECT_EQ(frame->FrameSize().x, 162);
  const JBUTTONMAP4* close = frame->Button(0);
  player.Click(int(close->position.x), int(close->position.y) + 8);
  EXPECT_EQ(player.Results().back(), Board::kResultPreviewClosed);
  EXPECT_FALSE(b.showLitleFrame);

  // The pocket: its button opens it to its full size and closes it again.
  EXPECT_EQ(player.Click(32, 32), Board::kResultNothing);
  EXPECT_TRUE(b.pocket->open);
  EXPECT_TRUE(b.regGVN) << "the pocket was used";
  player.MoveMouse(900, 700);
  player.Frames(2);
  EXPECT_EQ(b.pocket->Position().x, b.pocket->OpenPosition().x);
  player.Click(32, 32);
  EXPECT_FALSE(b.pocket->open);
  player.MoveMouse(900, 700);
  player.Frames(2);
  EXPECT_EQ(b.pocket->Position().x, float(PUZZLE_POCKET::kClosedPos));
  Mix_HaltChannel(-1);
}

void ScriptedPlayer::Finish(Board& b, Player& player) {
  // Twelve sparkles 0.3 s apart at 0.25 s a frame, one every other frame
  // from the third after the last join: 26 frames solved (three of them
  // already played), the 27th ends the level, then the dialog waits.
  player.ClearResults();
  double played = 0.0;
  for (int f = 0; f < 27; ++f)
    if (player.Frame() == Board::kResultLevelWon) played = b.regTa;
  std::vector<int> want(23, Board::kResultSolved);
  want.push_back(Board::kResultLevelWon);
  want.insert(want.end(), {1, 1, 1});
  EXPECT_EQ(player.Results(), want);
  ASSERT_NE(b.winDialog, nullptr);

  const GAME::REG& r = b.winDialog->Record();
  EXPECT_EQ(r.pieces, 9);
  EXPECT_EQ(r.score, 136);
  EXPECT_EQ(r.speed, 0);
  EXPECT_EQ(r.hints, 1);
  EXPECT_EQ(r.rotation, 1);
  EXPECT_EQ(r.hours * 3600 + r.minutes * 60 + r.seconds, int(played));
  const auto trophies = r.Trophies();
  EXPECT_EQ(std::vector<int>(trophies.begin(), trophies.end()), (std::vector<int>{1, 1, 1, 1, 1, 1, 0}))
      << "no lord on 9 pieces with the tools used";
  EXPECT_EQ(b.winDialog->Icons().size(), 6u);
  // What "set.bin" will hold.
  EXPECT_EQ(std::vector<int>(record_.trofei, record_.trofei + 7), (std::vector<int>{1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(record_.Pieces, 9);
  EXPECT_EQ(record_.Score, 136);
  EXPECT_EQ(record_.Puzzles, 1);
  EXPECT_EQ(record_.PlayTime, int(played));
  const GAME::PUZZLE_PLAYER_PROFILE reread = GAME::PUZZLE_PLAYER_PROFILE::Decode(record_.Encode());
  EXPECT_EQ(reread.trofei[GAME::PUZZLE_PLAYER_PROFILE::SAGE], 1);

  // Enter leaves.
  player.Post(plat::WM_KEYDOWN, 13);
  EXPECT_EQ(player.Frame(), Board::kResultLeave);
  player.Post(plat::WM_KEYUP, 13);
  player.Frame();
}

void ScriptedPlayer::PlayOnce(float seed) {
  game().random.Seed(seed);
  Board& b = Cut(kN, /*rotation=*/true, kCellPx);
  record_ = GAME::PUZZLE_PLAYER_PROFILE();
  b.profile = &record_;
  RealPlaySounds();
  Player player(game(), [&b] { return b.Update(0, 0.0f); }, /*movesPerDrag=*/7);

  // Long frames while the pieces land and are sorted out, so the first join
  // comes long after the start (its points are the bare 12).
  game().timer.SetDelta(2.0f);
  player.Frames(3);
  for (const Piece* p : b.zOrder) ASSERT_TRUE(p->velocity.x == 0 && p->velocity.y == 0) << "landed";

  // 0. Every tool once.
  UseTools(b, player);
  if (HasFatalFailure()) return;

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

  // 4. The end of the level.
  Finish(b, player);
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
