#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "window/theme.h"

namespace kvt {
namespace {

using sim::PanelMemory;
using sim::PanelSimulator;
using testing::RecordingDialogs;

constexpr const char* kTransferFailed = "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA";
constexpr const char* kMismatchTitle = "SWITCH PANEL/CONFIGURATION MIS-MATCH";
constexpr int kModuleC = 3, kChannel5 = 4;
// A whole write waits for 16 ticks of 100 ms, so it never ends sooner than this after its
// button is pressed, however slow the machine: a write that returns earlier was ended by what
// the test did to it, not by running to its end.
constexpr qint64 kWholeWriteMs = 1600;

std::string hex(int byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}
std::string read_frame(int address) { return "56 00 " + hex(address) + " 30 30 56"; }
std::string write_frame(int address, int value) {
  return "53 00 " + hex(address) + " 00 " + hex(value) + " 44";
}

PanelMemory memory_with(const std::vector<std::pair<int, int>>& bytes) {
  PanelMemory memory{};
  memory[sim::kModelAddress] = 69;
  for (auto [address, value] : bytes) memory.at(address) = static_cast<std::uint8_t>(value);
  return memory;
}

// True while this process holds `device` open.
bool holds_open(const std::string& device) {
  const std::filesystem::path wanted = std::filesystem::canonical(device);
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(fd.path(), error) == wanted) return true;
  }
  return false;
}

// A real window after its load handling, its port 1 pointed at a simulated panel. Every switch
// starts on module "C" channel "5" so that what a command changes stands out.
class PanelCommands : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& options = {},
             const std::optional<PanelMemory>& memory = std::nullopt) {
    sim = std::make_unique<PanelSimulator>(options, memory);
    sim->use_as_serial_port();
    dialogs = new RecordingDialogs;
    form = std::make_unique<Form1>(std::unique_ptr<Dialogs>(dialogs));
    form->load();
    for (int k = 1; k <= kSwitchCount; ++k) {
      form->select(module_list(k), kModuleC);
      form->select(channel_list(k), kChannel5);
    }
    form->set_text(kPanelNameBox, "OLD NAME");
  }

  QAbstractButton& button(const char* name) {
    auto* found = form->findChild<QAbstractButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  void press(const char* name) { button(name).click(); }
  // Runs `action` once the command under way has been going for `ms`.
  void during_command(int ms, std::function<void()> action) {
    QTimer::singleShot(ms, form.get(), std::move(action));
  }

  QWidget& widget(const QString& name) { return *form->findChild<QWidget*>(name); }
  QColor status_colour() { return widget("Text1").palette().color(QPalette::Base); }
  std::string status_text() { return form->text(1); }
  bool status_visible() { return !widget("Text1").isHidden(); }
  bool list_shown(int list) { return !widget(QStringLiteral("List%1").arg(list)).isHidden(); }
  bool box_shown(int box) { return !widget(QStringLiteral("Text%1").arg(box)).isHidden(); }

  void expect_status(StatusColour colour, const std::string& text) {
    EXPECT_TRUE(status_visible());
    EXPECT_EQ(status_colour(), theme::status_colour(colour));
    EXPECT_EQ(status_text(), text);
  }
  void expect_switch(int k, int module, int channel) {
    EXPECT_EQ(form->selected(module_list(k)), module) << "SW" << k;
    EXPECT_EQ(form->selected(channel_list(k)), channel) << "SW" << k;
  }

  std::unique_ptr<PanelSimulator> sim;
  RecordingDialogs* dialogs = nullptr;  // owned by the window
  std::unique_ptr<Form1> form;
};

// ---- read -------------------------------------------------------------------------------------

