// Mouse play on the board: picks and refused picks, dragging, quarter turns,
// the hint and magnifier answers, the band's selection rule, and the fast
// collector. Input goes through the game's input state, one frame a step.
#include <gtest/gtest.h>

#include <algorithm>
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
    // A right press released within its frame shows its release in the
    // next, which passes without the board.
    if (button == 2) EndFrame();
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
         // At its home on the picture, where the complete frame stays.
         b.gridOrder[0]->SetPos(412, 284);
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

// A drop near home snaps the piece there; joined to nothing it stays free
// and on top. The neighbour dropped near its own home joins it, and the
// two, lying wholly at home, are locked.
TEST_F(BoardPlay, WithTheFastCollectorOnADropNearHomeSnapsThePieceAndAJoinAtHomeLocksThem) {
  Board& b = Playing();
  GAME::PUZZLE_PLAYER_PROFILE player;
  player.FastCollector = true;
  b.profile = &player;
  Place(1, 2, 500, 300);
  Step(500, 300, 1);
  Step(620, 390);
  Step(620, 390, -1);
  EXPECT_FLOAT_EQ(At(1, 2)->pos.x, 612.0f);
  EXPECT_FLOAT_EQ(At(1, 2)->pos.y, 384.0f);
  EXPECT_FALSE(At(1, 2)->locked) << "alone, it is not held";
  EXPECT_EQ(b.zOrder.front(), At(1, 2)) << "it stays on top";
  Place(1, 1, 300, 300);
  Step(300, 300, 1);
  Step(505, 390);
  Step(505, 390, -1);
  EXPECT_NE(At(1, 1)->group, 0);
  EXPECT_EQ(At(1, 1)->group, At(1, 2)->group);
  EXPECT_FLOAT_EQ(At(1, 1)->pos.x, 512.0f);
  EXPECT_TRUE(b.IsLockedPart(At(1, 1)));
  EXPECT_TRUE(b.IsLockedPart(At(1, 2)));
  Step(512, 384, 1);
  EXPECT_EQ(b.held, 0) << "a locked part at home is not taken";
  Step(512, 384, -1);
  b.profile = nullptr;
}

// 3 x 3 (home of (r, c): (412 + 100 c, 284 + 100 r)): every piece but the
// edge piece (0, 1) is one part lying 20 px right of home. The last piece,
// dropped near home, snaps there and joins nothing: it stays on top and
// free, and the part moved home takes it.
TEST_F(BoardPlay, AFastCollectorSnapThatJoinsNothingLeavesThePieceOnTopAndFree) {
  Board& b = Playing();
  GAME::PUZZLE_PLAYER_PROFILE player;
  player.FastCollector = true;
  b.profile = &player;
  game().timer.SetDelta(0.05f);
  for (Piece* p : b.gridOrder) {
    if (p == At(0, 1)) continue;
    p->SetPos(432 + 100 * p->column, 284 + 100 * p->row);
    p->group = 1;
  }
  b.cstr = 1;
  b.regF = 2;
  b.regBr = 2;
  b.regCg = 7;
  b.SwapStrUp(1, false);
  Place(0, 1, 800, 650);
  Step(800, 650, 1);
  Step(600, 400);
  Step(520, 290);
  Step(520, 290, -1);
  EXPECT_FLOAT_EQ(At(0, 1)->pos.x, 512.0f) << "snapped home";
  EXPECT_EQ(At(0, 1)->group, 0) << "no join: the part lies off home";
  for (int f = 0; f < 20; ++f) Step(900, 700);
  EXPECT_FALSE(b.IsLockedPart(At(0, 1)));
  EXPECT_EQ(b.zOrder.front(), At(0, 1)) << "on top";
  EXPECT_EQ(b.WhoIn(512, 284), 1);
  // The part dragged home (by its piece (2, 2)) joins it.
  Step(652, 484, 1);
  Step(640, 484);
  Step(632, 484);
  Step(632, 484, -1);
  EXPECT_EQ(b.regF, 1);
  b.profile = nullptr;
}

