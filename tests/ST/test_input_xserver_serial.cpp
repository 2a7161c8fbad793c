// Real X input, sent by xdotool to a window of ours under the test X server,
// arrives as the right window messages and input counters.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/window.h"
#include "ST/input.h"
#include "tests/support/outside_tool.h"

namespace {

ZOV::ST_INPUT* gInput = nullptr;
int gMoves = 0;

// The same feeding a window procedure does: moves, buttons, and keys with
// their typed text translated first.
long Feed(plat::Window*, unsigned msg, uintptr_t w, intptr_t l) {
  switch (msg) {
    case plat::WM_MOUSEMOVE:
      ++gMoves;
      gInput->EventMouseMove(int(l & 0xFFFF), int((l >> 16) & 0xFFFF));
      break;
    case plat::WM_LBUTTONDOWN: gInput->EventMouseLkm(true); break;
    case plat::WM_LBUTTONUP: gInput->EventMouseLkm(false); break;
    case plat::WM_KEYDOWN:
      plat::ToUnicode(int(w), 0, gInput->GetKeysMap(), gInput->TypedText(), 15);
      gInput->EventKeyDown(int(w));
      break;
    case plat::WM_KEYUP: gInput->EventKeyUp(int(w)); break;
    default: break;
  }
  return 0;
}

std::string Shell(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

TEST(XInput, MouseAndKeyboardFromTheXServer) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ZOV::ST_INPUT input;
  gInput = &input;
  plat::Window win;
  ASSERT_TRUE(win.Create("xinput test", 300, 200, &Feed));
  win.SetWindowed(300, 200, true, false);
  // Dispatches messages until `done` holds or five seconds pass.
  auto pumpUntil = [&](const std::function<bool()>& done) {
    const uint32_t deadline = plat::TimeMs() + 5000;
    plat::Msg m;
    for (;;) {
      while (win.PeekMessage(m)) win.DispatchMessage(m);
      if (done()) return true;
      if (int32_t(plat::TimeMs() - deadline) >= 0) return false;
      win.WaitForMessage(10);
    }
  };
  const std::string id = Shell("xdotool search --sync --name '^xinput test$' | head -n 1");
  ASSERT_FALSE(id.empty());
  const std::string wid = id.substr(0, id.find('\n'));
  std::system(("xdotool windowfocus --sync " + wid + " 2>/dev/null").c_str());
  ASSERT_TRUE(pumpUntil([&] { return (SDL_GetWindowFlags(win.Sdl()) & SDL_WINDOW_INPUT_FOCUS) != 0; }))
      << "the window never got the keyboard focus";
  input.Update(0);

  // The pointer may cross the window on its way (or enter it as the window
  // maps): only the position it comes to rest at is awaited.
  std::system(("xdotool mousemove --window " + wid + " 120 70").c_str());
  EXPECT_TRUE(pumpUntil([&] { return input.GetMouseX() == 120 && input.GetMouseY() == 70; }))
      << "the pointer is at " << input.GetMouseX() << "," << input.GetMouseY();
  EXPECT_GT(gMoves, 0);

  std::system(("xdotool mousedown --window " + wid + " 1").c_str());
  EXPECT_TRUE(pumpUntil([&] { return input.Lkm() != 0; }));
  EXPECT_EQ(input.Lkm(), 1);
  input.Update(0);
  std::system(("xdotool mouseup --window " + wid + " 1").c_str());
  EXPECT_TRUE(pumpUntil([&] { return input.Lkm() == -1; })) << "Lkm is " << input.Lkm();
  input.Update(0);
  // A click with no hold, pressed and released before the next update:
  // the press is seen, then the release.
  std::system(("xdotool click --window " + wid + " 1").c_str());
  EXPECT_TRUE(pumpUntil([&] { return input.Lkm() != 0; }));
  // Both of the tap's events taken in, no update between.
  const uint32_t settled = plat::TimeMs() + 200;
  pumpUntil([&] { return int32_t(plat::TimeMs() - settled) >= 0; });
  EXPECT_EQ(input.Lkm(), 1) << "the tap's press";
  input.Update(0);
  EXPECT_EQ(input.Lkm(), -1) << "its release, a frame later";
  input.Update(0);

  std::system(("xdotool keydown --window " + wid + " a").c_str());
  EXPECT_TRUE(pumpUntil([&] { return input.Key(0x41) != 0; }));
  EXPECT_EQ(input.Key(0x41), 1);
  EXPECT_TRUE(input.Event());
  EXPECT_EQ(input.GetLastChar(), 0x41);
  EXPECT_EQ(input.TypedText()[0], L'a');
  input.Update(0);
  std::system(("xdotool keyup --window " + wid + " a").c_str());
  // (a held key may have repeated meanwhile; its release is what counts)
  EXPECT_TRUE(pumpUntil([&] { return input.Key(0x41) == 0xFF; })) << "the key reads " << int(input.Key(0x41));
  gInput = nullptr;
}

}  // namespace
