// The parts the board owns and drives but does not build itself: the score
// counter, the pocket, the preview frame, the win dialog and the
// resolution message. Each is reached only through the calls below, so a
// part plugs in here without touching the frame cycle. A part that does not
// exist (its slot is null) answers nothing and draws nothing.
#include "GAME/board/board.h"

#include "GAME/board/win_dialog.h"

namespace GAME {

void PUZZLE_PIECES_SYSTEM::CreateParts() {
  // The score counter (font `big`, size 1.0, colour 0xFFD53E07) and the
  // pocket are made here once they exist.
}

void PUZZLE_PIECES_SYSTEM::CreatePreviewFrame() {
  // The preview frame (level pack, the picture's texture size, at (50, 50),
  // size step 2) is made here once it exists.
}

void PUZZLE_PIECES_SYSTEM::DeleteParts() {
  // Preview frame, score counter, pocket and resolution message are deleted
  // here once they exist; every slot is null until then.
  delete winDialog;
  winDialog = nullptr;
}

void PUZZLE_PIECES_SYSTEM::UpdateScore() {}

void PUZZLE_PIECES_SYSTEM::RenderScore(int, int) {}

int PUZZLE_PIECES_SYSTEM::UpdatePocket() { return 0; }

void PUZZLE_PIECES_SYSTEM::RenderPocketPanel() {}

void PUZZLE_PIECES_SYSTEM::RenderPocketButton() {}

JST::fPOINT PUZZLE_PIECES_SYSTEM::PocketOffset() const { return JST::fPOINT(0.0f, 0.0f); }

void PUZZLE_PIECES_SYSTEM::RenderLitleFrame() {
  // The preview frame's picture on its white plate, drawn while the frame is
  // shown, comes with the frame.
}

int PUZZLE_PIECES_SYSTEM::UpdateWinDialog() { return winDialog ? winDialog->Update(0, 0.0f) : 0; }

void PUZZLE_PIECES_SYSTEM::RenderWinDialog() {
  if (winDialog) winDialog->Render(0);
}

int PUZZLE_PIECES_SYSTEM::UpdateResolutionMessage() { return 0; }

void PUZZLE_PIECES_SYSTEM::DeleteResolutionMessage() { resolutionMessage = nullptr; }

void PUZZLE_PIECES_SYSTEM::RenderResolutionMessage() {}

}  // namespace GAME
