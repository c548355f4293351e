#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "data/company_file.h"
#include "data/setup_record.h"
#include "support/test_support.h"

namespace {

struct Layout {
  const char* name;
  Field field;
  int offset, size;
};

// The record layout is a file format: each field checked against its
// binding offset and width.
TEST(SetupRecordLayout, EveryFieldAtItsOffset) {
  const Layout table[] = {
      {"service line", field::heading_line(0), 0, 32},
      {"heading 1", field::heading_line(1), 32, 32},
      {"heading 5", field::heading_line(5), 160, 32},
      {"protected 0", field::protected_text_0, 192, 32},
      {"access word", field::access_word, 224, 32},
      {"protected 1", field::protected_text_1, 256, 32},
      {"protected 2", field::protected_text_2, 288, 32},
      {"printer name 0", field::printer_name_line(0), 320, 32},
      {"printer name 1", field::printer_name_line(1), 352, 32},
      {"value list", field::value_list, 384, 8},
      {"currency code 0", field::currency_code_at(0), 400, 4},
      {"currency code 11", field::currency_code_at(11), 444, 4},
      {"currency rate 0", field::currency_rate_at(0), 448, 8},
      {"currency rate 11", field::currency_rate_at(11), 536, 8},
      {"codes set 0 row 0 on", field::printer_code(0, 0, 0), 544, 8},
      {"codes set 0 row 0 off", field::printer_code(0, 0, 1), 552, 8},
      {"codes set 1 row 9 off", field::printer_code(1, 9, 1), 856, 8},
      {"setup ext", field::setup_ext, 864, 4},
      {"active set", field::active_set, 868, 1},
      {"printer params row 1", field::param_row(field::printer_params, 1), 878, 8},
      {"aux params row 0", field::param_row(field::aux_params, 0), 886, 8},
      {"digit row 1", field::digit_row(1), 912, 10},
      {"short text", field::short_text, 922, 20},
      {"digit row sel", field::digit_row_sel, 942, 1},
      {"option flags b", field::option_flags_b, 944, 1},
      {"option flags c", field::option_flags_c, 946, 1},
      {"number formats", field::number_formats, 947, 4},
      {"option flags a", field::option_flags_a, 954, 1},
      {"palette kind", field::palette_kind, 955, 1},
      {"palette", field::palette, 960, 64},
  };
  for (const auto& row : table) {
    EXPECT_EQ(row.field.offset, row.offset) << row.name;
    EXPECT_EQ(row.field.size, row.size) << row.name;
  }
}

TEST(SetupRecordLayout, PaletteSlotsAddressOffset886PlusK) {
  SetupRecord r{};
  r[960] = 0x11;
  r[1010] = 0x22;
  r[1023] = 0x33;
  EXPECT_EQ(palette_attr(r, 74), 0x11);
  EXPECT_EQ(palette_attr(r, 124), 0x22);
  EXPECT_EQ(palette_attr(r, 137), 0x33);
  EXPECT_EQ(palette_attr(r, 73), 0) << "slots below the palette are not palette slots";
  EXPECT_EQ(palette_attr(r, 138), 0);
}

TEST(SetupRecordText, StaysInsideItsField) {
  struct Case {
    std::string stored;
    std::string read_back;
  };
  const Case cases[] = {{"EUR", "EUR"}, {"", ""}, {"ABCD", "ABCD"}, {"ABCDE", "ABCD"}};
  for (const auto& c : cases) {
    SetupRecord r;
    r.fill(0xEE);
    set_text(r, field::currency_code_at(1), c.stored);
    EXPECT_EQ(get_text(r, field::currency_code_at(1)), c.read_back) << c.stored;
    EXPECT_EQ(r[403], 0xEE) << "byte before the field kept: " << c.stored;
    EXPECT_EQ(r[408], 0xEE) << "byte after the field kept: " << c.stored;
  }
}

TEST(SetupRecordText, ShorterTextLeavesNoOldCharacters) {
  SetupRecord r{};
  set_text(r, field::access_word, "secretword");
  set_text(r, field::access_word, "abc");
  for (int i = 3; i < 32; ++i) EXPECT_EQ(r[static_cast<size_t>(224 + i)], 0) << i;
}

TEST(SetupRecordText, FullShortTextEndsAtTheFieldAndKeepsTheNextByte) {
  SetupRecord r{};
  r[942] = 1;
  set_text(r, field::short_text, "12345678901234567890");
  EXPECT_EQ(get_text(r, field::short_text), "12345678901234567890");
  EXPECT_EQ(r[942], 1);
}

TEST(SetupRecordDouble, LittleEndianBinary64) {
  struct Case {
    double value;
    std::string bytes;
  };
  const Case cases[] = {{1.0, "000000000000f03f"}, {0.0, "0000000000000000"}, {-2.5, "00000000000004c0"}};
  for (const auto& c : cases) {
    SetupRecord r{};
    set_double(r, field::currency_rate_at(3), c.value);
    EXPECT_EQ(hex(std::string(reinterpret_cast<const char*>(r.data()) + 472, 8)), c.bytes) << c.value;
    EXPECT_EQ(get_double(r, field::currency_rate_at(3)), c.value);
  }
}

TEST(SetupRecordRow, ActiveSetOutsideZeroOrOneReadsAsRowOne) {
  const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 1}, {255, 1}};
  for (auto [stored, row] : cases) {
    SetupRecord r{};
    r[868] = static_cast<uint8_t>(stored);
    EXPECT_EQ(active_param_row(r), row) << stored;
  }
}

