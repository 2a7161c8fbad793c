// LoadConfig(): the default files, the built-in values, and how hand-edited
// or hostile files are read.
#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <functional>

#include "GAME/config/config_tables.h"
#include "ST/file.h"
#include "tests/GAME/config/config_test_util.h"

namespace {

using cfgtest::InFreshDir;
using cfgtest::LoadConfigCaptured;
using cfgtest::ReadBytes;
using cfgtest::WriteBytes;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

const char kDefaultConfigXml[] =
    "<?xml version=\"1.0\"?>\n"
    "<config>\n"
    "\t<trofei_enable var=\"true\" />\n"
    "\t<white_splain_extra var=\"70\" />\n"
    "\t<font_main_color var=\"-13744777\" />\n"
    "\t<button_hint_color_border var=\"-13312\" />\n"
    "\t<button_hint_color_back var=\"-1996488705\" />\n"
    "\t<black_transluvent var=\"-1728053232\" />\n"
    "\t<button_sokand_cancel_identy var=\"0.45\" />\n"
    "\t<max_save var=\"150\" />\n"
    "\t<delete_saves var=\"0\" />\n"
    "\t<time_for_reset_video_mode var=\"15\" />\n"
    "\t<time_for_show_hint_frame_choise var=\"0.3\" />\n"
    "\t<color_background_0 var=\"-10795\" />\n"
    "\t<color_background_1 var=\"-2818109\" />\n"
    "\t<color_background_2 var=\"-6968323\" />\n"
    "\t<color_background_3 var=\"-1\" />\n"
    "\t<book>\n"
    "\t\t<max_frame_rotation var=\"0\" />\n"
    "\t\t<offset_from_page var=\"65\" />\n"
    "\t\t<size_of_frames_in_percent var=\"0.6\" />\n"
    "\t\t<count_pixel_for_frame var=\"20\" />\n"
    "\t\t<count_pixel_for_frames_offset var=\"-20\" />\n"
    "\t\t<frames_extra_boundbox var=\"1.3\" />\n"
    "\t\t<opt_size_ULX var=\"0.1\" />\n"
    "\t\t<opt_size_ULY var=\"0.15\" />\n"
    "\t\t<opt_size_DRX var=\"0.9\" />\n"
    "\t\t<opt_size_DRY var=\"0.85\" />\n"
    "\t</book>\n"
    "\t<trofy>\n"
    "\t\t<collector_1 var=\"10\" />\n"
    "\t\t<collector_2 var=\"100\" />\n"
    "\t\t<collector_3 var=\"1000\" />\n"
    "\t\t<collector_4 var=\"10000\" />\n"
    "\t\t<collector_5 var=\"1000000\" />\n"
    "\t\t<jigsaw_master_1 var=\"10000\" />\n"
    "\t\t<jigsaw_master_2 var=\"100000\" />\n"
    "\t\t<jigsaw_master_3 var=\"1000000\" />\n"
    "\t\t<endurence_1 var=\"10\" />\n"
    "\t\t<endurence_2 var=\"100\" />\n"
    "\t\t<endurence_3 var=\"500\" />\n"
    "\t\t<endurence_4 var=\"1000\" />\n"
    "\t\t<meditation_1 var=\"3600\" />\n"
    "\t\t<meditation_2 var=\"18000\" />\n"
    "\t\t<meditation_3 var=\"36000\" />\n"
    "\t\t<meditation_4 var=\"180000\" />\n"
    "\t\t<inconstancy_1 var=\"1\" />\n"
    "\t\t<inconstancy_2 var=\"5\" />\n"
    "\t\t<inconstancy_3 var=\"10\" />\n"
    "\t\t<inconstancy_4 var=\"20\" />\n"
    "\t\t<sage_1 var=\"5\" />\n"
    "\t\t<sage_2 var=\"10\" />\n"
    "\t\t<sage_3 var=\"15\" />\n"
    "\t\t<sage_4 var=\"30\" />\n"
    "\t\t<sage_5 var=\"50\" />\n"
    "\t\t<sage_6 var=\"100\" />\n"
    "\t</trofy>\n"
    "</config>\n";

class LoadConfigTest : public InFreshDir {};

TEST_F(LoadConfigTest, WritesTheThreeDefaultFilesInTheirLayouts) {
  LoadConfigCaptured();

  const std::string resource = ReadBytes("resource.xml");
  EXPECT_EQ(resource.rfind(
                "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<resource>\n<progress_file var=\"Progress.xml\" />\n"
                "<fonts>\n<big_font var=\"Font_big.fnt\" space=\"-8\" />\n",
                0),
            0u);
  EXPECT_NE(resource.find("\n</packs>\n<main_screen>\n<up_panel var=\"up_panel.png\" />\n"), std::string::npos);
  EXPECT_NE(resource.find("\n</particle>\n<cursor var=\"Cursor.png\" />\n<gallery_button var=\"gallery_button.png\" />\n<gui>\n"),
            std::string::npos);
  EXPECT_NE(resource.find("<rotation_text var=\"rotation_text.png\" />\n<play_panel>\n"), std::string::npos);
  EXPECT_NE(resource.find("<tools_off var=\"tools_off.ogg\" />\n</sound>\n</resource>\n"), std::string::npos);
  EXPECT_EQ(resource.find('\t'), std::string::npos);
  EXPECT_EQ(Count(resource, " var=\""), 151);
  EXPECT_EQ(resource.find("fs1"), std::string::npos);

  EXPECT_EQ(ReadBytes("config.xml"), kDefaultConfigXml);

  const std::string strings = ReadBytes("strings.xml");
  EXPECT_EQ(strings.rfind("<?xml version=\"1.0\"?>\n<strings>\n\t<main_header var=\"", 0), 0u);
  EXPECT_EQ(Count(strings, "\n\t<"), 98);
  EXPECT_EQ(Count(strings, "\n\t\t<"), 0);
  EXPECT_NE(strings.find("\t<fs2 var=\"DATA/logo2r.png\" />\n</strings>\n"), std::string::npos);

  namespace fs = std::filesystem;
  EXPECT_LE(fs::last_write_time("resource.xml"), fs::last_write_time("config.xml"));
  EXPECT_LE(fs::last_write_time("config.xml"), fs::last_write_time("strings.xml"));
}

TEST_F(LoadConfigTest, DefaultFilesGiveTheBuiltInValues) {
  LoadConfigCaptured();
  EXPECT_EQ(C_MAX_SAVES, 150);
  EXPECT_EQ(FONT_SPACE_SMALL, -6);
  EXPECT_EQ(FONT_SPACE_BIG, -8);
  EXPECT_EQ(FONT_SPACE_EXPENSE, -8);
  EXPECT_EQ(C_FONT_MAIN_COLOR, static_cast<int>(0xFF2E4577u));
  EXPECT_EQ(BLACK_TRANSLUVENT, static_cast<int>(0x99000010u));
  EXPECT_EQ(PLAY_PANEL_BUTTON_HINT_COLOR_BACK, static_cast<int>(0x88FFFFFFu));
  EXPECT_EQ(C_COLOR_BACKGROUND_3, -1);
  EXPECT_FLOAT_EQ(BUTTONSOKANDCANCELINDENTY, 0.45f);
  EXPECT_FLOAT_EQ(C_TIME_FOR_RESET_VIDEO_MODE, 15.0f);
  EXPECT_FLOAT_EQ(SIZEOFFRAMESINBOOKPSNT, 0.6f);
  EXPECT_FLOAT_EQ(BOOKOPTSIZEDRY, 0.85f);
  EXPECT_EQ(C_COUNTPIXELFORFRAMESOFFSET, -20);
  EXPECT_EQ(COLLECTOR_5, 1000000);
  EXPECT_EQ(JIGSAW_MASTER_3, 1000000);
  EXPECT_EQ(ENDURANCE_3, 500);
  EXPECT_EQ(BICH_4, 20);
  EXPECT_EQ(SAGE_6, 100);
  EXPECT_EQ(MEDITATION_4, 180000);
  EXPECT_TRUE(TROFEI_ENABLE);
  EXPECT_EQ(C_COLOR_SPLASH, 0xFF000000ul);
  EXPECT_STREQ(chTEXT_PRODUCT_NAME, "");
  EXPECT_STREQ(chTEXT_COMPANY_NAME, "");
  EXPECT_EQ(chTEXT_COPYRIGHT1, nullptr);
  EXPECT_EQ(chTEXT_COPYRIGHT2, nullptr);
  EXPECT_EQ(chTEXT_ERROR_MESSAGE_PLAY_URL, nullptr);
  EXPECT_STREQ(chTEXT_ERROR_MESSAGE_RESOLUTION, "");
  EXPECT_STREQ(chTEXT_SETTINGS_GAME_FAST_COLLECTOR, "");
  EXPECT_EQ(COPYRIGHT_POS_X, 0);
  EXPECT_EQ(COPYRIGHT_TITLE_POS_Y, 0);
  EXPECT_STREQ(C_NAME_PROGRESS_FILE, "Progress.xml");
  EXPECT_STREQ(C_NAME_PACK_MUSIC, "DATA/music");
  EXPECT_STREQ(C_NAME_PACK_IMAGE_BIG, "DATA/hi");
  EXPECT_STREQ(C_NAME_PACK_IMAGE_MED, "DATA/mid");
  EXPECT_STREQ(chMAIN_MENU_LENOLIUM, "lenolium.jpg");
  EXPECT_STREQ(chBOOK_5_3, "5-3.png");
  EXPECT_STREQ(chX, "close_button.png");
  EXPECT_STREQ(chSND_BACK_2, "game_02.ogg");
  EXPECT_STREQ(chSND_TOOL_OFF, "tools_off.ogg");
  EXPECT_STREQ(chTEXT_TROFEI_EXTENSION, ".png");
  EXPECT_STREQ(chTEXT_TROFEI_OVERLORD_PATH, "trofi_povelitel.png");
  EXPECT_STREQ(C_SPLASH_LOGO1, "");
  EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок");
  EXPECT_STREQ(chTEXT_MAIN_HEADER, "Добро пожаловать, %s !");
  EXPECT_STREQ(chTEXT_DIALOG_SELECT_RESOLUTION_FULL_HD, "1920x1080");
  EXPECT_STREQ(chTEXT_AUTHORS_COMPANY_1, "Quillmere games");
  EXPECT_STREQ(chTEXT_BOOK_SAVE, "Сохранения");
  EXPECT_EQ(chCATEGORIES_NAMES,
            (std::vector<std::string>{"Пазлы 1", "Пазлы 2", "Пазлы 3", "Пазлы 4", "Пазлы 5"}));
  EXPECT_STREQ(GAME::CategoryCaption(4), "Пазлы 5");
  EXPECT_STREQ(GAME::CategoryCaption(5), "");
  EXPECT_STREQ(C_PAS_GUI, "vexo4");
  EXPECT_STREQ(C_PAS_MUSIC, "tunes.wav");
  EXPECT_STREQ(C_NAME_PACK_EDITION, "DATA/editions");
}

TEST_F(LoadConfigTest, TabsAndLineFeedsSurviveTheDefaultFile) {
  LoadConfigCaptured();
  EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_SCORE, "Очки:\t\t\t%i");
  EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_PIECE, "Частей:\t%i");
  EXPECT_STREQ(chTEXT_FRAME_COMPLEAT, "\nСобрано:\t\t\t%i%%");
  EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_TIME, "Время:\t\t%0*i:%0*i");
  EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_TIME_H, "Время:\t\t%0*i:%0*i:%0*i");
  EXPECT_NE(std::strstr(chTEXT_AUTHORS_PROGRAMMER_NAME, "\n\n"), nullptr);
  // Read a second time from the files now on disk: the same texts.
  LoadConfigCaptured();
  EXPECT_STREQ(chTEXT_FRAME_COMPLEAT, "\nСобрано:\t\t\t%i%%");
}

