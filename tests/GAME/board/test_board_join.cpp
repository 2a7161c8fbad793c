// Joining pieces on the board: which placements join, the snap, group ids,
// the join of a dropped group, the rigid-group pass, the points and counters
// of a join, and a whole 3 x 3 puzzle assembled frame first.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/board_env.h"

namespace {

using boardtest::Board;
using boardtest::Piece;

class BoardJoin : public boardtest::BoardEnv {};

// A = (row 0, col 0) at (200, 200); B = (row 0, col 1).
TEST_F(BoardJoin, WhichPlacementsJoin) {
  struct Case {
    const char* name;
    float bx, by;
    int rotA, rotB;
    float alphaA;
    bool sameGroup;
    bool join;
  };
  const Case cases[] = {
      {"exactly right of A", 300, 200, 0, 0, 1.0f, false, true},
      {"9 px too far", 309, 200, 0, 0, 1.0f, false, true},
      {"10 px too far", 310, 200, 0, 0, 1.0f, false, false},
      {"9 px too near", 291, 200, 0, 0, 1.0f, false, true},
      {"10 px too near", 290, 200, 0, 0, 1.0f, false, false},
      {"9 px low", 300, 209, 0, 0, 1.0f, false, true},
      {"10 px low", 300, 210, 0, 0, 1.0f, false, false},
      {"wrong side", 100, 200, 0, 0, 1.0f, false, false},
      {"turned once: below", 200, 300, 1, 1, 1.0f, false, true},
      {"turned twice: left", 100, 200, 2, 2, 1.0f, false, true},
      {"turned three times: above", 200, 100, 3, 3, 1.0f, false, true},
      {"different rotations", 300, 200, 0, 1, 1.0f, false, false},
      {"A fading", 300, 200, 0, 0, 0.99f, false, false},
      {"same group", 300, 200, 0, 0, 1.0f, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    Place(0, 0, 200, 200, c.rotA);
    Place(0, 1, c.bx, c.by, c.rotB);
    At(0, 0)->alpha = c.alphaA;
    if (c.sameGroup) At(0, 0)->group = At(0, 1)->group = 5;
    const int groupBefore = At(0, 0)->group;
    EXPECT_EQ(b.Banzai(Z(0, 0)), c.join);
    EXPECT_EQ(b.regCg, c.join ? 1 : 0);
    if (c.join) {
      EXPECT_NE(At(0, 0)->group, 0);
      EXPECT_EQ(At(0, 0)->group, At(0, 1)->group);
    } else {
      EXPECT_EQ(At(0, 0)->group, groupBefore);
    }
  }
}

TEST_F(BoardJoin, NoJoinWhileEitherSideIsTurning) {
  for (int turning : {0, 1}) {
    SCOPED_TRACE(turning);
    Board& b = Playing();
    Place(0, 0, 200, 200);
    Place(0, 1, 300, 200);
    (turning == 0 ? At(0, 0) : At(0, 1))->turnProgress = 0.5f;
    EXPECT_FALSE(b.Banzai(Z(0, 0)));
    EXPECT_EQ(At(0, 1)->group, 0);
  }
}

TEST_F(BoardJoin, NonSquareCellsJoinWhenEitherCellSideFits) {
  Board& b = Playing();
  for (Piece* p : {At(0, 0), At(0, 1)}) {
    p->cellW = 71;
    p->cellH = 72;
  }
  Place(0, 0, 200, 200);
  Place(0, 1, 281, 200);  // 81 apart: 10 off the width, 9 off the height
  EXPECT_TRUE(b.Banzai(Z(0, 0)));
  EXPECT_EQ(At(0, 0)->group, 1);
}

TEST_F(BoardJoin, TheDroppedPieceSnapsOntoItsNeighbour) {
  struct Case {
    float ax, ay, bx, by;
    int wantX, wantY;
  };
  for (const Case& c : {Case{200, 200, 305, 203, 205, 203}, Case{400, 300, 495, 296, 395, 296}}) {
    Board& b = Playing();
    Place(0, 0, c.ax, c.ay);
    Place(0, 1, c.bx, c.by);
    ASSERT_TRUE(b.Banzai(Z(0, 0)));
    EXPECT_EQ(At(0, 0)->GetPosX(), c.wantX);
    EXPECT_EQ(At(0, 0)->GetPosY(), c.wantY);
    EXPECT_EQ(At(0, 1)->GetPosX(), int(c.bx)) << "B stays";
  }
}

TEST_F(BoardJoin, EachJoinGivesANewGroupIdAndTheOldIdsDisappear) {
  Board& b = Playing();
  // First join: both pieces get id 1.
  Place(0, 0, 200, 200);
  Place(0, 1, 300, 200);
  ASSERT_TRUE(b.Banzai(Z(0, 0)));
  EXPECT_EQ(b.cstr, 1);
  EXPECT_EQ(At(0, 0)->group, 1);
  EXPECT_EQ(At(0, 1)->group, 1);
  EXPECT_EQ(b.glowGroup, 1);
  EXPECT_EQ(b.lastJoinedGroup, 1);
  EXPECT_EQ(b.zOrder[0]->group, 1) << "the new group is on top";
  EXPECT_EQ(b.zOrder[1]->group, 1);
  // Second group: id 2.
  Place(1, 0, 200, 500);
  Place(1, 1, 300, 500);
  ASSERT_TRUE(b.Banzai(Z(1, 0)));
  EXPECT_EQ(At(1, 1)->group, 2);
  // Group 2 dropped under group 1: merged into id 3.
  b.MoveStr(2, 0, -200);
  b.GlueNstr(Z(1, 0));
  for (Piece* p : {At(0, 0), At(0, 1), At(1, 0), At(1, 1)}) EXPECT_EQ(p->group, 3);
  for (Piece* p : b.zOrder) EXPECT_TRUE(p->group != 1 && p->group != 2);
  EXPECT_EQ(b.cstr, 3);
  EXPECT_EQ(b.regCg, 3);
}

TEST_F(BoardJoin, ADroppedGroupJoinsEveryNeighbourOfEveryMember) {
  Board& b = Playing();
  At(0, 0)->group = At(0, 1)->group = 1;
  b.cstr = 1;
  Place(0, 0, 200, 200);
  Place(0, 1, 300, 200);
  Place(1, 0, 200, 303);  // under the first member
  Place(0, 2, 404, 200);  // right of the second member
  b.GlueNstr(Z(0, 1));
  EXPECT_EQ(b.regCg, 2);
  const int g = At(0, 0)->group;
  for (Piece* p : {At(0, 1), At(1, 0), At(0, 2)}) EXPECT_EQ(p->group, g);
}

TEST_F(BoardJoin, ALockedSideLocksTheMergedGroup) {
  Board& b = Playing();
  Place(0, 0, 200, 200);
  Place(0, 1, 300, 200);
  At(0, 1)->locked = true;
  ASSERT_TRUE(b.Banzai(Z(0, 0)));
  EXPECT_TRUE(At(0, 0)->locked);
  EXPECT_TRUE(b.IsLockedPart(At(0, 0)));
}

TEST_F(BoardJoin, ThePieceDroppedBetweenTwoNeighboursJoinsBothTheSecondWithoutTime) {
  Board& b = Playing();
  RealPlaySounds();
  Place(0, 0, 200, 200);
  Place(0, 2, 400, 200);
  Place(0, 1, 302, 201);
  b.regT = 4.0;
  while (b.Banzai(Z(0, 1))) {
  }
  EXPECT_EQ(b.regCg, 2);
  EXPECT_EQ(At(0, 0)->group, At(0, 2)->group);
  // 13 points at 4 s, then 3 pieces at k = 2: 18.
  EXPECT_EQ(b.regSc, 13 + 18);
  EXPECT_EQ(Plays(eConLo), 1) << "the second join plays nothing";
  EXPECT_EQ(Plays(eConMi) + Plays(eConHi), 0);
}

TEST_F(BoardJoin, TheRigidPassPutsEachMemberExactlyBesideTheLowerGridIndex) {
  struct Case {
    const char* name;
    int rotation;
    float x, y;  // where (0,1) was pushed; (0,0) lies at (200, 200)
    int wantX, wantY;
  };
  for (const Case& c : {Case{"nudged", 0, 303, 198, 300, 200}, Case{"pushed far", 0, 270, 240, 300, 200},
                        Case{"turned once, below", 1, 203, 298, 200, 300}}) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    Place(0, 0, 200, 200, c.rotation);
    Place(0, 1, c.x, c.y, c.rotation);
    At(0, 0)->group = At(0, 1)->group = 4;
    b.Debug();
    EXPECT_EQ(At(0, 1)->pos.x, float(c.wantX));
    EXPECT_EQ(At(0, 1)->pos.y, float(c.wantY));
    EXPECT_EQ(At(0, 0)->pos.x, 200.0f);
    EXPECT_EQ(At(0, 0)->pos.y, 200.0f);
  }
}

// ---- every rotation and side with cells that are not square (160 x 150,
// as 800 x 600 cut 4 along the short side gives)

namespace {

constexpr int kW = 160, kH = 150;

// Where piece a lies from its grid neighbour b when both are turned r
// quarter turns clockwise: the upright offset (columns x width, rows x
// height), turned with them.
JST::iPOINT Beside(const Piece* a, const Piece* b, int r) {
  int x = (a->column - b->column) * kW, y = (a->row - b->row) * kH;
  for (int k = 0; k < r; ++k) {
    const int t = x;
    x = -y;
    y = t;
  }
  return JST::iPOINT(x, y);
}

// The 3 x 3 board with every piece's cell 160 x 150.
void NonSquare(Board& b) {
  for (Piece* p : b.gridOrder) {
    p->cellW = kW;
    p->cellH = kH;
  }
}

}  // namespace

// A = the centre piece (1, 1), dropped beside each of its four neighbours B
// at each rotation: with B's side of A offset along the line between them
// (`along`, away from B) and across it (`across`).
TEST_F(BoardJoin, EachSideAtEachRotationJoinsWithinNinePixelsAndSnapsExactly) {
  struct Offset {
    const char* name;
    int along, across;
    bool join;
  };
  const Offset offsets[] = {
      {"exactly", 0, 0, true},
      {"9 px across", 0, 9, true},
      {"9 px across, the other way", 0, -9, true},
      {"10 px across", 0, 10, false},
      {"10 px across, the other way", 0, -10, false},
      {"9 px away", 9, 0, true},
      {"20 px away: beyond both cell sides", 20, 0, false},
  };
  const JST::iPOINT neighbours[] = {{0, 1}, {1, 2}, {2, 1}, {1, 0}};  // (row, column)
  for (int r = 0; r < 4; ++r)
    for (JST::iPOINT n : neighbours)
      for (const Offset& o : offsets) {
        SCOPED_TRACE(testing::Message() << "rotation " << r << ", B (" << n.x << "," << n.y << "), " << o.name);
        Board& b = Playing();
        NonSquare(b);
        Piece* a = At(1, 1);
        Piece* nb = At(n.x, n.y);
        Place(n.x, n.y, 500, 380, r);
        const JST::iPOINT exact = Beside(a, nb, r);
        // Unit vectors along (B to A) and across.
        const int ux = exact.x > 0 ? 1 : exact.x < 0 ? -1 : 0, uy = exact.y > 0 ? 1 : exact.y < 0 ? -1 : 0;
        Place(1, 1, float(500 + exact.x + ux * o.along - uy * o.across),
              float(380 + exact.y + uy * o.along + ux * o.across), r);
        EXPECT_EQ(b.Banzai(Z(1, 1)), o.join);
        if (!o.join) {
          EXPECT_EQ(a->group, 0);
          continue;
        }
        EXPECT_NE(a->group, 0);
        EXPECT_EQ(a->group, nb->group);
        EXPECT_FLOAT_EQ(a->pos.x, float(500 + exact.x)) << "snapped exactly beside B";
        EXPECT_FLOAT_EQ(a->pos.y, float(380 + exact.y));
        EXPECT_FLOAT_EQ(nb->pos.x, 500.0f) << "B stays";
      }
}

// A 2 x 2 group at each rotation, each member nudged a few pixels: one
// rigid pass puts every member exactly beside (0, 0), which stays.
TEST_F(BoardJoin, TheRigidPassHoldsAGroupAtEachRotationWithCellsThatAreNotSquare) {
  const JST::iPOINT nudges[] = {{0, 0}, {4, -3}, {-5, 2}, {3, 5}};
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE(testing::Message() << "rotation " << r);
    Board& b = Playing();
    NonSquare(b);
    const Piece* corner = At(0, 0);
    int k = 0;
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 2; ++col, ++k) {
        const JST::iPOINT at = Beside(At(row, col), corner, r);
        Place(row, col, float(500 + at.x + nudges[k].x), float(380 + at.y + nudges[k].y), r);
        At(row, col)->group = 3;
      }
    b.cstr = 3;
    b.Debug();
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 2; ++col) {
        const JST::iPOINT at = Beside(At(row, col), corner, r);
        EXPECT_FLOAT_EQ(At(row, col)->pos.x, float(500 + at.x)) << row << "," << col;
        EXPECT_FLOAT_EQ(At(row, col)->pos.y, float(380 + at.y)) << row << "," << col;
      }
  }
}

// Both sides grouped or loose as the sizes say, on a 4 x 4 board.
TEST_F(BoardJoin, PointsSpeedPointsAndSoundOfAJoin) {
  struct Case {
    int sizeA, sizeB;
    double regT;
    int points, speedGain;
    ZOV::ST_A** sound;
  };
  const Case cases[] = {
      {1, 1, 4.0, 13, 0, &eConLo}, {1, 1, 0.5, 20, 4, &eConLo}, {1, 1, 0.0, 16, 2, nullptr},
      {3, 4, 1.0, 26, 2, &eConMi}, {10, 1, 3.0, 19, 0, &eConHi}, {1, 9, 2.0, 22, 1, &eConLo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sizeA << "+" << c.sizeB << " at " << c.regT);
    Board& b = Playing(4);
    RealPlaySounds();
    // A's side: grid pieces 0.., B's: the next ones; a side of one is loose.
    for (int k = 0; k < c.sizeA; ++k) b.gridOrder[size_t(k)]->group = c.sizeA > 1 ? 1 : 0;
    for (int k = 0; k < c.sizeB; ++k) b.gridOrder[size_t(c.sizeA + k)]->group = c.sizeB > 1 ? 2 : 0;
    b.regT = c.regT;
    b.regPf = 5;
    b.regSc = 100;
    const int got = b.CalculateRegistr(b.ZOf(b.gridOrder[0]), b.ZOf(b.gridOrder[size_t(c.sizeA)]));
    EXPECT_EQ(got, c.points);
    EXPECT_EQ(b.regSc, 100 + c.points);
    EXPECT_EQ(b.regPf, 5 + c.speedGain);
    EXPECT_EQ(b.joinSize, c.sizeA + c.sizeB);
    EXPECT_EQ(b.regT, 0.0);
    for (ZOV::ST_A** s : {&eConHi, &eConMi, &eConLo}) EXPECT_EQ(Plays(*s), s == c.sound ? 1 : 0);
  }
}

