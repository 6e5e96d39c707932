#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "simulated_panel.h"

namespace kvt::sim {

// Runs kvt-panel-sim as a child process in a temporary folder of its own, for tests and
// benchmarks: start it, point the program at its pty, read what it received and what its
// memory holds, stop it or kill it. Everything it made is removed when the object goes.
class PanelSimulator {
 public:
  // Starts the simulator with further `options` (e.g. {"--silent"} or {"--delay", "20"}; the
  // frame log and memory dump are the harness's own) and `memory` to start with (the factory
  // memory when empty), and waits at most 5 s for its pty. Throws std::runtime_error when it
  // cannot be started.
  explicit PanelSimulator(const std::vector<std::string>& options = {},
                          const std::optional<PanelMemory>& memory = std::nullopt);
  ~PanelSimulator();
  PanelSimulator(const PanelSimulator&) = delete;
  PanelSimulator& operator=(const PanelSimulator&) = delete;

  // The pty the program opens, e.g. /dev/pts/4.
  const std::string& device() const { return device_; }
  // Sets KVT_SERIAL_PORT to device(), so port 1 is the simulator.
  void use_as_serial_port() const;

  // Frames received so far, in order, one hex line each, e.g. "56 00 3F 30 30 56".
  std::vector<std::string> frames() const;
  // The frames once `count` have been logged, or those logged after 5 s: the simulator logs in
  // its own time, which a busy machine may delay.
  std::vector<std::string> frames_once(std::size_t count) const;
  // The memory now: asks a running simulator for a dump and waits for it (at most 5 s);
  // after stop(), the memory it ended with. Throws std::runtime_error when there is none.
  PanelMemory memory();

  // Unplugs the panel (it hears and answers nothing, its memory kept) and plugs it in again.
  // Each returns once the simulator has taken the change in (at most 5 s); an unplug drops
  // what was still waiting on the line by then.
  void unplug();
  void plug_in();

  // Ends the simulator as a user would (SIGTERM) and returns its final memory.
  PanelMemory stop();
  // Ends it at once (SIGKILL): the far end of the pty vanishes mid-conversation.
  void kill();
  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

 private:
  std::string path(const char* file) const;
  void start(const std::vector<std::string>& options, const std::optional<PanelMemory>& memory);
  void end(int signal);
  void change_plug(int signal);

  std::string folder_;
  std::string device_;
  pid_t pid_ = -1;
};

}  // namespace kvt::sim
