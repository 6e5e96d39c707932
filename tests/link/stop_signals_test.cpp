// Signals that ask the program to stop, seen by the event loop.

#include "commands/stop_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <utility>
#include <vector>

namespace {

using Caught = std::vector<std::pair<int, int>>;

// A wait in the event loop, as the link's waits are, wakes for each signal in order.
TEST(StopSignals, EachSignalWakesAWaitInTheEventLoop) {
  kvt::StopSignals stop;
  Caught caught;
  QObject::connect(&stop, &kvt::StopSignals::caught,
                   [&](int number, int count) { caught.emplace_back(number, count); });
  QTimer give_up_tick;  // so a signal that never wakes the loop fails the test, not hangs it
  give_up_tick.start(50);
  for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
    ASSERT_EQ(::raise(number), 0);
    QElapsedTimer clock;
    clock.start();
    const std::size_t before = caught.size();
    while (caught.size() == before && clock.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  EXPECT_EQ(caught, (Caught{{SIGINT, 1}, {SIGTERM, 2}, {SIGHUP, 3}}));
  EXPECT_EQ(stop.first_signal(), SIGINT);
  EXPECT_EQ(kvt::StopSignals::exit_status(SIGINT), 130);
}

// Code that has not run the event loop since the signal still learns of it.
TEST(StopSignals, FirstSignalTakesInWhatTheEventLoopHasNotSeen) {
  kvt::StopSignals stop;
  EXPECT_EQ(stop.first_signal(), 0);
  int count = 0;
  QObject::connect(&stop, &kvt::StopSignals::caught, [&](int, int n) { count = n; });
  ASSERT_EQ(::raise(SIGHUP), 0);
  EXPECT_EQ(stop.first_signal(), SIGHUP);
  EXPECT_EQ(count, 1);
}

// Once the object goes, the handling it replaced is back.
TEST(StopSignals, GivesBackTheHandlingItReplaced) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction before {};
  ASSERT_EQ(::sigaction(SIGTERM, &ignore, &before), 0);
  { kvt::StopSignals stop; }
  struct sigaction after {};
  ::sigaction(SIGTERM, &before, &after);
  EXPECT_EQ(after.sa_handler, SIG_IGN);
}

}  // namespace
