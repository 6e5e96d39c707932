#pragma once

#include <string_view>
#include <variant>

#include "files/config_record.h"

namespace kvt {

// Why a record could not be read, and in which field (1..29) the reading stopped.
struct RecordError {
  enum class Reason {
    EndsEarly,              // the input ends before the field begins
    UnclosedText,           // a double quote opens a text that no double quote closes
    TextAfterClosingQuote,  // something other than a comma or line end follows a closing quote
    NotANumber,             // a number field that is not an optional minus and decimal digits
    NumberOutOfRange,       // a number outside -32768..32767
    NoLineEnd,              // the input ends with the last field: the file was cut short
  };
  Reason reason;
  int field;

  bool operator==(const RecordError&) const = default;
};

using RecordReading = std::variant<ConfigRecord, RecordError>;

// Reads the 29 fields of a configuration record from the file's bytes. It accepts everything
// write_record produces, and more:
// - a field ends at a comma or a line end (CR, LF or CR LF), so the fields may stand on several
//   lines; an empty line, like a line end right after a comma, therefore holds an empty field;
// - spaces before a field are skipped;
// - a field that begins with a double quote is the text up to the next double quote, commas,
//   spaces and line ends included; only a comma, a line end or the end of the input may follow
//   the closing quote;
// - any other field runs, as it stands, to the next comma or line end; a text field may be
//   written so, a number field must be (a quoted number is not a number);
// - a number is an optional minus followed by decimal digits and nothing else, and must fit
//   16 bits signed;
// - the 29th field must be followed by something: its line end, or a comma; input that ends with
//   it, or with a carriage return after it, was cut short (the writer always ends the record with
//   CR LF, and a cut may have taken digits of the last number along with the line end);
// - whatever follows the 29th field is ignored.
// Every failure comes back as a RecordError; the reader never throws.
RecordReading read_record(std::string_view bytes);

}  // namespace kvt
