#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ST/input.h"

using ZOV::ST_INPUT;

namespace {

// One row: a script of events and updates, and the left counter after it.
struct ButtonCase {
  const char* name;
  std::string script;  // 'd' down, 'u' up, '|' Update()
  int expected;
};

void Play(ST_INPUT& in, const std::string& script) {
  for (char c : script) {
    if (c == 'd') in.EventMouseLkm(true);
    if (c == 'u') in.EventMouseLkm(false);
    if (c == '|') in.Update(0);
  }
}

// Test listings name a case by its name alone.
void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }

class ButtonCounter : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonCounter, FollowsTheFrameRules) {
  ST_INPUT in;
  Play(in, GetParam().script);
  EXPECT_EQ(in.Lkm(), GetParam().expected) << GetParam().script;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ButtonCounter,
    ::testing::Values(ButtonCase{"fresh", "", 0}, ButtonCase{"pressed", "d", 1},
                      ButtonCase{"held", "d|", 2}, ButtonCase{"held_longer", "d|||", 4},
                      ButtonCase{"released", "d|u", -1}, ButtonCase{"released_aged", "d|u|", 0},
                      // A click shorter than a frame: pressed in the frame,
                      // released in the next.
                      ButtonCase{"press_release_one_pass", "du", 1},
                      ButtonCase{"press_release_one_pass_then_update", "du|", -1},
                      ButtonCase{"press_release_one_pass_two_updates", "du||", 0},
                      // Released and pressed again before an update: the
                      // release shows, the press comes in the frame after.
                      ButtonCase{"release_then_press_in_pass_shows_release", "d|ud", -1},
                      ButtonCase{"release_then_press_in_pass_presses_next", "d|ud|", 1},
                      ButtonCase{"two_clicks_in_one_pass_second_press", "dudu||", 1},
                      ButtonCase{"two_clicks_in_one_pass_second_release", "dudu|||", -1},
                      ButtonCase{"two_clicks_in_one_pass_then_up", "dudu||||", 0},
                      ButtonCase{"release_when_up_stays_up", "u", 0},
                      ButtonCase{"release_twice", "d|uu", -1}),
    [](const auto& info) { return std::string(info.param.name); });

// The three buttons age alike: a held counter climbs one a pass to 128, and
// a counter above 127 is put back to 2 before the pass adds its 1, so 128 is
// followed by 3. A release at any point reads -1 for one pass, then 0.
struct ButtonAccess {
  const char* name;
  void (ST_INPUT::*event)(bool);
  int (ST_INPUT::*counter)() const;
};

void PrintTo(const ButtonAccess& b, std::ostream* os) { *os << b.name; }

class HeldButton : public ::testing::TestWithParam<ButtonAccess> {};

TEST_P(HeldButton, CountsTo128ThenGoesBackTo3) {
  const ButtonAccess b = GetParam();
  ST_INPUT in;
  (in.*b.event)(true);
  std::vector<int> seen = {(in.*b.counter)()};
  for (int pass = 0; pass < 131; ++pass) {
    in.Update(0);
    seen.push_back((in.*b.counter)());
  }
  // After the press: 1, then 2 .. 128 over 127 passes, then 3, 4, 5, 6.
  std::vector<int> expected;
  for (int v = 1; v <= 128; ++v) expected.push_back(v);
  for (int v : {3, 4, 5, 6}) expected.push_back(v);
  EXPECT_EQ(seen, expected);
  (in.*b.event)(false);
  EXPECT_EQ((in.*b.counter)(), -1);
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), 0);
}

TEST_P(HeldButton, ReleasedAt128ReadsMinusOneThenUp) {
  const ButtonAccess b = GetParam();
  ST_INPUT in;
  (in.*b.event)(true);
  for (int pass = 0; pass < 127; ++pass) in.Update(0);
  ASSERT_EQ((in.*b.counter)(), 128);
  (in.*b.event)(false);
  EXPECT_EQ((in.*b.counter)(), -1);
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), 0);
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), 0) << "an idle button stays up";
}

