// The set-up strip on the recording backend, with mouse and key frames
// through the game's input state: its layout for a screen and a window
// image (OK and Cancel side by side, never overlapping), the codes of OK,
// Enter, Cancel and Escape (and the click of the latter two), the sliders
// held to their ranges, one change reported a frame, the rotation box, and
// the texts it draws (the preview's numbers, not the sliders').
//
// Images: the window 720 x 600 (the strip is 720 x 199), OK and Cancel
// 512 x 48 (128-pixel frames), the slider and its step buttons 128 x 32, the
// rotation box 80 x 40, its caption 160 x 32, unless a case says otherwise.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/setup_strip.h"
#include "ST/button.h"
#include "ST/slider.h"
#include "tests/support/dialog_env.h"
#include "tests/support/text_record.h"

namespace {

using Strip = PUZZLE_IMG_HCANGE_SCREEN;

class SetupStrip : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    // No button left held by an earlier test.
    input().EventMouseLkm(false);
    EndFrame();
    EndFrame();
    Screen(1024, 768);
    Images(720, 512);
    Image(&chPTNS_GM_SLIDER, "strip_slider.png", 128, 32);
    Image(&chBUTTONMINUS, "strip_minus.png", 128, 32);
    Image(&chBUTTONPLUS, "strip_plus.png", 128, 32);
    Image(&chPTNS_GM_CHBOX_ROT, "rotate.png", 80, 40);
    Image(&chROTATION_TEXT, "rotation_text.png", 160, 32);
    texttest::WriteFont("strip.fnt");
    font = std::make_unique<ZOV::JFONT>("strip.fnt", 0);
    chTEXT_IMG_CHANGE_SCREEN_COUNT = count;
    chTEXT_IMG_CHANGE_SCREEN_DISTORT = distort;
    chTEXT_DIALOG_WIN_ROTATION = rotation;
    chTEXT_DIALOG_WIN_YES = yes;
    chTEXT_DIALOG_WIN_NO = no;
  }
  void TearDown() override {
    strip.reset();
    Screen(1024, 768);
    GAME::ApplyConfigDefaults();
    DialogEnv::TearDown();
  }
  void Screen(int w, int h) { game().gfx.SetAdaptScreen(w, h); }
  void Images(int windowW, int buttonW) {
    Image(&chSTBACK, "strip_window" + std::to_string(windowW) + ".png", windowW, 600);
    Image(&chBUTTON_OK, "strip_ok" + std::to_string(buttonW) + ".png", buttonW, 48);
    Image(&chBUTTON_CANCEL, "strip_cancel" + std::to_string(buttonW) + ".png", buttonW, 48);
  }
  Strip& Open() {
    strip = std::make_unique<Strip>(&game(), font.get(), eButton);
    return *strip;
  }
  int FrameAt(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = strip->Update();
    EndFrame();
    return r;
  }
  int ClickAt(int x, int y) {
    return Click(x, y, [&] { return strip->Update(); });
  }
  int KeyFrame(int vk) {
    KeyDown(vk);
    const int r = strip->Update();
    KeyUp(vk);
    EndFrame();
    return r;
  }
  // Presses at (x, y), drags 50 pixels towards toX, then to (toX, y), and
  // releases; the answer of each of the four frames. A fifth frame with the
  // button up lets the slider see the drag end, as every frame of play does.
  std::vector<int> Drag(int x, int y, int toX) {
    std::vector<int> out;
    out.push_back(FrameAt(x, y, 1));
    out.push_back(FrameAt(toX > x ? x + 50 : x - 50, y));
    out.push_back(FrameAt(toX, y));
    out.push_back(FrameAt(toX, y, -1));
    EXPECT_EQ(FrameAt(toX, y), Strip::kNothing);
    return out;
  }
  std::vector<texttest::Drawn> Drawn(int distortion, int count) {
    plat::gfx::ClearRecorded();
    strip->Render(distortion, count);
    return texttest::Texts(font->page->GetTexture());
  }

  char count[8] = "c%i", distort[8] = "d%i", rotation[8] = "R", yes[8] = "Y", no[8] = "N";
  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<Strip> strip;
};

struct Layout {
  const char* name;
  int screenW, screenH, windowW, buttonW;
  int stripX, stripY, stripW, stripH;
  int okX, cancelX, buttonsY;
  float sliderX, countY, distortY, sliderLength;
  int boxX, boxY, captionY;
};
void PrintTo(const Layout& l, std::ostream* os) { *os << l.name; }

