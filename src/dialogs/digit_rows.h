// Menu-bar item 5: the two digit rows and the choice between them; menu-bar
// item 8: the value list.
#pragma once

void edit_digit_rows();
void edit_value_list();
