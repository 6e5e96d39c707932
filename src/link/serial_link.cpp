#include "link/serial_link.h"

namespace kvt {

SerialLink::SerialLink(StatusBox& status, QObject* parent)
    : QObject(parent), link_(port_, status) {}

}  // namespace kvt
