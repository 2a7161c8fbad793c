// The sound system and sounds over SDL_mixer, and the game's sound loader
// that reads a sound from the selected pack or from a file.
#include "ST/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "ST/file.h"
#include "platform/sys.h"

namespace ZOV {

namespace {

// A sound made while SDL's audio is down means the program started in the
// wrong order: stop at once.
void RequireAudio() {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
    plat::PrintLine("))))))))))))))))((((((((((((((((((((((((((");
    std::exit(200);
  }
}

}  // namespace

// --- ST_SS ---------------------------------------------------------------------

ST_SS::ST_SS() {
  // Only the audio subsystem: video and events belong to the window.
  audio_started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  ok = true;
  if (Mix_OpenAudio(frequency, format, channels, chunk_size) < 0) {
    ok = false;
    plat::PrintLine(std::string("Sound device not opened: ") + Mix_GetError());
  } else {
    Mix_AllocateChannels(kMixChannels);
  }
}

ST_SS::~ST_SS() {
  if (ok) Mix_CloseAudio();
  if (audio_started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

ST_A* ST_SS::GetSound(const char* file) {
  if (!ok) return nullptr;
  ST_A* s = new (std::nothrow) ST_A(file);
  if (s) last_sound = s;
  return s;
}

ST_A* ST_SS::GetSound(const char* data, unsigned int size) {
  if (!ok) return nullptr;
  ST_A* s = new (std::nothrow) ST_A(data, size);
  if (s) last_sound = s;
  return s;
}

// --- ST_A ------------------------------------------------------------------------

ST_A::ST_A(const char* file) {
  RequireAudio();
  // Through the file service's reader: only a regular file is read, and a
  // pipe of that name never makes loading wait. The mixer copies the sound.
  std::string bytes;
  if (file != nullptr && *file != '\0' && ifile.ReadRegularFile(file, &bytes) == iFile::ReadResult::kOk &&
      !bytes.empty() && bytes.size() <= 0x7fffffffu) {
    if (SDL_RWops* src = SDL_RWFromConstMem(bytes.data(), int(bytes.size()))) chunk = Mix_LoadWAV_RW(src, 1);
  }
}

ST_A::ST_A(const char* data, unsigned int size) {
  RequireAudio();
  if (data != nullptr && size > 0) {
    if (SDL_RWops* src = SDL_RWFromConstMem(data, int(size > 0x7fffffffu ? 0x7fffffffu : size)))
      chunk = Mix_LoadWAV_RW(src, 1);
  }
}

ST_A::~ST_A() {
  if (chunk) Mix_FreeChunk(chunk);
}

bool ST_A::Holds(int ch) const {
  return chunk != nullptr && ch >= 0 && Mix_Playing(ch) != 0 && Mix_GetChunk(ch) == chunk;
}

int ST_A::Render(int) {
  if (!chunk) return 0;
  if (multistream) {
    Mix_PlayChannelTimed(-1, chunk, loops, -1);
    played_multistream = true;
    return 0;
  }
  if (played_multistream) return 1;
  channel = Mix_PlayChannelTimed(-1, chunk, loops, -1);
  if (channel < 0) channel = -1;
  return 0;
}

int ST_A::Stop() {
  if (Holds(channel)) Mix_HaltChannel(channel);
  return 0;
}

int ST_A::Pause() {
  if (Holds(channel)) {
    // The mixer marks a channel paused with the current tick count, so a
    // pause in SDL's very first millisecond would not take.
    while (SDL_GetTicks() == 0) SDL_Delay(1);
    Mix_Pause(channel);
  }
  return 0;
}

int ST_A::Resume() {
  if (Holds(channel)) Mix_Resume(channel);
  return 0;
}

int ST_A::setRepeat(bool on) {
  if (chunk) loops = on ? -1 : 0;
  return 0;
}

int ST_A::setMultistriam(bool on) {
  if (!chunk) return 0;
  multistream = on;
  if (!on) played_multistream = false;
  return 0;
}

int ST_A::setVolume(float volume) {
  if (!chunk) return 0;
  // A negative volume would only query the mixer; keep to 0..128.
  float v = std::isnan(volume) ? 0.0f : volume * 128.0f;
  if (v < 0.0f) v = 0.0f;
  if (v > 128.0f) v = 128.0f;
  Mix_VolumeChunk(chunk, int(v));
  return 0;
}

int SoundRender(ST_A* s) { return s ? s->Render(0) : 0; }
int SoundStop(ST_A* s) { return s ? s->Stop() : 0; }
int SoundPause(ST_A* s) { return s ? s->Pause() : 0; }
int SoundResume(ST_A* s) { return s ? s->Resume() : 0; }
int SoundSetRepeat(ST_A* s, bool on) { return s ? s->setRepeat(on) : 0; }
int SoundSetMultistriam(ST_A* s, bool on) { return s ? s->setMultistriam(on) : 0; }
int SoundSetVolume(ST_A* s, float volume) { return s ? s->setVolume(volume) : 0; }

// --- The game's loader ----------------------------------------------------------

ST_A* LoadGameSound(ST_SS* ss, const char* name) {
  if (ss == nullptr) return nullptr;
  if (ifile.current_pack == nullptr) return ss->GetSound(name);
  ST_A* sound = nullptr;
  if (ifile.ZipOpen(ifile.current_pack) != 1) {
    plat::PrintLine("\n\n ZipSound error open sound");
  } else if (ifile.ZipFindFile(name) != 1) {
    plat::PrintLine("\n\n ZIP ERROR FIND FILE");
  } else if (ifile.ZipReadFile(ifile.current_pass) != 1) {
    plat::PrintLine("\n\n ZIP error read file");
  } else {
    sound = ss->GetSound(ifile.read_buffer, unsigned(ifile.file_info.uncompressed_size));
  }
  ifile.ZipClearData();
  ifile.ZipCloze();
  return sound;
}

}  // namespace ZOV
