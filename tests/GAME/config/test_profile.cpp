// The player profiles in a private documents folder: first start, a new
// installation, loading the last player, choosing, adding and deleting
// players, names that must be refused, damaged records, scores for the
// leader board, and "game.xml" kept in step with the record.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "GAME/config/config.h"
#include "GAME/config/player_name.h"
#include "GAME/config/player_record.h"
#include "GAME/config/profile.h"
#include "ST/file.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "tests/support/as_user.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;
using GAME::PROFILE;
using GAME::PUZZLE_PLAYER_PROFILE;

namespace {

const std::string kDefault = "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA";  // "Игрок"

std::string Bytes(const PUZZLE_PLAYER_PROFILE& r) {
  const auto b = r.Encode();
  return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

PUZZLE_PLAYER_PROFILE Defaults(int screen, bool full) {
  PUZZLE_PLAYER_PROFILE r;
  r.SetDefaults(screen, full);
  return r;
}

std::set<std::string> Entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

struct VideoXml {
  int resX = 0, resY = 0;
  bool full = false;
};

VideoXml ReadVideoXml(const fs::path& p) {
  pugi::xml_document doc;
  doc.load_file(p.c_str());
  const pugi::xml_node main = doc.child("Config").child("Main");
  return {main.attribute("resX").as_int(), main.attribute("resY").as_int(), main.attribute("FullScreen").as_bool()};
}

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    GAME::ApplyConfigDefaults();
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    docs = testenv::FreshDir("docs");
    setenv("XDG_DOCUMENTS_DIR", docs.c_str(), 1);
    Engine({1920, 1080}, 1024, 768, false);
  }
  void TearDown() override {
    ZOV::iFile::SetWriteFaultHookForTests(nullptr);
    profile.reset();
    game.reset();
    plat::gfx::DestroyDevice();
    plat::ClearDisplayForTests();
  }
  // A new engine object on a desktop of that size, running w x h.
  void Engine(plat::IPt desktop, int w, int h, bool full) {
    profile.reset();
    game.reset();
    plat::SetDisplayForTests(desktop, {{1024, 768, 60}, {1920, 1080, 60}});
    game = std::make_unique<ZOV::ST_GAME>();
    game->companyName = "Co";
    game->productName = "Game";
    Mode(w, h, full);
  }
  void Mode(int w, int h, bool full) {
    game->resX = w;
    game->resY = h;
    game->screenRes = w * h;
    game->fullScreen = full;
  }
  PROFILE& Start() {
    profile = std::make_unique<PROFILE>(nullptr, game.get());
    return *profile;
  }
  fs::path Root() const { return fs::path(docs) / "Co" / "Game"; }
  fs::path Player(const std::string& name) const { return Root() / name; }
  fs::path Record(const std::string& name) const { return Player(name) / "set.bin"; }
  std::string Last() const { return testenv::ReadFile(Root() / "LC.pzl"); }
  void WriteRecord(const std::string& name, const PUZZLE_PLAYER_PROFILE& r) { testenv::WriteFile(Record(name), Bytes(r)); }
  void SetLast(const std::string& name) { testenv::WriteFile(Root() / "LC.pzl", name); }

  std::string docs;
  std::unique_ptr<ZOV::ST_GAME> game;
  std::unique_ptr<PROFILE> profile;
};

TEST_F(Profile, NewInstallationNamesTheDefaultPlayerAndWritesNoRecordUntilSaved) {
  fs::create_directories(Root());
  PROFILE& p = Start();
  EXPECT_EQ(Last(), kDefault);
  EXPECT_TRUE(fs::is_directory(Player(kDefault)));
  EXPECT_FALSE(fs::exists(Record(kDefault)));
  EXPECT_EQ(p.IsFirstStart(), 0);
  EXPECT_EQ(p.Update(), 0);
  EXPECT_FALSE(p.IsDialogOpen());
  EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
  ASSERT_TRUE(p.SaveSettings());
  EXPECT_EQ(testenv::ReadFile(Record(kDefault)), Bytes(Defaults(786432, false)));
  const VideoXml xml = ReadVideoXml(Root() / "game.xml");
  EXPECT_EQ(xml.resX, 1024);
  EXPECT_EQ(xml.resY, 768);
  EXPECT_FALSE(xml.full);
}

TEST_F(Profile, FirstStartCreatesTheFoldersAndTheDefaultPlayer) {
  testing::internal::CaptureStdout();
  PROFILE& p = Start();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("FirstTimeStart" + std::string(game->GetGameProfileDirg())), std::string::npos) << out;
  EXPECT_TRUE(fs::is_directory(Player(kDefault)));
  EXPECT_EQ(Last(), kDefault);
  EXPECT_EQ(p.IsFirstStart(), 1);
  EXPECT_EQ(p.PlayerList(), std::vector<std::string>{kDefault});
  ZOV::JINVECPTR<char*>* names = p.GetNames();
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(std::string(names->value), kDefault);
  EXPECT_EQ(names->index, 0);
  EXPECT_EQ(names->next, nullptr);
}

