// The profile keeper driving the player-selection window, with mouse and
// keyboard frames through the game's input state: the first start, adding
// and choosing a player, a duplicate, deleting another player or the only
// one, a linked folder that must not be followed, Cancel, and the header
// line. The window is 720 x 600 at the screen centre (512, 384), so OK is at
// (448, 672), Cancel (576, 672), Add (713, 264), Delete (713, 342); the list
// starts at (188, 228) with 30-pixel rows; the name dialog's OK is at
// (448, 514).
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "GAME/config/player_name.h"
#include "GAME/config/player_record.h"
#include "GAME/config/profile.h"
#include "GAME/config/profile_manager.h"
#include "ST/listbox.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace fs = std::filesystem;
using GAME::PROFILE;
using GAME::PUZZLE_PLAYER_PROFILE;

namespace {

const std::string kDefault = "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA";  // "Игрок"

std::string Bytes(const PUZZLE_PLAYER_PROFILE& r) {
  const auto b = r.Encode();
  return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

PUZZLE_PLAYER_PROFILE Defaults() {
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(786432, false);
  return r;
}

class ProfileDialog : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    Image(&chBUTTON_OK, "ok512.png", 512, 48);
    Image(&chBUTTON_CANCEL, "cancel512.png", 512, 48);
    dialogtest::WriteFont("names.fnt");
    font = std::make_unique<ZOV::JFONT>("names.fnt", 0);
    docs = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);
    game().companyName = "Co";
    game().productName = "Game";
    game().resX = 1024;
    game().resY = 768;
    game().fullScreen = false;
    game().desktop = JST::iPOINT(1920, 1080);
  }
  void TearDown() override {
    profile.reset();
    DialogEnv::TearDown();
  }
  PROFILE& Start() {
    profile = std::make_unique<PROFILE>(font.get(), &game());
    return *profile;
  }
  fs::path Root() const { return fs::path(docs) / "Co" / "Game"; }
  fs::path Record(const std::string& name) const { return Root() / name / "set.bin"; }
  std::string Last() const { return testenv::ReadFile(Root() / "LC.pzl"); }
  void Player(const std::string& name, int score) {
    PUZZLE_PLAYER_PROFILE r = Defaults();
    r.Score = score;
    testenv::WriteFile(Record(name), Bytes(r));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    if (profile->Dialog())
      for (const auto* r : profile->Dialog()->list->rows) out.push_back(r->text);
    return out;
  }
  int Frame() { return profile->Update(); }
  int ClickAt(int x, int y) {
    return Click(x, y, [&] { return Frame(); });
  }
  int Ok() { return ClickAt(448, 672); }
  int Cancel() { return ClickAt(576, 672); }
  int Delete() { return ClickAt(713, 342); }
  // Selects screen row i of the list.
  int SelectRow(int i) { return ClickAt(198, 228 + 30 * i + 15); }
  // Add, the name typed key by key, Enter; the keeper's answer in the
  // Enter frame.
  int AddName(const std::wstring& name) {
    EXPECT_EQ(ClickAt(713, 264), PROFILE::kDialogOpen);
    for (wchar_t c : name) {
      KeyDown(65, std::wstring(1, c));
      EXPECT_EQ(Frame(), PROFILE::kDialogOpen);
      KeyUp(65);
      EndFrame();
    }
    KeyDown(13);
    const int r = Frame();
    KeyUp(13);
    EndFrame();
    return r;
  }

  std::string docs;
  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<PROFILE> profile;
};

TEST_F(ProfileDialog, TheFirstStartOpensTheWindowWithTheDefaultPlayer) {
  PROFILE& p = Start();
  ASSERT_TRUE(p.IsDialogOpen());
  EXPECT_EQ(Frame(), PROFILE::kDialogOpen);
  EXPECT_EQ(Frame(), PROFILE::kDialogOpen);
  EXPECT_EQ(Rows(), std::vector<std::string>{kDefault});
  EXPECT_EQ(Ok(), PROFILE::kPlayerChanged);
  EXPECT_FALSE(p.IsDialogOpen());
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(p.GetPlayerName(), kDefault);
  EXPECT_EQ(Last(), kDefault);
  EXPECT_EQ(testenv::ReadFile(Record(kDefault)), Bytes(Defaults()));
}

