#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "file_command_fixture.h"
#include "worked_example.h"

namespace kvt::testing {
namespace {

constexpr const char* kMismatchText =
    "AN ERROR HAS OCCURRED READING THE FILE BECAUSE THE FILE\n"
    "WAS NOT CREATED FOR THE 00-00417-(MDL) SWITCH PANEL\n"
    "----------THE FILE READ OPERATION IS BEING ABANDONED!-----------";
constexpr const char* kBackLightMessage =
    "NORMAL BACKLIGHTING INTENSITY must be set equal to\nor less than NORMAL INDICATOR INTENSITY.";
constexpr const char* kFeatureMessage =
    "ONE OF THE SWITCHES ON THE PANEL MUST BE ASSIGNED TO THE\n"
    "MR/BL CHANNEL IF YOU ARE SELECTING INDEPENDENT LIGHTING.";

// The worked example with some fields (numbered 1..29) replaced by raw file text.
std::string example_with(const std::vector<std::pair<int, std::string>>& edits) {
  std::string body = kWorkedExampleLine;
  body.resize(body.size() - 2);
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = body.find(',', start)) != std::string::npos;) {
    fields.push_back(body.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(body.substr(start));
  for (const auto& [field, raw] : edits) fields.at(field - 1) = raw;
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : ",") + f;
  return line + "\r\n";
}

using FileOpen = FileCommandFixture;

TEST_F(FileOpen, LoadsTheWorkedExampleIntoTheWindow) {
  put_file(path("example.kvc"), kWorkedExampleLine);
  chooser.file_name = "last used.kvc";
  open(path("example.kvc"));

  ASSERT_EQ(dialogs.requests().size(), 1u);
  const auto& shown = dialogs.requests()[0];
  EXPECT_EQ(shown.kind, RecordingDialogs::ChooserKind::Open);
  EXPECT_EQ(shown.offered.file_name, "last used.kvc");
  EXPECT_EQ(shown.offered.title, "READ CONFIGURATION FILE");
  EXPECT_EQ(shown.offered.filter, "KORVELANTIX CONFIGURATION FILES (*.kvc)");
  EXPECT_EQ(shown.offered.default_suffix, "kvc");

  EXPECT_EQ(controls.text(kPanelNameBox), "LOBBY 2");
  EXPECT_EQ(controls.text(designation_box(1)), "ENTRY");
  EXPECT_EQ(controls.text(designation_box(2)), "STAGE");
  EXPECT_EQ(controls.text(designation_box(3)), "MASTER");
  EXPECT_EQ(controls.text(designation_box(10)), "DESIGNATION ");
  const std::vector<std::pair<int, int>> selections = {{1, 2},  {2, 2},  {3, 1},  {4, 0},
                                                       {5, 17}, {19, 0}, {21, 0}, {22, 4}};
  for (const auto& [list, position] : selections)
    EXPECT_EQ(controls.selected(list), position) << list;
  EXPECT_FALSE(list_hidden(channel_list(1)));
  EXPECT_TRUE(list_hidden(channel_list(3)));
  EXPECT_TRUE(list_hidden(channel_list(10)));
  for (int k = 1; k <= kSwitchCount; ++k) EXPECT_FALSE(box_hidden(designation_box(k))) << k;
  EXPECT_TRUE(controls.ticked());

  EXPECT_EQ(config.feature, 1);
  EXPECT_EQ(config.indpercent, 10);
  EXPECT_EQ(config.blpercent, 4);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
}

TEST_F(FileOpen, OffersTheFileLastSaved) {
  enter_worked_example();
  save(path("saved.kvc"));
  open(std::nullopt);
  ASSERT_EQ(dialogs.requests().size(), 2u);
  EXPECT_EQ(dialogs.requests()[1].offered.file_name, path("saved.kvc"));
}

struct LoadCase {
  const char* name;
  std::vector<std::pair<int, std::string>> edits;
  std::vector<std::pair<int, int>> selections;  // list, position
  bool ticked;
  std::int16_t indpercent;
  std::int16_t blpercent;
  std::vector<std::string> messages;
  std::vector<std::string> not_settings = {};  // each after "<path> HOLDS "
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class FileOpenLoads : public FileCommandFixture, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FileOpenLoads, EndsAsTheRulesSay) {
  const LoadCase& tc = GetParam();
  put_file(path("case.kvc"), example_with(tc.edits));
  open(path("case.kvc"));

  for (const auto& [list, position] : tc.selections) {
    EXPECT_EQ(controls.selected(list), position) << "List" << list;
  }
  EXPECT_EQ(controls.ticked(), tc.ticked);
  EXPECT_EQ(config.feature, tc.ticked ? 1 : 0);
  EXPECT_EQ(config.indpercent, tc.indpercent);
  EXPECT_EQ(config.blpercent, tc.blpercent);
  // The values that are not settings come last, in one box of their own, the file named.
  std::vector<std::string> shown;
  for (const auto& m : dialogs.messages()) shown.push_back(m.text);
  std::vector<std::string> expected = tc.messages;
  std::string not_settings;
  for (const std::string& line : tc.not_settings) {
    if (!not_settings.empty()) not_settings += '\n';
    not_settings += path("case.kvc") + " HOLDS " + line;
  }
  if (!not_settings.empty()) expected.push_back(not_settings);
  EXPECT_EQ(shown, expected);
  if (!not_settings.empty()) {
    EXPECT_EQ(dialogs.messages().back().title, "VALUES THAT ARE NOT SETTINGS");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOpenLoads,
    ::testing::Values(
        LoadCase{"code_200_opens_as_na",
                 {{4, "200"}},
                 {{1, 0}, {3, 1}},
                 true,
                 10,
                 4,
                 {},
                 {"200 FOR THE SW1 ASSIGNMENT, WHICH IS NOT A SETTING; SHOWN AS N/A."}},
        LoadCase{"code_32767_opens_as_na",
                 {{20, "32767"}},
                 {{17, 0}},
                 true,
                 10,
                 4,
                 {},
                 {"32767 FOR THE SW9 ASSIGNMENT, WHICH IS NOT A SETTING; SHOWN AS N/A."}},
        LoadCase{"flag_2_clears_the_box",
                 {{25, "2"}},
                 {{5, 17}},
                 false,
                 10,
                 4,
                 {},
                 {"2 FOR THE INDEPENDENT LIGHTING FLAG, WHICH IS NOT A SETTING; SHOWN AS off."}},
        LoadCase{"indicator_8_opens_as_100",
                 {{27, "8"}},
                 {{21, 0}, {22, 4}},
                 true,
                 10,
                 4,
                 {},
                 {"8 FOR THE INDICATOR INTENSITY, WHICH IS NOT A SETTING; SHOWN AS 100 %."}},
        LoadCase{"each_value_named_once_in_one_box",
                 {{6, "161"}, {25, "5"}, {27, "0"}, {29, "255"}},
                 {{3, 0}, {21, 0}, {22, 0}},
                 false,
                 10,
                 10,
                 {},
                 {"161 FOR THE SW2 ASSIGNMENT, WHICH IS NOT A SETTING; SHOWN AS N/A.",
                  "5 FOR THE INDEPENDENT LIGHTING FLAG, WHICH IS NOT A SETTING; SHOWN AS off.",
                  "0 FOR THE INDICATOR INTENSITY, WHICH IS NOT A SETTING; SHOWN AS 100 %.",
                  "255 FOR THE BACK-LIGHT INTENSITY, WHICH IS NOT A SETTING; SHOWN AS 100 %."}},
        LoadCase{"backlight_11_opens_as_100",
                 {{29, "11"}},
                 {{21, 0}, {22, 0}},
                 true,
                 10,
                 10,
                 {},
                 {"11 FOR THE BACK-LIGHT INTENSITY, WHICH IS NOT A SETTING; SHOWN AS 100 %."}},
        LoadCase{"backlight_above_indicator_comes_down",
                 {{27, "4"}, {29, "6"}},
                 {{21, 4}, {22, 4}},
                 true,
                 4,
                 4,
                 {kBackLightMessage}},
        LoadCase{
            "flag_without_blmr_switch", {{8, "160"}}, {{5, 0}}, false, 10, 4, {kFeatureMessage}},
        LoadCase{"other_labels_open_the_same",
                 {{24, "\"x\""}, {26, "\"\""}, {28, "\"BL\""}},
                 {{21, 0}, {22, 4}},
                 true,
                 10,
                 4,
                 {}}),
    [](const auto& info) { return info.param.name; });

// Module "P" with channel "10" would be saved as 159, the BL/MR code: the pair is refused as it
// is chosen and the save then refuses the incomplete switch. 159 in a file still opens as
// "BL/MR", without a word.
TEST_F(FileOpen, ModuleP_Channel10_IsNotSavedAnd159OpensAsBlMr) {
  enter_worked_example();
  controls.select(module_list(1), 16);
  controls.select(channel_list(1), 9);
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].title, "SWITCH ASSIGNMENT");
  EXPECT_EQ(controls.selected(channel_list(1)), -1);
  save(path("p10.kvc"));
  EXPECT_EQ(dialogs.unanswered(), 1u);  // refused before the chooser was asked
  EXPECT_FALSE(std::filesystem::exists(path("p10.kvc")));
  EXPECT_EQ(status.text, "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA");

