// Buttons driven frame by frame through the game's input state: the push
// button's press-and-release state machine, its frames and hit box, the
// plain button's presses, the check box, and the action button's actions,
// hover sound and tooltip (draws read from the recording backend).
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ST/button.h"
#include "ST/font.h"
#include "ST/renderer.h"
#include "ST/sound.h"
#include "tests/support/test_env.h"
#include "tests/support/wav.h"
#include "tests/support/widget_env.h"

namespace {

using widgettest::DrawnQuads;

class Button : public widgettest::WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    widgettest::WriteImage("map4.png", 400, 40);
    widgettest::WriteImage("plain.png", 100, 40);
    widgettest::WriteImage("check.png", 64, 32);
  }
  std::unique_ptr<JBUTTONMAP4> Map4(int x = 200, int y = 100) {
    auto b = std::make_unique<JBUTTONMAP4>("map4.png");
    b->SetPos(x, y);
    return b;
  }
  // The frame a push button shows, from its texture rectangle.
  static int Frame(const JSPRITE& b) { return int(b.quad.v[0].u / 0.25f + 0.5f); }
  // One frame: mouse, button event, Update, then the input ages.
  int Step(JSPRITE& b, int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = b.Update(0, 0.0f);
    EndFrame();
    return r;
  }
};

TEST_F(Button, FourFrameImage) {
  widgettest::WriteImage("odd.png", 402, 40);
  JBUTTONMAP4 b("odd.png");
  EXPECT_EQ(b.frame.x, 100);
  EXPECT_EQ(b.frame.y, 40);
  EXPECT_EQ(b.GetW(), 100);
  EXPECT_EQ(b.GetHeight(), 40);
  EXPECT_EQ(b.GetState(), 1) << "made showing frame 0 with state 1";
  EXPECT_EQ(Frame(b), 0);
  EXPECT_FLOAT_EQ(b.quad.v[2].u, 0.25f);
  EXPECT_FLOAT_EQ(b.scale.x, 0.25f);
  EXPECT_FLOAT_EQ(b.scale.y, 1.0f);
  b.SetSize(2.0f);
  EXPECT_FLOAT_EQ(b.scale.x, 0.5f);
  EXPECT_FLOAT_EQ(b.scale.y, 2.0f);
  b.Activate(false);
  EXPECT_EQ(b.GetState(), 3);
  EXPECT_EQ(Frame(b), 3);
  b.Activate(true);
  EXPECT_EQ(b.GetState(), 0);
  EXPECT_EQ(Frame(b), 0);
}

TEST_F(Button, PressAndReleaseSequences) {
  struct Frame_ {
    int x, y, button;  // 1 press, -1 release, 0 no change
    int result, frame, state;
  };
  struct Case {
    const char* name;
    std::vector<Frame_> frames;
  } cases[] = {
      {"click inside",
       {{200, 100, 1, 0, 2, 2}, {200, 100, 0, 0, 2, 2}, {200, 100, -1, 1, 2, 0}, {200, 100, 0, 0, 1, 1}}},
      {"dragged out and back",
       {{200, 100, 1, 0, 2, 2}, {300, 100, 0, 0, 0, 0}, {200, 100, 0, 0, 1, 1}, {200, 100, -1, 0, 1, 1}}},
      {"released outside", {{200, 100, 1, 0, 2, 2}, {300, 100, 0, 0, 0, 0}, {300, 100, -1, 0, 0, 0}}},
      {"pressed outside", {{300, 100, 1, 0, 0, 0}, {200, 100, 0, 0, 1, 1}, {200, 100, -1, 0, 1, 1}}},
      {"edges are outside",
       {{150, 100, 0, 0, 0, 0}, {250, 100, 0, 0, 0, 0}, {200, 80, 0, 0, 0, 0}, {200, 120, 0, 0, 0, 0},
        {151, 119, 0, 0, 1, 1}, {249, 81, 0, 0, 1, 1}}},
      {"edge press is no press", {{150, 100, 1, 0, 0, 0}, {151, 100, -1, 0, 1, 1}}},
  };
  for (const Case& c : cases) {
    auto b = Map4();
    int i = 0;
    for (const Frame_& f : c.frames) {
      EXPECT_EQ(Step(*b, f.x, f.y, f.button), f.result) << c.name << " frame " << i;
      EXPECT_EQ(Frame(*b), f.frame) << c.name << " frame " << i;
      EXPECT_EQ(b->GetState(), f.state) << c.name << " frame " << i;
      ++i;
    }
    // Leave the mouse up for the next case.
    Mouse(-1000, -1000, -1);
    EndFrame();
    EndFrame();
  }
}

