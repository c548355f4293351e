#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "console/record_save.h"
#include "data/company_file.h"

#include "data/setup_record.h"
#include "platform/screen.h"
#include "shell/header.h"
#include "shell/session.h"
#include "support/test_support.h"

namespace {

class Header : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    session().location_prefix = "AB";
    session().company_code = "001";
    setup_record()[961] = 0x1F;
    setup_record()[977] = 0x30;
  }
  static std::tm at(int day, int month, int year, int h, int m, int s) {
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
  }
};

TEST_F(Header, TitleWithEmptyHeadings) { EXPECT_EQ(header_title(), "AB 001 ,  "); }

TEST_F(Header, TitleNamesHeadingsTwoAndFour) {
  set_text(setup_record(), field::heading_line(2), "Rossi S.p.A.");
  set_text(setup_record(), field::heading_line(4), "Milano");
  EXPECT_EQ(header_title(), "AB 001 Rossi S.p.A., Milano ");
}

TEST_F(Header, PrinterLineFollowsActiveSetAndNameBit) {
  SetupRecord& r = setup_record();
  set_text(r, field::printer_name_line(0), "Laser");
  set_text(r, field::printer_name_line(1), "Matrix");
  const uint8_t row0[8] = {1, 2, 3, 4, 6, 255, 9, 9};
  const uint8_t row1[8] = {10, 20, 30, 40, 51, 60, 9, 9};
  for (int i = 0; i < 8; ++i) {
    r[static_cast<size_t>(870 + i)] = row0[i];
    r[static_cast<size_t>(878 + i)] = row1[i];
  }
  struct Case {
    int active_set;
    const char* line;
  };
  const Case cases[] = {{0, "Laser(1,2,3,4,6,255)"}, {1, "Matrix(10,20,30,40,51,60)"}, {7, "Matrix(10,20,30,40,51,60)"}};
  for (const auto& c : cases) {
    r[868] = static_cast<uint8_t>(c.active_set);
    EXPECT_EQ(printer_line(), c.line) << c.active_set;
  }
}

TEST_F(Header, BoxWithDateTimeAndCentredPrinterLine) {
  set_text(setup_record(), field::printer_name_line(0), "Laser");
  draw_header_at(at(5, 3, 2026, 7, 4, 9));
  EXPECT_EQ(screen_text(3, 3, 14), " 05-03-2026 ");
  EXPECT_EQ(screen_text(3, 69, 78), " 07:04:09 ");
  const std::string printer = "Laser(0,0,0,0,0,0)";  // 18 characters: from column 31
  EXPECT_EQ(screen_text(3, 31, 48), printer);
  EXPECT_EQ(screen_text(2), "\xB3" + std::string(78, ' ') + "\xB3") << "row 2 blanked for the menu bar";
  EXPECT_EQ(screen_text(1, 34, 45), " AB 001 ,   ");
  for (int x : {1, 10, 40, 80}) EXPECT_EQ(screen_attr(x, 3), 0x1F) << x;
  EXPECT_EQ(current_attr(), 0x1F);
}

TEST_F(Header, LongPrinterLineIsCoveredByTheDate) {
  set_text(setup_record(), field::printer_name_line(1), std::string(31, 'N'));  // 255 is odd: name 1
  for (int i = 0; i < 6; ++i) setup_record()[static_cast<size_t>(870 + i)] = 255;
  draw_header_at(at(1, 1, 2027, 0, 0, 0));
  // 56 characters start at column 12; the date covers columns 3-14
  EXPECT_EQ(screen_text(3, 3, 16), " 01-01-2027 NN");
  EXPECT_EQ(screen_text(3, 60, 67), "255,255)");
}

TEST_F(Header, MainFrameWithTitleAndBanner) {
  use_catalogue({"Company setup"});
  draw_main_frame();
  EXPECT_EQ(std::string(BUILD_BANNER).size(), 38u);
  EXPECT_EQ(std::string(BUILD_BANNER).substr(21), "12-8-2016 ver.008");
  EXPECT_EQ(screen_text(24, 21, 58), BUILD_BANNER);
  EXPECT_EQ(screen_text(4, 33, 47), " Company setup ");
  EXPECT_EQ(screen_attr(21, 24), 0x30);
  EXPECT_EQ(current_attr(), 0x30);
}

// What another program wrote and our save brought in shows at once.
TEST_F(Header, ASaveRedrawsTheBoxesShowingWhatItBroughtIn) {
  use_catalogue({"Company setup"});
  const struct {
    const char* what;
    int offset;
    std::string outside;
    bool header, frame;
  } cases[] = {
      {"heading 2", field::heading_line(2).offset, std::string("Piazza Garibaldi 5", 19), true, false},
      {"the main frame's colour", 886 + slot::MAIN_FRAME, "\x4E", false, true},
      {"heading 3, not shown", field::heading_line(3).offset, std::string("Elsewhere", 10), false, false},
  };
  follow_saved_record(redraw_changed_boxes);
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("DITTA.001", std::string(reinterpret_cast<const char*>(setup_record().data()), RECORD_SIZE));
    ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
    ASSERT_EQ(load_setup_record(), 0);
    clrscr();
    gotoxy(7, 9);
    textattr(0x21);
    const int fd = ::open(dir.file("DITTA.001").c_str(), O_WRONLY);
    ASSERT_EQ(pwrite(fd, c.outside.data(), c.outside.size(), c.offset), static_cast<ssize_t>(c.outside.size()));
    ::close(fd);
    ASSERT_TRUE(save_record("test")) << c.what;
    EXPECT_EQ(screen_text(1).find("Piazza Garibaldi 5") != std::string::npos, c.header) << c.what;
    EXPECT_EQ(screen_text(24).find(BUILD_BANNER) != std::string::npos, c.frame) << c.what;
    EXPECT_EQ(std::make_pair(wherex(), wherey()), std::make_pair(7, 9)) << c.what;
    EXPECT_EQ(current_attr(), 0x21) << c.what;
    close_company_file();
  }
  follow_saved_record(nullptr);
}

}  // namespace
