// Every screen and window of the game laid out at each supported size, on
// the recording backend with the built art: the menu with each book page
// and the saves tab, the set-up strip, play with its panel, the pocket open
// and closed, the preview frame at each of its sizes, the questions, the
// information windows, the in-game options and the win dialog with no
// trophy and with all seven. For each: every text drawn lies on the
// screen, and every text a window draws after its plate lies on that plate;
// the controls a player can click lie on the screen (the set-up strip's on
// the strip), and no two of them overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/ui/pack_selection.h"
#include "GAME/board/reg.h"
#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/win_dialog.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/slider.h"
#include "ST/sprite.h"
#include "tests/support/draw_record.h"
#include "tests/support/puzzle_env.h"

namespace scenetest {
namespace {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Puzzle = GAME::PUZZLE;
using drawtest::Quad;

constexpr int kEnter = 13;

struct Size {
  int code, w, h;
};

// A rectangle on the screen, named for the failure message.
struct Box {
  std::string name;
  float x0, y0, x1, y1;
};

Box OfButton(const std::string& name, const JBUTTONMAP4& b) {
  const float hw = float(b.frame.x / 2), hh = float(b.frame.y / 2);
  return {name, b.position.x - hw, b.position.y - hh, b.position.x + hw, b.position.y + hh};
}

Box OfBox(const std::string& name, const JBUTTONCHK& b) {
  const float r = float(b.radius);
  return {name, b.position.x - r, b.position.y - r, b.position.x + r, b.position.y + r};
}

// The slider's track with its knob (the step buttons are controls of
// their own).
Box OfTrack(const std::string& name, const ZOV::JSLIDER_E& s) {
  const float cap = s.texW / 8.0f, r = s.texH / 2.0f;
  return {name, s.x - cap, s.y - r, s.x + s.length + cap, s.y + r};
}

// A sprite drawn centred on its position.
Box OfCentred(const std::string& name, const JSPRITE& s) {
  const float w = s.quad.v[3].x - s.quad.v[0].x, h = s.quad.v[1].y - s.quad.v[0].y;
  return {name, s.position.x - w / 2.0f, s.position.y - h / 2.0f, s.position.x + w / 2.0f, s.position.y + h / 2.0f};
}

// A slider with its step buttons: one control, whose buttons sit on its
// caps.
Box OfSlider(const std::string& name, const ZOV::JSLIDER_E& s) {
  Box b = OfTrack(name, s);
  for (const JBUTTONMAP4* step : {s.minus, s.plus}) {
    if (!step) continue;
    const Box o = OfButton(name, *step);
    b.x0 = std::min(b.x0, o.x0);
    b.y0 = std::min(b.y0, o.y0);
    b.x1 = std::max(b.x1, o.x1);
    b.y1 = std::max(b.y1, o.y1);
  }
  return b;
}

// The pages of the game's four fonts: the quads of text.
std::vector<uint32_t> TextTextures() {
  std::vector<uint32_t> out;
  for (const ZOV::JFONT* f : {loadingFont, comix, big, expenseFont})
    if (f && f->page) out.push_back(uint32_t(f->page->GetTexture()));
  return out;
}

bool IsText(const Quad& q) {
  static const std::vector<uint32_t> texts = TextTextures();
  return std::find(texts.begin(), texts.end(), q.texture) != texts.end();
}

bool Overlap(const Box& a, const Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

class ScreenLayout : public PuzzleEnv, public ::testing::WithParamInterface<Size> {
 protected:
  // The game at the case's size, in the menu of a two-chapter catalogue.
  void Open() {
    const Size s = GetParam();
    WriteCatalogue({{Picture("01"), Picture("02")}, {Picture("03"), Picture("04")}});
    Load();
    scene->profile->GetSettings()->screen = s.code;
    scene->SetPrefences();
    ASSERT_EQ(scene->screenWidth, s.w);
    ASSERT_EQ(scene->screenHeight, s.h);
    // The change of size reset the device: drawing is recorded again.
    plat::gfx::BeginScene();
    player->Frames(2);
  }
  // One frame drawn, and what it drew.
  std::vector<Quad> Drawn() {
    plat::gfx::ClearRecorded();
    player->Frame();
    std::vector<Quad> out = drawtest::DrawnQuads();
    EXPECT_FALSE(out.empty()) << "nothing was drawn";
    return out;
  }
  // Every text of the frame on the screen (to the pixel).
  void ExpectOnScreen(const std::string& what, const std::vector<Quad>& quads) {
    const Size s = GetParam();
    for (const Quad& q : quads) {
      if (!IsText(q)) continue;
      EXPECT_TRUE(q.x0 >= -1.0f && q.y0 >= -1.0f && q.x1 <= float(s.w) + 1.0f && q.y1 <= float(s.h) + 1.0f)
          << what << ": a text at (" << q.x0 << ", " << q.y0 << ")-(" << q.x1 << ", " << q.y1 << ") leaves the "
          << s.w << " x " << s.h << " screen";
    }
  }
  // Every text drawn after the plate (the first quad of its texture) lies
  // on it.
  void ExpectOnPlate(const std::string& what, const std::vector<Quad>& quads, const JSPRITE& plate) {
    const uint32_t t = uint32_t(plate.GetTexture());
    auto first = std::find_if(quads.begin(), quads.end(), [&](const Quad& q) { return q.texture == t; });
    ASSERT_NE(first, quads.end()) << what << ": its plate is not drawn";
    const Quad p = *first;
    for (auto q = first + 1; q != quads.end(); ++q) {
      if (!IsText(*q)) continue;
      EXPECT_TRUE(q->x0 >= p.x0 - 1.0f && q->y0 >= p.y0 - 1.0f && q->x1 <= p.x1 + 1.0f && q->y1 <= p.y1 + 1.0f)
          << what << ": a text at (" << q->x0 << ", " << q->y0 << ")-(" << q->x1 << ", " << q->y1
          << ") leaves its plate (" << p.x0 << ", " << p.y0 << ")-(" << p.x1 << ", " << p.y1 << ")";
    }
  }
  // The window art's title band: from its paper's top, 25 pixels below the
  // window's edge, to the rule under the band, 87 pixels below it. Every
  // glyph of the big font drawn within the band's reach (the window's top
  // 100 pixels) lies inside the band, clear of the rule.
  void ExpectTitleInItsBand(const std::string& what, const std::vector<Quad>& quads, const JSPRITE& plate) {
    const uint32_t t = uint32_t(plate.GetTexture());
    auto first = std::find_if(quads.begin(), quads.end(), [&](const Quad& q) { return q.texture == t; });
    ASSERT_NE(first, quads.end()) << what << ": its plate is not drawn";
    const float top = first->y0;
    const uint32_t title = uint32_t(big->page->GetTexture());
    size_t glyphs = 0;
    for (auto q = first + 1; q != quads.end(); ++q) {
      if (q->texture != title || q->y0 > top + 100.0f) continue;
      ++glyphs;
      EXPECT_TRUE(q->y0 >= top + 25.0f && q->y1 <= top + 87.0f)
          << what << ": a title glyph at (" << q->x0 << ", " << q->y0 << ")-(" << q->x1 << ", " << q->y1
          << ") leaves the title band " << top + 25.0f << ".." << top + 87.0f;
    }
    EXPECT_GT(glyphs, 0u) << what << ": no title drawn";
  }
  Box ScreenBox() const { return {"the screen", 0.0f, 0.0f, float(GetParam().w), float(GetParam().h)}; }
  static void ExpectApart(const std::string& what, const std::vector<Box>& controls) {
    for (size_t i = 0; i < controls.size(); ++i)
      for (size_t j = i + 1; j < controls.size(); ++j)
        EXPECT_FALSE(Overlap(controls[i], controls[j])) << what << ": " << controls[i].name << " overlaps "
                                                        << controls[j].name;
  }
  static void ExpectInside(const std::string& what, const std::vector<Box>& controls, const Box& plate) {
    for (const Box& c : controls)
      EXPECT_TRUE(c.x0 >= plate.x0 && c.y0 >= plate.y0 && c.x1 <= plate.x1 && c.y1 <= plate.y1)
          << what << ": " << c.name << " (" << c.x0 << ", " << c.y0 << ")-(" << c.x1 << ", " << c.y1
          << ") leaves " << plate.name << " (" << plate.x0 << ", " << plate.y0 << ")-(" << plate.x1 << ", "
          << plate.y1 << ")";
  }
  // The play panel's tools, the pocket's button and, when shown, the
  // preview frame's four buttons.
  std::vector<Box> PlayControls() const {
    std::vector<Box> out;
    for (int code = PLAY_PANEL::kFrame; code <= PLAY_PANEL::kSettings; ++code)
      if (const BUTTONACT* b = scene->playPanel->Button(code)) out.push_back(OfButton("tool " + std::to_string(code), *b));
    const Board& b = *scene->board;
    out.push_back(OfButton("pocket button", *b.pocket->Button()));
    if (b.showLitleFrame && b.previewFrame) {
      for (int n = 1; n <= 3; ++n) out.push_back(OfButton("preview size " + std::to_string(n), *b.previewFrame->Button(n)));
    }
    return out;
  }
};

TEST_P(ScreenLayout, TheMenuWithEachPageAndTheSavesTab) {
  Open();
  // A save, so that the saves tab is there to show.
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  scene->OnPuzzleExit();
  Key(kEnter);
  ASSERT_NE(scene->saveQuestion, nullptr);
  Key(kEnter);
  ASSERT_EQ(scene->state, Puzzle::kMenu);
  for (int tab : {1, 2, GAME::PUZZLE_BOOK::kSavesTab}) {
    SCOPED_TRACE(tab);
    scene->ActivateButton(tab);
    player->Frames(2);
    ExpectOnScreen("menu", Drawn());
    const BUTTONACT* row[] = {scene->buttonTrophies, scene->buttonLeaders, scene->buttonScores, scene->buttonPlay,
                              scene->buttonCut,      scene->buttonOptions, scene->buttonExit};
    std::vector<Box> controls;
    for (const BUTTONACT* b : row) controls.push_back(OfButton("menu button", *b));
    ExpectInside("menu", controls, ScreenBox());
    ExpectApart("menu", controls);
  }
}

TEST_P(ScreenLayout, TheSetUpStrip) {
  Open();
  Click(scene->buttonCut);
  ASSERT_NE(scene->setupStrip, nullptr);
  player->Frames(2);
  const auto quads = Drawn();
  ExpectOnScreen("set-up strip", quads);
  const PUZZLE_IMG_HCANGE_SCREEN& s = *scene->setupStrip;
  const std::vector<Box> controls = {OfButton("OK", *s.OkButton()), OfButton("Cancel", *s.CancelButton()),
                                     OfSlider("count slider", *s.CountSlider()),
                                     OfSlider("distortion slider", *s.DistortSlider()),
                                     OfBox("rotation box", *s.RotationBox())};
  ExpectInside("set-up strip", controls, OfCentred("the strip", *s.Strip()));
  ExpectInside("set-up strip", controls, ScreenBox());
  ExpectApart("set-up strip", controls);
  // Its texts: drawn between the strip and the board's preview.
  std::vector<Quad> strip;
  for (const Quad& q : quads) {
    if (q.texture == uint32_t(scene->board->Picture()->GetTexture())) break;
    strip.push_back(q);
  }
  ExpectOnPlate("set-up strip", strip, *s.Strip());
}

TEST_P(ScreenLayout, PlayWithThePanelThePocketAndThePreviewFrame) {
  Open();
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(WaitForRest());
  Board& b = *scene->board;
  ExpectOnScreen("play", Drawn());
  ExpectInside("play", PlayControls(), ScreenBox());
  ExpectApart("play", PlayControls());
  // The preview frame at each of its sizes, where it opens.
  ClickAt(int(scene->playPanel->Button(PLAY_PANEL::kFly)->position.x),
          int(scene->playPanel->Button(PLAY_PANEL::kFly)->position.y));
  ASSERT_TRUE(b.showLitleFrame);
  for (int size = 1; size <= 3; ++size) {
    SCOPED_TRACE(size);
    b.previewFrame->SetSize(size);
    player->Frames(2);
    ExpectOnScreen("preview frame", Drawn());
    ExpectInside("preview frame", PlayControls(), ScreenBox());
    ExpectApart("preview frame", PlayControls());
  }
  // The pocket opened, then closed again.
  const JBUTTONMAP4& pocket = *b.pocket->Button();
  ClickAt(int(pocket.position.x), int(pocket.position.y));
  ASSERT_TRUE(FramesUntil([&] { return b.pocket->open && b.pocket->motion == PUZZLE_POCKET::kResting; }));
  ExpectOnScreen("open pocket", Drawn());
  ClickAt(int(pocket.position.x), int(pocket.position.y));
  ASSERT_TRUE(FramesUntil([&] { return !b.pocket->open && b.pocket->motion == PUZZLE_POCKET::kResting; }));
  ExpectOnScreen("closed pocket", Drawn());
  ExpectInside("closed pocket", PlayControls(), ScreenBox());
  ExpectApart("closed pocket", PlayControls());
}

TEST_P(ScreenLayout, EveryQuestionAndWindowKeepsItsPartsOnItsPlate) {
  Open();
  struct Window {
    const char* name;
    std::function<void()> open;
    std::function<const JSPRITE*()> plate;
    std::function<void()> close;
    bool titled = false;  // its title stands in the window art's title band
  };
  const std::vector<Window> menuWindows = {
      {"quit question", [&] { scene->OnPuzzleExit(); }, [&] { return scene->quitQuestion; },
       [&] { Key(27); }},
      {"trophies", [&] { scene->OnOffTrofeis(); }, [&] { return dynamic_cast<JSPRITE*>(scene->trophyPanel); },
       [&] { scene->OnOffTrofeis(); }, true},
      {"scores", [&] { scene->OnOffScores(); }, [&] { return dynamic_cast<JSPRITE*>(scene->scoreBoard); },
       [&] { scene->OnOffScores(); }, true},
      {"leaders", [&] { scene->OnOffLiders(); }, [&] { return dynamic_cast<JSPRITE*>(scene->leaderBoard); },
       [&] { scene->OnOffLiders(); }},
  };
  for (const Window& w : menuWindows) {
    SCOPED_TRACE(w.name);
    w.open();
    player->Frames(2);
    const JSPRITE* plate = w.plate();
    ASSERT_NE(plate, nullptr);
    const auto quads = Drawn();
    ExpectOnScreen(w.name, quads);
    ExpectOnPlate(w.name, quads, *plate);
    if (w.titled) ExpectTitleInItsBand(w.name, quads, *plate);
    w.close();
    player->Frames(2);
  }
  // In play: the options, the quit and the save questions.
  Key(kEnter);
  ASSERT_TRUE(WaitForPlay());
  ASSERT_TRUE(JoinFirstTwo());
  scene->LevelOptOnOff();
  player->Frames(2);
  {
    const auto quads = Drawn();
    ExpectOnPlate("options", quads, *dynamic_cast<JSPRITE*>(scene->optionsWindow));
  }
  scene->LevelOptOnOff();
  scene->OnPuzzleExit();
  player->Frames(2);
  ExpectOnPlate("quit question in play", Drawn(), *scene->quitQuestion);
  Key(kEnter);
  ASSERT_NE(scene->saveQuestion, nullptr);
  player->Frames(2);
  ExpectOnPlate("save question", Drawn(), *scene->saveQuestion);
}

// A player with more finished puzzles than the board shows at once gets its
// scroll bar: the bar and both its step buttons lie on the window's paper,
// inside its wooden frame (25 pixels wide at the left and top; 27 at the
// right and 29 at the bottom, where the art's shadow falls).
TEST_P(ScreenLayout, TheScoreBoardsScrollBarLiesOnItsWindowsPaper) {
  Open();
  std::string progress = "<?xml version=\"1.0\"?>\n<root>\n";
  for (int i = 0; i < 5; ++i)
    progress += "\t<element face=\"p1_01.png\" score=\"" + std::to_string(100 + i) +
                "\" count=\"12\" rotata=\"false\" time=\"65.0\" />\n";
  testenv::WriteFile(std::string(scene->profile->GetPlayerDir()) + C_NAME_PROGRESS_FILE, progress + "</root>\n");
  scene->OnOffScores();
  player->Frames(2);
  auto* scores = dynamic_cast<GAME::SCORE_BOARD*>(scene->scoreBoard);
  ASSERT_NE(scores, nullptr);
  GAME::SCORE_BOARD& board = *scores;
  ASSERT_EQ(board.Rows().size(), 5u);
  const auto quads = Drawn();
  const uint32_t window = uint32_t(board.GetTexture());
  auto plate = std::find_if(quads.begin(), quads.end(), [&](const Quad& q) { return q.texture == window; });
  ASSERT_NE(plate, quads.end());
  const Box paper{"the window's paper", plate->x0 + 25.0f, plate->y0 + 25.0f, plate->x1 - 27.0f, plate->y1 - 29.0f};
  std::vector<Box> bar;
  for (const Quad& q : drawtest::QuadsOf(board.ScrollBar().GetTexture()))
    bar.push_back({"the scroll bar", std::min(q.x0, q.x1), std::min(q.y0, q.y1), std::max(q.x0, q.x1),
                   std::max(q.y0, q.y1)});
  ASSERT_FALSE(bar.empty()) << "five rows show the scroll bar";
  bar.push_back(OfButton("the scroll bar's upper button", *board.ScrollBar().minus));
  bar.push_back(OfButton("the scroll bar's lower button", *board.ScrollBar().plus));
  ExpectInside("score board", bar, paper);
  ExpectOnPlate("score board", quads, board);
  scene->OnOffScores();
}

TEST_P(ScreenLayout, TheWinDialogWithNoTrophyAndWithAllSeven) {
  for (bool all : {false, true}) {
    SCOPED_TRACE(all ? "seven trophies" : "none");
    Open();
    Key(kEnter);
    ASSERT_TRUE(WaitForPlay());
    Board& b = *scene->board;
    b.LevelWin();
    b.winSparkle = Board::kIndexDone;  // the sparkles have run
    ASSERT_NE(b.winDialog, nullptr);
    if (all) {
      // The same record with every trophy won now.
      auto* r = new GAME::REG(b.winDialog->Record());
      r->collector = r->jigsawMaster = r->endurance = r->meditation = r->inconstancy = r->sage = 1;
      r->lord = 1;
      GAME::PackSelection pack(C_NAME_PACK_GUI, C_PAS_GUI);
      GAME::WindowKit kit = GAME::WindowKit::Shared();
      kit.game = game_;
      delete b.winDialog;
      b.winDialog = new GAME::JDIALOGWIN(chSTBACK, "", comix, r, 0, 0, 0, 0, kit);
    }
    player->Frames(3);
    const auto quads = Drawn();
    ExpectOnScreen("win dialog", quads);
    ExpectOnPlate("win dialog", quads, *scene->board->winDialog);
    Unload();
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenLayout,
                         ::testing::Values(Size{ZOV::JENUM::SCREEN_1024X768, 1024, 768},
                                           Size{ZOV::JENUM::SCREEN_1440X900, 1440, 900},
                                           Size{ZOV::JENUM::SCREEN_1920X1080, 1920, 1080}),
                         [](const auto& info) { return std::to_string(info.param.w) + "x" + std::to_string(info.param.h); });

}  // namespace
}  // namespace scenetest