TEST_F(LoadConfigTest, PrintsTheLoadingStepsAndTheCornerDiagnostic) {
  const std::string out = LoadConfigCaptured();
  const std::size_t start = out.find("RESOURCE LOADING...\n");
  const std::size_t save = out.find("SAVE_DEFAULT_RESOURCE ...\n");
  const std::size_t saved = out.find("SAVE_DEFAULT_RESOURCE   OK\n");
  const std::size_t corner = out.find("\nleft_corner.png  15\n");
  const std::size_t config = out.find("load config...\n");
  const std::size_t strings = out.find("load strings...\n");
  const std::size_t done = out.find("RESOURCE LOADING   OK\n");
  ASSERT_NE(done, std::string::npos) << out;
  EXPECT_LT(start, save);
  EXPECT_LT(save, saved);
  EXPECT_LT(saved, corner);
  EXPECT_LT(corner, config);
  EXPECT_LT(config, strings);
  EXPECT_LT(strings, done);
  // Nothing else goes wrong with the default files.
  EXPECT_EQ(out.find("built-in"), std::string::npos) << out;
}

TEST_F(LoadConfigTest, TheCornerDiagnosticQuotesAHugeValueShortly) {
  // An 8 MiB file name in the eleventh main_screen entry.
  const std::string huge(8u << 20, 'W');
  std::string body = "<progress_file var=\"p\"/><main_screen>";
  for (int i = 0; i < 10; ++i) body += "<e var=\"x.png\"/>";
  body += "<pencils var=\"" + huge + "\"/></main_screen>";
  WriteBytes("resource.xml", "<?xml version=\"1.0\"?><resource>" + body + "</resource>");
  const std::string out = LoadConfigCaptured();
  EXPECT_EQ(std::strlen(chMAIN_MENU_LEFT_CORNER), huge.size()) << "the setting itself is whole";
  EXPECT_NE(out.find("\n" + std::string(200, 'W') + "...  8388608\n"), std::string::npos) << out.substr(0, 2000);
  EXPECT_LT(out.size(), 4096u);
}

