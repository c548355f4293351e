// The cheapest bytes that take the terminal's cursor from where it is to
// where the next changed cell (or the grid's cursor) is: BS, CR, the relative
// moves with counts, writing again cells the terminal already shows, or the
// absolute move when nothing else is shorter. Pure: places in, bytes out.
#pragma once
#include <string>
#include <vector>

// A place in screen cells, 1-based; x == 0 or y == 0: not known (at start,
// or after writing the last column, where terminals differ on where the
// cursor is until it is moved absolutely).
struct CursorPlace {
  int x = 0;
  int y = 0;
};

struct Motion {
  CursorPlace from;
  CursorPlace to;
  int origin_x = 0;  // terminal columns left of the screen
  int origin_y = 0;  // terminal rows above it
  // The cells just left of to on its row that can be sent again exactly as
  // the terminal shows them, in its current attribute and character set:
  // rewrite[i] shows column to.x - rewrite.size() + i. It stops (leftwards) at
  // the first cell that cannot, or once it holds MOST_REWRITE_BYTES.
  std::vector<std::string> rewrite;
};

// Rewriting more than this is never cheaper than an absolute move.
constexpr size_t MOST_REWRITE_BYTES = 12;

std::string cheapest_motion(const Motion& motion) noexcept;
