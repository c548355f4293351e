// Writes the sample company file: one 1024-byte setup record for a small
// Italian company, filled through the record's own field table so that every
// value lands at the offset the program reads it from. Bytes that no field
// names stay zero. Usage: make_sample PATH (for example DITTA.001).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "data/setup_record.h"

namespace {

void set_bytes(SetupRecord& r, Field f, std::initializer_list<int> values) {
  int i = 0;
  for (int v : values) set_byte(r, f, i++, static_cast<uint8_t>(v));
}

// One printer-code sequence: at most 8 bytes; the zero padding is what ends it.
void set_code(SetupRecord& r, int set, int row, int half, std::initializer_list<int> bytes) {
  set_bytes(r, field::printer_code(set, row, half), bytes);
}

void fill_headings(SetupRecord& r) {
  set_text(r, field::heading_line(0), "Assistenza 051 555 0199");
  set_text(r, field::heading_line(1), "Commercio all'ingrosso");
  set_text(r, field::heading_line(2), "Ferramenta Bruni S.r.l.");
  set_text(r, field::heading_line(3), "Via dell'Industria 14");
  set_text(r, field::heading_line(4), "40138 Bologna (BO)");
  set_text(r, field::heading_line(5), "P.IVA 01234567890");
}

void fill_protected(SetupRecord& r) {
  set_text(r, field::access_word, "demo");
  set_text(r, field::protected_text_0, "Licenza: Ferramenta Bruni");
  set_text(r, field::protected_text_1, "Licenza nr. 2016-00417");
  set_text(r, field::protected_text_2, "Rivenditore: Soft Emilia snc");
}

void fill_printers(SetupRecord& r) {
  set_text(r, field::printer_name_line(0), "Stampante ad aghi 136 col.");
  set_text(r, field::printer_name_line(1), "Laser A4 amministrazione");

  // Set 0: a dot-matrix printer's escape codes.
  set_code(r, 0, 0, 0, {0x1B, 0x40});
  set_code(r, 0, 0, 1, {0x0C});
  set_code(r, 0, 1, 0, {0x1B, 0x45});
  set_code(r, 0, 1, 1, {0x1B, 0x46});
  set_code(r, 0, 2, 0, {0x1B, 0x34});
  set_code(r, 0, 2, 1, {0x1B, 0x35});
  set_code(r, 0, 3, 0, {0x1B, 0x2D, 0x31});
  set_code(r, 0, 3, 1, {0x1B, 0x2D, 0x30});
  set_code(r, 0, 4, 0, {0x0F});
  set_code(r, 0, 4, 1, {0x12});
  set_code(r, 0, 5, 0, {0x1B, 0x57, 0x31});
  set_code(r, 0, 5, 1, {0x1B, 0x57, 0x30});
  set_code(r, 0, 6, 0, {0x1B, 0x78, 0x31});
  set_code(r, 0, 6, 1, {0x1B, 0x78, 0x30});
  set_code(r, 0, 7, 0, {0x1B, 0x4D});
  set_code(r, 0, 7, 1, {0x1B, 0x50});
  set_code(r, 0, 8, 0, {0x1B, 0x30});
  set_code(r, 0, 8, 1, {0x1B, 0x32});

  // Set 1: a laser printer's escape codes.
  set_code(r, 1, 0, 0, {0x1B, 0x45});
  set_code(r, 1, 0, 1, {0x1B, 0x45});
  set_code(r, 1, 1, 0, {0x1B, 0x28, 0x73, 0x33, 0x42});
  set_code(r, 1, 1, 1, {0x1B, 0x28, 0x73, 0x30, 0x42});
  set_code(r, 1, 2, 0, {0x1B, 0x28, 0x73, 0x31, 0x53});
  set_code(r, 1, 2, 1, {0x1B, 0x28, 0x73, 0x30, 0x53});
  set_code(r, 1, 3, 0, {0x1B, 0x26, 0x64, 0x30, 0x44});
  set_code(r, 1, 3, 1, {0x1B, 0x26, 0x64, 0x40});
  set_code(r, 1, 4, 0, {0x1B, 0x28, 0x73, 0x31, 0x36, 0x2E, 0x36, 0x48});  // all 8 bytes
  set_code(r, 1, 4, 1, {0x1B, 0x28, 0x73, 0x31, 0x30, 0x48});
  set_code(r, 1, 5, 0, {0x1B, 0x28, 0x73, 0x35, 0x48});
  set_code(r, 1, 5, 1, {0x1B, 0x28, 0x73, 0x31, 0x30, 0x48});
  set_code(r, 1, 6, 0, {0x1B, 0x28, 0x73, 0x32, 0x51});
  set_code(r, 1, 6, 1, {0x1B, 0x28, 0x73, 0x31, 0x51});
  set_code(r, 1, 7, 0, {0x1B, 0x28, 0x73, 0x31, 0x32, 0x48});
  set_code(r, 1, 7, 1, {0x1B, 0x28, 0x73, 0x31, 0x30, 0x48});
  set_code(r, 1, 8, 0, {0x1B, 0x26, 0x6C, 0x38, 0x44});
  set_code(r, 1, 8, 1, {0x1B, 0x26, 0x6C, 0x36, 0x44});

  // Values 0-7: lines per page, top margin, left margin, columns, printer
  // (bit 0), code set, copies, bottom margin.
  set_byte(r, field::active_set, 0, 0);
  set_bytes(r, field::param_row(field::printer_params, 0), {66, 3, 5, 136, 0, 0, 1, 3});
  set_bytes(r, field::param_row(field::printer_params, 1), {72, 2, 8, 80, 1, 1, 1, 2});
  set_bytes(r, field::param_row(field::aux_params, 0), {10, 1, 0, 12, 2, 0, 0, 0});
  set_bytes(r, field::param_row(field::aux_params, 1), {15, 1, 1, 12, 2, 0, 0, 0});
}

void fill_currencies(SetupRecord& r) {
  struct Currency {
    const char* code;
    double rate;  // units per euro
  };
  // HUF carries more significant digits than the editor offers back (10):
  // accepted unchanged it keeps them all.
  const Currency table[12] = {
      {"EUR", 1.0},     {"USD", 1.0834},      {"GBP", 0.85715},  {"CHF", 0.9412},
      {"JPY", 162.37},  {"SEK", 11.2346},     {"NOK", 11.5472},  {"DKK", 7.45862},
      {"CAD", 1.4691},  {"AUD", 1.6457},      {"PLN", 4.3185},   {"HUF", 395.123456789012},
  };
  for (int i = 0; i < 12; ++i) {
    set_text(r, field::currency_code_at(i), table[i].code);
    set_double(r, field::currency_rate_at(i), table[i].rate);
  }
}

void fill_options(SetupRecord& r) {
  set_text(r, field::setup_ext, "001");
  set_byte(r, field::option_flags_a, 0, 0x3F);
  set_byte(r, field::option_flags_b, 0, 0x4A);
  set_byte(r, field::option_flags_c, 0, 0x05);
  // Two digits per byte: high nibble and low nibble.
  set_bytes(r, field::number_formats, {0x92, 0x63, 0x72, 0x30});
  // Exactly 20 characters: the field holds no terminator.
  set_text(r, field::short_text, "FERRAMENTA BRUNI SRL");
}

void fill_numbers(SetupRecord& r) {
  set_bytes(r, field::digit_row(0), {2, 2, 3, 1, 0, 4, 5, 1, 2, 3});
  set_bytes(r, field::digit_row(1), {1, 1, 1, 2, 2, 2, 3, 3, 0, 5});
  set_byte(r, field::digit_row_sel, 0, 0);
  // -5 is stored as 0xFB and shown as -5.
  set_bytes(r, field::value_list, {3, 7, 0, 5, -5, 2, 9, 1});
}

// The editor's colour preset, so the sample opens in the same colours that
// the preset entry of the colour menu gives.
void fill_palette(SetupRecord& r) {
  static const uint8_t colour_preset[4][16] = {
      {0x02, 0x30, 0x60, 0x3F, 0x72, 0x7A, 0x7F, 0x4E, 0x4F, 0x0E, 0x71, 0x1F, 0x70, 0x2F, 0x74, 0x0F},
      {0x02, 0x4F, 0x1F, 0x4E, 0x2E, 0x43, 0x35, 0x40, 0x3F, 0x72, 0x62, 0x61, 0x63, 0x6E, 0x6F, 0x5F},
      {0x02, 0x04, 0x1F, 0x0E, 0x61, 0x0F, 0x0F, 0x41, 0x51, 0x31, 0x71, 0x5E, 0x3E, 0x34, 0x50, 0x74},
      {0x02, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F},
  };
  set_byte(r, field::palette_kind, 0, 2);
  for (int g = 0; g < 4; ++g)
    for (int s = 0; s < 16; ++s) set_byte(r, field::palette, 16 * g + s, colour_preset[g][s]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s COMPANY_FILE\n", argv[0]);
    return 2;
  }
  SetupRecord record{};
  fill_headings(record);
  fill_protected(record);
  fill_printers(record);
  fill_currencies(record);
  fill_options(record);
  fill_numbers(record);
  fill_palette(record);

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "%s: cannot create %s: %s\n", argv[0], argv[1], std::strerror(errno));
    return 1;
  }
  const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
