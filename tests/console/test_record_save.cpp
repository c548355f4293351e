#include <gtest/gtest.h>

#include <sys/stat.h>

#include "console/record_save.h"
#include "data/company_file.h"
#include "support/test_support.h"

namespace {

class RecordSave : public ConsoleTest {
 protected:
  void TearDown() override {
    close_company_file();
    ConsoleTest::TearDown();
  }
};

TEST_F(RecordSave, AFailedSaveIsShownNotPassedOffAsDone) {
  if (open_company_file("/dev/full") != 0) GTEST_SKIP() << "no /dev/full here";
  MessageSpy spy;
  set_console_backend(&spy);
  EXPECT_FALSE(save_record("test"));
  const std::string said = "Record not saved: disk full";
  EXPECT_EQ(spy.shown.substr(0, said.size()), said);
  EXPECT_EQ(spy.bells, 1);
}

TEST_F(RecordSave, ASuccessfulSaveSaysNothing) {
  TempDir dir;
  dir.write("DITTA.001", std::string(1024, 'a'));
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  setup_record().fill('b');
  EXPECT_TRUE(save_record("test"));
  EXPECT_EQ(console.bells, 0);
  EXPECT_EQ(dir.read("DITTA.001"), std::string(1024, 'b'));
}

TEST_F(RecordSave, AHistoryNotWrittenIsShownButTheSaveStands) {
  TempDir dir;
  dir.write("DITTA.001", std::string(1024, 'a'));
  ASSERT_EQ(mkdir(dir.file("DITTA.001.history").c_str(), 0700), 0);
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  MessageSpy spy;
  set_console_backend(&spy);
  setup_record().fill('b');
  EXPECT_TRUE(save_record("test"));
  ASSERT_EQ(spy.all_shown.size(), 2u);
  EXPECT_EQ(spy.all_shown[0].substr(0, 27), "saved, history not written:");
  EXPECT_EQ(spy.all_shown[1].substr(0, 14), "it is a folder");
  EXPECT_EQ(spy.bells, 2);
  EXPECT_EQ(dir.read("DITTA.001"), std::string(1024, 'b'));
}

}  // namespace
