// Every edit is one step that Ctrl+Z undoes and Ctrl+Shift+Z or Ctrl+Y redoes, back to the
// configuration last opened, read or started: what the rules did because of an edit goes with it,
// nothing is said again, and the unsaved mark follows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "right_click.h"
#include "tests/window/counting_form.h"
#include "tests/window/worked_example_window.h"

namespace kvt {
namespace {

// Everything an edit can change, as the window shows it.
struct WindowShows {
  std::vector<int> selected;
  std::vector<bool> lists_shown;
  std::vector<std::string> texts;
  std::vector<bool> boxes_shown;
  bool ticked = false;
  PanelConfig values;
  bool operator==(const WindowShows&) const = default;
};

void PrintTo(const WindowShows& s, std::ostream* os) {
  *os << "selected";
  for (int position : s.selected) *os << ' ' << position;
  *os << ", shown";
  for (bool shown : s.lists_shown) *os << ' ' << shown;
  *os << ", texts";
  for (const std::string& text : s.texts) *os << " \"" << text << '"';
  *os << ", ticked " << s.ticked << ", ind " << s.values.indpercent << ", bl " << s.values.blpercent
      << ", feature " << s.values.feature;
}

// The worked example opened in a shown, active window: SW1 "B" "3", SW3 the only switch on
// "BL/MR", independent lighting on, indicator "100", back-light "60".
class UndoRedo : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(testing::open_worked_example_in_active_window(form, example));
  }

  QListWidget& list(int number) {
    return *form.findChild<QListWidget*>(QStringLiteral("List%1").arg(number));
  }
  QLineEdit& box(int number) {
    return *form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
  }
  WindowShows shown() {
    WindowShows s;
    for (int number = 1; number <= kBackLightList; ++number) {
      s.selected.push_back(form.selected(number));
      s.lists_shown.push_back(!list(number).isHidden());
    }
    for (int number = kPanelNameBox; number <= designation_box(kSwitchCount); ++number) {
      s.texts.push_back(form.text(number));
      s.boxes_shown.push_back(!box(number).isHidden());
    }
    s.ticked = form.ticked();
    s.values = form.config();
    return s;
  }
  // A key as the technician presses it, where the keyboard focus is.
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &form, static_cast<Qt::Key>(key), modifiers);
  }
  void undo() { press(Qt::Key_Z, Qt::ControlModifier); }
  void redo_by_shift() { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
  void redo_by_y() { press(Qt::Key_Y, Qt::ControlModifier); }
  void key_in_list(int number, Qt::Key key) {
    list(number).setFocus(Qt::TabFocusReason);
    press(key);
  }
  // Typed at the end of the box, then the box is left.
  void type_and_leave(int number, const char* typed) {
    box(number).setFocus(Qt::TabFocusReason);
    box(number).end(false);
    QTest::keyClicks(&box(number), typed);
    press(Qt::Key_Tab);
  }
  // Closes the window (a question is answered DISCARD) and says whether it asked.
  bool close_asks() {
    const std::size_t before = form.recorder().questions().size();
    EXPECT_TRUE(form.close());
    return form.recorder().questions().size() > before;
  }

  QTemporaryDir dir;
  const std::string example = dir.filePath("LOBBY 2.kvc").toStdString();
  testing::CountingForm1 form;
};

// ---- each kind of edit ------------------------------------------------------------------------

