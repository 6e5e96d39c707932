#include "files/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <variant>

#include "files/file_texts.h"
#include "files/record_reader.h"

namespace kvt {
namespace {

using FileBytes = std::variant<std::string, FileUnreadable>;

// Closes the descriptor on every path.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

FileUnreadable system_reason(int error) { return FileUnreadable{std::strerror(error)}; }

// O_NONBLOCK keeps the open itself from waiting for a FIFO's writer or a modem line; what was
// opened is then checked through the descriptor, so nothing swapped in after a check of the
// path can reach the read.
FileBytes read_regular_file(const std::string& path) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return system_reason(errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return system_reason(errno);
  if (S_ISDIR(status.st_mode)) return FileUnreadable{std::string(file_texts::kIsAFolder)};
  if (!S_ISREG(status.st_mode)) return FileUnreadable{std::string(file_texts::kNotARegularFile)};
  const FileUnreadable too_large{std::string(file_texts::kLargerThanLimit)};
  if (static_cast<std::uintmax_t>(status.st_size) > kMostConfigFileBytes) return too_large;

  // One byte beyond the limit is asked for, so that a file grown since the check is refused too.
  std::string bytes(kMostConfigFileBytes + 1, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t count = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return system_reason(errno);
    }
    filled += static_cast<std::size_t>(count);
  }
  if (filled > kMostConfigFileBytes) return too_large;
  bytes.resize(filled);
  return bytes;
}

// The window can show only records made for this panel, and a negative switch code selects no
// channel the list has.
bool fits_the_window(const ConfigRecord& record) {
  return record.model == kModelIdentifier &&
         std::none_of(record.switches.begin(), record.switches.end(),
                      [](const RecordSwitch& sw) { return sw.code < 0; });
}

}  // namespace

ConfigFileReading read_config_file(const std::string& path) {
  const FileBytes contents = read_regular_file(path);
  if (const auto* unreadable = std::get_if<FileUnreadable>(&contents)) return *unreadable;
  const RecordReading reading = read_record(std::get<std::string>(contents));
  // A copy that stopped early, or a full disk, is named as such: its last number may have lost
  // digits, so it is no configuration anyone saved.
  const auto* error = std::get_if<RecordError>(&reading);
  if (error && error->reason == RecordError::Reason::NoLineEnd) {
    return FileUnreadable{std::string(file_texts::kCutShort)};
  }
  const auto* record = std::get_if<ConfigRecord>(&reading);
  if (!record || !fits_the_window(*record)) return FileRefused{};
  return *record;
}

}  // namespace kvt
