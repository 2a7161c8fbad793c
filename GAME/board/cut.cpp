#include "GAME/board/cut.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "GAME/board/cut_pixels.h"
#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "ST/random.h"
#include "ST/renderer.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// A new texture that takes the image's pixels over (no copy); 0 when it
// could not be made.
unsigned long UploadImage(ZOV::JINGFX* gfx, std::vector<uint32_t>& image, JST::iPOINT size) {
  return gfx->TextureCreateFrom(size.x, size.y, std::move(image));
}

}  // namespace

int Narezator(const uint32_t* picture, int w, int h, const CUT_REQUEST& request, ZOV::ST_RANDOM& rng,
              ZOV::JINGFX* gfx, unsigned long gridTexture, CUT_RESULT* out, CUT_TRACE* trace) {
  if (!out) return 0;
  plat::PrintLine("narezator ");
  rng.Seed(0.0f);
  *out = CUT_RESULT();

  // The picture's copy, consumed by the cutting, and the mask of cut lines.
  static const uint32_t kWhite = 0xFFFFFFFFu;
  if (!picture || w < 1 || h < 1) {
    plat::PrintLine("narezator: no picture pixels, cutting a white 1x1 picture");
    picture = &kWhite;
    w = h = 1;
  }
  const JST::iPOINT size(w, h);
  const size_t count = size_t(w) * size_t(h);
  std::vector<uint32_t> copy(picture, picture + count);
  std::vector<uint32_t> mask(count, kMaskOpen);

  out->layout = LayoutCut(w, h, request.min, request.distortion);
  const CUT_LAYOUT& L = out->layout;
  DrawCutLines(L, mask.data(), size, kMaskLine);
  if (trace) {
    trace->mask = mask;
    trace->images.clear();
    trace->imageSizes.clear();
  }

  const GRID_SIZE& g = L.grid;
  const JST::iPOINT box = PieceBoxSize(g, L.d);
  const JST::iPOINT imageSize(box.x + 1, box.y + 1);
  out->pieces.reserve(size_t(g.cols) * size_t(g.rows));
  // Every piece is cut out first, so the pockets that no fill reached can
  // go to their pieces before the images are finished.
  const int n = g.cols * g.rows;
  std::vector<std::vector<uint32_t>> images(static_cast<size_t>(n));
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.cols; ++c)
      CutPieceImage(L.Seed(c, r), copy.data(), mask.data(), size, box, L.CellCentre(c, r),
                    images[size_t(r * g.cols + c)], false);
  AdoptPockets(L, copy.data(), mask.data(), size, box, images);

  for (int r = 0; r < g.rows; ++r) {
    for (int c = 0; c < g.cols; ++c) {
      std::vector<uint32_t>& image = images[size_t(r * g.cols + c)];
      FinishPieceImage(image.data(), imageSize);
      if (trace) {
        trace->images.push_back(image);
        trace->imageSizes.push_back(imageSize);
      }
      const unsigned long tex = gfx ? UploadImage(gfx, image, imageSize) : 0;
      std::vector<uint32_t>().swap(image);  // the texture holds it now
      const bool edge = r == 0 || r == g.rows - 1 || c == 0 || c == g.cols - 1;
      const PIECE_PLACEMENT place = CutPlacement(rng, request.rotation, g, request.clipTopLeft,
                                                 request.clipBottomRight, request.screenCentre);
      auto* head = new ZOV::JINCUTVECTOR();
      GAMETOOLS::IpointToCutVector(L.Outline(c, r), head, kOutlinePoints);

      PIECE_OPT opt;
      opt.texture = tex;
      opt.cell = JST::iPOINT(c, r);
      opt.scatter = place.scatter;
      opt.cellSize = JST::iPOINT(g.cellW, g.cellH);
      opt.start = place.start;
      opt.rotation = place.rotation;
      opt.edge = edge;
      auto piece = std::make_unique<PUZZLE_PIECES>();
      piece->SetPoints(head);
      piece->InitPiece(opt, rng);
      out->pieces.push_back(std::move(piece));
    }
  }

  // The board's grid texture keeps the lines, now transparent black on
  // opaque white.
  if (gfx && gridTexture != 0) {
    CsHold hold;
    if (uint32_t* px = gfx->TextureLock(gridTexture)) {
      const JST::iPOINT gs = gfx->GetTextureWH(gridTexture);
      std::fill(px, px + size_t(gs.x) * size_t(gs.y), 0xFFFFFFFFu);
      DrawCutLines(L, px, gs, 0x00000000u);
      gfx->TextureUnlock(gridTexture);
    }
  }

  out->border = CompleteVectorBorder(g.cols, g.rows);
  const int frame = g.cols + g.rows - 2;
  out->frameLightPeriod = frame > 0 ? 2.0f * (0.4f / float(frame)) : 0.0f;
  out->sparkleCount = 12;
  return 0;
}

int Narezator(unsigned long pictureTexture, const CUT_REQUEST& request, ZOV::ST_RANDOM& rng, ZOV::JINGFX* gfx,
              unsigned long gridTexture, CUT_RESULT* out, CUT_TRACE* trace) {
  std::vector<uint32_t> pixels;
  JST::iPOINT size(0, 0);
  if (gfx) {
    CsHold hold;
    if (uint32_t* px = gfx->TextureLock(pictureTexture)) {
      size = gfx->GetTextureWH(pictureTexture);
      if (size.x > 0 && size.y > 0) pixels.assign(px, px + size_t(size.x) * size_t(size.y));
      gfx->TextureUnlock(pictureTexture);
    }
  }
  if (pixels.empty()) {
    plat::PrintLine("narezator: picture texture " + std::to_string(pictureTexture) +
                    " could not be read, cutting a white 8x8 picture");
    size = JST::iPOINT(8, 8);
    pixels.assign(64, 0xFFFFFFFFu);
  }
  return Narezator(pixels.data(), size.x, size.y, request, rng, gfx, gridTexture, out, trace);
}

CUT_LAYOUT DrawGrid(ZOV::JINGFX* gfx, unsigned long texture, bool fill, int min, float distortion, uint32_t colour,
                    int thick) {
  if (!gfx) return CUT_LAYOUT();
  CsHold hold;
  uint32_t* px = gfx->TextureLock(texture);
  if (!px) return CUT_LAYOUT();
  const JST::iPOINT size = gfx->GetTextureWH(texture);
  if (fill) std::fill(px, px + size_t(size.x) * size_t(size.y), kPreviewBackground);
  CUT_LAYOUT L = LayoutCut(size.x, size.y, min, distortion);
  DrawCutLines(L, px, size, colour);
  if (thick == 1) DrawGrid3px(px, size, colour);
  gfx->TextureUnlock(texture);
  return L;
}

}  // namespace GAME
