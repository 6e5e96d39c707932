#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvt {

// The journal is rotated once it has reached this size: enough for tens of thousands of panel
// commands, small enough to read in a moment.
inline constexpr std::uintmax_t kJournalRotateAt = 10 * 1024 * 1024;
// Rotated journals kept besides the current one: journal.1.jsonl (the newest) to journal.5.jsonl.
inline constexpr int kRotatedJournals = 5;

// Where the journal is: the file KVT_JOURNAL names, else $XDG_STATE_HOME/kvt-config/journal.jsonl,
// else ~/.local/state/kvt-config/journal.jsonl. None when KVT_JOURNAL is "off".
std::optional<std::string> journal_path();

// The name of the journal `path` after `number` rotations: journal.jsonl becomes journal.1.jsonl.
std::string rotated_journal(const std::string& path, int number);

// The journal file at `path`, one JSON object per line, appended to and rotated.
class JournalFile {
 public:
  explicit JournalFile(std::string path, std::uintmax_t rotate_at = kJournalRotateAt)
      : path_(std::move(path)), rotate_at_(rotate_at) {}

  const std::string& path() const { return path_; }

  // Appends `line` (without its line end) as one write that cannot interleave with another
  // program's, and waits until it is on disk. The folder is made (0700) and the file created
  // (0600) when missing; a file that has reached the rotation size is rotated first. The journal
  // is only ever a regular file: a device node, a FIFO, a socket or a folder in its place (or a
  // link to one) is refused. Returns the reason, for the user, when the line was not written.
  std::optional<std::string> append(const std::string& line) const;

 private:
  std::string path_;
  std::uintmax_t rotate_at_;
};

// The files of the journal at `path` that exist, oldest first: the rotated ones from the oldest
// to the newest, then the current one.
std::vector<std::string> journal_files(const std::string& path);

}  // namespace kvt