TEST_F(ProfileDialog, ANewPlayerIsMadeWhenChosen) {
  Player("Anna", 10);
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  PROFILE& p = Start();
  EXPECT_FALSE(p.IsDialogOpen());
  p.AddProfile();
  p.AddProfile();  // a second call replaces the first window
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
  EXPECT_EQ(AddName(L"Cleo"), PROFILE::kDialogOpen);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Cleo"}));
  EXPECT_FALSE(fs::exists(Root() / "Cleo")) << "nothing is made before OK";
  fs::remove(Root() / "game.xml");
  EXPECT_EQ(Ok(), PROFILE::kPlayerChanged);
  EXPECT_EQ(Frame(), 0) << "closed";
  EXPECT_STREQ(p.GetPlayerName(), "Cleo");
  EXPECT_EQ(Last(), "Cleo");
  EXPECT_EQ(testenv::ReadFile(Record("Cleo")), Bytes(Defaults()));
  EXPECT_TRUE(fs::exists(Root() / "game.xml"));
  EXPECT_EQ(p.GetScore4Player("Anna"), 10);
}

TEST_F(ProfileDialog, AListedNameIsNotAddedTwice) {
  Player("Anna", 10);
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  PROFILE& p = Start();
  p.AddProfile();
  EXPECT_EQ(AddName(L"Anna"), PROFILE::kDialogOpen);
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"});
  EXPECT_FALSE(p.Dialog()->NameDialogShown());
  EXPECT_EQ(AddName(L"anna"), PROFILE::kDialogOpen);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "anna"}));
}

TEST_F(ProfileDialog, DeletingAPlayerRemovesTheirFolderAndSwitchesToTheNext) {
  Player("Anna", 10);
  Player("Bob", 77);
  testenv::WriteFile(Root() / "Anna" / "1.pzl", "<Save/>");
  testenv::WriteFile(Root() / "Anna" / "Progress.xml", "<Progress/>");
  testenv::WriteFile(Root() / "Anna" / "locked.txt", "x");
  fs::permissions(Root() / "Anna" / "locked.txt", fs::perms::owner_read);
  const fs::path outside = fs::path(docs) / "Photos";
  testenv::WriteFile(outside / "keep.jpg", "jpeg");
  fs::create_directory_symlink(outside, Root() / "Anna" / "photos");
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  PROFILE& p = Start();
  p.AddProfile();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Anna", "Bob"}));
  EXPECT_STREQ(p.Dialog()->GetCurString(), "Bob");
  EXPECT_EQ(SelectRow(1), PROFILE::kDialogOpen);
  EXPECT_STREQ(p.Dialog()->GetCurString(), "Anna");

  EXPECT_EQ(Delete(), PROFILE::kPlayerChanged);
  EXPECT_FALSE(fs::exists(Root() / "Anna"));
  EXPECT_EQ(testenv::ReadFile(outside / "keep.jpg"), "jpeg") << "the link was not followed";
  EXPECT_EQ(Rows(), std::vector<std::string>{"Bob"});
  EXPECT_STREQ(p.GetPlayerName(), "Bob");
  EXPECT_EQ(p.GetSettings()->Score, 77);
  EXPECT_EQ(Last(), "Bob");
  EXPECT_EQ(Frame(), PROFILE::kDialogOpen) << "the window stays open";
}

TEST_F(ProfileDialog, DeletingTheOnlyPlayerStartsTheDefaultPlayerAfresh) {
  Player(kDefault, 500);
  testenv::WriteFile(Root() / kDefault / "1.pzl", "<Save/>");
  testenv::WriteFile(Root() / "LC.pzl", kDefault);
  PROFILE& p = Start();
  EXPECT_EQ(p.GetSettings()->Score, 500);
  p.AddProfile();
  EXPECT_EQ(Delete(), PROFILE::kPlayerChanged);
  EXPECT_EQ(Rows(), std::vector<std::string>{kDefault});
  EXPECT_EQ(p.GetPlayerName(), kDefault);
  EXPECT_EQ(p.GetSettings()->Score, 0);
  EXPECT_EQ(testenv::ReadFile(Record(kDefault)), Bytes(Defaults()));
  EXPECT_FALSE(fs::exists(Root() / kDefault / "1.pzl"));
  EXPECT_EQ(Last(), kDefault);
  EXPECT_TRUE(fs::exists(Root() / "game.xml")) << "the game folder stays";
}

