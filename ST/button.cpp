#include "ST/button.h"

#include <cmath>

#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"
#include "ST/sound.h"

namespace {

int QuadWidth(const JSPRITE& s) { return int(s.quad.v[3].x - s.quad.v[0].x); }
int QuadHeight(const JSPRITE& s) { return int(s.quad.v[1].y - s.quad.v[0].y); }

// One frame of an image that holds four side by side.
JST::iPOINT FourFrameSize(const JST::iPOINT& image) { return JST::iPOINT(image.x / 4, image.y); }

}  // namespace

// ---- JBUTTON

JBUTTON::JBUTTON(const char* file) : JSPRITE(file, 0) {
  input = ZOV::GetGame()->GetInput();
  hitW = QuadWidth(*this);
  hitH = QuadHeight(*this);
}

JBUTTON::JBUTTON(unsigned long texture) : JSPRITE(texture) {
  input = ZOV::GetGame()->GetInput();
  if (gfx) {
    hitW = gfx->GetTextureW(texture);
    hitH = gfx->GetTextureH(texture);
  }
}

bool JBUTTON::IsMouseInButton() const {
  if (!input) return false;
  const int left = int(position.x - float(hitW / 2) * scale.x);
  const int top = int(position.y - float(hitH / 2) * scale.y);
  const int w = int(float(hitW) * scale.x);
  const int h = int(float(hitH) * scale.y);
  return input->IsMouseInFrame(left, top, w, h);
}

int JBUTTON::Update(int, float) {
  if (!IsMouseInButton()) return 0;
  if (input->IsDblClick()) return 3;
  if (input->Lkm() == 1) return 1;
  if (input->Rkm() == 1) return 2;
  return 0;
}

float JBUTTON::HowFar(int x, int y) const {
  const float dx = float(x) - position.x, dy = float(y) - position.y;
  return std::sqrt(dx * dx + dy * dy);
}

float JBUTTON::HowFarPsnt(int x, int y) const {
  const float d = HowFar(x, y);
  return hitH > 0 ? d / float(hitH) : d;
}

void JBUTTON::Move(float dx, float dy) {
  position.x += dx;
  position.y += dy;
}

void JBUTTON::SetSizePix(int w, int h) {
  hitW = w;
  hitH = h;
  JSPRITE::SetSizePix(w, h);
}

// ---- JBUTTONMAP4

JBUTTONMAP4::JBUTTONMAP4(const char* file) : JSPRITE(file, 0) {
  input = ZOV::GetGame()->GetInput();
  pressed = false;
  active = true;
  state = STATE_HOVER;
  scale = JST::fPOINT(0.25f, 1.0f);
  frame = FourFrameSize(imageSize);
  SetTexelCoord(0.0f, 0.0f, 0.25f, 1.0f);
}

int JBUTTONMAP4::Update(int, float) {
  state = STATE_NORMAL;
  const int left = int(position.x - float(frame.x / 2));
  const int top = int(position.y - float(frame.y / 2));
  const int lkm = input ? input->Lkm() : 0;
  if (input && input->IsMouseInFrame(left, top, frame.x, frame.y)) {
    // The click: the frame shown stays as it was and pressed is cleared on
    // the next frame (by the button being up inside, or by leaving).
    if (pressed && lkm == -1) return 1;
    state = STATE_HOVER;
    if (lkm == 1) {
      state = STATE_PRESSED;
      pressed = true;
    } else if (pressed && lkm != 0) {
      state = STATE_PRESSED;
    } else {
      pressed = false;
    }
  } else {
    pressed = false;
  }
  if (!active) state = STATE_DISABLED;
  SetState(state);
  return 0;
}

void JBUTTONMAP4::Activate(bool on) {
  active = on;
  state = on ? STATE_NORMAL : STATE_DISABLED;
  SetState(state);
}

void JBUTTONMAP4::SetState(int) {
  const float u = float(state) * 0.25f;
  SetTexelCoord(u, 0.0f, u + 0.25f, 1.0f);
}

int JBUTTONMAP4::GetW() const { return int(float(QuadWidth(*this)) / 4.0f); }

