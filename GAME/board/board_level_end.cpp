// The end of the level: once the win sparkles have run, the board's Update
// calls LevelWin once and then serves the win dialog it opened.
//
// The small picture of the puzzle is not loaded for the dialog: the dialog
// neither draws nor owns a small preview, so a sprite made for it would only
// be lost.
#include <ctime>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"
#include "GAME/board/reg.h"
#include "GAME/board/trophies.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/window_layout.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// The win dialog's four numbers, kept by the dialog and not read.
constexpr int kDialogA = 25, kDialogB = 10, kDialogC = 10, kDialogD = 50;

}  // namespace

void PUZZLE_PIECES_SYSTEM::LevelWin() {
  // 1. The pocket closes at once: its slide is no longer run from here on.
  if (pocket) pocket->Reset();
  // 2. - 3. The record, and the trophies when they are switched on (else
  // the player's record is left as it is).
  auto* r = new REG();
  if (TROFEI_ENABLE) {
    FINISHED_PUZZLE f;
    f.pieces = rows * cols;
    f.finishedPieces = regFinishP;
    f.score = regSc;
    f.seconds = regTa;
    f.fastJoins = regFastGlue;
    f.hints = regH;
    f.pocketUsed = regGVN;
    f.sortUsed = regGVN2;
    AwardTrophies(f, TROPHY_THRESHOLDS::FromConfig(), profile, r);
  }
  // 4. Today's date, local time.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local)) {
    r->day = local.tm_mday;
    r->month = local.tm_mon + 1;
    r->year = local.tm_year + 1900;
  }
  // 5. - 6. The time played and the puzzle's results.
  SetPlayTime(regTa, r);
  r->pieces = rows * cols;
  r->score = regSc;
  r->speed = regPf;
  r->hints = regH;
  r->rotation = rotation ? 1 : 0;
  // 7. The win dialog, from the interface pack; it owns the record.
  {
    PackSelection pack(C_NAME_PACK_GUI, C_PAS_GUI);
    WindowKit kit = WindowKit::Shared();
    kit.game = game_;
    delete winDialog;
    winDialog = new JDIALOGWIN(chSTBACK, "", comix, r, kDialogA, kDialogB, kDialogC, kDialogD, kit);
  }
  // 9. A finished puzzle is no longer to be resumed.
  if (!savePath.empty()) ZOV::ifile.FileDel(savePath.c_str());
  plat::PrintLine("Level win OK");
}

}  // namespace GAME