class SetupStripLayout : public SetupStrip, public ::testing::WithParamInterface<Layout> {};

TEST_P(SetupStripLayout, LaysTheStripOutAtTheFootOfTheScreen) {
  const Layout& l = GetParam();
  Screen(l.screenW, l.screenH);
  Images(l.windowW, l.buttonW);
  const Strip& s = Open();
  EXPECT_FLOAT_EQ(s.Strip()->position.x, float(l.stripX));
  EXPECT_FLOAT_EQ(s.Strip()->position.y, float(l.stripY));
  plat::gfx::ClearRecorded();
  strip->Render(0, 12);
  const auto quads = drawtest::QuadsOf(s.Strip()->GetTexture());
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].x1 - quads[0].x0, float(l.stripW));
  EXPECT_FLOAT_EQ(quads[0].y1 - quads[0].y0, float(l.stripH));
  EXPECT_NEAR(quads[0].y1, float(l.screenH), 1.0f) << "resting on the bottom edge";
  EXPECT_NEAR(quads[0].v1, 0.333f, 1e-6) << "the window's top third";
  EXPECT_EQ(s.GetWidth(), l.stripH);
  // Everything it draws, controls and texts, lies on the strip.
  for (const drawtest::Quad& q : drawtest::DrawnQuads()) {
    EXPECT_GE(q.x0, quads[0].x0) << q.texture;
    EXPECT_LE(q.x1, quads[0].x1) << q.texture;
    EXPECT_GE(q.y0, quads[0].y0) << q.texture;
    EXPECT_LE(q.y1, quads[0].y1) << q.texture;
  }

  EXPECT_FLOAT_EQ(s.OkButton()->position.x, float(l.okX));
  EXPECT_FLOAT_EQ(s.OkButton()->position.y, float(l.buttonsY));
  EXPECT_FLOAT_EQ(s.CancelButton()->position.x, float(l.cancelX));
  EXPECT_FLOAT_EQ(s.CancelButton()->position.y, float(l.buttonsY));
  const int frame = l.buttonW / 4;
  EXPECT_EQ((l.cancelX - frame / 2) - (l.okX + frame / 2), Strip::kCancelGap) << "side by side, never overlapping";

  EXPECT_FLOAT_EQ(s.CountSlider()->x, l.sliderX);
  EXPECT_FLOAT_EQ(s.CountSlider()->y, l.countY);
  EXPECT_FLOAT_EQ(s.CountSlider()->length, l.sliderLength);
  EXPECT_FLOAT_EQ(s.DistortSlider()->x, l.sliderX);
  EXPECT_FLOAT_EQ(s.DistortSlider()->y, l.distortY);
  EXPECT_FLOAT_EQ(s.DistortSlider()->length, l.sliderLength);
  EXPECT_FLOAT_EQ(s.CountSlider()->knobX, l.sliderX + 16.0f) << "at the minimum";

  EXPECT_FLOAT_EQ(s.RotationBox()->position.x, float(l.boxX));
  EXPECT_FLOAT_EQ(s.RotationBox()->position.y, float(l.boxY));
  EXPECT_FLOAT_EQ(s.RotationCaption()->position.x, float(l.boxX));
  EXPECT_FLOAT_EQ(s.RotationCaption()->position.y, float(l.captionY));
  EXPECT_EQ(s.RotationCaption()->hotSpot.x, 160) << "its bottom-right corner";
  EXPECT_EQ(s.RotationCaption()->hotSpot.y, 32);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SetupStripLayout,
    ::testing::Values(
        // The strip from (152, 569), margin 19.
        Layout{"Xga", 1024, 768, 720, 512, 512, 669, 720, 199, 651, 789, 725, 191.0f, 733.0f, 677.0f, 324.0f,
               789, 672, 657},
        // A wider window and 120-pixel frames: the strip from (132, 569).
        Layout{"XgaWideWindow", 1024, 768, 760, 480, 512, 669, 760, 199, 683, 813, 725, 171.0f, 733.0f, 677.0f,
               342.0f, 813, 672, 657},
        // The strip from (600, 881).
        Layout{"FullHd", 1920, 1080, 720, 512, 960, 981, 720, 199, 1099, 1237, 1037, 639.0f, 1045.0f, 989.0f,
               324.0f, 1237, 984, 969}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupStrip, ResetFollowsTheScreenAndKeepsTheChosenValues) {
  Open();
  EXPECT_EQ(Drag(207, 733, 2000).back(), Strip::kNothing);
  ASSERT_EQ(strip->GetCount(), 15);
  Screen(1920, 1080);
  strip->Reset();
  EXPECT_FLOAT_EQ(strip->Strip()->position.y, 981.0f);
  EXPECT_FLOAT_EQ(strip->OkButton()->position.x, 1099.0f);
  EXPECT_FLOAT_EQ(strip->CountSlider()->y, 1045.0f);
  EXPECT_EQ(strip->GetCount(), 15);
  // The knob at the far end of the moved track.
  EXPECT_FLOAT_EQ(strip->CountSlider()->knobX, 639.0f + 324.0f - 16.0f);
}

