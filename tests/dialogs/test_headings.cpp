#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "data/setup_record.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/headings.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/session.h"
#include "support/test_support.h"

namespace {

class Headings : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    reset_heading_menu();
    for (int i = 1; i <= 5; ++i) set_text(original, field::heading_line(i), "Line " + std::to_string(i));
    set_text(original, field::setup_ext, "001");
    original[954] = 0x05;
    reset_record();
  }
};

TEST_F(Headings, CompletingFiveLinesWritesAndRedrawsTheHeader) {
  session().location_prefix = "";
  session().company_code = "001";
  retype("Alpha");
  retype("Beta");
  console.press({key::ENTER, key::ENTER});
  retype("Delta");
  edit_headings();
  const std::string bytes = file();
  EXPECT_EQ(bytes.substr(32, 6), std::string("Alpha\0", 6));
  EXPECT_EQ(bytes.substr(64, 5), std::string("Beta\0", 5));
  EXPECT_EQ(bytes.substr(96, 7), std::string("Line 3\0", 7));
  EXPECT_EQ(bytes.substr(160, 6), std::string("Delta\0", 6));
  EXPECT_NE(screen_text(1).find(" 001 Beta, Line 4 "), std::string::npos) << screen_text(1);
}

TEST_F(Headings, WalksWithoutWriting) {
  const WalkCase cases[] = {
      {"Up on line 1 leaves", {key::UP}, {}, false},
      {"Esc on line 3 after two lines", {key::CTRL_X, 'N', key::ENTER, key::ENTER, key::ESC},
       {stored_text(field::heading_line(1), "N")}, false},
      {"Up on line 3 back to 2, then back to 1, then Up leaves", {key::ENTER, key::ENTER, key::UP, key::UP, key::UP},
       {}, false},
  };
  for (const auto& c : cases) run_walk(c, edit_headings);
}

TEST_F(Headings, EmptiedLineKeepsItsText) {
  console.press({key::CTRL_X, key::ENTER, key::ENTER, key::ENTER, key::ENTER, key::ENTER});
  edit_headings();
  EXPECT_EQ(file(), bytes(original));
}

TEST_F(Headings, UpDiscardsWhatWasTypedOnTheLineLeft) {
  console.press({key::ENTER, key::ENTER, 'x', key::HOME, key::LEFT, key::ESC});
  edit_headings();
  EXPECT_EQ(get_text(setup_record(), field::heading_line(3)), "Line 3");
}

TEST_F(Headings, OptionFlagsA) {
  const WalkCase cases[] = {
      {"Enter without toggling writes the same value", {key::ENTER}, {}, true},
      {"Space toggles bit 0", {' ', key::ENTER}, {{954, 0x04}}, true},
      {"Up on bit 0 wraps to bit 7", {key::UP, ' ', key::ENTER}, {{954, 0x85}}, true},
      {"Down on bit 7 wraps to bit 0", {key::UP, key::DOWN, ' ', key::ENTER}, {{954, 0x04}}, true},
      {"Esc after toggles changes nothing", {' ', key::DOWN, ' ', key::ESC}, {}, false},
      {"other keys are ignored without the bell", {'a', key::TAB, key::LEFT, key::DOWN, key::DOWN, ' ', key::ENTER},
       {{954, 0x01}}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_option_flags_a);
}

TEST_F(Headings, OptionFlagsRowsShowBitValuesInHex) {
  console.press(key::ESC);
  edit_option_flags_a();
  EXPECT_EQ(screen_text(7, 22, 33), "[X]  1 L131 ");
  EXPECT_EQ(screen_text(8, 22, 33), "[ ]  2 L132 ");
  EXPECT_EQ(screen_text(11, 22, 33), "[ ] 10 L135 ");
  EXPECT_EQ(screen_text(14, 22, 33), "[ ] 80 L138 ");
}

class SetupExt : public Headings {
 protected:
  void SetUp() override {
    Headings::SetUp();
    dir.write("SETUP.002", "");
  }
  InDirectory in_dir{dir.path};
};

TEST_F(SetupExt, ExistingFileIsAccepted) {
  console.type("002");
  console.press(key::ENTER);
  edit_setup_ext();
  EXPECT_EQ(file().substr(864, 4), std::string("002\0", 4));
}

TEST_F(SetupExt, MissingFileShowsTheMessageAndOffersTheFieldAgain) {
  console.type("9");
  console.press({key::ENTER, key::ESC});
  MessageSpy spy;
  spy.keys = console.keys;
  set_console_backend(&spy);
  edit_setup_ext();
  EXPECT_EQ(spy.shown, "L92 9" + std::string(26, ' '));
  EXPECT_EQ(spy.bells, 1);
  EXPECT_EQ(file(), bytes(original));
  EXPECT_FALSE(file_written());
  EXPECT_EQ(get_text(setup_record(), field::setup_ext), "001") << "the refused extension never reaches the record";
  EXPECT_EQ(screen_attr(56, 21), 0x02) << "the second attempt is edited in the message's colour";
}

TEST_F(SetupExt, EnterOnTheUntouchedFieldRecallsTheExtension) {
  dir.write("SETUP.001", "");
  console.press({key::ENTER, key::ENTER});
  edit_setup_ext();
  EXPECT_EQ(file(), bytes(original));
  EXPECT_EQ(setup_record()[864], '0');
  EXPECT_TRUE(console.keys.empty());
}

TEST_F(SetupExt, ADirectoryIsNoSetupFile) {
  std::filesystem::create_directory(dir.file("SETUP.DIR"));
  console.type("DIR");
  console.press({key::ENTER, key::ESC});
  edit_setup_ext();
  EXPECT_EQ(file(), bytes(original));
  EXPECT_FALSE(file_written());
  EXPECT_EQ(console.bells, 1);
}

TEST_F(SetupExt, AFifoOfThatNameIsFoundWithoutWaitingForAWriter) {
  ASSERT_EQ(mkfifo(dir.file("SETUP.FIF").c_str(), 0600), 0);
  console.type("FIF");
  console.press({key::ENTER});
  alarm(20);  // a check that waits for a writer never returns: end the test instead
  edit_setup_ext();
  alarm(0);
  EXPECT_EQ(get_text(setup_record(), field::setup_ext), "FIF");
}

TEST_F(SetupExt, EmptyExtensionTestsSetupDot) {
  dir.write("SETUP.", "");
  console.press({'x', key::BACKSPACE, key::TAB});  // emptied: typed, then erased
  edit_setup_ext();
  EXPECT_EQ(file().substr(864, 4), std::string(4, '\0'));
}

TEST_F(Headings, SubmenuRemembersTheLastEntry) {
  console.press({key::DOWN, key::DOWN, key::ENTER, key::ESC});
  heading_menu();  // entry 3 chosen, its dialog left with Esc
  console.press({key::ESC});
  heading_menu();
  EXPECT_EQ(screen_attr(4, 9), (~palette_attr(slot::SUBMENU)) & 0x7F) << "entry 3 highlighted";
}

}  // namespace
