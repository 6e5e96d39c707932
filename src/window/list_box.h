#pragma once

#include <QListWidget>
#include <cstdint>
#include <span>

#include "model/tables.h"

namespace kvt {

// A single-selection list whose items carry their item value in Qt::UserRole. The selected
// position is the selected row, never merely the current one. As on the panel's original
// window, the user can move the selection but cannot clear it; only the program can. The right
// button only opens the window's context menu: it neither selects nor moves the current row.
//
// Only the list that holds the keyboard focus has a current row, so a screen reader, which
// reports a list's current row as focused, hears of one row at a time; the keyboard goes on from
// the selected row, which a list scrolls into view whenever it is shown. The list shows whole
// rows only, at any scale: what its frame holds beyond the last whole row is left blank.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  ListBox(std::span<const ListItem> items, QWidget* parent);

  int selected_position() const;
  // Any position the list does not have clears the selection and the current row.
  void set_selected_position(int position);
  std::int16_t item_value(int position) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  // Makes the selected row the current one, where there is no current row yet.
  void current_from_selection();
  void show_whole_rows();
};

}  // namespace kvt
