// What the GL device keeps to redraw only what changed (the tiles
// themselves are counted by TileDiff, gfx_redraw.h): the list of draws
// made into the bound target, and what each target holds. The device's
// functions that use them are in gfx_gl_redraw.cpp. Only
// platform/gfx_gl*.cpp include this header.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/gfx.h"
#include "platform/gfx_gl_objects.h"
#include "platform/gfx_redraw.h"

namespace plat::gfx::detail {

// A draw kept for the list of its target, its texture resolved.
struct RedrawRec {
  Prim prim = Prim::Triangles;
  State state;
  GLuint tex = 0;
  Sampler* sampler = nullptr;
  UvRect rect;
  bool onPage = false;
  size_t v0 = 0, i0 = 0;
  int nv = 0, ni = 0;
  uint64_t key = 0;
  PixRect box;
  Tex rt = 0;  // a render target it reads
  int rtW = 0, rtH = 0;
};

// The draws made into the bound target since it was cleared (fromClear)
// or since it was last drawn (the list then adds to what it holds).
struct RedrawList {
  bool open = false, fromClear = false;
  uint32_t clear = 0;
  std::vector<RedrawRec> recs;
  std::vector<Vertex> verts;
  std::vector<uint16_t> idx;
  std::vector<Tex> textures;  // read by its draws
};

// What a target holds: the tiles of the list drawn last, the content
// serials of the render targets that list read, and (for render targets)
// the boxes changed by its own recent lists.
struct HeldTarget {
  static constexpr size_t kKeptChanges = 16;
  TileDiff diff;
  std::unordered_map<Tex, uint64_t> seen;
  uint64_t serial = 1;
  std::vector<std::pair<uint64_t, PixRect>> changes;  // the last few, oldest first
};

// A copy of a target, for the redraw check.
struct CheckCopy {
  GLuint tex = 0, fbo = 0;
  int w = 0, h = 0;
};

}  // namespace plat::gfx::detail
