// The chooser between the two rows of a small table (parameter sets, digit
// rows). The choice lives in one selector byte of the record; only 0 and 1
// are rows, and any other stored value reads as row 1 and stays in the byte
// until the chooser moves to another row. The chooser compares raw key
// codes, so the letters H, P and O act as Up, Down and End, whose scan codes
// they share. Up and Down move without wrap-around, Enter and End end it,
// every other key (Esc included) is ignored; the choice is stored when the
// row moves.
#pragma once
#include "data/setup_record.h"
#include "platform/keys.h"

namespace chooser {
constexpr int UP = key::scan::UP, DOWN = key::scan::DOWN, SAVE = key::scan::END, EDIT = key::ENTER;
}  // namespace chooser

struct RowChooser {
  Field selector;        // the byte that holds the chosen row
  int column, first_row;  // where the label "0:" of row 0 stands
  int chosen_attr, other_attr;
  int hint;  // shown before every key; a negative line shows none
};

int chosen_row(const RowChooser& c) noexcept;
// "0:" and "1:", the chosen row's label in chosen_attr.
void print_row_labels(const RowChooser& c, int chosen) noexcept;
// Returns chooser::EDIT or chooser::SAVE.
int choose_row(const RowChooser& c) noexcept;
