// What a screen reader learns of the real window through Qt's accessibility interfaces.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "sim_harness.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace kvt {
namespace {

QAccessibleInterface& accessible(QWidget& widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&widget);
  if (face == nullptr) throw std::logic_error("no accessible interface");
  return *face;
}

std::string said(QWidget& widget, QAccessible::Text what) {
  return accessible(widget).text(what).toStdString();
}

// Every item of every list in the window that reports the focused state.
int focused_items(QWidget& form) {
  int focused = 0;
  for (QListWidget* list : form.findChildren<QListWidget*>()) {
    QAccessibleInterface& face = accessible(*list);
    for (int i = 0; i < face.childCount(); ++i) {
      focused += face.child(i)->state().focused ? 1 : 0;
    }
  }
  return focused;
}

class Accessibility : public ::testing::Test {
 protected:
  void SetUp() override {
    form.load();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  QWidget& control(const char* name) { return *form.findChild<QWidget*>(name); }
  // The worked example loaded the way a read loads a panel's: every list's selection set.
  void load_worked_example() {
    const std::string file = dir.filePath("LOBBY 2.kvc").toStdString();
    std::ofstream(file, std::ios::binary) << testing::kWorkedExampleLine;
    form.open_file(file);
  }

  QTemporaryDir dir;
  testing::CountingForm1 form;
};

TEST_F(Accessibility, EveryControlThatTakesTheFocusHasAName) {
  form.set_status_visible(true);
  int named = 0;
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible() || widget->isWindow()) {
      continue;
    }
    // A list's scroll bars are parts of the list, not controls of their own.
    if (widget->objectName().isEmpty()) continue;
    EXPECT_FALSE(said(*widget, QAccessible::Name).empty()) << widget->objectName().toStdString();
    ++named;
  }
  EXPECT_EQ(named, 4 + 22 + 11 + 1 + 1);  // buttons, lists, boxes, status box, tick box
}

// Captions, pictures and frames too: nothing a screen reader walks through is left unnamed.
TEST_F(Accessibility, EveryPartOfTheWindowHasAName) {
  int named = 0;
  for (QWidget* widget : form.findChildren<QWidget*>()) {
    const QString object_name = widget->objectName();
    // Qt's own parts of a control (viewports, scroll bar holders) are named by Qt.
    if (object_name.isEmpty() || object_name.startsWith(QLatin1String("qt_"))) continue;
    if (!widget->isVisible() || widget->isWindow()) continue;
    EXPECT_FALSE(said(*widget, QAccessible::Name).empty()) << object_name.toStdString();
    ++named;
  }
  EXPECT_GT(named, 4 + 22 + 11 + 1);
}

struct NameCase {
  const char* control;
  const char* name;
  const char* description;
  const char* tooltip;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.control; }

class ControlName : public Accessibility, public ::testing::WithParamInterface<NameCase> {};

