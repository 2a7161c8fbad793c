// Redrawing only what changed: the bookkeeping the GL device keeps per render
// target, free of GL so it can be tested on its own.
//
// A target's content after a clear is a function of the ordered draws made
// into it since. The target is cut into kTile-pixel tiles; each tile carries
// a hash of the clear colour and of every draw that touches it, in order
// (a draw's key covers its geometry, its full state and what its texture
// holds). A tile whose hash is the same as for the list whose pixels the
// target holds now would come out the same: only the other tiles are
// redrawn, scissored to a few rectangles. Anything that changed the pixels
// outside such a list (a resize, a draw not starting from a clear) makes the
// next list draw in full.
//
// Only platform/gfx* files include this header.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx.h"

namespace plat::gfx::detail {

// A box of pixels on a target, half-open, in the framebuffer's rows (row 0
// is the top row of the picture, as everywhere in the device).
struct PixRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
  bool Meets(const PixRect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  PixRect Union(const PixRect& o) const;
  PixRect Clip(int w, int h) const;
  bool operator==(const PixRect&) const = default;
};

// Every pixel a draw can touch on a w × h target drawn with the device's
// viewport (one pixel wider and taller than the target): the box of its
// transformed vertices, widened for rasterisation, lines and point sizes.
// The whole target when a vertex lies behind the eye or is not a number.
PixRect DrawBounds(const State& s, Prim prim, const Vertex* v, int nv, int w, int h);

// A hash of everything that decides a draw's pixels besides its target;
// `texture` stands for what the texture holds (its GPU copy and version).
uint64_t DrawKey(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni, uint64_t texture);
uint64_t HashMix(uint64_t h, uint64_t v);

// Where a change of a sampled texture's texels shows: when the draw is one
// axis-aligned quad whose texture coordinates map linearly onto its pixels,
// the texel box `texels` (of a texW × texH texture) widened by the reach of
// filtering and mapped; otherwise the draw's whole box.
PixRect SampledDamage(const State& s, const Vertex* v, int nv, int w, int h, const PixRect& texels, int texW,
                      int texH);

// True when a quad of 4 vertices lands on the target at its texture's own
// size (texW × texH texels) turned by quarter turns (or mirrored): one texel
// a pixel along both axes, so anisotropic filtering would read exactly what
// linear filtering reads.
bool AtOwnSize(const State& s, const Vertex* v, int nv, int texW, int texH, int w, int h);

class TileDiff {
 public:
  static constexpr int kTile = 32;
  static constexpr int kMaxRects = 6;

  // Starts a list on a w × h target cleared to `argb`, cut into tiles of
  // `tile` pixels; `generation` changes whenever the target's storage is
  // made anew. A list of another tile side than the held one draws in full.
  void Begin(int w, int h, uint64_t generation, uint32_t argb, int tile = kTile);
  void Add(uint64_t key, const PixRect& box);
  // Marks a box changed whatever the keys say.
  void Damage(const PixRect& box);
  // The rectangles to redraw (none when nothing changed; the whole target
  // when nothing is known of its pixels), and the list becomes the one the
  // target holds.
  std::vector<PixRect> Finish();
  // Nothing is known of the target's pixels any more.
  void Invalidate() { valid_ = false; }

 private:
  int w_ = 0, h_ = 0, cols_ = 0, rows_ = 0, tile_ = kTile, heldTile_ = 0;
  uint64_t generation_ = 0;
  bool valid_ = false;
  int held_w_ = 0, held_h_ = 0;
  uint64_t heldGeneration_ = 0;
  std::vector<uint64_t> cur_, held_;
  std::vector<uint8_t> forced_;
};

}  // namespace plat::gfx::detail
