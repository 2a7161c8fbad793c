// The play panel at 1024 x 768 on the recording backend, with mouse and key
// frames through the game's input state: the buttons' places on the panel
// line, the dock magnification and its neighbours, the tool codes of clicks,
// held presses and Escape, the frozen inactive panel, the hints shown on
// hover, the pushed and released looks, and the drawing order. Buttons are
// 64-pixel frames (256 x 64 images), the panel stands at (512, 744).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/play_panel.h"
#include "ST/button.h"
#include "tests/support/dialog_env.h"
#include "tests/support/text_record.h"

namespace {

constexpr int kPanelX = 512, kPanelY = 744;
constexpr int kAllCodes[] = {PLAY_PANEL::kFly,  PLAY_PANEL::kFrame, PLAY_PANEL::kMagnifier, PLAY_PANEL::kBorder,
                             PLAY_PANEL::kHelp, PLAY_PANEL::kSort,  PLAY_PANEL::kSettings,  PLAY_PANEL::kExit};
// Base centres x at 1024 x 768, by code.
const std::map<int, int> kBaseX = {{PLAY_PANEL::kFly, 172},  {PLAY_PANEL::kFrame, 257},
                                   {PLAY_PANEL::kMagnifier, 342}, {PLAY_PANEL::kBorder, 427},
                                   {PLAY_PANEL::kHelp, 512}, {PLAY_PANEL::kSort, 597},
                                   {PLAY_PANEL::kSettings, 724}, {PLAY_PANEL::kExit, 818}};

class PlayPanel : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    // No button left held by an earlier test.
    input().EventMouseLkm(false);
    EndFrame();
    EndFrame();
    C_NAME_PACK_LEVEL = nullptr;
    Image(&chGAME_PLAY_PANEL, "panel.png", 1024, 128);
    Image(&chBUTTONDOOR, "door.png", 256, 64);
    Image(&chBUTTONBORDER, "border.png", 256, 64);
    Image(&chBUTTONFRAME, "frame.png", 256, 64);
    Image(&chBUTTONHELP, "help.png", 256, 64);
    Image(&chBUTTONFLY, "fly.png", 256, 64);
    Image(&chBUTTONSORT, "sort.png", 256, 64);
    Image(&chBUTTONMAG, "mag.png", 256, 64);
    Image(&chBUTTONSETTINGS, "settings.png", 256, 64);
    texttest::WriteFont("hint.fnt");
    font = std::make_unique<ZOV::JFONT>("hint.fnt", 0);
    panel = std::make_unique<PLAY_PANEL>(chGAME_PLAY_PANEL, font.get());
    panel->SetPos(kPanelX, kPanelY);
  }
  void TearDown() override {
    panel.reset();
    DialogEnv::TearDown();
  }
  const BUTTONACT& B(int code) const { return *panel->Button(code); }
  // One frame with the mouse at (x, y); the panel's answer.
  int FrameAt(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = panel->Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // Press in one frame, release in the next; both answers.
  std::pair<int, int> ClickAt(int x, int y) {
    const int press = FrameAt(x, y, 1);
    const int release = FrameAt(x, y, -1);
    EndFrame();
    return {press, release};
  }
  int EscapeAt(int x, int y) {
    Mouse(x, y);
    KeyDown(27);
    const int r = panel->Update(0, 0.0f);
    KeyUp(27);
    EndFrame();
    return r;
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<PLAY_PANEL> panel;
};

TEST_F(PlayPanel, EveryButtonSitsAtItsBasePlaceOnThePanelLine) {
  EXPECT_EQ(FrameAt(20, 20), PLAY_PANEL::kNothing);
  EXPECT_FLOAT_EQ(panel->position.x, 512.0f);
  for (int code : kAllCodes) {
    EXPECT_FLOAT_EQ(B(code).position.x, float(kBaseX.at(code))) << code;
    EXPECT_FLOAT_EQ(B(code).position.y, 744.0f) << code;
    EXPECT_FLOAT_EQ(B(code).scale.y, 0.7f) << code << ": far from the mouse";
  }
  // A new place moves every button with the panel.
  panel->SetPos(960, 1047);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kSettings).position.x, 1172.0f);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kFly).position.x, 620.0f);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kExit).position.y, 1047.0f);
}

