#include "link/panel_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>
#include <vector>

#include "fake_serial_port.h"
#include "link/frames.h"
#include "recording_status_box.h"

namespace {

using Answer = FakeSerialPort::Answer;
using kvt::StatusColour;
using kvt::testing::RecordingStatusBox;

constexpr const char* kAck = "D000D";
constexpr const char* kFailedToRespond = "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";

using kvt::Transfer;

// The link with a scripted port; the link makes its own Timer1.
class PanelLinkTest : public ::testing::Test {
 protected:
  void script(std::vector<Answer> answers) {
    link.reset();
    port = std::make_unique<FakeSerialPort>(std::move(answers));
    link = std::make_unique<kvt::PanelLink>(config, *port, status);
    ASSERT_TRUE(link->open_link());
  }

  qint64 timed(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
  }

  kvt::PanelConfig config;
  RecordingStatusBox status;
  std::unique_ptr<FakeSerialPort> port;
  std::unique_ptr<kvt::PanelLink> link;
};

TEST_F(PanelLinkTest, OpensPortOneAtNineThousandSixHundredBaudAndCloses) {
  script({});
  link->close_link();
  const std::vector<std::string> expected{"CommPort=1", "Settings=9600,N,8,1", "PortOpen=true",
                                          "PortOpen=false"};
  EXPECT_EQ(port->calls, expected);
  EXPECT_EQ(link->port_error_text(), "");
}

TEST_F(PanelLinkTest, APortThatWillNotOpenIsExplained) {
  port = std::make_unique<FakeSerialPort>();
  port->refuse_open =
      kvt::PortError{kvt::PortProblem::PermissionDenied, "/dev/ttyUSB0", "Permission denied"};
  link = std::make_unique<kvt::PanelLink>(config, *port, status);
  EXPECT_FALSE(link->open_link());
  const std::string text = link->port_error_text();
  EXPECT_EQ(text.rfind("SERIAL PORT COULD NOT BE OPENED: ", 0), 0u) << text;
  EXPECT_NE(text.find("/dev/ttyUSB0"), std::string::npos) << text;
  EXPECT_NE(text.find("dialout"), std::string::npos) << text;
}

TEST_F(PanelLinkTest, WakePanel) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    Transfer ending;
    std::size_t wake_requests;
  };
  const Case cases[] = {
      {"answered at once", {{kAck}}, Transfer::Ok, 1},
      {"answered only the second time", {{}, {kAck}}, Transfer::Ok, 2},
      {"a late answer to the first request, taken in the second wait",
       {{kAck, 150}},
       Transfer::Ok,
       2},
      {"never answered", {}, Transfer::NoReply, 6},
      {"two acknowledgements waiting", {{"D000DD000D"}}, Transfer::NoReply, 1},
      {"lower case", {{"d000d"}}, Transfer::NoReply, 1},
      {"found only after the tick", {{kAck, 150, false}}, Transfer::NoReply, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script(c.answers);
    config.error_flag = 1;
    config.A = 42;
    EXPECT_EQ(link->wake_panel(), c.ending);
    EXPECT_EQ(port->sent, std::vector<std::string>(c.wake_requests, "A"));
    EXPECT_EQ(config.error_flag, 1);  // the handshake leaves the transfer values alone
    EXPECT_EQ(config.A, 42);
    if (c.ending == Transfer::Ok) {
      EXPECT_EQ(status.text, RecordingStatusBox::kUntouched);
      EXPECT_FALSE(status.colour);
    } else {
      EXPECT_EQ(status.text, kFailedToRespond);
      EXPECT_EQ(status.colour, StatusColour::Red);
    }
    status = RecordingStatusBox{};
  }
}

