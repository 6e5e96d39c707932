#include "commands/transfer_status.h"

#include <string>
#include <string_view>

#include "commands/command_texts.h"

namespace kvt {
namespace {

// The text for a byte exchange that ended so, or none.
std::string_view byte_text(Transfer ending) {
  switch (ending) {
    case Transfer::Ok:
      return command_texts::kCommunicationsOk;
    case Transfer::OutOfRange:
      return command_texts::kDataOutOfRange;
    case Transfer::NoReply:
    case Transfer::Corrupted:
      return command_texts::kCommunicationsCorrupted;
    case Transfer::NotVerified:
      return command_texts::kDataFailedToVerify;
    case Transfer::NotAcknowledged:
    case Transfer::PortFailed:
    case Transfer::Cancelled:
      break;
  }
  return {};
}

void say_text(StatusBox& status, std::string_view text) {
  if (!text.empty()) status.set_status_text(std::string(text));
}

}  // namespace

std::string say_wake_up(StatusBox& status, Transfer ending) {
  if (ending != Transfer::NoReply) return {};
  const std::string text(command_texts::kPanelFailedToRespond);
  status.set_status_colour(StatusColour::Red);
  status.set_status_text(text);
  return text;
}

void say_byte_read(StatusBox& status, Transfer ending) {
  if (ending == Transfer::Cancelled) return;
  status.set_status_visible(true);
  say_text(status, byte_text(ending));
}

void say_byte_written(StatusBox& status, Transfer ending) {
  if (ending == Transfer::Ok) status.set_status_colour(StatusColour::Yellow);
  say_text(status, byte_text(ending));
}

}  // namespace kvt
