// One of the game's own pictures (from the built low-resolution pack) cut
// at the coarsest and the finest cut, with and without distortion, its
// pieces drawn on real OpenGL (needs an X display; Mesa's software renderer
// is enough): put back together at their home places they cover the
// picture without gaps and show its colours where they belong; no piece
// image reaches the edge of its box. With JIGSAW_CUT_SHOT set to a path
// stem, each case is also saved as <stem>_min<N>_d<D>_whole.png (the pieces
// assembled) and <stem>_min<N>_d<D>_apart.png (pieces spread apart, their
// shapes, bevels and shadows visible) for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "GAME/board/cut.h"
#include "GAME/config/pack_table.h"
#include "ST/random.h"
#include "ST/sprite.h"
#include "platform/gfx_image.h"
#include "tests/support/gl_engine_env.h"

namespace {

constexpr int kW = 1024, kH = 768;
constexpr uint32_t kBackground = 0xFFFF00FFu;  // magenta: any gap shows

class CutGl : public GlEngine {
 protected:
  static void SetUpTestSuite() { OpenWindow("cut test", kW, kH); }
  void SetUpGl() override {
    const std::string pack = std::string(JIGSAW_GAME_DIR) + "/DATA/low";
    ASSERT_TRUE(std::filesystem::exists(pack)) << "build the game data first";
    picture = r->TextureLoadZip(pack.c_str(), "p1_01.jpg", GAME::kPackPassword);
    ASSERT_NE(picture, r->defaultTexture) << "the picture is in the pack";
    size = r->GetTextureWH(picture);
    uint32_t* px = r->TextureLock(picture);
    ASSERT_NE(px, nullptr);
    pixels.assign(px, px + size_t(size.x) * size_t(size.y));
    r->TextureUnlock(picture);
  }
  void TearDown() override {
    if (picture) r->TextureFree(picture);
  }

  // Draws the pieces with the function and reads the frame back.
  template <class Draw>
  plat::Image Frame(Draw draw) {
    return FramePasses(kBackground, draw, [] {});
  }
  static void Shot(const plat::Image& img, const std::string& name) {
    SaveShot("JIGSAW_CUT_SHOT", img, "_" + name + ".png");
  }

  unsigned long picture = 0;
  JST::iPOINT size;
  std::vector<uint32_t> pixels;
};

int Channel(uint32_t p, int shift) { return int((p >> shift) & 0xFF); }
bool Near(uint32_t a, uint32_t b, int tol) {
  for (int s : {0, 8, 16}) {
    if (std::abs(Channel(a, s) - Channel(b, s)) > tol) return false;
  }
  return true;
}

// The number of 8-connected parts of the texels that are not fully
// transparent.
int Parts(const std::vector<uint32_t>& im, JST::iPOINT s) {
  std::vector<char> seen(im.size(), 0);
  int parts = 0;
  std::vector<int> todo;
  for (int start = 0; start < int(im.size()); ++start) {
    if (seen[size_t(start)] || (im[size_t(start)] >> 24) == 0) continue;
    ++parts;
    seen[size_t(start)] = 1;
    todo.assign(1, start);
    while (!todo.empty()) {
      const int i = todo.back();
      todo.pop_back();
      const int x = i % s.x, y = i / s.x;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= s.x || ny >= s.y) continue;
          const int j = ny * s.x + nx;
          if (seen[size_t(j)] || (im[size_t(j)] >> 24) == 0) continue;
          seen[size_t(j)] = 1;
          todo.push_back(j);
        }
    }
  }
  return parts;
}

