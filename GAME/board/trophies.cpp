#include "GAME/board/trophies.h"

#include <cstdint>
#include <limits>

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"

namespace GAME {

namespace {

using Profile = PUZZLE_PLAYER_PROFILE;

// The level of `value` against thresholds taken in order: how many of them
// it is not below before the first it is below.
template <typename T, size_t N>
int Level(T value, const std::array<int, N>& thresholds) {
  int level = 0;
  for (int t : thresholds) {
    if (value < T(t)) break;
    ++level;
  }
  return level;
}
template <size_t N>
int LevelUnsigned(int32_t value, const std::array<int, N>& thresholds) {
  int level = 0;
  for (int t : thresholds) {
    if (uint32_t(value) < uint32_t(t)) break;
    ++level;
  }
  return level;
}

// The counter follows its level; r notes a change.
void Band(int level, uint8_t* held, int* noted) {
  if (level != int(*held)) {
    *held = uint8_t(level);
    *noted = level;
  }
}
// Only a higher level is taken and noted.
void Rise(int level, uint8_t* held, int* noted) {
  if (level > int(*held)) {
    *held = uint8_t(level);
    *noted = level;
  }
}

// Counters compared unsigned: add, stopping at the largest value.
void AddUnsigned(int32_t* counter, int64_t add) {
  if (add <= 0) return;
  const uint64_t sum = uint64_t(uint32_t(*counter)) + uint64_t(add);
  *counter = int32_t(uint32_t(sum > 0xFFFFFFFFull ? 0xFFFFFFFFull : sum));
}
// Signed counters: add, stopping at INT32_MAX.
void AddSigned(int32_t* counter, int64_t add) {
  if (add <= 0) return;
  const int64_t sum = int64_t(*counter) + add;
  *counter = int32_t(sum > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : sum);
}

// Whole seconds, held inside [0, INT32_MAX].
int32_t WholeSeconds(double seconds) {
  if (!(seconds > 0.0)) return 0;
  if (seconds >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return int32_t(seconds);
}

}  // namespace

TROPHY_THRESHOLDS TROPHY_THRESHOLDS::FromConfig() {
  TROPHY_THRESHOLDS t;
  t.collector = {COLLECTOR_1, COLLECTOR_2, COLLECTOR_3, COLLECTOR_4, COLLECTOR_5};
  t.jigsawMaster = {JIGSAW_MASTER_1, JIGSAW_MASTER_2, JIGSAW_MASTER_3};
  t.endurance = {ENDURANCE_1, ENDURANCE_2, ENDURANCE_3, ENDURANCE_4};
  t.meditation = {MEDITATION_1, MEDITATION_2, MEDITATION_3, MEDITATION_4};
  t.inconstancy = {BICH_1, BICH_2, BICH_3, BICH_4};
  t.sage = {SAGE_1, SAGE_2, SAGE_3, SAGE_4, SAGE_5, SAGE_6};
  return t;
}

void AwardTrophies(const FINISHED_PUZZLE& puzzle, const TROPHY_THRESHOLDS& t, PUZZLE_PLAYER_PROFILE* p, REG* r) {
  if (!r) return;
  r->collector = r->jigsawMaster = r->endurance = r->meditation = r->inconstancy = r->sage = r->lord = 0;
  if (!p) return;
  uint8_t* level = p->trofei;
  // Collector: pieces collected over all puzzles.
  AddUnsigned(&p->Pieces, puzzle.finishedPieces);
  Band(LevelUnsigned(p->Pieces, t.collector), &level[Profile::COLLECTOR], &r->collector);
  // Jigsaw master: the total score.
  AddUnsigned(&p->Score, puzzle.score);
  Band(LevelUnsigned(p->Score, t.jigsawMaster), &level[Profile::JIGSAW_MASTER], &r->jigsawMaster);
  // Endurance: the size of this puzzle.
  Rise(Level(puzzle.pieces, t.endurance), &level[Profile::ENDURANCE], &r->endurance);
  // Meditation: the time played over all puzzles.
  AddSigned(&p->PlayTime, WholeSeconds(puzzle.seconds));
  Band(Level(p->PlayTime, t.meditation), &level[Profile::MEDITATION], &r->meditation);
  // Inconstancy: the puzzles solved.
  AddSigned(&p->Puzzles, 1);
  Band(Level(p->Puzzles, t.inconstancy), &level[Profile::INCONSTANCY], &r->inconstancy);
  // Sage: the fast joins of this puzzle.
  Rise(Level(puzzle.fastJoins, t.sage), &level[Profile::SAGE], &r->sage);
  // Lord: a large puzzle without any help, once.
  if (puzzle.pieces >= kLordPieces && !puzzle.pocketUsed && puzzle.hints == 0 && !puzzle.sortUsed &&
      level[Profile::LORD] == 0) {
    level[Profile::LORD] = 1;
    r->lord = 1;
  }
}

void SetPlayTime(double seconds, REG* r) {
  if (!r) return;
  const int32_t s = WholeSeconds(seconds);
  // (int)(seconds / 3600) and (int)seconds / 3600 agree: both truncate.
  r->hours = s / 3600;
  r->minutes = (s / 60) % 60;
  r->seconds = s % 60;
}

}  // namespace GAME
