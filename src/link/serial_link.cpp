#include "link/serial_link.h"

namespace kvt {

SerialLink::SerialLink(StatusBox& status, QObject* parent)
    : QObject(parent), port_(this), link_(port_, status, this) {}

}  // namespace kvt
