// setuprec's record forms: dumps that copy records exactly, and assignments
// refused as a whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "data/field_names.h"
#include "setuprec/json_form.h"
#include "setuprec/record_commands.h"
#include "support/files.h"

namespace {

std::string join(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

SetupRecord random_record(std::mt19937& random) {
  SetupRecord r;
  for (auto& b : r) b = static_cast<uint8_t>(random());
  return r;
}

// The editor's texts: zero bytes from the first zero to the field's end.
void zero_after_terminators(SetupRecord& r) {
  for (const NamedField& f : named_fields()) {
    if (f.kind == FieldKind::TEXT) set_text(r, f.field, get_text(r, f.field));
  }
}

// Copies the bytes no field names from `from`: apply never writes them, so
// only the named ones can make the two records equal.
void copy_unused(const SetupRecord& from, SetupRecord& to) {
  std::vector<bool> named(RECORD_SIZE, false);
  for (const NamedField& f : named_fields())
    for (int i = 0; i < f.field.size; ++i) named[static_cast<size_t>(f.field.offset + i)] = true;
  for (int i = 0; i < RECORD_SIZE; ++i)
    if (!named[static_cast<size_t>(i)]) to[static_cast<size_t>(i)] = from[static_cast<size_t>(i)];
}

// show (or show --json) of `source`, applied over `target`.
std::vector<std::string> apply_show(const SetupRecord& source, SetupRecord& target, bool json) {
  std::vector<std::string> errors;
  const std::vector<Assignment> dump =
      json ? read_json_dump(json_record(source), errors) : read_dump(join(show_lines(source)), errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  return apply_assignments(target, dump);
}

TEST(SetuprecRoundTrip, ShowThenApplyCopiesEveryNamedByte) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 100; ++trial) {
    SetupRecord source = random_record(random);
    zero_after_terminators(source);
    SetupRecord target = random_record(random);
    copy_unused(source, target);
    const auto errors = apply_show(source, target, trial % 2);
    ASSERT_TRUE(errors.empty()) << "trial " << trial << ": " << errors.front();
    for (int i = 0; i < RECORD_SIZE; ++i)
      ASSERT_EQ(target[i], source[i]) << "trial " << trial << " (odd: JSON), byte " << i;
  }
}

TEST(SetuprecRoundTrip, AnyRecordShowsTheSameAfterApply) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 100; ++trial) {
    const SetupRecord source = random_record(random);  // texts keep bytes after their end
    SetupRecord target = random_record(random);
    const auto errors = apply_show(source, target, trial % 2);
    ASSERT_TRUE(errors.empty()) << "trial " << trial << ": " << errors.front();
    ASSERT_EQ(show_lines(target), show_lines(source)) << "trial " << trial << " (odd: JSON)";
  }
}

// The bytes no named field covers are exactly the record's unused ones: a
// field left out of the table, or placed wrong, shows here.
TEST(SetuprecShow, NamedFieldsCoverEveryUsedByteOnce) {
  std::vector<int> cover(RECORD_SIZE, 0);
  for (const NamedField& f : named_fields()) {
    const bool second_digit = f.kind == FieldKind::LOW_DIGIT;  // shares its byte with the high digit
    for (int i = 0; i < f.field.size && !second_digit; ++i) ++cover[static_cast<size_t>(f.field.offset + i)];
  }
  std::vector<int> unused, twice;
  for (int i = 0; i < RECORD_SIZE; ++i) {
    if (cover[static_cast<size_t>(i)] == 0) unused.push_back(i);
    if (cover[static_cast<size_t>(i)] > 1) twice.push_back(i);
  }
  EXPECT_EQ(unused, (std::vector<int>{392, 393, 394, 395, 396, 397, 398, 399, 869, 943, 945, 951, 952, 953, 956, 957,
                                      958, 959}));
  EXPECT_TRUE(twice.empty()) << twice.front();
}

