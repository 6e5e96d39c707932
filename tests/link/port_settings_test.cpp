#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "link/line_settings.h"
#include "link/panel_link.h"
#include "link/port_error.h"
#include "link/qt_serial_port.h"
#include "termios_requests.h"

namespace {

TEST(LineSettings, ReadsTheFourFields) {
  struct Case {
    const char* text;
    kvt::LineSettings expected;
  };
  const Case cases[] = {
      {"9600,N,8,1", {9600, kvt::Parity::None, 8, kvt::StopBits::One}},
      {"19200,e,7,2", {19200, kvt::Parity::Even, 7, kvt::StopBits::Two}},
      {"1200,O,5,1.5", {1200, kvt::Parity::Odd, 5, kvt::StopBits::OneAndHalf}},
      {"300,M,6,1", {300, kvt::Parity::Mark, 6, kvt::StopBits::One}},
      {"300,s,8,1", {300, kvt::Parity::Space, 8, kvt::StopBits::One}},
  };
  for (const Case& c : cases) {
    const auto settings = kvt::parse_line_settings(c.text);
    ASSERT_TRUE(settings) << c.text;
    EXPECT_EQ(settings->baud_rate, c.expected.baud_rate) << c.text;
    EXPECT_EQ(settings->parity, c.expected.parity) << c.text;
    EXPECT_EQ(settings->data_bits, c.expected.data_bits) << c.text;
    EXPECT_EQ(settings->stop_bits, c.expected.stop_bits) << c.text;
  }
}

TEST(LineSettings, RefusesAnythingElse) {
  for (const char* text :
       {"", "9600", "9600,N,8", "9600,N,8,1,", "9600,X,8,1", "9600,NN,8,1", "9600,N,9,1",
        "9600,N,4,1", "0,N,8,1", "-9600,N,8,1", "96OO,N,8,1", "9600,N,8,3", "9600, N,8,1"}) {
    EXPECT_FALSE(kvt::parse_line_settings(text)) << '"' << text << '"';
  }
}

// The panel's character frame: 8 data bits, no parity, 1 stop bit.
::testing::AssertionResult is_8n1(const termios& line) {
  if ((line.c_cflag & CSIZE) != CS8) return ::testing::AssertionFailure() << "not 8 data bits";
  if (line.c_cflag & PARENB) return ::testing::AssertionFailure() << "parity on";
  if (line.c_cflag & CSTOPB) return ::testing::AssertionFailure() << "2 stop bits";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult is_9600_baud(const termios& line) {
  if (::cfgetospeed(&line) == B9600 && ::cfgetispeed(&line) == B9600)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not 9600 baud";
}

// The line starts out at another speed with 2 stop bits, so only settings the port really puts
// on the device pass. A pty forces 8 data bits and no parity whatever it is asked, so every
// request the port made while opening is checked as well as what the device holds.
TEST(LineSettingsOnTheDevice, OpeningTheLinkPutsNineThousandSixHundredN81OnIt) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0) << std::strerror(errno);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string device = ::ptsname(master);
  const int device_side = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(device_side, 0) << std::strerror(errno);
  termios line{};
  ASSERT_EQ(::tcgetattr(device_side, &line), 0);
  ::cfmakeraw(&line);
  ::cfsetispeed(&line, B2400);
  ::cfsetospeed(&line, B2400);
  line.c_cflag |= CSTOPB;
  ASSERT_EQ(::tcsetattr(device_side, TCSANOW, &line), 0);
  ASSERT_EQ(::tcgetattr(device_side, &line), 0);
  ASSERT_EQ(::cfgetospeed(&line), speed_t{B2400});
  ASSERT_TRUE(line.c_cflag & CSTOPB);
  forget_termios_requests();

  kvt::QtSerialPort port;
  kvt::PanelLink link(port);
  ASSERT_TRUE(link.open_link(device)) << link.port_error_text();
  termios opened{};
  ASSERT_EQ(::tcgetattr(device_side, &opened), 0);
  const std::vector<termios> asked = termios_requests();  // before closing puts the old back
  link.close_link();
  ::close(device_side);
  ::close(master);