  put_file(path("159.kvc"), example_with({{4, "159"}}));
  open_config_file(config, controls, status, path("159.kvc"));
  EXPECT_EQ(controls.selected(module_list(1)), 17);
  EXPECT_TRUE(list_hidden(channel_list(1)));
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

struct RefusedCase {
  const char* name;
  const char* file_name;
  std::optional<std::string> bytes;  // nothing: the file does not exist
  const char* reason = nullptr;      // for a file named in red: the reason it is given
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class FileOpenRefuses : public FileCommandFixture,
                        public ::testing::WithParamInterface<RefusedCase> {};

// A refused file shows the mismatch message and leaves every control and every value as it was,
// however far the record read before it was found wanting.
TEST_P(FileOpenRefuses, ShowsMismatchAndChangesNothing) {
  const RefusedCase& tc = GetParam();
  enter_worked_example();
  controls.select(kIndicatorList, 1);  // "90", so a loaded "100" would show
  if (tc.bytes) put_file(path(tc.file_name), *tc.bytes);
  const ControlsState before = state();

  open(path(tc.file_name));

  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].text, kMismatchText);
  EXPECT_EQ(dialogs.messages()[0].title, "FILE/MODEL MIS-MATCH");
  EXPECT_TRUE(state() == before);
  EXPECT_FALSE(status.visible);
}

