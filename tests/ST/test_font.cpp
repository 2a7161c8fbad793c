// The bitmap font with small descriptors and pages made here: loading and
// its failures, glyph records and texture coordinates, measuring, the
// layout of drawn glyphs at every alignment and scale (positions read from
// the recording backend), formatting and its bound.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ST/font.h"
#include "ST/sprite.h"
#include "tests/support/widget_env.h"

namespace {

using widgettest::DrawnQuads;
using widgettest::Quad;

struct Glyph {
  int id, x, y, w, h, yoffset;
};

// A descriptor in the game's format naming `page`, with the glyphs in file
// order and the given "count" (-1: the number of glyphs).
std::string Descriptor(int size, const std::vector<Glyph>& glyphs, const std::string& page = "page.png",
                       int count = -1) {
  std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<font>\n";
  s += "  <info face=\"Test\" size=\"" + std::to_string(size) + "\"/>\n";
  s += "  <common lineHeight=\"99\" base=\"9\"/>\n";
  s += "  <pages><page id=\"0\" file=\"" + page + "\"/></pages>\n";
  s += "  <chars count=\"" + std::to_string(count < 0 ? int(glyphs.size()) : count) + "\">\n";
  for (const Glyph& g : glyphs) {
    s += "    <char id=\"" + std::to_string(g.id) + "\" x=\"" + std::to_string(g.x) + "\" y=\"" + std::to_string(g.y) +
         "\" width=\"" + std::to_string(g.w) + "\" height=\"" + std::to_string(g.h) + "\" xoffset=\"1\" yoffset=\"" +
         std::to_string(g.yoffset) + "\" xadvance=\"50\"/>\n";
  }
  s += "  </chars>\n</font>\n";
  return s;
}

class Font : public widgettest::WidgetEnv {
 protected:
  // Writes the descriptor "f.fnt" and a page of pw x ph, then makes the font.
  std::unique_ptr<ZOV::JFONT> Make(const std::string& descriptor, int pw = 64, int ph = 32) {
    widgettest::WriteImage("page.png", pw, ph);
    std::ofstream("f.fnt") << descriptor;
    auto f = std::make_unique<ZOV::JFONT>("f.fnt", 0);
    plat::gfx::ClearRecorded();
    return f;
  }
  // The font of the measuring cases: a 10, b 12, c 7 (last in the file),
  // Ё 11, ж 9; spacing 2.
  std::unique_ptr<ZOV::JFONT> Abc() {
    auto f = Make(Descriptor(8, {{97, 0, 0, 10, 8, 0},
                                 {98, 10, 0, 12, 8, 0},
                                 {1025, 22, 0, 11, 8, 0},
                                 {1078, 33, 0, 9, 8, 0},
                                 {99, 42, 0, 7, 8, 0}}));
    f->spacing = 2;
    return f;
  }
  // Line height 20, glyph 'm' 20 wide with spacing 5: "mmmm" is 100 long.
  std::unique_ptr<ZOV::JFONT> Wide() {
    auto f = Make(Descriptor(20, {{109, 0, 0, 20, 20, 0}, {110, 20, 0, 20, 20, 3}}));
    EXPECT_EQ(f->spacing, 5);
    return f;
  }
};

TEST_F(Font, SizeGivesLineHeightAndSpacing) {
  struct Case {
    int size, spacing;
  } cases[] = {{14, 3}, {24, 6}, {7, 1}, {3, 0}};
  for (const Case& c : cases) {
    auto f = Make(Descriptor(c.size, {{97, 0, 0, 4, 4, 0}}));
    EXPECT_EQ(f->defaultSize, c.size);
    EXPECT_EQ(f->lineHeight, c.size);
    EXPECT_EQ(f->spacing, c.spacing) << c.size;
    EXPECT_EQ(f->alignment, 1);
    EXPECT_EQ(f->page->quad.layer, 100);
    EXPECT_EQ(f->page->quad.blend, 1);
    EXPECT_EQ(f->page->hotSpot.x, 0);
    EXPECT_EQ(f->page->hotSpot.y, 0);
    f->lineHeight = 40;
    f->SetDefaultHeight();
    EXPECT_EQ(f->lineHeight, c.size);
  }
}

TEST_F(Font, UnusableDescriptorsDrawAndMeasureNothing) {
  struct Case {
    const char* name;
    std::string text;  // empty: no file
    const char* line;
  } cases[] = {
      {"nofont.fnt", "", "Cant open file nofont.fntFont not loaded "},
      {"zero.fnt", Descriptor(0, {{97, 0, 0, 10, 8, 0}}), "size==0!!!"},
      {"negative.fnt", Descriptor(-32, {{97, 0, 0, 10, 8, 0}}), "Font negative.fnt size -32 is not usable"},
      {"broken.fnt", "<font><info size=\"12\"", "Cant open file broken.fntFont not loaded "},
  };
  widgettest::WriteImage("page.png", 64, 32);
  for (const Case& c : cases) {
    if (!c.text.empty()) std::ofstream(c.name) << c.text;
    testing::internal::CaptureStdout();
    ZOV::JFONT f(c.name, 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(std::string(c.line) + "\n"), std::string::npos) << c.name << ": " << out;
    EXPECT_NE(out.find("fontLoaded"), std::string::npos) << "the font is still made";
    EXPECT_FALSE(f.Usable());
    EXPECT_EQ(f.defaultSize, 0);
    plat::gfx::ClearRecorded();
    f.alignment = 0;
    f.Render(10, 10, "a%d", 5);
    f.Rende(10, 10, "aaa");
    EXPECT_EQ(DrawnQuads().size(), 0u) << c.name;
    EXPECT_EQ(f.alignment, 1);
    EXPECT_EQ(f.GetStringLenght("aaa"), 0);
    EXPECT_EQ(f.GetLetterWidth('a'), 0);
    EXPECT_EQ(f.RenderLetter('a', 0, 0), 0);
    EXPECT_EQ(f.GetStringHeight("a\nb"), 0);
  }
}

TEST_F(Font, GlyphTextureCoordinatesComeFromThePageSize) {
  auto f = Make(Descriptor(16, {{65, 16, 32, 8, 16, 0}}), 256, 128);
  ASSERT_EQ(f->glyphCount, 1);
  const ZOV::JFONT_GLYPH* g = f->FindGlyph(65);
  ASSERT_NE(g, nullptr);
  EXPECT_FLOAT_EQ(g->u0, 0.0625f);
  EXPECT_FLOAT_EQ(g->v0, 0.25f);
  EXPECT_FLOAT_EQ(g->u1, 0.09375f);
  EXPECT_FLOAT_EQ(g->v1, 0.375f);
  EXPECT_EQ(g->xoffset, 1) << "kept, never used";
  f->Rende(0, 0, "A");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ(q[0].u0, 0.0625f);
  EXPECT_FLOAT_EQ(q[0].v1, 0.375f);
  EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 8.0f);
  EXPECT_FLOAT_EQ(q[0].y1 - q[0].y0, 16.0f);
}

