// The pixel side of the jigsaw cut, on plain CPU buffers of 32-bit ARGB
// words (row by row, pixel (x, y) at y * width + x): the cut lines drawn
// into the mask, the rim that shows them in the set-up view, one piece cut
// out of the picture by a flood fill bounded by the lines, and the two
// finishing passes of a piece image, the bevel (DrawBeauty) and the alpha
// ramp along its stair-stepped edge (SmoothAlpha).
//
// Every function writes only inside the buffer it is given. Nothing here
// touches a texture or the renderer; cut.h uploads the finished images.
#pragma once

#include <cstdint>
#include <vector>

#include "GAME/board/cut_geometry.h"
#include "ST/object.h"

namespace GAME {

// The mask colours of the cut: the picture area, and the transparent cut
// line the flood fill stops at.
inline constexpr uint32_t kMaskOpen = 0xFFFFFFFFu;
inline constexpr uint32_t kMaskLine = 0x00FFFFFFu;
// The set-up preview's background and the rim beside its lines.
inline constexpr uint32_t kPreviewBackground = 0x00FFFFFFu;
inline constexpr uint32_t kPreviewRim = 0x77FFFFFFu;

// Draws every inner edge of the layout in the colour into the buffer (which
// should be the picture's size), with DrawBezier7 at the layout's density.
void DrawCutLines(const CUT_LAYOUT& layout, uint32_t* buf, JST::iPOINT size, uint32_t colour);

// A rim beside the lines: every pixel equal to the colour turns each of its
// 4-neighbours that is not the colour into 0x77FFFFFF.
void DrawGrid3px(uint32_t* buf, JST::iPOINT size, uint32_t colour);

// How many of the 4 neighbours of (x, y) (left, right, up, down; those
// inside the buffer) have exactly that alpha. Note y before x.
int GetPowerPixel(const uint32_t* bits, JST::iPOINT size, int y, int x, unsigned char alpha);
// The ARGB of a 4-neighbour inside the buffer whose alpha is 255, the last
// found in the order left, right, up, down; 0 when there is none.
uint32_t GetAnyPix(const uint32_t* bits, JST::iPOINT size, int y, int x);

// The bevel of a piece image: n = (int)(width * 0.02) texels (2 to 5) of
// light band along the top and left sides of every opaque area and a dark
// band along its bottom and right sides. A texel is inside when any of its
// red, green and blue is above 0 or its alpha is not 0; cut-line texels
// (inside, alpha 0) become opaque (255 in the vertical scans, 254 in the
// horizontal ones) and are shaded with the rest. Bands are clipped to the
// buffer.
void DrawBeauty(uint32_t* buf, JST::iPOINT size);

// The alpha ramp: a transparent texel with two opaque 4-neighbours gets
// alpha 230, one with three or four becomes opaque (notches filled), and
// one with a single opaque neighbour takes 210, 190, ... 30 when it lies
// next to a texel of the step above; each takes the colour of an opaque
// neighbour.
void SmoothAlpha(uint32_t* buf, JST::iPOINT size);

// DrawBeauty then SmoothAlpha.
void FinishPieceImage(uint32_t* buf, JST::iPOINT size);

// Darkens the outermost texels and those where the mask has alpha 0: to
// opaque black for border type 0, alpha 0x99 otherwise. The cut does not
// use it. The mask is the buffer's size.
void DrawBorder(uint32_t* buf, const uint32_t* mask, JST::iPOINT size, int borderType);

// One piece cut out of the picture (which it consumes: the alpha of every
// pixel taken becomes 0). `image` becomes a zero-cleared (box.x + 1) x
// (box.y + 1) buffer that receives, by CopyPiece from the seed, every
// picture pixel reachable without crossing a transparent mask pixel, placed
// so that the cell centre lands at the image's centre; with `finish` the
// bevel and the alpha ramp follow. Returns the number of pixels taken, or
// -1 when the buffers do not fit.
int CutPieceImage(JST::iPOINT seed, uint32_t* picture, uint32_t* mask, JST::iPOINT pictureSize, JST::iPOINT box,
                  JST::iPOINT cellCentre, std::vector<uint32_t>& image, bool finish);

// Picture pixels that no piece's fill reached: small pockets that a cut
// line closes off where it nearly touches itself (the narrow neck of a tab
// on small cells). Each pocket (4-connected pixels off the lines and the
// picture's outer frame, still unused in the picture) goes whole to the
// piece whose outline holds its first pixel, else to the piece of the cell
// it lies in: copied opaque into that piece's image (images in grid order,
// each (box.x + 1) x (box.y + 1), as CutPieceImage made them before
// finishing) and marked used in the picture.
// Likewise every cut-line texel that no fill could reach, because all its
// 4-neighbours are line texels or the picture's frame (where a line runs
// thick, where it meets the frame, the picture's corners): it goes to the
// piece whose outline holds it, copied with alpha 0 as CopyPiece copies the
// line texels it meets, so the bevel makes it part of that piece and
// assembled pieces leave no hole. Returns the number of pocket pixels given
// to pieces.
int AdoptPockets(const CUT_LAYOUT& layout, uint32_t* picture, const uint32_t* mask, JST::iPOINT pictureSize,
                 JST::iPOINT box, std::vector<std::vector<uint32_t>>& images);

}  // namespace GAME
