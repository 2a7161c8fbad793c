// The whole cut as the board runs it: the random placement of the pieces
// after the generator is seeded with 0 (exact values), the frame list and
// frame-light period, a cut that repeats itself byte for byte, a picture
// larger than the play area, a 4000 x 3000 picture whose pieces do not leak
// into each other, piece textures and sprites made from the finished
// images, the board's grid texture, the set-up preview, and a picture that
// cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "GAME/board/cut.h"
#include "GAME/board/cut_pixels.h"
#include "ST/game.h"
#include "ST/random.h"
#include "ST/sprite.h"

namespace gfx = plat::gfx;

namespace {

using JST::iPOINT;

GAME::CUT_REQUEST Request(int min, float distortion, bool rotation) {
  GAME::CUT_REQUEST q;
  q.min = min;
  q.distortion = distortion;
  q.rotation = rotation;
  // A 1024 x 768 screen: the play area 50 pixels in from every side.
  q.clipTopLeft = iPOINT(50, 50);
  q.clipBottomRight = iPOINT(974, 718);
  q.screenCentre = iPOINT(512, 384);
  return q;
}

std::vector<uint32_t> Picture(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[size_t(y) * size_t(w) + size_t(x)] = 0xFF000000u | uint32_t((x * 7) & 0xFF) << 16 |
                                              uint32_t((y * 5) & 0xFF) << 8 | uint32_t((x + y) & 0xFF);
  return px;
}

GAME::CUT_RESULT Cut(const std::vector<uint32_t>& pic, int w, int h, const GAME::CUT_REQUEST& q,
                     GAME::CUT_TRACE* trace = nullptr) {
  ZOV::ST_RANDOM rng;
  rng.Seed(12345.0f);  // the cut seeds it with 0 itself
  GAME::CUT_RESULT out;
  testing::internal::CaptureStdout();
  EXPECT_EQ(GAME::Narezator(pic.data(), w, h, q, rng, nullptr, 0, &out, trace), 0);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("narezator "), std::string::npos);
  return out;
}

TEST(Cut, PlacementAfterSeedZero) {
  const auto pic = Picture(300, 300);
  struct Row {
    bool rotation;
    int rot[3];
    iPOINT scatter[3];
  };
  const Row rows[] = {
      {false, {0, 0, 0}, {{304, 565}, {425, 519}, {868, 627}}},
      {true, {3, 3, 1}, {{519, 368}, {861, 183}, {670, 493}}},
  };
  for (const Row& r : rows) {
    const GAME::CUT_RESULT out = Cut(pic, 300, 300, Request(3, 0.0f, r.rotation));
    ASSERT_EQ(out.pieces.size(), 9u);
    for (int i = 0; i < 3; ++i) {
      const GAME::PUZZLE_PIECES& p = *out.pieces[size_t(i)];
      EXPECT_EQ(p.rotation, r.rot[i]) << "rotation " << r.rotation << " piece " << i;
      EXPECT_EQ(p.destination.x, r.scatter[i].x) << "rotation " << r.rotation << " piece " << i;
      EXPECT_EQ(p.destination.y, r.scatter[i].y) << "rotation " << r.rotation << " piece " << i;
    }
    for (const auto& p : out.pieces) {
      // The fly-in starts 712 pixels from the screen centre, off the screen.
      const double dx = p->pos.x - 512.0, dy = p->pos.y - 384.0;
      EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 712.0, 1.5);
      EXPECT_TRUE(p->pos.x < 0 || p->pos.x > 1024 || p->pos.y < 0 || p->pos.y > 768);
      EXPECT_TRUE(p->destination.x >= 100 && p->destination.x <= 924 && p->destination.y >= 100 &&
                  p->destination.y <= 668);
    }
  }
}

