#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "data/catalogue.h"
#include "data/company_file.h"
#include "data/setup_record.h"
#include "shell/session.h"
#include "shell/startup.h"
#include "support/test_support.h"

namespace {

class StartUp : public ConsoleTest {
 protected:
  void TearDown() override {
    close_company_file();
    ConsoleTest::TearDown();
  }
  static inline bool terminal = true;
  static bool terminal_check() noexcept { return terminal; }
  int run(std::vector<const char*> args) {
    args.insert(args.begin(), "setupedit");
    return start_up(static_cast<int>(args.size()), args.data(), terminal_check);
  }
  TempDir dir;
  InDirectory in_dir{dir.path};
};

TEST_F(StartUp, FailuresEndWithTheirStatusAndTouchNothing) {
  const std::string record(1024, 'r');
  struct Case {
    const char* what;
    std::vector<const char*> args;
    bool company_file, catalogue, terminal;
    int status;
  };
  const Case cases[] = {
      {"no arguments", {}, true, true, true, STATUS_USAGE},
      {"two arguments", {"", "001"}, true, true, true, STATUS_USAGE},
      {"prefix too long", {"ABC", "001", "ENG"}, true, true, true, STATUS_USAGE},
      {"code too long", {"", "0001", "ENG"}, true, true, true, STATUS_USAGE},
      {"language too long", {"", "001", "ENGL"}, true, true, true, STATUS_USAGE},
      {"no company file", {"", "002", "ENG"}, true, true, true, STATUS_NO_FILE},
      {"no catalogue", {"", "001", "ITA"}, true, false, true, STATUS_NO_FILE},
      {"all there", {"", "001", "ENG"}, true, true, true, 0},
      {"no terminal: the company file is not even opened", {"", "001", "ENG"}, true, true, false, STATUS_NO_FILE},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(dir.file("VELTRIS.ENG"));
    dir.write("DITTA.001", record);
    if (c.catalogue) dir.write("VELTRIS.ENG", "Title\n");
    terminal = c.terminal;
    EXPECT_EQ(run(c.args), c.status) << c.what;
    terminal = true;
    EXPECT_EQ(dir.read("DITTA.001"), record) << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir.file("DITTA.002"))) << c.what;
    EXPECT_EQ(console.presents, 0) << c.what << ": nothing drawn";
    EXPECT_EQ(company_file_open(), c.status == 0) << c.what;
    close_company_file();
  }
}

TEST_F(StartUp, ACatalogueThatCannotBeReadIsAFailure) {
  dir.write("DITTA.001", std::string(1024, '\0'));
  std::filesystem::create_directory(dir.file("VELTRIS.ENG"));
  EXPECT_EQ(run({"", "001", "ENG"}), STATUS_NO_FILE);
  EXPECT_FALSE(company_file_open());
}

TEST_F(StartUp, PrefixJoinsWithoutSeparatorCatalogueIgnoresIt) {
  std::filesystem::create_directory(dir.file("AB"));
  dir.write("ABDITTA.001", std::string(1024, '\x11'));
  dir.write("VELTRIS.ITA", "Titolo\n");
  ASSERT_EQ(run({"AB", "001", "ITA"}), 0);
  EXPECT_EQ(setup_record()[500], 0x11);
  EXPECT_STREQ(catalogue_line(0), "Titolo");
  EXPECT_EQ(session().location_prefix, "AB");
}

TEST_F(StartUp, ServiceModeOnlyWithTheExactCode) {
  dir.write("DITTA.001", std::string(1024, '\0'));
  dir.write("VELTRIS.ENG", "T\n");
  const std::pair<const char*, bool> cases[] = {{"tuvak", true}, {"TUVAK", false}, {"tuvak2", false}, {"", false}};
  for (auto [code, expected] : cases) {
    ASSERT_EQ(run({"", "001", "ENG", code}), 0);
    EXPECT_EQ(session().service_mode, expected) << code;
  }
  ASSERT_EQ(run({"", "001", "ENG"}), 0);
  EXPECT_FALSE(session().service_mode);
}

TEST_F(StartUp, ReadOnlyCompanyFileIsAFailure) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens read-only files for writing";
  dir.write("DITTA.001", std::string(1024, '\0'));
  dir.write("VELTRIS.ENG", "T\n");
  std::filesystem::permissions(dir.file("DITTA.001"), std::filesystem::perms::owner_read);
  EXPECT_EQ(run({"", "001", "ENG"}), STATUS_NO_FILE);
}

}  // namespace
