#include "files/record_reader.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace kvt {
namespace {

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

struct RawField {
  std::string_view text;
  bool quoted = false;
};

// Walks the input one field at a time, remembering which field it is on so that every failure
// names it.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view bytes) : bytes_(bytes) {}

  int field() const { return field_; }

  // Whether the field read last ran to the end of the input, alone or with a carriage return
  // that may be the first half of a cut CR LF.
  bool field_ended_input() const { return ended_input_; }

  std::variant<RawField, RecordError::Reason> next() {
    ++field_;
    while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
    if (pos_ == bytes_.size()) return RecordError::Reason::EndsEarly;

    RawField raw;
    if (bytes_[pos_] == '"') {
      const auto close = bytes_.find('"', pos_ + 1);
      if (close == std::string_view::npos) return RecordError::Reason::UnclosedText;
      raw = {bytes_.substr(pos_ + 1, close - pos_ - 1), true};
      pos_ = close + 1;
      if (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_])) {
        return RecordError::Reason::TextAfterClosingQuote;
      }
    } else {
      auto end = bytes_.find_first_of(",\r\n", pos_);
      if (end == std::string_view::npos) end = bytes_.size();
      raw = {bytes_.substr(pos_, end - pos_), false};
      pos_ = end;
    }
    skip_field_end();
    return raw;
  }

 private:
  void skip_field_end() {
    ended_input_ = pos_ == bytes_.size();
    if (ended_input_) return;
    const char c = bytes_[pos_++];
    if (c != '\r') return;
    if (pos_ == bytes_.size()) {
      ended_input_ = true;
    } else if (bytes_[pos_] == '\n') {
      ++pos_;
    }
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int field_ = 0;
  bool ended_input_ = false;
};

std::variant<std::int16_t, RecordError::Reason> to_number(const RawField& raw) {
  if (raw.quoted || raw.text.empty()) return RecordError::Reason::NotANumber;
  const char* first = raw.text.data();
  const char* last = first + raw.text.size();
  long value = 0;
  const auto [stop, error] = std::from_chars(first, last, value);
  if (error == std::errc::invalid_argument || stop != last) {
    return RecordError::Reason::NotANumber;
  }
  if (error == std::errc::result_out_of_range || value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return RecordError::Reason::NumberOutOfRange;
  }
  return static_cast<std::int16_t>(value);
}

// Reads the record field by field into `record`; the first failure ends the reading.
class RecordParser {
 public:
  explicit RecordParser(std::string_view bytes) : cursor_(bytes) {}

  RecordReading parse() {
    ConfigRecord record;
    const bool complete = text(record.model) && text(record.panel) && switches(record) &&
                          number(record.BL) && text(record.fdesig) && number(record.feature) &&
                          text(record.ind) && number(record.indpercent) && text(record.blp) &&
                          number(record.blpercent);
    if (!complete) return RecordError{failure_, cursor_.field()};
    if (cursor_.field_ended_input()) {
      return RecordError{RecordError::Reason::NoLineEnd, kRecordFieldCount};
    }
    return record;
  }

 private:
  bool switches(ConfigRecord& record) {
    for (RecordSwitch& sw : record.switches) {
      if (!text(sw.designation) || !number(sw.code)) return false;
    }
    return true;
  }

  bool text(std::string& into) {
    auto field = cursor_.next();
    if (auto* reason = std::get_if<RecordError::Reason>(&field)) return fail(*reason);
    into = std::string(std::get<RawField>(field).text);
    return true;
  }

  bool number(std::int16_t& into) {
    auto field = cursor_.next();
    if (auto* reason = std::get_if<RecordError::Reason>(&field)) return fail(*reason);
    const auto value = to_number(std::get<RawField>(field));
    if (auto* reason = std::get_if<RecordError::Reason>(&value)) return fail(*reason);
    into = std::get<std::int16_t>(value);
    return true;
  }

  bool fail(RecordError::Reason reason) {
    failure_ = reason;
    return false;
  }

  FieldCursor cursor_;
  RecordError::Reason failure_ = RecordError::Reason::EndsEarly;
};

}  // namespace

RecordReading read_record(std::string_view bytes) { return RecordParser(bytes).parse(); }

}  // namespace kvt
