#include "commands/journal_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonParseError>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "commands/journal_file.h"
#include "files/file_texts.h"

namespace kvt {
namespace {

std::string absolute_path(const std::string& path) {
  std::error_code unknown;
  const std::filesystem::path absolute = std::filesystem::absolute(path, unknown);
  return unknown ? path : absolute.lexically_normal().string();
}

std::optional<std::pair<dev_t, ino_t>> identity_of(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return std::pair(status.st_dev, status.st_ino);
}

// The whole file at `path`, or why it cannot be read. A FIFO or a device in the journal's place
// is refused rather than waited on or drained.
std::optional<std::string> read_whole(const std::string& path, std::string& contents) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::string(std::strerror(errno));
  std::optional<std::string> failed;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    failed = std::strerror(errno);
  } else if (!S_ISREG(status.st_mode)) {
    failed = std::string(file_texts::kNotARegularFile);
  } else {
    contents.resize(static_cast<std::size_t>(status.st_size));
    std::size_t got = 0;
    while (got < contents.size()) {
      const ssize_t count = ::read(fd, contents.data() + got, contents.size() - got);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) failed = std::strerror(errno);
      if (count <= 0) break;
      got += static_cast<std::size_t>(count);
    }
    contents.resize(got);
  }
  ::close(fd);
  return failed;
}

void take_entries(const std::string& path, const std::string& contents, JournalGaps& gaps,
                  const JournalReader& take) {
  int number = 0;
  for (std::size_t start = 0; start < contents.size();) {
    std::size_t end = contents.find('\n', start);
    const bool whole = end != std::string::npos;
    if (!whole) end = contents.size();
    ++number;
    const QByteArray line =
        QByteArray::fromRawData(contents.data() + start, static_cast<qsizetype>(end - start));
    start = end + 1;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    // A last line without its line end was cut short, even where what arrived parses.
    if (!whole || error.error != QJsonParseError::NoError || !document.isObject()) {
      gaps.cut_lines.emplace_back(path, number);
      continue;
    }
    take(document.object(), std::string_view(line.data(), static_cast<std::size_t>(line.size())));
  }
}

}  // namespace

JournalGaps read_journal(const std::string& path, const JournalReader& take) {
  JournalGaps gaps;
  for (const std::string& file : journal_files(path)) {
    std::string bytes;
    if (auto failed = read_whole(file, bytes)) {
      gaps.unreadable.emplace_back(file, *failed);
      continue;
    }
    take_entries(file, bytes, gaps, take);
  }
  return gaps;
}

SameFile::SameFile(const std::string& path)
    : absolute_(absolute_path(path)), identity_(identity_of(path)) {}

bool SameFile::operator()(const QJsonObject& entry) {
  const QJsonValue file = entry.value(QStringLiteral("file"));
  if (!file.isString()) return false;
  const std::string name = file.toString().toStdString();
  const auto known = known_.find(name);
  if (known != known_.end()) return known->second;
  // A save replaces the file with a new one, of a new inode, under the same name: the name
  // still names it. A link or a second name reaches it by its device and inode.
  const bool same = name == absolute_ || (identity_ && identity_of(name) == identity_);
  known_.emplace(name, same);
  return same;
}

}  // namespace kvt
