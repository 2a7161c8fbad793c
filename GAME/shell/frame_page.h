// What the gallery pages (FRAME_CHOISE_GROUP) and the saved-games panel
// (PUZZLE_SAVEPANEL) share: eight thumbnails to a page in two rows of four
// on the book's open pages, the box they are laid out in, the paging
// buttons' rule, the drawing of one page and the emptying of a list.
//
// Layout in a box (x1, y1)-(x2, y2), cw = (x2 - x1) / 4, ch = (y2 - y1) / 2:
// thumbnail i takes slot i % 8 + 1 (1-4 upper row, 5-8 lower), column c
// (1-4) in its row;
//    x = (c cw + x1 - cw/2) + 0.1 cw (odd slot) or - 0.1 cw (even slot)
//    y = (y1 + ch - ch/2) + 0.1 ch (upper) or (y1 + 2 ch - ch/2) - 0.1 ch
//        (lower), + C_COUNTPIXELFORFRAMESOFFSET
// its longer side becomes cw * SIZEOFFRAMESINBOOKPSNT, hot spot at the
// centre, hit box that size times C_FRAMES_EXTRA_BOUNDBOX (truncated).
// At 1024 x 768 with the default settings the box is (167, 155)-(856, 612):
// slot centres 270.2/407.8/614.2/751.8 by 271.8/454.2, and a 400 x 300
// thumbnail is drawn 103 x 77 with a 133 x 100 hit box.
#pragma once

#include <vector>

class FRAME;
class JBUTTONMAP4;

namespace GAME {

constexpr int kFramesPerPage = 8;

struct PageBox {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The book's open pages for a screen of w x h: (offsetfrompage +
// trunc(w BOOKOPTSIZEULX), trunc(h BOOKOPTSIZEULY) + 40) -
// (trunc(w BOOKOPTSIZEDRX) - offsetfrompage, trunc(h BOOKOPTSIZEDRY) - 40).
PageBox BookPageBox(int w, int h);

// Places, sizes and gives hit boxes to every thumbnail (see above).
void LayoutFrames(const std::vector<FRAME*>& frames, const PageBox& box);

// Fewer than 8 thumbnails: both buttons inactive. Otherwise previous is
// active from page 1 on, next below page (n - 1) / 8.
void CheckPaging(int count, int page, JBUTTONMAP4* next, JBUTTONMAP4* prev);

// Keeps a selection valid for a list of `count`: the index within
// 0..count-1 and the page within the list's pages (both 0 for an empty
// list); when the index is then not on the page, the page becomes the
// index's own, so the selected thumbnail is the one shown.
void ClampSelection(int count, int* selected, int* page);

// One frame of a book's page buttons, next first: a click on an active
// button turns the page, selects the new page's first thumbnail and checks
// both buttons again (CheckPaging); then the selection is clamped
// (ClampSelection).
void TurnPages(int count, int* selected, int* page, JBUTTONMAP4* next, JBUTTONMAP4* prev);

// Draws the thumbnails of `page`: the selected one's shadow (shadowSplain at
// +10, +10), for each a white plate (whiteSplain) 20 pixels larger, the
// thumbnail and its information box; with anisotropic filtering on meanwhile
// and the plates' angles put back to 0 after.
void RenderFramePage(const std::vector<FRAME*>& frames, int page, int selected);

// Deletes every thumbnail and empties the list, with the log lines "Clear
// start... ", "Clearing..." and the count, "Deleting..." and "Erasing..."
// for each, "Clear ok".
void ClearFrames(std::vector<FRAME*>* frames);

}  // namespace GAME
