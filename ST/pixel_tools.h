// GAMETOOLS: stateless free functions that draw into 32-bit pixel buffers and
// cut shapes out of pictures. The puzzle board draws its jigsaw cut lines
// with them, cuts each piece out of the picture by a flood fill bounded by
// those lines, shades pixels for the bevel, and tests whether a point lies
// inside a piece's outline.
//
// Pixel buffers hold 32-bit ARGB words (bytes B, G, R, A in memory), row by
// row; pixel (x, y) is element y * pitch + x. Every buffer function takes the
// buffer's size as a JST::iPOINT (x = width = pitch, y = height) and writes
// only pixels inside [0, width) x [0, height). The texture forms lock the
// texture through the game object's renderer and use its own size.
#pragma once

#include <cstdint>

#include "ST/object.h"

namespace ZOV {

// One point of a piece outline, a node of a singly linked list. The list is
// handed around as a head node that carries no point; head.next is the
// first point. A node owns the nodes after it: deleting (or destroying) the
// head frees the whole list.
struct JINCUTVECTOR {
  int index = 0;
  float x = 0.0f, y = 0.0f;
  JINCUTVECTOR* next = nullptr;

  JINCUTVECTOR() = default;
  JINCUTVECTOR(int i, float x_, float y_, JINCUTVECTOR* n) : index(i), x(x_), y(y_), next(n) {}
  ~JINCUTVECTOR();
  JINCUTVECTOR(const JINCUTVECTOR&) = delete;
  JINCUTVECTOR& operator=(const JINCUTVECTOR&) = delete;

  // Frees every node after this one and leaves next null.
  void Clear();
};

}  // namespace ZOV

namespace GAMETOOLS {

// ---- curves (each coordinate truncated toward zero)
// (1-t)^2 p0 + 2t(1-t) p1 + t^2 p2.
JST::iPOINT Bezier3(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, double t);
// The same from (p0 + p1) / 2 to (p1 + p2) / 2 (integer halves) with control p1.
JST::iPOINT Bezier3ex(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, double t);
// (1-t)^3 p0 + 3t(1-t)^2 p1 + 3t^2(1-t) p2 + t^3 p3.
JST::iPOINT Bezier4(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT p3, double t);

// ---- lines and curves drawn into a buffer
// An error-accumulating line of max(|dx|, |dy|) steps. The major axis does
// not step in the first round, so the start is covered twice and the line
// ends one pixel short of (x1, y1) along its major axis: a chain of
// segments, each starting where the last ended, is closed at every joint.
void DrawLineInTex(int x0, int y0, int x1, int y1, JST::iPOINT size, uint32_t* buf, uint32_t colour);
// The curves as 100 connected lines (t stepped by 0.01 from 0 while t <= 1).
void DrawBezier3(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT size, uint32_t* buf, uint32_t colour);
void DrawBezier3ex(JST::iPOINT p0, JST::iPOINT p1, JST::iPOINT p2, JST::iPOINT size, uint32_t* buf, uint32_t colour);
// One jigsaw edge from a to b shaped by seven ear points: a smooth curve
// through the midpoints of the control polygon a, E0..E6, b. The middle part
// is sampled at a parameter step of 0.002 * density, consecutive samples
// joined by lines so the edge has no gaps at any picture size, and paints
// only pixels that are not 0; the shoulders and the straight ends are drawn
// as lines.
// A density below 1 is taken as 1.
void DrawBezier7(JST::iPOINT a, JST::iPOINT b, const JST::iPOINT* ears, JST::iPOINT size, uint32_t* buf,
                 uint32_t colour, int density);
// Xiaolin Wu's anti-aliased line: each weight w is written as the alpha of
// the distance form of DrawPointInTex (colour bytes kept).
void DrawLineInTexWu(int x0, int y0, int x1, int y1, JST::iPOINT size, uint32_t* buf, uint32_t colour);

// ---- shading single pixels
// Adds delta to B, G and R, each clamped to 0..255; alpha is kept. Pixels
// with alpha 0 and a delta of 0 change nothing.
void DrawPointInTex(int x, int y, uint32_t* buf, JST::iPOINT size, int delta);
// Sets only the alpha byte to trunc(255 * sqrt(1 - 2d/3)), d clamped to
// [0, 1.5]; the colour argument is not used.
void DrawPointInTex(int x, int y, uint32_t* buf, JST::iPOINT size, uint32_t colour, double d);
// Shading brushes along a circle (octant walk, eight mirrored points) and
// along a square (the diagonals or one side), types 0 to 4; other types
// draw nothing.
void DrawCircle(int cx, int cy, int r, uint32_t* buf, JST::iPOINT size, int type);
void DrawKub(int cx, int cy, int r, uint32_t* buf, JST::iPOINT size, int type);

// ---- cutting a piece out of a picture
// A breadth-first flood fill from the seed (x, y) over the picture, bounded
// by the mask's transparent pixels and by the piece box. With cx = size.x / 2
// + cx0 and cy = size.y / 2 + cy0 the box is cx - size.x <= X < cx,
// cy - size.y <= Y < cy, and picture pixel (X, Y) goes to piece pixel
// (X - cx + size.x, Y - cy + size.y). The mask's outer border is made
// transparent first. A reached pixel whose mask alpha is 0 is copied into
// the piece with alpha 0 and not followed; one whose picture and mask alpha
// are both non-zero is copied with alpha 255, taken (its picture alpha set
// to 0) and followed. The result is that of a breadth-first fill from the
// seed; the fill itself runs span by span along rows, with a work list that
// grows as needed, so a piece of any size is cut whole.
//
// The mask must be the picture's size and the piece at least size.x x
// size.y (its own width is its pitch); otherwise nothing is copied and -1 is
// returned. Otherwise the result is the number of pixels taken.
int CopyPiece(int x, int y, uint32_t* picture, JST::iPOINT pictureSize, uint32_t* piece, JST::iPOINT pieceSize,
              uint32_t* mask, JST::iPOINT maskSize, JST::iPOINT size, int cx0, int cy0);

// ---- outlines
// For i = 0 .. n-1 inserts a new node {i, x, y} right after the head, so the
// list runs from point n-1 back to point 0.
void IpointToCutVector(const JST::iPOINT* pts, ZOV::JINCUTVECTOR* head, int n);
// 1 when (x - ox, y - oy) lies inside the outline by the even-odd rule on
// the outline's points truncated to ints, else 0. An empty outline has no
// inside. A point on an edge at the larger y counts as inside.
int InsideObj(const ZOV::JINCUTVECTOR* head, int ox, int oy, int x, int y);

inline int MinInt(int a, int b) { return a < b ? a : b; }
inline int MaxInt(int a, int b) { return a > b ? a : b; }

// ---- texture forms: lock through the game object's renderer, work on the
// texture's own pixels, unlock. 0 on success, -1 when a texture could not be
// locked (nothing is written then).
int PillAll(uint32_t colour, unsigned long texture);
int DrawLineInTexLU(int x0, int y0, int x1, int y1, unsigned long texture, uint32_t colour);
int DrawLineInTexWuLU(int x0, int y0, int x1, int y1, unsigned long texture);
// CopyPiece over three textures: the number of pixels taken, or -1 when a
// texture cannot be locked or the sizes do not fit.
int CopyPiece(int x, int y, unsigned long picture, unsigned long piece, unsigned long mask, JST::iPOINT size,
              int cx0, int cy0);
// Does nothing.
inline void BlackAndWhite(unsigned long) {}

}  // namespace GAMETOOLS
