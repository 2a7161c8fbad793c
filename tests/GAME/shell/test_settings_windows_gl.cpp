// The settings, resolution, confirmation, authors and in-game options
// windows on real OpenGL (needs an X display; Mesa's software renderer is
// enough) at 1024 x 768 and 1920 x 1080, with the built interface images,
// fonts and default texts: every text stays inside its window and clear of
// the controls beside it, and the windows dim what lies behind them. With
// JIGSAW_WINDOW_SHOT set to a path stem, the frames are also saved as
// <stem>_<window>_<width>.png for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GAME/config/player_record.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/shell/authors_window.h"
#include "GAME/shell/choice_color.h"
#include "GAME/shell/options_window.h"
#include "GAME/shell/resolution_window.h"
#include "GAME/shell/settings_window.h"
#include "ST/button.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "tests/support/gl_scene_env.h"

namespace {

struct Screen {
  int w, h;
};
const Screen kScreens[] = {{1024, 768}, {1920, 1080}};

uint32_t FixedClock() { return 1000u; }

class SettingsWindowsGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("settings test"); }
  void SetUpScene() override {
    game->timer.SetDelta(0.016f);
    game->input.EventMouseMove(-1000, -1000);
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    C_NAME_PACK_GUI = Pack("gui");
    C_NAME_PACK_MENU = Pack("menu");
    bigFont = LoadFont("Font_big.fnt", FONT_SPACE_BIG);
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    bigFont->SetColor(C_FONT_MAIN_COLOR);
    comixFont->SetColor(C_FONT_MAIN_COLOR);
    // The windows are made from the interface pack, as the scene manager
    // selects it around their constructors.
    Select(C_NAME_PACK_GUI, C_PAS_GUI);
    record.SetDefaults(0, true);
  }
  void TearDown() override {
    GlScene::TearDown();
    C_NAME_PACK_GUI = C_NAME_PACK_MENU = nullptr;
  }
  // The screen becomes s: video mode, letterbox, centre, desktop, and the
  // dim layer the size of the screen.
  void UseScreen(const Screen& s) {
    ASSERT_EQ(game->gfx.ChangeVideoMode(s.w, s.h, false), 0);
    game->gfx.SetAdaptScreen(s.w, s.h);
    game->middle = JST::iPOINT(s.w / 2, s.h / 2);
    game->desktop = JST::iPOINT(s.w, s.h);
    dim = DimLayer(s.w, s.h);
    kit = GAME::OptionsKit{{game, bigFont.get(), comixFont.get(), nullptr, dim.get()}, nullptr, nullptr, &FixedClock};
    screen = s;
  }
  plat::Image Frame(JSPRITE& window) {
    plat::Image img = GlScene::Frame(window);
    EXPECT_EQ(img.w, screen.w);
    return img;
  }
  void Shot(const plat::Image& img, const std::string& name) {
    SaveShot("JIGSAW_WINDOW_SHOT", img, "_" + name + "_" + std::to_string(screen.w) + ".png");
  }
  // The window's inner edges: its image less its wooden frame and a margin.
  struct Box {
    int left, top, right, bottom;
  };
  static Box Inner(const JSPRITE& w) {
    const int x = int(w.position.x), y = int(w.position.y);
    const int hw = w.GetMyTexWidth(1) / 2, hh = w.GetMyTexHeight(1) / 2;
    return {x - hw + 32, y - hh + 32, x + hw - 32, y + hh - 32};
  }
  static int LeftOf(const JSPRITE& s, float scaleX = 1.0f) {
    return int(s.position.x - float(s.GetMyTexWidth(1)) * scaleX / 2.0f);
  }
  // The right edge of a caption drawn from `x` and its left edge when drawn
  // centred on `x`.
  int CaptionRight(ZOV::JFONT& f, int x, const char* t) { return x + Widest(f, t); }
  int CentredLeft(ZOV::JFONT& f, int x, const char* t) { return x - Widest(f, t) / 2; }

  std::unique_ptr<ZOV::JFONT> bigFont, comixFont;
  std::unique_ptr<JSPRITE> dim;
  GAME::OptionsKit kit;
  GAME::PUZZLE_PLAYER_PROFILE record;
  Screen screen{1024, 768};
};

