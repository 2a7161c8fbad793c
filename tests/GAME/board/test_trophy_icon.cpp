// The trophy icon: the hover test on its unscaled picture, the hint fading
// in over 0.3 s and restarting when the mouse leaves, no hint without a
// text or a font, and where the hint's box and text stand for both
// placements (below the screen centre, below the icon), including texts of
// several lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "GAME/board/trophy_icon.h"
#include "GAME/config/globals.h"
#include "tests/support/modal_window_env.h"

namespace {

using windowtest::Point;

class TrophyIcon : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    drawtest::WriteImage("medal.png", 80, 60);
    game().timer.SetDelta(0.15f);
  }
  // An icon at (x, y) with a hint in the comix test font.
  std::unique_ptr<TROFEI> Make(int placement, int x, int y, const std::string& hint = "Abc") {
    auto t = std::make_unique<TROFEI>("medal.png", placement, &game());
    t->SetPos(x, y);
    t->hint = hint;
    t->font = comixFont.get();
    return t;
  }
  // One frame with the mouse at (x, y).
  void Frame(TROFEI& t, int x, int y) {
    Mouse(x, y);
    t.Update();
    EndFrame();
  }
  // The filled box RenderHint drew: the untextured quad.
  static std::vector<drawtest::Quad> Boxes() { return drawtest::QuadsOf(0); }
  // The top-left corner of each glyph the font drew.
  static std::vector<Point> Glyphs(const ZOV::JFONT& f) {
    std::vector<Point> out;
    for (const auto& q : drawtest::QuadsOf(f.page->GetTexture())) out.push_back({int(q.x0), int(q.y0)});
    return out;
  }
};

TEST_F(TrophyIcon, TheHintFadesInOverThreeTenthsOfASecondAndRestartsWhenTheMouseLeaves) {
  auto t = Make(TROFEI::kHintBelowIcon, 600, 300);
  struct Step {
    const char* what;
    Point mouse;
    bool hovered;
    float timer;
    uint32_t box, border, text;
  };
  // Frame time 0.15 s; the text's colour is the hint's own at the faded
  // alpha.
  const uint32_t rgb = TROFEI::kTextColour & 0xFFFFFFu;
  const Step steps[] = {
      {"mouse away", {100, 100}, false, 0.0f, 0x00000000u, 0x00FFCC00u, rgb},
      {"mouse on the icon", {600, 300}, true, 0.15f, 0x40000000u, 0x40FFCC00u, 0x80000000u | rgb},
      {"still on it", {620, 320}, true, 0.3f, 0x80000000u, 0x80FFCC00u, 0xFF000000u | rgb},
      {"held at 0.3 s", {600, 300}, true, 0.3f, 0x80000000u, 0x80FFCC00u, 0xFF000000u | rgb},
      {"a second later", {600, 300}, true, 0.3f, 0x80000000u, 0x80FFCC00u, 0xFF000000u | rgb},
      {"out for one frame", {641, 300}, false, 0.0f, 0x00000000u, 0x00FFCC00u, rgb},
      {"back: the fade starts again", {561, 271}, true, 0.15f, 0x40000000u, 0x40FFCC00u, 0x80000000u | rgb},
      // The quad is 80 x 60: strictly inside (560, 270)-(640, 330).
      {"on the left edge", {560, 300}, false, 0.0f, 0x00000000u, 0x00FFCC00u, rgb},
      {"on the bottom edge", {600, 330}, false, 0.0f, 0x00000000u, 0x00FFCC00u, rgb},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (std::string(s.what) == "a second later")
      for (int i = 0; i < 6; ++i) Frame(*t, 600, 300);
    Frame(*t, s.mouse.x, s.mouse.y);
    EXPECT_EQ(t->Hovered(), s.hovered);
    EXPECT_FLOAT_EQ(t->FadeTimer(), s.timer);
    EXPECT_EQ(t->BoxColour(), s.box);
    EXPECT_EQ(t->BorderColour(), s.border);
    EXPECT_EQ(t->TextColour(), s.text);
  }
}

TEST_F(TrophyIcon, TheHoverTestUsesThePictureUnscaled) {
  auto t = Make(TROFEI::kHintBelowIcon, 600, 300);
  t->SetSize(2.0f, 2.0f);
  Frame(*t, 650, 300);  // inside the drawn picture, outside the image's own frame
  EXPECT_FALSE(t->Hovered());
  Frame(*t, 639, 329);
  EXPECT_TRUE(t->Hovered());
}

