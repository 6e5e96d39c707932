#include "termios_requests.h"

#include <dlfcn.h>

#include <mutex>

namespace {

std::mutex lock;
std::vector<termios> requests;

}  // namespace

// Stands in for the C library's tcsetattr in this test program (the serial port library calls
// it by name) and hands every call on unchanged, after noting the settings asked for.
extern "C" int tcsetattr(int descriptor, int when, const termios* settings) {
  using Real = int (*)(int, int, const termios*);
  static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "tcsetattr"));
  if (settings != nullptr) {
    const std::lock_guard held(lock);
    requests.push_back(*settings);
  }
  return real(descriptor, when, settings);
}

std::vector<termios> termios_requests() {
  const std::lock_guard held(lock);
  return requests;
}

void forget_termios_requests() {
  const std::lock_guard held(lock);
  requests.clear();
}
