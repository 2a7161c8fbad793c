#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/window.h"

namespace {

std::vector<plat::Msg> gSeen;
std::vector<std::wstring> gTyped;

long Record(plat::Window*, unsigned msg, uintptr_t w, intptr_t l) {
  plat::Msg m;
  m.message = msg;
  m.wParam = w;
  m.lParam = l;
  gSeen.push_back(m);
  if (msg == plat::WM_KEYDOWN) {
    wchar_t buf[16];
    const uint8_t keys[256] = {};
    const int n = plat::ToUnicode(int(w), 0, keys, buf, 15);
    gTyped.emplace_back(buf, buf + n);
  }
  return 0;
}

TEST(KeyMap, PhysicalKeysToVirtualKeys) {
  struct Row {
    SDL_Scancode sc;
    int vk;
  };
  for (Row r : {Row{SDL_SCANCODE_A, 0x41}, Row{SDL_SCANCODE_Z, 0x5A}, Row{SDL_SCANCODE_0, 0x30},
                Row{SDL_SCANCODE_9, 0x39}, Row{SDL_SCANCODE_F1, 0x70}, Row{SDL_SCANCODE_F12, 0x7B},
                Row{SDL_SCANCODE_RETURN, 13}, Row{SDL_SCANCODE_KP_ENTER, 13}, Row{SDL_SCANCODE_ESCAPE, 27},
                Row{SDL_SCANCODE_BACKSPACE, 8}, Row{SDL_SCANCODE_LSHIFT, 16}, Row{SDL_SCANCODE_RSHIFT, 16},
                Row{SDL_SCANCODE_RCTRL, 17}, Row{SDL_SCANCODE_CAPSLOCK, 20}, Row{SDL_SCANCODE_LEFT, 37},
                Row{SDL_SCANCODE_DOWN, 40}, Row{SDL_SCANCODE_DELETE, 46}, Row{SDL_SCANCODE_KP_0, 0x60},
                Row{SDL_SCANCODE_KP_9, 0x69}, Row{SDL_SCANCODE_KP_PLUS, 107}, Row{SDL_SCANCODE_SEMICOLON, 0xBA},
                Row{SDL_SCANCODE_GRAVE, 0xC0}, Row{SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
                Row{SDL_SCANCODE_APPLICATION, 0}})
    EXPECT_EQ(plat::VirtualKeyForScancode(r.sc), r.vk) << SDL_GetScancodeName(r.sc);
  EXPECT_EQ(plat::MapVirtualKey(0x41), int(SDL_SCANCODE_A));
  EXPECT_EQ(plat::MapVirtualKey(0), 0);
}

TEST(Utf8, DecodesToWideCharacters) {
  EXPECT_EQ(plat::WideFromUtf8("aЖ№€😀"), std::wstring(L"a\u0416\u2116\u20AC\U0001F600"));
  EXPECT_EQ(plat::WideFromUtf8("\xff" "a"), std::wstring(L"\uFFFDa"));
  EXPECT_EQ(plat::WideFromUtf8("\xd0"), std::wstring(L"\uFFFD"));
}

TEST(Messages, MouseLParamIsPackedAsWords) {
  EXPECT_EQ(plat::MakeMouseLParam(0x12, 0x34), intptr_t(0x00340012));
}

TEST(ToUnicode, NothingOutsideAKeyDown) {
  wchar_t buf[16];
  const uint8_t keys[256] = {};
  buf[0] = L'x';
  EXPECT_EQ(plat::ToUnicode(0x41, 0, keys, buf, 15), 0);
  EXPECT_EQ(buf[0], L'\0');
}

// Mouse events the tests push carry this device id; every other mouse event
// comes from the shared X server (the pointer entering the window when it or
// another test's window maps or unmaps, a warp) and is dropped before it
// reaches the queue, so a test sees exactly the motion it sent.
constexpr Uint32 kTestMouse = 0x7E57;

int OnlyTestMouse(void*, SDL_Event* e) {
  switch (e->type) {
    case SDL_MOUSEMOTION: return e->motion.which == kTestMouse;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return e->button.which == kTestMouse;
    case SDL_MOUSEWHEEL: return e->wheel.which == kTestMouse;
    default: return 1;
  }
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(win.Create("Test window", 320, 240, &Record));
    win.SetWindowed(320, 240, true, false);
    SDL_SetEventFilter(&OnlyTestMouse, nullptr);  // also drops what is queued
    plat::Msg m;
    while (win.PeekMessage(m)) win.DispatchMessage(m);
    gSeen.clear();
    gTyped.clear();
  }
  void TearDown() override { SDL_SetEventFilter(nullptr, nullptr); }

  // Dispatches messages until `done` holds or five seconds pass; false on
  // the deadline (kept on the steady clock: a test may stop the platform's).
  bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    plat::Msg m;
    for (;;) {
      while (win.PeekMessage(m)) win.DispatchMessage(m);
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= deadline) return false;
      win.WaitForMessage(10);
    }
  }
  void PushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = win.SdlId();
    e.window.event = event;
    SDL_PushEvent(&e);
  }
  // Pushes a focus loss and a close after it, and dispatches up to the close:
  // true when the loss came through as the focus messages.
  bool FocusLossComesThrough() {
    gSeen.clear();
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(PumpUntil([] { return Seen(plat::WM_CLOSE); }));
    return Seen(plat::WM_KILLFOCUS) && Seen(plat::WM_ACTIVATE, plat::WA_INACTIVE);
  }
  static bool Seen(unsigned msg, uintptr_t wParam = 0) {
    for (const auto& m : gSeen)
      if (m.message == msg && m.wParam == wParam) return true;
    return false;
  }
  static std::vector<intptr_t> Moves() {
    std::vector<intptr_t> moves;
    for (const auto& m : gSeen)
      if (m.message == plat::WM_MOUSEMOVE) moves.push_back(m.lParam);
    return moves;
  }
  static SDL_Event Motion(uint32_t windowId, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = windowId;
    e.motion.which = kTestMouse;
    e.motion.x = x;
    e.motion.y = y;
    return e;
  }
  plat::Window win;
};

