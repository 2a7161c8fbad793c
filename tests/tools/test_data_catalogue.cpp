// The picture catalogue "pzls.xml", its pictures and thumbnails, the piece
// counts its amounts give, the pictures' distinguishability, and the
// edition file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include <pugixml.hpp>

#include "GAME/config/edition_defaults.h"
#include "tests/tools/test_data_support.h"
#include "tools/data/pictures.h"

namespace {

const gendata::MemSink& Pictures() { return datatest::Generated({"pictures"}); }

pugi::xml_document LoadXml(const gendata::Bytes& b, pugi::xml_parse_result* result) {
  pugi::xml_document doc;
  *result = doc.load_buffer(b.data(), b.size());
  return doc;
}

TEST(DataCatalogue, GetMinFromCountIsPinnedForTheAmountsWeUse) {
  struct Case {
    int count, w, h, min;
  };
  // 4:3 thumbnails (160 × 120), 3:2 (180 × 120) and 16:9 (192 × 108)
  const Case cases[] = {
      {27, 160, 120, 4},  {35, 160, 120, 5},  {88, 160, 120, 8},   {165, 160, 120, 11}, {266, 160, 120, 14},
      {63, 180, 120, 6},  {135, 180, 120, 9}, {100, 192, 108, 7},  {196, 192, 108, 10},
      // the traps: 20 gives 3 (not 4) and 63 gives 6 (not 7) on 4:3
      {20, 160, 120, 3},  {63, 160, 120, 6},  {1, 160, 120, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gendata::MinFromCount(c.count, c.w, c.h), c.min) << c.count << " on " << c.w << "x" << c.h;
    EXPECT_EQ(gendata::MinFromCountDouble(c.count, c.w, c.h), c.min) << c.count << " in double";
  }
  // 12, 48, ..., 300 on 4:3 sit exactly on a boundary (sqrt(c / r) is a whole
  // number), where the result hangs on rounding; our float arithmetic gives
  // 3 and 15, and the catalogue avoids such amounts.
  EXPECT_EQ(gendata::MinFromCount(12, 160, 120), 3);
  EXPECT_EQ(gendata::MinFromCount(300, 160, 120), 15);
  EXPECT_EQ(gendata::CountFromMin(14, 160, 120), 266);
  EXPECT_EQ(gendata::CountFromMin(4, 160, 120), 20);
}

TEST(DataCatalogue, FollowsTheCatalogueRules) {
  const gendata::Bytes* xml = Pictures().Find("root", "pzls.xml");
  ASSERT_NE(xml, nullptr);
  pugi::xml_parse_result res;
  pugi::xml_document doc = LoadXml(*xml, &res);
  ASSERT_TRUE(res) << res.description();
  pugi::xml_node root = doc.first_child();
  // one chapter per default category caption ("Пазлы 1" … "Пазлы 5"), at most
  // nine (tab id 10 is the saves tab)
  int chapters = 0;
  bool rotTrue = false, rotFalse = false, random = false, lord = false, notFourThree = false, paging = false;
  std::set<std::string> names;
  for (pugi::xml_node ch = root.first_child(); ch; ch = ch.next_sibling()) {
    ++chapters;
    int pictures = 0;
    for (pugi::xml_node pz = ch.first_child(); pz; pz = pz.next_sibling()) {
      ++pictures;
      std::string sm = pz.attribute("adrSm").value(), fm = pz.attribute("adrFm").value();
      SCOPED_TRACE(sm);
      EXPECT_TRUE(names.insert(sm).second);
      const gendata::Bytes* thumbBytes = Pictures().Find("pre", sm);
      const gendata::Bytes* fullBytes = Pictures().Find("low", fm);
      ASSERT_NE(thumbBytes, nullptr);
      ASSERT_NE(fullBytes, nullptr);
      EXPECT_EQ(fm.substr(fm.size() - 4), ".jpg");
      EXPECT_EQ(sm.substr(sm.size() - 4), ".png");
      datatest::Decoded thumb = datatest::Decode(*thumbBytes), full = datatest::Decode(*fullBytes);
      ASSERT_TRUE(thumb.ok && full.ok);
      // the same aspect ratio exactly: piece counts use the thumbnail's size
      EXPECT_EQ(static_cast<long>(thumb.w) * full.h, static_cast<long>(thumb.h) * full.w);
      // A whole picture fits the play area of a 1024 x 768 screen (50
      // pixels inside each edge), where its pieces are laid out at its size.
      EXPECT_LE(full.w, 924);
      EXPECT_LE(full.h, 668);
      EXPECT_GE(full.h, 500) << "large enough to be seen";
      if (thumb.w * 3 != thumb.h * 4) notFourThree = true;
      int amount = pz.attribute("amount").as_int();
      if (amount == 0) {
        random = true;
      } else {
        int m = gendata::MinFromCount(amount, thumb.w, thumb.h);
        EXPECT_GE(m, 3);
        EXPECT_LE(m, 15);
        EXPECT_EQ(m, gendata::MinFromCountDouble(amount, thumb.w, thumb.h));
        if (gendata::CountFromMin(m, thumb.w, thumb.h) >= 200) lord = true;
      }
      (pz.attribute("rot").as_bool() ? rotTrue : rotFalse) = true;
    }
    EXPECT_GE(pictures, 4) << "chapter " << chapters;
    if (pictures > 8) paging = true;
  }
  EXPECT_EQ(chapters, 5);
  EXPECT_TRUE(rotTrue && rotFalse);
  EXPECT_TRUE(random);
  EXPECT_TRUE(lord) << "a picture of 200 or more pieces for the lord trophy";
  EXPECT_TRUE(notFourThree);
  EXPECT_TRUE(paging) << "a chapter of more than 8 pictures shows the page counter";
}

TEST(DataCatalogue, AmountsGiveTheIntendedPiecesAlongTheShorterSide) {
  for (const auto& chapter : gendata::Catalogue())
    for (const gendata::PictureSpec& p : chapter) {
      EXPECT_EQ(static_cast<long>(p.w) * p.th, static_cast<long>(p.h) * p.tw) << p.stem;
      if (p.amount == 0) continue;
      EXPECT_EQ(gendata::MinFromCount(p.amount, p.tw, p.th), p.intendedMin) << p.stem;
    }
}

TEST(DataCatalogue, CellMeasureFindsFlatAndRepeatedPictures) {
  const int w = 400, h = 300;
  std::vector<std::uint8_t> flat(static_cast<size_t>(w) * h * 3, 128), stripes(flat.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) stripes[(static_cast<size_t>(y) * w + x) * 3 + c] = (x % 20 < 10) ? 40 : 220;
  gendata::CellStats f = gendata::MeasureCells(flat.data(), w, h, w * 3, 15);
  EXPECT_EQ(f.cols, 20);
  EXPECT_EQ(f.rows, 15);
  EXPECT_LT(f.minStdDev, 0.01);
  gendata::CellStats s = gendata::MeasureCells(stripes.data(), w, h, w * 3, 15);
  EXPECT_GT(s.minStdDev, 50.0);
  EXPECT_LT(s.minPairDiff, 0.01);  // every cell is the same stripe pattern
}

// For the finest cut (15 pieces along the shorter side) every cell has
// detail and no two cells look nearly alike.
TEST(DataCatalogue, EveryPieceOfEveryPictureIsDistinguishable) {
  // nearly flat: a standard deviation under 4.5 grey levels; nearly alike: a
  // mean difference under 3 levels between the two 4 × 4 grids of averages
  const double kMinStdDev = 4.5, kMinPairDiff = 3.0;
  for (const auto& chapter : gendata::Catalogue())
    for (const gendata::PictureSpec& p : chapter) {
      datatest::Decoded d = datatest::Decode(*Pictures().Find("low", p.stem + ".jpg"));
      ASSERT_TRUE(d.ok) << p.stem;
      std::vector<std::uint8_t> rgb(static_cast<size_t>(d.w) * d.h * 3);
      for (size_t i = 0, n = static_cast<size_t>(d.w) * d.h; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = d.rgba[i * 4 + c];
      gendata::CellStats st = gendata::MeasureCells(rgb.data(), d.w, d.h, d.w * 3, 15);
      std::printf("%s %dx%d cells %dx%d: min std %.2f at (%d,%d), min pair diff %.2f between (%d,%d) and (%d,%d)\n",
                  p.stem.c_str(), d.w, d.h, st.cols, st.rows, st.minStdDev, st.flattest % st.cols, st.flattest / st.cols,
                  st.minPairDiff, st.likeA % st.cols, st.likeA / st.cols, st.likeB % st.cols, st.likeB / st.cols);
      EXPECT_GE(st.minStdDev, kMinStdDev) << p.stem << ": a nearly flat cell";
      EXPECT_GE(st.minPairDiff, kMinPairDiff) << p.stem << ": two nearly alike cells";
    }
}

TEST(DataEditions, FileHasAllSixElementsNoFilesAndBothFlagsTrue) {
  const gendata::Bytes* xml = datatest::Generated({"editions"}).Find("editions", "editions.xml");
  ASSERT_NE(xml, nullptr);
  pugi::xml_parse_result res;
  pugi::xml_document doc = LoadXml(*xml, &res);
  ASSERT_TRUE(res);
  pugi::xml_node root = doc.first_child();
  for (const char* e : {"url_file", "run_if_url_lost", "exe_file", "run_if_exe_lost", "splash1", "splash2"})
    EXPECT_TRUE(root.child(e).attribute("param")) << e;
  EXPECT_STREQ(root.child("url_file").attribute("param").value(), "");
  EXPECT_STREQ(root.child("exe_file").attribute("param").value(), "");
  EXPECT_STREQ(root.child("splash1").attribute("param").value(), "");
  EXPECT_STREQ(root.child("splash2").attribute("param").value(), "");
  EXPECT_TRUE(root.child("run_if_url_lost").attribute("param").as_bool());
  EXPECT_TRUE(root.child("run_if_exe_lost").attribute("param").as_bool());
  EXPECT_EQ(std::string(xml->begin(), xml->end()), GAME::kDefaultEditionsXml)
      << "one default edition text for the game and the pack";
}

}  // namespace
