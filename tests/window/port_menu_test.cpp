// The serial port chosen from the window's context menu, remembered, and used by the next
// command; the ports are the test's own, not the machine's.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/port_memory.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "window/port_selector.h"

namespace {

using kvt::SystemPort;
using kvt::sim::PanelSimulator;

// The frames the simulator has logged once it has logged `count`, or after 5 s: a frame it does
// not answer is logged in the simulator's own time, which a busy machine may delay.
std::vector<std::string> frames_once(const PanelSimulator& sim, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::vector<std::string> frames = sim.frames();
  while (frames.size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    frames = sim.frames();
  }
  return frames;
}

class PortMenu : public ::testing::Test {
 protected:
  PortMenu() {
    // The user's settings stay untouched: the choice lands in a folder of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir.path());
    ::unsetenv("KVT_SERIAL_PORT");
    form.load();
    form.show();
    form.port_selector().set_port_list([this] { return ports; });
  }
  ~PortMenu() override { ::unsetenv("KVT_SERIAL_PORT"); }

  // The window has drawn itself before the test presses anything, as it has long before a user
  // does. Its first drawing is slow on a busy machine; done inside a command it would eat into
  // the 100 ms in which the panel's answer must be found.
  void SetUp() override {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
  }

  // Right-clicks the window's background and returns the "SERIAL PORT" submenu.
  QMenu* right_click() {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), form.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&form, &event);
    return serial_port_menu();
  }
  QMenu* serial_port_menu() {
    const auto menus = form.findChildren<QMenu*>(QStringLiteral("SerialPortMenu"));
    return menus.isEmpty() ? nullptr : menus.last();
  }
  static QAction* entry(QMenu& menu, const QString& starting) {
    for (QAction* action : menu.actions()) {
      if (action->text().startsWith(starting)) return action;
    }
    return nullptr;
  }
  // Chooses the entry and closes the menu, as a click on the entry does.
  static void choose(QMenu& menu, const QString& starting) {
    QAction* chosen = entry(menu, starting);
    ASSERT_NE(chosen, nullptr) << starting.toStdString();
    chosen->trigger();
    QApplication::activePopupWidget()->close();
  }
  static std::vector<std::string> ticked_entries(const QMenu& menu) {
    std::vector<std::string> ticked;
    for (const QAction* action : menu.actions()) {
      if (action->isChecked()) ticked.push_back(action->text().toStdString());
    }
    return ticked;
  }

  QTemporaryDir settings_dir;
  std::vector<SystemPort> ports{
      {"/dev/ttyS0", "", ""},
      {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "FT232R USB UART, FTDI"},
  };
  kvt::testing::RecordingDialogs* dialogs = new kvt::testing::RecordingDialogs;
  Form1 form{std::unique_ptr<kvt::Dialogs>(dialogs)};
};