TEST_F(Button, InactiveButtonsShowFrameThreeAndStillClick) {
  auto b = Map4();
  b->Activate(false);
  EXPECT_EQ(Step(*b, 200, 100, 1), 0);
  EXPECT_EQ(Frame(*b), 3);
  EXPECT_EQ(Step(*b, 200, 100, -1), 1);
  EXPECT_EQ(Step(*b, 200, 100), 0);
  EXPECT_EQ(Frame(*b), 3);
}

TEST_F(Button, ScaleDoesNotGrowThePushButtonsBox) {
  auto b = Map4();
  b->SetSize(2.0f);
  EXPECT_EQ(Step(*b, 260, 100, 1), 0);
  EXPECT_EQ(Step(*b, 260, 100, -1), 0) << "outside the unscaled frame";
  EXPECT_EQ(Step(*b, 240, 100, 1), 0);
  EXPECT_EQ(Step(*b, 240, 100, -1), 1);
}

TEST_F(Button, PlainButtonReportsPressesInItsScaledBox) {
  JBUTTON b("plain.png");
  EXPECT_EQ(b.hitW, 100);
  EXPECT_EQ(b.hitH, 40);
  b.SetPos(200, 100);
  EXPECT_EQ(Step(b, 260, 100, 1), 0) << "box 150..250 at scale 1";
  Step(b, 260, 100, -1);
  b.SetSize(2.0f);
  struct Case {
    int x, y;
    bool left, right;
    int result;
  } cases[] = {
      {260, 100, true, false, 1}, {260, 100, false, true, 2}, {260, 100, true, true, 1},
      {260, 100, false, false, 0}, {299, 139, true, false, 1}, {300, 100, true, false, 0},
      {200, 60, true, false, 0},
  };
  for (const Case& c : cases) {
    Mouse(c.x, c.y);
    if (c.left) input().EventMouseLkm(true);
    if (c.right) input().EventMouseRkm(true);
    EXPECT_EQ(b.Update(0, 0.0f), c.result) << c.x << "," << c.y << " " << c.left << c.right;
    EXPECT_EQ(b.IsMouseInButton(), c.x < 300 && c.y > 60);
    EndFrame();
    EXPECT_EQ(b.Update(0, 0.0f), 0) << "held is no press";
    input().EventMouseLkm(false);
    input().EventMouseRkm(false);
    EndFrame();
    EndFrame();
  }
  EXPECT_FLOAT_EQ(b.HowFar(203, 104), 5.0f);
  EXPECT_FLOAT_EQ(b.HowFarPsnt(203, 104), 0.125f);
  b.Move(1.5f, -2.0f);
  EXPECT_FLOAT_EQ(b.position.x, 201.5f);
  EXPECT_FLOAT_EQ(b.position.y, 98.0f);
  b.SetSizePix(30, 10);
  EXPECT_EQ(b.hitW, 30);
  EXPECT_EQ(b.hitH, 10);
  EXPECT_FLOAT_EQ(b.quad.v[2].x, 30.0f);
}

TEST_F(Button, PlainButtonAroundATexture) {
  const unsigned long tex = game().gfx.TextureCreate(30, 20);
  JBUTTON b(tex);
  EXPECT_EQ(b.hitW, 30);
  EXPECT_EQ(b.hitH, 20);
}

TEST_F(Button, CheckBoxTogglesWithinItsRadius) {
  JBUTTONCHK c("check.png");
  EXPECT_EQ(c.radius, 16);
  EXPECT_EQ(c.GetState(), 0);
  EXPECT_FLOAT_EQ(c.scale.x, 0.5f);
  c.SetPos(100, 100);
  EXPECT_EQ(Step(c, 116, 100, 1), 0) << "at 16: outside";
  Step(c, 116, 100, -1);
  c.position.x = 100.1f;  // 15.9 from the mouse
  EXPECT_EQ(Step(c, 116, 100, 1), 1);
  EXPECT_EQ(c.GetState(), 1);
  EXPECT_EQ(Step(c, 116, 100), 0) << "holding does not toggle again";
  EXPECT_EQ(Step(c, 116, 100, -1), 0);
  EXPECT_EQ(Step(c, 100, 100, 1), 1);
  EXPECT_EQ(c.GetState(), 0);
}

