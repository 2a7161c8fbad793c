#include "GAME/shell/music_focus.h"

#include <mutex>

#include "GAME/ui/shared_assets.h"
#include "ST/sound.h"

namespace GAME {
namespace {

std::mutex gMusic;
bool gLoadingEnded = false;  // under gMusic
bool gPauseWanted = false;   // under gMusic, while loading

void PauseTracks() {
  ZOV::SoundPause(eBack1);
  ZOV::SoundPause(eBack2);
}

}  // namespace

void MusicFocusLost() {
  std::lock_guard<std::mutex> lock(gMusic);
  if (!gLoadingEnded) {
    gPauseWanted = true;
    return;
  }
  PauseTracks();
}

void MusicFocusRegained() {
  std::lock_guard<std::mutex> lock(gMusic);
  if (!gLoadingEnded) {
    gPauseWanted = false;
    return;
  }
  ZOV::SoundResume(eBack1);
  ZOV::SoundResume(eBack2);
}

void MusicLoadingEnded() {
  std::lock_guard<std::mutex> lock(gMusic);
  gLoadingEnded = true;
  if (gPauseWanted) PauseTracks();
  gPauseWanted = false;
}

void ResetMusicFocusForTests() {
  std::lock_guard<std::mutex> lock(gMusic);
  gLoadingEnded = false;
  gPauseWanted = false;
}

}  // namespace GAME
