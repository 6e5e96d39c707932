#include "link/panel_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "fake_serial_port.h"
#include "link/frames.h"
#include "recording_status_box.h"

namespace {

using Answer = FakeSerialPort::Answer;
using kvt::StatusColour;

constexpr const char* kAck = "D000D";
constexpr const char* kFailedToRespond = "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND";

// The link as the window sets it up: Timer1 created stopped with 500 ms.
class PanelLinkTest : public ::testing::Test {
 protected:
  PanelLinkTest() { timer1.setInterval(500); }

  void script(std::vector<Answer> answers) {
    link.reset();
    port = std::make_unique<FakeSerialPort>(std::move(answers));
    link = std::make_unique<kvt::PanelLink>(config, *port, status, timer1);
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
  QTimer timer1;
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
  link = std::make_unique<kvt::PanelLink>(config, *port, status, timer1);
  EXPECT_FALSE(link->open_link());
  const std::string text = link->port_error_text();
  EXPECT_EQ(text.rfind("SERIAL PORT COULD NOT BE OPENED: ", 0), 0u) << text;
  EXPECT_NE(text.find("/dev/ttyUSB0"), std::string::npos) << text;
  EXPECT_NE(text.find("dialout"), std::string::npos) << text;
  EXPECT_FALSE(link->port_failed());
}

TEST_F(PanelLinkTest, WakePanel) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    bool answered;
    std::size_t wake_requests;
  };
  const Case cases[] = {
      {"answered at once", {{kAck}}, true, 1},
      {"answered only the second time", {{}, {kAck}}, true, 2},
      {"a late answer to the first request, taken in the second wait", {{kAck, 150}}, true, 2},
      {"never answered", {}, false, 6},
      {"two acknowledgements waiting", {{"D000DD000D"}}, false, 1},
      {"lower case", {{"d000d"}}, false, 1},
      {"found only after the tick", {{kAck, 150, false}}, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script(c.answers);
    config.error_flag = 1;
    config.A = 42;
    EXPECT_EQ(link->wake_panel(), c.answered);
    EXPECT_EQ(port->sent, std::vector<std::string>(c.wake_requests, "A"));
    EXPECT_EQ(config.error_flag, 1);  // the handshake leaves the transfer values alone
    EXPECT_EQ(config.A, 42);
    if (c.answered) {
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
  const qint64 elapsed = timed([&] { EXPECT_FALSE(link->wake_panel()); });
  EXPECT_GE(elapsed, 550);
  EXPECT_LT(elapsed, 1500);
  EXPECT_TRUE(timer1.isActive());
  EXPECT_EQ(timer1.interval(), 100);
  EXPECT_EQ(timer1.timerType(), Qt::PreciseTimer);
}

TEST_F(PanelLinkTest, Readee) {
  struct Case {
    const char* what;
    std::vector<Answer> answers;
    std::int16_t a;
    std::int16_t error_flag;
    const char* text;
  };
  const Case cases[] = {
      {"model byte", {{"0690D"}}, 69, 0, "COMMUNICATIONS OK"},
      {"highest valid byte", {{"1600D"}}, 160, 0, "COMMUNICATIONS OK"},
      {"zero", {{"0000D"}}, 0, 0, "COMMUNICATIONS OK"},
      {"four characters are enough", {{"0690"}}, 69, 0, "COMMUNICATIONS OK"},
      {"just above the range", {{"1610D"}}, 161, 1, "ERROR - DATA OUT OF RANGE"},
      {"negative", {{"-010D"}}, -1, 1, "ERROR - DATA OUT OF RANGE"},
      {"beyond 16 bits", {{"999999D"}}, 32767, 1, "ERROR - DATA OUT OF RANGE"},
      // Too short or missing replies carry no value: A keeps the older one and the read fails.
      {"three characters", {{"069"}}, 42, 1, "COMMUNICATIONS CORRUPTED"},
      {"no reply", {}, 42, 1, "COMMUNICATIONS CORRUPTED"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script(c.answers);
    config.A = 42;
    config.error_flag = 1;
    link->address_l = 63;
    link->readee();
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
    bool reads_back;
    std::int16_t a;
    std::int16_t error_flag;
    const char* text;
    std::optional<StatusColour> colour;
  };
  const char* const untouched = RecordingStatusBox::kUntouched;
  const Case cases[] = {
      {"verified",
       {{kAck}, {"1590D"}},
       159,
       true,
       159,
       0,
       "COMMUNICATIONS OK",
       StatusColour::Yellow},
      {"no acknowledgement", {}, 159, false, 42, 1, untouched, std::nullopt},
      {"lower-case acknowledgement", {{"d000d"}}, 159, false, 42, 1, untouched, std::nullopt},
      {"acknowledgement and more", {{"D000DX"}}, 159, false, 42, 1, untouched, std::nullopt},
      {"read-back of three characters",
       {{kAck}, {"159"}},
       159,
       true,
       42,
       1,
       "COMMUNICATIONS CORRUPTED",
       std::nullopt},
      {"no read-back", {{kAck}}, 159, true, 42, 1, "COMMUNICATIONS CORRUPTED", std::nullopt},
      {"wrong value read back",
       {{kAck}, {"1580D"}},
       159,
       true,
       158,
       1,
       "DATA FAILED TO VERIFY",
       std::nullopt},
      // The saturated value equals the data, yet nothing in the reply stood for it.
      {"read-back beyond 16 bits",
       {{kAck}, {"999999D"}},
       32767,
       true,
       32767,
       1,
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
    link->sendee();
    std::vector<std::string> expected_frames{kvt::write_frame(10, c.data)};
    if (c.reads_back) expected_frames.push_back(kvt::read_frame(10));
    EXPECT_EQ(port->sent, expected_frames);
    EXPECT_EQ(config.A, c.a);
    EXPECT_EQ(config.error_flag, c.error_flag);
    EXPECT_EQ(status.text, c.text);
    EXPECT_EQ(status.colour, c.colour);
    status = RecordingStatusBox{};
  }
}

TEST_F(PanelLinkTest, WaitTickWaitsForTheNextTickEvenRightAfterOne) {
  script({});
  link->timer_flag = 1;  // a tick has just come
  const qint64 elapsed = timed([&] { link->wait_tick(); });
  EXPECT_EQ(link->timer_flag, 1);
  EXPECT_GE(elapsed, 90);
  EXPECT_LT(elapsed, 400);
  EXPECT_TRUE(port->sent.empty());
}

TEST_F(PanelLinkTest, ShutdownEndsTheWaitAndFailsEveryLaterTransfer) {
  script({});
  QTimer::singleShot(20, [&] { link->request_shutdown(); });
  const qint64 elapsed = timed([&] { EXPECT_FALSE(link->wake_panel()); });
  EXPECT_LT(elapsed, 90);  // ended before the tick could
  EXPECT_TRUE(link->shutting_down());
  EXPECT_EQ(port->sent, std::vector<std::string>{"A"});
  EXPECT_EQ(status.text, RecordingStatusBox::kUntouched);

  const qint64 later = timed([&] {
    config.error_flag = 0;
    link->readee();
    EXPECT_EQ(config.error_flag, 1);
    config.error_flag = 0;
    link->sendee();
    EXPECT_EQ(config.error_flag, 1);
    link->wait_tick();
    EXPECT_FALSE(link->wake_panel());
  });
  EXPECT_LT(later, 50);
  EXPECT_EQ(port->sent.size(), 1u);  // nothing more went out
}

TEST_F(PanelLinkTest, QuittingTheApplicationIsAShutdown) {
  script({});
  QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
  EXPECT_TRUE(link->shutting_down());
}

TEST_F(PanelLinkTest, PortBreakingDownFailsTheTransferAtOnce) {
  struct Case {
    const char* what;
    std::function<void(kvt::PanelLink&)> transfer;
  };
  const Case cases[] = {
      {"readee", [](kvt::PanelLink& link) { link.readee(); }},
      {"sendee", [](kvt::PanelLink& link) { link.sendee(); }},
      {"wake_panel", [](kvt::PanelLink& link) { EXPECT_FALSE(link.wake_panel()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script({});
    config.A = 42;
    config.error_flag = 0;
    port->break_down_after(20);
    const qint64 elapsed = timed([&] { c.transfer(*link); });
    EXPECT_LT(elapsed, 90);
    EXPECT_TRUE(link->port_failed());
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
