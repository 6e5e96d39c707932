#include "cli/console.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/cli_texts.h"

namespace kvt::cli {

Console::Console(int steps) : steps_(steps), terminal_(::isatty(STDERR_FILENO) == 1) {}

void Console::set_status_colour(StatusColour colour) { colour_ = colour; }

void Console::show_progress(int number) {
  if (!terminal_ || steps_ == 0) return;
  std::fprintf(stderr, "\r\033[K%s%s", std::string(cli_texts::kMessagePrefix).c_str(),
               cli_texts::progress(number, steps_).c_str());
  std::fflush(stderr);
  progress_shown_ = true;
}

void Console::message(const std::string& text, const std::string& title) {
  clear_progress();
  say(title.empty() ? text : title + ": " + text);
}

void Console::print_outcome() {
  clear_progress();
  if (colour_ != StatusColour::Yellow && !text_.empty()) say(text_);
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
