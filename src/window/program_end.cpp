#include "window/program_end.h"

#include <QCoreApplication>
#include <utility>

#include "link/stop_signals.h"
#include "window/form1.h"

namespace kvt {

void end_program_on_stop_signals(Form1& form, StopSignals& stop_signals,
                                 std::function<void(int)> exit) {
  if (!exit) exit = [](int status) { QCoreApplication::exit(status); };
  QObject::connect(&stop_signals, &StopSignals::caught, &form,
                   [&form, exit = std::move(exit)](int signal_number, int count) {
                     // The first signal has already set everything going.
                     if (count > 1) return;
                     form.close_without_asking();
                     // Leaves every event loop, a message box's or a file chooser's included,
                     // so the program ends even while one is up.
                     exit(StopSignals::exit_status(signal_number));
                   });
}

}  // namespace kvt
