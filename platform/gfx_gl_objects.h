// The GL objects the GL device keeps for its textures: atlas pages, the
// filter state a GL texture has, and each texture's GPU copy (see the top
// of gfx_gl.cpp for atlas pages). Only platform/gfx_gl*.cpp include this
// header.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/gfx.h"
#include "platform/gfx_atlas.h"

namespace plat::gfx::detail {

// Point sizes above this are clamped, as a fixed-function device does.
constexpr float kMaxPointSize = 64.0f;
// A batch is sent when it would grow beyond this many vertices.
constexpr size_t kMaxBatchVertices = 65536;
// Atlas pages: the page's side (or the largest texture the GL allows, when
// smaller), the largest side of a texture placed on one, the border around
// each place and the number of pages at most. One 4096 page holds a whole
// board of ~100-pixel pieces and their shadows, so a board draws in one
// draw call whatever its order.
constexpr int kAtlasPageSide = 4096;
constexpr int kAtlasMaxSide = 512;
constexpr int kAtlasPad = 2;
constexpr size_t kMaxAtlasPages = 8;

// The filter and addressing state a GL texture object has now (-1: not
// known); `wrapS` and `wrapT` are each GL_REPEAT or GL_CLAMP_TO_EDGE.
struct Sampler {
  GLint mag = -1, min = -1;
  float aniso = -1.0f;
  GLint wrapS = -1, wrapT = -1;
};

// The axes of a draw's texture coordinates read with wrapped addressing.
constexpr int kWrapU = 1, kWrapV = 2;

struct Page {
  explicit Page(int side) : packer(side) {}
  GLuint tex = 0;
  Sampler sampler;
  AtlasPacker packer;
  // Places given up during a scene (corner, size), freed at the next one.
  std::vector<std::pair<IPt, IPt>> leaving;
};

// Where a texture's coordinates go: u' = u0 + u × su, v' = v0 + v × sv.
struct UvRect {
  float u0 = 0, v0 = 0, su = 1, sv = 1;
  bool operator==(const UvRect&) const = default;
};

struct GlTex {
  GLuint tex = 0, fbo = 0;  // a texture of its own (and a render target's framebuffer)
  Page* page = nullptr;     // or a place on an atlas page
  IPt at;                   // the texture's top-left texel on the page
  bool repeats = false;     // drawn with coordinates outside 0..1: never on a page
  uint64_t version = 0;
  int w = 0, h = 0;
  Sampler sampler;  // of the texture of its own
};

inline GLuint NameOf(const GlTex& g) { return g.page ? g.page->tex : g.tex; }
inline Sampler& SamplerOf(GlTex& g) { return g.page ? g.page->sampler : g.sampler; }

}  // namespace plat::gfx::detail
