// What headless drawing tests read back from the recording graphics
// backend: the quads drawn since the last clear, and pictures of one colour
// written as PNG files to load as textures.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gfx.h"
#include "platform/gfx_image.h"

namespace drawtest {

// One drawn quad: its corners' bounding box, the texture coordinates of its
// top-left and bottom-right corners, colour and texture.
struct Quad {
  float x0, y0, x1, y1;
  float u0, v0, u1, v1;
  uint32_t color;
  uint32_t texture;
};

// Every quad of the triangle draws recorded since the last ClearRecorded
// (vertices top-left, bottom-left, bottom-right, top-right); lines and
// points are skipped.
inline std::vector<Quad> DrawnQuads() {
  std::vector<Quad> out;
  for (const auto& r : plat::gfx::Recorded()) {
    if (r.kind != plat::gfx::Record::Draw || r.prim != plat::gfx::Prim::Triangles) continue;
    for (size_t i = 0; i + 4 <= r.vertices.size(); i += 4) {
      const auto* v = &r.vertices[i];
      Quad q{};
      q.x0 = std::min({v[0].x, v[1].x, v[2].x, v[3].x});
      q.x1 = std::max({v[0].x, v[1].x, v[2].x, v[3].x});
      q.y0 = std::min({v[0].y, v[1].y, v[2].y, v[3].y});
      q.y1 = std::max({v[0].y, v[1].y, v[2].y, v[3].y});
      q.u0 = v[0].u;
      q.v0 = v[0].v;
      q.u1 = v[2].u;
      q.v1 = v[2].v;
      q.color = v[0].argb;
      q.texture = r.state.texture;
      out.push_back(q);
    }
  }
  return out;
}

// The quads drawn with one texture, in drawing order.
inline std::vector<Quad> QuadsOf(unsigned long texture) {
  std::vector<Quad> out;
  for (const Quad& q : DrawnQuads())
    if (q.texture == texture) out.push_back(q);
  return out;
}

// A w x h picture of one colour, written as PNG.
inline void WriteImage(const std::string& path, int w, int h, uint32_t argb = 0xFFFFFFFFu) {
  std::vector<uint32_t> px(size_t(w) * size_t(h), argb);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr) << path;
  const int rc = IMG_SavePNG(s, path.c_str());
  SDL_FreeSurface(s);
  ASSERT_EQ(rc, 0) << path << ": " << IMG_GetError();
}

}  // namespace drawtest
