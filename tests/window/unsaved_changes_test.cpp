// The question before unsaved changes are dropped: when it is asked, what each answer does, and
// what marks the configuration as changed or clears the mark.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "worked_example.h"

namespace kvt {
namespace {

using sim::PanelMemory;
using sim::PanelSimulator;
using testing::RecordingDialogs;

constexpr const char* kQuestion =
    "THE CONFIGURATION HAS CHANGED SINCE IT WAS LAST SAVED.\nSAVE IT TO A FILE FIRST?";

// A real window started as "kvt-config LOBBY2.kvc" would start it: the worked example opened,
// nothing changed yet.
class UnsavedChanges : public ::testing::Test {
 public:
  UnsavedChanges() {
    form.load();
    form.show();
    form.open_file(example);
  }

  std::string write(const char* name, const std::string& line) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << line;
    return path;
  }
  void start_panel(const std::vector<std::string>& options = {},
                   const std::optional<PanelMemory>& memory = std::nullopt) {
    sim = std::make_unique<PanelSimulator>(options, memory);
    sim->use_as_serial_port();
  }
  void press(const char* name) { form.findChild<QAbstractButton*>(name)->click(); }
  QLineEdit& box(int number) {
    return *form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
  }
  QListWidget& list(int number) {
    return *form.findChild<QListWidget*>(QStringLiteral("List%1").arg(number));
  }
  // As the technician types: at the end of the panel name.
  void type_panel_name_end(const char* typed) {
    box(kPanelNameBox).end(false);
    QTest::keyClicks(&box(kPanelNameBox), typed);
  }
  void save_as(const std::string& path) {
    dialogs.answer_with(path);
    press("WRITE_FILE");
  }
  void open(const std::string& path) {
    dialogs.answer_with(path);
    press("READ_FILE");
  }
  void read(const std::vector<std::string>& options = {},
            const std::optional<PanelMemory>& memory = std::nullopt) {
    start_panel(options, memory);
    press("READ_CONFIG");
  }
  // Closes the window (a question is answered DISCARD) and says whether it asked.
  bool close_asks() {
    const std::size_t before = dialogs.questions().size();
    EXPECT_TRUE(form.close());
    return dialogs.questions().size() > before;
  }

