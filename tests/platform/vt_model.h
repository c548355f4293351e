// A small model of a terminal for the writer's tests: it understands exactly
// what the writer may send (CUP, ED 2, SGR, the G0 character set switch,
// BEL, UTF-8 or single-byte text, and the relative moves BS, CR and
// CUU/CUD/CUF/CUB) and records anything else as an error, as
// well as a scroll caused by writing past the bottom-right cell. Private
// modes (CSI ? n h/l) are taken and change nothing: like the Linux console,
// it has no alternate screen.
//
// Colours are read back as attribute bytes: 16 colours as SGR 30-37/90-97,
// 256 colours only as the indices nearest the VGA colours, truecolor only as
// the VGA colours' RGB; anything else is an error. Monochrome (colours 0)
// reads back 0x70 for reverse, 0x07 otherwise, plus bold as 8 and blink.
#pragma once
#include <string>
#include <vector>

// The glyph of a DEC special graphics character; 0 for one it has none.
char32_t dec_graphic(char c);

struct VtCell {
  char32_t ch = U' ';
  int attr = -1;  // attribute byte read back from the SGR state; -1: default colours
};

class VtModel {
 public:
  VtModel(int columns, int rows, bool utf8 = true, int colours = 16);
  // The line-drawing set of a terminal whose terminfo acsc is this: each
  // byte sent in the set shows its symbol's glyph (a stand-in for symbols
  // without a box glyph), bytes it does not list show as themselves.
  void set_acsc(const std::string& acsc);
  void apply(const std::string& bytes);
  const VtCell& at(int column, int row) const { return cells_[(row - 1) * columns_ + column - 1]; }
  int cursor_column() const { return column_; }
  int cursor_row() const { return row_; }
  const std::vector<std::string>& errors() const { return errors_; }
  int bells() const { return bells_; }

 private:
  void control(unsigned char c);
  void csi(const std::string& params, char final_byte);
  void sgr(const std::string& params);
  void print(char32_t ch);
  char32_t in_line_drawing_set(unsigned char c);
  int colour(const std::vector<int>& n, size_t& i);
  void move_relative(int rows, int columns);
  int attr() const;

  int columns_, rows_;
  bool utf8_;
  int colours_;
  std::vector<VtCell> cells_;
  int column_ = 1, row_ = 1;
  bool pending_wrap_ = false;
  int fg_ = -1, bg_ = -1;  // BIOS colour numbers, -1 default
  bool bold_ = false, blink_ = false, reverse_ = false, line_drawing_ = false;
  std::string acsc_;
  std::vector<std::string> errors_;
  int bells_ = 0;
  // parser state
  enum class State { TEXT, ESC, CSI, CHARSET } state_ = State::TEXT;
  std::string params_;
  char32_t utf8_char_ = 0;
  int utf8_left_ = 0;
};