// The name says what the control is, the description what it does; the tooltip a sighted user
// reads keeps the layout's words.
TEST_P(ControlName, IsItsCaptionAndItsDescriptionSaysWhatItDoes) {
  QWidget& widget = control(GetParam().control);
  EXPECT_EQ(said(widget, QAccessible::Name), GetParam().name);
  EXPECT_EQ(said(widget, QAccessible::Description), GetParam().description);
  EXPECT_EQ(widget.toolTip().toStdString(), GetParam().tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlName,
    ::testing::Values(
        NameCase{"List5", "SW3 MODULE", "SW3 MODULE ASSIGNMENT", "SW3 MODULE ASSIGNMENT"},
        NameCase{"List6", "SW3 CHANNEL", "SW3 CHANNEL ASSIGNMENT", "SW3 CHANNEL ASSIGNMENT"},
        NameCase{"Text5", "SW3 DESIGNATION", "ENTER SW3 FUNCTION", "ENTER SW3 FUNCTION"},
        NameCase{"List20", "SW10 CHANNEL", "SW10 CHANNEL ASSIGNMENT", "SW10 CHANNEL ASSIGNMENT"},
        NameCase{"Text2", "PANEL NAME", "ENTER IDENTITY FOR FILE NAME",
                 "ENTER IDENTITY FOR FILE NAME"},
        NameCase{"List21", "INDICATOR INTENSITY (%)", "NEVER BELOW THE BACK-LIGHT INTENSITY", ""},
        NameCase{"List22", "BACK-LIGHT INTENSITY (%)", "NEVER ABOVE THE INDICATOR INTENSITY", ""},
        NameCase{"Check1", "INDEPENDENT LIGHTING",
                 "TURNS INDEPENDENT LIGHTING ON OR OFF; IT NEEDS A SWITCH ON BL/MR", ""},
        NameCase{"READ_CONFIG", "READ CONFIGURATION FROM SWITCH PANEL",
                 "READS THE CONFIGURATION OUT OF THE SWITCH PANEL",
                 "LEFT CLICK TO READ CONFIG IN SWITCH PANEL"},
        NameCase{"WRITE_CONFIG", "WRITE CONFIGURATION TO SWITCH PANEL",
                 "WRITES THIS CONFIGURATION INTO THE SWITCH PANEL",
                 "LEFT CLICK TO SAVE CONFIG IN SWITCH PANEL"},
        NameCase{"READ_FILE", "OPEN CONFIGURATION FILE", "OPENS A CONFIGURATION FILE",
                 "LEFT CLICK TO OPEN CONFIG FILE"},
        NameCase{"WRITE_FILE", "SAVE CONFIGURATION FILE", "SAVES THIS CONFIGURATION TO A FILE",
                 "LEFT CLICK TO SAVE CONFIG FILE"},
        NameCase{"Image1", "FACE OF THE SWITCH PANEL", "", ""},
        NameCase{"Shape1", "WHERE THE PROGRAMMING HEADER IS ON THE PANEL", "", ""},
        NameCase{"Line1", "LINE TO THE PROGRAMMING HEADER", "", ""}),
    [](const auto& info) { return std::string(info.param.control); });

struct CaptionCase {
  const char* caption;
  const char* control;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.caption; }

class CaptionLabels : public Accessibility, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionLabels, TheControlItStandsBy) {
  const auto labelled = accessible(control(GetParam().caption)).relations(QAccessible::Labelled);
  ASSERT_EQ(labelled.size(), 1);
  EXPECT_EQ(labelled.first().first->object(), &control(GetParam().control));
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionLabels,
                         ::testing::Values(CaptionCase{"Label6", "Text2"},    // PANEL NAME
                                           CaptionCase{"Label15", "List21"},  // INDICATOR
                                           CaptionCase{"Label16", "List22"},  // BACK-LIGHT
                                           CaptionCase{"Label4", "List5"}),   // SW3
                         [](const auto& info) { return std::string(info.param.caption); });