TEST_F(PanelCommands, ReadShowsThePanelsConfiguration) {
  start({}, memory_with({{0, 0},
                         {1, 9},
                         {2, 10},
                         {3, 158},
                         {4, 159},
                         {5, 160},
                         {6, 160},
                         {7, 99},
                         {8, 150},
                         {9, 160},
                         {11, 2},
                         {12, 10},
                         {13, 4}}));
  press("READ_CONFIG");

  expect_status(StatusColour::Green, "SWITCH PANEL DATA READ SUCCESSFUL");
  expect_switch(1, 1, 0);              // "A" "1"
  expect_switch(2, 1, 9);              // "A" "10"
  expect_switch(3, 2, 0);              // "B" "1"
  expect_switch(4, 16, 8);             // "P" "9"
  expect_switch(5, kBlMrPosition, 8);  // channel left as SW4's decode left it
  expect_switch(6, kNaPosition, 8);
  expect_switch(8, 10, 9);  // "J" "10"
  expect_switch(9, 16, 0);  // "P" "1"
  EXPECT_FALSE(list_shown(channel_list(5)));
  EXPECT_FALSE(list_shown(channel_list(6)));
  EXPECT_TRUE(list_shown(channel_list(4)));
  for (int k = 1; k <= kSwitchCount; ++k) {
    EXPECT_EQ(form->text(designation_box(k)), "") << k;
    EXPECT_FALSE(box_shown(designation_box(k))) << k;
  }
  EXPECT_EQ(form->text(kPanelNameBox), "");
  EXPECT_TRUE(form->ticked());  // a flag byte of 2 ticks the box as 1 does
  EXPECT_EQ(form->config().feature, 1);
  EXPECT_EQ(form->selected(kIndicatorList), 0);
  EXPECT_EQ(form->selected(kBackLightList), 4);
  EXPECT_EQ(dialogs->messages(),
            (std::vector<RecordingDialogs::Message>{
                {"THE SWITCH PANEL HOLDS 2 FOR THE INDEPENDENT LIGHTING FLAG, WHICH IS NOT A "
                 "SETTING; SHOWN AS on.",
                 "VALUES THAT ARE NOT SETTINGS"}}));

  std::vector<std::string> expected{"41", read_frame(63)};
  for (int address : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13})
    expected.push_back(read_frame(address));
  EXPECT_EQ(sim->frames(), expected);
  EXPECT_FALSE(holds_open(sim->device()));
}

// Values the panel holds that no item or tick state stands for: shown as the read always showed
// them, and named together in one box once the read is done.
struct NotSettingsCase {
  const char* name;
  std::vector<std::pair<int, int>> bytes;  // over switch 1 on "A" "1", the rest "N/A"
  std::vector<std::string> lines;
};

void PrintTo(const NotSettingsCase& c, std::ostream* os) { *os << c.name; }

class ReadNotSettings : public PanelCommands,
                        public ::testing::WithParamInterface<NotSettingsCase> {};

TEST_P(ReadNotSettings, NamesValuesThatAreNotSettingsInOneBox) {
  const NotSettingsCase& c = GetParam();
  std::vector<std::pair<int, int>> bytes{{0, 0}, {12, 10}, {13, 4}};
  for (int address = 1; address <= 9; ++address) bytes.emplace_back(address, 160);
  bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
  start({}, memory_with(bytes));
  press("READ_CONFIG");

  expect_status(StatusColour::Green, "SWITCH PANEL DATA READ SUCCESSFUL");
  std::string text;
  for (const std::string& line : c.lines) text += (text.empty() ? "" : "\n") + line;
  const auto& messages = dialogs->messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), (RecordingDialogs::Message{text, "VALUES THAT ARE NOT SETTINGS"}));
  EXPECT_EQ(form->selected(kIndicatorList), 0);  // "100" for every code without an item
}

