#include "window/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace kvt {

FileDrop::FileDrop(QWidget& window) : QObject(&window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
  for (QLineEdit* box : window.findChildren<QLineEdit*>()) box->installEventFilter(this);
}

std::optional<QString> FileDrop::configuration_file(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
  const QString path = urls.first().toLocalFile();
  if (!path.endsWith(QStringLiteral(".kvc"), Qt::CaseInsensitive)) return std::nullopt;
  return path;
}

bool FileDrop::eventFilter(QObject* /*watched*/, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drag = static_cast<QDropEvent*>(event);
  const QMimeData* data = drag->mimeData();
  // Text for a text box is not a file: the box handles it.
  if (data == nullptr || !data->hasUrls()) return false;
  const std::optional<QString> file = configuration_file(*data);
  if (!file) {
    drag->ignore();
    return true;
  }
  drag->acceptProposedAction();
  if (type == QEvent::Drop) {
    QMetaObject::invokeMethod(
        this, [this, path = *file] { emit dropped(path); }, Qt::QueuedConnection);
  }
  return true;
}

}  // namespace kvt