struct Dock {
  const char* name;
  int mouseX;
  int magnified;      // the code that grows
  float scale;        // its scale
  int y;              // its centre y
  std::map<int, int> moved;  // x of the buttons pushed aside
};
void PrintTo(const Dock& d, std::ostream* os) { *os << d.name; }

class PlayPanelDock : public PlayPanel, public ::testing::WithParamInterface<Dock> {};

TEST_P(PlayPanelDock, TheButtonUnderTheMouseGrowsRisesAndPushesItsNeighbours) {
  const Dock& c = GetParam();
  FrameAt(c.mouseX, kPanelY);
  for (int code : kAllCodes) {
    const BUTTONACT& b = B(code);
    const bool grown = code == c.magnified;
    EXPECT_FLOAT_EQ(b.scale.y, grown ? c.scale : 0.7f) << code;
    EXPECT_FLOAT_EQ(b.position.y, grown ? float(c.y) : 744.0f) << code;
    const int x = c.moved.count(code) ? c.moved.at(code) : kBaseX.at(code);
    EXPECT_FLOAT_EQ(b.position.x, float(x)) << code;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, PlayPanelDock,
    ::testing::Values(
        Dock{"OnHelp", 512, PLAY_PANEL::kHelp, 1.4f, 713, {{PLAY_PANEL::kBorder, 413}, {PLAY_PANEL::kSort, 611}}},
        Dock{"OnFlyAtTheLeftEnd", 172, PLAY_PANEL::kFly, 1.4f, 713, {{PLAY_PANEL::kFrame, 271}}},
        // Settings pushes only the exit: sort and settings never push each other.
        Dock{"OnSettings", 724, PLAY_PANEL::kSettings, 1.4f, 713, {{PLAY_PANEL::kExit, 832}}},
        Dock{"OnExitAtTheRightEnd", 818, PLAY_PANEL::kExit, 1.4f, 713, {{PLAY_PANEL::kSettings, 710}}},
        // 20 pixels right of the magnifier: d = 0.3125, scale 1.0875, up
        // trunc(17.44), neighbours trunc(7.75) aside.
        Dock{"BesideTheMagnifier", 362, PLAY_PANEL::kMagnifier, 1.0875f, 727,
             {{PLAY_PANEL::kFrame, 250}, {PLAY_PANEL::kBorder, 434}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayPanel, TheScalesStayWhilePositionsAreRebuiltEachFrame) {
  FrameAt(512, kPanelY);
  ASSERT_FLOAT_EQ(B(PLAY_PANEL::kHelp).scale.y, 1.4f);
  // Escape returns before any button is looked at: the scales are kept,
  // the places rebuilt.
  EXPECT_EQ(EscapeAt(20, 20), PLAY_PANEL::kExit);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kHelp).scale.y, 1.4f);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kHelp).position.y, 744.0f);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kSort).position.x, 597.0f);
  EXPECT_EQ(FrameAt(20, 20), PLAY_PANEL::kNothing);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kHelp).scale.y, 0.7f);
}

TEST_F(PlayPanel, AClickOnEachToolGivesItsCodeAndAHeldPressKeepsTheBoardOut) {
  for (int code : kAllCodes) {
    const auto [press, release] = ClickAt(kBaseX.at(code), kPanelY);
    EXPECT_EQ(press, PLAY_PANEL::kHeld) << code;
    EXPECT_EQ(release, code) << code;
  }
  // Held over several frames: every frame keeps the board out.
  EXPECT_EQ(FrameAt(597, kPanelY, 1), PLAY_PANEL::kHeld);
  EXPECT_EQ(FrameAt(597, kPanelY), PLAY_PANEL::kHeld);
  EXPECT_EQ(FrameAt(597, kPanelY), PLAY_PANEL::kHeld);
  EXPECT_EQ(FrameAt(597, kPanelY, -1), PLAY_PANEL::kSort);
}

