#include "cli/console.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/cli_texts.h"
#include "model/rule_texts.h"

namespace kvt::cli {

namespace {

// A frame as C would write it: a carriage return as \r, other bytes outside printable ASCII as
// \xNN, so that what the panel sent shows exactly and cannot drive the terminal.
std::string escaped_frame(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '"' || c == '\\') {
      text += std::string("\\") + c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      text += hex;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace

Console::Console(int steps, Loudness loudness)
    : steps_(steps), loudness_(loudness), terminal_(::isatty(STDERR_FILENO) == 1) {
  clock_.start();
}

void Console::show_progress(int number) {
  print_held();
  if (!terminal_ || steps_ == 0 || loudness_ == Loudness::Quiet) return;
  std::fprintf(stderr, "\r\033[K%s%s", std::string(cli_texts::kMessagePrefix).c_str(),
               cli_texts::progress(number, steps_).c_str());
  std::fflush(stderr);
  progress_shown_ = true;
}

void Console::message(const std::string& text, const std::string& title) {
  clear_progress();
  std::string line = title.empty() ? text : title + ": " + text;
  last_message_ = line;
  if (holding_) {
    held_.push_back(std::move(line));
  } else {
    say(line);
  }
}

void Console::report(const std::string& text) {
  print_held();
  clear_progress();
  say(text);
}

void Console::release_messages(std::optional<std::int16_t> other_model) {
  holding_ = false;
  print_held(other_model);
}

void Console::print_held(std::optional<std::int16_t> other_model) {
  for (std::string& line : held_) {
    if (other_model) line += cli_texts::model_answered(*other_model);
    say(line);
  }
  held_.clear();
}

void Console::name_not_settings(const std::string& holder, const std::vector<NotSetting>& values) {
  print_held();
  clear_progress();
  for (const NotSetting& value : values) {
    say(rule_texts::not_a_setting(holder, value.value, value.what, value.shown));
  }
  not_settings_.insert(not_settings_.end(), values.begin(), values.end());
}

void Console::print_outcome(const std::string& said, bool success) {
  clear_progress();
  if (said.empty() || (success && loudness_ == Loudness::Quiet)) return;
  // Words of several lines (a failure, then what it left in the panel) are several messages.
  std::size_t start = 0;
  for (std::size_t end; (end = said.find('\n', start)) != std::string::npos; start = end + 1) {
    say(said.substr(start, end - start));
  }
  say(said.substr(start));
}

FrameWatcher Console::frame_log() {
  if (loudness_ != Loudness::Verbose) return {};
  return [this](FrameDirection direction, std::string_view bytes) { log_frame(direction, bytes); };
}

void Console::log_frame(FrameDirection direction, std::string_view bytes) {
  print_held();
  clear_progress();
  const std::string_view way =
      direction == FrameDirection::Sent ? cli_texts::kFrameSent : cli_texts::kFrameReceived;
  std::fprintf(stderr, "%6lld ms  %-8s \"%s\"\n", static_cast<long long>(clock_.elapsed()),
               std::string(way).c_str(), escaped_frame(bytes).c_str());
}

void Console::say(const std::string& text) {
  std::fprintf(stderr, "%s%s\n", std::string(cli_texts::kMessagePrefix).c_str(), text.c_str());
}

void Console::clear_progress() {
  if (!progress_shown_) return;
  std::fputs("\r\033[K", stderr);
  progress_shown_ = false;
}

}  // namespace kvt::cli
