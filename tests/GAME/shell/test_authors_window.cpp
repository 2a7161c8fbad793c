// The authors window: every configured text in its fixed place and font,
// names of several lines each centred, the footer only when configured,
// empty texts drawing nothing, and only OK or Enter closing it.
#include <gtest/gtest.h>

#include <memory>

#include "GAME/config/globals.h"
#include "GAME/shell/authors_window.h"
#include "ST/button.h"
#include "tests/support/options_window_env.h"

namespace {

using GAME::PUZZLE_AUTHORS;
using windowtest::Point;

char** const kTexts[] = {&chTEXT_AUTHORS_HEADER,          &chTEXT_AUTHORS_COMPANY_1,
                         &chTEXT_AUTHORS_ARTIST,          &chTEXT_AUTHORS_ARTIST_NAME,
                         &chTEXT_AUTHORS_COMPANY_2,       &chTEXT_AUTHORS_PROGRAMMER,
                         &chTEXT_AUTHORS_PROGRAMMER_NAME, &chTEXT_AUTHORS_MANAGER,
                         &chTEXT_AUTHORS_MANAGER_NAME,    &chTEXT_COPYRIGHT1};

class AuthorsWindow : public windowtest::OptionsWindowEnv {
 protected:
  void SetUp() override {
    OptionsWindowEnv::SetUp();
    for (char** t : kTexts) *t = nullptr;
    COPYRIGHT_POS_X = -100;
    COPYRIGHT_POS_Y = 250;
  }
  void TearDown() override {
    for (char** t : kTexts) *t = nullptr;
    OptionsWindowEnv::TearDown();
  }
  // Top-left corners of the glyphs the font drew, in order.
  static std::vector<Point> Glyphs(const ZOV::JFONT& f) {
    std::vector<Point> out;
    for (const auto& q : drawtest::QuadsOf(f.page->GetTexture())) out.push_back({int(q.x0), int(q.y0)});
    return out;
  }

  char two[4] = "Ab";  // 30 pixels wide in the test fonts, 24 high
};

TEST_F(AuthorsWindow, EachTextStandsInItsPlace) {
  struct Row {
    char** text;
    bool big;
    Point centre;
  };
  // W x H 760 x 600 at (512, 384): the column W/5 = 152 right of the centre.
  const Row rows[] = {
      {&chTEXT_AUTHORS_HEADER, true, {512, 129}},           {&chTEXT_AUTHORS_COMPANY_1, true, {664, 184}},
      {&chTEXT_AUTHORS_ARTIST, false, {664, 224}},          {&chTEXT_AUTHORS_ARTIST_NAME, false, {664, 249}},
      {&chTEXT_AUTHORS_COMPANY_2, true, {664, 304}},        {&chTEXT_AUTHORS_PROGRAMMER, false, {664, 344}},
      {&chTEXT_AUTHORS_PROGRAMMER_NAME, false, {664, 369}}, {&chTEXT_AUTHORS_MANAGER, false, {664, 464}},
      {&chTEXT_AUTHORS_MANAGER_NAME, false, {664, 489}},    {&chTEXT_COPYRIGHT1, false, {412, 634}},
  };
  PUZZLE_AUTHORS w(kit);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.centre.y);
    *r.text = two;
    plat::gfx::ClearRecorded();
    EXPECT_EQ(w.Render(0), 0);
    const auto& font = r.big ? *bigFont : *comixFont;
    const auto& other = r.big ? *comixFont : *bigFont;
    EXPECT_EQ(Glyphs(font), (std::vector<Point>{{r.centre.x - 15, r.centre.y - 12}, {r.centre.x, r.centre.y - 12}}));
    EXPECT_TRUE(Glyphs(other).empty());
    *r.text = nullptr;
  }
  EXPECT_EQ(At(w.Picture()), (Point{322, 384}));
  EXPECT_EQ(At(w.OkButton()), (Point{512, 654}));
}

TEST_F(AuthorsWindow, NamesOfSeveralLinesAreEachCentred) {
  char names[] = "Ab\n\nCdef";
  chTEXT_AUTHORS_PROGRAMMER_NAME = names;
  PUZZLE_AUTHORS w(kit);
  plat::gfx::ClearRecorded();
  w.Render(0);
  const auto g = Glyphs(*comixFont);
  ASSERT_EQ(g.size(), 6u);
  EXPECT_EQ(g[0], (Point{649, 357}));
  EXPECT_EQ(g[2], (Point{634, 405})) << "two line heights below, 60 wide";
}

TEST_F(AuthorsWindow, EmptyAndMissingTextsDrawNothing) {
  char empty[] = "";
  chTEXT_AUTHORS_ARTIST = empty;
  chTEXT_AUTHORS_MANAGER_NAME = two;
  PUZZLE_AUTHORS w(kit);
  plat::gfx::ClearRecorded();
  w.Render(0);
  // Only the manager's name, in its own place; no footer without its text.
  EXPECT_EQ(Glyphs(*comixFont), (std::vector<Point>{{649, 477}, {664, 477}}));
  EXPECT_EQ(drawtest::QuadsOf(w.GetTexture()).size(), 1u);
  EXPECT_EQ(drawtest::QuadsOf(w.OkButton().GetTexture()).size(), 1u);
}

TEST_F(AuthorsWindow, OnlyOkOrEnterCloseItWithTheClick) {
  WithSounds();
  PUZZLE_AUTHORS w(kit);
  auto update = [&] { return w.Update(0, 0.0f); };
  EXPECT_EQ(KeyFrame(27, update), PUZZLE_AUTHORS::kNothing);
  EXPECT_EQ(Click(322, 384, update), PUZZLE_AUTHORS::kNothing) << "the picture";
  EXPECT_EQ(Clicks(), 0);
  EXPECT_EQ(KeyFrame(13, update), PUZZLE_AUTHORS::kClosed);
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(Click(512, 654, update), PUZZLE_AUTHORS::kClosed);
  EXPECT_EQ(Clicks(), 2);
  // Enter held: once.
  KeyDown(13);
  EXPECT_EQ(update(), PUZZLE_AUTHORS::kClosed);
  EndFrame();
  EXPECT_EQ(update(), PUZZLE_AUTHORS::kNothing);
  KeyUp(13);
  EndFrame();
}

}  // namespace
