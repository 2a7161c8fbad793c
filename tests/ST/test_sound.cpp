// Sounds on SDL's dummy audio driver: playing, stopping, multistream,
// volume, null sounds, loading from files and memory, and startup faults.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "ST/file.h"
#include "ST/sound.h"
#include "tests/support/test_env.h"
#include "tests/support/wav.h"

using ZOV::ST_A;
using ZOV::ST_SS;

namespace {

using testdata::Wav;

void Spit(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), std::streamsize(data.size()));
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ss_ = std::make_unique<ST_SS>();
    ASSERT_TRUE(ss_->ok) << "the dummy audio driver opens";
    wav_ = Wav(2205);
  }
  void TearDown() override {
    Mix_HaltChannel(-1);
    ss_.reset();
  }
  // A looping sound, so it keeps playing for as long as the test looks.
  std::unique_ptr<ST_A> Looping() {
    std::unique_ptr<ST_A> s(ss_->GetSound(wav_.data(), unsigned(wav_.size())));
    EXPECT_NE(s->chunk, nullptr);
    s->setRepeat(true);
    return s;
  }
  std::unique_ptr<ST_SS> ss_;
  std::string wav_;
};

TEST_F(SoundTest, SystemSettings) {
  EXPECT_EQ(ss_->frequency, 22050);
  EXPECT_EQ(ss_->format, 0x8010);
  EXPECT_EQ(ss_->channels, 2);
  EXPECT_EQ(ss_->chunk_size, 2048);
  EXPECT_GE(Mix_AllocateChannels(-1), 27) << "room for every sound of the game";
  int freq = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_NE(Mix_QuerySpec(&freq, &format, &channels), 0);
  EXPECT_EQ(freq, 22050);
  EXPECT_EQ(format, AUDIO_S16LSB);
  EXPECT_EQ(channels, 2);
}

TEST_F(SoundTest, VolumeIsScaledAndCut) {
  auto s = Looping();
  const struct {
    float in;
    int out;
  } cases[] = {{0.5f, 64}, {1.0f, 128}, {0.999f, 127}, {0.0f, 0}, {-1.0f, 0}, {2.0f, 128}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(s->setVolume(c.in), 0);
    EXPECT_EQ(Mix_VolumeChunk(s->chunk, -1), c.out);
  }
}

TEST_F(SoundTest, SingleStreamPlaysCopiesAndStopsTheLatest) {
  auto s = Looping();
  EXPECT_EQ(s->Render(0), 0);
  const int first = s->channel;
  EXPECT_EQ(s->Render(0), 0);
  const int second = s->channel;
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_EQ(s->Stop(), 0);
  EXPECT_EQ(Mix_Playing(second), 0);
  EXPECT_EQ(Mix_Playing(first), 1);
}

TEST_F(SoundTest, PauseAndResumeTheKeptChannel) {
  auto s = Looping();
  auto other = Looping();
  ASSERT_EQ(other->Render(0), 0);
  ASSERT_EQ(s->Render(0), 0);
  EXPECT_EQ(s->Pause(), 0);
  EXPECT_EQ(Mix_Paused(s->channel), 1);
  EXPECT_EQ(Mix_Paused(other->channel), 0);
  EXPECT_EQ(s->Resume(), 0);
  EXPECT_EQ(Mix_Paused(s->channel), 0);
}

TEST_F(SoundTest, NeverPlayedSoundLeavesOthersAlone) {
  auto music = Looping();
  auto effect = Looping();
  ASSERT_EQ(music->Render(0), 0);
  EXPECT_EQ(effect->channel, -1);
  effect->Stop();
  effect->Pause();
  EXPECT_EQ(Mix_Playing(music->channel), 1);
  EXPECT_EQ(Mix_Paused(music->channel), 0);
  effect->Resume();
  EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SoundTest, KeptChannelNowPlayingAnotherSoundIsLeftAlone) {
  auto a = Looping();
  auto b = Looping();
  ASSERT_EQ(a->Render(0), 0);
  const int ch = a->channel;
  Mix_HaltChannel(ch);
  ASSERT_EQ(b->Render(0), 0);
  ASSERT_EQ(b->channel, ch) << "the freed channel is taken again";
  a->Stop();
  a->Pause();
  EXPECT_EQ(Mix_Playing(ch), 1);
  EXPECT_EQ(Mix_Paused(ch), 0);
}

TEST_F(SoundTest, MultistreamKeepsNoChannelAndSwitchingItOffPlaysAgain) {
  auto s = Looping();
  s->setMultistriam(true);
  EXPECT_EQ(s->Render(0), 0);
  EXPECT_EQ(s->Render(0), 0);
  EXPECT_EQ(s->channel, -1);
  EXPECT_TRUE(s->played_multistream);
  EXPECT_EQ(Mix_Playing(-1), 2);
  s->Stop();  // no kept channel: the copies play on
  EXPECT_EQ(Mix_Playing(-1), 2);

  s->setMultistriam(false);
  EXPECT_FALSE(s->played_multistream);
  EXPECT_EQ(s->Render(0), 0);
  EXPECT_GE(s->channel, 0);
  EXPECT_EQ(Mix_Playing(-1), 3);

  // Only a direct field write leaves the flag behind; then nothing plays.
  s->multistream = true;
  s->Render(0);
  s->multistream = false;
  EXPECT_EQ(s->Render(0), 1);
  EXPECT_EQ(Mix_Playing(-1), 4);
}

