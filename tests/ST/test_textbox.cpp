// The one-line text box: capacity from the width, characters refused one by
// one whatever a key typed, the caret moved by keys and placed by clicks,
// Backspace and Delete, blinking, the UTF-8 text handed out, and the cells
// the characters are drawn in. The font's cell is 24 pixels. The box refuses
// what the game's rule for names refuses, set up as the program entry does.
#include <gtest/gtest.h>

#include <memory>

#include "GAME/config/player_name.h"
#include "ST/sprite.h"
#include "ST/textbox.h"
#include "tests/support/dialog_env.h"

namespace {

constexpr int kLetterVk = 65;

class TextBox : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    JTEXTBOX::SetRefusalRule(&GAME::IsRefusedNameChar);
    dialogtest::WriteFont("box.fnt");
    font = std::make_unique<ZOV::JFONT>("box.fnt", 0);
    box = std::make_unique<JTEXTBOX>(chEDITBOX, font.get());
    box->SetWidth(400);
    box->SetPos(100.0f, 100.0f);
  }
  // One frame in which a key typed `typed`; the box's result.
  int Type(const std::wstring& typed) {
    KeyDown(kLetterVk, typed);
    const int r = box->Update(0, 0.0f);
    KeyUp(kLetterVk);
    EndFrame();
    return r;
  }
  int TypeEach(const std::wstring& text) {
    int r = 0;
    for (wchar_t c : text) r = Type(std::wstring(1, c));
    return r;
  }
  // One frame in which a key that types nothing went down.
  int Press(int vk) {
    KeyDown(vk);
    const int r = box->Update(0, 0.0f);
    KeyUp(vk);
    EndFrame();
    return r;
  }
  int ClickAt(int x, int y = 110) {
    Mouse(x, y, 1);
    const int r = box->Update(0, 0.0f);
    EndFrame();
    Mouse(x, y, -1);
    box->Update(0, 0.0f);
    EndFrame();
    EndFrame();
    return r;
  }

  void TearDown() override {
    JTEXTBOX::SetRefusalRule(nullptr);
    DialogEnv::TearDown();
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<JTEXTBOX> box;
};

TEST_F(TextBox, TheWidthGivesTheCapacity) {
  EXPECT_EQ(box->cell, 24);
  EXPECT_FLOAT_EQ(box->height, 40.8f);
  EXPECT_EQ(box->maxChars, 15);
  box->SetWidth(200);
  EXPECT_EQ(box->maxChars, 7);
  JTEXTBOX fresh(chEDITBOX, font.get());
  EXPECT_EQ(fresh.maxChars, 7) << "200 wide when made";
  JTEXTBOX noFont(chEDITBOX, nullptr);
  EXPECT_EQ(noFont.maxChars, 15);
  EXPECT_EQ(noFont.Update(0, 0.0f), 0);
  EXPECT_EQ(noFont.Render(0), 0);
}

TEST_F(TextBox, PunctuationBlanksAndControlCharactersAreRefused) {
  const std::wstring refused = L".%'*^&,=+\"|!@$#\u2116<>:;/?\\`~[]{} \t\x1b\x7f\x85";
  for (wchar_t c : refused) {
    EXPECT_EQ(Type(std::wstring(1, c)), 1) << int(c);
    EXPECT_EQ(box->Text(), L"") << int(c);
    EXPECT_EQ(box->caret.position, 0);
  }
  for (const wchar_t* ok : {L"\u042f", L"7", L"-", L"_", L"(", L")"}) EXPECT_EQ(Type(ok), 1);
  EXPECT_EQ(box->Text(), L"\u042f7-_()");
}

