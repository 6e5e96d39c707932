#include "link/panel_link.h"

#include <QCoreApplication>

#include "link/frames.h"
#include "link/link_texts.h"
#include "link/reply_value.h"
#include "model/memory_map.h"

namespace kvt {

namespace {

constexpr const char* kLineSettings = "9600,N,8,1";
constexpr int kTickMilliseconds = 100;
constexpr int kWakeTries = 6;

}  // namespace

PanelLink::PanelLink(SerialPort& port, QObject* parent)
    : QObject(parent), port_(port), timer1_(this) {
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(kTickMilliseconds);
  timer1_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, &PanelLink::on_timer1_tick);
  if (auto* application = QCoreApplication::instance()) {
    connect(application, &QCoreApplication::aboutToQuit, this, &PanelLink::request_shutdown);
  }
}

bool PanelLink::open_link(const std::string& device) {
  bytes_transferred_ = 0;
  last_write_sent_.reset();
  port_.open(device, kLineSettings);
  return port_.port_open();
}

void PanelLink::close_link() { port_.close(); }

Transfer PanelLink::wake_panel() {
  if (const auto ending = interrupted()) return *ending;
  int tries = 1;
  do {
    port_.output(wake_request());
    arm();
    reply_wait();
    if (const auto ending = interrupted()) return *ending;
    ++tries;
  } while (port_.in_buffer_count() < kReplyLength && tries <= kWakeTries);

  // An acknowledgement found only after the tick came is too late to count. One already waiting
  // when the tick was handled came first: on a busy machine the reply and the tick reach the
  // program in one pass of the event loop, and the port's part of that pass runs first.
  const bool in_time = !timer_flag_ || reply_waiting_at_tick_;
  const std::string reply = port_.input();
  if (const auto ending = interrupted()) return *ending;
  return reply == kAcknowledgement && in_time ? Transfer::Ok : Transfer::NoReply;
}

void PanelLink::wait_tick() {
  arm();
  while (!shutting_down_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (timer_flag_) return;
  }
}

ByteTransfer PanelLink::readee(std::int16_t address) {
  if (const auto ending = interrupted()) return {*ending};
  const ByteTransfer read = read_back(address);
  if (!brought_value(read.outcome)) return read;
  if (read.outcome == Transfer::OutOfRange || read.value > memory_map::kHighestValidByte ||
      read.value < 0) {
    return {Transfer::OutOfRange, read.value};
  }
  transferred();
  return read;
}

ByteTransfer PanelLink::sendee(std::int16_t address, std::int16_t data) {
  if (const auto ending = interrupted()) return {*ending};
  port_.output(write_frame(address, data));
  last_write_sent_ = address;
  emit write_frame_sent(address);
  arm();
  reply_wait();
  if (const auto ending = interrupted()) return {*ending};
  const std::string reply = port_.input();
  if (const auto ending = interrupted()) return {*ending};
  if (reply.empty()) return {Transfer::NoReply};
  if (reply != kAcknowledgement) return {Transfer::NotAcknowledged};

  const ByteTransfer read = read_back(address);
  if (read.outcome == Transfer::OutOfRange ||
      (read.outcome == Transfer::Ok && read.value != data)) {
    return {Transfer::NotVerified, read.value};
  }
  if (read.outcome != Transfer::Ok) return read;
  transferred();
  return read;
}

// Ok and OutOfRange (a reply number past 16 bits) bring a value; the caller decides whether it
// is acceptable. Every other ending brings none.
ByteTransfer PanelLink::read_back(std::int16_t address) {
  port_.output(read_frame(address));
  arm();
  reply_wait();
  if (const auto ending = interrupted()) return {*ending};
  const std::string reply = port_.input();
  if (const auto ending = interrupted()) return {*ending};
  const ReplyValue value = reply_value(reply);
  // Too short a reply (none at all when the tick came first) carries no value, and one without a
  // digit (line noise, a wrong device) has only the number rule's 0, which is no byte the panel
  // holds: taking either would pass stale or made-up data off as the panel's.
  if (reply.size() < kShortestReadReply || !value.has_digits) {
    return {reply.empty() ? Transfer::NoReply : Transfer::Corrupted};
  }
  return {value.fits ? Transfer::Ok : Transfer::OutOfRange, value.value};
}

void PanelLink::request_shutdown() { shutting_down_ = true; }

std::string PanelLink::port_error_text() const {
  const auto error = port_.error();
  if (!error) return {};
  if (!is_open_refusal(error->problem)) return describe_port_error(*error);
  return std::string(link_texts::kPortNotOpened) + describe_port_error(*error);
}

void PanelLink::on_timer1_tick() {
  if (!timer_flag_) reply_waiting_at_tick_ = port_.in_buffer_count() >= kReplyLength;
  timer_flag_ = true;
}

void PanelLink::arm() {
  timer_flag_ = false;
  reply_waiting_at_tick_ = false;
  timer1_.start();
}

void PanelLink::reply_wait() {
  // The first pass handles only what is already pending, so a reply complete by now ends the
  // wait at once; later passes sleep until the port, the tick or the user wakes them.
  QCoreApplication::processEvents();
  while (!interrupted() && port_.in_buffer_count() < kReplyLength && !timer_flag_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

std::optional<Transfer> PanelLink::interrupted() const {
  if (shutting_down_) return Transfer::Cancelled;
  if (port_failed()) return Transfer::PortFailed;
  return std::nullopt;
}

bool PanelLink::port_failed() const {
  const auto error = port_.error();
  return error && error->problem == PortProblem::FailedWhileOpen;
}

void PanelLink::transferred() { emit byte_transferred(++bytes_transferred_); }

}  // namespace kvt
