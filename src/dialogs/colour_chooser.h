// The colour chooser: an 8 x 16 grid of every background/foreground pair,
// with a preview box drawn live in the attribute under the cursor.
#pragma once

// Edits slot s of group g; the slot takes every colour passed over at once,
// Enter also redraws what this program draws with that group and writes the
// record, Esc leaves the last colour shown in memory only.
void choose_colour(int g, int s);
