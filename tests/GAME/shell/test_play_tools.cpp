// The play panel's tools clicked in a puzzle in play, through the scene
// manager as a player clicks them: each acts on the board, and the toggles
// and the hint show their button pushed while they are on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "GAME/shell/play_panel.h"
#include "ST/button.h"
#include "ST/game.h"
#include "tests/support/puzzle_env.h"

namespace scenetest {
namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;

constexpr int kEnter = 13;

struct Tool {
  const char* name;
  int code;
  // Whether the tool's button stays pushed afterwards.
  bool pushed;
  // The tool's effect, looked at once the board has played a few frames.
  std::function<void(const Board&)> check;
};

// Test listings name a case by its name alone.
void PrintTo(const Tool& t, std::ostream* os) { *os << t.name; }

int HintPieces(const Board& b) {
  int n = 0;
  for (const GAME::PUZZLE_PIECES* p : b.zOrder) n += p->hint ? 1 : 0;
  return n;
}

class PlayTools : public PuzzleEnv, public ::testing::WithParamInterface<Tool> {};

TEST_P(PlayTools, AClickOnTheToolActsOnTheBoard) {
  WriteCatalogue({{Picture("01")}});
  Load();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(WaitForRest());
  const Tool& tool = GetParam();
  Click(scene->playPanel->Button(tool.code));
  player->Frames(3);
  ASSERT_TRUE(WaitForRest());
  tool.check(*scene->board);
  EXPECT_EQ(!scene->playPanel->Button(tool.code)->active, tool.pushed) << "the button's look";
}

INSTANTIATE_TEST_SUITE_P(
    Tools, PlayTools,
    ::testing::Values(
        Tool{"Hint", PLAY_PANEL::kHelp, true,
             [](const Board& b) {
               EXPECT_TRUE(b.hintShown);
               EXPECT_EQ(b.regH, 1) << "one hint counted";
               EXPECT_EQ(HintPieces(b), 2);
               // The two pulsing pieces are grid neighbours.
               EXPECT_EQ(std::abs(b.hintFirst.x - b.hintSecond.x) + std::abs(b.hintFirst.y - b.hintSecond.y), 1);
             }},
        Tool{"Sort", PLAY_PANEL::kSort, false,
             [](const Board& b) {
               EXPECT_TRUE(b.regGVN2) << "the sort is marked as used";
               // The four corner pieces rest in the play area's corners.
               const int c = b.gridOrder[0]->cellW;
               const int w = b.cols, h = b.rows;
               const struct {
                 int index, x, y;
               } corners[] = {{0, b.clipTopLeft.x + c, b.clipTopLeft.y + c},
                              {w - 1, b.clipBottomRight.x - c, b.clipTopLeft.y + c},
                              {(h - 1) * w, b.clipTopLeft.x + c, b.clipBottomRight.y - c},
                              {h * w - 1, b.clipBottomRight.x - c, b.clipBottomRight.y - c}};
               for (const auto& k : corners) {
                 const GAME::PUZZLE_PIECES* p = b.gridOrder[size_t(k.index)];
                 EXPECT_NEAR(p->pos.x, k.x, GAME::PUZZLE_PIECES::kGlideStop) << "grid piece " << k.index;
                 EXPECT_NEAR(p->pos.y, k.y, GAME::PUZZLE_PIECES::kGlideStop) << "grid piece " << k.index;
               }
             }},
        Tool{"EdgesOnly", PLAY_PANEL::kBorder, true, [](const Board& b) { EXPECT_TRUE(b.edgesOnly); }},
        Tool{"FadedPicture", PLAY_PANEL::kFrame, true, [](const Board& b) { EXPECT_TRUE(b.showFrame); }},
        Tool{"PreviewFrame", PLAY_PANEL::kFly, true, [](const Board& b) { EXPECT_TRUE(b.showLitleFrame); }},
        Tool{"Magnifier", PLAY_PANEL::kMagnifier, true, [](const Board& b) { EXPECT_TRUE(b.MagnifierOn()); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenetest
