// The saved-games panel on the recording backend at 1024 x 768, with fixture
// player folders below the documents folder: which files it lists and in
// what order, the saves it skips (not XML, not a save, Min outside 3..15, a
// folder or a link named like a save), completion percents, layout, the
// trash button and the selection kept valid when the list shrinks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GAME/shell/frame.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/save_list.h"
#include "GAME/shell/save_panel.h"
#include "tests/support/book_page_env.h"

namespace fs = std::filesystem;

namespace {

std::string Save(int min, int joins, const char* thumb = "land.png", const char* root = "Save") {
  return std::string("<?xml version=\"1.0\"?>\n<") + root + " ImgAdr=\"full.jpg\" ImgSmAdr=\"" + thumb +
         "\" ImgPkAdr=\"DATA/low\" ImgPss=\"7315\" Min=\"" + std::to_string(min) + "\" regCg=\"" +
         std::to_string(joins) + "\" rt=\"true\"><Piece posx=\"1\" posy=\"2\"/></" + root + ">\n";
}

class SavePanel : public booktest::BookPageEnv {
 protected:
  void SetUp() override {
    BookPageEnv::SetUp();
    docs = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);
    folder = docs + "/Co/Game/Player/";
    fs::create_directories(folder);
  }
  void Put(const std::string& name, const std::string& text) { testenv::WriteFile(folder + name, text); }
  // A panel filled from the folder and laid out for 1024 x 768.
  std::unique_ptr<PUZZLE_SAVEPANEL> Panel() {
    auto p = std::make_unique<PUZZLE_SAVEPANEL>();
    p->Fill(folder.data());
    p->SetPos(1024, 768);
    return p;
  }
  static std::vector<std::string> Names(const PUZZLE_SAVEPANEL& p) {
    std::vector<std::string> out;
    for (const FRAME* f : p.frames) out.push_back(fs::path(f->savePath).filename().string());
    return out;
  }
  int Update(PUZZLE_SAVEPANEL& p) { return p.Update(); }

  std::string docs, folder;
};

TEST_F(SavePanel, ListsReadableSavesWithTheirCompletion) {
  Put("1.pzl", Save(4, 19));
  Put("2.pzl", Save(4, 10));
  Put("3.pzl", "this is no XML <");
  std::unique_ptr<PUZZLE_SAVEPANEL> p;
  const std::string out = Output([&] { p = Panel(); });
  EXPECT_EQ(Names(*p), (std::vector<std::string>{"2.pzl", "1.pzl"}));
  EXPECT_EQ(p->frames[0]->info->count, 20) << "4 along the shorter side of a 4:3 thumbnail";
  EXPECT_EQ(p->frames[0]->info->percent, 53);
  EXPECT_EQ(p->frames[1]->info->percent, 100);
  EXPECT_EQ(p->frames[0]->imageName, "full.jpg");
  EXPECT_EQ(p->frames[0]->thumbName, "land.png");
  EXPECT_EQ(p->frames[0]->savePath, folder + "2.pzl");
  EXPECT_TRUE(p->frames[0]->rot);
  EXPECT_EQ(Count(out, "detected save "), 3);
  EXPECT_EQ(Count(out, "File not opened " + folder + "3.pzl"), 1) << out;
}

TEST_F(SavePanel, HostileFilesAreSkippedWithALogLine) {
  Put("1.pzl", Save(3, 5));
  Put("2.pzl", Save(4, 3, "land.png", "Other"));  // not a saved game
  Put("3.pzl", Save(0, 0));                       // no puzzle to cut
  Put("4.pzl", Save(16, 0));
  Put("5.pzl", Save(1, 0, "square.png"));  // one piece: a percent would divide by zero
  Put("notes.txt", Save(4, 1));
  fs::create_directory(folder + "x.pzl");
  testenv::WriteFile(docs + "/elsewhere.pzl", Save(4, 1));
  fs::create_symlink(docs + "/elsewhere.pzl", folder + "y.pzl");
  Put("A.PZL", Save(5, 0));
  std::unique_ptr<PUZZLE_SAVEPANEL> p;
  const std::string out = Output([&] { p = Panel(); });
  EXPECT_EQ(Names(*p), (std::vector<std::string>{"1.pzl", "A.PZL"}));
  EXPECT_EQ(p->frames[0]->info->count, 12);
  EXPECT_EQ(p->frames[0]->info->percent, 45);
  EXPECT_EQ(p->frames[1]->info->percent, 0);
  for (const char* skipped : {"2.pzl", "3.pzl", "4.pzl", "5.pzl", "x.pzl", "y.pzl"})
    EXPECT_EQ(Count(out, "File not opened " + folder + skipped), 1) << skipped << "\n" << out;
  EXPECT_EQ(out.find("notes.txt"), std::string::npos);
  EXPECT_TRUE(fs::exists(docs + "/elsewhere.pzl")) << "the link's target is left alone";
}

