// The floating preview frame: its buttons, its codes, and how it keeps
// itself on screen.
#include "GAME/board/preview_frame.h"

#include "GAME/config/globals.h"
#include "ST/button.h"
#include "ST/game.h"
#include "ST/input.h"
#include "platform/sys.h"

namespace GAME {

FLUING_FRAME::FLUING_FRAME(ZOV::ST_GAME* game, int w, int h) : game_(game), picture_(w, h) {
  if (!game_) plat::PrintLine("nAX");
  input_ = game_ ? game_->GetInput() : nullptr;
  scale = JST::fPOINT(1.0f, 1.0f);
  x1_ = new JBUTTONMAP4(chX1);
  x2_ = new JBUTTONMAP4(chX2);
  x3_ = new JBUTTONMAP4(chX3);
  close_ = new JBUTTONMAP4(chX);
}

FLUING_FRAME::~FLUING_FRAME() {
  delete x1_;
  delete x2_;
  delete x3_;
  delete close_;
}

JBUTTONMAP4* FLUING_FRAME::Button(int n) const {
  switch (n) {
    case 0:
      return close_;
    case 1:
      return x1_;
    case 2:
      return x2_;
    case 3:
      return x3_;
    default:
      return nullptr;
  }
}

bool FLUING_FRAME::MouseInside() const {
  return input_ && input_->IsMouseInFrame(int(position.x), int(position.y), frame_.x, frame_.y);
}

int FLUING_FRAME::Update(int, float) {
  // The buttons first, in order; the first that answers decides.
  if (x1_->Update(0, 0.0f) == 1) return kSize1;
  if (x2_->Update(0, 0.0f) == 1) return kSize2;
  if (x3_->Update(0, 0.0f) == 1) return kSize3;
  if (close_->Update(0, 0.0f) == 1) return kClose;
  if (close_->GetState() != JBUTTONMAP4::STATE_NORMAL) return kOver;
  // Then the drag.
  if (!MouseInside()) {
    dragging_ = false;
    return kOutside;
  }
  const int l = input_->Lkm(), r = input_->Rkm();
  if (!dragging_ && (l == 1 || r == 1)) {
    dragging_ = true;
    return kDrag;
  }
  if (dragging_ && (l >= 2 || r >= 2)) return kDrag;
  dragging_ = false;
  return kOver;
}

int FLUING_FRAME::Render(int) {
  x1_->Render(0);
  x2_->Render(0);
  x3_->Render(0);
  close_->Render(0);
  return 1;
}

void FLUING_FRAME::SetSize(int n) {
  x1_->Activate(true);
  x2_->Activate(true);
  x3_->Activate(true);
  if (JBUTTONMAP4* b = n >= 1 && n <= 3 ? Button(n) : nullptr) b->Activate(false);
  factor_ = float(n) * kStep;
  Repos();
}

void FLUING_FRAME::SetPos(int x, int y) {
  position = JST::fPOINT(float(x), float(y));
  Repos();
}

void FLUING_FRAME::Move(int dx, int dy) {
  position.x += float(dx);
  position.y += float(dy);
  Repos();
}

void FLUING_FRAME::Repos() {
  // 1. On screen, with the size in effect before this call. The far edges
  // are held first: a frame larger than the screen (0.9 of a picture bigger
  // than the screen) keeps its top-left corner, and with it the size
  // buttons that make it smaller, on screen.
  const int sw = game_ ? game_->GetScreenWidth() : 0, sh = game_ ? game_->GetScreenHeight() : 0;
  if (position.x > float(sw - frame_.x)) position.x = float(sw - frame_.x);
  if (position.y > float(sh - frame_.y)) position.y = float(sh - frame_.y);
  if (position.x < 0.0f) position.x = 0.0f;
  if (position.y < 0.0f) position.y = 0.0f;
  // 2. The size for the factor.
  frame_.y = int(factor_ * float(picture_.y));
  frame_.x = int(factor_ * float(picture_.x));
  // 3. The size buttons side by side from the top-left corner, each centred
  // on the top edge's line plus half its height (a quarter of an image is
  // one frame).
  const int w1 = x1_->imageSize.x, w2 = x2_->imageSize.x, w3 = x3_->imageSize.x;
  const float x = position.x, y = position.y;
  x1_->SetPos(int(x + float(w1 / 8)), int(y + float(x1_->imageSize.y / 2)));
  x2_->SetPos(int(x + float(w2 / 8 + w1 / 4)), int(y + float(x2_->imageSize.y / 2)));
  x3_->SetPos(int(x + float(w3 / 8 + w1 / 4 + w2 / 4)), int(y + float(x3_->imageSize.y / 2)));
  // 4. The close button centred on the top-right corner.
  close_->SetPos(int(x + float(frame_.x)), int(y));
}

}  // namespace GAME