TEST_F(Profile, LoadingTheLastPlayerTakesTheScreenFromTheEngine) {
  struct Row {
    plat::IPt desktop;
    int screen;
  };
  for (const Row& row : {Row{{1920, 1080}, 786432}, Row{{1024, 768}, 0}}) {
    Engine(row.desktop, 1024, 768, true);
    fs::remove_all(Root());
    PUZZLE_PLAYER_PROFILE anna = Defaults(1296000, false);
    anna.Score = 1000;
    WriteRecord("Anna", anna);
    SetLast("Anna");
    ASSERT_EQ(testenv::ReadFile(Record("Anna")).substr(60, 4), std::string("\xE8\x03\x00\x00", 4));
    PROFILE& p = Start();
    EXPECT_STREQ(p.GetPlayerName(), "Anna");
    EXPECT_EQ(p.GetSettings()->Score, 1000);
    EXPECT_EQ(p.GetSettings()->screen, row.screen);
    EXPECT_TRUE(p.GetSettings()->Full);
    EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(anna)) << "loading does not write";
  }
}

TEST_F(Profile, ALostLastPlayerFileKeepsTheDefaultPlayersRecord) {
  PUZZLE_PLAYER_PROFILE old = Defaults(786432, false);
  old.Score = 500;
  old.trofei[PUZZLE_PLAYER_PROFILE::LORD] = 1;
  WriteRecord(kDefault, old);
  PROFILE& p = Start();
  EXPECT_EQ(Last(), kDefault);
  ASSERT_TRUE(p.SaveSettings());
  PUZZLE_PLAYER_PROFILE back;
  ASSERT_EQ(GAME::ReadRecordFile(Record(kDefault).string(), &back), GAME::RecordRead::kLoaded);
  EXPECT_EQ(back.Score, 500);
  EXPECT_EQ(back.trofei[PUZZLE_PLAYER_PROFILE::LORD], 1);
}

TEST_F(Profile, AMissingPlayerFolderIsMadeBeforeItsRecord) {
  fs::create_directories(Root());
  SetLast("Anna");
  testing::internal::CaptureStdout();
  PROFILE& p = Start();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Character folder not exist"), std::string::npos);
  EXPECT_STREQ(p.GetPlayerName(), "Anna");
  EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(Defaults(786432, false)));
}

TEST_F(Profile, ADamagedRecordIsKeptAsideAndTheDefaultsUsed) {
  PUZZLE_PLAYER_PROFILE earned = Defaults(786432, false);
  earned.Score = 1000;
  const std::string whole = Bytes(earned);
  for (const std::string& damaged : {std::string(), whole.substr(0, 10), whole + std::string(24, '\x07')}) {
    fs::remove_all(Root());
    testenv::WriteFile(Record("Anna"), damaged);
    SetLast("Anna");
    testing::internal::CaptureStdout();
    PROFILE& p = Start();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Settings damaged (" + std::to_string(damaged.size()) + " bytes)"), std::string::npos) << out;
    EXPECT_EQ(*p.GetSettings(), Defaults(786432, false)) << damaged.size();
    EXPECT_EQ(testenv::ReadFile(Player("Anna") / "set.bin.bad"), damaged);
    EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(Defaults(786432, false)));
    p.GetSettings()->Score = 3;
    ASSERT_TRUE(p.SaveSettings());
    EXPECT_EQ(fs::file_size(Record("Anna")), 76u);
    EXPECT_EQ(testenv::ReadFile(Player("Anna") / "set.bin.bad"), damaged) << "a save never touches the damaged copy";
  }
  // Something that is no file at all is set aside the same way.
  fs::remove_all(Root());
  fs::create_directories(Record("Bob"));
  testenv::WriteFile(Record("Bob") / "inside", "x");
  SetLast("Bob");
  PROFILE& p = Start();
  EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
  EXPECT_EQ(testenv::ReadFile(Player("Bob") / "set.bin.bad" / "inside"), "x");
  EXPECT_EQ(fs::file_size(Record("Bob")), 76u);
}

TEST_F(Profile, UnusableRecordValuesAreReplacedOnLoad) {
  PUZZLE_PLAYER_PROFILE r = Defaults(786432, false);
  r.MusicVolum = std::nanf("");
  r.trofei[PUZZLE_PLAYER_PROFILE::SAGE] = 200;
  std::string bytes = Bytes(r);
  bytes[PUZZLE_PLAYER_PROFILE::kCursor] = 7;
  testenv::WriteFile(Record("Anna"), bytes);
  SetLast("Anna");
  testing::internal::CaptureStdout();
  PROFILE& p = Start();
  EXPECT_NE(testing::internal::GetCapturedStdout().find("unusable values replaced: trofei[5] MusicVolum"),
            std::string::npos);
  EXPECT_FLOAT_EQ(p.GetSettings()->MusicVolum, 0.3f);
  EXPECT_EQ(p.GetSettings()->trofei[PUZZLE_PLAYER_PROFILE::SAGE], 6);
  EXPECT_TRUE(p.GetSettings()->Cursor);
}

