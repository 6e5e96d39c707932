#pragma once

#include <QString>

namespace kvt::port_texts {

// What the window says about its serial port, word for word.
inline const QString kSerialPortMenu = QStringLiteral("SERIAL PORT");
inline const QString kOtherDevice = QStringLiteral("OTHER DEVICE...");
inline const QString kOtherDeviceLabel = QStringLiteral("DEVICE PATH (FOR EXAMPLE /dev/ttyUSB0):");
// The submenu's note when the environment decides and choosing is off.
inline const QString kSetInEnvironment = QStringLiteral("SET IN KVT_SERIAL_PORT: %1");
// The second line of a failure that may come from the wrong port.
inline const QString kChooseAnotherHint =
    QStringLiteral("(PORT %1 - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)");
inline const QString kSetInEnvironmentHint = QStringLiteral("(PORT %1 - SET IN KVT_SERIAL_PORT)");

}  // namespace kvt::port_texts
