// The generated interface images: every name of the default configuration
// is there with its exact case in its pack folder, decodes, and has the
// layout its consumer expects (four frames, two halves, four quarters,
// tiles that repeat without a seam).
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <set>

#include "GAME/config/player_record.h"
#include "tests/tools/test_data_support.h"

namespace {

enum Layout { kPlain, k4F, k2H, k4Q, kTile };

struct Entry {
  const char* folder;
  const char* name;
  Layout layout;
};

const Entry kInventory[] = {
    {"loading", "loadwin.png", kPlain},
    {"menu", "QSadow.png", kPlain},
    {"menu", "white_plain.png", kPlain},
    {"menu", "Cursor.png", kPlain},
    {"menu", "complit_rotation.png", kPlain},
    {"menu", "complit_no_rotation.png", kPlain},
    {"menu", "change_player.png", kPlain},
    {"menu", "up_panel.png", kPlain},
    {"menu", "menu_panel.png", kPlain},
    {"menu", "settings_button.png", k4F},
    {"menu", "compleate_button.png", k4F},
    {"menu", "play_button.png", k4F},
    {"menu", "cut_button.png", k4F},
    {"menu", "exit_button.png", k4F},
    {"menu", "top_button.png", k4F},
    {"menu", "trophy_button.png", k4F},
    {"menu", "lenolium.jpg", kTile},
    {"menu", "Border.png", kPlain},
    {"menu", "left_corner.png", kPlain},
    {"menu", "right_corner.png", kPlain},
    {"menu", "gallery_button.png", k4F},
    {"menu", "button_right.png", k4F},
    {"menu", "button_left.png", k4F},
    {"menu", "button_trash.png", k4F},
    {"book", "2-2.png", kTile},
    {"book", "4-2.png", kTile},
    {"level", "score_panel.png", kPlain},
    {"level", "PlayPanel.png", kPlain},
    {"level", "exit_button.png", k4F},
    {"level", "button_border.png", k4F},
    {"level", "button_ghost.png", k4F},
    {"level", "button_hint.png", k4F},
    {"level", "button_image.png", k4F},
    {"level", "button_sort.png", k4F},
    {"level", "button_magnifier.png", k4F},
    {"level", "settings_button.png", k4F},
    {"level", "x1_button.png", k4F},
    {"level", "x2_button.png", k4F},
    {"level", "x3_button.png", k4F},
    {"level", "close_button.png", k4F},
    {"pocket", "button_pocket.png", k4F},
    {"pocket", "pocket2-2.png", kPlain},
    {"pocket", "pocket1-2.png", kPlain},
    {"pocket", "pocket2-1.png", kPlain},
    {"pocket", "pocket1-1.png", kTile},
    {"gui", "button_ok.png", k4F},
    {"gui", "button_cancel.png", k4F},
    {"gui", "button_flat.png", k4F},
    {"gui", "slider_left.png", k4F},
    {"gui", "slider_right.png", k4F},
    {"gui", "slider_3.png", k4Q},
    {"gui", "checkbox_button.png", k2H},
    {"gui", "check_rotate.png", k2H},
    {"gui", "window_mini.png", kPlain},
    {"gui", "window_standart.png", kPlain},
    {"gui", "window_standart_2_2.png", kTile},
    {"gui", "players_fon.png", kPlain},
    {"gui", "players_stroke.png", kPlain},
    {"gui", "Names_back.jpg", kPlain},
    {"gui", "edit_name_box.png", kPlain},
    {"gui", "violin.png", kPlain},
    {"gui", "gear.png", kPlain},
    {"gui", "fortepiano.png", kPlain},
    {"gui", "select_fon.png", kPlain},
    {"gui", "trofi_fon.png", kPlain},
    {"gui", "zoom.png", kPlain},
    {"gui", "complit_tablica.png", kPlain},
    {"gui", "score_fon.png", kPlain},
    {"gui", "liderboard_fon.png", kPlain},
    {"gui", "liderboard_tablica.png", kPlain},
    {"gui", "under_table.png", kPlain},
    {"gui", "ExitQ.png", kPlain},
    {"gui", "window_save_fon.png", kPlain},
    {"gui", "avtor_fon.png", kPlain},
    {"gui", "windows_FAQ_fon1.png", kPlain},
    {"gui", "windows_FAQ_fon2.png", kPlain},
    {"gui", "windows_FAQ_fon3.png", kPlain},
    {"gui", "rotation_text.png", kPlain},
    {"effects", "bonus.png", kPlain},
    {"effects", "1trackbar_but.png", kPlain},
    {"effects", "ice_piece.png", kPlain},
    {"effects", "cursor_stars1.png", kPlain},
};

const gendata::Bytes* Find(const char* folder, const std::string& name) {
  return datatest::Art().Find(folder, name);
}

datatest::Decoded Load(const char* folder, const std::string& name) {
  const gendata::Bytes* b = Find(folder, name);
  if (!b) return {};
  return datatest::Decode(*b);
}

// Mean absolute difference of two pixel columns (or rows), 0..255.
double ColumnDiff(const datatest::Decoded& d, int xa, int xb) {
  double sum = 0;
  for (int y = 0; y < d.h; ++y)
    for (int c = 0; c < 4; ++c) sum += std::abs(d.At(xa, y)[c] - d.At(xb, y)[c]);
  return sum / (d.h * 4.0);
}
double RowDiff(const datatest::Decoded& d, int ya, int yb) {
  double sum = 0;
  for (int x = 0; x < d.w; ++x)
    for (int c = 0; c < 4; ++c) sum += std::abs(d.At(x, ya)[c] - d.At(x, yb)[c]);
  return sum / (d.w * 4.0);
}

bool FramesDiffer(const datatest::Decoded& d, int fw, int a, int b) {
  for (int y = 0; y < d.h; ++y)
    for (int x = 0; x < fw; ++x)
      if (std::memcmp(d.At(a * fw + x, y), d.At(b * fw + x, y), 4) != 0) return true;
  return false;
}

// Mean brightness of the visible pixels of frame i.
double FrameLight(const datatest::Decoded& d, int fw, int i) {
  double sum = 0, weight = 0;
  for (int y = 0; y < d.h; ++y)
    for (int x = i * fw; x < (i + 1) * fw; ++x) {
      const std::uint8_t* p = d.At(x, y);
      double a = p[3] / 255.0;
      sum += a * (p[0] + p[1] + p[2]) / 3.0;
      weight += a;
    }
  return weight > 0 ? sum / weight : 0;
}

void CheckEntry(const Entry& e) {
  const gendata::Bytes* bytes = Find(e.folder, e.name);
  ASSERT_NE(bytes, nullptr) << e.folder << "/" << e.name;
  // the format follows the name: JPEG for ".jpg", PNG for ".png"
  std::string n = e.name;
  ASSERT_GT(bytes->size(), 8u);
  if (n.substr(n.size() - 4) == ".jpg")
    EXPECT_TRUE((*bytes)[0] == 0xFF && (*bytes)[1] == 0xD8) << n;
  else
    EXPECT_TRUE((*bytes)[0] == 0x89 && (*bytes)[1] == 'P' && (*bytes)[2] == 'N' && (*bytes)[3] == 'G') << n;
  datatest::Decoded d = Load(e.folder, e.name);
  ASSERT_TRUE(d.ok) << e.name << ": " << IMG_GetError();
  EXPECT_GT(d.w, 0);
  EXPECT_GT(d.h, 0);
  switch (e.layout) {
    case k4F: {
      ASSERT_EQ(d.w % 4, 0) << e.name;
      int fw = d.w / 4;
      for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) EXPECT_TRUE(FramesDiffer(d, fw, a, b)) << e.name << " frames " << a << "," << b;
      // hover is lighter than normal, pressed darker
      EXPECT_GT(FrameLight(d, fw, 1), FrameLight(d, fw, 0)) << e.name;
      EXPECT_LT(FrameLight(d, fw, 2), FrameLight(d, fw, 0)) << e.name;
      break;
    }
    case k2H:
      EXPECT_EQ(d.w % 2, 0) << e.name;
      EXPECT_EQ(d.w / 2, d.h) << e.name << ": square halves";
      break;
    case k4Q:
      EXPECT_EQ(d.w % 4, 0) << e.name;
      EXPECT_EQ(d.w / 4, d.h) << e.name << ": square quarters, grab radius h/2";
      break;
    case kTile: {
      // the wrap from the last column to the first is no worse than the
      // roughest step inside the image
      double worstX = 0, worstY = 0;
      for (int x = 0; x + 1 < d.w; ++x) worstX = std::max(worstX, ColumnDiff(d, x, x + 1));
      for (int y = 0; y + 1 < d.h; ++y) worstY = std::max(worstY, RowDiff(d, y, y + 1));
      EXPECT_LE(ColumnDiff(d, d.w - 1, 0), worstX + 1.0) << e.name;
      EXPECT_LE(RowDiff(d, d.h - 1, 0), worstY + 1.0) << e.name;
      break;
    }
    case kPlain:
      break;
  }
}

