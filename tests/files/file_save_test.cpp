#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include "window_fixture.h"
#include "worked_example.h"

namespace kvt::testing {
namespace {

constexpr const char* kIncompleteText =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";

using FileSave = WindowFixture;

TEST_F(FileSave, WritesTheWorkedExampleWhereTheUserChose) {
  enter_worked_example();
  const std::string target = path("chosen.kvc");
  save(target);

  EXPECT_EQ(file_bytes(target), kWorkedExampleLine);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  const auto& shown = dialogs.requests()[0];
  EXPECT_EQ(shown.kind, RecordingDialogs::ChooserKind::Save);
  EXPECT_EQ(shown.offered.file_name, "LOBBY 2.kvc");
  EXPECT_EQ(shown.offered.title, "WRITE CONFIGURATION FILE");
  EXPECT_EQ(shown.offered.filter, "KORVELANTIX CONFIGURATION FILES (*.kvc)");
  EXPECT_EQ(shown.offered.default_suffix, "kvc");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
  EXPECT_EQ(form.config().error_flag, 0);
}

TEST_F(FileSave, WritesWindowTextsAsLatin1) {
  enter_worked_example();
  form.set_text(designation_box(1), "ÉTAGE");
  save(path("latin1.kvc"));
  EXPECT_NE(file_bytes(path("latin1.kvc")).find("\"\xC9TAGE\",12,"), std::string::npos);
}

struct IncompleteCase {
  const char* name;
  const char* panel_name;
};

void PrintTo(const IncompleteCase& c, std::ostream* os) { *os << c.name; }

class FileSaveIncomplete : public WindowFixture,
                           public ::testing::WithParamInterface<IncompleteCase> {};

// An incomplete switch is refused before the panel name is looked at.
TEST_P(FileSaveIncomplete, IsRefusedInRedWithoutDialog) {
  enter_worked_example();
  form.set_text(kPanelNameBox, GetParam().panel_name);
  form.select(module_list(4), 3);  // module "C", no channel chosen
  save(path("never.kvc"));

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, kIncompleteText);
  EXPECT_TRUE(dialogs.requests().empty());
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(form.config().error_flag, 1);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Switch4, FileSaveIncomplete,
                         ::testing::Values(IncompleteCase{"with_panel_name", "LOBBY 2"},
                                           IncompleteCase{"without_panel_name", ""}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FileSave, EmptyPanelNameIsRefusedWithMessage) {
  enter_worked_example();
  form.set_text(kPanelNameBox, "");
  save(path("never.kvc"));

  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].text, "Name must be entered in PANEL NAME field");
  EXPECT_EQ(dialogs.messages()[0].title, "");
  EXPECT_TRUE(dialogs.requests().empty());
  EXPECT_FALSE(status.visible);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileSave, PanelNameOfOneSpacePasses) {
  enter_worked_example();
  form.set_text(kPanelNameBox, " ");
  save(path("space.kvc"));

  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].offered.file_name, " .kvc");
  EXPECT_NE(file_bytes(path("space.kvc")).find("\"00-00417-MDL\",\" \","), std::string::npos);
}

// A "/" would point the offered name into a subfolder; the record keeps the name as typed.
TEST_F(FileSave, PanelNameWithASlashOffersADash) {
  enter_worked_example();
  form.set_text(kPanelNameBox, "A/B");
  save(path("slash.kvc"));

  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].offered.file_name, "A-B.kvc");
  EXPECT_NE(file_bytes(path("slash.kvc")).find("\"00-00417-MDL\",\"A/B\","), std::string::npos);
}

TEST_F(FileSave, CancelWritesNothingAndSaysNothing) {
  enter_worked_example();
  save(std::nullopt);

  EXPECT_EQ(dialogs.requests().size(), 1u);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Makes every file write beyond a few bytes fail, as a full disk would, for one scope.
class FileSizeLimit {
 public:
  FileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old_;
    tight.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tight);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

struct UnwritableCase {
  const char* name;
  const char* target;  // inside the test folder
  bool disk_full;
  const char* reason;  // the system's own words keep their letters; ours are in capitals
};

void PrintTo(const UnwritableCase& c, std::ostream* os) { *os << c.name; }

class FileSaveUnwritable : public WindowFixture,
                           public ::testing::WithParamInterface<UnwritableCase> {};

// A save that cannot be written must say so, and must neither damage the file it would have
// replaced nor leave a half-written one behind.
TEST_P(FileSaveUnwritable, KeepsOldFileAndSaysSoInRed) {
  const UnwritableCase& tc = GetParam();
  const std::string old_file = path("old.kvc");
  put_file(old_file, "OLD CONTENTS\r\n");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  enter_worked_example();

  const std::string target = path(tc.target);
  if (tc.disk_full) {
    FileSizeLimit limit;
    save(target);
  } else {
    save(target);
  }

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, "CONFIGURATION FILE WAS NOT SAVED: " + target + " (" + tc.reason + ")");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(file_bytes(old_file), "OLD CONTENTS\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"folder", "old.kvc"}));
  EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FileSaveUnwritable,
    ::testing::Values(UnwritableCase{"folder_does_not_exist", "missing/new.kvc", false,
                                     "No such file or directory"},
                      UnwritableCase{"path_is_a_folder", "folder", false,
                                     "Filename refers to a directory"},
                      UnwritableCase{"disk_full_over_old_file", "old.kvc", true,
                                     "NOT ALL OF IT COULD BE WRITTEN, THE DISK MAY BE FULL"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kvt::testing
