// The player-selection window on its own: its layout around the screen
// centre, the list it keeps (added, duplicates dropped, deleted, the default
// name put back), the name dialog opened by Add, the answers of OK, Cancel
// and Delete with their click sounds, and the pack selection left as it was.
// Window 720 x 600, OK, Cancel and flat buttons 512 x 48.
#include <gtest/gtest.h>

#include <memory>

#include "GAME/config/player_name.h"
#include "GAME/config/profile_manager.h"
#include "ST/button.h"
#include "ST/dialog_edit.h"
#include "ST/listbox.h"
#include "ST/textbox.h"
#include "tests/support/dialog_env.h"

namespace {

using GAME::PAZZLE_PROFILE_MANAGER;

class ProfileManager : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    // The name field refuses what the program entry tells it to.
    JTEXTBOX::SetRefusalRule(&GAME::IsRefusedNameChar);
    Image(&chBUTTON_OK, "ok512.png", 512, 48);
    Image(&chBUTTON_CANCEL, "cancel512.png", 512, 48);
    dialogtest::WriteFont("names.fnt");
    font = std::make_unique<ZOV::JFONT>("names.fnt", 0);
  }
  void TearDown() override {
    JTEXTBOX::SetRefusalRule(nullptr);
    DialogEnv::TearDown();
  }
  PAZZLE_PROFILE_MANAGER& Open(std::initializer_list<const char*> names = {}) {
    manager = std::make_unique<PAZZLE_PROFILE_MANAGER>(nullptr, nullptr, nullptr, nullptr, chSTBACK, chEDITBOX,
                                                       font.get());
    for (const char* n : names) manager->AddName(n);
    return *manager;
  }
  int Frame() { return manager->Update(0, 0.0f); }
  int ClickButton(const JBUTTONMAP4* b) {
    return Click(int(b->position.x), int(b->position.y), [&] { return Frame(); });
  }
  // Add, the name typed key by key (or as one text), Enter.
  int AddByKeys(const std::wstring& name, bool asOneText = false) {
    EXPECT_EQ(ClickButton(manager->add), 0);
    EXPECT_TRUE(manager->NameDialogShown());
    if (asOneText) {
      TypeFrame(name);
    } else {
      for (wchar_t c : name) TypeFrame(std::wstring(1, c));
    }
    KeyDown(13);
    const int r = Frame();
    KeyUp(13);
    EndFrame();
    return r;
  }
  void TypeFrame(const std::wstring& typed) {
    KeyDown(65, typed);
    Frame();
    KeyUp(65);
    EndFrame();
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> out;
    for (const auto* r : manager->list->rows) out.push_back(r->text);
    return out;
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<PAZZLE_PROFILE_MANAGER> manager;
};

TEST_F(ProfileManager, ItIsLaidOutAroundTheScreenCentre) {
  PAZZLE_PROFILE_MANAGER& m = Open();
  struct Place {
    const JSPRITE* child;
    float x, y;
  };
  const auto check = [&](const char* when, int dx, int dy) {
    for (const Place& p : {Place{m.window, 512, 384}, Place{m.ok, 448, 672}, Place{m.cancel, 576, 672},
                           Place{m.add, 713, 264}, Place{m.del, 713, 342}, Place{m.picture, 512, 174}}) {
      EXPECT_EQ(p.child->position.x, p.x + float(dx)) << when;
      EXPECT_EQ(p.child->position.y, p.y + float(dy)) << when;
    }
    EXPECT_EQ(m.list->position.x, 188.0f + float(dx)) << when;
    EXPECT_EQ(m.list->position.y, 228.0f + float(dy)) << when;
    EXPECT_EQ(m.list->scale.x, 360.0f) << when;
    EXPECT_EQ(m.list->scale.y, 360.0f) << when;
  };
  check("when made", 0, 0);
  game().middle = JST::iPOINT(612, 434);
  EXPECT_EQ(m.Reset(1224, 868), 0);
  check("after a new screen size", 100, 50);
  EXPECT_EQ(m.nameDialog->position.x, 612.0f);
  EXPECT_EQ(m.nameDialog->position.y, 434.0f);
}