TEST_F(PanelLinkTest, SilentPanelGetsSixRequestsAboutATickApart) {
  script({});
  const QTimer& timer1 = link->timer1();
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

TEST_F(PanelLinkTest, Readee) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    std::int16_t a;
    std::int16_t error_flag;
    const char* text;
    Transfer ending;
  };
  const Case cases[] = {
      {"model byte", {{"0690D"}}, 69, 0, "COMMUNICATIONS OK", Transfer::Ok},
      {"highest valid byte", {{"1600D"}}, 160, 0, "COMMUNICATIONS OK", Transfer::Ok},
      {"zero", {{"0000D"}}, 0, 0, "COMMUNICATIONS OK", Transfer::Ok},
      {"four characters are enough", {{"0690"}}, 69, 0, "COMMUNICATIONS OK", Transfer::Ok},
      {"just above the range",
       {{"1610D"}},
       161,
       1,
       "ERROR - DATA OUT OF RANGE",
       Transfer::OutOfRange},
      {"negative", {{"-010D"}}, -1, 1, "ERROR - DATA OUT OF RANGE", Transfer::OutOfRange},
      {"beyond 16 bits",
       {{"999999D"}},
       32767,
       1,
       "ERROR - DATA OUT OF RANGE",
       Transfer::OutOfRange},
      // Too short or missing replies carry no value: A keeps the older one and the read fails.
      {"three characters", {{"069"}}, 42, 1, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
      {"no reply", {}, 42, 1, "COMMUNICATIONS CORRUPTED", Transfer::NoReply},
      // Nor does a reply without a digit before its number ends: its 0 is no byte read.
      {"a letter first", {{"D000D"}}, 42, 1, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
      {"sign and point only", {{"+.D0"}}, 42, 1, "COMMUNICATIONS CORRUPTED", Transfer::Corrupted},
      {"a point first is still a number", {{".5D0"}}, 0, 0, "COMMUNICATIONS OK", Transfer::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script(c.answers);
    config.A = 42;
    config.error_flag = 1;
    link->address_l = 63;
    EXPECT_EQ(link->readee(), c.ending);
    EXPECT_EQ(port->sent, std::vector<std::string>{kvt::read_frame(63)});
    EXPECT_EQ(config.A, c.a);
    EXPECT_EQ(config.error_flag, c.error_flag);
    EXPECT_EQ(status.text, c.text);
    EXPECT_TRUE(status.visible);
    EXPECT_FALSE(status.colour);
    status = RecordingStatusBox{};
  }
}

TEST_F(PanelLinkTest, Sendee) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    std::int16_t data;
    Transfer ending;
    bool reads_back;
    std::int16_t a;
    const char* text;
    std::optional<StatusColour> colour;
  };
  const char* const untouched = RecordingStatusBox::kUntouched;
  const Case cases[] = {
      {"verified",
       {{kAck}, {"1590D"}},
       159,
       Transfer::Ok,
       true,
       159,
       "COMMUNICATIONS OK",
       StatusColour::Yellow},
      {"no acknowledgement", {}, 159, Transfer::NoReply, false, 42, untouched, std::nullopt},
      {"lower-case acknowledgement",
       {{"d000d"}},
       159,
       Transfer::NotAcknowledged,
       false,
       42,
       untouched,
       std::nullopt},
      {"acknowledgement and more",
       {{"D000DX"}},
       159,
       Transfer::NotAcknowledged,
       false,
       42,
       untouched,
       std::nullopt},
      {"read-back of three characters",
       {{kAck}, {"159"}},
       159,
       Transfer::Corrupted,
       true,
       42,
       "COMMUNICATIONS CORRUPTED",
       std::nullopt},
      {"no read-back",
       {{kAck}},
       159,
       Transfer::NoReply,
       true,
       42,
       "COMMUNICATIONS CORRUPTED",
       std::nullopt},
      // Read as 0 it would verify the 0 written, though the panel sent no number at all.
      {"read-back without a number",
       {{kAck}, {"D000D"}},
       0,
       Transfer::Corrupted,
       true,
       42,
       "COMMUNICATIONS CORRUPTED",
       std::nullopt},
      {"wrong value read back",
       {{kAck}, {"1580D"}},
       159,
       Transfer::NotVerified,
       true,
       158,
       "DATA FAILED TO VERIFY",
       std::nullopt},
      // The saturated value equals the data, yet nothing in the reply stood for it.
      {"read-back beyond 16 bits",
       {{kAck}, {"999999D"}},
       32767,
       Transfer::NotVerified,
       true,
       32767,
       "DATA FAILED TO VERIFY",
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script(c.answers);
    config.A = 42;
    config.error_flag = 1;
    link->address_l = 10;
    link->data_l = c.data;
    EXPECT_EQ(link->sendee(), c.ending);
    std::vector<std::string> expected_frames{kvt::write_frame(10, c.data)};
    if (c.reads_back) expected_frames.push_back(kvt::read_frame(10));
    EXPECT_EQ(port->sent, expected_frames);
    EXPECT_EQ(config.A, c.a);
    EXPECT_EQ(config.error_flag, c.ending == Transfer::Ok ? 0 : 1);
    EXPECT_EQ(status.text, c.text);
    EXPECT_EQ(status.colour, c.colour);
    status = RecordingStatusBox{};
  }
}

TEST_F(PanelLinkTest, WaitTickWaitsForTheNextTickEvenRightAfterOne) {
  script({});
  link->timer_flag = 1;  // a tick has just come
  int ticks = 0;
  QObject::connect(&link->timer1(), &QTimer::timeout, [&] { ++ticks; });
  const qint64 elapsed = timed([&] { link->wait_tick(); });
  EXPECT_EQ(link->timer_flag, 1);
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
  EXPECT_EQ(status.text, RecordingStatusBox::kUntouched);

  config.error_flag = 0;
  EXPECT_EQ(link->readee(), Transfer::Cancelled);
  EXPECT_EQ(config.error_flag, 1);
  config.error_flag = 0;
  EXPECT_EQ(link->sendee(), Transfer::Cancelled);
  EXPECT_EQ(config.error_flag, 1);
  link->wait_tick();
  EXPECT_EQ(link->timer_flag, 0);  // returned at once, without waiting for the tick
  EXPECT_EQ(link->wake_panel(), Transfer::Cancelled);
  EXPECT_EQ(port->sent.size(), 1u);  // nothing more went out
}

TEST_F(PanelLinkTest, QuittingTheApplicationIsAShutdown) {
  script({});
  QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
  EXPECT_EQ(link->readee(), Transfer::Cancelled);
  EXPECT_TRUE(port->sent.empty());
}

TEST_F(PanelLinkTest, PortBreakingDownFailsTheTransferAtOnce) {
  struct Case {
    const char* what;
    std::function<Transfer(kvt::PanelLink&)> transfer;
  };
  const Case cases[] = {
      {"readee", [](kvt::PanelLink& link) { return link.readee(); }},
      {"sendee", [](kvt::PanelLink& link) { return link.sendee(); }},
      {"wake_panel", [](kvt::PanelLink& link) { return link.wake_panel(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script({});
    config.A = 42;
    config.error_flag = 0;
    port->break_down_after(20);
    // PortFailed, not NoReply: the wait ended on the breakdown, before its tick.
    EXPECT_EQ(c.transfer(*link), Transfer::PortFailed);
    EXPECT_EQ(port->sent.size(), 1u);
    EXPECT_EQ(config.A, 42);
    EXPECT_EQ(status.text, RecordingStatusBox::kUntouched);
    EXPECT_NE(link->port_error_text().find("/dev/ttyUSB0 STOPPED WORKING"), std::string::npos);
    if (std::string(c.what) != "wake_panel") {
      EXPECT_EQ(config.error_flag, 1);
    }
  }
}

}  // namespace
