// Which dialog each menu-bar item opens.
#pragma once
#include "shell/main_loop.h"

const DialogTable& menu_dialogs() noexcept;
