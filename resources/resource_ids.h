// Every resource, command and dialog-control id of the program, defined once. Plain macros, because the
// resource compiler reads this file as well as the C++ compiler. String-table ids live in string_table.inc.
#pragma once

// Icons.
#define IDI_PROGRAM 101
#define IDI_PLUG_ROW 102
#define IDI_UNPLUG_ROW 113

// Menus and accelerators.
#define IDR_MAIN_MENU 102
#define IDR_ACCELERATORS 103
#define IDR_CONTEXT_MENU 104
#define IDR_TRAY_MENU 109

// Bitmaps and cursor.
#define IDB_TOOLBAR 104
#define IDB_SORT_ASCENDING 133
#define IDB_SORT_DESCENDING 134
#define IDR_HAND_CURSOR 103

// The carried USB ID list, a raw resource of type BIN.
#define IDR_USB_IDS 112

// Dialogs.
#define IDD_PROPERTIES 105
#define IDD_EXCEPTION 107
#define IDD_ABOUT 112
#define IDD_COLUMN_SETTINGS 1096

// Column Settings dialog controls.
#define IDC_COLUMNS_HINT 1000
#define IDC_COLUMNS_LIST 1001
#define IDC_COLUMNS_WIDTH_LABEL 1002
#define IDC_COLUMNS_MOVE_UP 1003
#define IDC_COLUMNS_MOVE_DOWN 1004
#define IDC_COLUMNS_WIDTH 1005
#define IDC_COLUMNS_SHOW 1006
#define IDC_COLUMNS_HIDE 1007
#define IDC_COLUMNS_DEFAULT 1008

// Properties dialog controls: invisible templates of the rows built at run time.
#define IDC_PROPERTIES_VALUE 1000
#define IDC_PROPERTIES_LABEL 1001

// Exception dialog controls.
#define IDC_EXCEPTION_REPORT 1002
#define IDC_EXCEPTION_HEADING 1003
#define IDC_EXCEPTION_ADVICE 1004
#define IDC_EXCEPTION_COPY 3

// About dialog controls.
#define IDC_ABOUT_CREDIT 1002
#define IDC_ABOUT_LINK 1004
#define IDC_ABOUT_TRANSLATION 1005
#define IDC_ABOUT_TRANSLATOR 1006

// Commands, shared by menus, toolbar, accelerators and the tray menu.
#define IDM_SAVE_SELECTED 40001
#define IDM_EXIT 40002
#define IDM_ABOUT 40003
#define IDM_REFRESH 40004
#define IDM_SHOW_GRID_LINES 40005
#define IDM_HTML_REPORT_ALL 40006
#define IDM_SELECT_ALL 40007
#define IDM_COPY_SELECTED 40008
#define IDM_PROPERTIES 40009
#define IDM_HTML_REPORT_SELECTED 40010
#define IDM_CHOOSE_COLUMNS 40011
#define IDM_AUTO_SIZE_COLUMNS 40012
#define IDM_FIND 40014
#define IDM_DESELECT_ALL 40015
#define IDM_SHOW_TOOLTIPS 40022
#define IDM_SHOW_TIME_IN_GMT 40023
#define IDM_PUT_ICON_ON_TRAY 40024
#define IDM_OPEN 40026
#define IDM_START_AS_HIDDEN 40028
#define IDM_CLEAR_LOG 40029
#define IDM_SHOW_EARLIER_CONNECTIONS 40030
#define IDM_KEEP_LOG_FILE 40031
#define IDM_SHOW_NOTIFICATIONS 40032
#define IDM_ONLY_NEW_DEVICES 40033
#define IDM_WRITE_TO_EVENT_LOG 40034
