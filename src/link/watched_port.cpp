#include "link/watched_port.h"

namespace kvt {

void WatchedPort::output(std::string_view bytes) {
  port_.output(bytes);
  if (watcher_) watcher_(FrameDirection::Sent, bytes);
}

std::string WatchedPort::input() {
  std::string bytes = port_.input();
  // Taking nothing is no reply.
  if (watcher_ && !bytes.empty()) watcher_(FrameDirection::Received, bytes);
  return bytes;
}

}  // namespace kvt
