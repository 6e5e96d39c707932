#include "model/dialogs.h"

#include "model/not_settings.h"
#include "model/rule_texts.h"

namespace kvt {

void Dialogs::name_not_settings(const std::string& holder, const std::vector<NotSetting>& values) {
  if (values.empty()) return;
  std::string lines;
  for (const NotSetting& value : values) {
    if (!lines.empty()) lines += '\n';
    lines += rule_texts::not_a_setting(holder, value.value, value.what, value.shown);
  }
  message(lines, std::string(rule_texts::kNotSettingsTitle));
}

}  // namespace kvt
