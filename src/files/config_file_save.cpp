#include "files/config_file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <variant>

#include "files/file_texts.h"
#include "files/record_writer.h"

namespace kvt {
namespace {

// More links than any real chain of links; a loop ends here.
constexpr int kMostLinks = 40;

// The name a save finally replaces, and what stands there now.
struct SaveTarget {
  std::string name;
  bool exists = false;
  struct stat status {};
};

using Reason = std::string;

Reason reason_for(int error) { return std::strerror(error); }

std::string folder_of(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// What stands at `name` itself, a link not followed.
std::variant<SaveTarget, Reason> look_at(const std::string& name) {
  SaveTarget target{name};
  if (::lstat(name.c_str(), &target.status) == 0) {
    target.exists = true;
  } else if (errno != ENOENT) {
    return reason_for(errno);
  }
  return target;
}

// Follows symbolic links from `path` to the name they lead to, so that a saved link keeps
// pointing at the saved file; a dangling link leads to a name that is saved as a new file.
std::variant<SaveTarget, Reason> save_target(std::string path) {
  for (int links = 0; links <= kMostLinks; ++links) {
    auto found = look_at(path);
    const auto* target = std::get_if<SaveTarget>(&found);
    if (!target || !target->exists || !S_ISLNK(target->status.st_mode)) return found;

    std::string link(static_cast<std::size_t>(target->status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length < 0) return reason_for(errno);
    // A link changed since it was looked at is looked at again.
    if (static_cast<std::size_t>(length) >= link.size()) continue;
    link.resize(static_cast<std::size_t>(length));
    path = link.starts_with('/') ? link : folder_of(path) + link;
  }
  return reason_for(ELOOP);
}

// Only a regular file is replaced: a device node, a FIFO, a socket or a folder in its place
// would be destroyed by the rename (run as root, "/dev/null" would become a file).
std::optional<Reason> refusal_of(const std::variant<SaveTarget, Reason>& found) {
  if (const auto* reason = std::get_if<Reason>(&found)) return *reason;
  const SaveTarget& target = std::get<SaveTarget>(found);
  if (target.exists && !S_ISREG(target.status.st_mode)) {
    return Reason(file_texts::kNotARegularFile);
  }
  return std::nullopt;
}

// Holds back SIGINT, SIGTERM and SIGHUP from the moment the new file is made until it has been
// put in place or removed again: a stop signal that comes meanwhile is acted on only afterwards,
// whatever the program does with it then, even ending at once, so no half-made new file is left
// behind. Making and placing a configuration or a sheet takes milliseconds.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
      sigaddset(&stop_signals, signal_number);
    }
    ::pthread_sigmask(SIG_BLOCK, &stop_signals, &before_);
  }
  ~StopSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t before_{};
};

// The new file, written beside the one it replaces so that the rename stays on one file system.
// Its name is short and made from this process alone, so that any name the folder can hold can be
// saved, however close to the file system's longest. Removed again unless it was put in place.
class NewFile {
 public:
  explicit NewFile(const std::string& beside) {
    static std::atomic<unsigned> serial{0};
    const std::string folder = folder_of(beside);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      name_ = folder + ".kvt-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
      // 0666 as for any new file: the user's umask decides.
      fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) failure_ = reason_for(errno);
  }
  ~NewFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!failure_ && !placed_) ::unlink(name_.c_str());
  }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Why the file could not be created, if it could not.
  const std::optional<Reason>& failure() const { return failure_; }

  bool write_all(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t count = ::write(fd_, bytes.data() + written, bytes.size() - written);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) return false;
      written += static_cast<std::size_t>(count);
    }
    return true;
  }

  // Gives the file the owner, group and permissions of the one it replaces and waits until it
  // is on disk.
  std::optional<Reason> finish(const SaveTarget& target) {
    if (target.exists) {
      if (auto failed = take_owner_of(target.status)) return failed;
      if (::fchmod(fd_, target.status.st_mode & 07777) != 0) return reason_for(errno);
    }
    if (::fsync(fd_) != 0) return reason_for(errno);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) return reason_for(errno);
    return std::nullopt;
  }

  std::optional<Reason> put_in_place_of(const std::string& name) {
    if (::rename(name_.c_str(), name.c_str()) != 0) return reason_for(errno);
    placed_ = true;
    return std::nullopt;
  }

 private:
  // Root saving a user's file must leave it that user's. Anyone else may give a file away only
  // as far as the system lets them (often the group alone, often nothing): the file then stays
  // theirs, as any file they make. Done before the permissions, which a change of owner may clear.
  std::optional<Reason> take_owner_of(const struct stat& old) {
    if (::fchown(fd_, old.st_uid, old.st_gid) == 0) return std::nullopt;
    if (errno != EPERM) return reason_for(errno);
    if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) {
      return reason_for(errno);
    }
    return std::nullopt;
  }

  std::string name_;
  int fd_ = -1;
  std::optional<Reason> failure_;
  bool placed_ = false;
};

}  // namespace

std::optional<std::string> write_whole_file(const std::string& path, const std::string& contents) {
  const auto found = save_target(path);
  if (auto refused = refusal_of(found)) return refused;
  const SaveTarget& target = std::get<SaveTarget>(found);

  const StopSignalsHeld held;
  NewFile file(target.name);
  if (file.failure()) return file.failure();
  // A short write leaves no system reason behind, hence a reason of our own.
  if (!file.write_all(contents)) return std::string(file_texts::kDiskFull);
  if (auto failed = file.finish(target)) return failed;

  // Looked at again just before the rename: something else may have been put there meanwhile.
  if (auto refused = refusal_of(look_at(target.name))) return refused;
  return file.put_in_place_of(target.name);
}

WritablePlace writable_place(const std::string& path) {
  const auto found = save_target(path);
  if (auto refused = refusal_of(found)) return {{}, std::move(refused)};
  return {std::get<SaveTarget>(found).name, std::nullopt};
}

std::optional<std::string> write_config_record(const std::string& path,
                                               const ConfigRecord& record) {
  return write_whole_file(path, write_record(record));
}

}  // namespace kvt
