// Sliders driven frame by frame through the game's input state: geometry of
// the four drawn parts, the percent and value conversions of the horizontal
// and vertical kinds, dragging with clamping, end clicks and step buttons,
// the step bounds, and the console lines.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "ST/button.h"
#include "ST/slider.h"
#include "tests/support/widget_env.h"

namespace {

using widgettest::DrawnQuads;

class Slider : public widgettest::WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    widgettest::WriteImage("slider.png", 64, 16);
    widgettest::WriteImage("minus.png", 128, 16);  // frames 32 wide
    widgettest::WriteImage("plus.png", 128, 16);
  }
  // A slider at (100, 200), length 300, range lo..hi.
  template <typename S>
  std::unique_ptr<S> Make(int lo = 0, int hi = 10) {
    std::unique_ptr<S> s;
    if constexpr (std::is_constructible_v<S, const char*>)
      s = std::make_unique<S>("slider.png");
    else
      s = std::make_unique<S>("slider.png", "minus.png", "plus.png");
    s->SetMaxMin(lo, hi);
    s->SetTotalSize(300);
    s->SetPos(100, 200);
    return s;
  }
  int Step(JSPRITE& s, int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = s.Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // A click: press and release at (x, y); the result of the release frame
  // and of the press frame added.
  int Click(JSPRITE& s, int x, int y) {
    const int a = Step(s, x, y, 1);
    return a + Step(s, x, y, -1);
  }
  static std::string Captured(const std::function<void()>& f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(Slider, DefaultsAndConsoleLines) {
  std::unique_ptr<ZOV::JSLIDER> s;
  const std::string made = Captured([&] { s = std::make_unique<ZOV::JSLIDER>("slider.png"); });
  EXPECT_EQ(made, "sliderX = 108\n");
  EXPECT_FLOAT_EQ(s->texW, 64.0f);
  EXPECT_FLOAT_EQ(s->texH, 16.0f);
  EXPECT_FLOAT_EQ(s->length, 116.0f);
  EXPECT_FLOAT_EQ(s->maximum, 100.0f);
  EXPECT_FLOAT_EQ(s->value, 0.0f);
  EXPECT_FLOAT_EQ(s->knobY, 100.0f);
  EXPECT_FLOAT_EQ(s->grabRadius, 8.0f);
  EXPECT_EQ(s->Message(0), 1);
  EXPECT_EQ(Captured([&] { s.reset(); }), "jslider delete\n");

  std::unique_ptr<ZOV::JVSLIDER> v;
  EXPECT_EQ(Captured([&] { v = std::make_unique<ZOV::JVSLIDER>("slider.png"); }), "");
  EXPECT_FLOAT_EQ(v->knobX, 100.0f);
  EXPECT_FLOAT_EQ(v->knobY, 108.0f);
  EXPECT_EQ(Captured([&] { v.reset(); }), "");
}

TEST_F(Slider, HorizontalPartsAndKnob) {
  auto s = Make<ZOV::JSLIDER>();
  struct Case {
    int percent;
    float knob;
  } cases[] = {{0, 108}, {50, 250}, {100, 392}};
  for (const Case& c : cases) {
    s->SetValue(c.percent);
    EXPECT_FLOAT_EQ(s->knobX, c.knob);
    plat::gfx::ClearRecorded();
    EXPECT_EQ(s->Render(0), 0);
    const auto q = DrawnQuads();
    ASSERT_EQ(q.size(), 4u);
    const float x0[4] = {92, 108, 392, c.knob - 8};
    const float x1[4] = {108, 392, 408, c.knob + 8};
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(q[i].x0, x0[i]) << "part " << i;
      EXPECT_FLOAT_EQ(q[i].x1, x1[i]) << "part " << i;
      EXPECT_FLOAT_EQ(q[i].y0, 192.0f);
      EXPECT_FLOAT_EQ(q[i].y1, 208.0f);
      EXPECT_FLOAT_EQ(q[i].u0, 0.25f * float(i));
      EXPECT_FLOAT_EQ(q[i].u1, 0.25f * float(i + 1));
    }
  }
}

TEST_F(Slider, HorizontalValueConversions) {
  auto s = Make<ZOV::JSLIDER>();
  EXPECT_EQ(Captured([&] { EXPECT_EQ(s->SetValue(50), 0); }), "value= 50\n");
  EXPECT_FLOAT_EQ(s->GetValue(), 5.0f);
  EXPECT_FLOAT_EQ(s->knobX, 250.0f);
  EXPECT_EQ(s->SetMin(3), 1);
  EXPECT_FLOAT_EQ(s->GetValue(), 3.0f);
  EXPECT_FLOAT_EQ(s->knobX, 250.0f) << "the knob stays";
  EXPECT_EQ(s->SetMaxMin(0, 10), 0);
  EXPECT_FLOAT_EQ(s->GetValue(), 0.0f);
  EXPECT_FLOAT_EQ(s->percent, 50.0f) << "percent unchanged";
  EXPECT_FLOAT_EQ(s->knobX, 250.0f);
  EXPECT_EQ(s->SetMax(20), 1);
  EXPECT_EQ(s->SetTotalSize(200), 0);
  EXPECT_FLOAT_EQ(s->knobX, 250.0f) << "length alone does not move the knob";
  EXPECT_EQ(s->SetPos(100, 200), 0);
  EXPECT_FLOAT_EQ(s->knobX, 100.0f + 184.0f / 2.0f + 8.0f);
}

TEST_F(Slider, DraggingTheKnob) {
  auto s = Make<ZOV::JSLIDER>();
  struct Frame_ {
    int x, button, result;
    float percent, value;
  } frames[] = {
      {108, 1, 0, 0, 0},      // grabbed where it lies: no move
      {50, 0, 0, 0, 0},       // pinned at the left end
      {500, 0, 1, 100, 10},   // pinned at the right end
      {500, 0, 0, 100, 10},   // the same place again
      {250, 0, 1, 50, 5},     //
      {179, -1, 1, 25, 2.5},  // the release frame still moves
      {300, 0, 0, 25, 2.5},   // let go
  };
  for (const Frame_& f : frames) {
    EXPECT_EQ(Step(*s, f.x, 203, f.button), f.result) << "x " << f.x;
    EXPECT_NEAR(s->percent, f.percent, 1e-4) << "x " << f.x;
    EXPECT_NEAR(s->GetValue(), f.value, 1e-4) << "x " << f.x;
  }
  EXPECT_FALSE(s->dragging);

  // Pressed just outside the grab radius: no grab.
  auto t = Make<ZOV::JSLIDER>();
  EXPECT_EQ(Step(*t, 116, 200, 1), 0);
  EXPECT_EQ(Step(*t, 300, 200), 0);
  EXPECT_FLOAT_EQ(t->percent, 0.0f);
}

TEST_F(Slider, EndClicksStepByOne) {
  auto s = Make<ZOV::JSLIDER>();
  std::string out = Captured([&] { EXPECT_EQ(Click(*s, 100, 200), 0) << "at min, and not a grab"; });
  EXPECT_EQ(out, "--b v=0 rv=0\n");
  s->SetValue(50);
  out = Captured([&] { EXPECT_EQ(Click(*s, 100, 200), 1); });
  EXPECT_EQ(out, "--b v=50 rv=5\n--a v=40 rv=4\n");
  EXPECT_FLOAT_EQ(s->knobX, 100.0f + 2.84f * 40.0f + 8.0f);
  out = Captured([&] { EXPECT_EQ(Click(*s, 400, 200), 1); });
  EXPECT_EQ(out, "++b v=40 rv=4\n++a v=50 rv=5\n");
  s->SetValue(100);
  out = Captured([&] { EXPECT_EQ(Click(*s, 400, 200), 0); });
  EXPECT_EQ(out, "++b v=100 rv=10\n");
}

TEST_F(Slider, StepButtonsPlacedAndClicked) {
  auto s = Make<ZOV::JSLIDER_E>();
  EXPECT_FLOAT_EQ(s->minus->position.x, 96.0f);
  EXPECT_FLOAT_EQ(s->minus->position.y, 200.0f);
  EXPECT_FLOAT_EQ(s->plus->position.x, 408.0f);
  EXPECT_FLOAT_EQ(s->plus->position.y, 200.0f);
  s->SetTotalSize(400);
  EXPECT_FLOAT_EQ(s->plus->position.x, 508.0f);
  s->SetTotalSize(300);

  std::string out = Captured([&] {
    EXPECT_EQ(Click(*s, 96, 200), 0) << "minus at min";
    EXPECT_EQ(Click(*s, 408, 200), 1);
    EXPECT_FLOAT_EQ(s->GetValue(), 1.0f);
    EXPECT_NEAR(s->percent, 10.0f, 1e-4);
    EXPECT_EQ(Click(*s, 96, 200), 1);
    EXPECT_FLOAT_EQ(s->GetValue(), 0.0f);
    EXPECT_FLOAT_EQ(s->knobX, 108.0f);
  });
  EXPECT_EQ(out, "") << "the button slider writes no step lines";

  // The plus button put over the minus one: in the frame the minus button
  // clicks, the plus button is not polled (its pressed frame stays).
  s->SetValue(50);
  s->plus->SetPos(96, 200);
  Step(*s, 96, 200, 1);
  EXPECT_EQ(s->plus->GetState(), 2);
  EXPECT_EQ(Step(*s, 96, 200, -1), 1);
  EXPECT_FLOAT_EQ(s->GetValue(), 4.0f);
  EXPECT_EQ(s->plus->GetState(), 2);

  plat::gfx::ClearRecorded();
  EXPECT_EQ(s->Render(0), 1);
  EXPECT_EQ(DrawnQuads().size(), 6u);
}

TEST_F(Slider, StepsStayInsideTheRange) {
  auto s = Make<ZOV::JSLIDER_E>();
  s->SetValue(55);  // 5.5
  float last = s->GetValue();
  for (int i = 0; i < 7; ++i) {
    const int r = Click(*s, 96, 200);
    EXPECT_GE(s->GetValue(), 0.0f);
    EXPECT_GE(s->percent, 0.0f);
    EXPECT_GE(s->knobX, 108.0f);
    EXPECT_EQ(r, last > 0.0f ? 1 : 0) << i;
    last = s->GetValue();
  }
  EXPECT_FLOAT_EQ(s->GetValue(), 0.0f) << "0.5 steps to 0, not -0.5";
  EXPECT_FLOAT_EQ(s->percent, 0.0f);

  s->SetValue(95);  // 9.5
  EXPECT_EQ(Click(*s, 408, 200), 1);
  EXPECT_FLOAT_EQ(s->GetValue(), 10.0f);
  EXPECT_FLOAT_EQ(s->percent, 100.0f);
  EXPECT_FLOAT_EQ(s->knobX, 392.0f);
  EXPECT_EQ(Click(*s, 408, 200), 0);

  // A value set beyond the range comes back inside it with the first step.
  s->SetValue(150);  // 15
  EXPECT_EQ(Click(*s, 96, 200), 1);
  EXPECT_FLOAT_EQ(s->GetValue(), 10.0f) << "not 14";
  EXPECT_FLOAT_EQ(s->percent, 100.0f);
  EXPECT_FLOAT_EQ(s->knobX, 392.0f);

  auto v = Make<JVSLIDER_E>(0, 6);
  struct Case {
    int set, clickY, value;
  } cases[] = {{-3, 508, 0}, {9, 196, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    v->SetValue(c.set);
    Captured([&] { EXPECT_EQ(Click(*v, 100, c.clickY), 1); });
    EXPECT_EQ(v->GetValue(), c.value);
    EXPECT_FLOAT_EQ(v->percent, c.value == 0 ? 0.0f : 100.0f);
  }
}

TEST_F(Slider, VerticalValueConversions) {
  auto s = Make<JVSLIDER_E>(0, 6);
  EXPECT_EQ(s->SetValue(3), 0);
  EXPECT_NEAR(s->percent, 50.0f, 1e-4);
  EXPECT_EQ(s->GetValue(), 3);
  EXPECT_FLOAT_EQ(s->knobY, 350.0f);
  EXPECT_FLOAT_EQ(s->knobX, 100.0f);
  // Drag the knob to a value of about 2.7: read as 2.
  Step(*s, 100, 350, 1);
  EXPECT_TRUE(s->dragging);
  EXPECT_EQ(Step(*s, 100, 336), 1);
  EXPECT_NEAR(s->value, 2.7f, 0.01f);
  EXPECT_EQ(s->GetValue(), 2);
  Step(*s, 100, 336, -1);
  EXPECT_EQ(s->SetMax(10), 0);
  EXPECT_NEAR(s->value, 2.7f, 0.01f) << "a higher max leaves the value";
}

TEST_F(Slider, VerticalEmptyRangeHasNoPercent) {
  auto s = Make<ZOV::JVSLIDER>(0, 0);
  s->SetValue(0);
  EXPECT_FLOAT_EQ(s->percent, 0.0f);
  s->SetValue(3);
  EXPECT_TRUE(std::isfinite(s->percent));
  EXPECT_FLOAT_EQ(s->percent, 0.0f);
  EXPECT_FLOAT_EQ(s->knobY, 208.0f);

  // Lowering max below the value brings the value down with it.
  auto t = Make<ZOV::JVSLIDER>(0, 10);
  t->SetValue(8);
  t->SetMax(5);
  EXPECT_EQ(t->GetValue(), 5);
  EXPECT_FLOAT_EQ(t->percent, 100.0f);
  EXPECT_FLOAT_EQ(t->knobY, 492.0f);
  t->SetMax(0);
  EXPECT_EQ(t->GetValue(), 0);
  EXPECT_FLOAT_EQ(t->percent, 0.0f);
}

TEST_F(Slider, VerticalButtonsAndDrawing) {
  auto s = Make<JVSLIDER_E>(0, 0);
  EXPECT_FLOAT_EQ(s->minus->position.x, 100.0f);
  EXPECT_FLOAT_EQ(s->minus->position.y, 196.0f);
  EXPECT_FLOAT_EQ(s->plus->position.x, 100.0f);
  EXPECT_FLOAT_EQ(s->plus->position.y, 508.0f);
  plat::gfx::ClearRecorded();
  EXPECT_EQ(s->Render(0), 0);
  EXPECT_TRUE(DrawnQuads().empty()) << "range 0..0 draws nothing";
  EXPECT_EQ(Click(*s, 100, 508), 0) << "no step in an empty range";

  s->SetMax(1);
  EXPECT_EQ(s->Render(0), 0);
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 6u);
  // Top cap, track, bottom cap, knob: texH wide, centred on x.
  const float y0[4] = {192, 208, 492, 200};
  const float y1[4] = {208, 492, 508, 216};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(q[i].x0, 92.0f, 1e-3) << i;
    EXPECT_NEAR(q[i].x1, 108.0f, 1e-3) << i;
    EXPECT_NEAR(q[i].y0, y0[i], 1e-3) << i;
    EXPECT_NEAR(q[i].y1, y1[i], 1e-3) << i;
  }

  const std::string out = Captured([&] { EXPECT_EQ(Click(*s, 100, 508), 1); });
  EXPECT_EQ(out, "++b v=0 rv=0\n++a v=100 rv=1\n");
  EXPECT_EQ(s->GetValue(), 1);
  EXPECT_FLOAT_EQ(s->knobY, 492.0f);
}

