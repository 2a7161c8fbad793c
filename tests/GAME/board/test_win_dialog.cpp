// The win dialog: where the picture, OK, the texts and the trophy icons
// stand at 1024 x 768 with no, one and seven trophies, the icons' names,
// hints and order, the time written with and without hours, OK and Enter
// (once) confirming with the click sound, what it draws in which order,
// and the board updating, drawing and deleting the dialog in its slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/reg.h"
#include "GAME/board/trophy_icon.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/file.h"
#include "tests/support/modal_window_env.h"

namespace {

using GAME::JDIALOGWIN;
using GAME::REG;
using windowtest::Point;

// The trophy pictures of the default names the tests use.
const char* const kPictures[] = {
    "trofi_sobiratel1.png", "trofi_sobiratel2.png", "trofi_sobiratel5.png",  "trofi_master1.png",
    "trofi_master3.png",    "trofi_terpenie4.png",  "trofi_meditaciya1.png", "trofi_nepostoyanstvo2.png",
    "trofi_mudrec6.png",    "trofi_povelitel.png",
};

class WinDialog : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    // Pictures from the current folder, not from the packs.
    C_NAME_PACK_TROFEI = nullptr;
    Image(&chWINPIC, "winpic.png", 480, 260);
    for (const char* p : kPictures) drawtest::WriteImage(p, 64, 64);
    drawtest::WriteImage("rot.png", 40, 30);
    drawtest::WriteImage("norot.png", 20, 20);
    rot = std::make_unique<JSPRITE>("rot.png", 0);
    noRot = std::make_unique<JSPRITE>("norot.png", 0);
    sprRotPzl = rot.get();
    sprNotRotPzl = noRot.get();
    // The big font with a colon, for the time.
    dialogtest::WriteFont("big_colon.fnt", L"%:");
    bigColon = std::make_unique<ZOV::JFONT>("big_colon.fnt", 0);
    bigColon->spacing = 5;
    kit.big = bigColon.get();
    chTEXT_DIALOG_WIN_AMOUNT = amount;
    chTEXT_DIALOG_WIN_SCORE = score;
    chTEXT_DIALOG_WIN_TIME = time;
    chTEXT_DIALOG_WIN_HEADER_1 = header;
    for (char** h :
         {&chTEXT_TROFEI_COLLECTOR_HEADER, &chTEXT_TROFEI_JIGSAW_MASTER_HEADER, &chTEXT_TROFEI_ENDURANCE_HEADER,
          &chTEXT_TROFEI_MEDITATION_HEADER, &chTEXT_TROFEI_BICH_HEADER, &chTEXT_TROFEI_SAGE_HEADER})
      *h = hint;
    chTEXT_TROFEI_OVERLORD_HEADER = lordHint;
  }
  void TearDown() override {
    sprRotPzl = sprNotRotPzl = nullptr;
    chTEXT_DIALOG_WIN_AMOUNT = chTEXT_DIALOG_WIN_SCORE = chTEXT_DIALOG_WIN_TIME = chTEXT_DIALOG_WIN_HEADER_1 = nullptr;
    ModalWindowEnv::TearDown();
  }

  // A record of a 4 x 3 puzzle: 12 pieces, score 60, 2 min 10 s, no rotation.
  static REG* Record(std::vector<int> trophies = {}) {
    auto* r = new REG();
    r->pieces = 12;
    r->score = 60;
    r->minutes = 2;
    r->seconds = 10;
    trophies.resize(7, 0);
    r->collector = trophies[0];
    r->jigsawMaster = trophies[1];
    r->endurance = trophies[2];
    r->meditation = trophies[3];
    r->inconstancy = trophies[4];
    r->sage = trophies[5];
    r->lord = trophies[6];
    return r;
  }
  std::unique_ptr<JDIALOGWIN> Make(REG* record) {
    return std::make_unique<JDIALOGWIN>(chSTBACK, "", comixFont.get(), record, 25, 10, 10, 50, kit);
  }
  int Frame(JDIALOGWIN& d) {
    const int r = d.Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // The first glyph of each text the font drew, given the texts' lengths
  // in drawing order.
  static std::vector<Point> TextStarts(const ZOV::JFONT& font, const std::vector<size_t>& lengths) {
    const auto quads = drawtest::QuadsOf(font.page->GetTexture());
    std::vector<Point> out;
    size_t at = 0;
    for (size_t n : lengths) {
      if (at >= quads.size()) break;
      out.push_back({int(quads[at].x0), int(quads[at].y0)});
      at += n;
    }
    EXPECT_EQ(at, quads.size()) << "glyphs drawn";
    return out;
  }
  static std::vector<Point> IconCentres(const JDIALOGWIN& d) {
    std::vector<Point> out;
    for (const auto& icon : d.Icons()) out.push_back(DrawnCentre(*icon));
    return out;
  }

  std::unique_ptr<JSPRITE> rot, noRot;
  std::unique_ptr<ZOV::JFONT> bigColon;
  char amount[8] = "Pieces";  // 6 letters, 90 pixels
  char score[8] = "Score";    // 75 pixels
  char time[8] = "Time";      // 60 pixels
  char header[8] = "Done";    // 60 pixels
  char hint[8] = "Hint";
  char lordHint[8] = "Lord";
};

