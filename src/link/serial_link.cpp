#include "link/serial_link.h"

namespace kvt {

SerialLink::SerialLink(QObject* parent)
    : QObject(parent), port_(this), watched_(port_), link_(watched_, this) {}

}  // namespace kvt