TEST_F(TextBox, WithoutTheGamesRuleOnlyControlCharactersAndBadCodePointsAreRefused) {
  JTEXTBOX::SetRefusalRule(nullptr);
  for (wchar_t c : std::wstring(L"\t\x1b\x7f\x85")) EXPECT_FALSE(JTEXTBOX::Accepts(c)) << int(c);
  EXPECT_FALSE(JTEXTBOX::Accepts(wchar_t(0xD800)));
  EXPECT_FALSE(JTEXTBOX::Accepts(wchar_t(0x110000)));
  EXPECT_EQ(JTEXTBOX::Usable(L"a/b.c d\t"), L"a/b.c d");
  JTEXTBOX::SetRefusalRule(&GAME::IsRefusedNameChar);
  EXPECT_EQ(JTEXTBOX::Usable(L"a/b.c d\t"), L"abcd");
}

TEST_F(TextBox, AKeyThatTypesNothingIsNoCharacter) {
  EXPECT_EQ(Type(L""), 0);
  EXPECT_EQ(box->Text(), L"");
}

TEST_F(TextBox, RefusalsInsideTheTypedTextDropOnlyThoseCharacters) {
  struct Case {
    std::wstring typed, expect;
  };
  for (const Case& c : {Case{L"a/b", L"ab"}, Case{L"../x", L"x"}, Case{L"..", L""}, Case{L"C:\\", L"C"},
                        Case{L"x\ty", L"xy"}}) {
    box->DelAllElement();
    EXPECT_EQ(Type(c.typed), 1);
    EXPECT_EQ(box->Text(), c.expect) << std::string(c.typed.begin(), c.typed.end());
  }
  // In the middle of the text only the first usable character goes in.
  box->DelAllElement();
  TypeEach(L"ab");
  Press(37);
  EXPECT_EQ(Type(L"/%c"), 1);
  EXPECT_EQ(box->Text(), L"acb");
}

TEST_F(TextBox, ArrowsMoveTheCaretAndTypingInsertsThere) {
  TypeEach(L"Ann");
  Press(37);
  Press(37);
  EXPECT_EQ(Type(L"x"), 1);
  EXPECT_EQ(box->Text(), L"Axnn");
  EXPECT_EQ(box->caret.position, 2);
  Press(39);
  Press(39);
  Press(39);
  EXPECT_EQ(box->caret.position, 4) << "never past the end";
  for (int i = 0; i < 6; ++i) Press(37);
  EXPECT_EQ(box->caret.position, 0);
}

TEST_F(TextBox, EveryCharacterEventAnswersOne) {
  for (const wchar_t* t : {L"a", L".", L"b", L" ", L"c"}) EXPECT_EQ(Type(t), 1);
  EXPECT_EQ(box->Text(), L"abc");
}

TEST_F(TextBox, AFullFieldTakesNoMore) {
  TypeEach(L"abcdefghijklmn");
  EXPECT_EQ(box->Length(), 14);
  EXPECT_EQ(Type(L"xyz"), 1);
  EXPECT_EQ(box->Text(), L"abcdefghijklmnx") << "only what still fits";
  EXPECT_EQ(Type(L"q"), 1);
  EXPECT_EQ(box->Length(), 15);
  // A narrower field below the length takes nothing more either.
  box->SetWidth(200);
  EXPECT_EQ(Type(L"q"), 1);
  EXPECT_EQ(box->Length(), 15);
  EXPECT_EQ(box->AddElementBack(L"q"), 1);
  EXPECT_EQ(box->AddElement(L"q", 0), 1);
}

TEST_F(TextBox, BackspaceAndDelete) {
  EXPECT_EQ(Press(8), 2) << "Backspace at 0";
  EXPECT_EQ(box->Text(), L"");
  TypeEach(L"abc");
  EXPECT_EQ(Press(46), 3) << "Delete at the end";
  EXPECT_EQ(box->Text(), L"abc");
  Press(37);
  EXPECT_EQ(Press(8), 2);
  EXPECT_EQ(box->Text(), L"ac");
  EXPECT_EQ(box->caret.position, 1);
  EXPECT_EQ(Press(46), 3);
  EXPECT_EQ(box->Text(), L"a");
  EXPECT_TRUE(box->lastTyped.empty());
}