TEST_F(Font, TheLastRecordOfAnIdWins) {
  auto f = Make(Descriptor(8, {{97, 0, 0, 10, 8, 0}, {97, 32, 0, 15, 8, 0}}));
  EXPECT_EQ(f->glyphCount, 2);
  EXPECT_EQ(f->GetLetterWidth(97), 15);
  f->Rende(0, 0, "a");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ(q[0].u0, 0.5f) << "the second record's rectangle";
  EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 15.0f);
}

TEST_F(Font, CountMismatchIsOnlyLogged) {
  widgettest::WriteImage("page.png", 64, 32);
  std::ofstream("f.fnt") << Descriptor(8, {{97, 0, 0, 4, 8, 0}, {98, 4, 0, 4, 8, 0}, {99, 8, 0, 4, 8, 0}}, "page.png",
                                       5);
  testing::internal::CaptureStdout();
  ZOV::JFONT f("f.fnt", 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("loading font f.fnt\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Count chars 3 not concide with chars count\n"), std::string::npos) << out;
  EXPECT_EQ(f.glyphCount, 3);
  EXPECT_TRUE(f.Usable());
  EXPECT_EQ(f.GetStringLenght("abc"), 12 + 3 * 2);
}

TEST_F(Font, MeasuresTheFirstLine) {
  auto f = Abc();
  struct Case {
    const char* text;
    int len;
  } cases[] = {
      {"abc", 35}, {"", 0}, {"ab\ncd", 26}, {"aZb", 28}, {"\u0401\u0436", 24}, {"\nabc", 0}, {"%d", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(f->GetStringLenght(c.text), c.len) << c.text;
  EXPECT_EQ(f->GetStringLenght(L"abc"), 35);
  EXPECT_EQ(f->GetLetterWidth('Z'), 0);
}

TEST_F(Font, HeightCountsLines) {
  auto f = Abc();
  f->lineHeight = 20;
  EXPECT_EQ(f->GetStringHeight(""), 20);
  EXPECT_EQ(f->GetStringHeight("a\n"), 40);
  EXPECT_EQ(f->GetStringHeight("a\nb\nc"), 60);
}

TEST_F(Font, MissingGlyphsDrawNothingButAdvanceByTheLastRecord) {
  auto f = Abc();
  f->Rende(0, 0, "aZb");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 2u);
  EXPECT_FLOAT_EQ(q[0].x0, 0.0f);
  EXPECT_FLOAT_EQ(q[1].x0, 21.0f) << "pen 0, then 12, then 12 + 7 + 2";
  EXPECT_EQ(f->RenderLetter('Z', 0, 0), 7);
}

TEST_F(Font, AlignmentsPlaceTheFirstGlyph) {
  auto f = Wide();
  struct Case {
    float scale;
    int align;
    float x, y;
  } cases[] = {
      {1, 0, 250, 190}, {1, 1, 300, 200}, {1, 2, 200, 199}, {1, 4, 200, 180}, {1, 7, 300, 190},
      {1, 8, 200, 190}, {1, 3, 300, 200}, {1, 5, 300, 200}, {1, 6, 300, 200}, {1, 42, 300, 200},
      {2, 0, 200, 180}, {2, 1, 300, 200}, {2, 2, 200, 198}, {2, 4, 200, 160}, {2, 7, 300, 180},
      {2, 8, 200, 180},
  };
  for (const Case& c : cases) {
    f->SetSize(c.scale);
    EXPECT_FLOAT_EQ(f->GetSize(), c.scale);
    ASSERT_EQ(f->GetStringLenght("mmmm"), 100);
    plat::gfx::ClearRecorded();
    f->alignment = c.align;
    f->Rende(300, 200, "mmmm");
    EXPECT_EQ(f->alignment, 1) << "one-shot";
    const auto q = DrawnQuads();
    ASSERT_EQ(q.size(), 4u);
    EXPECT_FLOAT_EQ(q[0].x0, c.x) << "scale " << c.scale << " align " << c.align;
    EXPECT_FLOAT_EQ(q[0].y0, c.y) << "scale " << c.scale << " align " << c.align;
    EXPECT_FLOAT_EQ(q[1].x0 - q[0].x0, 25.0f * c.scale) << "pen advance is scaled";
    EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 20.0f * c.scale);
  }
}

