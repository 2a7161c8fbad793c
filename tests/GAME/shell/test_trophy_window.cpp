// The trophy window: the seven pictures named by the player's levels (the
// first level's picture faded for a trophy not reached yet), what is
// printed, where everything stands at 1024 x 768 with pictures of several
// widths, the hint below the screen centre after 0.3 s of hovering, OK and
// Enter closing with the click sound and Escape not, and what it draws in
// which order.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GAME/board/trophy_icon.h"
#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/shell/trophy_window.h"
#include "ST/button.h"
#include "ST/file.h"
#include "tests/support/modal_window_env.h"

namespace {

using Profile = GAME::PUZZLE_PLAYER_PROFILE;
using windowtest::Point;
using ZOV::TROFEI_PANEL;

constexpr uint32_t kFaded = 0x33FFFFFFu;
constexpr uint32_t kLit = 0xFFFFFFFFu;

class TrophyWindow : public windowtest::ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    C_NAME_PACK_TROFEI = nullptr;
    Image(&chTROFEIPIC, "trofi_fon.png", 200, 100);
    Image(&chMagnifer, "zoom.png", 96, 96);
    // Widths told apart, odd ones among them; all 64 high.
    const std::map<std::string, int> widths = {
        {"trofi_sobiratel1.png", 64}, {"trofi_sobiratel3.png", 64},  {"trofi_master1.png", 64},
        {"trofi_terpenie1.png", 66},  {"trofi_meditaciya1.png", 65}, {"trofi_nepostoyanstvo1.png", 64},
        {"trofi_mudrec1.png", 70},    {"trofi_povelitel.png", 50},
    };
    for (const auto& [name, w] : widths) drawtest::WriteImage(name, w, 64);
    chTEXT_TROFEI_BOARD_HEADER = header;
    chTEXT_TROFEI_COLLECTOR = collector;
    for (char** t : {&chTEXT_TROFEI_JIGSAW_MASTER, &chTEXT_TROFEI_ENDURANCE, &chTEXT_TROFEI_MEDITATION,
                     &chTEXT_TROFEI_BICH, &chTEXT_TROFEI_SAGE, &chTEXT_TROFEI_OVERLORD})
      *t = other;
    game().timer.SetDelta(0.15f);
  }
  void TearDown() override {
    chTEXT_TROFEI_BOARD_HEADER = nullptr;
    ModalWindowEnv::TearDown();
  }
  std::unique_ptr<TROFEI_PANEL> Make(Profile* p) { return std::make_unique<TROFEI_PANEL>(comixFont.get(), p, kit); }
  int Frame(TROFEI_PANEL& w) {
    const int r = w.Update(0, 0.0f);
    EndFrame();
    return r;
  }

  char header[12] = "Trophies";      // 120 pixels
  char collector[12] = "Collector";  // 135 pixels
  char other[8] = "Other";
};

TEST_F(TrophyWindow, PicturesFollowThePlayersLevelsAndOnlyLitOnesArePrinted) {
  struct Row {
    const char* what;
    std::vector<int> levels;  // the record's seven trophy bytes
    std::vector<std::string> names;
    std::vector<uint32_t> colours;
    std::string printed;
  };
  const std::vector<std::string> first = {"trofi_sobiratel1.png",  "trofi_master1.png",         "trofi_terpenie1.png",
                                          "trofi_meditaciya1.png", "trofi_nepostoyanstvo1.png", "trofi_mudrec1.png",
                                          "trofi_povelitel.png"};
  std::vector<std::string> third = first;
  third[0] = "trofi_sobiratel3.png";
  const Row rows[] = {
      {"a new player", {0, 0, 0, 0, 0, 0, 0}, first, std::vector<uint32_t>(7, kFaded), ""},
      {"collector at 3",
       {3, 0, 0, 0, 0, 0, 0},
       third,
       {kLit, kFaded, kFaded, kFaded, kFaded, kFaded, kFaded},
       "trofi_sobiratel3.png\n"},
      {"first levels reached and the lord won",
       {1, 1, 0, 0, 1, 0, 1},
       first,
       {kLit, kLit, kFaded, kFaded, kLit, kFaded, kLit},
       "trofi_sobiratel1.png\ntrofi_master1.png\ntrofi_nepostoyanstvo1.png\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    Profile p;
    for (int i = 0; i < 7; ++i) p.trofei[i] = uint8_t(r.levels[size_t(i)]);
    ::testing::internal::CaptureStdout();
    auto w = Make(&p);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), r.printed);
    ASSERT_EQ(w->Trophies().size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
      SCOPED_TRACE(r.names[i]);
      const TROFEI& t = *w->Trophies()[i];
      EXPECT_EQ(t.ImageName(), r.names[i]);
      EXPECT_EQ(t.GetMyTexHeight(1), 64) << "the picture was found";
      EXPECT_EQ(t.GetColor(), r.colours[i]);
      EXPECT_EQ(t.Placement(), TROFEI::kHintBelowCentre);
      EXPECT_EQ(t.font, comixFont.get()) << "the shared comix, not the font argument";
    }
    EXPECT_EQ(w->Trophies()[0]->hint, "Collector");
    EXPECT_EQ(w->Trophies()[6]->hint, "Other");
    // The trophy pack stays selected for the caller to clear.
    EXPECT_EQ(ZOV::ifile.current_pass, C_PAS_TROFEI);
  }
}

