#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QMimeData;
class QWidget;

namespace kvt {

// Files dragged onto the window: one configuration file (.kvc) dropped anywhere on it is taken,
// any other file or set of files is refused by the cursor alone, with no message. Text dragged
// into a text box is that box's own business and passes by.
class FileDrop : public QObject {
  Q_OBJECT

 public:
  // Watches `window` and every text box in it.
  explicit FileDrop(QWidget& window);

  // The configuration file `data` carries: a single local file whose name ends in .kvc.
  static std::optional<QString> configuration_file(const QMimeData& data);

 signals:
  // A configuration file was dropped; sent once the drop has ended, so that what opens it (a
  // question, a message) never runs inside the drag of another program.
  void dropped(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace kvt