TEST_F(Profile, ALastPlayerFileWithAnUnusableNameFallsBackToTheDefaultPlayer) {
  fs::create_directories(fs::path(docs) / "Photos");
  testenv::WriteFile(fs::path(docs) / "Co" / "Other" / "keep.txt", "keep");
  for (const std::string& bad : {std::string("../x"), std::string("../Other"), std::string(""), std::string("."),
                                 std::string(".."), std::string("a/b"), std::string("Anna\n"), std::string("/etc"),
                                 std::string("A B"), std::string("\xFF"), std::string("a\0b", 3)}) {
    fs::remove_all(Root());
    SetLast(bad);
    PROFILE& p = Start();
    EXPECT_STREQ(p.GetPlayerName(), kDefault.c_str()) << GAME::PrintableName(bad);
    EXPECT_EQ(Last(), kDefault);
    EXPECT_EQ(Entries(Root()), (std::set<std::string>{"LC.pzl", kDefault}));
    EXPECT_EQ(Entries(fs::path(docs) / "Co"), (std::set<std::string>{"Game", "Other"}));
    EXPECT_EQ(Entries(docs), (std::set<std::string>{"Co", "Photos"}));
    EXPECT_EQ(testenv::ReadFile(fs::path(docs) / "Co" / "Other" / "keep.txt"), "keep");
  }
}

TEST_F(Profile, EmptyCompanyAndProductNamesKeepPlayersOutOfTheDocumentsFolder) {
  fs::create_directories(fs::path(docs) / "Photos");
  game->companyName = "";
  game->productName = "..";
  PROFILE& p = Start();
  EXPECT_EQ(p.GetRoot(), docs + "/VURAVAZ/Jigsaw/");
  EXPECT_EQ(p.PlayerList(), std::vector<std::string>{kDefault});
  EXPECT_TRUE(fs::is_directory(fs::path(docs) / "Photos"));
  EXPECT_EQ(Entries(docs), (std::set<std::string>{"Photos", "VURAVAZ"}));
}

TEST_F(Profile, LongCompanyAndProductNamesAreCutToFolderNames) {
  // 256 bytes, and 1 + 150 × 2 bytes whose 200-byte cut falls inside a "Ж".
  game->companyName = std::string(256, 'L');
  game->productName = "P";
  for (int i = 0; i < 150; ++i) game->productName += "Ж";
  std::string product = "P";
  for (int i = 0; i < 99; ++i) product += "Ж";
  PROFILE& p = Start();
  const fs::path root = fs::path(docs) / std::string(200, 'L') / product;
  EXPECT_EQ(p.GetRoot(), root.string() + "/");
  EXPECT_EQ(testenv::ReadFile(root / "LC.pzl"), kDefault);
  EXPECT_TRUE(fs::is_directory(root / kDefault));
  ASSERT_TRUE(p.SaveSettings());
  EXPECT_TRUE(fs::is_regular_file(root / kDefault / "set.bin"));
  EXPECT_TRUE(fs::is_regular_file(root / "game.xml"));
}

TEST_F(Profile, ChoosingANewPlayerCreatesTheirFolderAndDefaultRecord) {
  fs::create_directories(Root());
  PROFILE& p = Start();
  fs::remove(Root() / "game.xml");
  testing::internal::CaptureStdout();
  ASSERT_EQ(p.ChoosePlayer("Cleo"), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("manager send new name\nname lengh 4\n"), std::string::npos) << out;
  EXPECT_STREQ(p.GetPlayerName(), "Cleo");
  EXPECT_EQ(Last(), "Cleo");
  EXPECT_EQ(testenv::ReadFile(Record("Cleo")), Bytes(Defaults(786432, false)));
  EXPECT_EQ(ReadVideoXml(Root() / "game.xml").resX, 1024) << "game.xml rewritten";
  EXPECT_EQ(p.PlayerList(), (std::vector<std::string>{"Cleo", kDefault}));
  // Names are case-sensitive: "cleo" is another player.
  ASSERT_EQ(p.ChoosePlayer("cleo"), 0);
  EXPECT_EQ(p.PlayerList(), (std::vector<std::string>{"Cleo", "cleo", kDefault}));
}

