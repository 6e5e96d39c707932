#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/command_table.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "commands/stop_signals.h"
#include "window/application_look.h"
#include "window/form1.h"
#include "window/program_end.h"

namespace {

// Without a display Qt would abort with a core dump; a technician over ssh needs to hear what
// still works.
bool display_available() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

int run_window(int argc, char* argv[]) {
  if (argc > 2) {
    return kvt::cli::usage_error(std::string(kvt::cli_texts::kWindowTakesOneFile));
  }
  if (!display_available()) {
    kvt::cli::Console::say(
        kvt::cli_texts::no_display(kvt::cli_texts::all_of(kvt::cli::command_names())));
    return kvt::cli::kRequestRefused;
  }
  QApplication app(argc, argv);
  // Ties the window to the desktop entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("com.korvelantix.KvtConfig"));
  kvt::apply_application_look();

  Form1 form;
  kvt::StopSignals stop_signals;
  kvt::end_program_on_stop_signals(form, stop_signals);
  form.load();
  form.show();
  // Opened from the event loop, so that a signal that comes while the file's message box is up
  // ends the program there and then. The name's bytes are kept as the system gives them: a name
  // that is not UTF-8 must open too.
  if (argc == 2) {
    QMetaObject::invokeMethod(
        &form, [&form, file = std::string(argv[1])] { form.open_file(file); },
        Qt::QueuedConnection);
  }
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  // First of all: a Ctrl-C or kill that comes while the program starts waits for the command's
  // own handling, which says what it stopped.
  kvt::hold_stop_signals();
  // Both front ends share the user's settings (the chosen port, the folder used last).
  QCoreApplication::setOrganizationName(QStringLiteral("Korvelantix"));
  QCoreApplication::setApplicationName(QStringLiteral("kvt-config"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KVT_VERSION));
  const int status = kvt::cli::wants_command_line(argc, argv)
                         ? kvt::cli::run_command_line(argc, argv)
                         : run_window(argc, argv);
  // A command that never handles signals (show, sheet, ...) finished its work with them held;
  // one that came meanwhile ends the program now, as the system ends it, after the output.
  std::fflush(nullptr);
  kvt::release_stop_signals();
  return status;
}
