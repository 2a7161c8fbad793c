// The trophies of a finished puzzle on plain data: the lifetime counters,
// the band and rising rules, the lord trophy, counters that never wrap, and
// the time played split into the record's hours, minutes and seconds.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "GAME/board/reg.h"
#include "GAME/board/trophies.h"
#include "GAME/config/player_record.h"

namespace {

using GAME::FINISHED_PUZZLE;
using GAME::REG;
using GAME::TROPHY_THRESHOLDS;
using Profile = GAME::PUZZLE_PLAYER_PROFILE;

TROPHY_THRESHOLDS Thresholds() {
  TROPHY_THRESHOLDS t;
  t.collector = {100, 300, 1000, 3000, 10000};
  t.jigsawMaster = {1000, 10000, 100000};
  t.endurance = {50, 100, 200, 300};
  t.meditation = {600, 3600, 36000, 360000};
  t.inconstancy = {1, 10, 50, 100};
  t.sage = {5, 10, 20, 40, 80, 160};
  return t;
}

// 90 pieces collected, 950 points, 500 s played, nothing solved, no trophy.
Profile Player() {
  Profile p;
  p.Pieces = 90;
  p.Score = 950;
  p.PlayTime = 500;
  p.Puzzles = 0;
  return p;
}

// A 4 x 3 puzzle: 12 pieces joined, 60 points, 130.4 s, 7 fast joins, one
// hint.
FINISHED_PUZZLE FourByThree() {
  FINISHED_PUZZLE f;
  f.pieces = 12;
  f.finishedPieces = 12;
  f.score = 60;
  f.seconds = 130.4;
  f.fastJoins = 7;
  f.hints = 1;
  return f;
}

std::vector<int> Fields(const REG& r) {
  const auto t = r.Trophies();
  return std::vector<int>(t.begin(), t.end());
}
std::vector<int> Levels(const Profile& p) { return std::vector<int>(p.trofei, p.trofei + Profile::kTrophies); }

TEST(Trophies, AFirstPuzzleMovesEveryBandTrophyItsCounterCrossesAndTheSageItsJoinsReach) {
  Profile p = Player();
  REG r;
  GAME::AwardTrophies(FourByThree(), Thresholds(), &p, &r);
  // collector 102 >= 100, score 1010 >= 1000, 12 pieces < 50 (endurance
  // unchanged), 630 s >= 600, 1 puzzle >= 1, 7 fast joins >= 5.
  EXPECT_EQ(Fields(r), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
  EXPECT_EQ(Levels(p), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
  EXPECT_EQ(p.Pieces, 102);
  EXPECT_EQ(p.Score, 1010);
  EXPECT_EQ(p.PlayTime, 630);
  EXPECT_EQ(p.Puzzles, 1);

  // The same puzzle again: nothing changes level, so nothing is noted.
  REG again;
  GAME::AwardTrophies(FourByThree(), Thresholds(), &p, &again);
  EXPECT_EQ(Fields(again), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Levels(p), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
  EXPECT_EQ(p.Pieces, 114);
  EXPECT_EQ(p.Puzzles, 2);
}

TEST(Trophies, RisingTrophiesOnlyRise) {
  struct Case {
    const char* name;
    int pieces, fastJoins;
    uint8_t enduranceBefore, sageBefore;
    int enduranceNoted, enduranceAfter, sageNoted, sageAfter;
  };
  const Case cases[] = {
      {"150 pieces from 0", 150, 0, 0, 0, 2, 2, 0, 0},    {"150 pieces from 1", 150, 0, 1, 0, 2, 2, 0, 0},
      {"150 pieces at 2", 150, 0, 2, 0, 0, 2, 0, 0},      {"150 pieces never lowers 3", 150, 0, 3, 0, 0, 3, 0, 0},
      {"300 pieces: the top", 300, 0, 3, 0, 4, 4, 0, 0},  {"49 pieces: below the first", 49, 0, 2, 0, 0, 2, 0, 0},
      {"160 fast joins", 12, 160, 0, 2, 0, 0, 6, 6},      {"4 fast joins never lowers", 12, 4, 0, 3, 0, 0, 0, 3},
      {"39 fast joins from 3", 12, 39, 0, 3, 0, 0, 0, 3}, {"40 fast joins from 3", 12, 40, 0, 3, 0, 0, 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile p = Player();
    p.trofei[Profile::ENDURANCE] = c.enduranceBefore;
    p.trofei[Profile::SAGE] = c.sageBefore;
    FINISHED_PUZZLE f = FourByThree();
    f.pieces = c.pieces;
    f.fastJoins = c.fastJoins;
    REG r;
    GAME::AwardTrophies(f, Thresholds(), &p, &r);
    EXPECT_EQ(r.endurance, c.enduranceNoted);
    EXPECT_EQ(p.trofei[Profile::ENDURANCE], c.enduranceAfter);
    EXPECT_EQ(r.sage, c.sageNoted);
    EXPECT_EQ(p.trofei[Profile::SAGE], c.sageAfter);
  }
}

TEST(Trophies, ABandTrophyFollowsItsCounterDownWhenAThresholdIsRaised) {
  // Collector 1 held, the first threshold raised to 200, 150 collected at
  // the end: the level falls to 0, which the record cannot tell from "no
  // change".
  Profile p = Player();
  p.Pieces = 138;
  p.trofei[Profile::COLLECTOR] = 1;
  TROPHY_THRESHOLDS t = Thresholds();
  t.collector[0] = 200;
  REG r;
  GAME::AwardTrophies(FourByThree(), t, &p, &r);
  EXPECT_EQ(p.Pieces, 150);
  EXPECT_EQ(p.trofei[Profile::COLLECTOR], 0);
  EXPECT_EQ(r.collector, 0);
}

TEST(Trophies, BandLevelsAtEachThreshold) {
  struct Case {
    const char* name;
    int32_t pieces, score, seconds, puzzles;  // before this puzzle
    std::array<int, 4> levels;                // collector, jigsaw master, meditation, inconstancy
  };
  // The puzzle adds 12 pieces, 60 points, 130 s and one puzzle.
  const Case cases[] = {
      {"just below each first", 87, 939, 469, -1, {0, 0, 0, 0}},
      {"at each first", 88, 940, 470, 0, {1, 1, 1, 1}},
      {"at each second", 288, 9940, 3470, 9, {2, 2, 2, 2}},
      {"at the tops", 9988, 99940, 359870, 99, {5, 3, 4, 4}},
      {"far past the tops", 1000000, 5000000, 5000000, 5000, {5, 3, 4, 4}},
      // Pieces and score compare unsigned: a counter past INT32_MAX is at
      // the top, not below the first threshold.
      {"unsigned counters past INT32_MAX", int32_t(0x80000000u), int32_t(0x90000000u), 0, -5, {5, 3, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile p;
    p.Pieces = c.pieces;
    p.Score = c.score;
    p.PlayTime = c.seconds;
    p.Puzzles = c.puzzles;
    REG r;
    GAME::AwardTrophies(FourByThree(), Thresholds(), &p, &r);
    EXPECT_EQ((std::array<int, 4>{p.trofei[Profile::COLLECTOR], p.trofei[Profile::JIGSAW_MASTER],
                                  p.trofei[Profile::MEDITATION], p.trofei[Profile::INCONSTANCY]}),
              c.levels);
    EXPECT_EQ((std::array<int, 4>{r.collector, r.jigsawMaster, r.meditation, r.inconstancy}), c.levels)
        << "every change from 0 is noted";
  }
}

TEST(Trophies, TheLordIsWonOnceOnALargePuzzleWithoutHelp) {
  struct Case {
    const char* name;
    int pieces;
    bool pocket, sort;
    int hints;
    uint8_t held;
    int won;
  };
  const Case cases[] = {
      {"10 x 20 without help", 200, false, false, 0, 0, 1},
      {"14 x 14 is too small", 196, false, false, 0, 0, 0},
      {"199 pieces is too small", 199, false, false, 0, 0, 0},
      {"the pocket used", 200, true, false, 0, 0, 0},
      {"a hint used", 300, false, false, 1, 0, 0},
      {"the sort used", 200, false, true, 0, 0, 0},
      {"already won", 200, false, false, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile p = Player();
    p.trofei[Profile::LORD] = c.held;
    FINISHED_PUZZLE f = FourByThree();
    f.pieces = c.pieces;
    f.pocketUsed = c.pocket;
    f.sortUsed = c.sort;
    f.hints = c.hints;
    REG r;
    GAME::AwardTrophies(f, Thresholds(), &p, &r);
    EXPECT_EQ(r.lord, c.won);
    EXPECT_EQ(p.trofei[Profile::LORD], c.won == 1 ? 1 : c.held);
  }
}

TEST(Trophies, CountersStopAtTheirLargestValueInsteadOfWrapping) {
  Profile p;
  p.Pieces = int32_t(0xFFFFFFF0u);
  p.Score = int32_t(0xFFFFFFFFu);
  p.PlayTime = 0x7FFFFFF0;
  p.Puzzles = 0x7FFFFFFF;
  for (uint8_t& level : p.trofei) level = 0;
  FINISHED_PUZZLE f = FourByThree();
  f.finishedPieces = 100;
  f.seconds = 1e12;
  REG r;
  GAME::AwardTrophies(f, Thresholds(), &p, &r);
  EXPECT_EQ(uint32_t(p.Pieces), 0xFFFFFFFFu);
  EXPECT_EQ(uint32_t(p.Score), 0xFFFFFFFFu);
  EXPECT_EQ(p.PlayTime, 0x7FFFFFFF);
  EXPECT_EQ(p.Puzzles, 0x7FFFFFFF);
  EXPECT_EQ(Levels(p), (std::vector<int>{5, 3, 0, 4, 4, 1, 0}));
}

TEST(Trophies, WithoutAPlayerRecordNothingIsNoted) {
  REG r;
  r.collector = r.lord = 9;  // stale values are cleared
  GAME::AwardTrophies(FourByThree(), Thresholds(), nullptr, &r);
  EXPECT_EQ(Fields(r), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
}

TEST(Trophies, ThePlayTimeSplitsIntoHoursMinutesAndSeconds) {
  struct Case {
    double seconds;
    int h, m, s;
  };
  for (const Case& c : {Case{3725.9, 1, 2, 5}, Case{125.9, 0, 2, 5}, Case{130.4, 0, 2, 10}, Case{59.99, 0, 0, 59},
                        Case{90061.0, 25, 1, 1}, Case{-3.0, 0, 0, 0}, Case{1e300, 596523, 14, 7}}) {
    SCOPED_TRACE(c.seconds);
    REG r;
    GAME::SetPlayTime(c.seconds, &r);
    EXPECT_EQ(r.hours, c.h);
    EXPECT_EQ(r.minutes, c.m);
    EXPECT_EQ(r.seconds, c.s);
  }
}

}  // namespace