TEST_F(BoardJoin, AJoinRightAfterAnotherScoresAtMostTwoHundredPerPiece) {
  for (double t : {1e-30, -3.0, 0.001}) {
    SCOPED_TRACE(t);
    Board& b = Playing();
    b.regT = t;
    const int points = b.CalculateRegistr(Z(0, 0), Z(0, 1));
    EXPECT_GE(points, 12);
    EXPECT_LE(points, 2 * 200 + 12);
    EXPECT_GE(b.regPf, 0);
  }
}

// The frame first, clockwise from the top-left corner, then the centre.
TEST_F(BoardJoin, AThreeByThreePuzzleAssembledFrameFirst) {
  Board& b = Playing();
  RealPlaySounds();
  b.edgesOnly = true;
  EXPECT_EQ(b.regF, 9);
  EXPECT_EQ(b.regBr, 8);
  const int ring[8][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 0}};
  auto home = [](int row, int col) { return JST::fPOINT(float(200 + 100 * col), float(200 + 100 * row)); };
  Place(0, 0, 200, 200);
  std::vector<int> regBr, regF;
  for (int k = 1; k < 8; ++k) {
    const int row = ring[k][0], col = ring[k][1];
    Place(row, col, home(row, col).x + 2, home(row, col).y - 3);
    b.regT = 1.0;
    while (b.Banzai(Z(row, col))) {
    }
    regBr.push_back(b.regBr);
    regF.push_back(b.regF);
    if (k < 7) {
      EXPECT_EQ(b.regFinishP, 0);
      EXPECT_EQ(b.frameLight, Board::kIndexIdle);
      EXPECT_TRUE(b.edgesOnly);
    }
  }
  EXPECT_EQ(regBr, (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(regF, (std::vector<int>{8, 7, 6, 5, 4, 3, 2}));
  EXPECT_EQ(b.regFinishP, 8);
  EXPECT_EQ(b.frameLight, 0) << "the frame light starts";
  EXPECT_FALSE(b.edgesOnly);
  EXPECT_EQ(BorderToolReleases(), 1);
  EXPECT_EQ(b.winSparkle, Board::kIndexIdle);
  EXPECT_EQ(b.Update(0, 0.0f), 0);
  // The complete frame has moved onto the picture's place (300 x 300 at the
  // screen centre): its corner piece's home is (412, 284).
  EXPECT_FLOAT_EQ(At(0, 0)->pos.x, 412.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.y, 284.0f);
  EXPECT_FLOAT_EQ(At(2, 2)->pos.x, 612.0f);
  EXPECT_FLOAT_EQ(At(2, 2)->pos.y, 484.0f);

  // The centre piece onto the frame.
  Place(1, 1, 513, 383);
  b.regT = 1.0;
  while (b.Banzai(Z(1, 1))) {
  }
  EXPECT_EQ(b.regF, 1);
  EXPECT_EQ(b.regFinishP, 9);
  EXPECT_EQ(b.regCg, 8);
  EXPECT_EQ(BorderToolReleases(), 1) << "released once";
  // Joins of 2..8 pieces and the last of 9, each at k = 2, plus 9 for the
  // finished puzzle.
  EXPECT_EQ(b.regSc, (16 + 18 + 20 + 22 + 24 + 26 + 28) + 30 + 9);
  EXPECT_EQ(b.regPf, 16);
  EXPECT_EQ(Plays(eLevelWin), 1);
  EXPECT_EQ(b.winSparkle, 0) << "the sparkles start";
  for (Piece* p : b.zOrder) EXPECT_EQ(p->group, b.zOrder[0]->group);
  for (int frame = 0; frame < 4; ++frame) EXPECT_EQ(b.Update(0, 0.0f), 1);
  EXPECT_EQ(Plays(eLevelWin), 1);
}

TEST_F(BoardJoin, InPlayTheCountersAreRecountedFromTheFrameGroup) {
  struct Case {
    const char* name;
    std::vector<int> frameGroup;  // grid indices in grid piece 0's group
    int regCg;
    int wantBr, wantFinish, wantF, wantLight;
  };
  const Case cases[] = {
      {"frame finished", {0, 1, 2, 3, 5, 6, 7, 8}, 7, 1, 8, 2, Board::kIndexDone},
      {"three corner pieces joined", {0, 1, 2}, 2, 6, 0, 7, Board::kIndexIdle},
      {"nothing joined", {}, 0, 8, 0, 9, Board::kIndexIdle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    for (int k : c.frameGroup) b.gridOrder[size_t(k)]->group = 5;
    b.regCg = c.regCg;
    b.regSc = 77;
    b.regTa = 12.5;
    b.ResetRegistr();
    EXPECT_EQ(b.regBr, c.wantBr);
    EXPECT_EQ(b.regFinishP, c.wantFinish);
    EXPECT_EQ(b.regF, c.wantF);
    EXPECT_EQ(b.frameLight, c.wantLight);
    EXPECT_EQ(b.regSc, 77) << "kept in play";
    EXPECT_EQ(b.regTa, 12.5);
    // The groups lie under the loose pieces.
    const size_t n = b.zOrder.size();
    for (size_t z = 0; z < n; ++z) EXPECT_EQ(b.zOrder[z]->group != 0, z >= n - c.frameGroup.size()) << z;
  }
}

}  // namespace
