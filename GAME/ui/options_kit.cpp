#include "GAME/ui/options_kit.h"

#include "GAME/ui/shared_assets.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

OptionsKit OptionsKit::Shared() {
  return OptionsKit{WindowKit::Shared(), ::ePuzzleSelection, ::eButtonDisabled, nullptr};
}

uint32_t OptionsKit::Now() const { return clock != nullptr ? clock() : plat::TimeMs(); }

bool TestSoundGate::Play(const OptionsKit& kit) {
  const uint32_t now = kit.Now();
  // Unsigned difference: right across the clock's wrap.
  if (played_ && now - lastMs_ < kTestSoundGapMs) return false;
  ZOV::SoundRender(kit.testSound);
  played_ = true;
  lastMs_ = now;
  return true;
}

}  // namespace GAME
