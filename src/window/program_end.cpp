#include "window/program_end.h"

#include <QCoreApplication>
#include <utility>

#include "commands/stop_signals.h"
#include "window/form1.h"

namespace kvt {

void end_program_on_stop_signals(Form1& form, StopSignals& stop_signals,
                                 std::function<void(int)> exit) {
  if (!exit) exit = [](int status) { QCoreApplication::exit(status); };
  QObject::connect(&stop_signals, &StopSignals::caught, &form,
                   [&form, exit = std::move(exit)](int signal_number, int count) {
                     // A second signal stops a write that is being finished at once; its end then
                     // ends the program as the first signal arranged.
                     if (count > 1) {
                       form.close_without_asking();
                       return;
                     }
                     auto end = [&form, exit, status = StopSignals::exit_status(signal_number)] {
                       form.close_without_asking();
                       // Leaves every event loop, a message box's or a file chooser's included, so
                       // the program ends even while one is up.
                       exit(status);
                     };
                     if (!form.finish_write_then(end)) end();
                   });
}

}  // namespace kvt
