#pragma once

#include <string>

#include "link/transfer.h"
#include "model/status_box.h"

namespace kvt {

// What the status box says after each exchange with the panel, from how it ended. An ending
// the command itself reports (a stop, a port that broke down, a refused write) leaves the box
// as it was.

// The wake-up: a panel that did not answer turns the box red with its failure text, which is
// returned; otherwise nothing is said and the text is empty.
std::string say_wake_up(StatusBox& status, Transfer ending);
// A byte read: kept in view, with how the read went.
void say_byte_read(StatusBox& status, Transfer ending);
// A byte written and read back: a verified byte turns the box yellow again.
void say_byte_written(StatusBox& status, Transfer ending);

}  // namespace kvt
