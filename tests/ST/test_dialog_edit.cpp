// The name dialog: laid out around the screen centre from the start and
// following it, confirming with OK or Enter (once per press), cancelling
// with Cancel or Escape, an empty name counted as cancelled, the click sound
// on every answer, and the header and prompt lines. Window 400 x 300, OK and
// Cancel 400 pixels wide (four 100 x 48 frames), font cells of 24.
#include <gtest/gtest.h>

#include <memory>

#include "ST/button.h"
#include "ST/dialog_edit.h"
#include "ST/textbox.h"
#include "tests/support/dialog_env.h"

namespace {

using ZOV::JDIALOGEDIT;

class DialogEdit : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    dialogtest::WriteFont("edit.fnt");
    font = std::make_unique<ZOV::JFONT>("edit.fnt", 0);
    dialog = std::make_unique<JDIALOGEDIT>(nullptr, nullptr, chEDITBOX, font.get());
  }
  int Frame() { return dialog->Update(0, 0.0f); }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) {
      KeyDown(65, std::wstring(1, c));
      Frame();
      KeyUp(65);
      EndFrame();
    }
  }
  // A key that types nothing, held for `frames` frames; each frame's result.
  std::vector<int> Hold(int vk, int frames) {
    std::vector<int> out;
    KeyDown(vk);
    for (int i = 0; i < frames; ++i) {
      out.push_back(Frame());
      EndFrame();
    }
    KeyUp(vk);
    EndFrame();
    return out;
  }
  int ClickButton(const JBUTTONMAP4* b) {
    return Click(int(b->position.x), int(b->position.y), [&] { return Frame(); });
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<JDIALOGEDIT> dialog;
};

TEST_F(DialogEdit, ItIsLaidOutAroundTheScreenCentreFromTheStart) {
  EXPECT_EQ(dialog->position.x, 512.0f);
  EXPECT_EQ(dialog->position.y, 384.0f);
  EXPECT_EQ(dialog->ok->position.x, 462.0f);
  EXPECT_EQ(dialog->ok->position.y, 514.0f);
  EXPECT_EQ(dialog->cancel->position.x, 562.0f);
  EXPECT_EQ(dialog->cancel->position.y, 514.0f);
  EXPECT_FLOAT_EQ(dialog->box->width, 400.0f);
  EXPECT_EQ(dialog->box->maxChars, 15);
  EXPECT_FLOAT_EQ(dialog->box->x, 312.0f);
  EXPECT_FLOAT_EQ(dialog->box->y, 413.6f);
  // A click before the first draw hits the buttons where they are drawn.
  ClickSound();
  EXPECT_EQ(ClickButton(dialog->cancel), JDIALOGEDIT::kCancelled);
}

TEST_F(DialogEdit, ItFollowsTheScreenCentreFromTheNextDraw) {
  dialog->Render(0);
  const auto bg = dialogtest::QuadsOf(dialog->box->background->GetTexture());
  ASSERT_EQ(bg.size(), 1u);
  EXPECT_EQ(bg[0].x0, 312.0f);
  EXPECT_EQ(bg[0].y0, 413.0f);

  game().middle = JST::iPOINT(700, 500);
  dialog->Render(0);
  EXPECT_EQ(dialog->position.x, 700.0f);
  EXPECT_EQ(dialog->ok->position.x, 650.0f);
  EXPECT_EQ(dialog->ok->position.y, 630.0f);
  EXPECT_EQ(dialog->cancel->position.x, 750.0f);
  EXPECT_FLOAT_EQ(dialog->box->x, 500.0f);
  EXPECT_FLOAT_EQ(dialog->box->y, 529.6f);
  plat::gfx::ClearRecorded();
  dialog->Render(0);
  const auto window = dialogtest::QuadsOf(dialog->GetTexture());
  ASSERT_EQ(window.size(), 1u);
  EXPECT_EQ(window[0].x0, 500.0f);
  EXPECT_EQ(window[0].y0, 350.0f);
}

TEST_F(DialogEdit, EnterConfirmsTheNameOncePerPress) {
  ClickSound();
  EXPECT_EQ(dialog->GetName(), nullptr);
  Type(L"Bob");
  EXPECT_EQ(dialog->box->Text(), L"Bob");
  EXPECT_EQ(Hold(13, 3), (std::vector<int>{JDIALOGEDIT::kConfirmed, 0, 0}));
  EXPECT_STREQ(dialog->GetName(), "Bob");
  EXPECT_EQ(dialog->box->Text(), L"");
  EXPECT_EQ(ClicksPlayed(), 1);
}