  EXPECT_TRUE(is_9600_baud(opened));
  EXPECT_TRUE(is_8n1(opened));
  ASSERT_FALSE(asked.empty());
  for (const termios& request : asked) EXPECT_TRUE(is_8n1(request));
}

TEST(OpenFailure, IsToldApartByWhatThePortLayerAndTheAccessRightsSay) {
  using kvt::OpenRefusal;
  using kvt::PortProblem;
  struct Case {
    const char* what;
    OpenRefusal refusal;
    int access_errno;
    PortProblem expected;
  };
  const Case cases[] = {
      {"missing device", OpenRefusal::NotFound, ENOENT, PortProblem::NoSuchDevice},
      {"device node without hardware", OpenRefusal::NotFound, 0, PortProblem::NoSuchDevice},
      {"dangling by-id link", OpenRefusal::Other, ENOENT, PortProblem::NoSuchDevice},
      {"not in the dialout group", OpenRefusal::Permission, EACCES, PortProblem::PermissionDenied},
      {"held by another program", OpenRefusal::Permission, 0, PortProblem::InUse},
      {"not a terminal", OpenRefusal::Other, 0, PortProblem::OtherOpenFailure},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kvt::classify_open_failure(c.refusal, c.access_errno), c.expected) << c.what;
  }
}

TEST(PortErrorDescription, NamesTheDeviceAndTellsTheUserWhatToDo) {
  using kvt::PortProblem;
  struct Case {
    PortProblem problem;
    const char* advice;
    const char* group = "";
  };
  const Case cases[] = {
      {PortProblem::NoSuchDevice, "CHOOSE THE PORT OF YOUR SERIAL ADAPTER"},
      // The group that owns the device, whichever it is; without one, no group is made up.
      {PortProblem::PermissionDenied, "ADD YOU TO THE dialout GROUP,", "dialout"},
      {PortProblem::PermissionDenied, "ADD YOU TO THE uucp GROUP,", "uucp"},
      {PortProblem::PermissionDenied, "ASK YOUR ADMINISTRATOR TO LET YOU READ AND WRITE IT,"},
      {PortProblem::InUse, "IN USE BY ANOTHER PROGRAM"},
      // The system's own words keep their letters: they may name a path.
      {PortProblem::OtherOpenFailure, "(Inappropriate ioctl for device)"},
      {PortProblem::FailedWhileOpen, "STOPPED WORKING"},
  };
  for (const Case& c : cases) {
    kvt::PortError error{c.problem, "/dev/ttyUSB3", "Inappropriate ioctl for device"};
    error.device_group = c.group;
    const std::string text = kvt::describe_port_error(error);
    EXPECT_NE(text.find("/dev/ttyUSB3"), std::string::npos) << text;
    EXPECT_NE(text.find(c.advice), std::string::npos) << text;
    if (std::string(c.group) != "dialout") {
      EXPECT_EQ(text.find("dialout"), std::string::npos) << text;
    }
  }
}

// The group is the device's own, looked up as `ls -l` shows it.
TEST(PortErrorDescription, GroupOfIsTheGroupThatOwnsTheDevice) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another group";
  const group* other = nullptr;
  for (const char* name : {"uucp", "daemon", "adm", "nogroup"}) {
    if ((other = ::getgrnam(name)) != nullptr) break;
  }
  if (other == nullptr) GTEST_SKIP() << "no group to give the file to";
  const std::string name = other->gr_name;
  const gid_t gid = other->gr_gid;
  char path[] = "/tmp/kvt-group-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_EQ(::chown(path, 0, gid), 0);
  EXPECT_EQ(kvt::group_of(path), name);
  ::unlink(path);
  EXPECT_EQ(kvt::group_of(path), "");
}

}  // namespace