TEST_F(CutGl, PiecesCoverThePictureAndKeepTheirShapes) {
  struct Case {
    int min;
    float distortion;
  };
  for (const Case k : {Case{3, 0.0f}, Case{3, 1.0f}, Case{15, 0.0f}, Case{15, 1.0f}}) {
    SCOPED_TRACE("min " + std::to_string(k.min) + " distortion " + std::to_string(k.distortion));
    GAME::CUT_REQUEST q;
    q.min = k.min;
    q.distortion = k.distortion;
    q.rotation = false;
    q.clipTopLeft = JST::iPOINT(50, 50);
    q.clipBottomRight = JST::iPOINT(kW - 50, kH - 50);
    q.screenCentre = JST::iPOINT(kW / 2, kH / 2);
    ZOV::ST_RANDOM rng;
    GAME::CUT_RESULT cut;
    GAME::CUT_TRACE trace;
    testing::internal::CaptureStdout();
    GAME::Narezator(picture, q, rng, r, 0, &cut, &trace);
    testing::internal::GetCapturedStdout();
    const GAME::GRID_SIZE& g = cut.layout.grid;
    ASSERT_EQ(cut.pieces.size(), size_t(g.cols) * size_t(g.rows));

    // No piece image reaches the edge of its box (nothing of a piece was
    // cut off by its box), and every piece holds at least half its cell.
    for (size_t i = 0; i < trace.images.size(); ++i) {
      const JST::iPOINT s = trace.imageSizes[i];
      const std::vector<uint32_t>& im = trace.images[i];
      EXPECT_EQ(Parts(im, s), 1) << "piece " << i << " is in one part, no stray texels";
      int opaque = 0;
      for (int y = 0; y < s.y; ++y)
        for (int x = 0; x < s.x; ++x) {
          const uint32_t p = im[size_t(y) * size_t(s.x) + size_t(x)];
          opaque += (p >> 24) == 255;
          if (x == 0 || y == 0 || x == s.x - 1 || y == s.y - 1) {
            ASSERT_EQ(p >> 24, 0u) << "piece " << i;
          }
        }
      EXPECT_GT(opaque, g.cellW * g.cellH / 2) << "piece " << i;
    }

    // Assembled at their home places at full size: the top-left part of the
    // picture that fits on the screen.
    const std::string tag = "min" + std::to_string(k.min) + "_d" + std::to_string(int(k.distortion));
    const plat::Image whole = Frame([&] {
      for (auto& p : cut.pieces) {
        const JST::iPOINT home = cut.layout.CellCentre(p->column, p->row);
        p->Render(float(home.x), float(home.y), 0u);
      }
    });
    Shot(whole, tag + "_whole");
    ASSERT_EQ(whole.w, kW);
    const int vw = size.x < kW ? size.x : kW, vh = size.y < kH ? size.y : kH;
    long gaps = 0, wrong = 0, checked = 0;
    for (int y = 2; y < vh - 2; ++y)
      for (int x = 2; x < vw - 2; ++x) {
        const uint32_t shown = whole.argb[size_t(y) * size_t(whole.w) + size_t(x)];
        gaps += Near(shown, kBackground, 40);
        // Away from the cut lines the picture's own colour shows (the bevel
        // shades at most 30 per channel).
        if (x % 7 == 0 && y % 7 == 0) {
          ++checked;
          wrong += !Near(shown, pixels[size_t(y) * size_t(size.x) + size_t(x)], 70);
        }
      }
    EXPECT_LT(gaps, long(vw) * vh / 2000) << "background showing between assembled pieces";
    {
      // The same pieces laid over each other on the processor, in drawing
      // order, each texel where the sprite puts it; compared where the
      // last texel drawn is opaque (where a piece's soft edge lies over
      // another, the frame's own blending of the main pass onto the screen
      // decides the mix).
      std::vector<float> comp(size_t(kW) * kH * 3);
      std::vector<char> solid(size_t(kW) * kH, 0);
      for (size_t i = 0; i < comp.size(); i += 3) {
        comp[i] = 255.0f;
        comp[i + 1] = 0.0f;
        comp[i + 2] = 255.0f;
      }
      for (size_t i = 0; i < cut.pieces.size(); ++i) {
        const JST::iPOINT s = trace.imageSizes[i];
        const JST::iPOINT home = cut.layout.CellCentre(cut.pieces[i]->column, cut.pieces[i]->row);
        const int ox = home.x - (s.x - s.x / 2), oy = home.y - (s.y - s.y / 2);
        for (int y = 0; y < s.y; ++y)
          for (int x = 0; x < s.x; ++x) {
            const int px = x + ox, py = y + oy;
            if (px < 0 || py < 0 || px >= kW || py >= kH) continue;
            const uint32_t p = trace.images[i][size_t(y) * size_t(s.x) + size_t(x)];
            const float a = float(p >> 24) / 255.0f;
            if (p >> 24) solid[size_t(py) * kW + size_t(px)] = (p >> 24) == 255;
            float* c = &comp[(size_t(py) * kW + size_t(px)) * 3];
            c[0] = float((p >> 16) & 0xFF) * a + c[0] * (1.0f - a);
            c[1] = float((p >> 8) & 0xFF) * a + c[1] * (1.0f - a);
            c[2] = float(p & 0xFF) * a + c[2] * (1.0f - a);
          }
      }
      long differ = 0;
      std::string first;
      for (int y = 0; y < vh; ++y)
        for (int x = 0; x < vw; ++x) {
          if (!solid[size_t(y) * kW + size_t(x)]) continue;
          const uint32_t g2 = whole.argb[size_t(y) * size_t(whole.w) + size_t(x)];
          const float* c = &comp[(size_t(y) * kW + size_t(x)) * 3];
          const bool off = std::abs(float((g2 >> 16) & 0xFF) - c[0]) > 3 || std::abs(float((g2 >> 8) & 0xFF) - c[1]) > 3 ||
                           std::abs(float(g2 & 0xFF) - c[2]) > 3;
          if (off && ++differ < 6)
            first += " " + std::to_string(x) + "," + std::to_string(y) + " gl " + std::to_string((g2 >> 16) & 0xFF) + "/" +
                     std::to_string((g2 >> 8) & 0xFF) + "/" + std::to_string(g2 & 0xFF) + " cpu " +
                     std::to_string(int(c[0])) + "/" + std::to_string(int(c[1])) + "/" + std::to_string(int(c[2]));
        }
      EXPECT_EQ(differ, 0) << "the frame shows the piece images as they are:" << first;
    }
    EXPECT_LT(wrong, checked / 50) << "pixels of another part of the picture";

    // Spread apart, with shadows: a block of pieces from the top-left corner
    // at 1.3 times their home spacing, scaled to fit.
    const float spread = 1.3f;
    const float scale = k.min == 3 ? 0.45f : 1.0f;
    const plat::Image apart = Frame([&] {
      for (auto& p : cut.pieces) {
        const JST::iPOINT home = cut.layout.CellCentre(p->column, p->row);
        const float x = 20.0f + float(home.x) * spread * scale, y = 20.0f + float(home.y) * spread * scale;
        if (x > kW + 100 || y > kH + 100) continue;
        p->sprite->scale = JST::fPOINT(scale, scale);
        p->RenderShadow(x, y);
        p->Render(x, y, 0u);
      }
    });
    Shot(apart, tag + "_apart");
    long background = 0;
    for (uint32_t p : apart.argb) background += p == kBackground;
    EXPECT_GT(background, long(kW) * kH / 10) << "the pieces lie apart";

    // Close up: the four pieces around the first inner corner, enlarged,
    // assembled on the left and a little apart on the right.
    const float zoom = k.min == 3 ? 1.0f : 3.0f;
    const plat::Image close = Frame([&] {
      for (auto& p : cut.pieces) {
        if (p->column < 1 || p->column > 2 || p->row < 1 || p->row > 2) continue;
        const float hx = float((p->column - 1) * g.cellW), hy = float((p->row - 1) * g.cellH);
        p->sprite->scale = JST::fPOINT(zoom, zoom);
        const float ox = 40.0f + float(g.cellW) * zoom, oy = 40.0f + float(g.cellH) * zoom;
        p->Render(ox + hx * zoom - g.cellW * zoom / 2, oy + hy * zoom, 0u);
        p->Render(ox + kW / 2 + hx * zoom * 1.25f - g.cellW * zoom / 2, oy + hy * zoom * 1.25f, 0u);
      }
    });
    Shot(close, tag + "_close");
  }
}

}  // namespace
