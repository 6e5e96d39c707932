#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "link/line_settings.h"
#include "link/port_device.h"
#include "link/port_error.h"

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
  };
  const Case cases[] = {
      {PortProblem::NoSuchDevice, "CHOOSE THE PORT OF YOUR SERIAL ADAPTER"},
      {PortProblem::PermissionDenied, "ADD YOU TO THE dialout GROUP"},
      {PortProblem::InUse, "IN USE BY ANOTHER PROGRAM"},
      // The system's own words keep their letters: they may name a path.
      {PortProblem::OtherOpenFailure, "(Inappropriate ioctl for device)"},
      {PortProblem::FailedWhileOpen, "STOPPED WORKING"},
  };
  for (const Case& c : cases) {
    const std::string text = kvt::describe_port_error(
        kvt::PortError{c.problem, "/dev/ttyUSB3", "Inappropriate ioctl for device"});
    EXPECT_NE(text.find("/dev/ttyUSB3"), std::string::npos) << text;
    EXPECT_NE(text.find(c.advice), std::string::npos) << text;
  }
}

}  // namespace
