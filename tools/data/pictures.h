// The puzzle pictures: procedural painters (landscapes, seascapes, skylines,
// flowers, mosaics, fractals), the catalogue of five chapters that uses
// them, and the measure that tells whether every piece of a picture can be
// told from every other.
#pragma once
#include <string>
#include <vector>

#include "tools/data/canvas.h"

namespace gendata {

enum class Painter { kMountains, kSea, kSkyline, kFlowers, kMosaic, kMandelbrot, kJulia };

struct PictureSpec {
  std::string stem;  // file names: stem + ".jpg" in low/, stem + ".png" in pre/
  Painter painter;
  int variant;       // palette and layout choice inside the painter
  int w, h;          // full picture size
  int tw, th;        // thumbnail size, exactly the same aspect ratio
  int amount;        // total pieces in the catalogue, 0 = random
  bool rot;
  int intendedMin;   // pieces along the shorter side that `amount` must give (0 for random)
};

// The chapters of the catalogue, in book order.
const std::vector<std::vector<PictureSpec>>& Catalogue();

// Paints one picture at its full size.
void Paint(Image& img, const PictureSpec& spec);

// Pieces along the shorter side for a total count, as the gallery computes
// it from the thumbnail size: r = long/short as float, m = trunc(sqrt(4rc) /
// (2r)), then the smaller of m and c / m.  Returns 0 when m is 0.
int MinFromCount(int count, int w, int h);
// The same in double precision, to find amounts that do not depend on it.
int MinFromCountDouble(int count, int w, int h);
// Total pieces for m along the shorter side: trunc(m r + 0.5) m.
int CountFromMin(int m, int w, int h);

// Distinguishability of the cells of a picture cut into `pieces` along its
// shorter side: the smallest luminance standard deviation inside a cell, and
// the smallest mean colour difference (0..255) between two cells compared
// on a 4 × 4 grid of averages.
struct CellStats {
  double minStdDev = 0;
  double minPairDiff = 0;
  int cols = 0, rows = 0;
  int flattest = 0;            // cell index (row * cols + col) of minStdDev
  int likeA = 0, likeB = 0;    // the two most alike cells
};
CellStats MeasureCells(const std::uint8_t* rgb, int w, int h, int stride, int pieces);

}  // namespace gendata
