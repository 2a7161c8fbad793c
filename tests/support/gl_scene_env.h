// The fixture of the screenshot tests on real OpenGL (needs an X display;
// Mesa's software renderer is enough): the game's window and GL device opened
// once per test program, the game's globals pointed at the engine before
// each test, the built packs and fonts of the game's folder, one frame drawn
// over a known colour and read back, and the frame saved for a person to look
// at when the test's screenshot variable names a path stem.
//
// A test derives from GlScene, opens the window from its SetUpTestSuite and
// does its own set-up in SetUpScene, which runs only when a display is there
// and the window opened. Without DISPLAY every test is skipped.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/object.h"
#include "ST/sprite.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/window.h"

class GlScene : public ::testing::Test {
 protected:
  static constexpr int kW = 1024, kH = 768;
  static constexpr uint32_t kBehind = 0xFF3070C0u;  // what the game shows behind a window

  // Opens the game's window and its GL device at kW x kH; later calls in the
  // same program keep the first window.
  static void OpenWindow(const char* title) {
    if (!std::getenv("DISPLAY") || ready_) return;
    plat::gfx::SetBackendForTests(plat::gfx::Backend::GL);
    ZOV::ST_GAME* game = ZOV::GetGame();
    ready_ = game->app.Window().Create(title, kW, kH, &NoProc) && game->gfx.Init(game->app.Window()) == 0;
    if (ready_) {
      game->gfx.ChangeVideoMode(kW, kH, false);
      game->gfx.SetAdaptScreen(kW, kH);
    }
  }

  // Skips without a display; otherwise the default configuration, the
  // game's globals on the engine, the screen's centre, then SetUpScene.
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(ready_) << "the GL window did not open";
    GAME::ApplyConfigDefaults();
    game = ZOV::GetGame();
    Game = game;
    zov = game->GetGfx();
    INPUTNAME = game->GetInput();
    game->middle = JST::iPOINT(kW / 2, kH / 2);
    SetUpScene();
  }
  // The test's own set-up, after the fixture's.
  virtual void SetUpScene() {}
  // Leaves no pack selected.
  void TearDown() override { NoPack(); }

  // A pack of the built game data (DATA/<name>); the pointer stays valid for
  // the test, so the configuration's pack names may hold it.
  char* Pack(const char* name) {
    packs_.push_back(std::string(JIGSAW_GAME_DIR) + "/DATA/" + name);
    return packs_.back().data();
  }
  // Fails the test, with a hint, when the game's data has not been built.
  static ::testing::AssertionResult DataBuilt(const char* inGameDir) {
    if (std::filesystem::exists(std::string(JIGSAW_GAME_DIR) + "/" + inGameDir)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "build the game data first (no " << inGameDir << ")";
  }
  static void Select(char* pack, char* password) {
    ZOV::ifile.ZipSetCurrentPack(pack);
    ZOV::ifile.ZipSetCurrentPass(password);
  }
  static void NoPack() { Select(nullptr, nullptr); }
  // A font of the game's folder read from the fonts pack, with its spacing;
  // no pack is selected afterwards.
  std::unique_ptr<ZOV::JFONT> LoadFont(const char* fnt, int spacing) {
    Select(Pack("fonts"), C_PAS_FONTS);
    auto f = std::make_unique<ZOV::JFONT>((std::string(JIGSAW_GAME_DIR) + "/" + fnt).c_str(), 0);
    NoPack();
    f->spacing = spacing;
    return f;
  }
  // The dim layer the scene manager lays under a modal window: the default
  // texture tinted translucent black, the size of the screen.
  static std::unique_ptr<JSPRITE> DimLayer(int w = kW, int h = kH) {
    auto dim = std::make_unique<JSPRITE>("no such image", 0);
    dim->SetHotSpot(0, 0);
    dim->SetSizePix(w, h);
    dim->SetColor(int(0x99000000u));
    return dim;
  }

  // One frame: cleared to `clear`, `main` in the main pass, `overlay` in the
  // overlay pass, read back.
  template <class Main, class Overlay>
  static plat::Image FramePasses(uint32_t clear, Main main, Overlay overlay) {
    ZOV::JINGFX* r = ZOV::GetGame()->GetGfx();
    r->SetClearColor(clear);
    EXPECT_EQ(r->BeginFrame(), 0);
    main();
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    overlay();
    EXPECT_EQ(r->EndPostFrame(), 0);
    plat::Image img;
    EXPECT_TRUE(plat::gfx::ReadPixels(0, img));
    return img;
  }
  // One frame with `draw` in the overlay pass, where the windows draw, over
  // `clear`.
  template <class Draw>
  static plat::Image FrameWith(Draw draw, uint32_t clear = kBehind) {
    return FramePasses(clear, [] {}, draw);
  }
  // One frame of a window over kBehind.
  static plat::Image Frame(JST::ST& window) {
    return FrameWith([&] { window.Render(0); });
  }
  // Saves the frame as <stem><name> when the variable `var` holds a stem;
  // `name` ends in .png or .bmp, which picks the format.
  static void SaveShot(const char* var, const plat::Image& img, const std::string& name) {
    const char* stem = std::getenv(var);
    if (stem == nullptr) return;
    const std::string path = stem + name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
      EXPECT_TRUE(plat::SaveBMP(path, img)) << path;
      return;
    }
    std::vector<uint32_t> px(img.argb.begin(), img.argb.end());
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(px.data(), img.w, img.h, 32, img.w * 4, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
  }

  // The read-back pixel (x, y), as ARGB.
  static uint32_t At(const plat::Image& img, int x, int y) { return img.argb[size_t(y) * size_t(img.w) + size_t(x)]; }
  static int Blue(uint32_t p) { return int(p & 0xFF); }
  // How many pixels of the box, every `step`th one each way, are not `colour`.
  static int Unlike(const plat::Image& img, uint32_t colour, int x0, int y0, int x1, int y1, int step = 1) {
    int n = 0;
    for (int y = y0; y < y1; y += step)
      for (int x = x0; x < x1; x += step) n += (At(img, x, y) & 0xFFFFFFu) != (colour & 0xFFFFFFu) ? 1 : 0;
    return n;
  }
  // How many pixels of the box, every `step`th one each way, differ between
  // two frames.
  static int Changed(const plat::Image& a, const plat::Image& b, int x0, int y0, int x1, int y1, int step = 1) {
    int n = 0;
    for (int y = y0; y < y1; y += step)
      for (int x = x0; x < x1; x += step) n += At(a, x, y) != At(b, x, y) ? 1 : 0;
    return n;
  }
  // The corner of the frame shows kBehind dimmed, not hidden.
  static void ExpectDimmed(const plat::Image& img) {
    const uint32_t corner = At(img, 5, 5);
    EXPECT_LT(Blue(corner), Blue(kBehind) - 40) << std::hex << corner;
    EXPECT_GT(Blue(corner), 10) << std::hex << corner;
  }
  // The width of a text's widest line in the font.
  static int Widest(ZOV::JFONT& f, const std::string& text) {
    int widest = 0;
    size_t from = 0;
    while (from <= text.size()) {
      const size_t end = std::min(text.find('\n', from), text.size());
      widest = std::max(widest, f.GetStringLenght(text.substr(from, end - from).c_str()));
      from = end + 1;
    }
    return widest;
  }

  ZOV::ST_GAME* game = nullptr;

 private:
  static long NoProc(plat::Window*, unsigned, uintptr_t, intptr_t) { return 0; }

  static inline bool ready_ = false;
  std::deque<std::string> packs_;
};
