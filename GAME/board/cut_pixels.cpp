#include "GAME/board/cut_pixels.h"

#include <cstdlib>
#include <utility>

#include "ST/pixel_tools.h"

namespace GAME {

namespace {

inline uint32_t Alpha(uint32_t p) { return p >> 24; }
inline uint32_t WithAlpha(uint32_t p, uint32_t a) { return (p & 0x00FFFFFFu) | a << 24; }
// Inside a piece: some colour, or some alpha.
inline bool IsInside(uint32_t p) { return p != 0; }

bool Usable(const uint32_t* buf, JST::iPOINT size) { return buf && size.x > 0 && size.y > 0; }

}  // namespace

void DrawCutLines(const CUT_LAYOUT& layout, uint32_t* buf, JST::iPOINT size, uint32_t colour) {
  if (!Usable(buf, size)) return;
  for (const CUT_EDGE& e : layout.edges) GAMETOOLS::DrawBezier7(e.a, e.b, e.ear, size, buf, colour, layout.min);
}

void DrawGrid3px(uint32_t* buf, JST::iPOINT size, uint32_t colour) {
  if (!Usable(buf, size)) return;
  const int w = size.x, h = size.y;
  auto mark = [&](int x, int y) {
    uint32_t& p = buf[size_t(y) * size_t(w) + size_t(x)];
    if (p != colour) p = kPreviewRim;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (buf[size_t(y) * size_t(w) + size_t(x)] != colour) continue;
      if (x > 0) mark(x - 1, y);
      if (x + 1 < w) mark(x + 1, y);
      if (y > 0) mark(x, y - 1);
      if (y + 1 < h) mark(x, y + 1);
    }
}

int GetPowerPixel(const uint32_t* bits, JST::iPOINT size, int y, int x, unsigned char alpha) {
  if (!Usable(bits, size)) return 0;
  int n = 0;
  auto test = [&](int px, int py) {
    if (px < 0 || py < 0 || px >= size.x || py >= size.y) return;
    if (Alpha(bits[size_t(py) * size_t(size.x) + size_t(px)]) == alpha) ++n;
  };
  test(x - 1, y);
  test(x + 1, y);
  test(x, y - 1);
  test(x, y + 1);
  return n;
}

uint32_t GetAnyPix(const uint32_t* bits, JST::iPOINT size, int y, int x) {
  if (!Usable(bits, size)) return 0;
  uint32_t found = 0;
  auto test = [&](int px, int py) {
    if (px < 0 || py < 0 || px >= size.x || py >= size.y) return;
    const uint32_t p = bits[size_t(py) * size_t(size.x) + size_t(px)];
    if (Alpha(p) == 255u) found = p;
  };
  test(x - 1, y);
  test(x + 1, y);
  test(x, y - 1);
  test(x, y + 1);
  return found;
}

namespace {

// DrawPointInTex's shade, inlined for the bevel's inner loops: B, G and R
// moved by delta and clamped to 0..255; texels with alpha 0 are left alone.
inline void ShadeTexel(uint32_t& p, int delta) {
  if (Alpha(p) == 0) return;
  auto ch = [delta](uint32_t v) {
    const int r = int(v) + delta;
    return uint32_t(r < 0 ? 0 : (r > 255 ? 255 : r));
  };
  p = (p & 0xFF000000u) | ch((p >> 16) & 0xFFu) << 16 | ch((p >> 8) & 0xFFu) << 8 | ch(p & 0xFFu);
}

// The smallest rectangle [x0, x1] x [y0, y1] holding every texel that is
// not 0; false when there is none. Texels outside it take no part in the
// bevel or the ramp, so both passes skip them.
bool NonZeroBox(const uint32_t* buf, int w, int h, int& x0, int& y0, int& x1, int& y1) {
  x0 = w;
  x1 = -1;
  y0 = -1;
  y1 = -1;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = buf + size_t(y) * size_t(w);
    // Most rows of a piece image are empty or have empty margins: an OR
    // over the row (which the compiler vectorises) settles empty rows.
    uint32_t any = 0;
    for (int x = 0; x < w; ++x) any |= row[x];
    if (any == 0) continue;
    int first = 0;
    while (row[first] == 0) ++first;
    int last = w - 1;
    while (row[last] == 0) --last;
    if (y0 < 0) y0 = y;
    y1 = y;
    if (first < x0) x0 = first;
    if (last > x1) x1 = last;
  }
  return y0 >= 0;
}

}  // namespace

