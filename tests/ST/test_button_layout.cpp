// Where the windows put their four-frame buttons: the frame width, OK and
// Cancel either side of the centre line (half their own frame from it) on
// one row or straddling a window's lower edge, and a lone button on the
// edge. Every position truncates toward zero.
#include <gtest/gtest.h>

#include <string>

#include "ST/button.h"
#include "ST/button_layout.h"
#include "tests/support/dialog_env.h"

namespace {

struct Point {
  int x, y;
  bool operator==(const Point&) const = default;
};

Point At(const JSPRITE& s) { return {int(s.position.x), int(s.position.y)}; }

class ButtonLayout : public dialogtest::DialogEnv {
 protected:
  JBUTTONMAP4 Button(int w, int h) {
    const std::string file = "button_" + std::to_string(w) + "x" + std::to_string(h) + ".png";
    dialogtest::WriteImage(file, w, h);
    return JBUTTONMAP4(file.c_str());
  }
};

TEST_F(ButtonLayout, TheFrameIsAQuarterOfTheImage) {
  for (int w : {512, 480, 400, 100, 66}) EXPECT_EQ(ZOV::FrameWidth(Button(w, 48)), w / 4) << w;
}

TEST_F(ButtonLayout, OkAndCancelMeetOnTheCentreLine) {
  struct Row {
    const char* what;
    int okW, okH, cancelW, cancelH;
    float x, y;
    Point ok, cancel, okOnEdge, cancelOnEdge;
  };
  const Row rows[] = {
      // Half a frame is an eighth of the image; the edge cuts a button a
      // quarter of its own height below its centre.
      {"equal buttons", 512, 48, 512, 48, 512.0f, 500.0f, {448, 500}, {576, 500}, {448, 488}, {576, 488}},
      {"a narrower, taller Cancel", 480, 48, 400, 64, 512.0f, 500.0f, {452, 500}, {562, 500}, {452, 488},
       {562, 484}},
      {"fractions truncate", 512, 50, 512, 50, 512.7f, 491.9f, {448, 491}, {576, 491}, {448, 479}, {576, 479}},
      {"half a frame of half a pixel", 100, 48, 100, 48, 512.0f, 400.0f, {499, 400}, {524, 400}, {499, 388},
       {524, 388}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    JBUTTONMAP4 ok = Button(r.okW, r.okH), cancel = Button(r.cancelW, r.cancelH);
    ZOV::PlaceOkCancel(ok, cancel, r.x, r.y);
    EXPECT_EQ(At(ok), r.ok);
    EXPECT_EQ(At(cancel), r.cancel);
    ZOV::PlaceOkCancelOnEdge(ok, cancel, r.x, r.y);
    EXPECT_EQ(At(ok), r.okOnEdge);
    EXPECT_EQ(At(cancel), r.cancelOnEdge);
  }
}

TEST_F(ButtonLayout, ALoneButtonStraddlesTheEdgeOnTheLine) {
  JBUTTONMAP4 ok = Button(512, 48);
  ZOV::PlaceOnEdge(ok, 512.0f, 684.0f);
  EXPECT_EQ(At(ok), (Point{512, 672}));
  ZOV::PlaceOnEdge(ok, 960.9f, 841.5f);
  EXPECT_EQ(At(ok), (Point{960, 829}));
}

}  // namespace
