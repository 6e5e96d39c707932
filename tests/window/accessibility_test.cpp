// What a screen reader learns of the real window through Qt's accessibility interfaces.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>

#include "model/switch_rows.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"

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

struct NameCase {
  const char* control;
  const char* name;
  const char* description;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.control; }

class ControlName : public Accessibility, public ::testing::WithParamInterface<NameCase> {};

// The name says what the control is; the description is the tooltip a sighted user reads.
TEST_P(ControlName, IsItsCaptionAndItsTooltipDescribesIt) {
  QWidget& widget = control(GetParam().control);
  EXPECT_EQ(said(widget, QAccessible::Name), GetParam().name);
  EXPECT_EQ(said(widget, QAccessible::Description), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlName,
    ::testing::Values(
        NameCase{"List5", "SW3 MODULE", "SW3 MODULE ASSIGNMENT"},
        NameCase{"List6", "SW3 CHANNEL", "SW3 CHANNEL ASSIGNMENT"},
        NameCase{"Text5", "SW3 DESIGNATION", "ENTER SW3 FUNCTION"},
        NameCase{"List20", "SW10 CHANNEL", "SW10 CHANNEL ASSIGNMENT"},
        NameCase{"Text2", "PANEL NAME", "ENTER IDENTITY FOR FILE NAME"},
        NameCase{"List21", "INDICATOR INTENSITY (%)", ""},
        NameCase{"List22", "BACK-LIGHT INTENSITY (%)", ""},
        NameCase{"Check1", "INDEPENDENT LIGHTING", ""},
        NameCase{"READ_CONFIG", "READ CONFIGURATION FROM SWITCH PANEL",
                 "LEFT CLICK TO READ CONFIG IN SWITCH PANEL"},
        NameCase{"WRITE_CONFIG", "WRITE CONFIGURATION TO SWITCH PANEL",
                 "LEFT CLICK TO SAVE CONFIG IN SWITCH PANEL"},
        NameCase{"READ_FILE", "OPEN CONFIGURATION FILE", "LEFT CLICK TO OPEN CONFIG FILE"},
        NameCase{"WRITE_FILE", "SAVE CONFIGURATION FILE", "LEFT CLICK TO SAVE CONFIG FILE"}),
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

}  // namespace
}  // namespace kvt