TEST(Cut, PiecesFrameAndOutlines) {
  const auto pic = Picture(400, 300);
  const GAME::CUT_RESULT out = Cut(pic, 400, 300, Request(3, 0.0f, false));
  ASSERT_EQ(out.layout.grid.cols, 4);
  ASSERT_EQ(out.layout.grid.rows, 3);
  EXPECT_EQ(out.border, (std::vector<int>{0, 1, 2, 3, 7, 11, 10, 9, 8, 4}));
  EXPECT_FLOAT_EQ(out.frameLightPeriod, 0.16f);
  EXPECT_EQ(out.sparkleCount, 12);
  for (int i = 0; i < 12; ++i) {
    const GAME::PUZZLE_PIECES& p = *out.pieces[size_t(i)];
    EXPECT_EQ(p.column, i % 4);
    EXPECT_EQ(p.row, i / 4);
    EXPECT_EQ(p.cellW, 100);
    EXPECT_EQ(p.cellH, 100);
    EXPECT_EQ(p.edge, i != 5 && i != 6) << i;
    // The outline list runs from point 23 back to point 0.
    const ZOV::JINCUTVECTOR* n = p.outline->next;
    const iPOINT* table = out.layout.Outline(i % 4, i / 4);
    for (int k = 23; k >= 0; --k, n = n->next) {
      ASSERT_NE(n, nullptr);
      EXPECT_EQ(n->index, k);
      EXPECT_EQ(n->x, float(table[k].x));
      EXPECT_EQ(n->y, float(table[k].y));
    }
    EXPECT_EQ(n, nullptr);
  }
  const GAME::CUT_RESULT square = Cut(Picture(300, 300), 300, 300, Request(3, 0.0f, false));
  EXPECT_FLOAT_EQ(square.frameLightPeriod, 0.2f);
}

TEST(Cut, TwoCutsAreIdentical) {
  const auto pic = Picture(240, 180);
  GAME::CUT_TRACE t1, t2;
  const GAME::CUT_RESULT a = Cut(pic, 240, 180, Request(4, 1.0f, true), &t1);
  const GAME::CUT_RESULT b = Cut(pic, 240, 180, Request(4, 1.0f, true), &t2);
  ASSERT_EQ(a.pieces.size(), b.pieces.size());
  EXPECT_EQ(t1.images, t2.images);
  EXPECT_EQ(t1.mask, t2.mask);
  ASSERT_EQ(a.layout.outline.size(), b.layout.outline.size());
  EXPECT_EQ(0, std::memcmp(a.layout.outline.data(), b.layout.outline.data(),
                           a.layout.outline.size() * sizeof(iPOINT)));
  int turned = 0;
  for (size_t i = 0; i < a.pieces.size(); ++i) {
    EXPECT_EQ(a.pieces[i]->rotation, b.pieces[i]->rotation);
    EXPECT_EQ(a.pieces[i]->destination.x, b.pieces[i]->destination.x);
    EXPECT_EQ(a.pieces[i]->destination.y, b.pieces[i]->destination.y);
    EXPECT_EQ(a.pieces[i]->pos.x, b.pieces[i]->pos.x);
    EXPECT_EQ(a.pieces[i]->pos.y, b.pieces[i]->pos.y);
    EXPECT_EQ(a.pieces[i]->velocity.x, b.pieces[i]->velocity.x);
    turned += a.pieces[i]->rotation != 0;
  }
  EXPECT_GT(turned, 0);
  // Every image holds its piece: opaque texels and nothing past its box.
  for (size_t i = 0; i < t1.images.size(); ++i) {
    int opaque = 0;
    for (uint32_t p : t1.images[i]) opaque += (p >> 24) == 255;
    EXPECT_GT(opaque, 48 * 45 * 6 / 10) << i;
  }
}