// 3 x 3 with the fast collector: the top row lies 6 px above home, the
// bottom row 6 px below. Each middle piece dropped at home snaps there and
// joins one row, which moves it 6 px off home: two parts, each holding a
// snapped piece, off home in opposite directions. Neither is locked, and
// one dropped beside the other finishes the puzzle.
TEST_F(BoardPlay, TwoPartsHoldingSnappedPiecesOffHomeCanStillBeTakenAndMeet) {
  Board& b = Playing();
  GAME::PUZZLE_PLAYER_PROFILE player;
  player.FastCollector = true;
  b.profile = &player;
  game().timer.SetDelta(0.05f);
  for (int c = 0; c < 3; ++c) {
    Place(0, c, 412 + 100 * c, 278);
    Place(2, c, 412 + 100 * c, 490);
    At(0, c)->group = 1;
    At(2, c)->group = 2;
  }
  Place(1, 0, 200, 650);
  Place(1, 1, 750, 650);
  Place(1, 2, 900, 650);
  b.cstr = 2;
  b.regF = 5;
  b.regBr = 4;
  b.regCg = 4;
  auto drop = [&](int row, int col) {
    Piece* p = At(row, col);
    const int x = int(p->pos.x), y = int(p->pos.y);
    Step(x, y, 1);
    Step(412 + 100 * col + 2, 384 + 2);
    Step(412 + 100 * col + 2, 384 + 2, -1);
    for (int f = 0; f < 20; ++f) Step(900, 700);
  };
  drop(1, 0);
  drop(1, 2);
  drop(1, 1);
  ASSERT_EQ(b.regF, 2);
  const int top = At(0, 0)->group, bottom = At(2, 0)->group;
  ASSERT_NE(top, bottom);
  EXPECT_FALSE(b.IsLockedPart(At(0, 0)));
  EXPECT_FALSE(b.IsLockedPart(At(2, 0)));
  // The top part taken by (0, 0) and dropped 12 px lower, beside the other.
  const int x = int(At(0, 0)->pos.x), y = int(At(0, 0)->pos.y);
  Step(x, y, 1);
  EXPECT_NE(b.held, 0) << "the pick is taken";
  Step(x, y + 6);
  Step(x, y + 12);
  Step(x, y + 12, -1);
  EXPECT_EQ(b.regF, 1);
  b.profile = nullptr;
}

