// The baked default fonts: descriptors that read back the way the game reads
// them, glyph boxes inside their page, the required characters, padding that
// keeps letters apart at the configured spacing, and byte-identical rebakes.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_env.h"
#include "tools/fonts/font_baker.h"
#include "tools/fonts/font_descriptor.h"

namespace {

using fontbake::FontDescriptor;
using fontbake::GlyphRecord;

std::u32string Range(char32_t from, char32_t to) {
  std::u32string s;
  for (char32_t c = from; c <= to; ++c) s += c;
  return s;
}

// What each default font must be, written out independently of the baker.
struct Expected {
  const char* descriptor;
  const char* page;
  int size;
  int spacing;  // what the game draws it with
  std::u32string chars;
};

std::vector<Expected> ExpectedFonts() {
  const std::u32string text = U"\t" + Range(32, 126) + Range(U'А', U'я') + U"Ёё«»—…№";
  return {
      {"Font_big.fnt", "Font_big_0.png", 24, -8, text},
      {"PuzzleComix.fnt", "PuzzleComix_0.png", 20, -6, text},
      {"numbers.fnt", "numbers_0.png", 32, -8, U"0123456789:%x/+- "},
      {"Tahtah.fnt", "Tahtah_0.png", 12, 3, Range(32, 126)},
  };
}

// A page image as RGBA bytes.
struct Page {
  int w = 0, h = 0;
  std::vector<unsigned char> rgba;
  unsigned char Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * w + x) * 4 + 3]; }
};

bool LoadPage(const std::string& path, Page& page) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) return false;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  if (!s) return false;
  page.w = s->w;
  page.h = s->h;
  page.rgba.resize(static_cast<size_t>(s->w) * s->h * 4);
  for (int y = 0; y < s->h; ++y)
    std::copy_n(static_cast<unsigned char*>(s->pixels) + y * s->pitch, s->w * 4,
                page.rgba.begin() + static_cast<size_t>(y) * s->w * 4);
  SDL_FreeSurface(s);
  return true;
}

// Inked columns of a glyph box: [first, last], or first > last when blank.
std::pair<int, int> InkColumns(const Page& p, const GlyphRecord& g) {
  int first = g.width, last = -1;
  for (int c = 0; c < g.width; ++c)
    for (int r = 0; r < g.height; ++r)
      if (p.Alpha(g.x + c, g.y + r) != 0) {
        first = std::min(first, c);
        last = std::max(last, c);
      }
  return {first, last};
}

class BakedFonts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pages_ = new std::string(testenv::FreshDir("baked_pages"));
    root_ = new std::string(testenv::FreshDir("baked_root"));
    std::string error;
    ok_ = fontbake::BakeDefaultFonts(fontbake::kDefaultFacesDir, *pages_, {*pages_, *root_}, error);
    error_ = new std::string(error);
  }
  static void TearDownTestSuite() {
    delete pages_;
    delete root_;
    delete error_;
  }
  void SetUp() override { ASSERT_TRUE(ok_) << *error_; }

  static FontDescriptor Read(const Expected& e) {
    FontDescriptor d;
    std::string error;
    EXPECT_TRUE(fontbake::ReadDescriptor(*pages_ + "/" + e.descriptor, d, error)) << error;
    return d;
  }

  static std::string* pages_;
  static std::string* root_;
  static std::string* error_;
  static bool ok_;
};
std::string* BakedFonts::pages_ = nullptr;
std::string* BakedFonts::root_ = nullptr;
std::string* BakedFonts::error_ = nullptr;
bool BakedFonts::ok_ = false;

TEST_F(BakedFonts, DescriptorsReadBackWithTheirPage) {
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    EXPECT_EQ(d.size, e.size);
    EXPECT_EQ(d.page, e.page);
    EXPECT_EQ(d.count, static_cast<int>(d.glyphs.size()));
    Page page;
    ASSERT_TRUE(LoadPage(*pages_ + "/" + d.page, page)) << IMG_GetError();
    EXPECT_GT(page.w, 0);
    // The game folder and the fonts pack get the same descriptor.
    EXPECT_TRUE(testenv::ReadFile(*root_ + "/" + e.descriptor) == testenv::ReadFile(*pages_ + "/" + e.descriptor));
    // Characters without a glyph advance by the last record: a space.
    ASSERT_NE(d.Head(), nullptr);
    EXPECT_EQ(d.Head()->id, 32);
  }
}

