// Menu-bar item 7: the twelve currency codes and exchange rates.
#pragma once

void edit_currencies();
