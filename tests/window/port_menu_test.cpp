// The serial port chosen from the window's context menu, remembered, and used by the next
// command; the ports are the test's own, not the machine's.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "link/port_memory.h"
#include "link/settings_file.h"
#include "recording_dialogs.h"
#include "right_click.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "window/port_selector.h"
#include "window/theme.h"

namespace {

using kvt::SystemPort;
using kvt::sim::PanelSimulator;

class PortMenu : public ::testing::Test {
 protected:
  const QByteArray tests_settings_home = qgetenv("XDG_CONFIG_HOME");
  PortMenu() {
    // The user's settings stay untouched: the choice lands in a folder of the test's own.
    qputenv("XDG_CONFIG_HOME", settings_dir.path().toLocal8Bit());
    ::unsetenv("KVT_SERIAL_PORT");
    form.load();
    form.show();
    form.port_selector().set_port_list([this] { return ports; });
  }
  ~PortMenu() override {
    ::unsetenv("KVT_SERIAL_PORT");
    qputenv("XDG_CONFIG_HOME", tests_settings_home);
  }

  // The window has drawn itself before the test presses anything, as it has long before a user
  // does. Its first drawing is slow on a busy machine; done inside a command it would eat into
  // the 100 ms in which the panel's answer must be found.
  void SetUp() override {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
  }

  QMenu* right_click() { return kvt::testing::right_click(form); }
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

// Asking the system for its ports costs more CPU than a whole panel command: a command asks
// only when neither the environment nor a choice decides.
TEST_F(PortMenu, TheSystemIsAskedForItsPortsOnlyWhenNothingElseDecides) {
  int asked = 0;
  form.port_selector().set_port_list([&] {
    ++asked;
    return ports;
  });
  EXPECT_EQ(form.port_selector().current().device, "/dev/ttyS0");
  EXPECT_EQ(asked, 1);
  ::setenv("KVT_SERIAL_PORT", "/dev/pts/9", 1);
  EXPECT_EQ(form.port_selector().current().device, "/dev/pts/9");
  ::unsetenv("KVT_SERIAL_PORT");
  kvt::remember_port("/dev/ttyUSB0");
  EXPECT_EQ(form.port_selector().current().device, "/dev/ttyUSB0");
  EXPECT_EQ(asked, 1);
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

// A FIFO in place of the settings file would hold the window for good at the first look at the
// chosen port (the menu, a read) and take whatever the window wrote: it is neither read nor
// written, and the window works on without a remembered port.
TEST_F(PortMenu, ASettingsFileThatIsAFifoIsNeitherReadNorWritten) {
  const std::string path = kvt::settings_file().path;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  PanelSimulator sim;
  ::setenv("KVT_SERIAL_PORT", sim.device().c_str(), 1);

  choose(*right_click(), "/dev/ttyUSB0");
  EXPECT_EQ(form.port_selector().current().device, sim.device());
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();

  ASSERT_FALSE(sim.frames().empty());
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
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
  EXPECT_EQ(sim.frames_once(6), std::vector<std::string>(6, "41"));
  EXPECT_TRUE(form.text(1).starts_with("COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND\n"))
      << form.text(1);
  ASSERT_NE(menu_during, nullptr);
  EXPECT_TRUE(menu_during->isVisible());
  menu_during->close();
  EXPECT_TRUE(entry(*right_click(), "OTHER DEVICE...")->isEnabled());
}

struct TickCase {
  const char* name;
  const char* chosen;
  std::string ticked;
};

void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class PortMenuTick : public PortMenu, public ::testing::WithParamInterface<TickCase> {};

// One entry is ticked, the one of the port in use, whichever of its names the choice holds; a
// port not listed gets an entry of its own, which says so when the port is not there now.
TEST_P(PortMenuTick, IsOnThePortInUseByEitherOfItsNames) {
  kvt::remember_port(GetParam().chosen);
  QMenu* menu = right_click();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(ticked_entries(*menu), std::vector<std::string>{GetParam().ticked});
  QApplication::activePopupWidget()->close();
}

const std::string kAdapterEntry =
    "/dev/ttyUSB0  -  FT232R USB UART, FTDI  (/dev/serial/by-id/usb-FTDI_FT232R-if00-port0)";

INSTANTIATE_TEST_SUITE_P(
    Choices, PortMenuTick,
    ::testing::Values(TickCase{"AdapterByDevice", "/dev/ttyUSB0", kAdapterEntry},
                      TickCase{"AdapterByStableName",
                               "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", kAdapterEntry},
                      TickCase{"ListedPort", "/dev/ttyS0", "/dev/ttyS0"},
                      TickCase{"UnlistedPortThatIsThere", "/dev/null", "/dev/null"},
                      TickCase{"UnlistedPortThatIsNot", "/dev/pts/77",
                               "/dev/pts/77  (NOT CONNECTED)"}),
    [](const auto& info) { return std::string(info.param.name); });

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
  EXPECT_NE(kvt::testing::serial_port_menu(form), nullptr);
}

TEST_F(PortMenu, AFailureNamesThePortAndPointsToTheMenu) {
  ports = {{"/dev/kvt-no-such-adapter", "", "Gone adapter"}};
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  EXPECT_TRUE(form.text(1).ends_with(
      "\n(PORT /dev/kvt-no-such-adapter - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)"))
      << form.text(1);
}

// FIND THE SWITCH PANEL, and what the window looked like at each step: the status text and
// colour and whether a command button could be pressed.
class PanelSearch : public PortMenu {
 protected:
  struct Step {
    std::string text;
    QColor colour;
    bool buttons_enabled;
  };