TEST_P(HeldButton, AgesOnlyItsOwnCounter) {
  const ButtonAccess b = GetParam();
  ST_INPUT in;
  (in.*b.event)(true);
  in.Update(0);
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), 3);
  EXPECT_EQ(in.Lkm() + in.Rkm() + in.Mkm(), 3) << "the other two stay up";
}

INSTANTIATE_TEST_SUITE_P(Buttons, HeldButton,
                         ::testing::Values(ButtonAccess{"left", &ST_INPUT::EventMouseLkm, &ST_INPUT::Lkm},
                                           ButtonAccess{"right", &ST_INPUT::EventMouseRkm, &ST_INPUT::Rkm},
                                           ButtonAccess{"middle", &ST_INPUT::EventMouseMkm, &ST_INPUT::Mkm}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every button: a press and release between two updates reads 1 in the
// first frame and -1 in the next, then up; a held press reads as before.
TEST_P(HeldButton, APressAndReleaseBetweenTwoUpdatesIsSeen) {
  const ButtonAccess b = GetParam();
  ST_INPUT in;
  in.EventMouseMove(40, 50);
  in.Update(0);
  (in.*b.event)(true);
  (in.*b.event)(false);
  EXPECT_EQ((in.*b.counter)(), 1) << "the frame sees the press";
  EXPECT_EQ(in.Lkm() + in.Rkm() + in.Mkm(), 1) << "the other two stay up";
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), -1) << "the next frame sees the release";
  in.Update(0);
  EXPECT_EQ((in.*b.counter)(), 0);
}

// Two buttons clicked within one frame are both seen in it.
TEST(Input, ClicksOfTwoButtonsInOneFrameShowTogether) {
  ST_INPUT in;
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  in.EventMouseRkm(true);
  in.EventMouseRkm(false);
  EXPECT_EQ(in.Lkm(), 1);
  EXPECT_EQ(in.Rkm(), 1);
  in.Update(0);
  EXPECT_EQ(in.Lkm(), -1);
  EXPECT_EQ(in.Rkm(), -1);
}

// A quick click's press and release are both seen where the press was made,
// and a move made after it shows once the release has been seen.
TEST(Input, AQuickClickIsSeenWhereItWasMade) {
  ST_INPUT in;
  in.EventMouseMove(10, 10);
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  in.EventMouseMove(300, 200);
  struct Frame {
    int lkm, x, y;
  };
  for (const Frame& f : {Frame{1, 10, 10}, Frame{-1, 10, 10}, Frame{0, 300, 200}}) {
    SCOPED_TRACE(f.lkm);
    EXPECT_EQ(in.Lkm(), f.lkm);
    EXPECT_EQ(in.GetMouseX(), f.x);
    EXPECT_EQ(in.GetMouseY(), f.y);
    in.Update(0);
  }
}

// A slow frame holds a double click on one place and then a click on
// another: every press is seen, one a frame, in order, each at its place,
// and the double-click mark comes in the frame of the second press.
TEST(Input, ClicksWithinOneFrameComeOneAFrameInOrder) {
  ST_INPUT in;
  in.EventMouseMove(10, 10);
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  in.EventMouseLkm(true);
  in.EventMouseDblClick();
  in.EventMouseLkm(false);
  in.EventMouseMove(50, 60);
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  struct Frame {
    int lkm;
    bool dbl;
    int x;
  };
  const Frame frames[] = {{1, false, 10}, {-1, false, 10}, {1, true, 10}, {-1, false, 10},
                          {1, false, 50}, {-1, false, 50}, {0, false, 50}};
  for (size_t i = 0; i < std::size(frames); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(in.Lkm(), frames[i].lkm);
    EXPECT_EQ(in.IsDblClick(), frames[i].dbl);
    EXPECT_EQ(in.GetMouseX(), frames[i].x);
    in.Update(0);
  }
}