TEST_F(PlayPanel, APushedToolStillClicksButIsNeverHeld) {
  panel->PushButton(PLAY_PANEL::kMagnifier);
  const auto [press, release] = ClickAt(342, kPanelY);
  EXPECT_EQ(press, PLAY_PANEL::kNothing);
  EXPECT_EQ(release, PLAY_PANEL::kMagnifier);
  EXPECT_FALSE(B(PLAY_PANEL::kMagnifier).active) << "the scene manager releases it";
  // The border tool shows itself released before it reports.
  panel->PushButton(PLAY_PANEL::kBorder);
  EXPECT_EQ(ClickAt(427, kPanelY).second, PLAY_PANEL::kBorder);
  EXPECT_TRUE(B(PLAY_PANEL::kBorder).active);
}

TEST_F(PlayPanel, EscapeLeavesTheInactivePanelSaysNothing) {
  EXPECT_EQ(EscapeAt(512, kPanelY), PLAY_PANEL::kExit);
  FrameAt(20, 20);
  panel->Deactivate();
  EXPECT_FALSE(panel->IsActive());
  EXPECT_EQ(EscapeAt(512, kPanelY), PLAY_PANEL::kNothing);
  EXPECT_EQ(ClickAt(512, kPanelY), std::make_pair(PLAY_PANEL::kNothing, PLAY_PANEL::kNothing));
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kHelp).scale.y, 0.7f) << "frozen as the last active frame left it";
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kHelp).position.y, 744.0f);
  panel->Activate();
  EXPECT_EQ(EscapeAt(20, 20), PLAY_PANEL::kExit);
}

TEST_F(PlayPanel, PushAndDropActOnTheToggleToolsOnly) {
  struct Row {
    int code;
    std::vector<int> pushed;  // inactive after PushButton(code)
  };
  const std::vector<Row> rows = {
      {0, {}}, {1, {1}}, {2, {2}}, {3, {3}}, {4, {4}}, {5, {5}}, {6, {6}}, {7, {7}}, {8, {}}, {9, {}}, {-3, {}},
  };
  auto inactive = [&] {
    std::vector<int> out;
    for (int code = 1; code <= 8; ++code)
      if (!B(code).active) out.push_back(code);
    return out;
  };
  for (const Row& r : rows) {
    panel->DropButtons();
    panel->PushButton(r.code);
    EXPECT_EQ(inactive(), r.pushed) << "PushButton(" << r.code << ")";
    for (int code = 1; code <= 7; ++code) panel->PushButton(code);
    panel->DropButton(r.code);
    std::vector<int> left = {1, 2, 3, 4, 5, 6, 7};
    if (!r.pushed.empty()) left.erase(left.begin() + (r.code - 1));
    EXPECT_EQ(inactive(), left) << "DropButton(" << r.code << ")";
  }
  ::testing::internal::CaptureStdout();
  panel->DropButtons();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Drop Buttons\n");
  EXPECT_EQ(inactive(), std::vector<int>{});
  for (int code : kAllCodes) EXPECT_EQ(B(code).state, JBUTTONMAP4::STATE_NORMAL) << code;
  // The pushed look is the fourth frame.
  panel->PushButton(PLAY_PANEL::kFrame);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kFrame).quad.v[0].u, 0.75f);
  panel->DropButton(PLAY_PANEL::kFrame);
  EXPECT_FLOAT_EQ(B(PLAY_PANEL::kFrame).quad.v[0].u, 0.0f);
}

