// Every candidate is built as bytes and the shortest wins; on a tie the
// absolute move is kept, since it leaves no doubt about the place.
// A vertical move keeps the column, so each candidate is a vertical part
// (CUU/CUD) followed by a horizontal one on the target row.
#include "platform/term_writer_motion.h"

namespace {

// CSI with a count, the count left out when it is 1 (the default).
std::string counted(int count, char final_byte) {
  std::string s = "\x1b[";
  if (count != 1) s += std::to_string(count);
  return s + final_byte;
}

std::string vertical(int rows) {
  if (rows == 0) return {};
  return rows > 0 ? counted(rows, 'B') : counted(-rows, 'A');
}

// The last cells of the rewrite run, or false when the run is too short.
bool rewrite_last(const std::vector<std::string>& run, int cells, std::string& out) {
  if (cells > static_cast<int>(run.size())) return false;
  for (size_t i = run.size() - static_cast<size_t>(cells); i < run.size(); ++i) out += run[i];
  return true;
}

// Rightwards on the target row from screen column from_x; a column left of
// the screen (after CR in a centred screen) has nothing to rewrite.
std::string forward(const Motion& m, int from_x) {
  const int cells = m.to.x - from_x;
  std::string move = counted(cells, 'C');
  std::string text;
  if (from_x >= 1 && rewrite_last(m.rewrite, cells, text) && text.size() <= move.size()) return text;
  return move;
}

std::string backward(int cells) {
  std::string move = counted(cells, 'D');
  if (static_cast<size_t>(cells) <= move.size()) return std::string(static_cast<size_t>(cells), '\b');
  return move;
}

// From column from_x to the target's column, both on the target row.
std::string horizontal(const Motion& m, int from_x) {
  std::string direct;
  if (from_x > m.to.x) direct = backward(from_x - m.to.x);
  if (from_x < m.to.x) direct = forward(m, from_x);
  if (direct.size() <= 1) return direct;
  // CR goes to the terminal's first column, left of a centred screen.
  const int first_column = 1 - m.origin_x;
  std::string via_return = "\r";
  if (m.to.x != first_column) via_return += forward(m, first_column);
  return via_return.size() < direct.size() ? via_return : direct;
}

// The absolute move to a place on the screen.
std::string absolute_move(CursorPlace to, int origin_x, int origin_y) {
  const int row = to.y + origin_y;
  const int col = to.x + origin_x;
  std::string s = "\x1b[";
  if (row != 1 || col != 1) s += std::to_string(row);
  if (col != 1) s += ';' + std::to_string(col);
  return s + 'H';
}

}  // namespace

std::string cheapest_motion(const Motion& m) noexcept {
  std::string absolute = absolute_move(m.to, m.origin_x, m.origin_y);
  if (m.from.x < 1 || m.from.y < 1) return absolute;
  std::string relative = vertical(m.to.y - m.from.y) + horizontal(m, m.from.x);
  return relative.size() < absolute.size() ? relative : absolute;
}
