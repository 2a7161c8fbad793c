#include "GAME/board/cut_geometry.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "ST/random.h"
#include "platform/sys.h"

namespace GAME {

namespace {

constexpr int kEarTemplate[kEarPoints][2] = {{25, -3}, {48, 0}, {35, 16}, {50, 25}, {65, 16}, {52, 0}, {75, -3}};

// A float to int, truncated toward zero and kept to the int range (NaN to 0).
int TruncInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return int(v);
}

}  // namespace

int ClampMinPieces(int min) {
  int m = min;
  if (m < kMinPiecesShortSide) m = kMinPiecesShortSide;
  if (m > kMaxPiecesShortSide) m = kMaxPiecesShortSide;
  if (m != min)
    plat::PrintLine("Pieces along the short side " + std::to_string(min) + " out of range, cutting " +
                    std::to_string(m));
  return m;
}

GRID_SIZE GridSize(int w, int h, int min) {
  GRID_SIZE g;
  const float W = float(w < 1 ? 1 : w), H = float(h < 1 ? 1 : h);
  const float aspect = W / H;
  if (aspect <= 1.0f) {
    g.cols = min;
    g.rows = TruncInt(H * float(min) / W + 0.5f);
  } else {
    g.cols = TruncInt(float(min) * aspect + 0.5f);
    g.rows = min;
  }
  if (g.cols < 1) g.cols = 1;
  if (g.rows < 1) g.rows = 1;
  g.cellW = TruncInt(W / float(g.cols) + 0.5f);
  g.cellH = TruncInt(H / float(g.rows) + 0.5f);
  return g;
}

float JitterFactor(float distortion) {
  if (!(distortion > 0.0f)) return 0.0f;
  return (distortion < 1.0f ? distortion : 1.0f) / 5.0f;
}

JST::iPOINT PieceBoxSize(const GRID_SIZE& g, float d) {
  const int mW = 2 * TruncInt(double(g.cellW) * d);
  const int mH = 2 * TruncInt(double(g.cellH) * 0.3);
  return JST::iPOINT(g.cellW + mW + mH, g.cellH + mW + mH);
}

void InitPuzzleEar(JST::iPOINT* ear) {
  if (!ear) return;
  for (int i = 0; i < kEarPoints; ++i) ear[i] = JST::iPOINT(kEarTemplate[i][0], kEarTemplate[i][1]);
}

void ChangeCoordFromVector(int x1, int y1, int x2, int y2, JST::iPOINT* ear, bool flip) {
  if (!ear) return;
  const float dx = float(x2 - x1), dy = float(y2 - y1);
  // The edge turned by 1.57 radians.
  const float ax = 0.0007963267107332633f * dx - 0.9999996829318346f * dy;
  const float ay = 0.9999996829318346f * dx + 0.0007963267107332633f * dy;
  const float fx1 = float(x1), fy1 = float(y1);
  for (int i = 0; i < kEarPoints; ++i) {
    const float a = float(ear[i].x);
    const float b = float(flip ? -ear[i].y : ear[i].y) / 100.0f;
    const float x = ax * b + (a * dx) / 100.0f + fx1;
    const float y = ay * b + (a * dy) / 100.0f + fy1;
    ear[i] = JST::iPOINT(TruncInt(x), TruncInt(y));
  }
}

JST::iPOINT CUT_LAYOUT::Seed(int column, int row) const {
  const JST::iPOINT* p = Outline(column, row);
  const JST::iPOINT c = CellCentre(column, row);
  return JST::iPOINT((p[23].x + p[7].x) / 2 + c.x, (p[1].y + p[13].y) / 2 + c.y);
}