const std::vector<std::pair<int, std::string>> kOtherConfiguration = {
    {2, "\"OTHER\""}, {4, "55"}, {25, "0"}, {27, "3"}, {29, "2"}};

std::string other_configuration_with(std::pair<int, std::string> fault) {
  auto edits = kOtherConfiguration;
  edits.push_back(std::move(fault));
  return example_with(edits);
}

std::string first_twenty_fields(const std::string& record) {
  std::size_t end = 0;
  for (int field = 1; field <= 20; ++field) end = record.find(',', end + 1);
  return record.substr(0, end) + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOpenRefuses,
    ::testing::Values(
        RefusedCase{"model_in_lower_case", "lower.kvc",
                    other_configuration_with({1, "\"00-00417-mdl\""})},
        RefusedCase{"another_model", "other.kvc",
                    other_configuration_with({1, "\"00-00418-MDL\""})},
        RefusedCase{"twenty_fields", "short.kvc",
                    first_twenty_fields(other_configuration_with({1, "\"00-00417-MDL\""}))},
        RefusedCase{"number_beyond_16_bits", "big.kvc", other_configuration_with({29, "40000"})},
        RefusedCase{"negative_switch_code", "negative.kvc", other_configuration_with({10, "-1"})},
        RefusedCase{"text_after_closing_quote", "quote.kvc",
                    other_configuration_with({7, "\"MASTER\"S"})},
        RefusedCase{"not_a_number", "nan.kvc", other_configuration_with({27, "ten"})},
        RefusedCase{"empty_file", "empty.kvc", ""}),
    [](const auto& info) { return info.param.name; });

