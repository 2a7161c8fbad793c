// The whole jigsaw cut of one picture, as the board runs it once before
// play (and again, with the saved options, when a saved game is resumed),
// and the cut lines alone for the set-up view.
//
// The cut works on CPU buffers: the picture's pixels are copied once, the
// mask of cut lines is drawn in memory, and each piece image is cut out,
// bevelled and softened in memory, then becomes a texture of its own,
// created, filled and unlocked once. Piece sprites take their size from
// their own texture.
//
// Random numbers: the game's generator is seeded with 0 first; the
// rotation (when allowed), scatter x, scatter y, fly-in angle and fly-in
// speed are drawn in that order, piece by piece in grid order. So the same
// picture size and options give the same pieces every time.
//
// Main thread (it creates textures through the renderer and holds cs around
// each creation).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GAME/board/cut_geometry.h"
#include "GAME/board/piece.h"

namespace ZOV {
class JINGFX;
class ST_RANDOM;
}  // namespace ZOV

namespace GAME {

// What the board hands the cut besides the picture.
struct CUT_REQUEST {
  int min = 3;              // pieces along the shorter side (3..15; others are brought into range)
  float distortion = 0.0f;  // 0..1 (more is taken as 1)
  bool rotation = false;    // pieces may come turned
  JST::iPOINT clipTopLeft, clipBottomRight;  // the play area
  JST::iPOINT screenCentre;
};

// What the cut gives the board.
struct CUT_RESULT {
  CUT_LAYOUT layout;  // grid, nodes, edges and the outline table (24 points a piece)
  // Every piece in grid order (row * cols + column), set up and flying in.
  // The board moves them into its z-order, which then owns them.
  std::vector<std::unique_ptr<PUZZLE_PIECES>> pieces;
  // The frame pieces clockwise from the top-left corner, as grid indices.
  std::vector<int> border;
  // The frame-light period, 2 * (0.4 / (cols + rows - 2)) seconds, and the
  // sparkle count.
  float frameLightPeriod = 0.0f;
  int sparkleCount = 12;
};

// Optional views into the cut for checks and pictures: the piece images as
// uploaded (grid order) and the mask just before the pieces were cut.
struct CUT_TRACE {
  std::vector<std::vector<uint32_t>> images;
  std::vector<JST::iPOINT> imageSizes;
  std::vector<uint32_t> mask;
};

// Cuts a W x H picture of ARGB pixels. gfx null makes no textures (the
// pieces get texture 0 and no sprite), which is how the model is checked
// without a renderer. gridTexture, when not 0, is the board's grid texture
// (the picture's size): it is left opaque white with the cut lines
// transparent black. Returns 0.
int Narezator(const uint32_t* picture, int w, int h, const CUT_REQUEST& request, ZOV::ST_RANDOM& rng,
              ZOV::JINGFX* gfx, unsigned long gridTexture, CUT_RESULT* out, CUT_TRACE* trace = nullptr);
// The same from the picture's texture, whose pixels are read once. A
// texture that cannot be read is cut as an 8 x 8 white picture, with a log
// line.
int Narezator(unsigned long pictureTexture, const CUT_REQUEST& request, ZOV::ST_RANDOM& rng, ZOV::JINGFX* gfx,
              unsigned long gridTexture, CUT_RESULT* out, CUT_TRACE* trace = nullptr);

// The set-up view's cut lines: the layout of the texture's size for `min`
// and the distortion, its inner edges drawn in the colour into the texture
// (filled with 0x00FFFFFF first when fill is set), with the rim of
// DrawGrid3px when thick is 1. Returns the layout (empty when the texture
// cannot be locked).
CUT_LAYOUT DrawGrid(ZOV::JINGFX* gfx, unsigned long texture, bool fill, int min, float distortion, uint32_t colour,
                    int thick);

}  // namespace GAME
