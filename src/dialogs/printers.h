// Menu-bar item 2: the printer submenu (names, control codes, parameter
// sets); menu-bar item 10: the auxiliary parameter sets.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "data/setup_record.h"

void printer_menu();
void edit_printer_names();
void edit_printer_codes();
void edit_printer_params();
void edit_aux_params();
// The parameter-set dialog over one 2 x 8 table of the record.
void param_set_dialog(Field table);
void reset_printer_menu();

// A control-code sequence as shown and offered for editing: its bytes up to
// the last non-zero one, 00 bytes included, as lowercase hex pairs.
std::string hex_sequence(const uint8_t* bytes);
// Stores a typed entry into the 8 bytes: pairs of hex digits from the start,
// an unpaired last digit dropped, the rest zeroed; an empty entry changes
// nothing.
void parse_code_entry(const std::string& entry, uint8_t* bytes);