namespace {

struct Box {
  int x0, y0, x1, y1;
};

void DrawBeautyIn(uint32_t* buf, JST::iPOINT size, const Box& box) {
  const int w = size.x, h = size.y;
  int n = int(double(w) * 0.02), base = 6 * n;
  if (n < 2) n = 2, base = 20;
  if (n > 5) n = 5, base = 30;
  int light[5], dark[6];
  for (int i = 0; i < n; ++i) light[i] = std::abs(base - i * n);
  for (int i = 1; i <= n; ++i) dark[i] = -std::abs((1 - n) * i + base);
  const size_t pitch = size_t(w);
  const int bx0 = box.x0, by0 = box.y0, bx1 = box.x1, by1 = box.y1;

  // Vertical scans, one per column 0..w-2 over rows 0..h-2. A scan touches
  // only its own column, so the columns are walked side by side, row by
  // row, which reads the buffer in memory order; each column keeps its own
  // inside state. Scans start outside, so only the box and the row below it
  // (where the scans leave) can change anything.
  if (w >= 2 && h >= 2) {
    std::vector<char> in(size_t(w - 1), 0);
    const int xe = bx1 < w - 2 ? bx1 : w - 2, ye = by1 + 1 < h - 2 ? by1 + 1 : h - 2;
    for (int y = by0; y <= ye; ++y) {
      uint32_t* row = buf + size_t(y) * pitch;
      for (int x = bx0; x <= xe; ++x) {
        uint32_t& p = row[x];
        const bool inside = IsInside(p);
        if (inside == bool(in[size_t(x)])) {
          if (inside && Alpha(p) == 0) p = WithAlpha(p, 255u);
          continue;
        }
        // A cut-line texel joins the piece before it is shaded.
        if (inside && Alpha(p) == 0) p = WithAlpha(p, 255u);
        if (inside) {
          for (int i = 0; i < n && y + i < h; ++i) ShadeTexel(row[size_t(i) * pitch + size_t(x)], light[i]);
          in[size_t(x)] = 1;
        } else {
          for (int i = 1; i <= n && y - i >= 0; ++i) ShadeTexel(*(row - size_t(i) * pitch + size_t(x)), dark[i]);
          in[size_t(x)] = 0;
        }
      }
    }
  }
  // Horizontal scans, one per row 0..h-1 over columns 0..w-2 (within the
  // box and the column after it).
  const int xe = bx1 + 1 < w - 2 ? bx1 + 1 : w - 2;
  for (int y = by0; y <= by1; ++y) {
    uint32_t* row = buf + size_t(y) * pitch;
    bool in = false;
    for (int x = bx0; x <= xe; ++x) {
      uint32_t& p = row[x];
      const bool inside = IsInside(p);
      if (inside && Alpha(p) == 0) p = WithAlpha(p, 254u);
      if (inside == in) continue;
      if (inside) {
        for (int i = 0; i < n && x + i < w; ++i) ShadeTexel(row[x + i], light[i]);
        in = true;
      } else {
        for (int i = 1; i <= n && x - i >= 0; ++i) ShadeTexel(row[x - i], dark[i]);
        in = false;
      }
    }
  }
}

void SmoothAlphaIn(uint32_t* buf, JST::iPOINT size, const Box& box) {
  const int w = size.x, h = size.y;
  const size_t pitch = size_t(w);
  int bx0 = box.x0, by0 = box.y0, bx1 = box.x1, by1 = box.y1;
  // Only texels next to an opaque one change: the box and a texel around it.
  bx0 = bx0 > 0 ? bx0 - 1 : 0;
  by0 = by0 > 0 ? by0 - 1 : 0;
  bx1 = bx1 < w - 1 ? bx1 + 1 : w - 1;
  by1 = by1 < h - 1 ? by1 + 1 : h - 1;
  std::vector<size_t> remembered;
  for (int y = by0; y <= by1; ++y) {
    uint32_t* row = buf + size_t(y) * pitch;
    const bool innerRow = y > 0 && y < h - 1;
    for (int x = bx0; x <= bx1; ++x) {
      if (Alpha(row[x]) != 0) continue;
      int opaque;
      if (innerRow && x > 0 && x < w - 1) {
        // The common case, without the bounds tests.
        opaque = (Alpha(row[x - 1]) == 255u) + (Alpha(row[x + 1]) == 255u) + (Alpha(row[x - pitch]) == 255u) +
                 (Alpha(row[x + pitch]) == 255u);
      } else {
        opaque = GetPowerPixel(buf, size, y, x, 255);
      }
      if (opaque == 0) continue;
      const size_t i = size_t(y) * pitch + size_t(x);
      if (opaque == 1) remembered.push_back(i);
      else if (opaque == 2) buf[i] = WithAlpha(GetAnyPix(buf, size, y, x), 230u);
      else buf[i] = WithAlpha(GetAnyPix(buf, size, y, x), 255u);
    }
  }
  for (uint32_t a = 210; a >= 30; a -= 20) {
    for (const size_t i : remembered) {
      if (Alpha(buf[i]) != 0) continue;
      const int x = int(i % pitch), y = int(i / pitch);
      if (GetPowerPixel(buf, size, y, x, (unsigned char)(a + 20)) == 0) continue;
      buf[i] = WithAlpha(GetAnyPix(buf, size, y, x), a);
    }
  }
}

}  // namespace

