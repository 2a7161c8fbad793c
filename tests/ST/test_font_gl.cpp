// A line of Russian text drawn with the game's big font on real OpenGL
// (needs an X display; Mesa's software renderer is enough) and read back:
// the letters land inside the line's box, tinted by the font colour. With
// JIGSAW_FONT_SHOT set to a file path, the frame is also saved there as BMP
// for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "GAME/config/globals.h"
#include "ST/file.h"
#include "ST/font.h"
#include "tests/support/gl_engine_env.h"

namespace {

constexpr int kW = 800, kH = 100;

class FontGl : public GlEngine {
 protected:
  static void SetUpTestSuite() { OpenWindow("font test", kW, kH); }
  void SetUpGl() override {
    const std::string pack = std::string(JIGSAW_GAME_DIR) + "/DATA/fonts";
    ASSERT_TRUE(std::filesystem::exists(pack)) << pack << ": build the game data first";
    ZOV::ifile.ZipSetCurrentPack(const_cast<char*>(pack.c_str()));
    ZOV::ifile.ZipSetCurrentPass(C_PAS_FONTS);
    big = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/Font_big.fnt").c_str(), 0);
    ZOV::ifile.ZipSetCurrentPack(nullptr);
    ZOV::ifile.ZipSetCurrentPass(nullptr);
    big->spacing = -8;
  }
  // One frame over black with `overlay` in the overlay pass.
  template <typename Overlay>
  plat::Image Frame(Overlay overlay) {
    return FramePasses(0xFF000000u, [] {}, overlay);
  }
  std::unique_ptr<ZOV::JFONT> big;
};

TEST_F(FontGl, RussianLineLandsInsideItsBox) {
  const char* line = "Введите имя игрока: Ёжик №7";
  const int x = 20, y = 30;
  const int len = big->GetStringLenght(line);
  ASSERT_GT(len, 200);
  big->SetColor(int(0xFFFF4000u));
  const plat::Image img = Frame([&] { big->Rende(x, y, line); });
  ASSERT_EQ(img.w, kW);
  if (const char* shot = std::getenv("JIGSAW_FONT_SHOT")) plat::SaveBMP(shot, img);

  int lit = 0, outside = 0;
  std::set<int> columns;
  for (int py = 0; py < img.h; ++py) {
    for (int px = 0; px < img.w; ++px) {
      const uint32_t p = img.argb[size_t(py) * size_t(img.w) + size_t(px)];
      const int red = int((p >> 16) & 0xFF), green = int((p >> 8) & 0xFF), blue = int(p & 0xFF);
      if (red < 128) continue;
      ++lit;
      columns.insert(px);
      EXPECT_LE(blue, 8) << "tinted by the colour at " << px << "," << py;
      EXPECT_LE(green, red / 3 + 8) << px << "," << py;
      // Glyph boxes carry padding on both sides; the letters stay within
      // the line height below the anchor.
      if (px < x - 8 || px > x + len + 24 || py < y || py > y + big->lineHeight + 4) ++outside;
    }
  }
  EXPECT_GT(lit, 1000) << "the letters are drawn";
  EXPECT_EQ(outside, 0);
  EXPECT_GT(int(columns.size()), len / 2) << "spread over the whole line";
}

}  // namespace