std::string holds(int value, const std::string& what, const std::string& shown) {
  return "THE SWITCH PANEL HOLDS " + std::to_string(value) + " FOR THE " + what +
         ", WHICH IS NOT A SETTING; SHOWN AS " + shown + ".";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadNotSettings,
    ::testing::Values(
        NotSettingsCase{"Indicator0", {{12, 0}}, {holds(0, "INDICATOR INTENSITY", "100 %")}},
        NotSettingsCase{"Indicator8", {{12, 8}}, {holds(8, "INDICATOR INTENSITY", "100 %")}},
        NotSettingsCase{"Indicator9", {{12, 9}}, {holds(9, "INDICATOR INTENSITY", "100 %")}},
        NotSettingsCase{"Indicator11", {{12, 11}}, {holds(11, "INDICATOR INTENSITY", "100 %")}},
        NotSettingsCase{"Indicator160", {{12, 160}}, {holds(160, "INDICATOR INTENSITY", "100 %")}},
        NotSettingsCase{
            "Flag5AndBothIntensities",
            {{11, 5}, {12, 9}, {13, 0}},
            {holds(5, "INDEPENDENT LIGHTING FLAG", "on"), holds(9, "INDICATOR INTENSITY", "100 %"),
             holds(0, "BACK-LIGHT INTENSITY", "100 %")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelCommands, ReadFromAnotherModelReadsNothingMore) {
  start({"--model", "68"});
  press("READ_CONFIG");

  ASSERT_EQ(dialogs->messages().size(), 1u);
  EXPECT_EQ(dialogs->messages()[0].title, kMismatchTitle);
  EXPECT_EQ(dialogs->messages()[0].text,
            "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS "
            "CONFIGURATION PROGRAM");
  expect_status(StatusColour::Yellow, "COMMUNICATIONS OK");
  EXPECT_EQ(sim->frames(), (std::vector<std::string>{"41", read_frame(63)}));
  for (int k = 1; k <= kSwitchCount; ++k) expect_switch(k, kModuleC, kChannel5);
  EXPECT_EQ(form->text(kPanelNameBox), "");
  EXPECT_FALSE(holds_open(sim->device()));
}

TEST_F(PanelCommands, ReadStopsAfterAnOutOfRangeSwitchByte) {
  start({}, memory_with({{0, 1}, {1, 11}, {2, 21}, {3, 31}, {4, 200}}));
  press("READ_CONFIG");

  expect_status(StatusColour::Red, kTransferFailed);
  expect_switch(1, 1, 1);
  expect_switch(2, 2, 1);
  expect_switch(3, 3, 1);
  expect_switch(4, 4, 1);
  EXPECT_EQ(form->selected(module_list(5)), kNaPosition);
  for (int k = 1; k <= 5; ++k) EXPECT_FALSE(box_shown(designation_box(k))) << k;
  for (int k = 6; k <= kSwitchCount; ++k) {
    expect_switch(k, kModuleC, kChannel5);
    EXPECT_TRUE(box_shown(designation_box(k)));
    EXPECT_EQ(form->text(designation_box(k)), "DESIGNATION ");
  }
  EXPECT_EQ(sim->frames().size(), 2u + 5u);
}

TEST_F(PanelCommands, ReadFromASilentPanelStillEmptiesThePanelName) {
  start({"--silent"});
  press("READ_CONFIG");

  // The quoted words, then the port on a line of its own.
  expect_status(StatusColour::Red, "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND\n(PORT " +
                                       sim->device() + " - SET IN KVT_SERIAL_PORT)");
  EXPECT_EQ(form->text(kPanelNameBox), "");
  EXPECT_EQ(sim->frames(), std::vector<std::string>(6, "41"));
  for (int k = 1; k <= kSwitchCount; ++k) expect_switch(k, kModuleC, kChannel5);
  EXPECT_FALSE(holds_open(sim->device()));
}

TEST_F(PanelCommands, ReadWithShortRepliesShowsNoStaleByte) {
  start({"--short-replies"});
  press("READ_CONFIG");

  // The model byte never arrived whole: a failed transfer, not another panel model.
  expect_status(StatusColour::Red, kTransferFailed);
  EXPECT_TRUE(dialogs->messages().empty());
  for (int k = 1; k <= kSwitchCount; ++k) expect_switch(k, kModuleC, kChannel5);
}

// ---- write ------------------------------------------------------------------------------------

class PanelWrite : public PanelCommands {
 protected:
  // SW1 "A" "1", SW2 "P" "9", SW3 "BL/MR", SW4 "P" "10", the rest as the fixture set them ("C"
  // "5", code 24); independent lighting on; indicator "90", back-light "60".
  void enter_configuration() {
    form->select(channel_list(1), 0);
    form->select(module_list(1), 1);
    form->select(module_list(2), 16);
    form->select(channel_list(2), 8);
    form->select(module_list(3), kBlMrPosition);
    form->select(module_list(4), 15);
    form->select(channel_list(4), 9);
    form->set_ticked(true);
    form->select(kBackLightList, 4);
    form->select(kIndicatorList, 1);
  }
  static constexpr int kBytes[14] = {0, 158, 159, 149, 24, 24, 24, 24, 24, 24, 159, 1, 7, 4};
};

TEST_F(PanelWrite, WritesAndVerifiesEveryByte) {
  start();
  enter_configuration();
  press("WRITE_CONFIG");

  expect_status(StatusColour::Green, "SWITCH PANEL HAS BEEN PROGRAMMED");
  std::vector<std::string> expected{"41", read_frame(63)};
  for (int address = 0; address < 14; ++address) {
    expected.push_back(write_frame(address, kBytes[address]));
    expected.push_back(read_frame(address));
  }
  EXPECT_EQ(sim->frames(), expected);
  const PanelMemory memory = sim->memory();
  for (int address = 0; address < 14; ++address) EXPECT_EQ(memory[address], kBytes[address]);
  EXPECT_EQ(memory[63], 69);
  EXPECT_FALSE(holds_open(sim->device()));
}

TEST_F(PanelWrite, IncompleteSwitchSendsNothing) {
  start();
  form->select(channel_list(3), kNoSelection);  // SW3 on "C" without a channel
  press("WRITE_CONFIG");

  expect_status(StatusColour::Red,
                "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA");
  EXPECT_TRUE(sim->frames().empty());
  EXPECT_FALSE(holds_open(sim->device()));
}

// Module "P" with channel "10" would go out as 159, the BL/MR code: refused as it is chosen,
// whichever comes last, and the switch is then incomplete.
class P10Write : public PanelWrite, public ::testing::WithParamInterface<bool> {};

TEST_P(P10Write, IsRefusedAndNothingIsSent) {
  const bool channel_last = GetParam();
  start();
  if (channel_last) {
    form->select(module_list(2), 16);
    form->select(channel_list(2), 9);
  } else {
    form->select(channel_list(2), 9);
    form->select(module_list(2), 16);
  }
  EXPECT_EQ(dialogs->messages(),
            (std::vector<RecordingDialogs::Message>{
                {"MODULE P CHANNEL 10 CANNOT BE STORED: THE SWITCH PANEL TAKES ITS CODE AS BL/MR.",
                 "SWITCH ASSIGNMENT"}}));
  expect_switch(2, 16, kNoSelection);

  press("WRITE_CONFIG");

  expect_status(StatusColour::Red,
                "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA");
  EXPECT_TRUE(sim->frames().empty());
}

INSTANTIATE_TEST_SUITE_P(Orders, P10Write, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "ChannelLast" : "ModuleLast");
});

TEST_F(PanelWrite, AnotherModelIsNotWritten) {
  start({"--model", "70"});
  enter_configuration();
  press("WRITE_CONFIG");

  ASSERT_EQ(dialogs->messages().size(), 1u);
  EXPECT_EQ(dialogs->messages()[0].title, kMismatchTitle);
  EXPECT_EQ(dialogs->messages()[0].text,
            "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS "
            "CONFIGURATION PROGRAM");
  EXPECT_EQ(sim->frames(), (std::vector<std::string>{"41", read_frame(63)}));
  EXPECT_EQ(sim->memory()[0], 0);
}

TEST_F(PanelWrite, PanelThatStopsAcknowledgingKeepsWhatWasWritten) {
  start({"--stop-ack-from", "7"});
  enter_configuration();
  press("WRITE_CONFIG");

  // What the panel now holds, as a line of its own after the failure.
  expect_status(StatusColour::Red,
                std::string(kTransferFailed) +
                    "\nTHE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION (ADDRESSES 0 TO 7). "
                    "WRITE IT AGAIN.");
  const PanelMemory memory = sim->memory();
  for (int address = 0; address <= 6; ++address) EXPECT_EQ(memory[address], kBytes[address]);
  for (int address = 7; address < 14; ++address) EXPECT_EQ(memory[address], 0) << address;
  // The unacknowledged write is the last frame: no read-back follows it.
  EXPECT_EQ(sim->frames().back(), write_frame(7, kBytes[7]));
  EXPECT_FALSE(holds_open(sim->device()));
}

// ---- guards -----------------------------------------------------------------------------------

TEST_F(PanelWrite, CommandButtonsDoNothingWhileACommandRuns) {
  start();
  enter_configuration();
  std::vector<bool> enabled_during;
  during_command(400, [&] {
    for (const char* name : {"READ_CONFIG", "WRITE_CONFIG", "READ_FILE", "WRITE_FILE"}) {
      enabled_during.push_back(button(name).isEnabled());
      press(name);
    }
  });
  press("WRITE_CONFIG");

  EXPECT_EQ(enabled_during, std::vector<bool>(4, false));
  expect_status(StatusColour::Green, "SWITCH PANEL HAS BEEN PROGRAMMED");
  EXPECT_EQ(sim->frames().size(), 2u + 28u);  // one write, nothing nested inside it
  EXPECT_TRUE(dialogs->requests().empty());
  for (const char* name : {"READ_CONFIG", "WRITE_CONFIG", "READ_FILE", "WRITE_FILE"})
    EXPECT_TRUE(button(name).isEnabled()) << name;
}

TEST_F(PanelWrite, ClosingTheWindowEndsTheCommandCleanly) {
  start();
  enter_configuration();
  during_command(500, [&] { form->close(); });
  QElapsedTimer clock;
  clock.start();
  press("WRITE_CONFIG");

  EXPECT_LT(clock.elapsed(), kWholeWriteMs);
  EXPECT_TRUE(dialogs->messages().empty());
  EXPECT_FALSE(holds_open(sim->device()));
  const std::size_t sent = sim->frames().size();
  EXPECT_LT(sent, 2u + 28u);
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 300) QCoreApplication::processEvents();
  EXPECT_EQ(sim->frames().size(), sent);  // nothing more sent after the command ended
}

