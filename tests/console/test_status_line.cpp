#include <gtest/gtest.h>

#include "console/status_line.h"
#include "data/setup_record.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

class StatusLine : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    setup_record()[1022] = 0x70;  // status text
    setup_record()[1010] = 0x07;  // background
  }
};

TEST_F(StatusLine, HintInStatusAttributeLeavesBackgroundCurrent) {
  use_numbered_catalogue();
  show_hint(13);
  EXPECT_EQ(screen_text(25, 1, 39), "L13" + std::string(36, ' '));
  for (int x = 1; x <= 39; ++x) EXPECT_EQ(screen_attr(x, 25), 0x70) << x;
  EXPECT_EQ(current_attr(), 0x07);
  EXPECT_EQ(wherex(), 40);
}

TEST_F(StatusLine, ClearedHint) {
  use_numbered_catalogue();
  show_hint(13);
  show_hint(NO_HINT);
  EXPECT_EQ(screen_text(25, 1, 40), std::string(40, ' '));
  for (int x = 1; x <= 40; ++x) EXPECT_EQ(screen_attr(x, 25), 0x07) << x;
  EXPECT_EQ(wherex(), 1);
  EXPECT_EQ(wherey(), 25);
}

TEST_F(StatusLine, MessageIsShownWithTheBellThenCleared) {
  int attr_while_waiting = -1;
  std::string text_while_waiting;
  struct Spy : ScriptedConsole {
    std::function<void()> on_wait;
    bool key_ready(int) noexcept override {
      on_wait();
      return false;
    }
  } spy;
  spy.on_wait = [&] {
    attr_while_waiting = screen_attr(41, 25);
    text_while_waiting = screen_text(25, 41, 71);
  };
  set_console_backend(&spy);
  show_message("0123456789");
  EXPECT_EQ(spy.bells, 1);
  EXPECT_EQ(text_while_waiting, "0123456789" + std::string(21, ' '));
  EXPECT_EQ(attr_while_waiting, 0x40);
  EXPECT_EQ(screen_text(25, 41, 78), std::string(38, ' '));
  for (int x = 41; x <= 78; ++x) EXPECT_EQ(screen_attr(x, 25), 0x02) << x;
  EXPECT_EQ(current_attr(), 0x02);
}

TEST_F(StatusLine, EmptyMessageDoesNothing) {
  show_message("");
  EXPECT_EQ(console.bells, 0);
  EXPECT_EQ(console.presents, 0);
  EXPECT_EQ(screen_attr(41, 25), 0x07) << "untouched since the blank grid";
}

TEST_F(StatusLine, MessageWaitEndsWithoutConsumingAKey) {
  console.press('x');
  show_message("busy");
  ASSERT_EQ(console.keys.size(), 1u);
  EXPECT_EQ(console.keys.front(), 'x');
}

TEST_F(StatusLine, InvalidChoiceBlanksTwentyColumnsAndBellsOnStdout) {
  std::vector<std::string> lines(17);
  lines[16] = "abcdefghijklmnopqrstuvwxy";  // 25 characters
  use_catalogue(lines);
  invalid_choice();
  EXPECT_EQ(console.stdout_bells, 1);
  EXPECT_EQ(console.bells, 0);
  EXPECT_EQ(screen_text(25, 1, 25), std::string(20, ' ') + "uvwxy");
  EXPECT_EQ(screen_attr(5, 25), 0x70);
}

}  // namespace
