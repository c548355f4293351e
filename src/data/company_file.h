// The company file: opened once at start-up for update ("rb+": never
// created, never truncated) and kept open until the program ends. Record 0
// is the setup record.
#pragma once
#include <string>

// Opens the file; on failure returns the errno value and keeps nothing open.
int open_company_file(const std::string& path) noexcept;
// Reads record 0 into setup_record(); 0 or an errno value.
int load_setup_record() noexcept;
// Writes the whole setup_record() as record 0, flushed and synced; 0 or an
// errno value.
int store_setup_record() noexcept;
void close_company_file() noexcept;
// Closes the descriptor only: safe in a signal handler. Every save has been
// synced already, so nothing buffered is lost.
void close_company_file_from_signal() noexcept;
bool company_file_open() noexcept;