TEST_F(ProfileManager, TheHeaderAndLabelsAreDrawnCentred) {
  dialogtest::WriteFont("comix.fnt");
  ZOV::JFONT comixFont("comix.fnt", 0);
  comix = &comixFont;
  static char header[] = "Hdr", addText[] = "Add", delText[] = "Del";
  chTEXT_PROFILE_MANAGER_HEADER = header;
  chTEXT_PLAYER_SELECTION_ADD = addText;
  chTEXT_PLAYER_SELECTION_DEL = delText;
  PAZZLE_PROFILE_MANAGER& m = Open();
  plat::gfx::ClearRecorded();
  m.Render(0);
  const auto h = dialogtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(h.size(), 3u) << "the header; no rows";
  EXPECT_EQ(h[0].x0, 512.0f - 24.0f);
  EXPECT_EQ(h[0].y0, 179.0f - 12.0f);
  const auto labels = dialogtest::QuadsOf(comixFont.page->GetTexture());
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_EQ(labels[0].x0, 713.0f - 24.0f);
  EXPECT_EQ(labels[0].y0, 264.0f - 12.0f);
  EXPECT_EQ(labels[3].y0, 342.0f - 12.0f);
}

TEST_F(ProfileManager, TheDimLayerIsDrawnFirstAndNothingOnceHidden) {
  JSPRITE dim(chPLAYPLAYERS, 0);
  blackTranslucent = &dim;
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  plat::gfx::ClearRecorded();
  m.Render(0);
  const auto quads = dialogtest::DrawnQuads();
  ASSERT_FALSE(quads.empty());
  EXPECT_EQ(quads[0].texture, dim.GetTexture());
  m.visible = false;
  plat::gfx::ClearRecorded();
  m.Render(0);
  EXPECT_TRUE(dialogtest::DrawnQuads().empty());
}

TEST_F(ProfileManager, NamesAreShownNewestFirstAndListedOnce) {
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna", "Bob", "Anna"});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Bob"}));
  EXPECT_STREQ(m.GetCurString(), "Bob");
  m.list->Update(0, 0.0f);
  EXPECT_EQ(m.list->RowAtScreen(0), 1) << "1 Bob, 2 Anna";
}

TEST_F(ProfileManager, AddTypesANewNameThatBecomesTheSelection) {
  ClickSound();
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna", "Bob"});
  EXPECT_EQ(AddByKeys(L"Cleo"), 0);
  EXPECT_FALSE(m.NameDialogShown());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Bob", "Cleo"}));
  EXPECT_STREQ(m.GetCurString(), "Cleo");
  EXPECT_EQ(ClickButton(m.ok), PAZZLE_PROFILE_MANAGER::kOk);
  EXPECT_FALSE(m.visible);
  EXPECT_STREQ(m.GetCurString(), "Cleo");
  // Add, Enter in the name dialog, OK.
  EXPECT_EQ(ClicksPlayed(), 3);
}

TEST_F(ProfileManager, AListedNameIsNotAddedAgainButCaseCounts) {
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna", "Bob"});
  EXPECT_EQ(AddByKeys(L"Anna"), 0);
  EXPECT_FALSE(m.NameDialogShown());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Bob"}));
  EXPECT_STREQ(m.GetCurString(), "Bob") << "the selection stays";
  EXPECT_EQ(AddByKeys(L"anna"), 0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Bob", "anna"}));
}

TEST_F(ProfileManager, NothingTypedAddsNothing) {
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  EXPECT_EQ(ClickButton(m.add), 0);
  ASSERT_TRUE(m.NameDialogShown());
  EXPECT_TRUE(m.nameDialog->box->focused);
  EXPECT_EQ(ClickButton(m.nameDialog->ok), 0);
  EXPECT_FALSE(m.NameDialogShown());
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
  EXPECT_EQ(AddByKeys(L""), 0) << "Enter with nothing typed";
  EXPECT_FALSE(m.NameDialogShown());
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
}

TEST_F(ProfileManager, ANameTypedAsOneTextKeepsOnlyItsUsableCharacters) {
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  EXPECT_EQ(AddByKeys(L"../evil/x", true), 0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "evilx"}));
  EXPECT_TRUE(GAME::IsValidPlayerName(m.GetCurString()));
}