std::string pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 3);
  return s;
}

class CompanyFileTest : public ::testing::Test {
 protected:
  void TearDown() override { close_company_file(); }
  TempDir dir;
};

TEST_F(CompanyFileTest, ShortFileReadsZeroFilledAndFirstSaveWritesAll1024) {
  dir.write("DITTA.001", pattern(100));
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  setup_record().fill(0);
  EXPECT_EQ(load_setup_record(), 0);
  EXPECT_EQ(setup_record()[99], static_cast<uint8_t>(99 * 7 + 3));
  EXPECT_EQ(setup_record()[100], 0);
  EXPECT_EQ(setup_record()[1023], 0);
  EXPECT_EQ(store_setup_record(), 0);
  EXPECT_EQ(dir.read("DITTA.001").size(), 1024u);
}

TEST_F(CompanyFileTest, LongerFileKeepsEveryByteAfterTheRecord) {
  const std::string original = pattern(3000);
  dir.write("DITTA.001", original);
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  ASSERT_EQ(load_setup_record(), 0);
  set_text(setup_record(), field::heading_line(1), "Nuova Ditta");
  ASSERT_EQ(store_setup_record(), 0);
  const std::string after = dir.read("DITTA.001");
  ASSERT_EQ(after.size(), original.size());
  EXPECT_EQ(after.substr(1024), original.substr(1024));
  EXPECT_EQ(after.substr(0, 32), original.substr(0, 32));
  EXPECT_EQ(after.substr(32, 12), std::string("Nuova Ditta") + '\0');
  EXPECT_EQ(after.substr(64, 960), original.substr(64, 960)) << "untouched bytes pass through";
}

TEST_F(CompanyFileTest, TheHelpCommandDoesNotInheritTheFile) {
  dir.write("DITTA.001", pattern(1024));
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  int open_descriptors_with_cloexec = 0;
  for (int fd = 3; fd < 64; ++fd) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags < 0) continue;
    char link[64], target[512] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    if (readlink(link, target, sizeof target - 1) > 0 && std::string(target) == dir.file("DITTA.001"))
      open_descriptors_with_cloexec += (flags & FD_CLOEXEC) ? 1 : 100;
  }
  EXPECT_EQ(open_descriptors_with_cloexec, 1);
}

TEST_F(CompanyFileTest, OpeningNeverCreatesAFile) {
  EXPECT_NE(open_company_file(dir.file("DITTA.999")), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("DITTA.999")));
}

}  // namespace
