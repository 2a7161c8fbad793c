// The game's own fonts read the way the loader reads them: descriptors from
// the game folder, pages out of the fonts pack. Every glyph lies inside its
// page, the page is the pack's image (not the default texture), and the
// Russian default texts measure and draw with no missing letter.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "GAME/config/globals.h"
#include "ST/font.h"
#include "ST/renderer.h"
#include "ST/sprite.h"
#include "tests/support/widget_env.h"

namespace {

using widgettest::DrawnQuads;

class BakedFont : public widgettest::WidgetEnv {
 protected:
  void SetUp() override {
    WidgetEnv::SetUp();
    pack = std::string(JIGSAW_GAME_DIR) + "/DATA/fonts";
    ASSERT_TRUE(std::filesystem::exists(pack)) << pack << ": build the game data first";
  }
  std::unique_ptr<ZOV::JFONT> Load(const std::string& name) {
    ZOV::ifile.ZipSetCurrentPack(pack.data());
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    auto f = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/" + name).c_str(), 0);
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
    return f;
  }
  std::string pack;
};

TEST_F(BakedFont, EveryFontLoadsWithItsPage) {
  for (const char* name : {"Font_big.fnt", "PuzzleComix.fnt", "numbers.fnt", "Tahtah.fnt"}) {
    auto f = Load(name);
    EXPECT_TRUE(f->Usable()) << name;
    EXPECT_GT(f->glyphCount, 10) << name;
    EXPECT_NE(f->page->GetTexture(), game().gfx.defaultTexture) << name << ": the page comes out of the pack";
    for (const ZOV::JFONT_GLYPH* g = f->glyphs; g; g = g->next) {
      EXPECT_GE(g->u0, 0.0f) << name << " " << g->id;
      EXPECT_GE(g->v0, 0.0f) << name << " " << g->id;
      EXPECT_LE(g->u1, 1.0f) << name << " " << g->id;
      EXPECT_LE(g->v1, 1.0f) << name << " " << g->id;
      EXPECT_GT(g->width, 0) << name << " " << g->id;
    }
  }
}

TEST_F(BakedFont, BigFontSizeAndRussianText) {
  auto big = Load("Font_big.fnt");
  EXPECT_EQ(big->defaultSize, 24) << "the name dialog's box holds 15 letters";
  auto comix = Load("PuzzleComix.fnt");
  const char* line = "Съешь же ещё этих мягких французских булок, да выпей чаю! ЁЖ № 42%";
  for (ZOV::JFONT* f : {big.get(), comix.get()}) {
    f->spacing = f == big.get() ? -8 : -6;  // the configured spacings
    const std::wstring wide = pugi::as_wide(line);
    for (wchar_t c : wide) EXPECT_NE(f->FindGlyph(int(c)), nullptr) << int(c);
    plat::gfx::ClearRecorded();
    f->Rende(10, 10, line);
    size_t letters = 0;
    for (wchar_t c : wide) letters += c != L' ' ? 1 : 0;
    EXPECT_GE(DrawnQuads().size(), letters);
    EXPECT_GT(f->GetStringLenght(line), 0);
  }
}

}  // namespace