TEST(DataImages, EveryConfiguredNameIsGeneratedDecodesAndHasItsLayout) {
  for (const Entry& e : kInventory) {
    SCOPED_TRACE(std::string(e.folder) + "/" + e.name);
    CheckEntry(e);
  }
}

TEST(DataImages, BookHasAllFifteenTilesThatJoin) {
  // Column 3 is the spine, shared by both pages; the others are 64 square.
  for (int c = 1; c <= 5; ++c)
    for (int r = 1; r <= 3; ++r) {
      std::string name = std::to_string(c) + "-" + std::to_string(r) + ".png";
      datatest::Decoded d = Load("book", name);
      ASSERT_TRUE(d.ok) << name;
      EXPECT_EQ(d.h, 64) << name;
      EXPECT_EQ(d.w, 64) << name;
    }
  // Edges repeat along their length: the top edge 2-1 horizontally, the left
  // edge 1-2 and the spine 3-2 vertically.
  datatest::Decoded top = Load("book", "2-1.png"), left = Load("book", "1-2.png"), spine = Load("book", "3-2.png");
  EXPECT_LT(ColumnDiff(top, top.w - 1, 0), 12.0);
  EXPECT_LT(RowDiff(left, left.h - 1, 0), 12.0);
  EXPECT_LT(RowDiff(spine, spine.h - 1, 0), 12.0);
  // The centre's paper meets the left edge's paper and the spine without a
  // step in brightness.
  datatest::Decoded centre = Load("book", "2-2.png");
  EXPECT_LT(std::abs(centre.At(0, 32)[0] - left.At(left.w - 1, 32)[0]), 16);
  EXPECT_LT(std::abs(centre.At(centre.w - 1, 32)[0] - spine.At(0, 32)[0]), 16);
}