// Hidden, the box has nothing to say; shown, it says what the command reports.
TEST_F(Accessibility, TheStatusBoxIsNamedAndSaysItsTextWhileShown) {
  QWidget& status = control("Text1");
  EXPECT_EQ(said(status, QAccessible::Name), "STATUS");
  EXPECT_EQ(said(status, QAccessible::Description), "");
  EXPECT_TRUE(accessible(status).state().invisible);

  form.set_status_text("COMMUNICATIONS OK");
  form.set_status_visible(true);
  EXPECT_EQ(said(status, QAccessible::Description), "COMMUNICATIONS OK");
  form.set_status_text("SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_EQ(said(status, QAccessible::Description), "SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_EQ(said(status, QAccessible::Value), "SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_FALSE(accessible(status).state().invisible);

  form.set_status_visible(false);
  EXPECT_EQ(said(status, QAccessible::Description), "");
}

// After a load has set every list's selection, no list row claims the focus; once the user
// is in a list, its selected row, and only that one, does.
TEST_F(Accessibility, OneListRowAtMostIsReportedFocused) {
  load_worked_example();
  control("READ_FILE").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(focused_items(form), 0);

  auto& sw3_modules = static_cast<QListWidget&>(control("List5"));
  sw3_modules.setFocus(Qt::TabFocusReason);
  EXPECT_EQ(focused_items(form), 1);
  QAccessibleInterface& face = accessible(sw3_modules);
  const int selected = form.selected(module_list(3));
  EXPECT_TRUE(face.child(selected)->state().focused);

  QTest::keyClick(&sw3_modules, Qt::Key_Up);
  EXPECT_EQ(form.selected(module_list(3)), selected - 1);
  EXPECT_EQ(focused_items(form), 1);
  EXPECT_TRUE(face.child(selected - 1)->state().focused);

  control("Text2").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(focused_items(form), 0);
}

// ---- what a screen reader hears while a command runs ----------------------------------------

struct CommandCase {
  const char* what;
  const char* button;
  bool panel_there;     // else the port does not exist
  const char* outcome;  // what the one alert says: "" none, "*" the status box's whole text
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.what; }

// The worked example open, its panel simulated, the pressed button holding the focus. What the
// command does to the focus is watched as a screen reader takes it in: every widget the focus
// goes to, and every list row made current, which it reports as focused.
class CommandHeard : public Accessibility, public ::testing::WithParamInterface<CommandCase> {
 protected:
  void SetUp() override {
    Accessibility::SetUp();
    load_worked_example();
    if (GetParam().panel_there) {
      sim = std::make_unique<sim::PanelSimulator>(std::vector<std::string>{},
                                                  testing::panel_holding(testing::kWorkedCodes));
      sim->use_as_serial_port();
    } else {
      qputenv("KVT_SERIAL_PORT", "/dev/kvt-no-such-port");
    }
    QObject::connect(qApp, &QApplication::focusChanged, &watching,
                     [this](QWidget*, QWidget* now) { focus_went_to.push_back(now); });
    for (QListWidget* list : form.findChildren<QListWidget*>()) {
      QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, &watching,
                       [this, list](const QModelIndex& row) {
                         if (row.isValid())
                           rows_made_current.push_back(list->objectName().toStdString());
                       });
    }
  }
  void TearDown() override { qunsetenv("KVT_SERIAL_PORT"); }

  std::unique_ptr<sim::PanelSimulator> sim;
  std::vector<QWidget*> focus_went_to;
  std::vector<std::string> rows_made_current;
  QObject watching;  // goes first, and with it the watch, before the window goes
};

// The outcome is said once, at the end, with the status box's text; the lists a read sets and
// the buttons turned off meanwhile move no focus: it leaves the pressed button for nowhere while
// the buttons are off, and comes back to it.
TEST_P(CommandHeard, OnceWithItsOutcomeAndTheFocusStays) {
  QWidget& pressed = control(GetParam().button);
  pressed.setFocus(Qt::TabFocusReason);
  focus_went_to.clear();
  if (std::string(GetParam().button) == "READ_FILE") {
    form.recorder().answer_with(dir.filePath("LOBBY 2.kvc").toStdString());
  }
  QTest::keyClick(&pressed, Qt::Key_Space);

  const std::string outcome = GetParam().outcome;
  if (outcome.empty()) {
    EXPECT_TRUE(form.announced.empty());
  } else {
    ASSERT_EQ(form.announced.size(), 1u);
    EXPECT_EQ(form.announced[0], outcome == "*" ? form.text(kStatusBoxNumber) : outcome);
  }
  for (QWidget* now : focus_went_to) {
    EXPECT_TRUE(now == nullptr || now == &pressed) << now->objectName().toStdString();
  }
  EXPECT_TRUE(rows_made_current.empty()) << rows_made_current.front();
  EXPECT_EQ(QApplication::focusWidget(), &pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandHeard,
    ::testing::Values(CommandCase{"Read", "READ_CONFIG", true, "SWITCH PANEL DATA READ SUCCESSFUL"},
                      CommandCase{"Write", "WRITE_CONFIG", true,
                                  "SWITCH PANEL HAS BEEN PROGRAMMED"},
                      CommandCase{"ReadWithoutPort", "READ_CONFIG", false, "*"},
                      // A file opened well hides the status box: there is nothing to say.
                      CommandCase{"Open", "READ_FILE", false, ""}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace kvt