void DrawBeauty(uint32_t* buf, JST::iPOINT size) {
  Box b;
  if (Usable(buf, size) && NonZeroBox(buf, size.x, size.y, b.x0, b.y0, b.x1, b.y1)) DrawBeautyIn(buf, size, b);
}

void SmoothAlpha(uint32_t* buf, JST::iPOINT size) {
  Box b;
  if (Usable(buf, size) && NonZeroBox(buf, size.x, size.y, b.x0, b.y0, b.x1, b.y1)) SmoothAlphaIn(buf, size, b);
}

void FinishPieceImage(uint32_t* buf, JST::iPOINT size) {
  // The bevel keeps every texel that is not 0 so, and makes none: one box
  // serves both passes.
  Box b;
  if (!Usable(buf, size) || !NonZeroBox(buf, size.x, size.y, b.x0, b.y0, b.x1, b.y1)) return;
  DrawBeautyIn(buf, size, b);
  SmoothAlphaIn(buf, size, b);
}

void DrawBorder(uint32_t* buf, const uint32_t* mask, JST::iPOINT size, int borderType) {
  if (!Usable(buf, size) || !mask) return;
  const int w = size.x, h = size.y;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * size_t(w) + size_t(x);
      const bool outer = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      if (!outer && Alpha(mask[i]) != 0) continue;
      buf[i] = borderType == 0 ? 0xFF000000u : WithAlpha(buf[i], 0x99u);
    }
}

int CutPieceImage(JST::iPOINT seed, uint32_t* picture, uint32_t* mask, JST::iPOINT pictureSize, JST::iPOINT box,
                  JST::iPOINT cellCentre, std::vector<uint32_t>& image, bool finish) {
  if (box.x < 0 || box.y < 0) return -1;
  const JST::iPOINT size(box.x + 1, box.y + 1);
  image.assign(size_t(size.x) * size_t(size.y), 0u);
  const int taken = GAMETOOLS::CopyPiece(seed.x, seed.y, picture, pictureSize, image.data(), size, mask, pictureSize,
                                         size, cellCentre.x, cellCentre.y);
  if (taken >= 0 && finish) FinishPieceImage(image.data(), size);
  return taken;
}

namespace {

// The even-odd test of a point against 24 outline points (the same rule as
// the board's hit test).
bool InsideOutline(const JST::iPOINT* p, int n, int px, int py) {
  bool inside = false;
  for (int i = 0, j = n - 1; i < n; j = i++) {
    const int64_t xi = p[i].x, yi = p[i].y, xj = p[j].x, yj = p[j].y;
    if ((yi < py && py <= yj) || (yj < py && py <= yi)) {
      const int64_t cross = xi + (xj - xi) * (py - yi) / (yj - yi);
      if (cross < px) inside = !inside;
    }
  }
  return inside;
}

// The piece a pocket at (x, y) belongs to, as a grid index.
int PocketOwner(const CUT_LAYOUT& L, int x, int y) {
  const GRID_SIZE& g = L.grid;
  int c = g.cellW > 0 ? x / g.cellW : 0, r = g.cellH > 0 ? y / g.cellH : 0;
  if (c >= g.cols) c = g.cols - 1;
  if (r >= g.rows) r = g.rows - 1;
  for (int dr = -1; dr <= 1; ++dr)
    for (int dc = -1; dc <= 1; ++dc) {
      const int cc = c + dc, rr = r + dr;
      if (cc < 0 || rr < 0 || cc >= g.cols || rr >= g.rows) continue;
      const JST::iPOINT o = L.CellCentre(cc, rr);
      if (InsideOutline(L.Outline(cc, rr), kOutlinePoints, x - o.x, y - o.y)) return rr * g.cols + cc;
    }
  return r * g.cols + c;
}

}  // namespace

