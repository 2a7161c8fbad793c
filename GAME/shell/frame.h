// One thumbnail of a book page and its information box.
//
//  - FRAME_INFO: the small box under a thumbnail's lower right corner with the
//    total piece count (light on the dark box) and the rotation icon, and, for a saved game, the
//    completion percent in a badge inside the thumbnail's top right corner
//    (kBadgeInset pixels in from both edges, its text light on the dark
//    box, wide enough for "100 %"). Drawn in the font
//    `comix` with the shared sprites sprInfoBack, sprRotPzl and sprNotRotPzl;
//    a null font or sprite draws nothing and measures 0.
//  - FRAME: a clickable thumbnail (a JBUTTON made from an image of the pack
//    the caller selected) with the picture it stands for: the catalogue's
//    pictures (made with a piece count) and the saved games (made with the
//    pieces along the shorter side). Update is JBUTTON's: 0 nothing, 1 left
//    press inside, 2 right press inside, 3 double click inside.
//
// Piece counts: with r = (longer side) / (shorter side) of the thumbnail's
// own image, as a float,
//    GetCountFromMin(m) = trunc(m * r + 0.5) * m        (m along the shorter side)
//    GetMinFromCount(c) = min(m, c / m), m = trunc(sqrt(4 r c) / (2 r))
// computed in float exactly so: on a 4:3 thumbnail 12 -> 3, 20 -> 3, 48 -> 6,
// 108 -> 9 (double arithmetic would give 2, 3, 5, 8). A count too small for
// one piece along the shorter side (m < 1) or a negative one has no answer:
// GetMinFromCount returns 0, and a catalogue thumbnail made with it is
// treated as one with amount 0 (a random count), with a log line.
//
// Every thumbnail draws its tilt once when made (the game's random
// generator), whatever C_BOOKMAXFRAMEROTATION is, so the sequence of random
// numbers does not depend on the setting.
#pragma once

#include <memory>
#include <string>

#include "ST/button.h"

// The Parts name these classes without a namespace, as the engine's widgets.

class FRAME_INFO {
 public:
  // `percent` -1: no completion box.
  FRAME_INFO(int count, int percent, bool rot);
  static constexpr int kBadgeInset = 4;
  // A percent of 0 or more shows the completion box (its width fits "100 %").
  void SetPercent(int p);
  // Draws the box for the thumbnail `b` (its position and unscaled quad
  // size): the anchor is (x + w/2 + 10, y + h/2 + 48).
  void Render(JBUTTON* b);
  int Update(int, float) { return 1; }
  // Box sizes recomputed from the count's own text.
  void Reset();

  int percent = -1;
  int count = 0;
  bool rot = false;
  int boxH = 0;      // lower box height: text height + 8
  int boxW = 0;      // lower box width
  int percentW = 0;  // completion box width, 0 without a percent
};

class FRAME : public JBUTTON {
 public:
  // A catalogue picture: `amount` total pieces, 0 for a random count (3 to
  // 12 along the shorter side).
  FRAME(const char* thumbnail, int amount, bool rot);
  // A saved game with `min` pieces along the shorter side.
  FRAME(const char* thumbnail, bool rot, int min);
  ~FRAME() override;

  int GetCountFromMin(int m) const;
  // 0 when `c` allows no piece along the shorter side (see above).
  int GetMinFromCount(int c) const;
  // Draws the information box; the argument is not consulted.
  void RenderHint(bool);
  // The image's long side over its short side (1 for an image of no size).
  float Ratio() const;
  // The quad's size in pixels, unscaled.
  int DrawnW() const;
  int DrawnH() const;

  std::string imageName;  // the full picture ("adrFm", or a save's "ImgAdr")
  std::string thumbName;  // the thumbnail image ("adrSm", or "ImgSmAdr")
  std::string savePath;   // the save file, empty for catalogue pictures
  int min = 0;            // pieces along the shorter side
  bool rot = false;       // pieces may be rotated
  std::unique_ptr<FRAME_INFO> info;
};
