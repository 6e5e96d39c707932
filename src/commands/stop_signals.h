#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace kvt {

// Holds SIGINT, SIGTERM and SIGHUP back (blocked, pending) from the program's first instruction
// until a StopSignals takes them over, so that a signal that comes while the program starts is
// answered by the command's own handling, with its message, instead of ending the program
// without a word. Threads started meanwhile keep them blocked, so they always reach the thread
// that handles them.
void hold_stop_signals();
// Lets held signals through again as the system would deliver them: for the end of a command
// that never took them over (show, sheet, ...), which a signal held meanwhile then ends.
void release_stop_signals();

// Catches SIGINT, SIGTERM and SIGHUP (Ctrl-C, kill, a dropped terminal or ssh connection) for
// as long as it lives, and hands each to the event loop, so that a wait inside
// QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents) wakes at once and the program
// can end what it is doing properly: finish or stop a transfer, close the port. The handler only
// writes the signal's number into a pipe, the one thing a handler can do safely; a notifier on
// the pipe emits caught() on the thread that made the object.
//
// One object at a time in a process. It lets held signals through, and those that came while
// they were held are taken in first. The handling it replaced comes back when it goes.
class StopSignals : public QObject {
  Q_OBJECT

 public:
  explicit StopSignals(QObject* parent = nullptr);
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The first signal caught so far, 0 when none. Signals still waiting in the pipe are taken in
  // first (emitting caught() for each), so code that has not run the event loop since sees them.
  int first_signal();

  // What shells expect of a program ended by `signal_number`: 128 + its number.
  static int exit_status(int signal_number) { return 128 + signal_number; }

 signals:
  // One emission per signal, in the order they came; `count` counts them from 1.
  void caught(int signal_number, int count);

 private:
  void take_pending();

  QSocketNotifier* notifier_ = nullptr;
  int first_ = 0;
  int count_ = 0;
};

}  // namespace kvt
