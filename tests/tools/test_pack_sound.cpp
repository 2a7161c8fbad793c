// Sounds read out of a music pack written at test time, played on SDL's
// dummy audio driver.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GAME/config/pack_table.h"
#include "ST/file.h"
#include "ST/sound.h"
#include "tests/support/test_env.h"
#include "tests/support/wav.h"
#include "tools/pack/pack_writer.h"

using ZOV::ifile;
using ZOV::ST_A;
using ZOV::ST_SS;

namespace {

using testdata::Wav;

const char* const kSoundNames[] = {
    "button_disabled.ogg", "button_over.ogg", "button_play_press.ogg", "button_press.ogg", "close_pocket.ogg",
    "element_arrive.ogg", "element_connection_high.ogg", "element_connection_med.ogg",
    "element_connection_low.ogg", "element_pickup.ogg", "element_put.ogg", "element_rotation.ogg",
    "element_rotation_wrong.ogg", "game_01.ogg", "game_02.ogg", "groups_arrive.ogg", "gui_click.ogg",
    "level_win.ogg", "puzzle_over.ogg", "puzzle_selection.ogg", "tools_hint.ogg", "tools_sort.ogg",
    "use_pocket.ogg", "window_close.ogg", "window_open.ogg", "tools_on.ogg", "tools_off.ogg"};

class PackSound : public ::testing::Test {
 protected:
  void SetUp() override {
    ss_ = std::make_unique<ST_SS>();
    ASSERT_TRUE(ss_->ok);
    pack_ = testenv::FreshDir("music") + "/music";
    std::vector<packtool::PackEntry> entries;
    const std::string wav = Wav(1000);
    for (const char* name : kSoundNames) entries.push_back({name, wav, true, std::nullopt});
    ASSERT_TRUE(packtool::WritePack(pack_, entries, GAME::kMusicPackPassword));
  }
  void TearDown() override {
    ifile.ZipSetCurrentPack(nullptr);
    ifile.ZipSetCurrentPass(nullptr);
    Mix_HaltChannel(-1);
    ss_.reset();
  }
  void Select(const char* password) {
    pass_ = password;
    ifile.ZipSetCurrentPack(pack_.data());
    ifile.ZipSetCurrentPass(pass_.data());
  }
  // Loads `name` from the selected pack; the printed lines go to *printed.
  ST_A* Load(const char* name, std::string* printed) {
    ::testing::internal::CaptureStdout();
    ST_A* s = ZOV::LoadGameSound(ss_.get(), name);
    *printed = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ifile.IsPackOpen()) << "the pack is closed on every path";
    EXPECT_EQ(ifile.read_buffer, nullptr);
    return s;
  }
  std::unique_ptr<ST_SS> ss_;
  std::string pack_, pass_;
};

TEST_F(PackSound, WavBytesUnderAnOggNameLoadAndPlay) {
  Select("tunes.wav");
  std::string printed;
  std::unique_ptr<ST_A> s(Load("button_press.ogg", &printed));
  ASSERT_NE(s, nullptr);
  ASSERT_NE(s->chunk, nullptr);
  EXPECT_EQ(printed, "");
  EXPECT_EQ(s->Render(0), 0);
  EXPECT_EQ(Mix_Playing(s->channel), 1);
}

TEST_F(PackSound, MissesGiveNullWithTheirLines) {
  struct Case {
    const char* label;
    const char* password;
    const char* name;
    const char* printed;
  };
  const Case cases[] = {
      {"entry missing", "tunes.wav", "x.ogg", "Zip not find x.ogg\n\n\n ZIP ERROR FIND FILE\n"},
      {"other letter case", "tunes.wav", "Button_Press.ogg", "Zip not find Button_Press.ogg\n\n\n ZIP ERROR FIND FILE\n"},
      {"wrong password", "vexo4", "button_press.ogg", "\n\n ZIP error read file\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Select(c.password);
    std::string printed;
    EXPECT_EQ(Load(c.name, &printed), nullptr);
    // A wrong password may also fail later, at the checksum ("ReadError").
    if (printed.rfind("ReadError\n", 0) == 0) printed.erase(0, 10);
    EXPECT_EQ(printed, c.printed);
  }
}

TEST_F(PackSound, EveryGameSoundPlaysAtOnce) {
  Select("tunes.wav");
  std::vector<std::unique_ptr<ST_A>> sounds;
  for (const char* name : kSoundNames) {
    std::string printed;
    sounds.emplace_back(Load(name, &printed));
    ASSERT_NE(sounds.back(), nullptr) << name;
    sounds.back()->setRepeat(true);
    EXPECT_EQ(sounds.back()->Render(0), 0);
    EXPECT_GE(sounds.back()->channel, 0) << name << " found a free channel";
  }
  EXPECT_EQ(Mix_Playing(-1), 27);
}

}  // namespace
