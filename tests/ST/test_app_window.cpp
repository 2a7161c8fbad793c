#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "ST/app_window.h"
#include "ST/system_utils.h"

namespace {

TEST(AppWindow, StylesFollowTheFlags) {
  JC_APP app;
  app.ApplyStyle();
  EXPECT_EQ(app.Style(), 0x10CA0000u);
  EXPECT_EQ(app.ExStyle(), 0u);
  app.fStyleBorder(false);
  EXPECT_EQ(app.Style(), 0x100B0000u);
  app.fStyleBorder(true);
  app.fStyleResize(true);
  EXPECT_EQ(app.Style(), 0x10CE0000u);
  app.fStyleMaximize(true);
  EXPECT_EQ(app.Style(), 0x10CF0000u);
  app.fStyleMinimize(false);
  EXPECT_EQ(app.Style(), 0x10CD0000u);
}

TEST(AppWindow, FullScreenIgnoresStyleChangesAndStoresNothing) {
  JC_APP app;
  app.SetDesktopForTests(1920, 1080);
  app.fResizeWindow(1920, 1080, true, false);
  EXPECT_EQ(app.Style(), 0x80000000u);
  EXPECT_EQ(app.ExStyle(), 0x8u);
  app.fStyleBorder(false);
  app.fResizeWindow(1024, 768, false, true);
  EXPECT_EQ(app.Style(), 0x10CA0000u) << "the border flag was not stored in full screen";
}

// Before the window exists there is no frame, so the outer size is the
// client size; the halves are integer divisions.
TEST(AppWindow, WindowedIsCentredOnTheDesktop) {
  struct Row {
    int w, h;
    int x, y;
  };
  for (Row r : {Row{1024, 768, 448, 156}, Row{1023, 767, 449, 157}, Row{801, 601, 560, 240},
                Row{1920, 1080, 0, 0}}) {
    JC_APP app;
    app.SetDesktopForTests(1920, 1080);
    app.fResizeWindow(r.w, r.h, false, true);
    EXPECT_EQ(app.RequestedOrigin().x, r.x) << r.w << "x" << r.h;
    EXPECT_EQ(app.RequestedOrigin().y, r.y) << r.w << "x" << r.h;
  }
}

TEST(AppWindow, StretchScalesUniformlyInFullScreenOnly) {
  JC_APP app;
  app.SetDesktopForTests(1920, 1080);
  app.fResizeWindow(1024, 768, false, true);
  EXPECT_FLOAT_EQ(app.StretchScale(), 1.0f) << "windowed keeps the last values";
  // 1080 / 768 is the smaller ratio; 1024 x 1.40625 = 1440 wide, centred in
  // 1920 with 240 on each side.
  app.fResizeWindow(1024, 768, true, true);
  EXPECT_FLOAT_EQ(app.StretchScale(), 1.40625f);
  EXPECT_FLOAT_EQ(app.StretchOffset().x, 240.0f);
  EXPECT_FLOAT_EQ(app.StretchOffset().y, 0.0f);
  // A tall logical screen: 1080 / 1200 = 0.9 is the smaller ratio, 1920 - 1600
  // x 0.9 = 480 wide of margin split in two.
  app.fResizeWindow(1600, 1200, true, true);
  EXPECT_FLOAT_EQ(app.StretchScale(), 0.9f);
  EXPECT_FLOAT_EQ(app.StretchOffset().x, 240.0f);
  EXPECT_FLOAT_EQ(app.StretchOffset().y, 0.0f);
  // A wide one: 1920 / 2400 = 0.8, 1080 - 900 x 0.8 = 360 of height to split.
  app.fResizeWindow(2400, 900, true, true);
  EXPECT_FLOAT_EQ(app.StretchScale(), 0.8f);
  EXPECT_FLOAT_EQ(app.StretchOffset().x, 0.0f);
  EXPECT_FLOAT_EQ(app.StretchOffset().y, 180.0f);
  app.fResizeWindow(1920, 1080, true, false);
  EXPECT_FLOAT_EQ(app.StretchScale(), 1.0f);
  app.fResizeWindow(0, 0, true, true);  // no division by a zero client size
  EXPECT_FLOAT_EQ(app.StretchScale(), 1.0f);
}

TEST(SystemUtils, DateHasNoLeadingZeros) {
  char text[15];
  ZOV::iSys::FormatDate({1, 3, 2027}, text);
  EXPECT_STREQ(text, "1:3:2027");
  ZOV::iSys::FormatDate({9, 12, 2026}, text);
  EXPECT_STREQ(text, "9:12:2026");
  char* today = ZOV::isys.GetData();
  EXPECT_NE(std::strchr(today, ':'), nullptr);
  delete[] today;
}

TEST(SystemUtils, RectOfNoWindowIsEmpty) {
  testing::internal::CaptureStdout();
  const ZOV::RECT r = ZOV::isys.GetERect(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERECT BAD\n");
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
}

TEST(AppWindow, RealWindowUnderX) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  JC_APP app;
  testing::internal::CaptureStdout();
  EXPECT_EQ(app.fInit("app window test", &plat::DefWindowProc), 1);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("WindowInit"), std::string::npos);
  EXPECT_NE(out.find("Window created"), std::string::npos);
  ASSERT_NE(app.fGetWindow(), nullptr);
  EXPECT_EQ(app.fGetWindow()->ClientSize().x, 1024);
  EXPECT_EQ(app.fGetWindow()->ClientSize().y, 768);
  const ZOV::RECT r = ZOV::isys.GetERect(app.fGetWindow());
  EXPECT_EQ(r.right, 1024);
}

}  // namespace
