// Where an installed program finds its companion files: the folder
// share/setupedit beside the bin folder that holds the running program
// (PREFIX/bin/setupedit -> PREFIX/share/setupedit), so an installation can be
// moved as a whole. A program run from its build folder has none.
#pragma once
#include <string>

// The folder below the installation's prefix.
constexpr const char* SHARE_SUBDIR = "/share/setupedit";

// That folder, or the empty text when it does not exist.
std::string installed_share_dir() noexcept;
// Appends dir to PATH, behind everything already there: the help command
// then finds the installed viewer, and a viewer of the operator's own wins.
void offer_share_dir_to_help(const std::string& dir) noexcept;
