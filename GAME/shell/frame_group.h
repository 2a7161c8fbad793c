// FRAME_CHOISE_GROUP: one chapter of the picture catalogue, shown as gallery
// pages of eight thumbnails (layout in frame_page.h) with next and previous
// page buttons and a page counter. Owned by the scene manager for the whole
// run; its page and selection persist across tabs and puzzles.
//
// The selection is always valid: after construction and Fill the selected
// index lies in 0..n-1 (0 for an empty chapter) and the page shows it (Clear
// keeps both for the refill). A fresh chapter of two or more pictures selects the SECOND (index 1).
// The owner reads `selected` and `frames` (SelectedFrame() is null for an
// empty chapter, and the owner then starts nothing).
//
// Update results: kEmpty for an empty chapter; kSelected when a thumbnail
// was pressed (left or right; plays ePuzzleSelection; its index is now
// `selected`); kStart when one was double-clicked (it is selected, no sound):
// the owner starts it at once. The start is its own code, never an index.
//
// Layout at 1024 x 768: next page (667, 599), previous (325, 599), counter
// "1/2" top-left at (483, 580), shown only with more than one page.
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "GAME/shell/frame.h"
#include "GAME/shell/frame_page.h"

class FRAME_CHOISE_GROUP {
 public:
  enum Result { kEmpty = -1, kNothing = 0, kSelected = 1, kStart = 999 };

  // One thumbnail per element child of `chapter`, in document order, from
  // its attributes "adrSm" (thumbnail, from the preview pack), "amount",
  // "rot" and "adrFm" (full picture). The paging buttons come from the menu
  // pack.
  explicit FRAME_CHOISE_GROUP(pugi::xml_node chapter);
  ~FRAME_CHOISE_GROUP();
  FRAME_CHOISE_GROUP(const FRAME_CHOISE_GROUP&) = delete;
  FRAME_CHOISE_GROUP& operator=(const FRAME_CHOISE_GROUP&) = delete;

  int Update();
  void Render();
  // The screen centre: lays the chapter out for a screen of 2x by 2y.
  void SetPos(int x, int y);
  // For a screen of w x h (nothing for an empty chapter).
  void Reset(int w, int h);
  void Reset(int x1, int y1, int x2, int y2);
  void CheckButtons();
  // Deletes every thumbnail (log lines in frame_page.h).
  void Clear();
  // Appends the saved games of `folder` as the saved-games panel does;
  // returns how many. The page count stays as it was.
  int Fill(char* folder);

  // The selected thumbnail, null for an empty chapter.
  FRAME* SelectedFrame() const;

  int selected = 1;
  int page = 0;
  int pageCount = 0;
  JST::iPOINT counter{0, 0};
  std::vector<FRAME*> frames;  // owned
  std::unique_ptr<JBUTTONMAP4> next;
  std::unique_ptr<JBUTTONMAP4> prev;
};
