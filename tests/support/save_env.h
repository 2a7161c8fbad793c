// The saved-game tests' shared ground: a board on the recording graphics
// backend at 1024 x 768 with a 300 x 300 picture (Min 3 cuts 3 x 3 cells of
// 100 x 100), the player folder the saves go to, and the 3 x 3 board of the
// round trip.
#pragma once

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
#include "GAME/ui/shared_assets.h"
#include "ST/file.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"
#include "tests/support/as_user.h"

namespace savetest {

namespace fs = std::filesystem;
using Board = GAME::PUZZLE_PIECES_SYSTEM;
using GAME::SAVED_GAME;
using GAME::SaveRead;

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
// group 2 (cstr 2: ids as a resume numbers them), pieces 2 and 7 turned, piece 6 in the pocket, positions
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
  b.gridOrder[4]->group = b.gridOrder[5]->group = 2;
  b.cstr = 2;
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

}  // namespace savetest