  PanelSearch() {
    auto* status = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QObject::connect(status, &QPlainTextEdit::textChanged, &form, [this, status] {
      steps.push_back(
          {form.text(1), status->palette().color(QPalette::Base), read_button()->isEnabled()});
    });
  }

  QAbstractButton* read_button() { return form.findChild<QAbstractButton*>("READ_CONFIG"); }

  // Chooses FIND THE SWITCH PANEL and waits (at most 20 s) until the search has ended and the
  // buttons are back.
  void find_panel() {
    choose(*right_click(), "FIND THE SWITCH PANEL");
    QElapsedTimer clock;
    clock.start();
    do {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    } while ((steps.empty() || !read_button()->isEnabled()) && clock.elapsed() < 20'000);
  }

  static SystemPort listed(const PanelSimulator& sim) { return {sim.device(), "", "Simulated"}; }
  static std::string searching(const PanelSimulator& sim) {
    return "SEARCHING FOR THE SWITCH PANEL ON " + sim.device();
  }
  static void expect_nothing_written(const PanelSimulator& sim) {
    for (const std::string& frame : sim.frames()) {
      EXPECT_TRUE(frame == "41" || frame == "56 00 3F 30 30 56") << frame;
    }
  }

  std::vector<Step> steps;
};

const QColor kYellow = kvt::theme::status_colour(kvt::StatusColour::Yellow);

// The ports are probed in the menu's order, the status box yellow with each one, the buttons
// off; the first panel of this model is chosen, remembered by the name a menu choice stores,
// and the search goes no further.
TEST_F(PanelSearch, ChoosesTheFirstPortWhereThePanelAnswers) {
  PanelSimulator silent({"--silent"}), other({"--model", "68"}), panel, after;
  const std::string stable_name = "/dev/serial/by-id/usb-Simulated_Panel-if00";
  ports = {
      listed(silent), listed(other), {panel.device(), stable_name, "Simulated"}, listed(after)};
  kvt::remember_port(silent.device());
  find_panel();

  ASSERT_EQ(steps.size(), 4u);
  const std::string expected[] = {searching(silent), searching(other), searching(panel),
                                  "SWITCH PANEL FOUND ON " + panel.device()};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(steps[i].text, expected[i]);
    EXPECT_EQ(steps[i].colour, kYellow);
    EXPECT_FALSE(steps[i].buttons_enabled);
  }
  EXPECT_EQ(steps[3].text, expected[3]);
  EXPECT_EQ(steps[3].colour, kvt::theme::status_colour(kvt::StatusColour::Green));
  EXPECT_TRUE(read_button()->isEnabled());
  EXPECT_EQ(kvt::remembered_port().device, stable_name);
  EXPECT_EQ(form.port_selector().current().device, stable_name);
  EXPECT_EQ(panel.frames_once(2), (std::vector<std::string>{"41", "56 00 3F 30 30 56"}));
  EXPECT_TRUE(after.frames().empty());
  for (const PanelSimulator* sim : {&silent, &other, &panel}) expect_nothing_written(*sim);
}

TEST_F(PanelSearch, NoneFoundSaysWhatEachPortSaidInRed) {
  PanelSimulator silent({"--silent"}), other({"--model", "68"});
  ports = {listed(silent), listed(other), {"/dev/kvt-no-such-adapter", "", "Gone adapter"}};
  kvt::remember_port(other.device());
  find_panel();

  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back().text,
            "NO SWITCH PANEL FOUND\n" + silent.device() + ": NO ANSWER\n" + other.device() +
                ": ANOTHER MODEL ANSWERS (MODEL BYTE 68)\n" +
                "/dev/kvt-no-such-adapter: COULD NOT BE OPENED (NO SUCH DEVICE)");
  EXPECT_EQ(steps.back().colour, kvt::theme::status_colour(kvt::StatusColour::Red));
  EXPECT_TRUE(read_button()->isEnabled());
  // The choice stays as it was.
  EXPECT_EQ(kvt::remembered_port().device, other.device());
  for (const PanelSimulator* sim : {&silent, &other}) expect_nothing_written(*sim);
}

// Closed while a silent port is being woken, the window stops the search there and then: the
// next port is never opened and nothing more is said.
TEST_F(PanelSearch, ClosingTheWindowStopsItAtOnce) {
  PanelSimulator silent({"--silent"}), panel;
  ports = {listed(silent), listed(panel)};
  kvt::remember_port(silent.device());
  QElapsedTimer since_close;
  QTimer::singleShot(250, &form, [&] {
    since_close.start();
    form.close();
  });
  find_panel();

  ASSERT_TRUE(since_close.isValid());
  EXPECT_LT(since_close.elapsed(), 200);
  EXPECT_FALSE(form.isVisible());
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back().text, searching(silent));
  EXPECT_EQ(steps.back().colour, kYellow);
  // Time for the simulator to log what a search gone on would have sent by now.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_LT(silent.frames().size(), 6u);
  EXPECT_TRUE(panel.frames().empty());
  EXPECT_EQ(kvt::remembered_port().device, silent.device());
}

}  // namespace