// The worked example followed by line ends up to `size` bytes: a record that opens if only the
// start of the file is read.
std::string worked_example_of_size(std::size_t size) {
  std::string bytes = kWorkedExampleLine;
  bytes.resize(size, '\n');
  return bytes;
}

constexpr std::size_t kOneMiB = 1 << 20;

// A file cut short: `record` without its last `count` bytes.
std::string without_last_bytes(const std::string& record, std::size_t count) {
  return record.substr(0, record.size() - count);
}

class FileOpenUnreadable : public FileCommandFixture,
                           public ::testing::WithParamInterface<RefusedCase> {};

// A file that cannot be read whole is named in red with the reason, never taken for a file of
// another panel, and changes nothing.
TEST_P(FileOpenUnreadable, IsNamedInRedWithItsReasonAndChangesNothing) {
  const RefusedCase& tc = GetParam();
  enter_worked_example();
  if (tc.bytes) put_file(path(tc.file_name), *tc.bytes);
  const ControlsState before = state();

  open(path(tc.file_name));

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text,
            "CONFIGURATION FILE COULD NOT BE READ: " + path(tc.file_name) + " (" + tc.reason + ")");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(state() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOpenUnreadable,
    ::testing::Values(RefusedCase{"file_does_not_exist", "missing.kvc", std::nullopt,
                                  "No such file or directory"},
                      RefusedCase{"one_byte_over_1_MiB", "large.kvc",
                                  worked_example_of_size(kOneMiB + 1), "LARGER THAN 1 MiB"},
                      RefusedCase{"cut_inside_the_last_number", "cut.kvc",
                                  without_last_bytes(example_with({{29, "10"}}), 3),
                                  "CUT SHORT: NO LINE END"},
                      RefusedCase{"whole_record_without_line_end", "no-line-end.kvc",
                                  without_last_bytes(kWorkedExampleLine, 2),
                                  "CUT SHORT: NO LINE END"}),
    [](const auto& info) { return info.param.name; });

TEST_F(FileOpen, FileOfExactly1MiBOpens) {
  put_file(path("large.kvc"), worked_example_of_size(kOneMiB));
  open(path("large.kvc"));
  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(controls.text(kPanelNameBox), "LOBBY 2");
}

// The name's bytes reach the system as they are: a name in Latin-1 is no UTF-8 at all.
TEST_F(FileOpen, NameThatIsNotUtf8Opens) {
  const std::string latin1_name = dir.path().toStdString() + "/caf\xe9.kvc";
  put_file(latin1_name, kWorkedExampleLine);
  open(latin1_name);
  ::unlink(latin1_name.c_str());  // QTemporaryDir cannot remove it
  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(controls.text(kPanelNameBox), "LOBBY 2");
}

TEST_F(FileOpen, FolderIsNamedInRedAndChangesNothing) {
  enter_worked_example();
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.kvc"));
  const ControlsState before = state();

  open(path("folder.kvc"));

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text,
            "CONFIGURATION FILE COULD NOT BE READ: " + path("folder.kvc") + " (IT IS A FOLDER)");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(state() == before);
}

// What a technician may pick by mistake in the chooser that is not a file at all. None of them
// may hold the window: a FIFO without a writer and a terminal without input never end a read.
enum class NotAFile { Fifo, LinkToCharacterDevice, LinkToPtyDevice, LinkToFolder };

struct NotAFileCase {
  const char* name;
  NotAFile kind;
  const char* reason;
};
void PrintTo(const NotAFileCase& c, std::ostream* out) { *out << c.name; }

