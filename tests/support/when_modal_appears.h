#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace kvt::testing {

// Acts on the next modal dialog as soon as it is on screen, so no test waits on a person. Fails
// the test when none appears within two seconds.
inline void when_modal_appears(std::function<void(QWidget&)> act) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), tries = 0]() mutable {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      act(*modal);
    } else if (++tries > 400) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << "no modal dialog appeared";
    }
  });
  poll->start();
}

}  // namespace kvt::testing
