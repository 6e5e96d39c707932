#include "link/serial_link.h"

namespace kvt {

SerialLink::SerialLink(StatusBox& status, QObject* parent)
    : QObject(parent), port_(this), watched_(port_), link_(watched_, status, this) {}

}  // namespace kvt
