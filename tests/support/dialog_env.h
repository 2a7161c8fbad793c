// What the list box, text box and dialog tests share: the game object with
// its renderer on the recording backend (one scene left open, so every draw
// is recorded), interface images of known sizes written as BMP files and
// named by the configuration globals, a bitmap font with 24-pixel cells, and
// mouse and keyboard frames driven through the game's input state.
#pragma once

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/ui/shared_assets.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/gfx.h"
#include "platform/gfx_image.h"
#include "platform/sys.h"
#include "tests/support/draw_record.h"
#include "tests/support/game_globals.h"
#include "tests/support/test_env.h"
#include "tests/support/wav.h"
#include "tests/support/widget_env.h"

namespace dialogtest {

using drawtest::DrawnQuads;
using drawtest::Quad;
using drawtest::QuadsOf;
using drawtest::WriteImage;

// A font descriptor of size 24 whose page holds a 10 x 20 glyph for every
// code point listed (plus '|', digits and ASCII letters).
inline void WriteFont(const std::string& name, const std::wstring& extra = L"") {
  WriteImage(name + ".png", 256, 256);
  std::wstring chars = L"|0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ" + extra;
  std::string xml = "<?xml version=\"1.0\"?>\n<font>\n<info face=\"t\" size=\"24\"/>\n<common lineHeight=\"24\"/>\n";
  xml += "<pages><page id=\"0\" file=\"" + name + ".png\"/></pages>\n";
  xml += "<chars count=\"" + std::to_string(chars.size()) + "\">\n";
  for (wchar_t c : chars)
    xml += "<char id=\"" + std::to_string(int(c)) + "\" x=\"0\" y=\"0\" width=\"10\" height=\"20\" xoffset=\"0\" yoffset=\"0\"/>\n";
  xml += "</chars>\n</font>\n";
  testenv::WriteFile(name, xml);
}

// Two seconds of silence.
inline void WriteSilence(const std::string& path) { testenv::WriteFile(path, testdata::Wav(22050 * 2, 0)); }

// Sizes of the interface images the tests write.
struct Sizes {
  int windowMini[2] = {400, 300};
  int okW = 400, okH = 48;        // four frames of 100 x 48
  int window[2] = {720, 600};
  int flatW = 512, flatH = 48;
  int listBack[2] = {300, 150};
  int stroke[2] = {250, 30};
  int slider[2] = {64, 16};
  int stepButton[2] = {64, 16};
  int editBox[2] = {400, 40};
  int picture[2] = {200, 100};
};

// The engine's widget fixture (widget_env.h) with the game's globals and
// interface images, keys and whole clicks. Its SetUp stands in for the
// widget fixture's: the input starts as a fresh program's.
class DialogEnv : public widgettest::WidgetEnv {
 protected:
  void SetUp() override {
    testenv::UseGameObject(game_);
    game_->middle = JST::iPOINT(512, 384);
    ZOV::ifile.current_pack = nullptr;
    ZOV::ifile.current_pass = nullptr;
    // Images from the current folder, not from the interface pack.
    C_NAME_PACK_GUI = nullptr;
    const Sizes s;
    Image(&chWINDOWMINI, "window_mini.png", s.windowMini[0], s.windowMini[1]);
    Image(&chBUTTON_OK, "ok.png", s.okW, s.okH);
    Image(&chBUTTON_CANCEL, "cancel.png", s.okW, s.okH);
    Image(&chSTBACK, "window.png", s.window[0], s.window[1]);
    Image(&chBUTTONFLAT, "flat.png", s.flatW, s.flatH);
    Image(&chPLAYERSBACK, "list_back.png", s.listBack[0], s.listBack[1]);
    Image(&chPLAYERSSTROKE, "stroke.png", s.stroke[0], s.stroke[1]);
    Image(&chPTNS_GM_SLIDER, "slider.png", s.slider[0], s.slider[1]);
    Image(&chBUTTONMINUS, "minus.png", s.stepButton[0], s.stepButton[1]);
    Image(&chBUTTONPLUS, "plus.png", s.stepButton[0], s.stepButton[1]);
    Image(&chEDITBOX, "edit_box.png", s.editBox[0], s.editBox[1]);
    Image(&chPLAYPLAYERS, "picture.png", s.picture[0], s.picture[1]);
    big = comix = nullptr;
    eButton = nullptr;
    blackTranslucent = nullptr;
    plat::gfx::ClearRecorded();
    // The input a fresh program starts with: no button or key held and no
    // double click left by an earlier test of the same process.
    input() = ZOV::ST_INPUT();
    input().Update(0);
    input().Update(0);
    input().EventMouseMove(-1000, -1000);
    game_->timer.SetDelta(0.016f);
  }

  void TearDown() override {
    big = comix = nullptr;
    eButton = nullptr;
    Mix_HaltChannel(-1);
  }

  // Writes a w x h image and makes `global` name it.
  void Image(char** global, const std::string& file, int w, int h) {
    WriteImage(file, w, h);
    // Kept for the whole run: the globals may be read after the test.
    static auto* store = new std::vector<std::string*>();
    store->push_back(new std::string(file));
    *global = store->back()->data();
  }

  // Makes eButton a real sound, every play a copy of its own, so that
  // ClicksPlayed() counts them.
  void ClickSound() {
    ASSERT_TRUE(game_->sound.ok) << "the dummy audio driver opens";
    if (!click_) {
      WriteSilence("click.wav");
      click_ = game_->GetSound("click.wav");
      ASSERT_NE(click_, nullptr);
      ZOV::SoundSetMultistriam(click_, true);
    }
    Mix_HaltChannel(-1);
    eButton = click_;
  }
  static int ClicksPlayed() { return Mix_Playing(-1); }

  // A key going down this frame, typing `typed` (nothing for keys that
  // type nothing).
  void KeyDown(int vk, const std::wstring& typed = L"") {
    wchar_t* buf = input().TypedText();
    std::wmemset(buf, 0, ZOV::ST_INPUT::kTypedCapacity);
    std::wcsncpy(buf, typed.c_str(), ZOV::ST_INPUT::kTypedCapacity - 1);
    input().EventKeyDown(vk);
  }
  void KeyUp(int vk) { input().EventKeyUp(vk); }
  // A press in one frame and a release in the next at (x, y), with
  // `update` run in each; returns the release frame's result.
  template <class F>
  int Click(int x, int y, F update) {
    Mouse(x, y, 1);
    update();
    EndFrame();
    Mouse(x, y, -1);
    const int r = update();
    EndFrame();
    EndFrame();
    return r;
  }

  static inline ZOV::ST_A* click_ = nullptr;
};

}  // namespace dialogtest