TEST_F(ProfileDialog, ALinkedPlayerFolderIsNeitherFollowedNorChosen) {
  Player("Anna", 10);
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  const fs::path outside = fs::path(docs) / "Elsewhere";
  testenv::WriteFile(outside / "set.bin", "not ours");
  fs::create_directory_symlink(outside, Root() / "Link");
  PROFILE& p = Start();
  p.AddProfile();
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"}) << "a link is no player";
  EXPECT_EQ(AddName(L"Link"), PROFILE::kDialogOpen);
  ASSERT_STREQ(p.Dialog()->GetCurString(), "Link");
  EXPECT_EQ(Delete(), PROFILE::kDialogOpen);
  EXPECT_EQ(testenv::ReadFile(outside / "set.bin"), "not ours");
  EXPECT_TRUE(fs::is_symlink(Root() / "Link"));
  EXPECT_EQ(Rows(), std::vector<std::string>{"Anna"}) << "listed again from the disk";
  EXPECT_STREQ(p.GetPlayerName(), "Anna");
  EXPECT_EQ(Last(), "Anna");
}

TEST_F(ProfileDialog, CancelChangesNothing) {
  Player("Anna", 10);
  Player("Bob", 77);
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  PROFILE& p = Start();
  p.AddProfile();
  EXPECT_EQ(AddName(L"Cleo"), PROFILE::kDialogOpen);
  EXPECT_EQ(Cancel(), 0);
  EXPECT_FALSE(p.IsDialogOpen());
  EXPECT_EQ(Frame(), 0);
  EXPECT_STREQ(p.GetPlayerName(), "Anna");
  EXPECT_EQ(p.GetSettings()->Score, 10);
  EXPECT_EQ(Last(), "Anna");
  EXPECT_FALSE(fs::exists(Root() / "Cleo"));
}

TEST_F(ProfileDialog, TheWindowIsDrawnAndLaidOutThroughTheKeeper) {
  PROFILE& p = Start();
  plat::gfx::ClearRecorded();
  p.Render();
  const unsigned long window = p.Dialog()->window->GetTexture();
  ASSERT_EQ(dialogtest::QuadsOf(window).size(), 1u);
  EXPECT_EQ(dialogtest::QuadsOf(window)[0].x0, 512.0f - 360.0f);
  game().middle = JST::iPOINT(612, 384);
  p.Reset(1224, 768);
  plat::gfx::ClearRecorded();
  p.Render();
  EXPECT_EQ(dialogtest::QuadsOf(window)[0].x0, 612.0f - 360.0f);
  EXPECT_EQ(ClickAt(448, 672), PROFILE::kDialogOpen) << "OK has moved";
  EXPECT_EQ(ClickAt(548, 672), PROFILE::kPlayerChanged);
  plat::gfx::ClearRecorded();
  p.Render();
  p.Reset(1024, 768);
  EXPECT_TRUE(dialogtest::DrawnQuads().empty()) << "nothing once closed";
}

TEST_F(ProfileDialog, TheHeaderLineNamesThePlayer) {
  static char header[] = "Hi %s";
  chTEXT_MAIN_HEADER = header;
  Player("Anna", 10);
  testenv::WriteFile(Root() / "LC.pzl", "Anna");
  PROFILE& p = Start();
  p.AddProfile();
  EXPECT_EQ(Cancel(), 0);  // the closed window leaves the font to the keeper
  plat::gfx::ClearRecorded();
  p.RenderName(512, 100);
  const auto glyphs = dialogtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(glyphs.size(), 6u) << "H i A n n a";
  // Six 16-pixel advances and the glyphless space's 6 measured, centred on
  // x 512, half a line above y 80 = trunc(0.8 x 100).
  EXPECT_EQ(glyphs[0].x0, 512.0f - 51.0f);
  EXPECT_EQ(glyphs[0].y0, 80.0f - 12.0f);
  EXPECT_EQ(glyphs[0].color, uint32_t(C_FONT_MAIN_COLOR));

  profile = std::make_unique<PROFILE>(nullptr, &game());
  testing::internal::CaptureStdout();
  profile->RenderName(512, 100);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("NO FONT IN PROFILE"), std::string::npos);
}

}  // namespace