TEST_F(PortMenu, ListsThePortsAndTicksTheOneInUse) {
  QMenu* menu = right_click();
  ASSERT_NE(menu, nullptr);
  QAction* tty_s0 = entry(*menu, "/dev/ttyS0");
  QAction* adapter = entry(*menu, "/dev/ttyUSB0");
  ASSERT_TRUE(tty_s0 && adapter);
  EXPECT_TRUE(tty_s0->isChecked());
  EXPECT_FALSE(adapter->isChecked());
  EXPECT_TRUE(adapter->text().contains("FT232R USB UART, FTDI"));
  EXPECT_TRUE(adapter->text().contains("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
  EXPECT_NE(entry(*menu, "OTHER DEVICE..."), nullptr);
}

TEST_F(PortMenu, ChoosingStoresTheStableNameAndTicksIt) {
  choose(*right_click(), "/dev/ttyUSB0");
  EXPECT_EQ(kvt::remembered_port().device, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
  EXPECT_EQ(form.port_selector().current().device, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
  EXPECT_TRUE(entry(*right_click(), "/dev/ttyUSB0")->isChecked());
}

TEST_F(PortMenu, TheNextReadUsesTheChosenPort) {
  PanelSimulator sim;
  ports.push_back({sim.device(), "", "Simulated panel"});
  choose(*right_click(), QString::fromStdString(sim.device()));
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  // The chosen port is the one the read talked to: its panel got the wake-up request. Whether
  // the read then succeeds depends on the simulator answering within a tick, which a busy
  // machine cannot promise and other tests cover.
  ASSERT_FALSE(sim.frames().empty());
  EXPECT_EQ(sim.frames().front(), "41");
}

// A silent panel keeps the read going for its six wake requests whatever the machine's load,
// and the menu opens at the read's first wait, so it is open while the read runs.
TEST_F(PortMenu, ChoosingIsOffWhileACommandRuns) {
  PanelSimulator sim({"--silent"});
  ports.push_back({sim.device(), "", "Simulated panel"});
  kvt::remember_port(sim.device());
  std::vector<bool> enabled_during;
  QWidget* menu_during = nullptr;
  // A menu that blocked the read would hold it until closed: closed late, it fails the test
  // instead of hanging it.
  QTimer::singleShot(10'000, &form, [] {
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  QTimer::singleShot(0, &form, [&] {
    QMenu* menu = right_click();
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) enabled_during.push_back(action->isEnabled());
    }
    menu_during = QApplication::activePopupWidget();
  });
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  ASSERT_FALSE(enabled_during.empty());
  EXPECT_EQ(enabled_during, std::vector<bool>(enabled_during.size(), false));
  // The menu did not stop the read: it ran to its end while the menu stayed open.
  EXPECT_EQ(frames_once(sim, 6), std::vector<std::string>(6, "41"));
  EXPECT_TRUE(form.text(1).starts_with("COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND\n"))
      << form.text(1);
  ASSERT_NE(menu_during, nullptr);
  EXPECT_TRUE(menu_during->isVisible());
  menu_during->close();
  EXPECT_TRUE(entry(*right_click(), "OTHER DEVICE...")->isEnabled());
}

// One entry is ticked, the one of the port in use, whichever of its names the choice holds; a
// port not listed gets an entry of its own, which says so when the port is not there now.
TEST_F(PortMenu, TicksThePortInUseByEitherOfItsNames) {
  const std::string adapter =
      "/dev/ttyUSB0  -  FT232R USB UART, FTDI  (/dev/serial/by-id/usb-FTDI_FT232R-if00-port0)";
  const struct {
    const char* chosen;
    std::string ticked;
  } cases[] = {
      {"/dev/ttyUSB0", adapter},
      {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", adapter},
      {"/dev/ttyS0", "/dev/ttyS0"},
      {"/dev/null", "/dev/null"},
      {"/dev/pts/77", "/dev/pts/77  (NOT CONNECTED)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    kvt::remember_port(c.chosen);
    QMenu* menu = right_click();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ticked_entries(*menu), std::vector<std::string>{c.ticked});
    QApplication::activePopupWidget()->close();
  }
}

TEST_F(PortMenu, TheEnvironmentDecidesAndSaysSo) {
  ::setenv("KVT_SERIAL_PORT", "/dev/ttyACM3", 1);
  QMenu* menu = right_click();
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ(menu->actions().first()->text(), "SET IN KVT_SERIAL_PORT: /dev/ttyACM3");
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
}

TEST_F(PortMenu, ShiftF10OpensItToo) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_NE(serial_port_menu(), nullptr);
}

TEST_F(PortMenu, AFailureNamesThePortAndPointsToTheMenu) {
  ports = {{"/dev/kvt-no-such-adapter", "", "Gone adapter"}};
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  EXPECT_TRUE(form.text(1).ends_with(
      "\n(PORT /dev/kvt-no-such-adapter - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)"))
      << form.text(1);
}

}  // namespace
