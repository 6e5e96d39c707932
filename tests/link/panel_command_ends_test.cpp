// The read and write commands on the headless controls with a scripted port: how each command
// ends when the panel or the port misbehaves early on.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "commands/panel_commands.h"
#include "fake_serial_port.h"
#include "link/frames.h"
#include "link/panel_link.h"
#include "model/configuration.h"
#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"
#include "recording_status_box.h"

namespace {

using Answer = FakeSerialPort::Answer;
using kvt::StatusColour;
using kvt::testing::RecordingDialogs;
using kvt::testing::RecordingStatusBox;

constexpr const char* kTransferFailed = "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA";
constexpr const char* kMismatchTitle = "SWITCH PANEL/CONFIGURATION MIS-MATCH";
constexpr const char* kPortStopped =
    "THE SERIAL PORT /dev/ttyUSB0 STOPPED WORKING. CHECK THAT THE CABLE AND ADAPTER ARE PLUGGED "
    "IN, THEN TRY AGAIN.";
std::string partly_written(int last_address) {
  return "THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION (ADDRESSES 0 TO " +
         std::to_string(last_address) + "). WRITE IT AGAIN.";
}

enum class Command { Read, Write };

void PrintTo(Command command, std::ostream* out) {
  *out << (command == Command::Read ? "Read" : "Write");
}

std::string name_of(const ::testing::TestParamInfo<Command>& info) {
  return ::testing::PrintToString(info.param);
}

// A window just loaded with every switch on "N/A", so a write has nothing incomplete to stop
// it before the panel is reached.
class PanelCommandTest : public ::testing::Test {
 protected:
  PanelCommandTest() {
    kvt::load_handling(config, controls);
    for (int k = 1; k <= kvt::kSwitchCount; ++k) {
      controls.select(kvt::module_list(k), kvt::kNaPosition);
    }
  }

  void script(std::vector<Answer> answers) {
    link.reset();
    port = std::make_unique<FakeSerialPort>(std::move(answers));
    link = std::make_unique<kvt::PanelLink>(*port);
    transferred.clear();
    QObject::connect(link.get(), &kvt::PanelLink::byte_transferred,
                     [this](int number) { transferred.push_back(number); });
  }

  void run(Command command) {
    if (command == Command::Read) {
      kvt::read_config(config, controls, status, *link, "/dev/ttyUSB0");
    } else {
      kvt::write_config(config, controls, status, *link, "/dev/ttyUSB0");
    }
  }

  kvt::PanelConfig config;
  RecordingDialogs dialogs;
  kvt::HeadlessControls controls{config, dialogs};
  RecordingStatusBox status;
  std::unique_ptr<FakeSerialPort> port;
  std::unique_ptr<kvt::PanelLink> link;
  std::vector<int> transferred;  // the byte numbers the link reported, in order
};

class EveryCommand : public PanelCommandTest, public ::testing::WithParamInterface<Command> {};

// The progress a command reports: every byte it transfers, the model byte first, numbered from
// 1 without a gap, and no more: the read's model byte and 13 configuration bytes, the write's
// model byte and 14 configuration bytes.
TEST_P(EveryCommand, ReportsEveryByteOnceInTurn) {
  std::vector<Answer> answers{{kAck}, {"0690D"}};
  int bytes_transferred = 1;
  if (GetParam() == Command::Read) {
    for (int address = 0; address < 14; ++address) {
      if (address != 10) answers.push_back({"0000D"});
    }
    bytes_transferred += 13;
  } else {
    const auto data = kvt::bytes_to_write(config, controls);
    const auto* bytes = std::get_if<kvt::ConfigurationBytes>(&data);
    ASSERT_TRUE(bytes);
    for (const std::int16_t byte : *bytes) {
      answers.push_back({kAck});
      char reply[16];
      std::snprintf(reply, sizeof reply, "%03d0D", byte);
      answers.push_back({reply});
    }
    bytes_transferred += 14;
  }
  script(answers);
  run(GetParam());
  std::vector<int> expected(static_cast<std::size_t>(bytes_transferred));
  std::iota(expected.begin(), expected.end(), 1);
  EXPECT_EQ(transferred, expected);
  EXPECT_EQ(status.colour, StatusColour::Green);
}

// The handshake reports only a silent panel itself; a port that breaks down under it must still
// end the command in red rather than leave the starting text up in yellow, and say that the port
// stopped working, not that the panel sent bad data.
TEST_P(EveryCommand, EndsRedWhenThePortBreaksDownDuringTheWakeUp) {
  script({});
  port->break_down_after(20);

  run(GetParam());

  EXPECT_EQ(port->sent, std::vector<std::string>{"A"});
  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, kPortStopped);
  EXPECT_TRUE(dialogs.messages().empty());
}