TEST_F(SetupStrip, EnterOnTheFirstFrameStartsWithTheDefaultsWithoutASound) {
  ClickSound();
  Open();
  EXPECT_EQ(KeyFrame(13), Strip::kOk);
  EXPECT_EQ(strip->GetCount(), 3);
  EXPECT_EQ(strip->GetDistort(), 0);
  EXPECT_FALSE(strip->GetRotAccept());
  EXPECT_EQ(ClicksPlayed(), 0);
}

struct Answer {
  const char* name;
  int x, y;  // where to click, or (0, 0) for the key
  int key;
  int code;
  int clicks;
};
void PrintTo(const Answer& a, std::ostream* os) { *os << a.name; }

class SetupStripAnswers : public SetupStrip, public ::testing::WithParamInterface<Answer> {};

TEST_P(SetupStripAnswers, OkAndCancelByMouseOrKey) {
  const Answer& a = GetParam();
  ClickSound();
  Open();
  EXPECT_EQ(FrameAt(20, 20), Strip::kNothing);
  const int code = a.key ? KeyFrame(a.key) : ClickAt(a.x, a.y);
  EXPECT_EQ(code, a.code);
  EXPECT_EQ(ClicksPlayed(), a.clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SetupStripAnswers,
    ::testing::Values(Answer{"Enter", 0, 0, 13, Strip::kOk, 0}, Answer{"Escape", 0, 0, 27, Strip::kCancel, 1},
                      Answer{"OkCentre", 651, 725, 0, Strip::kOk, 0},
                      // OK's right edge: where a Cancel one button height
                      // right of OK would have lain over it.
                      Answer{"OkRightEdge", 713, 725, 0, Strip::kOk, 0},
                      Answer{"CancelCentre", 789, 725, 0, Strip::kCancel, 1},
                      Answer{"CancelLeftEdge", 727, 725, 0, Strip::kCancel, 1},
                      Answer{"TheGapBetween", 720, 725, 0, Strip::kNothing, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupStrip, TheCountSliderStaysWithinThreeToFifteen) {
  Open();
  // The knob starts at the track's start (191 + 16), on the slider's line.
  EXPECT_EQ(Drag(207, 733, 2000), (std::vector<int>{0, Strip::kChanged, Strip::kChanged, Strip::kNothing}));
  EXPECT_EQ(strip->GetCount(), 15);
  EXPECT_EQ(Drag(499, 733, -500), (std::vector<int>{0, Strip::kChanged, Strip::kChanged, Strip::kNothing}));
  EXPECT_EQ(strip->GetCount(), 3);
  // The minus button at the minimum changes nothing; the plus steps by one.
  EXPECT_EQ(ClickAt(187, 733), Strip::kNothing);
  EXPECT_EQ(strip->GetCount(), 3);
  EXPECT_EQ(ClickAt(523, 733), Strip::kChanged);
  EXPECT_EQ(strip->GetCount(), 4);
  // The distortion slider, above, runs 0 to 100.
  EXPECT_EQ(Drag(207, 677, 2000)[2], Strip::kChanged);
  EXPECT_EQ(strip->GetDistort(), 100);
  EXPECT_EQ(strip->GetCount(), 4);
}

TEST_F(SetupStrip, BothSlidersMovedInOneFrameReportOneChangeAFrame) {
  Open();
  // The distortion slider laid just over the count slider, so that one
  // press between the two knobs (y 733 and 709) reaches both.
  const_cast<ZOV::JSLIDER_E*>(strip->DistortSlider())->SetPos(191.0f, 709.0f);
  EXPECT_EQ(FrameAt(207, 721, 1), Strip::kNothing);
  EXPECT_EQ(FrameAt(400, 721), Strip::kChanged);
  EXPECT_GT(strip->GetCount(), 3);
  EXPECT_EQ(strip->GetDistort(), 0) << "not updated in the frame the count changed";
  EXPECT_EQ(FrameAt(400, 721), Strip::kChanged);
  EXPECT_GT(strip->GetDistort(), 0) << "seen in the next frame";
  EXPECT_EQ(FrameAt(400, 721), Strip::kNothing);
  EXPECT_EQ(FrameAt(400, 721, -1), Strip::kNothing);
}

TEST_F(SetupStrip, TheRotationBoxTogglesAndTheTextFollows) {
  Open();
  auto rotationText = [&] {
    for (const auto& t : Drawn(0, 12))
      if (t.text[0] == 'R') return t.text;
    return std::string();
  };
  EXPECT_EQ(rotationText(), "RN");  // "R: N": the colon and blank have no glyph
  EXPECT_EQ(FrameAt(789, 672, 1), Strip::kChanged);
  EXPECT_TRUE(strip->GetRotAccept());
  EXPECT_EQ(rotationText(), "RY");
  EXPECT_EQ(FrameAt(789, 672, -1), Strip::kNothing);
  EXPECT_EQ(FrameAt(789, 672, 1), Strip::kChanged);
  EXPECT_FALSE(strip->GetRotAccept());
  EXPECT_EQ(FrameAt(789, 672, -1), Strip::kNothing);
}

TEST_F(SetupStrip, TheLabelsShowThePreviewsNumbersWhereTheLayoutPutsThem) {
  Open();
  const auto texts = Drawn(37, 12);
  ASSERT_EQ(texts.size(), 3u);
  // Left-aligned and centred on its line: (789 - 144 - 35, trunc(657 - 27.52)) less half a line.
  EXPECT_EQ(texts[0].text, "RN");
  EXPECT_EQ(texts[0].x, 610);
  EXPECT_EQ(texts[0].y, 629 - 12);
  // The preview's total, not the slider's 3: (191 + 20, trunc(733 - 24)).
  EXPECT_EQ(texts[1].text, "c12");
  EXPECT_EQ(texts[1].x, 211);
  EXPECT_EQ(texts[1].y, 709);
  EXPECT_EQ(texts[2].text, "d37");
  EXPECT_EQ(texts[2].x, 211);
  EXPECT_EQ(texts[2].y, 653);
}

TEST_F(SetupStrip, ATextAskingForOtherArgumentsIsShownAsWritten) {
  char wrong[] = "c%s%s";
  chTEXT_IMG_CHANGE_SCREEN_COUNT = wrong;
  chTEXT_DIALOG_WIN_YES = nullptr;
  chTEXT_DIALOG_WIN_NO = nullptr;
  Open();
  const auto texts = Drawn(5, 12);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "R");
  EXPECT_EQ(texts[1].text, "c%s%s");
  EXPECT_EQ(texts[2].text, "d5");
}

TEST_F(SetupStrip, DrawsItsPartsInOrderAndLeavesThePackSelectionClear) {
  Open();
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
  plat::gfx::ClearRecorded();
  strip->Render(0, 12);
  std::vector<uint32_t> order;
  for (const auto& q : drawtest::DrawnQuads())
    if (order.empty() || order.back() != q.texture) order.push_back(q.texture);
  const std::vector<uint32_t> want = {
      uint32_t(strip->Strip()->GetTexture()),         uint32_t(strip->RotationCaption()->GetTexture()),
      uint32_t(font->page->GetTexture()),             uint32_t(strip->OkButton()->GetTexture()),
      uint32_t(strip->CancelButton()->GetTexture()),  uint32_t(strip->CountSlider()->GetTexture()),
      uint32_t(strip->CountSlider()->minus->GetTexture()), uint32_t(strip->CountSlider()->plus->GetTexture()),
      uint32_t(font->page->GetTexture()),             uint32_t(strip->DistortSlider()->GetTexture()),
      uint32_t(strip->DistortSlider()->minus->GetTexture()), uint32_t(strip->DistortSlider()->plus->GetTexture()),
      uint32_t(font->page->GetTexture()),             uint32_t(strip->RotationBox()->GetTexture())};
  EXPECT_EQ(order, want);
}

}  // namespace