TEST_F(Profile, ChoosingAnExistingPlayerLoadsTheirRecord) {
  fs::create_directories(Root());
  PUZZLE_PLAYER_PROFILE bob = Defaults(786432, false);
  bob.Score = 77;
  bob.Color = 0x11223344;
  WriteRecord("Bob", bob);
  PROFILE& p = Start();
  ASSERT_EQ(p.ChoosePlayer("Bob"), 0);
  EXPECT_EQ(p.GetSettings()->Score, 77);
  EXPECT_EQ(p.GetSettings()->Color, 0x11223344);
  EXPECT_EQ(Last(), "Bob");
  EXPECT_EQ(testenv::ReadFile(Record("Bob")), Bytes(bob));
}

TEST_F(Profile, UnusableNamesAreRefusedAndChangeNothing) {
  fs::create_directories(Root());
  testenv::WriteFile(fs::path(docs) / "Co" / "Other" / "keep.txt", "keep");
  PROFILE& p = Start();
  const std::set<std::string> before = Entries(Root());
  const std::vector<std::string> refused = {"",   ".",    "..",    "../Other", "a/b", "Cl eo", "x\ty",
                                            "a\\b", "Anna.", "%s%n", "/tmp",     "№",   "\xFF"};
  for (const std::string& name : refused) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(p.ChoosePlayer(name.c_str()), -1) << GAME::PrintableName(name);
    EXPECT_EQ(p.DeletePlayer(name.c_str()), -1) << GAME::PrintableName(name);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("refused"), std::string::npos) << out;
    EXPECT_STREQ(p.GetPlayerName(), kDefault.c_str());
    EXPECT_EQ(Last(), kDefault);
    EXPECT_EQ(Entries(Root()), before);
  }
  EXPECT_EQ(p.ChoosePlayer(nullptr), -1);
  EXPECT_EQ(p.DeletePlayer(nullptr), -1);
  EXPECT_EQ(testenv::ReadFile(fs::path(docs) / "Co" / "Other" / "keep.txt"), "keep");
  EXPECT_TRUE(fs::is_directory(Root()));
}

TEST_F(Profile, DeletingAPlayerRemovesTheirWholeFolder) {
  PUZZLE_PLAYER_PROFILE bob = Defaults(786432, false);
  bob.Score = 77;
  WriteRecord("Bob", bob);
  WriteRecord("Anna", Defaults(786432, false));
  testenv::WriteFile(Player("Anna") / "1.pzl", "<Save/>");
  testenv::WriteFile(Player("Anna") / "Progress.xml", "<Progress/>");
  testenv::WriteFile(Player("Anna") / "locked.txt", "x");
  fs::permissions(Player("Anna") / "locked.txt", fs::perms::owner_read);
  SetLast("Anna");
  PROFILE& p = Start();
  testing::internal::CaptureStdout();
  ASSERT_EQ(p.DeletePlayer("Anna"), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("DELETING " + Player("Anna").string()), std::string::npos);
  EXPECT_FALSE(fs::exists(Player("Anna")));
  EXPECT_STREQ(p.GetPlayerName(), "Anna") << "deleting does not switch";
  // The selection window then makes its new selection the current player.
  ASSERT_EQ(p.ChoosePlayer("Bob"), 0);
  EXPECT_EQ(Last(), "Bob");
  EXPECT_EQ(p.GetSettings()->Score, 77);
  EXPECT_EQ(p.PlayerList(), std::vector<std::string>{"Bob"});
}

TEST_F(Profile, DeletingTheOnlyPlayerLeavesAFreshDefaultPlayer) {
  fs::create_directories(Root());
  PROFILE& p = Start();
  p.GetSettings()->Score = 9;
  ASSERT_TRUE(p.SaveSettings());
  ASSERT_EQ(p.DeletePlayer(kDefault.c_str()), 0);
  EXPECT_FALSE(fs::exists(Player(kDefault)));
  ASSERT_EQ(p.ChoosePlayer(GAME::DefaultPlayerName().c_str()), 0);
  EXPECT_TRUE(fs::is_directory(Player(kDefault)));
  EXPECT_EQ(p.GetSettings()->Score, 0);
  EXPECT_EQ(testenv::ReadFile(Record(kDefault)), Bytes(Defaults(786432, false)));
  EXPECT_EQ(Last(), kDefault);
  EXPECT_EQ(p.PlayerList(), std::vector<std::string>{kDefault});
}

