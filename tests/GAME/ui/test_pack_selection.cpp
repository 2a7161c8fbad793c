// The one pack-selection guard: it selects a pack for its scope and puts
// back what was selected before, so guards nest. The trap it closes: the
// board's Init selects packs of its own inside the caller's, and a load the
// caller makes after Init must still read the caller's pack.
#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <string>
#include <vector>

#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/sprite.h"
#include "tests/support/board_env.h"
#include "tests/support/test_env.h"

namespace {

char kOuter[] = "outer.pack";
char kOuterPass[] = "outer1";
char kInner[] = "inner.pack";
char kInnerPass[] = "inner1";

TEST(PackSelection, EachScopePutsBackWhatWasSelectedBefore) {
  ASSERT_EQ(ZOV::ifile.current_pack, nullptr);
  {
    GAME::PackSelection outer(kOuter, kOuterPass);
    EXPECT_EQ(ZOV::ifile.current_pack, kOuter);
    EXPECT_EQ(ZOV::ifile.current_pass, kOuterPass);
    {
      GAME::PackSelection inner(kInner, kInnerPass);
      EXPECT_EQ(ZOV::ifile.current_pack, kInner);
      EXPECT_EQ(ZOV::ifile.current_pass, kInnerPass);
      {
        GAME::PackSelection plainFiles(nullptr, nullptr);
        EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
        EXPECT_EQ(ZOV::ifile.current_pass, nullptr);
      }
      EXPECT_EQ(ZOV::ifile.current_pack, kInner);
      EXPECT_EQ(ZOV::ifile.current_pass, kInnerPass);
    }
    EXPECT_EQ(ZOV::ifile.current_pack, kOuter);
    EXPECT_EQ(ZOV::ifile.current_pass, kOuterPass);
  }
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr) << "at the top level the end of the scope clears the selection";
  EXPECT_EQ(ZOV::ifile.current_pass, nullptr);
}

class PackAroundTheBoard : public boardtest::BoardEnv {
 protected:
  struct Entry {
    const char* name;
    int w, h;
  };
  // A pack of `name` holding a picture of each entry's size, none of them
  // left among the plain files.
  static void WritePack(const char* name, const char* password, std::initializer_list<Entry> entries) {
    int error = 0;
    zip_t* za = zip_open(name, ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr);
    std::vector<std::string> kept;  // libzip reads the buffers when the pack closes
    kept.reserve(entries.size());
    for (const Entry& e : entries) {
      drawtest::WriteImage("pack_source.bmp", e.w, e.h, 0xFF884422u);
      kept.push_back(testenv::ReadFile("pack_source.bmp"));
      std::remove("pack_source.bmp");
      zip_source_t* src = zip_source_buffer(za, kept.back().data(), kept.back().size(), 0);
      const zip_int64_t i = zip_file_add(za, e.name, src, ZIP_FL_OVERWRITE);
      ASSERT_GE(i, 0);
      ASSERT_EQ(zip_file_set_encryption(za, zip_uint64_t(i), ZIP_EM_TRAD_PKWARE, password), 0);
    }
    ASSERT_EQ(zip_close(za), 0);
  }
};

TEST_F(PackAroundTheBoard, ALoadAfterTheBoardsInitStillReadsTheCallersPack) {
  WritePack(kOuter, kOuterPass, {{"in_pack.bmp", 300, 300}, {"after_init.bmp", 120, 80}});
  ASSERT_FALSE(ZOV::ifile.CheckFileExist("after_init.bmp")) << "the picture is only in the pack";
  board = std::make_unique<boardtest::Board>(&game());
  {
    GAME::PackSelection pictures(kOuter, kOuterPass);
    board->Init("in_pack.bmp", 3, 0, nullptr, false, 0.0f, 0);
    EXPECT_EQ(board->ImgPkAdr, kOuter);
    EXPECT_EQ(ZOV::ifile.current_pack, kOuter) << "Init leaves the caller's selection as it found it";
    JSPRITE after("after_init.bmp", 0);
    EXPECT_EQ(after.imageSize.x, 120) << "a load after Init reads the caller's pack";
    EXPECT_EQ(after.imageSize.y, 80);
  }
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
}

}  // namespace