TEST_F(Font, LaterLinesKeepTheFirstLinesOffset) {
  auto f = Wide();
  for (float s : {1.0f, 2.0f}) {
    f->SetSize(s);
    plat::gfx::ClearRecorded();
    f->alignment = 0;
    f->Rende(300, 200, "mm\nm");  // first line 50 long
    const auto q = DrawnQuads();
    ASSERT_EQ(q.size(), 3u);
    EXPECT_FLOAT_EQ(q[2].x0, q[0].x0) << "both lines start at the same x";
    EXPECT_FLOAT_EQ(q[0].x0, 300.0f - 25.0f * s);
    EXPECT_FLOAT_EQ(q[2].y0 - q[0].y0, 20.0f * s);
  }
  f->SetSize(1);
  plat::gfx::ClearRecorded();
  f->alignment = 2;
  f->Rende(300, 200, "\nmm");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 2u);
  EXPECT_FLOAT_EQ(q[0].x0, 300.0f) << "an empty first line has no width to shift by";
  EXPECT_FLOAT_EQ(q[0].y0, 219.0f);
}

TEST_F(Font, YOffsetIsNotScaled) {
  auto f = Wide();
  f->SetSize(2);
  f->Rende(10, 50, "n");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ(q[0].x0, 10.0f);
  EXPECT_FLOAT_EQ(q[0].y0, 53.0f);
  EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 40.0f);
  EXPECT_FLOAT_EQ(q[0].y1 - q[0].y0, 40.0f);
}

TEST_F(Font, ColourAndEmptyText) {
  auto f = Wide();
  f->SetColor(int(0x80FF0000u));
  EXPECT_EQ(uint32_t(f->GetColor()), 0x80FF0000u);
  f->alignment = 4;
  f->Rende(0, 0, "");
  EXPECT_EQ(f->alignment, 1) << "reset by an empty text too";
  f->Rende(0, 0, "m");
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(q[0].color, 0x80FF0000u);
}