TEST_F(Profile, DeletionNeverReachesOutsideThePlayersFolder) {
  const fs::path outside = testenv::FreshDir("outside");
  testenv::WriteFile(outside / "keep.txt", "keep");
  testenv::WriteFile(outside / "sub" / "deep.txt", "deep");
  WriteRecord("Anna", Defaults(786432, false));
  fs::create_directory_symlink(outside, Player("Anna") / "linked");
  fs::create_symlink(outside / "keep.txt", Player("Anna") / "file-link");
  fs::create_directory_symlink(outside, Root() / "Evil");
  testenv::WriteFile(Root() / "Note", "note");
  PROFILE& p = Start();
  EXPECT_EQ(p.PlayerList(), (std::vector<std::string>{"Anna", kDefault})) << "links and files are no players";
  ASSERT_EQ(p.DeletePlayer("Anna"), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(Player("Anna"))));
  EXPECT_EQ(p.DeletePlayer("Evil"), -1);
  EXPECT_EQ(p.DeletePlayer("Note"), -1);
  EXPECT_TRUE(fs::is_symlink(Root() / "Evil"));
  EXPECT_EQ(testenv::ReadFile(Root() / "Note"), "note");
  EXPECT_EQ(testenv::ReadFile(outside / "keep.txt"), "keep");
  EXPECT_EQ(testenv::ReadFile(outside / "sub" / "deep.txt"), "deep");
  // A name that is listed but has no folder yet leaves nothing to delete.
  EXPECT_EQ(p.DeletePlayer("Zed"), 0);
}

TEST_F(Profile, AnEmptyDefaultNameNeverCostsTheGameFolder) {
  char empty[] = "";
  char* saved = chTEXT_DEFAULT_NAME;
  chTEXT_DEFAULT_NAME = empty;
  EXPECT_EQ(GAME::DefaultPlayerName(), kDefault);
  fs::create_directories(Root());
  PROFILE& p = Start();
  ASSERT_TRUE(p.SaveSettings());
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(p.DeletePlayer(GAME::DefaultPlayerName().c_str()), 0);
    EXPECT_EQ(p.DeletePlayer(chTEXT_DEFAULT_NAME), -1);
    ASSERT_EQ(p.ChoosePlayer(GAME::DefaultPlayerName().c_str()), 0);
  }
  EXPECT_TRUE(fs::is_regular_file(Root() / "game.xml"));
  EXPECT_TRUE(fs::is_regular_file(Root() / "LC.pzl"));
  chTEXT_DEFAULT_NAME = saved;
}

TEST_F(Profile, AConfiguredDefaultNameWithABlankIsStillUsable) {
  char name[] = "Player 1";
  char* saved = chTEXT_DEFAULT_NAME;
  chTEXT_DEFAULT_NAME = name;
  fs::create_directories(Root());
  {
    PROFILE& p = Start();
    EXPECT_STREQ(p.GetPlayerName(), "Player 1");
    ASSERT_TRUE(p.SaveSettings());
  }
  PROFILE& again = Start();
  EXPECT_STREQ(again.GetPlayerName(), "Player 1");
  EXPECT_EQ(again.PlayerList(), std::vector<std::string>{"Player 1"});
  EXPECT_EQ(again.DeletePlayer("Player 1"), 0);
  chTEXT_DEFAULT_NAME = saved;
}

// Permissions do not stop root, so the player's part runs as an ordinary
// user; its checks come back as the child's result.
TEST_F(Profile, AFailedDeletionKeepsThePlayer) {
  WriteRecord("Anna", Defaults(786432, false));
  const int result = testenv::RunAsOrdinaryUser(docs, [this] {
    PROFILE& p = Start();
    // The game folder cannot lose entries: Anna's folder cannot go.
    fs::permissions(Root(), fs::perms::owner_read | fs::perms::owner_exec);
    testing::internal::CaptureStdout();
    const int deleted = p.DeletePlayer("Anna");
    const std::string out = testing::internal::GetCapturedStdout();
    fs::permissions(Root(), fs::perms::owner_all);
    if (deleted != -2) return 1;
    if (out.find("Player folder not deleted") == std::string::npos) return 2;
    if (!fs::is_directory(Player("Anna"))) return 3;
    if (p.PlayerList() != std::vector<std::string>{"Anna", kDefault}) return 4;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(fs::is_directory(Player("Anna")));
}

// A player folder that is a link leads out of the game folder: whatever is
// there is never read, written, set aside or deleted, and the link is no
// player to list or choose.
TEST_F(Profile, APlayerFolderThatIsALinkIsNeverUsed) {
  struct Row {
    const char* label;
    std::string linked;
    const char* last;  // "LC.pzl", null: none
  };
  const Row rows[] = {
      {"another player named by LC.pzl", "Anna", "Anna"},
      {"the default player named by LC.pzl", kDefault, kDefault.c_str()},
      {"the default player, no LC.pzl", kDefault, nullptr},
  };
  PUZZLE_PLAYER_PROFILE earned = Defaults(786432, false);
  earned.Score = 1000;
  const std::string damaged = Bytes(earned).substr(0, 10);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    fs::remove_all(Root());
    const fs::path outside = testenv::FreshDir("elsewhere");
    testenv::WriteFile(outside / "set.bin", damaged);
    testenv::WriteFile(outside / "set.bin.bad", "older");
    fs::create_directories(Root());
    fs::create_directory_symlink(outside, Player(row.linked));
    if (row.last) SetLast(row.last);
    PROFILE& p = Start();
    EXPECT_STREQ(p.GetPlayerName(), kDefault.c_str());
    EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
    EXPECT_EQ(p.ChoosePlayer(row.linked.c_str()), -1);
    EXPECT_EQ(p.DeletePlayer(row.linked.c_str()), -1);
    p.GetSettings()->Score = 5;
    EXPECT_EQ(p.SaveSettings(), row.linked != kDefault);
    if (row.linked != kDefault) {
      EXPECT_EQ(p.PlayerList(), std::vector<std::string>{kDefault});
      EXPECT_EQ(p.GetScore4Player(row.linked.c_str()), -1);
    }
    EXPECT_TRUE(fs::is_symlink(Player(row.linked)));
    EXPECT_EQ(testenv::ReadFile(outside / "set.bin"), damaged);
    EXPECT_EQ(testenv::ReadFile(outside / "set.bin.bad"), "older");
    EXPECT_EQ(Entries(outside), (std::set<std::string>{"set.bin", "set.bin.bad"}));
  }
}

TEST_F(Profile, ARecordSetAsideEarlierIsNeverReplaced) {
  PUZZLE_PLAYER_PROFILE earned = Defaults(786432, false);
  earned.Score = 1000;
  const std::string first = Bytes(earned).substr(0, 10), second = Bytes(earned) + "xx";
  testenv::WriteFile(Player("Anna") / "set.bin.bad", first);
  testenv::WriteFile(Record("Anna"), second);
  SetLast("Anna");
  testing::internal::CaptureStdout();
  PROFILE& p = Start();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("kept as " + (Player("Anna") / "set.bin.bad.1").string()), std::string::npos) << out;
  EXPECT_EQ(testenv::ReadFile(Player("Anna") / "set.bin.bad"), first);
  EXPECT_EQ(testenv::ReadFile(Player("Anna") / "set.bin.bad.1"), second);
  EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
  EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(Defaults(786432, false)));
}