CUT_LAYOUT LayoutCut(int w, int h, int min, float distortion) {
  CUT_LAYOUT L;
  L.w = w < 1 ? 1 : w;
  L.h = h < 1 ? 1 : h;
  L.min = ClampMinPieces(min);
  L.d = JitterFactor(distortion);
  L.grid = GridSize(L.w, L.h, L.min);
  const int cols = L.grid.cols, rows = L.grid.rows, cellW = L.grid.cellW, cellH = L.grid.cellH;

  // Nodes: the regular grid moved by a jitter that depends only on the
  // node's running index; both axes move by the same amount and sign.
  L.nodes.resize(size_t(cols + 1) * size_t(rows + 1));
  int i = 0;
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c <= cols; ++c, ++i) {
      const int j = L.d == 0.0f ? 0
                                : TruncInt(double(ZOV::ST_RANDOM::Rand(i) % 10000) * 0.0001 * double(cellW) *
                                           double(L.d));
      const int s = ZOV::ST_RANDOM::RandB(i) ? -1 : 1;
      JST::iPOINT n(cellW * c + s * j, cellH * r + s * j);
      if (c == cols) n.x = L.w;
      if (r == rows) n.y = L.h;
      if (c == 0) n.x = 0;
      if (r == 0) n.y = 0;
      L.nodes[size_t(i)] = n;
    }
  }

  L.outline.assign(size_t(cols) * size_t(rows) * kOutlinePoints, JST::iPOINT(0, 0));
  auto pts = [&](int c, int r) { return L.outline.data() + (size_t(r) * size_t(cols) + size_t(c)) * kOutlinePoints; };
  auto rel = [&](JST::iPOINT p, int c, int r) {
    const JST::iPOINT o = L.CellCentre(c, r);
    return JST::iPOINT(p.x - o.x, p.y - o.y);
  };
  const int hw = cellW / 2, hh = cellH / 2;

  int k = 0;
  auto makeEdge = [&](JST::iPOINT a, JST::iPOINT b) {
    CUT_EDGE e;
    e.a = a;
    e.b = b;
    InitPuzzleEar(e.ear);
    ChangeCoordFromVector(a.x, a.y, b.x, b.y, e.ear, !ZOV::ST_RANDOM::RandB(k));
    ++k;
    L.edges.push_back(e);
    return e;
  };

  // Vertical inner edges.
  for (int c = 1; c < cols; ++c) {
    for (int r = 0; r < rows; ++r) {
      const CUT_EDGE e = makeEdge(L.Node(c, r), L.Node(c, r + 1));
      JST::iPOINT* left = pts(c - 1, r);
      left[6] = rel(e.a, c - 1, r);
      for (int m = 1; m <= 5; ++m) left[6 + m] = rel(e.ear[m], c - 1, r);
      left[12] = rel(e.b, c - 1, r);
      JST::iPOINT* right = pts(c, r);
      right[0] = rel(e.a, c, r);
      for (int m = 1; m <= 5; ++m) right[24 - m] = rel(e.ear[m], c, r);
      right[18] = rel(e.b, c, r);
      if (c == 1) {
        const int cy = L.CellCentre(0, r).y;
        left[0] = JST::iPOINT(-hw, L.Node(0, r).y - cy);
        for (int m = 19; m <= 23; ++m) left[m] = JST::iPOINT(-hw, 0);
        left[18] = JST::iPOINT(-hw, L.Node(0, r + 1).y - cy);
      }
      if (c == cols - 1) {
        const int cy = L.CellCentre(c, r).y;
        right[6] = JST::iPOINT(hw, L.Node(cols, r).y - cy);
        for (int m = 7; m <= 11; ++m) right[m] = JST::iPOINT(hw, 0);
        right[12] = JST::iPOINT(hw, L.Node(cols, r + 1).y - cy);
      }
    }
  }
  // Horizontal inner edges.
  for (int r = 1; r < rows; ++r) {
    for (int c = 1; c <= cols; ++c) {
      const CUT_EDGE e = makeEdge(L.Node(c - 1, r), L.Node(c, r));
      JST::iPOINT* upper = pts(c - 1, r - 1);
      for (int m = 1; m <= 5; ++m) upper[18 - m] = rel(e.ear[m], c - 1, r - 1);
      JST::iPOINT* lower = pts(c - 1, r);
      for (int m = 1; m <= 5; ++m) lower[m] = rel(e.ear[m], c - 1, r);
      if (r == 1)
        for (int m = 1; m <= 5; ++m) upper[m] = JST::iPOINT(0, -hh);
      if (r == rows - 1)
        for (int m = 13; m <= 17; ++m) lower[m] = JST::iPOINT(0, hh);
    }
  }
  return L;
}

std::vector<int> CompleteVectorBorder(int cols, int rows) {
  std::vector<int> v;
  if (cols < 2 || rows < 2) return v;
  for (int c = 0; c <= cols - 2; ++c) v.push_back(c);
  for (int r = 0; r <= rows - 2; ++r) v.push_back(r * cols + cols - 1);
  for (int c = cols - 1; c >= 1; --c) v.push_back((rows - 1) * cols + c);
  for (int r = rows - 1; r >= 1; --r) v.push_back(r * cols);
  return v;
}

int RandomInRange(ZOV::ST_RANDOM& rng, int min, int max) {
  if (max < min) {
    const int mid = int((int64_t(min) + int64_t(max)) / 2);
    min = max = mid;
  }
  return rng.GetRandomI(min, max, 0);
}

PIECE_PLACEMENT CutPlacement(ZOV::ST_RANDOM& rng, bool rotationAllowed, const GRID_SIZE& g, JST::iPOINT clipTopLeft,
                             JST::iPOINT clipBottomRight, JST::iPOINT screenCentre) {
  PIECE_PLACEMENT p;
  p.rotation = rotationAllowed ? rng.GetRandomI(0, 3, 0) : 0;
  p.scatter.x = RandomInRange(rng, clipTopLeft.x + g.cellW / 2, clipBottomRight.x - g.cellW / 2);
  p.scatter.y = RandomInRange(rng, clipTopLeft.y + g.cellH / 2, clipBottomRight.y - g.cellH / 2);
  const int dist = (screenCentre.x > screenCentre.y ? screenCentre.x : screenCentre.y) + 200;
  const float angle = rng.GetRandomF(0.0f, 6.2831855f, 0);
  p.start.x = screenCentre.x + TruncInt(std::cos(double(angle)) * dist);
  p.start.y = screenCentre.y + TruncInt(std::sin(double(angle)) * dist);
  return p;
}

}  // namespace GAME
