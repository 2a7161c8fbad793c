// The table of resource.xml: every pack, font, image and sound name with its
// built-in value, in the order of the default file.
#include "GAME/config/config_tables.h"
#include "GAME/config/globals.h"
#include "GAME/config/pack_table.h"

namespace GAME::cfg {
namespace {

const ResourceEntry k_progress_file[] = {
    {"progress_file", &C_NAME_PROGRESS_FILE, "Progress.xml"},
};
const ResourceEntry k_fonts[] = {
    {"big_font", &chFONT_BIG, "Font_big.fnt", &FONT_SPACE_BIG, -8},
    {"font", &chFONT_COMIX, "PuzzleComix.fnt", &FONT_SPACE_SMALL, -6},
    {"font_loading", &chFONT_LOADING, "Font_big.fnt", &FONT_SPACE_LOADING, -8},
    {"font_expense", &chFONT_EXPENSE, "numbers.fnt", &FONT_SPACE_EXPENSE, -8},
};
// Pack names come from the shared pack table, which the pack builder uses too.
const ResourceEntry k_packs[] = {
    {kPacks[kPackLoading].key, &C_NAME_PACK_LOADING, kPacks[kPackLoading].file},
    {kPacks[kPackMenu].key, &C_NAME_PACK_MENU, kPacks[kPackMenu].file},
    {kPacks[kPackBook].key, &C_NAME_PACK_BOOK, kPacks[kPackBook].file},
    {kPacks[kPackLevel].key, &C_NAME_PACK_LEVEL, kPacks[kPackLevel].file},
    {kPacks[kPackPocket].key, &C_NAME_PACK_POCKET, kPacks[kPackPocket].file},
    {kPacks[kPackGui].key, &C_NAME_PACK_GUI, kPacks[kPackGui].file},
    {kPacks[kPackTrofei].key, &C_NAME_PACK_TROFEI, kPacks[kPackTrofei].file},
    {kPacks[kPackEffects].key, &C_NAME_PACK_EFFECTS, kPacks[kPackEffects].file},
    {kPacks[kPackFonts].key, &C_NAME_PACK_FONTS, kPacks[kPackFonts].file},
    {kPacks[kPackMusic].key, &C_NAME_PACK_MUSIC, kPacks[kPackMusic].file},
    {kPacks[kPackImagePrev].key, &C_NAME_PACK_IMAGE_PREV, kPacks[kPackImagePrev].file},
    {kPacks[kPackImageSmal].key, &C_NAME_PACK_IMAGE_SMAL, kPacks[kPackImageSmal].file},
    {kPacks[kPackImageBig].key, &C_NAME_PACK_IMAGE_BIG, kPacks[kPackImageBig].file},
    {kPacks[kPackImageMed].key, &C_NAME_PACK_IMAGE_MED, kPacks[kPackImageMed].file},
};
const ResourceEntry k_main_screen[] = {
    {"up_panel", &chMAIN_MENU_UP_PANELKA, "up_panel.png"},
    {"menu_panel", &chMAIN_MENU_DWN_PANELKA, "menu_panel.png"},
    {"button_top", &chMAIN_MENU_DWN_PANELKA_TOP, "top_button.png"},
    {"button_trophy", &chBUTTONTROP, "trophy_button.png"},
    {"button_compleat", &chMAIN_MENU_DWN_PANELKA_SCORE, "compleate_button.png"},
    {"button_play", &chMAIN_MENU_DWN_PANELKA_PLAY, "play_button.png"},
    {"button_cut", &chMAIN_MENU_DWN_PANELKA_CUT, "cut_button.png"},
    {"button_exit", &chMAIN_MENU_DWN_PANELKA_EXIT, "exit_button.png"},
    {"button_settings", &chMAIN_MENU_DWN_PANELKA_OPTIONS, "settings_button.png"},
    {"border", &chMAIN_MENU_BORDER, "Border.png"},
    {"pencils", &chMAIN_MENU_LEFT_CORNER, "left_corner.png"},
    {"USB_flash_drive", &chMAIN_MENU_RIGHT_CORNER, "right_corner.png"},
    {"white_plain", &chWhitePlain, "white_plain.png"},
    {"shadow", &chQShadow, "QSadow.png"},
    {"save_delete", &chGUI_BUTTON_TRASH, "button_trash.png"},
    {"next_page", &chGUI_BUTTON_SAVE_RIGHT, "button_right.png"},
    {"prev_page", &chGUI_BUTTON_SAVE_LEFT, "button_left.png"},
    {"linoleum", &chMAIN_MENU_LENOLIUM, "lenolium.jpg"},
};
const ResourceEntry k_book[] = {
    {"b1_1", &chBOOK_1_1, "1-1.png"},
    {"b1_2", &chBOOK_1_2, "1-2.png"},
    {"b1_3", &chBOOK_1_3, "1-3.png"},
    {"b2_1", &chBOOK_2_1, "2-1.png"},
    {"b2_2", &chBOOK_2_2, "2-2.png"},
    {"b2_3", &chBOOK_2_3, "2-3.png"},
    {"b3_1", &chBOOK_3_1, "3-1.png"},
    {"b3_2", &chBOOK_3_2, "3-2.png"},
    {"b3_3", &chBOOK_3_3, "3-3.png"},
    {"b4_1", &chBOOK_4_1, "4-1.png"},
    {"b4_2", &chBOOK_4_2, "4-2.png"},
    {"b4_3", &chBOOK_4_3, "4-3.png"},
    {"b5_1", &chBOOK_5_1, "5-1.png"},
    {"b5_2", &chBOOK_5_2, "5-2.png"},
    {"b5_3", &chBOOK_5_3, "5-3.png"},
};
const ResourceEntry k_particle[] = {
    {"snow", &chPARTIC_SNOW_CURSOR, "1trackbar_but.png"},
    {"blow", &chPARTIC_BLOW_CURSOR, "cursor_stars1.png"},
    {"bonus", &chBONUS, "bonus.png"},
    {"ice", &chPARTIC_ICE_PIECE, "ice_piece.png"},
};
const ResourceEntry k_cursor[] = {
    {"cursor", &chCURNAME, "Cursor.png"},
};
const ResourceEntry k_gallery_button[] = {
    {"gallery_button", &chGALLERY_BUTTON, "gallery_button.png"},
};
const ResourceEntry k_gui[] = {
    {"ok_button", &chBUTTON_OK, "button_ok.png"},
    {"cancel_button", &chBUTTON_CANCEL, "button_cancel.png"},
    {"flat", &chBUTTONFLAT, "button_flat.png"},
    {"slider_plus", &chBUTTONPLUS, "slider_right.png"},
    {"slider_minus", &chBUTTONMINUS, "slider_left.png"},
    {"slider", &chPTNS_GM_SLIDER, "slider_3.png"},
    {"check_box", &chPTNS_GM_CHBOX, "checkbox_button.png"},
    {"window_mini", &chWINDOWMINI, "window_mini.png"},
    {"window", &chSTBACK, "window_standart.png"},
};
const ResourceEntry k_window_trophy[] = {
    {"back", &chTROFEIPIC, "trofi_fon.png"},
    {"magnifer", &chMagnifer, "zoom.png"},
    {"file_extemsion", &chTEXT_TROFEI_EXTENSION, ".png"},
    {"collector", &chTEXT_TROFEI_COLLECTOR_PATH, "trofi_sobiratel"},
    {"jigsaw_master", &chTEXT_TROFEI_JIGSAW_MASTER_PATH, "trofi_master"},
    {"endurence", &chTEXT_TROFEI_ENDURANCE_PATH, "trofi_terpenie"},
    {"meditation", &chTEXT_TROFEI_MEDITATION_PATH, "trofi_meditaciya"},
    {"inconstancy", &chTEXT_TROFEI_BICH_PATH, "trofi_nepostoyanstvo"},
    {"sage", &chTEXT_TROFEI_SAGE_PATH, "trofi_mudrec"},
    {"lord", &chTEXT_TROFEI_OVERLORD_PATH, "trofi_povelitel.png"},
};
const ResourceEntry k_window_liders[] = {
    {"back", &chLIDERPIC, "liderboard_fon.png"},
    {"table", &chLIDERTABLE, "liderboard_tablica.png"},
    {"under_table", &chLIDERUNDER, "under_table.png"},
};
const ResourceEntry k_window_change_player[] = {
    {"back", &chPLAYPLAYERS, "players_fon.png"},
    {"item", &chPLAYERSSTROKE, "players_stroke.png"},
    {"list_back", &chPLAYERSBACK, "Names_back.jpg"},
    {"edit_box", &chEDITBOX, "edit_name_box.png"},
};
const ResourceEntry k_window_settings[] = {
    {"violin", &chVIOLIN, "violin.png"},
    {"gear", &chGEAR, "gear.png"},
    {"fortepiano", &chFORTEPIANO, "fortepiano.png"},
};
const ResourceEntry k_window_scores[] = {
    {"window_scores", &chSCOREFON, "score_fon.png"},
};
const ResourceEntry k_window_change_resolution[] = {
    {"window_change_resolution", &chRESOLUTION_FON, "select_fon.png"},
};
const ResourceEntry k_change_puzzle_screen[] = {
    {"change_puzzle_screen", &chPTNS_GM_CHBOX_ROT, "check_rotate.png"},
};
const ResourceEntry k_exit_question[] = {
    {"exit_question", &chEXITQ, "ExitQ.png"},
};
const ResourceEntry k_save_question[] = {
    {"save_question", &chSAVELOGO, "window_save_fon.png"},
};
const ResourceEntry k_choice_color_back[] = {
    {"choice_color_back", &chFrontColor, "window_standart_2_2.png"},
};
const ResourceEntry k_up_score_punel[] = {
    {"up_score_punel", &chUP_SCORE_PANEL, "score_panel.png"},
};
const ResourceEntry k_change_player[] = {
    {"change_player", &chCHANGE_PLAYER, "change_player.png"},
};
const ResourceEntry k_rotation_text[] = {
    {"rotation_text", &chROTATION_TEXT, "rotation_text.png"},
};
const ResourceEntry k_play_panel[] = {
    {"panel", &chGAME_PLAY_PANEL, "PlayPanel.png"},
    {"exit", &chBUTTONDOOR, "exit_button.png"},
    {"frame", &chBUTTONFRAME, "button_ghost.png"},
    {"hint", &chBUTTONHELP, "button_hint.png"},
    {"image", &chBUTTONFLY, "button_image.png"},
    {"sort", &chBUTTONSORT, "button_sort.png"},
    {"magnifer", &chBUTTONMAG, "button_magnifier.png"},
    {"border", &chBUTTONBORDER, "button_border.png"},
    {"settings", &chBUTTONSETTINGS, "settings_button.png"},
};
const ResourceEntry k_fly_frame[] = {
    {"x1", &chX1, "x1_button.png"},
    {"x2", &chX2, "x2_button.png"},
    {"x3", &chX3, "x3_button.png"},
    {"close", &chX, "close_button.png"},
};
const ResourceEntry k_pocket[] = {
    {"button", &chBTNPOCKET, "button_pocket.png"},
    {"p2_1", &chPOCKETTILEH, "pocket2-1.png"},
    {"p1_2", &chPOCKETTILEW, "pocket1-2.png"},
    {"p1_1", &chPOCKETTILEWH, "pocket1-1.png"},
    {"p2_2", &chPOCKETFIX, "pocket2-2.png"},
};
const ResourceEntry k_level_win[] = {
    {"complit", &chWINPIC, "complit_tablica.png"},
    {"replay", &chBUTTON_REPLAY, "button_replay.png"},
    {"rot_yes", &chROT_YES, "complit_rotation.png"},
    {"rot_no", &chROT_NO, "complit_no_rotation.png"},
};
const ResourceEntry k_loading_screen[] = {
    {"background", &chLOADBACK, "loadwin.png"},
    {"gear", &chLOADSPR, "Loading.png"},
};
const ResourceEntry k_author_screen[] = {
    {"blue_pic", &chAUTOR_PIC, "avtor_fon.png"},
};
const ResourceEntry k_faq_screen[] = {
    {"mouse", &chFAQ_MOUSE, "windows_FAQ_fon2.png"},
    {"pocket", &chFAQ_POCKET, "windows_FAQ_fon1.png"},
    {"mouse_2", &chFAQ_MOUSE_2, "windows_FAQ_fon3.png"},
};
const ResourceEntry k_sound[] = {
    {"button_disabled", &chSND_BUTTON_DISABLED, "button_disabled.ogg"},
    {"button_over", &chSND_BUTTON_OVER, "button_over.ogg"},
    {"button_play_press", &chSND_BUTTON_PLAY, "button_play_press.ogg"},
    {"button_press", &chSND_BUTTON, "button_press.ogg"},
    {"close_pocket", &chSND_CLOSE_POCKET, "close_pocket.ogg"},
    {"element_arrive", &chSND_EL_ARRIVE, "element_arrive.ogg"},
    {"element_connection_high", &chSND_CON_HI, "element_connection_high.ogg"},
    {"element_connection_med", &chSND_CON_MID, "element_connection_med.ogg"},
    {"element_connection_low", &chSND_CON_LOW, "element_connection_low.ogg"},
    {"element_pickup", &chSND_EL_PICK_UP, "element_pickup.ogg"},
    {"element_put", &chSND_EL_PUT, "element_put.ogg"},
    {"element_rotation", &chSND_EL_ROTATION, "element_rotation.ogg"},
    {"element_rotation_wrong", &chSND_EL_ROTAION_WRONG, "element_rotation_wrong.ogg"},
    {"game_01", &chSND_BACK_1, "game_01.ogg"},
    {"game_02", &chSND_BACK_2, "game_02.ogg"},
    {"groups_arrive", &chSND_GROUP_ARRIVE, "groups_arrive.ogg"},
    {"gui_click", &chSND_GUI_CLICK, "gui_click.ogg"},
    {"level_win", &chSND_LEVEL_WIN, "level_win.ogg"},
    {"puzzle_over", &chSND_PUZZLE_OVER, "puzzle_over.ogg"},
    {"puzzle_selection", &chSND_PUZZLE_SELECTION, "puzzle_selection.ogg"},
    {"tools_hint", &chSND_TOOL_HINT, "tools_hint.ogg"},
    {"tools_sort", &chSND_TOOL_SORT, "tools_sort.ogg"},
    {"use_pocket", &chSND_USE_POCKET, "use_pocket.ogg"},
    {"window_close", &chSND_WINDOW_CLOSE, "window_close.ogg"},
    {"window_open", &chSND_WINDOW_OPEN, "window_open.ogg"},
    {"tools_on", &chSND_TOOL_ON, "tools_on.ogg"},
    {"tools_off", &chSND_TOOL_OFF, "tools_off.ogg"},
};
const ResourceEntry k_fs1[] = {
    {"fs1", &C_SPLASH_LOGO1, ""},
};
const ResourceEntry k_fs2[] = {
    {"fs2", &C_SPLASH_LOGO2, ""},
};

const ResourceNode kNodes[] = {
    {"progress_file", ResourceKind::kFirst, k_progress_file},
    {"fonts", ResourceKind::kGroup, k_fonts},
    {"packs", ResourceKind::kGroup, k_packs},
    {"main_screen", ResourceKind::kGroup, k_main_screen},
    {"book", ResourceKind::kGroup, k_book},
    {"particle", ResourceKind::kGroup, k_particle},
    {"cursor", ResourceKind::kSingle, k_cursor},
    {"gallery_button", ResourceKind::kSingle, k_gallery_button},
    {"gui", ResourceKind::kGroup, k_gui},
    {"window_trophy", ResourceKind::kGroup, k_window_trophy},
    {"window_liders", ResourceKind::kGroup, k_window_liders},
    {"window_change_player", ResourceKind::kGroup, k_window_change_player},
    {"window_settings", ResourceKind::kGroup, k_window_settings},
    {"window_scores", ResourceKind::kSingle, k_window_scores},
    {"window_change_resolution", ResourceKind::kSingle, k_window_change_resolution},
    {"change_puzzle_screen", ResourceKind::kSingle, k_change_puzzle_screen},
    {"exit_question", ResourceKind::kSingle, k_exit_question},
    {"save_question", ResourceKind::kSingle, k_save_question},
    {"choice_color_back", ResourceKind::kSingle, k_choice_color_back},
    {"up_score_punel", ResourceKind::kSingle, k_up_score_punel},
    {"change_player", ResourceKind::kSingle, k_change_player},
    {"rotation_text", ResourceKind::kSingle, k_rotation_text},
    {"play_panel", ResourceKind::kGroup, k_play_panel},
    {"fly_frame", ResourceKind::kGroup, k_fly_frame},
    {"pocket", ResourceKind::kGroup, k_pocket},
    {"level_win", ResourceKind::kGroup, k_level_win},
    {"loading_screen", ResourceKind::kGroup, k_loading_screen},
    {"author_screen", ResourceKind::kGroup, k_author_screen},
    {"faq_screen", ResourceKind::kGroup, k_faq_screen},
    {"sound", ResourceKind::kGroup, k_sound},
    {"fs1", ResourceKind::kOptional, k_fs1},
    {"fs2", ResourceKind::kOptional, k_fs2},
};

static_assert(kResourcePackCount == static_cast<int>(sizeof(k_packs) / sizeof(k_packs[0])));

}  // namespace

std::span<const ResourceNode> ResourceTable() { return kNodes; }

}  // namespace GAME::cfg
