#include "link/port_holders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <fstream>
#include <memory>
#include <string_view>
#include <vector>

namespace kvt {
namespace {

constexpr std::string_view kPtyFolder = "/dev/pts/";
constexpr std::string_view kTtyIndexField = "tty-index:";
// Every pty master is a descriptor of the multiplexer, /dev/ptmx (or a devpts instance's own).
const dev_t kPtyMultiplexer = makedev(5, 2);

// The whole number `text` is, or none.
std::optional<long> number_in(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The names in `folder`, none when it cannot be read.
std::vector<std::string> entries_of(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

// The pty number of `device` (/dev/pts/N, through any links), or none for any other device.
std::optional<long> pty_index_of(const std::string& device) {
  char real[PATH_MAX];
  if (::realpath(device.c_str(), real) == nullptr) return std::nullopt;
  const std::string_view path = real;
  if (path.substr(0, kPtyFolder.size()) != kPtyFolder) return std::nullopt;
  return number_in(path.substr(kPtyFolder.size()));
}

// The pty whose master side descriptor `fd` of `process` is, from the system's description of
// the descriptor ("tty-index: N"), or none when it is no pty master.
std::optional<long> master_of(const std::string& process, const std::string& fd) {
  std::ifstream info(process + "/fdinfo/" + fd);
  for (std::string line; std::getline(info, line);) {
    if (line.rfind(kTtyIndexField, 0) != 0) continue;
    std::string_view value = std::string_view(line).substr(kTtyIndexField.size());
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    return number_in(value);
  }
  return std::nullopt;
}

// What one process holds of the device.
struct Holding {
  bool device = false;  // the device itself
  bool master = false;  // the master side of the pty the device is
};

Holding holding_of(const std::string& process, dev_t device, std::optional<long> pty_index) {
  Holding holding;
  const std::string fd_folder = process + "/fd/";
  for (const std::string& fd : entries_of(fd_folder)) {
    struct stat target {};
    // stat follows the descriptor to what it has open, whatever name it was opened by.
    if (::stat((fd_folder + fd).c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) continue;
    if (target.st_rdev == device) holding.device = true;
    if (pty_index && target.st_rdev == kPtyMultiplexer && master_of(process, fd) == pty_index) {
      holding.master = true;
    }
  }
  return holding;
}

// The process's name as the system keeps it. A process sets its own name, so control
// characters in it are shown as "?" and cannot drive a terminal.
std::string process_name(const std::string& process) {
  std::ifstream comm(process + "/comm");
  std::string name;
  std::getline(comm, name);
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return name;
}

}  // namespace

std::optional<PortHolder> other_program_holding(const std::string& device) {
  struct stat opened {};
  if (::stat(device.c_str(), &opened) != 0 || !S_ISCHR(opened.st_mode)) return std::nullopt;
  const std::optional<long> pty_index = pty_index_of(device);

  std::vector<pid_t> pids;
  for (const std::string& name : entries_of("/proc")) {
    const auto pid = number_in(name);
    if (pid && *pid != ::getpid()) pids.push_back(static_cast<pid_t>(*pid));
  }
  std::sort(pids.begin(), pids.end());
  for (const pid_t pid : pids) {
    const std::string process = "/proc/" + std::to_string(pid);
    const Holding holding = holding_of(process, opened.st_rdev, pty_index);
    if (!holding.device || holding.master) continue;
    // A process gone meanwhile, or one whose name the system will not show, is passed over.
    std::string name = process_name(process);
    if (!name.empty()) return PortHolder{std::move(name), pid};
  }
  return std::nullopt;
}

}  // namespace kvt
