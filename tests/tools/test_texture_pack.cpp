// Textures read out of packs written by the pack writer at test time: the
// right size and pixels, a missing pack, a missing entry, a wrong password
// and a picture cut short, each with its lines, its last texture size and
// the pack closed afterwards; the password never printed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/renderer.h"
#include "platform/window.h"
#include "tests/support/texture_support.h"
#include "tests/support/test_env.h"
#include "tools/pack/pack_writer.h"

namespace gfx = plat::gfx;

namespace {

constexpr const char* kPassword = "s3cret-pw";

std::vector<std::string> gBoxes;
int RecordBox(const char* text, const char* caption) {
  gBoxes.push_back(std::string(caption) + ": " + text);
  return 0;
}

class TexturePack : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    dir = testenv::FreshDir("texpack");
    pixels = textest::Pattern(100, 60);
    png = textest::PngBytes(dir + "/scratch.png", 100, 60, pixels);
    ASSERT_GT(png.size(), 100u);
    pack = dir + "/gui";
    std::vector<packtool::PackEntry> entries = {
        {"pic.png", png, false, std::nullopt},
        {"deflated.png", png, true, std::nullopt},
        {"cut.png", png.substr(0, png.size() / 2), false, std::nullopt},
        {"text.txt", "not a picture", true, std::nullopt},
        {"wide.png", textest::PngBytes(dir + "/wide.png", 8193, 1, std::vector<uint32_t>(8193, 0xFF0000FFu)), true,
         std::nullopt},
    };
    std::string err;
    ASSERT_TRUE(packtool::WritePack(pack, entries, kPassword, &err)) << err;
    r = std::make_unique<ZOV::JINGFX>();
    win.SetBackBufferSize(320, 240);
    gBoxes.clear();
    plat::SetMessageBoxHook(&RecordBox);
  }
  void TearDown() override {
    r.reset();
    ZOV::ifile.ZipCloze();
    plat::SetMessageBoxHook(nullptr);
    gfx::SetBackendForTests(gfx::Backend::GL);
  }
  // Loads and returns what was printed.
  std::string Load(const std::string& packPath, const char* entry, const char* password, unsigned long* tex) {
    testing::internal::CaptureStdout();
    *tex = r->TextureLoadZip(packPath.c_str(), entry, password);
    std::string out = testing::internal::GetCapturedStdout();
    // The file service may report a failed read itself; that line is its own.
    for (size_t at; (at = out.find("ReadError\n")) != std::string::npos;) out.erase(at, 10);
    EXPECT_EQ(out.find(kPassword), std::string::npos) << "the password stays out of the output";
    EXPECT_FALSE(ZOV::ifile.IsPackOpen()) << "the pack is closed on every path";
    EXPECT_EQ(ZOV::ifile.read_buffer, nullptr);
    return out;
  }
  void SetLastSize(int w, int h) { r->TextureCreate(w, h); }

  std::string dir, pack, png;
  std::vector<uint32_t> pixels;
  plat::Window win;
  std::unique_ptr<ZOV::JINGFX> r;
};

TEST_F(TexturePack, AnEntryLoadsAtItsSizeWithItsPixels) {
  ASSERT_EQ(r->Init(win), 0);
  for (const char* entry : {"pic.png", "deflated.png"}) {
    SCOPED_TRACE(entry);
    SetLastSize(3, 3);
    unsigned long tex = 0;
    EXPECT_EQ(Load(pack, entry, kPassword, &tex), "");
    ASSERT_NE(tex, r->defaultTexture);
    EXPECT_EQ(r->lastTexture, tex);
    EXPECT_EQ(r->lastTextureSize.x, 100);
    EXPECT_EQ(r->lastTextureSize.y, 60);
    plat::Image img;
    ASSERT_TRUE(gfx::ReadPixels(gfx::Tex(tex), img));
    EXPECT_EQ(img.argb, pixels);
  }
}

struct Failure {
  const char* what;
  bool otherPack;  // a pack file that does not exist
  const char* entry;
  const char* password;
  std::vector<std::string> lines;  // printed lines, "%p" = the pack path
  int lastW, lastH;                // last texture size afterwards
};