// Two groups dropped within one settling time both go under the loose
// pieces once their shadows are down.
TEST_F(BoardPlay, EveryDroppedGroupGoesUnderTheLoosePiecesHoweverManySettleAtOnce) {
  Board& b = Playing();
  game().timer.SetDelta(0.02f);
  Place(0, 0, 300, 200);
  Place(0, 1, 400, 200);
  Place(2, 0, 300, 600);
  Place(2, 1, 400, 600);
  At(0, 0)->group = At(0, 1)->group = 1;
  At(2, 0)->group = At(2, 1)->group = 2;
  b.cstr = 2;
  // The first is held long enough that its shadow is still coming down
  // when the second is dropped.
  for (int y : {200, 600}) {
    Step(400, y, 1);
    for (int f = 1; f <= (y == 200 ? 10 : 2); ++f) Step(400 + f, y);
    Step(410, y, -1);
  }
  game().timer.SetDelta(0.25f);
  for (int f = 0; f < 6; ++f) Step(900, 100);
  size_t lastLoose = 0, firstGrouped = b.zOrder.size();
  for (size_t z = 0; z < b.zOrder.size(); ++z) {
    if (b.zOrder[z]->group == 0) lastLoose = z;
    else firstGrouped = std::min(firstGrouped, z);
  }
  EXPECT_LT(lastLoose, firstGrouped) << "every loose piece above both groups";
  EXPECT_EQ(b.glowGroup, Board::kIndexIdle);
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

// ---- push-back (play area (50, 50) - (974, 718), margin 50: centres
// from 100 to 924)

TEST_F(BoardPlay, ARestingPartSlidesBackOnceAFrameByItsLargestOvershoot) {
  struct Case {
    const char* name;
    std::vector<std::vector<float>> pieces;  // row, col, x, y; all in one group when more than one
    float dt;
    int frames;
    std::vector<float> wantX;
  };
  const Case cases[] = {
      {"loose, 30 px out, 16 px a frame", {{1, 1, 954, 300}}, 0.016f, 1, {938}},
      {"loose, stops at the margin", {{1, 1, 954, 300}}, 0.016f, 3, {924}},
      {"loose, left side", {{1, 1, 70, 300}}, 0.016f, 1, {86}},
      {"group, two pieces out: moved once", {{0, 0, 854, 300}, {0, 1, 954, 300}, {0, 2, 1054, 300}}, 0.05f, 1,
       {804, 904, 1004}},
      {"group, back exactly to the margin", {{0, 0, 854, 300}, {0, 1, 954, 300}, {0, 2, 1054, 300}}, 0.05f, 4,
       {724, 824, 924}},
      {"group wider than the area", {{0, 0, 60, 300}, {2, 2, 990, 300}}, 0.05f, 2, {60, 990}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    game().timer.SetDelta(c.dt);
    for (const auto& q : c.pieces) {
      Place(int(q[0]), int(q[1]), q[2], q[3]);
      if (c.pieces.size() > 1) At(int(q[0]), int(q[1]))->group = 1;
    }
    b.cstr = 1;
    for (int f = 0; f < c.frames; ++f) b.Update(0, 0.0f);
    for (size_t i = 0; i < c.pieces.size(); ++i)
      EXPECT_FLOAT_EQ(At(int(c.pieces[i][0]), int(c.pieces[i][1]))->pos.x, c.wantX[i]) << i;
  }
}

TEST_F(BoardPlay, ALiftedPieceIsNotPushed) {
  Board& b = Playing();
  Place(1, 1, 1000, 300);
  At(1, 1)->shadowLevel = 0.5f;
  b.Update(0, 0.0f);
  EXPECT_FLOAT_EQ(At(1, 1)->pos.x, 1000.0f);
}

TEST_F(BoardPlay, ADroppedGroupGoesUnderTheLoosePiecesOnceItsShadowIsDown) {
  Board& b = Playing();
  Place(0, 0, 300, 300);
  Place(0, 1, 400, 300);
  At(0, 0)->group = At(0, 1)->group = 1;
  b.cstr = 1;
  Step(400, 300, 1);
  Step(410, 300);
  Step(410, 300, -1);
  EXPECT_EQ(b.zOrder[0]->group, 1) << "on top while its shadow comes down";
  game().timer.SetDelta(0.25f);
  for (int f = 0; f < 4; ++f) Step(900, 100);
  EXPECT_EQ(b.zOrder[b.zOrder.size() - 1]->group, 1);
  EXPECT_EQ(b.zOrder[b.zOrder.size() - 2]->group, 1);
  EXPECT_EQ(b.glowGroup, Board::kIndexIdle);
}

TEST_F(BoardPlay, ABandDrawnOverPiecesSelectsThemAndTheSelectionDragsTogether) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2;  // the band, from an empty spot
    bool keep;
  };
  // (1,1) at (300, 250), (1,2) at (500, 250); (0,0)+(0,1) a group at (300, 400)/(400, 400).
  const Case cases[] = {
      {"one loose piece", 250, 150, 350, 320, false},
      {"two loose pieces", 250, 150, 560, 320, true},
      {"a loose piece and a group", 250, 150, 340, 450, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    Place(1, 1, 300, 250);
    Place(1, 2, 500, 250);
    Place(0, 0, 300, 400);
    Place(0, 1, 400, 400);
    At(0, 0)->group = At(0, 1)->group = 2;
    b.cstr = 2;
    Step(c.x1, c.y1, 1);
    EXPECT_TRUE(b.bandActive);
    Step((c.x1 + c.x2) / 2, (c.y1 + c.y2) / 2);
    Step(c.x2, c.y2);
    Step(c.x2, c.y2);  // the selection follows the band of the frame before
    EXPECT_TRUE(At(1, 1)->selected) << "selected while the band is drawn";
    Step(c.x2, c.y2, -1);
    EXPECT_FALSE(b.bandActive);
    EXPECT_EQ(At(1, 1)->selected, c.keep);
    if (!c.keep) continue;
    // Dragging one selected piece moves every selected one.
    std::vector<Piece*> chosen;
    for (Piece* p : b.gridOrder)
      if (p->selected) chosen.push_back(p);
    std::vector<JST::fPOINT> before;
    for (Piece* p : chosen) before.push_back(p->pos);
    Step(300, 250, 1);
    Step(320, 240);
    for (size_t i = 0; i < chosen.size(); ++i) {
      EXPECT_FLOAT_EQ(chosen[i]->pos.x, before[i].x + 20.0f) << i;
      EXPECT_FLOAT_EQ(chosen[i]->pos.y, before[i].y - 10.0f) << i;
    }
    Step(320, 240, -1);
    EXPECT_FALSE(At(1, 1)->selected && b.held != 0);
  }
}

TEST_F(BoardPlay, ABandOverOnePieceOfAGroupSelectsTheWholeGroupWhereverItLiesInTheZOrder) {
  // (0,0)+(0,1) a group at (300, 400)/(400, 400), a loose piece between
  // them in the z-order; the band covers (0,0) and the loose (1,1) only.
  for (bool insideOnTop : {true, false}) {
    SCOPED_TRACE(insideOnTop);
    Board& b = Playing();
    Place(0, 0, 300, 400);
    Place(0, 1, 400, 400);
    Place(1, 1, 300, 250);
    At(0, 0)->group = At(0, 1)->group = 2;
    b.cstr = 2;
    Piece* inside = At(0, 0);
    Piece* outside = At(0, 1);
    std::vector<Piece*> top = insideOnTop ? std::vector<Piece*>{inside, At(2, 2), outside}
                                          : std::vector<Piece*>{outside, At(2, 2), inside};
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
      b.zOrder.erase(std::find(b.zOrder.begin(), b.zOrder.end(), *it));
      b.zOrder.push_front(*it);
    }
    b.bandStart = JST::iPOINT(250, 150);
    b.bandEnd = JST::iPOINT(340, 450);
    b.pointerInPocket = false;
    b.CheckTheSelection();
    EXPECT_TRUE(inside->selected);
    EXPECT_TRUE(outside->selected) << "the whole group";
    EXPECT_TRUE(At(1, 1)->selected);
    EXPECT_FALSE(At(2, 2)->selected);
    // The band shrunk off the group lets the whole group go.
    b.bandEnd = JST::iPOINT(340, 320);
    b.CheckTheSelection();
    EXPECT_FALSE(inside->selected);
    EXPECT_FALSE(outside->selected);
    EXPECT_TRUE(At(1, 1)->selected);
  }
}

