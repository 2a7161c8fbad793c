// GAME::JDIALOGWIN: the modal window shown when a puzzle is complete. The
// end of the level builds it from the finished puzzle's record (GAME::REG,
// which the dialog then owns) into the board's win-dialog slot; the board
// updates and draws it every frame from then on, leaves with its leave code
// once Update answers kConfirmed, and deletes it with itself.
//
// The dialog shows a dim layer, its background panel (this sprite), a
// decorative picture, the number of pieces with the rotation icon, the
// score, the time taken, a header, OK, and one trophy icon (TROFEI, hint
// below the icon) for every trophy field of the record that is not 0. Its
// only answer is OK (a click or Enter, with the click sound); there is no
// replay answer.
//
// Construction: the caller selects the interface pack; the background, the
// picture (chWINPIC) and OK (chBUTTON_OK) come from it. The dialog then
// selects the trophy pack (C_NAME_PACK_TROFEI, C_PAS_TROFEI) for the icons
// and clears the pack selection (both null) when it is done. An icon's
// image is the kind's path text, the level in decimal and
// chTEXT_TROFEI_EXTENSION; the lord's is chTEXT_TROFEI_OVERLORD_PATH alone.
// Each icon's name is printed on standard output.
//
// Layout, (cx, cy) the screen centre, B the background's image height, Hb
// OK's height; float arithmetic, positions truncated:
//   dialog    (cx, cy), centre hot spot
//   picture   (cx, cy - B/4), top-centre hot spot; (cx, cy - B/3) when the
//             record has any trophy
//   OK        (cx, cy + B/2 - Hb/4)
//   icons     row 1 at cy + 105, row 2 at cy + 170, x by count n (list
//             order: collector, jigsaw master, endurance, meditation,
//             inconstancy, sage, lord, those present):
//               n = 1     cx
//               n = 2     cx + 95, cx - 95
//               n = 3     cx, cx + 190, cx - 190
//               n >= 4    cx + 95, cx - 95, cx + 285, cx - 285, then row 2:
//                         n = 5 cx; n = 6 cx + 190, cx - 190;
//                         n = 7 cx + 190, cx - 190, cx
// Texts, P the picture's position, in C_FONT_MAIN_COLOR:
//   comix centred   chTEXT_DIALOG_WIN_AMOUNT (P.x - 130, P.y + 20)
//   comix centred   chTEXT_DIALOG_WIN_SCORE  (P.x + 130, P.y + 20)
//   big right, vertically centred   "<pieces>x" (P.x - 110, P.y + 85)
//   rotation icon (sprRotPzl, or sprNotRotPzl when the record says no
//                  rotation), sized to sprRotPzl's image, left-centre hot
//                  spot at (P.x - 110, P.y + 90)
//   big centred     "<score>" (P.x + 130, P.y + 85)
//   comix centred   chTEXT_DIALOG_WIN_TIME (P.x, P.y + 230)
//   big centred     the time (P.x, P.y + 175): "hh:mm:ss" when the hours
//                   are not 0, else "mm:ss", two digits each
//   big centred     chTEXT_DIALOG_WIN_HEADER_1 (dialog x, P.y - 35)
// A hint is kept inside the panel's paper (its edges less kFrame pixels):
// the icons at the ends of the first row would otherwise carry it out over
// the frame.
// Render draws: dim layer, background, picture, the amount and score
// labels, the count, the rotation icon, the score, the time label, the
// time, OK, the header, every icon, then every icon's hint. The configured
// texts go through the game's checked format path.
//
// Main thread only.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "GAME/board/reg.h"
#include "GAME/ui/window_layout.h"
#include "ST/draw_types.h"
#include "ST/sprite.h"

class BUTTONACT;
class TROFEI;

namespace ZOV {
class JFONT;
}

namespace GAME {

class JDIALOGWIN : public JSPRITE {
 public:
  static constexpr int kNothing = 0;
  static constexpr int kConfirmed = -1;
  // The icon rows' distance below the screen centre.
  static constexpr int kRow1 = 105;
  static constexpr int kRow2 = 170;
  // The panel's frame: hints stay this far inside its left and right edges.
  static constexpr int kFrame = 28;

  // `background` is the panel's image (chSTBACK); `text` is not used;
  // `font` is kept and not drawn with; the dialog takes `record` over (a
  // null record is taken as an empty one). The four ints are kept and not
  // read.
  JDIALOGWIN(const char* background, const char* text, ZOV::JFONT* font, REG* record, int a, int b, int c, int d,
             const WindowKit& kit = WindowKit::Shared());
  ~JDIALOGWIN() override;
  JDIALOGWIN(const JDIALOGWIN&) = delete;
  JDIALOGWIN& operator=(const JDIALOGWIN&) = delete;

  // Stores the small preview; it is neither owned nor drawn.
  void SetMinPrev(JSPRITE* preview) { preview_ = preview; }
  // kConfirmed on an OK click or Enter going down (with the click sound;
  // the icons are not updated in that frame), else kNothing after updating
  // the icons. The arguments are not used.
  int Update(int, float) override;
  // Returns 0; the argument is not used.
  int Render(int) override;
  int Message(int) override { return 1; }

  // The icons' centres for n icons around the screen centre (cx, cy).
  static std::vector<JST::iPOINT> IconPlaces(int n, int cx, int cy);

  const REG& Record() const { return *record_; }
  const JSPRITE& Picture() const { return *picture_; }
  const BUTTONACT& OkButton() const { return *ok_; }
  const std::vector<std::unique_ptr<TROFEI>>& Icons() const { return icons_; }
  JSPRITE* MinPrev() const { return preview_; }
  ZOV::JFONT* Font() const { return font_; }

 private:
  WindowKit kit_;
  std::unique_ptr<BUTTONACT> ok_;
  std::unique_ptr<JSPRITE> picture_;
  JSPRITE* preview_ = nullptr;
  ZOV::JFONT* font_ = nullptr;
  std::unique_ptr<REG> record_;
  std::vector<std::unique_ptr<TROFEI>> icons_;
  std::array<int, 4> unused_{};
};

}  // namespace GAME
