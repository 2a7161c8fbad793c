// GAME::JTILE_MAP_9: a panel of any size drawn from nine images (a
// nine-patch). The four corners keep their own size; the four edges and the
// centre repeat their image (never stretch it) to fill the size the panel is
// given. The book of puzzle packs builds its two pages from two of them.
//
// Main thread. The panel owns its nine tile sprites. Its position (the
// JST::STO point) is its centre; every tile's hot spot is the tile's centre
// and a tile's size is its drawn quad size in pixels.
//
// Tiles are addressed by a code row x 10 + column, rows and columns counted
// 1 to 3 from the top left:
//
//     11 top-left     12 top edge     13 top-right
//     21 left edge    22 centre       23 right edge
//     31 bottom-left  32 bottom edge  33 bottom-right
//
// Layout (all "trunc" truncate toward zero):
//  - SetPos(x, y) puts the centre tile on (x, y), every other tile edge to
//    edge around it, then moves all nine so that the box from the top-left
//    corner's outer edge to the bottom-right corner's outer edge is centred
//    on (x, y) even when the corners differ in size;
//  - Resize(x1, y1, x2, y2) stretches the panel over that box, the top-left
//    corner staying where it is: edges and centre get the inner size;
//  - SetSizePix(w, h) resizes from the current top-left corner, never below
//    two opposite corners together, then lays the panel out around its
//    centre again;
//  - ResizePix(dw, dh) grows the panel from its current size the same way.
// A tile switched off (DisableSprite) keeps its size and place in the
// layout but is no longer drawn.
#pragma once

#include <array>
#include <memory>

#include "ST/object.h"

class JSPRITE;

namespace GAME {

class JTILE_MAP_9 : public JST::STO {
 public:
  // The nine image names in row order (11, 12, 13, 21, 22, 23, 31, 32, 33),
  // loaded from the pack the caller selected in ZOV::ifile. Nothing is laid
  // out yet: every tile sits at (0, 0) with its image's size.
  JTILE_MAP_9(const char* t11, const char* t12, const char* t13, const char* t21, const char* t22,
              const char* t23, const char* t31, const char* t32, const char* t33);
  ~JTILE_MAP_9() override;
  JTILE_MAP_9(const JTILE_MAP_9&) = delete;
  JTILE_MAP_9& operator=(const JTILE_MAP_9&) = delete;

  // Draws every tile that still has a texture: the bottom row, the top row,
  // then the middle row; returns 0.
  int Render(int) override;

  // Stores the packed ARGB colour and gives it to all nine tiles.
  void SetColor(int argb);
  int GetColor() const { return color_; }
  // Places the panel centred on (x, y).
  void SetPos(int x, int y);
  // The size w x h (at least two opposite corners together), keeping the
  // centre.
  void SetSizePix(int w, int h);
  // Grows the panel by dw x dh from its top-left corner, then centres it on
  // its position again. The new size is held to the same minimum as
  // SetSizePix's.
  void ResizePix(int dw, int dh);
  // Stretches the panel over the box (x1, y1)-(x2, y2), corner 11 staying
  // where it is. A box smaller than the corners gives empty edges and
  // centre.
  void Resize(int x1, int y1, int x2, int y2);
  // Switches the tile of that code off by releasing its texture now; codes
  // other than the nine are ignored.
  void DisableSprite(int code);

  // The tile of that code, null for any other code (for the owner's and the
  // tests' reading; the panel keeps it).
  JSPRITE* Tile(int code) const;

 private:
  JSPRITE& T(int code) const { return *Tile(code); }

  std::array<std::unique_ptr<JSPRITE>, 9> tiles_;
  int color_ = 0;
};

}  // namespace GAME
