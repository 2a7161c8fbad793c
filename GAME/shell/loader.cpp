#include "GAME/shell/loader.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/loading_screen_base.h"
#include "GAME/shell/music_focus.h"
#include "GAME/shell/scene.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/cursor.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace {

GAME::LOADER_PARTS gParts;

// The loader's life as the main thread sees it, under gLife.
std::mutex gLife;
std::condition_variable gLifeChanged;
bool gStop = false;      // StopLoader asked the loader to leave
bool gEntered = false;   // the loader has begun
bool gFinished = false;  // the loader has left (done or stopped)

bool StopAsked() {
  std::lock_guard<std::mutex> lock(gLife);
  return gStop;
}

// Sleeps `ms` milliseconds, or less when a stop is asked; true when it is.
bool SleepUnlessStopped(int ms) {
  std::unique_lock<std::mutex> lock(gLife);
  return gLifeChanged.wait_for(lock, std::chrono::milliseconds(ms), [] { return gStop; });
}

void Finished() {
  std::lock_guard<std::mutex> lock(gLife);
  gFinished = true;
  gLifeChanged.notify_all();
}

// One progress write to the loading screen, under cs.
void Progress(int percent) {
  CsHold hold;
  if (loading) loading->SetProgress(percent);
}

ZOV::JFONT* NewFont(const char* name) {
  CsHold hold;
  return new ZOV::JFONT(name, 0);
}

void SetUpFont(ZOV::JFONT* font, int spacing, int argb) {
  font->spacing = spacing;
  font->SetColor(argb);
}

// What a sound gets beyond the engine's defaults.
enum class Extra {
  kNone,
  kMenuMusic,    // repeat, one stream, silent, started at once
  kPlayMusic,    // repeat, one stream, silent, not started
  kMultistream,  // every play on a channel of its own (after its progress)
};

struct SoundRow {
  ZOV::ST_A** sound;
  char** name;
  const char* missing;  // the default file, named in the message whatever the configured name
  Extra extra;
  int progressWhenMade;  // written before the message test; 0 for none
  int progressAfter;     // written after the message and the settings; 0 for none
};

// The 27 sounds in the order they are made.
const SoundRow kSounds[] = {
    {&eBack1, &chSND_BACK_1, "DATA/music/game_01.ogg", Extra::kMenuMusic, 0, 38},
    {&eButtonDisabled, &chSND_BUTTON_DISABLED, "DATA/music/button_disabled.ogg", Extra::kNone, 0, 0},
    {&eButtonOver, &chSND_BUTTON_OVER, "DATA/music/button_over.ogg", Extra::kNone, 0, 0},
    {&eButtonPlay, &chSND_BUTTON_PLAY, "DATA/music/button_play_press.ogg", Extra::kNone, 0, 0},
    {&eButton, &chSND_BUTTON, "DATA/music/button_press.ogg", Extra::kNone, 0, 0},
    {&eClosePocket, &chSND_CLOSE_POCKET, "DATA/music/close_pocket.ogg", Extra::kNone, 42, 0},
    {&eElArrive, &chSND_EL_ARRIVE, "DATA/music/element_arrive.ogg", Extra::kNone, 0, 0},
    {&eConHi, &chSND_CON_HI, "DATA/music/element_connection_high.ogg", Extra::kNone, 0, 0},
    {&eConMi, &chSND_CON_MID, "DATA/music/element_connection_med.ogg", Extra::kNone, 0, 0},
    {&eConLo, &chSND_CON_LOW, "DATA/music/element_connection_low.ogg", Extra::kNone, 0, 0},
    {&eElPickUp, &chSND_EL_PICK_UP, "DATA/music/element_pickup.ogg", Extra::kNone, 0, 54},
    {&eElPut, &chSND_EL_PUT, "DATA/music/element_put.ogg", Extra::kNone, 0, 0},
    {&eElRotation, &chSND_EL_ROTATION, "DATA/music/element_rotation.ogg", Extra::kNone, 0, 0},
    {&eElRotationWrong, &chSND_EL_ROTAION_WRONG, "DATA/music/element_rotation_wrong.ogg", Extra::kNone, 0, 0},
    {&eBack2, &chSND_BACK_2, "DATA/music/game_02.ogg", Extra::kPlayMusic, 0, 66},
    {&eGroupsArrive, &chSND_GROUP_ARRIVE, "DATA/music/groups_arrive.ogg", Extra::kNone, 0, 0},
    {&eGuiClick, &chSND_GUI_CLICK, "DATA/music/gui_click.ogg", Extra::kNone, 0, 0},
    {&eLevelWin, &chSND_LEVEL_WIN, "DATA/music/level_win.ogg", Extra::kNone, 0, 0},
    {&ePuzzleOver, &chSND_PUZZLE_OVER, "DATA/music/puzzle_over.ogg", Extra::kNone, 0, 0},
    {&ePuzzleSelection, &chSND_PUZZLE_SELECTION, "DATA/music/puzzle_selection.ogg", Extra::kMultistream, 0, 79},
    {&eToolHint, &chSND_TOOL_HINT, "DATA/music/tools_hint.ogg", Extra::kNone, 0, 0},
    {&eToolSort, &chSND_TOOL_SORT, "DATA/music/tools_sort.ogg", Extra::kNone, 0, 0},
    {&eUsePocket, &chSND_USE_POCKET, "DATA/music/use_pocket.ogg", Extra::kNone, 0, 0},
    {&eWindowClose, &chSND_WINDOW_CLOSE, "DATA/music/window_close.ogg", Extra::kNone, 0, 0},
    {&eWindowOpen, &chSND_WINDOW_OPEN, "DATA/music/window_open.ogg", Extra::kNone, 0, 0},
    {&eToolOn, &chSND_TOOL_ON, "DATA/music/tools_on.ogg", Extra::kNone, 0, 0},
    {&eToolOff, &chSND_TOOL_OFF, "DATA/music/tools_off.ogg", Extra::kNone, 0, 93},
};
static_assert(sizeof kSounds / sizeof kSounds[0] == 27, "the game has 27 sounds");

