// The list box: rows newest first with their numbers, scrolling when they
// overflow, click selection, removal, the stroke on the selected row and
// plain drawing of the texts. Background 300 x 150 and a 250 x 30 stroke:
// five rows fit.
#include <gtest/gtest.h>

#include <memory>

#include "ST/listbox.h"
#include "ST/slider.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace {

using dialogtest::Quad;

class ListBox : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    dialogtest::WriteFont("list.fnt", L"%");
    font = std::make_unique<ZOV::JFONT>("list.fnt", 0);
    list = std::make_unique<JLISTBOX>(nullptr, nullptr);
    list->SetPos(100.0f, 100.0f);
    list->SetSize(300, 150);
  }
  void Add(std::initializer_list<const char*> texts) {
    for (const char* t : texts) list->AddElement(font.get(), t);
  }
  // Glyph quads drawn on screen row i, starting at x (within 5 pixels).
  std::vector<Quad> GlyphsOnRow(int i, float fromX, float toX) {
    std::vector<Quad> out;
    // Left-centred on y + 40 + 30 i: the glyph tops are half a line above.
    const float top = 100.0f + 40.0f + 30.0f * float(i) - 12.0f;
    for (const Quad& q : dialogtest::QuadsOf(font->page->GetTexture()))
      if (q.y0 == top && q.x0 >= fromX && q.x0 < toX) out.push_back(q);
    return out;
  }
  void ClickRow(int i) {
    Mouse(110, 100 + 30 * i + 15, 1);
    list->Update(0, 0.0f);
    EndFrame();
    Mouse(110, 100 + 30 * i + 15, -1);
    EndFrame();
    EndFrame();
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<JLISTBOX> list;
};

TEST_F(ListBox, RowsAreShownNewestFirstWithTheNewestSelected) {
  testing::internal::CaptureStdout();
  Add({"Ann", "Bea", "Cid"});
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Element added 0\n"), std::string::npos);
  EXPECT_NE(out.find("Element added 1\n"), std::string::npos);
  EXPECT_NE(out.find("Element added 2\n"), std::string::npos);
  EXPECT_STREQ(list->GetSelectedString(), "Cid");

  list->Update(0, 0.0f);
  EXPECT_EQ(list->visibleRows, 5);
  EXPECT_EQ(list->RowAtScreen(0), 2);
  EXPECT_EQ(list->RowAtScreen(1), 1);
  EXPECT_EQ(list->RowAtScreen(2), 0);
  EXPECT_EQ(list->RowAtScreen(3), -1);

  list->Render(0);
  for (int i = 0; i < 3; ++i) {
    const std::vector<Quad> number = GlyphsOnRow(i, 145.0f, 150.0f);
    ASSERT_EQ(number.size(), 1u) << "row " << i;
    EXPECT_EQ(number[0].color, uint32_t(C_FONT_MAIN_COLOR));
    const std::vector<Quad> text = GlyphsOnRow(i, 200.0f, 400.0f);
    ASSERT_EQ(text.size(), 3u) << "row " << i;
    EXPECT_EQ(text[0].x0, 200.0f);
    EXPECT_EQ(text[0].color, uint32_t(C_FONT_MAIN_COLOR));
  }
  // The stroke, centred on (x + 210, y + 35), only behind the selected row.
  const std::vector<Quad> strokes = dialogtest::QuadsOf(list->stroke->GetTexture());
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].x0, 310.0f - 125.0f);
  EXPECT_EQ(strokes[0].y0, 135.0f - 15.0f);
  EXPECT_EQ(uint32_t(font->GetColor()), 0xFFFFFFFFu) << "the rows' font is left white";
}

