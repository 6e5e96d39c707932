#include "commands/journal_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "files/config_file_save.h"
#include "files/file_texts.h"

namespace kvt {
namespace {

constexpr std::string_view kJournalOff = "off";
constexpr std::string_view kJournalUnderState = "/kvt-config/journal.jsonl";

std::string reason_for(int error) { return std::strerror(error); }

std::string home_folder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return {};
}

// Makes every missing folder on the way to the file at `path`, each readable by its owner alone:
// the journal names the user's sites and panels.
std::optional<std::string> make_folders_for(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return reason_for(errno);
  }
  return std::nullopt;
}

// Moves a journal that has reached `rotate_at` aside, each older one a number further, the
// oldest dropped. A file another program has just rotated is no longer there: nothing to do.
std::optional<std::string> rotate_if_full(const std::string& name, std::uintmax_t rotate_at) {
  struct stat status {};
  if (::stat(name.c_str(), &status) != 0) {
    return errno == ENOENT ? std::nullopt : std::optional(reason_for(errno));
  }
  if (static_cast<std::uintmax_t>(status.st_size) < rotate_at) return std::nullopt;
  for (int number = kRotatedJournals; number >= 1; --number) {
    const std::string older = number == 1 ? name : rotated_journal(name, number - 1);
    if (::rename(older.c_str(), rotated_journal(name, number).c_str()) != 0 && errno != ENOENT) {
      return reason_for(errno);
    }
  }
  return std::nullopt;
}

// A line cut short by a power loss is left as it is, but the entry after it starts a line of its
// own, so that only the cut one is lost.
std::string line_start(int fd, const struct stat& status) {
  char last = '\n';
  if (status.st_size > 0 && ::pread(fd, &last, 1, status.st_size - 1) != 1) last = '\n';
  return last == '\n' ? std::string() : std::string("\n");
}

// Writes `bytes` with one call, so that the line lands whole after whatever another program
// appended meanwhile.
std::optional<std::string> write_line(int fd, const std::string& bytes) {
  ssize_t written;
  do {
    written = ::write(fd, bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0) return reason_for(errno);
  if (static_cast<std::size_t>(written) != bytes.size()) {
    // The part written is taken back; one that cannot be is read as a line cut short.
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    if (end >= written && ::ftruncate(fd, end - written) != 0) return reason_for(errno);
    return std::string(file_texts::kDiskFull);
  }
  if (::fsync(fd) != 0) return reason_for(errno);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> journal_path() {
  if (const char* named = std::getenv("KVT_JOURNAL"); named != nullptr && *named != '\0') {
    if (named == kJournalOff) return std::nullopt;
    return std::string(named);
  }
  // A relative XDG_STATE_HOME is to be ignored, as a relative folder would follow the current one.
  if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
    return state + std::string(kJournalUnderState);
  }
  return home_folder() + "/.local/state" + std::string(kJournalUnderState);
}

std::string rotated_journal(const std::string& path, int number) {
  const std::size_t name_start = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  const std::size_t dot = path.rfind('.');
  const std::string numbered = "." + std::to_string(number);
  if (dot == std::string::npos || dot <= name_start) return path + numbered;
  return path.substr(0, dot) + numbered + path.substr(dot);
}

std::optional<std::string> JournalFile::append(const std::string& line) const {
  if (auto failed = make_folders_for(path_)) return failed;
  const WritablePlace place = writable_place(path_);
  if (place.refused) return place.refused;
  if (auto failed = rotate_if_full(place.name, rotate_at_)) return failed;
  // O_NONBLOCK: a FIFO put there since it was looked at fails at once instead of waiting for a
  // reader, and the check after the open refuses whatever else it may be.
  const int fd =
      ::open(place.name.c_str(),
             O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) return reason_for(errno);
  struct stat status {};
  std::optional<std::string> failed;
  if (::fstat(fd, &status) != 0) {
    failed = reason_for(errno);
  } else if (!S_ISREG(status.st_mode)) {
    failed = std::string(file_texts::kNotARegularFile);
  } else {
    failed = write_line(fd, line_start(fd, status) + line + '\n');
  }
  if (::close(fd) != 0 && !failed) failed = reason_for(errno);
  return failed;
}

std::vector<std::string> journal_files(const std::string& path) {
  const WritablePlace place = writable_place(path);
  const std::string& name = place.refused ? path : place.name;
  std::vector<std::string> files;
  for (int number = kRotatedJournals; number >= 0; --number) {
    const std::string file = number == 0 ? name : rotated_journal(name, number);
    if (::access(file.c_str(), F_OK) == 0) files.push_back(file);
  }
  return files;
}

}  // namespace kvt
