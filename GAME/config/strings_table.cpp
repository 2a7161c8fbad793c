// The table of strings.xml: every interface text with its built-in Russian
// value (UTF-8) and the printf arguments its users pass, in the order of the
// default file.
//
// The bitmap fonts hold only printable ASCII, the Cyrillic letters А-я, Ё, ё
// and « » — … №, so the built-in texts use no other character (besides the
// tabs and line feeds that lay texts out). The trophy texts name the default
// thresholds of config.xml.
#include <cstdio>

#include "GAME/config/config_tables.h"
#include "GAME/config/globals.h"

namespace GAME::cfg {
namespace {

constexpr TextCheck kFormat = TextCheck::kFormat;
constexpr TextCheck kPlain = TextCheck::kPlain;

const char* const kCategories[] = {"Пазлы 1", "Пазлы 2", "Пазлы 3", "Пазлы 4", "Пазлы 5"};

const StringEntry kStrings[] = {
    {"main_header", &chTEXT_MAIN_HEADER, "Добро пожаловать, %s !", kFormat, "s"},
    {"settings_header", &chTEXT_SETTINGS_GAME_HEADER, "Настройки игры"},
    {"game_music", &chTEXT_SETTINGS_GAME_MUSIC, "Музыка"},
    {"game_sound", &chTEXT_SETTINGS_GAME_SOUND, "Звуки"},
    {"game_cursor", &chTEXT_SETTINGS_GAME_CURSOR, "Игровой курсор"},
    {"game_background", &chTEXT_SETTINGS_GAME_BACKGROUND, "Цвет стола"},
    {"score_board_header", &chTEXT_SCORE_BOARD_HEADER, "Собранные пазлы"},
    {"score_board_item_score", &chTEXT_SCORE_BOARD_ITEM_SCORE, "Очки:\t\t\t%i", kFormat, "i"},
    {"score_board_item_piece", &chTEXT_SCORE_BOARD_ITEM_PIECE, "Частей:\t%i", kFormat, "i"},
    {"score_board_item_time", &chTEXT_SCORE_BOARD_ITEM_TIME, "Время:\t\t%0*i:%0*i", kFormat, "iiii"},
    {"score_board_item_time_h", &chTEXT_SCORE_BOARD_ITEM_TIME_H, "Время:\t\t%0*i:%0*i:%0*i", kFormat,
     "iiiiii"},
    {"down_panelka_options", &chTEXT_DWNPANELKA_OPTIONS, "Настройки"},
    {"down_panelka_score", &chTEXT_DWNPANELKA_SCORS, "Собранные пазлы"},
    {"down_panelka_play", &chTEXT_DWNPANELKA_PLAY, "Играть"},
    {"down_panelka_change", &chTEXT_DWNPANELKA_CHANGE, "Нарезка пазла"},
    {"down_panelka_exit", &chTEXT_DWNPANELKA_EXIT, "Выход"},
    {"down_panelka_top", &chTEXT_DWNPANELKA_TOP, "Лучшие игроки"},
    {"down_panelka_trofy", &chTEXT_DWNPANELKA_TROFEI, "Награды"},
    {"lider_board_header", &chTEXT_LIDER_BOARD_HEADER, "Лучшие игроки"},
    {"default_player_name", &chTEXT_DEFAULT_NAME, "Игрок", TextCheck::kFolderName},
    {"trofey_board_header", &chTEXT_TROFEI_BOARD_HEADER, "Ваши награды"},
    {"player_selection_add", &chTEXT_PLAYER_SELECTION_ADD, "Добавить"},
    {"player_selection_del", &chTEXT_PLAYER_SELECTION_DEL, "Удалить"},
    {"new_player_header", &chTEXT_NEW_PLAYER_HEADER, "Новый игрок"},
    {"new_player_please", &chTEXT_NEW_PLAYER_PLEASE, "Пожалуйста, введите своё имя"},
    {"dialog_win_header_1", &chTEXT_DIALOG_WIN_HEADER_1, "Пазл собран!"},
    {"dialog_win_header_2", &chTEXT_DIALOG_WIN_HEADER_2, "Отличная работа!"},
    {"dialog_win_replay", &chTEXT_DIALOG_WIN_REPEAT, "Собрать ещё раз"},
    {"dialog_win_close", &chTEXT_DIALOG_WIN_RETURN, "Вернуться в меню"},
    {"dialog_win_score", &chTEXT_DIALOG_WIN_SCORE, "Очки"},
    {"dialog_win_time", &chTEXT_DIALOG_WIN_TIME, "Время сборки"},
    {"dialog_win_yes", &chTEXT_DIALOG_WIN_YES, "да", kPlain},
    {"dialog_win_no", &chTEXT_DIALOG_WIN_NO, "нет", kPlain},
    {"dialog_win_rot", &chTEXT_DIALOG_WIN_ROTATION, "Вращение кусочков", kPlain},
    {"dialog_win_count_piece", &chTEXT_DIALOG_WIN_AMOUNT, "Кусочков"},
    {"dialog_select_resolution_header", &chTEXT_DIALOG_SELECT_RESOLUTION_HEADER, "Разрешение экрана"},
    {"dialog_select_resolution_FS", &chTEXT_DIALOG_SELECT_RESOLUTION_FULL_SCREEN, "Во весь экран"},
    {"dialog_select_resolution_xga", &chTEXT_DIALOG_SELECT_RESOLUTION_XGA, "1024x768"},
    {"dialog_select_resolution_mac_air", &chTEXT_DIALOG_SELECT_RESOLUTION_MAC_AIR, "1440x900"},
    {"dialog_select_resolution_fullHD", &chTEXT_DIALOG_SELECT_RESOLUTION_FULL_HD, "1920x1080"},
    {"dialog_select_resolution_system", &chTEXT_DIALOG_SELECT_RESOLUTION_SYSTEM, "Рабочий стол"},
    {"dialog_apply_resolution", &chTEXT_DIALOG_APPLY_RESOLUTION, "Оставить новое разрешение?"},
    {"settings_menu_header", &chTEXT_SETTINGS_MENU_HEADER, "Настройки"},
    {"settings_menu_resolution", &chTEXT_SETTINGS_MENU_RESOLUTION, "Разрешение"},
    {"settings_menu_autor", &chTEXT_SETTINGS_MENU_AUTOR, "Авторы"},
    {"change_screen_count", &chTEXT_IMG_CHANGE_SCREEN_COUNT, "Количество кусочков %i", kFormat, "i"},
    {"change_screen_distort", &chTEXT_IMG_CHANGE_SCREEN_DISTORT, "Искажение %i", kFormat, "i"},
    {"play_panel_exit", &chTEXT_PLAY_PANEL_EXIT, "Выйти в меню"},
    {"play_panel_border", &chTEXT_PLAY_PANEL_BORDER, "Показать только края"},
    {"play_panel_iso", &chTEXT_PLAY_PANEL_ISO, "Картинка под кусочками"},
    {"play_panel_help", &chTEXT_PLAY_PANEL_HELP, "Подсказка"},
    {"play_panel_fly", &chTEXT_PLAY_PANEL_FLY, "Окно с картинкой"},
    {"play_panel_sort", &chTEXT_PLAY_PANEL_SORT, "Разложить кусочки"},
    {"play_panel_mag", &chTEXT_PLAY_PANEL_MAG, "Лупа"},
    {"play_panel_settings", &chTEXT_PLAY_PANEL_SETTINGS, "Настройки"},
    {"authors_header", &chTEXT_AUTHORS_HEADER, "Авторы"},
    {"authors_company_1", &chTEXT_AUTHORS_COMPANY_1, "Quillmere games"},
    {"authors_company_2", &chTEXT_AUTHORS_COMPANY_2, "Vantolux"},
    {"authors_artist", &chTEXT_AUTHORS_ARTIST, "Художник"},
    // The credits name the teams and their roles, not persons.
    {"authors_artist_name", &chTEXT_AUTHORS_ARTIST_NAME, "Студия рисунка Quillmere"},
    {"authors_programmers", &chTEXT_AUTHORS_PROGRAMMER, "Программисты"},
    {"authors_programmers_name", &chTEXT_AUTHORS_PROGRAMMER_NAME, "Команда игрового движка\n\nКоманда интерфейса"},
    {"authors_manager", &chTEXT_AUTHORS_MANAGER, "Руководитель проекта"},
    {"authors_manager_name", &chTEXT_AUTHORS_MANAGER_NAME, "Продюсерская группа Vantolux"},
    // Asked by the menu's exit and by the play panel's door alike: words
    // true for leaving the game and for leaving a puzzle.
    {"exit_game", &chTEXT_EXIT_GAME, "Вы действительно хотите\nвыйти?"},
    {"save_puzzle", &chTEXT_SAVE_PUZZLE, "Сохранить пазл, чтобы\nсобрать его позже?"},
    {"profile_manager_header", &chTEXT_PROFILE_MANAGER_HEADER, "Выбор игрока"},
    {"frame_hint_count_rotate", &chTEXT_FRAME_HINT_COUNT_ROTATE, "Повёрнуты неверно:"},
    {"frame_compleat", &chTEXT_FRAME_COMPLEAT, "\nСобрано:\t\t\t%i%%", kFormat, "i"},
    {"trofey_collector", &chTEXT_TROFEI_COLLECTOR,
     "Собиратель\nСоберите всего 10, 100, 1 000,\n10 000 и 1 000 000 кусочков"},
    {"trofey_jigsow_master", &chTEXT_TROFEI_JIGSAW_MASTER,
     "Мастер пазлов\nНаберите всего 10 000, 100 000\nи 1 000 000 очков"},
    {"trofey_endurence", &chTEXT_TROFEI_ENDURANCE,
     "Терпение\nСоберите пазл из 10, 100,\n500 и 1 000 кусочков"},
    {"trofey_meditation", &chTEXT_TROFEI_MEDITATION,
     "Медитация\nПроведите за пазлами 1 час,\n5, 10 и 50 часов"},
    {"trofey_inconstancy", &chTEXT_TROFEI_BICH,
     "Непостоянство\nСоберите 1, 5, 10 и 20 картинок"},
    {"trofey_sage", &chTEXT_TROFEI_SAGE,
     "Мудрец\nСоедините кусочки с первой попытки\n5, 10, 15, 30, 50 и 100 раз за один пазл"},
    {"trofey_lord", &chTEXT_TROFEI_OVERLORD,
     "Повелитель пазлов\nСоберите пазл из 200 кусочков и больше\nбез подсказок, кармана и сортировки"},
    {"trofey_collector_header", &chTEXT_TROFEI_COLLECTOR_HEADER, "Награда «Собиратель»"},
    {"trofey_jigsow_master_header", &chTEXT_TROFEI_JIGSAW_MASTER_HEADER, "Награда «Мастер пазлов»"},
    {"trofey_endurence_header", &chTEXT_TROFEI_ENDURANCE_HEADER, "Награда «Терпение»"},
    {"trofey_meditation_header", &chTEXT_TROFEI_MEDITATION_HEADER, "Награда «Медитация»"},
    {"trofey_inconstancy_header", &chTEXT_TROFEI_BICH_HEADER, "Награда «Непостоянство»"},
    {"trofey_sage_header", &chTEXT_TROFEI_SAGE_HEADER, "Награда «Мудрец»"},
    {"trofey_lord_header", &chTEXT_TROFEI_OVERLORD_HEADER, "Награда «Повелитель пазлов»"},
    {"score_up", &chTEXT_PUZZLE_SCORE_UP, "Очки: %i", kFormat, "i"},
    {"faq_header", &chTEXT_FAQ_HEADER, "Как играть"},
    {"faq_about_mouse_rotation", &chTEXT_FAQ_MOUSE,
     "Возьмите кусочек левой кнопкой\nмыши и перетащите его на место.\nСоседние кусочки соединятся сами."},
    {"faq_about_mouse_no_rot", &chTEXT_FAQ_MOUSE_ROTATION,
     "Правая кнопка мыши поворачивает\nкусочек, пока вы его держите."},
    {"faq_about_pocket", &chTEXT_FAQ_POCKET,
     "Уберите лишние кусочки в карман,\nчтобы они не мешали на столе.\nКарман открывается кнопкой\nв левом верхнем углу."},
    {"book_category_0", nullptr, kCategories[0]},
    {"book_category_1", nullptr, kCategories[1]},
    {"book_category_2", nullptr, kCategories[2]},
    {"book_category_3", nullptr, kCategories[3]},
    {"book_category_4", nullptr, kCategories[4]},
    {"book_category_save", &chTEXT_BOOK_SAVE, "Сохранения"},
    {"other_resolution", &chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES,
     "Этот пазл сохранён при другом\nразрешении экрана. Продолжить?"},
    {"change_player", &chTEXT_CHANGE_PLAYER, "Сменить игрока"},
    // Written for the installation's logos; the game reads fs1/fs2 from resource.xml.
    {"fs1", nullptr, "DATA/logo1r.png", kPlain},
    {"fs2", nullptr, "DATA/logo2r.png", kPlain},

    // Optional elements, absent from the default file.
    {"game_fast_collector", &chTEXT_SETTINGS_GAME_FAST_COLLECTOR, "", kFormat, "", false},
    {"error_play_url", &chTEXT_ERROR_MESSAGE_PLAY_URL, nullptr, kPlain, "", false},
    {"error_resolution", &chTEXT_ERROR_MESSAGE_RESOLUTION, "", kPlain, "", false},
    {"copyright1", &chTEXT_COPYRIGHT1, nullptr, kFormat, "", false, &COPYRIGHT_POS_X, &COPYRIGHT_POS_Y},
    {"copyright_title", &chTEXT_COPYRIGHT2, nullptr, kPlain, "", false, &COPYRIGHT_TITLE_POS_X,
     &COPYRIGHT_TITLE_POS_Y},
};

}  // namespace

std::span<const StringEntry> StringsTable() { return kStrings; }

std::span<const char* const> DefaultCategoryNames() { return kCategories; }

std::string CategoryKey(int index) {
  char key[32];
  std::snprintf(key, sizeof key, "book_category_%d", index);
  return key;
}

}  // namespace GAME::cfg