TEST_F(Button, CheckBoxDrawsBoxAndTick) {
  JBUTTONCHK c("check.png");
  c.SetPos(100, 100);
  struct Case {
    int checked;
    bool drawBox;
    std::vector<float> u0;  // left texture edge of each draw, in order
  } cases[] = {
      {0, true, {0.0f}}, {1, true, {0.0f, 0.5f}}, {1, false, {0.5f}}, {0, false, {0.0f}},
  };
  for (const Case& k : cases) {
    c.checked = k.checked;
    c.drawBox = k.drawBox;
    plat::gfx::ClearRecorded();
    EXPECT_EQ(c.Render(0), 0);
    const auto q = DrawnQuads();
    ASSERT_EQ(q.size(), k.u0.size()) << k.checked << k.drawBox;
    for (size_t i = 0; i < q.size(); ++i) {
      EXPECT_FLOAT_EQ(q[i].u0, k.u0[i]);
      EXPECT_FLOAT_EQ(q[i].u1, k.u0[i] + 0.5f);
      EXPECT_FLOAT_EQ(q[i].x0, 84.0f) << "half of the 64-pixel image at scale 0.5, centred";
      EXPECT_FLOAT_EQ(q[i].x1, 116.0f);
    }
  }
}

std::vector<std::string> gCalls;
void Plain() { gCalls.push_back("plain"); }
void WithArg(void* p) { gCalls.push_back("arg " + std::to_string(reinterpret_cast<uintptr_t>(p))); }
BUTTONACT* gSeen = nullptr;
void Seen(void* p) { gSeen = static_cast<BUTTONACT*>(p); }

TEST_F(Button, ActionsRunOnTheClickPlainFirst) {
  int token = 0;
  BUTTONACT b("map4.png", &WithArg, static_cast<void*>(&token));
  b.action = &Plain;
  b.SetPos(200, 100);
  EXPECT_EQ(b.GetState(), 0) << "made active";
  gCalls.clear();
  EXPECT_EQ(Step(b, 200, 100, 1), 0);
  EXPECT_TRUE(gCalls.empty());
  EXPECT_EQ(Step(b, 200, 100, -1), 1);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"plain", "arg " + std::to_string(reinterpret_cast<uintptr_t>(&token))}));

  BUTTONACT only("map4.png", &Plain);
  only.SetPos(200, 100);
  gCalls.clear();
  Step(only, 200, 100, 1);
  EXPECT_EQ(Step(only, 200, 100, -1), 1);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"plain"}));

  BUTTONACT byId("map4.png", &Seen, 7);
  EXPECT_EQ(byId.id, 7);
  EXPECT_EQ(byId.argument, &byId);
  byId.SetPos(200, 100);
  gSeen = nullptr;
  Step(byId, 200, 100, 1);
  EXPECT_EQ(Step(byId, 200, 100, -1), 1);
  EXPECT_EQ(gSeen, &byId);
}

// Two seconds of silence.
void WriteSilence(const std::string& path) { testenv::WriteFile(path, testdata::Wav(22050 * 2, 0)); }

TEST_F(Button, HoverSoundPlaysOnEnteringHover) {
  ASSERT_TRUE(game().sound.ok) << "the dummy audio driver opens";
  WriteSilence("over.wav");
  ZOV::ST_A* sound = game().GetSound("over.wav");
  ASSERT_NE(sound, nullptr);
  ZOV::SoundSetMultistriam(sound, true);  // every play is a copy of its own: plays can be counted
  BUTTONACT b("map4.png", &Plain);
  b.SetOver(sound);
  b.SetPos(200, 100);
  Mix_HaltChannel(-1);
  Step(b, 300, 100);
  EXPECT_EQ(Mix_Playing(-1), 0);
  Step(b, 200, 100);
  EXPECT_TRUE(b.hoverPlayed);
  EXPECT_EQ(Mix_Playing(-1), 1) << "entering hover";
  Step(b, 201, 100);
  Step(b, 202, 100);
  EXPECT_EQ(Mix_Playing(-1), 1) << "not again while hovering";
  Step(b, 202, 100, 1);
  EXPECT_FALSE(b.hoverPlayed) << "pressed is not hover";
  EXPECT_EQ(Step(b, 202, 100, -1), 1);
  EXPECT_EQ(Mix_Playing(-1), 1);
  Step(b, 202, 100);
  EXPECT_EQ(Mix_Playing(-1), 2) << "again on the hover frame after the click";
  Step(b, 300, 100);
  Step(b, 200, 100);
  EXPECT_EQ(Mix_Playing(-1), 3) << "again after leaving and coming back";
  Mix_HaltChannel(-1);

  BUTTONACT silent("map4.png", &Plain);
  silent.SetPos(200, 100);
  Step(silent, 200, 100);
  EXPECT_TRUE(silent.hoverPlayed) << "no sound set: nothing played, nothing breaks";
  delete sound;
}