void SetUpMusic(ZOV::ST_A* track) {
  ZOV::SoundSetRepeat(track, true);
  ZOV::SoundSetMultistriam(track, false);
  ZOV::SoundSetVolume(track, 0.0f);
}

// Step 10: every sound, outside the lock. False when a stop was asked.
bool LoadSounds() {
  for (const SoundRow& row : kSounds) {
    if (StopAsked()) return false;
    ZOV::ST_A* sound = Game->GetSound(*row.name);
    *row.sound = sound;
    if (row.progressWhenMade) Progress(row.progressWhenMade);
    if (!sound) plat::PrintLine(std::string(row.missing) + " not load");
    if (row.extra == Extra::kMenuMusic) {
      SetUpMusic(sound);
      ZOV::SoundRender(sound);
    } else if (row.extra == Extra::kPlayMusic) {
      SetUpMusic(sound);
    }
    if (row.progressAfter) Progress(row.progressAfter);
    if (row.extra == Extra::kMultistream) ZOV::SoundSetMultistriam(sound, true);
  }
  return true;
}

// Step 8: waits until the start-up logos have had their time, reading the
// countdown under cs and sleeping without it. No loading screen: no logos.
// False when a stop was asked.
bool WaitForLogos() {
  for (;;) {
    {
      CsHold hold;
      if (!loading || loading->SplashCountdown() < 0.0f) return true;
    }
    if (SleepUnlessStopped(100)) return false;
  }
}

// Steps 9 to 16: false when a stop was asked on the way.
bool LoadTheRest() {
  Progress(21);
  plat::PrintLine("Sound ini...");
  bool soundsDone = false;
  {
    GAME::PackSelection music(C_NAME_PACK_MUSIC, C_PAS_MUSIC);
    soundsDone = LoadSounds();
  }
  if (!soundsDone || StopAsked()) return false;

  {
    GAME::PackSelection fonts(C_NAME_PACK_FONTS, C_PAS_FONTS);
    {
      CsHold hold;
      comix = new ZOV::JFONT(chFONT_COMIX, 0);
      big = new ZOV::JFONT(chFONT_BIG, 0);
      expenseFont = new ZOV::JFONT(chFONT_EXPENSE, 0);
    }
    SetUpFont(comix, FONT_SPACE_SMALL, C_FONT_MAIN_COLOR);
    SetUpFont(big, FONT_SPACE_BIG, C_FONT_MAIN_COLOR);
    SetUpFont(expenseFont, FONT_SPACE_EXPENSE, int(0xFFFFFFFFu));
  }
  if (StopAsked()) return false;

  {
    // The scene manager's whole construction runs under the lock: it makes
    // textures, sprites and fonts of its own.
    CsHold hold;
    if (loading) loading->SetProgress(99);
    if (gParts.makeScene) puzzle = gParts.makeScene();
  }
  if (SleepUnlessStopped(100)) return false;
  Progress(100);

  partHelp = nullptr;
  partGlue = nullptr;
  ePartBullet = nullptr;

  {
    // The hand-over, in one locked step: a loading frame of the main thread
    // either runs whole before it or finds no loading screen after it.
    CsHold hold;
    const unsigned long dim = zov->TextureCreate(1, 1);
    blackTranslucent = new JSPRITE(dim);
    GAMETOOLS::PillAll(uint32_t(BLACK_TRANSLUVENT), dim);
    // Publishes every asset above to the main thread, which reads the
    // counter without the lock.
    Game->loadingCount.store(0, std::memory_order_release);
    delete loading;
    loading = nullptr;
    Game->loadingScreen = nullptr;
  }
  GAME::MusicLoadingEnded();
  return true;
}

}  // namespace