// Another model is not a failed transfer: the model byte came through, so the box stays yellow
// with the read's own report, after the mismatch message and nothing more sent.
TEST_P(EveryCommand, LeavesTheStatusYellowWithCommunicationsOkForAnotherModel) {
  const std::string message =
      GetParam() == Command::Read
          ? "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS "
            "CONFIGURATION PROGRAM"
          : "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS "
            "CONFIGURATION PROGRAM";
  script({{kAck}, {"0680D"}});

  run(GetParam());

  EXPECT_EQ(dialogs.messages(),
            (std::vector<RecordingDialogs::Message>{{message, kMismatchTitle}}));
  EXPECT_EQ(port->sent, (std::vector<std::string>{"A", kvt::read_frame(63)}));
  EXPECT_FALSE(port->port_open());
  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Yellow);
  EXPECT_EQ(status.text, "COMMUNICATIONS OK");
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryCommand, ::testing::Values(Command::Read, Command::Write),
                         name_of);

struct NoNumberCase {
  const char* name;
  Command command;
  std::vector<Answer> answers;
  std::vector<std::string> sent;
  std::string text;
};

void PrintTo(const NoNumberCase& c, std::ostream* out) { *out << c.name; }

class ReplyWithoutANumber : public PanelCommandTest,
                            public ::testing::WithParamInterface<NoNumberCase> {};

// A reply without a number (line noise, a wrong device) is bad data wherever it comes: the
// command ends red at once, with nothing from that reply put on screen and nothing more sent.
TEST_P(ReplyWithoutANumber, EndsTheCommandAsBadData) {
  const NoNumberCase& c = GetParam();
  // Switch 1 on module A, channel 1: code 0, which the rule's 0 for no number would verify.
  controls.select(kvt::module_list(1), 1);
  controls.select(kvt::channel_list(1), 0);
  script(c.answers);

  run(c.command);

  EXPECT_EQ(port->sent, c.sent);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, c.text);
  EXPECT_FALSE(port->port_open());
  EXPECT_TRUE(dialogs.messages().empty());
  // The first switch read "0000D", a module-A code; the second must not have been loaded.
  EXPECT_EQ(controls.selected(kvt::module_list(2)), kvt::kNaPosition);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyWithoutANumber,
    ::testing::Values(
        NoNumberCase{"ModelCheckOfARead",
                     Command::Read,
                     {{kAck}, {"D000D"}},
                     {"A", kvt::read_frame(63)},
                     kTransferFailed},
        NoNumberCase{"ModelCheckOfAWrite",
                     Command::Write,
                     {{kAck}, {"+.D0D"}},
                     {"A", kvt::read_frame(63)},
                     kTransferFailed},
        NoNumberCase{"SecondSwitchOfARead",
                     Command::Read,
                     {{kAck}, {"0690D"}, {"0000D"}, {"D000D"}},
                     {"A", kvt::read_frame(63), kvt::read_frame(0), kvt::read_frame(1)},
                     kTransferFailed},
        NoNumberCase{"ReadBackOfTheFirstWrite",
                     Command::Write,
                     {{kAck}, {"0690D"}, {kAck}, {"D000D"}},
                     {"A", kvt::read_frame(63), kvt::write_frame(0, 0), kvt::read_frame(0)},
                     std::string(kTransferFailed) + "\n" + partly_written(0)}),
    [](const auto& info) { return std::string(info.param.name); });

