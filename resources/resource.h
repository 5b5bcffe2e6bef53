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

// Interface page (INTERFACE_DLG). Each group's labels and lists share their last two digits.
#define IDC_LAPTOP_SUPPORT 101
#define IDC_INTERFACE_RESET 201
#define IDC_INTERFACE_LABEL 501
#define IDC_KEYBOARD_TYPE_LABEL 502
#define IDC_ALPHABETS_TRANSMISSION_LABEL 503
#define IDC_CAPITAL_LOCK_TYPE_LABEL 504
#define IDC_ALPHABETS_LAYOUT_LABEL 505
#define IDC_ALTERNATE_COMPOSING_LABEL 506
#define IDC_DIGITS_TRANSMISSION_LABEL 507
#define IDC_CAPITAL_LOCK_STATE_LABEL 508
#define IDC_DIGITS_LAYOUT_LABEL 509
#define IDC_TRANSMISSION_MODE_LABEL 510
#define IDC_BAUD_RATE_LABEL 511
#define IDC_PARITY_LABEL 512
#define IDC_DATA_BIT_LABEL 513
#define IDC_FLOW_CONTROL_LABEL 514
#define IDC_MARGIN_TIME_LABEL 515
#define IDC_MODULE_TIME_LABEL 516
#define IDC_NORMAL_STATE_LABEL 517
#define IDC_BAR_STATE_LABEL 518
#define IDC_PDF417_BLOCK_DELAY_LABEL 519
#define IDC_INTER_CHARACTER_DELAY_LABEL 520
#define IDC_INTER_CHARACTER_DELAY_RANGE 521
#define IDC_CAPITAL_LOCK_AUTO_DETECTION_LABEL 522
#define IDC_INTER_CHARACTER_DELAY 601
#define IDC_INTERFACE 701
#define IDC_KEYBOARD_TYPE 702
#define IDC_ALPHABETS_TRANSMISSION 703
#define IDC_CAPITAL_LOCK_TYPE 704
#define IDC_ALPHABETS_LAYOUT 705
#define IDC_ALTERNATE_COMPOSING 706
#define IDC_DIGITS_TRANSMISSION 707
#define IDC_CAPITAL_LOCK_STATE 708
#define IDC_DIGITS_LAYOUT 709
#define IDC_TRANSMISSION_MODE 710
#define IDC_BAUD_RATE 711
#define IDC_PARITY 712
#define IDC_DATA_BIT 713
#define IDC_FLOW_CONTROL 714
#define IDC_MARGIN_TIME 715
#define IDC_MODULE_TIME 716
#define IDC_NORMAL_STATE 717
#define IDC_BAR_STATE 718
#define IDC_PDF417_BLOCK_DELAY 719
#define IDC_CAPITAL_LOCK_AUTO_DETECTION 722

// Length Code page (LENGTHCODE_DLG): check boxes 101 to 117, one per symbology in the order of
// the symbology table.
#define IDC_LENGTH_CODE_FIRST 101
#define IDC_LENGTH_CODE_SELECT_ALL 201
#define IDC_LENGTH_CODE_CLEAR_ALL 202
#define IDC_LENGTH_CODE_RESET 203

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
