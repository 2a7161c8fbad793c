// The score board at 1024 x 768 on the recording backend: where the window,
// plate, header, rows and thumbnails stand, thumbnail sizes taken from each
// texture's own size, three rows shown and scrolled, the texts of a row,
// closing by OK and Enter but not Escape, and filling from the progress
// file.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/shell/progress_file.h"
#include "GAME/shell/score_board.h"
#include "ST/slider.h"
#include "tests/support/modal_window_env.h"

namespace {

using GAME::ITEM_SCORE;
using GAME::SCORE_BOARD;
using windowtest::Point;

class ScoreBoard : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    Image(&chSCOREFON, "score_plate.png", 400, 500);
    drawtest::WriteImage("white.png", 4, 4);
    white = std::make_unique<JSPRITE>("white.png", 0);
    C_NAME_PACK_IMAGE_PREV = nullptr;  // thumbnails from the current folder
    drawtest::WriteImage("land.png", 400, 300);
    drawtest::WriteImage("port.png", 300, 400);
    drawtest::WriteImage("square.png", 200, 200);
    drawtest::WriteImage("strip.png", 1000, 10);
    chTEXT_SCORE_BOARD_HEADER = header;
    chTEXT_SCORE_BOARD_ITEM_SCORE = scoreText;
    chTEXT_SCORE_BOARD_ITEM_PIECE = pieceText;
    chTEXT_SCORE_BOARD_ITEM_TIME = timeText;
    chTEXT_SCORE_BOARD_ITEM_TIME_H = timeHText;
  }
  void TearDown() override {
    chTEXT_SCORE_BOARD_HEADER = chTEXT_SCORE_BOARD_ITEM_SCORE = chTEXT_SCORE_BOARD_ITEM_PIECE = nullptr;
    chTEXT_SCORE_BOARD_ITEM_TIME = chTEXT_SCORE_BOARD_ITEM_TIME_H = nullptr;
    ModalWindowEnv::TearDown();
  }

  std::unique_ptr<SCORE_BOARD> Make() { return std::make_unique<SCORE_BOARD>(comixFont.get(), kit, white.get()); }
  static std::unique_ptr<GAME::REG> Reg(int score, int pieces, int minutes, int seconds, int hours = 0) {
    auto r = std::make_unique<GAME::REG>();
    r->score = score;
    r->pieces = pieces;
    r->hours = hours;
    r->minutes = minutes;
    r->seconds = seconds;
    return r;
  }
  std::vector<drawtest::Quad> Drawn(SCORE_BOARD& b) {
    plat::gfx::ClearRecorded();
    EXPECT_EQ(b.Render(0), 1);
    return drawtest::DrawnQuads();
  }
  // Glyphs of the font whose box is vertically centred on y.
  static size_t GlyphsOnLine(const ZOV::JFONT& f, int y) {
    size_t n = 0;
    for (const auto& q : drawtest::QuadsOf(f.page->GetTexture()))
      if (int(q.y0) == y - 12) ++n;
    return n;
  }

  std::unique_ptr<JSPRITE> white;
  char header[8] = "Scores";
  char scoreText[4] = "%i";
  char pieceText[4] = "%i";
  char timeText[12] = "%0*i%0*i";
  char timeHText[16] = "%0*i%0*i%0*i";
};

TEST_F(ScoreBoard, StandsAroundTheScreenCentreWithThreeRowsBelowItsHeader) {
  auto b = Make();
  b->AddScoreItem(Reg(1, 9, 0, 5), "square.png");
  b->AddScoreItem(Reg(2, 9, 0, 5), "square.png");
  b->AddScoreItem(Reg(3, 9, 0, 5), "square.png");
  Drawn(*b);
  EXPECT_EQ(DrawnCentre(*b), (Point{512, 384}));
  // Plate at (x + 264, y - 0.3 x 600), OK a quarter of its height above
  // the window's lower edge (384 + 300 - 12).
  EXPECT_EQ(DrawnCentre(b->Plate()), (Point{776, 204}));
  EXPECT_EQ(DrawnCentre(b->OkButton()), (Point{512, 672}));
  // The header "Scores": 6 letters of 15, centred on (512, 84 + 45), in the
  // window's title band.
  EXPECT_EQ(FirstGlyph(*bigFont), (Point{467, 117}));
  const int rowY[] = {284, 424, 564};
  ASSERT_EQ(b->Rows().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const ITEM_SCORE& row = *b->Rows()[size_t(i)];
    EXPECT_EQ(row.number, i + 1);
    EXPECT_EQ(DrawnCentre(row.Thumbnail()), (Point{387, rowY[i]}));
    // "1." centred on x 262: two glyphs, 30 wide (the '.' has none and draws nothing).
    EXPECT_EQ(GlyphsOnLine(*bigFont, rowY[i]), 1u);
    // Score, pieces and time, their left edges at x + 10.
    for (int dy : {-30, 0, 30}) {
      bool found = false;
      for (const auto& q : drawtest::QuadsOf(comixFont->page->GetTexture()))
        if (int(q.y0) == rowY[i] + dy - 12 && int(q.x0) == 522) found = true;
      EXPECT_TRUE(found) << "a text line starts at (522, " << rowY[i] + dy << ")";
    }
  }
  EXPECT_TRUE(drawtest::QuadsOf(b->ScrollBar().GetTexture()).empty()) << "no scroll bar for three rows";
}

