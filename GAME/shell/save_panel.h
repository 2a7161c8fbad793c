// PUZZLE_SAVEPANEL: the book page under the saves tab, one thumbnail per
// saved game of the current player (save_list.h says which files, in what
// order, and how the completion percent is got), eight to a page in the
// gallery's layout (frame_page.h), with next and previous page buttons and a
// trash button that deletes the selected save at once (no question, no
// sound). Owned by the scene manager for the whole run.
//
// The selection is always valid: after every Fill and deletion the selected
// index lies in 0..n-1 (0 for an empty list) and the page shows it, so the
// owner may resume `frames[selected]` whenever the list is not empty
// (SelectedFrame() is null when it is). Clear keeps them, so that a refill
// of the same saves keeps the player's choice (clamped if the list shrank).
//
// Update: kEmpty when the list is empty or its last save was just deleted
// (the owner reloads and hides the saves tab), else kNothing. A press or a
// double click on a thumbnail only selects it (the last one reporting in a
// frame wins), silently.
//
// Layout at 1024 x 768 (box (167, 155)-(856, 612)): next page (556, 599),
// previous (436, 599), trash (813, 550). No page counter.
#pragma once

#include <memory>
#include <vector>

#include "GAME/shell/frame.h"
#include "GAME/shell/frame_page.h"

class PUZZLE_SAVEPANEL {
 public:
  enum Result { kEmpty = -1, kNothing = 0 };
  // HaveSaves' answers.
  enum { kHasSaves = 2, kNoSaves = -1 };

  // The three buttons come from the menu pack. Logs "SavePanel created".
  PUZZLE_SAVEPANEL();
  ~PUZZLE_SAVEPANEL();
  PUZZLE_SAVEPANEL(const PUZZLE_SAVEPANEL&) = delete;
  PUZZLE_SAVEPANEL& operator=(const PUZZLE_SAVEPANEL&) = delete;

  // Appends the saves of `folder` (the player's folder, ending with a
  // separator); returns how many.
  int Fill(char* folder);
  // Deletes every thumbnail; the selection and page stay for the refill.
  void Clear();
  // For a screen of w x h (nothing for an empty list); remembered for the
  // relayout after a deletion.
  void SetPos(int w, int h);
  void Reset(int x1, int y1, int x2, int y2);
  int Update();
  void Render();
  void CheckButtons();
  // Deletes the save file (through the file service, ZOV::ifile.FileDel) and
  // the thumbnail at `index`, -1 for the selected one; kEmpty when the list
  // became empty, else kNothing. The selection moves back one when the save
  // deleted was at or before it (so deleting the first thumbnail of a page
  // shows the page before); an index outside the list deletes nothing. A
  // file already gone from disk still leaves the list.
  int DeleteSave(int index);
  // kHasSaves when `folder` holds a "*.pzl" entry, else kNoSaves.
  int HaveSaves(char* folder);

  // The selected thumbnail, null for an empty list.
  FRAME* SelectedFrame() const;

  int selected = 0;
  int page = 0;
  std::vector<FRAME*> frames;  // owned
  std::unique_ptr<JBUTTONMAP4> next;
  std::unique_ptr<JBUTTONMAP4> prev;
  std::unique_ptr<BUTTONACT> trash;

 private:
  int screenW_ = 0, screenH_ = 0;
};
