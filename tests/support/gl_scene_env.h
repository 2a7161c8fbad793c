// The game's fixture on real OpenGL (needs an X display; Mesa's software
// renderer is enough), above the engine's (gl_engine_env.h): the game's
// window at 1024 x 768, the game's globals pointed at the engine before
// each test, the built packs and fonts of the game's folder, the dim layer
// of a modal window, one frame of a window drawn over the colour the game
// shows behind it, and counts of read-back pixels.
//
// A test derives from GlScene, opens the window from its SetUpTestSuite and
// does its own set-up in SetUpScene, which runs only when a display is there
// and the window opened. Without DISPLAY every test is skipped.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/object.h"
#include "ST/sprite.h"
#include "platform/gfx_image.h"
#include "tests/support/game_globals.h"
#include "tests/support/gl_engine_env.h"

class GlScene : public GlEngine {
 protected:
  static constexpr int kW = 1024, kH = 768;
  static constexpr uint32_t kBehind = 0xFF3070C0u;  // what the game shows behind a window

  // Opens the game's window and its GL device at kW x kH; later calls in the
  // same program keep the first window.
  static void OpenWindow(const char* title) { GlEngine::OpenWindow(title, kW, kH); }

  // The default configuration, the game's globals on the engine, the
  // screen's centre, then SetUpScene.
  void SetUpGl() final {
    game = ZOV::GetGame();
    testenv::UseGameObject(game);
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

  ZOV::ST_GAME* game = nullptr;

 private:
  std::deque<std::string> packs_;
};
