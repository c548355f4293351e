// The JSON form: the values jq sees, and what apply --json takes or refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "setuprec/json_form.h"

namespace {

TEST(SetuprecJson, ValuesOfEachKind) {
  SetupRecord r{};
  set_text(r, field::heading_line(1), std::string("\x82\"\\\x01\x0a\x7f/"));
  set_double(r, field::currency_rate_at(0), -INFINITY);
  set_double(r, field::currency_rate_at(1), 1e300);
  set_byte(r, field::printer_code(0, 0, 0), 1, 0x40);
  set_byte(r, field::value_list, 0, 0xff);
  const std::string json = json_record(r);
  for (const char* line : {
           "\n  \"heading[1]\": \"\xc3\xa9\\\"\\\\\\u0001\\n\\u007f/\",\n",
           "\n  \"currency_rate[0]\": \"-inf\",\n",
           "\n  \"currency_rate[1]\": 1e+300,\n",
           "\n  \"printer_codes[0][0].on\": \"00 40\",\n",
           "\n  \"value_list[0]\": -1,\n",
           "\n  \"option_flags_a\": \"0b00000000\",\n",
           "\n  \"palette[3][15]\": \"0x00\"\n}",
       })
    EXPECT_NE(json.find(line), std::string::npos) << line;
}

TEST(SetuprecJson, ReaderTakesJsonAndNamesTheLineOfEachFault) {
  const struct {
    std::string text;
    std::string value_or_error;  // the heading[1] value stored, or the first error
  } cases[] = {
      {"{\"heading[1]\": \"\\u00e9\\/\\\"x\\\\\\t\"}", "\"\xc3\xa9/\\\"x\\\\\\t\""},
      {"{\n\"heading[1]\":\n \"\\u263a\"}", "\"\\x01\""},  // the glyph of byte 1
      {"{}", ""},
      {"{\n\"heading[1]\": 5}", "2: heading[1]: a text is a JSON string"},
      {"{\"heading[1]\": \"\\u20ac\"}", "1: heading[1]: U+20AC is not in code page 437"},
      {"{\"heading[1]\": \"\\u0000\"}", "1: heading[1]: a text cannot hold a zero byte"},
      {"{\"heading[1]\": \"\\ud800x\"}", "1: not a JSON object"},
      {"{\"heading[1]\": \"a\nb\"}", "1: not a JSON object"},
      {"{\"heading[1]\": true}", "1: not a JSON object"},
      {"{\"a\": 1,}", "1: not a JSON object"},
      {"[1]", "1: not a JSON object"},
      {"{\"\\u001b]2;x\\u0007\": \"\\u00e9\"}", "1: \\x1b]2;x\\x07: no field of that name"},
      {"{} {}", "1: text after the object"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> errors;
    const std::vector<Assignment> read = read_json_dump(c.text, errors);
    SetupRecord r{};
    if (errors.empty()) errors = apply_assignments(r, read);
    const std::string got = !errors.empty() ? errors.front() : read.empty() ? "" : read.front().value;
    EXPECT_EQ(got.substr(0, c.value_or_error.size()), c.value_or_error) << c.text;
  }
}

}  // namespace