TEST(Cut, AssembledPiecesCoverEveryPixel) {
  // The finished images laid over each other at their home places: every
  // picture pixel, the cut lines and the outer frame included, is covered
  // by the pieces to at least 90 % (a lone corner texel that no fill
  // reached gets the ramp's 230 from its two line neighbours; elsewhere
  // coverage is full), and every opaque texel shows its own pixel's colour,
  // shaded by the bevel at most (twice 30 at a corner).
  struct Case {
    int w, h, min;
    float distortion;
  };
  for (const Case k : {Case{240, 180, 3, 0.0f}, Case{240, 180, 4, 1.0f}, Case{300, 200, 15, 1.0f}}) {
    // A smooth picture: a texel that takes a neighbour's colour stays close.
    std::vector<uint32_t> pic(size_t(k.w) * size_t(k.h));
    for (int y = 0; y < k.h; ++y)
      for (int x = 0; x < k.w; ++x)
        pic[size_t(y) * size_t(k.w) + size_t(x)] =
            0xFF000080u | uint32_t(x * 255 / k.w) << 16 | uint32_t(y * 255 / k.h) << 8;
    GAME::CUT_TRACE t;
    const GAME::CUT_RESULT out = Cut(pic, k.w, k.h, Request(k.min, k.distortion, false), &t);
    std::vector<double> clear(pic.size(), 1.0);  // 1 - coverage
    for (size_t i = 0; i < out.pieces.size(); ++i) {
      const JST::iPOINT s = t.imageSizes[i];
      const JST::iPOINT centre = out.layout.CellCentre(out.pieces[i]->column, out.pieces[i]->row);
      const int ox = s.x / 2 + centre.x - s.x, oy = s.y / 2 + centre.y - s.y;
      for (int y = 0; y < s.y; ++y)
        for (int x = 0; x < s.x; ++x) {
          const uint32_t p = t.images[i][size_t(y) * size_t(s.x) + size_t(x)];
          if ((p >> 24) == 0) continue;
          const int px = x + ox, py = y + oy;
          ASSERT_TRUE(px >= 0 && py >= 0 && px < k.w && py < k.h) << "piece " << i << " texel " << x << "," << y;
          clear[size_t(py) * size_t(k.w) + size_t(px)] *= 1.0 - double(p >> 24) / 255.0;
          if ((p >> 24) < 254) continue;
          const uint32_t want = pic[size_t(py) * size_t(k.w) + size_t(px)];
          for (int sh : {0, 8, 16}) {
            ASSERT_LE(std::abs(int((p >> sh) & 0xFF) - int((want >> sh) & 0xFF)), 64)
                << "piece " << i << " at picture pixel " << px << "," << py << std::hex << " shows " << p << " wants "
                << want;
          }
        }
    }
    long bare = 0;
    std::string where;
    for (size_t i = 0; i < clear.size(); ++i)
      if (clear[i] > 0.1) {
        ++bare;
        where += " " + std::to_string(i % size_t(k.w)) + "," + std::to_string(i / size_t(k.w));
      }
    EXPECT_EQ(bare, 0) << k.w << "x" << k.h << " min " << k.min << " d " << k.distortion << ":" << where;
  }
}

TEST(Cut, PiecesLargerThanThePlayAreaScatterToItsMiddle) {
  // 4000 x 3000 at 3: cells 1333 x 1000, wider and taller than the play area.
  const int w = 4000, h = 3000;
  const auto pic = Picture(w, h);
  const GAME::CUT_RESULT out = Cut(pic, w, h, Request(3, 1.0f, true));
  ASSERT_EQ(out.pieces.size(), 12u);
  for (const auto& p : out.pieces) {
    EXPECT_EQ(p->destination.x, 512);
    EXPECT_EQ(p->destination.y, 384);
  }
}

TEST(Cut, ALargePictureCutsWithoutLeaks) {
  // 4000 x 3000 at 3 pieces along the short side, full distortion: every
  // piece takes about its own cell; a gap in a cut line would let one fill
  // flood its whole box and leave its neighbour almost nothing.
  const int w = 4000, h = 3000;
  const GAME::CUT_LAYOUT L = GAME::LayoutCut(w, h, 3, 1.0f);
  std::vector<uint32_t> picture = Picture(w, h), mask(size_t(w) * size_t(h), GAME::kMaskOpen);
  GAME::DrawCutLines(L, mask.data(), iPOINT(w, h), GAME::kMaskLine);
  long free = 0;
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x) free += (mask[size_t(y) * size_t(w) + size_t(x)] >> 24) != 0;
  const iPOINT box = GAME::PieceBoxSize(L.grid, L.d);
  const long cell = long(L.grid.cellW) * L.grid.cellH;
  long taken = 0;
  std::vector<uint32_t> image;
  for (int r = 0; r < L.grid.rows; ++r)
    for (int c = 0; c < L.grid.cols; ++c) {
      const int n = GAME::CutPieceImage(L.Seed(c, r), picture.data(), mask.data(), iPOINT(w, h), box,
                                        L.CellCentre(c, r), image, false);
      EXPECT_GT(n, cell * 6 / 10) << "piece " << c << "," << r;
      EXPECT_LT(n, cell * 14 / 10) << "piece " << c << "," << r;
      taken += n;
    }
  EXPECT_EQ(taken, free) << "every free pixel in exactly one piece";
}

