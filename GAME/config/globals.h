// The global settings: every pack name, resource file name, interface text,
// numeric setting, colour and trophy threshold of the game, as plain globals.
//
// LoadConfig() (GAME/config/config.h) fills them once at start-up from
// "resource.xml", "config.xml" and "strings.xml"; everything else only reads
// them. Text globals point at owned UTF-8 copies that live for the whole
// run; they are null only where noted (the optional strings). Colours are
// packed ARGB values held in int.
#pragma once

#include <string>
#include <vector>

#include "GAME/config/pack_table.h"

// ---------------------------------------------------------------------------
// Built-in pack passwords and the edition pack's name (not configurable).
extern char C_PAS_LOADING[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_MENY[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_BOOK[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_LEVEL[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_POCKET[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_GUI[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_TROFEI[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_EFFECTS[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_FONTS[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_MUSIC[sizeof(JIGSAW_MUSIC_PACK_PASSWORD)];
extern char C_PAS_IMAGE[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_PAS_EDITION[sizeof(JIGSAW_PACK_PASSWORD)];
extern char C_NAME_PACK_EDITION[sizeof(JIGSAW_EDITION_PACK)];

// ---------------------------------------------------------------------------
// resource.xml
extern char* C_NAME_PROGRESS_FILE;

// fonts: descriptor names and letter spacing in pixels
extern char* chFONT_BIG;
extern int FONT_SPACE_BIG;
extern char* chFONT_COMIX;
extern int FONT_SPACE_SMALL;
extern char* chFONT_LOADING;
extern int FONT_SPACE_LOADING;
extern char* chFONT_EXPENSE;
extern int FONT_SPACE_EXPENSE;

// packs
extern char* C_NAME_PACK_LOADING;
extern char* C_NAME_PACK_MENU;
extern char* C_NAME_PACK_BOOK;
extern char* C_NAME_PACK_LEVEL;
extern char* C_NAME_PACK_POCKET;
extern char* C_NAME_PACK_GUI;
extern char* C_NAME_PACK_TROFEI;
extern char* C_NAME_PACK_EFFECTS;
extern char* C_NAME_PACK_FONTS;
extern char* C_NAME_PACK_MUSIC;
extern char* C_NAME_PACK_IMAGE_PREV;
extern char* C_NAME_PACK_IMAGE_SMAL;
extern char* C_NAME_PACK_IMAGE_BIG;
extern char* C_NAME_PACK_IMAGE_MED;

// main_screen
extern char* chMAIN_MENU_UP_PANELKA;
extern char* chMAIN_MENU_DWN_PANELKA;
extern char* chMAIN_MENU_DWN_PANELKA_TOP;
extern char* chBUTTONTROP;
extern char* chMAIN_MENU_DWN_PANELKA_SCORE;
extern char* chMAIN_MENU_DWN_PANELKA_PLAY;
extern char* chMAIN_MENU_DWN_PANELKA_CUT;
extern char* chMAIN_MENU_DWN_PANELKA_EXIT;
extern char* chMAIN_MENU_DWN_PANELKA_OPTIONS;
extern char* chMAIN_MENU_BORDER;
extern char* chMAIN_MENU_LEFT_CORNER;
extern char* chMAIN_MENU_RIGHT_CORNER;
extern char* chWhitePlain;
extern char* chQShadow;
extern char* chGUI_BUTTON_TRASH;
extern char* chGUI_BUTTON_SAVE_RIGHT;
extern char* chGUI_BUTTON_SAVE_LEFT;
extern char* chMAIN_MENU_LENOLIUM;

// book: tiles of the open book, column then row
extern char* chBOOK_1_1;
extern char* chBOOK_1_2;
extern char* chBOOK_1_3;
extern char* chBOOK_2_1;
extern char* chBOOK_2_2;
extern char* chBOOK_2_3;
extern char* chBOOK_3_1;
extern char* chBOOK_3_2;
extern char* chBOOK_3_3;
extern char* chBOOK_4_1;
extern char* chBOOK_4_2;
extern char* chBOOK_4_3;
extern char* chBOOK_5_1;
extern char* chBOOK_5_2;
extern char* chBOOK_5_3;

// particle
extern char* chPARTIC_SNOW_CURSOR;
extern char* chPARTIC_BLOW_CURSOR;
extern char* chBONUS;
extern char* chPARTIC_ICE_PIECE;

// single elements
extern char* chCURNAME;
extern char* chGALLERY_BUTTON;

// gui
extern char* chBUTTON_OK;
extern char* chBUTTON_CANCEL;
extern char* chBUTTONFLAT;
extern char* chBUTTONPLUS;
extern char* chBUTTONMINUS;
extern char* chPTNS_GM_SLIDER;
extern char* chPTNS_GM_CHBOX;
extern char* chWINDOWMINI;
extern char* chSTBACK;

// window_trophy: the six *_PATH are stems completed with a level digit and
// chTEXT_TROFEI_EXTENSION; chTEXT_TROFEI_OVERLORD_PATH is a whole name.
extern char* chTROFEIPIC;
extern char* chMagnifer;
extern char* chTEXT_TROFEI_EXTENSION;
extern char* chTEXT_TROFEI_COLLECTOR_PATH;
extern char* chTEXT_TROFEI_JIGSAW_MASTER_PATH;
extern char* chTEXT_TROFEI_ENDURANCE_PATH;
extern char* chTEXT_TROFEI_MEDITATION_PATH;
extern char* chTEXT_TROFEI_BICH_PATH;
extern char* chTEXT_TROFEI_SAGE_PATH;
extern char* chTEXT_TROFEI_OVERLORD_PATH;

// window_liders
extern char* chLIDERPIC;
extern char* chLIDERTABLE;
extern char* chLIDERUNDER;

// window_change_player
extern char* chPLAYPLAYERS;
extern char* chPLAYERSSTROKE;
extern char* chPLAYERSBACK;
extern char* chEDITBOX;

// window_settings
extern char* chVIOLIN;
extern char* chGEAR;
extern char* chFORTEPIANO;

// single elements
extern char* chSCOREFON;
extern char* chRESOLUTION_FON;
extern char* chPTNS_GM_CHBOX_ROT;
extern char* chEXITQ;
extern char* chSAVELOGO;
extern char* chFrontColor;
extern char* chUP_SCORE_PANEL;
extern char* chCHANGE_PLAYER;
extern char* chROTATION_TEXT;
// optional fs1 / fs2 (absent from the default file; "" when absent)
extern char* C_SPLASH_LOGO1;
extern char* C_SPLASH_LOGO2;

// play_panel
extern char* chGAME_PLAY_PANEL;
extern char* chBUTTONDOOR;
extern char* chBUTTONFRAME;
extern char* chBUTTONHELP;
extern char* chBUTTONFLY;
extern char* chBUTTONSORT;
extern char* chBUTTONMAG;
extern char* chBUTTONBORDER;
extern char* chBUTTONSETTINGS;

// fly_frame
extern char* chX1;
extern char* chX2;
extern char* chX3;
extern char* chX;

// pocket
extern char* chBTNPOCKET;
extern char* chPOCKETTILEH;
extern char* chPOCKETTILEW;
extern char* chPOCKETTILEWH;
extern char* chPOCKETFIX;

// level_win
extern char* chWINPIC;
extern char* chBUTTON_REPLAY;
extern char* chROT_YES;
extern char* chROT_NO;

// loading_screen, author_screen, faq_screen
extern char* chLOADBACK;
extern char* chLOADSPR;
extern char* chAUTOR_PIC;
extern char* chFAQ_MOUSE;
extern char* chFAQ_POCKET;
extern char* chFAQ_MOUSE_2;

// sound: all from the music pack; chSND_BACK_1/2 are the music tracks
extern char* chSND_BUTTON_DISABLED;
extern char* chSND_BUTTON_OVER;
extern char* chSND_BUTTON_PLAY;
extern char* chSND_BUTTON;
extern char* chSND_CLOSE_POCKET;
extern char* chSND_EL_ARRIVE;
extern char* chSND_CON_HI;
extern char* chSND_CON_MID;
extern char* chSND_CON_LOW;
extern char* chSND_EL_PICK_UP;
extern char* chSND_EL_PUT;
extern char* chSND_EL_ROTATION;
extern char* chSND_EL_ROTAION_WRONG;
extern char* chSND_BACK_1;
extern char* chSND_BACK_2;
extern char* chSND_GROUP_ARRIVE;
extern char* chSND_GUI_CLICK;
extern char* chSND_LEVEL_WIN;
extern char* chSND_PUZZLE_OVER;
extern char* chSND_PUZZLE_SELECTION;
extern char* chSND_TOOL_HINT;
extern char* chSND_TOOL_SORT;
extern char* chSND_USE_POCKET;
extern char* chSND_WINDOW_CLOSE;
extern char* chSND_WINDOW_OPEN;
extern char* chSND_TOOL_ON;
extern char* chSND_TOOL_OFF;

// ---------------------------------------------------------------------------
// config.xml
extern char* chTEXT_PRODUCT_NAME;   // "" unless the file names it
extern char* chTEXT_COMPANY_NAME;   // "" unless the file names it
extern unsigned long C_COLOR_SPLASH;  // 0xFF000000 unless the file sets it

extern bool TROFEI_ENABLE;
extern int C_WHITE_SPLAIN_EXTRA;
extern int C_FONT_MAIN_COLOR;
extern int PLAY_PANEL_BUTTON_HINT_COLOR_BORDR;
extern int PLAY_PANEL_BUTTON_HINT_COLOR_BACK;
extern int BLACK_TRANSLUVENT;
extern float BUTTONSOKANDCANCELINDENTY;
extern int C_MAX_SAVES;
extern int C_DELETESAVES;
extern float C_TIME_FOR_RESET_VIDEO_MODE;
extern float C_TIME_FOR_SHOW_HINT_FRAME_CHOISE;
extern int C_COLOR_BACKGROUND_0;
extern int C_COLOR_BACKGROUND_1;
extern int C_COLOR_BACKGROUND_2;
extern int C_COLOR_BACKGROUND_3;

// book layout
extern float C_BOOKMAXFRAMEROTATION;
extern int offsetfrompage;
extern float SIZEOFFRAMESINBOOKPSNT;
extern int COUNTPIXELFORFRAMEONBOOK;
extern int C_COUNTPIXELFORFRAMESOFFSET;
extern float C_FRAMES_EXTRA_BOUNDBOX;
extern float BOOKOPTSIZEULX;
extern float BOOKOPTSIZEULY;
extern float BOOKOPTSIZEDRX;
extern float BOOKOPTSIZEDRY;

// trophy thresholds
extern int COLLECTOR_1, COLLECTOR_2, COLLECTOR_3, COLLECTOR_4, COLLECTOR_5;
extern int JIGSAW_MASTER_1, JIGSAW_MASTER_2, JIGSAW_MASTER_3;
extern int ENDURANCE_1, ENDURANCE_2, ENDURANCE_3, ENDURANCE_4;
extern int MEDITATION_1, MEDITATION_2, MEDITATION_3, MEDITATION_4;
extern int BICH_1, BICH_2, BICH_3, BICH_4;
extern int SAGE_1, SAGE_2, SAGE_3, SAGE_4, SAGE_5, SAGE_6;

// ---------------------------------------------------------------------------
// strings.xml. Texts used as printf formats have been checked on loading
// against the arguments their users pass (see GAME/config/text_format.h).
extern char* chTEXT_MAIN_HEADER;                 // one %s: the player's name
extern char* chTEXT_SETTINGS_GAME_HEADER;
extern char* chTEXT_SETTINGS_GAME_MUSIC;
extern char* chTEXT_SETTINGS_GAME_SOUND;
extern char* chTEXT_SETTINGS_GAME_CURSOR;
extern char* chTEXT_SETTINGS_GAME_BACKGROUND;
extern char* chTEXT_SCORE_BOARD_HEADER;
extern char* chTEXT_SCORE_BOARD_ITEM_SCORE;      // one %i
extern char* chTEXT_SCORE_BOARD_ITEM_PIECE;      // one %i
extern char* chTEXT_SCORE_BOARD_ITEM_TIME;       // (2, min, 2, sec)
extern char* chTEXT_SCORE_BOARD_ITEM_TIME_H;     // (2, h, 2, min, 2, sec)
extern char* chTEXT_DWNPANELKA_OPTIONS;
extern char* chTEXT_DWNPANELKA_SCORS;
extern char* chTEXT_DWNPANELKA_PLAY;
extern char* chTEXT_DWNPANELKA_CHANGE;
extern char* chTEXT_DWNPANELKA_EXIT;
extern char* chTEXT_DWNPANELKA_TOP;
extern char* chTEXT_DWNPANELKA_TROFEI;
extern char* chTEXT_LIDER_BOARD_HEADER;
extern char* chTEXT_DEFAULT_NAME;                // always a safe folder name
extern char* chTEXT_TROFEI_BOARD_HEADER;
extern char* chTEXT_PLAYER_SELECTION_ADD;
extern char* chTEXT_PLAYER_SELECTION_DEL;
extern char* chTEXT_NEW_PLAYER_HEADER;
extern char* chTEXT_NEW_PLAYER_PLEASE;
extern char* chTEXT_DIALOG_WIN_HEADER_1;
extern char* chTEXT_DIALOG_WIN_HEADER_2;
extern char* chTEXT_DIALOG_WIN_REPEAT;
extern char* chTEXT_DIALOG_WIN_RETURN;
extern char* chTEXT_DIALOG_WIN_SCORE;
extern char* chTEXT_DIALOG_WIN_TIME;
extern char* chTEXT_DIALOG_WIN_YES;              // argument of "%s: %s", not a format
extern char* chTEXT_DIALOG_WIN_NO;               // argument of "%s: %s", not a format
extern char* chTEXT_DIALOG_WIN_ROTATION;         // argument of "%s: %s", not a format
extern char* chTEXT_DIALOG_WIN_AMOUNT;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_HEADER;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_FULL_SCREEN;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_XGA;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_MAC_AIR;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_FULL_HD;
extern char* chTEXT_DIALOG_SELECT_RESOLUTION_SYSTEM;
extern char* chTEXT_DIALOG_APPLY_RESOLUTION;
extern char* chTEXT_SETTINGS_MENU_HEADER;
extern char* chTEXT_SETTINGS_MENU_RESOLUTION;
extern char* chTEXT_SETTINGS_MENU_AUTOR;
extern char* chTEXT_IMG_CHANGE_SCREEN_COUNT;     // one %i
extern char* chTEXT_IMG_CHANGE_SCREEN_DISTORT;   // one %i
extern char* chTEXT_PLAY_PANEL_EXIT;
extern char* chTEXT_PLAY_PANEL_BORDER;
extern char* chTEXT_PLAY_PANEL_ISO;
extern char* chTEXT_PLAY_PANEL_HELP;
extern char* chTEXT_PLAY_PANEL_FLY;
extern char* chTEXT_PLAY_PANEL_SORT;
extern char* chTEXT_PLAY_PANEL_MAG;
extern char* chTEXT_PLAY_PANEL_SETTINGS;
extern char* chTEXT_AUTHORS_HEADER;
extern char* chTEXT_AUTHORS_COMPANY_1;
extern char* chTEXT_AUTHORS_COMPANY_2;
extern char* chTEXT_AUTHORS_ARTIST;
extern char* chTEXT_AUTHORS_ARTIST_NAME;
extern char* chTEXT_AUTHORS_PROGRAMMER;
extern char* chTEXT_AUTHORS_PROGRAMMER_NAME;
extern char* chTEXT_AUTHORS_MANAGER;
extern char* chTEXT_AUTHORS_MANAGER_NAME;
extern char* chTEXT_EXIT_GAME;
extern char* chTEXT_SAVE_PUZZLE;
extern char* chTEXT_PROFILE_MANAGER_HEADER;
extern char* chTEXT_FRAME_HINT_COUNT_ROTATE;
extern char* chTEXT_FRAME_COMPLEAT;              // one %i
extern char* chTEXT_TROFEI_COLLECTOR;
extern char* chTEXT_TROFEI_JIGSAW_MASTER;
extern char* chTEXT_TROFEI_ENDURANCE;
extern char* chTEXT_TROFEI_MEDITATION;
extern char* chTEXT_TROFEI_BICH;
extern char* chTEXT_TROFEI_SAGE;
extern char* chTEXT_TROFEI_OVERLORD;
extern char* chTEXT_TROFEI_COLLECTOR_HEADER;
extern char* chTEXT_TROFEI_JIGSAW_MASTER_HEADER;
extern char* chTEXT_TROFEI_ENDURANCE_HEADER;
extern char* chTEXT_TROFEI_MEDITATION_HEADER;
extern char* chTEXT_TROFEI_BICH_HEADER;
extern char* chTEXT_TROFEI_SAGE_HEADER;
extern char* chTEXT_TROFEI_OVERLORD_HEADER;
extern char* chTEXT_PUZZLE_SCORE_UP;             // one %i
extern char* chTEXT_FAQ_HEADER;
extern char* chTEXT_FAQ_MOUSE;
extern char* chTEXT_FAQ_MOUSE_ROTATION;
extern char* chTEXT_FAQ_POCKET;
extern char* chTEXT_BOOK_SAVE;
extern char* chTEXT_PUUZLE_WAS_ASSEMBLY_OTHER_RES;
extern char* chTEXT_CHANGE_PLAYER;

// Captions of the book's chapters, in catalogue order.
extern std::vector<std::string> chCATEGORIES_NAMES;

// Optional texts (absent from the default file).
extern char* chTEXT_SETTINGS_GAME_FAST_COLLECTOR;  // "" when absent
extern char* chTEXT_ERROR_MESSAGE_PLAY_URL;        // null when absent: "play.url" not required
extern char* chTEXT_ERROR_MESSAGE_RESOLUTION;      // "" when absent
extern char* chTEXT_COPYRIGHT1;                    // null when absent
extern char* chTEXT_COPYRIGHT2;                    // null when absent
extern int COPYRIGHT_POS_X;
extern int COPYRIGHT_POS_Y;
extern int COPYRIGHT_TITLE_POS_X;
extern int COPYRIGHT_TITLE_POS_Y;