// Posted messages reach the procedure in order, and a key-down carries its
// text to ToUnicode only while it is being dispatched.
TEST_F(WindowTest, PostedMessagesAreDispatchedInOrder) {
  plat::Msg down;
  down.message = plat::WM_KEYDOWN;
  down.wParam = 0x41;
  down.text[0] = L'a';
  plat::Msg up;
  up.message = plat::WM_KEYUP;
  up.wParam = 0x41;
  win.PostMessageForTests(down);
  win.PostMessageForTests(up);
  plat::Msg m;
  while (win.PeekMessage(m)) win.DispatchMessage(m);
  // The shared X server may add messages of its own (focus, activation,
  // paint: another test's window mapping or unmapping); the keys come only
  // from the two posted here.
  std::vector<plat::Msg> keyMsgs;
  for (const auto& s : gSeen)
    if (s.message == plat::WM_KEYDOWN || s.message == plat::WM_KEYUP || s.message == plat::WM_SYSKEYDOWN ||
        s.message == plat::WM_SYSKEYUP)
      keyMsgs.push_back(s);
  ASSERT_EQ(keyMsgs.size(), 2u);
  EXPECT_EQ(keyMsgs[0].message, plat::WM_KEYDOWN);
  EXPECT_EQ(keyMsgs[0].wParam, 0x41u);
  EXPECT_EQ(keyMsgs[1].message, plat::WM_KEYUP);
  EXPECT_EQ(keyMsgs[1].wParam, 0x41u);
  ASSERT_EQ(gTyped.size(), 1u);
  EXPECT_EQ(gTyped[0], L"a");
  wchar_t buf[16];
  const uint8_t keys[256] = {};
  EXPECT_EQ(plat::ToUnicode(0x41, 0, keys, buf, 15), 0) << "the text lives only during dispatch";
}

