#include "commands/stop_signals.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace kvt {
namespace {

constexpr std::array<int, 3> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// The pipe the handler writes to; -1 while no StopSignals lives.
int pipe_read_end = -1;
volatile sig_atomic_t pipe_write_end = -1;
std::array<struct sigaction, kStopSignals.size()> replaced_actions{};

// Async-signal-safe: one write, errno kept for the code the signal interrupted. A full pipe
// drops the byte: by then plenty of signals are waiting to be seen.
void on_stop_signal(int signal_number) {
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  [[maybe_unused]] const ssize_t written = ::write(pipe_write_end, &byte, 1);
  errno = saved_errno;
}

sigset_t stop_signal_set() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal_number : kStopSignals) sigaddset(&set, signal_number);
  return set;
}

}  // namespace

void hold_stop_signals() {
  const sigset_t set = stop_signal_set();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void release_stop_signals() {
  const sigset_t set = stop_signal_set();
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
  if (pipe_read_end >= 0) throw std::logic_error("only one StopSignals may live at a time");
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error("cannot make the pipe for stop signals");
  }
  pipe_read_end = ends[0];
  pipe_write_end = ends[1];
  notifier_ = new QSocketNotifier(pipe_read_end, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::take_pending);

  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  // Restarted system calls keep Qt's own reads and writes from failing with EINTR.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &action, &replaced_actions[i]);
  }
  // Held ones are written into the pipe now, and seen at the first pass of the event loop.
  release_stop_signals();
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &replaced_actions[i], nullptr);
  }
  delete notifier_;
  ::close(pipe_read_end);
  ::close(pipe_write_end);
  pipe_read_end = -1;
  pipe_write_end = -1;
}

int StopSignals::first_signal() {
  take_pending();
  return first_;
}

void StopSignals::take_pending() {
  unsigned char byte = 0;
  while (::read(pipe_read_end, &byte, 1) == 1) {
    ++count_;
    if (first_ == 0) first_ = byte;
    emit caught(byte, count_);
  }
}

}  // namespace kvt