TEST(SetuprecShow, FormsOfEachKind) {
  SetupRecord r{};
  set_text(r, field::heading_line(2), std::string("Caf\x82 \"A\"\\\x01"));
  set_double(r, field::currency_rate_at(3), 1.0842);
  set_byte(r, field::printer_code(1, 4, 0), 0, 0x1b);
  set_byte(r, field::printer_code(1, 4, 0), 2, 0x40);
  set_byte(r, field::palette, 5, 0x7a);
  set_byte(r, field::value_list, 1, 0xfb);
  set_byte(r, field::option_flags_a, 0, 0x85);
  set_byte(r, field::number_formats, 2, 0xc3);
  uint64_t nan_bits = 0x7ff0000000000123ULL;
  double nan;
  std::memcpy(&nan, &nan_bits, sizeof nan);
  set_double(r, field::currency_rate_at(0), nan);
  set_double(r, field::currency_rate_at(1), -0.0);
  const std::string cases[] = {
      "heading[2] = \"Café \\\"A\\\"\\\\\\x01\"",
      "currency_rate[0] = nan(0x7ff0000000000123)",
      "currency_rate[1] = -0",
      "currency_rate[3] = 1.0842",
      "printer_codes[1][4].on = 1b 00 40",
      "printer_codes[1][4].off =",
      "palette[0][5] = 0x7a",
      "value_list[1] = -5",
      "option_flags_a = 0b10000101",
      "number_formats[2].high = 12",
      "number_formats[2].low = 3",
  };
  for (const std::string& c : cases) {
    const auto lines = show_lines(r);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c), lines.end()) << c;
  }
}

TEST(SetuprecSet, RefusalsNameTheFieldAndTheRule) {
  const struct {
    const char* assignment;
    const char* error;
  } cases[] = {
      {"heading[6]=\"x\"", "heading[6]: no field of that name"},
      {"Heading[1]=\"x\"", "Heading[1]: no field of that name"},
      {"heading[1]=\"123456789012345678901234567890123\"", "heading[1]: text of 33 characters; the field holds 32"},
      {"currency_code[0]=EURO1", "currency_code[0]: text of 5 characters; the field holds 4"},
      {"short_text=\"a\\x00b\"", "short_text: a text cannot hold a zero byte"},
      {"short_text=\"abc", "short_text: a text that opens with \" must end with \""},
      {"short_text=\"a\\q\"", "short_text: unknown escape"},
      {"short_text=\"a\\x4\"", "short_text: unknown escape"},
      {"short_text=\"\xe2\x82\xac\"", "short_text: U+20AC is not in code page 437"},
      {"short_text=\"\xff\"", "short_text: not valid UTF-8"},
      {"active_set=256", "active_set: a byte is a whole number 0 to 255"},
      {"active_set=-1", "active_set: a byte is a whole number 0 to 255"},
      {"printer_params[0][0]=1.5", "printer_params[0][0]: a byte is a whole number 0 to 255"},
      {"printer_params[1][7]=", "printer_params[1][7]: a byte is a whole number 0 to 255"},
      {"value_list[0]=128", "value_list[0]: a signed byte is a whole number -128 to 127"},
      {"value_list[0]=-129", "value_list[0]: a signed byte is a whole number -128 to 127"},
      {"number_formats[0].high=16", "number_formats[0].high: a digit is a whole number 0 to 15"},
      {"number_formats[3].low=-1", "number_formats[3].low: a digit is a whole number 0 to 15"},
      {"option_flags_b=0b100000000", "option_flags_b: flags are 0b and up to 8 binary digits"},
      {"option_flags_b=0b102", "option_flags_b: flags are 0b and up to 8 binary digits"},
      {"option_flags_c=5", "option_flags_c: flags are 0b and up to 8 binary digits"},
      {"palette[3][15]=0x100", "palette[3][15]: an attribute is 0x and one or two hex digits"},
      {"palette[0][0]=0x-1", "palette[0][0]: an attribute is 0x and one or two hex digits"},
      {"palette[0][0]=7a", "palette[0][0]: an attribute is 0x and one or two hex digits"},
      {"printer_codes[0][0].on=1b4", "printer_codes[0][0].on: a code is hex digit pairs: one digit is unpaired"},
      {"printer_codes[0][0].on=1b 4 0", "printer_codes[0][0].on: a code is hex digit pairs: one digit is unpaired"},
      {"printer_codes[0][0].on=1b 1g", "printer_codes[0][0].on: a code is hex digit pairs such as 1b 40"},
      {"printer_codes[0][9].off=01 02 03 04 05 06 07 08 09", "printer_codes[0][9].off: a code holds at most 8 bytes"},
      {"currency_rate[0]=1,5", "currency_rate[0]: not a number"},
      {"currency_rate[0]=1e999", "currency_rate[0]: number outside the binary64 range"},
      {"currency_rate[0]=nan", "currency_rate[0]: a NaN is written nan(0x"},
      {"currency_rate[0]=-nan", "currency_rate[0]: a NaN is written nan(0x"},
      {"currency_rate[0]=nan(0x7ff0000000000000)", "currency_rate[0]: a NaN is written nan(0x"},
      {"currency_rate[0]=nan(0x3ff0000000000001)", "currency_rate[0]: a NaN is written nan(0x"},
  };
  std::mt19937 random(3);
  const SetupRecord original = random_record(random);
  for (const auto& c : cases) {
    // A valid assignment before the bad one is not stored either.
    Assignment good, bad;
    ASSERT_TRUE(split_assignment("heading[1]=\"changed\"", good));
    ASSERT_TRUE(split_assignment(c.assignment, bad)) << c.assignment;
    SetupRecord r = original;
    const auto errors = apply_assignments(r, {good, bad});
    ASSERT_EQ(errors.size(), 1u) << c.assignment;
    EXPECT_EQ(errors[0].rfind(c.error, 0), 0u) << c.assignment << "\n  gave: " << errors[0];
    EXPECT_EQ(r, original) << c.assignment << " changed the record";
  }
}

