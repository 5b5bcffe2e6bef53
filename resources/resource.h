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
#define IDM_MANUAL 1305
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

// Symbology page (SYMBOLOGY_DLG): check boxes 101 to 117, each with its "Configure..." button
// 100 above it (Code 93 and Code 128 have none).
#define IDC_SYMBOLOGY_FIRST 101
#define IDC_CONFIGURE_OFFSET 100
#define IDC_SYMBOLOGY_RESET 220
#define IDC_PREFIX_CODE 601
#define IDC_SUFFIX_CODE 602

// Length Code page (LENGTHCODE_DLG): check boxes 101 to 117, one per symbology in the order of
// the symbology table.
#define IDC_LENGTH_CODE_FIRST 101
#define IDC_LENGTH_CODE_SELECT_ALL 201
#define IDC_LENGTH_CODE_CLEAR_ALL 202
#define IDC_LENGTH_CODE_RESET 203

// Code ID page (CODEID_DLG): key-entry boxes 601 to 616 in the page's order; "Set 1" to "Set 5"
// are 201 to 205.
#define IDC_CODE_ID_FIRST 601
#define IDC_CODE_ID_SET_1 201
#define IDC_CODE_ID_CLEAR 206

// Symbology parameter dialogs (CODE39DLG ... PDF417DLG). Ids repeat from dialog to dialog.
// Code 39.
#define IDC_CODE39_FULL_ASCII 101
#define IDC_CODE39_TRANSMIT_START_STOP 102
#define IDC_CODE39_VERIFY_CHECKSUM 103
#define IDC_CODE39_TRANSMIT_CHECKSUM 104
// Italian and French Pharmacode.
#define IDC_PHARMACODE_TRANSMIT_CHECKSUM 101
// Industrial 25, Interleave 25 and Matrix 25, one layout: start / stop radios 401 to 403.
#define IDC_25_START_STOP_FIRST 401
#define IDC_25_VERIFY_CHECKSUM 101
#define IDC_25_TRANSMIT_CHECKSUM 102
#define IDC_25_TRANSMIT_FIRST_0 103
#define IDC_25_FIXED_LENGTH 404
#define IDC_25_MAX_MIN_LENGTH 405
// The length qualification of those three and of MSI: labels and boxes of the two lengths.
#define IDC_LENGTH_1_LABEL 501
#define IDC_LENGTH_2_LABEL 502
#define IDC_LENGTH_1 601
#define IDC_LENGTH_2 602
// Codabar: start / stop character radios 401 to 404.
#define IDC_CODABAR_START_STOP_FIRST 401
#define IDC_CODABAR_TRANSMIT_START_STOP 101
#define IDC_CODABAR_CLSI_CONVERSION 102
// UPCE, EAN 8, EAN 13 and UPCA: the add-on variants, then each one's options.
#define IDC_NO_ADDON 101
#define IDC_ADDON_2 102
#define IDC_ADDON_5 103
#define IDC_UPCE_CONVERT_TO_UPCA 104
#define IDC_UPCE_TRANSMIT_CHECKSUM 105
#define IDC_UPCE_TRANSMIT_SYSTEM_NUMBER 106
#define IDC_UPCE_SYSTEM_NUMBER_FIRST 401
#define IDC_EAN8_CONVERT_TO_EAN13 104
#define IDC_EAN8_TRANSMIT_CHECKSUM 105
#define IDC_EAN13_ISBN_CONVERSION 104
#define IDC_EAN13_ISSN_CONVERSION 105
#define IDC_EAN13_TRANSMIT_CHECKSUM 106
#define IDC_UPCA_CONVERT_TO_EAN13 104
#define IDC_UPCA_TRANSMIT_CHECKSUM 105
#define IDC_UPCA_TRANSMIT_SYSTEM_NUMBER 106
// MSI: checksum verification radios 401 to 403, checksum transmission radios 404 to 406.
#define IDC_MSI_VERIFICATION_FIRST 401
#define IDC_MSI_TRANSMISSION_FIRST 404
#define IDC_MSI_FIXED_LENGTH 407
#define IDC_MSI_MAX_MIN_LENGTH 408
// Plessey.
#define IDC_PLESSEY_CONVERT_TO_UK 101
#define IDC_PLESSEY_TRANSMIT_CHECKSUM 102
// EAN 128 and PDF 417: key-entry boxes.
#define IDC_FIELD_SEPARATOR 601
#define IDC_PDF417_ESCAPE_CHARACTER 601
#define IDC_PDF417_PREFIX_CODE 602
#define IDC_PDF417_SUFFIX_CODE 603

// Scanner link: the "Open COM Port" dialog (COMSETTINGDLG) and the progress window (PROGRESSDLG).
#define IDC_COM_PORT 701
#define IDC_PROGRESS_TEXT 501

