#pragma once
// Identifiers shared by the resource script and the code.

#define IDI_QUILLMONT 1

// Pictures (icons with 16 x 16 and 32 x 32 images).
#define IDI_PIC_EXIT 101
#define IDI_PIC_FIND 102
#define IDI_PIC_SAVE 103
#define IDI_PIC_HARVEST 104
#define IDI_PIC_EXPLORER 105
#define IDI_PIC_ADD 106
#define IDI_PIC_REMOVE 107
#define IDI_PIC_FILE 108
#define IDI_PIC_SELECT 109
#define IDI_PIC_ABOUT 110
#define IDI_PIC_REFRESH 111
// The about window's 48 x 48 picture and its OK button's check mark.
#define IDI_PIC_PROGRAM48 112
#define IDI_PIC_OK_GLYPH 113

#define IDM_MAIN 200
#define IDM_LIST_POPUP 201
#define IDA_MAIN 202

// Menu items and keyboard actions.
#define ID_N_SEARCH_IN_FILES 300
#define ID_N_CLOSE 301
#define ID_N_SEARCH_CAPTION 302
#define ID_N5 303
#define ID_N7 304
#define ID_N_ABOUT 305
#define ID_N_SEARCH 306
#define ID_A_ESC 310
#define ID_ACTION1 311