TEST_F(SavePanel, SavesAreListedNewestNumberFirst) {
  for (const char* n : {"1.pzl", "2.pzl", "10.pzl", "b.pzl", "A.pzl", "9.PZL"}) Put(n, Save(4, 0));
  EXPECT_EQ(GAME::ListSaveNames(folder.c_str()),
            (std::vector<std::string>{"10.pzl", "9.PZL", "2.pzl", "1.pzl", "b.pzl", "A.pzl"}));
}

TEST_F(SavePanel, CompletionPercents) {
  const struct {
    int joins, count, percent;
  } table[] = {{10, 20, 53}, {5, 12, 45}, {0, 20, 0}, {19, 20, 100}, {40, 20, 100},
               {-3, 20, 0},  {1, 2, 100}, {0, 1, -1}, {5, 0, -1}};
  for (const auto& t : table)
    EXPECT_EQ(GAME::CompletionPercent(t.joins, t.count), t.percent) << t.joins << " of " << t.count;
}

TEST_F(SavePanel, LayoutAndThePercentBox) {
  Put("1.pzl", Save(4, 10));
  auto p = Panel();
  EXPECT_EQ(p->next->position.x, 556.0f);
  EXPECT_EQ(p->next->position.y, 599.0f);
  EXPECT_EQ(p->prev->position.x, 436.0f);
  EXPECT_EQ(p->prev->position.y, 599.0f);
  EXPECT_EQ(p->trash->position.x, 813.0f);
  EXPECT_EQ(p->trash->position.y, 550.0f);
  EXPECT_NEAR(p->frames[0]->position.x, 270.2f, 0.01f);
  EXPECT_NEAR(p->frames[0]->position.y, 271.8f, 0.01f);
  plat::gfx::ClearRecorded();
  p->Render();
  const auto boxes = drawtest::QuadsOf(sprInfoBack->GetTexture());
  ASSERT_EQ(boxes.size(), 2u) << "the count box and the percent box";
  // The percent badge lies inside the thumbnail's top right corner, 4
  // pixels in from its right edge (270.2 + 51) and from its top edge
  // (271.8 - 38.5).
  EXPECT_EQ(boxes[1].x1, 317.0f);
  EXPECT_EQ(boxes[1].y0, 237.0f);
  EXPECT_STREQ(comix->text, "53 %");
}