TEST_F(ScoreBoard, ThumbnailsTakeTheirOwnSizeWithTheLongerSide130) {
  struct Row {
    const char* face;
    int w, h;
  };
  const Row rows[] = {
      {"land.png", 130, 97},  // 300 / 400 x 130 = 97.5
      {"port.png", 97, 130},
      {"square.png", 130, 130},
      {"strip.png", 130, 1},
      // Missing after a landscape picture: the default 8 x 8 texture's own
      // size, not the size of the picture loaded before it.
      {"missing.png", 130, 130},
  };
  auto b = Make();
  for (const Row& r : rows) b->AddScoreItem(Reg(1, 4, 0, 1), r.face);
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(rows[i].face);
    const ITEM_SCORE& row = *b->Rows()[i];
    EXPECT_EQ(row.ThumbWidth(), rows[i].w);
    EXPECT_EQ(row.ThumbHeight(), rows[i].h);
  }
  // The white frame: 5 px round the first thumbnail, at scale 1.
  Drawn(*b);
  const auto frame = drawtest::QuadsOf(white->GetTexture());
  ASSERT_FALSE(frame.empty());
  EXPECT_FLOAT_EQ(frame[0].x1 - frame[0].x0, 140.0f);
  EXPECT_FLOAT_EQ(frame[0].y1 - frame[0].y0, 107.0f);
  const auto thumb = drawtest::QuadsOf(b->Rows()[0]->Thumbnail().GetTexture());
  ASSERT_EQ(thumb.size(), 1u);
  EXPECT_FLOAT_EQ(thumb[0].x1 - thumb[0].x0, 130.0f);
  EXPECT_FLOAT_EQ(thumb[0].y1 - thumb[0].y0, 97.0f);
}

TEST_F(ScoreBoard, FiveRowsScrollThreeAtATime) {
  auto b = Make();
  for (int i = 0; i < 5; ++i) b->AddScoreItem(Reg(i, 4, 0, 1), "square.png");
  EXPECT_FLOAT_EQ(b->ScrollBar().maximum, 2.0f);
  Drawn(*b);
  EXPECT_FALSE(drawtest::QuadsOf(b->ScrollBar().GetTexture()).empty()) << "the bar shows with five rows";
  JBUTTONMAP4& plus = *b->ScrollBar().plus;
  auto update = [&] { return b->Update(0, 0.0f); };
  for (int i = 0; i < 3; ++i) Click(int(plus.position.x), int(plus.position.y), update);
  EXPECT_EQ(b->FirstRow(), 2) << "the bar stops at rows - 3";
  Drawn(*b);
  const int rowY[] = {284, 424, 564};
  for (size_t k = 0; k < 5; ++k) {
    SCOPED_TRACE(k);
    const auto quads = drawtest::QuadsOf(b->Rows()[k]->Thumbnail().GetTexture());
    if (k < 2) {
      EXPECT_TRUE(quads.empty());
    } else {
      EXPECT_EQ(DrawnCentre(b->Rows()[k]->Thumbnail()), (Point{387, rowY[k - 2]}));
      EXPECT_EQ(b->Rows()[k]->number, int(k) + 1) << "numbered 3., 4., 5.";
    }
  }
}

