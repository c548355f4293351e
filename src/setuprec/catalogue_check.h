// What a translator must get right in a catalogue file, checked against the
// way the editor loads and uses it: a line of 30 or more characters is split
// by the loader and moves every later line, menu hotkeys must be reachable
// and unique, and the bytes are code page 437.
#pragma once
#include <string>
#include <vector>

struct CatalogueProblem {
  int line;  // 1-based line of the file; the catalogue index is line - 1
  std::string text;
};

// Problems in the raw bytes of a catalogue file, in line order.
std::vector<CatalogueProblem> check_catalogue(const std::string& bytes);
