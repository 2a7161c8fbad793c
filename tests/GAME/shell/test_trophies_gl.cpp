// The win dialog and the trophy window on real OpenGL (needs an X display;
// Mesa's software renderer is enough) at 1024 x 768, with the built
// interface and trophy packs, fonts and default texts: both dim what lies
// behind them, every trophy picture is found in the trophy pack, the
// pictures and hints stay inside the window and the screen. With
// JIGSAW_WINDOW_SHOT set to a path stem, the frames are also saved as
// <stem>_win0.png (no trophy), <stem>_win1.png (one trophy), <stem>_win7.png (seven, one hovered),
// <stem>_trophies.png (a new player) and <stem>_trophies_hint.png (some
// reached, one hovered) for a person to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAME/board/reg.h"
#include "GAME/board/trophy_icon.h"
#include "GAME/board/win_dialog.h"
#include "GAME/config/player_record.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/trophy_window.h"
#include "ST/button.h"
#include "ST/input.h"
#include "tests/support/gl_scene_env.h"

namespace {

class TrophiesGl : public GlScene {
 protected:
  static void SetUpTestSuite() { OpenWindow("trophy test"); }
  void SetUpScene() override {
    game->timer.SetDelta(0.2f);
    game->GetInput()->EventMouseMove(-100, -100);
    ASSERT_TRUE(DataBuilt("DATA/gui"));
    guiPack = Pack("gui");
    C_NAME_PACK_TROFEI = Pack("trofei");
    bigFont = LoadFont("Font_big.fnt", FONT_SPACE_BIG);
    comixFont = LoadFont("PuzzleComix.fnt", FONT_SPACE_SMALL);
    Select(Pack("menu"), C_PAS_MENY);
    rot = std::make_unique<JSPRITE>(chROT_YES, 0);
    noRot = std::make_unique<JSPRITE>(chROT_NO, 0);
    sprRotPzl = rot.get();
    sprNotRotPzl = noRot.get();
    // The windows are made from the interface pack, as their owners select
    // it around their constructors.
    Select(guiPack, C_PAS_GUI);
    dim = DimLayer();
    kit = GAME::WindowKit{game, bigFont.get(), comixFont.get(), nullptr, dim.get()};
  }
  void TearDown() override {
    sprRotPzl = sprNotRotPzl = nullptr;
    C_NAME_PACK_TROFEI = nullptr;
    GlScene::TearDown();
  }
  // The mouse on (x, y) for a few frames of `update`.
  template <class F>
  void Hover(int x, int y, F update) {
    ZOV::ST_INPUT& in = *ZOV::GetGame()->GetInput();
    in.EventMouseMove(x, y);
    for (int i = 0; i < 3; ++i) {
      update();
      in.Update(0);
    }
  }
  static void Shot(const plat::Image& img, const char* suffix) {
    SaveShot("JIGSAW_WINDOW_SHOT", img, std::string(suffix) + ".png");
  }
  // Every icon found in the pack and inside the window.
  static void IconsInside(const std::vector<std::unique_ptr<TROFEI>>& icons, const JSPRITE& window) {
    const int wW = window.GetMyTexWidth(1), wH = window.GetMyTexHeight(1);
    for (const auto& t : icons) {
      SCOPED_TRACE(t->ImageName());
      const int w = t->GetMyTexWidth(1), h = t->GetMyTexHeight(1);
      EXPECT_GT(w, 8) << "found in the trophy pack";
      EXPECT_GE(int(t->position.x) - w / 2, kW / 2 - wW / 2);
      EXPECT_LE(int(t->position.x) + w / 2, kW / 2 + wW / 2);
      EXPECT_GE(int(t->position.y) - h / 2, kH / 2 - wH / 2);
      EXPECT_LE(int(t->position.y) + h / 2, kH / 2 + wH / 2);
    }
  }

