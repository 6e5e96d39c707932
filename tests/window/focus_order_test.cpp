#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "tests/window/counting_form.h"

namespace {

using kvt::testing::CountingForm1;

const std::vector<std::string> kOrderWithStatusBox = {
    "READ_CONFIG", "WRITE_CONFIG", "READ_FILE", "WRITE_FILE", "List2",  "List4",  "List8",
    "List10",      "List12",       "List14",    "List6",      "List16", "List18", "List20",
    "List1",       "List11",       "List9",     "List7",      "List5",  "List3",  "List13",
    "List19",      "List17",       "List15",    "Text1",      "Text2",  "Text3",  "Text4",
    "Text5",       "Text6",        "Text7",     "Text8",      "Text9",  "Text10", "Text11",
    "Text12",      "Check1",       "List21",    "List22",
};

std::vector<std::string> without_status_box() {
  std::vector<std::string> order = kOrderWithStatusBox;
  std::erase(order, "Text1");
  return order;
}

struct FocusCase {
  const char* what;
  bool status_shown;
  std::vector<std::string> order;
};

void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.what; }

class FocusOrder : public ::testing::TestWithParam<FocusCase> {};

// Pressing Tab from READ_CONFIG visits the controls in the stored order and comes back round;
// the status box takes focus only while it is shown.
TEST_P(FocusOrder, TabVisitsTheControlsInTheStoredOrder) {
  const FocusCase& c = GetParam();
  CountingForm1 form;
  form.set_status_visible(c.status_shown);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  form.findChild<QWidget*>(QStringLiteral("READ_CONFIG"))->setFocus(Qt::TabFocusReason);
  std::vector<std::string> visited;
  for (std::size_t press = 0; press <= c.order.size(); ++press) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    visited.push_back(focused->objectName().toStdString());
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  std::vector<std::string> expected = c.order;
  expected.push_back(c.order.front());
  EXPECT_EQ(visited, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FocusOrder,
    ::testing::Values(FocusCase{"status box hidden", false, without_status_box()},
                      FocusCase{"status box shown", true, kOrderWithStatusBox}),
    [](const auto& info) { return info.param.status_shown ? "StatusShown" : "StatusHidden"; });

}  // namespace