std::string Expand(const std::vector<std::string>& lines, const std::string& packPath) {
  std::string out;
  for (std::string l : lines) {
    const size_t at = l.find("%p");
    if (at != std::string::npos) l.replace(at, 2, packPath);
    out += l + "\n";
  }
  return out;
}

TEST_F(TexturePack, FailuresGiveTheDefaultTextureWithTheirLines) {
  ASSERT_EQ(r->Init(win), 0);
  const Failure cases[] = {
      {"missing pack", true, "x", kPassword, {"Zip open failed zip %p ! name x", "Zip textue not load 1 x"}, 3, 4},
      {"missing entry",
       false,
       "x",
       kPassword,
       {"Zip not find x", "\n\n\nZip find fail %p x", "Zip textue not load 3 x"},
       3,
       4},
      {"wrong password", false, "pic.png", "wrong", {}, 3, 4},
      {"no password", false, "pic.png", nullptr, {}, 3, 4},
      {"picture cut short",
       false,
       "cut.png",
       kPassword,
       {"Picture refused: PNG cut short or damaged (a chunk runs past the end of the file)",
        "Zip textue not load 2 cut.png"},
       100,
       60},
      {"not a picture",
       false,
       "text.txt",
       kPassword,
       {"Picture refused: not a PNG or JPEG picture", "Zip textue not load 2 text.txt"},
       3,
       4},
      // Refused from its header: the size it declares is not taken either.
      {"picture past the side limit",
       false,
       "wide.png",
       kPassword,
       {"Picture refused: PNG of 8193x1 is larger than 8192 pixels a side", "Zip textue not load 2 wide.png"},
       3,
       4},
  };
  for (const Failure& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastSize(3, 4);
    const std::string p = c.otherPack ? dir + "/nothing-here" : pack;
    unsigned long tex = 1234;
    EXPECT_EQ(Load(p, c.entry, c.password, &tex), Expand(c.lines, p));
    EXPECT_EQ(tex, r->defaultTexture);
    EXPECT_EQ(r->lastTextureSize.x, c.lastW);
    EXPECT_EQ(r->lastTextureSize.y, c.lastH);
  }
  EXPECT_TRUE(gBoxes.empty());
}

TEST_F(TexturePack, AfterAWrongPasswordThePackOpensAgainAndNothingLeaks) {
  ASSERT_EQ(r->Init(win), 0);
  const size_t before = gfx::LiveTextures();
  unsigned long tex = 0;
  Load(pack, "pic.png", "wrong", &tex);
  EXPECT_EQ(gfx::LiveTextures(), before);
  EXPECT_EQ(ZOV::ifile.ZipOpen(pack.c_str()), 1);
  ZOV::ifile.ZipCloze();
  Load(pack, "pic.png", kPassword, &tex);
  EXPECT_EQ(r->lastTextureSize.x, 100);
  EXPECT_EQ(r->TextureFree(tex), 0);
  EXPECT_EQ(gfx::LiveTextures(), before);
}

TEST_F(TexturePack, BeforeTheDefaultTextureExistsFailuresGiveZero) {
  unsigned long tex = 1;
  // Open, find and read failures print their first lines only.
  EXPECT_EQ(Load(dir + "/nothing-here", "x", kPassword, &tex), "Zip open failed zip " + dir + "/nothing-here ! name x\n");
  EXPECT_EQ(tex, 0u);
  EXPECT_EQ(Load(pack, "x", kPassword, &tex), "Zip not find x\n\n\n\nZip find fail " + pack + " x\n");
  EXPECT_EQ(tex, 0u);
  EXPECT_EQ(Load(pack, "pic.png", "wrong", &tex), "");
  EXPECT_EQ(tex, 0u);
  EXPECT_TRUE(gBoxes.empty());
  // A picture that cannot be made into a texture asks.
  EXPECT_EQ(Load(pack, "cut.png", kPassword, &tex),
            "Picture refused: PNG cut short or damaged (a chunk runs past the end of the file)\n");
  EXPECT_EQ(tex, 0u);
  ASSERT_EQ(gBoxes.size(), 1u);
  EXPECT_EQ(gBoxes[0], "errrrrror: defaultTexture not exist!!!");
}

}  // namespace