// The answers of a panel that takes every write of the N/A window (switch codes 160, BL/MR 159,
// independent lighting 0, both intensities 10) until `address`, whose exchange is then
// `failing` instead: its write answered so and, when that is the acknowledgement, its read-back
// answered `read_back`.
std::vector<Answer> writes_until(int address, const std::string& failing,
                                 const std::string& read_back = {}) {
  const int bytes[] = {160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 159, 0, 10, 10};
  std::vector<Answer> answers{{kAck}, {"0690D"}};
  for (int at = 0; at < address; ++at) {
    char reply[16];
    std::snprintf(reply, sizeof reply, "%03d0D", bytes[at]);
    answers.push_back({kAck});
    answers.push_back({reply});
  }
  answers.push_back({failing});
  answers.push_back({read_back});
  return answers;
}

struct FailedWriteCase {
  const char* name;
  std::vector<Answer> answers;
  // The output after which the line hangs up, if it does.
  std::optional<std::size_t> hang_up_after;
  std::string text;
};

void PrintTo(const FailedWriteCase& c, std::ostream* out) { *out << c.name; }

class FailedWrite : public PanelCommandTest,
                    public ::testing::WithParamInterface<FailedWriteCase> {};

// Whatever ends a write once a write frame has gone out leaves the panel with new bytes up to
// that address and old ones after it: the red text says so after the failure, naming the last
// address a write frame went out for. A write that ends before its first write frame has
// changed nothing and says nothing of it. A port that stops working says so, also when the
// program notices it only as it takes a reply, never that the panel sent bad data.
TEST_P(FailedWrite, SaysWhatThePanelHolds) {
  const FailedWriteCase& c = GetParam();
  script(c.answers);
  if (c.hang_up_after) port->hang_up_after_output(*c.hang_up_after);

  kvt::write_config(config, controls, status, *link, "/dev/ttyUSB0");

  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, c.text);
  EXPECT_FALSE(port->port_open());
}

// Outputs: 0 the wake-up, 1 the model read, then per address k a write frame (2 + 2k) and its
// read-back (3 + 2k).
INSTANTIATE_TEST_SUITE_P(
    Cases, FailedWrite,
    ::testing::Values(
        FailedWriteCase{"NotAcknowledged", writes_until(3, "X000X"), std::nullopt,
                        std::string(kTransferFailed) + "\n" + partly_written(3)},
        FailedWriteCase{"NoReply", writes_until(0, ""), std::nullopt,
                        std::string(kTransferFailed) + "\n" + partly_written(0)},
        FailedWriteCase{"NotVerified", writes_until(13, kAck, "0110D"), std::nullopt,
                        std::string(kTransferFailed) + "\n" + partly_written(13)},
        FailedWriteCase{"CorruptedReadBack", writes_until(5, kAck, "D0D"), std::nullopt,
                        std::string(kTransferFailed) + "\n" + partly_written(5)},
        FailedWriteCase{"BlMrNotVerified", writes_until(10, kAck, "1600D"), std::nullopt,
                        std::string(kTransferFailed) + "\n" + partly_written(10)},
        FailedWriteCase{"PortStopsAtAWriteFrame", writes_until(7, kAck, "1600D"), 2 + 2 * 7,
                        std::string(kPortStopped) + "\n" + partly_written(7)},
        FailedWriteCase{"PortStopsAtAReadBack", writes_until(4, kAck, "1600D"), 3 + 2 * 4,
                        std::string(kPortStopped) + "\n" + partly_written(4)},
        FailedWriteCase{"PortStopsAtTheModelRead", writes_until(0, kAck), 1, kPortStopped},
        FailedWriteCase{"PortStopsAtTheWakeUp", writes_until(0, kAck), 0, kPortStopped},
        FailedWriteCase{"ModelByteCorrupted", {{kAck}, {"0D"}}, std::nullopt, kTransferFailed}),
    [](const auto& info) { return std::string(info.param.name); });

// A read whose port stops working at any step says so, never that the panel sent bad data.
class ReadWithPortStopping : public PanelCommandTest,
                             public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ReadWithPortStopping, SaysThePortStopped) {
  std::vector<Answer> answers{{kAck}, {"0690D"}};
  for (int address = 0; address < 14; ++address) {
    if (address != 10) answers.push_back({"1600D"});
  }
  script(answers);
  port->hang_up_after_output(GetParam());

  run(Command::Read);

  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, kPortStopped);
}

// The wake-up, the model read, a switch, and the last byte.
INSTANTIATE_TEST_SUITE_P(Steps, ReadWithPortStopping, ::testing::Values(0u, 1u, 4u, 14u));

}  // namespace