// A double click spread over frames stays what it was: the mark shows in
// the frame of the second press.
TEST(Input, ADoubleClickOverTwoFramesMarksItsSecondPress) {
  ST_INPUT in;
  in.EventMouseLkm(true);
  in.Update(0);
  in.EventMouseLkm(false);
  in.EventMouseLkm(true);
  in.EventMouseDblClick();
  EXPECT_EQ(in.Lkm(), -1);
  EXPECT_FALSE(in.IsDblClick()) << "the mark waits with its press";
  in.Update(0);
  EXPECT_EQ(in.Lkm(), 1);
  EXPECT_TRUE(in.IsDblClick());
}

// Whatever the order of events and updates, no press is lost and none is
// made up: the number of frames reading 1 equals the number of presses,
// and a button never reads 1 twice without a -1 between.
TEST(Input, RandomClickStreamsLoseNoPress) {
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int run = 0; run < 300; ++run) {
    ST_INPUT in;
    int presses = 0, seen = 0, last = 0;
    // What a frame's widgets read, just before its update.
    auto frame = [&] {
      const int now = in.Lkm();
      if (now == 1) {
        EXPECT_NE(last, 1) << "run " << run << ": two presses without a release between";
        ++seen;
      }
      if (now == 1 || now == -1) last = now;
      in.Update(0);
    };
    bool down = false;
    for (int step = 0; step < 120; ++step) {
      const unsigned r = next() % 4;
      if (r == 0) {
        frame();
      } else if (r == 3) {
        in.EventMouseMove(int(next() % 800), int(next() % 600));
      } else {
        down = !down;
        presses += down ? 1 : 0;
        in.EventMouseLkm(down);
      }
    }
    if (down) in.EventMouseLkm(false);
    for (int f = 0; f < 400; ++f) frame();  // everything waiting comes through
    EXPECT_EQ(seen, presses) << "run " << run;
    EXPECT_EQ(in.Lkm(), 0) << "run " << run;
  }
}

TEST(Input, KeyCountersAge) {
  ST_INPUT in;
  in.EventKeyDown(65);
  EXPECT_EQ(in.Key(65), 1);
  in.Update(0);
  EXPECT_EQ(in.Key(65), 2);
  in.EventKeyUp(65);
  EXPECT_EQ(in.Key(65), 0xFF);
  in.Update(0);
  EXPECT_EQ(in.Key(65), 0);
  in.EventKeyUp(66);
  EXPECT_EQ(in.Key(66), 0);
}

// One row: a script of key events and updates, and the key's counter after it.
struct KeyCase {
  const char* name;
  std::string script;  // 'd' down (a held key's auto-repeat too), 'u' up, '|' Update()
  int expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyCounter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCounter, AFrameSeesEveryPressGoDown) {
  ST_INPUT in;
  for (char c : GetParam().script) {
    if (c == 'd') in.EventKeyDown(13);
    if (c == 'u') in.EventKeyUp(13);
    if (c == '|') in.Update(0);
  }
  EXPECT_EQ(in.Key(13), GetParam().expected) << GetParam().script;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCounter,
    ::testing::Values(KeyCase{"Pressed", "d", 1},
                      // The window's events of a slow frame: the press and
                      // an auto-repeat before the frame reads them.
                      KeyCase{"PressedAndRepeatedBeforeTheUpdate", "ddd", 1},
                      KeyCase{"ReleasedThenPressedAgainBeforeTheUpdate", "d|ud", 1},
                      KeyCase{"HeldAndRepeated", "d|d", 3}, KeyCase{"Released", "d|u", 0xFF}),
    [](const auto& info) { return std::string(info.param.name); });

// One row: a script of key 65's events and updates, and its counter after
// it ('d' down, 'u' up, '|' Update()).
struct KeyScript {
  const char* script;
  int expected;
};

