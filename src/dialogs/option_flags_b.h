// Menu-bar item 9: the eight option flags B as check boxes.
#pragma once

void edit_option_flags_b();