  QTemporaryDir dir;
  const std::string example = write("LOBBY 2.kvc", testing::kWorkedExampleLine);
  const std::string saved = dir.filePath("SAVED.kvc").toStdString();
  std::unique_ptr<PanelSimulator> sim;
  RecordingDialogs& dialogs = *new RecordingDialogs;  // owned by the window
  Form1 form{std::unique_ptr<Dialogs>(&dialogs)};
};

// ---- what counts as a change ------------------------------------------------------------------

enum class Change {
  TypedPanelName,
  TypedDesignation,
  ClickedModule,
  ChannelByKeyboard,
  ClickedTickBox,
  IntensityByKeyboard,
};

class ChangeKinds : public UnsavedChanges, public ::testing::WithParamInterface<Change> {
 public:
  // Clicks a row the list shows and has not selected.
  void click_other_row(QListWidget& target) {
    for (int row = 0; row < target.count(); ++row) {
      const QRect rect = target.visualItemRect(target.item(row));
      if (!target.item(row)->isSelected() && target.viewport()->rect().contains(rect)) {
        QTest::mouseClick(target.viewport(), Qt::LeftButton, {}, rect.center());
        return;
      }
    }
    ADD_FAILURE() << "no other row in view";
  }
  void make(Change change) {
    switch (change) {
      case Change::TypedPanelName:
        return type_panel_name_end("X");
      case Change::TypedDesignation:
        return QTest::keyClicks(&box(designation_box(2)), "S");
      case Change::ClickedModule:
        return click_other_row(list(module_list(1)));
      case Change::ChannelByKeyboard:
        return QTest::keyClick(&list(channel_list(1)), Qt::Key_Down);
      case Change::ClickedTickBox:
        return QTest::mouseClick(form.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
      case Change::IntensityByKeyboard:
        return QTest::keyClick(&list(kBackLightList), Qt::Key_Up);
    }
  }
};

TEST_P(ChangeKinds, MarksTheConfigurationSoClosingAsks) {
  const std::string before = form.text(kPanelNameBox) + form.text(designation_box(2)) +
                             std::to_string(form.selected(module_list(1))) +
                             std::to_string(form.selected(channel_list(1))) +
                             std::to_string(form.ticked()) +
                             std::to_string(form.selected(kBackLightList));
  make(GetParam());
  const std::string after = form.text(kPanelNameBox) + form.text(designation_box(2)) +
                            std::to_string(form.selected(module_list(1))) +
                            std::to_string(form.selected(channel_list(1))) +
                            std::to_string(form.ticked()) +
                            std::to_string(form.selected(kBackLightList));
  ASSERT_NE(after, before) << "the change did not happen";

  ASSERT_TRUE(close_asks());
  EXPECT_EQ(dialogs.questions().back().title, "UNSAVED CONFIGURATION");
  EXPECT_EQ(dialogs.questions().back().text, kQuestion);
}

const char* name(Change change) {
  constexpr const char* kNames[] = {"TypedPanelName",    "TypedDesignation", "ClickedModule",
                                    "ChannelByKeyboard", "ClickedTickBox",   "IntensityByKeyboard"};
  return kNames[static_cast<int>(change)];
}
void PrintTo(Change change, std::ostream* os) { *os << name(change); }
std::string change_name(const ::testing::TestParamInfo<Change>& info) { return name(info.param); }

INSTANTIATE_TEST_SUITE_P(Kinds, ChangeKinds,
                         ::testing::Values(Change::TypedPanelName, Change::TypedDesignation,
                                           Change::ClickedModule, Change::ChannelByKeyboard,
                                           Change::ClickedTickBox, Change::IntensityByKeyboard),
                         change_name);

// ---- the question and its answers -------------------------------------------------------------

enum class Action { Close, Open, Read };
enum class Reply { Save, SaveCancelled, SaveFailed, Discard, Cancel };

struct QuestionCase {
  bool changed;
  Action action;
  Reply reply;
};

class Question : public UnsavedChanges, public ::testing::WithParamInterface<QuestionCase> {
 public:
  // Scripts the question's answer and the save chooser it may lead to; the open chooser after it
  // is given the example file.
  void script(Reply reply) {
    switch (reply) {
      case Reply::Save:
        dialogs.answer_question(UnsavedAnswer::Save);
        dialogs.answer_with(saved);
        break;
      case Reply::SaveCancelled:
        dialogs.answer_question(UnsavedAnswer::Save);
        dialogs.answer_cancel();
        break;
      case Reply::SaveFailed:  // a folder cannot be written as a file
        dialogs.answer_question(UnsavedAnswer::Save);
        dialogs.answer_with(dir.path().toStdString());
        break;
      case Reply::Discard:
        dialogs.answer_question(UnsavedAnswer::Discard);
        break;
      case Reply::Cancel:
        dialogs.answer_question(UnsavedAnswer::Cancel);
        break;
    }
    dialogs.answer_with(example);
  }
  // Runs the action; says whether it went on past the question.
  bool act(Action action) {
    switch (action) {
      case Action::Close:
        return form.close();
      case Action::Open: {
        press("READ_FILE");
        const auto& requests = dialogs.requests();
        return !requests.empty() && requests.back().kind == RecordingDialogs::ChooserKind::Open;
      }
      case Action::Read:
        press("READ_CONFIG");
        return !sim->frames().empty();
    }
    return false;
  }
};

TEST_P(Question, IsAskedOnlyAfterAChangeAndItsAnswerDecides) {
  const QuestionCase c = GetParam();
  if (c.action == Action::Read) start_panel();
  if (c.changed) type_panel_name_end("X");
  const std::string shown_name = form.text(kPanelNameBox);
  script(c.reply);

  const bool went_on = act(c.action);

  const bool saves = c.changed && c.reply == Reply::Save;
  const bool goes_on = !c.changed || saves || c.reply == Reply::Discard;
  EXPECT_EQ(dialogs.questions().size(), c.changed ? 1u : 0u);
  EXPECT_EQ(went_on, goes_on);
  EXPECT_EQ(std::filesystem::exists(saved), saves);
  if (saves) {
    EXPECT_NE(testing::file_bytes(saved).find("\"LOBBY 2X\""), std::string::npos)
        << testing::file_bytes(saved);
  }
  if (!goes_on) {
    // As it was: the typed name still there, and still unsaved.
    EXPECT_EQ(form.text(kPanelNameBox), shown_name);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(close_asks());
  }
}

std::vector<QuestionCase> question_cases() {
  std::vector<QuestionCase> cases;
  for (Action action : {Action::Close, Action::Open, Action::Read}) {
    // Unasked, a CANCEL scripted for the question would stop the action, were it asked.
    cases.push_back({false, action, Reply::Cancel});
    for (Reply reply :
         {Reply::Save, Reply::SaveCancelled, Reply::SaveFailed, Reply::Discard, Reply::Cancel}) {
      cases.push_back({true, action, reply});
    }
  }
  return cases;
}

std::string name(const QuestionCase& c) {
  constexpr const char* kActions[] = {"Close", "Open", "Read"};
  constexpr const char* kReplies[] = {"Save", "SaveCancelled", "SaveFailed", "Discard", "Cancel"};
  return std::string(c.changed ? "Changed" : "Unchanged") + kActions[static_cast<int>(c.action)] +
         kReplies[static_cast<int>(c.reply)];
}
void PrintTo(const QuestionCase& c, std::ostream* os) { *os << name(c); }
std::string question_name(const ::testing::TestParamInfo<QuestionCase>& info) {
  return name(info.param);
}

INSTANTIATE_TEST_SUITE_P(Table, Question, ::testing::ValuesIn(question_cases()), question_name);

// ---- what clears the mark ---------------------------------------------------------------------

// A whole configuration read from a panel: every switch on "A" "1", lighting flag 1 with no
// switch on "BL/MR" (the rules untick it), indicator code 0 (shown as "100").
PanelMemory panel_needing_corrections() {
  PanelMemory memory{};
  memory[sim::kModelAddress] = 69;
  for (int address = 0; address < 10; ++address) memory[address] = 1;
  memory[11] = 1;
  return memory;
}

struct MarkCase {
  const char* name;
  bool change_first;
  std::function<void(UnsavedChanges&)> act;
  bool asks_on_close;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

// The worked example with "MASTER" on "N/A" (code 160) but independent lighting still on, and
// an indicator code the list has no item for: the rules untick the box and show "100".
constexpr const char* kNeedsCorrections =
    "\"00-00417-MDL\",\"LOBBY 2\",\"ENTRY\",12,\"STAGE\",0,\"MASTER\",160,\"DESIGNATION \",160,"
    "\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,"
    "\"DESIGNATION \",160,\"DESIGNATION \",160,159,\"feature\",1,\"ind%\",10,\"bl%\",4\r\n";

class Mark : public UnsavedChanges, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(Mark, DecidesWhetherClosingAsks) {
  if (GetParam().change_first) type_panel_name_end("X");
  GetParam().act(*this);
  EXPECT_EQ(close_asks(), GetParam().asks_on_close);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Mark,
    ::testing::Values(
        MarkCase{"WriteToPanelKeepsIt", true,
                 [](UnsavedChanges& m) {
                   m.start_panel();
                   m.press("WRITE_CONFIG");
                   EXPECT_EQ(m.form.text(1), "SWITCH PANEL HAS BEEN PROGRAMMED");
                 },
                 true},
        MarkCase{"SaveClearsIt", true, [](UnsavedChanges& m) { m.save_as(m.saved); }, false},
        MarkCase{"CancelledSaveKeepsIt", true, [](UnsavedChanges& m) { m.press("WRITE_FILE"); },
                 true},
        MarkCase{"FailedSaveKeepsIt", true,
                 [](UnsavedChanges& m) { m.save_as(m.dir.path().toStdString()); }, true},
        MarkCase{"OpenClearsIt", true, [](UnsavedChanges& m) { m.open(m.example); }, false},
        MarkCase{"RefusedOpenKeepsIt", true,
                 [](UnsavedChanges& m) {
                   m.open(m.write("OTHER.kvc", "\"00-00999-XYZ\",\"OTHER\"\r\n"));
                   ASSERT_EQ(m.dialogs.messages().size(), 1u);
                 },
                 true},
        MarkCase{"ReadClearsIt", true, [](UnsavedChanges& m) { m.read(); }, false},
        MarkCase{"FailedReadKeepsIt", true, [](UnsavedChanges& m) { m.read({"--silent"}); }, true},
        MarkCase{"FailedReadAddsNone", false,
                 [](UnsavedChanges& m) {
                   PanelMemory memory{};
                   memory[sim::kModelAddress] = 69;
                   memory[0] = 1;
                   memory[1] = 200;  // out of range: the read stops after SW1
                   m.read({}, memory);
                   ASSERT_EQ(m.form.selected(module_list(1)), 1);  // the read changed SW1
                 },
                 false},
        MarkCase{"CorrectionsOpeningAFileAddNone", false,
                 [](UnsavedChanges& m) {
                   m.open(m.write("CORRECTED.kvc", kNeedsCorrections));
                   ASSERT_FALSE(m.dialogs.messages().empty());  // the rules spoke
                   ASSERT_FALSE(m.form.ticked());
                 },
                 false},
        MarkCase{"CorrectionsInAFileArgumentAddNone", false,
                 [](UnsavedChanges& m) {
                   m.form.open_file(m.write("CORRECTED.kvc", kNeedsCorrections));
                   ASSERT_FALSE(m.dialogs.messages().empty());
                 },
                 false},
        MarkCase{"CorrectionsInAReadAddNone", false,
                 [](UnsavedChanges& m) {
                   m.read({}, panel_needing_corrections());
                   ASSERT_EQ(m.form.text(1), "SWITCH PANEL DATA READ SUCCESSFUL");
                   ASSERT_FALSE(m.dialogs.messages().empty());
                   ASSERT_FALSE(m.form.ticked());
                 },
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- closing ----------------------------------------------------------------------------------

TEST_F(UnsavedChanges, ClosingDuringAWriteAsksAndCancelLetsTheWriteFinish) {
  start_panel();
  type_panel_name_end("X");
  dialogs.answer_question(UnsavedAnswer::Cancel);
  bool closed = true;
  QTimer::singleShot(400, &form, [&] { closed = form.close(); });
  press("WRITE_CONFIG");

  EXPECT_FALSE(closed);
  EXPECT_EQ(dialogs.questions().size(), 1u);
  EXPECT_EQ(form.text(1), "SWITCH PANEL HAS BEEN PROGRAMMED");
  EXPECT_TRUE(form.isVisible());
}

// The read was asked about before it began; closing during it does not ask again.
TEST_F(UnsavedChanges, ClosingDuringAReadEndsItWithoutAskingAgain) {
  start_panel();
  type_panel_name_end("X");
  dialogs.answer_question(UnsavedAnswer::Discard);
  dialogs.answer_question(UnsavedAnswer::Cancel);  // would keep the window, were it asked
  QTimer::singleShot(400, &form, [&] { form.close(); });
  press("READ_CONFIG");

  EXPECT_EQ(dialogs.questions().size(), 1u);
  EXPECT_FALSE(form.isVisible());
  EXPECT_NE(form.text(1), "SWITCH PANEL DATA READ SUCCESSFUL");
}

TEST_F(UnsavedChanges, CloseWithoutAskingClosesAtOnce) {
  type_panel_name_end("X");
  dialogs.answer_question(UnsavedAnswer::Cancel);
  form.close_without_asking();
  EXPECT_TRUE(dialogs.questions().empty());
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace kvt
