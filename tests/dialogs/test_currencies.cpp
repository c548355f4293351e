#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "data/company_file.h"
#include "data/setup_record.h"
#include "dialogs/currencies.h"
#include "dialogs/dialog_walk.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"
#include "support/test_support.h"

namespace {

class Currencies : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    for (size_t i = 0; i < original.size(); ++i) original[i] = static_cast<uint8_t>(i * 13);
    const char* codes[12] = {"EUR", "USD", "GBP", "CHF", "JPY", "SEK", "NOK", "DKK", "CAD", "AUD", "", "X"};
    const double rates[12] = {1.0, 1.0842, 0.8571, 0.9613, 162.35, 11.49, 11.73, 7.4603, 1.4716, 1.6428, 0.0,
                              1.0 / 3.0};
    for (int i = 0; i < 12; ++i) {
      set_text(original, field::currency_code_at(i), codes[i]);
      set_double(original, field::currency_rate_at(i), rates[i]);
    }
    reset_record();
  }
  void accept(int fields) {
    for (int i = 0; i < fields; ++i) console.press(key::ENTER);
  }
};

TEST_F(Currencies, AcceptingEverythingStoresTheSameBytesLongRatesIncluded) {
  accept(24);
  edit_currencies();
  const std::string stored = file();
  ASSERT_EQ(stored.size(), 1024u);
  EXPECT_EQ(hex(stored), hex(bytes(original)));
  EXPECT_TRUE(console.keys.empty());
}

TEST_F(Currencies, NewRateAndCodeReachTheFileAsBinary64) {
  console.press(key::ENTER);                      // code 0
  console.press(key::CTRL_X);
  console.type("1.5");
  console.press(key::ENTER);                      // rate 0
  console.type("XYZ");                            // code 1: typed over in insert mode? content start: appended
  console.press({key::CTRL_X});
  console.type("GBX");
  console.press(key::ENTER);
  accept(21);
  edit_currencies();
  const std::string stored = file();
  EXPECT_EQ(hex(stored.substr(448, 8)), "000000000000f83f");
  EXPECT_EQ(stored.substr(404, 4), std::string("GBX\0", 4));
  EXPECT_EQ(screen_text(7, 19, 31), "     1.500000");
  EXPECT_EQ(screen_text(8, 15, 17), "GBX");
}

TEST_F(Currencies, BackingUp) {
  const WalkCase cases[] = {
      {"Up on code 0 leaves", {key::UP}, {}, false},
      {"Left at the start of code 0 leaves", {key::HOME, key::LEFT}, {}, false},
      {"Esc on rate 0 leaves", {key::ENTER, key::ESC}, {}, false},
  };
  for (const auto& c : cases) run_walk(c, edit_currencies);
}

TEST_F(Currencies, UpOnARateGoesBackToItsOwnCode) {
  // rows 0-4 accepted (10 fields), code 5 accepted, Up on rate 5 returns to
  // code 5; then change code 5 and walk to the end
  accept(11);
  console.press(key::UP);
  console.press(key::CTRL_X);
  console.type("ZZZ");
  console.press(key::ENTER);
  accept(13);
  edit_currencies();
  EXPECT_EQ(file().substr(420, 4), std::string("ZZZ\0", 4));
  EXPECT_EQ(get_text(setup_record(), field::currency_code_at(4)), "JPY");
}

TEST_F(Currencies, UpOnCodeOneReturnsToCodeZero) {
  accept(2);
  console.press(key::UP);  // code 1 -> code 0
  console.press(key::CTRL_X);
  console.type("AAA");
  console.press(key::ESC);
  edit_currencies();
  EXPECT_EQ(file(), bytes(original));
  EXPECT_FALSE(file_written());
  EXPECT_EQ(get_text(setup_record(), field::currency_code_at(0)), "EUR") << "Esc did not accept the typing";
}

TEST_F(Currencies, EscKeepsAcceptedRowsInMemoryOnly) {
  console.press(key::CTRL_X);
  console.type("NEW");
  console.press(key::ENTER);
  accept(21);  // up to the rate of row 11
  console.press(key::ESC);
  edit_currencies();
  EXPECT_EQ(file(), bytes(original));
  EXPECT_FALSE(file_written());
  EXPECT_EQ(get_text(setup_record(), field::currency_code_at(0)), "NEW");
}

TEST_F(Currencies, FieldsCannotBeEmptiedAndANonNumberIsZero) {
  console.press(key::CTRL_X);
  console.press(key::ENTER);  // empty code keeps EUR
  console.press(key::CTRL_X);
  console.press(key::ENTER);  // empty rate keeps 1.0
  console.press(key::CTRL_X);
  console.press(key::ENTER);  // code 1 kept
  console.press(key::CTRL_X);
  console.type(".");
  console.press(key::ENTER);  // rate 1: "." reads as no number
  accept(20);
  edit_currencies();
  const std::string stored = file();
  EXPECT_EQ(stored.substr(400, 4), std::string("EUR\0", 4));
  EXPECT_EQ(hex(stored.substr(448, 8)), "000000000000f03f");
  EXPECT_EQ(hex(stored.substr(456, 8)), "0000000000000000");
}

TEST_F(Currencies, TableLayoutAndOffers) {
  set_double(setup_record(), field::currency_rate_at(0), 1.5);
  std::vector<std::string> offered;
  struct Snap : ScriptedConsole {
    std::vector<std::string>* rows;
    void present(const Grid&) noexcept override { rows->push_back(screen_text(7, 9, 33)); }
  } snap;
  snap.rows = &offered;
  snap.press({key::ENTER, key::ESC});
  set_console_backend(&snap);
  edit_currencies();
  ASSERT_GE(offered.size(), 2u);
  EXPECT_EQ(offered[1], "  0:  EUR 1.5//////////  ") << "the rate is offered as 1.5";
  EXPECT_EQ(screen_text(8, 9, 33), "  1:  USD      1.084200  ");
  EXPECT_EQ(screen_text(6, 8, 34).substr(0, 1), "\xDA");
}

TEST_F(Currencies, ARateWiderThanItsFieldShowsAsStarsAndKeepsItsBytes) {
  const std::string stars(13, '*');
  const std::pair<double, std::string> cases[] = {
      {1e300, stars},          {-123456.5, stars},           {999999.999999, "999999.999999"},
      {1.5, "     1.500000"}, {-1.0 / 0.0, "         -inf"}, {std::numeric_limits<double>::quiet_NaN(), "          nan"},
  };
  for (const auto& [rate, shown] : cases) {
    set_double(setup_record(), field::currency_rate_at(0), rate);
    const SetupRecord before = setup_record();
    struct Snap : ScriptedConsole {
      std::string* table_row;
      int read_byte() noexcept override {
        if (table_row->empty()) *table_row = screen_text(7, 9, 34);
        return ScriptedConsole::read_byte();
      }
    } snap;
    std::string drawn;
    snap.table_row = &drawn;
    snap.press({key::ENTER, key::ENTER, key::ESC});  // code, rate untouched, Esc on row 1
    set_console_backend(&snap);
    edit_currencies();
    const std::string border = screen_text(8, 34, 34);
    EXPECT_EQ(drawn, "  0:  EUR " + shown + "  " + border) << rate << ": the table as drawn";
    EXPECT_EQ(screen_text(7, 19, 34), shown + "  " + border) << rate << ": the rate after it was accepted";
    EXPECT_EQ(hex(std::string(setup_record().begin(), setup_record().end())),
              hex(std::string(before.begin(), before.end())))
        << rate;
    set_console_backend(&console);
  }
}

}  // namespace