TEST_F(TextBox, AClickPlacesTheCaretOrTakesTheFocusAway) {
  TypeEach(L"abc");
  struct Case {
    int x, caret;
  };
  // Margin 20 and 24-pixel cells from x = 100.
  for (const Case c : {Case{125, 0}, Case{135, 1}, Case{150, 2}, Case{170, 3}, Case{200, 3}, Case{490, 3}}) {
    box->caret.position = 1;
    ClickAt(c.x);
    EXPECT_EQ(box->caret.position, c.caret) << "x " << c.x;
    EXPECT_TRUE(box->focused);
  }
  ClickAt(50);
  EXPECT_FALSE(box->focused);
  EXPECT_EQ(Type(L"z"), 0);
  EXPECT_EQ(Press(8), 0);
  EXPECT_EQ(box->Text(), L"abc");
  ClickAt(300);
  EXPECT_TRUE(box->focused);
}

TEST_F(TextBox, TheCaretBlinksHalfASecondEach) {
  game().timer.SetDelta(0.125f);
  const bool expect[] = {true, true, true, false, false, false, false, false, true};
  for (int i = 0; i < 9; ++i) {
    box->Update(0, 0.0f);
    EXPECT_EQ(box->caret.visible, expect[i]) << "update " << i + 1;
    EndFrame();
  }
}

TEST_F(TextBox, TheTextComesOutAsUtf8) {
  EXPECT_EQ(box->GetString(), nullptr);
  TypeEach(L"\u041f\u0440\u0438\u0432\u0435\u0442");
  char* s = box->GetString();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(std::string(s), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
  delete[] s;
  // Trailing spaces put in by the owner are trimmed in the field too.
  box->text = L"ab  ";
  s = box->GetString();
  EXPECT_EQ(std::string(s), "ab");
  delete[] s;
  EXPECT_EQ(box->Text(), L"ab");
  box->text = L"   ";
  EXPECT_EQ(box->GetString(), nullptr);
}

TEST_F(TextBox, SeveralCharactersTypedAtOnceAreAppendedWhole) {
  TypeEach(L"x");
  EXPECT_EQ(Type(L"\u00b4a"), 1);
  EXPECT_EQ(box->Text(), L"x\u00b4a");
  EXPECT_EQ(box->caret.position, 2) << "the caret moves by one";
}

TEST_F(TextBox, CharactersAreDrawnInFixedCells) {
  TypeEach(L"abc");
  Press(37);
  plat::gfx::ClearRecorded();
  box->caret.visible = true;
  box->Render(0);
  const auto bg = dialogtest::QuadsOf(box->background->GetTexture());
  ASSERT_EQ(bg.size(), 1u);
  EXPECT_EQ(bg[0].x0, 100.0f);
  EXPECT_EQ(bg[0].y0, 100.0f);
  EXPECT_EQ(bg[0].x1, 500.0f);
  const auto glyphs = dialogtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(glyphs.size(), 4u);
  // One 24-pixel cell per character after the 20-pixel margin; the row sits
  // at trunc(100 + (40.8 - 24) / 2) = trunc(108.4).
  const float cellX[3] = {120.0f, 144.0f, 168.0f};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(glyphs[size_t(i)].x0, cellX[i]) << i;
    EXPECT_EQ(glyphs[size_t(i)].y0, 108.0f) << i;
  }
  EXPECT_EQ(glyphs[3].x0, 168.0f) << "the caret, in the third cell";
  EXPECT_EQ(glyphs[3].y0, 108.0f) << "the caret";
  plat::gfx::ClearRecorded();
  box->focused = false;
  box->Render(0);
  EXPECT_EQ(dialogtest::QuadsOf(font->page->GetTexture()).size(), 3u);
}

}  // namespace
