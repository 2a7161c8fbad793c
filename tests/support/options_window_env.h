// What the tests of the settings, resolution, options and authors windows
// share: the modal-window environment (1024 x 768 screen centre, chSTBACK
// 760 x 600, OK and Cancel frames 120 x 48) with the images these windows
// add, three told-apart sounds whose plays are counted (the click, the
// sound slider's test sound, the opening of a sub-window), a clock the test
// moves by hand, and an OptionsKit lending all of it to the window under
// test.
//
// Images: chPTNS_GM_CHBOX 48 x 24 (two 24 x 24 halves), chPTNS_GM_SLIDER
// 64 x 16, chBUTTONMINUS and chBUTTONPLUS 64 x 16 (frames 16 x 16),
// chBUTTONFLAT 512 x 48 (frames 128 x 48), chGEAR 64 x 64, chFORTEPIANO
// 80 x 60, chVIOLIN 40 x 90, chRESOLUTION_FON 200 x 150, chAUTOR_PIC
// 300 x 400, chWINDOWMINI 560 x 240, chFrontColor 30 x 30, chWhitePlain
// 8 x 8, chQShadow 16 x 16.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <string>

#include "GAME/config/player_record.h"
#include "GAME/ui/options_kit.h"
#include "ST/slider.h"
#include "tests/support/modal_window_env.h"

namespace windowtest {

class OptionsWindowEnv : public ModalWindowEnv {
 protected:
  void SetUp() override {
    ModalWindowEnv::SetUp();
    Image(&chPTNS_GM_CHBOX, "checkbox48.png", 48, 24);
    Image(&chGEAR, "gear.png", 64, 64);
    Image(&chFORTEPIANO, "piano.png", 80, 60);
    Image(&chVIOLIN, "violin.png", 40, 90);
    Image(&chRESOLUTION_FON, "select_fon.png", 200, 150);
    Image(&chAUTOR_PIC, "authors_pic.png", 300, 400);
    Image(&chFrontColor, "front_color.png", 30, 30);
    Image(&chWhitePlain, "white_plain.png", 8, 8);
    Image(&chQShadow, "shadow.png", 16, 16);
    // Images come from the working folder, not from packs.
    C_NAME_PACK_MENU = nullptr;
    now = 5000;
    options = GAME::OptionsKit{kit, nullptr, nullptr, &Clock};
    record = GAME::PUZZLE_PLAYER_PROFILE();
    record.SetDefaults(0, true);
  }
  void TearDown() override {
    Mix_HaltChannel(-1);
    ModalWindowEnv::TearDown();
  }

  // The kit plays real sounds: the click, the test sound and the opening
  // sound, each counted by Plays().
  void WithSounds() {
    ASSERT_TRUE(game().sound.ok) << "the dummy audio driver opens";
    ClickSound();
    kit.click = eButton;
    static ZOV::ST_A* test = nullptr;
    static ZOV::ST_A* open = nullptr;
    for (auto [sound, file] : {std::pair{&test, "test_sound.wav"}, std::pair{&open, "open_sound.wav"}}) {
      if (*sound != nullptr) continue;
      dialogtest::WriteSilence(file);
      *sound = game().GetSound(file);
      ASSERT_NE(*sound, nullptr);
      ZOV::SoundSetMultistriam(*sound, true);
    }
    options = GAME::OptionsKit{kit, test, open, &Clock};
  }
  // How many copies of the sound are playing now.
  static int Plays(const ZOV::ST_A* sound) {
    if (sound == nullptr || sound->chunk == nullptr) return 0;
    int n = 0;
    for (int ch = 0; ch < ZOV::ST_SS::kMixChannels; ++ch)
      if (Mix_Playing(ch) && Mix_GetChunk(ch) == sound->chunk) ++n;
    return n;
  }
  int Clicks() const { return Plays(options.window.click); }
  int TestSounds() const { return Plays(options.testSound); }
  int OpenSounds() const { return Plays(options.openSound); }

  // One frame of the window's Update: its answer.
  template <class Window>
  int Frame(Window& w) {
    const int r = w.Update(0, 0.0f);
    EndFrame();
    return r;
  }
  // A press and a release at p: the release frame's answer (buttons act
  // there).
  template <class Window>
  int ClickAt(Window& w, Point p) {
    return Click(p.x, p.y, [&] { return w.Update(0, 0.0f); });
  }

  // The point where a slider's plus button stands.
  static Point PlusOf(const ZOV::JSLIDER_E& s) { return {int(s.plus->position.x), int(s.plus->position.y)}; }
  static Point At(const JSPRITE& s) { return {int(s.position.x), int(s.position.y)}; }

  static uint32_t Clock() { return now; }

  static inline uint32_t now = 0;
  GAME::OptionsKit options;
  GAME::PUZZLE_PLAYER_PROFILE record;
};

}  // namespace windowtest
