// The pocket panel: layout, the slide and its snaps, drawing and the mouse
// area.
#include "GAME/board/pocket.h"

#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/draw_types.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "ST/sprite.h"

namespace {

// How close to its open place the opening panel snaps there.
constexpr float kOpenSnap = 5.0f;
// The panel's shadow reaches this far past the panel on each side.
constexpr int kShadowExtra = 10;
// How far the closed pocket's mouse area reaches beyond the button's frame.
constexpr int kButtonAreaExtra = 2;

float QuadW(const JSPRITE* s) { return s->quad.v[3].x - s->quad.v[0].x; }
float QuadH(const JSPRITE* s) { return s->quad.v[1].y - s->quad.v[0].y; }

}  // namespace

PUZZLE_POCKET::PUZZLE_POCKET(ZOV::ST_GAME* game) : game_(game) {
  width_ = int(float(game_->GetScreenWidth()) * kOpenShare);
  height_ = int(float(game_->GetScreenHeight()) * kOpenShare);
  {
    GAME::PackSelection pack(C_NAME_PACK_POCKET, C_PAS_POCKET);
    button_ = new JBUTTONMAP4(chBTNPOCKET);
    corner_ = new JSPRITE(chPOCKETFIX, 0);
    bottomEdge_ = new JSPRITE(chPOCKETTILEW, 0);
    rightEdge_ = new JSPRITE(chPOCKETTILEH, 0);
    fill_ = new JSPRITE(chPOCKETTILEWH, 0);
  }
  position_ = JST::fPOINT(float(kClosedPos), float(kClosedPos));
  Reset();
}

PUZZLE_POCKET::~PUZZLE_POCKET() {
  delete button_;
  delete corner_;
  delete bottomEdge_;
  delete rightEdge_;
  delete fill_;
}

void PUZZLE_POCKET::Reset() {
  // 1. The open panel's size for the current screen.
  width_ = int(float(game_->GetScreenWidth()) * kOpenShare);
  height_ = int(float(game_->GetScreenHeight()) * kOpenShare);
  // 2. Closed place; the inner size leaves room for the corner piece.
  position_ = JST::fPOINT(float(kClosedPos), float(kClosedPos));
  innerW_ = width_ - corner_->GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE);
  innerH_ = height_ - corner_->GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE);
  const int x = int(position_.x), y = int(position_.y);
  // 3. The bottom edge, to the left of the position.
  bottomEdge_->quad.v[2].x = bottomEdge_->quad.v[0].x + float(innerW_);
  bottomEdge_->quad.v[3].x = bottomEdge_->quad.v[0].x + float(innerW_);
  bottomEdge_->CalculateHotSpot(ZOV::JENUM::HOT_TOP_RIGHT);
  bottomEdge_->StreckenTexelz();
  bottomEdge_->SetPos(x, y);
  // 4. The right edge, above it.
  rightEdge_->quad.v[1].y = rightEdge_->quad.v[0].y + float(innerH_);
  rightEdge_->quad.v[2].y = rightEdge_->quad.v[0].y + float(innerH_);
  rightEdge_->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_LEFT);
  rightEdge_->StreckenTexelz();
  rightEdge_->SetPos(x, y);
  // 5. The fill, up and to the left.
  fill_->SetSizePix(innerW_, innerH_);
  fill_->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_RIGHT);
  fill_->StreckenTexelz();
  fill_->SetPos(x, y);
  // 6. The corner piece hangs right and down.
  corner_->CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);
  corner_->SetPos(x, y);
  // 7. The button's frame touches the screen's top-left corner.
  button_->SetPos(button_->frame.x / 2, button_->frame.y / 2);
  // 8. Closed, at rest.
  open = false;
  motion = kResting;
}

int PUZZLE_POCKET::Update() {
  const float dt = game_->GetDt();
  // 1, 2. The snaps at the ends of the slide.
  if (motion == kOpening && (position_.x > float(innerW_) - kOpenSnap || position_.y > float(innerH_) - kOpenSnap)) {
    motion = kResting;
    position_ = OpenPosition();
  }
  if (motion == kClosing && position_.x < float(corner_->GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE))) {
    motion = kResting;
    position_ = JST::fPOINT(float(kClosedPos), float(kClosedPos));
  }
  // 3. The button toggles; a click during a slide reverses it.
  const bool clicked = button_->Update(0, 0.0f) == 1;
  if (clicked) {
    if (open) {
      ZOV::SoundRender(eClosePocket);
      open = false;
      motion = kClosing;
      button_->Activate(true);
    } else {
      ZOV::SoundRender(eUsePocket);
      open = true;
      motion = kOpening;
      button_->Activate(false);
    }
  }
  // 4. The slide: the full size per half second on both axes.
  if (motion == kOpening) {
    position_.x += float(width_) * 2.0f * dt;
    position_.y += float(height_) * 2.0f * dt;
  } else if (motion == kClosing) {
    position_.x += float(width_) * dt * -2.0f;
    position_.y += float(height_) * dt * -2.0f;
  }
  // 5. The answer: toggled on a click, busy while the button is held down.
  if (clicked) return kToggled;
  return button_->pressed ? kBusy : kNothing;
}

void PUZZLE_POCKET::Render() {
  const float cw = QuadW(corner_), ch = QuadH(corner_);
  if (shadowSplain) {
    shadowSplain->SetSizePix(width_ + kShadowExtra, height_ + kShadowExtra);
    shadowSplain->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_RIGHT);
    shadowSplain->Render(position_.x + cw + float(kClosedPos), position_.y + ch + float(kClosedPos));
  }
  bottomEdge_->Render(position_.x, position_.y);
  rightEdge_->Render(position_.x, position_.y);
  fill_->Render(position_.x, position_.y);
  corner_->Render(position_.x, position_.y);
}

void PUZZLE_POCKET::RenderButton() { button_->Render(0); }

bool PUZZLE_POCKET::MouseInPocket() const {
  const ZOV::ST_INPUT* in = button_->input;
  if (!in) return false;
  if (open) {
    const int w = int(QuadW(corner_) + position_.x), h = int(QuadH(corner_) + position_.y);
    return in->IsMouseInFrame(-1, -1, w, h);
  }
  const int w = int(float(button_->frame.x) / 2.0f + button_->position.x + float(kButtonAreaExtra));
  const int h = int(float(button_->frame.y) / 2.0f + button_->position.y + float(kButtonAreaExtra));
  return in->IsMouseInFrame(-1, -1, w, h);
}
