// Where each text of the catalogue stands: the menu items, the pop-up blocks,
// the hints, titles and labels, by line index. The dialogs and the catalogue
// check read their line numbers from here and nowhere else.
#pragma once

namespace catalogue_map {

constexpr int MAIN_TITLE = 0;
constexpr int FIRST_MENU_ITEM = 1, LAST_MENU_ITEM = 12;
constexpr int SERVICE_TITLE = LAST_MENU_ITEM;  // the service item titles its dialog
constexpr int MENU_HINT = 13;
constexpr int INVALID_CHOICE = 16;
constexpr int SERVICE_HINT = 19;
constexpr int FIRST_HEADING_HINT = 20;  // one per heading line 1-5
constexpr int FIRST_PRINTER_NAME_HINT = 29;
constexpr int DIGITS_HEADING = 31;
constexpr int EVEN_FORMAT_BYTE_HINT = 33, ODD_FORMAT_BYTE_HINT = 89;
constexpr int CURRENCY_CODE_HINT = 34, CURRENCY_RATE_HINT = 35;
constexpr int FIRST_PRINTER_CODE_HINT = 36;  // one per code, on 0 .. off 9
constexpr int SETUP_EXT_HINT = 56;
constexpr int PARAM_CHOOSER_HINT = 57, FIRST_PARAM_VALUE_HINT = 58;
constexpr int CODE_SET_HINT = 63;
constexpr int DIGIT_LABEL = 67, DIGIT_ROWS_HINT = 68;
constexpr int CURRENT_WORD_HINT = 73, NEW_WORD_HINT = 74;
constexpr int VALUE_LIST_HINT = 75, EVEN_VALUE_LABEL = 76, ODD_VALUE_LABEL = 77;
constexpr int COLOUR_GRID_TITLE = 86;
constexpr int SHORT_TEXT_HEADING = 90;  // also the short text's hint
constexpr int SETUP_FILE_MISSING = 92;
constexpr int CODE_ON_HEADING = 93, CODE_OFF_HEADING = 94;
constexpr int FLAGS_B_TITLE = 95, FIRST_FLAGS_B_LABEL = 96;
constexpr int CHECK_BOX_HINT = 104;
constexpr int OPTIONS_TITLE = 120, FIRST_OPTION_LABEL = 121;
constexpr int FLAGS_A_TITLE = 130, FIRST_FLAGS_A_LABEL = 131;
constexpr int LINES_SHOWN = 139;  // lines 0-138 appear on some screen

// A pop-up menu: its title line, then its entries on the lines that follow.
struct PopupBlock {
  int title, entries;
  constexpr int entry(int k) const { return title + k; }  // k = 1..entries
  constexpr int last() const { return title + entries; }
};
constexpr PopupBlock COLOUR_POPUP{78, 7};
constexpr PopupBlock PRINTER_POPUP{105, 3};
constexpr PopupBlock HEADING_POPUP{115, 3};
constexpr PopupBlock POPUPS[] = {COLOUR_POPUP, PRINTER_POPUP, HEADING_POPUP};

constexpr int MONOCHROME_ENTRY = COLOUR_POPUP.entry(1);
constexpr int COLOUR_PRESET_ENTRY = COLOUR_POPUP.entry(2);
constexpr int COLOUR_SEPARATOR = COLOUR_POPUP.entry(3);  // a '~' line, no entry
constexpr int FIRST_GROUP_ENTRY = COLOUR_POPUP.entry(4);  // one per palette group
constexpr int PRINTER_NAMES_ENTRY = PRINTER_POPUP.entry(1);
constexpr int PRINTER_CODES_ENTRY = PRINTER_POPUP.entry(2);
constexpr int PARAMETERS_ENTRY = PRINTER_POPUP.entry(3);

}  // namespace catalogue_map
