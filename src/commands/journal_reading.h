#pragma once

#include <sys/types.h>

#include <QJsonObject>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvt {

// What a journal holds, oldest first, and what could not be taken from it.
struct JournalContents {
  std::vector<QJsonObject> entries;
  // A line that is no whole entry, by its file and line number: the last one a power loss cut
  // short (or one cut so and then followed by the next entry).
  std::vector<std::pair<std::string, int>> cut_lines;
  // A file of the journal that could not be read, with the reason.
  std::vector<std::pair<std::string, std::string>> unreadable;
};

// Reads the journal at `path`, its rotated files first. Only regular files are read.
JournalContents read_journal(const std::string& path);

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
