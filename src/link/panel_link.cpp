#include "link/panel_link.h"

#include <QCoreApplication>

#include "link/frames.h"
#include "link/link_texts.h"
#include "link/reply_value.h"
#include "model/memory_map.h"

namespace kvt {

namespace {

constexpr int kPortNumber = 1;
constexpr const char* kLineSettings = "9600,N,8,1";
constexpr int kTickMilliseconds = 100;
constexpr int kWakeTries = 6;

}  // namespace

PanelLink::PanelLink(PanelConfig& config, SerialPort& port, StatusBox& status, QTimer& timer1,
                     QObject* parent)
    : QObject(parent), config_(config), port_(port), status_(status), timer1_(timer1) {
  timer1_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, &PanelLink::on_timer1_tick);
  if (auto* application = QCoreApplication::instance()) {
    connect(application, &QCoreApplication::aboutToQuit, this, &PanelLink::request_shutdown);
  }
}

bool PanelLink::open_link() {
  port_.set_comm_port(kPortNumber);
  port_.set_settings(kLineSettings);
  port_.set_port_open(true);
  return port_.port_open();
}

void PanelLink::close_link() { port_.set_port_open(false); }

bool PanelLink::wake_panel() {
  if (interrupted()) return false;
  int tries = 1;
  do {
    port_.output(wake_request());
    arm();
    if (interrupted(reply_wait())) return false;
    ++tries;
  } while (port_.in_buffer_count() < kReplyLength && tries <= kWakeTries);

  // An acknowledgement found only after the tick came is too late to count.
  const bool answered = port_.input() == kAcknowledgement && timer_flag == 0;
  if (!answered) {
    status_.set_status_colour(StatusColour::Red);
    show_text(link_texts::kPanelFailedToRespond);
  }
  return answered;
}

void PanelLink::wait_tick() {
  arm();
  while (!shutting_down_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (timer_flag == 1) return;
  }
}

void PanelLink::readee() {
  value_taken_ = false;
  if (interrupted()) {
    config_.error_flag = 1;
    return;
  }
  status_.set_status_visible(true);
  config_.error_flag = 0;
  const std::optional<ReplyValue> value = read_back();
  if (!value) return;
  if (!value->fits || config_.A > memory_map::kHighestValidByte || config_.A < 0) {
    config_.error_flag = 1;
    show_text(link_texts::kDataOutOfRange);
  } else {
    show_text(link_texts::kCommunicationsOk);
  }
}

void PanelLink::sendee() {
  value_taken_ = false;
  if (interrupted()) {
    config_.error_flag = 1;
    return;
  }
  port_.output(write_frame(address_l, data_l));
  arm();
  config_.error_flag = 0;
  if (interrupted(reply_wait()) || port_.input() != kAcknowledgement) {
    config_.error_flag = 1;
    return;
  }

  const std::optional<ReplyValue> value = read_back();
  if (!value) return;
  if (value->fits && config_.A == data_l) {
    status_.set_status_colour(StatusColour::Yellow);
    show_text(link_texts::kCommunicationsOk);
  } else {
    config_.error_flag = 1;
    show_text(link_texts::kDataFailedToVerify);
  }
}

std::optional<ReplyValue> PanelLink::read_back() {
  port_.output(read_frame(address_l));
  arm();
  if (interrupted(reply_wait())) {
    config_.error_flag = 1;
    return std::nullopt;
  }
  const std::string reply = port_.input();
  // Too short a reply (none at all when the tick came first) carries no value: reporting the
  // previous read's value as fresh would pass stale data off as the panel's.
  if (reply.size() < kShortestReadReply) {
    config_.error_flag = 1;
    show_text(link_texts::kCommunicationsCorrupted);
    return std::nullopt;
  }
  const ReplyValue value = reply_value(reply);
  config_.A = value.value;
  value_taken_ = true;
  return value;
}

void PanelLink::request_shutdown() { shutting_down_ = true; }

bool PanelLink::shutting_down() const { return shutting_down_; }

bool PanelLink::port_failed() const {
  const auto error = port_.error();
  return error && error->problem == PortProblem::FailedWhileOpen;
}

std::string PanelLink::port_error_text() const {
  const auto error = port_.error();
  if (!error) return {};
  if (error->problem == PortProblem::FailedWhileOpen) return describe_port_error(*error);
  return std::string(link_texts::kPortNotOpened) + describe_port_error(*error);
}

void PanelLink::on_timer1_tick() { timer_flag = 1; }

void PanelLink::arm() {
  timer1_.setInterval(kTickMilliseconds);
  timer_flag = 0;
  timer1_.start();
}

PanelLink::WaitEnd PanelLink::reply_wait() {
  // The first pass handles only what is already pending, so a reply complete by now ends the
  // wait at once; later passes sleep until the port, the tick or the user wakes them.
  QCoreApplication::processEvents();
  while (true) {
    if (shutting_down_) return WaitEnd::ShuttingDown;
    if (port_failed()) return WaitEnd::PortFailed;
    if (port_.in_buffer_count() >= kReplyLength) return WaitEnd::Reply;
    if (timer_flag == 1) return WaitEnd::Tick;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

bool PanelLink::interrupted() const { return shutting_down_ || port_failed(); }

bool PanelLink::interrupted(WaitEnd end) {
  return end == WaitEnd::PortFailed || end == WaitEnd::ShuttingDown;
}

void PanelLink::show_text(std::string_view text) { status_.set_status_text(std::string(text)); }

}  // namespace kvt
