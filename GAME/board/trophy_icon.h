// TROFEI: one trophy picture that shows a hint while the mouse rests on it,
// the hint fading in over 0.3 seconds. The win dialog shows one per trophy
// reached on the puzzle, its hint just below the icon; the trophy window
// shows all seven with their hints in one place below the screen centre.
//
// The sprite is the picture, loaded from the pack the caller selected (the
// trophy pack), with its hot spot at the centre. The owner sets `hint` and
// `font` right after construction, calls Update once a frame, Render for
// every icon and then RenderHint for every icon, so a hint lies over all
// pictures. An icon without a hint text or a font never shows a hint.
//
// Update adds the frame time to the fade timer (held at 0.3 s at most);
// while the mouse is strictly inside the picture's unscaled quad centred on
// its position the icon is hovered, else it is not and the timer restarts
// from 0. The hint's box and border take alpha timer / 0.3 x 0.5, its text
// timer / 0.3; red, green and blue stay as they are.
//
// The hint's box holds its text with a margin on every side: kHintPadX
// pixels left and right of the widest line (len, integer halving; its
// glyphs reach past len by the font's letter spacing when negative), kHintPadY
// above the first line and below the last (T, line pitch x lines). Its top:
//   kHintBelowCentre  cy + 180, (cx, cy) the screen centre, the text
//                     centred on cx; the font's line height is reset
//                     afterwards
//   other placements  trunc(e - s x 0.6), e = y + quad height x y scale / 2
//                     the icon's lower edge, s the font's line height; the
//                     text centred on trunc x, (x, y) the icon's position
// The box runs from (x - len/2 - kHintPadX, top) to
// (x + len/2 + overhang + kHintPadX, top + kHintPadY + T + kHintPadY); HintRect is
// that box 5 pixels narrower a side.
// An owner may keep hints below the icon inside a band of the screen
// (KeepHintWithin): a box that would cross one of its edges is moved
// sideways, with its text, until it touches that edge (the left edge when
// the band is narrower than the box).
// The box is drawn with border
// 0xFFFFCC00 and fill 0x88000000, each at the faded alpha. Each line of the
// text is centred on its own, so a first line shorter than the others
// still leaves every line inside the box. The text is a configured text:
// drawn through the game's checked format path, in the text colour
// (kTextColour, a light cream that reads on the dark box), the font's own colour put back
// afterwards.
//
// Main thread only. The icon borrows the game object and the font.
#pragma once

#include <cstdint>
#include <string>

#include "GAME/ui/window_layout.h"
#include "ST/draw_types.h"
#include "ST/sprite.h"

namespace ZOV {
class JFONT;
class ST_GAME;
}  // namespace ZOV

class TROFEI : public JSPRITE {
 public:
  static constexpr int kHintBelowCentre = 0;
  static constexpr int kHintBelowIcon = 1;
  static constexpr float kFadeSeconds = 0.3f;
  static constexpr uint32_t kBoxColour = 0x88000000u;
  static constexpr uint32_t kBorderColour = 0xFFFFCC00u;
  // The margin between the hint's text and its box's edges.
  static constexpr int kHintPadX = 10;
  static constexpr int kHintPadY = 6;
  // The hint's text: the interface's colour for text on a dark box.
  static constexpr uint32_t kTextColour = GAME::kTextOnDarkBox;

  struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
  };

  // `image` from the selected pack; `placement` kHintBelowCentre or any
  // other value for below the icon; `game` gives the frame time, the input,
  // the screen centre and the renderer (null: the engine's game object).
  TROFEI(const char* image, int placement, ZOV::ST_GAME* game = nullptr);
  ~TROFEI() override;
  TROFEI(const TROFEI&) = delete;
  TROFEI& operator=(const TROFEI&) = delete;

  using JSPRITE::Render;
  using JSPRITE::Update;
  // Keeps the drawn box of a hint below the icon within minX..maxX.
  void KeepHintWithin(int minX, int maxX) {
    boundsSet_ = true;
    minX_ = minX;
    maxX_ = maxX;
  }
  // Hover test and fade; once a frame.
  void Update();
  // The picture.
  void Render();
  // The hint, while hovered.
  void RenderHint();

  bool Hovered() const { return hover_; }
  float FadeTimer() const { return timer_; }
  int Placement() const { return placement_; }
  // The name the picture was loaded by.
  const std::string& ImageName() const { return image_; }
  // The colours as drawn (packed ARGB).
  uint32_t BoxColour() const { return box_.ToARGB(); }
  uint32_t BorderColour() const { return border_.ToARGB(); }
  uint32_t TextColour() const { return text_.ToARGB(); }
  // The rectangle of the hint drawn last (before the box's extra margin).
  const Rect& HintRect() const { return rect_; }

  // Set by the owner after construction.
  std::string hint;            // a configured text; empty: no hint
  ZOV::JFONT* font = nullptr;  // not owned

 private:
  ZOV::ST_GAME* game_ = nullptr;
  std::string image_;
  bool hover_ = false;
  ZOV::JINCOLORRGBA box_;
  ZOV::JINCOLORRGBA border_;
  ZOV::JINCOLORRGBA text_;
  int placement_ = kHintBelowCentre;
  float timer_ = 0.0f;
  Rect rect_;
  bool boundsSet_ = false;
  int minX_ = 0, maxX_ = 0;
};