// A save's completion badge reads: inside its thumbnail, wide enough for
// "100 %", every glyph inside the badge, in a light colour on its dark box.
TEST_F(SavePanel, TheCompletionBadgeLiesInsideItsThumbnailAndItsTextReadsOnIt) {
  for (int joins : {0, 1, 9, 15}) {
    SCOPED_TRACE(joins);
    Put("1.pzl", Save(4, joins));
    auto p = Panel();
    ASSERT_EQ(p->frames.size(), 1u);
    const FRAME& f = *p->frames[0];
    const float left = f.position.x - float(f.DrawnW()) / 2.0f, right = f.position.x + float(f.DrawnW()) / 2.0f;
    const float top = f.position.y - float(f.DrawnH()) / 2.0f, bottom = f.position.y + float(f.DrawnH()) / 2.0f;
    plat::gfx::ClearRecorded();
    p->Render();
    const auto boxes = drawtest::QuadsOf(sprInfoBack->GetTexture());
    ASSERT_EQ(boxes.size(), 2u);
    const drawtest::Quad& badge = boxes[1];
    EXPECT_TRUE(badge.x0 >= left && badge.x1 <= right && badge.y0 >= top && badge.y1 <= bottom)
        << "badge (" << badge.x0 << ", " << badge.y0 << ")-(" << badge.x1 << ", " << badge.y1 << "), thumbnail ("
        << left << ", " << top << ")-(" << right << ", " << bottom << ")";
    // The badge's glyphs: the comix quads drawn after it.
    const auto all = drawtest::DrawnQuads();
    auto at = std::find_if(all.begin(), all.end(), [&](const drawtest::Quad& q) {
      return q.texture == badge.texture && q.y0 == badge.y0 && q.x1 == badge.x1;
    });
    ASSERT_NE(at, all.end());
    size_t glyphs = 0;
    for (auto q = at + 1; q != all.end(); ++q) {
      if (q->texture != comix->page->GetTexture()) continue;
      ++glyphs;
      EXPECT_TRUE(q->x0 >= badge.x0 && q->x1 <= badge.x1 && q->y0 >= badge.y0 && q->y1 <= badge.y1)
          << "a glyph at (" << q->x0 << ", " << q->y0 << ") leaves the badge";
      // Light on the dark box: every channel of the text's colour above 0xC0.
      for (int shift : {16, 8, 0}) EXPECT_GT((q->color >> shift) & 0xFFu, 0xC0u) << std::hex << q->color;
    }
    EXPECT_GE(glyphs, 3u) << comix->text;
    // The piece count under the corner: light on its dark box as well.
    for (auto q = all.begin(); q != at; ++q) {
      if (q->texture != comix->page->GetTexture()) continue;
      for (int shift : {16, 8, 0}) EXPECT_GT((q->color >> shift) & 0xFFu, 0xC0u) << "count " << std::hex << q->color;
    }
  }
}

TEST_F(SavePanel, APressSelectsSilentlyAndTheLastReportWins) {
  SelectionSound();
  for (int i = 1; i <= 3; ++i) Put(std::to_string(i) + ".pzl", Save(4, 0));
  auto p = Panel();
  EXPECT_EQ(p->selected, 0);
  p->frames[2]->position = p->frames[1]->position;  // two thumbnails under the mouse
  Mouse(407, 271, 1);
  input().EventMouseDblClick();
  EXPECT_EQ(p->Update(), PUZZLE_SAVEPANEL::kNothing) << "a double click only selects";
  EndFrame();
  EXPECT_EQ(p->selected, 2);
  EXPECT_EQ(ClicksPlayed(), 0);
}

TEST_F(SavePanel, TrashDeletesTheSelectedSaveAndMovesTheSelectionBack) {
  const struct {
    int saves, selected, selectedAfter, pageAfter;
    bool nextAfter;
  } table[] = {{9, 8, 7, 0, false}, {10, 9, 8, 1, false}, {12, 10, 9, 1, false}, {3, 0, 0, 0, false}};
  for (const auto& t : table) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (int i = 1; i <= t.saves; ++i) Put(std::to_string(i) + ".pzl", Save(4, i));
    auto p = Panel();
    p->selected = t.selected;
    p->page = t.selected / 8;
    p->CheckButtons();
    const std::string gone = p->frames[size_t(t.selected)]->savePath;
    EXPECT_EQ(Click(813, 550, [&] { return Update(*p); }), PUZZLE_SAVEPANEL::kNothing) << t.saves;
    EXPECT_FALSE(fs::exists(gone)) << t.saves;
    EXPECT_EQ(int(p->frames.size()), t.saves - 1);
    EXPECT_EQ(p->selected, t.selectedAfter) << t.saves;
    EXPECT_EQ(p->page, t.pageAfter) << t.saves;
    EXPECT_EQ(p->next->active, t.nextAfter) << t.saves;
    EXPECT_EQ(p->prev->active, t.pageAfter > 0) << t.saves;
    for (const FRAME* f : p->frames) EXPECT_NE(f->savePath, gone);
  }
}