TEST(Input, AKeyPressedAndReleasedBeforeAnUpdateStillCountsAsOnePress) {
  for (const KeyScript& c : {KeyScript{"du", 1}, KeyScript{"du|", 0xFF}, KeyScript{"du||", 0}, KeyScript{"dud", 1},
                           KeyScript{"dud|", 2}, KeyScript{"d|u", 0xFF}, KeyScript{"d|u|", 0}, KeyScript{"du|d", 1},
                           KeyScript{"d|ud", 1}, KeyScript{"d|ud|", 2}}) {
    ST_INPUT in;
    for (const char* k = c.script; *k; ++k) {
      if (*k == 'd') in.EventKeyDown(65);
      if (*k == 'u') in.EventKeyUp(65);
      if (*k == '|') in.Update(0);
    }
    EXPECT_EQ(in.Key(65), c.expected) << c.script;
  }
}

// A slow frame: a name's letters and Enter, each pressed and released, all
// before one update. Every frame gets one letter, in order, and Enter comes
// after the last.
TEST(Input, KeysTypedWithinOneFrameComeOneLetterAFrameInOrder) {
  ST_INPUT in;
  auto tap = [&](int vk, const wchar_t* text) {
    std::fill(in.TypedText(), in.TypedText() + ST_INPUT::kTypedCapacity, L'\0');
    for (int i = 0; text[i]; ++i) in.TypedText()[i] = text[i];
    in.EventKeyDown(vk);
    in.EventKeyUp(vk);
  };
  testing::internal::CaptureStdout();
  tap(192, L"\u0401");  // Ё
  tap(116, L"");        // a key that types nothing keeps the frame's letter
  tap(186, L"\u0436");  // ж
  tap(75, L"\u043A");   // к
  tap(13, L"\r");
  testing::internal::GetCapturedStdout();
  struct Frame {
    const wchar_t* letter;  // null: no character event
    int enter;
  };
  const Frame frames[] = {{L"\u0401", 0}, {L"\u0436", 0}, {L"\u043A", 0}, {nullptr, 1}, {nullptr, 0xFF}, {nullptr, 0}};
  for (size_t i = 0; i < std::size(frames); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(in.Event(), frames[i].letter != nullptr);
    if (frames[i].letter) {
      EXPECT_EQ(std::wstring(in.TypedText()), frames[i].letter);
    }
    EXPECT_EQ(in.Key(13), frames[i].enter);
    in.Update(0);
  }
}

TEST(Input, HeldKeyNeverShowsOneAgainNorReaches128) {
  ST_INPUT in;
  in.EventKeyDown(40);
  in.Update(0);
  for (int i = 0; i < 200; ++i) {
    if (i % 3 == 0) in.EventKeyDown(40);  // key repeat
    ASSERT_GE(in.Key(40), 2);
    ASSERT_LT(in.Key(40), 128);
    in.Update(0);
  }
}

TEST(Input, ShiftSetsTheCapsEntryAndPrints) {
  ST_INPUT in;
  testing::internal::CaptureStdout();
  in.EventKeyDown(16);
  EXPECT_EQ(in.Key(16), 1);
  EXPECT_EQ(in.Key(20), 1);
  in.Update(0);
  EXPECT_EQ(in.Key(16), 2);
  EXPECT_EQ(in.Key(20), 1) << "the caps entry is never aged";
  in.EventKeyDown(16);  // repeat while held
  EXPECT_EQ(in.Key(16), 3);
  in.EventKeyUp(16);
  EXPECT_EQ(in.Key(20), 0);
  EXPECT_EQ(in.Key(16), 0xFF);
  in.EventKeyDown(65);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "16\n16\nshift unlock\n65\n");
  EXPECT_EQ(in.GetLastKey(), 65) << "shift is not a last key";
}

