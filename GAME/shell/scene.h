// GAME::SCENE: what the engine hooks and the button actions need of the
// scene manager, the one object that owns every screen, panel and window of
// the game and the board in play. The scene manager derives from it; the
// loader thread builds it (GAME::LOADER_PARTS) and publishes it as the global
// `puzzle`, which stays null until then.
//
// Every operation runs on the main thread, inside the update and render
// hooks or a button's action.
#pragma once

#include "ST/object.h"

class PLAY_PANEL;

namespace GAME {

class SCENE : public JST::ST {
 public:
  // Update(int, float) and Render(int) come from JST::ST: once a frame, the
  // main pass's drawing in Render.

  // The overlay pass: menus, windows and their dim layers.
  virtual void PostRender() = 0;
  // Lays every screen out again for the screen-size code `screenRes` (width
  // times height) after the renderer's device was reset.
  virtual void Reset(int screenRes) = 0;
  // The book's tab `id` was clicked: 1 to the number of chapters, 10 for the
  // saved games.
  virtual void ActivateButton(int id) = 0;
  // The main menu's play button.
  virtual void StartNow() = 0;
  // The main menu's cut/change button: opens the set-up strip.
  virtual void SetPzlOpt() = 0;
  // The main menu's exit button: opens the quit question.
  virtual void OnPuzzleExit() = 0;
  // Shows the play panel's tool `code` released; nothing while no play
  // panel exists. The board's border release comes here
  // (GAME::OffButtonRenderBorder).
  virtual void DropPlayPanelButton(int code);
  // The game window is closing (the engine's close hook): save what must
  // not be lost. Nothing by default.
  virtual void SaveBeforeClose() {}

  // The play panel, owned by the scene manager: made at each start of play
  // (the previous one deleted then), null before the first start, kept
  // while the menu shows. The board releases its border tool through it
  // (GAME::OffButtonRenderBorder).
  PLAY_PANEL* playPanel = nullptr;
};

}  // namespace GAME
