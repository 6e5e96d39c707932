#include "files/record_writer.h"

#include <algorithm>
#include <string_view>

namespace kvt {
namespace {

void append_text(std::string& line, std::string_view text) {
  line += '"';
  const auto start = line.size();
  line += text;
  std::replace(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), '"', '\'');
  line += '"';
}

void append_number(std::string& line, std::int16_t value) { line += std::to_string(value); }

}  // namespace

std::string write_record(const ConfigRecord& record) {
  std::string line;
  append_text(line, record.model);
  line += ',';
  append_text(line, record.panel);
  for (const RecordSwitch& sw : record.switches) {
    line += ',';
    append_text(line, sw.designation);
    line += ',';
    append_number(line, sw.code);
  }
  line += ',';
  append_number(line, record.BL);
  line += ',';
  append_text(line, record.fdesig);
  line += ',';
  append_number(line, record.feature);
  line += ',';
  append_text(line, record.ind);
  line += ',';
  append_number(line, record.indpercent);
  line += ',';
  append_text(line, record.blp);
  line += ',';
  append_number(line, record.blpercent);
  line += "\r\n";
  return line;
}

}  // namespace kvt
