// The parts the board owns and drives but does not build itself: the score
// counter, the pocket, the preview frame, the win dialog, the resolution
// message, and the effects it creates into its effect list. Each is reached
// only through the calls below, so a part plugs in here without touching
// the frame cycle. A part that does not exist (its slot is null) answers
// nothing and draws nothing.
#include "GAME/board/board.h"

#include <algorithm>

#include "GAME/board/effects.h"
#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/resolution_message.h"
#include "GAME/board/score.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/renderer.h"
#include "ST/sprite.h"

namespace GAME {

namespace {

constexpr uint32_t kScoreColor = 0xFFD53E07u;
// The preview frame's first place and size step, and the room it keeps
// from the closed pocket, so that nothing covers its size buttons.
constexpr int kPreviewX = 50, kPreviewY = 50, kPreviewSize = 2;
constexpr int kPreviewPocketGap = 16;
// The effects' lives, seconds.
constexpr float kExpenseTime = 1.0f;
constexpr float kBonusTime = 2.0f;
// Glue particles shot at each join.
constexpr int kGlueParticles = 300;
// The height the join spark flies to.
constexpr int kSparkTargetY = 1;

}  // namespace

void PUZZLE_PIECES_SYSTEM::CreateParts() {
  score = new PUZZLE_SCORE(game_, big);
  score->SetSize(1.0f);
  score->SetColor(int(kScoreColor));
  pocket = new PUZZLE_POCKET(game_);
}

void PUZZLE_PIECES_SYSTEM::CreatePreviewFrame() {
  // A second Init replaces the frame of the first.
  delete previewFrame;
  previewFrame = nullptr;
  if (!picture_) return;
  PackSelection pack(C_NAME_PACK_LEVEL, C_PAS_LEVEL);
  previewFrame = new FLUING_FRAME(game_, picture_->texSize.x, picture_->texSize.y);
  int x = kPreviewX;
  if (pocket && pocket->Corner()) {
    // Right of the closed pocket's corner piece and of its shadow.
    const JSPRITE& corner = *pocket->Corner();
    const int cornerRight = int(pocket->Position().x + (corner.quad.v[3].x - corner.quad.v[0].x));
    x = std::max(x, cornerRight + PUZZLE_POCKET::kClosedPos + kPreviewPocketGap);
  }
  previewFrame->SetPos(x, kPreviewY);
  previewFrame->SetSize(kPreviewSize);
}

void PUZZLE_PIECES_SYSTEM::DeleteParts() {
  delete previewFrame;
  previewFrame = nullptr;
  delete score;
  score = nullptr;
  delete pocket;
  pocket = nullptr;
  // The win dialog is made by the end of the level and deleted with the board.
  delete winDialog;
  winDialog = nullptr;
  DeleteResolutionMessage();
}

void PUZZLE_PIECES_SYSTEM::UpdateScore() {
  if (score) score->Update();
}

void PUZZLE_PIECES_SYSTEM::RenderScore(int x, int y) {
  if (score) score->Render(x, y);
}

int PUZZLE_PIECES_SYSTEM::UpdatePocket() { return pocket ? pocket->Update() : PUZZLE_POCKET::kNothing; }

void PUZZLE_PIECES_SYSTEM::RenderPocketPanel() {
  if (pocket) pocket->Render();
}

void PUZZLE_PIECES_SYSTEM::RenderPocketButton() {
  if (pocket) pocket->RenderButton();
}

JST::fPOINT PUZZLE_PIECES_SYSTEM::PocketOffset() const {
  if (!pocket) return JST::fPOINT(0.0f, 0.0f);
  return pocket->Position() - pocket->OpenPosition();
}

void PUZZLE_PIECES_SYSTEM::RenderLitleFrame() {
  if (!showLitleFrame || !previewFrame || !picture_) return;
  // Kept on screen first, so plate, picture and buttons agree.
  previewFrame->Repos();
  const float x = previewFrame->position.x, y = previewFrame->position.y;
  const float k = previewFrame->Factor();
  // The white plate exceeds the picture by half the extra on each side; the
  // picture hangs from the frame's top-left corner.
  if (whiteSplain) {
    whiteSplain->SetSizePix(picture_->imageSize.x + C_WHITE_SPLAIN_EXTRA, picture_->imageSize.y + C_WHITE_SPLAIN_EXTRA);
    gfx_->SetAnisotropic(true);
    whiteSplain->RenderMe(x, y, k, k, 0.0f, C_WHITE_SPLAIN_EXTRA / 2, C_WHITE_SPLAIN_EXTRA / 2);
  }
  picture_->SetColor(int(0xFFFFFFFFu));
  picture_->RenderMe(x, y, k, k, 0.0f, 0, 0);
  previewFrame->Render(0);
}

int PUZZLE_PIECES_SYSTEM::UpdateWinDialog() { return winDialog ? winDialog->Update(0, 0.0f) : 0; }

void PUZZLE_PIECES_SYSTEM::RenderWinDialog() {
  if (winDialog) winDialog->Render(0);
}

int PUZZLE_PIECES_SYSTEM::UpdateResolutionMessage() {
  return resolutionMessage ? resolutionMessage->Update() : PUZZLE_MESSAGE_RESOLUTION::kNothing;
}

void PUZZLE_PIECES_SYSTEM::DeleteResolutionMessage() {
  delete resolutionMessage;
  resolutionMessage = nullptr;
}

void PUZZLE_PIECES_SYSTEM::RenderResolutionMessage() {
  if (resolutionMessage) resolutionMessage->Render();
}

// ---- the effect list

void PUZZLE_PIECES_SYSTEM::eAdd(JST::STE* effect) {
  if (effect) effects.push_back(effect);
}

JST::STE* PUZZLE_PIECES_SYSTEM::eCreateExpense(const char* text, int x, int y) {
  return new PUZZLE_EXPENSE(game_, expenseFont, kExpenseTime, text, x, y);
}

JST::STE* PUZZLE_PIECES_SYSTEM::eCreateBonus(int x, int y) { return new BONUS(game_, kBonusTime, bonus_, x, y); }

JST::STE* PUZZLE_PIECES_SYSTEM::eCreateBulletPartic(int x, int y) {
  return new PARTICLE_BULLET(game_, ePartBullet, snow_, JST::iPOINT(x, y), JST::iPOINT(game_->middle.x, kSparkTargetY));
}

void PUZZLE_PIECES_SYSTEM::eCreateGlue(int x, int y, const char* text) {
  if (partGlue) partGlue->ShootAt(kGlueParticles, x, y);
  eAdd(eCreateExpense(text, x, y));
  eAdd(eCreateBulletPartic(x, y));
}

}  // namespace GAME