TEST_F(ListBox, OverflowingRowsScrollByTheBar) {
  Add({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"});
  list->Update(0, 0.0f);
  EXPECT_EQ(list->scrollBar->minimum, 0.0f);
  EXPECT_EQ(list->scrollBar->maximum, 3.0f);
  list->scrollBar->SetValue(2);
  list->Update(0, 0.0f);
  EXPECT_EQ(list->firstRow, 2);
  EXPECT_EQ(list->RowAtScreen(0), 5) << "the top row is number 3";
  EXPECT_EQ(list->RowAtScreen(4), 1);
  plat::gfx::ClearRecorded();
  list->Render(0);
  // Number 3 on the top row: one glyph at x + 45.
  EXPECT_EQ(GlyphsOnRow(0, 145.0f, 150.0f).size(), 1u);
  EXPECT_EQ(GlyphsOnRow(5, 145.0f, 150.0f).size(), 0u) << "only five rows are drawn";
}

TEST_F(ListBox, RowsThatFitIgnoreTheBar) {
  Add({"a", "b", "c"});
  list->scrollBar->SetMaxMin(0, 10);
  list->scrollBar->SetValue(4);
  list->Update(0, 0.0f);
  EXPECT_EQ(list->firstRow, 0);
  EXPECT_EQ(list->RowAtScreen(0), 2);
}

TEST_F(ListBox, AClickOnARowSelectsIt) {
  Add({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"});
  list->Update(0, 0.0f);
  list->scrollBar->SetValue(1);
  list->Update(0, 0.0f);
  struct Case {
    int screenRow, index;
  };
  for (const Case c : {Case{0, 6}, Case{4, 2}, Case{2, 4}}) {
    ClickRow(c.screenRow);
    EXPECT_EQ(list->selected, c.index) << "screen row " << c.screenRow;
    int flagged = 0;
    for (const auto* r : list->rows) flagged += r->selected ? 1 : 0;
    EXPECT_EQ(flagged, 1);
    EXPECT_TRUE(list->rows[size_t(c.index)]->selected);
  }
  // Outside the stroke's width: nothing changes.
  Mouse(100 + 260, 100 + 15, 1);
  list->Update(0, 0.0f);
  EndFrame();
  EXPECT_EQ(list->selected, 4);
}

TEST_F(ListBox, HoldingTheButtonAndSlidingMovesTheSelection) {
  Add({"a", "b", "c"});
  list->Update(0, 0.0f);
  Mouse(110, 115, 1);
  list->Update(0, 0.0f);
  EXPECT_EQ(list->selected, 2);
  EndFrame();
  for (int i = 1; i < 3; ++i) {
    Mouse(110, 100 + 30 * i + 15);
    list->Update(0, 0.0f);
    EXPECT_EQ(list->selected, 2 - i);
    EndFrame();
  }
  Mouse(110, 100 + 30 * 3 + 15);  // below the last row
  list->Update(0, 0.0f);
  EXPECT_EQ(list->selected, 0);
}

TEST_F(ListBox, RemovingTheSelectedRow) {
  struct Case {
    int rows, selected;
    int expectSelected;
    const char* expectText;
  };
  for (const Case c : {Case{3, 2, 1, "r1"}, Case{3, 0, 0, "r1"}, Case{3, 1, 0, "r0"}, Case{1, 0, 0, nullptr}}) {
    list = std::make_unique<JLISTBOX>(nullptr, nullptr);
    for (int i = 0; i < c.rows; ++i) list->AddElement(font.get(), ("r" + std::to_string(i)).c_str());
    for (auto* r : list->rows) r->selected = false;
    list->rows[size_t(c.selected)]->selected = true;
    list->selected = c.selected;
    EXPECT_EQ(list->DelElement(), 0);
    EXPECT_EQ(list->RowCount(), c.rows - 1);
    EXPECT_EQ(list->selected, c.expectSelected);
    if (c.expectText) {
      EXPECT_STREQ(list->GetSelectedString(), c.expectText);
      EXPECT_TRUE(list->rows[size_t(c.expectSelected)]->selected);
    } else {
      EXPECT_EQ(list->GetSelectedString(), nullptr);
    }
  }
  EXPECT_EQ(list->DelElement(), 1) << "an empty list";
}

TEST_F(ListBox, RemovingRowsWhileScrolledKeepsEveryClickOnARow) {
  Add({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"});
  list->Update(0, 0.0f);
  list->scrollBar->SetValue(3);
  list->Update(0, 0.0f);
  for (int i = 0; i < 4; ++i) list->DelElement();
  list->Update(0, 0.0f);
  EXPECT_EQ(list->firstRow, 0);
  for (int i = 0; i < 5; ++i) {
    ClickRow(i);
    EXPECT_GE(list->selected, 0);
    EXPECT_LT(list->selected, list->RowCount());
  }
}

TEST_F(ListBox, TextsAreDrawnLiterallyAndComparedExactly) {
  Add({"50%d", "anna"});
  list->Update(0, 0.0f);
  list->Render(0);
  EXPECT_EQ(GlyphsOnRow(1, 200.0f, 400.0f).size(), 4u) << "'%d' is not a conversion";
  EXPECT_FALSE(list->SearchMatches("Anna"));
  EXPECT_TRUE(list->SearchMatches("anna"));
  EXPECT_TRUE(list->SearchMatches("50%d"));
  EXPECT_FALSE(list->SearchMatches(nullptr));
}

TEST_F(ListBox, RowsKeepTheirOwnCopies) {
  std::string name = "Anna";
  list->AddElement(font.get(), name.data());
  name.assign("Zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
  EXPECT_STREQ(list->GetSelectedString(), "Anna");
}

TEST_F(ListBox, RowsWithoutAFontDrawNothing) {
  list->AddElement(nullptr, "x");
  list->AddElement(nullptr, nullptr);
  list->Update(0, 0.0f);
  list->Render(0);
  EXPECT_STREQ(list->GetSelectedString(), "");
  EXPECT_TRUE(dialogtest::QuadsOf(font->page->GetTexture()).empty());
}

}  // namespace