TEST_F(SavePanel, DeletingTheOnlySaveEmptiesThePanelInTheSameFrame) {
  Put("1.pzl", Save(4, 2));
  auto p = Panel();
  EXPECT_EQ(Click(813, 550, [&] { return Update(*p); }), PUZZLE_SAVEPANEL::kEmpty);
  EXPECT_FALSE(fs::exists(folder + "1.pzl"));
  EXPECT_TRUE(p->frames.empty());
  EXPECT_EQ(p->SelectedFrame(), nullptr);
  EXPECT_EQ(p->Update(), PUZZLE_SAVEPANEL::kEmpty);
  EXPECT_EQ(p->HaveSaves(folder.data()), PUZZLE_SAVEPANEL::kNoSaves);
}

TEST_F(SavePanel, ASaveAlreadyGoneFromDiskStillLeavesTheList) {
  Put("1.pzl", Save(4, 2));
  Put("2.pzl", Save(4, 2));
  auto p = Panel();
  fs::remove(folder + "2.pzl");
  EXPECT_EQ(p->DeleteSave(-1), PUZZLE_SAVEPANEL::kNothing);
  EXPECT_EQ(Names(*p), std::vector<std::string>{"1.pzl"});
  EXPECT_EQ(p->DeleteSave(5), PUZZLE_SAVEPANEL::kNothing) << "an index outside the list deletes nothing";
  EXPECT_TRUE(fs::exists(folder + "1.pzl"));
}

// The finished game's save is deleted by the board while it was selected;
// the refill finds fewer saves and the selection must still name one.
TEST_F(SavePanel, ARefillAfterTheListShrankKeepsAValidSelection) {
  for (int i = 1; i <= 3; ++i) Put(std::to_string(i) + ".pzl", Save(4, i));
  auto p = Panel();
  p->selected = 2;
  const std::string resumed = p->frames[2]->savePath;
  fs::remove(resumed);
  p->Clear();
  EXPECT_EQ(p->Fill(folder.data()), 2);
  p->SetPos(1024, 768);
  EXPECT_EQ(p->selected, 1);
  ASSERT_NE(p->SelectedFrame(), nullptr);
  EXPECT_TRUE(fs::exists(p->SelectedFrame()->savePath));

  // Then the last one is deleted while selected, and the panel refilled.
  EXPECT_EQ(Click(813, 550, [&] { return Update(*p); }), PUZZLE_SAVEPANEL::kNothing);
  EXPECT_EQ(p->selected, 0);
  p->Clear();
  EXPECT_EQ(p->Fill(folder.data()), 1);
  EXPECT_EQ(p->selected, 0);
  EXPECT_TRUE(fs::exists(p->SelectedFrame()->savePath));
}

TEST_F(SavePanel, ClearLogsEachThumbnail) {
  Put("1.pzl", Save(4, 2));
  Put("2.pzl", Save(4, 2));
  auto p = Panel();
  const std::string out = Output([&] { p->Clear(); });
  EXPECT_EQ(Count(out, "Clear start... "), 1);
  EXPECT_EQ(Count(out, "Clearing...2"), 1);
  EXPECT_EQ(Count(out, "Deleting..."), 2);
  EXPECT_EQ(Count(out, "Erasing..."), 2);
  EXPECT_EQ(Count(out, "Clear ok"), 1);
  EXPECT_TRUE(p->frames.empty());
  EXPECT_EQ(p->HaveSaves(folder.data()), PUZZLE_SAVEPANEL::kHasSaves);
}

// A gallery chapter can list the saves of a folder too: appended after its
// pictures, the page count left as it was, the paging buttons updated.
TEST_F(SavePanel, AGalleryChapterAppendsSavesAfterItsPictures) {
  for (int i = 1; i <= 3; ++i) Put(std::to_string(i) + ".pzl", Save(4, i));
  Put("4.pzl", Save(2, 0));
  pugi::xml_document doc;
  pugi::xml_node c = doc.append_child("chapter");
  for (int i = 0; i < 6; ++i) c.append_child("p").append_attribute("adrSm") = "land.png";
  FRAME_CHOISE_GROUP g(c);
  EXPECT_EQ(g.pageCount, 1);
  EXPECT_FALSE(g.next->active);
  EXPECT_EQ(g.Fill(folder.data()), 3);
  ASSERT_EQ(g.frames.size(), 9u);
  EXPECT_EQ(g.frames[6]->savePath, folder + "3.pzl");
  EXPECT_EQ(g.pageCount, 1);
  EXPECT_TRUE(g.next->active);
}

}  // namespace
