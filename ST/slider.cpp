#include "ST/slider.h"

#include <cstdio>
#include <string>

#include "ST/button.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"
#include "platform/sys.h"

namespace ZOV {

namespace {

// Numbers in console lines as a stream would print them (6 significant
// digits, no trailing zeros).
std::string Num(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", double(v));
  return buf;
}

}  // namespace

// ---- the shared model

JSLIDER_MODEL::JSLIDER_MODEL(const char* file, bool vertical) : JSPRITE(file, 0), vertical_(vertical) {
  input = GetGame()->GetInput();
  if (gfx) {
    texW = float(gfx->GetTextureW(quad.texture));
    texH = float(gfx->GetTextureH(quad.texture));
  }
  x = y = 100.0f;
  length = texW / 4.0f + 100.0f;
  minimum = 0.0f;
  maximum = 100.0f;
  percent = 0.0f;
  value = minimum;
  prevPercent = 0.0f;
  dragging = false;
  knobX = vertical ? x : x + texW / 8.0f;
  knobY = vertical ? y + texW / 8.0f : y;
  grabRadius = texH / 2.0f;
}

float JSLIDER_MODEL::PercentOfValue() const {
  if (!(maximum > minimum)) return 0.0f;
  return 100.0f / (maximum - minimum) * (value - minimum);
}

int JSLIDER_MODEL::Drag(int lkm) {
  if (input && input->IsMouseNear(knobX, knobY, grabRadius) && lkm == 1) dragging = true;
  if (!dragging || lkm == 0 || !input) return -1;

  prevPercent = percent;
  float mx = 0.0f, my = 0.0f;
  input->GetMousePos(&mx, &my);
  float knob = Along(mx, my);
  if (knob < TrackStart()) knob = TrackStart();
  if (knob > TrackEnd()) knob = TrackEnd();
  KnobAlong() = knob;
  // A track no longer than the two half caps has no span to map onto.
  const float span = length - texW / 4.0f;
  percent = span > 0.0f ? (knob - Along(x, y) - texW / 8.0f) / (span / 100.0f) : 0.0f;
  value = (maximum - minimum) / 100.0f * percent + minimum;
  if (value > maximum) value = maximum;
  OnDrag();
  if (percent == prevPercent) return 0;
  prevPercent = percent;
  return 1;
}

void JSLIDER_MODEL::LogStep(const char* tag) const {
  plat::PrintLine(std::string(tag) + Num(percent) + " rv=" + Num(value));
}

void JSLIDER_MODEL::ClampValue() {
  // A value set out of the range (SetValue takes any number) comes back
  // inside it with the first step, from either side.
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
}

int JSLIDER_MODEL::StepDown(bool log) {
  if (log) LogStep("--b v=");
  if (value <= minimum) return 0;
  value -= 1.0f;
  ClampValue();
  percent = PercentOfValue();
  float knob = KnobByRule();
  if (knob < TrackStart()) knob = TrackStart();
  KnobAlong() = knob;
  if (log) LogStep("--a v=");
  return 1;
}

int JSLIDER_MODEL::StepUp(bool log) {
  if (log) LogStep("++b v=");
  if (value >= maximum) return 0;
  value += 1.0f;
  ClampValue();
  percent = PercentOfValue();
  float knob = KnobByRule();
  if (knob > TrackEnd()) knob = TrackEnd();
  KnobAlong() = knob;
  if (log) LogStep("++a v=");
  return 1;
}

int JSLIDER_MODEL::StepByEnds(int lkm) {
  if (!input || lkm != 1) return 0;
  const float r = texH / 2.0f;
  if (input->IsMouseNear(x, y, r)) return StepDown(true);
  const float ex = vertical_ ? x : x + length;
  const float ey = vertical_ ? y + length : y;
  if (input->IsMouseNear(ex, ey, r)) return StepUp(true);
  return 0;
}

// ---- JSLIDER

JSLIDER::JSLIDER(const char* file) : JSLIDER_MODEL(file, false) {
  plat::PrintLine("sliderX = " + Num(knobX));
}

JSLIDER::~JSLIDER() { plat::PrintLine("jslider delete"); }

int JSLIDER::SetPos(float px, float py) {
  x = px;
  y = py;
  knobX = KnobByRule();
  knobY = y;
  return 0;
}

int JSLIDER::SetTotalSize(float l) {
  length = l;
  return 0;
}

int JSLIDER::SetMaxMin(int lo, int hi) {
  minimum = float(lo);
  maximum = float(hi);
  value = minimum;
  return 0;
}

int JSLIDER::SetMax(int hi) {
  maximum = float(hi);
  return 1;
}

int JSLIDER::SetMin(int lo) {
  minimum = float(lo);
  value = minimum;
  return 1;
}

int JSLIDER::SetValue(int p) {
  percent = float(p);
  value = (maximum - minimum) / 100.0f * float(p) + minimum;
  knobX = KnobByRule();
  plat::PrintLine("value= " + std::to_string(p));
  return 0;
}

int JSLIDER::Update(int, float) {
  const int lkm = input ? input->Lkm() : 0;
  const int drag = Drag(lkm);
  if (drag >= 0) return drag;
  dragging = false;
  return StepByEnds(lkm);
}

int JSLIDER::Render(int) {
  const float q = texW / 4.0f, e = texW / 8.0f, h = texW / 2.0f;
  struct Part {
    float u, px, py, w;
  };
  const Part parts[4] = {
      {0.0f, x + h - e, y, q},
      {0.25f, x + h - e + q, y, length - q},
      {0.5f, x + length - e + h, y, q},
      {0.75f, knobX + h - e, knobY, q},
  };
  for (const Part& p : parts) {
    SetTexelCoord(p.u, 0.0f, p.u + 0.25f, 1.0f);
    SetSizePix(int(p.w), int(texH));
    JSPRITE::SetPos(int(p.px), int(p.py));
    JSPRITE::Render(0);
  }
  return 0;
}

// ---- JSLIDER_E

JSLIDER_E::JSLIDER_E(const char* slider, const char* minusButton, const char* plusButton) : JSLIDER(slider) {
  minus = new JBUTTONMAP4(minusButton);
  plus = new JBUTTONMAP4(plusButton);
}

JSLIDER_E::~JSLIDER_E() {
  delete minus;
  minus = nullptr;
  delete plus;
  plus = nullptr;
}

void JSLIDER_E::PlaceButtons() {
  if (minus) minus->SetPos(int(x - float(minus->frame.x / 8)), int(y));
  if (plus) plus->SetPos(int(x + length + float(plus->frame.x / 4)), int(y));
}

int JSLIDER_E::SetPos(float px, float py) {
  JSLIDER::SetPos(px, py);
  PlaceButtons();
  return 0;
}

int JSLIDER_E::SetTotalSize(float l) {
  length = l;
  PlaceButtons();
  return 0;
}

int JSLIDER_E::Update(int, float) {
  const int lkm = input ? input->Lkm() : 0;
  const int drag = Drag(lkm);
  if (drag >= 0) return drag;
  dragging = false;
  if (minus && minus->Update(0, 0.0f) == 1) return StepDown(false);
  if (plus && plus->Update(0, 0.0f) == 1) return StepUp(false);
  return 0;
}

int JSLIDER_E::Render(int) {
  JSLIDER::Render(0);
  if (minus) minus->Render(0);
  if (plus) plus->Render(0);
  return 1;
}

// ---- JVSLIDER

JVSLIDER::JVSLIDER(const char* file) : JSLIDER_MODEL(file, true) {}

int JVSLIDER::SetPos(float px, float py) {
  x = px;
  y = py;
  knobX = x;
  knobY = KnobByRule();
  return 0;
}

int JVSLIDER::SetTotalSize(float l) {
  length = l;
  return 0;
}

int JVSLIDER::SetMaxMin(int lo, int hi) {
  minimum = float(lo);
  maximum = float(hi);
  value = minimum;
  return 0;
}

int JVSLIDER::SetMax(int hi) {
  maximum = float(hi);
  if (value > maximum) {
    value = maximum > minimum ? maximum : minimum;
    percent = PercentOfValue();
    knobY = KnobByRule();
  }
  return 0;
}

int JVSLIDER::SetValue(int v) {
  value = float(v);
  percent = PercentOfValue();
  knobY = KnobByRule();
  return 0;
}

int JVSLIDER::Update(int, float) {
  const int lkm = input ? input->Lkm() : 0;
  const int drag = Drag(lkm);
  if (drag >= 0) return drag;
  dragging = false;
  return StepByEnds(lkm);
}

int JVSLIDER::Render(int) {
  const float q = texW / 4.0f, e = texW / 8.0f, h = texW / 2.0f;
  struct Part {
    float u, px, py, len;
  };
  const Part parts[4] = {
      {0.0f, x, y + h - e, q},
      {0.25f, x, y + h - e + q, length - q},
      {0.5f, x, y + length - e + h, q},
      {0.75f, knobX, knobY + h - e, q},
  };
  for (const Part& p : parts) {
    SetTexelCoord(p.u, 0.0f, p.u + 0.25f, 1.0f);
    SetSizePix(int(p.len), int(texH));
    JSPRITE::SetPos(int(p.px), int(p.py));
    RenderMe(position.x, position.y, 1.0f, 1.0f, 1.5707964f, hotSpot.x, hotSpot.y);
  }
  return 0;
}

}  // namespace ZOV

