// The placement rules the modal windows share: a four-frame button's frame
// width, the OK/Cancel pair either side of the centre line (each button
// half its own frame from it), the row below the window's centre, and the
// window centred on the screen.
#include <gtest/gtest.h>

#include "GAME/ui/window_layout.h"
#include "ST/button_layout.h"
#include "tests/support/modal_window_env.h"

namespace {

using windowtest::Point;

class WindowLayout : public windowtest::ModalWindowEnv {};

TEST_F(WindowLayout, OkAndCancelStandHalfTheirFrameFromTheCentreLine) {
  struct Row {
    const char* what;
    int okW, cancelW;
    float x, rowY;
    Point ok, cancel;
  };
  const Row rows[] = {
      {"equal buttons", 480, 480, 512.0f, 654.0f, {452, 654}, {572, 654}},
      {"a narrower Cancel", 480, 400, 512.0f, 654.0f, {452, 654}, {562, 654}},
      {"fractions truncate", 512, 512, 512.7f, 491.9f, {448, 491}, {576, 491}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    Image(&chBUTTON_OK, "ok_" + std::to_string(r.okW) + ".png", r.okW, 48);
    Image(&chBUTTON_CANCEL, "cancel_" + std::to_string(r.cancelW) + ".png", r.cancelW, 48);
    JBUTTONMAP4 ok(chBUTTON_OK), cancel(chBUTTON_CANCEL);
    EXPECT_EQ(ZOV::FrameWidth(ok), r.okW / 4);
    ZOV::PlaceOkCancel(ok, cancel, r.x, r.rowY);
    EXPECT_EQ((Point{int(ok.position.x), int(ok.position.y)}), r.ok);
    EXPECT_EQ((Point{int(cancel.position.x), int(cancel.position.y)}), r.cancel);
  }
}

TEST_F(WindowLayout, TheButtonRowLiesAFractionOfTheWindowBelowItsCentre) {
  EXPECT_FLOAT_EQ(GAME::OkCancelRow(384.0f, 600.0f, 0.45f), 654.0f);
  EXPECT_FLOAT_EQ(GAME::OkCancelRow(384.0f, 240.0f, 0.45f), 492.0f);
  EXPECT_FLOAT_EQ(GAME::OkCancelRow(384.0f, 200.0f, 0.25f), 434.0f);
}

TEST_F(WindowLayout, AWindowCentresOnTheScreen) {
  JSPRITE window(chWINDOWMINI, 0);
  game().middle = JST::iPOINT(960, 540);
  GAME::CentreOnScreen(window, game());
  EXPECT_EQ((Point{int(window.position.x), int(window.position.y)}), (Point{960, 540}));
  EXPECT_EQ(GAME::ImageWidth(window), 560);
  EXPECT_EQ(GAME::ImageHeight(window), 240);
}

TEST_F(WindowLayout, TheSharedKitLendsTheLoadedAssets) {
  big = bigFont.get();
  comix = comixFont.get();
  blackTranslucent = dim.get();
  const GAME::WindowKit k = GAME::WindowKit::Shared();
  EXPECT_EQ(k.big, bigFont.get());
  EXPECT_EQ(k.comix, comixFont.get());
  EXPECT_EQ(k.dim, dim.get());
  EXPECT_EQ(&k.Game(), ZOV::GetGame());
  EXPECT_EQ(&GAME::WindowKit{}.Game(), ZOV::GetGame()) << "no game lent: the engine's own";
  big = comix = nullptr;
  blackTranslucent = nullptr;
}

}  // namespace