class FileOpenNotAFile : public FileCommandFixture,
                         public ::testing::WithParamInterface<NotAFileCase> {
 protected:
  ~FileOpenNotAFile() override {
    if (pty_ >= 0) ::close(pty_);
  }

  void make(NotAFile kind, const std::string& at) {
    switch (kind) {
      case NotAFile::Fifo:
        ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0) << std::strerror(errno);
        return;
      case NotAFile::LinkToCharacterDevice:
        ASSERT_EQ(::symlink("/dev/null", at.c_str()), 0) << std::strerror(errno);
        return;
      case NotAFile::LinkToPtyDevice:
        pty_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(pty_, 0) << std::strerror(errno);
        ASSERT_EQ(::grantpt(pty_), 0);
        ASSERT_EQ(::unlockpt(pty_), 0);
        ASSERT_EQ(::symlink(::ptsname(pty_), at.c_str()), 0) << std::strerror(errno);
        return;
      case NotAFile::LinkToFolder:
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
        ASSERT_EQ(::symlink(path("folder").c_str(), at.c_str()), 0) << std::strerror(errno);
        return;
    }
  }

 private:
  int pty_ = -1;  // the far end of the pty, held open so that its device exists
};

// Ends the test process if the command blocks, so that a regression fails instead of hanging.
class Watchdog {
 public:
  explicit Watchdog(unsigned seconds) {
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(seconds);
  }
  ~Watchdog() { ::alarm(0); }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
};

TEST_P(FileOpenNotAFile, RefusedInRedAtOnceChangingNothing) {
  const NotAFileCase& tc = GetParam();
  enter_worked_example();
  const std::string chosen = path("chosen.kvc");
  ASSERT_NO_FATAL_FAILURE(make(tc.kind, chosen));
  const ControlsState before = state();

  {
    const Watchdog watchdog(5);
    open(chosen);
  }

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text,
            "CONFIGURATION FILE COULD NOT BE READ: " + chosen + " (" + tc.reason + ")");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(state() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOpenNotAFile,
    ::testing::Values(NotAFileCase{"fifo", NotAFile::Fifo, "NOT A REGULAR FILE"},
                      NotAFileCase{"dev_null_link", NotAFile::LinkToCharacterDevice,
                                   "NOT A REGULAR FILE"},
                      NotAFileCase{"pty_link", NotAFile::LinkToPtyDevice, "NOT A REGULAR FILE"},
                      NotAFileCase{"folder_link", NotAFile::LinkToFolder, "IT IS A FOLDER"}),
    [](const auto& info) { return info.param.name; });

TEST_F(FileOpen, CancelChangesNothing) {
  enter_worked_example();
  const ControlsState before = state();
  open(std::nullopt);
  EXPECT_TRUE(state() == before);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
}

struct SameBytesCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const SameBytesCase& c, std::ostream* os) { *os << c.name; }

class FileOpenThenSave : public FileCommandFixture,
                         public ::testing::WithParamInterface<SameBytesCase> {};

TEST_P(FileOpenThenSave, WritesTheSameBytes) {
  put_file(path("in.kvc"), GetParam().bytes);
  open(path("in.kvc"));
  ASSERT_TRUE(dialogs.messages().empty());
  save(path("out.kvc"));
  EXPECT_EQ(file_bytes(path("out.kvc")), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileOpenThenSave,
    ::testing::Values(
        SameBytesCase{"worked_example", kWorkedExampleLine},
        SameBytesCase{"latin1_and_commas",
                      example_with({{2, "\"CAF\xC9\""}, {3, "\"\xC9TAGE, EST\""}, {5, "\"\""}})},
        SameBytesCase{"every_module_and_lowest_intensities", example_with({{4, "0"},
                                                                           {6, "158"},
                                                                           {8, "99"},
                                                                           {10, "10"},
                                                                           {12, "159"},
                                                                           {14, "45"},
                                                                           {16, "160"},
                                                                           {18, "149"},
                                                                           {20, "9"},
                                                                           {22, "120"},
                                                                           {25, "0"},
                                                                           {27, "1"},
                                                                           {29, "1"}})}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kvt::testing
