#pragma once

#include <QString>

namespace kvt {

// The folder the file dialogs used last, kept in the user's settings so that both dialogs start
// there the next time, even after a restart. Empty until a file has been chosen.
QString remembered_folder();
void remember_folder_of(const QString& chosen_file);

}  // namespace kvt
