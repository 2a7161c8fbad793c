// Sliders: a number set by dragging a knob along a track or by stepping it
// one unit at a time. Polled like every widget: Update(0, 0.0f) once a frame
// returns 1 when the slider moved, Render(0) draws it.
//
//  - ZOV::JSLIDER: horizontal; steps of 1 from clicks on the track's ends.
//    SetValue takes a PERCENT, GetValue gives the value as a float.
//  - ZOV::JSLIDER_E: a JSLIDER whose steps come from a minus and a plus
//    button (the settings windows and the set-up strip).
//  - ZOV::JVSLIDER: the same model along y; SetValue takes a VALUE, GetValue
//    gives it truncated to an int.
//  - JVSLIDER_E: a JVSLIDER with two step buttons (the scroll bar of the
//    list box and of the score and leader boards); draws nothing while its
//    max is 0 or below.
//
// The image holds four equal quarters side by side: left (top) cap, track,
// right (bottom) cap, knob. (x, y) is the centre of the first cap and length
// the distance to the centre of the other; the knob moves along the usable
// track from x + texW / 8 to x + length - texW / 8 by the placing rule
// knob = x + (length - texW / 4) / 100 x percent + texW / 8.
//
// Owners set the range, length and place after making a slider
// (SetMaxMin or SetMin/SetMax, SetTotalSize, SetPos), then SetValue, and read
// GetValue whenever Update returns 1. Steps keep the value inside
// [min, max]; a range with max equal to min has percent 0.
#pragma once

#include "ST/sprite.h"

class JBUTTONMAP4;

namespace ZOV {

class ST_INPUT;

// The fields and the maths the horizontal and vertical sliders share; the
// axis the knob moves along is fixed when the slider is made.
class JSLIDER_MODEL : public JSPRITE {
 public:
  int Message(int) override { return 1; }

  float x = 100.0f, y = 100.0f;  // centre of the first cap
  float length = 0.0f;           // texW / 4 + 100 after construction
  float minimum = 0.0f, maximum = 100.0f;
  float percent = 0.0f;          // knob place along the usable track, 0..100
  float value = 0.0f;            // minimum + (maximum - minimum) x percent / 100
  float prevPercent = 0.0f;
  bool dragging = false;
  float texW = 0.0f, texH = 0.0f;
  float knobX = 0.0f, knobY = 0.0f;
  float grabRadius = 0.0f;  // texH / 2
  ST_INPUT* input = nullptr;

 protected:
  JSLIDER_MODEL(const char* file, bool vertical);

  float TrackStart() const { return Along(x, y) + texW / 8.0f; }
  float TrackEnd() const { return Along(x, y) + length - texW / 8.0f; }
  // The knob's coordinate along the axis for the current percent.
  float KnobByRule() const { return Along(x, y) + (length - texW / 4.0f) / 100.0f * percent + texW / 8.0f; }
  float& KnobAlong() { return vertical_ ? knobY : knobX; }
  float Along(float ax, float ay) const { return vertical_ ? ay : ax; }
  // Percent of the current value; 0 for an empty range.
  float PercentOfValue() const;

  // The knob grab and drag (with the mouse along the axis). Returns -1 when
  // the knob is not held, else the frame's result (1 when it moved).
  int Drag(int lkm);
  // One step down or up; 1 when the value changed. `log` writes the console
  // lines before and after the step.
  int StepDown(bool log);
  int StepUp(bool log);
  // Holds the value to [min, max] (min wins when the range is reversed).
  void ClampValue();
  // Clicks on the two ends of the track.
  int StepByEnds(int lkm);
  // Called while the knob is held, after the value is computed.
  virtual void OnDrag() {}

 private:
  void LogStep(const char* tag) const;
  bool vertical_ = false;
};

class JSLIDER : public JSLIDER_MODEL {
 public:
  explicit JSLIDER(const char* file);
  ~JSLIDER() override;

  int SetPos(float px, float py);
  int SetTotalSize(float l);
  int SetMaxMin(int lo, int hi);
  int SetMax(int hi);
  // The value becomes the new min; the knob stays where it is.
  int SetMin(int lo);
  // Takes a percent p: value = (max - min) / 100 x p + min.
  int SetValue(int p);
  float GetValue() const { return value; }

  int Update(int, float) override;
  // Cap, track, cap and knob with the sprite's own scale and angle; 0.
  int Render(int) override;
};

class JSLIDER_E : public JSLIDER {
 public:
  JSLIDER_E(const char* slider, const char* minusButton, const char* plusButton);
  ~JSLIDER_E() override;

  // As JSLIDER::SetPos, then the minus button at (x - fw / 8, y) and the
  // plus button at (x + length + fw / 4, y), fw being each one's frame width.
  int SetPos(float px, float py);
  int SetTotalSize(float l);
  int Update(int, float) override;
  // The slider, then both buttons; returns 1.
  int Render(int) override;

  JBUTTONMAP4* minus = nullptr;
  JBUTTONMAP4* plus = nullptr;

 private:
  void PlaceButtons();
};

class JVSLIDER : public JSLIDER_MODEL {
 public:
  explicit JVSLIDER(const char* file);

  // x, y and the knob placed; the knob's x is x.
  int SetPos(float px, float py);
  int SetTotalSize(float l);
  int SetMaxMin(int lo, int hi);
  // A value above the new max is brought down to it (with percent and knob).
  int SetMax(int hi);
  // Takes a value v: percent = 100 / (max - min) x (v - min), 0 for an empty
  // range.
  int SetValue(int v);
  int GetValue() const { return int(value); }

  int Update(int, float) override;
  // The four parts turned a quarter turn clockwise, at scale 1; 0.
  int Render(int) override;
};

}  // namespace ZOV

class JVSLIDER_E : public ZOV::JVSLIDER {
 public:
  JVSLIDER_E(const char* slider, const char* minusButton, const char* plusButton);
  ~JVSLIDER_E() override;

  // The minus button at (x, y - fw / 8), the plus button at
  // (x, y + length + fw / 4).
  int SetPos(float px, float py);
  int SetTotalSize(float l);
  int Update(int, float) override;
  // Nothing while max is 0 or below; else the slider and both buttons; 0.
  int Render(int) override;

  JBUTTONMAP4* minus = nullptr;
  JBUTTONMAP4* plus = nullptr;

 protected:
  void OnDrag() override;

 private:
  void PlaceButtons();
};

namespace ZOV {
using ::JVSLIDER_E;
}
