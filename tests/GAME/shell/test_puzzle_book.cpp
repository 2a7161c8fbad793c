// The book of puzzle packs on the recording backend at 1024 x 768 with the
// default settings: the page box and the two pages, the tab column for 0 to
// 9 chapters (never reaching the saves tab) and more than 9, the current
// tab, tab clicks reaching the scene manager with their ids, the hover and
// click sounds, the captions drawn as plain text, and the pages hosted under
// the tabs. Fixture art: book tiles 64 pixels thick with a 40-pixel spine
// column, a tab image of 480 x 48 (frames of 120 x 48).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/tile_map_9.h"
#include "ST/button.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"
#include "tests/support/shell_env.h"

namespace {

using GAME::PUZZLE_BOOK;
using shelltest::FakeScene;
using shelltest::gSceneCalls;

float W(const JSPRITE* s) { return s->quad.v[3].x - s->quad.v[0].x; }
float H(const JSPRITE* s) { return s->quad.v[1].y - s->quad.v[0].y; }

// A page's outer box: tile 11's top-left to tile 33's bottom-right.
std::vector<float> Outer(const GAME::JTILE_MAP_9* p) {
  const JSPRITE *tl = p->Tile(11), *br = p->Tile(33);
  return {tl->position.x - W(tl) / 2, tl->position.y - H(tl) / 2, br->position.x + W(br) / 2,
          br->position.y + H(br) / 2};
}

class PuzzleBook : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_BOOK = nullptr;  // images from the working folder
    C_NAME_PACK_MENU = nullptr;
    char** tiles[5][3] = {{&chBOOK_1_1, &chBOOK_1_2, &chBOOK_1_3}, {&chBOOK_2_1, &chBOOK_2_2, &chBOOK_2_3},
                          {&chBOOK_3_1, &chBOOK_3_2, &chBOOK_3_3}, {&chBOOK_4_1, &chBOOK_4_2, &chBOOK_4_3},
                          {&chBOOK_5_1, &chBOOK_5_2, &chBOOK_5_3}};
    for (int c = 0; c < 5; ++c)
      for (int r = 0; r < 3; ++r)
        Image(tiles[c][r], "book" + std::to_string(c + 1) + "-" + std::to_string(r + 1) + ".png", c == 2 ? 40 : 64,
              64);
    Image(&chGALLERY_BUTTON, "gallery_button.png", 480, 48);
    puzzle = new FakeScene();
    gSceneCalls.clear();
  }
  void TearDown() override {
    book.reset();
    delete puzzle;
    puzzle = nullptr;
    DialogEnv::TearDown();
  }
  PUZZLE_BOOK& Make(int chapters, ZOV::JFONT* font = nullptr) {
    PUZZLE_BOOK::Setup s;
    s.chapters = chapters;
    s.width = 1024;
    s.height = 768;
    s.font = font;
    s.hoverSound = hover;
    s.clickSound = clickSound;
    book = std::make_unique<PUZZLE_BOOK>(s);
    return *book;
  }
  std::vector<float> TabYs() const {
    std::vector<float> ys;
    for (const BUTTONACT* t : book->Tabs()) ys.push_back(t->position.y);
    return ys;
  }
  std::vector<int> TabIds() const {
    std::vector<int> ids;
    for (const BUTTONACT* t : book->Tabs()) ids.push_back(t->id);
    return ids;
  }
  // A click on (x, y) with the book updated in both frames.
  void ClickBook(int x, int y) {
    Click(x, y, [&] { return book->Update(); });
  }

  std::unique_ptr<PUZZLE_BOOK> book;
  ZOV::ST_A* hover = nullptr;
  ZOV::ST_A* clickSound = nullptr;
};