TEST(SetuprecSet, ValuesAtTheLimitsAreStored) {
  const struct {
    const char* assignment;
    int offset;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"short_text=abcdefghijklmnopqrst", 922, {'a', 'b'}},  // 20 characters, no terminator
      {"currency_code[11] = \"EURO\"", 444, {'E', 'U', 'R', 'O'}},
      {"printer_name[1]=\"\xc3\xa9\\t\"", 352, {0x82, 0x09, 0x00}},
      {"value_list[7]=-128", 391, {0x80}},
      {"aux_params[1][7]=255", 901, {0xff}},
      {"number_formats[1].high=15", 948, {0xfe}},  // the low digit stays
      {"option_flags_c=0b1", 946, {0x01}},
      {"palette[3][15]=0xF", 1023, {0x0f}},
      {"printer_codes[1][9].off=0102030405060708", 856, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"printer_codes[0][0].on=", 544, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"currency_rate[0]=1", 448, {0, 0, 0, 0, 0, 0, 0xf0, 0x3f}},
      {"currency_rate[1]=5e-324", 456, {1, 0, 0, 0, 0, 0, 0, 0}},  // the least subnormal
      {"currency_rate[2]=-inf", 464, {0, 0, 0, 0, 0, 0, 0xf0, 0xff}},
  };
  for (const auto& c : cases) {
    SetupRecord r;
    r.fill(0xEE);
    Assignment a;
    ASSERT_TRUE(split_assignment(c.assignment, a));
    const auto errors = apply_assignments(r, {a});
    ASSERT_TRUE(errors.empty()) << c.assignment << ": " << errors.front();
    for (size_t i = 0; i < c.bytes.size(); ++i)
      EXPECT_EQ(r[c.offset + i], c.bytes[i]) << c.assignment << ", byte " << c.offset + i;
  }
}

TEST(SetuprecDiff, OnlyTheFieldsThatDiffer) {
  SetupRecord a{}, b{};
  set_byte(b, field::number_formats, 0, 0x05);  // low digit only
  set_text(b, field::setup_ext, "001");
  b[392] = 0x55;  // unused: not a difference
  EXPECT_EQ(diff_lines(a, b), (std::vector<std::string>{
                                        "< setup_ext = \"\"",
                                        "> setup_ext = \"001\"",
                                        "< number_formats[0].low = 0",
                                        "> number_formats[0].low = 5",
                                    }));
  EXPECT_TRUE(diff_lines(a, a).empty());
}

// --- the file: one write of 1024 bytes, or none ---------------------------

TEST(SetuprecFile, SetWritesTheRecordOnlyAndRefusalWritesNothing) {
  std::string bytes(1500, '\x11');
  bytes.replace(1024, 476, std::string(476, '\x99'));
  TempDir dir;
  dir.write("DITTA.001", bytes);
  const std::string path = dir.file("DITTA.001");
  WriteWatch watch(path);

  const auto refused = update_record_file(path, {{"heading[1]", "\"ok\""}, {"active_set", "300"}});
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_TRUE(update_record_file(path, {{"active_set", "256"}}).size() == 1);
  EXPECT_FALSE(watch.written()) << "a refused set wrote the file";
  EXPECT_EQ(dir.read("DITTA.001"), bytes);

  EXPECT_TRUE(update_record_file(path, {{"heading[1]", "\"ok\""}, {"active_set", "1"}}).empty());
  std::string expected = bytes;
  expected.replace(32, 32, std::string("ok") + std::string(30, '\0'));
  expected[868] = 1;
  EXPECT_EQ(dir.read("DITTA.001"), expected);
}

TEST(SetuprecFile, SetNeverCreatesACompanyFile) {
  TempDir dir;
  const std::string missing = dir.file("DITTA.002");
  EXPECT_EQ(update_record_file(missing, {{"active_set", "1"}}).size(), 1u);
  EXPECT_NE(access(missing.c_str(), F_OK), 0) << "set created a company file";
}

}  // namespace
