#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPoint>
#include <QWidget>

namespace kvt::testing {

// The "SERIAL PORT" submenu of the window's context menu opened last, or null before any opened.
inline QMenu* serial_port_menu(QWidget& window) {
  const auto menus = window.findChildren<QMenu*>(QStringLiteral("SerialPortMenu"));
  return menus.isEmpty() ? nullptr : menus.last();
}

// Right-clicks the window's background near its top left corner and returns the "SERIAL PORT"
// submenu of the context menu that opens.
inline QMenu* right_click(QWidget& window) {
  const QPoint where(5, 5);
  QContextMenuEvent event(QContextMenuEvent::Mouse, where, window.mapToGlobal(where));
  QApplication::sendEvent(&window, &event);
  return serial_port_menu(window);
}

// Right-clicks the window as right_click does and returns the whole context menu that opens.
inline QMenu* right_click_menu(QWidget& window) {
  QMenu* ports = right_click(window);
  return ports == nullptr ? nullptr : qobject_cast<QMenu*>(ports->parentWidget());
}

}  // namespace kvt::testing