TEST_F(Slider, VerticalDragShowsTheButtonsStoredFrames) {
  auto s = Make<JVSLIDER_E>(0, 6);
  s->minus->SetTexelCoord(0.9f, 0, 1, 1);
  Step(*s, 100, 208, 1);
  EXPECT_TRUE(s->dragging);
  EXPECT_FLOAT_EQ(s->minus->quad.v[0].u, 0.25f * float(s->minus->GetState()));
}

TEST_F(Slider, VerticalEndClicks) {
  auto s = Make<ZOV::JVSLIDER>(0, 6);
  s->SetValue(3);
  EXPECT_EQ(Click(*s, 100, 500), 1);
  EXPECT_EQ(s->GetValue(), 4);
  EXPECT_EQ(Click(*s, 100, 200), 1);
  EXPECT_EQ(Click(*s, 100, 200), 1);
  EXPECT_EQ(s->GetValue(), 2);
  EXPECT_NEAR(s->knobY, 208.0f + 2.84f * 100.0f / 3.0f, 1e-3);
}

TEST_F(Slider, TrackWithoutSpanDragsToPercentZero) {
  auto s = Make<ZOV::JSLIDER>();
  s->SetTotalSize(16);  // exactly the two half caps
  s->SetPos(100, 200);
  Step(*s, 108, 200, 1);
  Step(*s, 300, 200);
  EXPECT_TRUE(std::isfinite(s->percent));
  EXPECT_FLOAT_EQ(s->percent, 0.0f);
  EXPECT_FLOAT_EQ(s->GetValue(), 0.0f);
}

}  // namespace
