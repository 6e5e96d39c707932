#include "link/panel_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/transfer_status.h"
#include "fake_serial_port.h"
#include "link/frames.h"
#include "recording_status_box.h"

namespace {

using Answer = FakeSerialPort::Answer;
using Arrival = FakeSerialPort::Arrival;
using kvt::StatusColour;
using kvt::testing::RecordingStatusBox;

constexpr const char* kDevice = "/dev/ttyUSB0";
constexpr const char* kFailedToRespond = "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";

using kvt::Transfer;

// Timer1 as the window's controls are found: by its name among the link's children.
QTimer& timer1_of(kvt::PanelLink& link) {
  auto* timer1 = link.findChild<QTimer*>(QStringLiteral("Timer1"));
  if (timer1 == nullptr) throw std::logic_error("the link has no Timer1");
  return *timer1;
}

// The link with a scripted port; the link makes its own Timer1. `status` is the status box as
// the panel commands leave it after each exchange.
class PanelLinkTest : public ::testing::Test {
 protected:
  void script(std::vector<Answer> answers) {
    link.reset();
    transferred.clear();
    port = std::make_unique<FakeSerialPort>(std::move(answers));
    link = std::make_unique<kvt::PanelLink>(*port);
    port->follow_ticks(timer1_of(*link));
    QObject::connect(link.get(), &kvt::PanelLink::byte_transferred,
                     [this](int number) { transferred.push_back(number); });
    ASSERT_TRUE(link->open_link(kDevice));
  }

  qint64 timed(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
  }

