#include "files/record_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "worked_example.h"

namespace kvt {
namespace {

using testing::worked_example;
using Reason = RecordError::Reason;

// The worked example's 29 fields as they stand in the file (it has no comma inside a text).
std::vector<std::string> example_fields() {
  std::string line = testing::kWorkedExampleLine;
  line.resize(line.size() - 2);
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos;) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::string join(const std::vector<std::string>& fields, const std::string& separator) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? separator : "") + fields[i];
  return out;
}

// The example with field n (1..29) replaced by raw file text.
std::string example_with_field(int n, const std::string& raw) {
  auto fields = example_fields();
  fields.at(n - 1) = raw;
  return join(fields, ",") + "\r\n";
}

struct AcceptedCase {
  const char* name;
  std::string bytes;
  std::function<void(ConfigRecord&)> change;  // what differs from the worked example
};

void PrintTo(const AcceptedCase& c, std::ostream* os) { *os << c.name; }

class RecordReaderAccepts : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(RecordReaderAccepts, ReadsTheRecord) {
  const AcceptedCase& tc = GetParam();
  const auto reading = read_record(tc.bytes);
  const auto* record = std::get_if<ConfigRecord>(&reading);
  ASSERT_NE(record, nullptr) << "failed in field " << std::get<RecordError>(reading).field;
  ConfigRecord expected = worked_example();
  if (tc.change) tc.change(expected);
  EXPECT_EQ(*record, expected);
}

const std::string kExample = testing::kWorkedExampleLine;
const std::string kExampleBody = kExample.substr(0, kExample.size() - 2);

INSTANTIATE_TEST_SUITE_P(
    Records, RecordReaderAccepts,
    ::testing::Values(
        AcceptedCase{"worked_example", kExample, {}},
        AcceptedCase{"fields_on_crlf_lines", join(example_fields(), "\r\n") + "\r\n", {}},
        AcceptedCase{"fields_on_lf_lines", join(example_fields(), "\n") + "\n", {}},
        AcceptedCase{"fields_on_cr_lines", join(example_fields(), "\r") + "\r\n", {}},
        AcceptedCase{"spaces_before_fields", "  " + join(example_fields(), ",   ") + "\r\n", {}},
        AcceptedCase{"lone_lf_after_last_field", kExampleBody + "\n", {}},
        AcceptedCase{"comma_after_last_field", kExampleBody + ",", {}},
        AcceptedCase{"thirtieth_field_ignored", kExampleBody + ",\"EXTRA\",7\r\n", {}},
        AcceptedCase{"anything_after_the_record_ignored", kExample + "garbage\"\r\n", {}},
        AcceptedCase{"comma_inside_quotes", example_with_field(3, "\"ENTRY, EAST\""),
                     [](ConfigRecord& r) { r.switches[0].designation = "ENTRY, EAST"; }},
        AcceptedCase{"empty_text", example_with_field(2, "\"\""),
                     [](ConfigRecord& r) { r.panel = ""; }},
        AcceptedCase{"leading_spaces_inside_quotes_kept", example_with_field(2, "\"  LOBBY \""),
                     [](ConfigRecord& r) { r.panel = "  LOBBY "; }},
        AcceptedCase{"unquoted_text_runs_to_the_comma", example_with_field(3, "EN TRY "),
                     [](ConfigRecord& r) { r.switches[0].designation = "EN TRY "; }},
        AcceptedCase{"model_identifier_in_lower_case", example_with_field(1, "\"00-00417-mdl\""),
                     [](ConfigRecord& r) { r.model = "00-00417-mdl"; }},
        AcceptedCase{"other_labels",
                     [] {
                       auto f = example_fields();
                       f[23] = "\"FEAT\"";
                       f[25] = "IND";
                       f[27] = "\"\"";
                       return join(f, ",") + "\r\n";
                     }(),
                     [](ConfigRecord& r) {
                       r.fdesig = "FEAT";
                       r.ind = "IND";
                       r.blp = "";
                     }},
        AcceptedCase{"latin1_byte", example_with_field(2, "\"CAF\xC9\""),
                     [](ConfigRecord& r) { r.panel = "CAF\xC9"; }},
        AcceptedCase{"negative_switch_code", example_with_field(4, "-1"),
                     [](ConfigRecord& r) { r.switches[0].code = -1; }},
        AcceptedCase{"lowest_number", example_with_field(29, "-32768"),
                     [](ConfigRecord& r) { r.blpercent = -32768; }},
        AcceptedCase{"highest_number", example_with_field(23, "32767"),
                     [](ConfigRecord& r) { r.BL = 32767; }},
        AcceptedCase{"leading_zeros", example_with_field(27, "0010"), {}}),
    [](const ::testing::TestParamInfo<AcceptedCase>& info) { return info.param.name; });

