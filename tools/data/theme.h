// The look shared by all interface art: a warm desk-and-book theme of dark
// wood, red-brown leather, cream paper and brass.  Colours, the button
// bodies (medallion and plaque), the frame-strip builder and the icons.
#pragma once
#include <functional>

#include "tools/data/canvas.h"

namespace gendata {

namespace pal {
inline const Rgb kWoodDark = Hex(0x4A2E1A);
inline const Rgb kWood = Hex(0x7E5130);
inline const Rgb kWoodLight = Hex(0xA8743F);
inline const Rgb kLeather = Hex(0x7C2F22);
inline const Rgb kLeatherDark = Hex(0x4A1A12);
inline const Rgb kPaper = Hex(0xF4E8CB);
inline const Rgb kPaperDark = Hex(0xDCC79B);
inline const Rgb kBrass = Hex(0xD6A545);
inline const Rgb kBrassLight = Hex(0xF7DD93);
inline const Rgb kBrassDark = Hex(0x8E6420);
inline const Rgb kInk = Hex(0x3A2716);
inline const Rgb kCream = Hex(0xFFF4D8);
inline const Rgb kGreen = Hex(0x4C7A3C);
inline const Rgb kRed = Hex(0x9A3A2A);
inline const Rgb kSky = Hex(0x6F9FC8);
}  // namespace pal

// Draws an icon centred on (cx, cy) inside a square of side s.
using IconFn = std::function<void(cairo_t* cr, double cx, double cy, double s, const Rgb& ink)>;
// Draws a whole button face into a w × h frame; `on` asks for the look of
// the fourth frame when that frame means "switched on" or "current".
using FaceFn = std::function<void(cairo_t* cr, int w, int h, bool on)>;

enum class FourthFrame {
  kGreyed,  // disabled: the face washed out and grey
  kOn,      // the face drawn with on = true (a tool switched on, the current tab)
};

// Builds the four-frame strip (normal, hover lighter, pressed darker and
// shifted down, fourth frame) of frames fw × fh.
void FourFrames(Image& img, int fw, int fh, const FaceFn& face, FourthFrame fourth);

// Round brass-rimmed leather medallion with an icon, filling a w × h frame.
void Medallion(cairo_t* cr, int w, int h, const IconFn& icon, bool on, const Rgb& body = pal::kLeather);
// Rounded leather plaque with a brass edge, optional icon in the middle.
void Plaque(cairo_t* cr, double x, double y, double w, double h, const Rgb& body, bool on);

// A jigsaw piece outline with knobs on the right and bottom and holes on the
// left (classic shape), inside the square (x, y, s).
void PiecePath(cairo_t* cr, double x, double y, double s);
// A wooden panel with grain, rounded corners and a darker rim.
void WoodPanel(cairo_t* cr, double x, double y, double w, double h, double r, std::uint32_t seed);
// A sheet of cream paper with a soft border.
void PaperPanel(cairo_t* cr, double x, double y, double w, double h, double r);
// A window background: wooden frame, paper inside, a title band at the top.
void WindowPanel(Image& img, double titleH, std::uint32_t seed);

namespace icon {
void Door(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void BorderFrame(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Ghost(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Bulb(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Picture(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Sort(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Magnifier(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Gear(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Play(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Scissors(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Podium(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Cup(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Scroll(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Check(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Cross(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void ArrowLeft(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void ArrowRight(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Trash(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Pocket(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Squares(cairo_t*, double cx, double cy, double s, const Rgb& ink, int n);
void Rotate(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Person(cairo_t*, double cx, double cy, double s, const Rgb& ink);
void Piece(cairo_t*, double cx, double cy, double s, const Rgb& ink);
}  // namespace icon

}  // namespace gendata
