// The generated sounds: all 27 configured names decode through SDL_mixer
// (dummy audio driver, 22050 Hz stereo as the game opens it); effects are
// short, unclipped and fade in and out; the two music tracks are loops of
// at least 30 seconds without a seam.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/tools/test_data_support.h"

namespace {

const char* const kNames[] = {
    "button_disabled",  "button_over",         "button_play_press",       "button_press",
    "close_pocket",     "element_arrive",      "element_connection_high", "element_connection_med",
    "element_connection_low", "element_pickup", "element_put",            "element_rotation",
    "element_rotation_wrong", "game_01",        "game_02",                "groups_arrive",
    "gui_click",        "level_win",           "puzzle_over",             "puzzle_selection",
    "tools_hint",       "tools_sort",          "use_pocket",              "window_close",
    "window_open",      "tools_on",            "tools_off"};

class DataSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  static const gendata::MemSink& Sounds() { return datatest::Generated({"sounds", "music"}); }

  // Decoded 16-bit stereo samples, interleaved.
  static std::vector<Sint16> Load(const std::string& name) {
    const gendata::Bytes* b = Sounds().Find("music", name + ".ogg");
    if (!b) return {};
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromConstMem(b->data(), static_cast<int>(b->size())), 1);
    if (!c) return {};
    std::vector<Sint16> s(c->alen / 2);
    std::memcpy(s.data(), c->abuf, s.size() * 2);
    Mix_FreeChunk(c);
    return s;
  }
};

TEST_F(DataSounds, AllTwentySevenDecodeWithSdlMixer) {
  int count = 0;
  for (const char* n : kNames) {
    ASSERT_NE(Sounds().Find("music", std::string(n) + ".ogg"), nullptr) << n;
    const gendata::Bytes* b = Sounds().Find("music", std::string(n) + ".ogg");
    EXPECT_EQ(std::string(b->begin(), b->begin() + 4), "OggS") << n;
    EXPECT_FALSE(Load(n).empty()) << n << ": " << Mix_GetError();
    ++count;
  }
  EXPECT_EQ(count, 27);
  EXPECT_EQ(Sounds().Files().size(), 27u);
}

TEST_F(DataSounds, EffectsAreShortUnclippedAndFaded) {
  for (const char* n : kNames) {
    std::string name = n;
    if (name == "game_01" || name == "game_02") continue;
    std::vector<Sint16> s = Load(name);
    ASSERT_FALSE(s.empty()) << name;
    double seconds = s.size() / 2.0 / 22050.0;
    EXPECT_GE(seconds, 0.05) << name;
    EXPECT_LE(seconds, 1.0) << name;
    int peak = 0;
    for (Sint16 v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LT(peak, 32000) << name << ": clipped";
    EXPECT_GT(peak, 3000) << name << ": silent";
    // the first and last half millisecond are near silence: no click at
    // either end
    size_t edge = 2 * 11;
    int start = 0, end = 0;
    for (size_t i = 0; i < edge; ++i) {
      start = std::max(start, std::abs(static_cast<int>(s[i])));
      end = std::max(end, std::abs(static_cast<int>(s[s.size() - 1 - i])));
    }
    EXPECT_LT(start, 1500) << name << " start";
    EXPECT_LT(end, 1500) << name << " end";
  }
}

TEST_F(DataSounds, MusicTracksAreLongSeamlessLoops) {
  for (const char* n : {"game_01", "game_02"}) {
    std::vector<Sint16> s = Load(n);
    ASSERT_FALSE(s.empty()) << n;
    size_t frames = s.size() / 2;
    EXPECT_GE(frames / 22050.0, 30.0) << n;
    int peak = 0, step = 0;
    for (size_t i = 0; i < s.size(); ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    for (size_t i = 2; i < s.size(); ++i) step = std::max(step, std::abs(s[i] - s[i - 2]));
    EXPECT_LT(peak, 32000) << n;
    EXPECT_GT(peak, 3000) << n;
    // wrapping from the last frame to the first is a step like any other:
    // the loop has no seam, and it does not start or end in silence
    for (int ch = 0; ch < 2; ++ch) {
      int wrap = std::abs(s[ch] - s[s.size() - 2 + ch]);
      EXPECT_LE(wrap, step) << n << " channel " << ch;
    }
    double edgeEnergy = 0;
    for (size_t i = 0; i < 2000; ++i) edgeEnergy += std::abs(s[i]);
    EXPECT_GT(edgeEnergy / 2000, 100.0) << n << ": the loop starts in silence";
  }
}

}  // namespace
