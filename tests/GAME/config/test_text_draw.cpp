// Configured texts drawn with their arguments through RenderText, read back
// from the recording backend: a text that asks for its arguments is drawn
// formatted, any other is drawn letter for letter as written.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "GAME/config/text_format.h"
#include "ST/font.h"
#include "tests/support/widget_env.h"

namespace {

class TextDraw : public widgettest::WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    // Line height 20, spacing 5; each glyph's width tells it apart.
    widgettest::WriteImage("page.bmp", 64, 32);
    std::ofstream("t.fnt") << "<font><info size=\"20\"/><pages><page file=\"page.bmp\"/></pages><chars count=\"6\">"
                              "<char id=\"97\" width=\"12\" height=\"20\"/><char id=\"98\" width=\"11\" height=\"20\"/>"
                              "<char id=\"37\" width=\"6\" height=\"20\"/><char id=\"115\" width=\"7\" height=\"20\"/>"
                              "<char id=\"49\" width=\"3\" height=\"20\"/><char id=\"50\" width=\"4\" height=\"20\"/>"
                              "</chars></font>";
    font = std::make_unique<ZOV::JFONT>("t.fnt", 0);
    plat::gfx::ClearRecorded();
  }
  // The widths of the glyph quads drawn since the last clear, in order.
  std::vector<int> Widths() {
    std::vector<int> out;
    for (const auto& q : widgettest::DrawnQuads()) out.push_back(int(q.x1 - q.x0 + 0.5f));
    plat::gfx::ClearRecorded();
    return out;
  }
  std::unique_ptr<ZOV::JFONT> font;
};

TEST_F(TextDraw, FormatsMatchingTextsAndDrawsOthersAsWritten) {
  struct Row {
    const char* what;
    std::vector<int> want, got;
  };
  std::vector<Row> rows;
  // Records what the draw just made drew, with what it should have drawn.
  auto drawn = [&](const char* what, std::vector<int> want) { rows.push_back({what, std::move(want), Widths()}); };
  GAME::cfg::RenderText(font.get(), 10, 20, "a%ib", 12);
  drawn("one int: a12b", {12, 3, 4, 11});
  GAME::cfg::RenderText(font.get(), 10, 20, "a%sb", "%");
  drawn("one text: the argument's % is a letter", {12, 6, 11});
  GAME::cfg::RenderText(font.get(), 10, 20, "a%sb", 12);
  drawn("an int for %s: as written", {12, 6, 7, 11});
  GAME::cfg::RenderText(font.get(), 10, 20, "%i%%");
  drawn("no argument for %i: as written ('i' has no glyph)", {6, 6, 6});
  GAME::cfg::RenderText(font.get(), 10, 20, nullptr, 1);
  drawn("no text", {});
  GAME::cfg::RenderText(nullptr, 10, 20, "a%ib", 1);
  drawn("no font", {});
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what;
}

TEST_F(TextDraw, KeepsTheFontsOneShotAlignment) {
  font->alignment = ZOV::JENUM::HOT_CENTER;
  GAME::cfg::RenderText(font.get(), 100, 50, "%i", 12);  // "12": 3 + 5 + 4 + 5 = 17 long
  const auto quads = widgettest::DrawnQuads();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_FLOAT_EQ(quads[0].x0, 100 - 8);
  EXPECT_FLOAT_EQ(quads[0].y0, 50 - 10);
  EXPECT_EQ(font->alignment, ZOV::JENUM::HOT_TOP_LEFT) << "reset after the draw";
}

}  // namespace