TEST_F(Font, FormattedAndPlainText) {
  // '5' 10 wide, '%' 11, 'd' 12: each draw is told apart by its widths.
  auto f = Make(Descriptor(8, {{'5', 0, 0, 10, 8, 0}, {'%', 10, 0, 11, 8, 0}, {'d', 21, 0, 12, 8, 0}}));
  auto widths = [] {
    std::vector<int> w;
    for (const Quad& q : DrawnQuads()) w.push_back(int(q.x1 - q.x0));
    return w;
  };
  f->Render(0, 0, "%d%%", 5);
  EXPECT_EQ(widths(), (std::vector<int>{10, 11}));
  plat::gfx::ClearRecorded();
  f->Rende(0, 0, "%d");
  EXPECT_EQ(widths(), (std::vector<int>{11, 12})) << "no formatting: '%' is a letter";
  plat::gfx::ClearRecorded();
  f->Render(0, 0, L"%d%%", 5);
  EXPECT_EQ(widths(), (std::vector<int>{10, 11}));
}

TEST_F(Font, FormattedOutputIsCutAt595) {
  auto f = Make(Descriptor(8, {{'a', 0, 0, 2, 2, 0}, {0x416, 2, 0, 2, 2, 0}}));
  const std::string ascii(700, 'a');
  f->Render(0, 0, "%s", ascii.c_str());
  EXPECT_EQ(DrawnQuads().size(), 595u);

  plat::gfx::ClearRecorded();
  std::string cyrillic;
  for (int i = 0; i < 350; ++i) cyrillic += "\u0416";  // two bytes each
  f->Render(0, 0, "%s", cyrillic.c_str());
  EXPECT_EQ(DrawnQuads().size(), 297u) << "the cut never leaves half a character";

  plat::gfx::ClearRecorded();
  const std::wstring wide(700, L'a');
  f->Render(0, 0, L"%ls", wide.c_str());
  EXPECT_EQ(DrawnQuads().size(), 595u);
}

// A damaged or hand-edited descriptor, or a configured spacing at the ends
// of the int range: numbers are held to 32768 at load and the layout sums
// saturate instead of wrapping round.
TEST_F(Font, OutlandishNumbersSaturateInsteadOfWrapping) {
  const int huge = 2000000000;
  auto f = Make(Descriptor(huge, {{'a', huge, huge, huge, huge, huge}, {'b', 0, 0, -huge, 4, -huge}}));
  EXPECT_EQ(f->defaultSize, 32768);
  const ZOV::JFONT_GLYPH* a = f->FindGlyph('a');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->width, 32768);
  EXPECT_EQ(a->yoffset, 32768);
  EXPECT_EQ(f->FindGlyph('b')->width, -32768);
  struct Case {
    int spacing;
    const char* text;
    int length;
  } cases[] = {{INT_MAX, "aaa", INT_MAX}, {INT_MIN, "aaa", INT_MIN}, {INT_MIN, "bbb", INT_MIN}, {0, "aa", 65536}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spacing);
    f->spacing = c.spacing;
    EXPECT_EQ(f->GetStringLenght(c.text), c.length);
    plat::gfx::ClearRecorded();
    for (int align : {0, 1, 2, 4, 7, 8}) {
      f->alignment = align;
      f->Rende(INT_MAX, INT_MIN, "ab\nba");
    }
    EXPECT_EQ(DrawnQuads().size(), 24u);
  }
  EXPECT_EQ(f->GetStringHeight(std::string(70000, '\n').c_str()), INT_MAX);
}

TEST_F(Font, TestSheetDrawsEveryGlyph) {
  auto f = Make(Descriptor(10, std::vector<Glyph>(25, Glyph{'a', 0, 0, 4, 4, 0})));
  f->Test(5, 5);
  const auto q = DrawnQuads();
  ASSERT_EQ(q.size(), 25u);
  EXPECT_FLOAT_EQ(q[0].x0, 5.0f);
  EXPECT_FLOAT_EQ(q[0].y0, 20.0f);
  EXPECT_FLOAT_EQ(q[21].x0, 5.0f) << "21 a row";
  EXPECT_FLOAT_EQ(q[21].y0, 30.0f);
}

}  // namespace
