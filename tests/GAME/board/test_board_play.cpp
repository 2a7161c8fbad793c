// Mouse play on the board: picks and refused picks, dragging, quarter turns,
// the hint and magnifier answers, the band's selection rule, and the fast
// collector. Input goes through the game's input state, one frame a step.
#include <gtest/gtest.h>

#include <vector>

#include "GAME/board/pocket.h"
#include "GAME/config/player_record.h"
#include "tests/support/board_env.h"

namespace {

using boardtest::Board;
using boardtest::Piece;

class BoardPlay : public boardtest::BoardEnv {
 protected:
  // No button is left down for the next test.
  void TearDown() override {
    input().EventMouseLkm(false);
    input().EventMouseRkm(false);
    EndFrame();
    EndFrame();
    BoardEnv::TearDown();
  }
  // One frame with the mouse at (x, y); button 1 press, -1 release, 2 a
  // right press.
  int Step(int x, int y, int button = 0) {
    input().EventMouseMove(x, y);
    if (button == 1) input().EventMouseLkm(true);
    if (button == -1) input().EventMouseLkm(false);
    if (button == 2) input().EventMouseRkm(true);
    const int r = board->Update(0, 0.0f);
    if (button == 2) input().EventMouseRkm(false);
    EndFrame();
    return r;
  }
};

TEST_F(BoardPlay, APickedLoosePieceComesToTheFrontAndFollowsTheMouse) {
  Board& b = Playing();
  Place(1, 1, 500, 300);
  Piece* p = At(1, 1);
  ASSERT_NE(b.zOrder.front(), p);
  EXPECT_EQ(Step(500, 300, 1), 0);
  EXPECT_EQ(b.zOrder.front(), p);
  EXPECT_EQ(b.held, 1);
  EXPECT_EQ(p->shadowDir, Piece::kShadowRising);
  Step(510, 305);
  Step(530, 290);
  EXPECT_FLOAT_EQ(p->pos.x, 530.0f);
  EXPECT_FLOAT_EQ(p->pos.y, 290.0f);
  EXPECT_EQ(Step(530, 290, -1), 0);
  EXPECT_EQ(b.held, 0);
  EXPECT_EQ(p->shadowDir, Piece::kShadowFalling);
}

// The pick that cancels a hint returns at once; the drag that follows must
// still move the picked piece, not the one that lay above it before.
TEST_F(BoardPlay, APickThatCancelsTheHintKeepsHoldingThePickedPiece) {
  Board& b = Playing();
  Place(1, 1, 500, 300);
  Piece* p = At(1, 1);
  const int z = b.ZOf(p);
  ASSERT_GT(z, 0);
  Piece* above = b.zOrder[size_t(z - 1)];
  const JST::fPOINT abovePos = above->pos;
  b.hintShown = true;
  b.hintFirst = JST::iPOINT(0, 0);
  b.hintSecond = JST::iPOINT(0, 1);
  EXPECT_EQ(Step(500, 300, 1), Board::kResultHintOff);
  EXPECT_FALSE(b.hintShown);
  Step(540, 320);
  EXPECT_FLOAT_EQ(p->pos.x, 540.0f);
  EXPECT_FLOAT_EQ(p->pos.y, 320.0f);
  EXPECT_FLOAT_EQ(above->pos.x, abovePos.x) << "the old neighbour stays";
  EXPECT_FLOAT_EQ(above->pos.y, abovePos.y);
}

TEST_F(BoardPlay, APickedGroupComesToTheTopInItsOwnOrderAndMovesWhole) {
  Board& b = Playing();
  Place(0, 0, 300, 300);
  Place(0, 1, 400, 300);
  At(0, 0)->group = At(0, 1)->group = 3;
  b.cstr = 3;
  const int za = b.ZOf(At(0, 0)), zb = b.ZOf(At(0, 1));
  Step(400, 300, 1);
  EXPECT_EQ(b.zOrder[0], za < zb ? At(0, 0) : At(0, 1));
  EXPECT_EQ(b.zOrder[1], za < zb ? At(0, 1) : At(0, 0));
  EXPECT_EQ(b.zOrder[size_t(b.held - 1)], At(0, 1));
  Step(420, 330);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.x, 320.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.y, 330.0f);
  EXPECT_FLOAT_EQ(At(0, 1)->pos.x, 420.0f);
}