TEST_F(WinDialog, PictureOkAndIconsStandAroundTheScreenCentre) {
  struct Row {
    const char* what;
    std::vector<int> trophies;
    Point picture;  // centre of the drawn 480 x 260 picture
    std::vector<Point> icons;
  };
  // Background 760 x 600: the picture's top edge at 384 - 150 = 234, or at
  // 384 - 200 = 184 with trophies; OK at 384 + 300 - 12.
  const Row rows[] = {
      {"no trophy", {}, {512, 364}, {}},
      {"one trophy", {2}, {512, 314}, {{512, 489}}},
      {"the lord alone", {0, 0, 0, 0, 0, 0, 1}, {512, 314}, {{512, 489}}},
      {"two", {0, 0, 4, 0, 0, 0, 1}, {512, 314}, {{607, 489}, {417, 489}}},
      {"three", {5, 3, 0, 0, 0, 6}, {512, 314}, {{512, 489}, {702, 489}, {322, 489}}},
      {"seven",
       {5, 3, 4, 1, 2, 6, 1},
       {512, 314},
       {{607, 489}, {417, 489}, {797, 489}, {227, 489}, {702, 554}, {322, 554}, {512, 554}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto d = Make(Record(r.trophies));
    plat::gfx::ClearRecorded();
    EXPECT_EQ(d->Render(0), 0);
    EXPECT_EQ(DrawnCentre(*d), (Point{512, 384}));
    EXPECT_EQ(DrawnCentre(d->Picture()), r.picture);
    EXPECT_EQ(DrawnCentre(d->OkButton()), (Point{512, 672}));
    EXPECT_EQ(IconCentres(*d), r.icons);
    EXPECT_EQ(d->Message(0), 1);
  }
}

TEST_F(WinDialog, IconPlacesForEachCount) {
  const std::vector<std::vector<Point>> want = {
      {},
      {{512, 489}},
      {{607, 489}, {417, 489}},
      {{512, 489}, {702, 489}, {322, 489}},
      {{607, 489}, {417, 489}, {797, 489}, {227, 489}},
      {{607, 489}, {417, 489}, {797, 489}, {227, 489}, {512, 554}},
      {{607, 489}, {417, 489}, {797, 489}, {227, 489}, {702, 554}, {322, 554}},
      {{607, 489}, {417, 489}, {797, 489}, {227, 489}, {702, 554}, {322, 554}, {512, 554}},
  };
  for (int n = 0; n <= 7; ++n) {
    SCOPED_TRACE(n);
    std::vector<Point> got;
    for (const JST::iPOINT& p : JDIALOGWIN::IconPlaces(n, 512, 384)) got.push_back({p.x, p.y});
    EXPECT_EQ(got, want[size_t(n)]);
  }
  // Another screen centre moves the whole table.
  const auto wide = JDIALOGWIN::IconPlaces(3, 960, 540);
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[2].x, 770);
  EXPECT_EQ(wide[2].y, 645);
}

TEST_F(WinDialog, IconsAreNamedByKindAndLevelWithTheirHintsBelowThem) {
  ::testing::internal::CaptureStdout();
  auto d = Make(Record({5, 3, 4, 1, 2, 6, 1}));
  const std::string out = ::testing::internal::GetCapturedStdout();
  const std::vector<std::string> names = {"trofi_sobiratel5.png",  "trofi_master3.png",         "trofi_terpenie4.png",
                                          "trofi_meditaciya1.png", "trofi_nepostoyanstvo2.png", "trofi_mudrec6.png",
                                          "trofi_povelitel.png"};
  ASSERT_EQ(d->Icons().size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const TROFEI& icon = *d->Icons()[i];
    EXPECT_EQ(icon.ImageName(), names[i]);
    EXPECT_EQ(icon.GetMyTexWidth(1), 64) << "the picture was found";
    EXPECT_EQ(icon.Placement(), TROFEI::kHintBelowIcon);
    EXPECT_EQ(icon.hint, i == 6 ? "Lord" : "Hint");
    EXPECT_EQ(icon.font, comixFont.get());
  }
  EXPECT_EQ(out,
            "JDIALOGWIN::JDIALOGWIN()\n"
            "trofi_sobiratel5.png\ntrofi_master3.png\ntrofi_terpenie4.png\ntrofi_meditaciya1.png\n"
            "BICH!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\ntrofi_nepostoyanstvo2.png\n"
            "trofi_mudrec6.png\n"
            "JDIALOGWIN::JDIALOGWIN()   OK\n");
  // The trophy pack's selection (its password here) is cleared.
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
  EXPECT_EQ(ZOV::ifile.current_pass, nullptr);
}

TEST_F(WinDialog, TextsStandAroundThePicture) {
  struct Row {
    const char* what;
    std::vector<int> trophies;
    int hours;
    std::string time;
    std::vector<Point> comix;  // amount, score, time label
    std::vector<Point> big;    // count, score, time, header
    Point rotation;            // centre of the 40 x 30 icon
  };
  // Letters 15 pixels, line height 24: a centred text starts half its
  // length left of its point and 12 above it; "12x" ends at P.x - 110.
  const Row rows[] = {
      {"no trophy, picture at 234",
       {},
       0,
       "02:10",
       {{337, 242}, {605, 242}, {482, 452}},
       {{357, 307}, {627, 307}, {475, 397}, {482, 187}},
       {422, 324}},
      {"a trophy, picture at 184, an hour",
       {1},
       1,
       "01:02:10",
       {{337, 192}, {605, 192}, {482, 402}},
       {{357, 257}, {627, 257}, {452, 347}, {482, 137}},
       {422, 274}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    REG* rec = Record(r.trophies);
    rec->hours = r.hours;
    auto d = Make(rec);
    plat::gfx::ClearRecorded();
    d->Render(0);
    EXPECT_EQ(TextStarts(*comixFont, {6, 5, 4}), r.comix);
    EXPECT_EQ(TextStarts(*bigColon, {3, 2, r.time.size(), 4}), r.big);
    EXPECT_EQ(std::string(bigColon->text), r.time) << "the last formatted text is the time";
    EXPECT_EQ(DrawnCentre(*noRot), r.rotation) << "no rotation: the other icon, at the rotation icon's size";
    const auto q = drawtest::QuadsOf(noRot->GetTexture());
    ASSERT_EQ(q.size(), 1u);
    EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 40.0f);
    EXPECT_FLOAT_EQ(q[0].y1 - q[0].y0, 30.0f);
    EXPECT_TRUE(drawtest::QuadsOf(rot->GetTexture()).empty());
  }
}

TEST_F(WinDialog, ThePieceCountEndsLeftOfTheRotationIconWhateverTheFontsSpacing) {
  // The game's big font draws its letters closer than their width (a
  // negative spacing), so its last glyph reaches past the measured length.
  struct Row {
    int spacing, pieces;
  };
  for (const Row& r : {Row{5, 12}, Row{0, 12}, Row{-8, 12}, Row{-8, 1000}, Row{-9, 7}}) {
    SCOPED_TRACE("spacing " + std::to_string(r.spacing) + ", pieces " + std::to_string(r.pieces));
    bigColon->spacing = r.spacing;
    REG* rec = Record();
    rec->pieces = r.pieces;
    auto d = Make(rec);
    plat::gfx::ClearRecorded();
    d->Render(0);
    const size_t letters = std::to_string(r.pieces).size() + 1;
    const auto glyphs = drawtest::QuadsOf(bigColon->page->GetTexture());
    ASSERT_GE(glyphs.size(), letters);
    float textRight = glyphs[0].x1;
    for (size_t i = 0; i < letters; ++i) textRight = std::max(textRight, glyphs[i].x1);
    const auto icon = drawtest::QuadsOf(noRot->GetTexture());
    ASSERT_EQ(icon.size(), 1u);
    EXPECT_LE(textRight, icon[0].x0) << "the count's box and the icon do not overlap";
    EXPECT_LE(icon[0].x0 - textRight, 8.0f) << "the icon stays beside its count";
  }
}

TEST_F(WinDialog, TheTimeIsWrittenWithTwoDigitsEachAndHoursOnlyWhenThereAreAny) {
  struct Row {
    int h, m, s;
    const char* text;
  };
  for (const Row& r :
       {Row{1, 2, 5, "01:02:05"}, Row{0, 2, 5, "02:05"}, Row{0, 0, 0, "00:00"}, Row{12, 0, 59, "12:00:59"}}) {
    SCOPED_TRACE(r.text);
    REG* rec = Record();
    rec->hours = r.h;
    rec->minutes = r.m;
    rec->seconds = r.s;
    auto d = Make(rec);
    d->Render(0);
    EXPECT_EQ(std::string(bigColon->text), r.text);
  }
}

TEST_F(WinDialog, WithRotationTheRotationIconIsDrawn) {
  REG* rec = Record();
  rec->rotation = 1;
  auto d = Make(rec);
  plat::gfx::ClearRecorded();
  d->Render(0);
  EXPECT_EQ(DrawnCentre(*rot), (Point{422, 324}));
  EXPECT_TRUE(drawtest::QuadsOf(noRot->GetTexture()).empty());
}

TEST_F(WinDialog, OkOrEnterConfirmsOnceWithTheClick) {
  ExpectAnswers([&] { return Make(Record({1})); },
                {{"OK clicked", {512, 672}, 0, JDIALOGWIN::kConfirmed, 1},
                 {"Enter", {}, plat::VK_RETURN, JDIALOGWIN::kConfirmed, 1},
                 {"Escape", {}, plat::VK_ESCAPE, JDIALOGWIN::kNothing, 0},
                 {"a click on the picture", {512, 300}, 0, JDIALOGWIN::kNothing, 0},
                 {"a click on an icon", {512, 489}, 0, JDIALOGWIN::kNothing, 0}});
}

TEST_F(WinDialog, EnterHeldConfirmsOnlyInItsFirstFrameAndTheIconsWaitThatFrame) {
  game().timer.SetDelta(0.15f);
  auto d = Make(Record({1}));
  const TROFEI& icon = *d->Icons()[0];
  Mouse(512, 489);
  EXPECT_EQ(Frame(*d), JDIALOGWIN::kNothing);
  EXPECT_TRUE(icon.Hovered());
  EXPECT_FLOAT_EQ(icon.FadeTimer(), 0.15f);
  KeyDown(13);
  EXPECT_EQ(Frame(*d), JDIALOGWIN::kConfirmed);
  EXPECT_FLOAT_EQ(icon.FadeTimer(), 0.15f) << "not updated in the confirming frame";
  EXPECT_EQ(Frame(*d), JDIALOGWIN::kNothing) << "Enter still held";
  EXPECT_FLOAT_EQ(icon.FadeTimer(), 0.3f);
  KeyUp(13);
  EXPECT_EQ(Frame(*d), JDIALOGWIN::kNothing);
}

TEST_F(WinDialog, DrawsInItsOrderWithHintsOverEveryIcon) {
  game().timer.SetDelta(0.15f);
  auto d = Make(Record({1, 1}));
  // Hover the first icon (right of the centre): its hint is drawn after
  // both icons.
  Mouse(607, 489);
  Frame(*d);
  plat::gfx::ClearRecorded();
  d->Render(0);
  const std::map<unsigned long, std::string> names = {
      {dim->GetTexture(), "dim"},
      {d->GetTexture(), "window"},
      {d->Picture().GetTexture(), "picture"},
      {comixFont->page->GetTexture(), "comix"},
      {bigColon->page->GetTexture(), "big"},
      {noRot->GetTexture(), "rotation"},
      {d->OkButton().GetTexture(), "ok"},
      {d->Icons()[0]->GetTexture(), "icon 1"},
      {d->Icons()[1]->GetTexture(), "icon 2"},
      {0ul, "hint box"},
  };
  EXPECT_EQ(DrawOrder(names),
            (std::vector<std::string>{"dim", "window", "picture", "comix", "big", "rotation", "big", "comix", "big",
                                      "ok", "big", "icon 1", "icon 2", "hint box", "comix"}));
}

TEST_F(WinDialog, HintsAtTheEndsOfTheFirstRowStayOnThePanelsPaper) {
  // The panel is 760 wide at 512: its paper runs from 132 + 28 to
  // 892 - 28. The box of a 150-pixel hint below the icons at 797 and 227
  // would reach 882 and 142.
  char longHint[16] = "Longerline";
  chTEXT_TROFEI_ENDURANCE_HEADER = longHint;
  chTEXT_TROFEI_MEDITATION_HEADER = longHint;
  auto d = Make(Record({5, 3, 4, 1, 2, 6, 1}));
  struct Row {
    size_t icon;
    Point at;
    int boxLeft, boxRight;
  };
  for (const Row& r : {Row{2, {797, 489}, 694, 864}, Row{3, {227, 489}, 160, 330}}) {
    SCOPED_TRACE(r.icon);
    Mouse(r.at.x, r.at.y);
    Frame(*d);
    const TROFEI& icon = *d->Icons()[r.icon];
    ASSERT_TRUE(icon.Hovered());
    d->Render(0);
    EXPECT_EQ(icon.HintRect().left - 5, r.boxLeft);
    EXPECT_EQ(icon.HintRect().right + 5, r.boxRight);
  }
}

TEST_F(WinDialog, ANullRecordShowsAnEmptyOne) {
  auto d = Make(nullptr);
  EXPECT_EQ(d->Record().pieces, 0);
  EXPECT_TRUE(d->Icons().empty());
  plat::gfx::ClearRecorded();
  d->Render(0);
  EXPECT_EQ(DrawnCentre(d->Picture()), (Point{512, 364}));
  EXPECT_EQ(std::string(bigColon->text), "00:00");
}

TEST_F(WinDialog, TheSmallPreviewIsKeptButNeitherDrawnNorDeleted) {
  drawtest::WriteImage("small.png", 30, 30);
  JSPRITE small("small.png", 0);
  {
    auto d = Make(Record());
    d->SetMinPrev(&small);
    EXPECT_EQ(d->MinPrev(), &small);
    EXPECT_EQ(d->Font(), comixFont.get());
    plat::gfx::ClearRecorded();
    d->Render(0);
    EXPECT_TRUE(drawtest::QuadsOf(small.GetTexture()).empty());
    ::testing::internal::CaptureStdout();
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "JDIALOGWIN::~JDIALOGWIN()\nJDIALOGWIN::~JDIALOGWIN()  OK\n");
  small.Render(0);  // still a live sprite
}

// ---- the board drives the dialog in its slot

class BoardWinDialog : public WinDialog {
 protected:
  void SetUp() override {
    WinDialog::SetUp();
    C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = nullptr;
    Image(&chFrontColor, "front.bmp", 64, 32);
    Image(&chUP_SCORE_PANEL, "panel.bmp", 300, 60);
    Image(&chBONUS, "bonus.bmp", 40, 40);
    Image(&chPARTIC_SNOW_CURSOR, "snow.bmp", 16, 16);
    Image(&chPARTIC_ICE_PIECE, "ice.bmp", 12, 12);
    drawtest::WriteImage("pic.bmp", 300, 300, 0xFF336699u);
    drawtest::WriteImage("white.bmp", 16, 16);
    plate = std::make_unique<JSPRITE>("white.bmp", 0);
    whiteSplain = plate.get();
    eBack1 = eBack2 = eToolOn = eToolOff = nullptr;
  }
  void TearDown() override {
    whiteSplain = nullptr;
    WinDialog::TearDown();
  }
  std::unique_ptr<JSPRITE> plate;
};

TEST_F(BoardWinDialog, TheBoardLeavesOnTheDialogsOkDrawsItAndDeletesItWithItself) {
  auto board = std::make_unique<GAME::PUZZLE_PIECES_SYSTEM>(&game());
  board->Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
  board->state = GAME::PUZZLE_PIECES_SYSTEM::kStateCutPending;
  board->Update(0, 0.0f);
  ASSERT_EQ(board->state, GAME::PUZZLE_PIECES_SYSTEM::kStatePlay);
  board->regF = 1;
  board->winSparkle = GAME::PUZZLE_PIECES_SYSTEM::kIndexDone;
  board->winDialog = Make(Record({1})).release();
  JDIALOGWIN* d = board->winDialog;

  EXPECT_EQ(board->Update(0, 0.0f), GAME::PUZZLE_PIECES_SYSTEM::kResultSolved) << "the dialog waits";
  EndFrame();
  plat::gfx::ClearRecorded();
  board->PostRender();
  EXPECT_EQ(DrawnCentre(d->OkButton()), (Point{512, 672}));
  KeyDown(13);
  EXPECT_EQ(board->Update(0, 0.0f), GAME::PUZZLE_PIECES_SYSTEM::kResultLeave);
  EndFrame();
  KeyUp(13);

  ::testing::internal::CaptureStdout();
  board.reset();
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("JDIALOGWIN::~JDIALOGWIN()  OK"), std::string::npos) << out;
}

}  // namespace