TEST_F(BakedFonts, TheTabIsABlankAsWideAsTheSpace) {
  for (const Expected& e : ExpectedFonts()) {
    if (e.chars.find(U'\t') == std::u32string::npos) continue;
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    Page page;
    ASSERT_TRUE(LoadPage(*pages_ + "/" + d.page, page));
    const GlyphRecord* tab = d.Find('\t');
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->width, d.Find(' ')->width);
    auto [first, last] = InkColumns(page, *tab);
    EXPECT_GT(first, last) << "the tab is blank";
  }
}

TEST_F(BakedFonts, GlyphBoxesLieApartInsideThePageAndNothingElseIsInked) {
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    Page page;
    ASSERT_TRUE(LoadPage(*pages_ + "/" + d.page, page));
    std::vector<char> owner(static_cast<size_t>(page.w) * page.h, 0);
    for (const GlyphRecord& g : d.glyphs) {
      SCOPED_TRACE(g.id);
      ASSERT_GT(g.width, 0);
      ASSERT_GT(g.height, 0);
      ASSERT_GE(g.x, 0);
      ASSERT_GE(g.y, 0);
      ASSERT_LE(g.x + g.width, page.w);
      ASSERT_LE(g.y + g.height, page.h);
      for (int y = g.y; y < g.y + g.height; ++y)
        for (int x = g.x; x < g.x + g.width; ++x) {
          ASSERT_EQ(owner[static_cast<size_t>(y) * page.w + x], 0) << "boxes overlap at " << x << "," << y;
          owner[static_cast<size_t>(y) * page.w + x] = 1;
        }
    }
    int stray = 0, partial = 0;
    for (int y = 0; y < page.h; ++y)
      for (int x = 0; x < page.w; ++x) {
        const unsigned char* px = &page.rgba[(static_cast<size_t>(y) * page.w + x) * 4];
        EXPECT_TRUE(px[0] == 255 && px[1] == 255 && px[2] == 255) << "not white at " << x << "," << y;
        if (px[3] != 0 && !owner[static_cast<size_t>(y) * page.w + x]) ++stray;
        if (px[3] != 0 && px[3] != 255) ++partial;
      }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(partial, 0) << "glyph edges are anti-aliased";
  }
}

TEST_F(BakedFonts, EveryRequiredCharacterHasAGlyph) {
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    for (char32_t c : e.chars) EXPECT_NE(d.Find(static_cast<int>(c)), nullptr) << "U+" << std::hex << +c;
  }
}

TEST_F(BakedFonts, NeighbouringLettersNeverOverlapAtTheConfiguredSpacing) {
  // Drawn at pen p a box covers [p, p + width) and the next box starts at
  // p + width + spacing: the blank columns at the right of any glyph plus
  // those at the left of any other must cover what the spacing takes back.
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    Page page;
    ASSERT_TRUE(LoadPage(*pages_ + "/" + d.page, page));
    int min_left = 1 << 20, min_right = 1 << 20;
    for (const GlyphRecord& g : d.glyphs) {
      EXPECT_GT(g.width + e.spacing, 0) << "glyph " << g.id << " does not advance";
      auto [first, last] = InkColumns(page, g);
      if (first > last) continue;
      min_left = std::min(min_left, first);
      min_right = std::min(min_right, g.width - 1 - last);
    }
    EXPECT_GE(min_left + min_right, std::max(0, -e.spacing));
  }
}

TEST_F(BakedFonts, GlyphInkSitsWithinTheLine) {
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    FontDescriptor d = Read(e);
    Page page;
    ASSERT_TRUE(LoadPage(*pages_ + "/" + d.page, page));
    for (const GlyphRecord& g : d.glyphs)
      for (int r = 0; r < g.height; ++r)
        for (int c = 0; c < g.width; ++c)
          if (page.Alpha(g.x + c, g.y + r) != 0) {
            ASSERT_GE(g.yoffset + r, 0) << "glyph " << g.id;
            ASSERT_LT(g.yoffset + r, e.size) << "glyph " << g.id;
          }
  }
}

