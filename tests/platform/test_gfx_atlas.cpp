// Placing textures on an atlas page (no GL): places inside the page and
// apart, freed places reused, full pages refusing, emptied shelves handed
// on, and the wrapped border around a texture's pixels.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx_atlas.h"

namespace {

using plat::IPt;
using plat::gfx::detail::AtlasPacker;
using plat::gfx::detail::PadClamped;

struct Placed {
  IPt at;
  int w, h;
};

bool Overlap(const Placed& a, const Placed& b) {
  return a.at.x < b.at.x + b.w && b.at.x < a.at.x + a.w && a.at.y < b.at.y + b.h && b.at.y < a.at.y + a.h;
}

// Rectangles of mixed sizes until the page refuses every size: all inside
// the page, none overlapping another, and the page mostly full by then.
TEST(AtlasPacker, PlacesStayInsideThePageAndApart) {
  AtlasPacker p(512);
  const int sizes[][2] = {{50, 60}, {31, 17}, {64, 64}, {7, 9}, {100, 20}, {20, 100}, {1, 1}, {45, 58}};
  std::vector<Placed> placed;
  int area = 0, refusedInARow = 0;
  for (int i = 0; refusedInARow < 8; ++i) {
    const int w = sizes[i % 8][0], h = sizes[i % 8][1];
    IPt at{-1, -1};
    if (!p.Place(w, h, &at)) {
      ++refusedInARow;
      continue;
    }
    refusedInARow = 0;
    const Placed r{at, w, h};
    ASSERT_GE(at.x, 0);
    ASSERT_GE(at.y, 0);
    ASSERT_LE(at.x + w, 512);
    ASSERT_LE(at.y + h, 512);
    for (const Placed& o : placed) ASSERT_FALSE(Overlap(r, o)) << "rectangle " << i;
    placed.push_back(r);
    area += w * h;
  }
  EXPECT_EQ(p.Live(), int(placed.size()));
  EXPECT_GT(area, 512 * 512 * 3 / 4) << "the page refused while a quarter empty";
  IPt at;
  EXPECT_FALSE(p.Place(513, 1, &at));
  EXPECT_FALSE(p.Place(0, 5, &at));
}

// A freed place is found again by a rectangle of its class, and two freed
// neighbours merge into one span a wider rectangle fits.
TEST(AtlasPacker, FreedPlacesAreReused) {
  AtlasPacker p(128);
  IPt a, b, c, d;
  ASSERT_TRUE(p.Place(40, 30, &a));
  ASSERT_TRUE(p.Place(40, 30, &b));
  ASSERT_TRUE(p.Place(40, 30, &c));
  EXPECT_EQ(a.y, b.y) << "one shelf";
  p.Free(b, 40, 30);
  ASSERT_TRUE(p.Place(35, 28, &d));  // same height class (25..32)
  EXPECT_EQ(d.x, b.x);
  EXPECT_EQ(d.y, b.y);
  p.Free(d, 35, 28);
  p.Free(a, 40, 30);
  ASSERT_TRUE(p.Place(80, 32, &d)) << "the two freed spans merge";
  EXPECT_EQ(d.x, 0);
  EXPECT_EQ(d.y, a.y);
  EXPECT_EQ(p.Live(), 2);
}

// A full page refuses; freeing one rectangle makes room for one more.
TEST(AtlasPacker, AFullPageRefusesUntilAPlaceIsFreed) {
  AtlasPacker p(64);
  std::vector<IPt> at(16);
  for (IPt& x : at) ASSERT_TRUE(p.Place(16, 16, &x));
  IPt more;
  EXPECT_FALSE(p.Place(16, 16, &more));
  EXPECT_FALSE(p.Place(1, 1, &more));
  p.Free(at[5], 16, 16);
  ASSERT_TRUE(p.Place(16, 16, &more));
  EXPECT_EQ(more.x, at[5].x);
  EXPECT_EQ(more.y, at[5].y);
}

// An emptied shelf in the middle takes a shorter class; emptied shelves at
// the bottom go back to the page, and an empty page has no shelves.
TEST(AtlasPacker, EmptiedShelvesAreHandedOn) {
  AtlasPacker p(100);
  IPt a, b, c, d;
  ASSERT_TRUE(p.Place(90, 40, &a));
  ASSERT_TRUE(p.Place(90, 40, &b));
  ASSERT_TRUE(p.Place(90, 16, &c));
  EXPECT_EQ(p.UsedHeight(), 96);
  ASSERT_FALSE(p.Place(10, 20, &d)) << "4 rows left";
  p.Free(a, 90, 40);
  ASSERT_TRUE(p.Place(10, 20, &d)) << "the empty 40-row shelf takes a 24-row class";
  EXPECT_EQ(d.y, 0);
  p.Free(c, 90, 16);
  EXPECT_EQ(p.UsedHeight(), 80);
  p.Free(b, 90, 40);
  p.Free(d, 10, 20);
  EXPECT_EQ(p.UsedHeight(), 0);
  EXPECT_EQ(p.Live(), 0);
  ASSERT_TRUE(p.Place(100, 100, &d)) << "the whole page again";
}

TEST(AtlasPacker, FreeingSomethingNeverPlacedChangesNothing) {
  AtlasPacker p(64);
  IPt a;
  ASSERT_TRUE(p.Place(10, 10, &a));
  p.Free({0, 40}, 10, 10);  // no shelf there
  p.Free(a, 10, 60);        // taller than its shelf
  EXPECT_EQ(p.Live(), 1);
  EXPECT_EQ(p.UsedHeight(), 16);
}

// The border repeats the texture's own edges, corners from the nearest
// corner, as clamp-to-edge addressing reads them: filtering past an edge of
// a place never reads the opposite edge (which showed as seams between
// tiles drawn scaled).
TEST(AtlasPadding, BorderRepeatsTheNearestEdge) {
  const uint32_t px[6] = {1, 2, 3,   //
                          4, 5, 6};  // 3 × 2
  std::vector<uint32_t> out;
  PadClamped(px, 3, 2, 2, out);
  const std::vector<uint32_t> want = {
      1, 1, 1, 2, 3, 3, 3,  //
      1, 1, 1, 2, 3, 3, 3,  //
      1, 1, 1, 2, 3, 3, 3,  //
      4, 4, 4, 5, 6, 6, 6,  //
      4, 4, 4, 5, 6, 6, 6,  //
      4, 4, 4, 5, 6, 6, 6,  //
  };
  EXPECT_EQ(out, want);
  PadClamped(px, 3, 2, 0, out);
  EXPECT_EQ(out, std::vector<uint32_t>(px, px + 6));
  const uint32_t one = 7;
  PadClamped(&one, 1, 1, 1, out);
  EXPECT_EQ(out, std::vector<uint32_t>(9, 7u));
}

}  // namespace
