// The whole program through the scripted back end: the menu bar and the
// program's own dispatch table, every item of both pages with service mode on
// and off, random records and random keys. After every key: nothing after
// byte 1023 and no byte outside the record's fields changes, in memory or in
// the file, and a save leaves the file holding the record in memory. An
// Enter-only walk of any dialog changes no byte at all.
#include <gtest/gtest.h>

#include <unistd.h>

#include <random>

#include "data/company_file.h"
#include "data/setup_record.h"
#include "dialogs/dispatch.h"
#include "dialogs/palettes.h"
#include "platform/keys.h"
#include "shell/main_loop.h"
#include "shell/menu_bar.h"
#include "shell/session.h"
#include "support/test_support.h"

namespace {

constexpr int TAIL = 200;  // bytes after the record, never ours
constexpr int ITEMS = menu::ITEMS;

// Runs the checks before handing over each key. Once the script is used up,
// Esc and End lead out of any dialog (End ends the parameter-row chooser,
// where Esc does nothing); fallbacks counts how often that was needed.
struct CheckedConsole : ScriptedConsole {
  std::function<void()> before_key;
  int fallbacks = 0;
  int read_byte() noexcept override {
    if (before_key) before_key();
    if (keys.empty()) {
      if (++fallbacks > 300) {
        ADD_FAILURE() << "the dialog does not end";
        std::abort();
      }
      keys.insert(keys.end(), {key::ESC, 0, key::scan::END});
    }
    return ScriptedConsole::read_byte();
  }
};

const int KEY_POOL[] = {'a',       'Z',       '0',          '7',       '9',      '.',           '-',       ' ',
                        'H',       'P',       'O',          0x85,      '1',      'f',           key::ENTER, key::ENTER,
                        key::ENTER, key::TAB,  key::BACKSPACE, key::DEL, key::CTRL_X, key::RIGHT, key::DOWN, key::DOWN,
                        key::HOME, key::END,  key::INS,     key::CTRL_DEL, key::F1, key::PGUP, key::F12, key::TAB};
const int LEAVING_KEYS[] = {key::ESC, key::UP, key::LEFT};

class WholeProgram : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    use_numbered_catalogue(260);
    for (const Field& f : field::all)
      for (int i = 0; i < f.size; ++i) used[static_cast<size_t>(f.offset + i)] = true;
    set_console_backend(&keys);
    keys.before_key = [this] { check(); };
  }
  void TearDown() override {
    close_company_file();
    session().service_mode = false;
    ConsoleTest::TearDown();
  }

  // A fresh start on a company file of a random record and a random tail.
  void start(std::mt19937& random) {
    as_read.clear();
    // Zero bytes now and then: texts with a terminator and bytes after it,
    // codes with 00 inside.
    for (int i = 0; i < RECORD_SIZE + TAIL; ++i) as_read += static_cast<char>(random() % 8 ? random() : 0);
    // Every other palette slot blinks, the first of each group included: the
    // colour grid shows it without that bit but must not drop it.
    for (int i = field::palette.offset; i < field::palette.offset + field::palette.size; i += 2) as_read[static_cast<size_t>(i)] |= '\x80';
    close_company_file();
    dir.write("DITTA.001", as_read);
    ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
    setup_record().fill(0);
    ASSERT_EQ(load_setup_record(), 0);
    watch = std::make_unique<WriteWatch>(dir.file("DITTA.001"));
    writes = 0;
  }

  uint8_t read_byte_at(int offset) const { return static_cast<uint8_t>(as_read[static_cast<size_t>(offset)]); }

  void check() {
    if (HasFailure() || !watch) return;  // the first fault is enough
    const std::string now = file();
    ASSERT_EQ(now.size(), as_read.size()) << where;
    ASSERT_EQ(hex(now.substr(RECORD_SIZE)), hex(as_read.substr(RECORD_SIZE))) << where << ": after byte 1023";
    for (int offset = 0; offset < RECORD_SIZE; ++offset) {
      if (used[static_cast<size_t>(offset)]) continue;
      ASSERT_EQ(static_cast<uint8_t>(now[static_cast<size_t>(offset)]), read_byte_at(offset))
          << where << ": unused file byte " << offset;
      ASSERT_EQ(setup_record()[static_cast<size_t>(offset)], read_byte_at(offset))
          << where << ": unused record byte " << offset;
    }
    // Judged by the file: the colour chooser previews the colour under its
    // cursor in memory, by design, until Enter confirms it.
    if (enter_walk) {
      ASSERT_EQ(hex(now), hex(as_read)) << where << ": the file";
    }
    if (watch->written()) {
      ++writes;
      ASSERT_EQ(hex(now.substr(0, RECORD_SIZE)), hex(bytes_of_record())) << where << ": the file after a save";
    }
  }

  // Opens an item from the first one: Right to it, Enter.
  void open_item(int item) {
    reset_menu_bar();
    for (int i = 1; i < item; ++i) keys.press(key::RIGHT);
    keys.press(key::ENTER);
  }

  void run_step() {
    keys.fallbacks = 0;
    main_loop_step(menu_dialogs());
    keys.keys.clear();
    check();
  }

  std::string file() const { return dir.read("DITTA.001"); }
  std::string bytes_of_record() const {
    return std::string(reinterpret_cast<const char*>(setup_record().data()), RECORD_SIZE);
  }

  CheckedConsole keys;
  TempDir dir;
  InDirectory in_dir{dir.path};
  std::array<bool, RECORD_SIZE> used{};
  std::string as_read;
  std::unique_ptr<WriteWatch> watch;
  int writes = 0;
  bool enter_walk = false;
  std::string where;
};

