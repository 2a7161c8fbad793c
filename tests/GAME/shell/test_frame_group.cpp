// The picture catalogue and its gallery pages on the recording backend at
// 1024 x 768 with the default settings: the piece-count conversions, the
// catalogue file (elements only, at most nine chapters, missing or broken
// files), the page layout, paging, the selection kept valid, the press and
// the double click, and what a page draws.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "GAME/shell/catalogue.h"
#include "GAME/shell/frame.h"
#include "GAME/shell/frame_group.h"
#include "tests/support/book_page_env.h"

namespace fs = std::filesystem;

namespace {

class Gallery : public booktest::BookPageEnv {
 protected:
  void TearDown() override {
    for (auto* c : chapters) delete c;
    chapters.clear();
    BookPageEnv::TearDown();
  }
  // A chapter of `n` pictures made from `thumb`, each of `amount` pieces.
  std::unique_ptr<FRAME_CHOISE_GROUP> Chapter(int n, const char* thumb = "land.png", int amount = 20) {
    pugi::xml_document doc;
    pugi::xml_node c = doc.append_child("chapter");
    for (int i = 0; i < n; ++i) {
      pugi::xml_node p = c.append_child("p");
      p.append_attribute("adrSm") = thumb;
      p.append_attribute("amount") = amount;
      p.append_attribute("rot") = "true";
      p.append_attribute("adrFm") = ("full" + std::to_string(i) + ".jpg").c_str();
    }
    auto g = std::make_unique<FRAME_CHOISE_GROUP>(c);
    g->SetPos(512, 384);
    return g;
  }
  int ReadCatalogue(const std::string& text) {
    testenv::WriteFile("pzls.xml", text);
    return GAME::ReadCatalogue("pzls.xml", &chapters);
  }
  std::vector<FRAME_CHOISE_GROUP*> chapters;
};

// ---- piece counts

struct Conversion {
  const char* thumb;
  int fromMin[6];                          // GetCountFromMin(3..8)
  std::vector<std::pair<int, int>> toMin;  // count -> pieces along the shorter side
};

TEST_F(Gallery, PieceCountConversionsFollowTheThumbnailsShape) {
  const Conversion table[] = {
      {"land.png", {12, 20, 35, 48, 63, 88}, {{2, 1}, {12, 3}, {20, 3}, {48, 6}, {100, 8}, {108, 9}, {150, 10}}},
      {"square.png", {9, 16, 25, 36, 49, 64}, {{12, 3}, {20, 4}, {100, 10}, {150, 12}}},
      {"wide.png", {15, 24, 40, 54, 77, 96}, {{12, 2}, {20, 3}, {48, 5}, {150, 10}}},
  };
  for (const Conversion& c : table) {
    FRAME f(c.thumb, 20, false);
    for (int m = 3; m <= 8; ++m) EXPECT_EQ(f.GetCountFromMin(m), c.fromMin[m - 3]) << c.thumb << " m " << m;
    for (auto [count, min] : c.toMin) EXPECT_EQ(f.GetMinFromCount(count), min) << c.thumb << " count " << count;
  }
}

TEST_F(Gallery, CountsTooSmallForOnePieceHaveNoAnswer) {
  FRAME f("land.png", 20, false);
  for (int count : {1, 0, -1, -100}) EXPECT_EQ(f.GetMinFromCount(count), 0) << count;
}

TEST_F(Gallery, ACatalogueCountThatCannotBeCutBecomesARandomOne) {
  for (int amount : {1, -5, 0}) {
    std::unique_ptr<FRAME> f;
    const std::string out = Output([&] { f = std::make_unique<FRAME>("land.png", amount, true); });
    EXPECT_GE(f->min, 3) << amount;
    EXPECT_LE(f->min, 12) << amount;
    EXPECT_EQ(f->info->count, f->GetCountFromMin(f->min)) << amount;
    EXPECT_EQ(out.find("cannot be cut") != std::string::npos, amount != 0) << out;
  }
  FRAME twenty("land.png", 20, true);
  EXPECT_EQ(twenty.min, 3);
  EXPECT_EQ(twenty.info->count, 20) << "the box shows the catalogue's count";
  EXPECT_TRUE(twenty.info->rot);
  EXPECT_EQ(twenty.angle, 0.0f) << "no tilt with the default setting";
}

// ---- the catalogue file

TEST_F(Gallery, OnlyElementsAreChaptersAndPictures) {
  const int n = ReadCatalogue(
      "<?xml version=\"1.0\"?>\n<pzls>text before<!-- a note -->\n"
      "  <chapter><p adrSm=\"land.png\" amount=\"20\" rot=\"1\" adrFm=\"a.jpg\"/>stray text<![CDATA[x]]>"
      "<p adrSm=\"port.png\" amount=\"0\" adrFm=\"b.jpg\"/></chapter>\n"
      "  <any/>\n</pzls>\n");
  ASSERT_EQ(n, 2);
  ASSERT_EQ(chapters.size(), 2u);
  ASSERT_EQ(chapters[0]->frames.size(), 2u);
  EXPECT_EQ(chapters[0]->frames[0]->imageName, "a.jpg");
  EXPECT_EQ(chapters[0]->frames[0]->thumbName, "land.png");
  EXPECT_TRUE(chapters[0]->frames[0]->rot);
  EXPECT_EQ(chapters[0]->frames[1]->imageName, "b.jpg");
  EXPECT_FALSE(chapters[0]->frames[1]->rot);
  EXPECT_TRUE(chapters[1]->frames.empty());
}

TEST_F(Gallery, AtMostNineChaptersAreRead) {
  std::string text = "<pzls>";
  for (int i = 0; i < 11; ++i) text += "<c><p adrSm=\"land.png\" amount=\"" + std::to_string(12 + i) + "\"/></c>";
  text += "</pzls>";
  int n = 0;
  const std::string out = Output([&] { n = ReadCatalogue(text); });
  EXPECT_EQ(n, 9);
  ASSERT_EQ(chapters.size(), 9u);
  EXPECT_EQ(chapters[8]->frames[0]->info->count, 20) << "the ninth chapter is the ninth of the file";
  EXPECT_NE(out.find("2 more left out"), std::string::npos) << out;
}

TEST_F(Gallery, AMissingBrokenOrNonFileCatalogueGivesNoChapters) {
  fs::remove("pzls.xml");  // an earlier test of the same process may have written one
  EXPECT_EQ(GAME::ReadCatalogue("pzls.xml", &chapters), 0) << "missing";
  EXPECT_EQ(ReadCatalogue("<pzls><c><p adrSm=\"land.png\"/></c>"), 0) << "broken";
  fs::remove("pzls.xml");
  fs::create_directory("pzls.xml");
  EXPECT_EQ(GAME::ReadCatalogue("pzls.xml", &chapters), 0) << "a folder";
  fs::remove("pzls.xml");
  EXPECT_TRUE(chapters.empty());
}

// ---- layout at 1024 x 768

TEST_F(Gallery, PageLayoutAt1024x768) {
  auto g = Chapter(9);
  const struct {
    float x, y;
  } slots[8] = {{270.2f, 271.8f}, {407.8f, 271.8f}, {614.2f, 271.8f}, {751.8f, 271.8f},
                {270.2f, 454.2f}, {407.8f, 454.2f}, {614.2f, 454.2f}, {751.8f, 454.2f}};
  for (int i = 0; i < 9; ++i) {
    const FRAME* f = g->frames[size_t(i)];
    EXPECT_NEAR(f->position.x, slots[i % 8].x, 0.01f) << i;
    EXPECT_NEAR(f->position.y, slots[i % 8].y, 0.01f) << i;
    EXPECT_EQ(f->DrawnW(), 103) << i;
    EXPECT_EQ(f->DrawnH(), 77) << i;
    EXPECT_EQ(f->hitW, 133) << i;
    EXPECT_EQ(f->hitH, 100) << i;
  }
  EXPECT_EQ(g->next->position.x, 667.0f);
  EXPECT_EQ(g->next->position.y, 599.0f);
  EXPECT_EQ(g->prev->position.x, 325.0f);
  EXPECT_EQ(g->prev->position.y, 599.0f);
  EXPECT_EQ(g->counter.x, 483);
  EXPECT_EQ(g->counter.y, 580);

  auto portrait = Chapter(1, "port.png");
  EXPECT_EQ(portrait->frames[0]->DrawnW(), 77);
  EXPECT_EQ(portrait->frames[0]->DrawnH(), 103);
  EXPECT_EQ(portrait->frames[0]->hitW, 100);
  EXPECT_EQ(portrait->frames[0]->hitH, 133);
}

// ---- paging and selection

TEST_F(Gallery, PagingButtonsAndPageCount) {
  const struct {
    int n, page, pageCount;
    bool prev, next;
  } table[] = {{1, 0, 1, false, false},
               {8, 0, 1, false, false},
               {9, 0, 2, false, true},
               {16, 0, 2, false, true},
               {17, 0, 3, false, true}};
  for (const auto& t : table) {
    auto g = Chapter(t.n, "square.png");
    EXPECT_EQ(g->pageCount, t.pageCount) << t.n;
    EXPECT_EQ(g->prev->active, t.prev) << t.n;
    EXPECT_EQ(g->next->active, t.next) << t.n;
  }
}

TEST_F(Gallery, TurningPagesMovesTheSelectionAndStopsAtTheEnds) {
  auto g = Chapter(17, "square.png");
  auto update = [&] { return g->Update(); };
  EXPECT_EQ(g->selected, 1);
  Click(667, 599, update);
  EXPECT_EQ(g->page, 1);
  EXPECT_EQ(g->selected, 8);
  EXPECT_TRUE(g->prev->active);
  Click(667, 599, update);
  EXPECT_EQ(g->page, 2);
  EXPECT_EQ(g->selected, 16);
  EXPECT_FALSE(g->next->active);
  Click(667, 599, update);
  EXPECT_EQ(g->page, 2) << "a click on the inactive button does nothing";
  Click(325, 599, update);
  EXPECT_EQ(g->page, 1);
  EXPECT_EQ(g->selected, 8);
}

TEST_F(Gallery, TheSelectionIsAlwaysAPictureOfTheChapter) {
  EXPECT_EQ(Chapter(2)->selected, 1) << "a fresh chapter selects its second picture";
  auto one = Chapter(1);
  EXPECT_EQ(one->selected, 0);
  ASSERT_NE(one->SelectedFrame(), nullptr);
  EXPECT_EQ(one->SelectedFrame()->imageName, "full0.jpg");
  auto none = Chapter(0);
  EXPECT_EQ(none->SelectedFrame(), nullptr);
  EXPECT_EQ(none->Update(), FRAME_CHOISE_GROUP::kEmpty);
  plat::gfx::ClearRecorded();
  none->Render();
  EXPECT_TRUE(drawtest::DrawnQuads().empty());
}

TEST_F(Gallery, APressSelectsWithASoundAndADoubleClickStarts) {
  SelectionSound();
  auto g = Chapter(4);
  Mouse(270, 271, 1);
  EXPECT_EQ(g->Update(), FRAME_CHOISE_GROUP::kSelected);
  EndFrame();
  EXPECT_EQ(g->selected, 0);
  EXPECT_EQ(ClicksPlayed(), 1);
  Mouse(270, 271, -1);
  EndFrame();

  Mouse(614, 271, 1);
  input().EventMouseDblClick();
  EXPECT_EQ(g->Update(), FRAME_CHOISE_GROUP::kStart);
  EndFrame();
  EXPECT_EQ(g->selected, 2);
  EXPECT_EQ(ClicksPlayed(), 1) << "the double click plays nothing";

  Mouse(900, 700, 1);
  EXPECT_EQ(g->Update(), FRAME_CHOISE_GROUP::kNothing) << "a press outside every thumbnail";
  EndFrame();
  EXPECT_EQ(g->selected, 2);
}

TEST_F(Gallery, APressOnPicture999OfALargeChapterDoesNotStartIt) {
  drawtest::WriteImage("tiny.png", 4, 3);
  auto g = Chapter(1000, "tiny.png");
  g->page = 124;  // pictures 992..999
  Mouse(751, 454, 1);
  EXPECT_EQ(g->Update(), FRAME_CHOISE_GROUP::kSelected);
  EndFrame();
  EXPECT_EQ(g->selected, 999);
}

// ---- drawing

TEST_F(Gallery, APageDrawsPlatesThumbnailsInformationAndTheCounter) {
  auto g = Chapter(9);
  plat::gfx::ClearRecorded();
  g->Render();
  const auto shadow = drawtest::QuadsOf(shadowSplain->GetTexture());
  ASSERT_EQ(shadow.size(), 1u) << "only under the selected thumbnail";
  EXPECT_EQ(shadow[0].x0, 417.0f - 61.0f);  // (trunc(407.8 + 10), trunc(271.8 + 10)), 123 x 97
  EXPECT_EQ(shadow[0].x1, 417.0f + 62.0f);
  EXPECT_EQ(shadow[0].y0, 281.0f - 48.0f);
  EXPECT_EQ(shadow[0].y1, 281.0f + 49.0f);
  const auto white = drawtest::QuadsOf(whiteSplain->GetTexture());
  ASSERT_EQ(white.size(), 8u) << "one plate for each thumbnail of the first page";
  EXPECT_EQ(white[0].x0, 270.0f - 61.0f);
  EXPECT_EQ(white[0].y0, 271.0f - 48.0f);
  EXPECT_EQ(drawtest::QuadsOf(sprRotPzl->GetTexture()).size(), 8u);
  const auto info = drawtest::QuadsOf(sprInfoBack->GetTexture());
  ASSERT_EQ(info.size(), 8u) << "no percent boxes in a catalogue chapter";
  // Slot 1's box ends at the anchor (trunc(270.2 + 51.5 + 10), trunc(271.8 + 38.5 + 48)).
  EXPECT_EQ(info[0].x1, 331.0f);
  EXPECT_EQ(info[0].y1, 358.0f);
  EXPECT_STREQ(comix->text, "1/2") << "the counter is drawn last";

  auto eight = Chapter(8);
  eight->Render();
  EXPECT_STREQ(comix->text, "20") << "one page: no counter after the last count";
}

}  // namespace