struct RefusedCase {
  const char* name;
  std::string bytes;
  RecordError error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RecordReaderRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RecordReaderRefuses, ReportsReasonAndField) {
  const RefusedCase& tc = GetParam();
  const auto reading = read_record(tc.bytes);
  const auto* error = std::get_if<RecordError>(&reading);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->reason, tc.error.reason);
  EXPECT_EQ(error->field, tc.error.field);
}

std::string first_fields(int count) {
  auto fields = example_fields();
  fields.resize(count);
  return join(fields, ",") + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordReaderRefuses,
    ::testing::Values(
        RefusedCase{"empty_file", "", {Reason::EndsEarly, 1}},
        RefusedCase{"twenty_fields", first_fields(20), {Reason::EndsEarly, 21}},
        RefusedCase{"twenty_eight_fields", first_fields(28), {Reason::EndsEarly, 29}},
        RefusedCase{"unclosed_text",
                    example_fields()[0] + ",\"LOBBY 2,12,13\r\n",
                    {Reason::UnclosedText, 2}},
        RefusedCase{"text_after_closing_quote",
                    example_with_field(3, "\"ENTRY\"X"),
                    {Reason::TextAfterClosingQuote, 3}},
        RefusedCase{"space_after_closing_quote",
                    example_with_field(3, "\"ENTRY\" "),
                    {Reason::TextAfterClosingQuote, 3}},
        RefusedCase{
            "number_beyond_16_bits", example_with_field(4, "32768"), {Reason::NumberOutOfRange, 4}},
        RefusedCase{"number_below_16_bits",
                    example_with_field(25, "-32769"),
                    {Reason::NumberOutOfRange, 25}},
        RefusedCase{"number_beyond_any_integer",
                    example_with_field(27, "99999999999999999999"),
                    {Reason::NumberOutOfRange, 27}},
        RefusedCase{"letters_in_number", example_with_field(4, "12A"), {Reason::NotANumber, 4}},
        RefusedCase{"empty_number", example_with_field(6, ""), {Reason::NotANumber, 6}},
        RefusedCase{"quoted_number", example_with_field(8, "\"159\""), {Reason::NotANumber, 8}},
        RefusedCase{"plus_sign", example_with_field(23, "+159"), {Reason::NotANumber, 23}},
        RefusedCase{"lone_minus", example_with_field(29, "-"), {Reason::NotANumber, 29}},
        RefusedCase{"space_inside_number", example_with_field(29, "1 0"), {Reason::NotANumber, 29}},
        RefusedCase{"space_after_number", example_with_field(4, "12 "), {Reason::NotANumber, 4}},
        RefusedCase{"decimal_point", example_with_field(27, "10.0"), {Reason::NotANumber, 27}}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// A record with the back-light code 10 without its last `dropped` bytes, as a copy that stopped
// or a full disk leaves it. The writer ends every record with CR LF, so no cut record opens: cut
// inside the last number it would open with another value.
std::string cut_record(std::size_t dropped) {
  std::string record = example_with_field(29, "10");
  return record.substr(0, record.size() - dropped);
}

// Cut at the end of each of the last three fields, inside the last one and inside its line end.
INSTANTIATE_TEST_SUITE_P(
    CutShort, RecordReaderRefuses,
    ::testing::Values(
        RefusedCase{"after_field_27",
                    cut_record(std::string(",\"bl%\",10\r\n").size()),
                    {Reason::EndsEarly, 28}},
        RefusedCase{"after_field_27_and_its_comma",
                    cut_record(std::string("\"bl%\",10\r\n").size()),
                    {Reason::EndsEarly, 28}},
        RefusedCase{
            "after_field_28", cut_record(std::string(",10\r\n").size()), {Reason::EndsEarly, 29}},
        RefusedCase{"after_field_28_and_its_comma",
                    cut_record(std::string("10\r\n").size()),
                    {Reason::EndsEarly, 29}},
        RefusedCase{
            "inside_field_29", cut_record(std::string("0\r\n").size()), {Reason::NoLineEnd, 29}},
        RefusedCase{
            "after_field_29", cut_record(std::string("\r\n").size()), {Reason::NoLineEnd, 29}},
        RefusedCase{
            "inside_the_line_end", cut_record(std::string("\n").size()), {Reason::NoLineEnd, 29}},
        RefusedCase{"fields_on_lf_lines_without_the_last",
                    join(example_fields(), "\n"),
                    {Reason::NoLineEnd, 29}}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kvt