// A slow frame: the whole name and Enter typed before the dialog's next
// update; the name is confirmed whole, once.
TEST_F(DialogEdit, ANameAndEnterTypedWithinOneFrameConfirmTheWholeName) {
  ClickSound();
  for (wchar_t c : std::wstring(L"Bob")) {
    KeyDown(65, std::wstring(1, c));
    KeyUp(65);
  }
  KeyDown(13);
  KeyUp(13);
  std::vector<int> results;
  for (int i = 0; i < 5; ++i) {
    results.push_back(Frame());
    EndFrame();
  }
  EXPECT_EQ(results, (std::vector<int>{0, 0, 0, JDIALOGEDIT::kConfirmed, 0}));
  EXPECT_STREQ(dialog->GetName(), "Bob");
}

TEST_F(DialogEdit, EscapeCancelsAndEmptiesTheBox) {
  ClickSound();
  Type(L"Bob");
  EXPECT_EQ(Hold(27, 2), (std::vector<int>{JDIALOGEDIT::kCancelled, 0}));
  EXPECT_EQ(dialog->box->Text(), L"");
  EXPECT_EQ(dialog->GetName(), nullptr);
  EXPECT_EQ(ClicksPlayed(), 1);
}

TEST_F(DialogEdit, TheButtonsAnswerLikeTheirKeys) {
  ClickSound();
  EXPECT_EQ(ClickButton(dialog->ok), JDIALOGEDIT::kCancelled) << "nothing typed";
  EXPECT_EQ(dialog->box->Text(), L"");
  EXPECT_EQ(ClicksPlayed(), 1);
  EXPECT_FALSE(dialog->box->focused) << "the click landed outside the box";
  dialog->box->focused = true;  // as the owner does when it shows the dialog again
  Type(L"Ann");
  EXPECT_EQ(ClickButton(dialog->ok), JDIALOGEDIT::kConfirmed);
  EXPECT_STREQ(dialog->GetName(), "Ann");
  dialog->box->focused = true;
  Type(L"Zed");
  EXPECT_EQ(dialog->box->Text(), L"Zed");
  EXPECT_EQ(ClickButton(dialog->cancel), JDIALOGEDIT::kCancelled);
  EXPECT_EQ(dialog->box->Text(), L"");
  EXPECT_STREQ(dialog->GetName(), "Ann") << "the last confirmed name stays";
  EXPECT_EQ(ClicksPlayed(), 3);
}

TEST_F(DialogEdit, TheHeaderAndPromptAreCentredAboveTheBox) {
  dialogtest::WriteFont("big.fnt");
  dialogtest::WriteFont("comix.fnt");
  ZOV::JFONT bigFont("big.fnt", 0), comixFont("comix.fnt", 0);
  big = &bigFont;
  comix = &comixFont;
  static char header[] = "Hdr", prompt[] = "Name 50%d";
  chTEXT_NEW_PLAYER_HEADER = header;
  chTEXT_NEW_PLAYER_PLEASE = prompt;
  dialog->Render(0);
  const auto h = dialogtest::QuadsOf(bigFont.page->GetTexture());
  ASSERT_EQ(h.size(), 3u);
  // Three 16-pixel advances centred on x 512, half a line above y 335.
  EXPECT_EQ(h[0].x0, 512.0f - 24.0f);
  EXPECT_EQ(h[0].y0, 335.0f - 12.0f);
  EXPECT_EQ(h[0].color, uint32_t(C_FONT_MAIN_COLOR));
  const auto p = dialogtest::QuadsOf(comixFont.page->GetTexture());
  ASSERT_EQ(p.size(), 7u) << "the prompt drawn as it is: N a m e 5 0 d";
  EXPECT_EQ(p[0].y0, 398.0f - 12.0f);
  EXPECT_EQ(p[0].color, uint32_t(C_FONT_MAIN_COLOR));
}

TEST_F(DialogEdit, NoFontsAndNoSoundDrawAndPlayNothing) {
  ZOV::JDIALOGEDIT bare(nullptr, nullptr, chEDITBOX, nullptr);
  EXPECT_EQ(bare.Render(0), 0);
  KeyDown(65, L"x");
  bare.Update(0, 0.0f);
  KeyUp(65);
  EndFrame();
  KeyDown(13);
  EXPECT_EQ(bare.Update(0, 0.0f), JDIALOGEDIT::kConfirmed);
  EXPECT_STREQ(bare.GetName(), "x");
}

}  // namespace