int AdoptPockets(const CUT_LAYOUT& layout, uint32_t* picture, const uint32_t* mask, JST::iPOINT pictureSize,
                 JST::iPOINT box, std::vector<std::vector<uint32_t>>& images) {
  const int w = pictureSize.x, h = pictureSize.y;
  if (!picture || !mask || w < 3 || h < 3 || layout.grid.cols <= 0 || layout.grid.rows <= 0) return 0;
  if (images.size() != size_t(layout.grid.cols) * size_t(layout.grid.rows)) return 0;
  const JST::iPOINT isz(box.x + 1, box.y + 1);
  auto unused = [&](size_t i) { return Alpha(mask[i]) != 0 && Alpha(picture[i]) != 0; };
  int adopted = 0;
  std::vector<std::pair<int, int>> pocket, todo;
  // Picture (X, Y) -> image (X - cx + size, Y - cy + size), as CopyPiece
  // places it; null when it falls outside the piece's box.
  auto texelOf = [&](int id, int px, int py) -> uint32_t* {
    std::vector<uint32_t>& img = images[size_t(id)];
    if (img.size() != size_t(isz.x) * size_t(isz.y)) return nullptr;
    const JST::iPOINT centre = layout.CellCentre(id % layout.grid.cols, id / layout.grid.cols);
    const int ix = px + isz.x - (isz.x / 2 + centre.x), iy = py + isz.y - (isz.y / 2 + centre.y);
    if (ix < 0 || iy < 0 || ix >= isz.x || iy >= isz.y) return nullptr;
    return &img[size_t(iy) * size_t(isz.x) + size_t(ix)];
  };
  // A line texel (or frame texel) with no 4-neighbour off the lines and
  // the frame: no fill can have copied it.
  auto open = [&](int nx, int ny) {
    return nx > 0 && ny > 0 && nx < w - 1 && ny < h - 1 && Alpha(mask[size_t(ny) * size_t(w) + size_t(nx)]) != 0;
  };
  auto orphan = [&](int x, int y) {
    if (open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1)) return;
    if (uint32_t* t = texelOf(PocketOwner(layout, x, y), x, y))
      *t = picture[size_t(y) * size_t(w) + size_t(x)] & 0x00FFFFFFu;
  };
  for (int x = 0; x < w; ++x) {
    orphan(x, 0);
    orphan(x, h - 1);
  }
  for (int y = 1; y < h - 1; ++y) {
    orphan(0, y);
    orphan(w - 1, y);
  }
  for (int y = 1; y < h - 1; ++y) {
    const uint32_t* mrow = mask + size_t(y) * size_t(w);
    const uint32_t* prow = picture + size_t(y) * size_t(w);
    for (int x = 1; x < w - 1; ++x) {
      if (Alpha(mrow[x]) == 0) {
        orphan(x, y);
        continue;
      }
      if (Alpha(prow[x]) == 0) continue;  // taken by a piece
      const size_t first = size_t(y) * size_t(w) + size_t(x);
      // Gather the pocket, marking its pixels used.
      pocket.clear();
      todo.assign(1, {x, y});
      picture[first] &= 0x00FFFFFFu;
      while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        pocket.push_back({px, py});
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
          const int nx = px + dx, ny = py + dy;
          if (nx < 1 || ny < 1 || nx >= w - 1 || ny >= h - 1) continue;
          const size_t i = size_t(ny) * size_t(w) + size_t(nx);
          if (!unused(i)) continue;
          picture[i] &= 0x00FFFFFFu;
          todo.push_back({nx, ny});
        }
      }
      const int id = PocketOwner(layout, x, y);
      for (const auto& [px, py] : pocket) {
        if (uint32_t* t = texelOf(id, px, py)) {
          *t = picture[size_t(py) * size_t(w) + size_t(px)] | 0xFF000000u;
          ++adopted;
        }
        // The line texels around the pocket join that piece as CopyPiece's
        // do: colour kept, alpha 0.
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
          const int nx = px + dx, ny = py + dy;
          const size_t i = size_t(ny) * size_t(w) + size_t(nx);
          if (Alpha(mask[i]) != 0) continue;
          uint32_t* t = texelOf(id, nx, ny);
          if (t && Alpha(*t) == 0) *t = picture[i] & 0x00FFFFFFu;
        }
      }
    }
  }
  return adopted;
}

}  // namespace GAME
