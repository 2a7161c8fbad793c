// Play's side of the owned parts: what mouse play and joins ask of the
// pocket, the preview frame, the score counter and the effects. Without its
// part each answers as if the part were absent: the pointer is never over
// the pocket, the pocket is closed and still, nothing is shown.
#include "GAME/board/board.h"
#include "ST/game.h"

namespace GAME {

bool PUZZLE_PIECES_SYSTEM::PointerOverPocket() const { return false; }

bool PUZZLE_PIECES_SYSTEM::PocketOpen() const { return false; }

int PUZZLE_PIECES_SYSTEM::PocketMotion() const { return 0; }

void PUZZLE_PIECES_SYSTEM::PlaceInPocket(PUZZLE_PIECES*) {}

int PUZZLE_PIECES_SYSTEM::UpdatePreviewFrame() { return 0; }

void PUZZLE_PIECES_SYSTEM::ResizePreviewFrame(int) {}

void PUZZLE_PIECES_SYSTEM::MovePreviewFrame(int, int) {}

void PUZZLE_PIECES_SYSTEM::ShowScore(int) {}

void PUZZLE_PIECES_SYSTEM::JoinEffect(int, int, int, int) {}

}  // namespace GAME