TEST(DataImages, PocketEdgesTileAlongTheirLength) {
  datatest::Decoded bottom = Load("pocket", "pocket1-2.png"), right = Load("pocket", "pocket2-1.png");
  ASSERT_TRUE(bottom.ok && right.ok);
  EXPECT_LT(ColumnDiff(bottom, bottom.w - 1, 0), 12.0);
  EXPECT_LT(RowDiff(right, right.h - 1, 0), 12.0);
}

TEST(DataImages, WhitePlateIsPureOpaqueWhite) {
  datatest::Decoded d = Load("menu", "white_plain.png");
  ASSERT_TRUE(d.ok);
  for (size_t i = 0; i < d.rgba.size(); ++i) ASSERT_EQ(d.rgba[i], 255) << "byte " << i;
}

TEST(DataImages, BoardBackgroundIsLightSoTheTintShows) {
  datatest::Decoded d = Load("gui", "window_standart_2_2.png");
  ASSERT_TRUE(d.ok);
  double sum = 0;
  for (int y = 0; y < d.h; ++y)
    for (int x = 0; x < d.w; ++x) {
      EXPECT_EQ(d.At(x, y)[3], 255);
      sum += d.At(x, y)[0] + d.At(x, y)[1] + d.At(x, y)[2];
    }
  EXPECT_GT(sum / (d.w * d.h * 3.0), 220.0);
}