// ---- JVSLIDER_E

JVSLIDER_E::JVSLIDER_E(const char* slider, const char* minusButton, const char* plusButton) : JVSLIDER(slider) {
  minus = new JBUTTONMAP4(minusButton);
  plus = new JBUTTONMAP4(plusButton);
}

JVSLIDER_E::~JVSLIDER_E() {
  delete minus;
  minus = nullptr;
  delete plus;
  plus = nullptr;
}

void JVSLIDER_E::PlaceButtons() {
  if (minus) minus->SetPos(int(x), int(y - float(minus->frame.x / 8)));
  if (plus) plus->SetPos(int(x), int(y + length + float(plus->frame.x / 4)));
}

int JVSLIDER_E::SetPos(float px, float py) {
  JVSLIDER::SetPos(px, py);
  PlaceButtons();
  return 0;
}

int JVSLIDER_E::SetTotalSize(float l) {
  length = l;
  PlaceButtons();
  return 0;
}

void JVSLIDER_E::OnDrag() {
  if (minus) minus->SetState(0);
  if (plus) plus->SetState(0);
}

int JVSLIDER_E::Update(int, float) {
  const int lkm = input ? input->Lkm() : 0;
  const int drag = Drag(lkm);
  if (drag >= 0) return drag;
  dragging = false;
  if (minus && minus->Update(0, 0.0f) == 1) return StepDown(true);
  if (plus && plus->Update(0, 0.0f) == 1) return StepUp(true);
  return 0;
}

int JVSLIDER_E::Render(int) {
  if (!(maximum > 0.0f)) return 0;
  JVSLIDER::Render(0);
  if (minus) minus->Render(0);
  if (plus) plus->Render(0);
  return 0;
}
