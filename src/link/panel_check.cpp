#include "link/panel_check.h"

#include "model/memory_map.h"

namespace kvt {

PanelCheckEnd wake_and_check_model(PanelLink& link) {
  switch (link.wake_panel()) {
    case Transfer::Ok:
      break;
    case Transfer::Cancelled:
      return {PanelCheck::Cancelled};
    case Transfer::PortFailed:
      return {PanelCheck::PortBroke};
    default:
      return {PanelCheck::NoAnswer};
  }
  link.wait_tick();
  const ByteTransfer read = link.readee(memory_map::kModel);
  switch (read.outcome) {
    case Transfer::Cancelled:
      return {PanelCheck::Cancelled};
    case Transfer::PortFailed:
      return {PanelCheck::PortBroke};
    default:
      if (!brought_value(read.outcome)) return {PanelCheck::Failed};
  }
  if (read.value != memory_map::kModelByte) {
    emit link.other_model_answered(read.value);
    return {PanelCheck::OtherModel, read.value};
  }
  // The model byte with a reply past 16 bits is no answer to trust.
  return {read.outcome == Transfer::Ok ? PanelCheck::Ours : PanelCheck::Failed, read.value};
}

}  // namespace kvt