TEST_F(BoardPlay, RefusedPicksStartABandAndMoveNothing) {
  struct Case {
    const char* name;
    void (*set)(Board&, Piece*);
  };
  const Case cases[] = {
      {"locked", [](Board&, Piece* p) { p->locked = true; }},
      {"in the closed pocket", [](Board&, Piece* p) { p->inPocket = 1; }},
      {"group with a locked member",
       [](Board& b, Piece* p) {
         p->group = 2;
         b.gridOrder[8]->group = 2;
         b.gridOrder[8]->locked = true;
       }},
      {"the finished frame",
       [](Board& b, Piece* p) {
         p->group = 1;
         b.gridOrder[0]->group = 1;
         b.regBr = 1;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    Place(1, 1, 500, 300);
    Piece* p = At(1, 1);
    c.set(b, p);
    EXPECT_EQ(Step(500, 300, 1), 0);
    EXPECT_EQ(b.held, 0);
    EXPECT_TRUE(b.bandActive);
    Step(560, 350);
    EXPECT_FLOAT_EQ(p->pos.x, 500.0f);
    EXPECT_FLOAT_EQ(p->pos.y, 300.0f);
    Step(560, 350, -1);
  }
}

TEST_F(BoardPlay, RightClicks) {
  struct Case {
    const char* name;
    bool rotation, hint, onPiece, locked, magnifier;
    int want;
    bool turns;
    ZOV::ST_A** sound;
  };
  const Case cases[] = {
      {"turns a loose piece", true, false, true, false, false, Board::kResultHintOff, true, &eElRotation},
      {"rotation off", false, false, true, false, false, 0, false, &eElRotationWrong},
      {"empty board, hint shown", true, true, false, false, false, Board::kResultHintOff, false, nullptr},
      {"empty board", true, false, false, false, false, 0, false, nullptr},
      {"locked group", true, false, true, true, false, 0, false, &eElRotationWrong},
      {"magnifier on", true, false, true, false, true, Board::kResultMagnifierOff, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing(3, c.rotation);
    RealPlaySounds();
    Place(1, 1, 500, 300);
    Piece* p = At(1, 1);
    if (c.locked) {
      p->group = At(2, 2)->group = 4;
      At(2, 2)->locked = true;
    }
    b.hintShown = c.hint;
    b.magnifierOn = c.magnifier;
    EXPECT_EQ(Step(c.onPiece ? 500 : 900, c.onPiece ? 300 : 100, 2), c.want);
    EXPECT_EQ(p->turnProgress > 0.0f || p->rotation == 1, c.turns);
    EXPECT_EQ(b.held, 0);
    for (ZOV::ST_A** s : {&eElRotation, &eElRotationWrong}) EXPECT_EQ(Plays(*s), s == c.sound ? 1 : 0);
  }
}

TEST_F(BoardPlay, ARightClickWhileDraggingTurnsTheDraggedPiece) {
  Board& b = Playing(3, true);
  Place(1, 1, 500, 300);
  Place(2, 2, 700, 300);
  Step(500, 300, 1);
  Step(600, 300);
  Step(700, 300, 2);  // over the other piece
  EXPECT_TRUE(At(1, 1)->turnProgress > 0.0f || At(1, 1)->rotation == 1);
  EXPECT_EQ(At(2, 2)->rotation, 0);
  EXPECT_FALSE(At(2, 2)->turnProgress > 0.0f);
  EXPECT_EQ(b.zOrder[size_t(b.held - 1)], At(1, 1)) << "still held";
  Step(700, 300, -1);
}

TEST_F(BoardPlay, TheMagnifierIsSwitchedOffByALeftClick) {
  Board& b = Playing();
  b.magnifierOn = true;
  EXPECT_EQ(Step(500, 300, 1), Board::kResultMagnifierOff);
  EXPECT_FALSE(b.magnifierOn);
}

TEST_F(BoardPlay, ABandKeepsItsSelectionOnlyWithTwoParts) {
  struct Case {
    const char* name;
    std::vector<int> selected;  // grid indices
    std::vector<int> grouped;   // grid indices in group 5
    bool keep;
  };
  const Case cases[] = {
      {"two loose pieces", {0, 4}, {}, true},
      {"one loose piece", {4}, {}, false},
      {"one group", {0, 1}, {0, 1}, false},
      {"a group and a loose piece", {0, 1, 4}, {0, 1}, true},
      {"nothing", {}, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    for (int k : c.grouped) b.gridOrder[size_t(k)]->group = 5;
    for (int k : c.selected) b.gridOrder[size_t(k)]->selected = true;
    b.CheckCountAllocation();
    for (int k : c.selected) EXPECT_EQ(b.gridOrder[size_t(k)]->selected, c.keep);
  }
}

TEST_F(BoardPlay, TheFastCollectorSnapsAnUprightPieceNearItsHomeAndLocksIt) {
  // The 300 x 300 picture centred at (512, 384): cell (1, 2) is at home at
  // (612, 384).
  struct Case {
    const char* name;
    float x, y;
    int rotation;
    bool snaps;
  };
  const Case cases[] = {
      {"near", 630, 370, 0, true},
      {"32 px away", 644, 384, 0, true},
      {"33 px away", 645, 384, 0, false},
      {"turned", 630, 370, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    Place(1, 2, c.x, c.y, c.rotation);
    EXPECT_EQ(b.TestFastCollector(Z(1, 2)), c.snaps ? 1 : 0);
    EXPECT_EQ(At(1, 2)->locked, c.snaps);
    if (c.snaps) {
      EXPECT_FLOAT_EQ(At(1, 2)->pos.x, 612.0f);
      EXPECT_FLOAT_EQ(At(1, 2)->pos.y, 384.0f);
    }
  }
}

TEST_F(BoardPlay, WithTheFastCollectorOnADropNearHomeLocksThePiece) {
  Board& b = Playing();
  GAME::PUZZLE_PLAYER_PROFILE player;
  player.FastCollector = true;
  b.profile = &player;
  Place(1, 2, 500, 300);
  Step(500, 300, 1);
  Step(620, 390);
  Step(620, 390, -1);
  EXPECT_TRUE(At(1, 2)->locked);
  EXPECT_FLOAT_EQ(At(1, 2)->pos.x, 612.0f);
  EXPECT_EQ(b.zOrder.back(), At(1, 2)) << "sent to the bottom";
  b.profile = nullptr;
}

TEST_F(BoardPlay, HoverGlowsAGroupButNeverTheFinishedFrame) {
  for (bool frameDone : {false, true}) {
    SCOPED_TRACE(frameDone);
    Board& b = Playing();
    Place(0, 0, 300, 300);
    Place(0, 1, 400, 300);
    At(0, 0)->group = At(0, 1)->group = 1;
    if (frameDone) b.regBr = 1;
    Step(400, 300);
    EXPECT_EQ(At(0, 0)->highlight, !frameDone);
  }
}

TEST_F(BoardPlay, AGroupDroppedBesideItsNeighbourJoinsIt) {
  Board& b = Playing();
  Place(0, 0, 300, 300);
  Place(0, 1, 400, 300);
  At(0, 0)->group = At(0, 1)->group = 1;
  b.cstr = 1;
  Place(0, 2, 700, 300);
  Step(400, 300, 1);
  Step(500, 300);
  Step(596, 302);
  EXPECT_EQ(Step(596, 302, -1), 0);
  EXPECT_EQ(At(0, 2)->group, 2);
  EXPECT_EQ(At(0, 0)->group, 2);
  EXPECT_FLOAT_EQ(At(0, 1)->pos.x, 600.0f);
  EXPECT_EQ(b.regCg, 1);
}

}  // namespace
