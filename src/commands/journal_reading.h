#pragma once

#include <sys/types.h>

#include <QJsonObject>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvt {

// What could not be taken from a journal.
struct JournalGaps {
  // A line that is no whole entry, by its file and line number: the last one a power loss cut
  // short (or one cut so and then followed by the next entry).
  std::vector<std::pair<std::string, int>> cut_lines;
  // A file of the journal that could not be read, with the reason.
  std::vector<std::pair<std::string, std::string>> unreadable;
};

// Reads the journal at `path`, its rotated files first, and hands each entry to `take`, oldest
// first, with its line as it stands in the file (without the line end); none is kept, so a
// journal of any length takes little memory. Only regular files are read.
using JournalReader = std::function<void(const QJsonObject& entry, std::string_view line)>;
JournalGaps read_journal(const std::string& path, const JournalReader& take);

// Picks the entries of one configuration file: those naming its absolute path, and, while it
// exists, those naming the same file by device and inode (through a link or another name).
class SameFile {
 public:
  explicit SameFile(const std::string& path);
  bool operator()(const QJsonObject& entry);

 private:
  std::string absolute_;
  std::optional<std::pair<dev_t, ino_t>> identity_;
  std::map<std::string, bool> known_;  // the entries' files, each looked at once
};

}  // namespace kvt