// With every name to set it aside under taken, the damaged record stays
// where it is, and nothing (a default, a save) is ever written over it.
TEST_F(Profile, ADamagedRecordThatCannotBeSetAsideIsNeverOverwritten) {
  PUZZLE_PLAYER_PROFILE earned = Defaults(786432, false);
  earned.Score = 1000;
  const std::string damaged = Bytes(earned).substr(0, 10);
  testenv::WriteFile(Record("Anna"), damaged);
  fs::create_directories(Player("Anna") / "set.bin.bad");
  for (int i = 1; i < ZOV::iFile::kSetAsideNames; ++i)
    fs::create_directories(Player("Anna") / ("set.bin.bad." + std::to_string(i)));
  SetLast("Anna");
  testing::internal::CaptureStdout();
  PROFILE& p = Start();
  EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
  p.GetSettings()->Score = 7;
  EXPECT_FALSE(p.SaveSettings());
  EXPECT_EQ(p.ChoosePlayer("Anna"), 0);
  EXPECT_FALSE(p.SaveSettings());
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("could not be set aside"), std::string::npos) << out;
  EXPECT_EQ(testenv::ReadFile(Record("Anna")), damaged);
  // Another player is saved as usual.
  ASSERT_EQ(p.ChoosePlayer("Bob"), 0);
  EXPECT_TRUE(p.SaveSettings());
}

// Pipes where "LC.pzl" or "set.bin" should be: start-up never waits on
// them; a pipe for a name is no name, a pipe for a record is a damaged
// record, set aside like one.
TEST_F(Profile, PipesForTheLastPlayerOrTheRecordNeverBlock) {
  struct Row {
    const char* label;
    bool lastIsPipe, recordIsPipe;
  };
  for (const Row& row : {Row{"LC.pzl", true, false}, Row{"set.bin", false, true}}) {
    SCOPED_TRACE(row.label);
    fs::remove_all(Root());
    fs::create_directories(Player("Anna"));
    if (row.lastIsPipe) {
      ASSERT_EQ(mkfifo((Root() / "LC.pzl").c_str(), 0600), 0);
      WriteRecord(kDefault, Defaults(786432, false));
    } else {
      SetLast("Anna");
      ASSERT_EQ(mkfifo(Record("Anna").c_str(), 0600), 0);
    }
    alarm(60);  // a blocked open ends the test program instead of hanging it
    PROFILE& p = Start();
    alarm(0);
    EXPECT_EQ(*p.GetSettings(), Defaults(786432, false));
    if (row.lastIsPipe) {
      EXPECT_STREQ(p.GetPlayerName(), kDefault.c_str());
      EXPECT_TRUE(fs::is_fifo(Root() / "LC.pzl")) << "not replaced";
    } else {
      EXPECT_STREQ(p.GetPlayerName(), "Anna");
      EXPECT_TRUE(fs::is_fifo(Player("Anna") / "set.bin.bad"));
      EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(Defaults(786432, false)));
    }
  }
}

