// The main loop: hint, menu bar, dispatch, again, until the operator leaves.
#pragma once
#include <array>

#include "shell/menu_bar.h"

using Dialog = void (*)();
// The dialog of each menu-bar item, 1..12; index 0 is unused. A null entry
// is an item that does nothing.
using DialogTable = std::array<Dialog, menu::ITEMS + 1>;

constexpr int SERVICE_ITEM = 12;

// One round: hint, choice, dispatch. Returns false when the operator chose
// to leave.
bool main_loop_step(const DialogTable& dialogs) noexcept;
// Runs until the operator leaves, then shuts down; never returns.
[[noreturn]] void main_loop(const DialogTable& dialogs) noexcept;
// Closes the company file, restores the terminal, ends with status 0.
[[noreturn]] void shutdown() noexcept;
