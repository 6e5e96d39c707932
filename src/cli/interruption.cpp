#include "cli/interruption.h"

#include <string>

#include "cli/cli_texts.h"
#include "cli/console.h"

namespace kvt::cli {

Interruption::Interruption(PanelLink& link, Console& console) : link_(link), console_(console) {
  connect(&signals_, &StopSignals::caught, this, &Interruption::on_caught);
}

void Interruption::command_ended(CommandEnd end) {
  command_ended_ = true;
  // The addresses a write frame went out for may hold new bytes.
  if (const auto last = link_.last_write_sent(); end == CommandEnd::Cancelled && last) {
    console_.report(cli_texts::write_stopped(*last));
  }
}

std::optional<int> Interruption::exit_status() {
  const int first = signals_.first_signal();
  if (first == 0) return std::nullopt;
  return StopSignals::exit_status(first);
}

void Interruption::on_caught(int /*signal_number*/, int count) {
  if (command_ended_ || link_.shutting_down()) return;
  if (!link_.last_write_sent()) {
    link_.request_shutdown();
    stopped_unchanged_ = true;
    console_.report(std::string(cli_texts::kStoppedPanelUnchanged));
  } else if (count == 1) {
    console_.report(cli_texts::finishing_write());
  } else {
    link_.request_shutdown();
  }
}

}  // namespace kvt::cli