TEST(Input, CharEventFollowsTypedText) {
  ST_INPUT in;
  auto type = [&](int vk, const wchar_t* text) {
    std::fill(in.TypedText(), in.TypedText() + ST_INPUT::kTypedCapacity, L'\0');
    for (int i = 0; text[i]; ++i) in.TypedText()[i] = text[i];
    in.EventKeyDown(vk);
  };
  type(13, L"\r");
  EXPECT_FALSE(in.Event());
  EXPECT_EQ(in.GetLastChar(), 0);
  in.Update(0);
  type(0x41, L"a");
  EXPECT_TRUE(in.Event());
  EXPECT_EQ(in.GetLastChar(), 0x41);
  in.Update(0);
  EXPECT_FALSE(in.Event());
  // A key that types nothing after one that did raises no event.
  type(116, L"");
  EXPECT_FALSE(in.Event());
  for (int vk : {8, 13, 17, 35, 36, 37, 38, 39, 40, 45, 46, 107}) {
    in.Update(0);
    type(vk, L"x");
    EXPECT_FALSE(in.Event()) << vk;
  }
  // A character whose low byte is zero still counts.
  in.Update(0);
  type(0x41, L"\u0400");
  EXPECT_TRUE(in.Event());
}

TEST(Input, KeysOutsideTheTableAreIgnored) {
  ST_INPUT in;
  in.EventKeyDown(300);
  in.EventKeyDown(-1);
  in.EventKeyUp(1000);
  EXPECT_EQ(in.GetLastKey(), 0);
  EXPECT_EQ(in.Key(300), 0);
}

TEST(Input, MouseMoveAndOffset) {
  ST_INPUT in;
  in.EventMouseMove(10, 20);
  in.EventMouseMove(15, 18);
  int dx = 0, dy = 0;
  in.GetMouseOffset(&dx, &dy);
  EXPECT_EQ(dx, 5);
  EXPECT_EQ(dy, -2);
  EXPECT_TRUE(in.IsMouseEvent());
  in.Update(0);
  in.GetMouseOffset(&dx, &dy);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  float fx = 0, fy = 0;
  in.GetMousePos(&fx, &fy);
  EXPECT_FLOAT_EQ(fx, 15);
  EXPECT_FLOAT_EQ(fy, 18);
  EXPECT_TRUE(in.IsMouseEvent()) << "the mouse-event flag is kept by Update";
}

TEST(Input, FrameAndNearnessAreStrict) {
  ST_INPUT in;
  struct Row {
    int mx, my;
    bool inside;
  };
  for (Row r : {Row{10, 15, false}, Row{30, 15, false}, Row{20, 10, false}, Row{20, 30, false},
                Row{11, 11, true}, Row{29, 29, true}}) {
    in.EventMouseMove(r.mx, r.my);
    EXPECT_EQ(in.IsMouseInFrame(10, 10, 20, 20), r.inside) << r.mx << "," << r.my;
  }
  in.EventMouseMove(3, 4);
  EXPECT_FALSE(in.IsMouseNear(0, 0, 5.0f)) << "exactly at r is not near";
  EXPECT_TRUE(in.IsMouseNear(0, 0, 5.01f));
}

TEST(Input, DropMouseForgetsPresses) {
  ST_INPUT in;
  // Two clicks within one frame: the second waits, and is forgotten too.
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  in.EventMouseLkm(true);
  in.EventMouseLkm(false);
  in.EventMouseMove(70, 80);
  in.DropMouse();
  EXPECT_EQ(in.Lkm(), 0);
  EXPECT_EQ(in.GetMouseX(), 70) << "the pointer goes where it is";
  for (int f = 0; f < 4; ++f) {
    in.Update(0);
    EXPECT_EQ(in.Lkm(), 0) << f;
  }
  in.EventMouseLkm(true);
  in.EventMouseRkm(true);
  in.EventMouseMkm(true);
  in.DropMouse();
  EXPECT_EQ(in.Lkm(), 0);
  EXPECT_EQ(in.Rkm(), 0);
  EXPECT_EQ(in.Mkm(), 0);
}

TEST(Input, DoubleClickLastsOnePass) {
  ST_INPUT in;
  in.EventMouseDblClick();
  EXPECT_TRUE(in.IsDblClick());
  in.Update(0);
  EXPECT_FALSE(in.IsDblClick());
}

}  // namespace
