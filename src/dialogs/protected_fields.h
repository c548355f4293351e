// Menu-bar item 6: the access word and the three protected texts, behind the
// current access word; menu-bar item 12 (service mode only): the service line.
#pragma once

void edit_protected();
void edit_service_line();
