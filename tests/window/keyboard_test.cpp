// The window at the keyboard alone: where the focus is after a command, Enter on a button, and
// the window's keys.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <tuple>

#include "model/switch_rows.h"
#include "sim_harness.h"
#include "tests/window/counting_form.h"
#include "tests/window/worked_example_window.h"

namespace kvt {
namespace {

using testing::RecordingDialogs;

// The worked example opened in a shown, active window whose port 1 is a simulated panel.
class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.use_as_serial_port();
    ASSERT_TRUE(testing::open_worked_example_in_active_window(form, example));
  }
  void TearDown() override { qunsetenv("KVT_SERIAL_PORT"); }

  QWidget& control(const char* name) { return *form.findChild<QWidget*>(name); }
  std::string focused() {
    QWidget* widget = QApplication::focusWidget();
    return widget == nullptr ? "nothing" : widget->objectName().toStdString();
  }

  sim::PanelSimulator sim;
  QTemporaryDir dir;
  const std::string example = dir.filePath("LOBBY 2.kvc").toStdString();
  testing::CountingForm1 form;
};

struct PressCase {
  const char* what;
  const char* button;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;  // the keypad's Enter comes with Qt::KeypadModifier
  // Answers what the command asks; then checks the command ran.
  void (*prepare)(RecordingDialogs&, const QTemporaryDir&);
  bool (*ran)(testing::CountingForm1&);
};

void PrintTo(const PressCase& c, std::ostream* os) { *os << c.what; }

class ButtonByKey : public Keyboard, public ::testing::WithParamInterface<PressCase> {};

// The command runs, and the focus is back on its button when it ends, wherever disabling the
// buttons sent it meanwhile.
TEST_P(ButtonByKey, RunsTheCommandAndKeepsTheFocusThere) {
  const PressCase& c = GetParam();
  c.prepare(form.recorder(), dir);
  control(c.button).setFocus(Qt::TabFocusReason);
  QTest::keyClick(&control(c.button), c.key, c.modifiers);
  EXPECT_TRUE(c.ran(form));
  EXPECT_EQ(focused(), c.button);
}

const PressCase kPressCases[] = {
    {"ReadBySpace", "READ_CONFIG", Qt::Key_Space, Qt::NoModifier,
     [](RecordingDialogs&, const QTemporaryDir&) {},
     [](testing::CountingForm1& form) {
       return form.text(1) == "SWITCH PANEL DATA READ SUCCESSFUL";
     }},
    {"SaveByReturn", "WRITE_FILE", Qt::Key_Return, Qt::NoModifier,
     [](RecordingDialogs& dialogs, const QTemporaryDir& dir) {
       dialogs.answer_with(dir.filePath("SAVED.kvc").toStdString());
     },
     [](testing::CountingForm1& form) {
       return form.recorder().requests().size() == 1 && form.recorder().unanswered() == 0;
     }},
    {"CancelledOpenByEnter", "READ_FILE", Qt::Key_Enter, Qt::NoModifier,
     [](RecordingDialogs& dialogs, const QTemporaryDir&) { dialogs.answer_cancel(); },
     [](testing::CountingForm1& form) {
       return form.recorder().requests().size() == 1 && form.recorder().unanswered() == 0;
     }},
    {"CancelledOpenByKeypadEnter", "READ_FILE", Qt::Key_Enter, Qt::KeypadModifier,
     [](RecordingDialogs& dialogs, const QTemporaryDir&) { dialogs.answer_cancel(); },
     [](testing::CountingForm1& form) {
       return form.recorder().requests().size() == 1 && form.recorder().unanswered() == 0;
     }},
};

INSTANTIATE_TEST_SUITE_P(Commands, ButtonByKey, ::testing::ValuesIn(kPressCases),
                         [](const auto& info) { return std::string(info.param.what); });

struct HeldKeyCase {
  const char* what;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

void PrintTo(const HeldKeyCase& c, std::ostream* os) { *os << c.what; }

class HeldKey : public Keyboard, public ::testing::WithParamInterface<HeldKeyCase> {};

// A key held down sends its press again and again: the button is pressed once, not once for
// each repeat.
TEST_P(HeldKey, PressesTheButtonOnce) {
  const HeldKeyCase& c = GetParam();
  for (int answer = 0; answer < 4; ++answer) form.recorder().answer_cancel();
  QWidget& button = control("READ_FILE");
  button.setFocus(Qt::TabFocusReason);
  for (const bool repeat : {false, true, true, true}) {
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString(), repeat);
    QApplication::sendEvent(&button, &press);
  }
  QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers);
  QApplication::sendEvent(&button, &release);
  EXPECT_EQ(form.recorder().requests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldKey,
                         ::testing::Values(HeldKeyCase{"Return", Qt::Key_Return, Qt::NoModifier},
                                           HeldKeyCase{"KeypadEnter", Qt::Key_Enter,
                                                       Qt::KeypadModifier}),
                         [](const auto& info) { return std::string(info.param.what); });

struct ShortcutCase {
  const char* what;
  Qt::Key key;
  RecordingDialogs::ChooserKind chooser;
};

void PrintTo(const ShortcutCase& c, std::ostream* os) { *os << c.what; }

// A shortcut pressed in a control: a text box, where keys are typed, or a list.
class FileShortcut : public Keyboard,
                     public ::testing::WithParamInterface<std::tuple<ShortcutCase, const char*>> {};

// A cancelled chooser leaves the focus where it was.
TEST_P(FileShortcut, AsksForTheFileFromAnyControl) {
  const auto& [shortcut, where] = GetParam();
  const std::size_t before = form.recorder().requests().size();
  const std::string name = form.text(kPanelNameBox);
  control(where).setFocus(Qt::TabFocusReason);
  QTest::keyClick(&control(where), shortcut.key, Qt::ControlModifier);
  ASSERT_EQ(form.recorder().requests().size(), before + 1);
  EXPECT_EQ(form.recorder().requests().back().kind, shortcut.chooser);
  EXPECT_EQ(focused(), where);
  EXPECT_EQ(form.text(kPanelNameBox), name);  // nothing typed
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FileShortcut,
    ::testing::Combine(::testing::Values(ShortcutCase{"CtrlOOpens", Qt::Key_O,
                                                      RecordingDialogs::ChooserKind::Open},
                                         ShortcutCase{"CtrlSSaves", Qt::Key_S,
                                                      RecordingDialogs::ChooserKind::Save}),
                       ::testing::Values("Text2", "List2")),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).what) + "_in_" + std::get<1>(info.param);
    });

// Ctrl+Q closes as the close box does: unsaved changes are asked about first.
TEST_F(Keyboard, CtrlQClosesTheWindowAfterAskingAboutChanges) {
  QTest::keyClicks(&control("Text2"), "X");
  form.recorder().answer_question(UnsavedAnswer::Cancel);
  QTest::keyClick(&control("Text2"), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(form.recorder().questions().size(), 1u);
  EXPECT_TRUE(form.isVisible());

  form.recorder().answer_question(UnsavedAnswer::Discard);
  QTest::keyClick(&control("Text2"), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(form.recorder().questions().size(), 2u);
  EXPECT_FALSE(form.isVisible());
}

// A panel write must be a deliberate press: no key of the window starts one, nor a read.
TEST_F(Keyboard, NoCtrlKeyTouchesThePanel) {
  for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
    if (key == Qt::Key_Q) continue;
    QTest::keyClick(&control("List2"), static_cast<Qt::Key>(key), Qt::ControlModifier);
  }
  EXPECT_TRUE(sim.frames().empty());
}

}  // namespace
}  // namespace kvt
