#pragma once

#include "cli/commands.h"

namespace kvt::cli {

// report: the handover report of a site as one PDF (-o): a table of its panels, with the last
// write and the last comparison of each, then each panel's sheet. A FOLDER given contributes
// every .kvc directly in it. 0 when every file was opened, 2 when one was not (the report is
// written all the same, naming it) or the report could not be written.
int report_command(const Request& request);

}  // namespace kvt::cli
