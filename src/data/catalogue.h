// The text catalogue: every word the program shows, one text per line, by
// line index. Files are read as DOS text (CR LF is one newline, a Ctrl+Z byte
// ends the file), then cut by the historical 30-characters-per-read rule that
// catalogue files are written for: a text may hold 29 characters; a longer
// line is split and shifts every later index.
#pragma once
#include <cstdio>
#include <string>

constexpr int CATALOGUE_LINES = 260;
// More raw bytes than 260 reads of 30 characters can take (as if every
// character were a CR LF pair), plus one to tell whether a final CR is
// followed by LF. Reading stops there, so an endless or huge file costs no
// more than a normal one.
constexpr size_t CATALOGUE_RAW_LIMIT = 2 * CATALOGUE_LINES * 30 + 1;

// load_catalogue_file's answer for a FIFO, directory or socket: only a
// regular file or a character device is read.
constexpr int CATALOGUE_NOT_REGULAR = -1;

// Loads the catalogue file at path, replacing whatever was loaded before,
// reading no further than the last line the catalogue can have. Returns 0,
// an errno value or CATALOGUE_NOT_REGULAR.
int load_catalogue_file(const std::string& path);
// Loads from an open file as load_catalogue_file does. Returns 0, or the
// errno value of a failed read (what was read is kept).
int load_catalogue(std::FILE* file);
// Opens path for reading as a catalogue is opened: never blocking (a FIFO
// would wait for a writer), a regular file or a character device only. The
// descriptor, or -1 with error set to an errno value or CATALOGUE_NOT_REGULAR.
int open_regular_or_device(const std::string& path, int& error);
// The raw bytes of the catalogue file at path, opened and read as
// load_catalogue_file does: never more than CATALOGUE_RAW_LIMIT bytes.
// Returns 0, an errno value or CATALOGUE_NOT_REGULAR.
int read_catalogue_file(const std::string& path, std::string& bytes);
// The same from an open file; 0 or the errno value of a failed read.
int read_catalogue(std::FILE* file, std::string& bytes);
// Loads from the raw bytes of a catalogue file.
void load_catalogue_bytes(const std::string& bytes);
// The raw bytes as DOS text mode reads them, before the 30-character rule:
// CR LF becomes LF, and nothing from a Ctrl+Z byte on is kept.
std::string catalogue_dos_text(const std::string& bytes);
// Text of line i; the empty text for a line the file did not supply or an
// index outside 0..259.
const char* catalogue_line(int i) noexcept;
// Number of lines loaded.
int catalogue_size() noexcept;
