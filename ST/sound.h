// Sound output over SDL_mixer.
//
// ST_SS is the sound system: it opens the audio device (22050 Hz, signed
// 16-bit little-endian, stereo, 2048-sample buffers) for as long as it lives
// and makes sounds. ST_A is one decoded sound with its own play settings,
// played on the mixer's channels. Music is an ordinary sound set to repeat.
//
// A sound that failed to decode has no chunk, and every operation on it does
// nothing and returns 0. The Sound* free functions below do the same for a
// null pointer, for the game's sound globals that may stay null.
#pragma once

#include <cstdint>

struct Mix_Chunk;

namespace ZOV {

class ST_A;

class ST_SS {
 public:
  // Mixing channels allocated: room for every sound of the game at once.
  static constexpr int kMixChannels = 32;

  ST_SS();
  ~ST_SS();
  ST_SS(const ST_SS&) = delete;
  ST_SS& operator=(const ST_SS&) = delete;

  // A new sound (owned by the caller) from a file or from bytes in memory
  // (copied; the caller may free them afterwards). Null when the audio
  // device is not open.
  ST_A* GetSound(const char* file);
  ST_A* GetSound(const char* data, unsigned int size);

  int frequency = 22050;
  uint16_t format = 0x8010;
  int channels = 2;
  int chunk_size = 2048;
  bool ok = false;
  ST_A* last_sound = nullptr;

 private:
  bool audio_started_ = false;
};

class ST_A {
 public:
  // Both end the program with exit code 200 when SDL's audio subsystem is
  // not running (a sound made before the sound system is a startup fault).
  explicit ST_A(const char* file);
  ST_A(const char* data, unsigned int size);
  ~ST_A();
  ST_A(const ST_A&) = delete;
  ST_A& operator=(const ST_A&) = delete;

  // Plays the sound. Multistream: another independent copy on a free
  // channel each time. Otherwise the channel is kept for Stop/Pause/Resume
  // (each call starts another copy; the kept channel is the latest).
  // Returns 0, or 1 without playing while the played-as-multistream flag is
  // set but multistream is off (only reachable by writing the fields, as
  // setMultistriam(false) clears the flag).
  int Render(int);
  // These act on the kept channel only while it still plays this sound; a
  // sound never played (or whose play found no free channel) has none.
  int Stop();
  int Pause();
  int Resume();
  // Endless repeat for true, a single play for false; from the next play on.
  int setRepeat(bool on);
  // Switching multistream off also forgets that it was played as one.
  int setMultistriam(bool on);
  // 0..1, the chunk's volume (for every copy playing): volume x 128, cut.
  int setVolume(float volume);

  Mix_Chunk* chunk = nullptr;
  bool multistream = false;
  bool played_multistream = false;
  int loops = 0;
  int channel = -1;

 private:
  bool Holds(int ch) const;
};

// The same operations, accepting a null sound.
int SoundRender(ST_A* s);
int SoundStop(ST_A* s);
int SoundPause(ST_A* s);
int SoundResume(ST_A* s);
int SoundSetRepeat(ST_A* s, bool on);
int SoundSetMultistriam(ST_A* s, bool on);
int SoundSetVolume(ST_A* s, float volume);

// Makes a sound the way the game object does: with a pack selected in
// ZOV::ifile, `name` is an entry of that pack read with its password;
// otherwise a file path. Null when the sound system is missing or its device
// closed, or when the pack cannot be opened ("\n\n ZipSound error open
// sound"), the entry is missing ("\n\n ZIP ERROR FIND FILE") or cannot be
// read ("\n\n ZIP error read file"). The pack is closed and the read buffer
// freed on every path.
ST_A* LoadGameSound(ST_SS* ss, const char* name);

}  // namespace ZOV
