// The click actions of the main menu's and the book's buttons, and the
// board's one call back into the shell. Each acts on the scene manager
// `puzzle` and does nothing while it does not exist. Main thread.
#pragma once

namespace GAME {

// A book tab: `button` is the clicked BUTTONACT, whose id names the chapter
// (1 to the number of chapters, 10 for the saved games).
void ButtonPackClick(void* button);
// The main menu's play button.
void StartPuz();
// The main menu's cut/change button.
void SetPuzzleOptions();
// The main menu's exit button: the click sound, then the quit question.
void Quit();
// Does nothing.
void SetP();
// The board switched its border display off: the play panel shows its
// border tool released.
void OffButtonRenderBorder();

}  // namespace GAME

// Writes "YES" on standard output.
void Action();
