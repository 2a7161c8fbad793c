// Play's side of the owned parts: what mouse play and joins ask of the
// pocket, the preview frame, the score counter and the effects. Without its
// part each answers as if the part were absent: the pointer is never over
// the pocket, the pocket is closed and still, nothing is shown.
#include <string>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/score.h"
#include "GAME/ui/shared_assets.h"
#include "ST/game.h"
#include "ST/particles.h"

namespace GAME {

bool PUZZLE_PIECES_SYSTEM::PointerOverPocket() const { return pocket && pocket->MouseInPocket(); }

bool PUZZLE_PIECES_SYSTEM::PocketOpen() const { return pocket && pocket->open; }

int PUZZLE_PIECES_SYSTEM::PocketMotion() const { return pocket ? pocket->motion : PUZZLE_POCKET::kResting; }

void PUZZLE_PIECES_SYSTEM::PlaceInPocket(PUZZLE_PIECES* p) {
  if (!pocket || !p) return;
  // One cell of room at the right and bottom, with the cell of grid piece 0
  // (its height for the vertical range).
  const PUZZLE_PIECES* first = gridOrder.empty() ? nullptr : gridOrder[0];
  const int cw = first ? first->cellW : 0, ch = first ? first->cellH : 0;
  const int maxX = pocket->Width() - cw, maxY = pocket->Height() - ch;
  const int x = maxX > 0 ? game_->Rand(0, maxX) : 0;
  const int y = maxY > 0 ? game_->Rand(0, maxY) : 0;
  p->SetPos(x, y);
}

int PUZZLE_PIECES_SYSTEM::UpdatePreviewFrame() { return previewFrame ? previewFrame->Update(0, 0.0f) : 0; }

void PUZZLE_PIECES_SYSTEM::ResizePreviewFrame(int size) {
  if (previewFrame) previewFrame->SetSize(size);
}

void PUZZLE_PIECES_SYSTEM::MovePreviewFrame(int dx, int dy) {
  if (previewFrame) previewFrame->Move(dx, dy);
}

void PUZZLE_PIECES_SYSTEM::ShowScore(int value) {
  if (score) score->SetScore(value);
}

void PUZZLE_PIECES_SYSTEM::JoinEffect(int x, int y, int radius, int points) {
  if (partGlue) partGlue->radius = radius;
  eCreateGlue(x, y, ("+" + std::to_string(points)).c_str());
}

}  // namespace GAME