TEST_F(PuzzleBook, TheBoxAndTheTwoPagesAt1024x768) {
  PUZZLE_BOOK& b = Make(2);
  EXPECT_EQ(b.X1(), 102);
  EXPECT_EQ(b.X2(), 921);
  EXPECT_EQ(b.Y1(), 115);
  EXPECT_EQ(b.Y2(), 652);
  EXPECT_EQ(b.LeftPage()->position.x, 318);
  EXPECT_EQ(b.LeftPage()->position.y, 384);
  EXPECT_EQ(b.RightPage()->position.x, 705);
  EXPECT_EQ(b.RightPage()->position.y, 384);
  // 430 x 537 each, centred on its position (the 409-pixel centre is
  // halved with truncation, so the bottom row meets it one pixel early and
  // the drawn box is 536 tall); they overlap by 43 pixels around the spine.
  EXPECT_EQ(Outer(b.LeftPage()), (std::vector<float>{103, 116, 533, 652}));
  EXPECT_EQ(Outer(b.RightPage()), (std::vector<float>{490, 116, 920, 652}));
  // The right page draws the spine; the left page's column 3 is off.
  for (int code : {13, 23, 33}) {
    EXPECT_EQ(b.LeftPage()->Tile(code)->GetTexture(), 0u) << code;
    EXPECT_NE(b.RightPage()->Tile(code)->GetTexture(), 0u) << code;
  }
  EXPECT_EQ(W(b.RightPage()->Tile(11)), 40);
  EXPECT_EQ(W(b.LeftPage()->Tile(11)), 64);
}

struct TabCase {
  int chapters;
  std::vector<float> ys;  // chapter tabs, then the saves tab
};
void PrintTo(const TabCase& c, std::ostream* os) { *os << c.chapters << " chapters"; }

class BookTabs : public PuzzleBook, public ::testing::WithParamInterface<TabCase> {};

TEST_P(BookTabs, StandInTheColumnAboveTheSavesTab) {
  PUZZLE_BOOK& b = Make(GetParam().chapters);
  EXPECT_EQ(TabYs(), GetParam().ys);
  std::vector<int> ids;
  for (int k = 1; k <= GetParam().chapters; ++k) ids.push_back(k);
  ids.push_back(10);
  EXPECT_EQ(TabIds(), ids);
  for (const BUTTONACT* t : b.Tabs()) EXPECT_EQ(t->position.x, 154);
}

INSTANTIATE_TEST_SUITE_P(
    Chapters, BookTabs,
    ::testing::Values(TabCase{0, {552}}, TabCase{1, {215, 552}}, TabCase{2, {215, 272, 552}},
                      TabCase{5, {215, 272, 330, 387, 445, 552}},
                      // from 7 chapters on, the pitch shrinks so the last chapter tab ends above the saves tab
                      TabCase{7, {215, 263, 311, 359, 407, 455, 504, 552}},
                      TabCase{9, {215, 251, 287, 323, 359, 395, 431, 467, 504, 552}}),
    [](const auto& info) { return std::to_string(info.param.chapters) + "Chapters"; });

TEST_F(PuzzleBook, NoChapterTabReachesTheSavesTabAtAnyScreenSize) {
  const int sizes[][2] = {{1024, 768}, {1280, 1024}, {1440, 900}, {1920, 1080}, {1024, 600}};
  for (int chapters = 1; chapters <= 9; ++chapters) {
    PUZZLE_BOOK& b = Make(chapters);
    for (const auto& s : sizes) {
      b.Reset(s[0], s[1]);
      const auto& tabs = b.Tabs();
      const float frame = float(tabs.front()->frame.y);
      for (size_t i = 1; i + 1 < tabs.size(); ++i) EXPECT_GT(tabs[i]->position.y, tabs[i - 1]->position.y);
      EXPECT_LE(tabs[tabs.size() - 2]->position.y + frame, b.SavesTab()->position.y)
          << chapters << " chapters at " << s[0] << "x" << s[1];
    }
  }
}

