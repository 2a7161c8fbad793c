// The window procedure: letterbox mapping of mouse positions, buttons, keys
// with their typed text, focus and close.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GAME/config/config.h"
#include "ST/game.h"
#include "ST/window_proc.h"
#include "platform/gfx.h"

namespace {

TEST(WindowProc, LetterboxMapping) {
  struct Row {
    int client, offset, scaled, logical, expected;
  };
  for (Row r : {Row{240, 240, 1440, 1024, 0}, Row{1679, 240, 1440, 1024, 1023}, Row{0, 0, 1080, 768, 0},
                Row{1079, 0, 1080, 768, 767}, Row{239, 240, 1440, 1024, 0}, Row{500, 0, 1024, 1024, 500},
                Row{300, 0, 0, 1024, 300}})
    EXPECT_EQ(ZOV::LogicalFromClient(r.client, r.offset, r.scaled, r.logical), r.expected)
        << r.client << " " << r.offset << " " << r.scaled << " " << r.logical;
}

class WindowProcGame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    GAME::ApplyConfigDefaults();
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    plat::SetDisplayForTests({1920, 1080}, {});
    game = ZOV::GetGame();
    if (!game->GetWindow()) {
      game->app.fInit("window proc test", &ZOV::JWndProc);
      ASSERT_EQ(game->gfx.Init(*game->GetWindow()), 0);
    }
    game->gfx.ChangeVideoMode(1920, 1080, false);
    game->gfx.SetAdaptScreen(1024, 768);
    game->paused = 0;
    game->running = 1;
  }
  void Send(unsigned message, uintptr_t w = 0, intptr_t l = 0, const wchar_t* text = nullptr) {
    plat::Msg m;
    m.message = message;
    m.wParam = w;
    m.lParam = l;
    for (int i = 0; text && text[i] && i < plat::kMaxTypedChars; ++i) m.text[i] = text[i];
    plat::Window* win = game->GetWindow();
    plat::Msg got;
    while (win->PeekMessage(got)) {
    }  // the system's own events are not this test's
    win->PostMessageForTests(m);
    ASSERT_TRUE(win->PeekMessage(got));
    win->DispatchMessage(got);
  }
  ZOV::ST_GAME* game = nullptr;
};

TEST_F(WindowProcGame, MouseIsMappedIntoTheLogicalScreen) {
  Send(plat::WM_MOUSEMOVE, 0, plat::MakeMouseLParam(1679, 1079));
  EXPECT_EQ(game->input.GetMouseX(), 1023);
  EXPECT_EQ(game->input.GetMouseY(), 767);
  Send(plat::WM_LBUTTONDOWN);
  EXPECT_EQ(game->input.Lkm(), 1);
  Send(plat::WM_LBUTTONUP);
  EXPECT_EQ(game->input.Lkm(), 1) << "a press released before the next update still counts in its frame";
  game->input.Update(0);
  EXPECT_EQ(game->input.Lkm(), -1) << "the release shows in the next";
  game->input.Update(0);
}

TEST_F(WindowProcGame, KeysCarryTheirTypedText) {
  Send(plat::WM_KEYDOWN, 0x41, 0, L"a");
  EXPECT_TRUE(game->input.Event());
  EXPECT_EQ(game->input.TypedText()[0], L'a');
  game->input.Update(0);
  Send(plat::WM_KEYDOWN, 116);  // a key that types nothing
  EXPECT_FALSE(game->input.Event()) << "no stale character";
  EXPECT_EQ(game->input.TypedText()[0], L'\0');
  Send(plat::WM_KEYUP, 116);
  EXPECT_EQ(game->input.Key(116), 1) << "released in the frame it went down: the press still counts";
  game->input.Update(0);
  EXPECT_EQ(game->input.Key(116), 0xFF);
  game->input.Update(0);
}

TEST_F(WindowProcGame, FocusPausesAndCloseEndsTheLoop) {
  Send(plat::WM_KILLFOCUS);
  EXPECT_EQ(game->paused, 1);
  Send(plat::WM_SETFOCUS);
  EXPECT_EQ(game->paused, 0);
  Send(plat::WM_ACTIVATE, 0x00010001);  // minimised high word: ignored
  EXPECT_EQ(game->paused, 0);
  Send(plat::WM_CLOSE);
  EXPECT_EQ(game->running, 0);
}

// What the close hook saw: how often it ran and whether the loop was still
// running then (the game saves before the loop ends).
int gCloseCalls = 0;
int gRunningAtClose = -1;

TEST_F(WindowProcGame, CloseCallsTheGamesHookOnceBeforeTheLoopEnds) {
  gCloseCalls = 0;
  gRunningAtClose = -1;
  game->SetCloseFunc([] {
    ++gCloseCalls;
    gRunningAtClose = ZOV::GetGame()->running;
  });
  Send(plat::WM_CLOSE);
  EXPECT_EQ(gCloseCalls, 1);
  EXPECT_EQ(gRunningAtClose, 1) << "called before the loop is told to end";
  EXPECT_EQ(game->running, 0);
  game->running = 1;
  Send(plat::WM_DESTROY);
  EXPECT_EQ(gCloseCalls, 1) << "the window going away is no second close";
  EXPECT_EQ(game->running, 0);
  game->SetCloseFunc(nullptr);
}

}  // namespace