TEST_F(ScoreBoard, ARowPrintsScorePiecesAndTheTimeTwoDigitsEach) {
  struct Row {
    const char* what;
    int hours, minutes, seconds;
    size_t timeGlyphs;
  };
  const Row rows[] = {
      {"2 min 5 s", 0, 2, 5, 4},       // "0205"
      {"75 min 5 s", 0, 75, 5, 4},     // "7505": minutes are not split into hours
      {"1 h 2 min 5 s", 1, 2, 5, 6},   // "010205"
      {"123 min", 0, 123, 0, 5},       // "12300"
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto b = Make();
    b->AddScoreItem(Reg(345, 36, r.minutes, r.seconds, r.hours), "square.png");
    Drawn(*b);
    EXPECT_EQ(GlyphsOnLine(*comixFont, 284 - 30), 3u) << "345";
    EXPECT_EQ(GlyphsOnLine(*comixFont, 284), 2u) << "36";
    EXPECT_EQ(GlyphsOnLine(*comixFont, 284 + 30), r.timeGlyphs);
  }
}

TEST_F(ScoreBoard, ATextAskingForOtherArgumentsIsShownAsWritten) {
  char bad[] = "%s%n";
  chTEXT_SCORE_BOARD_ITEM_SCORE = bad;
  auto b = Make();
  b->AddScoreItem(Reg(345, 36, 2, 5), "square.png");
  Drawn(*b);
  // "%s%n" drawn as four letters, the '%'s and the two letters.
  EXPECT_EQ(GlyphsOnLine(*comixFont, 254), 4u);
}

TEST_F(ScoreBoard, ClosesByOkOrEnterWithTheClickButNotByEscape) {
  ExpectAnswers([&] { return Make(); }, {{"OK", {512, 672}, 0, SCORE_BOARD::kClosed, 1},
                                         {"Enter", {}, plat::VK_RETURN, SCORE_BOARD::kClosed, 1},
                                         {"Escape", {}, plat::VK_ESCAPE, SCORE_BOARD::kNothing, 0}});
}

TEST_F(ScoreBoard, DrawsTheDimLayerFirstAndTheRowsLast) {
  auto b = Make();
  b->AddScoreItem(Reg(1, 4, 0, 1), "square.png");
  Drawn(*b);
  const std::map<unsigned long, std::string> names = {
      {dim->GetTexture(), "dim"},          {b->GetTexture(), "window"},
      {b->Plate().GetTexture(), "plate"},  {bigFont->page->GetTexture(), "big"},
      {b->OkButton().GetTexture(), "ok"},  {white->GetTexture(), "frame"},
      {b->Rows()[0]->Thumbnail().GetTexture(), "thumb"}, {comixFont->page->GetTexture(), "texts"}};
  EXPECT_EQ(DrawOrder(names),
            (std::vector<std::string>{"dim", "window", "plate", "big", "ok", "big", "frame", "thumb", "texts"}));
}

TEST_F(ScoreBoard, IsFilledFromTheProgressFileInFileOrder) {
  const std::string dir = testenv::FreshDir("player") + "/";
  testenv::WriteFile(dir + "Progress.xml",
                     "<?xml version=\"1.0\"?>\n<root>\n"
                     "\t<element face=\"land.png\" score=\"345\" count=\"9\" rotata=\"false\" time=\"125.9\" />\n"
                     "\t<element face=\"port.png\" score=\"12\" count=\"16\" rotata=\"true\" time=\"3725.9\" />\n"
                     "</root>\n");
  auto b = Make();
  GAME::FillScoreBoard(*b, GAME::PROGRESS_FILE(dir.c_str(), "Progress.xml"));
  ASSERT_EQ(b->Rows().size(), 2u);
  const GAME::REG& first = b->Rows()[0]->Record();
  EXPECT_EQ(first.score, 345);
  EXPECT_EQ(first.pieces, 9);
  EXPECT_EQ(first.minutes, 2);
  EXPECT_EQ(first.seconds, 5);
  const GAME::REG& second = b->Rows()[1]->Record();
  EXPECT_EQ(second.score, 12);
  EXPECT_EQ(second.minutes, 62);
  EXPECT_EQ(second.seconds, 5);
  EXPECT_EQ(second.hours, 0);
  EXPECT_EQ(b->Rows()[0]->ThumbHeight(), 97);
  EXPECT_EQ(b->Rows()[1]->ThumbWidth(), 97);

  auto empty = Make();
  GAME::FillScoreBoard(*empty, GAME::PROGRESS_FILE(dir.c_str(), "none.xml"));
  EXPECT_TRUE(empty->Rows().empty());
}

}  // namespace