// Compare with scanner: the last command of the Download menu, its toolbar tooltip, and the
// dialog that lists what the scanner holds otherwise (COMPAREDLG).
#define IDM_COMPARE_WITH_SCANNER 1230
#define IDS_TIP_COMPARE 2230
#define IDC_COMPARE_SEND 201
#define IDC_COMPARE_USE 202
#define IDC_COMPARE_VERDICT 501
#define IDC_COMPARE_LIST 901

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

// Edit page (EDIT_DLG). Substitution n shows its number in 500 + n, its string to be replaced in
// 600 + n, "==>>" in 506 + n and its replacement in 606 + n; editing format n has its enable box
// 100 + n and its "Configure..." button 200 + n.
#define IDC_ENABLE_FORMAT_FIRST 101
#define IDC_EDITING_EXCLUSIVE 110
#define IDC_CONFIGURE_FORMAT_FIRST 201
#define IDC_EDIT_RESET 208
#define IDC_SUBSTITUTION_NUMBER_FIRST 501
#define IDC_SUBSTITUTION_ARROW_FIRST 507
#define IDC_STRING_TO_BE_REPLACED_FIRST 601
#define IDC_REPLACED_BY_FIRST 607

// "Configure Editing Format" sheet: the caption icon is TESSM. Its pages follow, in tab order.

// Applicable Conditions page (APPLICABLE_DLG): check boxes 101 to 125, one per code type in the
// order of the code-type table.
#define IDC_CODE_TYPE_FIRST 101
#define IDC_CODE_TYPE_SELECT_ALL 201
#define IDC_CODE_TYPE_CLEAR_ALL 202
#define IDC_MINIMUM_LENGTH 601
#define IDC_MAXIMUM_LENGTH 602
#define IDC_MATCHING_STRING 603
#define IDC_MATCHING_STRING_LOCATION 604

// Field Settings page (FIELDSETTINGS_DLG): "Field m" (200 + m) sets divider m; additional
// field a is box 600 + a.
#define IDC_FIELD_BUTTON_FIRST 201
#define IDC_NUMBER_OF_FIELDS 600
#define IDC_ADDITIONAL_FIELD_FIRST 601
#define IDC_NUMBER_OF_FIELDS_SPIN 800

// Fields Parameters dialog (FIELDSDLG).
#define IDC_INCLUDE_TERMINATING_STRING 101
#define IDC_DIVIDE_BY_TERMINATING_STRING 401
#define IDC_DIVIDE_BY_LENGTH 402
#define IDC_TERMINATING_STRING 601
#define IDC_FIELD_LENGTH 611
#define IDC_FIELD_LENGTH_SPIN 801

// Transmission Sequence page (TRANSMISSION_DLG): the button of field token t is 200 + t ("Field
// 1" to "Field 6", then "Additional Field 1" to "Additional Field 5"). The sequence is painted by
// the page.
#define IDC_TOKEN_FIRST 201
#define IDC_SEQUENCE_CLEAR 212
#define IDC_SEQUENCE 501

// Watch scanner output (WATCHDLG): the last command of the Download menu, and the window's
// controls, the RS-232 pane's from 3301 and the keyboard pane's from 3320.
#define IDM_WATCH_SCANNER_OUTPUT 1240
#define IDC_WATCH_PORT 3301
#define IDC_WATCH_BAUD 3302
#define IDC_WATCH_PARITY 3303
#define IDC_WATCH_DATA_BITS 3304
#define IDC_WATCH_FLOW 3305
#define IDC_WATCH_START 3306
#define IDC_WATCH_STATUS 3307
#define IDC_WATCH_HEX 3308
#define IDC_WATCH_SCANS 3309
#define IDC_WATCH_RS232_GROUP 3310
#define IDC_WATCH_CLEAR 3311
#define IDC_WATCH_KEYBOARD_GROUP 3320
#define IDC_WATCH_RECORD 3321
#define IDC_WATCH_KEY_STATUS 3322
#define IDC_WATCH_KEYS 3323

// Several scanners at once (FLEETDLG): two commands of the Download menu, one window in two
// modes, and its controls from 3501.
#define IDM_DOWNLOAD_FLEET 1250
#define IDM_READ_FLEET 1251
#define IDC_FLEET_SETTINGS 3501
#define IDC_FLEET_FOLDER 3502
#define IDC_FLEET_PORTS 3503
#define IDC_FLEET_VERIFY 3504
#define IDC_FLEET_START 3505
#define IDC_FLEET_STOP 3506
#define IDC_FLEET_RETRY 3507
// Find setting (FINDSETTINGDLG): a command of the Configure menu, the words typed and the
// settings they find.
#define IDM_FIND_SETTING 1140
#define IDC_FIND_TEXT 3401
#define IDC_FIND_LIST 3402