TEST_F(TrophyIcon, WithoutAHintTextOrAFontTheIconIsNeverHoveredAndDrawsNoHint) {
  struct Row {
    const char* what;
    std::string hint;
    bool font;
  };
  for (const Row& r : {Row{"empty text", "", true}, Row{"no font", "Abc", false}}) {
    SCOPED_TRACE(r.what);
    auto t = Make(TROFEI::kHintBelowIcon, 600, 300, r.hint);
    if (!r.font) t->font = nullptr;
    for (int i = 0; i < 3; ++i) Frame(*t, 600, 300);
    EXPECT_FALSE(t->Hovered());
    plat::gfx::ClearRecorded();
    t->RenderHint();
    EXPECT_TRUE(drawtest::DrawnQuads().empty());
    EXPECT_TRUE(plat::gfx::Recorded().empty());
  }
}

// The hint's text reads on its box at full fade, whatever lies under the
// box: a contrast of at least 3:1 (large text) over a white plate and over a
// black one.
TEST_F(TrophyIcon, TheHintsTextReadsOnItsBox) {
  auto t = Make(TROFEI::kHintBelowIcon, 600, 300);
  for (int i = 0; i < 4; ++i) Frame(*t, 600, 300);
  ASSERT_TRUE(t->Hovered());
  auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  auto luminance = [&](double r, double g, double b) {
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
  };
  auto channel = [](uint32_t argb, int shift) { return double((argb >> shift) & 0xFF) / 255.0; };
  const uint32_t text = t->TextColour(), box = t->BoxColour();
  const double a = channel(box, 24);
  const double lt = luminance(channel(text, 16), channel(text, 8), channel(text, 0));
  for (double under : {0.0, 1.0}) {
    SCOPED_TRACE(under);
    // The box blended over a plate of grey level `under`.
    const double r = channel(box, 16) * a + under * (1.0 - a), g = channel(box, 8) * a + under * (1.0 - a),
                 b = channel(box, 0) * a + under * (1.0 - a);
    const double lb = luminance(r, g, b);
    const double contrast = (std::max(lt, lb) + 0.05) / (std::min(lt, lb) + 0.05);
    EXPECT_GE(contrast, 3.0);
  }
}