TEST_F(BakedFonts, FifteenOfTheWidestLettersFitTheNameBox) {
  // The name dialog's 400-pixel box takes 15 characters of `big`.
  FontDescriptor d = Read(ExpectedFonts()[0]);
  int widest = 0;
  for (char32_t c : Range(U'А', U'я') + Range(U'A', U'Z') + Range(U'a', U'z'))
    widest = std::max(widest, d.Find(static_cast<int>(c))->width - 8);
  EXPECT_LE(15 * widest, 400);
}

TEST_F(BakedFonts, RebakingGivesTheSameBytes) {
  const std::string again = testenv::FreshDir("baked_again");
  std::string error;
  ASSERT_TRUE(fontbake::BakeDefaultFonts(fontbake::kDefaultFacesDir, again, {again}, error)) << error;
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    EXPECT_TRUE(testenv::ReadFile(again + "/" + e.descriptor) == testenv::ReadFile(*pages_ + "/" + e.descriptor));
    EXPECT_TRUE(testenv::ReadFile(again + "/" + e.page) == testenv::ReadFile(*pages_ + "/" + e.page));
  }
}

TEST_F(BakedFonts, TheBuildPlacedTheSameFonts) {
  // The build bakes into gen/fonts (packed into DATA/fonts) and gen/root
  // (copied into the game folder).
  const std::string gen = std::string(JIGSAW_TOOLS_DIR) + "/../gen";
  for (const Expected& e : ExpectedFonts()) {
    SCOPED_TRACE(e.descriptor);
    const std::string want = testenv::ReadFile(*pages_ + "/" + e.descriptor);
    EXPECT_TRUE(testenv::ReadFile(gen + "/root/" + e.descriptor) == want);
    EXPECT_TRUE(testenv::ReadFile(gen + "/fonts/" + e.descriptor) == want);
    EXPECT_TRUE(testenv::ReadFile(gen + "/fonts/" + e.page) == testenv::ReadFile(*pages_ + "/" + e.page));
  }
}

TEST(FontBaker, FailsCleanlyOnAMissingFaceOrCharacter) {
  struct Case {
    const char* face;
    std::vector<char32_t> chars;
    const char* message;
  } cases[] = {
      {"NoSuchFace.ttf", {U'a'}, "cannot open font face"},
      {"DejaVuSans.ttf", {U'a', 0x4E00}, "no glyph for U+4E00"},
  };
  for (const Case& c : cases) {
    fontbake::FontSpec spec{"t.fnt", "t_0.png", c.face, "t", 12, 10, -2, c.chars};
    fontbake::BakedFont font;
    std::string error;
    EXPECT_FALSE(fontbake::BakeFont(spec, fontbake::kDefaultFacesDir, font, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(FontDescriptorReader, ReadsLikeTheGame) {
  const std::string dir = testenv::FreshDir("reader");
  struct Case {
    const char* xml;
    int size;
    const char* page;
    size_t glyphs;
  } cases[] = {
      // Any root and info names; the first child of chars is taken whatever
      // its name, later siblings only when named "char".
      {"<f><i size='14'/><pages><p file='a.png'/></pages><chars count='9'>"
       "<first id='65' width='3'/><char id='66' width='4'/><other id='67'/>"
       "<char id='65' width='7'/></chars></f>",
       14, "a.png", 3},
      {"<font><chars/></font>", 0, "", 0},
  };
  for (const Case& c : cases) {
    std::ofstream(dir + "/d.fnt") << c.xml;
    FontDescriptor d;
    std::string error;
    ASSERT_TRUE(fontbake::ReadDescriptor(dir + "/d.fnt", d, error)) << error;
    EXPECT_EQ(d.size, c.size);
    EXPECT_EQ(d.page, c.page);
    EXPECT_EQ(d.glyphs.size(), c.glyphs);
  }
  FontDescriptor d;
  std::string error;
  std::ofstream(dir + "/d.fnt") << cases[0].xml;
  ASSERT_TRUE(fontbake::ReadDescriptor(dir + "/d.fnt", d, error));
  EXPECT_EQ(d.count, 9);
  EXPECT_EQ(d.Find(65)->width, 7);  // the last record with an id wins
  EXPECT_EQ(d.Find(67), nullptr);
  EXPECT_FALSE(fontbake::ReadDescriptor(dir + "/missing.fnt", d, error));
  EXPECT_NE(error.find("missing.fnt"), std::string::npos);
}

}  // namespace
