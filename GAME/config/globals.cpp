// Definitions of the global settings declared in globals.h. The texts are
// null until LoadConfig() or ApplyConfigDefaults() fills them.
#include "GAME/config/globals.h"

// Built-in pack passwords and the edition pack's name.
char C_PAS_LOADING[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_MENY[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_BOOK[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_LEVEL[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_POCKET[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_GUI[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_TROFEI[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_EFFECTS[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_FONTS[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_MUSIC[sizeof(JIGSAW_MUSIC_PACK_PASSWORD)] = JIGSAW_MUSIC_PACK_PASSWORD;
char C_PAS_IMAGE[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_PAS_EDITION[sizeof(JIGSAW_PACK_PASSWORD)] = JIGSAW_PACK_PASSWORD;
char C_NAME_PACK_EDITION[sizeof(JIGSAW_EDITION_PACK)] = JIGSAW_EDITION_PACK;

// resource.xml
char* C_NAME_PROGRESS_FILE = nullptr;

// fonts: descriptor names and letter spacing in pixels
char* chFONT_BIG = nullptr;
int FONT_SPACE_BIG = 0;
char* chFONT_COMIX = nullptr;
int FONT_SPACE_SMALL = 0;
char* chFONT_LOADING = nullptr;
int FONT_SPACE_LOADING = 0;
char* chFONT_EXPENSE = nullptr;
int FONT_SPACE_EXPENSE = 0;

// packs
char* C_NAME_PACK_LOADING = nullptr;
char* C_NAME_PACK_MENU = nullptr;
char* C_NAME_PACK_BOOK = nullptr;
char* C_NAME_PACK_LEVEL = nullptr;
char* C_NAME_PACK_POCKET = nullptr;
char* C_NAME_PACK_GUI = nullptr;
char* C_NAME_PACK_TROFEI = nullptr;
char* C_NAME_PACK_EFFECTS = nullptr;
char* C_NAME_PACK_FONTS = nullptr;
char* C_NAME_PACK_MUSIC = nullptr;
char* C_NAME_PACK_IMAGE_PREV = nullptr;
char* C_NAME_PACK_IMAGE_SMAL = nullptr;
char* C_NAME_PACK_IMAGE_BIG = nullptr;
char* C_NAME_PACK_IMAGE_MED = nullptr;

// main_screen
char* chMAIN_MENU_UP_PANELKA = nullptr;
char* chMAIN_MENU_DWN_PANELKA = nullptr;
char* chMAIN_MENU_DWN_PANELKA_TOP = nullptr;
char* chBUTTONTROP = nullptr;
char* chMAIN_MENU_DWN_PANELKA_SCORE = nullptr;
char* chMAIN_MENU_DWN_PANELKA_PLAY = nullptr;
char* chMAIN_MENU_DWN_PANELKA_CUT = nullptr;
char* chMAIN_MENU_DWN_PANELKA_EXIT = nullptr;
char* chMAIN_MENU_DWN_PANELKA_OPTIONS = nullptr;
char* chMAIN_MENU_BORDER = nullptr;
char* chMAIN_MENU_LEFT_CORNER = nullptr;
char* chMAIN_MENU_RIGHT_CORNER = nullptr;
char* chWhitePlain = nullptr;
char* chQShadow = nullptr;
char* chGUI_BUTTON_TRASH = nullptr;
char* chGUI_BUTTON_SAVE_RIGHT = nullptr;
char* chGUI_BUTTON_SAVE_LEFT = nullptr;
char* chMAIN_MENU_LENOLIUM = nullptr;

// book: tiles of the open book, column then row
char* chBOOK_1_1 = nullptr;
char* chBOOK_1_2 = nullptr;
char* chBOOK_1_3 = nullptr;
char* chBOOK_2_1 = nullptr;
char* chBOOK_2_2 = nullptr;
char* chBOOK_2_3 = nullptr;
char* chBOOK_3_1 = nullptr;
char* chBOOK_3_2 = nullptr;
char* chBOOK_3_3 = nullptr;
char* chBOOK_4_1 = nullptr;
char* chBOOK_4_2 = nullptr;
char* chBOOK_4_3 = nullptr;
char* chBOOK_5_1 = nullptr;
char* chBOOK_5_2 = nullptr;
char* chBOOK_5_3 = nullptr;

// particle
char* chPARTIC_SNOW_CURSOR = nullptr;
char* chPARTIC_BLOW_CURSOR = nullptr;
char* chBONUS = nullptr;
char* chPARTIC_ICE_PIECE = nullptr;

// single elements
char* chCURNAME = nullptr;
char* chGALLERY_BUTTON = nullptr;

// gui
char* chBUTTON_OK = nullptr;
char* chBUTTON_CANCEL = nullptr;
char* chBUTTONFLAT = nullptr;
char* chBUTTONPLUS = nullptr;
char* chBUTTONMINUS = nullptr;
char* chPTNS_GM_SLIDER = nullptr;
char* chPTNS_GM_CHBOX = nullptr;
char* chWINDOWMINI = nullptr;
char* chSTBACK = nullptr;

char* chTROFEIPIC = nullptr;
char* chMagnifer = nullptr;
char* chTEXT_TROFEI_EXTENSION = nullptr;
char* chTEXT_TROFEI_COLLECTOR_PATH = nullptr;
char* chTEXT_TROFEI_JIGSAW_MASTER_PATH = nullptr;
char* chTEXT_TROFEI_ENDURANCE_PATH = nullptr;
char* chTEXT_TROFEI_MEDITATION_PATH = nullptr;
char* chTEXT_TROFEI_BICH_PATH = nullptr;
char* chTEXT_TROFEI_SAGE_PATH = nullptr;
char* chTEXT_TROFEI_OVERLORD_PATH = nullptr;

// window_liders
char* chLIDERPIC = nullptr;
char* chLIDERTABLE = nullptr;
char* chLIDERUNDER = nullptr;

// window_change_player
char* chPLAYPLAYERS = nullptr;
char* chPLAYERSSTROKE = nullptr;
char* chPLAYERSBACK = nullptr;
char* chEDITBOX = nullptr;

// window_settings
char* chVIOLIN = nullptr;
char* chGEAR = nullptr;
char* chFORTEPIANO = nullptr;

// single elements
char* chSCOREFON = nullptr;
char* chRESOLUTION_FON = nullptr;
char* chPTNS_GM_CHBOX_ROT = nullptr;
char* chEXITQ = nullptr;
char* chSAVELOGO = nullptr;
char* chFrontColor = nullptr;
char* chUP_SCORE_PANEL = nullptr;
char* chCHANGE_PLAYER = nullptr;
char* chROTATION_TEXT = nullptr;
char* C_SPLASH_LOGO1 = nullptr;
char* C_SPLASH_LOGO2 = nullptr;

// play_panel
char* chGAME_PLAY_PANEL = nullptr;
char* chBUTTONDOOR = nullptr;
char* chBUTTONFRAME = nullptr;
char* chBUTTONHELP = nullptr;
char* chBUTTONFLY = nullptr;
char* chBUTTONSORT = nullptr;
char* chBUTTONMAG = nullptr;
char* chBUTTONBORDER = nullptr;
char* chBUTTONSETTINGS = nullptr;

// fly_frame
char* chX1 = nullptr;
char* chX2 = nullptr;
char* chX3 = nullptr;
char* chX = nullptr;

// pocket
char* chBTNPOCKET = nullptr;
char* chPOCKETTILEH = nullptr;
char* chPOCKETTILEW = nullptr;
char* chPOCKETTILEWH = nullptr;
char* chPOCKETFIX = nullptr;

// level_win
char* chWINPIC = nullptr;
char* chBUTTON_REPLAY = nullptr;
char* chROT_YES = nullptr;
char* chROT_NO = nullptr;

// loading_screen, author_screen, faq_screen
char* chLOADBACK = nullptr;
char* chLOADSPR = nullptr;
char* chAUTOR_PIC = nullptr;
char* chFAQ_MOUSE = nullptr;
char* chFAQ_POCKET = nullptr;
char* chFAQ_MOUSE_2 = nullptr;

char* chSND_BUTTON_DISABLED = nullptr;
char* chSND_BUTTON_OVER = nullptr;
char* chSND_BUTTON_PLAY = nullptr;
char* chSND_BUTTON = nullptr;
char* chSND_CLOSE_POCKET = nullptr;
char* chSND_EL_ARRIVE = nullptr;
char* chSND_CON_HI = nullptr;
char* chSND_CON_MID = nullptr;
char* chSND_CON_LOW = nullptr;
char* chSND_EL_PICK_UP = nullptr;
char* chSND_EL_PUT = nullptr;
char* chSND_EL_ROTATION = nullptr;
char* chSND_EL_ROTAION_WRONG = nullptr;
char* chSND_BACK_1 = nullptr;
char* chSND_BACK_2 = nullptr;
char* chSND_GROUP_ARRIVE = nullptr;
char* chSND_GUI_CLICK = nullptr;
char* chSND_LEVEL_WIN = nullptr;
char* chSND_PUZZLE_OVER = nullptr;
char* chSND_PUZZLE_SELECTION = nullptr;
char* chSND_TOOL_HINT = nullptr;
char* chSND_TOOL_SORT = nullptr;
char* chSND_USE_POCKET = nullptr;
char* chSND_WINDOW_CLOSE = nullptr;
char* chSND_WINDOW_OPEN = nullptr;
char* chSND_TOOL_ON = nullptr;
char* chSND_TOOL_OFF = nullptr;

// config.xml
char* chTEXT_PRODUCT_NAME = nullptr;
char* chTEXT_COMPANY_NAME = nullptr;
unsigned long C_COLOR_SPLASH = 0xFF000000ul;

bool TROFEI_ENABLE = false;
int C_WHITE_SPLAIN_EXTRA = 0;
int C_FONT_MAIN_COLOR = 0;
int PLAY_PANEL_BUTTON_HINT_COLOR_BORDR = 0;
int PLAY_PANEL_BUTTON_HINT_COLOR_BACK = 0;
int BLACK_TRANSLUVENT = 0;
float BUTTONSOKANDCANCELINDENTY = 0.0f;
int C_MAX_SAVES = 0;
int C_DELETESAVES = 0;
float C_TIME_FOR_RESET_VIDEO_MODE = 0.0f;
float C_TIME_FOR_SHOW_HINT_FRAME_CHOISE = 0.0f;
int C_COLOR_BACKGROUND_0 = 0;
int C_COLOR_BACKGROUND_1 = 0;
int C_COLOR_BACKGROUND_2 = 0;
int C_COLOR_BACKGROUND_3 = 0;

// book layout
float C_BOOKMAXFRAMEROTATION = 0.0f;
int offsetfrompage = 0;
float SIZEOFFRAMESINBOOKPSNT = 0.0f;
int COUNTPIXELFORFRAMEONBOOK = 0;
int C_COUNTPIXELFORFRAMESOFFSET = 0;
float C_FRAMES_EXTRA_BOUNDBOX = 0.0f;
float BOOKOPTSIZEULX = 0.0f;
float BOOKOPTSIZEULY = 0.0f;
float BOOKOPTSIZEDRX = 0.0f;
float BOOKOPTSIZEDRY = 0.0f;

// trophy thresholds
int COLLECTOR_1 = 0, COLLECTOR_2 = 0, COLLECTOR_3 = 0, COLLECTOR_4 = 0, COLLECTOR_5 = 0;
int JIGSAW_MASTER_1 = 0, JIGSAW_MASTER_2 = 0, JIGSAW_MASTER_3 = 0;
int ENDURANCE_1 = 0, ENDURANCE_2 = 0, ENDURANCE_3 = 0, ENDURANCE_4 = 0;
int MEDITATION_1 = 0, MEDITATION_2 = 0, MEDITATION_3 = 0, MEDITATION_4 = 0;
int BICH_1 = 0, BICH_2 = 0, BICH_3 = 0, BICH_4 = 0;
int SAGE_1 = 0, SAGE_2 = 0, SAGE_3 = 0, SAGE_4 = 0, SAGE_5 = 0, SAGE_6 = 0;

char* chTEXT_MAIN_HEADER = nullptr;
char* chTEXT_SETTINGS_GAME_HEADER = nullptr;
char* chTEXT_SETTINGS_GAME_MUSIC = nullptr;
char* chTEXT_SETTINGS_GAME_SOUND = nullptr;
char* chTEXT_SETTINGS_GAME_CURSOR = nullptr;
char* chTEXT_SETTINGS_GAME_BACKGROUND = nullptr;
char* chTEXT_SCORE_BOARD_HEADER = nullptr;
char* chTEXT_SCORE_BOARD_ITEM_SCORE = nullptr;
char* chTEXT_SCORE_BOARD_ITEM_PIECE = nullptr;
char* chTEXT_SCORE_BOARD_ITEM_TIME = nullptr;
char* chTEXT_SCORE_BOARD_ITEM_TIME_H = nullptr;
char* chTEXT_DWNPANELKA_OPTIONS = nullptr;
char* chTEXT_DWNPANELKA_SCORS = nullptr;
char* chTEXT_DWNPANELKA_PLAY = nullptr;
char* chTEXT_DWNPANELKA_CHANGE = nullptr;
char* chTEXT_DWNPANELKA_EXIT = nullptr;
char* chTEXT_DWNPANELKA_TOP = nullptr;
char* chTEXT_DWNPANELKA_TROFEI = nullptr;
char* chTEXT_LIDER_BOARD_HEADER = nullptr;
char* chTEXT_DEFAULT_NAME = nullptr;
char* chTEXT_TROFEI_BOARD_HEADER = nullptr;
char* chTEXT_PLAYER_SELECTION_ADD = nullptr;
char* chTEXT_PLAYER_SELECTION_DEL = nullptr;
char* chTEXT_NEW_PLAYER_HEADER = nullptr;
char* chTEXT_NEW_PLAYER_PLEASE = nullptr;
char* chTEXT_DIALOG_WIN_HEADER_1 = nullptr;
char* chTEXT_DIALOG_WIN_HEADER_2 = nullptr;
char* chTEXT_DIALOG_WIN_REPEAT = nullptr;
char* chTEXT_DIALOG_WIN_RETURN = nullptr;
char* chTEXT_DIALOG_WIN_SCORE = nullptr;
char* chTEXT_DIALOG_WIN_TIME = nullptr;
char* chTEXT_DIALOG_WIN_YES = nullptr;
char* chTEXT_DIALOG_WIN_NO = nullptr;
char* chTEXT_DIALOG_WIN_ROTATION = nullptr;
char* chTEXT_DIALOG_WIN_AMOUNT = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_HEADER = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_FULL_SCREEN = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_XGA = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_MAC_AIR = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_FULL_HD = nullptr;
char* chTEXT_DIALOG_SELECT_RESOLUTION_SYSTEM = nullptr;
char* chTEXT_DIALOG_APPLY_RESOLUTION = nullptr;
char* chTEXT_SETTINGS_MENU_HEADER = nullptr;
char* chTEXT_SETTINGS_MENU_RESOLUTION = nullptr;
char* chTEXT_SETTINGS_MENU_AUTOR = nullptr;
char* chTEXT_IMG_CHANGE_SCREEN_COUNT = nullptr;
char* chTEXT_IMG_CHANGE_SCREEN_DISTORT = nullptr;
char* chTEXT_PLAY_PANEL_EXIT = nullptr;
char* chTEXT_PLAY_PANEL_BORDER = nullptr;
char* chTEXT_PLAY_PANEL_ISO = nullptr;
char* chTEXT_PLAY_PANEL_HELP = nullptr;
char* chTEXT_PLAY_PANEL_FLY = nullptr;
char* chTEXT_PLAY_PANEL_SORT = nullptr;
char* chTEXT_PLAY_PANEL_MAG = nullptr;
char* chTEXT_PLAY_PANEL_SETTINGS = nullptr;
char* chTEXT_AUTHORS_HEADER = nullptr;
char* chTEXT_AUTHORS_COMPANY_1 = nullptr;
char* chTEXT_AUTHORS_COMPANY_2 = nullptr;
char* chTEXT_AUTHORS_ARTIST = nullptr;
char* chTEXT_AUTHORS_ARTIST_NAME = nullptr;
char* chTEXT_AUTHORS_PROGRAMMER = nullptr;
char* chTEXT_AUTHORS_PROGRAMMER_NAME = nullptr;
char* chTEXT_AUTHORS_MANAGER = nullptr;
char* chTEXT_AUTHORS_MANAGER_NAME = nullptr;
char* chTEXT_EXIT_GAME = nullptr;
char* chTEXT_SAVE_PUZZLE = nullptr;
char* chTEXT_PROFILE_MANAGER_HEADER = nullptr;
char* chTEXT_FRAME_HINT_COUNT_ROTATE = nullptr;
char* chTEXT_FRAME_COMPLEAT = nullptr;
char* chTEXT_TROFEI_COLLECTOR = nullptr;
char* chTEXT_TROFEI_JIGSAW_MASTER = nullptr;
char* chTEXT_TROFEI_ENDURANCE = nullptr;
char* chTEXT_TROFEI_MEDITATION = nullptr;
char* chTEXT_TROFEI_BICH = nullptr;
char* chTEXT_TROFEI_SAGE = nullptr;
char* chTEXT_TROFEI_OVERLORD = nullptr;
char* chTEXT_TROFEI_COLLECTOR_HEADER = nullptr;
char* chTEXT_TROFEI_JIGSAW_MASTER_HEADER = nullptr;
char* chTEXT_TROFEI_ENDURANCE_HEADER = nullptr;
char* chTEXT_TROFEI_MEDITATION_HEADER = nullptr;
char* chTEXT_TROFEI_BICH_HEADER = nullptr;
char* chTEXT_TROFEI_SAGE_HEADER = nullptr;
char* chTEXT_TROFEI_OVERLORD_HEADER = nullptr;
char* chTEXT_PUZZLE_SCORE_UP = nullptr;
char* chTEXT_FAQ_HEADER = nullptr;
char* chTEXT_FAQ_MOUSE = nullptr;
char* chTEXT_FAQ_MOUSE_ROTATION = nullptr;
char* chTEXT_FAQ_POCKET = nullptr;
char* chTEXT_BOOK_SAVE = nullptr;
char* chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES = nullptr;
char* chTEXT_CHANGE_PLAYER = nullptr;

// Captions of the book's chapters, in catalogue order.
std::vector<std::string> chCATEGORIES_NAMES;

// Optional texts (absent from the default file).
char* chTEXT_SETTINGS_GAME_FAST_COLLECTOR = nullptr;
char* chTEXT_ERROR_MESSAGE_PLAY_URL = nullptr;
char* chTEXT_ERROR_MESSAGE_RESOLUTION = nullptr;
char* chTEXT_COPYRIGHT1 = nullptr;
char* chTEXT_COPYRIGHT2 = nullptr;
int COPYRIGHT_POS_X = 0;
int COPYRIGHT_POS_Y = 0;
int COPYRIGHT_TITLE_POS_X = 0;
int COPYRIGHT_TITLE_POS_Y = 0;
