#include "link/port_memory.h"

#include <QString>
#include <algorithm>

#include "link/link_texts.h"
#include "link/settings_file.h"

namespace kvt {
namespace {

const QString kPortKey = QStringLiteral("link/port");

// Why `stored` cannot name a device, or empty when it can.
std::string_view flaw_of(const QString& stored) {
  if (stored.isEmpty()) return link_texts::kRememberedPortEmpty;
  if (stored.contains(QChar(u'\0'))) return link_texts::kRememberedPortHoldsNul;
  const bool has_control = std::any_of(
      stored.begin(), stored.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
  if (has_control) return link_texts::kRememberedPortHoldsControl;
  if (!stored.startsWith(u'/')) return link_texts::kRememberedPortNotAbsolute;
  return {};
}

}  // namespace

RememberedPort remembered_port() {
  const QVariant value = stored_setting(kPortKey);
  if (!value.isValid()) return {};
  const QString stored = value.toString();
  const std::string_view flaw = flaw_of(stored);
  if (!flaw.empty()) return {{}, flaw};
  return {stored.toStdString(), {}};
}

void remember_port(const std::string& device) {
  store_setting(kPortKey, QString::fromStdString(device));
}

}  // namespace kvt