TEST_F(PlayPanel, EachToolCarriesItsHintWhichShowsWhileTheMouseRestsOnIt) {
  const std::map<int, const char*> hints = {
      {PLAY_PANEL::kExit, chTEXT_PLAY_PANEL_EXIT},   {PLAY_PANEL::kBorder, chTEXT_PLAY_PANEL_BORDER},
      {PLAY_PANEL::kFrame, chTEXT_PLAY_PANEL_ISO},   {PLAY_PANEL::kHelp, chTEXT_PLAY_PANEL_HELP},
      {PLAY_PANEL::kFly, chTEXT_PLAY_PANEL_FLY},     {PLAY_PANEL::kSort, chTEXT_PLAY_PANEL_SORT},
      {PLAY_PANEL::kMagnifier, chTEXT_PLAY_PANEL_MAG}, {PLAY_PANEL::kSettings, chTEXT_PLAY_PANEL_SETTINGS}};
  for (const auto& [code, text] : hints) {
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(B(code).tipText, text) << code;
    EXPECT_EQ(B(code).tipFont, font.get()) << code;
    EXPECT_EQ(B(code).tipBoxColor, uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BACK)) << code;
    EXPECT_EQ(B(code).tipBorderColor, uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BORDR)) << code;
    EXPECT_EQ(B(code).tipTextColor, 0x88000000u) << code;
  }

  // Hints in letters the test font has.
  panel.reset();
  char sortHint[] = "Sort", magHint[] = "Zoom";
  chTEXT_PLAY_PANEL_SORT = sortHint;
  chTEXT_PLAY_PANEL_MAG = magHint;
  panel = std::make_unique<PLAY_PANEL>(chGAME_PLAY_PANEL, font.get());
  panel->SetPos(kPanelX, kPanelY);
  auto hintsDrawn = [&] {
    plat::gfx::ClearRecorded();
    EXPECT_EQ(panel->PostRender(), 1);
    std::vector<std::string> out;
    for (const auto& t : texttest::Texts(font->page->GetTexture())) out.push_back(t.text);
    return out;
  };
  FrameAt(597, kPanelY);
  EXPECT_TRUE(hintsDrawn().empty()) << "not on the first frame";
  FrameAt(597, kPanelY);
  EXPECT_EQ(hintsDrawn(), std::vector<std::string>{"Sort"});
  int boxes = 0;
  for (const auto& q : drawtest::DrawnQuads()) boxes += q.color == uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BACK);
  EXPECT_EQ(boxes, 1) << "one hint box";
  // The button's hint follows the look the previous frame left.
  FrameAt(20, 20);
  FrameAt(20, 20);
  EXPECT_TRUE(hintsDrawn().empty()) << "gone once the mouse has left";
  // A pushed tool shows no hint.
  panel->PushButton(PLAY_PANEL::kMagnifier);
  FrameAt(342, kPanelY);
  FrameAt(342, kPanelY);
  EXPECT_TRUE(hintsDrawn().empty());
  panel->DropButton(PLAY_PANEL::kMagnifier);
  FrameAt(342, kPanelY);
  FrameAt(342, kPanelY);
  EXPECT_EQ(hintsDrawn(), std::vector<std::string>{"Zoom"});
  panel.reset();
  GAME::ApplyConfigDefaults();
}

TEST_F(PlayPanel, DrawsThePanelThenTheButtonsInFieldOrder) {
  plat::gfx::ClearRecorded();
  EXPECT_EQ(panel->Render(0), 1);
  std::vector<uint32_t> drawn;
  for (const auto& q : drawtest::DrawnQuads()) drawn.push_back(q.texture);
  std::vector<uint32_t> want = {uint32_t(panel->GetTexture())};
  for (int code : {PLAY_PANEL::kExit, PLAY_PANEL::kBorder, PLAY_PANEL::kFrame, PLAY_PANEL::kHelp, PLAY_PANEL::kFly,
                   PLAY_PANEL::kSort, PLAY_PANEL::kMagnifier, PLAY_PANEL::kSettings})
    want.push_back(uint32_t(B(code).GetTexture()));
  EXPECT_EQ(drawn, want);
  // The panel's image without its top 5 %, over the whole panel.
  const auto quads = drawtest::DrawnQuads();
  ASSERT_FALSE(quads.empty());
  EXPECT_FLOAT_EQ(quads[0].v0, 0.05f);
  EXPECT_FLOAT_EQ(quads[0].v1, 1.0f);
  EXPECT_FLOAT_EQ(quads[0].x1 - quads[0].x0, 1024.0f);
}

TEST_F(PlayPanel, TellsWhenItIsMadeAndDestroyed) {
  panel.reset();
  ::testing::internal::CaptureStdout();
  panel = std::make_unique<PLAY_PANEL>(chGAME_PLAY_PANEL, font.get());
  panel.reset();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "=========================================\nCOLOR: -13312\ninit player panel\n"
            "Destroying play panel...\nPlay panel destroyed \n");
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr) << "the pack selection is cleared";
}

}  // namespace