TEST_F(PuzzleBook, MoreThanNineChaptersAreCutToNine) {
  PUZZLE_BOOK& b = Make(12);
  EXPECT_EQ(b.Chapters(), 9);
  EXPECT_EQ(TabIds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(PuzzleBook, ResetLaysTheBookOutForTheNewScreen) {
  PUZZLE_BOOK& b = Make(2);
  b.Reset(1920, 1080);
  EXPECT_EQ(b.X1(), 192);
  EXPECT_EQ(b.X2(), 1728);
  EXPECT_EQ(b.Y1(), 162);
  EXPECT_EQ(b.Y2(), 918);
  // pages (960 - 192 + 20) x 756 at (960 - 384 + 10, 540) and (960 + 384 - 10 - 1, 540)
  EXPECT_EQ(Outer(b.LeftPage()), (std::vector<float>{192, 162, 980, 918}));
  EXPECT_EQ(b.RightPage()->position.x, 1333);
  EXPECT_EQ(TabYs(), (std::vector<float>{262, 319, 818}));
  EXPECT_EQ(b.Tabs()[0]->position.x, 244);
}

struct DropCase {
  int id;
  std::vector<bool> active;  // two chapter tabs, then the saves tab
};
void PrintTo(const DropCase& c, std::ostream* os) { *os << "DropButton(" << c.id << ")"; }

class BookDrop : public PuzzleBook, public ::testing::WithParamInterface<DropCase> {};

TEST_P(BookDrop, ShowsTheCurrentTabWithItsFourthFrame) {
  PUZZLE_BOOK& b = Make(2);
  b.DropButton(1);
  b.DropButton(GetParam().id);
  for (size_t i = 0; i < b.Tabs().size(); ++i) {
    const BUTTONACT* t = b.Tabs()[i];
    EXPECT_EQ(t->active, GetParam().active[i]) << "tab " << i;
    EXPECT_FLOAT_EQ(t->quad.v[0].u, GetParam().active[i] ? 0.0f : 0.75f) << "tab " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Ids, BookDrop,
                         ::testing::Values(DropCase{1, {false, true, true}}, DropCase{2, {true, false, true}},
                                           DropCase{10, {true, true, false}}, DropCase{0, {true, true, true}},
                                           DropCase{11, {true, true, true}}, DropCase{-3, {true, true, true}}),
                         [](const auto& info) {
                           return "Id" + std::string(info.param.id < 0 ? "Minus" : "") +
                                  std::to_string(std::abs(info.param.id));
                         });

TEST_F(PuzzleBook, ATabClickTellsTheSceneManagerItsId) {
  PUZZLE_BOOK& b = Make(2);
  ClickBook(154, 272);
  EXPECT_EQ(gSceneCalls, std::vector<std::string>{"ActivateButton 2"});
  gSceneCalls.clear();
  ClickBook(154, 215);
  EXPECT_EQ(gSceneCalls, std::vector<std::string>{"ActivateButton 1"});
  gSceneCalls.clear();
  // A current tab still answers.
  b.DropButton(1);
  ClickBook(154, 215);
  EXPECT_EQ(gSceneCalls, std::vector<std::string>{"ActivateButton 1"});
}

TEST_F(PuzzleBook, TheHiddenSavesTabTakesNoClickAndTheShownOneDoes) {
  PUZZLE_BOOK& b = Make(2);
  ClickBook(154, 552);
  EXPECT_TRUE(gSceneCalls.empty());
  b.Saves(true);
  EXPECT_TRUE(b.SavesShown());
  ClickBook(154, 552);
  EXPECT_EQ(gSceneCalls, std::vector<std::string>{"ActivateButton 10"});
  b.Saves(false);
  gSceneCalls.clear();
  ClickBook(154, 552);
  EXPECT_TRUE(gSceneCalls.empty());
}

TEST_F(PuzzleBook, WhereManyTabsOverlapTheUpperOneTakesTheClickAndIsDrawnOnTop) {
  PUZZLE_BOOK& b = Make(9);
  // Tabs 1 (215) and 2 (251) share y 227..239.
  ClickBook(154, 233);
  EXPECT_EQ(gSceneCalls, std::vector<std::string>{"ActivateButton 1"});
  plat::gfx::ClearRecorded();
  b.Render();
  std::vector<float> tops;
  for (const auto& q : dialogtest::DrawnQuads())
    if (q.x1 - q.x0 == 120) tops.push_back(q.y0);
  // Nine chapter tabs from the lowest up; the hidden saves tab is not drawn.
  EXPECT_EQ(tops, (std::vector<float>{480, 443, 407, 371, 335, 299, 263, 227, 191}));
}

TEST_F(PuzzleBook, RenderDrawsThePagesThenTheTabsAndTheSavesTabOnlyWhenShown) {
  PUZZLE_BOOK& b = Make(2);
  plat::gfx::ClearRecorded();
  b.Render();
  const auto hidden = dialogtest::DrawnQuads();
  // Six tiles of the left page, nine of the right, two chapter tabs.
  ASSERT_EQ(hidden.size(), 17u);
  for (size_t i = 0; i < 15; ++i) EXPECT_NE(hidden[i].x1 - hidden[i].x0, 120) << i;
  b.Saves(true);
  plat::gfx::ClearRecorded();
  b.Render();
  const auto shown = dialogtest::DrawnQuads();
  ASSERT_EQ(shown.size(), 18u);
  EXPECT_EQ(shown.back().y0, 528);
  EXPECT_EQ(shown.back().x0, 94);
}

TEST_F(PuzzleBook, HoveringATabPlaysTheHoverSoundOnceAndSelectTabTheClickSound) {
  ClickSound();
  hover = eButton;
  clickSound = nullptr;
  PUZZLE_BOOK& b = Make(2);
  Mouse(154, 215);
  b.Update();
  EndFrame();
  b.Update();
  EndFrame();
  EXPECT_EQ(ClicksPlayed(), 1);
  Mouse(154, 272);
  b.Update();
  EndFrame();
  EXPECT_EQ(ClicksPlayed(), 2);

  Mix_HaltChannel(-1);
  hover = nullptr;
  clickSound = eButton;
  PUZZLE_BOOK& c = Make(2);
  c.SelectTab(2);
  EXPECT_EQ(ClicksPlayed(), 1);
  EXPECT_FALSE(c.Tabs()[1]->active);
  EXPECT_TRUE(c.Tabs()[0]->active);
}

struct ChoiceCase {
  const char* name;
  int id, category;
  bool hasSaves;
  int wantCategory;
  bool wantCut;
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class BookChoice : public PuzzleBook, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(BookChoice, GivesTheCategoryAndTheCutButton) {
  const ChoiceCase& c = GetParam();
  const PUZZLE_BOOK::Choice got = Make(3).ChooseTab(c.id, c.category, c.hasSaves);
  EXPECT_EQ(got.category, c.wantCategory);
  EXPECT_EQ(got.cutActive, c.wantCut);
}

INSTANTIATE_TEST_SUITE_P(Tabs, BookChoice,
                         ::testing::Values(ChoiceCase{"Chapter", 2, 1, false, 2, true},
                                           ChoiceCase{"ChapterFromSaves", 3, 10, true, 3, true},
                                           ChoiceCase{"Saves", 10, 2, true, 10, false},
                                           ChoiceCase{"SavesWithoutSaves", 10, 2, false, 2, true},
                                           ChoiceCase{"NoSuchChapter", 4, 2, true, 2, true},
                                           ChoiceCase{"Zero", 0, 10, true, 10, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class BookCaptions : public PuzzleBook {
 protected:
  void SetUp() override {
    PuzzleBook::SetUp();
    dialogtest::WriteFont("captions.fnt", L"%");
    font = std::make_unique<ZOV::JFONT>("captions.fnt", 0);
  }
  void TearDown() override {
    PuzzleBook::TearDown();
    font.reset();
  }
  // The glyph quads drawn in the font's page texture.
  std::vector<dialogtest::Quad> Glyphs() const { return dialogtest::QuadsOf(font->page->GetTexture()); }

  std::unique_ptr<ZOV::JFONT> font;
};

TEST_F(BookCaptions, AreCentredAboveEachTabAsPlainText) {
  chCATEGORIES_NAMES = {"ab", "50%"};
  PUZZLE_BOOK& b = Make(2, font.get());
  font->SetColor(int(0xFF00FF00u));
  plat::gfx::ClearRecorded();
  b.RenderActiveButtons();
  const auto g = Glyphs();
  // "ab" (32 wide: 10-pixel glyphs, a spacing of a quarter of the size 24)
  // centred on (154, 210); "50%" (48 wide) with its per-cent sign drawn as a
  // letter, centred on (154, 267).
  ASSERT_EQ(g.size(), 5u);
  EXPECT_EQ(g[0].x0, 138);
  EXPECT_EQ(g[0].y0, 198);
  EXPECT_EQ(g[2].x0, 130);
  EXPECT_EQ(g[2].y0, 255);
  EXPECT_EQ(g[4].x0, 162);
  EXPECT_EQ(font->GetColor(), C_FONT_MAIN_COLOR);
}

TEST_F(BookCaptions, ACaptionWiderThanItsTabIsDrawnSmallerToStayOnIt) {
  // 14 letters are 224 pixels wide at size 1; the 120-pixel tab leaves 100.
  chCATEGORIES_NAMES = {"abcdefghijklmn"};
  PUZZLE_BOOK& b = Make(1, font.get());
  plat::gfx::ClearRecorded();
  b.RenderActiveButtons();
  const auto g = Glyphs();
  ASSERT_EQ(g.size(), 14u);
  EXPECT_GE(g.front().x0, 104);
  EXPECT_LE(g.back().x1, 204);
  EXPECT_GT(g.back().x1 - g.front().x0, 90);
  // Vertically still centred on the caption's point (154, 210).
  EXPECT_NEAR((g[0].y0 + g[0].y1) / 2, 210, 5);
  EXPECT_FLOAT_EQ(font->GetSize(), 1.0f);
}

TEST_F(BookCaptions, TheSavesCaptionOnlyWithTheSavesTab) {
  chCATEGORIES_NAMES = {};
  static std::string saves = "abc";
  chTEXT_BOOK_SAVE = saves.data();
  PUZZLE_BOOK& b = Make(2, font.get());
  plat::gfx::ClearRecorded();
  b.RenderActiveButtons();
  // Chapters without a caption show none.
  EXPECT_TRUE(Glyphs().empty());
  b.Saves(true);
  plat::gfx::ClearRecorded();
  b.RenderActiveButtons();
  const auto g = Glyphs();
  ASSERT_EQ(g.size(), 3u);
  EXPECT_EQ(g[0].y0, 535);
}

// A page of the scene manager's, answering `code` and counting its draws.
struct FakePage {
  int code = 0;
  int drawn = 0;
  int Update() { return code; }
  void Render() { ++drawn; }
};

TEST_F(PuzzleBook, HostsAChapterPageUnderEachChapterTabAndTheSavesPageUnderTheSavesTab) {
  PUZZLE_BOOK& b = Make(2);
  FakePage one{7}, two{999}, three{5}, saves{-1};
  b.HostChapters(std::vector<FakePage*>{&one, &two, &three});
  b.HostSaves(&saves);
  EXPECT_EQ(b.UpdatePage(1), 7);
  EXPECT_EQ(b.UpdatePage(2), 999);
  // A page beyond the chapters, an unknown tab and the hidden saves tab have
  // no page.
  EXPECT_EQ(b.UpdatePage(3), PUZZLE_BOOK::kNoPage);
  EXPECT_EQ(b.UpdatePage(0), PUZZLE_BOOK::kNoPage);
  EXPECT_EQ(b.UpdatePage(10), PUZZLE_BOOK::kNoPage);
  b.RenderPage(10);
  EXPECT_EQ(saves.drawn, 0);
  b.Saves(true);
  EXPECT_EQ(b.UpdatePage(10), -1);
  b.RenderPage(10);
  b.RenderPage(2);
  b.RenderPage(3);
  EXPECT_EQ(saves.drawn, 1);
  EXPECT_EQ(two.drawn, 1);
  EXPECT_EQ(three.drawn, 0);
  b.HostChapters(std::vector<FakePage*>{});
  EXPECT_EQ(b.Page(1), nullptr);
}

TEST_F(PuzzleBook, TheDefaultBookUsesTheCatalogueCountAndTheSharedAssets) {
  GAME::PUZZLE_PACK_COUNT = 3;
  book = std::make_unique<PUZZLE_BOOK>();
  EXPECT_EQ(book->Chapters(), 3);
  EXPECT_EQ(TabIds(), (std::vector<int>{1, 2, 3, 10}));
  EXPECT_FALSE(book->SavesShown());
  GAME::PUZZLE_PACK_COUNT = 0;
}

}  // namespace