TEST_F(WindowTest, SdlEventsBecomeWindowMessages) {
  SDL_Event e = Motion(win.SdlId(), 100, 50);
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = win.SdlId();
  e.button.which = kTestMouse;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 110;  // moved since the last motion: a move comes first
  e.button.y = 50;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_KEYDOWN;
  e.key.windowID = win.SdlId();
  e.key.keysym.scancode = SDL_SCANCODE_B;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = win.SdlId();
  std::strcpy(e.text.text, "Б");
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_KEYDOWN;
  e.key.windowID = win.SdlId();
  e.key.keysym.scancode = SDL_SCANCODE_F4;
  e.key.keysym.mod = KMOD_LALT;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = win.SdlId();
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&e);
  ASSERT_TRUE(PumpUntil([] { return Seen(plat::WM_CLOSE); }));

  std::vector<unsigned> kinds;
  for (const auto& m : gSeen)
    if (m.message != plat::WM_ACTIVATE && m.message != plat::WM_SETFOCUS && m.message != plat::WM_KILLFOCUS)
      kinds.push_back(m.message);
  const std::vector<unsigned> expected = {plat::WM_MOUSEMOVE, plat::WM_MOUSEMOVE, plat::WM_RBUTTONDOWN,
                                          plat::WM_KEYDOWN, plat::WM_SYSKEYDOWN, plat::WM_CLOSE};
  ASSERT_EQ(kinds, expected);
  auto find = [&](unsigned msg) {
    for (const auto& m : gSeen)
      if (m.message == msg) return m;
    return plat::Msg{};
  };
  EXPECT_EQ(find(plat::WM_MOUSEMOVE).lParam, plat::MakeMouseLParam(100, 50));
  EXPECT_EQ(find(plat::WM_RBUTTONDOWN).lParam, plat::MakeMouseLParam(110, 50));
  EXPECT_EQ(find(plat::WM_KEYDOWN).wParam, 0x42u);
  ASSERT_EQ(gTyped.size(), 1u);
  EXPECT_EQ(gTyped[0], std::wstring(L"\u0411")) << "the text typed travels with its key";
}

TEST_F(WindowTest, PositionsOutsideAreClampedAndScaledToTheBackBuffer) {
  win.SetBackBufferSize(640, 480);  // the game draws twice the window's size
  SDL_Event e = Motion(win.SdlId(), 50, 60);
  SDL_PushEvent(&e);
  e = Motion(win.SdlId(), -40, 900);  // a drag outside the window
  SDL_PushEvent(&e);
  ASSERT_TRUE(PumpUntil([] { return Moves().size() >= 2; }));
  const std::vector<intptr_t> expected = {plat::MakeMouseLParam(100, 120), plat::MakeMouseLParam(0, 479)};
  EXPECT_EQ(Moves(), expected);
}

// SDL counts the presses of a click series; the second (and fourth...) left
// press also reports a double click, right after the press itself. A right
// press never does, nor does a first or third press.
TEST_F(WindowTest, SecondLeftPressOfASeriesAlsoReportsADoubleClick) {
  struct Press {
    Uint8 button;
    Uint8 clicks;
  };
  const Press presses[] = {{SDL_BUTTON_LEFT, 1}, {SDL_BUTTON_LEFT, 2}, {SDL_BUTTON_LEFT, 3},
                           {SDL_BUTTON_RIGHT, 2}, {SDL_BUTTON_LEFT, 4}};
  for (const Press& p : presses) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = win.SdlId();
    e.button.which = kTestMouse;
    e.button.button = p.button;
    e.button.clicks = p.clicks;
    e.button.x = 10;
    e.button.y = 20;
    SDL_PushEvent(&e);
  }
  ASSERT_TRUE(PumpUntil([] { return Seen(plat::WM_RBUTTONDOWN) && Seen(plat::WM_LBUTTONDBLCLK); }));
  ASSERT_TRUE(PumpUntil([] {
    int n = 0;
    for (const auto& m : gSeen) n += m.message == plat::WM_LBUTTONDOWN;
    return n == 4;
  }));
  std::vector<unsigned> kinds;
  for (const auto& m : gSeen)
    if (m.message == plat::WM_LBUTTONDOWN || m.message == plat::WM_LBUTTONDBLCLK || m.message == plat::WM_RBUTTONDOWN)
      kinds.push_back(m.message);
  const std::vector<unsigned> expected = {plat::WM_LBUTTONDOWN, plat::WM_LBUTTONDOWN,  plat::WM_LBUTTONDBLCLK,
                                          plat::WM_LBUTTONDOWN, plat::WM_RBUTTONDOWN,  plat::WM_LBUTTONDOWN,
                                          plat::WM_LBUTTONDBLCLK};
  EXPECT_EQ(kinds, expected);
  for (const auto& m : gSeen)
    if (m.message == plat::WM_LBUTTONDBLCLK) {
      EXPECT_EQ(m.lParam, plat::MakeMouseLParam(10, 20));
    }
}