TEST_F(SettingsWindowsGl, TheSettingsPanelHoldsItsCaptionsBesideTheirControls) {
  for (const Screen& s : kScreens) {
    SCOPED_TRACE(s.w);
    UseScreen(s);
    GAME::PUZZLE_SETTINGS w("DATA/PP.png", "DATA/Button.png", chPTNS_GM_SLIDER, chPTNS_GM_CHBOX, "DATA/PP.png",
                            "DATA/PP.png", comixFont.get(), &record, kit);
    ASSERT_GT(w.GetMyTexWidth(1), 400) << "the window image came from the interface pack";
    const plat::Image img = Frame(w);
    Shot(img, "settings");
    ExpectDimmed(img);
    const Box in = Inner(w);
    const int captionX = int(w.position.x - 0.45f * float(w.GetMyTexWidth(1)));
    EXPECT_GE(captionX, in.left);
    // Music and sound captions end before the violin, the piano and the
    // sliders' minus buttons; the cursor caption before its box.
    for (const char* t : {chTEXT_SETTINGS_GAME_MUSIC, chTEXT_SETTINGS_GAME_SOUND}) {
      EXPECT_LT(CaptionRight(*comixFont, captionX, t), LeftOf(w.Violin())) << t;
      EXPECT_LT(CaptionRight(*comixFont, captionX, t), LeftOf(w.Piano())) << t;
    }
    EXPECT_LT(CaptionRight(*comixFont, captionX, chTEXT_SETTINGS_GAME_CURSOR), LeftOf(w.CursorBox(), 0.5f));
    // The fast box has a caption left of it, in the main colour, although
    // the default configuration gives none.
    int inked = 0;
    const int fx = int(w.FastBox().position.x) - 50, fy = int(w.FastBox().position.y) - 10;
    for (int x = fx - 100; x < fx; ++x)
      for (int y = fy - 6; y <= fy + 6; ++y)
        if (Blue(At(img, x, y)) < 0x90) ++inked;
    EXPECT_GT(inked, 40) << "the fast collector's caption";
    EXPECT_GT(fx - Widest(*comixFont, GAME::PUZZLE_SETTINGS::kFastCollectorCaption),
              LeftOf(w.CursorBox(), 0.5f) + w.CursorBox().GetMyTexWidth(1) / 2);
    // The sliders' plus buttons and the fast box stay inside the window.
    EXPECT_LE(int(w.MusicSlider().plus->position.x) + w.MusicSlider().plus->GetW() / 2, in.right);
    EXPECT_LE(int(w.FastBox().position.x) + w.FastBox().GetMyTexWidth(1) / 4, in.right);
    // The header and the flat buttons' captions fit.
    EXPECT_GE(CentredLeft(*bigFont, int(w.position.x), chTEXT_SETTINGS_MENU_HEADER), in.left);
    for (const auto* b : {&w.ResolutionButton(), &w.AuthorsButton()}) {
      const char* t = b == &w.ResolutionButton() ? chTEXT_SETTINGS_MENU_RESOLUTION : chTEXT_SETTINGS_MENU_AUTOR;
      EXPECT_LE(Widest(*comixFont, t), b->GetW() - 16) << t;
    }
    // The gear stands right of the header, inside the window.
    EXPECT_GT(LeftOf(w.Gear()), int(w.position.x) + Widest(*bigFont, chTEXT_SETTINGS_MENU_HEADER) / 2);
    EXPECT_LE(int(w.Gear().position.x) + w.Gear().GetMyTexWidth(1) / 2, in.right);
  }
}

TEST_F(SettingsWindowsGl, TheResolutionWindowAndItsConfirmationHoldTheirTexts) {
  for (const Screen& s : kScreens) {
    SCOPED_TRACE(s.w);
    UseScreen(s);
    record.screen = 0;
    GAME::PUZZLE_RESOLUTION w(comixFont.get(), &record, kit);
    const plat::Image img = Frame(w);
    Shot(img, "resolution");
    const Box in = Inner(w);
    std::vector<const GAME::CHEBOX_TEXT*> boxes = {&w.SystemBox(), &w.FullScreenBox()};
    for (int i = 0; i < GAME::PUZZLE_RESOLUTION::kSizes; ++i)
      if (w.SizeBox(GAME::PUZZLE_RESOLUTION::Size(i))) boxes.push_back(w.SizeBox(GAME::PUZZLE_RESOLUTION::Size(i)));
    EXPECT_EQ(boxes.size(), s.w == 1920 ? 4u : 2u);
    for (const auto* b : boxes) {
      SCOPED_TRACE(b->Caption());
      EXPECT_LE(CaptionRight(*comixFont, b->Position().x + 30, b->Caption().c_str()), in.right);
      const int bottom = b->Position().y - comixFont->lineHeight / 2 + comixFont->GetStringHeight(b->Caption().c_str());
      EXPECT_LT(bottom, int(w.OkButton().position.y) - w.OkButton().GetHeight() / 2);
    }
    // The full-screen caption ends before the size boxes' column.
    EXPECT_LT(CaptionRight(*comixFont, w.FullScreenBox().Position().x + 30, w.FullScreenBox().Caption().c_str()),
              w.SystemBox().Position().x - 12);
    EXPECT_GE(CentredLeft(*bigFont, int(w.position.x), chTEXT_DIALOG_SELECT_RESOLUTION_HEADER), in.left);

    // The confirmation over it.
    GAME::PUZZLE_RESOLUTION c(comixFont.get(), &record, kit);
    record.screen = 0xC0000;
    ZOV::GetGame()->input.EventKeyDown(13);
    EXPECT_EQ(c.Update(0, 0.0f), GAME::PUZZLE_RESOLUTION::kApplyMode);
    ZOV::GetGame()->input.EventKeyUp(13);
    ZOV::GetGame()->input.Update(0);
    ASSERT_TRUE(c.Confirming());
    const plat::Image confirm = Frame(c);
    Shot(confirm, "confirm");
    const Box small = Inner(*c.Confirmation());
    EXPECT_GE(CentredLeft(*comixFont, int(c.position.x), chTEXT_DIALOG_APPLY_RESOLUTION), small.left);
    record.screen = 0;
  }
}