TEST_F(SoundTest, RepeatSetsTheLoopCount) {
  auto s = Looping();
  EXPECT_EQ(s->loops, -1);
  s->setRepeat(false);
  EXPECT_EQ(s->loops, 0);
}

TEST_F(SoundTest, NullSoundsAndSoundsWithoutChunkDoNothing) {
  for (ST_A* s : {static_cast<ST_A*>(nullptr), ss_->GetSound("no/such/file.ogg")}) {
    std::unique_ptr<ST_A> owned(s);
    if (s) {
      EXPECT_EQ(s->chunk, nullptr);
    }
    EXPECT_EQ(ZOV::SoundRender(s), 0);
    EXPECT_EQ(ZOV::SoundStop(s), 0);
    EXPECT_EQ(ZOV::SoundPause(s), 0);
    EXPECT_EQ(ZOV::SoundResume(s), 0);
    EXPECT_EQ(ZOV::SoundSetRepeat(s, true), 0);
    EXPECT_EQ(ZOV::SoundSetMultistriam(s, true), 0);
    EXPECT_EQ(ZOV::SoundSetVolume(s, 0.5f), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
  }
  std::unique_ptr<ST_A> garbage(ss_->GetSound("not a sound", 11));
  ASSERT_NE(garbage, nullptr);
  EXPECT_EQ(garbage->chunk, nullptr);
  EXPECT_EQ(garbage->Render(0), 0);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundTest, LoadsFromMemoryAndFromAFileWithoutAPack) {
  std::string copy = wav_;
  std::unique_ptr<ST_A> mem(ss_->GetSound(copy.data(), unsigned(copy.size())));
  EXPECT_EQ(ss_->last_sound, mem.get());
  copy.assign(copy.size(), '\0');  // the chunk holds its own copy
  ASSERT_NE(mem->chunk, nullptr);
  EXPECT_EQ(mem->Render(0), 0);

  const std::string path = testenv::FreshDir("snd") + "/x.wav";
  Spit(path, wav_);
  ASSERT_EQ(ZOV::ifile.current_pack, nullptr);
  std::unique_ptr<ST_A> file(ZOV::LoadGameSound(ss_.get(), path.c_str()));
  ASSERT_NE(file, nullptr);
  EXPECT_NE(file->chunk, nullptr);
  EXPECT_EQ(ss_->last_sound, file.get());
  EXPECT_EQ(ZOV::LoadGameSound(nullptr, path.c_str()), nullptr);
}

// A pipe or a folder named like the sound file gives a sound without a
// chunk, and loading never waits on the pipe.
TEST_F(SoundTest, APipeOrFolderForASoundFileGivesNoChunkAndNeverBlocks) {
  const std::string d = testenv::FreshDir("snd-special");
  ASSERT_EQ(mkfifo((d + "/pipe.wav").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((d + "/folder.wav").c_str(), 0700), 0);
  alarm(60);  // a blocked open ends the test program instead of hanging it
  for (const char* name : {"/pipe.wav", "/folder.wav"}) {
    std::unique_ptr<ST_A> s(ZOV::LoadGameSound(ss_.get(), (d + name).c_str()));
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(s->chunk, nullptr) << name;
  }
  alarm(0);
}

TEST_F(SoundTest, SelectedPackThatCannotOpen) {
  char pack[] = "DATA/no_such_pack";
  char pass[] = "tunes.wav";
  ZOV::ifile.ZipSetCurrentPack(pack);
  ZOV::ifile.ZipSetCurrentPass(pass);
  ::testing::internal::CaptureStdout();
  ST_A* s = ZOV::LoadGameSound(ss_.get(), "button_press.ogg");
  const std::string printed = ::testing::internal::GetCapturedStdout();
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  ZOV::ifile.ZipSetCurrentPass(nullptr);
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(printed, "\n\n ZipSound error open sound\n");
}

TEST(SoundSystem, AudioThatCannotOpenGivesNoSounds) {
  EXPECT_EXIT(
      {
        setenv("SDL_AUDIODRIVER", "nonexistent", 1);
        ST_SS ss;
        const bool silent = !ss.ok && ss.GetSound("x.wav") == nullptr && ss.GetSound("RIFF", 4) == nullptr &&
                            ZOV::LoadGameSound(&ss, "x.wav") == nullptr;
        std::exit(silent ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(SoundSystem, ClosingLeavesOtherSubsystemsRunning) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  {
    ST_SS ss;
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST(SoundSystem, SoundBeforeTheSystemEndsTheProgram) {
  ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
  std::string line;
  for (int i = 0; i < 16; ++i) line += "\\)";
  for (int i = 0; i < 26; ++i) line += "\\(";
  EXPECT_EXIT(
      {
        dup2(2, 1);  // the line goes to standard output; let the check see it
        ST_A s("f");
      },
      ::testing::ExitedWithCode(200), "^" + line + "\n$");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        ST_A s("RIFF", 4);
      },
      ::testing::ExitedWithCode(200), line);
}

}  // namespace