TEST(Cut, PiecesAlongTheShortSideOutOfRange) {
  const auto pic = Picture(90, 90);
  for (int min : {0, 1, 2}) {
    GAME::CUT_RESULT out;
    ZOV::ST_RANDOM rng;
    testing::internal::CaptureStdout();
    GAME::Narezator(pic.data(), 90, 90, Request(min, 0.0f, false), rng, nullptr, 0, &out);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("out of range"), std::string::npos) << log;
    EXPECT_EQ(out.pieces.size(), 9u) << min;
  }
  GAME::CUT_RESULT out;
  ZOV::ST_RANDOM rng;
  testing::internal::CaptureStdout();
  GAME::Narezator(pic.data(), 90, 90, Request(40, 0.0f, false), rng, nullptr, 0, &out);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.pieces.size(), 225u);
}

class CutTextures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    ZOV::ST_GAME* game = ZOV::GetGame();
    game->app.Window().SetBackBufferSize(1024, 768);
    ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
  }
  void SetUp() override { r = ZOV::GetGame()->GetGfx(); }
  std::vector<uint32_t> Pixels(unsigned long tex) {
    std::vector<uint32_t> v;
    if (uint32_t* p = r->TextureLock(tex)) {
      const iPOINT s = r->GetTextureWH(tex);
      v.assign(p, p + size_t(s.x) * size_t(s.y));
      r->TextureUnlock(tex);
    }
    return v;
  }
  ZOV::JINGFX* r = nullptr;
};

TEST_F(CutTextures, EachPieceGetsItsFinishedImageAndASpriteOfItsSize) {
  const int w = 160, h = 120;
  const auto pic = Picture(w, h);
  const unsigned long grid = r->TextureCreate(w, h);
  GAME::CUT_TRACE trace;
  GAME::CUT_RESULT out;
  ZOV::ST_RANDOM rng;
  testing::internal::CaptureStdout();
  GAME::Narezator(pic.data(), w, h, Request(3, 0.5f, true), rng, r, grid, &out, &trace);
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(out.pieces.size(), 12u);
  for (size_t i = 0; i < out.pieces.size(); ++i) {
    const GAME::PUZZLE_PIECES& p = *out.pieces[i];
    ASSERT_NE(p.sprite, nullptr);
    const unsigned long tex = p.sprite->GetTexture();
    const iPOINT s = r->GetTextureWH(tex);
    EXPECT_EQ(s.x, trace.imageSizes[i].x);
    EXPECT_EQ(s.y, trace.imageSizes[i].y);
    EXPECT_EQ(p.sprite->quad.v[2].x, float(s.x)) << "the quad has its own texture's size";
    EXPECT_EQ(p.sprite->quad.v[2].y, float(s.y));
    // The hot spot is the texel that holds the cell centre.
    const JST::iPOINT centre = out.layout.CellCentre(p.column, p.row);
    EXPECT_EQ(trace.images[i][size_t(p.sprite->hotSpot.y) * size_t(s.x) + size_t(p.sprite->hotSpot.x)],
              pic[size_t(centre.y) * size_t(w) + size_t(centre.x)] | 0xFF000000u)
        << "piece " << i;
    EXPECT_EQ(Pixels(tex), trace.images[i]) << "piece " << i;
  }
  // The grid texture: opaque white with the cut lines transparent black.
  const std::vector<uint32_t> g = Pixels(grid);
  ASSERT_EQ(g.size(), trace.mask.size());
  int lines = 0;
  for (size_t i = 0; i < g.size(); ++i) {
    EXPECT_EQ(g[i], trace.mask[i] == GAME::kMaskLine ? 0x00000000u : 0xFFFFFFFFu) << i;
    lines += g[i] == 0;
  }
  EXPECT_GT(lines, 200);
  out.pieces.clear();  // frees the piece textures
  r->TextureFree(grid);
}

