// The leader board at 1024 x 768 on the recording backend: the ranking
// order, where the picture, plates, highlights and entries stand, five
// entries shown and scrolled, names drawn as written, closing by OK and
// Enter but not Escape, and filling from the players' records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/leader_board.h"
#include "ST/slider.h"
#include "tests/support/modal_window_env.h"

namespace {

using GAME::LIDER_BOARD;
using GAME::LIDER_OPT;
using windowtest::Point;

class LeaderBoard : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    Image(&chLIDERPIC, "leader_picture.png", 300, 120);
    Image(&chLIDERTABLE, "leader_plate.png", 500, 40);
    Image(&chLIDERUNDER, "leader_under.png", 520, 50);
    chTEXT_LIDER_BOARD_HEADER = header;
  }
  void TearDown() override {
    chTEXT_LIDER_BOARD_HEADER = nullptr;
    ModalWindowEnv::TearDown();
  }
  std::unique_ptr<LIDER_BOARD> Make() { return std::make_unique<LIDER_BOARD>(comixFont.get(), kit); }
  void Draw(LIDER_BOARD& b) {
    plat::gfx::ClearRecorded();
    EXPECT_EQ(b.Render(0), 1);
  }
  // The y centres of the quads drawn with the sprite's texture.
  static std::vector<int> CentresY(const JSPRITE& s) {
    std::vector<int> out;
    for (const auto& q : drawtest::QuadsOf(s.GetTexture())) out.push_back(int((q.y0 + q.y1) / 2.0f));
    return out;
  }
  // The comix glyphs drawn on the line centred on y, left to right, as
  // runs: the x of each text's first glyph.
  static std::vector<int> TextStartsOnLine(const ZOV::JFONT& f, int y) {
    std::vector<int> xs;
    for (const auto& q : drawtest::QuadsOf(f.page->GetTexture()))
      if (int(q.y0) == y - 12) xs.push_back(int(q.x0));
    std::sort(xs.begin(), xs.end());
    std::vector<int> starts;
    for (size_t i = 0; i < xs.size(); ++i)
      if (i == 0 || xs[i] - xs[i - 1] > 15) starts.push_back(xs[i]);
    return starts;
  }

  char header[8] = "Leaders";
};