TEST_F(LoadConfigTest, AnExistingFileIsNeverRewritten) {
  WriteBytes("config.xml", "<x/>");
  WriteBytes("resource.xml", "<r><progress_file var=\"P.xml\"/></r>");
  const std::string out = LoadConfigCaptured();
  EXPECT_EQ(ReadBytes("config.xml"), "<x/>");
  EXPECT_EQ(ReadBytes("resource.xml"), "<r><progress_file var=\"P.xml\"/></r>");
  EXPECT_EQ(out.find("SAVE_DEFAULT_RESOURCE"), std::string::npos);
  // What the files do not give keeps its built-in value.
  EXPECT_STREQ(C_NAME_PROGRESS_FILE, "P.xml");
  EXPECT_STREQ(C_NAME_PACK_GUI, "DATA/gui");
  EXPECT_EQ(COLLECTOR_1, 10);
  EXPECT_EQ(SAGE_6, 100);
  EXPECT_TRUE(TROFEI_ENABLE);
  EXPECT_EQ(C_COLOR_SPLASH, 0xFF000000ul);
}

TEST_F(LoadConfigTest, UnparsableFilesKeepTheBuiltInValues) {
  WriteBytes("config.xml", "<config><max_save var=\"3\"/><trofy");
  WriteBytes("strings.xml", "");
  const std::string out = LoadConfigCaptured();
  EXPECT_EQ(C_MAX_SAVES, 150);  // the part before the fault is not used
  EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок");
  EXPECT_EQ(chCATEGORIES_NAMES.size(), 5u);
  EXPECT_NE(out.find("config.xml: "), std::string::npos) << out;
  EXPECT_NE(out.find("strings.xml: "), std::string::npos) << out;
  EXPECT_EQ(ReadBytes("strings.xml"), "");
}

