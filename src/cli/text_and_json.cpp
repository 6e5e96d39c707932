#include "cli/text_and_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <sstream>

#include "cli/cli_texts.h"
#include "files/visible_text.h"

namespace kvt::cli {
namespace {

// The columns of the text for people.
constexpr std::size_t kValueColumn = 22;
constexpr std::size_t kSettingColumn = 6;
constexpr std::size_t kDesignationColumn = 15;

}  // namespace

std::string as_text(const ConfigurationView& view) {
  std::ostringstream out;
  // Each value starts in one column after its label.
  const auto labelled = [&out](std::string_view label, const std::string& value) {
    std::string line(label);
    line.resize(kValueColumn, ' ');
    out << line << value << '\n';
  };
  // Names come from a file or a panel: escaped, they cannot drive the terminal or break a line.
  labelled(cli_texts::kPanelNameLabel, visible_text(view.panel));
  for (std::size_t i = 0; i < view.switches.size(); ++i) {
    const SwitchView& s = view.switches[i];
    std::string line = cli_texts::switch_label(static_cast<int>(i + 1));
    line.resize(kSettingColumn, ' ');
    line += s.setting;
    if (!s.designation.empty()) {
      line.resize(kDesignationColumn, ' ');
      line += visible_text(s.designation);
    }
    out << line << '\n';
  }
  labelled(cli_texts::kIndependentLightingLabel,
           std::string(view.independent_lighting ? cli_texts::kOn : cli_texts::kOff));
  labelled(cli_texts::kIndicatorLabel, cli_texts::percent(view.indicator_percent));
  labelled(cli_texts::kBackLightLabel, cli_texts::percent(view.backlight_percent));
  return out.str();
}

std::string as_json(const ConfigurationView& view, const std::vector<NotSetting>& not_settings) {
  QJsonArray switches;
  for (std::size_t i = 0; i < view.switches.size(); ++i) {
    const SwitchView& s = view.switches[i];
    switches.append(QJsonObject{
        {"switch", static_cast<int>(i + 1)},
        {"module", QString::fromUtf8(s.module)},
        {"channel", s.channel ? QJsonValue(*s.channel) : QJsonValue(QJsonValue::Null)},
        {"designation", QString::fromUtf8(s.designation)},
    });
  }
  QJsonValue codes(QJsonValue::Null);
  if (view.codes) {
    QJsonArray bytes;
    for (const std::int16_t code : *view.codes) bytes.append(code);
    codes = bytes;
  }
  QJsonArray not_setting_values;
  for (const NotSetting& value : not_settings) {
    not_setting_values.append(QJsonObject{
        {"what", QString::fromUtf8(value.what)},
        {"value", value.value},
        {"shown", QString::fromUtf8(value.shown)},
    });
  }
  const QJsonObject object{
      {"panel", QString::fromUtf8(view.panel)},
      {"switches", switches},
      {"independent_lighting", view.independent_lighting},
      {"indicator_percent", view.indicator_percent},
      {"backlight_percent", view.backlight_percent},
      {"codes", codes},
      {"not_settings", not_setting_values},
  };
  return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace kvt::cli
