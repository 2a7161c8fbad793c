// Sprites made while a pack is selected in the file service read their
// image out of that pack; with no pack selected the same name is a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/game.h"
#include "ST/sprite.h"
#include "tests/support/texture_support.h"
#include "tests/support/test_env.h"
#include "tools/pack/pack_writer.h"

namespace gfx = plat::gfx;

namespace {

TEST(SpriteFromPack, ReadsTheSelectedPackAndFallsBackToTheDefault) {
  gfx::SetBackendForTests(gfx::Backend::Recording);
  ZOV::ST_GAME* game = ZOV::GetGame();
  game->app.Window().SetBackBufferSize(320, 240);
  ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
  ZOV::JINGFX* r = game->GetGfx();

  const std::string dir = testenv::FreshDir("spritepack");
  const std::string png = textest::PngBytes(dir + "/scratch.png", 40, 30, textest::Pattern(40, 30));
  std::string pack = dir + "/gui", password = "pw", err;
  ASSERT_TRUE(packtool::WritePack(pack, {{"b.png", png, false, std::nullopt}}, password, &err)) << err;

  ZOV::ifile.ZipSetCurrentPack(pack.data());
  ZOV::ifile.ZipSetCurrentPass(password.data());
  {
    JSPRITE s("b.png", 0);
    EXPECT_NE(s.GetTexture(), r->defaultTexture);
    EXPECT_EQ(s.GetMyTexWidth(1), 40);
    EXPECT_EQ(s.hotSpot.y, 15);
    testing::internal::CaptureStdout();
    JSPRITE missing("nope.png", 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Zip textue not load 3 nope.png\n"), std::string::npos) << out;
    EXPECT_EQ(missing.GetTexture(), r->defaultTexture);
    EXPECT_EQ(missing.GetMyTexWidth(1), 40) << "a failed load keeps the last size";
  }
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  ZOV::ifile.ZipSetCurrentPass(nullptr);
  testing::internal::CaptureStdout();
  JSPRITE onDisk("b.png", 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n\nTextue not load b.png\n") << "no pack: a file name";
  gfx::SetBackendForTests(gfx::Backend::GL);
}

}  // namespace