// The default files go through a temporary file: a write that fails or is
// cut short by a crash leaves no half file (which, existing, would never be
// rewritten), and the next start writes them whole.
TEST_F(LoadConfigTest, AWriteCutShortLeavesNoHalfFile) {
  ZOV::iFile::SetWriteFaultHookForTests([](const char*) { return false; });
  const std::string out = LoadConfigCaptured();
  ZOV::iFile::SetWriteFaultHookForTests(nullptr);
  EXPECT_TRUE(std::filesystem::is_empty(".")) << "neither a half file nor a temporary one";
  EXPECT_NE(out.find("SAVE_DEFAULT_RESOURCE   FAILED"), std::string::npos) << out;
  EXPECT_NE(out.find("strings.xml: the default file could not be written"), std::string::npos) << out;
  EXPECT_EQ(C_MAX_SAVES, 150);
  EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок");

  EXPECT_EXIT(
      {
        ZOV::iFile::SetWriteFaultHookForTests([](const char*) -> bool { _exit(7); });
        LoadConfig();
      },
      ::testing::ExitedWithCode(7), "");
  EXPECT_FALSE(std::filesystem::exists("resource.xml")) << "the crash left no half file";

  LoadConfigCaptured();
  EXPECT_EQ(ReadBytes("config.xml"), kDefaultConfigXml);
  EXPECT_EQ(Count(ReadBytes("resource.xml"), " var=\""), 151);
}

// A folder nobody may write into: a read-only folder, or for a user whom
// permissions do not stop, a folder of the kernel's process file system.
std::string UnwritableFolder(const std::string& dir) {
  ::chmod(dir.c_str(), 0555);
  const std::string probe = dir + "/probe";
  if (FILE* f = std::fopen(probe.c_str(), "w")) {
    std::fclose(f);
    std::remove(probe.c_str());
    return "/proc";
  }
  return dir;
}

TEST_F(LoadConfigTest, AReadOnlyFolderKeepsTheBuiltInValues) {
  std::filesystem::current_path(UnwritableFolder(dir_));
  const std::string out = LoadConfigCaptured();
  ::chmod(dir_.c_str(), 0755);
  EXPECT_FALSE(std::filesystem::exists("resource.xml"));
  EXPECT_EQ(out.find("SAVE_DEFAULT_RESOURCE   OK"), std::string::npos) << out;
  EXPECT_NE(out.find("SAVE_DEFAULT_RESOURCE   FAILED"), std::string::npos) << out;
  EXPECT_NE(out.find("config.xml: the default file could not be written"), std::string::npos) << out;
  EXPECT_STREQ(C_NAME_PACK_MENU, "DATA/menu");
  EXPECT_STREQ(chBUTTON_OK, "button_ok.png");
  EXPECT_EQ(C_MAX_SAVES, 150);
  EXPECT_EQ(COLLECTOR_2, 100);
  EXPECT_FLOAT_EQ(BUTTONSOKANDCANCELINDENTY, 0.45f);
  EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок");
  EXPECT_STREQ(chTEXT_IMG_CHANGE_SCREEN_COUNT, "Количество кусочков %i");
}

