#include "sim_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "memory_file.h"

extern char** environ;

namespace kvt::sim {

namespace {

using namespace std::chrono_literals;
// How long a wait for the simulator may last. Every wait ends as soon as what it waits for is
// there, so this only decides how slow a machine busy compiling beside the tests may be before a
// wait gives up: at 5 s a write of twelve frames was once cut short at nine.
constexpr auto kPatience = 10s;

// Reads one line from `descriptor`, waiting at most kPatience in all.
std::string read_first_line(int descriptor) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd watched{descriptor, POLLIN, 0};
    if (::poll(&watched, 1, 50) <= 0) continue;
    char c = 0;
    if (::read(descriptor, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  return {};
}

}  // namespace

PanelSimulator::PanelSimulator(const std::vector<std::string>& options,
                               const std::optional<PanelMemory>& memory) {
  std::string folder_template =
      (std::filesystem::temp_directory_path() / "kvt-sim-XXXXXX").string();
  if (::mkdtemp(folder_template.data()) == nullptr) {
    throw std::runtime_error("cannot make a folder for the simulator");
  }
  folder_ = folder_template;
  try {
    start(options, memory);
  } catch (...) {
    end(SIGKILL);
    std::filesystem::remove_all(folder_);
    throw;
  }
}

PanelSimulator::~PanelSimulator() {
  end(SIGTERM);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void PanelSimulator::start(const std::vector<std::string>& options,
                           const std::optional<PanelMemory>& memory) {
  std::vector<std::string> arguments{KVT_PANEL_SIM_PATH, "--log", path("frames.log"), "--dump",
                                     path("memory.out")};
  if (memory) {
    if (!dump_memory(*memory, path("memory.in"))) {
      throw std::runtime_error("cannot write the simulator's starting memory");
    }
    arguments.insert(arguments.end(), {"--load", path("memory.in")});
  }
  arguments.insert(arguments.end(), options.begin(), options.end());
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int output[2];
  if (::pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  const int spawned = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  if (spawned != 0) {
    pid_ = -1;
    ::close(output[0]);
    throw std::runtime_error(std::string("cannot start ") + KVT_PANEL_SIM_PATH);
  }
  // A panel answers at once whatever the computer is doing. On a busy machine (a second test
  // run, a build beside this one) the simulator would otherwise wait its turn behind the
  // compilers and answer after the tick. Raising it needs root, as CI runs; elsewhere it stays.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(pid_), -10);
  device_ = read_first_line(output[0]);
  ::close(output[0]);
  if (device_.empty()) throw std::runtime_error("the simulator did not name its pty");
}

void PanelSimulator::use_as_serial_port() const { ::setenv("KVT_SERIAL_PORT", device_.c_str(), 1); }

std::vector<std::string> PanelSimulator::frames() const {
  std::vector<std::string> lines;
  std::ifstream log(path("frames.log"));
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> PanelSimulator::frames_once(std::size_t count) const {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  std::vector<std::string> logged = frames();
  while (logged.size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
    logged = frames();
  }
  return logged;
}

PanelMemory PanelSimulator::memory() {
  const std::string dump = path("memory.out");
  if (running()) {
    std::filesystem::remove(dump);
    ::kill(pid_, SIGUSR1);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!std::filesystem::exists(dump) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
    }
  }
  std::string problem;
  const auto memory = load_memory(dump, problem);
  if (!memory) throw std::runtime_error("no simulator memory: " + problem);
  return *memory;
}

void PanelSimulator::unplug() { change_plug(SIGRTMIN); }

void PanelSimulator::plug_in() { change_plug(SIGRTMIN + 1); }

// The simulator blocks the signal and takes it from its descriptor, so it is pending for the
// process ("ShdPnd:") until the simulator has taken it in.
void PanelSimulator::change_plug(int signal) {
  if (!running()) return;
  ::kill(pid_, signal);
  const unsigned long long bit = 1ULL << (signal - 1);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    bool pending = false;
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("ShdPnd:", 0) == 0)
        pending = (std::stoull(line.substr(7), nullptr, 16) & bit) != 0;
    }
    if (!pending) return;
    std::this_thread::sleep_for(1ms);
  }
}

PanelMemory PanelSimulator::stop() {
  end(SIGTERM);
  return memory();
}

void PanelSimulator::kill() { end(SIGKILL); }

std::string PanelSimulator::path(const char* file) const { return folder_ + "/" + file; }

void PanelSimulator::end(int signal) {
  if (!running()) return;
  ::kill(pid_, signal);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(2ms);
  }
  pid_ = -1;
}

}  // namespace kvt::sim