void Initgoizflhgz(void*) {
  {
    std::lock_guard<std::mutex> lock(gLife);
    gEntered = true;
  }
  plat::PrintLine("Initialising game");
  {
    GAME::PackSelection fonts(C_NAME_PACK_FONTS, C_PAS_FONTS);
    loadingFont = NewFont(chFONT_LOADING);
    SetUpFont(loadingFont, FONT_SPACE_LOADING, int(0xFFFFFFFFu));
  }

  plat::PrintLine("loading = new GAME::LOADING_SCREEN;");
  {
    CsHold hold;
    loading = gParts.makeLoadingScreen ? gParts.makeLoadingScreen() : nullptr;
    plat::PrintLine("JGAMENAME->SetLoadingScreen(loading);");
    Game->SetLoadingScreen(loading);
    if (loading) loading->SetProgress(5);
  }

  plat::PrintLine("shadowSplain=new JSPRITE(chQShadow);");
  {
    GAME::PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    unsigned long infoTexture = 0;
    {
      CsHold hold;
      shadowSplain = new JSPRITE(chQShadow, 0);
      plat::PrintLine("whiteSplain=new JSPRITE(chWhitePlain);");
      whiteSplain = new JSPRITE(chWhitePlain, 0);
      plat::PrintLine("JINTEX lTex = JINNAME->TextureCreate(8,8);");
      infoTexture = zov->TextureCreate(8, 8);
    }
    GAMETOOLS::PillAll(0xBBFFFFFFu, infoTexture);
    whiteSplain->SetSize(1.1f, 1.1f);

    {
      CsHold hold;
      Mouse = new JMOUSEB(chCURNAME);
    }
    Mouse->CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);

    {
      CsHold hold;
      if (loading) loading->SetProgress(12);
      plat::PrintLine("new JSPRITE(chROT_YES);");
      sprRotPzl = new JSPRITE(chROT_YES, 0);
      plat::PrintLine("new JSPRITE(chROT_NO);");
      sprNotRotPzl = new JSPRITE(chROT_NO, 0);
      plat::PrintLine("new JSPRITE(lTex);");
      // A texture sprite takes the size of the texture touched last, which by
      // now is the rotation icon's: touch the 8x8 texture right before.
      zov->TextureLock(infoTexture);
      zov->TextureUnlock(infoTexture);
      sprInfoBack = new JSPRITE(infoTexture);
      sprInfoBack->SetColor(int(0x88000000u));
    }
  }

  const bool done = WaitForLogos() && LoadTheRest();
  plat::PrintLine(done ? "Init Complete" : "Loading stopped");
  Finished();
}

namespace GAME {

void SetLoaderParts(const LOADER_PARTS& parts) { gParts = parts; }

void StopLoader() {
  // Init sets the loading counter before it starts the loader, and the
  // loader marks itself begun before it clears the counter: read in this
  // order, the two never both miss a loader that exists.
  const bool counting = Game && Game->loadingCount.load(std::memory_order_acquire) > 0;
  std::unique_lock<std::mutex> lock(gLife);
  gStop = true;
  gLifeChanged.notify_all();
  if (!counting && !gEntered) return;
  gLifeChanged.wait(lock, [] { return gFinished; });
}

void ResetLoaderForTests() {
  std::lock_guard<std::mutex> lock(gLife);
  gStop = false;
  gEntered = false;
  gFinished = false;
}

}  // namespace GAME