TEST_F(PanelCommands, PortThatCannotBeOpenedIsNamed) {
  start();
  qputenv("KVT_SERIAL_PORT", "/dev/kvt-no-such-port");
  press("READ_CONFIG");
  qunsetenv("KVT_SERIAL_PORT");

  EXPECT_TRUE(status_visible());
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Red));
  EXPECT_EQ(status_text().rfind("SERIAL PORT COULD NOT BE OPENED: ", 0), 0u) << status_text();
  EXPECT_NE(status_text().find("/dev/kvt-no-such-port"), std::string::npos);
  EXPECT_NE(status_text().find("\n(PORT /dev/kvt-no-such-port - SET IN KVT_SERIAL_PORT)"),
            std::string::npos)
      << status_text();
  for (int k = 1; k <= kSwitchCount; ++k) expect_switch(k, kModuleC, kChannel5);
  EXPECT_TRUE(button("READ_CONFIG").isEnabled());
}

TEST_F(PanelWrite, SimulatorKilledMidWriteFailsAtOnce) {
  start();
  enter_configuration();
  during_command(600, [&] { sim->kill(); });
  QElapsedTimer clock;
  clock.start();
  press("WRITE_CONFIG");

  EXPECT_LT(clock.elapsed(), kWholeWriteMs);
  // The port stopped working, not the panel's data; then what the panel holds, then the port.
  const std::string text = status_text();
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Red));
  EXPECT_TRUE(text.starts_with("THE SERIAL PORT " + sim->device() +
                               " STOPPED WORKING. CHECK THAT THE CABLE AND ADAPTER ARE PLUGGED "
                               "IN, THEN TRY AGAIN.\nTHE SWITCH PANEL HOLDS A PARTLY WRITTEN "
                               "CONFIGURATION (ADDRESSES 0 TO "))
      << text;
  EXPECT_EQ(text.find(kTransferFailed), std::string::npos) << text;
  EXPECT_TRUE(button("WRITE_CONFIG").isEnabled());
}

}  // namespace
}  // namespace kvt
