#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include "model/switch_rows.h"
#include "tests/window/counting_form.h"

namespace {

using kvt::testing::CountingForm1;

// Renders the window as it stands after start-up. With KVT_SCREENSHOT set, the picture is also
// saved there (docs/screenshot.png is made this way).
QImage start_up_picture() {
  CountingForm1 form;
  form.load();
  form.show();
  const QImage picture = form.grab().toImage();
  return picture;
}

struct PixelCase {
  const char* where;
  QPoint at;
  QColor colour;
};

void expect_classic_look(const QImage& picture) {
  ASSERT_EQ(picture.size(), QSize(736, 528));
  const PixelCase cases[] = {
      {"window background", {4, 520}, QColor(212, 208, 200)},
      {"white margin of the picture", {208, 300}, QColor(255, 255, 255)},
      {"outer line of the bevel", {210, 300}, QColor(59, 55, 53)},
      {"plate between the switch rows", {364, 152}, QColor(96, 94, 93)},
      {"header marker", {236, 420}, QColor(128, 255, 255)},
      {"leader line", {180, 408}, QColor(0, 0, 0)},
      {"switch label background", {250, 123}, QColor(128, 128, 128)},
      {"module list background", {290, 126}, QColor(255, 255, 255)},
      {"designation box background", {345, 97}, QColor(255, 255, 255)},
      {"selected intensity", {580, 416}, QColor(10, 36, 106)},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(picture.pixelColor(c.at).name(), c.colour.name()) << c.where;
  }
}

TEST(WindowLook, PaintsTheClassicColoursAndThePanelPicture) {
  const QImage picture = start_up_picture();
  expect_classic_look(picture);
  if (const char* path = std::getenv("KVT_SCREENSHOT")) {
    picture.save(QString::fromLocal8Bit(path));
  }
}

// A dark desktop theme changes the application's palette; the window keeps its own colours.
TEST(WindowLook, KeepsItsColoursOnADarkDesktop) {
  const QPalette desktop = QApplication::palette();
  QPalette dark(QColor(40, 40, 40), QColor(30, 30, 30));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  const QImage picture = start_up_picture();
  QApplication::setPalette(desktop);
  expect_classic_look(picture);
}

struct StatusCase {
  kvt::StatusColour colour;
  QColor background;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.background.name().toStdString(); }

class StatusBoxLook : public ::testing::TestWithParam<StatusCase> {};

// The longest status text must wrap inside the box and its background take the colour asked for.
TEST_P(StatusBoxLook, ShowsTheStatusColourBehindWrappedText) {
  CountingForm1 form;
  form.load();
  form.set_status_text("DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA");
  form.set_status_colour(GetParam().colour);
  form.set_status_visible(true);
  form.show();
  const QImage picture = form.grab().toImage();
  EXPECT_EQ(picture.pixelColor(470, 78).name(), GetParam().background.name());
}

INSTANTIATE_TEST_SUITE_P(EveryColour, StatusBoxLook,
                         ::testing::Values(StatusCase{kvt::StatusColour::Yellow,
                                                      QColor(255, 255, 0)},
                                           StatusCase{kvt::StatusColour::Green, QColor(0, 255, 0)},
                                           StatusCase{kvt::StatusColour::Red, QColor(255, 0, 0)}));

// ---- keyboard focus --------------------------------------------------------------------------

struct FocusLookCase {
  const char* what;
  const char* control;
  void (*prepare)(CountingForm1&);
};

void PrintTo(const FocusLookCase& c, std::ostream* os) { *os << c.what; }

enum class FocusBy { TabKey, Click };

void PrintTo(FocusBy by, std::ostream* os) { *os << (by == FocusBy::TabKey ? "Tab" : "click"); }

// A focus mark a person sees: a dotted or solid line round even a small control changes some
// tens of pixels by a good part of the colour range. A shade that moves a few steps, as Fusion's
// selected row does when it takes the focus, is not one.
constexpr int kLeastFocusMark = 20;
constexpr int kClearChange = 96;

// Of two pictures of the same size.
int clearly_changed_pixels(const QImage& a, const QImage& b) {
  int changed = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      const int change = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                   std::abs(p.blue() - q.blue())});
      changed += change >= kClearChange ? 1 : 0;
    }
  }
  return changed;
}

// Each kind of control the user can reach, in the state where its focus is easiest to miss.
const FocusLookCase kFocusLookCases[] = {
    {"EmptyList", "List1", [](CountingForm1&) {}},  // a module list with nothing selected
    {"SelectedRow", "List1", [](CountingForm1& form) { form.select(kvt::module_list(1), 3); }},
    {"IntensityRow", "List21", [](CountingForm1&) {}},  // selected from the start
    {"StatusBox", "Text1",
     [](CountingForm1& form) {
       form.set_status_text("COMMUNICATIONS OK");
       form.set_status_colour(kvt::StatusColour::Yellow);
       form.set_status_visible(true);
     }},
    {"NameBox", "Text2", [](CountingForm1&) {}},
    {"TickBox", "Check1", [](CountingForm1&) {}},
    {"Button", "READ_CONFIG", [](CountingForm1&) {}},
};

class FocusLook : public ::testing::TestWithParam<std::tuple<FocusLookCase, FocusBy>> {};

// The control that has the keyboard focus looks different from the same control without it,
// whether the focus came by the Tab key or by a click (after which the user goes on with the
// keys), and on a list's selected row too.
TEST_P(FocusLook, ShowsAClearMark) {
  const auto& [c, by] = GetParam();
  CountingForm1 form;
  form.load();
  c.prepare(form);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto* control = form.findChild<QWidget*>(QString::fromLatin1(c.control));
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(control->isVisible());

  form.findChild<QWidget*>(QStringLiteral("WRITE_FILE"))->setFocus(Qt::OtherFocusReason);
  const QImage without_focus = control->grab().toImage();
  control->setFocus(Qt::MouseFocusReason);  // as a click gives it, without moving the selection
  if (by == FocusBy::TabKey) {
    QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  ASSERT_EQ(QApplication::focusWidget(), control);
  const QImage with_focus = control->grab().toImage();

  ASSERT_EQ(with_focus.size(), without_focus.size());
  EXPECT_GE(clearly_changed_pixels(with_focus, without_focus), kLeastFocusMark);
}

std::string focus_look_name(
    const ::testing::TestParamInfo<std::tuple<FocusLookCase, FocusBy>>& info) {
  const bool by_tab = std::get<FocusBy>(info.param) == FocusBy::TabKey;
  return std::string(std::get<FocusLookCase>(info.param).what) + (by_tab ? "Tab" : "Click");
}

INSTANTIATE_TEST_SUITE_P(Controls, FocusLook,
                         ::testing::Combine(::testing::ValuesIn(kFocusLookCases),
                                            ::testing::Values(FocusBy::TabKey, FocusBy::Click)),
                         focus_look_name);

}  // namespace
