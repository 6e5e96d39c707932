#pragma once

#include <functional>

class Form1;

namespace kvt {

class StopSignals;

// SIGINT, SIGTERM and SIGHUP (Ctrl-C in the terminal that started the window, a logout, a
// shutdown) end the window program as they end a command on the command line: a panel write that
// has sent its first write frame is finished first (a second signal stops it at once), any other
// panel command stops as at a close mid-command; the port is closed, and nothing is asked, not
// even about unsaved work, since nobody may be there to answer. The program then ends with 128 +
// the first signal's number; `exit` is the application's own exit unless a test gives its own.
void end_program_on_stop_signals(Form1& form, StopSignals& stop_signals,
                                 std::function<void(int)> exit = nullptr);

}  // namespace kvt
