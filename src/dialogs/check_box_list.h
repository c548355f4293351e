// A list of check boxes over the bits of one option byte, worked on a copy:
// Space toggles the bit under the cursor, Up and Down move with wrap-around,
// Enter and Esc end. Keys it does not use are ignored without the bell.
#pragma once
#include <cstdint>

struct CheckBoxList {
  int x, y;          // column of "[", row of bit 0
  int first_bit, last_bit;
  bool bit_values = true;  // "[X] 10 label" rather than "[X] label"
};

// Draws the rows "[X] hex label" (or "[X] label") for bits last_bit down to first_bit;
// label_line is the catalogue line of first_bit.
void draw_check_boxes(const CheckBoxList& list, uint8_t value, int label_line) noexcept;
// Lets the operator toggle bits of value; returns the KeyCode that ended
// (Enter or Esc).
int run_check_boxes(const CheckBoxList& list, uint8_t& value) noexcept;
