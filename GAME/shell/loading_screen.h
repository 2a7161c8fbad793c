// GAME::LOADING_SCREEN: what the player sees while the loader thread builds
// the game (GAME/shell/loader.h). First the edition's start-up logos, one
// after the other, on a plane of the colour C_COLOR_SPLASH; then the floor,
// the loading background, the progress in percent and, when configured, the
// title line chTEXT_COPYRIGHT2.
//
// Logos: the edition's splash1 and splash2, else "logo1.png" and
// "logo2.png"; both are paths from the current folder (never pack entries).
// Each logo found gives the splash countdown 2 seconds. The countdown falls
// by the screen's own frame time (an ST_TIMER without limit, measured from
// construction) and by 2 seconds for every left click while it is above 0,
// so one click skips the logo shown. Phases by countdown:
//   > 2       the plane, then the first logo;
//   (0, 2]    the plane, then the second logo (the first when there is none);
//   <= 0      the floor, the loading background at the screen centre, the
//             progress "%i%%" centred at (cx - 10, cy + 130) in the loading
//             font, and chTEXT_COPYRIGHT2 (as written) centred at
//             (cx + COPYRIGHT_TITLE_POS_X, 2 cy + COPYRIGHT_TITLE_POS_Y).
// With both logos the first shows for 2 s, then the second for 2 s; with
// one it shows for 2 s; with none the progress shows from the first frame.
// The loader loads no sound until the countdown is below 0.
//
// While the countdown is above 0, Update also advances the input state (the
// engine's loading frames advance nothing else), so that a click counts in
// one frame only. Images missing from the packs are drawn with the
// renderer's default texture; a missing logo adds no time.
//
// Threads: the loader constructs and destroys the screen holding `cs` (the
// constructor selects the loading and the menu packs and clears the
// selection again); the main thread calls Update and Render holding `cs`
// (ST_GAME::Loading). The progress is written by the loader under `cs`.
#pragma once

#include <memory>

#include "GAME/shell/loading_screen_base.h"

class JSPRITE;

namespace ZOV {
class JFONT;
class ST_GAME;
class ST_TIMER;
}  // namespace ZOV

namespace GAME {

class LOADING_SCREEN : public LOADING_SCREEN_BASE {
 public:
  // Seconds of screen time each logo found gives, and each click takes off.
  static constexpr float kLogoSeconds = 2.0f;
  static constexpr float kClickSeconds = 2.0f;
  // Where the progress is drawn, from the screen centre.
  static constexpr int kProgressDx = -10;
  static constexpr int kProgressDy = 130;

  // `game`: the screen centre and the input state; `font`: the loading font
  // (the progress draws nothing while it is null).
  LOADING_SCREEN(ZOV::ST_GAME& game, ZOV::JFONT* font);
  ~LOADING_SCREEN() override;
  LOADING_SCREEN(const LOADING_SCREEN&) = delete;
  LOADING_SCREEN& operator=(const LOADING_SCREEN&) = delete;

  // Lowers the countdown; returns 0.
  int Update(int, float) override;
  // Draws the phase the countdown is in; returns 1.
  int Render(int) override;

  // The phase, for the owner and the checks.
  enum class Phase { kFirstLogo, kSecondLogo, kProgress };
  Phase CurrentPhase() const;

  const JSPRITE* FirstLogo() const { return firstLogo_.get(); }
  const JSPRITE* SecondLogo() const { return secondLogo_.get(); }
  const JSPRITE& Plane() const { return *plane_; }
  const JSPRITE& Background() const { return *background_; }
  const JSPRITE& Floor() const { return *floor_; }

 private:
  // A logo sprite centred on the screen when the file exists, else null.
  std::unique_ptr<JSPRITE> MakeLogo(const char* name);

  ZOV::ST_GAME& game_;
  ZOV::JFONT* font_;
  std::unique_ptr<ZOV::ST_TIMER> timer_;
  std::unique_ptr<JSPRITE> secondLogo_;
  std::unique_ptr<JSPRITE> firstLogo_;
  std::unique_ptr<JSPRITE> plane_;
  std::unique_ptr<JSPRITE> background_;
  std::unique_ptr<JSPRITE> floor_;
};

// The loader's maker (GAME::LOADER_PARTS::makeLoadingScreen): a loading
// screen on the engine's game object with the shared loading font.
LOADING_SCREEN_BASE* MakeLoadingScreen();

}  // namespace GAME