TEST_F(SettingsWindowsGl, TheAuthorsWindowKeepsItsCreditsInside) {
  for (const Screen& s : kScreens) {
    SCOPED_TRACE(s.w);
    UseScreen(s);
    GAME::PUZZLE_AUTHORS w(kit.window);
    const plat::Image img = Frame(w);
    Shot(img, "authors");
    const Box in = Inner(w);
    const int column = int(w.position.x + float(w.GetMyTexWidth(1)) / 5.0f);
    for (char* t : {chTEXT_AUTHORS_COMPANY_1, chTEXT_AUTHORS_COMPANY_2}) {
      EXPECT_LE(column + Widest(*bigFont, t) / 2, in.right) << t;
      EXPECT_GE(column - Widest(*bigFont, t) / 2, int(w.Picture().position.x) + w.Picture().GetMyTexWidth(1) / 2) << t;
    }
    for (char* t : {chTEXT_AUTHORS_ARTIST, chTEXT_AUTHORS_ARTIST_NAME, chTEXT_AUTHORS_PROGRAMMER,
                    chTEXT_AUTHORS_PROGRAMMER_NAME, chTEXT_AUTHORS_MANAGER, chTEXT_AUTHORS_MANAGER_NAME}) {
      EXPECT_LE(column + Widest(*comixFont, t) / 2, in.right) << t;
      EXPECT_GE(column - Widest(*comixFont, t) / 2, int(w.Picture().position.x) + w.Picture().GetMyTexWidth(1) / 2) << t;
    }
    // The programmers' names end above the manager's caption.
    const int namesTop = int(w.position.y) - GAME::startTextVantolux + 65 - comixFont->lineHeight / 2;
    EXPECT_LT(namesTop + comixFont->GetStringHeight(chTEXT_AUTHORS_PROGRAMMER_NAME),
              int(w.position.y) - GAME::startTextVantolux + 160 - comixFont->lineHeight / 2 + 2);
    EXPECT_GE(int(w.Picture().position.x) - w.Picture().GetMyTexWidth(1) / 2, in.left - 20);
  }
}

TEST_F(SettingsWindowsGl, TheOptionsWindowShowsItsSwatchesBesideTheirCaption) {
  for (const Screen& s : kScreens) {
    SCOPED_TRACE(s.w);
    UseScreen(s);
    record.Color = C_COLOR_BACKGROUND_2;
    GAME::PUZZLE_OPTIONS_GAME w(&record, kit);
    const plat::Image img = Frame(w);
    Shot(img, "options");
    ExpectDimmed(img);
    const Box in = Inner(w);
    const int captionX = int(w.position.x - 0.45f * float(w.GetMyTexWidth(1)));
    const auto& row = w.ColorRow();
    EXPECT_LT(CaptionRight(*comixFont, captionX, chTEXT_SETTINGS_GAME_BACKGROUND),
              row.Position().x - GAME::CHOICE_COLOR::kSwatchSize / 2);
    EXPECT_LE(row.Position().x + 3 * GAME::CHOICE_COLOR::kPitch + GAME::CHOICE_COLOR::kSwatchSize / 2 +
                  GAME::CHOICE_COLOR::kShadowOffset,
              in.right);
    EXPECT_LT(row.Position().y + GAME::CHOICE_COLOR::kSwatchSize / 2 + GAME::CHOICE_COLOR::kShadowOffset,
              int(w.OkButton().position.y) - w.OkButton().GetHeight() / 2);
    // Each swatch shows its colour at its centre.
    for (int i = 0; i < GAME::CHOICE_COLOR::kSwatches; ++i) {
      const JST::iPOINT p(int(row.Swatch(i).position.x), int(row.Swatch(i).position.y));
      const uint32_t px = At(img, p.x, p.y) & 0xFFFFFFu;
      const uint32_t want = uint32_t(row.Color(i)) & 0xFFFFFFu;
      auto near = [](uint32_t a, uint32_t b) {
        for (int sh : {0, 8, 16})
          if (std::abs(int((a >> sh) & 0xFF) - int((b >> sh) & 0xFF)) > 60) return false;
        return true;
      };
      EXPECT_TRUE(near(px, want)) << i << ": " << std::hex << px << " for " << want;
    }
    for (const char* t : {chTEXT_SETTINGS_GAME_MUSIC, chTEXT_SETTINGS_GAME_SOUND})
      EXPECT_LT(CaptionRight(*comixFont, captionX, t), LeftOf(w.Violin())) << t;
    EXPECT_LT(CaptionRight(*comixFont, captionX, chTEXT_SETTINGS_GAME_CURSOR), LeftOf(w.CursorBox(), 0.5f));
    EXPECT_GE(CentredLeft(*bigFont, int(w.position.x), chTEXT_SETTINGS_GAME_HEADER), in.left);
  }
}

}  // namespace