TEST_F(WholeProgram, RandomKeysOverEveryItemKeepUnusedBytesAndSaveWhatIsInMemory) {
  std::mt19937 random(20261208);
  int saves = 0;
  for (int run = 0; run < 8 * ITEMS && !HasFailure(); ++run) {
    saves += writes;
    start(random);
    session().service_mode = run % 2 == 0;
    // Each item in turn, then one more at random: what a left dialog leaves
    // in memory reaches the file with the next save.
    for (int item : {1 + run % ITEMS, 1 + static_cast<int>(random() % ITEMS)}) {
      where = "run " + std::to_string(run) + ", item " + std::to_string(item);
      open_item(item);
      const int count = static_cast<int>(random() % 250);
      for (int i = 0; i < count; ++i)
        keys.press(random() % 30 == 0 ? LEAVING_KEYS[random() % std::size(LEAVING_KEYS)]
                                      : KEY_POOL[random() % std::size(KEY_POOL)]);
      run_step();
    }
  }
  EXPECT_GT(saves, 20) << "the random keys hardly ever completed a dialog";
}

// Items whose dialogs (every submenu entry) complete on Enter alone, and so
// must write: there the walk proves something only if the save happened.
bool completes_on_enter(int item) { return item == 1 || item == 2 || item == 4 || item == 7 || item == 10; }

TEST_F(WholeProgram, EnterOnlyWalksChangeNoByte) {
  std::mt19937 random(1024);
  session().service_mode = true;
  for (int item = 1; item <= ITEMS && !HasFailure(); ++item) {
    for (int entry = 0; entry < 4 && !HasFailure(); ++entry) {
      // Moves a submenu one entry on (a popup reopens on the entry chosen
      // last), whatever the keys then do; the session starts afresh after.
      start(random);
      where = "positioning for item " + std::to_string(item);
      open_item(item);
      keys.press({key::DOWN, key::ENTER});
      run_step();

      // A preset writes the palette by design: it is a command, not a walk.
      if (item == 11 && palette_menu_entry() < 2) continue;
      start(random);
      const std::string ext = get_text(setup_record(), field::setup_ext);
      const bool ext_can_exist = ext.find('/') == std::string::npos;
      if (ext_can_exist) dir.write("SETUP." + ext, "");
      where = "Enter walk of item " + std::to_string(item) + ", walk " + std::to_string(entry);
      enter_walk = true;
      open_item(item);
      for (int i = 0; i < 60; ++i) keys.press(key::ENTER);
      run_step();
      enter_walk = false;
      EXPECT_EQ(hex(file()), hex(as_read)) << where;
      if (completes_on_enter(item) && ext_can_exist) {
        EXPECT_EQ(keys.fallbacks, 0) << where << ": Enter alone did not complete the dialog";
        EXPECT_GT(writes, 0) << where << ": the completed dialog did not save";
      }
      if (ext_can_exist) ::unlink(("SETUP." + ext).c_str());
    }
  }
}

}  // namespace
