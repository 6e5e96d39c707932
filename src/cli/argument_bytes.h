#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace kvt::cli {

// The command line's arguments as QStrings that keep every byte: an argument that is not valid
// UTF-8 (a file name in Latin-1, say) has each byte above 0x7F held as a lone surrogate
// U+DC80..U+DCFF, which no decoded text holds. QCoreApplication::arguments() would turn such
// bytes into U+FFFD for good, and the file could not be named.
QStringList arguments_of(int argc, char* argv[]);

// The bytes of an argument taken from arguments_of, exactly as the system gave them.
std::string bytes_of(const QString& argument);

}  // namespace kvt::cli