// A muted player's volumes of 0 are settings, not damage.
TEST_F(Profile, VolumesOfZeroLoadAsZero) {
  struct Row {
    float music, sound;
  };
  for (const Row& row : {Row{0.0f, 0.0f}, Row{0.0f, 1.0f}, Row{1.0f, 0.0f}}) {
    fs::remove_all(Root());
    PUZZLE_PLAYER_PROFILE muted = Defaults(786432, false);
    muted.MusicVolum = row.music;
    muted.Sound = row.sound;
    WriteRecord("Anna", muted);
    SetLast("Anna");
    testing::internal::CaptureStdout();
    PROFILE& p = Start();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("unusable values replaced"), std::string::npos) << out;
    EXPECT_EQ(p.GetSettings()->MusicVolum, row.music);
    EXPECT_EQ(p.GetSettings()->Sound, row.sound);
    ASSERT_TRUE(p.SaveSettings());
    EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(muted));
  }
}

TEST_F(Profile, ScoresForTheLeaderBoard) {
  PUZZLE_PLAYER_PROFILE anna = Defaults(786432, false);
  anna.Score = 1000;
  WriteRecord("Anna", anna);
  PUZZLE_PLAYER_PROFILE bob = Defaults(786432, false);
  bob.Score = 77;
  WriteRecord("Bob", bob);
  testenv::WriteFile(Record("Dan"), std::string(10, '\x01'));
  SetLast("Anna");
  PROFILE& p = Start();
  p.GetSettings()->Score = 5;
  EXPECT_EQ(p.GetScore4Player("Anna"), 5) << "the unsaved total of the current player";
  EXPECT_EQ(p.GetScore4Player("Bob"), 77);
  EXPECT_EQ(p.GetScore4Player("Zed"), -1);
  EXPECT_EQ(p.GetScore4Player("Dan"), -1);
  EXPECT_EQ(p.GetScore4Player("../Co/Game/Bob"), -1);
  EXPECT_EQ(p.GetScore4Player(nullptr), -1);
  EXPECT_EQ(testenv::ReadFile(Record("Dan")), std::string(10, '\x01')) << "looking does not repair";
  EXPECT_FALSE(fs::exists(Player("Dan") / "set.bin.bad"));
  std::vector<std::string> listed;
  for (ZOV::JINVECPTR<char*>* n = p.GetNames(); n; n = n->next) {
    EXPECT_EQ(n->index, int(listed.size()));
    listed.emplace_back(n->value);
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"Anna", "Bob", "Dan"}));
}

TEST_F(Profile, SavingRewritesGameXmlForEachScreenCode) {
  struct Row {
    int screen;
    bool full;
    int resX, resY;
    bool xmlFull;
    bool fullAfter;
  };
  const Row rows[] = {
      {0, false, 1920, 1080, true, true},            // the desktop, always full screen
      {1296000, false, 1440, 900, false, false},
      {786432, true, 1024, 768, true, true},
      {2073600, false, 1920, 1080, false, false},
      {12345, true, 1280, 1024, false, false},       // unknown: the engine's size and flag
  };
  fs::create_directories(Root());
  for (const Row& row : rows) {
    Mode(1280, 1024, false);
    PROFILE& p = Start();
    p.GetSettings()->screen = row.screen;
    p.GetSettings()->Full = row.full;
    ASSERT_TRUE(p.SaveSettings());
    const VideoXml xml = ReadVideoXml(Root() / "game.xml");
    EXPECT_EQ(xml.resX, row.resX) << row.screen;
    EXPECT_EQ(xml.resY, row.resY) << row.screen;
    EXPECT_EQ(xml.full, row.xmlFull) << row.screen;
    EXPECT_EQ(p.GetSettings()->Full, row.fullAfter) << row.screen;
    const std::string bytes = testenv::ReadFile(Record(kDefault));
    EXPECT_EQ(bytes[4], row.full ? 1 : 0) << "the file keeps the flag it was saved with";
    EXPECT_EQ(game->resX, row.resX);
  }
}

