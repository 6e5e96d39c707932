#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include "tests/window/counting_form.h"

namespace {

using kvt::testing::CountingForm1;

QListWidget& list_widget(CountingForm1& form, int list) {
  auto* widget = form.findChild<QListWidget*>(QStringLiteral("List%1").arg(list));
  if (widget == nullptr) {
    throw std::logic_error("no such list");
  }
  return *widget;
}

void click_row(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  list.scrollToItem(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                    list.visualItemRect(list.item(row)).center());
}

struct SelectCase {
  const char* what;
  int list;
  int first;     // selected by code first (-1: nothing)
  int then;      // then selected by code
  int expected;  // selected position afterwards
  int runs;      // handler runs for the two selections together
};

void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.what; }

class SelectFromCode : public ::testing::TestWithParam<SelectCase> {};

// Every select() runs the list's handler exactly once, after the new selection is in place,
// whether or not the position changed.
TEST_P(SelectFromCode, RunsTheHandlerOncePerCall) {
  const SelectCase& c = GetParam();
  CountingForm1 form;
  form.show();
  if (c.first != -2) {
    form.select(c.list, c.first);
  }
  form.select(c.list, c.then);
  EXPECT_EQ(form.selected(c.list), c.expected);
  EXPECT_EQ(form.list_runs[c.list], c.runs);
  EXPECT_EQ(form.selected_at_last_run[c.list], c.expected);
  EXPECT_EQ(form.all_list_runs(), form.list_runs[c.list]);
  if (c.expected == -1) {
    EXPECT_EQ(list_widget(form, c.list).currentRow(), -1);
    EXPECT_TRUE(list_widget(form, c.list).selectedItems().isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectFromCode,
                         ::testing::Values(SelectCase{"a position from nothing", 2, -2, 4, 4, 1},
                                           SelectCase{"the same position again", 2, 4, 4, 4, 2},
                                           SelectCase{"another position", 1, 3, 16, 16, 2},
                                           SelectCase{"minus one clears", 4, 5, -1, -1, 2},
                                           SelectCase{"minus one when nothing is selected", 15, -2,
                                                      -1, -1, 1},
                                           SelectCase{"past the end clears", 2, 3, 10, -1, 2},
                                           SelectCase{"below minus one clears", 1, 3, -4, -1, 2}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(SelectFromCode, ScrollsAHiddenListToItsSelection) {
  CountingForm1 form;
  form.show();
  form.set_list_visible(2, false);
  form.select(2, 9);
  form.set_list_visible(2, true);
  QListWidget& list = list_widget(form, 2);
  EXPECT_TRUE(list.viewport()->rect().contains(list.visualItemRect(list.item(9))));
}

class UserSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  CountingForm1 form;
};

TEST_F(UserSelection, AClickRunsTheHandlerOnce) {
  click_row(list_widget(form, 3), 2);
  EXPECT_EQ(form.selected(3), 2);
  EXPECT_EQ(form.list_runs[3], 1);
  EXPECT_EQ(form.selected_at_last_run[3], 2);
  EXPECT_EQ(form.all_list_runs(), 1);
}

TEST_F(UserSelection, ClickingTheSelectedRowChangesNothing) {
  click_row(list_widget(form, 3), 2);
  click_row(list_widget(form, 3), 2);
  EXPECT_EQ(form.list_runs[3], 1);
}

// The user moves a selection but cannot clear it: a module list once set always has a module.
TEST_F(UserSelection, ControlClickDoesNotClearTheSelection) {
  click_row(list_widget(form, 5), 1);
  click_row(list_widget(form, 5), 1, Qt::ControlModifier);
  EXPECT_EQ(form.selected(5), 1);
  EXPECT_EQ(form.list_runs[5], 1);
}

TEST_F(UserSelection, ArrowKeysMoveTheSelectionAndRunTheHandlerEachTime) {
  QListWidget& list = list_widget(form, 1);
  click_row(list, 1);
  QTest::keyClick(&list, Qt::Key_Down);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(form.selected(1), 3);
  EXPECT_EQ(form.list_runs[1], 3);
  EXPECT_EQ(form.selected_at_last_run[1], 3);
}

// Focus makes a row current in Qt; it must neither select it nor run a handler.
TEST_F(UserSelection, TabbingThroughTheWindowSelectsNothing) {
  QWidget* first = form.findChild<QWidget*>(QStringLiteral("READ_CONFIG"));
  first->setFocus(Qt::TabFocusReason);
  for (int press = 0; press < 40; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  for (int list = 1; list <= 22; ++list) {
    EXPECT_EQ(form.selected(list), -1) << "List" << list;
  }
  EXPECT_EQ(form.all_list_runs(), 0);
  EXPECT_EQ(form.check1_runs, 0);
}

TEST_F(UserSelection, UserAndCodeChangesOfCheck1RunItsHandlerOncePerChange) {
  auto* check1 = form.findChild<QCheckBox*>(QStringLiteral("Check1"));
  ASSERT_TRUE(form.ticked());
  form.set_ticked(true);  // no change
  EXPECT_EQ(form.check1_runs, 0);
  form.set_ticked(false);
  EXPECT_EQ(form.check1_runs, 1);
  form.set_ticked(false);
  EXPECT_EQ(form.check1_runs, 1);

  // Give the independent lighting its "BL/MR" switch, so the click's tick stands.
  form.select(7, 17);
  QTest::mouseClick(check1, Qt::LeftButton, Qt::NoModifier, check1->rect().center());
  EXPECT_TRUE(form.ticked());
  EXPECT_EQ(form.check1_runs, 2);
  EXPECT_EQ(form.config().feature, 1);
  QTest::keyClick(check1, Qt::Key_Space);
  EXPECT_FALSE(form.ticked());
  EXPECT_EQ(form.check1_runs, 3);
  EXPECT_EQ(form.config().feature, 0);
}

// A click on the caption's second line counts as a click on the tick box.
TEST_F(UserSelection, TheWholeCheck1CaptionTakesTheClick) {
  auto* check1 = form.findChild<QCheckBox*>(QStringLiteral("Check1"));
  QTest::mouseClick(check1, Qt::LeftButton, Qt::NoModifier,
                    QPoint(check1->width() - 10, check1->height() - 4));
  EXPECT_EQ(form.check1_runs, 1);
  EXPECT_FALSE(form.ticked());
}

// The handlers behind the window are the configuration rules; a few of their effects, seen
// through the window, show that every list and Check1 reach them.
TEST(WindowRules, ModuleChoiceShowsOrHidesTheChannelList) {
  CountingForm1 form;
  form.load();
  form.show();
  form.select(9, 0);  // SW5 on "N/A"
  EXPECT_FALSE(list_widget(form, 10).isVisible());
  form.select(9, 3);  // SW5 on "C"
  EXPECT_TRUE(list_widget(form, 10).isVisible());
  form.select(19, 17);  // SW10 on "BL/MR"
  EXPECT_FALSE(list_widget(form, 20).isVisible());
}

TEST(WindowRules, TickingWithoutABlMrSwitchIsTakenBackWithItsMessage) {
  CountingForm1 form;
  form.load();
  const int runs_after_load = form.check1_runs;
  form.set_ticked(true);
  EXPECT_FALSE(form.ticked());
  EXPECT_EQ(form.config().feature, 0);
  // The tick and the nested untick each ran the handler once.
  EXPECT_EQ(form.check1_runs, runs_after_load + 2);
  ASSERT_EQ(form.recorder().messages().size(), 1u);
  EXPECT_EQ(form.recorder().messages()[0].title, "INDEPENDENT LIGHTING SWITCH ASSIGNMENT");
}

TEST(WindowRules, LoweringTheIndicatorLowersTheBackLight) {
  CountingForm1 form;
  form.load();
  form.select(21, 3);  // "70"
  EXPECT_EQ(form.selected(22), 3);
  EXPECT_EQ(form.config().indpercent, 5);
  EXPECT_EQ(form.config().blpercent, 5);
  EXPECT_EQ(form.recorder().messages().size(), 1u);
}

// The indicator handler answers a cleared selection by selecting "100", which runs the handler
// once more, nested, inside the first run.
TEST(WindowRules, AHandlerCanSelectItsOwnListAgain) {
  CountingForm1 form;
  form.load();
  const int runs_after_load = form.list_runs[21];
  form.select(21, -1);
  EXPECT_EQ(form.selected(21), 0);
  EXPECT_EQ(form.list_runs[21], runs_after_load + 2);
  EXPECT_EQ(form.config().indpercent, 10);
}

TEST(WindowRules, ChannelChoiceShowsAHiddenDesignationBox) {
  CountingForm1 form;
  form.load();
  form.show();
  form.set_box_visible(8, false);
  form.select(12, 4);  // SW6's channel list
  EXPECT_TRUE(form.findChild<QWidget*>(QStringLiteral("Text8"))->isVisible());
}

}  // namespace