  RecordingStatusBox status;
  std::unique_ptr<FakeSerialPort> port;
  std::unique_ptr<kvt::PanelLink> link;
  std::vector<int> transferred;  // the byte numbers the link reported, in order
};

TEST_F(PanelLinkTest, OpensTheDeviceAtNineThousandSixHundredN81AndCloses) {
  script({});
  link->close_link();
  const std::vector<std::string> expected{"open /dev/ttyUSB0 9600,N,8,1", "close"};
  EXPECT_EQ(port->calls, expected);
  EXPECT_EQ(link->port_error_text(), "");
}

TEST_F(PanelLinkTest, APortThatWillNotOpenIsExplained) {
  port = std::make_unique<FakeSerialPort>();
  port->refuse_open =
      kvt::PortError{kvt::PortProblem::PermissionDenied, "/dev/ttyUSB0", "Permission denied"};
  port->refuse_open->device_group = "uucp";
  link = std::make_unique<kvt::PanelLink>(*port);
  EXPECT_FALSE(link->open_link(kDevice));
  const std::string text = link->port_error_text();
  EXPECT_EQ(text.rfind("SERIAL PORT COULD NOT BE OPENED: ", 0), 0u) << text;
  EXPECT_NE(text.find("/dev/ttyUSB0"), std::string::npos) << text;
  EXPECT_NE(text.find("THE uucp GROUP"), std::string::npos) << text;
}

struct WakeCase {
  const char* name;
  std::vector<Answer> answers;
  Transfer ending;
  std::size_t wake_requests;
};

void PrintTo(const WakeCase& c, std::ostream* os) { *os << c.name; }

class WakePanel : public PanelLinkTest, public ::testing::WithParamInterface<WakeCase> {};

TEST_P(WakePanel, EndsAfterTheRequestsItTook) {
  const WakeCase& c = GetParam();
  script(c.answers);
  const Transfer ending = link->wake_panel();
  kvt::say_wake_up(status, ending);
  EXPECT_EQ(ending, c.ending);
  EXPECT_EQ(port->sent, std::vector<std::string>(c.wake_requests, "A"));
  EXPECT_TRUE(transferred.empty());  // the handshake is no byte of the command
  if (c.ending == Transfer::Ok) {
    EXPECT_EQ(status.text, RecordingStatusBox::kUntouched);
    EXPECT_FALSE(status.colour);
  } else {
    EXPECT_EQ(status.text, kFailedToRespond);
    EXPECT_EQ(status.colour, StatusColour::Red);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WakePanel,
    ::testing::Values(
        WakeCase{"AnsweredAtOnce", {{kAck}}, Transfer::Ok, 1},
        WakeCase{"AnsweredOnlyTheSecondTime", {{}, {kAck}}, Transfer::Ok, 2},
        // A late answer to the first request, taken in the second wait.
        WakeCase{"LateAnswerTakenInTheSecondWait",
                 {{kAck, Arrival::WithTheNextOutput}},
                 Transfer::Ok,
                 2},
        WakeCase{"NeverAnswered", {}, Transfer::NoReply, 6},
        WakeCase{"TwoAcknowledgementsWaiting", {{"D000DD000D"}}, Transfer::NoReply, 1},
        WakeCase{"LowerCase", {{"d000d"}}, Transfer::NoReply, 1},
        WakeCase{"FoundOnlyAfterTheTick", {{kAck, Arrival::WithTheNextTick}}, Transfer::NoReply, 1},
        WakeCase{"TakenInWithTheTickBeforeIt",
                 {{kAck, Arrival::JustBeforeTheNextTick}},
                 Transfer::Ok,
                 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelLinkTest, SilentPanelGetsSixRequestsAboutATickApart) {
  script({});
  const QTimer& timer1 = timer1_of(*link);
  EXPECT_FALSE(timer1.isActive());  // until the first wait arms it
  // How many requests had gone out at each tick: one more at every tick, never two in a tick.
  // Counted, not timed, so that a loaded machine cannot fail it.
  std::vector<std::size_t> sent_at_tick;
  QObject::connect(&timer1, &QTimer::timeout, [&] { sent_at_tick.push_back(port->sent.size()); });
  const qint64 elapsed = timed([&] { EXPECT_EQ(link->wake_panel(), Transfer::NoReply); });
  EXPECT_GE(elapsed, 550);
  EXPECT_EQ(sent_at_tick, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(timer1.isActive());
  EXPECT_EQ(timer1.interval(), 100);
  EXPECT_EQ(timer1.timerType(), Qt::PreciseTimer);
  EXPECT_EQ(timer1.objectName(), "Timer1");
}

struct ReadCase {
  const char* name;
  std::vector<Answer> answers;
  std::int16_t value;
  const char* text;
  Transfer ending;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class Readee : public PanelLinkTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(Readee, GivesTheValueAndTheOutcomeOfOneRead) {
  const ReadCase& c = GetParam();
  script(c.answers);
  const kvt::ByteTransfer read = link->readee(63);
  kvt::say_byte_read(status, read.outcome);
  EXPECT_EQ(read.outcome, c.ending);
  EXPECT_EQ(read.value, c.value);
  EXPECT_EQ(port->sent, std::vector<std::string>{kvt::read_frame(63)});
  // Only a byte read whole and in range is a byte of the command done.
  EXPECT_EQ(transferred, c.ending == Transfer::Ok ? std::vector<int>{1} : std::vector<int>{});
  EXPECT_EQ(status.text, c.text);
  EXPECT_TRUE(status.visible);
  EXPECT_FALSE(status.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, Readee,
    ::testing::Values(
        ReadCase{"ModelByte", {{"0690D"}}, 69, "COMMUNICATIONS OK", Transfer::Ok},
        ReadCase{"HighestValidByte", {{"1600D"}}, 160, "COMMUNICATIONS OK", Transfer::Ok},
        ReadCase{"Zero", {{"0000D"}}, 0, "COMMUNICATIONS OK", Transfer::Ok},
        ReadCase{"FourCharactersAreEnough", {{"0690"}}, 69, "COMMUNICATIONS OK", Transfer::Ok},
        ReadCase{"JustAboveTheRange",
                 {{"1610D"}},
                 161,
                 "ERROR - DATA OUT OF RANGE",
                 Transfer::OutOfRange},
        ReadCase{"Negative", {{"-010D"}}, -1, "ERROR - DATA OUT OF RANGE", Transfer::OutOfRange},
        ReadCase{"Beyond16Bits",
                 {{"999999D"}},
                 32767,
                 "ERROR - DATA OUT OF RANGE",
                 Transfer::OutOfRange},
        // Too short or missing replies carry no value: the read fails and brings none.
        ReadCase{"ThreeCharacters", {{"069"}}, 0, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
        ReadCase{"NoReply", {}, 0, "COMMUNICATIONS CORRUPTED", Transfer::NoReply},
        // Nor does a reply without a digit before its number ends: its 0 is no byte read.
        ReadCase{"ALetterFirst", {{"D000D"}}, 0, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
        ReadCase{
            "SignAndPointOnly", {{"+.D0"}}, 0, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
        ReadCase{"APointFirstIsStillANumber", {{".5D0"}}, 0, "COMMUNICATIONS OK", Transfer::Ok}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
  const char* name;
  std::vector<Answer> answers;
  std::int16_t data;
  Transfer ending;
  bool reads_back;
  std::int16_t value;
  const char* text;
  std::optional<StatusColour> colour;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class Sendee : public PanelLinkTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(Sendee, GivesTheReadBackAndTheOutcomeOfOneWrite) {
  const WriteCase& c = GetParam();
  script(c.answers);
  const kvt::ByteTransfer write = link->sendee(10, c.data);
  kvt::say_byte_written(status, write.outcome);
  EXPECT_EQ(write.outcome, c.ending);
  EXPECT_EQ(write.value, c.value);
  std::vector<std::string> expected_frames{kvt::write_frame(10, c.data)};
  if (c.reads_back) expected_frames.push_back(kvt::read_frame(10));
  EXPECT_EQ(port->sent, expected_frames);
  EXPECT_EQ(transferred, c.ending == Transfer::Ok ? std::vector<int>{1} : std::vector<int>{});
  EXPECT_EQ(status.text, c.text);
  EXPECT_EQ(status.colour, c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, Sendee,
    ::testing::Values(
        WriteCase{"Verified",
                  {{kAck}, {"1590D"}},
                  159,
                  Transfer::Ok,
                  true,
                  159,
                  "COMMUNICATIONS OK",
                  StatusColour::Yellow},
        WriteCase{"NoAcknowledgement",
                  {},
                  159,
                  Transfer::NoReply,
                  false,
                  0,
                  "COMMUNICATIONS CORRUPTED",
                  std::nullopt},
        WriteCase{"LowerCaseAcknowledgement",
                  {{"d000d"}},
                  159,
                  Transfer::NotAcknowledged,
                  false,
                  0,
                  RecordingStatusBox::kUntouched,
                  std::nullopt},
        WriteCase{"AcknowledgementAndMore",
                  {{"D000DX"}},
                  159,
                  Transfer::NotAcknowledged,
                  false,
                  0,
                  RecordingStatusBox::kUntouched,
                  std::nullopt},
        WriteCase{"ReadBackOfThreeCharacters",
                  {{kAck}, {"159"}},
                  159,
                  Transfer::Corrupted,
                  true,
                  0,
                  "COMMUNICATIONS CORRUPTED",
                  std::nullopt},
        WriteCase{"NoReadBack",
                  {{kAck}},
                  159,
                  Transfer::NoReply,
                  true,
                  0,
                  "COMMUNICATIONS CORRUPTED",
                  std::nullopt},
        // Read as 0 it would verify the 0 written, though the panel sent no number at all.
        WriteCase{"ReadBackWithoutANumber",
                  {{kAck}, {"D000D"}},
                  0,
                  Transfer::Corrupted,
                  true,
                  0,
                  "COMMUNICATIONS CORRUPTED",
                  std::nullopt},
        WriteCase{"WrongValueReadBack",
                  {{kAck}, {"1580D"}},
                  159,
                  Transfer::NotVerified,
                  true,
                  158,
                  "DATA FAILED TO VERIFY",
                  std::nullopt},
        // The saturated value equals the data, yet nothing in the reply stood for it.
        WriteCase{"ReadBackBeyond16Bits",
                  {{kAck}, {"999999D"}},
                  32767,
                  Transfer::NotVerified,
                  true,
                  32767,
                  "DATA FAILED TO VERIFY",
                  std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// The byte numbers go on across reads and writes, and start again from 1 when the link is
// opened for the next command.
TEST_F(PanelLinkTest, BytesAreCountedFromTheOpenOfTheLink) {
  script({{"0690D"}, {kAck}, {"1590D"}, {"0000D"}, {"0690D"}});
  EXPECT_EQ(link->readee(63).outcome, Transfer::Ok);
  EXPECT_EQ(link->sendee(10, 159).outcome, Transfer::Ok);
  EXPECT_EQ(link->readee(0).outcome, Transfer::Ok);
  link->close_link();
  ASSERT_TRUE(link->open_link(kDevice));
  EXPECT_EQ(link->readee(63).outcome, Transfer::Ok);
  EXPECT_EQ(transferred, (std::vector<int>{1, 2, 3, 1}));
}

TEST_F(PanelLinkTest, WaitTickWaitsForTheNextTickEvenRightAfterOne) {
  script({});
  link->wait_tick();  // a tick has just come
  int ticks = 0;
  QObject::connect(&timer1_of(*link), &QTimer::timeout, [&] { ++ticks; });
  const qint64 elapsed = timed([&] { link->wait_tick(); });
  EXPECT_GE(elapsed, 90);
  EXPECT_EQ(ticks, 1);  // it ended on the first tick, not a later one
  EXPECT_TRUE(port->sent.empty());
}

TEST_F(PanelLinkTest, ShutdownEndsTheWaitAndFailsEveryLaterTransfer) {
  script({});
  QTimer::singleShot(20, [&] { link->request_shutdown(); });
  // Cancelled, not NoReply: the wait ended on the shutdown, before its tick.
  EXPECT_EQ(link->wake_panel(), Transfer::Cancelled);
  EXPECT_EQ(port->sent, std::vector<std::string>{"A"});

  EXPECT_EQ(link->readee(63).outcome, Transfer::Cancelled);
  EXPECT_EQ(link->sendee(10, 159).outcome, Transfer::Cancelled);
  int ticks = 0;
  QObject::connect(&timer1_of(*link), &QTimer::timeout, [&] { ++ticks; });
  link->wait_tick();
  EXPECT_EQ(ticks, 0);  // returned at once, without waiting for the tick
  EXPECT_EQ(link->wake_panel(), Transfer::Cancelled);
  EXPECT_EQ(port->sent.size(), 1u);  // nothing more went out
}

TEST_F(PanelLinkTest, QuittingTheApplicationIsAShutdown) {
  script({});
  QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
  EXPECT_EQ(link->readee(63).outcome, Transfer::Cancelled);
  EXPECT_TRUE(port->sent.empty());
}

struct BreakdownCase {
  const char* name;
  std::function<Transfer(kvt::PanelLink&)> transfer;
};

void PrintTo(const BreakdownCase& c, std::ostream* os) { *os << c.name; }

class PortBreakingDown : public PanelLinkTest,
                         public ::testing::WithParamInterface<BreakdownCase> {};

TEST_P(PortBreakingDown, FailsTheTransferAtOnce) {
  script({});
  port->break_down_after(20);
  // PortFailed, not NoReply: the wait ended on the breakdown, before its tick.
  EXPECT_EQ(GetParam().transfer(*link), Transfer::PortFailed);
  EXPECT_EQ(port->sent.size(), 1u);
  EXPECT_NE(link->port_error_text().find("/dev/ttyUSB0 STOPPED WORKING"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, PortBreakingDown,
    ::testing::Values(
        BreakdownCase{"readee", [](kvt::PanelLink& link) { return link.readee(63).outcome; }},
        BreakdownCase{"sendee", [](kvt::PanelLink& link) { return link.sendee(10, 159).outcome; }},
        BreakdownCase{"wake_panel", [](kvt::PanelLink& link) { return link.wake_panel(); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
