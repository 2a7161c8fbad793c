// The table of config.xml: numeric settings, colours, the book's layout
// factors and the trophy thresholds, with their built-in values, in the order
// of the default file. Colours are packed ARGB values held in int, so the file
// carries them as signed decimals (0xFF2E4577 is -13744777).
#include "GAME/config/config_tables.h"
#include "GAME/config/globals.h"

namespace GAME::cfg {
namespace {

constexpr double Argb(unsigned long argb) { return static_cast<double>(static_cast<int>(argb)); }

const SettingEntry kSettings[] = {
    // Read when present, never written.
    {nullptr, "product", &chTEXT_PRODUCT_NAME, WriteAs::kNone, 0, ""},
    {nullptr, "company", &chTEXT_COMPANY_NAME, WriteAs::kNone, 0, ""},
    {nullptr, "color_splash", &C_COLOR_SPLASH, WriteAs::kNone, 4278190080.0 /* 0xFF000000 */, nullptr},

    {nullptr, "trofei_enable", &TROFEI_ENABLE, WriteAs::kBool, 1, nullptr},
    {nullptr, "white_splain_extra", &C_WHITE_SPLAIN_EXTRA, WriteAs::kInt, 70, nullptr},
    {nullptr, "font_main_color", &C_FONT_MAIN_COLOR, WriteAs::kInt, Argb(0xFF2E4577ul), nullptr},
    {nullptr, "button_hint_color_border", &PLAY_PANEL_BUTTON_HINT_COLOR_BORDR, WriteAs::kInt, Argb(0xFFFFCC00ul), nullptr},
    {nullptr, "button_hint_color_back", &PLAY_PANEL_BUTTON_HINT_COLOR_BACK, WriteAs::kInt, Argb(0x88FFFFFFul), nullptr},
    {nullptr, "black_transluvent", &BLACK_TRANSLUVENT, WriteAs::kInt, Argb(0x99000010ul), nullptr},
    {nullptr, "button_sokand_cancel_identy", &BUTTONSOKANDCANCELINDENTY, WriteAs::kDouble, 0.45, nullptr},
    {nullptr, "max_save", &C_MAX_SAVES, WriteAs::kInt, 150, nullptr},
    {nullptr, "delete_saves", &C_DELETESAVES, WriteAs::kInt, 0, nullptr},
    {nullptr, "time_for_reset_video_mode", &C_TIME_FOR_RESET_VIDEO_MODE, WriteAs::kDouble, 15.0, nullptr},
    {nullptr, "time_for_show_hint_frame_choise", &C_TIME_FOR_SHOW_HINT_FRAME_CHOISE, WriteAs::kDouble, 0.3, nullptr},
    {nullptr, "color_background_0", &C_COLOR_BACKGROUND_0, WriteAs::kInt, Argb(0xFFFFD5D5ul), nullptr},
    {nullptr, "color_background_1", &C_COLOR_BACKGROUND_1, WriteAs::kInt, Argb(0xFFD4FFC3ul), nullptr},
    {nullptr, "color_background_2", &C_COLOR_BACKGROUND_2, WriteAs::kInt, Argb(0xFF95ABFDul), nullptr},
    {nullptr, "color_background_3", &C_COLOR_BACKGROUND_3, WriteAs::kInt, Argb(0xFFFFFFFFul), nullptr},

    // The book of puzzle packs; max_frame_rotation is written as an integer.
    {"book", "max_frame_rotation", &C_BOOKMAXFRAMEROTATION, WriteAs::kInt, 0, nullptr},
    {"book", "offset_from_page", &offsetfrompage, WriteAs::kInt, 65, nullptr},
    {"book", "size_of_frames_in_percent", &SIZEOFFRAMESINBOOKPSNT, WriteAs::kDouble, 0.6, nullptr},
    {"book", "count_pixel_for_frame", &COUNTPIXELFORFRAMEONBOOK, WriteAs::kInt, 20, nullptr},
    {"book", "count_pixel_for_frames_offset", &C_COUNTPIXELFORFRAMESOFFSET, WriteAs::kInt, -20, nullptr},
    {"book", "frames_extra_boundbox", &C_FRAMES_EXTRA_BOUNDBOX, WriteAs::kDouble, 1.3, nullptr},
    {"book", "opt_size_ULX", &BOOKOPTSIZEULX, WriteAs::kDouble, 0.1, nullptr},
    {"book", "opt_size_ULY", &BOOKOPTSIZEULY, WriteAs::kDouble, 0.15, nullptr},
    {"book", "opt_size_DRX", &BOOKOPTSIZEDRX, WriteAs::kDouble, 0.9, nullptr},
    {"book", "opt_size_DRY", &BOOKOPTSIZEDRY, WriteAs::kDouble, 0.85, nullptr},

    // Trophy thresholds. collector: pieces assembled in total; jigsaw_master:
    // total score; endurence: pieces of one puzzle; meditation: seconds of
    // play (1, 5, 10 and 50 hours); inconstancy: puzzles completed; sage:
    // quick joins within one puzzle.
    {"trofy", "collector_1", &COLLECTOR_1, WriteAs::kInt, 10, nullptr},
    {"trofy", "collector_2", &COLLECTOR_2, WriteAs::kInt, 100, nullptr},
    {"trofy", "collector_3", &COLLECTOR_3, WriteAs::kInt, 1000, nullptr},
    {"trofy", "collector_4", &COLLECTOR_4, WriteAs::kInt, 10000, nullptr},
    {"trofy", "collector_5", &COLLECTOR_5, WriteAs::kInt, 1000000, nullptr},
    {"trofy", "jigsaw_master_1", &JIGSAW_MASTER_1, WriteAs::kInt, 10000, nullptr},
    {"trofy", "jigsaw_master_2", &JIGSAW_MASTER_2, WriteAs::kInt, 100000, nullptr},
    {"trofy", "jigsaw_master_3", &JIGSAW_MASTER_3, WriteAs::kInt, 1000000, nullptr},
    {"trofy", "endurence_1", &ENDURANCE_1, WriteAs::kInt, 10, nullptr},
    {"trofy", "endurence_2", &ENDURANCE_2, WriteAs::kInt, 100, nullptr},
    {"trofy", "endurence_3", &ENDURANCE_3, WriteAs::kInt, 500, nullptr},
    {"trofy", "endurence_4", &ENDURANCE_4, WriteAs::kInt, 1000, nullptr},
    {"trofy", "meditation_1", &MEDITATION_1, WriteAs::kInt, 3600, nullptr},
    {"trofy", "meditation_2", &MEDITATION_2, WriteAs::kInt, 18000, nullptr},
    {"trofy", "meditation_3", &MEDITATION_3, WriteAs::kInt, 36000, nullptr},
    {"trofy", "meditation_4", &MEDITATION_4, WriteAs::kInt, 180000, nullptr},
    {"trofy", "inconstancy_1", &BICH_1, WriteAs::kInt, 1, nullptr},
    {"trofy", "inconstancy_2", &BICH_2, WriteAs::kInt, 5, nullptr},
    {"trofy", "inconstancy_3", &BICH_3, WriteAs::kInt, 10, nullptr},
    {"trofy", "inconstancy_4", &BICH_4, WriteAs::kInt, 20, nullptr},
    {"trofy", "sage_1", &SAGE_1, WriteAs::kInt, 5, nullptr},
    {"trofy", "sage_2", &SAGE_2, WriteAs::kInt, 10, nullptr},
    {"trofy", "sage_3", &SAGE_3, WriteAs::kInt, 15, nullptr},
    {"trofy", "sage_4", &SAGE_4, WriteAs::kInt, 30, nullptr},
    {"trofy", "sage_5", &SAGE_5, WriteAs::kInt, 50, nullptr},
    {"trofy", "sage_6", &SAGE_6, WriteAs::kInt, 100, nullptr},
};

}  // namespace

std::span<const SettingEntry> SettingsTable() { return kSettings; }

}  // namespace GAME::cfg
