// The game's default data as the game itself reads it: every entry of every
// built pack opens with the configured password and decodes through the
// engine's own texture and sound loaders, every configured image name is
// found in a pack, the edition loads, and the catalogue fits the captions.
#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <zip.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/config_tables.h"
#include "GAME/config/edition.h"
#include "GAME/config/pack_table.h"
#include "ST/file.h"
#include "ST/renderer.h"
#include "ST/sound.h"
#include "platform/gfx.h"
#include "platform/window.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGame(JIGSAW_GAME_DIR);

std::vector<std::string> EntryNames(const fs::path& pack) {
  std::vector<std::string> names;
  int err = 0;
  zip_t* z = zip_open(pack.c_str(), ZIP_RDONLY, &err);
  if (!z) return names;
  const zip_int64_t n = zip_get_num_entries(z, 0);
  for (zip_int64_t i = 0; i < n; ++i)
    if (const char* name = zip_get_name(z, zip_uint64_t(i), 0)) names.emplace_back(name);
  zip_close(z);
  return names;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

class DataPacks : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    gfx = new ZOV::JINGFX();
    window = new plat::Window();
    ASSERT_EQ(gfx->Init(*window), 0);
    GAME::ApplyConfigDefaults();
  }
  static void TearDownTestSuite() {
    delete gfx;
    delete window;
    plat::gfx::DestroyDevice();
  }
  void SetUp() override {
    saved = fs::current_path();
    fs::current_path(kGame);  // pack names are relative to the game folder
  }
  void TearDown() override { fs::current_path(saved); }

  static ZOV::JINGFX* gfx;
  static plat::Window* window;
  fs::path saved;
};
ZOV::JINGFX* DataPacks::gfx = nullptr;
plat::Window* DataPacks::window = nullptr;

TEST_F(DataPacks, EveryImageDecodesThroughTheTextureLoader) {
  int images = 0;
  for (const GAME::PackInfo& pack : GAME::kPacks) {
    if (!pack.selected) continue;
    for (const std::string& name : EntryNames(kGame / pack.file)) {
      if (!EndsWith(name, ".png") && !EndsWith(name, ".jpg")) continue;
      gfx->lastTextureSize = JST::iPOINT(0, 0);
      const unsigned long tex = gfx->TextureLoadZip(pack.file, name.c_str(), pack.password);
      EXPECT_NE(tex, gfx->defaultTexture) << pack.file << " " << name;
      EXPECT_GT(gfx->lastTextureSize.x, 0) << pack.file << " " << name;
      if (tex != gfx->defaultTexture) gfx->TextureFree(tex);
      ++images;
    }
  }
  EXPECT_GT(images, 150);
}

TEST_F(DataPacks, EverySoundPlaysFromTheMusicPackWithItsOwnPassword) {
  ZOV::ST_SS ss;
  ASSERT_TRUE(ss.ok);
  const GAME::PackInfo& music = GAME::kPacks[GAME::kPackMusic];
  const std::vector<std::string> names = EntryNames(kGame / music.file);
  ASSERT_FALSE(names.empty());
  ZOV::ifile.ZipSetCurrentPack(const_cast<char*>(music.file));
  for (const char* password : {"vexo4", music.password}) {
    ZOV::ifile.ZipSetCurrentPass(const_cast<char*>(password));
    for (const std::string& name : names) {
      ZOV::ST_A* s = ZOV::LoadGameSound(&ss, name.c_str());
      if (std::string(password) == music.password)
        EXPECT_NE(s, nullptr) << name;
      else
        EXPECT_EQ(s, nullptr) << name << " must not open with another password";
      delete s;
    }
  }
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  ZOV::ifile.ZipSetCurrentPass(nullptr);
}

TEST_F(DataPacks, EveryConfiguredImageNameIsInAPack) {
  std::set<std::string> entries;
  for (const GAME::PackInfo& pack : GAME::kPacks)
    for (const std::string& name : EntryNames(kGame / pack.file)) entries.insert(name);
  for (const GAME::cfg::ResourceNode& node : GAME::cfg::ResourceTable()) {
    for (const GAME::cfg::ResourceEntry& e : node.entries) {
      if (!e.value) continue;
      const std::string v = e.value;
      if (!EndsWith(v, ".png") && !EndsWith(v, ".jpg") && !EndsWith(v, ".ogg")) continue;
      if (v.front() == '.') continue;  // an extension setting, not a file
      EXPECT_TRUE(entries.count(v)) << e.key << " = " << v;
    }
  }
}

TEST_F(DataPacks, TheEditionLoadsFromItsPack) {
  testing::internal::CaptureStdout();
  LoadEdition();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("LoadEdition... OK"), std::string::npos) << out;
  EXPECT_TRUE(gEdition.run_if_url_lost);
  EXPECT_TRUE(gEdition.run_if_exe_lost);
  EXPECT_EQ(gEdition.url_file, "");
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr) << "no pack stays selected";
}

TEST_F(DataPacks, TheCatalogueHasACaptionForEveryChapter) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file((kGame / "pzls.xml").c_str()));
  size_t chapters = 0;
  for (pugi::xml_node n = doc.first_child().first_child(); n; n = n.next_sibling()) ++chapters;
  EXPECT_GE(chapters, 1u);
  EXPECT_LE(chapters, chCATEGORIES_NAMES.size());
}

}  // namespace
