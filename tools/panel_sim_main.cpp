// kvt-panel-sim: a simulated switch panel on a pseudo-terminal. See sim_options.cpp for usage.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <deque>
#include <exception>
#include <string>
#include <string_view>
#include <thread>

#include "memory_file.h"
#include "pseudo_terminal.h"
#include "sim_options.h"
#include "simulated_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
using kvt::sim::SimOptions;

struct PendingReply {
  Clock::time_point due;
  std::string bytes;
};

// Unplugging and plugging the panel in again: real-time signals, which queue, so that an unplug
// followed at once by a plug-in is seen as both and in that order.
int unplug_signal() { return SIGRTMIN; }
int plug_in_signal() { return SIGRTMIN + 1; }

// Ending signals, the dump request and the plug's changes arrive through a descriptor, so the
// loop below sees them between two frames and never in the middle of one.
int signal_descriptor() {
  sigset_t handled;
  sigemptyset(&handled);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, unplug_signal(), plug_in_signal()}) {
    sigaddset(&handled, signal);
  }
  sigprocmask(SIG_BLOCK, &handled, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  return ::signalfd(-1, &handled, SFD_CLOEXEC);
}

bool make_link(const std::string& link_path, const std::string& target) {
  struct stat existing {};
  if (::lstat(link_path.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      std::fprintf(stderr, "kvt-panel-sim: %s exists and is not a symbolic link\n",
                   link_path.c_str());
      return false;
    }
    ::unlink(link_path.c_str());
  }
  if (::symlink(target.c_str(), link_path.c_str()) != 0) {
    std::perror(("kvt-panel-sim: " + link_path).c_str());
    return false;
  }
  return true;
}

void dump_if_asked(const SimOptions& options, const kvt::sim::PanelMemory& memory) {
  if (options.dump_path.empty()) return;
  if (!kvt::sim::dump_memory(memory, options.dump_path)) {
    std::fprintf(stderr, "kvt-panel-sim: cannot write %s\n", options.dump_path.c_str());
  }
}

void send(int master, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t written = ::write(master, bytes.data() + sent, bytes.size() - sent);
    // A full input queue on the device side means nobody reads it; the answer is lost there,
    // as it would be on a real line.
    if (written < 0 && errno != EINTR) return;
    if (written > 0) sent += static_cast<std::size_t>(written);
  }
}