class Tooltip : public Button {
 protected:
  void SetUp() override {
    Button::SetUp();
    // Line height 20 and spacing 5; "abc" is 3 x 12 + 3 x 5 = 51 long.
    widgettest::WriteImage("page.png", 64, 32);
    std::ofstream("tip.fnt") << "<font><info size=\"20\"/><pages><page file=\"page.png\"/></pages><chars count=\"5\">"
                                "<char id=\"97\" width=\"12\" height=\"20\"/><char id=\"98\" width=\"12\" height=\"20\"/>"
                                "<char id=\"99\" width=\"12\" height=\"20\"/><char id=\"37\" width=\"6\" height=\"20\"/>"
                                "<char id=\"100\" width=\"7\" height=\"20\"/></chars></font>";
    font = std::make_unique<ZOV::JFONT>("tip.fnt", 0);
    ASSERT_EQ(font->GetStringLenght("abc"), 51);
    b = std::make_unique<BUTTONACT>("map4.png", &Plain);
    b->SetPos(200, 300);
    b->tipFont = font.get();
    b->tipText = "abc";
  }
  // Lines drawn since the last clear, as their colours.
  static std::vector<uint32_t> LineColours() {
    std::vector<uint32_t> out;
    for (const auto& r : plat::gfx::Recorded())
      if (r.kind == plat::gfx::Record::Draw && r.prim == plat::gfx::Prim::Lines)
        for (size_t i = 0; i < r.vertices.size(); i += 2) out.push_back(r.vertices[i].argb);
    return out;
  }
  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<BUTTONACT> b;
};

TEST_F(Tooltip, ShowsFromTheSecondHoveredFrame) {
  Step(*b, 200, 300);
  EXPECT_FALSE(b->tipShown) << "the previous state was not hover yet";
  plat::gfx::ClearRecorded();
  b->RenderTip();
  EXPECT_TRUE(plat::gfx::Recorded().empty());

  Step(*b, 200, 300);
  ASSERT_TRUE(b->tipShown);
  plat::gfx::ClearRecorded();
  font->alignment = 4;
  b->RenderTip();
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 4u) << "the box and three letters";
  EXPECT_FLOAT_EQ(q[0].x0, 170.0f);
  EXPECT_FLOAT_EQ(q[0].y0, 266.0f);
  EXPECT_FLOAT_EQ(q[0].x1, 238.0f);
  EXPECT_FLOAT_EQ(q[0].y1, 298.0f);
  EXPECT_EQ(q[0].color, 0x88000000u);
  EXPECT_EQ(LineColours(), (std::vector<uint32_t>(4, 0xFFFFCC00u)));
  EXPECT_FLOAT_EQ(q[1].x0, 175.0f) << "centred on (200, 280)";
  EXPECT_FLOAT_EQ(q[1].y0, 270.0f);
  EXPECT_EQ(font->alignment, 1);

  Step(*b, 400, 300);
  EXPECT_TRUE(b->tipShown) << "hidden by the frame that finds the state left";
  Step(*b, 400, 300);
  EXPECT_FALSE(b->tipShown);
}

TEST_F(Tooltip, TextIsDrawnPlain) {
  b->tipText = "%d";
  Step(*b, 200, 300);
  Step(*b, 200, 300);
  plat::gfx::ClearRecorded();
  b->RenderTip();
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 3u);
  EXPECT_FLOAT_EQ(q[1].x1 - q[1].x0, 6.0f) << "'%'";
  EXPECT_FLOAT_EQ(q[2].x1 - q[2].x0, 7.0f) << "'d'";
}

TEST_F(Tooltip, NeedsAFontAndAText) {
  struct Case {
    bool font;
    const char* text;
  } cases[] = {{false, "abc"}, {true, ""}};
  for (const Case& c : cases) {
    b->tipFont = c.font ? font.get() : nullptr;
    b->tipText = c.text;
    for (int i = 0; i < 3; ++i) Step(*b, 200, 300);
    EXPECT_FALSE(b->tipShown);
    plat::gfx::ClearRecorded();
    b->RenderTip();
    EXPECT_TRUE(plat::gfx::Recorded().empty());
  }
}

TEST_F(Tooltip, NoFrameTimeNoTip) {
  game().timer.SetDelta(0.0f);
  for (int i = 0; i < 3; ++i) Step(*b, 200, 300);
  EXPECT_FALSE(b->tipShown);
  game().timer.SetDelta(0.016f);
  Step(*b, 200, 300);
  EXPECT_TRUE(b->tipShown);
}

TEST_F(Button, ActionButtonDrawsItsFrame) {
  BUTTONACT b("map4.png", &Plain);
  b.SetPos(200, 100);
  Step(b, 200, 100);
  plat::gfx::ClearRecorded();
  EXPECT_EQ(b.Render(0), 0);
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ(q[0].x0, 150.0f);
  EXPECT_FLOAT_EQ(q[0].x1, 250.0f);
  EXPECT_FLOAT_EQ(q[0].u0, 0.25f) << "the hover frame";
}

}  // namespace
