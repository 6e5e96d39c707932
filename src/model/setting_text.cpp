#include "model/setting_text.h"

#include "model/tables.h"

namespace kvt {

std::string setting_text(const SwitchPositions& at) {
  std::string text(kModuleTable.at(static_cast<std::size_t>(at.module)).text);
  // Counted from 1, as the channel list counts.
  if (at.channel) text += ' ' + std::to_string(*at.channel + 1);
  return text;
}

std::string setting_text(std::int16_t code) { return setting_text(decode_switch(code)); }

int intensity_percent(std::int16_t code) {
  const auto position = static_cast<std::size_t>(intensity_position(code).value_or(0));
  return std::stoi(std::string(kIntensityTable[position].text));
}

}  // namespace kvt