TEST_F(ProfileManager, WhileTheNameDialogIsShownTheWindowsButtonsDoNothing) {
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  ClickButton(m.add);
  ASSERT_TRUE(m.NameDialogShown());
  EXPECT_EQ(ClickButton(m.del), 0);
  EXPECT_EQ(ClickButton(m.cancel), 0);
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
  // Escape closes the name dialog only.
  KeyDown(27);
  EXPECT_EQ(Frame(), 0);
  KeyUp(27);
  EndFrame();
  EXPECT_FALSE(m.NameDialogShown());
  EXPECT_TRUE(m.visible);
}

TEST_F(ProfileManager, CancelAndDeleteAnswer) {
  ClickSound();
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  EXPECT_EQ(ClickButton(m.del), PAZZLE_PROFILE_MANAGER::kDelete);
  EXPECT_TRUE(m.visible) << "Delete leaves the window open";
  m.DelName();
  EXPECT_EQ(Rows(), std::vector<std::string>{GAME::DefaultPlayerName()});
  EXPECT_EQ(ClickButton(m.cancel), PAZZLE_PROFILE_MANAGER::kCancel);
  EXPECT_FALSE(m.visible);
  EXPECT_EQ(ClicksPlayed(), 2);
}

TEST_F(ProfileManager, OkAndDeleteWithNothingSelectedDoNothing) {
  PAZZLE_PROFILE_MANAGER& m = Open();
  EXPECT_EQ(m.GetCurString(), nullptr);
  EXPECT_EQ(ClickButton(m.ok), 0);
  EXPECT_EQ(ClickButton(m.del), 0);
  EXPECT_TRUE(m.visible);
}

TEST_F(ProfileManager, TheDefaultNameComesBackIntoAnEmptiedList) {
  static char empty[] = "";
  chTEXT_DEFAULT_NAME = empty;  // unusable: the built-in name stands in
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna", "Bob"});
  m.DelName();
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
  m.DelName();
  EXPECT_EQ(Rows(), std::vector<std::string>{GAME::kBuiltInPlayerName});
}

TEST_F(ProfileManager, TheNamesComeOutAsTheirOwnList) {
  PAZZLE_PROFILE_MANAGER& m = Open();
  ZOV::JINVECPTR<char*>* names = reinterpret_cast<ZOV::JINVECPTR<char*>*>(0x1);
  EXPECT_EQ(m.GetNames(&names), 0);
  EXPECT_EQ(names, reinterpret_cast<ZOV::JINVECPTR<char*>*>(0x1)) << "an empty list leaves it";
  m.AddName("Anna");
  m.AddName("Bob");
  ASSERT_EQ(m.GetNames(&names), 0);
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(names->index, 0);
  EXPECT_STREQ(names->value, "Anna");
  ASSERT_NE(names->next, nullptr);
  EXPECT_EQ(names->next->index, 1);
  EXPECT_STREQ(names->next->value, "Bob");
  EXPECT_EQ(names->next->next, nullptr);
  ZOV::FreeNameList(names);
  EXPECT_STREQ(m.GetCurString(), "Bob");
}

TEST_F(ProfileManager, ThePackSelectionIsLeftAsItWas) {
  static char pack[] = "DATA/menu", pass[] = "secret", gui[] = "no/such/gui";
  C_NAME_PACK_GUI = gui;
  ZOV::ifile.current_pack = pack;
  ZOV::ifile.current_pass = pass;
  Open();
  EXPECT_EQ(ZOV::ifile.current_pack, pack);
  EXPECT_EQ(ZOV::ifile.current_pass, pass);
  ZOV::ifile.current_pack = nullptr;
  ZOV::ifile.current_pass = nullptr;
}

TEST_F(ProfileManager, WithoutFontsOrSoundsItStillAnswers) {
  font.reset();
  PAZZLE_PROFILE_MANAGER& m = Open({"Anna"});
  EXPECT_EQ(m.Render(0), 0);
  EXPECT_EQ(m.SetSizeFont(), 1);
  EXPECT_EQ(ClickButton(m.ok), PAZZLE_PROFILE_MANAGER::kOk);
}

}  // namespace
