// The trophies of a finished puzzle: the player's lifetime counters grow by
// the puzzle's results, the seven trophy levels of the settings record move,
// and the record of the puzzle (GAME::REG) notes every level that changed.
// Plain data and one function: no drawing, no files, no globals read (the
// thresholds are passed in; TROPHY_THRESHOLDS::FromConfig reads the
// configured ones). Any thread.
//
// The rules, in this order (p the player's record, r the puzzle's):
//   collector      p.Pieces  += finished pieces; levels by COLLECTOR_1..5,
//                  compared unsigned; band
//   jigsaw master  p.Score   += score; JIGSAW_MASTER_1..3, unsigned; band
//   endurance      n = the puzzle's pieces; ENDURANCE_1..4; rises
//   meditation     p.PlayTime += whole seconds played; MEDITATION_1..4; band
//   inconstancy    p.Puzzles += 1; BICH_1..4; band
//   sage           the puzzle's fast joins; SAGE_1..6; rises
//   lord           n >= 200, no pocket, no hint, no sort, not yet won: once
// A level is the number of thresholds, taken in order, the counter is not
// below ("below T1: 0, below T2: 1, ..."). A band level follows its counter
// (up or down: a raised threshold can lower it) and r notes the new level
// whenever it changes (a fall to 0 therefore looks like no change); a rising
// level is taken and noted only when higher than the player's.
//
// The counters never wrap: the two compared unsigned stop at 0xFFFFFFFF, the
// others at INT32_MAX, and a negative result adds nothing.
#pragma once

#include <array>

#include "GAME/board/reg.h"

namespace GAME {

class PUZZLE_PLAYER_PROFILE;

struct TROPHY_THRESHOLDS {
  std::array<int, 5> collector{};
  std::array<int, 3> jigsawMaster{};
  std::array<int, 4> endurance{};
  std::array<int, 4> meditation{};
  std::array<int, 4> inconstancy{};
  std::array<int, 6> sage{};

  // The configured thresholds (COLLECTOR_1 ... SAGE_6).
  static TROPHY_THRESHOLDS FromConfig();
};

// What the trophies are computed from.
struct FINISHED_PUZZLE {
  int pieces = 0;          // rows x cols
  int finishedPieces = 0;  // the pieces the player joined into the finished frame and picture
  int score = 0;
  double seconds = 0.0;  // time played on the puzzle
  int fastJoins = 0;     // the sage's counter
  int hints = 0;
  bool pocketUsed = false;
  bool sortUsed = false;
};

// The smallest puzzle that can win the lord trophy.
inline constexpr int kLordPieces = 200;

// Updates p's counters and levels and notes the changes in r's trophy
// fields (which it sets, 0 for no change).
void AwardTrophies(const FINISHED_PUZZLE& puzzle, const TROPHY_THRESHOLDS& thresholds, PUZZLE_PLAYER_PROFILE* p,
                   REG* r);

// r's time fields from the seconds played: whole hours, then minutes and
// seconds below an hour. Negative or non-finite times count as 0, longer
// than INT32_MAX seconds as INT32_MAX.
void SetPlayTime(double seconds, REG* r);

}  // namespace GAME
