// Row 25: a hint from the catalogue on the left (columns 1-39), short
// messages with the bell on the right (from column 41).
#pragma once
#include <string>

constexpr int NO_HINT = -1;

// Catalogue line `line` as the hint, or a cleared hint area for a negative
// line. Leaves palette slot attr[124] current.
void show_hint(int line) noexcept;
// Shows text with the bell, keeps it readable for about a second or until a
// key arrives (the key stays unread), then clears the message area. Leaves
// attribute 2 current. An empty text does nothing.
void show_message(const std::string& text) noexcept;
void invalid_choice() noexcept;

constexpr int MESSAGE_ATTR = 0x40;
constexpr int CLEARED_MESSAGE_ATTR = 0x02;
constexpr int MESSAGE_MILLISECONDS = 1000;