TEST_F(TrophyIcon, HintRectanglesAndTextPlaces) {
  struct Row {
    const char* what;
    int placement;
    float scale;
    std::string hint;
    TROFEI::Rect rect;              // before the box's extra 5 pixels a side
    std::vector<Point> lineStarts;  // first glyph of each line
  };
  // Test font: 15 pixels a letter, line height 24. Icon 80 x 60 at
  // (600, 300); screen centre (512, 384). The box holds the text 10 pixels
  // in from its sides and 6 from its top and bottom.
  const Row rows[] = {
      // len 45: 485..539 from cy + 180, one line and its margins high; text
      // centred on (512, 582).
      {"below the centre", TROFEI::kHintBelowCentre, 1.0f, "Abc", {485, 564, 539, 600}, {{490, 570}}},
      // e = 330: its top 330 - 14.4 truncated; len/2 = 22 either side.
      {"below the icon", 1, 1.0f, "Abc", {573, 315, 627, 351}, {{578, 321}}},
      {"any placement but 0", 7, 1.0f, "Abc", {573, 315, 627, 351}, {{578, 321}}},
      // e = 300 + 60 x 2 / 2 = 360.
      {"below a scaled icon", 1, 2.0f, "Abc", {573, 345, 627, 381}, {{578, 351}}},
      // The widest line (150) sizes the box; each line is centred.
      {"two lines below the centre",
       TROFEI::kHintBelowCentre,
       1.0f,
       "Ab\nLongerline",
       {432, 564, 592, 624},
       {{497, 570}, {437, 594}}},
      {"two lines below the icon", 1, 1.0f, "Ab\nLongerline", {520, 315, 680, 375}, {{585, 321}, {525, 345}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto t = Make(r.placement, 600, 300, r.hint);
    t->SetSize(r.scale, r.scale);
    Frame(*t, 600, 300);
    ASSERT_TRUE(t->Hovered());
    plat::gfx::ClearRecorded();
    t->RenderHint();
    const TROFEI::Rect& got = t->HintRect();
    EXPECT_EQ(got.left, r.rect.left);
    EXPECT_EQ(got.top, r.rect.top);
    EXPECT_EQ(got.right, r.rect.right);
    EXPECT_EQ(got.bottom, r.rect.bottom);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FLOAT_EQ(boxes[0].x0, float(r.rect.left - 5));
    EXPECT_FLOAT_EQ(boxes[0].x1, float(r.rect.right + 5));
    EXPECT_FLOAT_EQ(boxes[0].y0, float(r.rect.top));
    EXPECT_FLOAT_EQ(boxes[0].y1, float(r.rect.bottom));
    EXPECT_EQ(boxes[0].color, 0x40000000u) << "the box at the faded alpha";
    // Each line starts where it is centred, and every glyph lies inside the
    // box.
    const std::vector<Point> glyphs = Glyphs(*comixFont);
    std::vector<Point> starts;
    size_t at = 0;
    for (size_t line = 0, from = 0; from <= r.hint.size(); ++line) {
      const size_t end = std::min(r.hint.find('\n', from), r.hint.size());
      if (at < glyphs.size()) starts.push_back(glyphs[at]);
      at += end - from;
      from = end + 1;
    }
    EXPECT_EQ(at, glyphs.size());
    EXPECT_EQ(starts, r.lineStarts);
    for (const Point& g : glyphs) {
      EXPECT_GE(g.x, r.rect.left - 5) << g;
      EXPECT_LE(g.x + 10, r.rect.right + 5) << g;
    }
    EXPECT_EQ(comixFont->GetColor(), int(0xFFFFFFFFu)) << "the font's own colour is put back";
  }
}

// A hint reads on its dark box only when no glyph touches the box's edge:
// every glyph lies inside it with the margin on every side, for both
// placements, one line and several, a scaled icon and a box moved sideways.
TEST_F(TrophyIcon, EveryGlyphOfAHintLiesInsideItsBoxWithAMarginOnEverySide) {
  struct Row {
    const char* what;
    int placement;
    float scale;
    std::string hint;
    int minX, maxX;  // the band, when set
    int spacing = 5;  // the test font's own letter spacing
  };
  const Row rows[] = {
      {"below the centre", TROFEI::kHintBelowCentre, 1.0f, "Abc", 0, 0},
      {"letters drawn closer than their width", TROFEI::kHintBelowIcon, 1.0f, "Longerline", 0, 0, -8},
      {"closer letters moved left inside the band", TROFEI::kHintBelowIcon, 1.0f, "Longerline", 0, 650, -8},
      {"three lines below the centre", TROFEI::kHintBelowCentre, 1.0f, "Ab\nLongerline\nC", 0, 0},
      {"below the icon", TROFEI::kHintBelowIcon, 1.0f, "Abc", 0, 0},
      {"below a scaled icon", TROFEI::kHintBelowIcon, 2.0f, "Ab\nLongerline", 0, 0},
      {"moved left inside its band", TROFEI::kHintBelowIcon, 1.0f, "Longerline", 0, 650},
      {"moved right inside its band", TROFEI::kHintBelowIcon, 1.0f, "Longerline", 540, 1000},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto t = Make(r.placement, 600, 300, r.hint);
    t->SetSize(r.scale, r.scale);
    if (r.maxX > 0) t->KeepHintWithin(r.minX, r.maxX);
    Frame(*t, 600, 300);
    ASSERT_TRUE(t->Hovered());
    plat::gfx::ClearRecorded();
    const int spacing = comixFont->spacing;
    comixFont->spacing = r.spacing;
    t->RenderHint();
    comixFont->spacing = spacing;
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const drawtest::Quad& box = boxes[0];
    const auto glyphs = drawtest::QuadsOf(comixFont->page->GetTexture());
    ASSERT_FALSE(glyphs.empty());
    constexpr float kMargin = 6.0f;
    for (const drawtest::Quad& g : glyphs) {
      EXPECT_GE(g.x0 - box.x0, kMargin) << "left, glyph at " << g.x0 << ", " << g.y0;
      EXPECT_GE(box.x1 - g.x1, kMargin) << "right, glyph at " << g.x0 << ", " << g.y0;
      EXPECT_GE(g.y0 - box.y0, kMargin) << "top, glyph at " << g.x0 << ", " << g.y0;
      EXPECT_GE(box.y1 - g.y1, kMargin) << "bottom, glyph at " << g.x0 << ", " << g.y0;
    }
  }
}

TEST_F(TrophyIcon, AHintBelowTheIconIsMovedSidewaysToStayInsideItsBand) {
  struct Row {
    const char* what;
    int placement;
    int minX, maxX;
    int left, right;  // of the rectangle; the box is 5 wider each side
    int textStart;    // first glyph
  };
  // "Longerline", 150 pixels, below the icon at (600, 300): 520..680 when
  // free.
  const Row rows[] = {
      {"inside the band", 1, 500, 700, 520, 680, 525},
      {"past the right edge", 1, 0, 650, 485, 645, 490},
      {"past the left edge", 1, 540, 1000, 545, 705, 550},
      {"narrower than the box: the left edge holds", 1, 540, 560, 545, 705, 550},
      // Hints below the centre stay where they are.
      {"below the centre", TROFEI::kHintBelowCentre, 0, 500, 432, 592, 437},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto t = Make(r.placement, 600, 300, "Longerline");
    t->KeepHintWithin(r.minX, r.maxX);
    Frame(*t, 600, 300);
    plat::gfx::ClearRecorded();
    t->RenderHint();
    EXPECT_EQ(t->HintRect().left, r.left);
    EXPECT_EQ(t->HintRect().right, r.right);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FLOAT_EQ(boxes[0].x0, float(r.left - 5));
    EXPECT_FLOAT_EQ(boxes[0].x1, float(r.right + 5));
    const auto glyphs = Glyphs(*comixFont);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_EQ(glyphs[0].x, r.textStart);
  }
}

TEST_F(TrophyIcon, TwoIconsHoveredInTurnShowTheirHintsInTheSamePlaceBelowTheCentre) {
  auto a = Make(TROFEI::kHintBelowCentre, 300, 200);
  auto b = Make(TROFEI::kHintBelowCentre, 700, 500);
  Frame(*a, 300, 200);
  Frame(*b, 300, 200);
  a->RenderHint();
  b->RenderHint();
  EXPECT_TRUE(a->Hovered());
  EXPECT_FALSE(b->Hovered());
  const TROFEI::Rect first = a->HintRect();
  Frame(*a, 700, 500);
  Frame(*b, 700, 500);
  EXPECT_FALSE(a->Hovered());
  ASSERT_TRUE(b->Hovered());
  b->RenderHint();
  EXPECT_EQ(b->HintRect().left, first.left);
  EXPECT_EQ(b->HintRect().top, first.top);
  EXPECT_EQ(b->HintRect().right, first.right);
  EXPECT_EQ(b->HintRect().bottom, first.bottom);
}

TEST_F(TrophyIcon, AHintBelowTheCentreResetsTheFontsLineHeightAndOneBelowTheIconDoesNot) {
  for (int placement : {TROFEI::kHintBelowCentre, TROFEI::kHintBelowIcon}) {
    SCOPED_TRACE(placement);
    auto t = Make(placement, 600, 300);
    Frame(*t, 600, 300);
    comixFont->lineHeight = 40;
    t->RenderHint();
    EXPECT_EQ(comixFont->lineHeight, placement == TROFEI::kHintBelowCentre ? 24 : 40);
    comixFont->SetDefaultHeight();
  }
}

TEST_F(TrophyIcon, AHintWithAStrayFormatDirectiveIsDrawnAsWritten) {
  auto t = Make(TROFEI::kHintBelowIcon, 600, 300, "Ab%s");
  Frame(*t, 600, 300);
  plat::gfx::ClearRecorded();
  t->RenderHint();
  EXPECT_EQ(Glyphs(*comixFont).size(), 4u) << "A, b, % and s drawn as letters; no argument is read";
}

TEST_F(TrophyIcon, RenderDrawsThePictureAtItsPlace) {
  auto t = Make(TROFEI::kHintBelowIcon, 600, 300);
  EXPECT_EQ(t->ImageName(), "medal.png");
  plat::gfx::ClearRecorded();
  t->Render();
  EXPECT_EQ(DrawnCentre(*t), (Point{600, 300}));
}

}  // namespace
