#pragma once

#include "commands/journal_reading.h"

namespace kvt::cli {

// Says on standard error what could not be taken from the journal: a file of it that could not
// be read, a line a power loss cut short.
void say_what_was_left_out(const JournalGaps& journal);

}  // namespace kvt::cli
