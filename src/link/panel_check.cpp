#include "link/panel_check.h"

#include "model/memory_map.h"

namespace kvt {

PanelCheckEnd wake_and_check_model(PanelLink& link) {
  const Transfer wake_up = link.wake_panel();
  switch (wake_up) {
    case Transfer::Ok:
      break;
    case Transfer::Cancelled:
      return {PanelCheck::Cancelled, 0, wake_up, std::nullopt};
    case Transfer::PortFailed:
      return {PanelCheck::PortBroke, 0, wake_up, std::nullopt};
    default:
      return {PanelCheck::NoAnswer, 0, wake_up, std::nullopt};
  }
  link.wait_tick();
  const ByteTransfer read = link.readee(memory_map::kModel);
  switch (read.outcome) {
    case Transfer::Cancelled:
      return {PanelCheck::Cancelled, 0, wake_up, read.outcome};
    case Transfer::PortFailed:
      return {PanelCheck::PortBroke, 0, wake_up, read.outcome};
    default:
      if (!brought_value(read.outcome)) return {PanelCheck::Failed, 0, wake_up, read.outcome};
  }
  if (read.value != memory_map::kModelByte) {
    return {PanelCheck::OtherModel, read.value, wake_up, read.outcome};
  }
  // The model byte with a reply past 16 bits is no answer to trust.
  return {read.outcome == Transfer::Ok ? PanelCheck::Ours : PanelCheck::Failed, read.value, wake_up,
          read.outcome};
}

}  // namespace kvt
