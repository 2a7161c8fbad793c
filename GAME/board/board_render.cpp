// The board's drawing passes: Render (main pass, per phase), the two piece
// passes, a group's drawing, and PostRender (overlay: magnifier, win dialog,
// resolution message).
#include <algorithm>
#include <cmath>

#include "GAME/board/board.h"
#include "GAME/ui/shared_assets.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/renderer.h"
#include "ST/sprite.h"

namespace GAME {

namespace {

// The enlarged area around the mouse: 140 x 105 pixels.
constexpr float kAreaHalfW = 70.0f, kAreaHalfH = 52.5f;

}  // namespace

MAGNIFIER_VIEW MagnifierView(float mx, float my, int w, int h, const ZOV::JINGFX* gfx) {
  MAGNIFIER_VIEW v;
  mx = std::clamp(mx, 0.0f, float(w));
  my = std::clamp(my, 0.0f, float(h));
  v.areaLeft = mx - kAreaHalfW;
  v.areaTop = my - kAreaHalfH;
  v.areaRight = mx + kAreaHalfW;
  v.areaBottom = my + kAreaHalfH;
  if (gfx) {
    const JST::fPOINT tl = gfx->ScreenTexel(v.areaLeft, v.areaTop);
    const JST::fPOINT br = gfx->ScreenTexel(v.areaRight, v.areaBottom);
    v.uLeft = tl.x;
    v.vTop = tl.y;
    v.uRight = br.x;
    v.vBottom = br.y;
  } else if (w > 0 && h > 0) {
    v.uLeft = v.areaLeft / float(w);
    v.vTop = v.areaTop / float(h);
    v.uRight = v.areaRight / float(w);
    v.vBottom = v.areaBottom / float(h);
  }
  v.x = int(mx);
  v.y = int(my);
  const int halfW = PUZZLE_PIECES_SYSTEM::kMagnifierW / 2, halfH = PUZZLE_PIECES_SYSTEM::kMagnifierH / 2;
  v.frameLeft = v.x - halfW;
  v.frameTop = v.y - halfH;
  v.frameRight = v.x + halfW;
  v.frameBottom = v.y + halfH;
  if (v.frameLeft < 0) v.frameLeft = 1;
  if (v.frameTop < 0) v.frameTop = 1;
  if (v.frameRight > w) v.frameRight = w - 1;
  if (v.frameBottom > h) v.frameBottom = h - 1;
  return v;
}

int PUZZLE_PIECES_SYSTEM::Render(int) {
  switch (state) {
    case kStatePicture:
      RenderFrame();
      break;
    case kStateSetup:
      if (whiteSplain && picture_) {
        whiteSplain->SetSizePix(picture_->imageSize.x + kSetupPlateExtra, picture_->imageSize.y + kSetupPlateExtra);
        whiteSplain->SetSize(picture_->scale.x, picture_->scale.y);
        whiteSplain->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
        gfx_->SetAnisotropic(true);
        whiteSplain->Render(picture_->position.x, picture_->position.y);
      }
      RenderFrame();
      RenderGrid();
      break;
    case kStatePlay: {
      // The rigid-group pass runs at the end of Update.
      if (background_) background_->Render(0);
      if (showFrame && picture_) {
        picture_->SetColor(int(kFadedPicture));
        picture_->Render(0);
        picture_->SetColor(int(0xFFFFFFFFu));
      }
      RenderPieces();
      if (upperPanel_) upperPanel_->Render(0);
      RenderScore(game_->middle.x, (upperPanel_ ? upperPanel_->texSize.y : 0) / 3 + 5);
      RenderLitleFrame();
      RenderPocketPanel();
      Odnoklasniki();
      RenderPocketButton();
      if (bandActive && selection_) {
        selection_->Render(0);
        const ZOV::ZOV4& q = selection_->quad;
        const float w = (q.v[3].x - q.v[0].x) * selection_->scale.x;
        const float h = (q.v[1].y - q.v[0].y) * selection_->scale.y;
        const float x = selection_->position.x, y = selection_->position.y;
        const float x1 = float(int(x)), y1 = float(int(y));
        const float x2 = float(int(x + w)), y2 = float(int(y + h));
        gfx_->RenderLine(x1, y1, x2, y1, kSelectionLine);
        gfx_->RenderLine(x2, y1, x2, y2, kSelectionLine);
        gfx_->RenderLine(x2, y2, x1, y2, kSelectionLine);
        gfx_->RenderLine(x1, y2, x1, y1, kSelectionLine);
      }
      if (partHelp) partHelp->Render(0);
      if (ePartBullet) ePartBullet->Render(0);
      RenderEffects();
      break;
    }
    default:
      break;
  }
  return 0;
}

void PUZZLE_PIECES_SYSTEM::RenderFrame() {
  if (picture_) picture_->Render(0);
}

void PUZZLE_PIECES_SYSTEM::RenderGrid() {
  gfx_->SetAnisotropic(true);
  if (grid_) grid_->Render(0);
}

void PUZZLE_PIECES_SYSTEM::DrawLoose(PUZZLE_PIECES* p) {
  p->RenderShadow();
  p->Render(ClockMs());
}

void PUZZLE_PIECES_SYSTEM::RenderPieces() {
  gfx_->SetAnisotropic(true);
  for (int z = int(zOrder.size()) - 1; z >= 0;) {
    PUZZLE_PIECES* p = zOrder[size_t(z)];
    if (p->inPocket || p->shadowLevel != 0.0f) {
      --z;
    } else if (p->group == 0) {
      DrawLoose(p);
      --z;
    } else {
      z = DrawPieceShadowNstr(z);
    }
  }
  gfx_->SetAnisotropic(false);
  if (partHelp) partHelp->Render(0);
}

void PUZZLE_PIECES_SYSTEM::Odnoklasniki() {
  gfx_->SetAnisotropic(true);
  const JST::fPOINT shift = PocketOffset();
  for (int z = int(zOrder.size()) - 1; z >= 0;) {
    PUZZLE_PIECES* p = zOrder[size_t(z)];
    if (p->inPocket) {
      const float x = p->pos.x + shift.x, y = p->pos.y + shift.y;
      p->RenderShadow(x, y);
      p->Render(x, y, ClockMs());
      --z;
    } else if (p->shadowLevel == 0.0f) {
      --z;
    } else if (p->group == 0) {
      DrawLoose(p);
      --z;
    } else {
      z = DrawPieceShadowNstr(z);
    }
  }
  gfx_->SetAnisotropic(false);
}

int PUZZLE_PIECES_SYSTEM::DrawPieceShadowNstr(int z) {
  if (z < 0 || size_t(z) >= zOrder.size()) return z - 1;
  const int g = zOrder[size_t(z)]->group;
  // The group's run: z and the pieces above it with the same group (a loose
  // piece is a run of its own).
  int top = z;
  while (g != 0 && top - 1 >= 0 && zOrder[size_t(top - 1)]->group == g) --top;
  for (int k = z; k >= top; --k) zOrder[size_t(k)]->RenderShadow();
  const uint32_t clock = ClockMs();
  const PUZZLE_PIECES* lit = frameLight >= 0 && size_t(frameLight) < border.size() ? border[size_t(frameLight)] : nullptr;
  const PUZZLE_PIECES* sparkling =
      winSparkle >= 0 && size_t(winSparkle) < gridOrder.size() ? gridOrder[size_t(winSparkle)] : nullptr;
  for (int k = z; k >= top; --k) {
    PUZZLE_PIECES* p = zOrder[size_t(k)];
    p->Render(clock);
    if (g == lastJoinedGroup) p->RenderHelp(std::sin(joinPhase));
    if (p == lit) p->RenderHelp(std::sin(frameLightTimer * 6.2f));
    if (p == sparkling) p->RenderHelp(std::sin(sparkleTimer * 6.2f));
  }
  return top - 1;
}

void PUZZLE_PIECES_SYSTEM::RenderEffects() {
  for (JST::STE* e : effects)
    if (e) e->Render();
}

void PUZZLE_PIECES_SYSTEM::PostRender() {
  if (state == kStatePlay && magnifierOn && magnifier_) {
    gfx_->SetAnisotropic(true);
    float mx = 0.0f, my = 0.0f;
    input->GetMousePos(&mx, &my);
    const int w = game_->GetScreenWidth(), h = game_->GetScreenHeight();
    const MAGNIFIER_VIEW v = MagnifierView(mx, my, w, h, gfx_);
    magnifier_->SetTexelCoord(v.uLeft, v.vTop, v.uRight, v.vBottom);
    magnifier_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    magnifier_->SetPos(v.x, v.y);
    magnifier_->Render(0);
    gfx_->SetAnisotropic(false);
    const float l = float(v.frameLeft), t = float(v.frameTop), r = float(v.frameRight), b = float(v.frameBottom);
    gfx_->RenderLine(l, t, r, t, kMagnifierLine);
    gfx_->RenderLine(r, t, r, b, kMagnifierLine);
    gfx_->RenderLine(r, b, l, b, kMagnifierLine);
    gfx_->RenderLine(l, b, l, t, kMagnifierLine);
  }
  if (winSparkle == kIndexDone && winDialog) RenderWinDialog();
  if (resolutionMessage) RenderResolutionMessage();
}

}  // namespace GAME
