// The level counters: their start values (or their recount once in play),
// and what each join does to them: parts and border parts left, the frame's
// completion, joins, speed points, the score with its join sound, and the
// end of the puzzle.
//
// The points, the time factor and the sound choice are the rules of
// join_score.h.
#include <algorithm>

#include "GAME/board/board.h"
#include "GAME/board/join_score.h"
#include "GAME/board/pocket.h"
#include "GAME/shell/menu_actions.h"
#include "GAME/ui/shared_assets.h"
#include "ST/sound.h"

namespace GAME {

namespace {

ZOV::ST_A* SoundOf(JoinSound s) {
  switch (s) {
    case JoinSound::kHigh:
      return eConHi;
    case JoinSound::kMid:
      return eConMi;
    case JoinSound::kLow:
      return eConLo;
    case JoinSound::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

void PUZZLE_PIECES_SYSTEM::CheckRegistr(int groupA, int groupB, bool looseEdge) {
  sizeA = sizeB = 0;
  bool edgeA = false, edgeB = false;
  for (const PUZZLE_PIECES* p : zOrder) {
    if (p->group == groupA) {
      ++sizeA;
      if (p->edge && groupA != 0) edgeA = true;
    }
    if (p->group == groupB) {
      ++sizeB;
      if (p->edge && groupB != 0) edgeB = true;
    }
  }
  joinSize = sizeA + sizeB;
  if (!looseEdge && edgeA && edgeB) --regBr;
  if (looseEdge && (edgeA || edgeB)) --regBr;
}

int PUZZLE_PIECES_SYSTEM::CalculateRegistr(int i, int j) {
  const PUZZLE_PIECES* a = zOrder[size_t(i)];
  const PUZZLE_PIECES* b = zOrder[size_t(j)];
  // 1. - 4. Parts, border parts and the two sides' sizes.
  --regF;
  if (a->group == 0 && b->group == 0) {
    sizeA = sizeB = 1;
    if (a->edge && b->edge) --regBr;
  } else if (a->group == 0 || b->group == 0) {
    if (a->group != 0) {
      CheckRegistr(a->group, 0, b->edge);
      sizeB = 1;
    } else {
      CheckRegistr(0, b->group, a->edge);
      sizeA = 1;
    }
  } else {
    CheckRegistr(a->group, b->group, false);
  }
  joinSize = sizeA + sizeB;
  // 6. The frame.
  if (regBr < 2) {
    if (regFinishP == 0) {
      edgesOnly = false;
      GAME::OffButtonRenderBorder();
      regFinishP = joinSize;
    } else {
      const int frame = gridOrder.empty() || !gridOrder[0] ? 0 : gridOrder[0]->group;
      if (frame != 0 && a->group == frame) regFinishP += sizeB;
      if (frame != 0 && b->group == frame) regFinishP += sizeA;
    }
    if (regF > 1 && frameLight == kIndexIdle) {
      frameLight = 0;
      frameLightTimer = 0.0f;
    }
  }
  // 7. - 8. One more join; a timed one sounds by its size.
  ++regCg;
  ZOV::SoundRender(SoundOf(JoinSoundFor(regT, sizeA, sizeB)));
  // 9. - 11. The speed and the points, more for a quicker join.
  const double k = JoinFactor(regT);
  regPf = int(double(regPf) + k);
  const int points = JoinPoints(joinSize, k);
  regSc += points;
  // 12. The puzzle is complete.
  if (regF < 2) {
    regSc += rows * cols;
    if (winSparkle == kIndexIdle) {
      // The pocket shuts now, not after the sparkles: they run over the
      // whole picture.
      if (pocket) pocket->Reset();
      winSparkle = 0;
      sparkleTimer = 0.0f;
      ZOV::SoundRender(eLevelWin);
    }
  }
  // 13. The score shown; the join clock starts again.
  ShowScore(regSc);
  regT = 0.0;
  return points;
}

void PUZZLE_PIECES_SYSTEM::ResetRegistr() {
  regBr = 2 * (cols + rows - 2);
  regF = rows * cols;
  regFinishP = 0;
  sizeA = sizeB = joinSize = 0;
  regGVN = regGVN2 = false;
  regPf = 0;
  regFastGlue = 0;
  if (state != kStatePlay) {
    regT = regTa = 0.0;
    regH = regCg = regSc = 0;
    regPf = 0;
    return;
  }
  // In play: the frame is recounted from the group of grid piece 0, and
  // the groups go under the loose pieces.
  const int frame = gridOrder.empty() || !gridOrder[0] ? 0 : gridOrder[0]->group;
  int frameSize = 0;
  for (size_t k = 0; k < gridOrder.size(); ++k) {
    const PUZZLE_PIECES* p = gridOrder[k];
    if (!p || frame == 0 || p->group != frame) continue;
    ++frameSize;
    if (k != 0 && p->edge) --regBr;
  }
  std::stable_partition(zOrder.begin(), zOrder.end(), [](const PUZZLE_PIECES* p) { return p->group == 0; });
  if (regBr < 2) regFinishP += frameSize;
  regF = rows * cols - regCg;
  if (regBr < 2) {
    SwapStrUp(frame, false);
    frameLight = kIndexDone;
  }
}

}  // namespace GAME
