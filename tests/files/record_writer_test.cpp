#include "files/record_writer.h"

#include <gtest/gtest.h>

#include <variant>

#include "files/record_reader.h"
#include "worked_example.h"

namespace kvt {
namespace {

using testing::worked_example;

TEST(RecordWriter, WritesTheWorkedExampleByteForByte) {
  EXPECT_EQ(write_record(worked_example()), testing::kWorkedExampleLine);
}

TEST(RecordWriter, WritesNumbersInPlainDecimal) {
  ConfigRecord r = worked_example();
  r.switches[0].code = -32768;
  r.switches[1].code = 32767;
  r.BL = -1;
  const std::string line = write_record(r);
  EXPECT_NE(line.find("\"ENTRY\",-32768,\"STAGE\",32767,"), std::string::npos) << line;
  EXPECT_NE(line.find(",-1,\"feature\","), std::string::npos) << line;
}

// The format cannot hold a double quote inside a text; the writer must still produce a record
// that reads back, with every other field in place.
TEST(RecordWriter, TextWithDoubleQuoteStillReadsBack) {
  ConfigRecord r = worked_example();
  r.panel = "\"LOBBY\" 2";
  r.switches[4].designation = "12\" SPOT";
  const auto reading = read_record(write_record(r));
  const auto* back = std::get_if<ConfigRecord>(&reading);
  ASSERT_NE(back, nullptr);
  ConfigRecord expected = r;
  expected.panel = "'LOBBY' 2";
  expected.switches[4].designation = "12' SPOT";
  EXPECT_EQ(*back, expected);
}

struct RoundTripCase {
  const char* name;
  ConfigRecord record;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

ConfigRecord with_texts(std::string panel, std::string designation) {
  ConfigRecord r = worked_example();
  r.panel = std::move(panel);
  for (RecordSwitch& sw : r.switches) sw.designation = designation;
  return r;
}

ConfigRecord with_numbers(std::int16_t value) {
  ConfigRecord r = worked_example();
  for (RecordSwitch& sw : r.switches) sw.code = value;
  r.BL = r.feature = r.indpercent = r.blpercent = value;
  return r;
}

class RecordRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RecordRoundTrip, ReadingWhatWasWrittenGivesEveryValueBack) {
  const ConfigRecord& r = GetParam().record;
  const auto reading = read_record(write_record(r));
  const auto* back = std::get_if<ConfigRecord>(&reading);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(*back, r);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordRoundTrip,
    ::testing::Values(RoundTripCase{"worked_example", worked_example()},
                      RoundTripCase{"empty_texts", with_texts("", "")},
                      RoundTripCase{"commas_and_spaces", with_texts("  A, B ,", " , ")},
                      RoundTripCase{"latin1_bytes", with_texts("CAF\xC9", "\xC9TAGE \xFF")},
                      RoundTripCase{"line_ends_inside_text", with_texts("A\r\nB", "\n")},
                      RoundTripCase{"lowest_numbers", with_numbers(-32768)},
                      RoundTripCase{"highest_numbers", with_numbers(32767)},
                      RoundTripCase{"zero_numbers", with_numbers(0)}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kvt
