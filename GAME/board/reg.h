// GAME::REG: the record of one finished puzzle. The end of the level fills
// it and hands it to the win dialog, which owns it from then on; the score
// board fills one per line of the progress file for its rows.
//
// Eighteen ints, in this order, all 0 from the constructor:
//
//    1 day        day of the month (local time at the win)
//    2 month      1..12
//    3 year       four digits
//    4 hours      whole hours of the time played
//    5 minutes    minutes of the time played, 0..59
//    6 seconds    seconds of the time played, 0..59
//    7 pieces     rows x cols
//    8 score      the puzzle's score
//    9 speed      the speed points
//   10 hints      hints used
//   11 rotation   1 when pieces could be turned, else 0
//   12..17        the new level of the collector, jigsaw master, endurance,
//                 meditation, inconstancy and sage trophies; 0 when the
//                 puzzle left that trophy unchanged
//   18 lord       1 when the lord trophy was won on this puzzle, else 0
//
// Plain data: no drawing, no files. Any thread.
#pragma once

#include <array>

namespace GAME {

struct REG {
  // The trophies in the record's order (the order of the player record's
  // trophy levels, too).
  static constexpr int kTrophyKinds = 7;

  int day = 0;
  int month = 0;
  int year = 0;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  int pieces = 0;
  int score = 0;
  int speed = 0;
  int hints = 0;
  int rotation = 0;
  int collector = 0;
  int jigsawMaster = 0;
  int endurance = 0;
  int meditation = 0;
  int inconstancy = 0;
  int sage = 0;
  int lord = 0;

  // The seven trophy fields, collector first, lord last.
  std::array<int, kTrophyKinds> Trophies() const {
    return {collector, jigsawMaster, endurance, meditation, inconstancy, sage, lord};
  }
  // Whether any trophy field is not 0.
  bool AnyTrophy() const {
    for (int level : Trophies())
      if (level != 0) return true;
    return false;
  }
};

}  // namespace GAME