int poll_timeout(const std::deque<PendingReply>& outgoing) {
  if (outgoing.empty()) return -1;
  const auto wait =
      std::chrono::ceil<std::chrono::milliseconds>(outgoing.front().due - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

// A peer that never stops talking: "0680D", the model byte of another panel, over and over,
// written only while the line has room, so the simulator never blocks on it and a program that
// stops reading stops the flood.
class Flood {
 public:
  // Writes what the line takes now, going on with the pattern where the last write stopped.
  void pour(int master) {
    static const std::string block = repeated(1024);
    const ssize_t written = ::write(master, block.data() + offset_, block.size() - offset_);
    if (written > 0) offset_ = (offset_ + static_cast<std::size_t>(written)) % kPattern.size();
  }

 private:
  static constexpr std::string_view kPattern = "0680D";
  static std::string repeated(int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += kPattern;
    return text;
  }
  std::size_t offset_ = 0;
};

// What the simulator has taken in and still owes the line.
struct LineState {
  std::deque<PendingReply> outgoing;
  int frames_taken = 0;
  Flood flood;
  // Unplugged, the panel hears nothing and says nothing: what the program sends is lost on the
  // way, and answers not yet sent never go out.
  bool plugged_in = true;

  // With --flood-after, the frames past the count go unanswered.
  bool answers_frame(const SimOptions& options) const {
    return !options.flood_after || frames_taken <= *options.flood_after;
  }
  // The first frame past the count starts the flood, once the answers owed have gone out; it
  // does not start at once so that the last answer reaches the program alone.
  bool flooding(const SimOptions& options) const {
    return plugged_in && options.flood_after && frames_taken > *options.flood_after &&
           outgoing.empty();
  }
};

// Reads what the program sent, logs every frame it completes and queues their answers.
void take_frames(const SimOptions& options, int master, kvt::sim::SimulatedPanel& panel,
                 std::FILE* log, LineState& line) {
  char received[256];
  const ssize_t count = ::read(master, received, sizeof received);
  if (count > 0 && !line.plugged_in) return;
  if (count > 0) {
    for (const auto& exchange : panel.receive({received, static_cast<std::size_t>(count)})) {
      std::fprintf(log, "%s\n", kvt::sim::hex_bytes(exchange.frame).c_str());
      std::fflush(log);
      ++line.frames_taken;
      if (!exchange.reply.empty() && line.answers_frame(options)) {
        line.outgoing.push_back(
            {Clock::now() + std::chrono::milliseconds(options.delay_ms), exchange.reply});
      }
    }
  } else if (count < 0 && errno == EIO) {
    // No device side open at the moment: not fatal, wait for the program to come back.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Serves frames until an ending signal arrives.
void serve(const SimOptions& options, int master, int signals, kvt::sim::SimulatedPanel& panel,
           std::FILE* log) {
  LineState line;
  while (true) {
    const bool flooding = line.flooding(options);
    const short master_events = POLLIN | (flooding ? POLLOUT : 0);
    pollfd watched[2] = {{master, master_events, 0}, {signals, POLLIN, 0}};
    if (::poll(watched, 2, poll_timeout(line.outgoing)) < 0 && errno != EINTR) return;

    if (watched[1].revents & POLLIN) {
      signalfd_siginfo info{};
      if (::read(signals, &info, sizeof info) == sizeof info) {
        const int signal = static_cast<int>(info.ssi_signo);
        if (signal == unplug_signal() || signal == plug_in_signal()) {
          line.plugged_in = signal == plug_in_signal();
          line.outgoing.clear();
        } else {
          dump_if_asked(options, panel.memory());
          if (signal != SIGUSR1) return;
        }
      }
    }

    if (watched[0].revents & POLLIN) {
      take_frames(options, master, panel, log, line);
    } else if (watched[0].revents & (POLLHUP | POLLERR)) {
      // Only reachable if the device side were released; wait for it to come back instead of
      // spinning on the hang-up.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    while (!line.outgoing.empty() && line.outgoing.front().due <= Clock::now()) {
      send(master, line.outgoing.front().bytes);
      line.outgoing.pop_front();
    }
    if (flooding && (watched[0].revents & POLLOUT)) line.flood.pour(master);
  }
}

int run(const SimOptions& options) {
  kvt::sim::PanelMemory memory = kvt::sim::factory_memory();
  if (!options.load_path.empty()) {
    std::string problem;
    const auto loaded = kvt::sim::load_memory(options.load_path, problem);
    if (!loaded) {
      std::fprintf(stderr, "kvt-panel-sim: %s\n", problem.c_str());
      return 2;
    }
    memory = *loaded;
  }
  if (options.model_byte)
    memory[kvt::sim::kModelAddress] = static_cast<std::uint8_t>(*options.model_byte);

  std::FILE* log = stderr;
  if (!options.log_path.empty()) {
    log = std::fopen(options.log_path.c_str(), "w");
    if (log == nullptr) {
      std::perror(("kvt-panel-sim: " + options.log_path).c_str());
      return 2;
    }
  }

  const int signals = signal_descriptor();
  kvt::sim::PseudoTerminal pty;
  if (!options.link_path.empty() && !make_link(options.link_path, pty.device_path())) return 2;
  std::printf("%s\n", pty.device_path().c_str());
  std::fflush(stdout);

  kvt::sim::SimulatedPanel panel(memory, options.faults);
  serve(options, pty.master(), signals, panel, log);

  if (!options.link_path.empty()) ::unlink(options.link_path.c_str());
  if (log != stderr) std::fclose(log);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string problem;
  const auto options =
      kvt::sim::parse_sim_options(std::vector<std::string>(argv + 1, argv + argc), problem);
  if (!options) {
    std::fprintf(stderr, "kvt-panel-sim: %s (see --help)\n", problem.c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(kvt::sim::sim_usage(), stdout);
    return 0;
  }
  try {
    return run(*options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kvt-panel-sim: %s\n", error.what());
    return 1;
  }
}
