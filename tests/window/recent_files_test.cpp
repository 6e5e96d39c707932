// RECENT FILES in the context menu: the files opened or saved last, newest first, kept for the
// next run; a file no longer there is shown off, then left out at the next start; each opens as
// OPEN CONFIGURATION FILE opens a file.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "right_click.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"

namespace kvt {
namespace {

struct RecentEntry {
  std::string text;
  bool enabled;
  bool operator==(const RecentEntry&) const = default;
};

void PrintTo(const RecentEntry& e, std::ostream* os) {
  *os << e.text << (e.enabled ? "" : " (off)");
}

class RecentFiles : public ::testing::Test {
 protected:
  const QByteArray tests_settings_home = qgetenv("XDG_CONFIG_HOME");
  RecentFiles() {
    // The list starts empty, in a settings folder of the test's own.
    qputenv("XDG_CONFIG_HOME", settings_dir.path().toLocal8Bit());
    form = start();
  }
  ~RecentFiles() override { qputenv("XDG_CONFIG_HOME", tests_settings_home); }

  // A window started as the program starts it.
  static std::unique_ptr<testing::CountingForm1> start() {
    auto window = std::make_unique<testing::CountingForm1>();
    window->load();
    window->show();
    return window;
  }

  // The worked example under another panel name, in a file of that name.
  std::string file(const std::string& panel) {
    std::string line = testing::kWorkedExampleLine;
    line.replace(line.find("LOBBY 2"), 7, panel);
    const std::string path =
        files_dir.filePath(QString::fromStdString(panel + ".kvc")).toStdString();
    std::ofstream(path, std::ios::binary) << line;
    return path;
  }

  // The RECENT FILES submenu of `window`'s context menu, closed again once read.
  static std::vector<RecentEntry> entries(testing::CountingForm1& window) {
    QMenu* menu = testing::right_click_menu(window);
    auto* recent = menu->findChild<QMenu*>(QStringLiteral("RecentFilesMenu"));
    EXPECT_NE(recent, nullptr);
    std::vector<RecentEntry> listed;
    for (const QAction* action : recent->actions()) {
      listed.push_back({action->text().toStdString(), action->isEnabled()});
    }
    menu->close();
    return listed;
  }

  // Chooses the entry for `path` from the menu, as a click does, and lets it open.
  void choose(const std::string& path) {
    QMenu* menu = testing::right_click_menu(*form);
    auto* recent = menu->findChild<QMenu*>(QStringLiteral("RecentFilesMenu"));
    for (QAction* action : recent->actions()) {
      if (action->text().toStdString() == path) action->trigger();
    }
    menu->close();
    QCoreApplication::processEvents();
  }

  QTemporaryDir settings_dir;
  QTemporaryDir files_dir;
  std::unique_ptr<testing::CountingForm1> form;
};

// Opened and saved files alike, newest first, each once, eight at most; a second window (the next
// run) lists the same.
TEST_F(RecentFiles, NewestFirstEachOnceEightAtMostAcrossARestart) {
  std::vector<std::string> opened;
  for (int i = 1; i <= 9; ++i) {
    opened.push_back(file("PANEL " + std::to_string(i)));
    form->open_file(opened.back());
  }
  const std::string saved = files_dir.filePath("SAVED.kvc").toStdString();
  form->recorder().answer_with(saved);
  form->findChild<QAbstractButton*>("WRITE_FILE")->click();
  form->open_file(opened[6]);  // PANEL 7 again

  const std::vector<RecentEntry> expected{{opened[6], true}, {saved, true},     {opened[8], true},
                                          {opened[7], true}, {opened[5], true}, {opened[4], true},
                                          {opened[3], true}, {opened[2], true}};
  EXPECT_EQ(entries(*form), expected);
  form.reset();
  EXPECT_EQ(entries(*start()), expected);
}

// A relative name, as "kvt-config FILE.kvc" in the file's folder gives it, is kept whole.
TEST_F(RecentFiles, ARelativeNameIsKeptAbsolute) {
  const std::string path = file("LOBBY 2");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(files_dir.path().toStdString());
  form->open_file("LOBBY 2.kvc");
  std::filesystem::current_path(before);
  EXPECT_EQ(entries(*form), (std::vector<RecentEntry>{{path, true}}));
}

TEST_F(RecentFiles, AMissingFileIsOffThenLeftOutAtTheNextStart) {
  const std::string gone = file("GONE");
  const std::string kept = file("KEPT");
  form->open_file(gone);
  form->open_file(kept);
  std::filesystem::remove(gone);
  EXPECT_EQ(entries(*form), (std::vector<RecentEntry>{{kept, true}, {gone, false}}));
  EXPECT_EQ(entries(*start()), (std::vector<RecentEntry>{{kept, true}}));
}

struct OpenCase {
  const char* name;
  bool unsaved;
  UnsavedAnswer answer;
  const char* file_line;  // null: the worked example as panel "CHOSEN"
  const char* panel_after;
  std::size_t messages;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class FromTheMenu : public RecentFiles, public ::testing::WithParamInterface<OpenCase> {};

// As OPEN opens a file: unsaved changes asked about first, a file of another model refused with
// its message.
TEST_P(FromTheMenu, OpensAsOpenDoes) {
  const OpenCase& c = GetParam();
  const std::string chosen = file("CHOSEN");
  form->open_file(chosen);
  form->open_file(file("LATEST"));
  if (c.file_line != nullptr) std::ofstream(chosen, std::ios::binary) << c.file_line;
  if (c.unsaved) form->set_text(kPanelNameBox, "TYPED");
  form->recorder().answer_question(c.answer);

  choose(chosen);

  EXPECT_EQ(form->recorder().questions().size(), c.unsaved ? 1u : 0u);
  EXPECT_EQ(form->text(kPanelNameBox), c.panel_after);
  EXPECT_EQ(form->recorder().messages().size(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FromTheMenu,
    ::testing::Values(OpenCase{"Saved", false, UnsavedAnswer::Cancel, nullptr, "CHOSEN", 0},
                      OpenCase{"UnsavedDiscarded", true, UnsavedAnswer::Discard, nullptr, "CHOSEN",
                               0},
                      OpenCase{"UnsavedKept", true, UnsavedAnswer::Cancel, nullptr, "TYPED", 0},
                      // Rewritten by another program since it was opened.
                      OpenCase{"OtherModelRefused", false, UnsavedAnswer::Cancel,
                               "\"00-00999-XYZ\",\"OTHER\"\r\n", "LATEST", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
