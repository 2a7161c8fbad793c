// Packing many small textures into shared GPU textures (atlas pages), for
// the OpenGL backend: the placement of rectangles on one square page, and the
// padded copy of a texture's pixels that keeps filtering at its edges the
// same as on a texture of its own. No GL here; the backend owns the pages.
//
// Placement is by shelves: a shelf is a band of rows across the page whose
// height is a multiple of kShelfStep, and takes rectangles of that height
// class from left to right. A freed rectangle's span returns to its shelf's
// free list (merged with free neighbours) and is reused by the next
// rectangle of that class that fits; a shelf emptied completely is handed to
// any class no taller than it, and empty shelves at the bottom of the used
// part are given back to the page. Pieces of one cut come in a few heights,
// so they fill their shelves closely.
#pragma once

#include <vector>

#include "platform/sys.h"

namespace plat::gfx::detail {

class AtlasPacker {
 public:
  // Shelf heights are rounded up to multiples of this many rows.
  static constexpr int kShelfStep = 8;

  explicit AtlasPacker(int side) : side_(side) {}

  // Top-left corner of a free w × h rectangle, now taken; false (out
  // unchanged) when the page has no room for it.
  bool Place(int w, int h, IPt* out);
  // Gives back a rectangle Place returned (same corner and size).
  void Free(IPt at, int w, int h);
  // Rectangles placed and not freed.
  int Live() const { return live_; }
  // Rows from the top that belong to shelves.
  int UsedHeight() const { return top_; }
  int Side() const { return side_; }

 private:
  struct Span {
    int x = 0, w = 0;
  };
  struct Shelf {
    int y = 0, h = 0;
    int live = 0;
    std::vector<Span> free;  // sorted by x, neighbours never touch
  };
  static bool TakeSpan(Shelf& s, int w, int* x);

  int side_ = 0;
  int top_ = 0;  // first row below the last shelf
  int live_ = 0;
  std::vector<Shelf> shelves_;  // sorted by y
};

// Copies a w × h texture (pitch w) into out, (w + 2·pad) × (h + 2·pad) texels
// with the texture in the middle and the border filled from the texture's
// own edges (each border texel repeats the nearest edge texel), as
// clamp-to-edge addressing reads them: filtering that reaches up to pad
// texels past an edge of the texture's place on a page then reads what it
// would read on a texture of its own with clamped addressing, and never a
// neighbour's texels nor the texture's opposite edge.
void PadClamped(const uint32_t* src, int w, int h, int pad, std::vector<uint32_t>& out);

}  // namespace plat::gfx::detail
