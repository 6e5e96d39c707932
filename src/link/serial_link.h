#pragma once

#include <QObject>

#include "link/panel_link.h"
#include "link/qt_serial_port.h"
#include "link/watched_port.h"

namespace kvt {

// The panel link on the real serial port (MSComm1), set up the same way for the window and the
// command line. Each panel command names the device it opens. The port and the link are its
// children, so MSComm1 and Timer1 are found under the window as its controls are.
class SerialLink : public QObject {
  Q_OBJECT

 public:
  explicit SerialLink(QObject* parent = nullptr);

  PanelLink& link() { return link_; }
  // From now on `watcher` is told of every frame the link sends and every reply it takes.
  void watch_frames(FrameWatcher watcher) { watched_.watch(std::move(watcher)); }

 private:
  QtSerialPort port_;
  WatchedPort watched_;
  PanelLink link_;
};

}  // namespace kvt