TEST_F(LeaderBoard, RanksByScoreHighestFirstListingEachEntryOnce) {
  struct Row {
    const char* what;
    std::vector<LIDER_OPT> added;
    std::vector<std::string> order;
  };
  const Row rows[] = {
      {"rising scores", {{"a", 1}, {"b", 2}, {"c", 3}}, {"c", "b", "a"}},
      {"falling scores", {{"a", 3}, {"b", 2}, {"c", 1}}, {"a", "b", "c"}},
      // The exchange sort runs after each addition; the last one moves "a"
      // behind "c" of the same score.
      {"mixed with a tie", {{"a", 5}, {"b", 9}, {"c", 5}, {"d", 0}, {"e", 12}}, {"e", "b", "c", "a", "d"}},
      {"negative and large", {{"a", -7}, {"b", 2147483647}, {"c", 0}}, {"b", "c", "a"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto b = Make();
    for (const LIDER_OPT& e : r.added) b->AddLider(e);
    std::vector<std::string> names;
    for (const LIDER_OPT& e : b->Entries()) names.push_back(e.name);
    EXPECT_EQ(names, r.order);
    EXPECT_FLOAT_EQ(b->ScrollBar().maximum, float(int(r.added.size()) - 5));
  }
}

TEST_F(LeaderBoard, OnePlayerIsFirstAndHighlightedAmongFivePlates) {
  testing::internal::CaptureStdout();
  auto b = Make();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("LIDER_BARD::LIDER_BARD() \nLIDER_BARD::LIDER_BARD() OK\n"), std::string::npos) << out;
  b->AddLider({"Anna", 345});
  Draw(*b);
  EXPECT_EQ(DrawnCentre(*b), (Point{512, 384}));
  // Picture at (x + 55, y - 0.35 x 600), the plate 100 below it.
  EXPECT_EQ(DrawnCentre(b->Picture()), (Point{567, 174}));
  EXPECT_EQ(DrawnCentre(b->OkButton()), (Point{512, 672}));
  // Header "Leaders", 7 letters of 15, centred on (512, 164).
  EXPECT_EQ(FirstGlyph(*bigFont), (Point{460, 152}));
  // Five plates 45 apart (40 high + 5), the first three highlighted.
  EXPECT_EQ(CentresY(b->RowPlate()), (std::vector<int>{274, 319, 364, 409, 454}));
  EXPECT_EQ(CentresY(b->Highlight()), (std::vector<int>{274, 319, 364}));
  // Place "1" centred on 252, "Anna" (60 wide) on 434, "345" (45 wide) on 702.
  EXPECT_EQ(TextStartsOnLine(*comixFont, 274), (std::vector<int>{245, 404, 680}));
  for (int y : {319, 364, 409, 454}) EXPECT_TRUE(TextStartsOnLine(*comixFont, y).empty()) << y;
  EXPECT_TRUE(drawtest::QuadsOf(b->ScrollBar().GetTexture()).empty()) << "no scroll bar for one entry";
}

TEST_F(LeaderBoard, SevenPlayersScrollToPlacesThreeToSeven) {
  auto b = Make();
  for (int i = 1; i <= 7; ++i) b->AddLider({"p" + std::to_string(i), i * 10});
  EXPECT_FLOAT_EQ(b->ScrollBar().maximum, 2.0f);
  JBUTTONMAP4& plus = *b->ScrollBar().plus;
  auto update = [&] { return b->Update(0, 0.0f); };
  for (int i = 0; i < 3; ++i) Click(int(plus.position.x), int(plus.position.y), update);
  EXPECT_EQ(b->FirstRow(), 2);
  Draw(*b);
  EXPECT_FALSE(drawtest::QuadsOf(b->ScrollBar().GetTexture()).empty());
  EXPECT_EQ(CentresY(b->Highlight()), (std::vector<int>{274})) << "only place 3 is highlighted";
  EXPECT_EQ(CentresY(b->RowPlate()).size(), 5u);
  // Place "3" then "7": one glyph each, centred on 252; the names "p5"
  // (30 wide) on 434.
  for (int y : {274, 319, 364, 409, 454}) {
    SCOPED_TRACE(y);
    EXPECT_EQ(TextStartsOnLine(*comixFont, y), (std::vector<int>{245, 419, 687}));
  }
  EXPECT_EQ(b->Entries()[2].name, "p5");
}

TEST_F(LeaderBoard, NamesAreDrawnAsWritten) {
  auto b = Make();
  b->AddLider({"%s%n%x", 1});
  Draw(*b);
  // Six letters for the name, one for the place, one for the score.
  EXPECT_EQ(drawtest::QuadsOf(comixFont->page->GetTexture()).size(), 8u);
}

TEST_F(LeaderBoard, ClosesByOkOrEnterWithTheClickButNotByEscape) {
  ExpectAnswers([&] { return Make(); }, {{"OK", {512, 672}, 0, LIDER_BOARD::kClosed, 1},
                                         {"Enter", {}, plat::VK_RETURN, LIDER_BOARD::kClosed, 1},
                                         {"Escape", {}, plat::VK_ESCAPE, LIDER_BOARD::kNothing, 0}});
}

TEST_F(LeaderBoard, DrawsTheSlotsUnderTheEntries) {
  auto b = Make();
  b->AddLider({"a", 1});
  Draw(*b);
  const std::map<unsigned long, std::string> names = {
      {dim->GetTexture(), "dim"},           {b->GetTexture(), "window"},
      {b->Picture().GetTexture(), "picture"}, {bigFont->page->GetTexture(), "header"},
      {b->OkButton().GetTexture(), "ok"},   {b->Highlight().GetTexture(), "under"},
      {b->RowPlate().GetTexture(), "plate"}, {comixFont->page->GetTexture(), "entries"}};
  EXPECT_EQ(DrawOrder(names),
            (std::vector<std::string>{"dim", "window", "picture", "header", "ok", "under", "plate", "under", "plate",
                                      "under", "plate", "entries"}));
}

TEST_F(LeaderBoard, IsFilledWithEveryPlayerThatHasARecord) {
  const std::string docs = testenv::FreshDir("docs");
  setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);
  {
    GAME::PROFILE profile(nullptr, &game());
    profile.GetGameProfileDir();
    profile.CreateDefault();
    ASSERT_EQ(profile.ChoosePlayer("Boris"), 0);
    profile.GetSettings()->Score = 120;
    ASSERT_TRUE(profile.SaveSettings());
    ASSERT_EQ(profile.ChoosePlayer("Anna"), 0);
    profile.GetSettings()->Score = 300;
    ASSERT_TRUE(profile.SaveSettings());
    // A player folder without a record is left out.
    std::filesystem::create_directory(std::string(profile.GetGameProfileDir()) + "Clara");
    auto b = Make();
    GAME::FillLeaderBoard(*b, profile);
    std::vector<std::string> names;
    for (const LIDER_OPT& e : b->Entries()) names.push_back(e.name + "=" + std::to_string(e.score));
    EXPECT_EQ(std::count(names.begin(), names.end(), "Anna=300"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Boris=120"), 1);
    for (const std::string& n : names) EXPECT_EQ(n.find("Clara"), std::string::npos) << n;
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "Anna=300");
    EXPECT_EQ(names[1], "Boris=120");
  }
  unsetenv("XDG_DOCUMENTS_DIR");
}

}  // namespace
