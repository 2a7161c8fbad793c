// The renderer's drawing calls: quads and triangles placed by position,
// scale, angle and hot spot or drawn as they stand, untextured points, lines
// and boxes, and particle point lists in batches.
#include <cmath>

#include "ST/renderer.h"

namespace ZOV {

namespace gfx = plat::gfx;

namespace {
constexpr uint32_t kNoTexture = 0;
}

template <int N>
void JINGFX::DrawRecord(const ZOVVERTEX (&v)[N], unsigned long tex, int blend, int layer, uint32_t color,
                        bool placed, float x, float y, float sx, float sy, float angle, int hx, int hy) {
  static_assert(N == 3 || N == 4);
  if (placed) {
    const float z = ConvertLayer(layer);
    if (sy == 0.0f) sy = sx;
    // A quad's width runs to its top-right corner, a triangle's to its
    // bottom-right one; the height runs to the bottom-left corner in both.
    const float w = v[N == 4 ? 3 : 2].x - v[0].x;
    const float h = v[1].y - v[0].y;
    const float left = -float(hx) * sx, top = -float(hy) * sy;
    const float right = (w - float(hx)) * sx, bottom = (h - float(hy)) * sy;
    // top-left, bottom-left, bottom-right, top-right
    const float corner[4][2] = {{left, top}, {left, bottom}, {right, bottom}, {right, top}};
    const bool turned = angle != 0.0f;
    const float c = turned ? std::cos(angle) : 1.0f, s = turned ? std::sin(angle) : 0.0f;
    for (int i = 0; i < N; ++i) {
      const float px = corner[i][0], py = corner[i][1];
      Vertex& out = staging[i];
      if (turned) {
        out.x = x + px * c - py * s;
        out.y = y + px * s + py * c;
      } else {
        out.x = x + px;
        out.y = y + py;
      }
      out.z = z;
      out.argb = color;
      out.u = v[i].u;
      out.v = v[i].v;
    }
  } else {
    const float z = -ConvertLayer(layer);
    for (int i = 0; i < N; ++i) staging[i] = Vertex{v[i].x, v[i].y, z, color, v[i].u, v[i].v};
  }
  gfx::SetTexture(DrawHandle(tex));
  SetBlendMode(blend);
  RenderBuffer(N == 4 ? 1 : 0);
}

void JINGFX::RenderZOV4(const ZOV4* q, float x, float y, float sx, float sy, float angle, int hx, int hy) {
  if (!q) return;
  DrawRecord(q->v, q->texture, q->blend, q->layer, q->color, true, x, y, sx, sy, angle, hx, hy);
}

void JINGFX::RenderZOV4(const ZOV4* q) {
  if (!q) return;
  DrawRecord(q->v, q->texture, q->blend, q->layer, q->color, false, 0, 0, 0, 0, 0, 0, 0);
}

void JINGFX::RenderZOV3(const ZOV3* t, float x, float y, float sx, float sy, float angle, int hx, int hy) {
  if (!t) return;
  DrawRecord(t->v, t->texture, t->blend, t->layer, t->color, true, x, y, sx, sy, angle, hx, hy);
}

void JINGFX::RenderZOV3(const ZOV3* t) {
  if (!t) return;
  DrawRecord(t->v, t->texture, t->blend, t->layer, t->color, false, 0, 0, 0, 0, 0, 0, 0);
}

void JINGFX::RenderPoint(float x, float y, uint32_t color, float size) {
  staging[0] = Vertex{x, y, 1.0f, color, 0, 0};
  staging[1] = Vertex{x, y + size, 1.0f, color, 0, 0};
  staging[2] = Vertex{x + size, y + size, 1.0f, color, 0, 0};
  staging[3] = Vertex{x + size, y, 1.0f, color, 0, 0};
  gfx::SetTexture(kNoTexture);
  SetBlendMode(JENUM::BLEND_ALPHA);
  RenderBuffer(1);
}

void JINGFX::RenderLine(float x1, float y1, float x2, float y2, uint32_t color) {
  staging[0] = Vertex{x1, y1, 1.0f, color, 0, 0};
  staging[1] = Vertex{x2, y2, 1.0f, color, 0, 0};
  gfx::SetTexture(kNoTexture);
  gfx::DrawLines(staging, 1);
}

void JINGFX::RenderBox(float x1, float y1, float x2, float y2, uint32_t lineColor, uint32_t fillColor) {
  staging[0] = Vertex{x1, y1, 1.0f, fillColor, 0, 0};
  staging[1] = Vertex{x1, y2, 1.0f, fillColor, 0, 0};
  staging[2] = Vertex{x2, y2, 1.0f, fillColor, 0, 0};
  staging[3] = Vertex{x2, y1, 1.0f, fillColor, 0, 0};
  gfx::SetTexture(kNoTexture);
  RenderBuffer(1);
  RenderLine(x1, y1, x1, y2, lineColor);
  RenderLine(x1, y1, x2, y1, lineColor);
  RenderLine(x1, y2, x2, y2, lineColor);
  RenderLine(x2, y2, x2, y1, lineColor);
}

void JINGFX::RenderJPARTIC(const JINPARTICSYS* s) {
  if (!s || !s->particles) return;
  gfx::SetTexture(DrawHandle(s->texture));
  gfx::SetPointSize(s->sizeFactor * float(s->pointScale));
  SetBlendMode(s->blend);
  int count = 0;
  auto flush = [&] {
    gfx::DrawPoints(points, count);
    count = 0;
  };
  for (const JPARTIC* p = s->particles; p; p = p->next) {
    if (!p->alive) continue;
    points[count++] = JCUSTOMPARTIC{p->x, p->y, p->z, p->color};
    if (count == kPointBatch) flush();
  }
  if (count != 0) flush();
}

}  // namespace ZOV