TEST_F(CutTextures, ThePreviewDrawsTheLinesWithARim) {
  const unsigned long tex = r->TextureCreate(300, 300);
  const GAME::CUT_LAYOUT L = GAME::DrawGrid(r, tex, true, 3, 0.0f, 0xFFFFFFFFu, 1);
  EXPECT_EQ(L.grid.cols, 3);
  const std::vector<uint32_t> px = Pixels(tex);
  auto at = [&](int x, int y) { return px[size_t(y) * 300 + size_t(x)]; };
  // Row 5 crosses the first vertical cut line near x 100: one run of line
  // pixels with the rim on either side, background elsewhere.
  int first = -1, last = -1;
  for (int x = 90; x <= 110; ++x)
    if (at(x, 5) == 0xFFFFFFFFu) {
      if (first < 0) first = x;
      last = x;
    }
  ASSERT_GE(first, 98);
  ASSERT_LE(last, 102);
  for (int x = first; x <= last; ++x) EXPECT_EQ(at(x, 5), 0xFFFFFFFFu) << x;
  EXPECT_EQ(at(first - 1, 5), GAME::kPreviewRim);
  EXPECT_EQ(at(last + 1, 5), GAME::kPreviewRim);
  EXPECT_EQ(at(first - 2, 5), GAME::kPreviewBackground);
  EXPECT_EQ(at(50, 5), GAME::kPreviewBackground);
  EXPECT_EQ(at(5, 200), 0xFFFFFFFFu) << "a horizontal cut line at y 200";
  r->TextureFree(tex);
}

TEST_F(CutTextures, APictureThatCannotBeReadIsCutAsAWhiteSquare) {
  GAME::CUT_RESULT out;
  ZOV::ST_RANDOM rng;
  testing::internal::CaptureStdout();
  GAME::Narezator(0xFFFFFFul, Request(3, 0.0f, false), rng, r, 0, &out);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find("could not be read"), std::string::npos) << log;
  EXPECT_EQ(out.layout.w, 8);
  EXPECT_EQ(out.pieces.size(), 9u);
  EXPECT_EQ(out.layout.grid.cellW, 3);

  // A real picture texture is read once and cut.
  const unsigned long tex = r->TextureCreate(90, 60);
  const auto pic = Picture(90, 60);
  std::memcpy(r->TextureLock(tex), pic.data(), pic.size() * 4);
  r->TextureUnlock(tex);
  GAME::CUT_RESULT out2;
  testing::internal::CaptureStdout();
  GAME::Narezator(tex, Request(3, 0.0f, false), rng, r, 0, &out2);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(out2.layout.w, 90);
  EXPECT_EQ(out2.pieces.size(), 15u) << "5 x 3";
  EXPECT_EQ(Pixels(tex), pic) << "the picture itself stays whole";
  r->TextureFree(tex);
}

}  // namespace

namespace {

// FNV-1a over the bytes of 32-bit words.
uint64_t Fnv(uint64_t h, const std::vector<uint32_t>& words) {
  for (uint32_t w : words)
    for (int b = 0; b < 4; ++b) {
      h ^= (w >> (8 * b)) & 0xFFu;
      h *= 1099511628211ull;
    }
  return h;
}

}  // namespace

TEST(Cut, OutputBytesArePinned) {
  // Every byte the cut makes (the mask it cut along, each finished piece
  // image, each piece's placement) for fixed pictures, against the values
  // the cut gave when these were written: a faster cut must give the same
  // pieces, not merely similar ones.
  struct Case {
    int w, h, min;
    float distortion;
    uint64_t expected;
  };
  const Case cases[] = {
      {240, 180, 4, 1.0f, 0xd28e30e23852b9a4ull},
      {1920, 1080, 15, 1.0f, 0xf4fa16eaf1036b85ull},
      {1001, 667, 7, 0.5f, 0xe15393c799ebc66bull},
  };
  for (const Case& k : cases) {
    GAME::CUT_TRACE t;
    const GAME::CUT_RESULT out = Cut(Picture(k.w, k.h), k.w, k.h, Request(k.min, k.distortion, true), &t);
    uint64_t h = Fnv(14695981039346656037ull, t.mask);
    for (size_t i = 0; i < t.images.size(); ++i) {
      h = Fnv(h, t.images[i]);
      h = Fnv(h, {uint32_t(t.imageSizes[i].x), uint32_t(t.imageSizes[i].y)});
      const GAME::PUZZLE_PIECES& p = *out.pieces[i];
      h = Fnv(h, {uint32_t(p.rotation), uint32_t(p.destination.x), uint32_t(p.destination.y)});
    }
    EXPECT_EQ(h, k.expected) << k.w << "x" << k.h << " min " << k.min << " d " << k.distortion << ": 0x"
                             << std::hex << h;
  }
}