struct EditCase {
  const char* name;
  std::function<void(UndoRedo&)> edit;
  int messages;  // what the rules said during the edit
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class EachEdit : public UndoRedo, public ::testing::WithParamInterface<EditCase> {};

// One Ctrl+Z takes the whole edit back, the rules' consequences with it, and no handler runs, so
// no rule speaks again; both redo keys bring it back the same way.
TEST_P(EachEdit, IsOneStepUndoneAndRedoneWithoutTheRules) {
  const WindowShows before = shown();
  GetParam().edit(*this);
  const WindowShows after = shown();
  ASSERT_NE(after, before) << "the edit changed nothing";
  ASSERT_EQ(form.recorder().messages().size(), static_cast<std::size_t>(GetParam().messages));
  const int list_runs = form.all_list_runs();
  const int check1_runs = form.check1_runs;

  undo();
  EXPECT_EQ(shown(), before);
  redo_by_shift();
  EXPECT_EQ(shown(), after);
  undo();
  EXPECT_EQ(shown(), before);
  redo_by_y();
  EXPECT_EQ(shown(), after);
  // Nothing before the file was opened: two undos stop at the file.
  undo();
  undo();
  EXPECT_EQ(shown(), before);

  EXPECT_EQ(form.recorder().messages().size(), static_cast<std::size_t>(GetParam().messages));
  EXPECT_EQ(form.all_list_runs(), list_runs);
  EXPECT_EQ(form.check1_runs, check1_runs);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EachEdit,
    ::testing::Values(
        // "N/A" to "A": the channel list is shown with it.
        EditCase{"ModuleShowsItsChannelList",
                 [](UndoRedo& t) { t.key_in_list(module_list(4), Qt::Key_Down); }, 0},
        EditCase{"Channel", [](UndoRedo& t) { t.key_in_list(channel_list(1), Qt::Key_Down); }, 0},
        // The only "BL/MR" switch leaves it: independent lighting is unticked, with its message.
        EditCase{"ModuleTakingTheTickWithIt",
                 [](UndoRedo& t) { t.key_in_list(module_list(3), Qt::Key_Up); }, 1},
        EditCase{"TickBox",
                 [](UndoRedo& t) {
                   QTest::mouseClick(t.form.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
                 },
                 0},
        EditCase{"BackLight", [](UndoRedo& t) { t.key_in_list(kBackLightList, Qt::Key_Up); }, 0},
        // Down to "30": the back-light, at "60", is lowered with it, and the rule says so.
        EditCase{"IndicatorLoweringTheBackLight",
                 [](UndoRedo& t) { t.key_in_list(kIndicatorList, Qt::Key_End); }, 1},
        EditCase{"PanelNameOnceLeft", [](UndoRedo& t) { t.type_and_leave(kPanelNameBox, "XYZ"); },
                 0},
        EditCase{"DesignationOnceLeft",
                 [](UndoRedo& t) { t.type_and_leave(designation_box(2), " LEFT"); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Two edits are two steps, undone newest first, a text apart from the list chosen after it; a new
// edit after an undo drops what was undone.
TEST_F(UndoRedo, StepsAreUndoneNewestFirstAndANewEditEndsRedo) {
  const WindowShows start = shown();
  type_and_leave(kPanelNameBox, "X");
  const WindowShows typed = shown();
  key_in_list(kBackLightList, Qt::Key_Up);
  undo();
  EXPECT_EQ(shown(), typed);
  undo();
  EXPECT_EQ(shown(), start);
  redo_by_shift();
  key_in_list(channel_list(1), Qt::Key_Down);
  const WindowShows other = shown();
  redo_by_shift();
  EXPECT_EQ(shown(), other);
}

// ---- the unsaved mark -------------------------------------------------------------------------

struct UndoMarkCase {
  const char* name;
  // e: an edit; t: typing still in its box; u: undo; r: redo; s: a save; o: the file opened again.
  const char* steps;
  bool asks_on_close;
};

void PrintTo(const UndoMarkCase& c, std::ostream* os) { *os << c.name; }

class MarkAfterUndo : public UndoRedo, public ::testing::WithParamInterface<UndoMarkCase> {};

TEST_P(MarkAfterUndo, FollowsUndoAndRedo) {
  for (const char* step = GetParam().steps; *step != '\0'; ++step) {
    switch (*step) {
      case 'e':
        key_in_list(kBackLightList, Qt::Key_Up);
        break;
      case 't':
        box(kPanelNameBox).setFocus(Qt::TabFocusReason);
        QTest::keyClicks(&box(kPanelNameBox), "X");
        break;
      case 'u':
        undo();
        break;
      case 'r':
        redo_by_shift();
        break;
      case 's':
        form.recorder().answer_with(dir.filePath("SAVED.kvc").toStdString());
        form.findChild<QWidget*>("WRITE_FILE")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        break;
      case 'o':
        form.open_file(example);
        break;
    }
  }
  EXPECT_EQ(close_asks(), GetParam().asks_on_close);
}

INSTANTIATE_TEST_SUITE_P(Table, MarkAfterUndo,
                         ::testing::Values(UndoMarkCase{"Edited", "e", true},
                                           UndoMarkCase{"UndoneToTheOpenedFile", "eu", false},
                                           UndoMarkCase{"UndoneThenRedone", "eur", true},
                                           UndoMarkCase{"UndoneToTheSave", "eseu", false},
                                           UndoMarkCase{"UndonePastTheSave", "esu", true},
                                           UndoMarkCase{"TypingStillInItsBox", "t", true},
                                           UndoMarkCase{"TypingUndoneInItsBox", "tu", false},
                                           UndoMarkCase{"NothingBeforeTheOpen", "eou", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the menu ---------------------------------------------------------------------------------

QAction* menu_entry(QMenu& menu, const char* text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == QString::fromUtf8(text)) return action;
  }
  return nullptr;
}

struct MenuState {
  bool undo, redo;
};

// UNDO and REDO in the context menu, with their keys, on only when there is something to undo or
// redo; an entry does what its key does.
TEST_F(UndoRedo, ContextMenuEntriesShowTheirKeysAndFollowTheSteps) {
  auto menu_state = [this] {
    QMenu* menu = testing::right_click_menu(form);
    EXPECT_NE(menu, nullptr);
    QAction* undo_entry = menu_entry(*menu, "UNDO");
    QAction* redo_entry = menu_entry(*menu, "REDO");
    EXPECT_NE(undo_entry, nullptr);
    EXPECT_NE(redo_entry, nullptr);
    EXPECT_EQ(undo_entry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo_entry->shortcuts(),
              (QList<QKeySequence>{Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}));
    const MenuState state{undo_entry->isEnabled(), redo_entry->isEnabled()};
    menu->close();
    return std::pair(state, std::pair(undo_entry, redo_entry));
  };
  EXPECT_FALSE(menu_state().first.undo);
  EXPECT_FALSE(menu_state().first.redo);
  const WindowShows before = shown();
  key_in_list(kBackLightList, Qt::Key_Up);
  EXPECT_TRUE(menu_state().first.undo);
  EXPECT_FALSE(menu_state().first.redo);

  QMenu* menu = testing::right_click_menu(form);
  menu_entry(*menu, "UNDO")->trigger();
  menu->close();
  EXPECT_EQ(shown(), before);
  EXPECT_FALSE(menu_state().first.undo);
  EXPECT_TRUE(menu_state().first.redo);
}

// While a command runs (here an open whose refusal is on screen) neither can be chosen nor keyed.
TEST_F(UndoRedo, OffWhileACommandRuns) {
  key_in_list(kBackLightList, Qt::Key_Up);
  const WindowShows edited = shown();
  const std::string refused = dir.filePath("OTHER.kvc").toStdString();
  std::ofstream(refused, std::ios::binary) << "\"00-00999-XYZ\",\"OTHER\"\r\n";
  bool undo_on = true;
  form.recorder().on_message = [&](const testing::RecordingDialogs::Message&) {
    QMenu* menu = testing::right_click_menu(form);
    undo_on = menu_entry(*menu, "UNDO")->isEnabled();
    menu->close();
    undo();
  };
  form.recorder().answer_with(refused);
  form.findChild<QAbstractButton*>("READ_FILE")->click();
  ASSERT_EQ(form.recorder().messages().size(), 1u);
  EXPECT_FALSE(undo_on);
  EXPECT_EQ(shown(), edited);
}

}  // namespace
}  // namespace kvt