TEST_F(Profile, FailedWritesAreReportedAsFailures) {
  fs::create_directories(Root());
  PROFILE& p = Start();
  ZOV::iFile::SetWriteFaultHookForTests([](const char*) { return false; });
  testing::internal::CaptureStdout();
  EXPECT_FALSE(p.SaveSettings());
  EXPECT_EQ(p.ChoosePlayer("Cleo"), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_NE(out.find("Not saved " + Record(kDefault).string()), std::string::npos) << out;
  EXPECT_EQ(out.find("Saved "), std::string::npos) << out;
  EXPECT_NE(out.find("Last character not saved"), std::string::npos);
  EXPECT_NE(out.find("Default settings not saved"), std::string::npos);
  EXPECT_EQ(Last(), kDefault) << "the old file stays whole";
  EXPECT_FALSE(fs::exists(Record(kDefault)));
}

TEST_F(Profile, PathsAndTheListOfPlayers) {
  for (const char* name : {"bob", "Anna", "Bob", ".hidden", "a b", "x.y"}) fs::create_directories(Player(name));
  testenv::WriteFile(Root() / "game.xml", "<Config/>");
  SetLast("Bob");
  PROFILE& p = Start();
  EXPECT_EQ(std::string(p.GetPlayerDir()), std::string(game->GetGameProfileDirg()) + "Bob/");
  EXPECT_EQ(std::string(p.GetPlayerDir()).find('\\'), std::string::npos);
  EXPECT_EQ(std::string(p.GetPlayerDir()).find("//"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(Record("Bob")));
  EXPECT_EQ(p.PlayerList(), (std::vector<std::string>{"Anna", "Bob", "bob"}));
  EXPECT_TRUE(p.CheckName("game.xml"));
  EXPECT_FALSE(p.CheckName("Zed"));
  EXPECT_TRUE(p.LoadProfileList());
  std::set<std::string> all;
  for (ZOV::JINVECPTR<char*>* n = p.GetNames(); n; n = n->next) all.insert(n->value);
  EXPECT_EQ(all.count("game.xml"), 0u) << "GetNames lists players only";
  testing::internal::CaptureStdout();
  p.ShowPlayers();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "adrdata " + std::string(game->GetGameProfileDirg()) + "\nname Anna\nname Bob\nname bob\n");
}

TEST_F(Profile, TheHeaderLineNamesThePlayer) {
  fs::create_directories(Root());
  PROFILE& p = Start();
  EXPECT_EQ(p.HeaderLine(), "Добро пожаловать, " + kDefault + " !");
  testing::internal::CaptureStdout();
  p.RenderName(100, 100);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "NO FONT IN PROFILE\n");
}

}  // namespace

namespace {

// Player folders no player could have made through the game, each holding a
// record that must survive: names with printf directives, control
// characters, ".." inside, the longest name a folder may have, and a name
// LC.pzl gives that no folder could have (1,000 characters).
TEST_F(Profile, HostilePlayerFoldersAreNeitherListedNorChosenNorChanged) {
  PUZZLE_PLAYER_PROFILE earned = Defaults(786432, false);
  earned.Score = 777;
  const std::vector<std::string> hostile = {
      "%n%n%s%s%p", "%s", "a\x01" "b", "\x1B[2J\x1B[31mred", "line\rback", "tab\there", "a..b",
      std::string(255, 'x'), "\xD0\x98\xD0", "del\x7F",
  };
  for (const std::string& last : {std::string(1000, 'L'), std::string("%n%n%s%s%p"), std::string("\x1B[2J"),
                                  std::string("a..b"), std::string(255, 'x'), std::string("Anna\x01")}) {
    SCOPED_TRACE(GAME::PrintableName(last.substr(0, 40)));
    fs::remove_all(Root());
    fs::create_directories(Root());
    for (const std::string& name : hostile) WriteRecord(name, earned);
    WriteRecord("Anna", earned);
    SetLast(last);
    testing::internal::CaptureStdout();
    PROFILE& p = Start();
    const std::vector<std::string> list = p.PlayerList();
    ZOV::JINVECPTR<char*>* names = p.GetNames();
    for (const std::string& name : hostile) {
      EXPECT_EQ(p.ChoosePlayer(name.c_str()), -1) << GAME::PrintableName(name);
      EXPECT_EQ(p.DeletePlayer(name.c_str()), -1) << GAME::PrintableName(name);
      EXPECT_EQ(p.GetScore4Player(name.c_str()), -1) << GAME::PrintableName(name);
    }
    const std::string out = testing::internal::GetCapturedStdout();
    // The player a hostile LC.pzl names is never taken; the default is.
    EXPECT_STREQ(p.GetPlayerName(), kDefault.c_str());
    EXPECT_EQ(list, (std::vector<std::string>{"Anna", kDefault}));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(out.find("%n"), out.find("%n%n%s%s%p")) << "a name is printed as it is, never as a format";
    // Log lines quote a name whole only up to their limit.
    EXPECT_EQ(out.find(std::string(300, 'L')), std::string::npos);
    // Every record a player earned is where it was, unchanged.
    for (const std::string& name : hostile)
      EXPECT_EQ(testenv::ReadFile(Record(name)), Bytes(earned)) << GAME::PrintableName(name);
    EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(earned));
    p.GetSettings()->Score = 1;
    EXPECT_TRUE(p.SaveSettings());
    for (const std::string& name : hostile)
      EXPECT_EQ(testenv::ReadFile(Record(name)), Bytes(earned)) << GAME::PrintableName(name);
    EXPECT_EQ(testenv::ReadFile(Record("Anna")), Bytes(earned));
    EXPECT_EQ(Entries(docs), (std::set<std::string>{"Co"}));
  }
}

}  // namespace