TEST_F(WindowTest, TextWithoutAKeyComesAsTheProcessKey) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = win.SdlId();
  std::strcpy(e.text.text, "ё");
  SDL_PushEvent(&e);
  ASSERT_TRUE(PumpUntil([] { return Seen(plat::WM_KEYUP, plat::VK_PROCESSKEY); }));
  ASSERT_EQ(gTyped.size(), 1u);
  EXPECT_EQ(gTyped[0], std::wstring(L"\u0451"));
  bool sawDown = false, sawUp = false;
  for (const auto& m : gSeen) {
    sawDown |= m.message == plat::WM_KEYDOWN && m.wParam == plat::VK_PROCESSKEY;
    sawUp |= m.message == plat::WM_KEYUP && m.wParam == plat::VK_PROCESSKEY;
  }
  EXPECT_TRUE(sawDown && sawUp);
}

uint32_t gFakeNow = 0;
uint32_t FakeNow() { return gFakeNow; }

// A window manager may take the focus away for a moment while the window
// changes mode: a loss up to 750 ms after our own switch is not the
// player's, one from then on is.
TEST_F(WindowTest, FocusLostJustAfterOurModeSwitchIsIgnored) {
  gFakeNow = 100000;
  plat::SetTimeSourceForTests(&FakeNow);
  struct Restore {
    ~Restore() { plat::SetTimeSourceForTests(nullptr); }
  } restore;
  struct Row {
    const char* name;
    std::function<void(plat::Window&)> switchMode;
  };
  // (the dialog row leaves the full screen the row before it entered)
  for (const Row& row : {Row{"full screen", [](plat::Window& w) { w.SetFullscreenDesktop(); }},
                         Row{"dialog", [](plat::Window& w) { w.LeaveFullscreenForDialog(); }},
                         Row{"windowed", [](plat::Window& w) { w.SetWindowed(300, 200, true, false); }}}) {
    SCOPED_TRACE(row.name);
    gFakeNow += 10000;
    row.switchMode(win);
    EXPECT_FALSE(FocusLossComesThrough()) << "at once";
    gFakeNow += 749;
    EXPECT_FALSE(FocusLossComesThrough()) << "749 ms on";
    gFakeNow += 1;
    EXPECT_TRUE(FocusLossComesThrough()) << "750 ms on";
  }
}

TEST_F(WindowTest, FullScreenCoversTheDesktop) {
  const plat::IPt d = plat::DesktopSize();
  win.SetFullscreenDesktop();
  EXPECT_TRUE(win.IsFullscreen());
  // The new size arrives with the X server's configure event.
  EXPECT_TRUE(PumpUntil([&] { return win.ClientSize().x == d.x && win.ClientSize().y == d.y; }))
      << win.ClientSize().x << "x" << win.ClientSize().y << " is not the desktop " << d.x << "x" << d.y;
  EXPECT_FALSE(Seen(plat::WM_KILLFOCUS)) << "our own mode switch is not a focus loss";
  win.SetWindowed(400, 300, true, false);
  EXPECT_FALSE(win.IsFullscreen());
  EXPECT_TRUE(PumpUntil([&] { return win.ClientSize().x == 400 && win.ClientSize().y == 300; }))
      << win.ClientSize().x << "x" << win.ClientSize().y;
}

}  // namespace
