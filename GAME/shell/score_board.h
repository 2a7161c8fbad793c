// GAME::SCORE_BOARD: the modal window that lists the player's finished
// puzzles, three rows at a time, each row (GAME::ITEM_SCORE) with the
// picture's thumbnail, its number, score, piece count and time. The scene
// manager selects the interface pack (C_NAME_PACK_GUI, C_PAS_GUI) around
// the constructor, fills the board from the progress file
// (GAME::FillScoreBoard, GAME/shell/progress_file.h), polls Update once a
// frame and deletes the board once it answers kClosed.
//
// Update: kClosed on an OK click or Enter going down, with the click
// sound, else 0; Escape does nothing. With more than three rows the scroll
// bar is polled too, and its value (0 to rows - 3) is the first row shown.
//
// Layout, (x, y) = (cx, cy) the screen centre where the window stands, H
// the background's image height, h OK's height; sprite centres, float
// arithmetic, positions truncated:
//   score plate chSCOREFON   (x + 264, y - 0.3 H)          py = its y
//   header  big, centred, chTEXT_SCORE_BOARD_HEADER (as written) at
//           (x, window top + kTitleBelowTop): in the title band of the
//           window art, above the rule under it
//   scroll bar               top end (x + kScrollRightOfCentre, py + kScrollBelowPlate),
//                            track kScrollLength long: the bar and both
//                            its step buttons lie on the window's paper
//   OK                       (cx, cy + H/2 - h/4)
//   rows                     row i shown (0..2) centred on ry = py + 80 + 140 i
// A row (rx = x):
//   number  big, centred, "%i." at (rx - 250, ry)
//   frame   the white plate whiteSplain, the thumbnail's size + 10 each way,
//           scale 1, at (rx - 125, ry); the thumbnail over it, at the same
//           point, longer side 130 px: w <= h gives (trunc(w/h 130), 130),
//           else (130, trunc(h/w 130)), w x h the texture's own size (so a
//           thumbnail missing from the pack shows the 8 x 8 default texture
//           at 130 x 130, never another picture's size)
//   texts   the row font, left edge at rx + 10, vertically centred:
//           chTEXT_SCORE_BOARD_ITEM_SCORE (score) at ry - 30,
//           chTEXT_SCORE_BOARD_ITEM_PIECE (pieces) at ry,
//           chTEXT_SCORE_BOARD_ITEM_TIME (2, min, 2, s) at ry + 30, or
//           chTEXT_SCORE_BOARD_ITEM_TIME_H (2, h, 2, min, 2, s) when the
//           record's hours are not 0; each through the configuration's
//           checked format path.
// At 1024 x 768 with a 760 x 600 background: plate (776, 204), rows at 284,
// 424 and 564, thumbnails at x 387, numbers at x 262.
//
// Render draws the dim layer, the background, the plate, the header, OK,
// the scroll bar (nothing while its range is empty: three rows or fewer),
// then the rows; it returns 1.
//
// Main thread only. The board owns its rows; each row owns its record and
// its thumbnail sprite, which frees the texture (every row loads its own,
// also when two rows name the same picture).
#pragma once

#include <memory>
#include <vector>

#include "GAME/board/reg.h"
#include "GAME/ui/window_layout.h"
#include "ST/object.h"
#include "ST/sprite.h"

class JBUTTONMAP4;
class JVSLIDER_E;

namespace ZOV {
class JFONT;
class JINGFX;
}  // namespace ZOV

namespace GAME {

// One row of the score board.
class ITEM_SCORE : public JST::STO {
 public:
  // The longer side of a thumbnail, and the white margin around it.
  static constexpr int kThumbSide = 130;
  static constexpr int kFrameMargin = 10;

  // Takes over the texture (through the thumbnail sprite) and the record.
  // `big` draws the number, `font` the texts, `plate` is the white frame;
  // any of them may be null and is then not drawn.
  ITEM_SCORE(unsigned long texture, std::unique_ptr<REG> record, ZOV::JFONT* font, ZOV::JFONT* big,
             JSPRITE* plate, ZOV::JINGFX* gfx);
  ~ITEM_SCORE() override;
  ITEM_SCORE(const ITEM_SCORE&) = delete;
  ITEM_SCORE& operator=(const ITEM_SCORE&) = delete;

  // Draws the row centred on y = `ry` (its x is position.x); returns 1.
  int Render(int ry) override;

  const JSPRITE& Thumbnail() const { return *thumbnail_; }
  const REG& Record() const { return *record_; }
  // The thumbnail's drawn size (0 x 0 for a texture the renderer does not know).
  int ThumbWidth() const { return thumbW_; }
  int ThumbHeight() const { return thumbH_; }

  int number = 0;  // 1-based place in the board

 private:
  std::unique_ptr<JSPRITE> thumbnail_;
  std::unique_ptr<REG> record_;
  ZOV::JFONT* font_;
  ZOV::JFONT* big_;
  JSPRITE* plate_;
  ZOV::JINGFX* gfx_;
  int thumbW_ = 0, thumbH_ = 0;
};

class SCORE_BOARD : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kClosed = -1;
  static constexpr int kRowsShown = 3;
  static constexpr int kRowPitch = 140;
  // The header's centre below the window's top edge.
  static constexpr float kTitleBelowTop = 45.0f;
  // The scroll bar stands inside the window art's paper, clear of its
  // wooden frame and of the score plate: right of the rows' texts, its upper
  // step button below the plate's round edge, its lower one above the
  // paper's bottom edge.
  static constexpr float kScrollRightOfCentre = 305.0f;
  static constexpr float kScrollBelowPlate = 50.0f;
  static constexpr int kScrollLength = 370;

  // `font` draws the rows' texts (the scene manager passes comix); `plate`
  // is the white frame drawn behind each thumbnail.
  explicit SCORE_BOARD(ZOV::JFONT* font, const WindowKit& kit = WindowKit::Shared(), JSPRITE* plate = nullptr);
  ~SCORE_BOARD() override;
  SCORE_BOARD(const SCORE_BOARD&) = delete;
  SCORE_BOARD& operator=(const SCORE_BOARD&) = delete;

  // Appends a row for the record and the thumbnail `face` (an entry of the
  // preview pack) and numbers it; the scroll bar's maximum becomes
  // rows - 3.
  void AddScoreItem(std::unique_ptr<REG> record, const char* face);
  // A texture of its own for the thumbnail: from the preview pack
  // (C_NAME_PACK_IMAGE_PREV, C_PAS_IMAGE; the pack selection of ZOV::ifile
  // is neither used nor changed); from the current folder when no preview pack is configured;
  // the renderer's default texture when it cannot be loaded.
  unsigned long LoadTexture(const char* face);

  // kClosed or kNothing; the arguments are not used.
  int Update(int, float) override;
  int Render(int) override;

  const JSPRITE& Plate() const { return *plate_; }
  const JBUTTONMAP4& OkButton() const { return *ok_; }
  JVSLIDER_E& ScrollBar() { return *scroll_; }
  const std::vector<std::unique_ptr<ITEM_SCORE>>& Rows() const { return rows_; }
  int FirstRow() const { return firstRow_; }

 private:
  WindowKit kit_;
  ZOV::JFONT* font_;
  JSPRITE* whitePlate_;
  std::unique_ptr<JVSLIDER_E> scroll_;
  std::unique_ptr<JBUTTONMAP4> ok_;
  std::unique_ptr<JSPRITE> plate_;
  int firstRow_ = 0;
  std::vector<std::unique_ptr<ITEM_SCORE>> rows_;
};

}  // namespace GAME