// "1 000 000": how the trophy texts write a threshold.
std::string Grouped(int n) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return out;
}

TEST(TrophyTexts, NameTheBuiltInThresholds) {
  GAME::ApplyConfigDefaults();
  const struct {
    const char* text;
    std::vector<int> thresholds;
  } trophies[] = {
      {chTEXT_TROFEI_COLLECTOR, {COLLECTOR_1, COLLECTOR_2, COLLECTOR_3, COLLECTOR_4, COLLECTOR_5}},
      {chTEXT_TROFEI_JIGSAW_MASTER, {JIGSAW_MASTER_1, JIGSAW_MASTER_2, JIGSAW_MASTER_3}},
      {chTEXT_TROFEI_ENDURANCE, {ENDURANCE_1, ENDURANCE_2, ENDURANCE_3, ENDURANCE_4}},
      {chTEXT_TROFEI_MEDITATION,
       {MEDITATION_1 / 3600, MEDITATION_2 / 3600, MEDITATION_3 / 3600, MEDITATION_4 / 3600}},  // hours
      {chTEXT_TROFEI_BICH, {BICH_1, BICH_2, BICH_3, BICH_4}},
      {chTEXT_TROFEI_SAGE, {SAGE_1, SAGE_2, SAGE_3, SAGE_4, SAGE_5, SAGE_6}},
  };
  for (const auto& t : trophies) {
    const std::string text = t.text;
    std::size_t from = 0;
    for (int n : t.thresholds) {
      // The next whole number n, in order: not part of a longer number.
      const std::string g = Grouped(n);
      auto digit = [&text](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
      std::size_t at = text.find(g, from);
      while (at != std::string::npos &&
             ((at > 0 && digit(at - 1)) || (at > 1 && text[at - 1] == ' ' && digit(at - 2)) ||
              digit(at + g.size()) || (text[at + g.size()] == ' ' && digit(at + g.size() + 1)))) {
        at = text.find(g, at + 1);
      }
      ASSERT_NE(at, std::string::npos) << g << " in " << t.text;
      from = at + g.size();
    }
  }
}

// --- config.xml values -----------------------------------------------------

struct SettingCase {
  const char* name;
  const char* element;  // inside <config>
  std::function<void()> check;
};

// Test listings name a case by its name alone.
void PrintTo(const SettingCase& c, std::ostream* os) { *os << c.name; }

class SettingValues : public InFreshDir, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(SettingValues, AreParsedAsTheirType) {
  WriteBytes("config.xml", std::string("<config>") + GetParam().element + "</config>");
  LoadConfigCaptured();
  GetParam().check();
}

INSTANTIATE_TEST_SUITE_P(
    Config, SettingValues,
    ::testing::Values(
        SettingCase{"SignedColour", "<font_main_color var=\"-13744777\"/>",
                    [] { EXPECT_EQ(C_FONT_MAIN_COLOR, -13744777); }},
        SettingCase{"HexPrefixStopsTheDecimal", "<font_main_color var=\"0xFF2E4577\"/>",
                    [] { EXPECT_EQ(C_FONT_MAIN_COLOR, 0); }},
        SettingCase{"UnsignedColourClamps", "<font_main_color var=\"4294967295\"/>",
                    [] { EXPECT_EQ(C_FONT_MAIN_COLOR, INT_MAX); }},
        SettingCase{"MissingAttributeIsZero", "<max_save/>", [] { EXPECT_EQ(C_MAX_SAVES, 0); }},
        SettingCase{"HexSplash", "<color_splash var=\"FF2E4577\"/>",
                    [] { EXPECT_EQ(C_COLOR_SPLASH, 0xFF2E4577ul); }},
        SettingCase{"NonHexSplash", "<color_splash var=\"zz\"/>", [] { EXPECT_EQ(C_COLOR_SPLASH, 0ul); }},
        SettingCase{"BoolYes", "<trofei_enable var=\"yes\"/>", [] { EXPECT_TRUE(TROFEI_ENABLE); }},
        SettingCase{"BoolTrue", "<trofei_enable var=\"True\"/>", [] { EXPECT_TRUE(TROFEI_ENABLE); }},
        SettingCase{"BoolOne", "<trofei_enable var=\"1\"/>", [] { EXPECT_TRUE(TROFEI_ENABLE); }},
        SettingCase{"BoolOn", "<trofei_enable var=\"on\"/>", [] { EXPECT_FALSE(TROFEI_ENABLE); }},
        SettingCase{"BoolZero", "<trofei_enable var=\"0\"/>", [] { EXPECT_FALSE(TROFEI_ENABLE); }},
        SettingCase{"BoolEmpty", "<trofei_enable var=\"\"/>", [] { EXPECT_FALSE(TROFEI_ENABLE); }},
        SettingCase{"FloatInBook", "<book><max_frame_rotation var=\"12.5\"/></book>",
                    [] { EXPECT_FLOAT_EQ(C_BOOKMAXFRAMEROTATION, 12.5f); }},
        SettingCase{"FloatBeyondAnyFloatKeepsBuiltIn", "<button_sokand_cancel_identy var=\"1e40\"/>",
                    [] { EXPECT_FLOAT_EQ(BUTTONSOKANDCANCELINDENTY, 0.45f); }},
        SettingCase{"NotANumberKeepsBuiltIn",
                    "<time_for_reset_video_mode var=\"nan\"/><book><opt_size_ULX var=\"-inf\"/></book>",
                    [] {
                      EXPECT_FLOAT_EQ(C_TIME_FOR_RESET_VIDEO_MODE, 15.0f);
                      EXPECT_FLOAT_EQ(BOOKOPTSIZEULX, 0.1f);
                    }},
        SettingCase{"ThresholdByNameInItsGroup", "<trofy><sage_2 var=\"7\"/></trofy><sage_3 var=\"9\"/>",
                    [] {
                      EXPECT_EQ(SAGE_2, 7);
                      EXPECT_EQ(SAGE_3, 15);  // outside its group: not read
                      EXPECT_EQ(SAGE_1, 5);
                    }},
        SettingCase{"FourthInconstancy", "<trofy><inconstancy_4 var=\"44\"/></trofy>",
                    [] { EXPECT_EQ(BICH_4, 44); }},
        SettingCase{"ProductAndCompany", "<product var=\"Пазлы\"/><company var=\"Quillmere\"/>",
                    [] {
                      EXPECT_STREQ(chTEXT_PRODUCT_NAME, "Пазлы");
                      EXPECT_STREQ(chTEXT_COMPANY_NAME, "Quillmere");
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- resource.xml groups -----------------------------------------------------

struct ResourceCase {
  const char* name;
  const char* body;  // inside the root
  std::function<void()> check;
};

// Test listings name a case by its name alone.
void PrintTo(const ResourceCase& c, std::ostream* os) { *os << c.name; }

class ResourceGroups : public InFreshDir, public ::testing::WithParamInterface<ResourceCase> {};

TEST_P(ResourceGroups, FillByPosition) {
  WriteBytes("resource.xml",
             std::string("<?xml version=\"1.0\"?><resource>") + GetParam().body + "</resource>");
  LoadConfigCaptured();
  GetParam().check();
}

INSTANTIATE_TEST_SUITE_P(
    Resource, ResourceGroups,
    ::testing::Values(
        ResourceCase{"ShortPacksGroup",
                     "<progress_file var=\"p\"/><packs><a var=\"A\"/><b var=\"B\"/><c var=\"C\"/></packs>",
                     [] {
                       EXPECT_STREQ(C_NAME_PACK_LOADING, "A");
                       EXPECT_STREQ(C_NAME_PACK_MENU, "B");
                       EXPECT_STREQ(C_NAME_PACK_BOOK, "C");
                       EXPECT_STREQ(C_NAME_PACK_LEVEL, "DATA/level");  // not reached: built in
                       EXPECT_STREQ(C_NAME_PACK_IMAGE_MED, "DATA/mid");
                     }},
        ResourceCase{"SwappedButtons",
                     "<progress_file var=\"p\"/><gui><cancel_button var=\"button_cancel.png\"/>"
                     "<ok_button var=\"button_ok.png\"/></gui>",
                     [] {
                       EXPECT_STREQ(chBUTTON_OK, "button_cancel.png");
                       EXPECT_STREQ(chBUTTON_CANCEL, "button_ok.png");
                     }},
        ResourceCase{"RenamedEntries",
                     "<progress_file var=\"p\"/><gui><a var=\"1.png\"/><b var=\"2.png\"/><c var=\"3.png\"/></gui>",
                     [] {
                       EXPECT_STREQ(chBUTTON_OK, "1.png");
                       EXPECT_STREQ(chBUTTON_CANCEL, "2.png");
                       EXPECT_STREQ(chBUTTONFLAT, "3.png");
                     }},
        ResourceCase{"ProgressFileIsTheFirstChild",
                     "<fonts><big_font var=\"F.fnt\" space=\"3\"/></fonts><progress_file var=\"late.xml\"/>",
                     [] {
                       EXPECT_STREQ(C_NAME_PROGRESS_FILE, "");  // <fonts> has no var
                       EXPECT_STREQ(chFONT_BIG, "F.fnt");
                       EXPECT_EQ(FONT_SPACE_BIG, 3);
                     }},
        ResourceCase{"FontWithoutSpacing",
                     "<progress_file var=\"p\"/><fonts><a var=\"a.fnt\" space=\"2\"/><b var=\"b.fnt\"/></fonts>",
                     [] {
                       EXPECT_EQ(FONT_SPACE_BIG, 2);
                       EXPECT_STREQ(chFONT_COMIX, "b.fnt");
                       EXPECT_EQ(FONT_SPACE_SMALL, 0);
                       EXPECT_EQ(FONT_SPACE_LOADING, -8);  // not reached: built in
                     }},
        ResourceCase{"ExtraEntriesIgnored",
                     "<progress_file var=\"p\"/><author_screen><a var=\"x.png\"/><b var=\"y.png\"/></author_screen>",
                     [] { EXPECT_STREQ(chAUTOR_PIC, "x.png"); }},
        ResourceCase{"SingleElementsByName",
                     "<progress_file var=\"p\"/><rotation_text var=\"r.png\"/><cursor var=\"c.png\"/>",
                     [] {
                       EXPECT_STREQ(chROTATION_TEXT, "r.png");
                       EXPECT_STREQ(chCURNAME, "c.png");
                     }},
        ResourceCase{"SplashLogos", "<progress_file var=\"p\"/><fs1 var=\"one.png\"/>",
                     [] {
                       EXPECT_STREQ(C_SPLASH_LOGO1, "one.png");
                       EXPECT_STREQ(C_SPLASH_LOGO2, "");
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- strings.xml -------------------------------------------------------------

struct StringsCase {
  const char* name;
  const char* body;  // inside <strings>
  std::function<void(const std::string& out)> check;
};

// Test listings name a case by its name alone.
void PrintTo(const StringsCase& c, std::ostream* os) { *os << c.name; }

class StringsFile : public InFreshDir, public ::testing::WithParamInterface<StringsCase> {};

TEST_P(StringsFile, IsReadSafely) {
  WriteBytes("strings.xml", std::string("<?xml version=\"1.0\"?><strings>") + GetParam().body + "</strings>");
  GetParam().check(LoadConfigCaptured());
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StringsFile,
    ::testing::Values(
        StringsCase{"OptionalElements",
                    "<copyright1 var=\"c\"/><copyright_title var=\"t\" x=\"5\" y=\"-40\"/>"
                    "<error_play_url var=\"e\"/><error_resolution var=\"small\"/><game_fast_collector var=\"f\"/>",
                    [](const std::string&) {
                      EXPECT_STREQ(chTEXT_COPYRIGHT1, "c");
                      EXPECT_EQ(COPYRIGHT_POS_X, 0);
                      EXPECT_EQ(COPYRIGHT_POS_Y, 0);
                      EXPECT_STREQ(chTEXT_COPYRIGHT2, "t");
                      EXPECT_EQ(COPYRIGHT_TITLE_POS_X, 5);
                      EXPECT_EQ(COPYRIGHT_TITLE_POS_Y, -40);
                      EXPECT_STREQ(chTEXT_ERROR_MESSAGE_PLAY_URL, "e");
                      EXPECT_STREQ(chTEXT_ERROR_MESSAGE_RESOLUTION, "small");
                      EXPECT_STREQ(chTEXT_SETTINGS_GAME_FAST_COLLECTOR, "f");
                    }},
        StringsCase{"CategoryGroup",
                    "<book_category><a var=\"X\"/><b var=\"Y\"/><c var=\"Z\"/></book_category>"
                    "<book_category_0 var=\"flat\"/>",
                    [](const std::string&) {
                      EXPECT_EQ(chCATEGORIES_NAMES, (std::vector<std::string>{"X", "Y", "Z"}));
                    }},
        StringsCase{"FlatCategoriesUntilAGap",
                    "<book_category_0 var=\"A\"/><book_category_1 var=\"B\"/><book_category_3 var=\"D\"/>",
                    [](const std::string&) {
                      EXPECT_EQ(chCATEGORIES_NAMES, (std::vector<std::string>{"A", "B"}));
                    }},
        StringsCase{"SplashLogosAreNotReadHere", "<fs1 var=\"x.png\"/>",
                    [](const std::string&) { EXPECT_STREQ(C_SPLASH_LOGO1, ""); }},
        StringsCase{"GoodTextsAreTaken",
                    "<change_screen_count var=\"Кусочков: %d\"/><main_header var=\"Привет, %s\"/>"
                    "<frame_compleat var=\"%3i%%\"/><score_board_item_time var=\"%02i:%0*i\"/>"
                    "<score_board_item_time_h var=\"%*i:%*i:%*i\"/><default_player_name var=\"Маша\"/>",
                    [](const std::string& out) {
                      EXPECT_STREQ(chTEXT_IMG_CHANGE_SCREEN_COUNT, "Кусочков: %d");
                      EXPECT_STREQ(chTEXT_MAIN_HEADER, "Привет, %s");
                      EXPECT_STREQ(chTEXT_FRAME_COMPLEAT, "%3i%%");
                      EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_TIME, "Время:\t\t%0*i:%0*i");  // 3 args, not 4
                      EXPECT_STREQ(chTEXT_SCORE_BOARD_ITEM_TIME_H, "%*i:%*i:%*i");
                      EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Маша");
                      EXPECT_NE(out.find("\"score_board_item_time\" does not match its format (%i%i%i%i)"),
                                std::string::npos) << out;
                    }},
        StringsCase{"HostileFormatsFallBack",
                    "<change_screen_count var=\"%s %s\"/><change_screen_distort var=\"%n\"/>"
                    "<main_header var=\"Привет\"/><score_up var=\"%i %i\"/><faq_header var=\"100%\"/>"
                    "<settings_header var=\"%ld\"/><exit_game var=\"%1$s\"/><lider_board_header var=\"%99999i\"/>"
                    "<copyright1 var=\"%s\" x=\"4\"/><book_category><a var=\"50% скидка\"/><b var=\"ok\"/></book_category>",
                    [](const std::string& out) {
                      EXPECT_STREQ(chTEXT_IMG_CHANGE_SCREEN_COUNT, "Количество кусочков %i");
                      EXPECT_STREQ(chTEXT_IMG_CHANGE_SCREEN_DISTORT, "Искажение %i");
                      EXPECT_STREQ(chTEXT_MAIN_HEADER, "Добро пожаловать, %s !");
                      EXPECT_STREQ(chTEXT_PUZZLE_SCORE_UP, "Очки: %i");
                      EXPECT_STREQ(chTEXT_FAQ_HEADER, "Как играть");
                      EXPECT_STREQ(chTEXT_SETTINGS_GAME_HEADER, "Настройки игры");
                      EXPECT_STREQ(chTEXT_EXIT_GAME, "Вы действительно хотите\nвыйти?");
                      EXPECT_STREQ(chTEXT_LIDER_BOARD_HEADER, "Лучшие игроки");
                      EXPECT_EQ(chTEXT_COPYRIGHT1, nullptr);
                      EXPECT_EQ(COPYRIGHT_POS_X, 0);
                      EXPECT_EQ(chCATEGORIES_NAMES, (std::vector<std::string>{"Пазлы 1", "ok"}));
                      EXPECT_NE(out.find("strings.xml: \"change_screen_count\" does not match its format (%i); "
                                         "built-in text used"),
                                std::string::npos) << out;
                    }},
        StringsCase{"PlainTextsAreShownAsTheyAre",
                    "<dialog_win_yes var=\"100% да\"/><error_play_url var=\"%s нет play.url\"/>",
                    [](const std::string&) {
                      EXPECT_STREQ(chTEXT_DIALOG_WIN_YES, "100% да");
                      EXPECT_STREQ(chTEXT_ERROR_MESSAGE_PLAY_URL, "%s нет play.url");
                    }},
        // The exit question is asked in the menu (leaving the game) and in
        // play (leaving the puzzle); the pocket's button is top-left.
        StringsCase{"DefaultTextsAreTrueWhereTheyShow", "",
                    [](const std::string&) {
                      const std::string exitText = chTEXT_EXIT_GAME, pocket = chTEXT_FAQ_POCKET;
                      EXPECT_EQ(exitText.find("игры"), std::string::npos) << exitText;
                      EXPECT_EQ(pocket.find("внизу"), std::string::npos) << pocket;
                      EXPECT_NE(pocket.find("в левом верхнем углу"), std::string::npos) << pocket;
                    }},
        StringsCase{"EmptyPlayerName", "<default_player_name var=\"\"/>",
                    [](const std::string& out) {
                      EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок");
                      EXPECT_NE(out.find("\"default_player_name\" is not a usable folder name"), std::string::npos);
                    }},
        StringsCase{"PathInPlayerName", "<default_player_name var=\"../../etc\"/>",
                    [](const std::string&) { EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок"); }},
        StringsCase{"DotPlayerName", "<default_player_name var=\"..\"/>",
                    [](const std::string&) { EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок"); }},
        StringsCase{"ControlCharacterInPlayerName", "<default_player_name var=\"a&#9;b\"/>",
                    [](const std::string&) { EXPECT_STREQ(chTEXT_DEFAULT_NAME, "Игрок"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