TEST(DataImages, SizesFitTheirLayouts) {
  struct Size {
    const char* folder;
    const char* name;
    int minW, minH;
  };
  // Window: header 255 px above the centre, win-dialog icons 285 px to each
  // side; text box 400 wide inside the mini window; play-panel buttons from
  // -340 to +306 around its centre; main-menu frames 96 (pitch 1.2 × 0.8 × 96).
  const Size sizes[] = {
      {"gui", "window_standart.png", 650, 560}, {"gui", "window_mini.png", 420, 200},
      {"level", "PlayPanel.png", 760, 64},      {"menu", "play_button.png", 384, 96},
      {"gui", "edit_name_box.png", 400, 50},    {"loading", "loadwin.png", 300, 300},
  };
  for (const Size& s : sizes) {
    datatest::Decoded d = Load(s.folder, s.name);
    ASSERT_TRUE(d.ok) << s.name;
    EXPECT_GE(d.w, s.minW) << s.name;
    EXPECT_GE(d.h, s.minH) << s.name;
  }
  // trophy icons stand 65 px apart in the win dialog
  datatest::Decoded t = Load("trofei", "trofi_master1.png");
  EXPECT_LE(t.h, 64);
  // the player-list stroke's height is the row pitch
  EXPECT_GE(Load("gui", "players_stroke.png").h, 24);
}

// The trophy folder holds one image per level of each graded trophy, as
// many levels as a player's record allows (its highest level per trophy),
// named by the configured stems, and the single lord image: nothing missing
// and nothing more.
TEST(DataImages, TrophyImageForEveryLevel) {
  using Record = GAME::PUZZLE_PLAYER_PROFILE;
  // The default stems of "resource.xml", in the record's trophy order.
  const char* const stems[] = {"trofi_sobiratel",  "trofi_master",         "trofi_terpenie",
                               "trofi_meditaciya", "trofi_nepostoyanstvo", "trofi_mudrec"};
  static_assert(std::size(stems) == Record::LORD, "one stem per graded trophy");
  std::set<std::string> expected = {"trofi_povelitel.png"};
  for (int trophy = Record::COLLECTOR; trophy < Record::LORD; ++trophy)
    for (int level = 1; level <= Record::kTrophyMax[size_t(trophy)]; ++level)
      expected.insert(std::string(stems[trophy]) + std::to_string(level) + ".png");
  std::set<std::string> generated;
  for (const auto& [key, bytes] : datatest::Art().Files())
    if (key.first == "trofei") generated.insert(key.second);
  EXPECT_EQ(generated, expected);
  for (const std::string& name : expected) EXPECT_TRUE(Load("trofei", name).ok) << name;
  // levels look different from each other
  EXPECT_NE(*Find("trofei", "trofi_mudrec1.png"), *Find("trofei", "trofi_mudrec2.png"));
}

TEST(DataImages, NoTwoNamesInAFolderDifferOnlyInCase) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const auto& [key, bytes] : datatest::Art().Files()) {
    std::string lower = key.second;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(seen.insert({key.first, lower}).second) << key.first << "/" << key.second;
  }
}

TEST(DataImages, EveryImageDecodes) {
  int images = 0;
  for (const auto& [key, bytes] : datatest::Art().Files()) {
    const std::string& n = key.second;
    if (n.size() < 4 || (n.compare(n.size() - 4, 4, ".png") != 0 && n.compare(n.size() - 4, 4, ".jpg") != 0)) continue;
    EXPECT_TRUE(datatest::Decode(bytes).ok) << key.first << "/" << n;
    ++images;
  }
  EXPECT_GT(images, 120);
}

}  // namespace
