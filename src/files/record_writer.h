#pragma once

#include <string>

#include "files/config_record.h"

namespace kvt {

// Turns a record into its one line: 29 comma-separated fields, texts in double quotes, numbers in
// plain decimal, ending in carriage return and line feed.
//
// The format has no escape for a double quote inside a text, so a text that holds one anyway is
// written with a single quote (') in its place: the record stays readable and the text keeps its
// length and its look. Everything else is written byte for byte.
std::string write_record(const ConfigRecord& record);

}  // namespace kvt
