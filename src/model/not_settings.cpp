#include "model/not_settings.h"

#include "model/memory_map.h"
#include "model/rule_texts.h"
#include "model/setting_text.h"
#include "model/setting_words.h"
#include "model/tables.h"

namespace kvt {
namespace {

// Which value the byte at `address` is, for one that is shown.
std::string what_is_at(std::int16_t address) {
  switch (address) {
    case memory_map::kFeatureFlag:
      return std::string(rule_texts::kIndependentLightingFlag);
    case memory_map::kIndicator:
      return std::string(rule_texts::kIndicatorIntensity);
    case memory_map::kBackLight:
      return std::string(rule_texts::kBackLightIntensity);
    default:
      return rule_texts::switch_assignment(address + 1);
  }
}

bool is_a_setting(std::int16_t address, std::int16_t value) {
  switch (address) {
    case memory_map::kFeatureFlag:
      return value == 0 || value == 1;
    case memory_map::kIndicator:
    case memory_map::kBackLight:
      return intensity_position(value).has_value();
    default:
      return value <= kNaCode;
  }
}

}  // namespace

std::string shown_as(std::int16_t address, std::int16_t value, ByteSource source) {
  if (!memory_map::holds_a_setting(address)) return std::to_string(value);
  switch (address) {
    case memory_map::kFeatureFlag:
      return std::string(ticks_check1(value, source) ? rule_texts::kOn : rule_texts::kOff);
    case memory_map::kIndicator:
    case memory_map::kBackLight:
      return setting_words::percent(intensity_percent(value));
    default:
      return setting_text(value);
  }
}

std::vector<NotSetting> not_settings(const ConfigurationBytes& bytes, ByteSource source) {
  std::vector<NotSetting> found;
  for (std::size_t index = 0; index < bytes.size(); ++index) {
    const auto address = static_cast<std::int16_t>(index);
    const std::int16_t value = bytes[index];
    if (!memory_map::holds_a_setting(address) || is_a_setting(address, value)) continue;
    found.push_back({address, value, what_is_at(address), shown_as(address, value, source)});
  }
  return found;
}

}  // namespace kvt