int JBUTTONMAP4::GetHeight() const { return QuadHeight(*this); }

void JBUTTONMAP4::SetSize(float sx, float sy) {
  scale.x = sx * 0.25f;
  scale.y = sy;
}

// ---- JBUTTONCHK

JBUTTONCHK::JBUTTONCHK(const char* file) : JSPRITE(file, 0) {
  input = ZOV::GetGame()->GetInput();
  checked = 0;
  initialState = checked != 0;
  radius = imageSize.y / 2;
  scale = JST::fPOINT(0.5f, 1.0f);
  drawBox = true;
}

int JBUTTONCHK::Update(int, float) {
  if (input && input->IsMouseNear(position.x, position.y, float(radius)) && input->Lkm() == 1) {
    checked = !checked;
    return 1;
  }
  return 0;
}

int JBUTTONCHK::Render(int) {
  if (drawBox || !checked) {
    SetTexelCoord(0.0f, 0.0f, 0.5f, 1.0f);
    RenderMe(position.x, position.y, scale.x, scale.y, angle, hotSpot.x, hotSpot.y);
  }
  if (checked) {
    SetTexelCoord(0.5f, 0.0f, 1.0f, 1.0f);
    RenderMe(position.x, position.y, scale.x, scale.y, angle, hotSpot.x, hotSpot.y);
  }
  return 0;
}

// ---- BUTTONACT

BUTTONACT::BUTTONACT(const char* file, void (*a)()) : JBUTTONMAP4(file) {
  action = a;
  ResetTip();
}

BUTTONACT::BUTTONACT(const char* file, void (*a)(void*), void* arg) : JBUTTONMAP4(file) {
  actionArg = a;
  argument = arg;
  ResetTip();
}

BUTTONACT::BUTTONACT(const char* file, void (*a)(void*), int i) : JBUTTONMAP4(file) {
  actionArg = a;
  argument = this;
  id = i;
  ResetTip();
}

void BUTTONACT::ResetTip() {
  Activate(true);
  frame = FourFrameSize(imageSize);
  hoverSound = nullptr;
  tipFont = nullptr;
  hoverPlayed = false;
  tipShown = false;
  tipTimer = 0.0f;
  tipText.clear();
  tipBoxColor = 0x88000000u;
  tipBorderColor = 0xFFFFCC00u;
  tipTextColor = 0xFF000000u;
}

int BUTTONACT::Update(int, float) {
  // The tip follows the state the previous frame left: it shows from the
  // first hovered frame that took time and hides as soon as hover ends.
  if (!tipText.empty() && tipFont) {
    if (state == STATE_HOVER) {
      tipTimer += ZOV::GetGame()->GetDt();
      if (tipTimer > 0.0f) {
        tipShown = true;
        tipTimer = 0.0f;
      }
    } else {
      tipShown = false;
    }
  }
  const int result = JBUTTONMAP4::Update(0, 0.0f);
  if (state != STATE_HOVER)
    NoShershe();
  else if (!hoverPlayed)
    Shershe();
  if (result != 1) return 0;
  if (action) action();
  if (actionArg) actionArg(argument);
  return 1;
}

int BUTTONACT::Render(int) {
  JSPRITE::Render(0);
  return 0;
}

void BUTTONACT::Shershe() {
  ZOV::SoundRender(hoverSound);
  hoverPlayed = true;
}

void BUTTONACT::RenderTip() {
  if (!tipShown || !tipFont || tipText.empty()) return;
  const int w = tipFont->GetStringLenght(tipText.c_str());
  const int half = w / 2;
  const float L = float(tipFont->lineHeight);
  const float x = position.x;
  const float top = position.y - scale.y * float(frame.y) / 2.0f;
  if (gfx) {
    gfx->RenderBox(float(int(x - float(half)) - 5), float(int(top - L * 1.4f / 2.0f)),
                   float(int(x + float(half) + 8.0f) + 5), float(int(top + L * 1.8f / 2.0f)), tipBorderColor,
                   tipBoxColor);
  }
  tipFont->alignment = ZOV::JENUM::HOT_CENTER;
  tipFont->Rende(int(x), int(top), tipText.c_str());
}