  char* guiPack = nullptr;
  std::unique_ptr<ZOV::JFONT> bigFont, comixFont;
  std::unique_ptr<JSPRITE> dim, rot, noRot;
  GAME::WindowKit kit;
};

TEST_F(TrophiesGl, TheWinDialogWithOneAndWithSevenTrophies) {
  struct Row {
    const char* suffix;
    std::vector<int> trophies;
    int hours, rotation;
  };
  for (const Row& r : {Row{"_win0", {0, 0, 0, 0, 0, 0, 0}, 0, 1}, Row{"_win1", {0, 0, 2, 0, 0, 0, 0}, 0, 1},
                       Row{"_win7", {5, 3, 4, 4, 4, 6, 1}, 1, 0}}) {
    SCOPED_TRACE(r.suffix);
    auto* rec = new GAME::REG();
    rec->pieces = 108;
    rec->score = 1270;
    rec->hours = r.hours;
    rec->minutes = 2;
    rec->seconds = 5;
    rec->rotation = r.rotation;
    rec->collector = r.trophies[0];
    rec->jigsawMaster = r.trophies[1];
    rec->endurance = r.trophies[2];
    rec->meditation = r.trophies[3];
    rec->inconstancy = r.trophies[4];
    rec->sage = r.trophies[5];
    rec->lord = r.trophies[6];
    Select(guiPack, C_PAS_GUI);
    GAME::JDIALOGWIN d(chSTBACK, "", comixFont.get(), rec, 25, 10, 10, 50, kit);
    ASSERT_GT(d.GetMyTexWidth(1), 200) << "the window image came from the interface pack";
    ASSERT_GT(d.Picture().GetMyTexWidth(1), 200);
    IconsInside(d.Icons(), d);
    // The hint of the icon at the right end of the first row.
    const TROFEI* last = d.Icons().empty() ? nullptr : d.Icons()[d.Icons().size() > 2 ? 2 : 0].get();
    if (last != nullptr) {
      Hover(int(last->position.x), int(last->position.y), [&] { d.Update(0, 0.0f); });
      ASSERT_TRUE(last->Hovered());
    }
    const plat::Image img = Frame(d);
    Shot(img, r.suffix);
    ExpectDimmed(img);
    // The hint stays on the panel.
    const int wW = d.GetMyTexWidth(1);
    if (last != nullptr) {
      EXPECT_GE(last->HintRect().left - 5, kW / 2 - wW / 2);
      EXPECT_LE(last->HintRect().right + 5, kW / 2 + wW / 2);
    }
    // The labels above the count and the score stay on the picture's plate.
    const int px = int(d.Picture().position.x), pw = d.Picture().GetMyTexWidth(1);
    EXPECT_GE(px - 130 - Widest(*comixFont, chTEXT_DIALOG_WIN_AMOUNT) / 2, px - pw / 2);
    EXPECT_LE(px + 130 + Widest(*comixFont, chTEXT_DIALOG_WIN_SCORE) / 2, px + pw / 2);
  }
}

TEST_F(TrophiesGl, TheTrophyWindowForANewPlayerAndWithAHint) {
  struct Row {
    const char* suffix;
    std::vector<int> levels;
    int hovered;  // index of the trophy under the mouse, -1 none
  };
  for (const Row& r : {Row{"_trophies", {0, 0, 0, 0, 0, 0, 0}, -1}, Row{"_trophies_hint", {3, 1, 0, 2, 4, 6, 1}, 5}}) {
    SCOPED_TRACE(r.suffix);
    GAME::PUZZLE_PLAYER_PROFILE p;
    for (int i = 0; i < 7; ++i) p.trofei[i] = uint8_t(r.levels[size_t(i)]);
    Select(guiPack, C_PAS_GUI);
    ZOV::TROFEI_PANEL w(comixFont.get(), &p, kit);
    NoPack();
    ASSERT_GT(w.GetMyTexWidth(1), 200);
    IconsInside(w.Trophies(), w);
    if (r.hovered >= 0) {
      const TROFEI& t = *w.Trophies()[size_t(r.hovered)];
      Hover(int(t.position.x), int(t.position.y), [&] { w.Update(0, 0.0f); });
      ASSERT_TRUE(t.Hovered());
    }
    const plat::Image img = Frame(w);
    Shot(img, r.suffix);
    EXPECT_LT(Blue(At(img, 5, 5)), Blue(kBehind) - 40);
    // Every hint would fit inside the window, below the lower row's
    // pictures and above OK.
    const int wW = w.GetMyTexWidth(1);
    for (const auto& t : w.Trophies()) {
      SCOPED_TRACE(t->hint);
      const int len = Widest(*comixFont, t->hint);
      EXPECT_GE(kW / 2 - len / 2 - 10, kW / 2 - wW / 2);
      EXPECT_LE(kW / 2 + len / 2 + 10, kW / 2 + wW / 2);
      const int bottom = kH / 2 + 180 + comixFont->GetStringHeight(t->hint.c_str());
      EXPECT_LE(bottom, int(w.OkButton().position.y) - w.OkButton().GetHeight() / 2);
      EXPECT_GE(kH / 2 + 180, kH / 2 + 100 + t->GetMyTexHeight(1) / 2);
    }
  }
}

}  // namespace
