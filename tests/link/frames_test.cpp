#include "link/frames.h"

#include <gtest/gtest.h>

#include <string>

#include "link/reply_value.h"

namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
  return std::string(values.begin(), values.end());
}

TEST(Frames, AreSentByteForByte) {
  struct Case {
    const char* what;
    std::string frame;
    std::string expected;
  };
  const Case cases[] = {
      {"wake request", kvt::wake_request(), "A"},
      {"write 159 at 10", kvt::write_frame(10, 159), bytes({0x53, 0x00, 0x0A, 0x00, 0x9F, 0x44})},
      {"write 0 at 0", kvt::write_frame(0, 0), bytes({0x53, 0x00, 0x00, 0x00, 0x00, 0x44})},
      // Line feed and carriage return values go out raw, like any other byte.
      {"write 13 at 10", kvt::write_frame(10, 13), bytes({0x53, 0x00, 0x0A, 0x00, 0x0D, 0x44})},
      {"read 63", kvt::read_frame(63), bytes({0x56, 0x00, 0x3F, 0x30, 0x30, 0x56})},
      {"read 0", kvt::read_frame(0), bytes({0x56, 0x00, 0x00, 0x30, 0x30, 0x56})},
      {"only the low byte of a value", kvt::write_frame(1, 0x0120),
       bytes({0x53, 0x00, 0x01, 0x00, 0x20, 0x44})},
  };
  for (const Case& c : cases) EXPECT_EQ(c.frame, c.expected) << c.what;
}

TEST(ReplyValue, IsTheTenthRoundedHalfToEven) {
  struct Case {
    std::string reply;
    std::int16_t value;
    bool has_digits = true;
  };
  const Case cases[] = {
      {"1590D", 159},
      {"0690D", 69},
      {"685D", 68},  // 68.5 goes to the even 68
      {"695D", 70},  // 69.5 goes to the even 70
      {"1595D", 160},
      {"1605D", 160},
      {"1615D", 162},
      {"1594D", 159},
      {"1596D", 160},
      {"685.1", 69},        // just above the half
      {"D000D", 0, false},  // a letter first: no number
      {"", 0, false},
      {"+D", 0, false},
      {"+.D0", 0, false},  // a sign and a point, but the digit comes after the number ended
      {"-", 0, false},
      {".D", 0, false},
      {" 1 5\t9\n0D", 159},  // blanks, tabs and line feeds are skipped wherever they stand
      {"159\r0D", 16},       // a carriage return is not skipped: it ends the number
      {"-010D", -1},
      {"+1590", 159},
      {"-685", -68},
      {"-695", -70},
      {"159.5D", 16},  // 15.95
      {"685.0", 68},   // 68.50 is still a half
      {"685.01", 69},  // and a little more is not
      {"15.9.0", 2},   // a second point ends the number: 1.59
      {".5", 0},       // 0.05: a point first still holds a digit
      {"5.", 0},       // 0.5 goes to the even 0
      {"15.", 2},      // 1.5 goes to the even 2
      {"0000000000001590D", 159},
      {"327674", 32767},
      {"327665", 32766},
      {"-327685", -32768},  // -32768.5 goes to the even -32768, which still fits
  };
  for (const Case& c : cases) {
    const kvt::ReplyValue result = kvt::reply_value(c.reply);
    EXPECT_TRUE(result.fits) << c.reply;
    EXPECT_EQ(result.value, c.value) << c.reply;
    EXPECT_EQ(result.has_digits, c.has_digits) << c.reply;
  }
}

TEST(ReplyValue, BeyondSixteenBitsIsReportedAndSaturated) {
  struct Case {
    std::string reply;
    std::int16_t saturated;
  };
  const Case cases[] = {
      {"327675", 32767},  // 32767.5 rounds up out of range
      {"327680", 32767},
      {"-327695", -32768},
      {"99999999999999999999999D", 32767},
      {"-99999999999999999999999D", -32768},
  };
  for (const Case& c : cases) {
    const kvt::ReplyValue result = kvt::reply_value(c.reply);
    EXPECT_FALSE(result.fits) << c.reply;
    EXPECT_EQ(result.value, c.saturated) << c.reply;
  }
}

}  // namespace
