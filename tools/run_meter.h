#pragma once

#include <time.h>

#include <chrono>

namespace kvt::sim {

// Wall time and this process's CPU time since it was started, to show that waiting costs no
// CPU: a wait that sleeps in the event loop keeps the CPU share near zero.
class RunMeter {
 public:
  RunMeter() { restart(); }

  void restart() {
    wall_start_ = std::chrono::steady_clock::now();
    cpu_start_ = process_cpu_seconds();
  }
  double wall_seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start_).count();
  }
  double cpu_seconds() const { return process_cpu_seconds() - cpu_start_; }
  // CPU time over wall time: 1.0 is one core kept busy all along.
  double cpu_share() const {
    const double wall = wall_seconds();
    return wall > 0 ? cpu_seconds() / wall : 0;
  }

 private:
  static double process_cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
  }

  std::chrono::steady_clock::time_point wall_start_;
  double cpu_start_ = 0;
};

}  // namespace kvt::sim
