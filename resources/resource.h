// Resource ids. Commands, strings and controls keep the numbers the scanner documentation and
// the test scripts know them by.
#pragma once

// Labels that no code refers to.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main window: menu commands. Each command's menu help string has the command's own id.
#define IDM_FILE_NEW 1010
#define IDM_FILE_OPEN 1020
#define IDM_FILE_SAVE 1030
#define IDM_FILE_SAVE_AS 1040
#define IDM_FILE_EXIT 1090
#define IDM_CONFIGURE_SCANNER 1120
#define IDM_READ_SCANNER_SETTINGS 1130
#define IDM_PRINT_SCANNER_SETTINGS 1210
#define IDM_DOWNLOAD_SETTINGS 1220
#define IDM_ABOUT 1310

// Main window: a toolbar button's tooltip is the string whose id is its command id + 1000.
#define IDS_TOOLTIP_OFFSET 1000
#define IDS_TIP_NEW 2010
#define IDS_TIP_OPEN 2020
#define IDS_TIP_SAVE 2030
#define IDS_TIP_CONFIGURE 2120
#define IDS_TIP_PRINT 2210
#define IDS_TIP_DOWNLOAD 2220

// Main window: child windows.
#define IDC_TREE_VIEW 1
#define IDC_STATUS_BAR 101
#define IDC_TOOLBAR 102

// About box.
#define IDC_ABOUT_ICON 501
#define IDC_ABOUT_TITLE 502
#define IDC_ABOUT_NOTICE 503

// Reader Settings sheet: the caption icon is TESSM. Pages are the templates below, in tab order.

// Scanner page (SCANNER_DLG).
#define IDC_READ_NEGATIVE_BARCODE 101
#define IDC_DISABLE_BUZZER 102
#define IDC_TRANSMIT_BUFFER 103
#define IDC_MEMORY_SCANNER 104
#define IDC_SCANNER_RESET 201
#define IDC_SCANNER_TIMEOUT 601
#define IDC_SCAN_MODE 701
#define IDC_READ_REDUNDANCY 702
#define IDC_DELAY_BETWEEN_REREAD 703
#define IDC_BUZZER_FREQUENCY 704
#define IDC_TRANSMISSION_DELAY 705
#define IDC_DATA_DELAY 706
#define IDC_SCANNER_TIMEOUT_SPIN 801

// Scanner link: the "Open COM Port" dialog (COMSETTINGDLG) and the progress window (PROGRESSDLG).
#define IDC_COM_PORT 701
#define IDC_PROGRESS_TEXT 501

// Key entry grid (GRID_DLG). The grid and the resulting text are painted by the dialog.
#define IDC_ADD_SHIFT 101
#define IDC_ADD_LEFT_CTRL 102
#define IDC_ADD_LEFT_ALT 103
#define IDC_ADD_RIGHT_CTRL 104
#define IDC_ADD_RIGHT_ALT 105
#define IDC_ADD_BREAK 106
#define IDC_GRID_CLEAR 201
#define IDC_SCAN_CODE 401
#define IDC_NORMAL_KEY 402
#define IDC_KEY_GRID 501
#define IDC_RESULTING_TEXT 502
#define IDC_KEY_TYPE 511
#define IDC_KEY_STATUS 512