// The pocket at 1024 x 768: 614 x 460; closed, its button (64 x 64 at
// (32, 32)) is the area over it.
TEST_F(BoardPlay, APieceDroppedOverTheClosedPocketGoesToARandomSpotInIt) {
  Board& b = Playing();
  ASSERT_NE(b.pocket, nullptr);
  ASSERT_FALSE(b.pocket->open);
  Place(1, 1, 500, 300);
  Step(500, 300, 1);
  Step(200, 150);
  Step(40, 40);
  EXPECT_EQ(Step(40, 40, -1), Board::kResultHintOff);
  const Piece* p = At(1, 1);
  EXPECT_EQ(p->inPocket, 1);
  EXPECT_EQ(b.held, 0);
  EXPECT_GE(p->pos.x, 0.0f);
  EXPECT_LE(p->pos.x, 514.0f);
  EXPECT_GE(p->pos.y, 0.0f);
  EXPECT_LE(p->pos.y, 360.0f);
  EXPECT_NE(b.WhoIn(p->GetPosX(), p->GetPosY()), b.ZOf(p) + 1) << "the closed pocket's pieces are not found";
}

TEST_F(BoardPlay, APieceDraggedOutOfTheOpenPocketLeavesIt) {
  Board& b = Playing();
  Place(1, 1, 200, 200);
  At(1, 1)->inPocket = 1;
  b.pocket->open = true;
  Step(200, 200, 1);
  EXPECT_EQ(b.zOrder[size_t(b.held - 1)], At(1, 1));
  Step(600, 600);
  Step(700, 600);
  EXPECT_EQ(Step(700, 600, -1), 0);
  EXPECT_EQ(At(1, 1)->inPocket, 0);
  EXPECT_FLOAT_EQ(At(1, 1)->pos.x, 700.0f);
}

}  // namespace
