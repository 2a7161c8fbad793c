// The 8-bit entry field: characters from the last key byte, the space kept
// and control bytes refused, a capacity of at most ten, a full field
// answering 0, nothing placed or inserted in a field lower than one cell,
// and the string it keeps. Font cells of 24.
#include <gtest/gtest.h>

#include <memory>

#include "ST/textbox_edit.h"
#include "tests/support/dialog_env.h"

namespace {

class EditText : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    dialogtest::WriteFont("edit8.fnt");
    font = std::make_unique<ZOV::JFONT>("edit8.fnt", 0);
    field = std::make_unique<JEDITTEXT>(chEDITBOX, font.get());
    field->SetPos(100.0f, 100.0f);
  }
  // A key whose byte is `vk` went down, typing `typed`.
  int Key(int vk, const std::wstring& typed) {
    KeyDown(vk, typed);
    const int r = field->Update(0, 0.0f);
    KeyUp(vk);
    EndFrame();
    return r;
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<JEDITTEXT> field;
};

TEST_F(EditText, CapacityIsAtMostTen) {
  EXPECT_EQ(field->maxChars, 7);
  field->SetWidth(400);
  EXPECT_EQ(field->maxChars, 7) << "SetWidth keeps the capacity";
  ZOV::JFONT small("edit8.fnt", 0);
  small.SetSize(0.5f);  // 12-pixel cells: 200 / 12 - 1 would give 15
  EXPECT_EQ(JEDITTEXT(chEDITBOX, &small).maxChars, 10);
  for (int i = 0; i < 9; ++i) Key('A' + i, L"a");
  EXPECT_STREQ(field->GetString(), "ABCDEFG");
  EXPECT_EQ(Key('Z', L"z"), 0) << "a full field";
  EXPECT_EQ(field->Length(), 7);
}

TEST_F(EditText, TheKeyByteIsTheCharacter) {
  EXPECT_EQ(Key('B', L"b"), 1);
  EXPECT_EQ(Key(32, L" "), 1);
  EXPECT_EQ(Key(27, L"\x1b"), 1) << "refused";
  EXPECT_EQ(Key('O', L"o"), 1);
  const char* s = field->GetString();
  EXPECT_STREQ(s, "B O");
  EXPECT_EQ(field->GetString(), s) << "kept by the field";
  EXPECT_EQ(Key(8, L""), 2);
  EXPECT_STREQ(field->GetString(), "B ");
  field->DelAllElement();
  EXPECT_STREQ(field->GetString(), "");
}

TEST_F(EditText, ALowFieldInsertsNothing) {
  field->SetHeigth(10);
  EXPECT_EQ(Key('B', L"b"), 1);
  EXPECT_EQ(field->Length(), 0);
  field->SetHeigth(40);
  EXPECT_EQ(Key('B', L"b"), 1);
  EXPECT_EQ(field->Length(), 1);
}

}  // namespace
