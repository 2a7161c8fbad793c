// JMOUSEB: the game's mouse cursor, a sprite that follows the mouse in
// logical pixels. Before drawing itself it paints opaque black bars over the
// parts of the back buffer outside the letterboxed game area, so nothing
// drawn past the logical screen's edges shows. The shell makes one, updates
// it every frame and draws it last, in the overlay pass.
#pragma once

#include "ST/input.h"
#include "ST/sprite.h"

class JMOUSEB : public JSPRITE {
 public:
  // The cursor image (selected pack or disk) and a 2x2 opaque black texture
  // for the bars.
  explicit JMOUSEB(const char* file);
  // Frees the bar sprite with its texture, then the cursor's texture.
  ~JMOUSEB() override;

  // Position = the mouse position in logical pixels; returns 0.
  int Update(int, float) override;
  // In back-buffer pixels: the left bar (0, 0)-(ox, H), the right bar from
  // ox + scaled width to the back buffer's right edge, the top bar
  // (0, 0)-(W, oy), the bottom bar from oy + scaled height to the bottom
  // edge (bars without area are skipped); then back to the letterbox view
  // and the cursor itself on top. Returns 1.
  int Render(int) override;

  JSPRITE* bar = nullptr;  // owned
  ZOV::ST_INPUT* input = nullptr;

 private:
  void Bar(int x, int y, int w, int h);
};