TEST_F(TrophyWindow, ARecordReadWithByteTwelveAtThreeLightsTheThirdCollector) {
  Profile::Bytes bytes{};
  bytes[12] = 3;
  Profile p = Profile::Decode(bytes);
  ::testing::internal::CaptureStdout();
  auto w = Make(&p);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "trofi_sobiratel3.png\n");
  EXPECT_EQ(w->Trophies()[0]->ImageName(), "trofi_sobiratel3.png");
  EXPECT_EQ(w->Trophies()[0]->GetColor(), kLit);
}

TEST_F(TrophyWindow, WithoutARecordNothingIsReached) {
  ::testing::internal::CaptureStdout();
  auto w = Make(nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  for (const auto& t : w->Trophies()) EXPECT_EQ(t->GetColor(), kFaded);
}

TEST_F(TrophyWindow, EverythingStandsAroundTheScreenCentre) {
  Profile p;
  auto w = Make(&p);
  plat::gfx::ClearRecorded();
  EXPECT_EQ(w->Render(0), 0);
  EXPECT_EQ(DrawnCentre(*w), (Point{512, 384}));
  EXPECT_EQ(DrawnCentre(w->TrophyPicture()), (Point{512, 154}));
  EXPECT_EQ(DrawnCentre(w->OkButton()), (Point{512, 672}));
  EXPECT_EQ(DrawnCentre(w->CornerPicture()), (Point{432, 624}));
  // Collector 64, master 64, endurance 66, meditation 65, inconstancy 64,
  // sage 70, lord 50 pixels wide.
  const std::vector<Point> want = {{470, 284}, {554, 284}, {641, 284}, {386, 284}, {512, 484}, {592, 484}, {452, 484}};
  std::vector<Point> got;
  for (const auto& t : w->Trophies()) got.push_back(DrawnCentre(*t));
  EXPECT_EQ(got, want);
  EXPECT_EQ(FirstGlyph(*bigFont), (Point{452, 117})) << "header centred on (512, 129)";
  EXPECT_EQ(Glyphs(*bigFont), 8u);
  EXPECT_EQ(w->Message(0), 1);
}

TEST_F(TrophyWindow, AHoveredTrophyShowsItsHintBelowTheCentreOverEveryPicture) {
  Profile p;
  auto w = Make(&p);
  Mouse(470, 284);  // the collector
  Frame(*w);
  Frame(*w);
  const TROFEI& t = *w->Trophies()[0];
  ASSERT_TRUE(t.Hovered());
  EXPECT_EQ(t.BoxColour(), 0x80000000u) << "half transparent after 0.3 s";
  EXPECT_EQ(t.TextColour() >> 24, 0xFFu);
  plat::gfx::ClearRecorded();
  w->Render(0);
  // "Collector", 135 pixels: 440..584 from 564, one line and its margins
  // high.
  EXPECT_EQ(t.HintRect().left, 440);
  EXPECT_EQ(t.HintRect().top, 564);
  EXPECT_EQ(t.HintRect().right, 584);
  EXPECT_EQ(t.HintRect().bottom, 600);
  std::map<unsigned long, std::string> names = {
      {dim->GetTexture(), "dim"},
      {w->GetTexture(), "window"},
      {w->TrophyPicture().GetTexture(), "picture"},
      {w->CornerPicture().GetTexture(), "corner"},
      {w->OkButton().GetTexture(), "ok"},
      {bigFont->page->GetTexture(), "header"},
      {comixFont->page->GetTexture(), "hint text"},
      {0ul, "hint box"},
  };
  for (const auto& icon : w->Trophies()) names[icon->GetTexture()] = "trophy";
  EXPECT_EQ(DrawOrder(names), (std::vector<std::string>{"dim", "window", "picture", "corner", "ok", "header", "trophy",
                                                        "hint box", "hint text"}));
  EXPECT_EQ(drawtest::QuadsOf(0).size(), 1u) << "one hint";
  const auto glyphs = drawtest::QuadsOf(comixFont->page->GetTexture());
  ASSERT_EQ(glyphs.size(), 9u);
  EXPECT_EQ(glyphs[0].color >> 24, 0xFFu) << "opaque text";
}

TEST_F(TrophyWindow, RenderPutsTheFontItWasGivenBackToSizeOne) {
  ZOV::JFONT given("comix_test.fnt", 0);
  Profile p;
  TROFEI_PANEL w(&given, &p, kit);
  given.SetSize(2.0f);
  w.Render(0);
  EXPECT_FLOAT_EQ(given.GetSize(), 1.0f);
}

TEST_F(TrophyWindow, OkOrEnterClosesWithTheClickAndEscapeDoesNot) {
  Profile p;  // the window only reads it
  ExpectAnswers([&] { return Make(&p); }, {{"OK clicked", {512, 672}, 0, TROFEI_PANEL::kClosed, 1},
                                           {"Enter", {}, plat::VK_RETURN, TROFEI_PANEL::kClosed, 1},
                                           {"Escape", {}, plat::VK_ESCAPE, TROFEI_PANEL::kNothing, 0},
                                           {"a click on a trophy", {470, 284}, 0, TROFEI_PANEL::kNothing, 0}});
}

TEST_F(TrophyWindow, EnterHeldClosesOnlyInItsFirstFrame) {
  Profile p;
  auto w = Make(&p);
  KeyDown(13);
  EndFrame();  // Enter went down before the window was there
  EXPECT_EQ(Frame(*w), TROFEI_PANEL::kNothing);
  KeyUp(13);
  EXPECT_EQ(Frame(*w), TROFEI_PANEL::kNothing);
  KeyDown(13);
  EXPECT_EQ(Frame(*w), TROFEI_PANEL::kClosed);
  EXPECT_EQ(Frame(*w), TROFEI_PANEL::kNothing);
}

}  // namespace
