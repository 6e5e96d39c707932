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

PanelLink::PanelLink(PanelConfig& config, SerialPort& port, StatusBox& status, QObject* parent)
    : QObject(parent), config_(config), port_(port), status_(status), timer1_(this) {
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(kTickMilliseconds);
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

Transfer PanelLink::wake_panel() {
  Transfer ending = Transfer::Ok;
  if (interrupted(ending)) return ending;
  int tries = 1;
  do {
    port_.output(wake_request());
    arm();
    reply_wait();
    if (interrupted(ending)) return ending;
    ++tries;
  } while (port_.in_buffer_count() < kReplyLength && tries <= kWakeTries);

  // An acknowledgement found only after the tick came is too late to count.
  if (port_.input() == kAcknowledgement && timer_flag == 0) return Transfer::Ok;
  status_.set_status_colour(StatusColour::Red);
  show_text(link_texts::kPanelFailedToRespond);
  return Transfer::NoReply;
}

void PanelLink::wait_tick() {
  arm();
  while (!shutting_down_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (timer_flag == 1) return;
  }
}

Transfer PanelLink::readee() {
  Transfer ending = Transfer::Ok;
  if (interrupted(ending)) return fail(ending);
  status_.set_status_visible(true);
  config_.error_flag = 0;
  const Transfer read = read_back();
  if (!brought_value(read)) return read;
  if (read == Transfer::OutOfRange || config_.A > memory_map::kHighestValidByte || config_.A < 0) {
    show_text(link_texts::kDataOutOfRange);
    return fail(Transfer::OutOfRange);
  }
  show_text(link_texts::kCommunicationsOk);
  return Transfer::Ok;
}

Transfer PanelLink::sendee() {
  Transfer ending = Transfer::Ok;
  if (interrupted(ending)) return fail(ending);
  port_.output(write_frame(address_l, data_l));
  emit write_frame_sent(address_l);
  arm();
  config_.error_flag = 0;
  reply_wait();
  if (interrupted(ending)) return fail(ending);
  const std::string reply = port_.input();
  if (reply.empty()) return fail(Transfer::NoReply);
  if (reply != kAcknowledgement) return fail(Transfer::NotAcknowledged);

  const Transfer read = read_back();
  if (read == Transfer::OutOfRange || (read == Transfer::Ok && config_.A != data_l)) {
    show_text(link_texts::kDataFailedToVerify);
    return fail(Transfer::NotVerified);
  }
  if (read != Transfer::Ok) return read;
  status_.set_status_colour(StatusColour::Yellow);
  show_text(link_texts::kCommunicationsOk);
  return Transfer::Ok;
}

// Ok and OutOfRange (a reply number past 16 bits) bring a value into A; the caller decides
// whether it is acceptable. Every other ending leaves A as it was and error_flag 1.
Transfer PanelLink::read_back() {
  port_.output(read_frame(address_l));
  arm();
  reply_wait();
  Transfer ending = Transfer::Ok;
  if (interrupted(ending)) return fail(ending);
  const std::string reply = port_.input();
  const ReplyValue value = reply_value(reply);
  // Too short a reply (none at all when the tick came first) carries no value, and one without a
  // digit (line noise, a wrong device) has only the number rule's 0, which is no byte the panel
  // holds: taking either would pass stale or made-up data off as the panel's.
  if (reply.size() < kShortestReadReply || !value.has_digits) {
    show_text(link_texts::kCommunicationsCorrupted);
    return fail(reply.empty() ? Transfer::NoReply : Transfer::Corrupted);
  }
  config_.A = value.value;
  return value.fits ? Transfer::Ok : Transfer::OutOfRange;
}

void PanelLink::request_shutdown() { shutting_down_ = true; }

std::string PanelLink::port_error_text() const {
  const auto error = port_.error();
  if (!error) return {};
  if (error->problem == PortProblem::FailedWhileOpen) return describe_port_error(*error);
  return std::string(link_texts::kPortNotOpened) + describe_port_error(*error);
}

void PanelLink::on_timer1_tick() { timer_flag = 1; }

void PanelLink::arm() {
  timer_flag = 0;
  timer1_.start();
}

void PanelLink::reply_wait() {
  // The first pass handles only what is already pending, so a reply complete by now ends the
  // wait at once; later passes sleep until the port, the tick or the user wakes them.
  QCoreApplication::processEvents();
  Transfer ending = Transfer::Ok;
  while (!interrupted(ending) && port_.in_buffer_count() < kReplyLength && timer_flag == 0) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

bool PanelLink::interrupted(Transfer& ending) const {
  if (shutting_down_) {
    ending = Transfer::Cancelled;
    return true;
  }
  const auto error = port_.error();
  if (error && error->problem == PortProblem::FailedWhileOpen) {
    ending = Transfer::PortFailed;
    return true;
  }
  return false;
}

Transfer PanelLink::fail(Transfer transfer) {
  config_.error_flag = 1;
  return transfer;
}

void PanelLink::show_text(std::string_view text) { status_.set_status_text(std::string(text)); }

}  // namespace kvt
